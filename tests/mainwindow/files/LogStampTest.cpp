#include "mainwindow/files/LogStamp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace qx {
namespace {

TEST(LogStamp, OnlyADiaryGetsTheTimeInItsForm)
{
    // Local time is UTC for this test only.
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "UTC", 1);
    tzset();
    struct Restore {
        bool Had;
        std::string Value;
        ~Restore()
        {
            if (Had) setenv("TZ", Value.c_str(), 1);
            else unsetenv("TZ");
            tzset();
        }
    } restore{old != nullptr, saved};
    const std::time_t at = 1709600820;  // 2024-03-05 01:07 UTC
    EXPECT_EQ(LogStampLine(".LOG", at), "01:07 2024/03/05");
    EXPECT_EQ(LogStampLine(".LOG diary", at), "01:07 2024/03/05");
    EXPECT_EQ(LogStampLine(".log", at), std::nullopt);
    EXPECT_EQ(LogStampLine(" .LOG", at), std::nullopt);
    EXPECT_EQ(LogStampLine("", at), std::nullopt);
}

} // namespace
} // namespace qx
