#pragma once
// Time for the editing control: a millisecond clock and numbered repeating timers (the caret's blink,
// the drag scroll). The host runs the timers and calls the control's Timer entry point; tests tick by
// hand.

#include <cstdint>

namespace qx {

class TEditorClock {
public:
    virtual ~TEditorClock() = default;
    virtual std::int64_t Milliseconds() const = 0;
    // Starts (or restarts) timer Id to fire every Interval ms.
    virtual void SetTimer(int Id, int Interval) = 0;
    virtual void KillTimer(int Id) = 0;
};

} // namespace qx
