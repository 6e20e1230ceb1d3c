#pragma once
// Sending the text to the mail program ("メーラへ送信"): a mailto: URL with the subject and the body,
// opened through the launcher, so the desktop's mail program shows a new message to send.

#include <string>

namespace qx {

class TLauncher;
class TPrompter;

// "mailto:?subject=...&body=..." with both texts (UTF-8) percent-encoded; every line break of the body
// becomes CR LF ("%0D%0A").
std::string MailToUrl(const std::string& Subject, const std::string& Body);

// Hands the message (Subject UTF-8, Body Shift-JIS) to the mail program; when it cannot be started,
// "送信に失敗しました" (caption "エラー"). True when it was handed over.
bool SendTextByMail(TLauncher& Launcher, TPrompter& Prompter, const std::string& Subject, const std::string& Body);

} // namespace qx
