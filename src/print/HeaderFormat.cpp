#include "print/HeaderFormat.h"

#include "platform/Cp932.h"
#include "platform/LeadByte.h"

#include <cstdio>

namespace qx {

std::string ExpandHeaderFormat(std::string_view Format, const THeaderValues& Values)
{
    std::string out;
    out.reserve(Format.size() + 32);
    const auto slash = Values.FileName.find_last_of('/');
    const std::string_view bare =
        slash == std::string::npos ? std::string_view(Values.FileName) : std::string_view(Values.FileName).substr(slash + 1);
    for (std::size_t i = 0; i < Format.size(); ++i) {
        const char c = Format[i];
        if (IsDBCSLeadByte(c) && i + 1 < Format.size()) {  // a trail byte may be "%"
            out += c;
            out += Format[++i];
            continue;
        }
        if (c != '%' || i + 1 == Format.size()) {
            out += c;
            continue;
        }
        const char code = Format[++i];
        const TPrintDate& d = Values.Date;
        switch (code) {
        case 'f': out += Utf8ToCp932(Values.FileName); break;
        case 'F': out += Utf8ToCp932(bare); break;
        case 'p': out += std::to_string(Values.Page); break;
        case 'P': out += std::to_string(Values.LastPage); break;
        case 'y': out += std::to_string(d.Year); break;
        case 'm': out += std::to_string(d.Month); break;
        case 'd': out += std::to_string(d.Day); break;
        case 't': {
            char time[32];
            std::snprintf(time, sizeof time, "%d:%02d:%02d", d.Hour, d.Minute, d.Second);
            out += time;
            break;
        }
        default:
            // "%" before a double-byte character keeps the whole character.
            out += code;
            if (IsDBCSLeadByte(code) && i + 1 < Format.size()) out += Format[++i];
        }
    }
    return out;
}

} // namespace qx
