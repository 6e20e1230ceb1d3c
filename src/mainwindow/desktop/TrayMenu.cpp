#include "mainwindow/desktop/TrayMenu.h"

#include "documents/GlobalState.h"

#include <array>

namespace qx {

std::string TrayBannerText(int Height, const std::function<int(std::string_view)>& TextWidth)
{
    const std::array<std::string, 5> texts = {" QxEditor for Windows  " + std::string(VersionText) + " ",
                                              " QxEditor for Windows  Ver.3 ", " QxEditor for Windows ",
                                              " QxEditor  Ver.3 ", " QxEditor "};
    for (const std::string& text : texts)
        if (TextWidth(text) <= Height) return text;
    return texts.back();
}

} // namespace qx
