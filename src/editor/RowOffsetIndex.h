#pragma once
// Prefix sums over the rows of a text: the characters of each row (its bytes, plus 2 for the line end
// of a row that ends its line) and the line ends. They answer "which line holds this row", "where does
// line N start", "how long is the text" and "which row holds character offset X" in O(log n).
//
// The rows are taken in runs (blocks) of about 64: Fenwick trees over the blocks hold their row counts
// and sums, and the rows inside a block are read when asked. A changed row costs O(log n); rows added
// or removed cost O(log n) plus the rows of the blocks they touch, and a block that grows past twice
// its size splits. The index keeps well under a byte per row.

#include <cstdint>
#include <functional>
#include <vector>

namespace qx {

class TRowOffsetIndex {
public:
    // Value(First, Count, Chars, LineEnds) gives the sums of the two values over the rows First ..
    // First + Count - 1 as they are now (a run at a time: the rows are mostly read in runs).
    using TValueProc = std::function<void(int First, int Count, std::int64_t& Chars, int& LineEnds)>;
    explicit TRowOffsetIndex(TValueProc Value) : FValue(std::move(Value)) {}

    static constexpr int BlockRows = 64;

    // Builds the index for Count rows.
    void Rebuild(int Count);
    // Count rows were inserted at Row (0..Count()); the rows from Row on moved down.
    void RowsInserted(int Row, int Count);
    // Count rows at Row were removed.
    void RowsDeleted(int Row, int Count);
    // Row's values changed from OldChars and OldLineEnds.
    void RowChanged(int Row, std::int64_t OldChars, int OldLineEnds);
    int Count() const { return FCount; }

    // Sums over the rows 0 .. Rows - 1 (Rows clamped to 0..Count).
    std::int64_t CharsBefore(int Rows) const;
    int LineEndsBefore(int Rows) const;
    std::int64_t TotalChars() const;
    int TotalLineEnds() const;

    // The first row whose running character count passes Offset: the smallest R with
    // CharsBefore(R + 1) > Offset; Count when there is none.
    int RowOfChar(std::int64_t Offset) const;
    // The row of the N-th line end (0-based): the smallest R with LineEndsBefore(R + 1) > N; Count when
    // there is none.
    int RowOfLineEnd(int N) const;

private:
    struct TBlock {
        int Rows = 0;
        int LineEnds = 0;
        std::int64_t Chars = 0;
    };
    // Reads the rows of a block that starts at row First.
    void Sum(TBlock& Block, int First) const;
    // Replaces the blocks from Index on (Count of them) by blocks of BlockRows rows over Rows rows from
    // row First, and rebuilds the trees.
    void Rechunk(std::size_t Index, std::size_t Count, int First, int Rows);
    void BuildTrees();
    void AddToTrees(std::size_t Block, int Rows, std::int64_t Chars, int LineEnds);
    // The block holding Row (0 <= Row < Count) and the block's first row.
    std::size_t BlockOf(int Row, int& First) const;
    int RowsBefore(std::size_t Blocks) const;
    std::int64_t RowChars(int First, int Count = 1) const;
    int RowLineEnds(int First, int Count = 1) const;
    // The sum over the rows before Rows, of the value Pick(First, Count) that Tree sums by blocks.
    template <class T, class PickProc> T SumBefore(const std::vector<T>& Tree, int Rows, PickProc Pick) const;
    // The first row at which the running sum of Pick(Row, 1) passes Value, or Count.
    template <class T, class PickProc> int RowAt(const std::vector<T>& Tree, T Value, PickProc Pick) const;

    TValueProc FValue;
    int FCount = 0;
    std::vector<TBlock> FBlocks;
    // 1-based Fenwick trees over the blocks; element 0 unused.
    std::vector<std::int32_t> FRowTree{0};
    std::vector<std::int64_t> FCharTree{0};
    std::vector<std::int32_t> FEndTree{0};
};

} // namespace qx
