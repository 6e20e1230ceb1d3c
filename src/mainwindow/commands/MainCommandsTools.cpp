// Commands that drive other parts of the window: the bookmarks, the key macro, the clipboard's append
// and quote commands and the box paste, the wrap modes and widths, the reconversion and the character
// code.

#include "mainwindow/commands/MainCommands.h"

#include "documents/MessageTexts.h"
#include "editor/EditorControl.h"
#include "editor/QxEditor.h"
#include "mainwindow/commands/ClipboardCommands.h"
#include "mainwindow/keys/KeyMacroCommands.h"
#include "mainwindow/commands/ViewCommands.h"
#include "platform/LeadByte.h"
#include "platform/Prompter.h"

#include <algorithm>
#include <string>

namespace qx {

namespace {

// The focused pane as the clipboard commands see it.
class TFocusedClipboardEditor : public TClipboardEditor {
public:
    explicit TFocusedClipboardEditor(TEditor& Editor) : FEditor(Editor) {}
    bool ReadOnly() const override { return FEditor.ReadOnly(); }
    std::string SelText() const override { return FEditor.SelText(); }
    void CutToClipboard() override { FEditor.CutToClipboard(); }
    void CopyToClipboard() override { FEditor.CopyToClipboard(); }
    void ClearSelection() override { FEditor.DeleteSelection(); }
    void SetSelText(const std::string& Text) override { FEditor.ReplaceSelection(Text); }
    int CaretIndex() const override { return static_cast<int>(FEditor.SelStart()); }
    void SetCaretIndex(int Index) override { FEditor.SetSelStart(Index); }
    bool PasteCurPos() const override
    {
        const auto* qx = dynamic_cast<const TQxEditor*>(&FEditor);
        return !qx || qx->PasteCurPos != 0;
    }

private:
    TEditor& FEditor;
};

// Sets both panes' wrap width (the second takes the first's) and, when asked, the wrap mode.
void SetWrap(TMainCommandHost& Host, int WrapByte, int WordWrap, int ByWindow)
{
    for (TEditor* editor : {Host.CurrentEditor(), Host.SecondEditor()}) {
        if (!editor) continue;
        if (WrapByte > 0) editor->WrapOption().SetWrapByte(WrapByte);
        if (WordWrap >= 0) editor->SetWordWrap(WordWrap != 0);
        if (auto* qx = dynamic_cast<TQxEditor*>(editor); qx && ByWindow >= 0) qx->WrapByWindow = ByWindow != 0;
    }
}

} // namespace

void BindToolCommands(TCommandSet& Commands, TMainCommandHost& Host)
{
    // Bookmarks: set toggles mark d on the caret row (taking it from any other row) with its label; go
    // puts the caret on it.
    for (int d = 0; d <= 9; ++d) {
        const std::string digit = std::to_string(d);
        const auto exists = [&Host, d] {
            TEditor* editor = Host.CurrentEditor();
            return editor && editor->RowMarkExists(d);
        };
        Commands.Bind(
            "ActionShioriSet" + digit,
            [&Host, d] {
                TEditor* focused = Host.FocusedEditor();
                auto* current = dynamic_cast<TQxEditor*>(Host.CurrentEditor());
                if (!focused || !current || focused->RowCount() == 0) return;
                const int row = std::min(focused->Row(), focused->RowCount() - 1);
                if (focused->RowMarkExists(d) && focused->FindRowMark(d) == row) {
                    focused->DeleteRowMark(row, d);
                    current->SetBookmark(d, "");
                } else {
                    focused->PutRowMark(row, d);
                    current->SetBookmark(d, BookmarkLabel(focused->RowString(row)));
                }
            },
            [&Host] { return Host.FocusedEditor() != nullptr; }, exists);
        Commands.Bind(
            "ActionShioriGo" + digit,
            [&Host, d] {
                TEditor* focused = Host.FocusedEditor();
                if (!focused) return;
                focused->SetSelLength(0);
                focused->GotoRowMark(d);
            },
            exists, exists);
    }
    Commands.Bind("ActionShioriDelAll", [&Host] {
        TEditor* editor = Host.FocusedEditor();
        auto* current = dynamic_cast<TQxEditor*>(Host.CurrentEditor());
        if (!editor) return;
        for (int d = 0; d <= 9; ++d) {
            if (editor->RowMarkExists(d)) editor->DeleteRowMark(editor->FindRowMark(d), d);
            if (current) current->SetBookmark(d, "");
        }
    });

    // The key macro, its states as the macro's state says.
    Commands.Bind(
        "ActionKeyMacRec", [&Host] { Host.MacroCommands()->RecExecute(); },
        [&Host] { return Host.MacroCommands() && Host.MacroCommands()->States().RecEnabled; },
        [&Host] { return Host.MacroCommands() && Host.MacroCommands()->States().RecChecked; });
    Commands.Bind(
        "ActionKeyMacExe", [&Host] { Host.MacroCommands()->ExeExecute(); },
        [&Host] { return Host.MacroCommands() && Host.MacroCommands()->States().ExeEnabled; },
        [&Host] { return Host.MacroCommands() && Host.MacroCommands()->States().ExeChecked; });
    Commands.Bind("ActionKeyMacSave", [&Host] { Host.MacroCommands()->SaveExecute(); },
                  [&Host] { return Host.MacroCommands() != nullptr; });
    Commands.Bind("ActionKeyMacLoad", [&Host] { Host.MacroCommands()->LoadExecute(); },
                  [&Host] { return Host.MacroCommands() != nullptr; });

    // The clipboard's append and quote commands on the focused pane.
    using TClipboardCommand = void (TClipboardCommands::*)(TClipboardEditor*);
    const struct {
        const char* Action;
        TClipboardCommand Run;
        bool Cuts;
    } clipboard[] = {
        {"ActionPlusCut", &TClipboardCommands::PlusCut, true},   {"ActionPlusCopy", &TClipboardCommands::PlusCopy, false},
        {"ActionInyouCut", &TClipboardCommands::InyouCut, true}, {"ActionInyouCopy", &TClipboardCommands::InyouCopy, false},
    };
    for (const auto& c : clipboard) {
        const TClipboardCommand run = c.Run;
        const bool cuts = c.Cuts;
        Commands.Bind(
            c.Action,
            [&Host, run] {
                TEditor* editor = Host.FocusedEditor();
                if (!editor || !Host.ClipboardCommands()) return;
                TFocusedClipboardEditor pane(*editor);
                (Host.ClipboardCommands()->*run)(&pane);
            },
            [&Host, cuts] {
                return Host.ClipboardCommands() && (Host.FocusedEditor() && Host.FocusedEditor()->HasSelection()) && (!cuts || Host.Editable());
            });
    }
    const auto pasteable = [&Host] { return Host.FocusedEditor() && Host.Editable() && Host.ClipboardHasText(); };
    Commands.Bind(
        "ActionInyouPaste",
        [&Host] {
            TEditor* editor = Host.FocusedEditor();
            if (!editor || !Host.ClipboardCommands()) return;
            TFocusedClipboardEditor pane(*editor);
            Host.ClipboardCommands()->InyouPaste(&pane);
        },
        [&Host, pasteable] { return Host.ClipboardCommands() && pasteable(); });
    // The clipboard's text as a block at the caret.
    Commands.Bind(
        "ActionBoxPaste",
        [&Host] {
            TEditor* editor = Host.FocusedEditor();
            if (!editor || editor->ReadOnly() || !editor->Clipboard() || !editor->Clipboard()->HasText()) return;
            editor->InsertBlock(editor->ClipboardText());
        },
        pasteable);

    // Wrap modes and widths: typed in, or the window's columns less four; the second pane takes the
    // first's.
    const auto hasEditor = [&Host] { return Host.CurrentEditor() != nullptr; };
    // The three modes are checked by the current editor's: no wrap, at a width, at the window's edge.
    const auto wrapMode = [&Host](int Mode) {
        return [&Host, Mode] {
            TEditor* editor = Host.CurrentEditor();
            if (!editor) return false;
            const auto* qx = dynamic_cast<const TQxEditor*>(editor);
            const int current = !editor->WordWrap() ? 0 : qx && qx->WrapByWindow ? 2 : 1;
            return current == Mode;
        };
    };
    Commands.Bind("ActionNoWrap", [&Host] { SetWrap(Host, 0, 0, 0); }, hasEditor, wrapMode(0));
    Commands.Bind("ActionWrap", [&Host] { SetWrap(Host, 0, 1, 0); }, hasEditor, wrapMode(1));
    Commands.Bind(
        "ActionSetWrapByte",
        [&Host] {
            TEditor* editor = Host.CurrentEditor();
            if (!editor) return;
            if (const auto width = InputWrapByte(Host.Prompter(), editor->WrapOption().WrapByte())) SetWrap(Host, *width, -1, -1);
        },
        hasEditor);
    Commands.Bind(
        "ActionWrapWindow",
        [&Host] {
            if (TEditor* editor = Host.CurrentEditor()) SetWrap(Host, editor->VisibleCols() - 4, 1, 1);
        },
        hasEditor, wrapMode(2));
    Commands.Bind(
        "ActionWrapByteWindow",
        [&Host] {
            if (TEditor* editor = Host.CurrentEditor()) SetWrap(Host, editor->VisibleCols() - 4, -1, -1);
        },
        hasEditor);

    // Reconversion has no input method to ask here: it says so.
    Commands.Bind("ActionReHenkan", [&Host] { ReportReconversionUnsupported(Host.Prompter()); },
                  [&Host] { return Host.Editable() && (Host.FocusedEditor() && Host.FocusedEditor()->HasSelection()); });
    // The code of the character under the caret of the current editor; nothing past the row's end.
    Commands.Bind(
        "ActionCharCode",
        [&Host] {
            TEditor* editor = Host.CurrentEditor();
            if (!editor || editor->Row() >= editor->RowCount()) return;
            const std::string row = editor->RowString(editor->Row());
            const auto at = static_cast<std::size_t>(editor->ColToByte(editor->Row(), editor->Col()));
            if (at >= row.size()) return;
            Host.Beep();
            TPromptRequest request;
            request.Text = MsgCharInfo(std::string_view(row).substr(at, CharLengthAt(row, at)));
            request.Caption = "情報";
            request.Kind = TMsgDlgType::mtInformation;
            request.Buttons = {TMsgDlgBtn::mbOK};
            Host.Prompter().Show(request);
        },
        hasEditor);
}

} // namespace qx
