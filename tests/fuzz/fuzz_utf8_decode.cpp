// DetectUtf8 and the UTF-8 decoder on any bytes: what the detector accepts decodes, both modes of the
// decoder agree, and decoding what the encoder wrote gives the same units back.
#include "FuzzCheck.h"
#include "documents/UnicodeCoding.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    const std::string_view bytes = fuzz::Text(data, size);
    const int kind = DetectUtf8(bytes);
    QX_FUZZ_CHECK(kind >= 0 && kind <= 2);
    DetectUnicodeBom(bytes);

    const std::ptrdiff_t need = DecodeUtf8Buffer(nullptr, 0, bytes.data(), bytes.size());
    if (kind != 0) QX_FUZZ_CHECK(need > 0);
    const std::u16string units = Utf8ToWide(bytes);
    if (need < 0) {
        QX_FUZZ_CHECK(units.empty());
        return 0;
    }
    QX_FUZZ_CHECK(units.size() + 1 == static_cast<std::size_t>(need));
    // A destination of every size up to a small bound: whole units only, never past its end.
    for (std::size_t room = 0; room <= 4 && room <= units.size() + 1; ++room) {
        const std::unique_ptr<char16_t[]> dest(new char16_t[room]);  // never null, exactly `room` units
        const std::ptrdiff_t written = DecodeUtf8Buffer(dest.get(), room, bytes.data(), bytes.size());
        QX_FUZZ_CHECK(written == static_cast<std::ptrdiff_t>(room));
    }
    QX_FUZZ_CHECK(Utf8ToWide(WideToUtf8(units)) == units);
    return 0;
}
