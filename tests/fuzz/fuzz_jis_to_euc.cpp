// JisToEuc on any bytes: well-formed EUC, with no more characters lost than there are bytes; after one
// pass through EUC -> JIS the text is a fixed point.
#include "FuzzCheck.h"
#include "documents/CharCodeConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    std::size_t lost = 0;
    const std::string euc = JisToEuc(fuzz::Text(data, size), &lost);
    QX_FUZZ_CHECK(fuzz::WellFormedEuc(euc));
    QX_FUZZ_CHECK(lost <= size);
    const std::string jis = EucToJis(euc);
    QX_FUZZ_CHECK(fuzz::SevenBit(jis));
    const std::string euc2 = JisToEuc(jis);
    QX_FUZZ_CHECK(fuzz::WellFormedEuc(euc2));
    QX_FUZZ_CHECK(EucToJis(euc2) == jis);
    return 0;
}
