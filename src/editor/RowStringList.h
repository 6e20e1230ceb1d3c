#pragma once
// The editor's row container: a string list whose rows carry, besides the text, a lexer-state string
// and three 32-bit values. A text of two million rows must stay cheap to hold and to edit, so the rows
// live in blocks of at most a few hundred: a block keeps its rows' texts end to end in one buffer with
// a 32-bit end offset per row, the two packed words per row, and the rarely used state strings and
// data values only once one of its rows has any. A row then costs its text and about 12 bytes, loading
// allocates per block rather than per row, and inserting or deleting rows moves the bytes of one block
// (blocks split and merge to stay within bounds). The first row of each block is kept in a table that
// is brought up to date lazily; a row is found by binary search over it.

#include "platform/Object.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TTextArena;

// An immutable, reference-counted byte string of pointer size. The count is not atomic: rows live on
// the one UI thread. The empty string allocates nothing.
class TRowString {
public:
    TRowString() noexcept = default;
    TRowString(std::string_view s);  // implicit: rows are made from text
    TRowString(const TRowString& other) noexcept;
    TRowString(TRowString&& other) noexcept : FRep(other.FRep) { other.FRep = nullptr; }
    TRowString& operator=(const TRowString& other) noexcept;
    TRowString& operator=(TRowString&& other) noexcept;
    ~TRowString() { Release(); }

    std::string_view View() const noexcept;
    operator std::string_view() const noexcept { return View(); }
    std::string Str() const { return std::string(View()); }
    std::size_t size() const noexcept;
    bool empty() const noexcept { return FRep == nullptr; }

    friend bool operator==(const TRowString& a, const TRowString& b) noexcept
    {
        return a.FRep == b.FRep || a.View() == b.View();
    }

private:
    struct Rep;
    void Release() noexcept;
    Rep* FRep = nullptr;
};

// One row, as a value: what Item returns and the bulk operations take.
struct TRowStringItem {
    TRowString Str;        // the row text (Shift-JIS bytes, no line end)
    TRowString StateStr;   // the string part of the lexer state at the start of the row
    std::int32_t Data = 0; // a free value per row; editing operations copy it with the row
    std::uint32_t AttrWord = 0;  // packed row attribute and lexer state (TRowAttributeStringList)
    std::uint32_t MarkWord = 0;  // packed lexer flags and row marks (TRowAttributeStringList)
};

class TRowStringList : public TPersistent {
public:
    // Rows per block: inserting or deleting a row moves at most this many rows' bytes.
    static constexpr int BlockRows = 256;

    TRowStringList();
    // Events are cleared first: nothing is announced while the list is destroyed.
    ~TRowStringList() override;
    TRowStringList(const TRowStringList&) = delete;
    TRowStringList& operator=(const TRowStringList&) = delete;

    // Fired before and after every change of the rows (not of the per-row values), unless an update
    // is in progress; a batch fires OnChanging once before and OnChange once after.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    int Count() const { return FCount; }
    // The rows the list has made room for in its bookkeeping: it grows by 4 while it is 8 or less, by
    // 16 while it is 64 or less, else by a quarter. The blocks themselves grow as rows come.
    int Capacity() const { return FCapacity; }
    // A capacity below Count raises EListError.
    void SetCapacity(int NewCapacity);

    // Every index outside 0..Count-1 raises EListError "List index out of bounds (%d)".
    // The text stays valid until the next change of the list.
    std::string_view Get(int Index) const;
    std::string_view operator[](int Index) const { return Get(Index); }
    // Replaces the text only; the row's state, marks and data stay. Virtual, as are the two word
    // setters below: a list that derives values from its rows follows every write, whatever the
    // caller's static type.
    virtual void Put(int Index, std::string_view S);
    // Returns the new row's index (Count before the call).
    int Add(std::string_view S);
    // Index may be 0..Count. The new row is all zero: attribute 0, no state, no marks.
    void Insert(int Index, std::string_view S);
    void Delete(int Index);
    // Swaps the two whole rows (text, state string, data, both words).
    void Exchange(int Index1, int Index2);
    // Removes every row and releases the blocks; an empty list announces nothing.
    void Clear();

    // Whole rows, for moving rows between lists without losing any field. InsertItems takes Index
    // 0..Count; DeleteItems removes Count rows from Index (the whole range must exist). Each is one
    // change (one OnChanging, one OnChange) and costs the rows it moves plus the blocks it touches.
    TRowStringItem Item(int Index) const;
    void PutItem(int Index, const TRowStringItem& Value);
    void InsertItems(int Index, std::span<const TRowStringItem> Items);
    // Inserts copies of Source's rows First .. First + Count - 1 (Source may be this list).
    void InsertItems(int Index, const TRowStringList& Source, int First, int Count);
    void DeleteItems(int Index, int Count);
    // Replaces every row by Source's rows, taking them over (one change); Source is left empty. A whole
    // text laid out anew never needs more than the old rows and the new.
    void AssignItems(TRowStringList& Source);

    // One run of rows for ExchangeRuns: Count rows at Index (counted before the exchange) give way to
    // the next Put rows of the other list.
    struct TRunExchange {
        int Index = 0;
        int Count = 0;
        int Put = 0;
    };
    // Exchanges runs of rows (in order and apart) with Other, which holds every run's new rows in
    // order, in one pass over the blocks and as one change; afterwards Other holds the rows that stood
    // in the runs, in order. A block that no run touches stays as it is, a whole block that passes from
    // one list to the other moves without a copy, and the rows that share a block with a run are copied
    // once into blocks cut from the arena, one after the other as a load's are; each old block goes as
    // soon as its rows have passed, so an exchange over the whole text needs little more than its new
    // rows.
    void ExchangeRuns(std::span<const TRunExchange> Runs, TRowStringList& Other);

    // Per-row values; writing them announces nothing.
    std::string_view StateStr(int Index) const;
    void SetStateStr(int Index, std::string_view Value);
    std::int32_t Data(int Index) const;
    void SetData(int Index, std::int32_t Value);
    std::uint32_t AttrWord(int Index) const { return Word(Index, 0); }
    virtual void SetAttrWord(int Index, std::uint32_t Value) { SetWord(Index, 0, Value); }
    std::uint32_t MarkWord(int Index) const { return Word(Index, 1); }
    virtual void SetMarkWord(int Index, std::uint32_t Value) { SetWord(Index, 1, Value); }

    // The rows of the block that holds row Index, for walks over many rows: the block's first row,
    // its row count, the end of each row's text in the block (the texts lie end to end) and the two
    // words of each row. Valid until the next change of the list.
    struct TRowRun {
        int First = 0;
        int Rows = 0;
        const std::uint32_t* Ends = nullptr;
        const std::uint32_t* Words = nullptr;  // AttrWord, MarkWord of each row
    };
    TRowRun Run(int Index) const;

    // The class library's update brackets: the outermost pair calls SetUpdateState.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    virtual void Changed();
    virtual void Changing();
    // True: OnChanging, then the list's update counter goes up; False: it goes down, then OnChange.
    virtual void SetUpdateState(bool Updating);
    void CheckIndex(int Index) const;
    // Appends a row with the given words, announcing nothing: the caller brackets a run of them.
    void AppendRow(std::string_view S, std::uint32_t AttrWord);

private:
    struct TBlock;
    struct TRowExtra;
    struct TBlockSink;
    struct TBlockSource;
    // The block that holds row Index (0 <= Index < Count) and the row's place in it.
    TBlock& Locate(int Index, int& Pos) const;
    std::size_t LocateBlock(int Index, int& Pos) const;
    // Inserts Count rows at Index; Row(I, Block, Arena) appends the I-th new row to the end of Block
    // (Arena: where an empty block takes its text's room; null for the heap).
    template <class RowProc> void InsertRows(int Index, int Count, RowProc&& Row);
    void RemoveRows(int Index, int Count);
    void SetRow(int Index, const TRowStringItem& Value);
    // Merges neighbouring blocks from First - 1 through Last + 1 that fit in one, and drops empty ones.
    void Compact(std::size_t First, std::size_t Last);
    void InsertBlock(std::size_t At, std::unique_ptr<TBlock> Block);
    void EraseBlocks(std::size_t First, std::size_t Last);
    // The blocks from Index on moved (or changed their row counts): their first rows are found anew.
    void RowsMoved(std::size_t Index) const;
    // Block Block gained Delta rows in place: the first rows of the blocks behind it follow.
    void RowsCounted(std::size_t Block, int Delta);
    void Grow(std::size_t Needed);
    std::uint32_t Word(int Index, int Which) const;
    void SetWord(int Index, int Which, std::uint32_t Value);
    void IndexError(std::int64_t Index) const;

    std::vector<std::unique_ptr<TBlock>> FBlocks;
    std::unique_ptr<TTextArena> FArena;  // where the blocks of a bulk append at the end take their texts
    // FFirst[B] = the first row of block B, right for the blocks before FFirstValid.
    mutable std::vector<int> FFirst;
    mutable std::size_t FFirstValid = 0;
    mutable std::size_t FHint = 0;  // the block found last: rows are mostly read in order
    int FCount = 0;
    int FCapacity = 0;
    int FUpdateCount = 0;  // raised by SetUpdateState
    int FUpdateNest = 0;   // depth of BeginUpdate
};

} // namespace qx
