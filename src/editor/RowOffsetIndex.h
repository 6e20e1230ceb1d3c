#pragma once
// Prefix sums over the rows of a text, kept in two Fenwick trees: the characters of each row (its bytes,
// plus 2 for the line end of a row that ends its line) and the line ends. They answer "which line holds
// this row", "where does line N start", "how long is the text" and "which row holds character offset
// X" in O(log n); a changed row costs O(log n); a changed row count is answered by a rebuild in O(n),
// the same order as moving the rows themselves.

#include <cstdint>
#include <vector>

namespace qx {

class TRowOffsetIndex {
public:
    // Rebuilds for Count rows; Value(i, Chars, LineEnds) gives row i's two values.
    template <class ValueProc>
    void Rebuild(int Count, ValueProc&& Value);

    int Count() const { return static_cast<int>(FChars.size()) - 1; }
    // Sets row Row's values.
    void Update(int Row, std::int64_t Chars, int LineEnds);

    // Sums over the rows 0 .. Rows - 1 (Rows clamped to 0..Count).
    std::int64_t CharsBefore(int Rows) const;
    int LineEndsBefore(int Rows) const;
    std::int64_t TotalChars() const { return CharsBefore(Count()); }
    int TotalLineEnds() const { return LineEndsBefore(Count()); }

    // The first row whose running character count passes Offset: the smallest R with
    // CharsBefore(R + 1) > Offset; Count when there is none.
    int RowOfChar(std::int64_t Offset) const;
    // The row of the N-th line end (0-based): the smallest R with LineEndsBefore(R + 1) > N; Count when
    // there is none.
    int RowOfLineEnd(int N) const;

private:
    template <class T> static T Sum(const std::vector<T>& Tree, int Rows);
    template <class T> static int Search(const std::vector<T>& Tree, T Value);

    // 1-based trees; element 0 unused.
    std::vector<std::int64_t> FChars{0};
    std::vector<std::int32_t> FLineEnds{0};
};

template <class ValueProc>
void TRowOffsetIndex::Rebuild(int Count, ValueProc&& Value)
{
    const auto n = static_cast<std::size_t>(Count < 0 ? 0 : Count);
    FChars.assign(n + 1, 0);
    FLineEnds.assign(n + 1, 0);
    for (std::size_t i = 1; i <= n; ++i) {
        std::int64_t chars = 0;
        int ends = 0;
        Value(static_cast<int>(i - 1), chars, ends);
        FChars[i] += chars;
        FLineEnds[i] += ends;
        const std::size_t parent = i + (i & (~i + 1));
        if (parent <= n) {
            FChars[parent] += FChars[i];
            FLineEnds[parent] += FLineEnds[i];
        }
    }
}

} // namespace qx
