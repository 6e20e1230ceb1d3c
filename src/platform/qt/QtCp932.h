#pragma once
// Shift-JIS text to and from the widgets' strings, through the program's one code page 932 codec.

#include "platform/Cp932.h"

#include <QString>

#include <string>
#include <string_view>

namespace qx {

inline QString SjisToQString(std::string_view Sjis)
{
    const std::u16string text = Cp932ToUtf16(Sjis);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Characters without a code become '?'.
inline std::string QStringToSjis(const QString& Text)
{
    return Utf16ToCp932(std::u16string_view(reinterpret_cast<const char16_t*>(Text.utf16()),
                                            static_cast<std::size_t>(Text.size())));
}

} // namespace qx
