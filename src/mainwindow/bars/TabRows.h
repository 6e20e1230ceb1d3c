#pragma once
// The tab row in several rows: tabs keep their own widths and fill a row left to right; the next tab
// that does not fit starts a new row. A tab wider than the row has a row of its own, cut to its width.

#include <vector>

namespace qx {

struct TTabCell {
    int Row = 0;
    int Left = 0;
    int Width = 0;
    bool operator==(const TTabCell&) const = default;
};

// The cells of tabs of Widths in rows Available pixels wide (at least one pixel).
std::vector<TTabCell> LayTabRows(const std::vector<int>& Widths, int Available);
// How many rows the cells take (1 without tabs: the row stays).
int TabRowCount(const std::vector<TTabCell>& Cells);
// The tab whose cell holds the point (X, Y) in rows RowHeight high; -1 for none.
int TabCellAt(const std::vector<TTabCell>& Cells, int RowHeight, int X, int Y);

} // namespace qx
