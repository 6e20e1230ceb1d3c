#pragma once
// The row store of a text: one item per displayed row, shared by every editor view that shows the text
// (a split window shows one store in two views). It owns the wrap options and the undo buffer and offers
// the one edit primitive through which every change of text passes: replace a run of rows by a text,
// re-wrap the logical lines it touches, record the change for undo, carry the lexer state forward and
// tell the views what changed.
//
// A line end counts as two characters in character offsets. Line numbers, character offsets and the
// text length come from prefix sums over the rows (O(log n)), never from a walk from row 0.

#include "editor/EditorView.h"
#include "editor/EditorWrap.h"
#include "editor/RowAttributes.h"
#include "editor/RowOffsetIndex.h"
#include "editor/UndoList.h"
#include "platform/FileBytes.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// A plain row list, used for temporary rows (wrap results, undo, a text laid out before it is shown).
class TEditorStringList : public TRowAttributeStringList {
public:
    // Appends a row with its attribute (raEnd, raWrapped or raEof) and nothing else, announcing nothing.
    void AppendLaidOutRow(std::string_view Text, int Attribute)
    {
        AppendRow(Text, static_cast<std::uint32_t>(Attribute) & 3u);
    }
};

// What the last edit changed, read by the views while they repaint; cleared after each update batch.
struct TEditorUpdateRange {
    int StartRow = 0;
    int OldRowCount = 0;
    int StateRowCount = 0;  // rows whose lexer state changed
    int NewRowCount = 0;
    bool Valid = false;
};

// A stretch of the text: from byte StartByte of row StartRow to byte EndByte of row EndRow, the end
// excluded; a row's bytes are its text and then CR LF when it ends its line.
struct TTextSpan {
    int StartRow = 0;
    std::size_t StartByte = 0;
    int EndRow = 0;
    std::size_t EndByte = 0;
};

// A run of rows as text: CR LF after each row that ends its line.
struct TRowsText {
    int LastAttr = uaNoText;  // attribute of the run's last row; 3 for an invalid start row
    int Rows = 0;
    std::string Text;
};

class TEditorScreenStrings : public TEditorStringList {
public:
    TEditorScreenStrings();
    ~TEditorScreenStrings() override;
    // Creates the undo buffer and the wrap options through the virtual factories.
    void AfterConstruction() override;

    // Views. The first is the main view; the store does not own them. The editors share the store
    // (through a std::shared_ptr) and free it with the last one; RemoveView answers whether any view is
    // left.
    void AddView(TEditorView* View);
    bool RemoveView(TEditorView* View);
    const std::vector<TEditorView*>& Views() const { return FViews; }
    TEditorView* MainView() const { return FViews.empty() ? nullptr : FViews.front(); }
    // The first view with the input focus, else the main view.
    TEditorView* ActiveView() const;

    TEditorUpdateRange UpdateRange;
    TEditorUndoObj& UndoObj() { return *FUndoObj; }
    TEditorWrapOption& WrapOption() { return *FWrapOption; }
    const TEditorWrapOption& WrapOption() const { return *FWrapOption; }
    bool WordWrap() const { return FWordWrap; }
    // Re-wraps (on) or joins (off) every line.
    void SetWordWrap(bool Value);

    // Row marks: bit N of MarksInUse is set while row mark N may be held by a row.
    virtual int GetMarksInUse() const { return FMarksInUse; }
    virtual void IncludeMarks(int Mask) { FMarksInUse |= Mask & 0xFFFF; }
    virtual void ExcludeMarks(int Mask) { FMarksInUse &= ~Mask; }
    // Every write of a row's text or attribute keeps the prefix sums up to date, and every write of its
    // marks includes them in MarksInUse, through whichever face of the list it is made.
    void Put(int Index, std::string_view S) override;
    void InsertText(int Index, std::size_t At, std::string_view S) override;
    void SetAttrWord(int Index, std::uint32_t Value) override;
    void SetMarkWord(int Index, std::uint32_t Value) override;

    // The first and last rows of the logical line that holds Row.
    int LineStartRow(int Row) const;
    int LineEndRow(int Row) const;
    // RowCount -1: the whole line from StartRow.
    TRowsText GetRowsText(int StartRow, int RowCount) const;
    std::string RowTextWithLineEnd(int Row) const;
    // The text handed to Put in pieces of whole lines of about 256 KB (one buffer used again for each):
    // each logical line, LF after every line that ends with a line end; what a save encodes.
    void SaveText(const TBytePut& Put) const;
    // Removes Count rows at Index; returns the OR of their marks (0 when nothing is removed).
    int DeleteRows(int Index, int Count);
    // Replaces Count rows at Index by every row of Source, carrying the old rows' marks: the first old
    // row's marks stay on the first new row (or, when rows are added while the active view's caret
    // stands in column 0, go down with the old text), the other old rows keep theirs counted from the
    // end, and the marks of rows that disappear join the first new row. Source may be left empty (its
    // rows taken over).
    void ReplaceRows(int Index, int Count, TEditorStringList& Source);

    // The edit primitive: replaces RowCount rows at Row (0: inserts before Row) by Text (CR, LF or CR LF
    // end its lines) and records the change for undo. The replaced rows' content includes the line end
    // of each row that ends its line.
    void UpdateText(int Row, int RowCount, std::string_view Text);
    // The same edit for S (no line end) inserted into row Row at byte At, made in place: on a text
    // without word wrap, whose rows are its lines, nothing is laid out again and the row is not copied,
    // not even for its undo entry. False (nothing done) where UpdateText must make the edit.
    bool InsertInRow(int Row, std::size_t At, std::string_view S);

    // Lexer states, computed by the main view's fountain. Rows 0 .. TrustedStateRows() - 1 hold the
    // states a lex from the top gives. Below them a row may hold a state that the last edits left
    // unsure, or an older one, or none: a paint takes such a state (or the top's) as a guess rather
    // than lex more than a screen's worth of text, and the main view lexes on in idle slices
    // (LexAhead), repainting each row whose state then changes. So no keystroke, paint or undo waits for
    // the rows between the last lexed one and the rows it shows, however far apart they are.
    //
    // Recomputes them from Row until they agree with the stored ones, at most about two screens ahead
    // and about EditLexBytes of text (Notify: the views repaint each row whose state changed); returns
    // the number of rows lexed.
    int UpdateRowStates(int Row, bool Notify);
    // Resets every row and lexes from row 0 to two screens below the main view's top row (to the end
    // with the main view's InitBracketsFull).
    void InitRowStates();
    // The lexer state at the start of Row: lexed first when that costs no more than PaintLexBytes of
    // text, else the row's own (unsure) state or the top's as a guess.
    TRowAttributeData RowAttributeData(int Row);
    int StateRows() const { return FStateRows; }
    int TrustedStateRows() const { return FUnsureRows.empty() ? FStateRows : std::min(FStateRows, FUnsureRows.front()); }
    // Lexes on from the first row whose state is not trusted, about Bytes of text (a longer row whole);
    // answers whether rows are left to lex.
    bool LexAhead(std::size_t Bytes);
    static constexpr std::size_t EditLexBytes = 32 * 1024;
    static constexpr std::size_t PaintLexBytes = 256 * 1024;

    // Every line replaced by Convert(line) (a line end never passes through it) in one edit, one undo
    // step: only the lines that change are laid out anew, and their old rows themselves become the undo
    // entry (ExchangeRows); marks stay on their lines.
    using TLineConvert = std::function<std::string(std::string_view)>;
    void ConvertLines(const TLineConvert& Convert);
    // Every span (in order, apart) replaced by With in one edit, one undo step, in the same way: the
    // lines that the spans touch are laid out anew with the replacements, nothing else.
    void ReplaceSpans(std::span<const TTextSpan> Spans, std::string_view With);

    // Wrapping with the current rules (the main view's tab width and delimiters).
    virtual void WrapText(std::string_view Text, TEditorStringList& List);
    virtual int WrapRowCount(std::string_view Line);
    void WrapOptionChanged(TObject* Sender);
    void ReWrapAll();
    void UnwrapAll();
    TWrapRules WrapRules() const;

    // Empties the text and the undo buffer; every view's caret goes to row 0, column 0.
    void Clear();
    // Clear, then Built's rows (laid out by the current rules) become the text, taken over without a
    // copy; Built is left empty. The line numbers and lexer states are worked out anew.
    void TakeRows(TEditorStringList& Built);
    virtual void Undo();
    virtual void Redo();

    // Appends rows at the end in bulk (no state, no marks), as one change without an undo step, in
    // place of the rows from From on (none by default); the prefix sums and the views learn of them
    // once, when the appender ends.
    class TRowAppender {
    public:
        explicit TRowAppender(TEditorScreenStrings& Rows, int From = -1);
        ~TRowAppender();
        TRowAppender(const TRowAppender&) = delete;
        TRowAppender& operator=(const TRowAppender&) = delete;
        void Add(std::string_view Text, int Attribute = 0);

    private:
        TEditorScreenStrings& FRows;
        int FFirst;
        int FReplaced = 0;
    };

    // Logical lines and character offsets, from the prefix sums.
    int LineCount() const;
    int LineToRow(int Line) const;
    int RowToLine(int Row) const;
    std::int64_t TextLength() const;
    // Characters before row Row (Row clamped to 0..Count).
    std::int64_t CharIndexOfRow(int Row) const;
    // The row that holds character offset Offset: the first row whose characters reach past it, or the
    // row count when the offset lies past the text.
    int RowOfCharIndex(std::int64_t Offset) const;

    void NotifyViews(TObject* Sender);

protected:
    virtual std::unique_ptr<TEditorUndoObj> CreateUndoObj();
    virtual std::unique_ptr<TEditorWrapOption> CreateWrapOption();
    void Changed() override;
    void SetUpdateState(bool Updating) override;

private:
    friend class TEditorUndoObj;

    // Records what an edit changed in UpdateRange (merged with the edits before it in the same batch).
    void NoteChange(int StartRow, int OldRows, int StateRows, int NewRows);
    // Replaces Count rows at Index by Source's rows as they are (marks included); Source may be left
    // empty (every row replaced: its rows are taken over).
    void ReplaceRowItems(int Index, int Count, TEditorStringList& Source);
    // The marks of Count rows from Index, one per row; empty when none has a mark.
    std::vector<std::uint16_t> RowsMarks(int Index, int Count) const;
    // Gives the marks Marks to the row that follows a removal at Row (or drops them when no row is
    // left); returns the marks that row held before.
    int LendMarks(int Row, int Marks);
    // Drops from MarksInUse the marks of Mask that no row holds any longer.
    void DropMarks(int Mask);
    void AdjustViews();
    // The common end of ReWrapAll and UnwrapAll.
    void AfterLayoutChange();
    void RebuildRows(bool Wrap);
    void LayOutLines(bool Wrap, TEditorStringList& Built) const;
    // Lays Text out by Rules at the end of Built as the rows that take the place of rows First..Last
    // (whole lines): CR, LF and CR LF end its lines (a line end at its very end leaves an empty line
    // after it), the last row takes row Last's ending, and the new rows take the old rows' data and
    // marks in order, the marks of old rows left over joining the last new row.
    void LayOutRows(std::string_view Text, int First, int Last, const TWrapRules& Rules, TEditorStringList& Built) const;
    // Lays Text out (LayOutRows) as the rows that take the place of rows First..Last, added to Exchange:
    // to its last run when that ends at First.
    void AddPatch(TRowExchange& Exchange, std::string_view Text, int First, int Last, const TWrapRules& Rules) const;
    // The text of rows First..Last joined (in Joined when they are more than one).
    std::string_view JoinedRows(int First, int Last, std::string& Joined) const;
    // The edit of Exchange's runs as one undo step.
    void ApplyExchange(std::shared_ptr<TRowExchange> Exchange);
    // Exchanges the runs' rows with those the store holds (TRowExchange), which is then the way back; a
    // row's marks are the saved ones still in use, and marks set on a run since then go to its first
    // row. StartRow: the first row that changed; OldRows and NewRows: the rows from there to the end of
    // the last run, before and after.
    void ExchangeRows(TRowExchange& Exchange, int& StartRow, int& OldRows, int& NewRows);
    // Every row of In goes into the store as it is; the prefix sums and the lexer states start again.
    void TakeAllRows(TEditorStringList& In);
    // Runs Change, which changes row Row in place, and brings the prefix sums up to date.
    template <class ChangeProc> void ChangeRow(int Row, ChangeProc&& Change);
    // The characters (a line end counts 2) and line ends of Count rows from First, for the prefix sums.
    void RowValues(int First, int Count, std::int64_t& Chars, int& LineEnds) const;
    const TRowOffsetIndex& Index() const;
    TFountain* Fountain() const;
    int ScreenRows() const;
    // How far a pass of LexRows may go.
    struct TLexLimit {
        int LastRow;        // the last row whose state the pass may set
        std::size_t Bytes;  // the text the pass may lex
        bool Progress;      // lex one row at least, however long
    };
    // Lexes from Row (or the first row before it whose state is not trusted) on, stopping where a
    // trusted row's stored state agrees; StartKnown: Row's stored state is right (the row above is
    // not lexed again). Where the limit stops it, the next row's state is left unsure.
    int LexRows(TFountain& Fountain, int Row, const TLexLimit& Limit, bool Notify, bool StartKnown = false);
    void ResetRowState(int Row);
    // Rows Removed at Index were replaced by Added rows: the computed states move with them.
    void ShiftStates(int Index, int Removed, int Added);
    // Row's stored state may not follow from the row above it; the rows after it follow from it.
    void AddUnsureRow(int Row);
    void DropUnsureRow(int Row);
    void ForgetStates();
    // UpdateRowStates; StartKnown as for LexRows.
    int RelexRows(int Row, bool Notify, bool StartKnown);
    // Asks the main view to run LexAhead when idle while rows are left to lex.
    void LexLater();

    std::vector<TEditorView*> FViews;
    std::unique_ptr<TEditorUndoObj> FUndoObj;
    std::unique_ptr<TEditorWrapOption> FWrapOption;
    bool FWordWrap = false;
    int FMarksInUse = 0;

    // Prefix sums, kept up to date row by row while valid; rebuilt when next asked after a change
    // that replaced the whole text or was made past the store.
    mutable TRowOffsetIndex FIndex;
    mutable bool FIndexValid = false;
    int FTracking = 0;  // > 0 while the store itself follows up a change of its rows
    int FStateRows = 0; // rows 0 .. FStateRows - 1 hold computed lexer states, each following from the
                        // one above but at the unsure rows
    std::vector<int> FUnsureRows;  // ascending, all below FStateRows; a few at most
};

} // namespace qx
