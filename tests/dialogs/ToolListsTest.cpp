// The signature files and the phrase lists: created with their defaults, edited and saved at once,
// every file byte-exact Shift-JIS with CR LF.

#include "dialogs/PhraseEditor.h"
#include "dialogs/PhraseLists.h"
#include "dialogs/Signatures.h"
#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "platform/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace qx;
using qx::test::ReadBytes;
using qx::test::TempDir;
using qx::test::WriteBytes;

namespace {

std::string Folder(const TempDir& Dir) { return Dir.Path() + "/"; }

std::string Sjis(const std::string& Utf8) { return Utf8ToCp932(Utf8); }

} // namespace

TEST(Signatures, AMissingFileIsCreatedWithItsDefaultTextAndAnExistingOneIsRead)
{
    TempDir dir;
    for (int n = 1; n <= SignatureCount; ++n) {
        const TStringList lines = LoadSignature(Folder(dir), n);
        const std::string expected = Sjis("署名 " + std::to_string(n) + " の設定を行ってください") + "\r\n";
        EXPECT_EQ(ReadBytes(dir.File("Sign" + std::to_string(n) + ".txt")), expected);
        EXPECT_EQ(lines.Text(), expected);
    }
    WriteBytes(dir.File("Sign2.txt"), Sjis("山田\r\n太郎"));
    EXPECT_EQ(Cp932ToUtf8(LoadSignature(Folder(dir), 2).Text()), "山田\r\n太郎\r\n");
    EXPECT_EQ(ReadBytes(dir.File("Sign2.txt")), Sjis("山田\r\n太郎")) << "reading never rewrites";

    TStringList edited;
    edited.Add(Sjis("-- 署名"));
    SaveSignature(Folder(dir), 3, edited);
    EXPECT_EQ(ReadBytes(dir.File("Sign3.txt")), Sjis("-- 署名") + "\r\n");
    EXPECT_ANY_THROW(SignatureFileName(Folder(dir), 4));
}

class InsertAtCaretTest : public ::testing::Test {
protected:
    TEditor& E() { return *Ed.Editor; }
    test::HostedEditor Ed{Construct<TQxEditor>()};
};

TEST_F(InsertAtCaretTest, ReplacesTheSelectionInOneUndoStepWithTheCaretBeforeOrAfter)
{
    const struct {
        bool CaretAfter;
        std::int64_t Caret;
    } cases[] = {{false, 2}, {true, 2 + 7}};
    for (const auto& c : cases) {
        E().Lines().SetText("abXYcd");
        E().SetSelStart(2);
        E().SetSelLength(2);
        InsertAtCaret(E(), "sig\r\nab", c.CaretAfter);
        EXPECT_EQ(E().Lines().Text(), "absig\r\nabcd\r\n");
        EXPECT_EQ(E().SelStart(), c.Caret) << c.CaretAfter;
        EXPECT_EQ(E().SelLength(), 0);
        E().Undo();
        EXPECT_EQ(E().Lines().Text(), "abXYcd\r\n") << "one step undoes the insertion";
    }
}

TEST(PhraseLists, TheFaceMarksAreDistinctAndAllHaveShiftJisCodes)
{
    std::set<std::string> seen;
    for (const char* mark : FaceMarks()) {
        std::size_t lost = 0;
        const std::string sjis = Utf8ToCp932(mark, &lost);
        EXPECT_EQ(lost, 0u) << mark;
        EXPECT_EQ(Cp932ToUtf8(sjis), mark);
        EXPECT_TRUE(seen.insert(mark).second) << "twice: " << mark;
    }
    EXPECT_GE(FaceMarks().size(), 200u);
}

TEST(PhraseEditor, TheFirstShowingCreatesTheListsAndKeepsExistingOnes)
{
    TempDir dir;
    WriteBytes(dir.File("word3.dat"), "mine\r\n");
    TPhraseEditor editor(Folder(dir));
    editor.Show();
    std::string faceMarks;
    for (const char* mark : FaceMarks()) faceMarks += Sjis(mark) + "\r\n";
    EXPECT_EQ(ReadBytes(dir.File("word1.dat")), faceMarks);
    for (const char* name : {"word2.dat", "word4.dat", "word5.dat"})
        EXPECT_EQ(ReadBytes(dir.File(name)), Sjis("好きな文字列を登録して下さい。") + "\r\n") << name;
    EXPECT_EQ(ReadBytes(dir.File("word3.dat")), "mine\r\n");
    EXPECT_EQ(editor.Chosen(), 1);
    EXPECT_EQ(editor.ItemIndex(), 0);
    EXPECT_EQ(editor.Text, "(^^)");
    EXPECT_EQ(LoadPhraseList(Folder(dir), 1).Text(), faceMarks);
}

TEST(PhraseEditor, EveryChangeIsSavedAtOnce)
{
    TempDir dir;
    WriteBytes(dir.File("word2.dat"), "a\r\nb\r\nc\r\n");
    TPhraseEditor editor(Folder(dir));
    editor.Choose(2);
    const auto file = [&] { return ReadBytes(dir.File("word2.dat")); };

    editor.Text = Sjis("新しい");
    editor.Register();
    EXPECT_EQ(file(), Sjis("新しい") + "\r\na\r\nb\r\nc\r\n");
    EXPECT_EQ(editor.ItemIndex(), 0);
    EXPECT_EQ(editor.Text, "");

    editor.Select(2);
    EXPECT_EQ(editor.Text, "b");
    editor.Text = "B";
    editor.Update();
    editor.Up();
    EXPECT_EQ(file(), Sjis("新しい") + "\r\nB\r\na\r\nc\r\n");
    EXPECT_EQ(editor.ItemIndex(), 1);
    editor.Select(3);
    editor.Down();  // the last item stays where it is
    editor.Select(0);
    editor.Up();  // and so does the first
    editor.Down();
    EXPECT_EQ(file(), "B\r\n" + Sjis("新しい") + "\r\na\r\nc\r\n");
    EXPECT_EQ(editor.ItemIndex(), 1);

    editor.Delete();
    EXPECT_EQ(file(), "B\r\na\r\nc\r\n");
    EXPECT_EQ(editor.ItemIndex(), -1);
    editor.Update();  // nothing selected: nothing changes
    editor.Delete();
    EXPECT_EQ(file(), "B\r\na\r\nc\r\n");
}

TEST(PhraseEditor, ADraggedItemMovesToTheItemItIsDroppedOn)
{
    const struct {
        int From, To;
        const char* Order;
        int Selected;
    } cases[] = {
        {0, 2, "b\r\nc\r\na\r\nd\r\n", 2},
        {3, 0, "d\r\na\r\nb\r\nc\r\n", 0},
        {1, -1, "a\r\nc\r\nd\r\nb\r\n", 3},  // below the last item: to the end
        {2, 2, "a\r\nb\r\nc\r\nd\r\n", 2},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteBytes(dir.File("word4.dat"), "a\r\nb\r\nc\r\nd\r\n");
        TPhraseEditor editor(Folder(dir));
        editor.Choose(4);
        editor.Drop(c.From, c.To);
        EXPECT_EQ(ReadBytes(dir.File("word4.dat")), c.Order) << c.From << " to " << c.To;
        EXPECT_EQ(editor.ItemIndex(), c.Selected);
    }
}

TEST(PhraseEditor, AnEmptiedListGetsThePlaceholderWhenChosenAgain)
{
    TempDir dir;
    WriteBytes(dir.File("word5.dat"), "only\r\n");
    TPhraseEditor editor(Folder(dir));
    editor.Choose(5);
    editor.Delete();
    EXPECT_EQ(ReadBytes(dir.File("word5.dat")), "");
    editor.Drop(0, 0);  // nothing to drag
    editor.Choose(5);
    EXPECT_EQ(ReadBytes(dir.File("word5.dat")), Sjis("好きな文字列を登録して下さい。") + "\r\n");
    EXPECT_EQ(editor.ItemIndex(), 0);
}

TEST(PhraseEditor, AListThatCouldNotBeReadIsNeverWrittenOver)
{
    TempDir dir;
    WriteBytes(dir.File("word1.dat"), "keep\r\n");
    std::filesystem::create_directory(dir.File("word3.dat"));  // no regular file: it cannot be read
    TPhraseEditor editor(Folder(dir));
    EXPECT_ANY_THROW(editor.Show());
    editor.Text = "x";
    editor.Register();
    EXPECT_EQ(ReadBytes(dir.File("word1.dat")), "keep\r\n");

    editor.Choose(1);
    EXPECT_ANY_THROW(editor.Choose(3));
    editor.Register();
    EXPECT_EQ(ReadBytes(dir.File("word1.dat")), "keep\r\n");
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("word3.dat")));
}
