#include "documents/DocumentCodes.h"
#include "documents/EditorEnvironment.h"
#include "documents/EditorFiles.h"
#include "documents/MessageTexts.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "support/ScriptedPrompter.h"
#include "SettingsFolderTest.h"

#include <gtest/gtest.h>

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <utime.h>

namespace qx {
namespace {

using test::ReadBytes;
using test::WriteBytes;

std::time_t MTime(const std::string& Name)
{
    struct stat St;
    return ::stat(Name.c_str(), &St) == 0 ? St.st_mtime : 0;
}

// A document editor that keeps its state in fields and records its lock.
struct FakeDocument : TDocumentEditor {
    std::string Name, Text = "old text";
    int CharType = sfctEUC, RtrnType = sfrtCR;
    bool IsModified = true, OpenRO = false, RO = false, Lock = false, Stamp = false, Mark = false;
    int OpenMode = -1, Environment = -1;
    std::string LockedFile;  // "" while no lock is held
    std::time_t StoredStamp = 0;
    std::string StampedFile;

    std::string FileName() const override { return Name; }
    void LoadText(std::string T) override { Text = std::move(T); }
    void SaveText(const TBytePut& Put) const override { Put(Text); }
    int SaveFileCharType() const override { return CharType; }
    void SetSaveFileCharType(int V) override { CharType = V; }
    int SaveFileRtrnType() const override { return RtrnType; }
    void SetSaveFileRtrnType(int V) override { RtrnType = V; }
    bool Utf8Mark() const override { return Mark; }
    void SetUtf8Mark(bool V) override { Mark = V; }
    bool Modified() const override { return IsModified; }
    void SetModified(bool V) override { IsModified = V; }
    void SetReadOnlyState(bool O, bool R) override { OpenRO = O, RO = R; }
    void SetFileOpenMode(int M) override { OpenMode = M; }
    void SetEnvironmentNumber(int N) override { Environment = N; }
    bool LockFile() const override { return Lock; }
    void OpenLockFile(const std::string& F) override
    {
        if (LockedFile.empty()) LockedFile = F;
    }
    void CloseLockFile() override { LockedFile.clear(); }
    bool CheckTStamp() const override { return Stamp; }
    void StoreFileTStamp(const std::string& F) override
    {
        StoredStamp = MTime(F);
        StampedFile = F;
    }
    bool SameFileTStamp(const std::string& F) const override
    {
        return F != StampedFile || MTime(F) == 0 || MTime(F) == StoredStamp;
    }
    std::time_t FileTStamp() const override { return StoredStamp; }
};

class EditorFilesTest : public test::SettingsFolderTest {
protected:
    EditorFilesTest()
    {
        Host.Prompter = &Prompter;
        Host.ApplyEnvironment = [this](int N, const std::string&, const TEditorEnvironment* Environment) {
            Applied.push_back(N);
            Given.push_back(Environment ? std::optional<TEditorEnvironment>(*Environment) : std::nullopt);
        };
        Host.SetEditMode = [this](bool E) { EditMode = E; };
        Host.Beep = [this] { ++Beeps; };
        Host.AfterReload = [this] { ++Reloads; };
    }

    test::ScriptedMessagePrompter Prompter;
    TDocumentHost Host;
    FakeDocument Doc;
    std::vector<int> Applied;
    std::vector<std::optional<TEditorEnvironment>> Given;  // the settings handed on with each
    int EditMode = -1, Beeps = 0, Reloads = 0;
};

TEST_F(EditorFilesTest, AFailedOrDeclinedLoadKeepsTheDocument)
{
    WriteBytes(File("sjis.txt"), Utf8ToCp932("あ"));
    WriteBytes(File("undecided.txt"), "\xA4\xA2\xA4\xA4");
    const FakeDocument Before = Doc;
    auto Unchanged = [&] {
        EXPECT_EQ(Doc.Text, Before.Text);
        EXPECT_EQ(Doc.CharType, Before.CharType);
        EXPECT_EQ(Doc.IsModified, Before.IsModified);
        EXPECT_EQ(Doc.Environment, -1);
        EXPECT_TRUE(Applied.empty());
        EXPECT_EQ(EditMode, -1);
    };
    EXPECT_EQ(LoadFileToEditor(Doc, Host, State, File("sjis.txt"), ocUtf8, 0), TLoadStatus::NotInCode);
    Unchanged();
    Prompter.Answers = {mr::Cancel};
    EXPECT_EQ(LoadFileToEditor(Doc, Host, State, File("undecided.txt"), ocAuto, 0), TLoadStatus::Cancelled);
    Unchanged();
    EXPECT_EQ(LoadFileToEditor(Doc, Host, State, Dir.Path(), ocAuto, 0), TLoadStatus::ReadError);
    Unchanged();
    EXPECT_EQ(LoadFileToEditor(Doc, Host, State, File("sjis.txt"), 9, 0), TLoadStatus::BadChoice);
    Unchanged();
    EXPECT_EQ(Prompter.Requests.size(), 4u);  // each said why, the question included
}

TEST_F(EditorFilesTest, ALoadSetsTextCodeEnvironmentAndLockOrReadOnly)
{
    TEditorEnvironment Env;
    Env.EnvironmentName = "Log";
    Env.FileExt = {"*.log"};
    ASSERT_TRUE(SaveEnvironmentFile(Env, EnvironmentFileName(State, 2)));
    BindEnvironmentFileExts(State);
    WriteBytes(File("a.log"), "one\ntwo");
    Doc.Lock = true;
    EXPECT_EQ(LoadFileToEditor(Doc, Host, State, File("a.log"), ocAuto, 0), TLoadStatus::Loaded);
    EXPECT_EQ(Doc.Text, "one\ntwo");
    EXPECT_EQ(Doc.CharType, sfctSJIS);
    EXPECT_EQ(Doc.RtrnType, sfrtLF);
    EXPECT_FALSE(Doc.IsModified);
    EXPECT_EQ(Applied, (std::vector<int>{2}));
    // The settings read to lay the text out are the ones applied: the file is read once.
    ASSERT_EQ(Given.size(), 1u);
    ASSERT_TRUE(Given[0].has_value());
    EXPECT_EQ(Given[0]->EnvironmentName, "Log");
    EXPECT_EQ(Doc.Environment, 2);
    EXPECT_EQ(Doc.OpenMode, 0);
    EXPECT_FALSE(Doc.RO);
    EXPECT_EQ(EditMode, 1);
    EXPECT_EQ(Doc.LockedFile, File("a.log"));

    // Held by another program, or without any write permission: read-only and no lock.
    for (int Case = 0; Case < 2; ++Case) {
        FakeDocument Other;
        Other.Lock = true;
        WriteBytes(File("b.txt"), "b");
        ::chmod(File("b.txt").c_str(), Case == 0 ? 0644 : 0444);
        EXPECT_EQ(LoadFileToEditor(Other, Host, State, File("b.txt"), ocAuto, Case == 0 ? 64 : 0), TLoadStatus::Loaded);
        EXPECT_TRUE(Other.OpenRO);
        EXPECT_TRUE(Other.RO);
        EXPECT_EQ(EditMode, 0);
        EXPECT_EQ(Other.LockedFile, "");
        EXPECT_EQ(Applied.back(), 0);
    }
}

TEST_F(EditorFilesTest, AFailedSaveKeepsTheFileTheCodeAndModified)
{
    Doc.Name = File("a.txt");
    WriteBytes(Doc.Name, "on disk");
    Doc.Lock = true;
    Doc.OpenLockFile(Doc.Name);
    Host.Writer = [](const std::string&, const TBytePieces&) { throw EInOutError("Read-only file system"); };
    EXPECT_FALSE(SaveEditorFile(Doc, Host, State, Doc.Name, ocUtf8, lcCRLF));
    EXPECT_EQ(ReadBytes(Doc.Name), "on disk");
    EXPECT_TRUE(Doc.IsModified);
    EXPECT_EQ(Doc.CharType, sfctEUC);
    EXPECT_EQ(Doc.RtrnType, sfrtCR);
    EXPECT_EQ(Doc.LockedFile, Doc.Name);
    ASSERT_EQ(Prompter.Requests.size(), 1u);
    EXPECT_NE(Prompter.Requests[0].Text.find("Read-only file system"), std::string::npos);

    // Saved as another file: written, the new code kept, the lock moved to the new file.
    Host.Writer = SafeFileWriter();
    Doc.Text = "a\nb";
    EXPECT_TRUE(SaveEditorFile(Doc, Host, State, File("b.txt"), ocUtf16LE, lcLF));
    EXPECT_EQ(ReadBytes(File("b.txt")), std::string("\xFF\xFE" "a\0\n\0b\0", 8));
    EXPECT_FALSE(Doc.IsModified);
    EXPECT_EQ(Doc.CharType, sfctUnicode);
    EXPECT_EQ(Doc.RtrnType, sfrtLF);
    EXPECT_EQ(Doc.LockedFile, File("b.txt"));
}

TEST_F(EditorFilesTest, AnOutsideChangeIsNeverOverwrittenUnasked)
{
    Doc.Name = File("a.txt");
    Doc.Stamp = true;
    Doc.CharType = sfctSJIS;
    Doc.Text = "mine";
    WriteBytes(Doc.Name, "theirs");
    Doc.StampedFile = Doc.Name;
    Doc.StoredStamp = MTime(Doc.Name) - 100;  // the file changed since it was loaded

    // Reload chosen, then the reload declined: nothing is written.
    Prompter.Answers = {mr::Yes, mr::No};
    EXPECT_EQ(CheckFileTimeStamp(Doc, Host, State), tsCancel);
    Prompter.Answers = {mr::Yes, mr::No};
    EXPECT_FALSE(SaveEditorFile(Doc, Host, State, Doc.Name, 1, 1));
    EXPECT_EQ(ReadBytes(Doc.Name), "theirs");
    Prompter.Answers = {mr::Cancel};
    EXPECT_FALSE(SaveEditorFile(Doc, Host, State, Doc.Name, 1, 1));
    EXPECT_EQ(ReadBytes(Doc.Name), "theirs");
    EXPECT_EQ(Doc.Text, "mine");

    // Reload chosen and done: the file's text, reloaded.
    Prompter.Answers = {mr::Yes, mr::Yes};
    EXPECT_EQ(CheckFileTimeStamp(Doc, Host, State), tsReloaded);
    EXPECT_EQ(Doc.Text, "theirs");
    EXPECT_FALSE(Doc.IsModified);
    EXPECT_EQ(Reloads, 1);
    EXPECT_EQ(Doc.StoredStamp, MTime(Doc.Name));
    EXPECT_EQ(CheckFileTimeStamp(Doc, Host, State), tsNothing);

    // The new date accepted: the save goes ahead.
    Doc.Text = "mine";
    Doc.StoredStamp -= 100;
    Prompter.Answers = {mr::No};
    EXPECT_TRUE(SaveEditorFile(Doc, Host, State, Doc.Name, 1, 1));
    EXPECT_EQ(ReadBytes(Doc.Name), "mine");
    EXPECT_EQ(Beeps, 8);  // one for each question of the time stamp and of the reload
}

// Another program rewrites the file: its modification time moves on by ten seconds.
void RewriteLater(const std::string& Name, const std::string& Bytes)
{
    const std::time_t Before = MTime(Name);
    WriteBytes(Name, Bytes);
    const struct timespec Times[2] = {{Before + 10, 0}, {Before + 10, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, Name.c_str(), Times, 0), 0);
}

TEST_F(EditorFilesTest, ASaveOverAFileChangedSinceItWasReadAlwaysAsks)
{
    // Neither the time-stamp option nor the lock (which keeps out other editors only) lets a save
    // overwrite what another program wrote.
    for (const bool Locked : {false, true}) {
        Doc = FakeDocument{};
        Doc.Lock = Locked;
        Doc.Name = File("a.txt");
        WriteBytes(Doc.Name, "read");
        ASSERT_EQ(LoadFileToEditor(Doc, Host, State, Doc.Name, ocAuto, 0), TLoadStatus::Loaded);
        RewriteLater(Doc.Name, "theirs");
        Doc.Text = "mine";
        Prompter.Requests.clear();
        Prompter.Answers = {mr::Cancel};
        EXPECT_FALSE(SaveEditorFile(Doc, Host, State, Doc.Name, 1, 1));
        EXPECT_EQ(ReadBytes(Doc.Name), "theirs");
        ASSERT_EQ(Prompter.Requests.size(), 1u);
        EXPECT_NE(Prompter.Requests[0].Text.find("他のアプリケーションによって書き換えられています"), std::string::npos);
        // Overwriting chosen: written, and the next save asks nothing.
        Prompter.Answers = {mr::No};
        EXPECT_TRUE(SaveEditorFile(Doc, Host, State, Doc.Name, 1, 1));
        EXPECT_EQ(ReadBytes(Doc.Name), "mine");
        EXPECT_TRUE(SaveEditorFile(Doc, Host, State, Doc.Name, 1, 1));
        EXPECT_EQ(Prompter.Requests.size(), 2u);
        // The option still governs the check on a tab change and an activation.
        RewriteLater(Doc.Name, "theirs again");
        EXPECT_EQ(CheckFileTimeStamp(Doc, Host, State), tsNothing);
        // Saved as another (existing) file: that file's date was never read, nothing to ask.
        WriteBytes(File("b.txt"), "other");
        EXPECT_TRUE(SaveEditorFile(Doc, Host, State, File("b.txt"), 1, 1));
        EXPECT_EQ(ReadBytes(File("b.txt")), "mine");
        EXPECT_EQ(Prompter.Requests.size(), 2u);
    }
}

TEST_F(EditorFilesTest, AUtf8FileKeepsTheMarkItWasReadWith)
{
    const std::string Marked = "\xEF\xBB\xBF" "\xE3\x81\x82\n";  // あ
    struct Case {
        std::string Bytes;
        int CodeChoice;
        std::string Saved;
    };
    const Case Cases[] = {
        {Marked, 1, Marked},                                     // untouched: byte for byte
        {"\xE3\x81\x82\n", 1, "\xE3\x81\x82\n"},           // none read, none written
        {Marked, ocSjis, "\x82\xA0\n"},                         // another code has no mark
        {"\x82\xA0\n", ocUtf8, "\xE3\x81\x82\n"},           // UTF-8 from another code gets none
    };
    for (const Case& C : Cases) {
        Doc = FakeDocument{};
        Doc.Name = File("m.txt");
        WriteBytes(Doc.Name, C.Bytes);
        ASSERT_EQ(LoadFileToEditor(Doc, Host, State, Doc.Name, ocAuto, 0), TLoadStatus::Loaded);
        EXPECT_TRUE(SaveEditorFile(Doc, Host, State, Doc.Name, C.CodeChoice, lcKeep));
        EXPECT_EQ(ReadBytes(Doc.Name), C.Saved);
    }
    // Saved in another code, the document has no mark left to keep.
    WriteBytes(Doc.Name, Marked);
    ASSERT_EQ(LoadFileToEditor(Doc, Host, State, Doc.Name, ocAuto, 0), TLoadStatus::Loaded);
    EXPECT_TRUE(SaveEditorFile(Doc, Host, State, Doc.Name, ocSjis, lcKeep));
    EXPECT_TRUE(SaveEditorFile(Doc, Host, State, Doc.Name, ocUtf8, lcKeep));
    EXPECT_EQ(ReadBytes(Doc.Name), "\xE3\x81\x82\n");
}

TEST_F(EditorFilesTest, ReloadInAnotherCode)
{
    Doc.Name = File("a.txt");
    Doc.Lock = true;
    WriteBytes(Doc.Name, "\xA4\xA2");  // あ in EUC
    Doc.OpenLockFile(Doc.Name);
    Prompter.Answers = {mr::Yes};
    EXPECT_TRUE(ReloadWithCharCode(Doc, Host, State, sfctEUC));
    EXPECT_EQ(Doc.Text, Utf8ToCp932("あ"));
    EXPECT_EQ(Doc.CharType, sfctEUC);
    EXPECT_EQ(Doc.LockedFile, Doc.Name);
    EXPECT_EQ(Prompter.Requests[0].Text.find(Doc.Name + "\nの編集内容は破棄されます。"), 0u);

    // The file is gone: said so, the document and its lock as they were.
    std::remove(Doc.Name.c_str());
    Prompter.Answers = {mr::Yes, mr::Yes};
    EXPECT_FALSE(ReloadWithCharCode(Doc, Host, State, sfctSJIS));
    EXPECT_EQ(Prompter.Requests.back().Text, MsgFileCannotOpen(Doc.Name));
    EXPECT_EQ(Doc.CharType, sfctEUC);
    EXPECT_EQ(Doc.LockedFile, Doc.Name);

    // Not a named document, or the question declined: nothing happens.
    Host.IsNamedDocument = [] { return false; };
    EXPECT_FALSE(ReloadWithCharCode(Doc, Host, State, sfctSJIS));
    Host.IsNamedDocument = nullptr;
    Prompter.Answers = {mr::No};
    EXPECT_FALSE(ReloadWithCharCode(Doc, Host, State, sfctSJIS));
    EXPECT_EQ(Reloads, 1);
}

} // namespace
} // namespace qx
