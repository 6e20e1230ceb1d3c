#include "editor/RowStringList.h"

#include "editor/RowTextArena.h"
#include "platform/Exception.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace qx {

static_assert(sizeof(TRowString) == sizeof(void*), "a row string is one pointer");

// The shared representation: a count, a length and the bytes, in one allocation.
struct TRowString::Rep {
    std::uint32_t Refs;
    std::uint32_t Length;
    char* Bytes() { return reinterpret_cast<char*>(this + 1); }
};

TRowString::TRowString(std::string_view s)
{
    if (s.empty()) return;
    if (s.size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("row too long");
    void* memory = std::malloc(sizeof(Rep) + s.size());
    if (!memory) throw std::bad_alloc();
    FRep = static_cast<Rep*>(memory);
    FRep->Refs = 1;
    FRep->Length = static_cast<std::uint32_t>(s.size());
    std::memcpy(FRep->Bytes(), s.data(), s.size());
}

TRowString::TRowString(const TRowString& other) noexcept : FRep(other.FRep)
{
    if (FRep) ++FRep->Refs;
}

TRowString& TRowString::operator=(const TRowString& other) noexcept
{
    if (other.FRep) ++other.FRep->Refs;  // first, so that self-assignment is safe
    Release();
    FRep = other.FRep;
    return *this;
}

TRowString& TRowString::operator=(TRowString&& other) noexcept
{
    if (this != &other) {
        Release();
        FRep = std::exchange(other.FRep, nullptr);
    }
    return *this;
}

void TRowString::Release() noexcept
{
    if (FRep && --FRep->Refs == 0) std::free(FRep);
    FRep = nullptr;
}

std::string_view TRowString::View() const noexcept
{
    return FRep ? std::string_view(FRep->Bytes(), FRep->Length) : std::string_view();
}

std::size_t TRowString::size() const noexcept { return FRep ? FRep->Length : 0; }

// ---------------------------------------------------------------------------------------------------
// Blocks

// The values of a row that few rows have.
struct TRowStringList::TRowExtra {
    TRowString StateStr;
    std::int32_t Data = 0;
};

namespace {

// A vector of at most N items kept in place: a block's rows never outnumber BlockRows, and its arrays
// then come with the block in one allocation.
template <class T, std::size_t N> class TFixedVector {
public:
    std::size_t size() const { return FSize; }
    T* data() { return FItems; }
    const T* data() const { return FItems; }
    T* begin() { return FItems; }
    T* end() { return FItems + FSize; }
    const T* begin() const { return FItems; }
    const T* end() const { return FItems + FSize; }
    T& operator[](std::size_t I) { return FItems[I]; }
    const T& operator[](std::size_t I) const { return FItems[I]; }
    void push_back(T Value)
    {
        if (FSize == N) throw std::length_error("row block overfull");
        FItems[FSize++] = Value;
    }
    void insert(T* At, const T* First, const T* Last)
    {
        const std::size_t n = static_cast<std::size_t>(Last - First);
        if (FSize + n > N) throw std::length_error("row block overfull");
        std::memmove(At + n, At, static_cast<std::size_t>(end() - At) * sizeof(T));
        std::memcpy(At, First, n * sizeof(T));
        FSize += n;
    }
    void erase(T* First, T* Last)
    {
        std::memmove(First, Last, static_cast<std::size_t>(end() - Last) * sizeof(T));
        FSize -= static_cast<std::size_t>(Last - First);
    }

private:
    std::size_t FSize = 0;
    T FItems[N];  // left uninitialised: only the first FSize are read
};

} // namespace

struct TRowStringList::TBlock {
    // A block of a bulk append comes from the arena with its text; the others from the heap. A header
    // before the block tells which.
    struct THeader {
        TTextRegion* Region;
        std::size_t Size;
    };
    static constexpr std::size_t HeaderSize = 16;
    static_assert(sizeof(THeader) <= HeaderSize);
    static void* operator new(std::size_t Size)
    {
        auto* memory = static_cast<char*>(::operator new(HeaderSize + Size));
        *reinterpret_cast<THeader*>(memory) = {nullptr, HeaderSize + Size};
        return memory + HeaderSize;
    }
    static void* operator new(std::size_t Size, TTextArena& Arena)
    {
        TTextRegion* region;
        char* memory = Arena.Take(HeaderSize + Size, region, alignof(std::max_align_t));
        *reinterpret_cast<THeader*>(memory) = {region, HeaderSize + Size};
        return memory + HeaderSize;
    }
    static void operator delete(void* P) noexcept
    {
        if (!P) return;
        char* memory = static_cast<char*>(P) - HeaderSize;
        const THeader header = *reinterpret_cast<THeader*>(memory);
        if (header.Region) TTextArena::Return(header.Region, memory, header.Size);
        else ::operator delete(memory);
    }
    static void operator delete(void* P, TTextArena&) noexcept { operator delete(P); }

    TBlockText Text;                   // the rows' texts, end to end
    TFixedVector<std::uint32_t, BlockRows> Ends;       // the end of each row's text in Text
    TFixedVector<std::uint32_t, 2 * BlockRows> Words;  // AttrWord and MarkWord of each row
    std::vector<TRowExtra> Extras;     // empty, or one per row once a row has a state string or data

    int Rows() const { return static_cast<int>(Ends.size()); }
    std::size_t Start(int Pos) const { return Pos == 0 ? 0 : Ends[static_cast<std::size_t>(Pos) - 1]; }
    std::string_view Row(int Pos) const
    {
        const std::size_t start = Start(Pos);
        return Text.View().substr(start, Ends[static_cast<std::size_t>(Pos)] - start);
    }
    std::uint32_t& Word(int Pos, int Which) { return Words[2 * static_cast<std::size_t>(Pos) + static_cast<std::size_t>(Which)]; }
    TRowExtra& Extra(int Pos)
    {
        if (Extras.empty()) Extras.resize(Ends.size());
        return Extras[static_cast<std::size_t>(Pos)];
    }
    const TRowExtra* FindExtra(int Pos) const
    {
        return Extras.empty() ? nullptr : &Extras[static_cast<std::size_t>(Pos)];
    }

    // Arena: where a block that is still empty takes its first room (a bulk append at the end).
    void Append(std::string_view S, std::uint32_t AttrWord, std::uint32_t MarkWord, TTextArena* Arena = nullptr)
    {
        Text.Append(S, Arena);
        Ends.push_back(static_cast<std::uint32_t>(Text.size()));
        Words.push_back(AttrWord);
        Words.push_back(MarkWord);
        if (!Extras.empty()) Extras.emplace_back();
    }

    void AppendItem(const TRowStringItem& Item, TTextArena* Arena)
    {
        Append(Item.Str, Item.AttrWord, Item.MarkWord, Arena);
        if (!Item.StateStr.empty() || Item.Data != 0) Extra(Rows() - 1) = {Item.StateStr, Item.Data};
    }

    // Appends copies of Source's rows From .. To - 1 (Source is another block).
    void AppendRows(const TBlock& Source, int From, int To, TTextArena* Arena = nullptr)
    {
        if (From >= To) return;
        const std::size_t start = Source.Start(From);
        const std::size_t base = Text.size();
        const int before = Rows();
        Text.Append(Source.Text.View().substr(start, Source.Ends[static_cast<std::size_t>(To) - 1] - start), Arena);
        for (int i = From; i < To; ++i)
            Ends.push_back(static_cast<std::uint32_t>(base + Source.Ends[static_cast<std::size_t>(i)] - start));
        Words.insert(Words.end(), Source.Words.data() + 2 * From, Source.Words.data() + 2 * To);
        if (!Source.Extras.empty()) {
            Extras.resize(static_cast<std::size_t>(before));
            Extras.insert(Extras.end(), Source.Extras.begin() + From, Source.Extras.begin() + To);
        } else if (!Extras.empty()) {
            Extras.resize(Ends.size());
        }
    }

    void Erase(int From, int To)
    {
        if (From >= To) return;
        const std::size_t start = Start(From);
        const std::size_t removed = Ends[static_cast<std::size_t>(To) - 1] - start;
        Text.Erase(start, removed);
        Ends.erase(Ends.begin() + From, Ends.begin() + To);
        for (std::size_t i = static_cast<std::size_t>(From); i < Ends.size(); ++i)
            Ends[i] -= static_cast<std::uint32_t>(removed);
        Words.erase(Words.begin() + 2 * From, Words.begin() + 2 * To);
        if (!Extras.empty()) Extras.erase(Extras.begin() + From, Extras.begin() + To);
    }

    // Inserts Source's rows (another block) before row Pos; they must fit in this block.
    void InsertRowsAt(int Pos, const TBlock& Source)
    {
        const int n = Source.Rows();
        if (n == 0) return;
        const int old = Rows();
        const bool extras = !Extras.empty() || !Source.Extras.empty();
        if (extras) Extras.reserve(static_cast<std::size_t>(old + n));  // what may fail comes first
        const std::size_t start = Start(Pos);
        const auto bytes = static_cast<std::uint32_t>(Source.Text.size());
        Text.Replace(start, 0, Source.Text.View());
        Ends.insert(Ends.data() + Pos, Source.Ends.data(), Source.Ends.data() + n);
        for (int i = Pos; i < Pos + n; ++i) Ends[static_cast<std::size_t>(i)] += static_cast<std::uint32_t>(start);
        for (int i = Pos + n; i < old + n; ++i) Ends[static_cast<std::size_t>(i)] += bytes;
        Words.insert(Words.data() + 2 * Pos, Source.Words.data(), Source.Words.data() + 2 * n);
        if (extras) {
            Extras.resize(static_cast<std::size_t>(old));
            if (Source.Extras.empty()) Extras.insert(Extras.begin() + Pos, static_cast<std::size_t>(n), TRowExtra{});
            else Extras.insert(Extras.begin() + Pos, Source.Extras.begin(), Source.Extras.end());
        }
    }

    void SetText(int Pos, std::string_view S)
    {
        const std::size_t start = Start(Pos);
        const std::size_t old = Ends[static_cast<std::size_t>(Pos)] - start;
        Text.Replace(start, old, S);
        const std::uint32_t grown = static_cast<std::uint32_t>(S.size() - old);  // modulo 2^32
        for (std::size_t i = static_cast<std::size_t>(Pos); i < Ends.size(); ++i) Ends[i] += grown;
    }
};

TRowStringList::TRowStringList() = default;

TRowStringList::~TRowStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
}

void TRowStringList::IndexError(std::int64_t Index) const
{
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TRowStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= FCount) IndexError(Index);
}

void TRowStringList::RowsMoved(std::size_t Index) const { FFirstValid = std::min(FFirstValid, Index); }

void TRowStringList::RowsCounted(std::size_t Block, int Delta)
{
    // One pass over a compact array, rather than a walk over every block behind it.
    for (std::size_t b = Block + 1; b < FFirstValid; ++b) FFirst[b] += Delta;
}

std::size_t TRowStringList::LocateBlock(int Index, int& Pos) const
{
    const auto holds = [&](std::size_t b) {
        return b < FFirstValid && FFirst[b] <= Index && Index - FFirst[b] < FBlocks[b]->Rows();
    };
    std::size_t block = FHint;
    if (!holds(block)) {
        if (holds(block + 1)) {
            ++block;
        } else {
            const std::size_t n = FBlocks.size();
            if (FFirstValid < n) {
                FFirst.resize(n);
                for (std::size_t b = FFirstValid; b < n; ++b) FFirst[b] = b == 0 ? 0 : FFirst[b - 1] + FBlocks[b - 1]->Rows();
                FFirstValid = n;
            }
            const auto first = FFirst.begin();
            block = static_cast<std::size_t>(std::upper_bound(first, first + static_cast<std::ptrdiff_t>(n), Index) - first) - 1;
        }
    }
    FHint = block;
    Pos = Index - FFirst[block];
    return block;
}

TRowStringList::TBlock& TRowStringList::Locate(int Index, int& Pos) const
{
    CheckIndex(Index);
    return *FBlocks[LocateBlock(Index, Pos)];
}

void TRowStringList::InsertBlock(std::size_t At, std::unique_ptr<TBlock> Block)
{
    FBlocks.insert(FBlocks.begin() + static_cast<std::ptrdiff_t>(At), std::move(Block));
    RowsMoved(At);
}

void TRowStringList::EraseBlocks(std::size_t First, std::size_t Last)
{
    if (First >= Last) return;
    FBlocks.erase(FBlocks.begin() + static_cast<std::ptrdiff_t>(First), FBlocks.begin() + static_cast<std::ptrdiff_t>(Last));
    RowsMoved(First);
}

void TRowStringList::Compact(std::size_t First, std::size_t Last)
{
    std::size_t i = First > 0 ? First - 1 : 0;
    std::size_t end = Last + 1;  // the last block to look at
    while (i < FBlocks.size() && i <= end) {
        if (FBlocks[i]->Rows() == 0) {
            EraseBlocks(i, i + 1);
            if (end > 0) --end;
        } else if (i + 1 < FBlocks.size() && i + 1 <= end && FBlocks[i]->Rows() + FBlocks[i + 1]->Rows() <= BlockRows) {
            FBlocks[i]->AppendRows(*FBlocks[i + 1], 0, FBlocks[i + 1]->Rows());
            EraseBlocks(i + 1, i + 2);
            --end;
        } else {
            ++i;
        }
    }
}

template <class RowProc>
void TRowStringList::InsertRows(int Index, int Count, RowProc&& Row)
{
    if (Count <= 0) return;
    Grow(static_cast<std::size_t>(FCount) + static_cast<std::size_t>(Count));
    if (Index == FCount) {
        // At the end: straight into the last block, then into new ones, whose texts are cut one after
        // the other from the arena (each grows in place while it is filled).
        if (FBlocks.empty()) InsertBlock(0, std::unique_ptr<TBlock>(new TBlock));
        const std::size_t first = FBlocks.size() - 1;
        std::size_t last = first;
        // A list that never grows past one block (temporary rows, a short text) needs no arena. A block
        // cut from the arena whose rows so far are empty (a blank line) has no text yet: its first
        // bytes come from the arena too, not from a heap buffer grown again and again.
        const TBlockText& text = FBlocks[last]->Text;
        TTextArena* arena = FArena && (text.InArena() || text.capacity() == 0) ? FArena.get() : nullptr;
        try {
            for (int i = 0; i < Count; ++i) {
                if (FBlocks[last]->Rows() >= BlockRows) {
                    if (!FArena) FArena = std::make_unique<TTextArena>();
                    arena = FArena.get();
                    InsertBlock(last + 1, std::unique_ptr<TBlock>(new (*arena) TBlock));
                    ++last;
                }
                Row(i, *FBlocks[last], arena);
                ++FCount;
            }
        } catch (...) {
            RowsMoved(first + 1);
            Compact(first, last);  // a block left empty goes
            throw;
        }
        // New blocks follow full ones only: nothing to merge.
        RowsMoved(first + 1);
        return;
    }
    // Inside the text: the new rows are made apart first (they may be read from this very list), then
    // the block at Index is cut in two and they go between the halves.
    // More than a block of them (a paste) are cut from the arena one after the other, as a load's are;
    // a few rows (typing) keep heap buffers with room to grow.
    TTextArena* arena = nullptr;
    if (Count > BlockRows) {
        if (!FArena) FArena = std::make_unique<TTextArena>();
        arena = FArena.get();
    }
    std::vector<std::unique_ptr<TBlock>> added;
    for (int i = 0; i < Count; ++i) {
        if (added.empty() || added.back()->Rows() >= BlockRows)
            added.push_back(std::unique_ptr<TBlock>(arena ? new (*arena) TBlock : new TBlock));
        Row(i, *added.back(), arena);
    }
    int pos;
    const std::size_t block = LocateBlock(Index, pos);
    if (added.size() == 1 && FBlocks[block]->Rows() + Count <= BlockRows) {
        // Room in the block: the rows go in there, and only the blocks' first rows behind it move.
        FBlocks[block]->InsertRowsAt(pos, *added.front());
        FCount += Count;
        RowsCounted(block, Count);
        return;
    }
    std::size_t at = block;
    FBlocks.reserve(FBlocks.size() + added.size() + 1);  // nothing can fail once the block is cut
    if (pos > 0) {
        TBlock& cut = *FBlocks[block];
        auto tail = std::unique_ptr<TBlock>(new TBlock);
        tail->AppendRows(cut, pos, cut.Rows());
        added.push_back(std::move(tail));
        cut.Erase(pos, cut.Rows());
        at = block + 1;
    }
    FBlocks.insert(FBlocks.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(added.begin()),
                   std::make_move_iterator(added.end()));
    RowsMoved(at);
    FCount += Count;
    Compact(at, at + added.size() - 1);
}

void TRowStringList::RemoveRows(int Index, int Count)
{
    int pos0, pos1;
    const std::size_t b0 = LocateBlock(Index, pos0);
    const std::size_t b1 = LocateBlock(Index + Count - 1, pos1);
    if (b0 == b1) {
        FBlocks[b0]->Erase(pos0, pos1 + 1);
        RowsCounted(b0, -Count);
    } else {
        FBlocks[b1]->Erase(0, pos1 + 1);
        FBlocks[b0]->Erase(pos0, FBlocks[b0]->Rows());
        EraseBlocks(b0 + 1, b1);
        RowsMoved(b0 + 1);
    }
    FCount -= Count;
    Compact(b0, b0 + 1);
}

void TRowStringList::SetRow(int Index, const TRowStringItem& Value)
{
    int pos;
    TBlock& block = Locate(Index, pos);
    block.SetText(pos, Value.Str);
    block.Word(pos, 0) = Value.AttrWord;
    block.Word(pos, 1) = Value.MarkWord;
    if (!Value.StateStr.empty() || Value.Data != 0 || !block.Extras.empty())
        block.Extra(pos) = {Value.StateStr, Value.Data};
}

// ---------------------------------------------------------------------------------------------------
// The list

void TRowStringList::Changed()
{
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TRowStringList::Changing()
{
    if (FUpdateCount == 0 && OnChanging) OnChanging(this);
}

void TRowStringList::SetUpdateState(bool Updating)
{
    if (Updating) {
        Changing();
        ++FUpdateCount;
    } else {
        if (FUpdateCount > 0) --FUpdateCount;
        Changed();
    }
}

void TRowStringList::BeginUpdate()
{
    if (FUpdateNest++ == 0) SetUpdateState(true);
}

void TRowStringList::EndUpdate()
{
    if (FUpdateNest > 0 && --FUpdateNest == 0) SetUpdateState(false);
}

void TRowStringList::SetCapacity(int NewCapacity)
{
    if (NewCapacity < Count())
        throw EListError("List capacity out of bounds (" + std::to_string(NewCapacity) + ")");
    FCapacity = NewCapacity;
    FBlocks.reserve(static_cast<std::size_t>(NewCapacity / BlockRows + 1));
}

void TRowStringList::Grow(std::size_t Needed)
{
    std::size_t capacity = static_cast<std::size_t>(FCapacity);
    if (Needed <= capacity) return;
    const std::size_t delta = capacity > 64 ? capacity / 4 : (capacity > 8 ? 16 : 4);
    capacity = std::max(capacity + delta, Needed);
    FCapacity = static_cast<int>(std::min<std::size_t>(capacity, std::numeric_limits<int>::max()));
}

std::string_view TRowStringList::Get(int Index) const
{
    int pos;
    return Locate(Index, pos).Row(pos);
}

void TRowStringList::Put(int Index, std::string_view S)
{
    int pos;
    TBlock& block = Locate(Index, pos);
    Changing();
    block.SetText(pos, S);
    Changed();
}

int TRowStringList::Add(std::string_view S)
{
    const int index = Count();
    Insert(index, S);
    return index;
}

void TRowStringList::Insert(int Index, std::string_view S)
{
    if (Index < 0 || Index > FCount) IndexError(Index);
    Changing();
    InsertRows(Index, 1, [S](int, TBlock& Block, TTextArena* Arena) { Block.Append(S, 0, 0, Arena); });
    Changed();
}

void TRowStringList::AppendRow(std::string_view S, std::uint32_t AttrWord)
{
    InsertRows(FCount, 1, [S, AttrWord](int, TBlock& Block, TTextArena* Arena) { Block.Append(S, AttrWord, 0, Arena); });
}

void TRowStringList::Delete(int Index) { DeleteItems(Index, 1); }

void TRowStringList::Exchange(int Index1, int Index2)
{
    const TRowStringItem item1 = Item(Index1);
    const TRowStringItem item2 = Item(Index2);
    Changing();
    SetRow(Index1, item2);
    SetRow(Index2, item1);
    Changed();
}

void TRowStringList::Clear()
{
    if (FCount == 0) return;
    Changing();
    std::vector<std::unique_ptr<TBlock>>().swap(FBlocks);
    std::vector<int>().swap(FFirst);
    FArena.reset();
    FFirstValid = 0;
    FHint = 0;
    FCount = 0;
    FCapacity = 0;
    Changed();
}

TRowStringItem TRowStringList::Item(int Index) const
{
    int pos;
    TBlock& block = Locate(Index, pos);
    TRowStringItem item;
    item.Str = TRowString(block.Row(pos));
    if (const TRowExtra* extra = block.FindExtra(pos)) {
        item.StateStr = extra->StateStr;
        item.Data = extra->Data;
    }
    item.AttrWord = block.Word(pos, 0);
    item.MarkWord = block.Word(pos, 1);
    return item;
}

void TRowStringList::PutItem(int Index, const TRowStringItem& Value)
{
    CheckIndex(Index);
    Changing();
    SetRow(Index, Value);
    Changed();
}

void TRowStringList::InsertItems(int Index, std::span<const TRowStringItem> Items)
{
    if (Index < 0 || Index > FCount) IndexError(Index);
    if (Items.empty()) return;
    Changing();
    InsertRows(Index, static_cast<int>(Items.size()),
               [Items](int I, TBlock& Block, TTextArena* Arena) { Block.AppendItem(Items[static_cast<std::size_t>(I)], Arena); });
    Changed();
}

void TRowStringList::InsertItems(int Index, const TRowStringList& Source, int First, int Count)
{
    if (Index < 0 || Index > FCount) IndexError(Index);
    if (Count <= 0) return;
    Source.CheckIndex(First);
    Source.CheckIndex(First + Count - 1);
    if (&Source == this && Index == FCount) {
        // Appending rows of this very list: they are copied apart first, as the last block grows.
        TRowStringList copy;
        copy.InsertItems(0, *this, First, Count);
        InsertItems(Index, copy, 0, Count);
        return;
    }
    Changing();
    InsertRows(Index, Count, [&Source, First](int I, TBlock& Block, TTextArena* Arena) {
        int pos;
        const TBlock& from = Source.Locate(First + I, pos);
        Block.AppendRows(from, pos, pos + 1, Arena);
    });
    Changed();
}

void TRowStringList::DeleteItems(int Index, int Count)
{
    if (Count <= 0) return;
    CheckIndex(Index);
    if (Count > FCount - Index) IndexError(std::int64_t{Index} + Count - 1);
    Changing();
    RemoveRows(Index, Count);
    Changed();
}

void TRowStringList::AssignItems(TRowStringList& Source)
{
    if (&Source == this) return;
    Changing();
    FBlocks = std::move(Source.FBlocks);
    FArena = std::move(Source.FArena);
    FFirst = std::move(Source.FFirst);
    FFirstValid = std::exchange(Source.FFirstValid, 0);
    FHint = std::exchange(Source.FHint, 0);
    FCount = std::exchange(Source.FCount, 0);
    FCapacity = std::exchange(Source.FCapacity, 0);
    Source.FBlocks.clear();
    Source.FFirst.clear();
    Changed();
}

// Blocks that rows are handed to: a whole block is taken as it is, rows of a block are copied into
// the last block while it has room (from Arena, or the heap when there is none).
struct TRowStringList::TBlockSink {
    explicit TBlockSink(TTextArena* Arena) : Arena(Arena) {}
    TTextArena* Arena;
    std::vector<std::unique_ptr<TBlock>> Blocks;
    int Rows = 0;
    bool Open = false; // the last block takes copied rows

    void Take(std::unique_ptr<TBlock> Block)
    {
        Rows += Block->Rows();
        Blocks.push_back(std::move(Block));
        Open = false;
    }
    void Copy(const TBlock& From, int First, int Last)
    {
        while (First < Last) {
            if (!Open || Blocks.back()->Rows() >= BlockRows) {
                Blocks.push_back(std::unique_ptr<TBlock>(Arena ? new (*Arena) TBlock : new TBlock));
                Open = true;
            }
            TBlock& to = *Blocks.back();
            const int n = std::min(Last - First, BlockRows - to.Rows());
            to.AppendRows(From, First, First + n, Arena);
            First += n;
            Rows += n;
        }
    }
};

// Blocks whose rows are handed on from the first: a block goes on whole when all of it passes, else its
// rows are copied, and it is let go once its last row has passed.
struct TRowStringList::TBlockSource {
    std::vector<std::unique_ptr<TBlock>> Blocks;
    std::size_t Next = 0;
    int Pos = 0;

    void Pass(int Count, TBlockSink& Sink)
    {
        while (Count > 0) {
            std::unique_ptr<TBlock>& block = Blocks[Next];
            const int rows = block->Rows();
            if (Pos == 0 && Count >= rows) {
                Count -= rows;
                Sink.Take(std::move(block));
                ++Next;
                continue;
            }
            const int n = std::min(Count, rows - Pos);
            Sink.Copy(*block, Pos, Pos + n);
            Pos += n;
            Count -= n;
            if (Pos == rows) {
                block.reset();
                ++Next;
                Pos = 0;
            }
        }
    }
};

void TRowStringList::ExchangeRuns(std::span<const TRunExchange> Runs, TRowStringList& Other)
{
    int end = 0, put = 0;
    for (const TRunExchange& run : Runs) {
        if (run.Index < end || run.Count < 0 || run.Put < 0) IndexError(run.Index);
        end = run.Index + run.Count;
        if (end > FCount) IndexError(end - 1);
        put += run.Put;
    }
    if (&Other == this || put != Other.FCount) throw EListError("Row exchange out of step");
    if (Runs.empty()) return;
    Changing();
    Other.Changing();
    if (!FArena) FArena = std::make_unique<TTextArena>();
    TBlockSource text{std::move(FBlocks)};
    TBlockSource added{std::move(Other.FBlocks)};
    auto oldArena = std::make_unique<TTextArena>();
    TBlockSink out(FArena.get());
    TBlockSink old(oldArena.get());
    out.Blocks.reserve(text.Blocks.size() + added.Blocks.size() + 2 * Runs.size());
    int row = 0;
    for (const TRunExchange& run : Runs) {
        text.Pass(run.Index - row, out);
        text.Pass(run.Count, old);
        added.Pass(run.Put, out);
        row = run.Index + run.Count;
    }
    text.Pass(FCount - row, out);
    const auto adopt = [](TRowStringList& List, TBlockSink& Sink) {
        List.FBlocks = std::move(Sink.Blocks);
        List.FFirst.clear();
        List.FFirstValid = List.FHint = 0;
        List.FCount = Sink.Rows;
        List.Grow(static_cast<std::size_t>(Sink.Rows));
    };
    adopt(*this, out);
    adopt(Other, old);
    Other.FArena = std::move(oldArena);
    Other.Changed();
    Changed();
}

TRowStringList::TRowRun TRowStringList::Run(int Index) const
{
    int pos;
    const TBlock& block = Locate(Index, pos);
    return {Index - pos, block.Rows(), block.Ends.data(), block.Words.data()};
}

std::string_view TRowStringList::StateStr(int Index) const
{
    int pos;
    const TRowExtra* extra = Locate(Index, pos).FindExtra(pos);
    return extra ? extra->StateStr.View() : std::string_view();
}

void TRowStringList::SetStateStr(int Index, std::string_view Value)
{
    int pos;
    TBlock& block = Locate(Index, pos);
    if (Value.empty() && block.Extras.empty()) return;
    block.Extra(pos).StateStr = TRowString(Value);
}

std::int32_t TRowStringList::Data(int Index) const
{
    int pos;
    const TRowExtra* extra = Locate(Index, pos).FindExtra(pos);
    return extra ? extra->Data : 0;
}

void TRowStringList::SetData(int Index, std::int32_t Value)
{
    int pos;
    TBlock& block = Locate(Index, pos);
    if (Value == 0 && block.Extras.empty()) return;
    block.Extra(pos).Data = Value;
}

std::uint32_t TRowStringList::Word(int Index, int Which) const
{
    int pos;
    return Locate(Index, pos).Word(pos, Which);
}

void TRowStringList::SetWord(int Index, int Which, std::uint32_t Value)
{
    int pos;
    Locate(Index, pos).Word(pos, Which) = Value;
}

} // namespace qx
