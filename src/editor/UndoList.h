#pragma once
// Undo and redo of a text. Every edit of the row store records one entry holding the old text of the
// rows it replaced; undoing puts that text back (wrapped anew) in place of the rows the edit produced
// and records the inverse entry for redo, and redoing does the same the other way round.

#include "editor/RowStringList.h"
#include "platform/Object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qx {

class TEditorScreenStrings;
class TEditorStringList;

// Row attribute of an entry without old text: the change only inserted rows.
constexpr int uaNoText = 3;

// The runs of rows that an edit of many places (a replace all, a conversion of the whole text)
// exchanged, and the rows that applying the entry puts back: run I's Count rows at Index (rows of
// the text as it stands, in order and apart) give way to the next Put rows of Rows. Applying it
// exchanges the rows, so that afterwards it describes the way back.
struct TRowExchange {
    TRowExchange();
    ~TRowExchange();
    std::vector<TRowStringList::TRunExchange> Runs;
    std::unique_ptr<TEditorStringList> Rows;
};

struct TUndoData {
    int CaretRow = 0;  // caret of the active view when the entry was made
    int CaretCol = 0;
    int Row = -1;      // first row of the change
    int RowCount = 0;  // rows the change produced (removed when the entry is applied)
    int Attribute = uaNoText;  // attribute of the old text's last row
    std::string Text;  // the old rows' text, CR LF after each row that ended its line
    // The old rows' marks, one per row (empty when none had a mark), so that applying the entry puts
    // every mark back on its own row.
    std::vector<std::uint16_t> Marks;
    // Marks the change handed to the row after it when it removed rows without producing any, and the
    // marks that row held before; applying the entry takes back what is still there.
    std::uint16_t LentMarks = 0;
    std::uint16_t LenderMarks = 0;
    // Instead of Text: the old rows of an edit of many places themselves, exchanged back as they are.
    std::shared_ptr<TRowExchange> Exchange;
    // Instead of Text: the change put CutLength bytes into row Row at byte CutAt (in place, nothing
    // else), so the old text is that row without them, taken when the entry is applied: a keystroke
    // on a long row keeps no copy of the row.
    std::size_t CutAt = 0;
    std::size_t CutLength = 0;
};

// An owning list of entries, oldest first.
class TUndoDataList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    TUndoData& Items(int Index) { return *FItems.at(static_cast<std::size_t>(Index)); }
    TUndoData& Last() { return *FItems.back(); }
    TUndoData& Add(std::unique_ptr<TUndoData> Entry);
    void Delete(int Index);
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TUndoData>> FItems;
};

class TEditorUndoObj : public TObject {
public:
    explicit TEditorUndoObj(TEditorScreenStrings& List) : List(List) {}

    TEditorScreenStrings& List;
    int UndoListMax = 64;
    bool Redoing = false;
    TUndoDataList RedoList;
    TUndoDataList UndoList;

    // A new entry with the active view's caret, appended to the undo list (the oldest entry goes when
    // the list outgrows UndoListMax); the redo list is forgotten unless a redo is recording.
    virtual TUndoData& NewUndoData();
    // NewUndoData filled with Entry's change (its caret is the active view's, as NewUndoData takes it).
    void AddUndoData(TUndoData&& Entry);
    virtual bool CanRedo() const { return !RedoList.Empty(); }
    virtual bool CanUndo() const { return !UndoList.Empty(); }
    virtual void Redo();
    virtual void Undo();
    // Appends a copy of Entry's change with the active view's caret to the redo list.
    virtual void AddRedoData(const TUndoData& Entry);
    virtual void Clear();

private:
    void Apply(TUndoDataList& From, bool Redoing);

    TUndoData FDiscarded;  // the entry handed out while UndoListMax leaves room for none
};

} // namespace qx
