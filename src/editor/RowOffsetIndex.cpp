#include "editor/RowOffsetIndex.h"

namespace qx {

template <class T>
T TRowOffsetIndex::Sum(const std::vector<T>& Tree, int Rows)
{
    const int n = static_cast<int>(Tree.size()) - 1;
    if (Rows > n) Rows = n;
    T sum = 0;
    for (int i = Rows; i > 0; i -= i & -i) sum += Tree[static_cast<std::size_t>(i)];
    return sum;
}

// The smallest R with Sum(R + 1) > Value (the rows are non-negative), or the row count.
template <class T>
int TRowOffsetIndex::Search(const std::vector<T>& Tree, T Value)
{
    const int n = static_cast<int>(Tree.size()) - 1;
    if (Value < 0) return 0;
    int step = 1;
    while (step * 2 <= n) step *= 2;
    int position = 0;
    for (; step > 0; step /= 2) {
        const int next = position + step;
        if (next <= n && Tree[static_cast<std::size_t>(next)] <= Value) {
            position = next;
            Value -= Tree[static_cast<std::size_t>(next)];
        }
    }
    return position;
}

void TRowOffsetIndex::Update(int Row, std::int64_t Chars, int LineEnds)
{
    const int n = Count();
    if (Row < 0 || Row >= n) return;
    const std::int64_t charsDelta = Chars - (CharsBefore(Row + 1) - CharsBefore(Row));
    const int endsDelta = LineEnds - (LineEndsBefore(Row + 1) - LineEndsBefore(Row));
    if (charsDelta == 0 && endsDelta == 0) return;
    for (int i = Row + 1; i <= n; i += i & -i) {
        FChars[static_cast<std::size_t>(i)] += charsDelta;
        FLineEnds[static_cast<std::size_t>(i)] += endsDelta;
    }
}

std::int64_t TRowOffsetIndex::CharsBefore(int Rows) const { return Sum(FChars, Rows); }

int TRowOffsetIndex::LineEndsBefore(int Rows) const { return Sum(FLineEnds, Rows); }

int TRowOffsetIndex::RowOfChar(std::int64_t Offset) const { return Search(FChars, Offset); }

int TRowOffsetIndex::RowOfLineEnd(int N) const { return Search(FLineEnds, N); }

} // namespace qx
