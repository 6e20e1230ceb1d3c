#include "mainwindow/commands/ClipboardCommands.h"

#include "platform/StringList.h"

namespace qx {

std::string QuoteLines(std::string_view text, std::string_view mark)
{
    TStringList lines;
    lines.SetText(text);
    std::string quoted;
    quoted.reserve(text.size() + static_cast<std::size_t>(lines.Count()) * (mark.size() + 2));
    for (const std::string& line : lines.Items()) {
        quoted += mark;
        quoted += line;
        quoted += "\r\n";
    }
    return quoted;
}

std::optional<std::string> TClipboardCommands::CurrentClipText() const
{
    if (UseClip() && FHistory.Count() > 0) return FHistory.GetText(0);
    return FClipboard.Text();
}

bool TClipboardCommands::AskQuoteMark(TQuoteMode mode)
{
    return !QuoteMarkQuery || QuoteMarkQuery(mode);
}

void TClipboardCommands::Append(TClipboardEditor* editor, bool cut)
{
    PrepareHistory();
    if (!editor) return;
    // With the history in use, only its newest entry counts: an empty history means a plain command
    // even when the clipboard holds text from before.
    const std::optional<std::string> base =
        UseClip() ? (FHistory.Count() > 0 ? std::optional<std::string>(FHistory.GetText(0)) : std::nullopt)
                  : FClipboard.Text();
    if (!base) {
        if (cut) editor->CutToClipboard();
        else editor->CopyToClipboard();
        return;
    }
    FClipboard.SetText(*base + editor->SelText());
    if (cut) editor->ClearSelection();
}

void TClipboardCommands::QuoteSelection(TClipboardEditor* editor, bool cut)
{
    PrepareHistory();
    if (!editor) return;
    if (!AskQuoteMark(cut ? TQuoteMode::Cut : TQuoteMode::Copy)) return;
    FClipboard.SetText(QuoteLines(editor->SelText(), FSettings.Option.InyouString1));
    if (cut) editor->ClearSelection();
}

void TClipboardCommands::InyouPaste(TClipboardEditor* editor)
{
    PrepareHistory();
    if (!editor || editor->ReadOnly()) return;
    if (!AskQuoteMark(TQuoteMode::Paste)) return;
    const int caret = editor->CaretIndex();
    const std::optional<std::string> source = CurrentClipText();
    // Nothing to paste leaves the selection alone (replacing it by nothing would delete it).
    if (!source || source->empty()) return;
    editor->SetSelText(QuoteLines(*source, FSettings.Option.InyouString1));
    if (!editor->PasteCurPos()) editor->SetCaretIndex(caret);
}

} // namespace qx
