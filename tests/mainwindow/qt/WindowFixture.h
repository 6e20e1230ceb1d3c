#pragma once
// A main window over a program folder of its own: the state, the scripted prompter and the window that
// the tests of the window's roads share.

#include "documents/GlobalState.h"
#include "mainwindow/qt/QxEditorMain.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace qx::test {

struct WindowFixture : ::testing::Test {
    TempDir Dir;
    TGlobalState State;
    ScriptedMessagePrompter Prompter;
    std::unique_ptr<TQxEditorMain> Window;

    // A new window over a fresh state whose program folder is Dir; the old window goes first.
    void MakeWindow()
    {
        Window.reset();
        State = TGlobalState();
        State.ProgramFolder = Dir.Path() + "/";
        Window = std::make_unique<TQxEditorMain>(State, Prompter);
    }
};

} // namespace qx::test
