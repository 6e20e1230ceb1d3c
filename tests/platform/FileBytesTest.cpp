#include "platform/Exception.h"
#include "platform/FileBytes.h"
#include "platform/SystemError.h"
#include "support/Fifo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qx;
using qx::test::FifoWatchdog;
using qx::test::MakeFifo;
using qx::test::ReadBytes;
using qx::test::TempDir;
using qx::test::WriteBytes;

namespace {

bool IsLink(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool IsFifo(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// The names in a folder, sorted.
std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

void SetAge(const std::string& path, int seconds)
{
    struct timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= seconds;
    times[1] = times[0];
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

} // namespace

TEST(ReadFileBytes, ReadsRegularFilesOnlyAndNeverWaits)
{
    TempDir dir;
    WriteBytes(dir.File("plain"), "text\r\n");
    std::string bytes = "old";
    EXPECT_TRUE(ReadFileBytes(dir.File("plain"), bytes));
    EXPECT_EQ(bytes, "text\r\n");
    EXPECT_FALSE(ReadFileBytes(dir.File("missing"), bytes));
    EXPECT_FALSE(ReadFileBytes(dir.File("plain/below"), bytes));
    EXPECT_EQ(bytes, "");

    // A pipe without a writer would block the open for ever; /dev/zero never ends; a folder and
    // /dev/null are no files to read either. Each is an error, also through a link.
    MakeFifo(dir.File("pipe"));
    std::filesystem::create_directory(dir.File("folder"));
    ASSERT_EQ(::symlink("/dev/zero", dir.File("zero-link").c_str()), 0);
    ASSERT_EQ(::symlink("pipe", dir.File("pipe-link").c_str()), 0);
    for (const std::string& path : {dir.File("pipe"), dir.File("pipe-link"), dir.File("folder"),
                                   std::string("/dev/zero"), dir.File("zero-link"), std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        FifoWatchdog watchdog(dir.File("pipe"));
        bytes = "old";
        EXPECT_THROW(ReadFileBytes(path, bytes), EFOpenError);
        EXPECT_FALSE(watchdog.Stop()) << "waited on the pipe";
        EXPECT_EQ(bytes, "");
    }
}

TEST(WriteFileBytesSafely, PipesAndDevicesAreNeverReplaced)
{
    TempDir dir;
    MakeFifo(dir.File("pipe"));
    ASSERT_EQ(::symlink("pipe", dir.File("History").c_str()), 0);  // as a history switched off by a link
    std::filesystem::create_directory(dir.File("folder"));
    for (const std::string name : {"pipe", "History", "folder"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(WriteFileBytesSafely(dir.File(name), "bytes"), EInOutError);
    }
    EXPECT_TRUE(IsFifo(dir.File("pipe")));
    EXPECT_TRUE(IsLink(dir.File("History")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"History", "folder", "pipe"}));
}

TEST(WriteFileBytesSafely, ALoopOfLinksIsAnErrorAndStaysAsItWas)
{
    TempDir dir;
    ASSERT_EQ(::symlink("b", dir.File("a").c_str()), 0);
    ASSERT_EQ(::symlink("a", dir.File("b").c_str()), 0);
    ASSERT_EQ(::symlink("self", dir.File("self").c_str()), 0);
    for (const std::string name : {"a", "b", "self"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(WriteFileBytesSafely(dir.File(name), "bytes"), EInOutError);
        EXPECT_TRUE(IsLink(dir.File(name)));
    }
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"a", "b", "self"}));
    // A chain that ends is followed to its end, however long.
    WriteBytes(dir.File("end"), "old");
    std::string previous = "end";
    for (int i = 0; i < 30; ++i) {
        const std::string name = "chain" + std::to_string(i);
        ASSERT_EQ(::symlink(previous.c_str(), dir.File(name).c_str()), 0);
        previous = name;
    }
    WriteFileBytesSafely(dir.File(previous), "new");
    EXPECT_EQ(ReadBytes(dir.File("end")), "new");
    EXPECT_TRUE(IsLink(dir.File(previous)));
}

TEST(WriteFileBytesSafely, KeepsTheOwnerAndTheSetIdBits)
{
    if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another owner needs root";
    TempDir dir;
    const std::string path = dir.File("tool");
    WriteBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 12345, 23456), 0);
    ASSERT_EQ(::chmod(path.c_str(), 06750), 0);
    WriteFileBytesSafely(path, "new");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 12345u);
    EXPECT_EQ(st.st_gid, 23456u);
    EXPECT_EQ(st.st_mode & 07777, 06750u);
    EXPECT_EQ(ReadBytes(path), "new");
}

TEST(WriteFileBytesSafely, ALaterSaveRemovesWhatAKilledSaveLeftBehind)
{
    TempDir dir;
    const std::string path = dir.File("notes.txt");
    WriteBytes(path, "old");
    // A save killed half-way: the child may write only 4 KB, and the write past that kills it.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const struct rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        const struct rlimit small{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::signal(SIGXFSZ, SIG_DFL);
        try {
            WriteFileBytesSafely(path, std::string(1 << 20, 'x'));
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the save was not killed";
    std::vector<std::string> names = Names(dir.Path());
    ASSERT_EQ(names.size(), 2u) << "a killed save leaves its temporary file";
    const std::string leftover = names[0];
    ASSERT_NE(leftover, "notes.txt");
    EXPECT_EQ(ReadBytes(path), "old");

    // Beside it: a fresh temporary file of the same name (a save may be under way), one that a running
    // save holds locked, one of another file, and names that only look alike.
    auto prefix = [](const std::string& name) { return "." + name + ".qxsave-"; };
    const std::string young = prefix("notes.txt") + "00000000000000aa.tmp";
    const std::string locked = prefix("notes.txt") + "00000000000000bb.tmp";
    const std::string other = prefix("other.txt") + "00000000000000cc.tmp";
    const std::string unlike1 = prefix("notes.txt") + "00000000000000dd.tmp.bak";
    const std::string unlike2 = prefix("notes.txt") + "0000000000000XYZ.tmp";
    for (const std::string& name : {young, locked, other, unlike1, unlike2}) WriteBytes(dir.File(name), "x");
    for (const std::string& name : {leftover, locked, other, unlike1, unlike2}) SetAge(dir.File(name), 3600);
    const int lockFd = ::open(dir.File(locked).c_str(), O_RDONLY);
    ASSERT_GE(lockFd, 0);
    ASSERT_EQ(::flock(lockFd, LOCK_EX), 0);

    WriteFileBytesSafely(path, "new");
    ::close(lockFd);
    EXPECT_EQ(ReadBytes(path), "new");
    std::vector<std::string> expected{"notes.txt", young, locked, other, unlike1, unlike2};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(dir.Path()), expected);
}

namespace {

// A folder that refuses new files to this user, and a file this user may or may not write, as a user
// who is not root meets them (the tests run as root, whom no permission refuses).
struct RefusingFolder : TSaveFileSystem {
    bool FileWritable = true;
    std::string Copies;
    int CreateTemp(const std::string&, std::string&) override
    {
        errno = EACCES;
        return -1;
    }
    bool MayWrite(const std::string&) override
    {
        errno = EACCES;
        return FileWritable;
    }
    std::string CopyFolder() override { return Copies; }
};

} // namespace

TEST(WriteFileBytesSafely, AFolderThatRefusesTheTemporaryFileGetsTheFileWrittenInPlace)
{
    TempDir dir, copies;
    RefusingFolder folder;
    folder.Copies = copies.Path();
    const std::string file = dir.File("a.txt");
    WriteBytes(file, "the old text, longer than the new");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    struct stat before;
    ASSERT_EQ(::stat(file.c_str(), &before), 0);

    WriteFileBytesSafely(file, "new text", folder);
    EXPECT_EQ(ReadBytes(file), "new text");
    struct stat after;
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "written in place";
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_TRUE(Names(copies.Path()).empty()) << "the old text's copy goes once the new one is checked";
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"a.txt"});

    // No place for the copy: nothing is written, and the message says which folder refuses.
    folder.Copies = dir.File("no such folder");
    try {
        WriteFileBytesSafely(file, "newer", folder);
        ADD_FAILURE();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "フォルダ「" + folder.Copies + "」にファイルを作成できません。ファイルまたはフォルダが見つかりません。");
    }
    EXPECT_EQ(ReadBytes(file), "new text");

    // A new file, or one this user may not write: the folder (or the file) is named, in Japanese.
    struct Case {
        std::string Path;
        bool Exists, Writable;
        std::string Message;
    };
    const Case cases[] = {
        {dir.File("new.txt"), false, true, "フォルダ「" + dir.Path() + "」にファイルを作成できません。アクセスが拒否されました。"},
        {file, true, false, "ファイル「" + file + "」に書き込めません。アクセスが拒否されました。"},
    };
    for (const Case& c : cases) {
        folder.FileWritable = c.Writable;
        try {
            WriteFileBytesSafely(c.Path, "x", folder);
            ADD_FAILURE() << c.Path;
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
    }
    EXPECT_EQ(ReadBytes(file), "new text");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"a.txt"});
}

// The in-place write takes the bytes in pieces, as a save streams them: the file is read back and
// compared with the pieces handed over a second time. Whatever fails (the source's own exception, bytes
// that do not read back as handed over) leaves the old text in the file and no copy behind.
TEST(WriteFileBytesSafely, AnInPlaceWriteStreamsItsPiecesChecksThemAndPutsTheOldTextBackOnFailure)
{
    TempDir dir, copies;
    RefusingFolder folder;
    folder.Copies = copies.Path();
    const std::string file = dir.File("a.txt");
    const std::string old(100000, 'o'), large(70000, 'n');  // each more than one buffer of the read back
    WriteBytes(file, old);
    WriteFileBytesSafely(file, [&](const TBytePut& Put) {
        Put("head ");
        Put(large);
        Put(" tail");
    }, folder);
    EXPECT_EQ(ReadBytes(file), "head " + large + " tail");

    WriteBytes(file, old);
    int passes = 0;
    struct Case {
        const char* Name;
        TBytePieces Bytes;
        std::string Message;
    };
    const Case cases[] = {
        {"the source fails half way", [](const TBytePut& Put) { Put("half"); throw EInOutError("source"); }, "source"},
        {"the second pass hands over other bytes",
         [&](const TBytePut& Put) { Put(++passes == 1 ? "new" : "other"); },
         "ファイル「" + file + "」に書き込めません。" + SystemErrorText(EIO)},
    };
    for (const Case& c : cases) {
        try {
            WriteFileBytesSafely(file, c.Bytes, folder);
            ADD_FAILURE() << c.Name;
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Message(), c.Message) << c.Name;
        }
        EXPECT_EQ(ReadBytes(file), old) << c.Name;
        EXPECT_TRUE(Names(copies.Path()).empty()) << c.Name;
    }
}

namespace {

// A disk that is full: the temporary file takes no byte (/dev/full answers every write with ENOSPC).
struct FullDisk : TSaveFileSystem {
    int CreateTemp(const std::string& Target, std::string& Temp) override
    {
        Temp = Target + ".never";
        return ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    }
};

} // namespace

// Once the outcome is known (a write failed, the read back differs) the source is stopped: a large
// text is not encoded to the end for nothing. The message stays the one of the failure.
TEST(WriteFileBytesSafely, AFailureStopsTheSourceAtOnce)
{
    if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    TempDir dir, copies;
    const std::string file = dir.File("a.txt");
    WriteBytes(file, "old");
    int pieces = 0;
    auto many = [&](const TBytePut& Put) {
        for (int i = 0; i < 100; ++i) {
            ++pieces;
            Put(std::string(100, 'n'));
        }
    };
    FullDisk full;
    try {
        WriteFileBytesSafely(file, many, full);
        ADD_FAILURE();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "ファイル「" + file + "」に書き込めません。" + SystemErrorText(ENOSPC));
    }
    EXPECT_EQ(pieces, 1) << "a failed write";
    EXPECT_EQ(ReadBytes(file), "old");

    // In place: the second pass differs in its first piece.
    RefusingFolder folder;
    folder.Copies = copies.Path();
    int pass = 0;
    pieces = 0;
    try {
        WriteFileBytesSafely(file, [&](const TBytePut& Put) {
            const char c = ++pass == 1 ? 'n' : 'x';
            for (int i = 0; i < 100; ++i) {
                if (pass == 2) ++pieces;
                Put(std::string(100, c));
            }
        }, folder);
        ADD_FAILURE();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "ファイル「" + file + "」に書き込めません。" + SystemErrorText(EIO));
    }
    EXPECT_EQ(pieces, 1) << "a read back that differs";
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_TRUE(Names(copies.Path()).empty());
}
