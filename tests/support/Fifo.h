#pragma once
// Test helper: named pipes, and a watchdog that frees code stuck on one. Code that waits for a writer
// (in open or read) would otherwise hang the test; the watchdog opens and closes the pipe's two ends
// after a grace period, which lets such a reader go on to an end of file, and records that it had to.

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::test {

inline void MakeFifo(const std::string& path)
{
    if (::mkfifo(path.c_str(), 0666) != 0) throw std::runtime_error("mkfifo failed: " + path);
}

class FifoWatchdog {
public:
    explicit FifoWatchdog(std::string path) : FPath(std::move(path)), FThread([this] { Run(); }) {}
    ~FifoWatchdog() { Stop(); }
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;

    // Ends the watch; true when a reader had to be freed, that is, when the code waited on the pipe.
    bool Stop()
    {
        FDone = true;
        if (FThread.joinable()) FThread.join();
        return FStepped;
    }

private:
    void Run()
    {
        using namespace std::chrono_literals;
        for (int tick = 1; !FDone; ++tick) {
            std::this_thread::sleep_for(50ms);
            if (tick < 40 || FDone) continue;  // two seconds of grace
            const int fd = ::open(FPath.c_str(), O_RDWR | O_NONBLOCK);
            if (fd >= 0) {
                FStepped = true;
                ::close(fd);
            }
        }
    }

    std::string FPath;
    std::atomic<bool> FDone{false};
    std::atomic<bool> FStepped{false};
    std::thread FThread;
};

} // namespace qx::test
