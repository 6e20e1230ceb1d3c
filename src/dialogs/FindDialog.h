#pragma once
// The find and replace dialogs without their windows: the controls as values, the text histories, the
// option bits the main form searches with, and ExecuteFind/ExecuteReplace, which run a dialog and
// prepare the editor so that the search starts where the user expects. Texts are Shift-JIS (the
// editor's bytes, as the histories keep them); the windows convert what they show.

#include "editor/TextSearch.h"

#include <functional>
#include <string>
#include <string_view>

namespace qx {

class TEditor;
class TStringList;
struct TGlobalState;

// Bits the replace dialog adds to the search options.
constexpr TEditorSearchOptions soReplaceStep = 0x10;     // closed with OK: one hit per command
constexpr TEditorSearchOptions soReplaceAll = 0x20;      // closed with "すべて置換"
constexpr TEditorSearchOptions soReplaceConfirm = 0x40;  // ask before each replacement

// The text histories keep the most recent entry first, no two alike, at most ten.
inline constexpr int TextHistoryMax = 10;
// Moves Text to the top of History (an exact duplicate removed) and cuts it to ten; an empty text
// leaves the history alone.
void AddToHistory(TStringList& History, const std::string& Text);

// "\n" becomes CR LF, "\t" a tab, "\\" one backslash; any other character is copied (a backslash
// before anything else stays a backslash, and the trail byte of a double-byte character is never read
// as one).
std::string ExpandEscapes(std::string_view S);

// The direction radio group's items.
enum TSearchDirection { sdForward = 0, sdBackward = 1, sdWholeText = 2 };

// The state of the dialogs' controls.
struct TSearchControls {
    std::string FindText;     // FindTextComboBox / FindText
    std::string ReplaceText;  // ReplaceText
    bool WholeWord = false;
    bool MatchCase = false;
    bool NoMatchZenkaku = false;
    bool IncludeCRLF = false;
    bool Escape = false;
    int Direction = sdForward;
    bool ReplaceConfirm = true;  // the replace dialog's ReplaceConfirmCheck
};

// One find or replace dialog's logic. The window copies the controls in and out and calls the handlers.
class TFindDialogModel {
public:
    TFindDialogModel(TGlobalState& State, bool Replace);

    bool IsReplace() const { return FReplace; }
    TSearchControls Controls;

    // The show handler: the settings and histories are loaded, the options set from them; the find
    // text is the editor's selection when it has one, else the newest history entry; the replacement
    // starts empty; no button has closed the dialog yet.
    void FormShow(const TEditor* Editor);
    // OK and "すべて置換": the non-empty texts go to the top of their histories and the settings are
    // saved.
    void OKButtonClick();
    void AllReplaceButtonClick();

    // GetFindOptions / GetReplaceOptions: the bits of the controls (the replace dialog's with 16 after
    // OK, 32 after "すべて置換").
    TEditorSearchOptions Options() const;

    const TStringList& FindHistory() const;
    const TStringList& ReplaceHistory() const;

private:
    void SaveHistory();

    TGlobalState& FState;
    bool FReplace;
    bool FOkClicked = false;
    bool FAllClicked = false;
};

// Shows the dialog modally and returns its modal result (the window's exec, or a test's script).
using TRunModal = std::function<int(TFindDialogModel& Dialog)>;

// Runs the find dialog. True when it was closed with OK and a find text: Text is that text (escapes
// expanded when asked) and Options its bits, and the editor is prepared: the whole-text direction puts
// the caret at the start; a selection is dropped with the caret at its start (forward) or its end
// (backward), so that the selected text itself is found first. False changes nothing.
bool ExecuteFind(TFindDialogModel& Dialog, const TRunModal& RunModal, TEditor* Editor, std::string& Text,
                 TEditorSearchOptions& Options);
// The same for the replace dialog, accepted with OK or "すべて置換"; both texts are expanded.
bool ExecuteReplace(TFindDialogModel& Dialog, const TRunModal& RunModal, TEditor* Editor, std::string& FindText,
                    std::string& ReplaceText, TEditorSearchOptions& Options);

} // namespace qx
