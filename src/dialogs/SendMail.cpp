#include "dialogs/SendMail.h"

#include "documents/MessageDialog.h"
#include "platform/Cp932.h"
#include "platform/Launcher.h"

namespace qx {

namespace {

// RFC 3986's unreserved characters (and those of `Kept`) stand; every other byte is %XX.
std::string Encoded(std::string_view Text, std::string_view Kept = {})
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : Text) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
            b == '_' || b == '~' || Kept.find(c) != std::string_view::npos) {
            out += c;
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 15];
        }
    }
    return out;
}

// Every CR LF, lone CR and lone LF as CR LF.
std::string CrLf(const std::string& Text)
{
    std::string out;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '\r' || Text[i] == '\n') {
            out += "\r\n";
            if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
        } else {
            out += Text[i];
        }
    }
    return out;
}

} // namespace

std::string MailToUrl(const std::string& Subject, const std::string& Body)
{
    return "mailto:?subject=" + Encoded(CrLf(Subject)) + "&body=" + Encoded(CrLf(Body));
}

std::string MailToAddressUrl(std::string_view Address)
{
    return "mailto:" + Encoded(Address.substr(0, Address.find('?')), "@");
}

bool SendTextByMail(TLauncher& Launcher, TPrompter& Prompter, const std::string& Subject, const std::string& Body)
{
    if (Launcher.Open(MailToUrl(Subject, Cp932ToUtf8(Body)), {})) return true;
    ShowMessageDialog(Prompter, "送信に失敗しました", "エラー", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
    return false;
}

} // namespace qx
