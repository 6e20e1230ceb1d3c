#include "mainwindow/WheelNotches.h"

#include <algorithm>

namespace qx {

int TWheelNotches::Add(int Delta)
{
    if ((FRest > 0 && Delta < 0) || (FRest < 0 && Delta > 0)) FRest = 0;
    FRest += Delta;
    const int notches = FRest / WheelDeltaPerNotch;
    FRest -= notches * WheelDeltaPerNotch;
    return notches;
}

int WheelScrollRows(int Notches, bool Page, int Scroll, int VisibleRows)
{
    const int perNotch = Page ? std::max(1, VisibleRows) : std::max(0, Scroll);
    return -Notches * perNotch;
}

int WheelTab(int Current, int Count, int Notches)
{
    if (Count <= 0) return -1;
    const int step = -Notches % Count;
    return ((Current + step) % Count + Count) % Count;
}

} // namespace qx
