// JisToSjis on any bytes; after one pass through Shift-JIS -> JIS the text is a fixed point.
#include "FuzzCheck.h"
#include "documents/CharCodeConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    const std::string sjis = JisToSjis(fuzz::Text(data, size));
    const std::string jis = SjisToJis(sjis);
    QX_FUZZ_CHECK(fuzz::SevenBit(jis));
    QX_FUZZ_CHECK(SjisToJis(JisToSjis(jis)) == jis);
    return 0;
}
