#include "dialogs/UserFiles.h"

#include "documents/FileDialogs.h"
#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "platform/Exception.h"

namespace qx {

bool ChooseFile(TFileDialogService& dialogs, bool save, const std::string& filter, const std::string& defaultExt,
                std::string& path)
{
    TFileDialogRequest request;
    request.Save = save;
    request.Filter = filter;
    if (save) request.DefaultExt = defaultExt;
    const TFileDialogResult result = dialogs.Execute(request);
    if (!result.Accepted || result.Files.empty()) return false;
    path = result.Files.front();
    return true;
}

bool RunReportingFileErrors(TPrompter& prompter, const std::string& path, TFileAccess access,
                            const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const Exception& e) {
        const std::string text = access == TFileAccess::Read ? MsgFileReadError(path, e.Message())
                                                             : MsgFileWriteError(path, e.Message());
        ShowMessageDialog(prompter, text, "", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return false;
    }
}

} // namespace qx
