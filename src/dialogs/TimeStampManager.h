#pragma once
// The time-stamp manager ("タイムスタンプマネージャ"): shows a file's modification time and sets it to
// the date and time of six fields. Messages and the question go through the prompter; the writer of the
// time is injectable (a permission failure cannot be made as root).

#include <ctime>
#include <functional>
#include <string>

namespace qx {

class TPrompter;

// The six fields: year, month, day, hour, minute, second ("yyyy", "mm", "dd", "hh", "nn", "ss").
struct TStampFields {
    std::string Year, Month, Day, Hour, Minute, Second;
};

TStampFields StampFieldsOf(std::time_t Time);
// The local time the fields name, or -1 when they name none (not numbers, out of range, 31 February).
std::time_t StampOfFields(const TStampFields& Fields);

// The file's time stamp as the window shows it; the zero date "1899/12/30 0:00:00" when the file is
// missing or its date cannot be read.
std::string FileStampText(const std::string& FileName);

// Sets a file's modification time (the access time stays); false when it could not.
using TStampWriter = std::function<bool(const std::string& FileName, std::time_t Time)>;
TStampWriter SystemStampWriter();

// OK: asks first; then a missing file, fields that are no date and time, or a failed write are reported,
// and a success says so. True when the stamp was set.
bool ChangeFileStamp(TPrompter& Prompter, const std::string& FileName, const TStampFields& Fields,
                     const TStampWriter& Writer = SystemStampWriter());

} // namespace qx
