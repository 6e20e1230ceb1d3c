#include "mainwindow/commands/MenuStates.h"

#include <gtest/gtest.h>

#include <functional>

namespace qx {
namespace {

TEST(MenuStates, TheFileMenuByTabsDocumentAndSettings)
{
    struct Case {
        const char* What;
        std::function<void(TMainSettings&)> Set;
        int Tabs;
        bool Named;
        std::function<void(TFileMenuState&)> Expect;
    };
    const Case cases[] = {
        {"defaults, two named tabs", [](TMainSettings&) {}, 2, true, [](TFileMenuState&) {}},
        {"one tab: nothing to close all", [](TMainSettings&) {}, 1, true,
         [](TFileMenuState& s) { s.AllCloseEnabled = false; }},
        {"an untitled, grep or project document has no file to reopen", [](TMainSettings&) {}, 3, false,
         [](TFileMenuState& s) { s.ReloadEnabled = false; }},
        {"print group partly hidden keeps its separator",
         [](TMainSettings& m) { m.Menu.PrintPreviewMenu = m.Menu.PrintMenu = false; }, 2, true,
         [](TFileMenuState& s) { s.PrintPreview = s.Print = false; }},
        {"print group wholly hidden loses its separator",
         [](TMainSettings& m) { m.Menu.PrintPreviewMenu = m.Menu.PrintMenu = m.Menu.SendMailMenu = false; }, 2,
         true, [](TFileMenuState& s) { s.PrintPreview = s.Print = s.SendMail = s.PrintSeparator = false; }},
        {"optional items by their settings",
         [](TMainSettings& m) {
             m.Menu.ReloadMenu = m.Menu.FavoriteMenu = m.Menu.RtnOpenMenu = m.Menu.HTMLSaveMenu = false;
         },
         2, true, [](TFileMenuState& s) { s.Reload = s.Favorite = s.RtnOpen = s.HtmlSave = false; }},
        {"no history number: no recent files", [](TMainSettings& m) { m.Option.FileHistoryNumber = 0; }, 2,
         true, [](TFileMenuState& s) { s.RecentFiles = false; }},
    };
    for (const Case& c : cases) {
        TMainSettings s;
        c.Set(s);
        TFileMenuState expected;
        c.Expect(expected);
        EXPECT_EQ(FileMenuState(s, c.Tabs, c.Named), expected) << c.What;
    }
}

} // namespace
} // namespace qx
