#include "platform/ProcessTime.h"

#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace qx {

std::optional<std::chrono::milliseconds> ProcessCpuTime(int Pid)
{
    std::ifstream file("/proc/" + std::to_string(Pid) + "/stat");
    std::string line;
    if (!file || !std::getline(file, line)) return std::nullopt;
    // The command name stands in brackets and may hold blanks: the fields are counted after it.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream fields(line.substr(close + 1));
    std::string state;
    fields >> state;
    if (state == "Z" || state == "X") return std::nullopt;  // ended, not yet reaped
    std::string skipped;
    for (int field = 4; field <= 13; ++field) fields >> skipped;
    unsigned long long user = 0, system = 0;
    if (!(fields >> user >> system)) return std::nullopt;
    const long ticks = ::sysconf(_SC_CLK_TCK);
    return std::chrono::milliseconds((user + system) * 1000 / static_cast<unsigned long long>(ticks > 0 ? ticks : 100));
}

bool TProgressWatch::Working(TClock::time_point Now, std::optional<std::chrono::milliseconds> CpuTime)
{
    if (!CpuTime) return false;
    if (!FSince) {
        FSince = Now;
        FCpuSince = *CpuTime;
        return true;
    }
    if (Now - *FSince < FWindow) return true;
    if (*CpuTime - FCpuSince < FWindow / 10) return false;
    // A new window starts where this one ended.
    FSince = Now;
    FCpuSince = *CpuTime;
    return true;
}

} // namespace qx
