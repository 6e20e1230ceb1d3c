#pragma once
// Loading and saving a file on the user's behalf: a failure the program's file layer raises is shown as
// the read or write error of that file, and the caller learns whether the operation went through.

#include <functional>
#include <string>

namespace qx {

class TPrompter;

enum class TFileAccess { Read, Write };

bool RunReportingFileErrors(TPrompter& prompter, const std::string& path, TFileAccess access,
                            const std::function<void()>& operation);

} // namespace qx
