// EucToJis on any bytes: 7-bit output. Once through JIS -> EUC (which reads any ESC the input held as
// an escape, and keeps half-width katakana that the escapes chose) and once more to JIS (which widens
// them), the JIS text is a fixed point.
#include "FuzzCheck.h"
#include "documents/CharCodeConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    const std::string jis = EucToJis(fuzz::Text(data, size));
    QX_FUZZ_CHECK(fuzz::SevenBit(jis));
    const std::string euc = JisToEuc(jis);
    QX_FUZZ_CHECK(fuzz::WellFormedEuc(euc));
    const std::string jis2 = EucToJis(euc);
    QX_FUZZ_CHECK(EucToJis(JisToEuc(jis2)) == jis2);
    return 0;
}
