#include "mainwindow/TimeStamp.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(ExpandTimeStamp, TokensAtAFixedMoment)
{
    // Wednesday 1 May 2019, the first day of 令和, 12:07:09.045.
    const TLocalTime noon{2019, 5, 1, 12, 7, 9, 45, 3};
    const struct {
        const char* Pattern;
        const char* Expected;
    } cases[] = {
        {"%Y/%M/%D %H:%N:%S.%Z", "2019/05/01 12:07:09.045"},
        {"%y %m %d %h %n %s %z", "19 5 1 12 7 9 45"},
        {"%G%E年 %g%e", "令和01年 令和1"},
        {"%A %a %C %c", "水曜日 水 Wednesday Wed"},
        {"%K %k", "May May"},
        {"%P %p", "PM pm"},
        {"%x%%", "x%"},
        {"日付%", "日付"},
    };
    for (const auto& c : cases) EXPECT_EQ(Cp932ToUtf8(ExpandTimeStamp(Utf8ToCp932(c.Pattern), noon)), c.Expected) << c.Pattern;
}

TEST(ExpandTimeStamp, HalfDaysErasAndMonthNames)
{
    const struct {
        TLocalTime Time;
        const char* Pattern;
        const char* Expected;
    } cases[] = {
        {{2024, 6, 3, 0, 30, 0, 0, 1}, "%P %k %C", "AM June Monday"},
        {{2024, 7, 6, 11, 59, 0, 0, 6}, "%p %k %K", "am July July"},
        {{2024, 7, 6, 23, 0, 0, 0, 6}, "%P", "PM"},
        {{1989, 1, 7, 0, 0, 0, 0, 6}, "%G%e", "昭和64"},
        {{1989, 1, 8, 0, 0, 0, 0, 0}, "%G%E", "平成01"},
        {{2019, 4, 30, 0, 0, 0, 0, 2}, "%G%e", "平成31"},
        {{1900, 1, 1, 0, 0, 0, 0, 1}, "%G%e", "明治33"},
    };
    for (const auto& c : cases) EXPECT_EQ(Cp932ToUtf8(ExpandTimeStamp(c.Pattern, c.Time)), c.Expected) << c.Pattern;
    EXPECT_EQ(CompactTimeStamp({2024, 6, 3, 4, 5, 6, 7, 1}), "20240603040506");
}

TEST(FormatDateTime, FixedPatternsErasAndTheTwelveHourClock)
{
    const TLocalTime noon{2019, 5, 1, 12, 5, 9, 0, 3};
    const TLocalTime night{1989, 1, 8, 0, 5, 9, 0, 0};
    const struct {
        TLocalTime Time;
        const char* Pattern;
        const char* Expected;
    } cases[] = {
        {noon, "yyyy/mm/dd hh:nn:ss", "2019/05/01 12:05:09"},
        {noon, "mm/dd/yy", "05/01/19"},
        {noon, "hh:nn AM/PM", "12:05 PM"},
        {night, "hh:nn:ss AM/PM", "12:05:09 AM"},
        {{2024, 3, 5, 13, 5, 0, 0, 2}, "hh:nn am/pm", "01:05 pm"},
        {night, "hh:nn", "00:05"},
        {noon, R"(gggee"年"m"月"d"日（"dddd"）")", "令和01年5月1日（水曜日）"},
        {{2019, 4, 30, 9, 0, 0, 0, 2}, R"(gggee"年"m"月"d"日（"ddd"）")", "平成31年4月30日（火）"},
        {night, R"(ggge"年"h"時"n"分")", "平成1年0時5分"},
        {{1989, 1, 7, 23, 59, 0, 0, 6}, R"(gggee"年")", "昭和64年"},
        {noon, R"('yy' yy "AM/PM")", "yy 19 AM/PM"},
        {noon, "g/gg/ggg", "令/令和/令和"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cp932ToUtf8(FormatDateTime(Utf8ToCp932(c.Pattern), c.Time)), c.Expected) << c.Pattern;
}

} // namespace
} // namespace qx
