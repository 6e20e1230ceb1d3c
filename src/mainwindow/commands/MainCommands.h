#pragma once
// The handlers of the main window's commands and the rules that enable and check them, bound onto the
// command set by concern (file, edit, view and window). They work on the active tab's editors and reach
// the rest of the window through a small host, which the Qt window implements and tests fake.

#include "mainwindow/commands/CommandSet.h"

#include <string>

namespace qx {

class TClipboardCommands;
class TEditor;
class TFileRoadHost;
class TKeyMacroCommands;
class TLauncher;
class TPrompter;
struct TMainSettings;

class TMainCommandHost {
public:
    virtual ~TMainCommandHost() = default;

    // The active tab's editor, the pane that has (or last had) the focus, and the second pane of a split
    // tab; null when there is none.
    virtual TEditor* CurrentEditor() = 0;
    virtual TEditor* FocusedEditor() = 0;
    virtual TEditor* SecondEditor() = 0;
    virtual TPrompter& Prompter() = 0;
    // The program's settings (the quote marks, the clipboard history's switches).
    virtual TMainSettings& Settings() = 0;
    // The quote-mark dialog for a command (3 enclose, 4 before lines, 5 after lines): it edits the marks
    // in the settings; false when the user cancelled.
    virtual bool EditQuoteMarks(int Mode) = 0;

    // Tabs.
    virtual int TabCount() const = 0;
    virtual int CurrentTab() const = 0;
    virtual void SelectTab(int Page) = 0;
    virtual bool AnyModified() const = 0;
    virtual void NewTab() = 0;
    virtual void CloseActive() = 0;
    virtual void CloseAll() = 0;
    virtual bool HasSplit() const = 0;
    virtual void CreateSplit() = 0;
    virtual void RemoveSplit() = 0;

    // Saving through the window (the close walk's road), and the file roads' host.
    virtual bool FileSave() = 0;
    virtual TFileRoadHost& Files() = 0;
    // Starting programs and opening files with their associated programs; the program's own path.
    virtual TLauncher& Launcher() = 0;
    virtual std::string ProgramPath() = 0;
    // Whether a second copy of the program may run ([Basic] "NotExecute" off).
    virtual bool SecondCopyAllowed() = 0;
    // The window's stay-on-top setting, and whether the window is minimised.
    virtual bool StayOnTop() = 0;
    virtual void SetStayOnTop(bool Value) = 0;
    virtual bool Minimized() = 0;

    // The edit mode (false: write-protected) and whether the document was opened read-only.
    virtual bool Editable() = 0;
    virtual void SetEditMode(bool Editable) = 0;

    // File > Exit, and the close button's command (to the tray in resident mode).
    virtual void Quit() = 0;
    virtual void CloseWindow() = 0;

    // The key macro's and the clipboard's commands (null until the window's components are there).
    virtual TKeyMacroCommands* MacroCommands() = 0;
    virtual TClipboardCommands* ClipboardCommands() = 0;
    virtual void Beep() = 0;

    // Whether the clipboard holds text.
    virtual bool ClipboardHasText() = 0;
    // Before the editor's own cut or copy: the clipboard history records it only while it is in use.
    virtual void PrepareClipboardHistory() = 0;
};

// Binds every command this file's concerns hold onto `Commands`; `Host` must outlive them.
void BindFileCommands(TCommandSet& Commands, TMainCommandHost& Host);
void BindEditCommands(TCommandSet& Commands, TMainCommandHost& Host);
void BindTextCommands(TCommandSet& Commands, TMainCommandHost& Host);
void BindViewCommands(TCommandSet& Commands, TMainCommandHost& Host);
void BindWindowCommands(TCommandSet& Commands, TMainCommandHost& Host);
void BindToolCommands(TCommandSet& Commands, TMainCommandHost& Host);

// A file or program the desktop could not open (an error box).
void ReportShellOpenFailed(TPrompter& Prompter, const std::string& Name);

// All of them.
void BindMainCommands(TCommandSet& Commands, TMainCommandHost& Host);

} // namespace qx
