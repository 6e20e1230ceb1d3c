#include "dialogs/FileProperty.h"

#include "editor/EditorFixture.h"
#include "editor/EditorStrings.h"
#include "editor/QxEditor.h"
#include "platform/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::HostedEditor;

TQxEditor& Qx(HostedEditor& Ed) { return static_cast<TQxEditor&>(*Ed); }

TEST(FileProperty, CharactersCountOnePerLineBreakAndOnePerDoubleByteCharacter)
{
    HostedEditor ed(Construct<TQxEditor>());
    const struct {
        const char* Text;
        std::int64_t With, Without;
    } cases[] = {
        {"ab\r\n漢字\r\n", 6, 4},
        {"ab\r\n漢字", 5, 4},
        {"", 0, 0},
        {"\r\n\r\n", 2, 0},
    };
    for (const auto& c : cases) {
        ed.SetText(Utf8ToCp932(c.Text));
        const TTextCounts rows = CountEditorCharacters(*ed);
        EXPECT_EQ(rows.WithBreaks, c.With) << c.Text;
        EXPECT_EQ(rows.WithoutBreaks, c.Without) << c.Text;
        const TTextCounts text = CountTextCharacters(Utf8ToCp932(c.Text));
        EXPECT_EQ(text.WithBreaks, c.With) << c.Text;
        EXPECT_EQ(text.WithoutBreaks, c.Without) << c.Text;
    }
    // Wrapped rows make no line breaks of their own.
    std::string kanji;
    for (int i = 0; i < 30; ++i) kanji += "漢";
    ed.SetText(Utf8ToCp932(kanji + "\r\nxy"));
    ed->WrapOption().SetWrapByte(20);
    ed->SetWordWrap(true);
    ASSERT_GE(ed->RowCount(), 4);
    const TTextCounts wrapped = CountEditorCharacters(*ed);
    EXPECT_EQ(wrapped.WithBreaks, 33);
    EXPECT_EQ(wrapped.WithoutBreaks, 32);
}

TEST(FileProperty, FieldsOfAFileOfAnUntitledTabAndOfASelection)
{
    test::TempDir dir;
    const std::string file = dir.File("note.txt");
    test::WriteBytes(file, std::string(2048, 'x'));
    HostedEditor ed(Construct<TQxEditor>());
    ed.SetText(Utf8ToCp932("ab\r\n漢字\r\n"));
    Qx(ed).SetSaveFileCharType(sfctUTF8);
    Qx(ed).SetSaveFileRtrnType(sfrtLF);

    int reports = 0;
    TFilePropertyFields f = FileProperties(Qx(ed), TPropertyKind::File, file, [&](const std::string&, int, int) { ++reports; });
    EXPECT_GT(reports, 0);
    EXPECT_EQ(f.FileName, "note.txt");
    EXPECT_EQ(f.Path, dir.Path());
    EXPECT_EQ(f.FileSize, "2048 Byte / 2 KB");
    EXPECT_EQ(f.CodeAndLineEnd, "Unicode(UTF-8) / LF");
    EXPECT_EQ(f.EditSize, "10 Byte / 0 KB");
    EXPECT_EQ(f.Modified, "なし");
    EXPECT_EQ(f.LineCount, "2 行");
    EXPECT_EQ(f.CharCount, "6 文字");
    EXPECT_EQ(f.CharCountNoBreak, "4 文字");
    EXPECT_EQ(f.SelChars, "0 文字");
    EXPECT_EQ(f.SelLines, "0 行");
    EXPECT_EQ(ByteSizeText(1023), "1023 Byte / 0 KB");

    // From "b" to the second character of 漢字: b, the line break and 漢.
    ed->SetRowCol(0, 1);
    ed->StartSelection();
    ed->SetRowCol(1, 2);
    ed->ShowSelection();
    ed->SetModified(true);
    f = FileProperties(Qx(ed), TPropertyKind::NoFile, Utf8ToCp932("無題 1"));
    EXPECT_EQ(f.FileSize, "（情報なし）");
    EXPECT_EQ(f.TimeStamp, "（情報なし）");
    EXPECT_EQ(f.Modified, "あり");
    EXPECT_EQ(f.SelChars, "3 文字");
    EXPECT_EQ(f.SelLines, "1 行");
    EXPECT_EQ(FileProperties(Qx(ed), TPropertyKind::ProjectItem, "memo").FileName, "プロジェクトアイテム：memo");
}

} // namespace
} // namespace qx
