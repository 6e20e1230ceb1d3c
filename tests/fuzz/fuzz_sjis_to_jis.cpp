// SjisToJis on any bytes: 7-bit output. Once through JIS -> Shift-JIS (which reads any ESC the input
// held as an escape, and keeps half-width katakana that the escapes chose) and once more to JIS (which
// widens them, losing nothing), the JIS text is a fixed point.
#include "FuzzCheck.h"
#include "documents/CharCodeConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    std::size_t lost = 0;
    const std::string jis = SjisToJis(fuzz::Text(data, size), &lost);
    QX_FUZZ_CHECK(fuzz::SevenBit(jis));
    QX_FUZZ_CHECK(lost <= size);
    const std::string sjis = JisToSjis(jis);
    std::size_t lostAgain = 1;
    const std::string jis2 = SjisToJis(sjis, &lostAgain);
    QX_FUZZ_CHECK(lostAgain == 0);
    QX_FUZZ_CHECK(SjisToJis(JisToSjis(jis2)) == jis2);
    return 0;
}
