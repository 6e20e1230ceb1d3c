#pragma once
// The main window's search commands: find, find next and previous, replace (step by step, with a
// question near the caret, or all at once) and the tag jump from a grep result line. They keep the
// search state the main form remembers between commands and reach the window through TSearchHost.

#include "dialogs/FindDialog.h"
#include "mainwindow/commands/CommandSet.h"

#include <string>

namespace qx {

class TEditor;
class TPrompter;
struct TGlobalState;
struct TPromptRequest;

class TSearchHost {
public:
    virtual ~TSearchHost() = default;
    virtual TEditor* FocusedEditor() = 0;
    virtual TEditor* CurrentEditor() = 0;
    virtual TPrompter& Prompter() = 0;
    virtual void Beep() = 0;
    // Stops a key macro being played back (a search that finds nothing ends it).
    virtual void StopKeyMacro() = 0;
    // Show the find or replace dialog modally; the modal result.
    virtual int RunFindDialog(TFindDialogModel& Dialog) = 0;
    virtual int RunReplaceDialog(TFindDialogModel& Dialog) = 0;
    // Shows the grep dialog, which runs grep into a result tab.
    virtual void RunGrepDialog() = 0;
    // Where the replace question goes: the caret's top-left corner on the screen, the screen's width and
    // the size the question's box will have.
    virtual void CaretScreenPos(TEditor& Editor, int& X, int& Y) = 0;
    virtual int ScreenWidth() = 0;
    virtual void MessageBoxSize(const TPromptRequest& Request, int& Width, int& Height) = 0;
    // Activates the tab that shows FileName, or opens it the usual way (reporting a failure); the
    // editor that shows it, or null.
    virtual TEditor* OpenFileForTagJump(const std::string& FileName) = 0;
};

// The replace question's top-left corner: one row above the caret less the box's height, or one row
// below the caret when that would leave the screen at the top; 2 pixels right of the caret, moved left
// to 4 pixels inside the screen's right edge when the box would stick out there.
void ReplaceConfirmPosition(int CaretX, int CaretY, int RowHeight, int BoxWidth, int BoxHeight, int ScreenWidth,
                            int& X, int& Y);

class TSearchCommands {
public:
    TSearchCommands(TGlobalState& State, TSearchHost& Host) : FState(State), FHost(Host) {}

    // The search state kept between commands (Shift-JIS texts).
    std::string SearchText;
    std::string ReplaceText;
    TEditorSearchOptions SearchOptions = soForward;

    // One search with SearchText and SearchOptions in the focused editor: a hit outside the middle
    // three fifths of the window is brought a third of the way down; a miss beeps, says so and stops
    // a playing key macro.
    bool SearchAgain();
    // ActionFind, ActionFindNext, ActionFindPrev.
    void FindMenuClick();
    void FindNextMenuClick();
    void FindPrevMenuClick();
    // ActionReplace. The number of hits replaced (for the caller's benefit; nothing shows it).
    int Replace1Click();
    // ActionTagJump.
    void ActionTagJumpExecute();
    // ActionGrep.
    void ActionGrepExecute() { FHost.RunGrepDialog(); }

private:
    void NotFound();
    void ReplaceHit(TEditor& Editor);
    int AskReplace(TEditor& Editor);

    TGlobalState& FState;
    TSearchHost& FHost;
};

// Binds ActionFind, ActionFindNext, ActionFindPrev, ActionReplace, ActionGrep and ActionTagJump onto
// `Commands`, enabled while there is an editor; `Search` must outlive them.
void BindSearchCommands(TCommandSet& Commands, TSearchCommands& Search, TSearchHost& Host);

} // namespace qx
