#include "platform/TextCut.h"

#include "platform/Cp932.h"
#include "platform/LeadByte.h"
#include "platform/Utf.h"

namespace qx {

std::string_view Cp932Prefix(std::string_view sjis, std::size_t maxBytes)
{
    std::size_t end = 0;
    while (end < sjis.size()) {
        const std::size_t next = end + CharLengthAt(sjis, end);
        if (next > maxBytes) break;
        end = next;
    }
    return sjis.substr(0, end);
}

std::string Utf8PrefixByCp932Length(std::string_view utf8, std::size_t maxBytes)
{
    const std::u16string text = Utf8ToUtf16(utf8);
    std::size_t used = 0, end = 0;
    while (end < text.size()) {
        char32_t ch = text[end];
        std::size_t units = 1;
        if (ch >= 0xD800 && ch < 0xDC00 && end + 1 < text.size() && text[end + 1] >= 0xDC00 && text[end + 1] < 0xE000) {
            ch = 0x10000 + ((ch - 0xD800) << 10) + (text[end + 1] - 0xDC00);
            units = 2;
        }
        const std::size_t bytes = UnicodeToCp932Code(ch) > 0xFF ? 2 : 1;
        if (used + bytes > maxBytes) break;
        used += bytes;
        end += units;
    }
    return Utf16ToUtf8(std::u16string_view(text).substr(0, end));
}

} // namespace qx
