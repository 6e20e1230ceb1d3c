// The code page 932 codec on any bytes: every decoded unit has a code, and decode -> encode -> decode
// gives the same units.
#include "FuzzCheck.h"
#include "platform/Cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    const std::string_view text = fuzz::Text(data, size);
    const std::u16string units = Cp932ToUtf16(text);
    QX_FUZZ_CHECK(units.size() <= text.size());
    std::size_t lost = 1;
    const std::string encoded = Utf16ToCp932(units, &lost);
    QX_FUZZ_CHECK(lost == 0);
    QX_FUZZ_CHECK(Cp932ToUtf16(encoded) == units);
    QX_FUZZ_CHECK(Utf8ToCp932(Cp932ToUtf8(text)) == encoded);

    // The same bytes as UTF-16 units and as UTF-8 on the way in.
    Utf16ToCp932(fuzz::Units(data, size));
    Utf8ToCp932(text);
    return 0;
}
