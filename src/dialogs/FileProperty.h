#pragma once
// What the file-properties window ("ファイルのプロパティ") shows about the current document: its file on
// disk and the text being edited. The counts walk every screen row once and report their progress, so a
// big text shows the progress window while they are taken.

#include <cstdint>
#include <functional>
#include <string>

namespace qx {

class TEditor;
class TQxEditor;

// The characters of a text (a double-byte character is one): without line breaks, and with one per line
// break (the last line's included).
struct TTextCounts {
    std::int64_t WithBreaks = 0;
    std::int64_t WithoutBreaks = 0;
};

// Progress of a count: Position rows of Maximum done.
using TCountProgress = std::function<void(int Position, int Maximum)>;

// The editor's characters, row by row (Progress is called now and then and at the end).
TTextCounts CountEditorCharacters(const TEditor& Editor, const TCountProgress& Progress = {});
// The characters of a Shift-JIS text; CR LF, a lone CR and a lone LF are one line break each.
TTextCounts CountTextCharacters(const std::string& Text);

// The kind of tab the document stands in.
enum class TPropertyKind { File, NoFile, ProjectItem };

// The fields, in the window's order (UTF-8).
struct TFilePropertyFields {
    std::string FileName, Path, FileSize, TimeStamp, CodeAndLineEnd;
    std::string EditSize, Modified, LineCount, CharCount, CharCountNoBreak, SelChars, SelLines;
};

// "2048 Byte / 2 KB".
std::string ByteSizeText(std::int64_t Bytes);
// The save code and line end as the window names them: "SHIFT-JIS / CR+LF".
std::string CodeAndLineEndText(int CharType, int RtrnType);

// The fields for Editor's document. Name: the file's path (Kind File), the tab's caption (NoFile), or
// the project item's name (ProjectItem). Progress(Message, Position, Maximum) is shown while counting.
TFilePropertyFields FileProperties(TQxEditor& Editor, TPropertyKind Kind, const std::string& Name,
                                   const std::function<void(const std::string&, int, int)>& Progress = {});

} // namespace qx
