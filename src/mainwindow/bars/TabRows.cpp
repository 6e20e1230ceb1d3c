#include "mainwindow/bars/TabRows.h"

#include <algorithm>

namespace qx {

std::vector<TTabCell> LayTabRows(const std::vector<int>& Widths, int Available)
{
    Available = std::max(Available, 1);
    std::vector<TTabCell> cells;
    cells.reserve(Widths.size());
    int row = 0;
    int left = 0;
    for (const int wanted : Widths) {
        const int width = std::clamp(wanted, 1, Available);
        if (left > 0 && left + width > Available) {
            ++row;
            left = 0;
        }
        cells.push_back({row, left, width});
        left += width;
    }
    return cells;
}

int TabRowCount(const std::vector<TTabCell>& Cells) { return Cells.empty() ? 1 : Cells.back().Row + 1; }

int TabCellAt(const std::vector<TTabCell>& Cells, int RowHeight, int X, int Y)
{
    if (RowHeight <= 0 || Y < 0) return -1;
    const int row = Y / RowHeight;
    for (std::size_t i = 0; i < Cells.size(); ++i)
        if (Cells[i].Row == row && X >= Cells[i].Left && X < Cells[i].Left + Cells[i].Width) return static_cast<int>(i);
    return -1;
}

} // namespace qx
