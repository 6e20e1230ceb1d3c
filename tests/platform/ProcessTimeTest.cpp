#include "platform/ProcessTime.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qx {
namespace {

using namespace std::chrono_literals;

TEST(ProcessTime, AWatchTellsWorkFromAStopAndAnEnd)
{
    // Looks every 100 ms with a window of 1 s: (time since the start, processor time since the start).
    struct Case {
        const char* Name;
        std::vector<std::pair<int, std::optional<int>>> Looks;
        bool Working;
    };
    const Case cases[] = {
        {"busy", {{0, 0}, {500, 450}, {1000, 900}, {1500, 1400}, {2000, 1900}}, true},
        {"inside the first window", {{0, 0}, {900, 0}}, true},
        {"stopped", {{0, 0}, {500, 0}, {1000, 50}}, false},
        {"stopped after working", {{0, 0}, {1000, 900}, {1500, 900}, {2000, 950}}, false},
        {"ended", {{0, 0}, {100, std::nullopt}}, false},
    };
    for (const Case& c : cases) {
        TProgressWatch watch(1000ms);
        const auto start = TProgressWatch::TClock::time_point{};
        bool working = true;
        for (const auto& [at, cpu] : c.Looks)
            working = watch.Working(start + std::chrono::milliseconds(at),
                                    cpu ? std::optional(std::chrono::milliseconds(*cpu)) : std::nullopt);
        EXPECT_EQ(working, c.Working) << c.Name;
    }
}

TEST(ProcessTime, AStoppedProcessUsesNoMoreTimeAndAGoneOneHasNone)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        for (;;) {
        }
    std::this_thread::sleep_for(200ms);
    const auto running = ProcessCpuTime(child);
    ASSERT_TRUE(running.has_value());
    ::kill(child, SIGSTOP);
    std::this_thread::sleep_for(50ms);
    const auto stopped = ProcessCpuTime(child);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(ProcessCpuTime(child), stopped);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(ProcessCpuTime(child).has_value());
    EXPECT_TRUE(ProcessCpuTime(::getpid()).has_value());
}

} // namespace
} // namespace qx
