#pragma once
// The logic of the two insertion dialogs of the Edit menu: the date and time ("日付と時刻の挿入"), in one
// of the fixed patterns or one of three user patterns, and the line numbers ("行頭へ行番号を挿入"). The
// windows (dialogs/qt) only show these values and call these steps; the main window applies them to the
// editor (mainwindow/commands/InsertCommands.h).

#include "platform/TimeStamp.h"

#include <array>
#include <string>
#include <vector>

namespace qx {

struct TDateTimeSettings;

// The 28 fixed patterns in list order, Shift-JIS (FormatDateTime's kind).
const std::vector<std::string>& FixedDateTimePatterns();
// The text a user pattern shows in the list: the pattern expanded, or "未登録" when it is empty
// (Shift-JIS).
std::string UserFormatShown(const std::string& Pattern, const TLocalTime& Now);

class TTimeFormModel {
public:
    // The showing: every text is formatted for Now, the moment the dialog opened, and stays so; the user
    // patterns and the flag come from Settings; the first entry of each list is selected.
    void FormShow(const TLocalTime& Now, const TDateTimeSettings& Settings);
    // The flag and the patterns back into the settings (the close writes them to [DateTime]).
    void FormClose(TDateTimeSettings& Settings) const;

    // "更新": Pattern (Shift-JIS) becomes the selected user pattern; "リセット": the three defaults.
    void Update(const std::string& Pattern);
    void Reset();

    // What OK inserts: the selected entry of the list in use, as listed.
    std::string SelectedText() const;

    bool UserFormat = false;
    int FixedIndex = 0;
    int UserIndex = 0;
    std::vector<std::string> FixedTexts;  // Shift-JIS, one per fixed pattern
    std::array<std::string, 3> Formats;   // the user patterns (Shift-JIS)
    std::array<std::string, 3> UserTexts; // as listed

private:
    TLocalTime FNow;
};

// The line-number dialog's values.
struct TLineNumberOptions {
    bool AutoDigits = false;
    int Digits = 1;          // 1..8
    bool AllLines = true;    // else FirstLine..LastLine
    int FirstLine = 1;
    int LastLine = 1;
    int Step = 1;            // 1..1000
    long long StartNumber = 1;  // 0..10000000
};

} // namespace qx
