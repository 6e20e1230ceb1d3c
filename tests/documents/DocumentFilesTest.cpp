#include "documents/DocumentCodes.h"
#include "documents/DocumentFiles.h"
#include "documents/MessageTexts.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "support/Bytes.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

ino_t InodeOf(const std::string& Path)
{
    struct stat St;
    return ::stat(Path.c_str(), &St) == 0 ? St.st_ino : 0;
}

TEST(DocumentFiles, TestOpenFileTellsTheCases)
{
    TempDir Dir;
    WriteBytes(Dir.File("a.txt"), "a");
    ASSERT_EQ(::mkfifo(Dir.File("fifo").c_str(), 0600), 0);
    EXPECT_EQ(TestOpenFile(Dir.File("a.txt")), otNormal);
    EXPECT_EQ(TestOpenFile(Dir.File("missing")), otNotFound);
    EXPECT_EQ(TestOpenFile(Dir.File("missing/deeper")), otNotFound);
    EXPECT_EQ(TestOpenFile(Dir.Path()), otNotFound);  // a folder
    EXPECT_EQ(TestOpenFile(Dir.File("fifo")), otOpenError);  // answered at once, never blocks
    EXPECT_EQ(TestOpenFile("/dev/null"), otOpenError);

    // Another editor's lock on its own descriptor: the file opens read-only.
    const int Fd = ::open(Dir.File("a.txt").c_str(), O_RDONLY);
    ASSERT_GE(Fd, 0);
    ASSERT_EQ(::flock(Fd, LOCK_SH), 0);
    EXPECT_EQ(TestOpenFile(Dir.File("a.txt")), otLocked);
    ::close(Fd);
    EXPECT_EQ(TestOpenFile(Dir.File("a.txt")), otNormal);
}

TEST(DocumentFiles, LoadReportsWhatWentWrongAndLoadsNothing)
{
    TempDir Dir;
    WriteBytes(Dir.File("sjis.txt"), Utf8ToCp932("あ"));
    WriteBytes(Dir.File("utf8.txt"), "caf\xC3\xA9");
    ASSERT_EQ(::mkfifo(Dir.File("fifo").c_str(), 0600), 0);

    test::ScriptedMessagePrompter Prompter;
    TDecodedDocument D = LoadDocumentFile(Dir.File("sjis.txt"), ocUtf8, Prompter);
    EXPECT_EQ(D.Status, TLoadStatus::NotInCode);
    ASSERT_EQ(Prompter.Requests.size(), 1u);
    EXPECT_EQ(Prompter.Requests[0].Kind, TMsgDlgType::mtError);
    EXPECT_NE(Prompter.Requests[0].Text.find("UTF-8"), std::string::npos);

    D = LoadDocumentFile(Dir.File("fifo"), ocAuto, Prompter);  // a read that cannot be done, without blocking
    EXPECT_EQ(D.Status, TLoadStatus::ReadError);
    ASSERT_EQ(Prompter.Requests.size(), 2u);
    // In Japanese, the system's reason included.
    EXPECT_NE(Prompter.Requests[1].Text.find("」を開けません。通常のファイルではありません。"), std::string::npos)
        << Prompter.Requests[1].Text;

    // A load that replaced characters says so.
    D = LoadDocumentFile(Dir.File("utf8.txt"), ocAuto, Prompter);
    EXPECT_EQ(D.Status, TLoadStatus::Loaded);
    EXPECT_EQ(D.Text, "caf?");
    ASSERT_EQ(Prompter.Requests.size(), 3u);
    EXPECT_NE(Prompter.Requests[2].Text.find("1 文字"), std::string::npos);
}

TEST(DocumentFiles, ALoadTellsWhatItPutInPlaceOfWhatTheTextCannotHold)
{
    // The message names the character the text holds in their place, so that the user finds them
    // before a save writes them.
    TempDir Dir;
    const std::string File = Dir.File("f.txt");
    struct Case {
        const char* What;
        std::string Bytes;
        int Code;
        std::string Text;
        std::vector<std::string> Messages;
    };
    const Case Cases[] = {
        {"JIS X 0212 that the code page lacks", "a\x8F\xB0\xA1", ocEuc, "a\x81\xAC", {MsgCharactersReplaced(File, 1, "〓")}},
        {"Shift-JIS read as EUC", Utf8ToCp932("あい"), ocEuc, "\x81\xAC\x81\xAC\x81\xAC\x81\xAC",
         {MsgCharactersReplaced(File, 4, "〓")}},
        {"UTF-8 beyond the code page", "\xF0\x9F\x98\x80\xC2\xA9", ocUtf8, "??", {MsgCharactersReplaced(File, 2, "?")}},
        {"UTF-16 with an odd byte", std::string("\xFF\xFE" "A\0B", 5), ocAuto, "A?", {MsgCharactersReplaced(File, 1, "?")}},
        {"NUL bytes", std::string("a\0b\0c", 5), ocAuto, "a b c", {MsgNulBytesReplaced(File, 2)}},
        {"both", std::string("\xA4\xA2\0\x8F\xB0\xA1", 6), ocEuc, Utf8ToCp932("あ ") + "\x81\xAC",
         {MsgCharactersReplaced(File, 1, "〓"), MsgNulBytesReplaced(File, 1)}},
    };
    for (const Case& C : Cases) {
        WriteBytes(File, C.Bytes);
        test::ScriptedMessagePrompter Prompter;
        const TDecodedDocument D = LoadDocumentFile(File, C.Code, Prompter);
        EXPECT_EQ(D.Status, TLoadStatus::Loaded) << C.What;
        EXPECT_EQ(D.Text, C.Text) << C.What;
        EXPECT_EQ(Prompter.Texts(), C.Messages) << C.What;
    }
}

TEST(DocumentFiles, WriteAsksBeforeLosingCharactersAndKeepsTheOldFileOnFailure)
{
    TempDir Dir;
    const std::string File = Dir.File("a.txt");
    WriteBytes(File, "old");
    const std::string UserDefined = test::Bytes("F9 40");  // beyond the user area: no place for it in JIS

    test::ScriptedMessagePrompter Prompter;
    Prompter.Answers = {mr::No};
    EXPECT_FALSE(WriteTextFile(Prompter, File, UserDefined, sfctJIS, sfrtCRLF));
    EXPECT_EQ(ReadBytes(File), "old");
    Prompter.Answers = {mr::Yes};
    EXPECT_TRUE(WriteTextFile(Prompter, File, UserDefined, sfctJIS, sfrtCRLF));
    EXPECT_NE(ReadBytes(File), "old");
    EXPECT_EQ(Prompter.Requests.size(), 2u);

    // A writer that fails (a full disk, a folder that may not be written): false, the error shown.
    WriteBytes(File, "old");
    const TFileWriter Failing = [](const std::string&, const TBytePieces&) { throw EInOutError("No space left"); };
    EXPECT_FALSE(WriteTextFile(Prompter, File, "new", sfctSJIS, sfrtCRLF, Failing));
    EXPECT_EQ(ReadBytes(File), "old");
    ASSERT_EQ(Prompter.Requests.size(), 3u);
    EXPECT_EQ(Prompter.Requests[2].Kind, TMsgDlgType::mtError);
    EXPECT_NE(Prompter.Requests[2].Text.find("No space left"), std::string::npos);

    EXPECT_TRUE(WriteTextFile(Prompter, File, "new\nline", sfctSJIS, sfrtCRLF));
    EXPECT_EQ(ReadBytes(File), "new\r\nline");
}

TEST(DocumentFiles, CopyAndMoveNeverLoseAFile)
{
    TempDir Dir;
    const std::string A = Dir.File("a"), B = Dir.File("b");
    WriteBytes(A, "aaa");
    ::chmod(A.c_str(), 0640);

    // Onto itself: the file stays whole.
    EXPECT_TRUE(CopyFileTo(A, A, true));
    EXPECT_FALSE(CopyFileTo(A, A, false));
    EXPECT_TRUE(MoveFileTo(A, A, true));
    EXPECT_TRUE(MoveFileTo(A, Dir.File("./a"), false));
    EXPECT_EQ(ReadBytes(A), "aaa");

    // A copy gets the source's permissions; without Overwrite an existing target is refused.
    EXPECT_TRUE(CopyFileTo(A, B, false));
    EXPECT_EQ(ReadBytes(B), "aaa");
    EXPECT_EQ(std::filesystem::status(B).permissions(), std::filesystem::status(A).permissions());
    WriteBytes(B, "bbb");
    EXPECT_FALSE(CopyFileTo(A, B, false));
    EXPECT_EQ(ReadBytes(B), "bbb");
    EXPECT_TRUE(CopyFileTo(A, B, true));
    EXPECT_EQ(ReadBytes(B), "aaa");

    // A move renames: the same file under the new name, the old name gone.
    WriteBytes(B, "bbb");
    const ino_t Inode = InodeOf(A);
    EXPECT_FALSE(MoveFileTo(A, B, false));
    EXPECT_EQ(ReadBytes(A), "aaa");
    EXPECT_EQ(ReadBytes(B), "bbb");
    EXPECT_TRUE(MoveFileTo(A, B, true));
    EXPECT_FALSE(std::filesystem::exists(A));
    EXPECT_EQ(InodeOf(B), Inode);
    EXPECT_TRUE(MoveFileTo(B, Dir.File("c"), false));
    EXPECT_EQ(ReadBytes(Dir.File("c")), "aaa");

    EXPECT_FALSE(CopyFileTo(Dir.File("missing"), B, true));
    EXPECT_FALSE(MoveFileTo(Dir.File("missing"), B, true));
    // No temporary file is left behind.
    int Files = 0;
    for (const auto& Entry : std::filesystem::directory_iterator(Dir.Path())) Files += Entry.is_regular_file();
    EXPECT_EQ(Files, 1);
}

// A move to another file system copies, flushes and unlinks, with the same rules.
TEST(DocumentFiles, MoveAcrossFileSystems)
{
    char Pattern[] = "/dev/shm/qxtest.XXXXXX";
    if (!std::filesystem::is_directory("/dev/shm") || !::mkdtemp(Pattern)) GTEST_SKIP() << "no /dev/shm";
    const std::string Other = Pattern;
    TempDir Dir;
    struct stat A, B;
    if (::stat(Other.c_str(), &A) != 0 || ::stat(Dir.Path().c_str(), &B) != 0 || A.st_dev == B.st_dev) {
        std::filesystem::remove_all(Other);
        GTEST_SKIP() << "one file system";
    }
    const std::string Source = Other + "/a", Dest = Dir.File("b");
    WriteBytes(Source, "aaa");
    ::chmod(Source.c_str(), 0604);
    WriteBytes(Dest, "bbb");
    EXPECT_FALSE(MoveFileTo(Source, Dest, false));
    EXPECT_EQ(ReadBytes(Source), "aaa");
    EXPECT_EQ(ReadBytes(Dest), "bbb");
    EXPECT_TRUE(MoveFileTo(Source, Dest, true));
    EXPECT_FALSE(std::filesystem::exists(Source));
    EXPECT_EQ(ReadBytes(Dest), "aaa");
    EXPECT_EQ(std::filesystem::status(Dest).permissions(), std::filesystem::perms(0604));
    std::filesystem::remove_all(Other);
}

TEST(DocumentFiles, OpenDocumentsAreFoundByTheirNormalName)
{
    const std::string Cwd = std::filesystem::current_path().string();
    EXPECT_EQ(NormalizeDocumentName("x/./y/../a.txt"), Cwd + "/x/a.txt");
    EXPECT_EQ(NormalizeDocumentName("/d//e/./f"), "/d/e/f");
    EXPECT_EQ(NormalizeDocumentName(""), "");
    const std::vector<std::string> Tabs = {"", "/d/b.txt", "/d/a.txt", "/d/./a.txt"};
    EXPECT_EQ(FindTabByFileName("/d/x/../a.txt", Tabs), 3);
    EXPECT_EQ(FindTabByFileName("/d/A.txt", Tabs), 0);  // names are case-sensitive here
    EXPECT_EQ(FindTabByFileName("", Tabs), 0);
}

} // namespace
} // namespace qx
