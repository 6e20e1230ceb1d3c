#pragma once
// The clipboard commands beyond plain cut, copy and paste: appending the selection to the clipboard
// text, and cutting, copying and pasting with a quote mark before every line. They work on the focused
// editor pane through a small seam (the editing control implements it) and on the clipboard's text;
// while the clipboard history is in use ([ClipBoardViewer] "UseClip"), its newest entry stands for the
// clipboard. Every text here is CP932.

#include "documents/Settings.h"
#include "dialogs/ClipBoardHistory.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// `text` split into lines (CR, LF and CR LF end a line; a final line end adds no line), `mark` before
// each, every line followed by CR LF. "x\r\ny" with ">" gives ">x\r\n>y\r\n".
std::string QuoteLines(std::string_view text, std::string_view mark);

// What the commands need of the focused editor pane.
class TClipboardEditor {
public:
    virtual ~TClipboardEditor() = default;
    virtual bool ReadOnly() const = 0;
    virtual std::string SelText() const = 0;
    // The editor's own cut and copy (they put the selection on the clipboard).
    virtual void CutToClipboard() = 0;
    virtual void CopyToClipboard() = 0;
    // Deletes the selection.
    virtual void ClearSelection() = 0;
    // Replaces the selection by `text`, or inserts it at the caret when nothing is selected.
    virtual void SetSelText(const std::string& text) = 0;
    // The caret as a character index, and moving it there (no selection).
    virtual int CaretIndex() const = 0;
    virtual void SetCaretIndex(int index) = 0;
    // The editor option that leaves the caret after pasted text.
    virtual bool PasteCurPos() const = 0;
};

// The clipboard's text.
class TTextClipboard {
public:
    virtual ~TTextClipboard() = default;
    // The text on the clipboard; nothing when it holds none.
    virtual std::optional<std::string> Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

// The quoted commands' dialog modes.
enum class TQuoteMode { Cut = 0, Copy = 1, Paste = 2 };
// Shows the quote-mark dialog for `mode`, which edits the mark in the settings; false when the user
// cancels.
using TQuoteMarkQuery = std::function<bool(TQuoteMode mode)>;

class TClipboardCommands {
public:
    // `settings` gives "UseClip" and the quote mark InyouString1 (which the dialog may change).
    TClipboardCommands(TMainSettings& settings, TQxClipBoardHistory& history, TTextClipboard& clipboard)
        : FSettings(settings), FHistory(history), FClipboard(clipboard) {}

    // The quote-mark dialog; without one the current mark is used as it is.
    TQuoteMarkQuery QuoteMarkQuery;

    // Each takes the focused editor pane (null: nothing to do).
    void PlusCut(TClipboardEditor* editor) { Append(editor, true); }
    void PlusCopy(TClipboardEditor* editor) { Append(editor, false); }
    void InyouCut(TClipboardEditor* editor) { QuoteSelection(editor, true); }
    void InyouCopy(TClipboardEditor* editor) { QuoteSelection(editor, false); }
    void InyouPaste(TClipboardEditor* editor);

private:
    bool UseClip() const { return FSettings.ClipBoardViewer.UseClip; }
    // Records the command's own clipboard text only while the history is in use.
    void PrepareHistory() { FHistory.SetCanUpdate(UseClip()); }
    // The text the commands take as the clipboard's: the history's newest entry while it is in use and
    // not empty, else the clipboard's text.
    std::optional<std::string> CurrentClipText() const;
    bool AskQuoteMark(TQuoteMode mode);
    void Append(TClipboardEditor* editor, bool cut);
    void QuoteSelection(TClipboardEditor* editor, bool cut);

    TMainSettings& FSettings;
    TQxClipBoardHistory& FHistory;
    TTextClipboard& FClipboard;
};

} // namespace qx
