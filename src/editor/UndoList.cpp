#include "editor/UndoList.h"

#include "editor/EditorScreenStrings.h"

#include <algorithm>

namespace qx {

TRowExchange::TRowExchange() : Rows(std::make_unique<TEditorStringList>()) {}
TRowExchange::~TRowExchange() = default;

TUndoData& TUndoDataList::Add(std::unique_ptr<TUndoData> Entry)
{
    FItems.push_back(std::move(Entry));
    return *FItems.back();
}

void TUndoDataList::Delete(int Index)
{
    if (Index < 0 || Index >= Count()) return;
    FItems.erase(FItems.begin() + Index);
}

namespace {
void StoreCaret(const TEditorScreenStrings& List, TUndoData& Entry)
{
    if (const TEditorView* view = List.ActiveView()) {
        Entry.CaretRow = view->Row();
        Entry.CaretCol = view->Col();
    }
}
} // namespace

TUndoData& TEditorUndoObj::NewUndoData()
{
    auto entry = std::make_unique<TUndoData>();
    StoreCaret(List, *entry);
    if (!Redoing) RedoList.Clear();
    if (UndoListMax <= 0) {
        // No entry is kept: the caller fills one that is then forgotten.
        UndoList.Clear();
        FDiscarded = std::move(*entry);
        return FDiscarded;
    }
    TUndoData& added = UndoList.Add(std::move(entry));
    // The oldest entries go; more than one when the limit was lowered.
    while (UndoList.Count() > UndoListMax) UndoList.Delete(0);
    return added;
}

void TEditorUndoObj::AddUndoData(TUndoData&& Entry)
{
    TUndoData& added = NewUndoData();
    Entry.CaretRow = added.CaretRow;
    Entry.CaretCol = added.CaretCol;
    added = std::move(Entry);
}

void TEditorUndoObj::AddRedoData(const TUndoData& Entry)
{
    auto entry = std::make_unique<TUndoData>(Entry);
    StoreCaret(List, *entry);
    RedoList.Add(std::move(entry));
}

void TEditorUndoObj::Clear()
{
    UndoList.Clear();
    RedoList.Clear();
}

void TEditorUndoObj::Undo() { Apply(UndoList, false); }

void TEditorUndoObj::Redo() { Apply(RedoList, true); }

// Puts the entry's old text back in place of the rows its change produced, and records the inverse:
// a redo entry for an undo, an undo entry for a redo.
void TEditorUndoObj::Apply(TUndoDataList& From, bool Redo)
{
    if (From.Empty()) return;
    TEditorView* view = List.ActiveView();
    if (view) view->BeginEdit();
    List.BeginUpdate();

    TUndoData inverse;
    if (From.Last().Exchange) {
        // The rows saved go back in exchange for the rows the change put there, which the same runs
        // then hold for the way back.
        inverse.Exchange = From.Last().Exchange;
        int removed = 0;
        List.ExchangeRows(*inverse.Exchange, inverse.Row, removed, inverse.RowCount);
        const int states = List.UpdateRowStates(inverse.Row, true);
        List.NoteChange(inverse.Row, removed, states, inverse.RowCount);
    } else {
        TUndoData& entry = From.Last();
        entry.Row = std::clamp(entry.Row, 0, List.Count());
        inverse.Row = entry.Row;
        // What the change produced, as it stands now.
        TRowsText produced;
        if (entry.RowCount != 0) produced = List.GetRowsText(entry.Row, entry.RowCount);
        const int removed = produced.Rows;
        inverse.Attribute = produced.LastAttr;
        inverse.Text = std::move(produced.Text);
        inverse.Marks = List.RowsMarks(entry.Row, removed);

        // The marks now on the produced rows, and those the change lent to the row after it.
        int pool = 0;
        for (int i = 0; i < removed; ++i) pool |= List.RowMarks(entry.Row + i);
        if (entry.LentMarks != 0 && List.Count() == 0) {
            pool |= entry.LentMarks;
        } else if (entry.LentMarks != 0) {
            const int lender = std::min(entry.Row, List.Count() - 1);
            const int held = List.RowMarks(lender);
            const int back = held & entry.LentMarks;
            List.TEditorStringList::SetRowMarks(lender, held & ~(back & ~entry.LenderMarks));
            pool |= back;
        }

        int inserted = 0;
        if (entry.Attribute != uaNoText) {
            TEditorStringList rows;
            List.WrapText(entry.Text, rows);
            // The old text ended inside a wrapped line: no empty row after it.
            if (entry.Attribute == raWrapped && rows.Count() > 1 && rows.Get(rows.Count() - 1).empty())
                rows.Delete(rows.Count() - 1);
            rows.SetRowAttributes(rows.Count() - 1, entry.Attribute);
            inserted = rows.Count();
            // Every old row gets its own marks back; marks set since then stay on the first row.
            int saved = 0;
            for (std::size_t i = 0; i < entry.Marks.size() && i < static_cast<std::size_t>(inserted); ++i) {
                rows.SetRowMarks(static_cast<int>(i), entry.Marks[i] & pool);
                saved |= entry.Marks[i];
            }
            rows.SetRowMarks(0, rows.RowMarks(0) | (pool & ~saved));
            List.ReplaceRowItems(entry.Row, removed, rows);
            List.IncludeMarks(pool);
        } else {
            List.DeleteRows(entry.Row, removed);
            inverse.LentMarks = static_cast<std::uint16_t>(pool);
            inverse.LenderMarks = static_cast<std::uint16_t>(List.LendMarks(entry.Row, pool));
        }

        const int states = List.UpdateRowStates(entry.Row, true);
        List.NoteChange(entry.Row, removed, states, inserted);
        inverse.RowCount = inserted;
    }

    const int caretRow = From.Last().CaretRow;
    const int caretCol = From.Last().CaretCol;
    if (Redo) {
        Redoing = true;
        AddUndoData(std::move(inverse));
        Redoing = false;
    } else {
        AddRedoData(inverse);
    }

    List.EndUpdate();
    if (view) {
        view->SetRowCol(caretRow, caretCol);
        view->EndEdit();
    }
    From.Delete(From.Count() - 1);
}

} // namespace qx
