#pragma once
// Sending the text to the mail program ("メーラへ送信"): a mailto: URL with the subject and the body,
// opened through the launcher, so the desktop's mail program shows a new message to send.

#include <string>
#include <string_view>

namespace qx {

class TLauncher;
class TPrompter;

// "mailto:?subject=...&body=..." with both texts (UTF-8) percent-encoded; every line break of the body
// becomes CR LF ("%0D%0A").
std::string MailToUrl(const std::string& Subject, const std::string& Body);

// "mailto:" and a mail address (UTF-8) as the text shows it, for a link: what follows a "?" would be
// header fields for the mail program (a body, a copy, a file to attach) and is not passed; every byte of
// the address but letters, digits, "-._~" and "@" is percent-encoded, so the mail program gets exactly
// the address written.
std::string MailToAddressUrl(std::string_view Address);

// Hands the message (Subject UTF-8, Body Shift-JIS) to the mail program; when it cannot be started,
// "送信に失敗しました" (caption "エラー"). True when it was handed over.
bool SendTextByMail(TLauncher& Launcher, TPrompter& Prompter, const std::string& Subject, const std::string& Body);

} // namespace qx
