#pragma once
// Per-step timings of an interactive benchmark (a frame, a keystroke): median and 99th percentile of
// the wall clock and of the thread's own processor time, which shows what a step cost apart from the
// time the scheduler gave to other programs on a busy machine.

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <vector>

namespace qx::bench {

struct Figures {
    double Median = 0, P99 = 0;
    double CpuMedian = 0, CpuP99 = 0;
};

inline double ThreadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Times Step Count times, in milliseconds.
inline Figures Time(int Count, const std::function<void()>& Step)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> ms, cpu;
    ms.reserve(static_cast<std::size_t>(Count));
    cpu.reserve(static_cast<std::size_t>(Count));
    for (int i = 0; i < Count; ++i) {
        const auto start = Clock::now();
        const double cpuStart = ThreadMs();
        Step();
        cpu.push_back(ThreadMs() - cpuStart);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    const auto at = [](std::vector<double>& v, std::size_t percent) {
        std::sort(v.begin(), v.end());
        return v[std::min(v.size() - 1, v.size() * percent / 100)];
    };
    Figures f;
    f.P99 = at(ms, 99);
    f.Median = ms[ms.size() / 2];
    f.CpuP99 = at(cpu, 99);
    f.CpuMedian = cpu[cpu.size() / 2];
    return f;
}

} // namespace qx::bench
