#include "editor/EditorScreenStrings.h"

#include "editor/FountainParser.h"

#include <algorithm>

namespace qx {

namespace {

// An update batch of a row list that ends however the scope is left.
class TUpdateBatch {
public:
    explicit TUpdateBatch(TRowStringList& List) : FList(List) { FList.BeginUpdate(); }
    ~TUpdateBatch() { FList.EndUpdate(); }
    TUpdateBatch(const TUpdateBatch&) = delete;
    TUpdateBatch& operator=(const TUpdateBatch&) = delete;

private:
    TRowStringList& FList;
};

// Marks a stretch in which the store changes its own rows and brings what it derives from them (the
// prefix sums, the lexer states) up to date itself.
class TTracked {
public:
    explicit TTracked(int& Depth) : FDepth(Depth) { ++FDepth; }
    ~TTracked() { --FDepth; }
    TTracked(const TTracked&) = delete;
    TTracked& operator=(const TTracked&) = delete;

private:
    int& FDepth;
};

} // namespace

// ---------------------------------------------------------------------------------------------------
// Creation and views

TEditorScreenStrings::TEditorScreenStrings()
    : FIndex([this](int First, int Count, std::int64_t& Chars, int& LineEnds) { RowValues(First, Count, Chars, LineEnds); })
{
    OnChange = [this](TObject* Sender) { NotifyViews(Sender); };
}

TEditorScreenStrings::~TEditorScreenStrings() { OnChange = nullptr; }

void TEditorScreenStrings::AfterConstruction()
{
    TEditorStringList::AfterConstruction();
    FUndoObj = CreateUndoObj();
    FWrapOption = CreateWrapOption();
    FWrapOption->OnChange = [this](TObject* Sender) { WrapOptionChanged(Sender); };
}

std::unique_ptr<TEditorUndoObj> TEditorScreenStrings::CreateUndoObj()
{
    return std::make_unique<TEditorUndoObj>(*this);
}

std::unique_ptr<TEditorWrapOption> TEditorScreenStrings::CreateWrapOption()
{
    return std::make_unique<TEditorWrapOption>();
}

void TEditorScreenStrings::AddView(TEditorView* View) { FViews.push_back(View); }

bool TEditorScreenStrings::RemoveView(TEditorView* View)
{
    const auto it = std::find(FViews.begin(), FViews.end(), View);
    if (it != FViews.end()) FViews.erase(it);
    return !FViews.empty();
}

TEditorView* TEditorScreenStrings::ActiveView() const
{
    for (TEditorView* view : FViews)
        if (view->Focused()) return view;
    return MainView();
}

void TEditorScreenStrings::NotifyViews(TObject* Sender)
{
    (void)Sender;
    const std::vector<TEditorView*> views = FViews;
    for (TEditorView* view : views) view->TextChanged(*this);
}

void TEditorScreenStrings::Changed()
{
    // A change made past the store: nothing derived from the rows can be trusted.
    if (FTracking == 0) {
        FIndexValid = false;
        ForgetStates();
    }
    TEditorStringList::Changed();
}

void TEditorScreenStrings::SetUpdateState(bool Updating)
{
    {
        const TTracked tracked(FTracking);  // the batch's own change notice changes no row
        TEditorStringList::SetUpdateState(Updating);
    }
    if (Updating) return;
    UpdateRange = TEditorUpdateRange();
    AdjustViews();
}

void TEditorScreenStrings::AdjustViews()
{
    const int count = Count();
    const int target = (count > 0 && RowAttributes(count - 1) == raEof) ? count - 1 : count;
    for (TEditorView* view : FViews) {
        if (view->Row() > target) view->SetRow(target);
        if (view->TopRow() > target) view->SetTopRow(target);
    }
}

// ---------------------------------------------------------------------------------------------------
// Prefix sums

void TEditorScreenStrings::RowValues(int First, int Count, std::int64_t& Chars, int& LineEnds) const
{
    Chars = 0;
    LineEnds = 0;
    for (int row = First; row < First + Count;) {
        const TRowRun run = Run(row);
        const int from = row - run.First;
        const int to = std::min(run.First + run.Rows, First + Count) - run.First;
        // The texts of a run lie end to end: their length is one subtraction.
        Chars += static_cast<std::int64_t>(run.Ends[to - 1] - (from > 0 ? run.Ends[from - 1] : 0));
        for (int i = from; i < to; ++i)
            if ((run.Words[2 * i] & 3u) == raEnd) ++LineEnds;
        row = run.First + to;
    }
    Chars += 2 * std::int64_t{LineEnds};  // a line end counts two characters
}

const TRowOffsetIndex& TEditorScreenStrings::Index() const
{
    if (!FIndexValid) {
        FIndex.Rebuild(Count());
        FIndexValid = true;
    }
    return FIndex;
}

template <class ChangeProc>
void TEditorScreenStrings::ChangeRow(int Row, ChangeProc&& Change)
{
    std::int64_t chars = 0;
    int ends = 0;
    if (FIndexValid) RowValues(Row, 1, chars, ends);
    {
        const TTracked tracked(FTracking);
        Change();
    }
    if (FIndexValid) FIndex.RowChanged(Row, chars, ends);
}

void TEditorScreenStrings::SetAttrWord(int Index, std::uint32_t Value)
{
    // Only the row attribute (the low two bits) counts in the prefix sums; lexer states pass straight.
    if (((AttrWord(Index) ^ Value) & 3u) == 0) {
        TEditorStringList::SetAttrWord(Index, Value);
        return;
    }
    ChangeRow(Index, [&] { TEditorStringList::SetAttrWord(Index, Value); });
}

void TEditorScreenStrings::Put(int Index, std::string_view S)
{
    ChangeRow(Index, [&] { TEditorStringList::Put(Index, S); });
}

void TEditorScreenStrings::InsertText(int Index, std::size_t At, std::string_view S)
{
    ChangeRow(Index, [&] { TEditorStringList::InsertText(Index, At, S); });
}

void TEditorScreenStrings::SetMarkWord(int Index, std::uint32_t Value)
{
    TEditorStringList::SetMarkWord(Index, Value);
    IncludeMarks(static_cast<int>(Value >> 16));
}

int TEditorScreenStrings::LineCount() const
{
    const int count = Count();
    if (count == 0) return 0;
    return Index().TotalLineEnds() + (RowAttributes(count - 1) == raEnd ? 0 : 1);
}

int TEditorScreenStrings::LineToRow(int Line) const
{
    if (!FWordWrap) return Line;
    if (Line < 1) return 0;
    const TRowOffsetIndex& index = Index();
    if (Line <= index.TotalLineEnds()) return index.RowOfLineEnd(Line - 1) + 1;
    return Count();
}

int TEditorScreenStrings::RowToLine(int Row) const
{
    if (!FWordWrap) return Row;
    if (Row < 1) return 0;
    return Index().LineEndsBefore(Row);
}

std::int64_t TEditorScreenStrings::TextLength() const { return Index().TotalChars(); }

std::int64_t TEditorScreenStrings::CharIndexOfRow(int Row) const
{
    return Row < 1 ? 0 : Index().CharsBefore(Row);
}

int TEditorScreenStrings::RowOfCharIndex(std::int64_t Offset) const { return Index().RowOfChar(Offset); }

// ---------------------------------------------------------------------------------------------------
// Rows and runs of rows

int TEditorScreenStrings::LineStartRow(int Row) const
{
    if (Row < 0 || Row >= Count()) return Row;
    while (Row > 0 && RowAttributes(Row - 1) == raWrapped) --Row;
    return Row;
}

int TEditorScreenStrings::LineEndRow(int Row) const
{
    const int last = Count() - 1;
    if (Row < 0 || Row > last) return Row;
    while (Row < last && RowAttributes(Row) == raWrapped) ++Row;
    return Row;
}

TRowsText TEditorScreenStrings::GetRowsText(int StartRow, int RowCount) const
{
    TRowsText run;
    if (StartRow < 0 || StartRow >= Count()) return run;
    const int endRow = RowCount < 0 ? LineEndRow(StartRow) : std::min(StartRow + RowCount, Count()) - 1;
    // A run of many rows is copied into one buffer of its exact size (a line end counts two).
    if (endRow - StartRow > BlockRows)
        run.Text.reserve(static_cast<std::size_t>(CharIndexOfRow(endRow + 1) - CharIndexOfRow(StartRow)));
    for (int row = StartRow; row <= endRow; ++row) {
        run.Text += Get(row);
        run.LastAttr = RowAttributes(row);
        if (run.LastAttr == raEnd) run.Text += "\r\n";
    }
    run.Rows = endRow - StartRow + 1;
    return run;
}

std::string TEditorScreenStrings::RowTextWithLineEnd(int Row) const
{
    std::string text(Get(Row));
    if (RowAttributes(Row) == raEnd) text += "\r\n";
    return text;
}

void TEditorScreenStrings::SaveText(const TBytePut& Put) const
{
    constexpr std::size_t PieceBytes = std::size_t{256} << 10;
    std::string piece;
    piece.reserve(PieceBytes + 4096);
    for (int row = 0, count = Count(); row < count; ++row) {
        piece += Get(row);
        if (RowAttributes(row) != raEnd) continue;
        piece += '\n';
        if (piece.size() >= PieceBytes) {
            Put(piece);
            piece.clear();
        }
    }
    if (!piece.empty()) Put(piece);
}

std::vector<std::uint16_t> TEditorScreenStrings::RowsMarks(int Index, int Count) const
{
    std::vector<std::uint16_t> marks;
    for (int i = 0; FMarksInUse != 0 && i < Count; ++i) {
        const int m = RowMarks(Index + i);
        if (m != 0 && marks.empty()) marks.assign(static_cast<std::size_t>(Count), 0);
        if (!marks.empty()) marks[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(m);
    }
    return marks;
}

void TEditorScreenStrings::ReplaceRowItems(int Index, int Count, TEditorStringList& Source)
{
    const int added = Source.Count();
    if (Index == 0 && Count == this->Count() && added > 0) {
        // The whole text anew (all of it replaced, or such a change undone): the rows are taken over
        // as they are, rather than row by row.
        TakeAllRows(Source);
        return;
    }
    const int common = std::min(Count, added);
    BeginUpdate();
    for (int i = 0; i < common; ++i) ChangeRow(Index + i, [&] { PutItem(Index + i, Source.Item(i)); });
    {
        const TTracked tracked(FTracking);
        if (Count > common) DeleteItems(Index + common, Count - common);
        if (added > common) InsertItems(Index + common, Source, common, added - common);
    }
    if (FIndexValid) {
        FIndex.RowsDeleted(Index + common, Count - common);
        FIndex.RowsInserted(Index + common, added - common);
    }
    ShiftStates(Index, Count, added);
    EndUpdate();
}

int TEditorScreenStrings::DeleteRows(int Index, int Count)
{
    if (Index < 0 || Index >= this->Count() || Count <= 0) return 0;
    Count = std::min(Count, this->Count() - Index);
    int marks = 0;
    for (int i = 0; i < Count; ++i) marks |= RowMarks(Index + i);
    BeginUpdate();
    {
        const TTracked tracked(FTracking);
        DeleteItems(Index, Count);
    }
    if (FIndexValid) FIndex.RowsDeleted(Index, Count);
    ShiftStates(Index, Count, 0);
    EndUpdate();
    return marks;
}

void TEditorScreenStrings::ReplaceRows(int Index, int Count, TEditorStringList& Source)
{
    if (Index < 0 || Index > this->Count()) return;
    Count = std::clamp(Count, 0, this->Count() - Index);
    const int sourceRows = Source.Count();
    const int added = sourceRows - Count;
    // Without marks on the old rows, the new rows keep Source's marks as they are.
    bool oldMarks = false;
    for (int i = 0; FMarksInUse != 0 && !oldMarks && i < Count; ++i) oldMarks = RowMarks(Index + i) != 0;
    std::vector<int> marks(static_cast<std::size_t>(oldMarks ? sourceRows : 0), 0);
    int dropped = 0;
    if (!marks.empty()) {
        const TEditorView* view = ActiveView();
        const int first = (added > 0 && view && view->Col() == 0) ? added : 0;
        for (int i = 0; i < Count; ++i) {
            const int m = RowMarks(Index + i);
            // Row 0 keeps its place (or goes down with the old text); the others count from the end.
            const int target = i == 0 ? first : i + added;
            marks[static_cast<std::size_t>(target >= 1 ? target : 0)] |= m;
        }
    } else if (oldMarks) {
        for (int i = 0; i < Count; ++i) dropped |= RowMarks(Index + i);
    }
    for (std::size_t i = 0; i < marks.size(); ++i) marks[i] |= Source.RowMarks(static_cast<int>(i));
    BeginUpdate();
    ReplaceRowItems(Index, Count, Source);
    for (std::size_t i = 0; i < marks.size(); ++i) TEditorStringList::SetRowMarks(Index + static_cast<int>(i), marks[i]);
    EndUpdate();
    DropMarks(dropped);
}

void TEditorScreenStrings::DropMarks(int Mask)
{
    Mask &= FMarksInUse;
    for (int row = 0; Mask != 0 && row < Count(); ++row) Mask &= ~RowMarks(row);
    ExcludeMarks(Mask);
}

int TEditorScreenStrings::LendMarks(int Row, int Marks)
{
    if (Marks == 0) return 0;
    if (Count() == 0) {
        DropMarks(Marks);
        return 0;
    }
    const int target = std::min(Row, Count() - 1);
    const int held = RowMarks(target);
    TEditorStringList::SetRowMarks(target, held | Marks);
    return held;
}

// ---------------------------------------------------------------------------------------------------
// The edit primitive

void TEditorScreenStrings::NoteChange(int StartRow, int OldRows, int StateRows, int NewRows)
{
    const auto end = [](const TEditorUpdateRange& r) {
        return r.StartRow + r.NewRowCount + std::max(0, r.StateRowCount - r.NewRowCount);
    };
    TEditorUpdateRange next{StartRow, OldRows, StateRows, NewRows, true};
    if (UpdateRange.Valid) {
        // Several edits in one batch: one range that covers them all, in today's rows.
        const TEditorUpdateRange& prev = UpdateRange;
        const int moved = NewRows - OldRows;
        int prevEnd = end(prev);
        if (prevEnd >= StartRow + OldRows) prevEnd += moved;
        const int first = std::min(prev.StartRow, StartRow);
        const int last = std::max(prevEnd, end(next));
        const int delta = prev.NewRowCount - prev.OldRowCount + moved;
        next = {first, std::max(0, last - first - delta), 0, last - first, true};
    }
    UpdateRange = next;
}

void TEditorScreenStrings::UpdateText(int Row, int RowCount, std::string_view Text)
{
    const int count = Count();
    if (Row < 0 || RowCount < 0 || Row + RowCount > count) return;
    if (RowCount == 0 && Text.empty()) return;

    // A last row without a line end goes on in whatever is inserted after it: the edit replaces it.
    std::string appended;
    if (Row == count && Row > 0 && RowAttributes(Row - 1) != raEnd) {
        appended = std::string(Get(Row - 1)) + std::string(Text);
        Text = appended;
        --Row;
        RowCount = 1;
    }
    // At most one row before Row takes part: an edit can pull characters back into a wrapped row.
    const int startRow = std::max(LineStartRow(Row), Row - 1);
    const int lastRow = Row + RowCount - 1;
    int endRow = LineEndRow(lastRow);

    // An edit that ends on a line end re-wraps the next line with it (the line end may be gone), unless
    // it only removes whole rows or replaces rows by a text that ends with a line end (the next line
    // stays a line of its own).
    const bool wholeRows = Row == startRow && endRow == lastRow && Text.empty();
    const bool endsLine = RowCount > 0 && EndsWithLineEnd(Text);
    if (!wholeRows && !endsLine && lastRow == endRow && endRow < count - 1) endRow = LineEndRow(endRow + 1);
    const int oldRows = endRow - startRow + 1;

    // The text of the lines the edit touches: Text itself when no row around it takes part (a whole
    // text replaced is not copied again), else built in one buffer of the final size (a large paste is
    // copied once here, not once per doubling). Text is read only before the rows change.
    std::string built;
    std::string_view text = Text;
    if (startRow < Row || lastRow < endRow) {
        const auto withLineEnd = [this](int row) { return Get(row).size() + (RowAttributes(row) == raEnd ? 2 : 0); };
        std::size_t size = Text.size();
        for (int row = startRow; row < Row; ++row) size += withLineEnd(row);
        for (int row = lastRow + 1; row <= endRow; ++row) size += withLineEnd(row);
        built.reserve(size);
        const auto append = [&](int row) {
            built += Get(row);
            if (RowAttributes(row) == raEnd) built += "\r\n";
        };
        for (int row = startRow; row < Row; ++row) append(row);
        built += Text;
        for (int row = lastRow + 1; row <= endRow; ++row) append(row);
        text = built;
    }

    // The state at the start of the first row follows from the rows above it, which the edit leaves as
    // they are (unless the row above is wrapped: a token it carries depends on this row's text). So the
    // pass after the edit starts from it: a keystroke under a long row does not lex that row again.
    const bool keepState = startRow > 0 && startRow < TrustedStateRows() && RowAttributes(startRow - 1) != raWrapped;
    const TRowAttributeData startState = keepState ? RowState(startRow) : TRowAttributeData();

    // The undo entry is filled before the change and recorded once the change is made.
    TUndoData undo;
    TRowsText old = GetRowsText(startRow, oldRows);
    undo.Row = startRow;
    undo.Attribute = old.LastAttr;
    undo.Text = std::move(old.Text);
    undo.Marks = RowsMarks(startRow, oldRows);

    const TUpdateBatch batch(*this);
    int newRows = 0;
    if (text.empty()) {
        // The rows go with their line ends; their marks move to the row after them.
        const int marks = DeleteRows(startRow, oldRows);
        undo.LentMarks = static_cast<std::uint16_t>(marks);
        undo.LenderMarks = static_cast<std::uint16_t>(LendMarks(startRow, marks));
    } else {
        // The new last row carries the old one's attribute; at the end of the text, whether the text
        // now ends with a line end decides (an empty row that ended the text is no row of its own).
        const int lastAttr = endRow == count - 1 ? (EndsWithLineEnd(text) ? raEnd : raEof) : RowAttributes(endRow);
        TEditorStringList rows;
        WrapText(text, rows);
        rows.SetRowAttributes(rows.Count() - 1, lastAttr);
        newRows = rows.Count();
        ReplaceRows(startRow, oldRows, rows);
    }
    undo.RowCount = newRows;
    FUndoObj->AddUndoData(std::move(undo));
    const bool startKnown = keepState && newRows > 0;
    if (startKnown) {
        SetRowState(startRow, startState);
        FStateRows = std::max(FStateRows, startRow + 1);
    }
    const int states = RelexRows(startRow, true, startKnown);
    NoteChange(startRow, oldRows, states, newRows);
}

bool TEditorScreenStrings::InsertInRow(int Row, std::size_t At, std::string_view S)
{
    if (FWordWrap || Row < 0 || Row >= Count() || At > Get(Row).size() || S.empty() ||
        S.find_first_of("\r\n") != std::string_view::npos)
        return false;
    // The undo entry names the bytes put in; undoing it replaces the row by the row without them.
    TUndoData undo;
    undo.Row = Row;
    undo.RowCount = 1;
    undo.Marks = RowsMarks(Row, 1);
    undo.CutAt = At;
    undo.CutLength = S.size();
    // The row's state and marks stay: the rows above it, which its state follows from, are unchanged.
    const bool startKnown = Row < TrustedStateRows();
    const TUpdateBatch batch(*this);
    InsertText(Row, At, S);
    FUndoObj->AddUndoData(std::move(undo));
    NoteChange(Row, 1, RelexRows(Row, true, startKnown), 1);
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Lexer states

TFountain* TEditorScreenStrings::Fountain() const
{
    const TEditorView* main = MainView();
    return main ? main->ActiveFountain() : nullptr;
}

int TEditorScreenStrings::ScreenRows() const
{
    const TEditorView* main = MainView();
    return std::max(1, main ? main->ScreenRows() : 1);
}

void TEditorScreenStrings::ShiftStates(int Index, int Removed, int Added)
{
    if (FStateRows <= Index) return;
    // The new rows are not computed; they never agree with a computed state, so the pass that follows
    // every edit lexes them.
    FStateRows = FStateRows >= Index + Removed ? FStateRows + Added - Removed : Index;
    // Unsure rows among the replaced ones go: the pass from the edit lexes through them.
    std::vector<int> kept;
    for (const int row : FUnsureRows) {
        const int moved = row < Index ? row : row >= Index + Removed ? row + Added - Removed : -1;
        if (moved > 0 && moved < FStateRows) kept.push_back(moved);
    }
    FUnsureRows = std::move(kept);
}

void TEditorScreenStrings::AddUnsureRow(int Row)
{
    if (Row >= FStateRows) return;
    const auto it = std::lower_bound(FUnsureRows.begin(), FUnsureRows.end(), Row);
    if (it != FUnsureRows.end() && *it == Row) return;
    FUnsureRows.insert(it, Row);
    // Many places at once: the states from the first of them on are no longer counted as lexed.
    constexpr std::size_t MaxUnsureRows = 16;
    if (FUnsureRows.size() > MaxUnsureRows) {
        FStateRows = FUnsureRows.front();
        FUnsureRows.clear();
    }
}

void TEditorScreenStrings::DropUnsureRow(int Row)
{
    const auto it = std::lower_bound(FUnsureRows.begin(), FUnsureRows.end(), Row);
    if (it != FUnsureRows.end() && *it == Row) FUnsureRows.erase(it);
}

void TEditorScreenStrings::ForgetStates()
{
    FStateRows = 0;
    FUnsureRows.clear();
}

void TEditorScreenStrings::ResetRowState(int Row)
{
    if (BracketIndexes(Row) == biNotComputed) return;
    TRowAttributeData state;
    state.BracketIndex = biNotComputed;
    SetRowState(Row, state);
}

int TEditorScreenStrings::LexRows(TFountain& Fountain, int Row, const TLexLimit& Limit, bool Notify, bool StartKnown)
{
    std::unique_ptr<TFountainParser> parser = Fountain.CreateParser();
    TRowAttributeData state;  // the state at the top of the text
    int row = StartKnown ? Row : std::min(Row, TrustedStateRows());
    std::size_t lexed = 0;
    const auto mayLex = [&](int r) {
        const std::size_t size = Get(r).size();
        if (lexed + size > Limit.Bytes && !(Limit.Progress && lexed == 0)) return false;
        lexed += std::max<std::size_t>(size, 1);
        return true;
    };
    if (StartKnown) {
        state = RowState(row);
    } else if (row > 0) {
        if (!mayLex(row - 1)) {
            AddUnsureRow(row);  // the row above is not worth its text now: this row's state is unsure
            return 0;
        }
        state = RowState(row - 1);
        parser->NextRowState(row - 1, *this, state);
    } else {
        state.RowAttribute = static_cast<std::uint8_t>(RowAttributes(0));
    }
    int changed = 0;
    const int last = std::min(Limit.LastRow, Count() - 1);
    for (bool first = StartKnown; row <= last; ++row) {
        bool same = false;
        if (!first) {
            same = StateComputed(AttrWord(row)) && SameRowState(RowState(row), state);
            // A trusted row (or an unsure one that turns out right) that agrees: consistent from here on.
            if (same && row < FStateRows) {
                DropUnsureRow(row);
                return changed;
            }
            SetRowState(row, state);
            DropUnsureRow(row);
        }
        // The first row of a known start is the edited one: repainted as a row whose state changed.
        ++changed;
        if (Notify && (first || !same))
            for (TEditorView* view : FViews) view->InvalidateRow(row);
        first = false;
        if (row == last || !mayLex(row)) break;
        parser->NextRowState(row, *this, state);
    }
    // The pass ended at a limit with the state of row set: the next row's stored state is unsure,
    // or the lexed rows now reach one further.
    if (row >= FStateRows)
        FStateRows = row + 1;
    else if (row + 1 < Count())
        AddUnsureRow(row + 1);
    return changed;
}

void TEditorScreenStrings::LexLater()
{
    if (TrustedStateRows() >= Count()) return;
    if (TEditorView* main = MainView()) main->LexLater();
}

int TEditorScreenStrings::UpdateRowStates(int Row, bool Notify) { return RelexRows(Row, Notify, false); }

int TEditorScreenStrings::RelexRows(int Row, bool Notify, bool StartKnown)
{
    TFountain* fountain = Fountain();
    if (!fountain || Count() == 0) return 0;
    const int last = Count() - 1;
    Row = std::clamp(Row, 0, last);
    // Rows past the lexed prefix have no state to carry forward: they are lexed when first asked for
    // (an edit far below what was ever shown lexes nothing above it).
    if (Row >= FStateRows) return 0;
    const int changed =
        LexRows(*fountain, Row, {std::min(Row + ScreenRows() * 2, last), EditLexBytes, false}, Notify, StartKnown);
    LexLater();
    return changed;
}

void TEditorScreenStrings::InitRowStates()
{
    const TEditorView* main = MainView();
    if (main && (main->Loading() || main->Destroying())) return;
    // Only rows with a computed state need a reset: they are found run by run.
    for (int row = 0; row < Count();) {
        const TRowRun run = Run(row);
        for (int i = 0; i < run.Rows; ++i)
            if (StateComputed(run.Words[2 * i])) ResetRowState(run.First + i);
        row = run.First + run.Rows;
    }
    ForgetStates();
    TFountain* fountain = Fountain();
    if (!fountain || Count() == 0) return;
    const int last = Count() - 1;
    if (main->InitBracketsFull()) {
        LexRows(*fountain, 0, {last, static_cast<std::size_t>(-1), true}, false);
        return;
    }
    LexRows(*fountain, 0, {std::min(last, main->TopRow() + ScreenRows() * 2), PaintLexBytes, true}, false);
    LexLater();
}

TRowAttributeData TEditorScreenStrings::RowAttributeData(int Row)
{
    const int trusted = TrustedStateRows();
    if (Row < trusted || Row >= Count()) return RowState(Row);
    TFountain* fountain = Fountain();
    // The text between the last trusted state and Row (the row above the first untrusted one included;
    // a row counts one byte at least, so more rows than that budget need no look at the text).
    const auto within = [&] {
        if (static_cast<std::size_t>(Row - trusted) >= PaintLexBytes) return false;
        return CharIndexOfRow(Row) - CharIndexOfRow(std::max(0, trusted - 1)) <= static_cast<std::int64_t>(PaintLexBytes);
    };
    if (fountain && within()) {
        LexRows(*fountain, Row, {Row, PaintLexBytes, true}, false);
        if (Row < TrustedStateRows()) return RowState(Row);
    }
    LexLater();
    if (StateComputed(AttrWord(Row))) return RowState(Row);
    TRowAttributeData guess;
    guess.RowAttribute = static_cast<std::uint8_t>(RowAttributes(Row));
    guess.PrevRowAttribute = static_cast<std::uint8_t>(Row > 0 ? RowAttributes(Row - 1) : raEnd);
    return guess;
}

bool TEditorScreenStrings::LexAhead(std::size_t Bytes)
{
    TFountain* fountain = Fountain();
    if (!fountain || TrustedStateRows() >= Count()) return false;
    LexRows(*fountain, TrustedStateRows(), {Count() - 1, Bytes, true}, true);
    return TrustedStateRows() < Count();
}

// ---------------------------------------------------------------------------------------------------
// Wrapping

TWrapRules TEditorScreenStrings::WrapRules() const
{
    TWrapRules rules;
    if (const TEditorView* view = MainView()) {
        rules.Layout.Delimiters = view->Delimiters();
        rules.Layout.TabSpaceCount = view->TabSpaceCount();
    }
    rules.Layout.WordWrap = FWordWrap;
    rules.Layout.WrapByte = FWrapOption->WrapByte();
    rules.Option = FWrapOption.get();
    return rules;
}

void TEditorScreenStrings::WrapText(std::string_view Text, TEditorStringList& List)
{
    const TWrapRules rules = WrapRules();
    List.BeginUpdate();
    List.Clear();
    ForEachLine(Text, [&](std::string_view line) {
        WrapLine(line, rules, [&](std::size_t offset, std::size_t length, int attribute) {
            const int row = List.Add(line.substr(offset, length));
            if (attribute != raEnd) List.SetRowAttributes(row, attribute);
        });
    });
    if (List.Count() == 0) List.Add({});
    List.EndUpdate();
}

int TEditorScreenStrings::WrapRowCount(std::string_view Line)
{
    return WrapLine(Line, WrapRules(), [](std::size_t, std::size_t, int) {});
}

void TEditorScreenStrings::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (Value)
        ReWrapAll();
    else
        UnwrapAll();
}

void TEditorScreenStrings::WrapOptionChanged(TObject* Sender)
{
    (void)Sender;
    // A change of the guide line's look only repaints: the rows and the undo history stay.
    if (FWrapOption->TakeRulesChanged() && FWordWrap)
        ReWrapAll();
    else
        for (TEditorView* view : FViews) view->InvalidateTextArea();
}

void TEditorScreenStrings::ReWrapAll()
{
    if (const TEditorView* main = MainView(); main && main->Loading()) return;
    RebuildRows(true);
}

void TEditorScreenStrings::UnwrapAll() { RebuildRows(false); }

// Lays every logical line out anew into Built: wrapped by the current rules, or joined into one row.
// A line's marks stay on the line: its rows keep them in order, and the marks of surplus old rows join
// its last new row. Lines that stay one row as they were keep their row as it is.
void TEditorScreenStrings::LayOutLines(bool Wrap, TEditorStringList& Built) const
{
    const int count = Count();
    const int lastAttr = RowAttributes(count - 1) == raWrapped ? raEof : RowAttributes(count - 1);
    TWrapRules rules = WrapRules();
    rules.Layout.WordWrap = Wrap;
    std::string joined;
    int kept = 0;  // the first of a run of old rows that stay as they are
    const auto keep = [&](int end) {
        if (end > kept) Built.InsertItems(Built.Count(), *this, kept, end - kept);
    };
    for (int row = 0; row < count;) {
        const int end = LineEndRow(row);
        const std::string_view line = JoinedRows(row, end, joined);
        if (end == row && (!Wrap || WrapCut(line, rules) < 0)) {
            if (RowAttributes(row) != raEnd && row != count - 1) {
                keep(row + 1);
                Built.SetRowAttributes(Built.Count() - 1, raEnd);
                kept = row + 1;
            }
            row = end + 1;
            continue;
        }
        keep(row);
        LayOutRows(line, row, end, rules, Built);
        row = end + 1;
        kept = row;
    }
    keep(count);
    Built.SetRowAttributes(Built.Count() - 1, lastAttr);
}

void TEditorScreenStrings::LayOutRows(std::string_view Text, int First, int Last, const TWrapRules& Rules,
                                      TEditorStringList& Built) const
{
    // At the end of the text, a line end ends the last row (there is no empty row after it), and
    // nothing at all leaves no row after the line before.
    int ending = RowAttributes(Last) == raEnd ? raEnd : raEof;
    if (ending == raEof && Last == Count() - 1) {
        if (Text.empty() && First > 0) return;
        if (EndsWithLineEnd(Text)) {
            const bool pair = Text.size() >= 2 && Text.substr(Text.size() - 2) == "\r\n";
            Text.remove_suffix(pair ? 2 : 1);
            ending = raEnd;
        }
    }
    const int first = Built.Count();
    for (std::size_t start = 0;;) {
        const std::size_t stop = Text.find_first_of("\r\n", start);
        const std::string_view line = Text.substr(start, stop == std::string_view::npos ? std::string_view::npos : stop - start);
        WrapLine(line, Rules, [&](std::size_t offset, std::size_t length, int attribute) {
            const int old = First + (Built.Count() - first);
            const int r = Built.Add(line.substr(offset, length));
            Built.SetData(r, Data(std::min(old, Last)));
            Built.SetRowAttributes(r, attribute);
            if (old <= Last) Built.SetRowMarks(r, RowMarks(old));
        });
        if (stop == std::string_view::npos) break;
        start = stop + (Text[stop] == '\r' && stop + 1 < Text.size() && Text[stop + 1] == '\n' ? 2 : 1);
    }
    // The marks of old rows that have no new row join the last one, which ends as the old last did.
    const int last = Built.Count() - 1;
    int m = Built.RowMarks(last);
    for (int o = First + (last - first + 1); o <= Last; ++o) m |= RowMarks(o);
    Built.SetRowMarks(last, m);
    Built.SetRowAttributes(last, ending);
}

void TEditorScreenStrings::RebuildRows(bool Wrap)
{
    FWrapOption->TakeRulesChanged();  // the rows are laid out by the rules in force now
    for (TEditorView* view : FViews) view->CleanSelection();
    if (Count() > 0) {
        TNotifyEvent saved = std::move(OnChange);
        OnChange = nullptr;
        // The new rows are laid out in a list of their own, which then takes the old rows' place.
        TEditorStringList built;
        LayOutLines(Wrap, built);
        TakeAllRows(built);
        OnChange = std::move(saved);
    }
    AfterLayoutChange();
}

void TEditorScreenStrings::ConvertLines(const TLineConvert& Convert)
{
    auto exchange = std::make_shared<TRowExchange>();
    const TWrapRules rules = WrapRules();
    std::string joined;
    for (int row = 0, count = Count(); row < count;) {
        const int end = LineEndRow(row);
        const std::string_view line = JoinedRows(row, end, joined);
        const std::string converted = Convert(line);
        if (converted != line) AddPatch(*exchange, converted, row, end, rules);
        row = end + 1;
    }
    ApplyExchange(std::move(exchange));
}

void TEditorScreenStrings::ReplaceSpans(std::span<const TTextSpan> Spans, std::string_view With)
{
    auto exchange = std::make_shared<TRowExchange>();
    const TWrapRules rules = WrapRules();
    const int count = Count();
    // The last row of the lines that a span touches (a span that takes a line end takes the next line).
    const auto lastRow = [&](const TTextSpan& span) {
        const bool pastEnd = span.EndByte > Get(span.EndRow).size() && span.EndRow + 1 < count;
        return LineEndRow(span.EndRow + (pastEnd ? 1 : 0));
    };
    std::string lines, replaced;
    std::vector<std::size_t> starts;  // where each row of the lines begins in `lines`
    for (std::size_t i = 0; i < Spans.size();) {
        // The spans whose lines meet are replaced together.
        const int first = LineStartRow(Spans[i].StartRow);
        int last = lastRow(Spans[i]);
        std::size_t j = i + 1;
        for (; j < Spans.size() && Spans[j].StartRow <= last; ++j) last = std::max(last, lastRow(Spans[j]));
        lines.clear();
        starts.clear();
        for (int r = first; r <= last; ++r) {
            starts.push_back(lines.size());
            lines += Get(r);
            if (RowAttributes(r) == raEnd) lines += "\r\n";
        }
        const std::size_t end = lines.size() - (RowAttributes(last) == raEnd ? 2 : 0);
        replaced.clear();
        std::size_t at = 0;
        for (; i < j; ++i) {
            const TTextSpan& span = Spans[i];
            const std::size_t from = starts[static_cast<std::size_t>(span.StartRow - first)] + span.StartByte;
            replaced.append(lines, at, from - at);
            replaced += With;
            at = starts[static_cast<std::size_t>(span.EndRow - first)] + span.EndByte;
        }
        if (at < end) replaced.append(lines, at, end - at);
        AddPatch(*exchange, replaced, first, last, rules);
    }
    ApplyExchange(std::move(exchange));
}

void TEditorScreenStrings::AddPatch(TRowExchange& Exchange, std::string_view Text, int First, int Last,
                                    const TWrapRules& Rules) const
{
    // Lines that change one after another make one run.
    std::vector<TRunExchange>& runs = Exchange.Runs;
    if (runs.empty() || runs.back().Index + runs.back().Count != First) runs.push_back({First, 0, 0});
    const int before = Exchange.Rows->Count();
    LayOutRows(Text, First, Last, Rules, *Exchange.Rows);
    runs.back().Count += Last - First + 1;
    runs.back().Put += Exchange.Rows->Count() - before;
}

std::string_view TEditorScreenStrings::JoinedRows(int First, int Last, std::string& Joined) const
{
    if (First == Last) return Get(First);
    Joined.clear();
    for (int r = First; r <= Last; ++r) Joined += Get(r);
    return Joined;
}

void TEditorScreenStrings::ApplyExchange(std::shared_ptr<TRowExchange> Exchange)
{
    if (Exchange->Runs.empty()) return;
    TUndoData undo;
    const TUpdateBatch batch(*this);
    int start = 0, oldRows = 0, newRows = 0;
    ExchangeRows(*Exchange, start, oldRows, newRows);
    undo.Row = start;
    undo.RowCount = newRows;
    undo.Exchange = std::move(Exchange);
    FUndoObj->AddUndoData(std::move(undo));
    const int states = UpdateRowStates(start, true);
    NoteChange(start, oldRows, states, newRows);
}

void TEditorScreenStrings::ExchangeRows(TRowExchange& Exchange, int& StartRow, int& OldRows, int& NewRows)
{
    std::vector<TRunExchange>& runs = Exchange.Runs;
    TEditorStringList& rows = *Exchange.Rows;
    if (FMarksInUse != 0) {
        int put = 0;
        for (const TRunExchange& run : runs) {
            int pool = 0, saved = 0;
            for (int r = run.Index; r < run.Index + run.Count; ++r) pool |= RowMarks(r);
            for (int r = put; r < put + run.Put; ++r) {
                saved |= rows.RowMarks(r);
                rows.SetRowMarks(r, rows.RowMarks(r) & pool);
            }
            if (run.Put > 0) rows.SetRowMarks(put, rows.RowMarks(put) | (pool & ~saved));
            put += run.Put;
        }
    }
    const int end = runs.back().Index + runs.back().Count;
    StartRow = runs.front().Index;
    BeginUpdate();
    {
        const TTracked tracked(FTracking);
        ExchangeRuns(runs, rows);
    }
    // Each run now holds the rows it put in, and gives back those it holds.
    int shift = 0;
    for (TRunExchange& run : runs) {
        run.Index += shift;
        shift += run.Put - run.Count;
        std::swap(run.Count, run.Put);
    }
    OldRows = end - StartRow;
    NewRows = OldRows + shift;
    FIndexValid = false;
    FStateRows = std::min(FStateRows, StartRow);
    EndUpdate();
}

void TEditorScreenStrings::TakeAllRows(TEditorStringList& In)
{
    BeginUpdate();
    {
        const TTracked tracked(FTracking);
        AssignItems(In);
    }
    FIndexValid = false;
    ForgetStates();
    EndUpdate();
}

void TEditorScreenStrings::AfterLayoutChange()
{
    FUndoObj->Clear();
    InitRowStates();
    for (TEditorView* view : FViews) view->RefreshView();
    AdjustViews();
    for (TEditorView* view : FViews) view->SetRowCol(view->Row(), 0);
}

// ---------------------------------------------------------------------------------------------------
// Clear, undo, redo, bulk loading

void TEditorScreenStrings::Clear()
{
    for (TEditorView* view : FViews) view->CleanSelection();
    FUndoObj->Clear();
    UpdateRange = {0, Count(), 0, 0, true};
    {
        const TTracked tracked(FTracking);
        TEditorStringList::Clear();
    }
    FIndexValid = false;
    ForgetStates();
    UpdateRange = TEditorUpdateRange();
    FMarksInUse = 0;
    for (TEditorView* view : FViews) view->SetRowCol(0, 0);
}

void TEditorScreenStrings::TakeRows(TEditorStringList& Built)
{
    BeginUpdate();
    Clear();
    {
        const TTracked tracked(FTracking);
        AssignItems(Built);
    }
    FIndexValid = false;
    ForgetStates();
    EndUpdate();
}

void TEditorScreenStrings::Undo() { FUndoObj->Undo(); }

void TEditorScreenStrings::Redo() { FUndoObj->Redo(); }

TEditorScreenStrings::TRowAppender::TRowAppender(TEditorScreenStrings& Rows, int From)
    : FRows(Rows), FFirst(Rows.Count())
{
    FRows.BeginUpdate();
    if (From >= 0 && From < FFirst) {
        FReplaced = FFirst - From;
        FRows.DeleteRows(From, FReplaced);
        FFirst = From;
    }
}

TEditorScreenStrings::TRowAppender::~TRowAppender()
{
    const int added = FRows.Count() - FFirst;
    if (FRows.FIndexValid) FRows.FIndex.RowsInserted(FFirst, added);
    FRows.NoteChange(FFirst, FReplaced, 0, added);
    FRows.EndUpdate();
}

void TEditorScreenStrings::TRowAppender::Add(std::string_view Text, int Attribute)
{
    FRows.AppendRow(Text, static_cast<std::uint32_t>(Attribute) & 3u);
}

} // namespace qx
