#include "dialogs/TimeStampManager.h"

#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "platform/Prompter.h"

#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace qx {

namespace {

std::string Two(int Value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", Value);
    return buffer;
}

bool Number(const std::string& Text, int& Value)
{
    const char* end = Text.data() + Text.size();
    const auto [ptr, ec] = std::from_chars(Text.data(), end, Value);
    return !Text.empty() && ec == std::errc() && ptr == end;
}

void Tell(TPrompter& Prompter, const char* Text, TMsgDlgType Kind)
{
    ShowMessageDialog(Prompter, Text, "", Kind, {TMsgDlgBtn::mbOK});
}

} // namespace

TStampFields StampFieldsOf(std::time_t Time)
{
    std::tm t{};
    localtime_r(&Time, &t);
    char year[16];
    std::snprintf(year, sizeof year, "%04d", t.tm_year + 1900);
    return {year, Two(t.tm_mon + 1), Two(t.tm_mday), Two(t.tm_hour), Two(t.tm_min), Two(t.tm_sec)};
}

std::time_t StampOfFields(const TStampFields& Fields)
{
    int y, mo, d, h, mi, s;
    if (!Number(Fields.Year, y) || !Number(Fields.Month, mo) || !Number(Fields.Day, d) || !Number(Fields.Hour, h) ||
        !Number(Fields.Minute, mi) || !Number(Fields.Second, s))
        return -1;
    if (y < 1 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 ||
        s > 59)
        return -1;
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    t.tm_isdst = -1;
    const std::time_t time = std::mktime(&t);
    // mktime rolls 31 February over into March: such a day is no date.
    if (time == -1 || t.tm_mday != d || t.tm_mon != mo - 1) return -1;
    return time;
}

std::string FileStampText(const std::string& FileName)
{
    struct stat st;
    if (FileName.empty() || ::stat(FileName.c_str(), &st) != 0) return "1899/12/30 0:00:00";
    return FormatFileDate(st.st_mtime);
}

TStampWriter SystemStampWriter()
{
    return [](const std::string& FileName, std::time_t Time) {
        const timespec times[2] = {{0, UTIME_OMIT}, {Time, 0}};
        return ::utimensat(AT_FDCWD, FileName.c_str(), times, 0) == 0;
    };
}

bool ChangeFileStamp(TPrompter& Prompter, const std::string& FileName, const TStampFields& Fields,
                     const TStampWriter& Writer)
{
    if (ShowMessageDialog(Prompter, "タイムスタンプを変更してもよろしいですか?", "確認", TMsgDlgType::mtConfirmation,
                          {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mr::Yes)
        return false;
    struct stat st;
    if (FileName.empty() || ::stat(FileName.c_str(), &st) != 0) {
        Tell(Prompter, "正しくファイルを指定してください。", TMsgDlgType::mtWarning);
        return false;
    }
    const std::time_t time = StampOfFields(Fields);
    if (time == -1) {
        Tell(Prompter, "正しくタイムスタンプを指定してください。", TMsgDlgType::mtWarning);
        return false;
    }
    if (!Writer(FileName, time)) {
        Tell(Prompter, "タイムスタンプを正しく設定できませんでした。", TMsgDlgType::mtError);
        return false;
    }
    Tell(Prompter, "タイムスタンプを正しく設定しました。", TMsgDlgType::mtInformation);
    return true;
}

} // namespace qx
