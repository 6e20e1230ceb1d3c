#include "dialogs/FileProperty.h"

#include "documents/DocumentCodes.h"
#include "documents/MessageTexts.h"
#include "editor/EditorStrings.h"
#include "editor/QxEditor.h"
#include "editor/RowAttributes.h"
#include "platform/LeadByte.h"

#include <filesystem>
#include <sys/stat.h>

namespace qx {

namespace {

std::int64_t Characters(std::string_view Text)
{
    std::int64_t n = 0;
    for (std::size_t i = 0; i < Text.size(); i += CharLengthAt(Text, i)) ++n;
    return n;
}

// How often the row walk reports its progress.
constexpr int kProgressRows = 4096;

constexpr const char* kNoInfo = "（情報なし）";

} // namespace

TTextCounts CountEditorCharacters(const TEditor& Editor, const TCountProgress& Progress)
{
    TTextCounts counts;
    const int rows = Editor.RowCount();
    for (int r = 0; r < rows; ++r) {
        counts.WithoutBreaks += Characters(Editor.RowString(r));
        // A row that ends its line (neither wrapped on nor the end of the text) carries a line break.
        if ((Editor.RowAttribute(r) & (raWrapped | raEof)) == 0) ++counts.WithBreaks;
        if (Progress && r % kProgressRows == 0) Progress(r, rows);
    }
    counts.WithBreaks += counts.WithoutBreaks;
    if (Progress) Progress(rows, rows);
    return counts;
}

TTextCounts CountTextCharacters(const std::string& Text)
{
    TTextCounts counts;
    for (std::size_t i = 0; i < Text.size();) {
        if (Text[i] == '\r' || Text[i] == '\n') {
            ++counts.WithBreaks;
            i += Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n' ? 2 : 1;
            continue;
        }
        ++counts.WithoutBreaks;
        i += CharLengthAt(Text, i);
    }
    counts.WithBreaks += counts.WithoutBreaks;
    return counts;
}

std::string ByteSizeText(std::int64_t Bytes)
{
    return std::to_string(Bytes) + " Byte / " + std::to_string(Bytes / 1024) + " KB";
}

std::string CodeAndLineEndText(int CharType, int RtrnType)
{
    static const char* const codes[] = {"JIS", "EUC", "SHIFT-JIS", "Unicode", "Unicode(Big-Endian)", "Unicode(UTF-8)"};
    static const char* const ends[] = {"CR", "LF", "CR+LF"};
    const std::string code = CharType >= 0 && CharType <= 5 ? codes[CharType] : "";
    const std::string end = RtrnType >= 0 && RtrnType <= 2 ? ends[RtrnType] : "";
    return code + " / " + end;
}

TFilePropertyFields FileProperties(TQxEditor& Editor, TPropertyKind Kind, const std::string& Name,
                                   const std::function<void(const std::string&, int, int)>& Progress)
{
    TFilePropertyFields f;
    const auto step = [&](const char* Message) -> TCountProgress {
        if (!Progress) return {};
        return [&Progress, Message](int Position, int Maximum) { Progress(Message, Position, Maximum); };
    };
    if (Progress) Progress("ファイルのプロパティ取得中...", 0, 1);
    f.FileSize = f.TimeStamp = f.CodeAndLineEnd = f.Path = kNoInfo;
    switch (Kind) {
    case TPropertyKind::File: {
        const std::filesystem::path path(Name);
        f.FileName = path.filename().string();
        f.Path = path.parent_path().string();
        struct stat st;
        if (::stat(Name.c_str(), &st) == 0) {
            f.FileSize = ByteSizeText(st.st_size);
            f.TimeStamp = FormatFileDate(st.st_mtime);
        }
        f.CodeAndLineEnd = CodeAndLineEndText(Editor.SaveFileCharType(), Editor.SaveFileRtrnType());
        break;
    }
    case TPropertyKind::ProjectItem: f.FileName = "プロジェクトアイテム：" + Name; break;
    case TPropertyKind::NoFile: f.FileName = Name; break;
    }
    f.EditSize = ByteSizeText(Editor.TextLength());
    f.Modified = Editor.Modified() ? "あり" : "なし";
    f.LineCount = std::to_string(Editor.Lines().Count()) + " 行";

    const TTextCounts text = CountEditorCharacters(Editor, step("ファイルの総文字数取得中..."));
    f.CharCount = std::to_string(text.WithBreaks) + " 文字";
    f.CharCountNoBreak = std::to_string(text.WithoutBreaks) + " 文字";

    const bool selected = Editor.HasSelection();
    std::int64_t selChars = 0;
    int selLines = 0;
    if (selected) {
        if (Progress) Progress("選択範囲の文字数取得中...", 0, 1);
        selChars = CountTextCharacters(Editor.SelText()).WithBreaks;
        selLines = Editor.ByteSelection().EndRow - Editor.ByteSelection().StartRow;
    }
    f.SelChars = std::to_string(selChars) + " 文字";
    f.SelLines = std::to_string(selLines) + " 行";
    return f;
}

} // namespace qx
