#pragma once
// Loading and saving a file on the user's behalf: the file is chosen through the program's file
// dialogs, and a failure the file layer raises is shown as the read or write error of that file.

#include <functional>
#include <string>

namespace qx {

class TFileDialogService;
class TPrompter;

// A file to load (`save` false) or to save, chosen with one filter in the class library's form
// ("name|pattern") and, for saving, the extension a name without one gets. True and `path` set when one
// was chosen. Replacing a file is the caller's question.
bool ChooseFile(TFileDialogService& dialogs, bool save, const std::string& filter, const std::string& defaultExt,
                std::string& path);

enum class TFileAccess { Read, Write };

// Runs the operation; true when it went through, else its error has been shown.
bool RunReportingFileErrors(TPrompter& prompter, const std::string& path, TFileAccess access,
                            const std::function<void()>& operation);

} // namespace qx
