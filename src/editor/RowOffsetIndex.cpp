#include "editor/RowOffsetIndex.h"

#include <algorithm>

namespace qx {

namespace {

template <class T>
T Prefix(const std::vector<T>& Tree, std::size_t Blocks)
{
    T sum = 0;
    for (std::size_t j = Blocks; j > 0; j -= j & (~j + 1)) sum += Tree[j];
    return sum;
}

// The most whole blocks whose sum stays at or below Value; Value keeps what is left.
template <class T>
std::size_t Search(const std::vector<T>& Tree, T& Value)
{
    const std::size_t n = Tree.size() - 1;
    std::size_t step = 1;
    while (step * 2 <= n) step *= 2;
    std::size_t position = 0;
    for (; step > 0; step /= 2) {
        const std::size_t next = position + step;
        if (next <= n && Tree[next] <= Value) {
            position = next;
            Value -= Tree[next];
        }
    }
    return position;
}

template <class T>
void Add(std::vector<T>& Tree, std::size_t Block, T Delta)
{
    if (Delta == 0) return;
    for (std::size_t j = Block + 1; j < Tree.size(); j += j & (~j + 1)) Tree[j] += Delta;
}

} // namespace

void TRowOffsetIndex::Sum(TBlock& Block, int First) const
{
    Block.Chars = 0;
    Block.LineEnds = 0;
    if (Block.Rows > 0) FValue(First, Block.Rows, Block.Chars, Block.LineEnds);
}

void TRowOffsetIndex::BuildTrees()
{
    const std::size_t n = FBlocks.size();
    FRowTree.assign(n + 1, 0);
    FCharTree.assign(n + 1, 0);
    FEndTree.assign(n + 1, 0);
    for (std::size_t j = 1; j <= n; ++j) {
        FRowTree[j] += FBlocks[j - 1].Rows;
        FCharTree[j] += FBlocks[j - 1].Chars;
        FEndTree[j] += FBlocks[j - 1].LineEnds;
        const std::size_t parent = j + (j & (~j + 1));
        if (parent <= n) {
            FRowTree[parent] += FRowTree[j];
            FCharTree[parent] += FCharTree[j];
            FEndTree[parent] += FEndTree[j];
        }
    }
}

void TRowOffsetIndex::AddToTrees(std::size_t Block, int Rows, std::int64_t Chars, int LineEnds)
{
    Add(FRowTree, Block, Rows);
    Add(FCharTree, Block, Chars);
    Add(FEndTree, Block, LineEnds);
}

void TRowOffsetIndex::Rechunk(std::size_t Index, std::size_t Count, int First, int Rows)
{
    std::vector<TBlock> blocks;
    for (int done = 0; done < Rows;) {
        TBlock& block = blocks.emplace_back();
        block.Rows = std::min(BlockRows, Rows - done);
        Sum(block, First + done);
        done += block.Rows;
    }
    const auto at = FBlocks.begin() + static_cast<std::ptrdiff_t>(Index);
    FBlocks.erase(at, at + static_cast<std::ptrdiff_t>(Count));
    FBlocks.insert(FBlocks.begin() + static_cast<std::ptrdiff_t>(Index), blocks.begin(), blocks.end());
    BuildTrees();
}

void TRowOffsetIndex::Rebuild(int Count)
{
    FBlocks.clear();
    FCount = std::max(Count, 0);
    Rechunk(0, 0, 0, FCount);
}

int TRowOffsetIndex::RowsBefore(std::size_t Blocks) const { return Prefix(FRowTree, Blocks); }

std::size_t TRowOffsetIndex::BlockOf(int Row, int& First) const
{
    std::int32_t left = Row;
    const std::size_t block = Search(FRowTree, left);
    First = Row - left;
    return block;
}

void TRowOffsetIndex::RowsInserted(int Row, int Count)
{
    if (Count <= 0) return;
    if (FBlocks.empty()) {
        Rebuild(Count);
        return;
    }
    int first;
    std::size_t block;
    if (Row >= FCount) {
        block = FBlocks.size() - 1;
        first = FCount - FBlocks[block].Rows;
    } else {
        block = BlockOf(Row, first);
    }
    FCount += Count;
    TBlock& b = FBlocks[block];
    const TBlock old = b;
    b.Rows += Count;
    if (b.Rows > 2 * BlockRows) {
        Rechunk(block, 1, first, b.Rows);
        return;
    }
    Sum(b, first);
    AddToTrees(block, Count, b.Chars - old.Chars, b.LineEnds - old.LineEnds);
}

void TRowOffsetIndex::RowsDeleted(int Row, int Count)
{
    Count = std::min(Count, FCount - Row);
    if (Row < 0 || Count <= 0) return;
    int first0, first1;
    const std::size_t b0 = BlockOf(Row, first0);
    const std::size_t b1 = BlockOf(Row + Count - 1, first1);
    // What is left of the two end blocks becomes one run.
    const int kept = (Row - first0) + (first1 + FBlocks[b1].Rows - (Row + Count));
    FCount -= Count;
    if (b0 != b1 || kept == 0) {
        Rechunk(b0, b1 - b0 + 1, first0, kept);
        return;
    }
    TBlock& b = FBlocks[b0];
    const TBlock old = b;
    b.Rows = kept;
    Sum(b, first0);
    AddToTrees(b0, -Count, b.Chars - old.Chars, b.LineEnds - old.LineEnds);
}

void TRowOffsetIndex::RowChanged(int Row, std::int64_t OldChars, int OldLineEnds)
{
    if (Row < 0 || Row >= FCount) return;
    int first;
    const std::size_t block = BlockOf(Row, first);
    std::int64_t chars = 0;
    int ends = 0;
    FValue(Row, 1, chars, ends);
    FBlocks[block].Chars += chars - OldChars;
    FBlocks[block].LineEnds += ends - OldLineEnds;
    AddToTrees(block, 0, chars - OldChars, ends - OldLineEnds);
}

std::int64_t TRowOffsetIndex::TotalChars() const { return Prefix(FCharTree, FBlocks.size()); }

int TRowOffsetIndex::TotalLineEnds() const { return Prefix(FEndTree, FBlocks.size()); }

template <class T, class PickProc>
T TRowOffsetIndex::SumBefore(const std::vector<T>& Tree, int Rows, PickProc Pick) const
{
    if (Rows >= FCount) return Prefix(Tree, FBlocks.size());
    if (Rows <= 0) return 0;
    int first;
    const std::size_t block = BlockOf(Rows, first);
    T sum = Prefix(Tree, block);
    if (Rows > first) sum += static_cast<T>(Pick(first, Rows - first));
    return sum;
}

template <class T, class PickProc>
int TRowOffsetIndex::RowAt(const std::vector<T>& Tree, T Value, PickProc Pick) const
{
    if (Value < 0) return 0;
    for (int row = RowsBefore(Search(Tree, Value)); row < FCount; ++row) {
        const T value = static_cast<T>(Pick(row, 1));
        if (value > Value) return row;
        Value -= value;
    }
    return FCount;
}

std::int64_t TRowOffsetIndex::RowChars(int First, int Count) const
{
    std::int64_t chars = 0;
    int ends = 0;
    FValue(First, Count, chars, ends);
    return chars;
}

int TRowOffsetIndex::RowLineEnds(int First, int Count) const
{
    std::int64_t chars = 0;
    int ends = 0;
    FValue(First, Count, chars, ends);
    return ends;
}

std::int64_t TRowOffsetIndex::CharsBefore(int Rows) const
{
    return SumBefore(FCharTree, Rows, [this](int First, int Count) { return RowChars(First, Count); });
}

int TRowOffsetIndex::LineEndsBefore(int Rows) const
{
    return SumBefore(FEndTree, Rows, [this](int First, int Count) { return RowLineEnds(First, Count); });
}

int TRowOffsetIndex::RowOfChar(std::int64_t Offset) const
{
    return RowAt(FCharTree, Offset, [this](int First, int Count) { return RowChars(First, Count); });
}

int TRowOffsetIndex::RowOfLineEnd(int N) const
{
    return RowAt(FEndTree, static_cast<std::int32_t>(N), [this](int First, int Count) { return RowLineEnds(First, Count); });
}

} // namespace qx
