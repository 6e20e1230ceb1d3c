#pragma once
// Test helper: the system's iconv as the reference converter of character codes.

#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>

namespace qx::test {

// One iconv converter from `from` to `to`, opened once for many texts (opening one takes long enough to
// matter when a test converts every code alone).
class TIconv {
public:
    TIconv(const char* to, const char* from) : FCd(iconv_open(to, from)) {}
    ~TIconv()
    {
        if (Valid()) iconv_close(FCd);
    }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    bool Valid() const { return FCd != reinterpret_cast<iconv_t>(-1); }

    // The whole of `in` converted; nothing when iconv rejects any of it.
    std::optional<std::string> operator()(std::string_view in)
    {
        if (!Valid()) return std::nullopt;
        iconv(FCd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        std::string out(in.size() * 4 + 16, '\0');
        char* inp = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* outp = out.data();
        std::size_t outLeft = out.size();
        std::size_t rc = iconv(FCd, &inp, &inLeft, &outp, &outLeft);
        if (rc != static_cast<std::size_t>(-1)) rc = iconv(FCd, nullptr, nullptr, &outp, &outLeft);  // the closing escape
        if (rc == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t FCd;
};

// The whole of `in` converted from `from` to `to`; nothing when iconv rejects any of it.
inline std::optional<std::string> Iconv(const char* to, const char* from, std::string_view in)
{
    return TIconv(to, from)(in);
}

} // namespace qx::test
