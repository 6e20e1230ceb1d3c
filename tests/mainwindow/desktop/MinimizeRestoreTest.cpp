#include "mainwindow/desktop/MinimizeRestore.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx {
namespace {

TEST(MinimizeRestore, WhatMinimisingHidesAndRestoringShowsAgain)
{
    struct Case {
        TMinimizeState State;
        TMinimizeSteps Steps;
    };
    // StayOnTop, viewer shown, assistant shown, MinimizeToTray, tray holds the icon.
    const std::vector<Case> cases = {
        {{false, false, false, false, false}, {false, false, false}},
        // Tool windows that do not stay on top minimise with their owner by themselves.
        {{false, true, true, false, true}, {false, false, false}},
        {{true, true, false, false, false}, {true, false, false}},
        {{true, false, true, false, false}, {false, true, false}},
        {{true, true, true, true, true}, {true, true, true}},
        // Into the tray only when asked and when the tray holds the icon: no tray, no way back.
        {{false, false, false, true, false}, {false, false, false}},
        {{false, false, false, false, true}, {false, false, false}},
        {{false, false, false, true, true}, {false, false, true}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        TMinimizeRestore logic;
        const TMinimizeSteps steps = logic.Minimize(cases[i].State);
        EXPECT_EQ(steps.HideClipViewer, cases[i].Steps.HideClipViewer) << i;
        EXPECT_EQ(steps.HideWordAssistant, cases[i].Steps.HideWordAssistant) << i;
        EXPECT_EQ(steps.HideWindow, cases[i].Steps.HideWindow) << i;
        // Restoring shows what the minimise hid, and only once.
        const TRestoreSteps back = logic.Restore();
        EXPECT_EQ(back.ShowClipViewer, steps.HideClipViewer) << i;
        EXPECT_EQ(back.ShowWordAssistant, steps.HideWordAssistant) << i;
        const TRestoreSteps again = logic.Restore();
        EXPECT_FALSE(again.ShowClipViewer || again.ShowWordAssistant) << i;
    }
}

TEST(MinimizeRestore, TheTitleWhileMinimised)
{
    struct Case {
        std::string Name;
        bool ShowFilePath, MiniFullPath;
        std::optional<std::string> Title;
    };
    const std::vector<Case> cases = {
        {"/home/u/メモ.txt", true, false, "[メモ.txt] - QxEditor "},
        {"/home/u/メモ.txt", true, true, std::nullopt},   // the full path stays
        {"/home/u/メモ.txt", false, false, std::nullopt},  // the title has the name only already
        {"Project[3]:box\\item.txt", true, false, "[item.txt] - QxEditor "},
        {"無題 1", true, false, "[無題 1] - QxEditor "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TMinimizeRestore::MinimizedTitle(c.Name, c.ShowFilePath, c.MiniFullPath), c.Title) << c.Name;
}

} // namespace
} // namespace qx
