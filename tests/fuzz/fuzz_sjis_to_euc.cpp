// SjisToEuc on any bytes: well-formed EUC that EucToSjis and SjisToEuc carry unchanged.
#include "FuzzCheck.h"
#include "documents/CharCodeConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    std::size_t lost = 0;
    const std::string euc = SjisToEuc(fuzz::Text(data, size), &lost);
    QX_FUZZ_CHECK(fuzz::WellFormedEuc(euc));
    QX_FUZZ_CHECK(lost <= size);
    std::size_t lostAgain = 1;
    QX_FUZZ_CHECK(SjisToEuc(EucToSjis(euc), &lostAgain) == euc);
    QX_FUZZ_CHECK(lostAgain == 0);
    return 0;
}
