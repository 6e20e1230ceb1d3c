#include "documents/MessageTexts.h"

#include "documents/UnicodeCoding.h"
#include "platform/Cp932.h"
#include "platform/LeadByte.h"

#include <cstdio>

namespace qx {

namespace {

std::string Join(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (std::string_view part : parts) text += part;
    return text;
}

std::string Hex(unsigned value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

} // namespace

std::string MsgFileCannotOpen(std::string_view FileName)
{
    return Join({FileName, "\n", "ファイルが開けません。ファイル名が正しいか確認してください。"});
}

std::string MsgFileLocked(std::string_view FileName)
{
    return Join({FileName, "\n", "ファイルが他のプロセスによってロックされています。", "\r\n", "読み取り専用で開きます。"});
}

std::string MsgFileOpenError(std::string_view FileName)
{
    return Join({FileName, "\n", "エラーでファイルを開くことができません。"});
}

std::string MsgDocumentModified(std::string_view FileName)
{
    return Join({FileName, "\n", "が変更されています。", "\n\n", "文書を保存しますか?"});
}

std::string MsgProjectModified(std::string_view ProjectName)
{
    return Join({"プロジェクト：", ProjectName, "\n", "が変更されています。", "\n\n", "プロジェクトを保存しますか?"});
}

std::string MsgFileExists(std::string_view FileName)
{
    return Join({FileName, "\n", "このファイルはすでに存在しています。", "\n\n", "上書きしますか?"});
}

std::string MsgReloadWithCode(std::string_view FileName, int CharType)
{
    static constexpr std::string_view Names[] = {"JIS", "EUC", "SHIFT-JIS", "Unicode", "Unicode(Big-Endian)", "UTF-8"};
    const std::string_view Name = CharType >= 0 && CharType < 6 ? Names[CharType] : std::string_view();
    return Join({FileName, "\n", "の編集内容は破棄されます。", "\n\n", "文字コード[", Name, "]で読み直してよろしいですか?"});
}

std::string MsgSearchNotFound(std::string_view SjisPattern)
{
    return Join({"検索文字列：[", Cp932ToUtf8(SjisPattern), "]", "\r\n", "は見つかりませんでした。"});
}

std::string MsgReplaceConfirm(std::string_view SjisFindText, std::string_view SjisReplaceText)
{
    return Join({Cp932ToUtf8(SjisFindText), " を", "\r\n", Cp932ToUtf8(SjisReplaceText), " に 置き換えますか?"});
}

std::string MsgCharInfo(std::string_view SjisChar)
{
    if (SjisChar.empty()) return {};
    const auto S1 = static_cast<unsigned char>(SjisChar[0]);
    if (SjisChar.size() >= 2 && IsDBCSLeadByte(S1)) {
        const auto S2 = static_cast<unsigned char>(SjisChar[1]);
        return Join({"文字: ", Cp932ToUtf8(SjisChar.substr(0, 2)), "\r\n", "Shift-JIS: ", Hex(S1, 2), Hex(S2, 2),
                     "\r\n", "JIS: ", Hex(SjisCodeToJisCode(S1 << 8 | S2), 2)});
    }
    return Join({"文字: ", Cp932ToUtf8(SjisChar.substr(0, 1)), "\r\n", "ANSI: ", Hex(S1, 2), "\r\n"});
}

std::string MsgFileChangedOutside(std::string_view FileName, std::string_view DateNow, std::string_view DateAtLoad)
{
    return Join({FileName, "\n", "は、他のアプリケーションによって書き換えられています。", "\n\n", "読み込み時： ", DateAtLoad,
                 "  ", "現在： ", DateNow, "\n\n", "読み直しますか?"});
}

std::string MsgShellOpenFailed(std::string_view Name)
{
    return Join({Name, "\r\n", "関連付けられたアプリケーションの起動に失敗したか、", "またはファイルが見つかりません。"});
}

std::string MsgCharactersReplaced(std::string_view FileName, std::size_t Count, std::string_view Mark)
{
    return Join({FileName, "\n", std::to_string(Count), " 文字がShift-JISで表せないため「", Mark, "」に置き換えられました。"});
}

std::string MsgNulBytesReplaced(std::string_view FileName, std::size_t Count)
{
    return Join({FileName, "\n", std::to_string(Count), " 個のNULバイトが空白に置き換えられました。",
                 "保存するとNULバイトは空白として書き込まれます。"});
}

std::string MsgPastedCharactersReplaced(std::size_t Count)
{
    return Join({std::to_string(Count), " 文字がShift-JISで表せないため「?」に置き換えて貼り付けました。"});
}

std::string MsgCharactersWillBeLost(std::string_view FileName, std::size_t Count)
{
    return Join({FileName, "\n", std::to_string(Count), " 文字が保存する文字コードで表せないため失われます。", "\n\n",
                 "保存してよろしいですか?"});
}

std::string MsgNotInCharCode(std::string_view FileName, std::string_view CodeName)
{
    return Join({FileName, "\n", "このファイルは", CodeName, "ではないため開けません。"});
}

std::string MsgFileReadError(std::string_view FileName, std::string_view Reason)
{
    return Join({FileName, "\n", "ファイルを読み込めませんでした。", "\n", Reason});
}

std::string MsgFileWriteError(std::string_view FileName, std::string_view Reason)
{
    return Join({FileName, "\n", "ファイルを保存できませんでした。元のファイルはそのまま残っています。", "\n", Reason});
}

std::string MsgSjisOrEuc()
{
    return Join({"Shift-JISまたはEUCで文字コードを判別できませんでした。", "\n", "EUCとして開いてよろしいですか。", "\n", "\n",
                 "［はい］：EUCで開く , ［いいえ］：Shift-JISで開く"});
}

std::string FormatFileDate(std::time_t Time)
{
    std::tm Local{};
    localtime_r(&Time, &Local);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %d:%02d:%02d", Local.tm_year + 1900, Local.tm_mon + 1,
                  Local.tm_mday, Local.tm_hour, Local.tm_min, Local.tm_sec);
    return buffer;
}

} // namespace qx
