#pragma once
// Date and time texts: the "%" pattern of the date-and-time insertion and the time part of time-stamped
// backup names. The moment comes in from the caller's clock, so every text is reproducible.

#include <chrono>
#include <string>
#include <string_view>

namespace qx {

// A local moment, broken down.
struct TLocalTime {
    int Year = 2000, Month = 1, Day = 1;  // Month 1..12
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
    int DayOfWeek = 6;                    // 0 Sunday .. 6 Saturday
};

TLocalTime LocalTimeOf(std::chrono::system_clock::time_point Moment);

// The pattern (Shift-JIS) with its "%" tokens replaced by parts of Now: %Y/%y year (4/2 digits), %M/%m
// month, %D/%d day, %H/%h hour (0..23), %N/%n minute, %S/%s second (two digits / as they are), %Z/%z
// milliseconds (three / as they are), %G and %g the era name ("令和"), %E/%e year of the era
// (two digits / as it is), %A/%a Japanese day name ("日曜日" / "日"), %C/%c English day name ("Sunday" /
// "Sun"), %K/%k English month name ("January" / "Jan", "June", "July"), %P/%p "PM"/"pm" from 12:00 on,
// "AM"/"am" before. Any other character after "%" stands for itself ("%%" is "%"); a "%" at the end
// ends the text.
std::string ExpandTimeStamp(std::string_view Pattern, const TLocalTime& Now);

// The moment in a date-time pattern (Shift-JIS) of the fixed kind: "yyyy"/"yy" year, "mm"/"m" month,
// "dd"/"d" day, "hh"/"h" hour, "nn"/"n" minute, "ss"/"s" second, "dddd"/"ddd" Japanese day name
// ("日曜日" / "日"), "gg" or "ggg" the era name ("令和", "g" its first character), "ee"/"e" year of the era,
// "AM/PM" ("am/pm") the half day's marker, which also puts every hour of the pattern on the 12-hour clock
// (12:05 "12:05 PM", 00:05 "12:05 AM"); text between double or single quotes is copied as it stands.
// The parts are the ones ExpandTimeStamp gives.
std::string FormatDateTime(std::string_view Pattern, const TLocalTime& Now);

// "YYYYMMDDHHNNSS".
std::string CompactTimeStamp(const TLocalTime& Now);

} // namespace qx
