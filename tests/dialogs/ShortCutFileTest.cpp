#include "dialogs/ShortCutFile.h"

#include "dialogs/CommandTable.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TShortCut KeyOf(const std::vector<TShortCut>& keys, std::string_view action)
{
    return keys[static_cast<std::size_t>(FindCommandByAction(action))];
}

TEST(ShortCutFile, WithoutAFileEveryCommandCarriesItsDefault)
{
    TempDir dir;
    const std::vector<TShortCut> keys = ReadShortCuts(dir.File("QxEditor.sck"));
    ASSERT_EQ(keys.size(), static_cast<std::size_t>(CommandCount));
    for (int row = 0; row < CommandCount; ++row)
        EXPECT_EQ(keys[static_cast<std::size_t>(row)], TextToShortCut(CommandShortCutTable()[row].DefaultShortCut)) << row;
    EXPECT_EQ(KeyOf(keys, "ActionTagJump"), scCtrl | 0x0D);
    EXPECT_EQ(KeyOf(keys, "ActionOverWriteMode"), 0x2D);
    EXPECT_EQ(KeyOf(keys, "ActionCutKeySub"), scShift | 0x2E);
    EXPECT_EQ(KeyOf(keys, "ActionSaveAs"), scNone);
}

TEST(ShortCutFile, ValuesReadAsTheFileSpellsThem)
{
    TempDir dir;
    const std::string path = dir.File("QxEditor.sck");
    WriteBytes(path, "// comment\r\n[Search]\r\nFind=\"\"\r\nFindNext=Ctrl+F\r\nReplace=\"ctrl+shift+f\"\r\n"
                     "Jump=\"" + Utf8ToCp932("(なし)") + "\"\r\nGrep=\"Ctrl+G\r\nTagJump=\"Alt+Ctrl+Shift+T\"\r\n"
                     "[project]\r\nnew=\"Ctrl+K\"\r\n[Edit]\r\nUndo=\"Ctrl+Q\"\r\nRedo=\"Ctrl+Q\"\r\n");
    const std::vector<TShortCut> keys = ReadShortCuts(path);
    EXPECT_EQ(KeyOf(keys, "ActionFind"), scNone);                         // empty: no key, not the default
    EXPECT_EQ(KeyOf(keys, "ActionFindNext"), scCtrl | 'F');              // unquoted reads the same
    EXPECT_EQ(KeyOf(keys, "ActionReplace"), scShift | scCtrl | 'F');     // any case, any order
    EXPECT_EQ(KeyOf(keys, "ActionJump"), scNone);                        // "(なし)"
    EXPECT_EQ(KeyOf(keys, "ActionGrep"), scNone);                        // a leading quote only
    EXPECT_EQ(KeyOf(keys, "ActionTagJump"), scShift | scCtrl | scAlt | 'T');
    EXPECT_EQ(KeyOf(keys, "ActionProjectNew"), scCtrl | 'K');
    EXPECT_EQ(KeyOf(keys, "ActionNew"), scCtrl | 'N');                   // [File] New keeps its default
    EXPECT_EQ(KeyOf(keys, "ActionFindPrev"), scShift | 0x72);            // absent: the default
    // A hand-edited file may give two commands one key: both read it (which one runs is the window's).
    EXPECT_EQ(KeyOf(keys, "ActionUndo"), scCtrl | 'Q');
    EXPECT_EQ(KeyOf(keys, "ActionRedo"), scCtrl | 'Q');
}

// The six header lines, as every settings file begins.
std::string Header()
{
    return Utf8ToCp932("// QxEditor for Windows ショートカットキー設定ファイル\r\n//\r\n"
                       "// このファイルをむやみに改変しないでください。\r\n"
                       "// 正常に動作しなくなる可能性があります。\r\n"
                       "// --------------------------------------------\r\n\r\n");
}

TEST(ShortCutFile, ANewFileListsSectionsInOrderAndKeysInTreeOrder)
{
    TempDir dir;
    const std::string path = dir.File("QxEditor.sck");
    SaveKeySetFile(path, DefaultKeyTexts());
    const std::string bytes = ReadBytes(path);
    const std::string expectedStart =
        Header() +
        "[Application]\r\nTitle=QxEditor for Windows\r\nVersion=\"3.7.9-Jr5\"\r\n\r\n"
        "[File]\r\nNew=\"Ctrl+N\"\r\nOpen=\"Ctrl+O\"\r\nFavorite=\"\"\r\nKanrenOpen=\"\"\r\nEditAgainFirst=\"\"\r\n"
        "Save=\"Ctrl+S\"\r\nSaveAs=\"\"\r\nAllSave=\"\"\r\nSaveAsHTML=\"\"\r\nClose=\"Ctrl+F4\"\r\nAllClose=\"\"\r\n"
        "PrintPreview=\"\"\r\nPrint=\"Ctrl+P\"\r\nSendMail=\"\"\r\nCloseQxEditor=\"\"\r\nShutQxEditor=\"\"\r\n\r\n"
        "[Edit]\r\nUndo=\"Ctrl+Z\"\r\n";
    EXPECT_EQ(bytes.substr(0, expectedStart.size()), expectedStart);
    const std::string expectedEnd = "[Other]\r\nCutSub=\"Shift+Del\"\r\nCopySub=\"Ctrl+Ins\"\r\nPasteSub=\"Shift+Ins\"\r\n"
                                    "CaretUp=\"\"\r\nCaretDown=\"\"\r\nCaretRight=\"\"\r\nCaretLeft=\"\"\r\n\r\n";
    ASSERT_GE(bytes.size(), expectedEnd.size());
    EXPECT_EQ(bytes.substr(bytes.size() - expectedEnd.size()), expectedEnd);
    std::size_t at = 0;
    for (std::string_view section : CommandSections()) {
        const std::size_t found = bytes.find("\r\n[" + std::string(section) + "]\r\n");
        ASSERT_NE(found, std::string::npos) << section;
        EXPECT_GT(found, at) << section;
        at = found;
    }
    // Header, [Application] (3 lines and a blank), nine sections with a header line and a blank each.
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 6 + 4 + 9 * 2 + CommandCount);
}

TEST(ShortCutFile, SavingKeepsWhatItDoesNotKnowAndWritesOneHeader)
{
    TempDir dir;
    const std::string path = dir.File("keys.sck");
    WriteBytes(path, Header() + "[Extra]\r\nA=1\r\n\r\n[File]\r\nNew=\"Ctrl+K\"\r\nUnknown=\"x\"\r\n");
    TKeyTexts texts;
    LoadKeySetFile(path, texts);
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(KeyTreeNodeCount));
    EXPECT_EQ(texts[0], "Nil");
    EXPECT_EQ(texts[1], "Ctrl+K");
    EXPECT_EQ(texts[2], "Ctrl+O");
    texts[2] = "";
    SaveKeySetFile(path, texts);
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.rfind(Header().substr(0, 20)), 0u);  // the comment block once, at the top
    EXPECT_NE(bytes.find("[Extra]\r\nA=1\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("[File]\r\nNew=\"Ctrl+K\"\r\nUnknown=\"x\"\r\nOpen=\"\"\r\n"), std::string::npos);
    TKeyTexts again;
    LoadKeySetFile(path, again);
    EXPECT_EQ(again, texts);
    const std::vector<TShortCut> keys = ReadShortCuts(path);
    EXPECT_EQ(KeyOf(keys, "ActionOpen"), scNone);  // cleared: no key, not the default
}

TEST(ShortCutFile, AFileThatCannotBeReadIsNeverWrittenOver)
{
    TempDir dir;
    // A folder where the file should be reads as an error whoever runs the test.
    const std::string path = dir.File("QxEditor.sck");
    std::filesystem::create_directory(path);
    TKeyTexts texts = DefaultKeyTexts();
    texts[1] = "Ctrl+K";
    TKeyTexts loaded = texts;
    EXPECT_THROW(LoadKeySetFile(path, loaded), EFOpenError);
    EXPECT_EQ(loaded, texts);
    EXPECT_THROW(SaveKeySetFile(path, texts), EFOpenError);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    // A folder that does not exist cannot take the file: reported, not silently dropped.
    EXPECT_THROW(SaveKeySetFile(dir.File("missing/QxEditor.sck"), texts), EInOutError);
    const std::vector<TShortCut> keys = ReadShortCuts(path);
    EXPECT_EQ(KeyOf(keys, "ActionNew"), scCtrl | 'N');
}

} // namespace
} // namespace qx
