#include "mainwindow/TimeStamp.h"

#include "platform/Cp932.h"
#include "platform/LeadByte.h"

#include <cctype>
#include <ctime>

namespace qx {

namespace {

std::string Padded(int Value, int Digits)
{
    std::string text = std::to_string(Value);
    if (static_cast<int>(text.size()) < Digits) text.insert(0, static_cast<std::size_t>(Digits) - text.size(), '0');
    return text;
}

struct TEra {
    int Year, Month, Day;  // its first day
    const char* Name;      // UTF-8
};

// The eras of the modern calendar, latest first.
constexpr TEra kEras[] = {
    {2019, 5, 1, "令和"}, {1989, 1, 8, "平成"}, {1926, 12, 25, "昭和"}, {1912, 7, 30, "大正"}, {1868, 1, 1, "明治"},
};

// The era of a date and the year within it; before the first era, none and the Western year.
const TEra* EraOf(const TLocalTime& T, int& EraYear)
{
    const long date = T.Year * 10000L + T.Month * 100L + T.Day;
    for (const TEra& era : kEras) {
        if (date >= era.Year * 10000L + era.Month * 100L + era.Day) {
            EraYear = T.Year - era.Year + 1;
            return &era;
        }
    }
    EraYear = T.Year;
    return nullptr;
}

constexpr const char* kDayNames[] = {"日", "月", "火", "水", "木", "金", "土"};
constexpr const char* kEnglishDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* kEnglishMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "June",
                                        "July", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The text of one token; false when the character is no token.
bool Token(char C, const TLocalTime& T, std::string& Out)
{
    const int day = ((T.DayOfWeek % 7) + 7) % 7;
    const int month = (T.Month >= 1 && T.Month <= 12) ? T.Month - 1 : 0;
    int eraYear = 0;
    const TEra* era = EraOf(T, eraYear);
    const std::string eraName = era ? Utf8ToCp932(era->Name) : std::string();
    switch (C) {
    case 'Y': Out = Padded(T.Year, 4); return true;
    case 'y': Out = Padded(T.Year % 100, 2); return true;
    case 'M': Out = Padded(T.Month, 2); return true;
    case 'm': Out = std::to_string(T.Month); return true;
    case 'D': Out = Padded(T.Day, 2); return true;
    case 'd': Out = std::to_string(T.Day); return true;
    case 'H': Out = Padded(T.Hour, 2); return true;
    case 'h': Out = std::to_string(T.Hour); return true;
    case 'N': Out = Padded(T.Minute, 2); return true;
    case 'n': Out = std::to_string(T.Minute); return true;
    case 'S': Out = Padded(T.Second, 2); return true;
    case 's': Out = std::to_string(T.Second); return true;
    case 'Z': Out = Padded(T.Millisecond, 3); return true;
    case 'z': Out = std::to_string(T.Millisecond); return true;
    case 'G': Out = eraName; return true;
    case 'g': Out = eraName; return true;
    case 'E': Out = Padded(eraYear, 2); return true;
    case 'e': Out = std::to_string(eraYear); return true;
    case 'A': Out = Utf8ToCp932(std::string(kDayNames[day]) + "曜日"); return true;
    case 'a': Out = Utf8ToCp932(kDayNames[day]); return true;
    case 'C': Out = kEnglishDays[day]; return true;
    case 'c': Out = std::string(kEnglishDays[day]).substr(0, 3); return true;
    case 'K': Out = kEnglishMonths[month]; return true;
    case 'k': Out = kShortMonths[month]; return true;
    // Noon and the hours after it are PM.
    case 'P': Out = T.Hour >= 12 ? "PM" : "AM"; return true;
    case 'p': Out = T.Hour >= 12 ? "pm" : "am"; return true;
    default: return false;
    }
}

} // namespace

TLocalTime LocalTimeOf(std::chrono::system_clock::time_point Moment)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(Moment);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Moment.time_since_epoch()).count() % 1000;
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
            local.tm_sec,          static_cast<int>(ms < 0 ? ms + 1000 : ms), local.tm_wday};
}

std::string ExpandTimeStamp(std::string_view Pattern, const TLocalTime& Now)
{
    std::string out;
    for (std::size_t i = 0; i < Pattern.size(); ++i) {
        const char c = Pattern[i];
        if (IsDBCSLeadByte(c) && i + 1 < Pattern.size()) {
            out.append(Pattern.substr(i, 2));
            ++i;
            continue;
        }
        if (c != '%') {
            out += c;
            continue;
        }
        if (++i >= Pattern.size()) break;
        std::string token;
        if (Token(Pattern[i], Now, token))
            out += token;
        else if (IsDBCSLeadByte(Pattern[i]) && i + 1 < Pattern.size())
            out.append(Pattern.substr(i++, 2));
        else
            out += Pattern[i];
    }
    return out;
}

std::string FormatDateTime(std::string_view Pattern, const TLocalTime& Now)
{
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    const auto marker = [&](std::size_t i) {
        constexpr std::string_view ampm = "am/pm";
        if (Pattern.size() - i < ampm.size()) return false;
        for (std::size_t k = 0; k < ampm.size(); ++k)
            if (lower(Pattern[i + k]) != ampm[k]) return false;
        return true;
    };
    // With a half-day marker anywhere outside quotes, the hours are the 12-hour clock's.
    bool twelve = false;
    for (std::size_t i = 0; i < Pattern.size(); ++i) {
        if (Pattern[i] == '"' || Pattern[i] == '\'') {
            const std::size_t close = Pattern.find(Pattern[i], i + 1);
            i = close == std::string_view::npos ? Pattern.size() : close;
        } else if (IsDBCSLeadByte(Pattern[i])) {
            ++i;
        } else if (marker(i)) {
            twelve = true;
        }
    }
    TLocalTime clock = Now;
    if (twelve) clock.Hour = Now.Hour % 12 == 0 ? 12 : Now.Hour % 12;

    std::string out, part;
    for (std::size_t i = 0; i < Pattern.size();) {
        const char c = Pattern[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = Pattern.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? Pattern.size() : close;
            out.append(Pattern.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        if (IsDBCSLeadByte(c)) {
            const std::size_t n = CharLengthAt(Pattern, i);
            out.append(Pattern.substr(i, n));
            i += n;
            continue;
        }
        if (marker(i)) {
            Token(Pattern[i] == 'a' ? 'p' : 'P', Now, part);
            out += part;
            i += 5;
            continue;
        }
        std::size_t run = 1;
        while (i + run < Pattern.size() && lower(Pattern[i + run]) == lower(c)) ++run;
        // The run's letter and length name one part of ExpandTimeStamp.
        char token = 0;
        switch (lower(c)) {
        case 'y': token = run <= 2 ? 'y' : 'Y'; break;
        case 'm': token = run == 1 ? 'm' : 'M'; break;
        case 'd': token = run == 1 ? 'd' : run == 2 ? 'D' : run == 3 ? 'a' : 'A'; break;
        case 'h': token = run == 1 ? 'h' : 'H'; break;
        case 'n': token = run == 1 ? 'n' : 'N'; break;
        case 's': token = run == 1 ? 's' : 'S'; break;
        case 'g': token = 'G'; break;
        case 'e': token = run == 1 ? 'e' : 'E'; break;
        default: break;
        }
        if (token && Token(token, clock, part)) {
            // A lone "g" is the era's abbreviation: the first character of its name.
            if (token == 'G' && run == 1 && !part.empty()) part.resize(CharLengthAt(part, 0));
            out += part;
        }
        else
            out.append(Pattern.substr(i, run));
        i += run;
    }
    return out;
}

std::string CompactTimeStamp(const TLocalTime& Now)
{
    return Padded(Now.Year, 4) + Padded(Now.Month, 2) + Padded(Now.Day, 2) + Padded(Now.Hour, 2) +
           Padded(Now.Minute, 2) + Padded(Now.Second, 2);
}

} // namespace qx
