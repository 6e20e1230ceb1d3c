#include "mainwindow/InsertForms.h"

#include "documents/Settings.h"
#include "editor/EditorControl.h"
#include "editor/EditorStrings.h"
#include "mainwindow/TextCommands.h"
#include "platform/Cp932.h"

#include <algorithm>

namespace qx {

const std::vector<std::string>& FixedDateTimePatterns()
{
    static const std::vector<std::string> patterns = [] {
        const char* const utf8[] = {
            "yyyy/mm/dd hh:nn:ss",
            "yyyy/mm/dd hh:nn",
            "yyyy/mm/dd",
            "yy/mm/dd hh:nn:ss",
            "yy/mm/dd hh:nn",
            "yy/mm/dd",
            "mm/dd/yyyy",
            "mm/dd/yy",
            "hh:nn:ss",
            "hh:nn:ss AM/PM",
            "hh:nn",
            "hh:nn AM/PM",
            R"(yyyy"年"m"月"d"日"h"時"n"分"s"秒")",
            R"(yyyy"年"m"月"d"日"h"時"n"分")",
            R"(yyyy"年"m"月"d"日（"dddd"）")",
            R"(yyyy"年"m"月"d"日（"ddd"）")",
            R"(yy"年"m"月"d"日"h"時"n"分"s"秒")",
            R"(yy"年"m"月"d"日"h"時"n"分")",
            R"(yy"年"m"月"d"日（"dddd"）")",
            R"(yy"年"m"月"d"日（"ddd"）")",
            R"(gggee"年"m"月"d"日"h"時"n"分"s"秒")",
            R"(gggee"年"m"月"d"日"h"時"n"分")",
            R"(gggee"年"m"月"d"日（"dddd"）")",
            R"(gggee"年"m"月"d"日（"ddd"）")",
            R"(m"月"d"日（"dddd"）")",
            R"(m"月"d"日（"ddd"）")",
            R"(h"時"n"分"s"秒")",
            R"(h"時"n"分")",
        };
        std::vector<std::string> out;
        for (const char* p : utf8) out.push_back(Utf8ToCp932(p));
        return out;
    }();
    return patterns;
}

std::string UserFormatShown(const std::string& Pattern, const TLocalTime& Now)
{
    return Pattern.empty() ? Utf8ToCp932("未登録") : ExpandTimeStamp(Pattern, Now);
}

void TTimeFormModel::FormShow(const TLocalTime& Now, const TDateTimeSettings& Settings)
{
    FNow = Now;
    FixedTexts.clear();
    for (const std::string& pattern : FixedDateTimePatterns()) FixedTexts.push_back(FormatDateTime(pattern, Now));
    UserFormat = Settings.UserFormat;
    Formats = {Settings.Format1, Settings.Format2, Settings.Format3};
    for (std::size_t i = 0; i < Formats.size(); ++i) UserTexts[i] = UserFormatShown(Formats[i], Now);
    FixedIndex = 0;
    UserIndex = 0;
}

void TTimeFormModel::FormClose(TDateTimeSettings& Settings) const
{
    Settings.UserFormat = UserFormat;
    Settings.Format1 = Formats[0];
    Settings.Format2 = Formats[1];
    Settings.Format3 = Formats[2];
}

void TTimeFormModel::Update(const std::string& Pattern)
{
    if (UserIndex < 0 || UserIndex >= static_cast<int>(Formats.size())) return;
    Formats[UserIndex] = Pattern;
    UserTexts[UserIndex] = UserFormatShown(Pattern, FNow);
}

void TTimeFormModel::Reset()
{
    const TDateTimeSettings defaults;
    Formats = {defaults.Format1, defaults.Format2, defaults.Format3};
    for (std::size_t i = 0; i < Formats.size(); ++i) UserTexts[i] = UserFormatShown(Formats[i], FNow);
}

std::string TTimeFormModel::SelectedText() const
{
    if (UserFormat) {
        // An empty pattern inserts nothing (its "未登録" is only a caption).
        if (UserIndex < 0 || UserIndex >= static_cast<int>(Formats.size()) || Formats[UserIndex].empty()) return {};
        return UserTexts[UserIndex];
    }
    if (FixedIndex < 0 || FixedIndex >= static_cast<int>(FixedTexts.size())) return {};
    return FixedTexts[FixedIndex];
}

int LineNumberFieldMax(TEditor& Editor) { return std::max(1, Editor.Lines().Count()); }

void InsertLineNumbersFromDialog(TEditor& Editor, const TLineNumberOptions& Options)
{
    const int count = Editor.Lines().Count();
    int first = 1, last = count;
    if (!Options.AllLines) {
        first = std::clamp(Options.FirstLine, 1, std::max(1, count));
        last = std::clamp(Options.LastLine, 1, std::max(1, count));
    }
    if (count == 0 || first > last) return;
    InsertLineNumbers(Editor, Options.AutoDigits, std::clamp(Options.Digits, 1, 8), Options.StartNumber, last, first,
                      std::max(1, Options.Step));
}

} // namespace qx
