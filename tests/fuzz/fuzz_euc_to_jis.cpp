// EucToJis on any bytes: 7-bit output. Once through JIS -> EUC (which reads any ESC the input held as
// an escape) the text is a fixed point.
#include "FuzzCheck.h"
#include "documents/CharCodeConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    const std::string jis = EucToJis(fuzz::Text(data, size));
    QX_FUZZ_CHECK(fuzz::SevenBit(jis));
    const std::string euc = JisToEuc(jis);
    QX_FUZZ_CHECK(fuzz::WellFormedEuc(euc));
    QX_FUZZ_CHECK(JisToEuc(EucToJis(euc)) == euc);
    return 0;
}
