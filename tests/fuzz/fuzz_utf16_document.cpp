// UTF-16 document bytes in both byte orders to Shift-JIS and back: stable after one pass.
#include "FuzzCheck.h"
#include "documents/UnicodeCoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    const std::string_view bytes = fuzz::Text(data, size);
    for (bool bigEndian : {false, true}) {
        const std::string sjis = Utf16ToSjis(bytes, bigEndian);
        const std::string utf16 = SjisToUtf16(sjis, bigEndian);
        QX_FUZZ_CHECK(utf16.size() % 2 == 0);
        QX_FUZZ_CHECK(SjisToUtf16(Utf16ToSjis(utf16, bigEndian), bigEndian) == utf16);
    }
    return 0;
}
