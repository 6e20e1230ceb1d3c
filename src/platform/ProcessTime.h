#pragma once
// Whether another process of this user gets on with its work: the processor time it has used, and a
// watch that tells a copy busy at its work from one that is stopped or stuck. A start that waits for
// the running copy waits as long as that copy works, and no longer.

#include <chrono>
#include <optional>

namespace qx {

// The processor time (user and system) process Pid has used; none when there is no such process.
std::optional<std::chrono::milliseconds> ProcessCpuTime(int Pid);

class TProgressWatch {
public:
    using TClock = std::chrono::steady_clock;
    // Stuck: the process used less than a tenth of Window in processor time over the last Window.
    explicit TProgressWatch(std::chrono::milliseconds Window) : FWindow(Window) {}

    // One look at the process at Now (its processor time, none when it is gone); false once it is gone
    // or stuck.
    bool Working(TClock::time_point Now, std::optional<std::chrono::milliseconds> CpuTime);

private:
    std::chrono::milliseconds FWindow;
    std::optional<TClock::time_point> FSince;
    std::chrono::milliseconds FCpuSince{0};
};

} // namespace qx
