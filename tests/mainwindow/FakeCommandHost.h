#pragma once
// A main window for the command handlers' tests: one or two panes over a real editor control on the
// editor tests' fake window, tab and split state as plain fields, and a log of the window calls.

#include "documents/Settings.h"
#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "mainwindow/FakeFileRoadHost.h"
#include "dialogs/ClipBoardHistory.h"
#include "mainwindow/commands/ClipboardCommands.h"
#include "mainwindow/keys/KeyMacro.h"
#include "mainwindow/keys/KeyMacroCommands.h"
#include "mainwindow/commands/MainCommands.h"
#include "platform/Launcher.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompter.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qx::test {

// The clipboard's text as the clipboard commands see it.
class StringTextClipboard : public TTextClipboard {
public:
    std::optional<std::string> Text() const override { return Content; }
    void SetText(const std::string& Value) override { Content = Value; }
    std::optional<std::string> Content;
};

class FakeCommandHost : public TMainCommandHost {
public:
    FakeCommandHost() : Main(Construct<TQxEditor>()) {}

    // Adds a second pane over the first pane's text.
    void Split()
    {
        Second = std::make_unique<HostedEditor>(Construct<TQxEditor>());
        Second->Editor->ShareList(Main.Editor.get());
    }
    TQxEditor& Qx() { return static_cast<TQxEditor&>(*Main.Editor); }

    TEditor* CurrentEditor() override { return Main.Editor.get(); }
    TEditor* FocusedEditor() override { return FocusSecond && Second ? Second->Editor.get() : Main.Editor.get(); }
    TEditor* SecondEditor() override { return Second ? Second->Editor.get() : nullptr; }
    TPrompter& Prompter() override { return Prompts; }
    TMainSettings& Settings() override { return MainSettings; }
    bool EditQuoteMarks(int Mode) override
    {
        Log.push_back("EditQuoteMarks " + std::to_string(Mode));
        return QuoteMarksAccepted;
    }
    int TabCount() const override { return Tabs; }
    int CurrentTab() const override { return Tab; }
    void SelectTab(int Page) override { Tab = Page; }
    bool AnyModified() const override { return Main.Editor->Modified(); }
    void NewTab() override { Log.push_back("NewTab"); }
    void CloseActive() override { Log.push_back("CloseActive"); }
    void CloseAll() override { Log.push_back("CloseAll"); }
    bool HasSplit() const override { return Second != nullptr; }
    void CreateSplit() override { Split(); }
    void RemoveSplit() override { Second.reset(); }
    bool FileSave() override
    {
        Log.push_back("FileSave");
        return true;
    }
    TFileRoadHost& Files() override { return FileRoads; }
    TLauncher& Launcher() override { return Launch; }
    std::string ProgramPath() override { return "/opt/qx/QxEditor"; }
    bool SecondCopyAllowed() override { return SecondCopy; }
    bool StayOnTop() override { return OnTop; }
    void SetStayOnTop(bool Value) override { OnTop = Value; }
    bool Minimized() override { return IsMinimized; }
    bool Editable() override { return !Main.Editor->ReadOnly(); }
    void SetEditMode(bool Value) override { Main.Editor->SetReadOnly(!Value); }
    void Quit() override { Log.push_back("Quit"); }
    void CloseWindow() override { Log.push_back("CloseWindow"); }
    TKeyMacroCommands* MacroCommands() override { return &MacroCmds; }
    TClipboardCommands* ClipboardCommands() override { return &ClipCmds; }
    void Beep() override { Log.push_back("Beep"); }
    bool ClipboardHasText() override { return Main.Clipboard.HasText(); }
    void PrepareClipboardHistory() override { Log.push_back("PrepareClipboardHistory"); }

    HostedEditor Main;
    std::unique_ptr<HostedEditor> Second;
    bool FocusSecond = false;
    int Tabs = 1;
    int Tab = 0;
    ScriptedMessagePrompter Prompts;
    TMainSettings MainSettings;
    bool QuoteMarksAccepted = true;
    FakeFileRoadHost FileRoads;
    RecordingLauncher Launch;
    bool SecondCopy = false;
    bool OnTop = false;
    bool IsMinimized = false;
    TKeyMacro Macro;
    TKeyMacroCommands MacroCmds{Macro, Prompts, FileRoads.FileDialogs};
    TQxClipBoardHistory History;
    StringTextClipboard TextClipboard;
    TClipboardCommands ClipCmds{MainSettings, History, TextClipboard};
    std::vector<std::string> Log;
};

} // namespace qx::test
