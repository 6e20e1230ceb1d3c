#include "mainwindow/desktop/TrayMenu.h"

#include "documents/GlobalState.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(TrayMenu, TheLongestBannerTextThatFitsTheMenusHeight)
{
    // One pixel a character: each text fits from its own length up.
    const auto width = [](std::string_view text) { return static_cast<int>(text.size()); };
    const std::string longest = " QxEditor for Windows  " + std::string(VersionText) + " ";
    const std::tuple<int, std::string> cases[] = {
        {1000, longest},
        {static_cast<int>(longest.size()), longest},
        {static_cast<int>(longest.size()) - 1, " QxEditor for Windows  Ver.3 "},
        {29, " QxEditor for Windows  Ver.3 "},
        {28, " QxEditor for Windows "},
        {22, " QxEditor for Windows "},
        {21, " QxEditor  Ver.3 "},
        {17, " QxEditor  Ver.3 "},
        {16, " QxEditor "},
        {3, " QxEditor "},  // nothing fits: the shortest
    };
    for (const auto& [height, text] : cases) EXPECT_EQ(TrayBannerText(height, width), text) << height;
}

} // namespace
} // namespace qx
