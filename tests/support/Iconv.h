#pragma once
// Test helper: the system's iconv as the reference converter of character codes.

#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>

namespace qx::test {

// The whole of `in` converted from `from` to `to`; nothing when iconv rejects any of it.
inline std::optional<std::string> Iconv(const char* to, const char* from, std::string_view in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(in.size() * 4 + 16, '\0');
    char* inp = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outp = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace qx::test
