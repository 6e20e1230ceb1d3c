#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>

namespace qx {

std::string SystemErrorText(int Error)
{
    switch (Error) {
    case EACCES:
    case EPERM: return "アクセスが拒否されました。";
    case EROFS: return "読み取り専用のファイルシステムです。";
    case ENOSPC: return "ディスクに空きがありません。";
    case EDQUOT: return "ディスクの割り当て量を超えました。";
    case ENOENT: return "ファイルまたはフォルダが見つかりません。";
    case ENOTDIR: return "パスの途中がフォルダではありません。";
    case EISDIR: return "フォルダです。";
    case EEXIST: return "同じ名前のファイルがあります。";
    case ELOOP: return "シンボリックリンクが循環しています。";
    case ENAMETOOLONG: return "ファイル名が長すぎます。";
    case EIO: return "入出力エラーが起きました。";
    case EBUSY:
    case ETXTBSY: return "ファイルが使用中です。";
    case EFBIG: return "ファイルが大きすぎます。";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます。";
    case ENOMEM: return "メモリが足りません。";
    case EXDEV: return "別のファイルシステムへは移せません。";
    case EINVAL: return "この操作はこのファイルには使えません。";
    default: return "システムエラー " + std::to_string(Error) + "（" + std::strerror(Error) + "）。";
    }
}

std::string FileOpenErrorText(const std::string& Path, int Error)
{
    return "ファイル「" + Path + "」を開けません。" + SystemErrorText(Error);
}

std::string FileReadErrorText(const std::string& Path, int Error)
{
    return "ファイル「" + Path + "」を読み込めません。" + SystemErrorText(Error);
}

} // namespace qx
