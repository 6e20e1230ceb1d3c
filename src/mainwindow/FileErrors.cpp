#include "mainwindow/FileErrors.h"

#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "platform/Exception.h"

namespace qx {

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
