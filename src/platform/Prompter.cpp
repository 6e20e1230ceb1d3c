#include "platform/Prompter.h"

namespace qx {

std::string MessageCaption(TMsgDlgType kind, const std::string& caption)
{
    if (!caption.empty()) return caption;
    switch (kind) {
    case TMsgDlgType::mtWarning: return "警告";
    case TMsgDlgType::mtError: return "エラー";
    case TMsgDlgType::mtInformation: return "情報";
    case TMsgDlgType::mtConfirmation: return "確認";
    case TMsgDlgType::mtCustom: break;
    }
    return caption;
}

} // namespace qx
