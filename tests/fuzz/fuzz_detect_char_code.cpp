// DetectCharCode, and the conversion to Shift-JIS it leads to, on any bytes.
#include "FuzzCheck.h"
#include "documents/CharCodeConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    const std::string_view text = fuzz::Text(data, size);
    const int code = DetectCharCode(text);
    QX_FUZZ_CHECK(code >= dcAscii && code <= dcEucOrSjis);
    const std::string sjis = ConvertCharCodeAuto(text, dcSjis);
    if (code == dcAscii || code == dcBinary || code == dcEucOrSjis || code == dcSjis) QX_FUZZ_CHECK(sjis == text);
    return 0;
}
