// The find and replace dialogs' logic: histories, option bits, escapes and how the editor is prepared
// for the search that follows.

#include "dialogs/FindDialog.h"

#include "documents/FileHistory.h"
#include "documents/GlobalState.h"
#include "documents/MainSettings.h"
#include "editor/EditorControl.h"
#include "platform/LeadByte.h"
#include "platform/Prompter.h"

namespace qx {

void AddToHistory(TStringList& History, const std::string& Text)
{
    if (Text.empty()) return;
    AddToTop(History, Text);
    while (History.Count() > TextHistoryMax) History.Delete(History.Count() - 1);
}

std::string ExpandEscapes(std::string_view S)
{
    std::string out;
    out.reserve(S.size());
    for (std::size_t i = 0; i < S.size();) {
        const std::size_t len = CharLengthAt(S, i);
        if (len == 1 && S[i] == '\\' && i + 1 < S.size()) {
            const char next = S[i + 1];
            if (next == 'n') {
                out += "\r\n";
                i += 2;
                continue;
            }
            if (next == 't' || next == '\\') {
                out += next == 't' ? '\t' : '\\';
                i += 2;
                continue;
            }
        }
        out.append(S.substr(i, len));
        i += len;
    }
    return out;
}

TFindDialogModel::TFindDialogModel(TGlobalState& State, bool Replace) : FState(State), FReplace(Replace) {}

void TFindDialogModel::FormShow(const TEditor* Editor)
{
    FOkClicked = FAllClicked = false;
    if (FReplace)
        LoadReplaceSettings(FState);
    else
        LoadFindSettings(FState);
    const TFindSettings& s = FState.Settings.Find;
    Controls.MatchCase = s.MatchCase;
    Controls.WholeWord = s.WholeWord;
    Controls.NoMatchZenkaku = s.NoMatchZenkaku;
    Controls.IncludeCRLF = s.IncludeCRLF;
    Controls.Escape = s.Escape;
    Controls.Direction = s.Direction >= sdForward && s.Direction <= sdWholeText ? s.Direction : sdForward;
    const std::string selection = Editor ? Editor->SelText() : std::string();
    if (!selection.empty())
        Controls.FindText = selection;
    else if (!FState.FindHistory.Empty())
        Controls.FindText = FState.FindHistory[0];
    else
        Controls.FindText.clear();
    Controls.ReplaceText.clear();
}

void TFindDialogModel::SaveHistory()
{
    AddToHistory(FState.FindHistory, Controls.FindText);
    if (FReplace) AddToHistory(FState.ReplaceHistory, Controls.ReplaceText);
    TFindSettings& s = FState.Settings.Find;
    s.MatchCase = Controls.MatchCase;
    s.WholeWord = Controls.WholeWord;
    s.NoMatchZenkaku = Controls.NoMatchZenkaku;
    s.IncludeCRLF = Controls.IncludeCRLF;
    s.Escape = Controls.Escape;
    s.Direction = Controls.Direction;
    if (FReplace)
        SaveReplaceSettings(FState);
    else
        SaveFindSettings(FState);
}

void TFindDialogModel::OKButtonClick()
{
    FOkClicked = true;
    SaveHistory();
}

void TFindDialogModel::AllReplaceButtonClick()
{
    FAllClicked = true;
    SaveHistory();
}

TEditorSearchOptions TFindDialogModel::Options() const
{
    TEditorSearchOptions o = 0;
    if (Controls.Direction != sdBackward) o |= soForward;
    if (Controls.MatchCase) o |= soMatchCase;
    if (Controls.WholeWord) o |= soWholeWord;
    if (Controls.NoMatchZenkaku) o |= soIgnoreWidth;
    if (Controls.IncludeCRLF) o |= soSkipLineEnds | soSkipBlanks;
    if (FReplace) {
        if (FOkClicked) o |= soReplaceStep;
        if (FAllClicked) o |= soReplaceAll;
        if (Controls.ReplaceConfirm) o |= soReplaceConfirm;
    }
    return o;
}

const TStringList& TFindDialogModel::FindHistory() const { return FState.FindHistory; }
const TStringList& TFindDialogModel::ReplaceHistory() const { return FState.ReplaceHistory; }

namespace {

// Where the search of an accepted dialog starts: see ExecuteFind.
void PrepareEditor(TEditor* Editor, const TFindDialogModel& Dialog)
{
    if (!Editor) return;
    if (Dialog.Controls.Direction == sdWholeText) Editor->SetSelStart(0);
    if (Editor->SelLength() > 0) {
        if (Dialog.Controls.Direction == sdBackward)
            Editor->SetSelStart(Editor->SelStart() + Editor->SelLength());
        else
            Editor->SetSelLength(0);
    }
}

std::string Expanded(const TFindDialogModel& Dialog, const std::string& S)
{
    return Dialog.Controls.Escape ? ExpandEscapes(S) : S;
}

} // namespace

bool ExecuteFind(TFindDialogModel& Dialog, const TRunModal& RunModal, TEditor* Editor, std::string& Text,
                 TEditorSearchOptions& Options)
{
    if (RunModal(Dialog) != mr::Ok || Dialog.Controls.FindText.empty()) return false;
    Text = Expanded(Dialog, Dialog.Controls.FindText);
    Options = Dialog.Options();
    PrepareEditor(Editor, Dialog);
    return true;
}

bool ExecuteReplace(TFindDialogModel& Dialog, const TRunModal& RunModal, TEditor* Editor, std::string& FindText,
                    std::string& ReplaceText, TEditorSearchOptions& Options)
{
    const int result = RunModal(Dialog);
    if ((result != mr::Ok && result != mr::All) || Dialog.Controls.FindText.empty()) return false;
    FindText = Expanded(Dialog, Dialog.Controls.FindText);
    ReplaceText = Expanded(Dialog, Dialog.Controls.ReplaceText);
    Options = Dialog.Options();
    PrepareEditor(Editor, Dialog);
    return true;
}

} // namespace qx
