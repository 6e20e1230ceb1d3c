// EucToSjis on any bytes; after one pass through Shift-JIS -> EUC the text is a fixed point.
#include "FuzzCheck.h"
#include "documents/CharCodeConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    const std::string sjis = EucToSjis(fuzz::Text(data, size));
    const std::string euc = SjisToEuc(sjis);
    QX_FUZZ_CHECK(fuzz::WellFormedEuc(euc));
    QX_FUZZ_CHECK(SjisToEuc(EucToSjis(euc)) == euc);
    return 0;
}
