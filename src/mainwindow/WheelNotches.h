#pragma once
// The mouse wheel in whole notches: a touch pad reports small deltas, which add up until they make a
// notch (120); a turn the other way starts the count afresh.

namespace qx {

inline constexpr int WheelDeltaPerNotch = 120;

class TWheelNotches {
public:
    // The whole notches that Delta completes: positive away from the user, negative toward.
    int Add(int Delta);

private:
    int FRest = 0;
};

// The rows the view moves for Notches notches (negative: toward the user, so the view goes down):
// one page of VisibleRows per notch when Page, else Scroll rows per notch.
int WheelScrollRows(int Notches, bool Page, int Scroll, int VisibleRows);

// The tab after turning the wheel Notches notches over the tab row: toward the user the next tab, away
// the previous one, going round at either end.
int WheelTab(int Current, int Count, int Notches);

} // namespace qx
