// The main window's search commands over TSearchHost.

#include "mainwindow/commands/SearchCommands.h"

#include "dialogs/GrepDialog.h"
#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "editor/EditorControl.h"

#include <algorithm>
#include <sys/stat.h>

namespace qx {

void ReplaceConfirmPosition(int CaretX, int CaretY, int RowHeight, int BoxWidth, int BoxHeight, int ScreenWidth,
                            int& X, int& Y)
{
    Y = CaretY - RowHeight - BoxHeight;
    if (Y < 0) Y = CaretY + RowHeight;
    X = CaretX + 2;
    if (X + BoxWidth > ScreenWidth) X = ScreenWidth - BoxWidth - 4;
}

namespace {

// The replace commands show a caret-style hit as a drawn one for their duration, whatever way they end.
class THitStyleScope {
public:
    explicit THitStyleScope(TEditor& Editor) : FEditor(Editor), FOld(Editor.HitStyle())
    {
        if (FOld == hsCaret) FEditor.SetHitStyle(hsDraw);
    }
    ~THitStyleScope()
    {
        if (FOld == hsCaret) FEditor.SetHitStyle(FOld);
    }
    THitStyleScope(const THitStyleScope&) = delete;
    THitStyleScope& operator=(const THitStyleScope&) = delete;

private:
    TEditor& FEditor;
    TEditorHitStyle FOld;
};

} // namespace

void TSearchCommands::NotFound()
{
    FHost.Beep();
    ShowMessageDialog(FHost.Prompter(), MsgSearchNotFound(SearchText), "確認", TMsgDlgType::mtInformation,
                      {TMsgDlgBtn::mbOK});
    FHost.StopKeyMacro();
}

bool TSearchCommands::SearchAgain()
{
    TEditor* editor = FHost.FocusedEditor();
    if (!editor) return false;
    if (!editor->Search(SearchText, SearchOptions)) {
        NotFound();
        return false;
    }
    const int v = editor->VisibleRows();
    const int d = editor->Row() - editor->TopRow();
    if (d > v * 4 / 5 || d < v / 5) editor->SetTopRow(editor->Row() - v / 3);
    return true;
}

void TSearchCommands::FindMenuClick()
{
    const std::string old = SearchText;
    TFindDialogModel dialog(FState, false);
    const TRunModal run = [this](TFindDialogModel& d) { return FHost.RunFindDialog(d); };
    if (ExecuteFind(dialog, run, FHost.FocusedEditor(), SearchText, SearchOptions))
        SearchAgain();
    else
        SearchText = old;
}

void TSearchCommands::FindNextMenuClick()
{
    if (SearchText.empty()) return;
    SearchOptions |= soForward;
    SearchAgain();
}

void TSearchCommands::FindPrevMenuClick()
{
    if (SearchText.empty()) return;
    SearchOptions &= static_cast<TEditorSearchOptions>(~soForward);
    SearchAgain();
}

void TSearchCommands::ReplaceHit(TEditor& Editor)
{
    if (Editor.SelectionState() == 3) Editor.HitToSelection();
    const std::int64_t start = Editor.SelStart();
    Editor.ReplaceSelection(ReplaceText);
    if (!(SearchOptions & soForward)) Editor.SetSelStart(start);
}

int TSearchCommands::AskReplace(TEditor& Editor)
{
    TPromptRequest request;
    request.Text = MsgReplaceConfirm(SearchText, ReplaceText);
    request.Caption = "確認";
    request.Kind = TMsgDlgType::mtConfirmation;
    request.Buttons = {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbAll};
    int caretX = 0, caretY = 0, width = 0, height = 0;
    FHost.CaretScreenPos(Editor, caretX, caretY);
    FHost.MessageBoxSize(request, width, height);
    int x = 0, y = 0;
    ReplaceConfirmPosition(caretX, caretY, Editor.RowHeight(), width, height, FHost.ScreenWidth(), x, y);
    return ShowMessageDialogAt(FHost.Prompter(), request.Text, request.Caption, request.Kind, request.Buttons, x, y);
}

int TSearchCommands::Replace1Click()
{
    const std::string oldSearch = SearchText, oldReplace = ReplaceText;
    TFindDialogModel dialog(FState, true);
    const TRunModal run = [this](TFindDialogModel& d) { return FHost.RunReplaceDialog(d); };
    if (!ExecuteReplace(dialog, run, FHost.FocusedEditor(), SearchText, ReplaceText, SearchOptions)) {
        SearchText = oldSearch;
        ReplaceText = oldReplace;
        return 0;
    }
    TEditor* editor = FHost.FocusedEditor();
    if (!editor) return 0;
    THitStyleScope hitStyle(*editor);
    int count = 0;
    for (;;) {
        if ((SearchOptions & soReplaceAll) && !(SearchOptions & soReplaceConfirm)) {
            // Every remaining hit in one edit: one undo step and one repaint, then the miss that ends
            // the search is reported as a search of each would have.
            count += editor->ReplaceAll(SearchText, ReplaceText, SearchOptions);
            NotFound();
            break;
        }
        if (!SearchAgain()) break;
        if (SearchOptions & soReplaceConfirm) {
            const int answer = AskReplace(*editor);
            if (answer == mr::Cancel) break;
            if (answer == mr::All) {
                SearchOptions |= soReplaceAll;
                SearchOptions &= static_cast<TEditorSearchOptions>(~soReplaceConfirm);
            }
            if (answer == mr::Yes || answer == mr::All) {
                ReplaceHit(*editor);
                ++count;
            }
        } else {
            ReplaceHit(*editor);
            ++count;
        }
        if (!(SearchOptions & soReplaceAll)) break;
    }
    return count;
}

void TSearchCommands::ActionTagJumpExecute()
{
    TEditor* editor = FHost.CurrentEditor();
    if (!editor) return;
    std::optional<TTagJumpTarget> target;
    if (editor->RowCount() > 0) {
        const int row = std::min(editor->Row(), editor->RowCount() - 1);
        target = ParseTagJumpLine(editor->Lines().Get(editor->RowToLine(row)));
    }
    if (!target) {
        FHost.Beep();
        ShowMessageDialog(FHost.Prompter(), "ファイルが見つかりません。", "情報", TMsgDlgType::mtInformation,
                          {TMsgDlgBtn::mbOK});
        return;
    }
    const std::string path = DocumentTextToPath(target->FileName, [](const std::string& Name) {
        struct stat st {};
        return ::stat(Name.c_str(), &st) == 0;
    });
    TEditor* shown = FHost.OpenFileForTagJump(path);
    if (!shown || shown->Lines().Count() == 0) return;
    const int row = shown->LineToRow(std::min(target->Line, shown->Lines().Count()) - 1);
    shown->SetRowCol(row, 0);
    shown->SetTopRow(shown->Row() - shown->VisibleRows() / 2);
}

void BindSearchCommands(TCommandSet& Commands, TSearchCommands& Search, TSearchHost& Host)
{
    const auto hasEditor = [&Host] { return Host.CurrentEditor() != nullptr; };
    Commands.Bind("ActionFind", [&Search] { Search.FindMenuClick(); }, hasEditor);
    Commands.Bind("ActionFindNext", [&Search] { Search.FindNextMenuClick(); }, hasEditor);
    Commands.Bind("ActionFindPrev", [&Search] { Search.FindPrevMenuClick(); }, hasEditor);
    // A write-protected document offers no replace: it could only fail.
    Commands.Bind("ActionReplace", [&Search] { Search.Replace1Click(); }, [&Host] {
        const TEditor* editor = Host.CurrentEditor();
        return editor && !editor->ReadOnly();
    });
    Commands.Bind("ActionGrep", [&Search] { Search.ActionGrepExecute(); });
    Commands.Bind("ActionTagJump", [&Search] { Search.ActionTagJumpExecute(); }, hasEditor);
}

} // namespace qx
