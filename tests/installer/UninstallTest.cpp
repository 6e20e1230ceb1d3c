#include "SetupFixture.h"

using namespace qx;
using namespace qx::test;

namespace {

const char* const kUninstallKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QxEditor";

} // namespace

class UninstallTest : public SetupTest {
protected:
    // Installs the tool (with the desktop shortcut) and makes the uninstall worker for it.
    void SetUp() override
    {
        MakeDist(kToolInf, kToolFiles);
        ASSERT_TRUE(setup.Load(dist / "setup"));
        ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
        setup.DesktopShortcut = true;
        InstallAll(setup);
        ASSERT_FALSE(setup.HadError());
        TKeyStore store(home.Folders.KeyStore.string());
        store.WriteString("HKEY_CURRENT_USER\\Software\\QxEditor\\Settings", "x", "1");
        store.WriteString("HKEY_CURRENT_USER\\Software\\Other", "y", "2");
        store.UpdateFile();
        prompter.Requests.clear();
        Prepare(worker);
    }

    bool StartWorker() { return worker.Load(install / "setup") && worker.BeginUninstall(); }

    // Another installation's worker, removing it with every file question answered "すべて削除".
    bool RemoveInstallation(const fs::path& setupPath)
    {
        TSetup other(home.Folders, prompter, launcher);
        Prepare(other);
        if (!other.Load(setupPath) || !other.BeginUninstall()) return false;
        prompter.Answers = {mr::All};
        return other.Remove();
    }

    const fs::path install = home.Home / ".local/share/QxEditor";
    TSetup worker{home.Folders, prompter, launcher};
};

TEST_F(UninstallTest, RemovesFilesKeysRecordAndShortcuts)
{
    PutFile(install / "HELP.GID", "index");  // deleted without a question
    PutFile(install / "data/user.txt", "user data");
    PutFile(install / "notes.txt", "notes");
    ASSERT_TRUE(StartWorker());
    EXPECT_EQ(worker.InstallFolder(), install);
    prompter.Answers = {mr::Yes, mr::Yes};
    EXPECT_TRUE(worker.Remove());

    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{
                                    (install / "data/user.txt").string() + " - このファイルを削除してもいいですか？",
                                    (install / "notes.txt").string() + " - このファイルを削除してもいいですか？"}));
    EXPECT_EQ(prompter.Requests[0].Caption, "削除の確認");
    EXPECT_EQ(prompter.Requests[0].Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbAll, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}));
    EXPECT_EQ(prompter.Requests[0].AllCaption, "すべて削除(&A)");
    EXPECT_FALSE(fs::exists(install));
    EXPECT_FALSE(fs::exists(home.Home / ".config/qxtool.ini"));
    EXPECT_EQ(FileText(home.Home / ".local/lib/libqx.so"), "library");  // System-folder entries stay
    EXPECT_FALSE(fs::exists(home.Home / ".local/share/applications/Qxエディタ.desktop"));
    EXPECT_FALSE(fs::exists(home.Home / "Desktop/Qxエディタ.desktop"));
    EXPECT_EQ(KeyValue(kUninstallKey, "UninstallString"), "");
    EXPECT_EQ(KeyValue("HKEY_CURRENT_USER\\Software\\QxEditor\\Settings", "x"), "");
    EXPECT_EQ(KeyValue("HKEY_CURRENT_USER\\Software\\Other", "y"), "2");
    EXPECT_EQ(FileText(dist / "QxEditor"), "editor program");  // the distribution is untouched
    EXPECT_EQ(worker.RemovalText(true), "Qxエディタ は正常に削除されました。");
}

TEST_F(UninstallTest, DeleteAllNoAndCancelAnswers)
{
    PutFile(install / "a.txt", "a");
    PutFile(install / "b/b.txt", "b");
    PutFile(install / "c.txt", "c");
    ASSERT_TRUE(StartWorker());
    prompter.Answers = {mr::No, mr::All};  // a.txt kept, then all without asking
    EXPECT_FALSE(worker.Remove());
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{
                                    (install / "a.txt").string() + " - このファイルを削除してもいいですか？",
                                    (install / "b/b.txt").string() + " - このファイルを削除してもいいですか？",
                                    install.string() + " - ディレクトリの削除に失敗しました"}));
    EXPECT_EQ(FileText(install / "a.txt"), "a");
    EXPECT_FALSE(fs::exists(install / "b"));
    EXPECT_FALSE(fs::exists(install / "c.txt"));
    // The record and the shortcuts go even when files stay.
    EXPECT_EQ(KeyValue(kUninstallKey, "UninstallString"), "");
    EXPECT_FALSE(fs::exists(home.Home / "Desktop/Qxエディタ.desktop"));
    EXPECT_EQ(worker.RemovalText(false), install.string() + "/\nにはまだファイルが残っています。後で削除してください。");

    prompter.Requests.clear();
    PutFile(install / "d.txt", "d");
    prompter.Answers = {mr::Cancel};
    EXPECT_FALSE(worker.Remove());
    EXPECT_EQ(prompter.Texts().size(), 1u);  // cancel stops the tree without further questions
    EXPECT_EQ(FileText(install / "d.txt"), "d");
}

TEST_F(UninstallTest, LinksAreRemovedAsLinksAndNeverFollowed)
{
    const fs::path outside = home.Home / "outside";
    PutFile(outside / "keep.txt", "keep");
    PutFile(outside / "doc/readme.txt", "someone else's read me");
    fs::create_directory_symlink(outside, install / "linked-folder");
    fs::create_symlink(outside / "keep.txt", install / "linked-file");
    // Entry 2 is doc/readme.txt: make its folder a link to the outside folder.
    fs::remove_all(install / "doc");
    fs::create_directory_symlink(outside / "doc", install / "doc");

    ASSERT_TRUE(StartWorker());
    prompter.Answers = {mr::All};
    EXPECT_FALSE(worker.Remove());
    EXPECT_EQ(prompter.Texts()[0], (install / "doc/readme.txt").string() +
                                       "の削除に失敗しました。このファイルをスキップして処理を続行します。");
    EXPECT_EQ(FileText(outside / "keep.txt"), "keep");
    EXPECT_EQ(FileText(outside / "doc/readme.txt"), "someone else's read me");
    EXPECT_FALSE(fs::exists(install));  // the links themselves are gone
}

TEST_F(UninstallTest, AnEmptyKeyPathDeletesNothing)
{
    PutFile(dist / "SETUP.INF",
            InfBytes(std::string(kToolInf) + "2=HKEY_CURRENT_USER\\\n3=HKEY_CURRENT_USER\n4=HKEY_CURRENT_USER\\Software\\Other\n"));
    fs::copy_file(dist / "SETUP.INF", install / "SETUP.INF", fs::copy_options::overwrite_existing);
    ASSERT_TRUE(StartWorker());
    ASSERT_EQ(worker.Info().Regs.size(), 4u);
    EXPECT_TRUE(worker.Remove());
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"Regセクションがおかしいです。", "Regセクションがおかしいです。"}));
    EXPECT_EQ(KeyValue("HKEY_CURRENT_USER\\Software\\Other", "y"), "");
}

TEST_F(UninstallTest, MainProgramThatCannotBeDeletedStopsTheRemoval)
{
    fs::remove(install / "QxEditor");
    PutFile(install / "QxEditor/busy", "a folder where the program was");
    ASSERT_TRUE(StartWorker());
    EXPECT_FALSE(worker.Remove());
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{(install / "QxEditor").string() +
                                                         " の削除に失敗しました。Qxエディタを終了して、もう一度アンインストールをやり直してください。"});
    EXPECT_TRUE(fs::exists(install / "setup"));  // entries before 1 in the order N .. -1 are not reached
    EXPECT_NE(KeyValue(kUninstallKey, "UninstallString"), "");
}

TEST_F(UninstallTest, NeverUninstallsTheHomeOrTheRoot)
{
    // Setup placed straight into the home folder: its "install folder" would be the home folder.
    MakeDist(kToolInf, kToolFiles, home.Home);
    PutFile(home.Home / "precious.txt", "mine");
    TSetup inHome(home.Folders, prompter, launcher);
    Prepare(inHome);
    ASSERT_TRUE(inHome.Load(home.Home / "setup"));
    EXPECT_FALSE(inHome.BeginUninstall());
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{home.Home.string() + " - このフォルダは削除できません。"});
    EXPECT_EQ(FileText(home.Home / "precious.txt"), "mine");

    // The tree deletion refuses them on its own as well.
    prompter.Requests.clear();
    EXPECT_FALSE(worker.Files().DeleteFolderTree("/"));
    EXPECT_FALSE(worker.Files().DeleteFolderTree(home.Home / "."));
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"/ - このフォルダは削除できません。",
                                                           home.Home.string() + " - このフォルダは削除できません。"}));
}

TEST_F(UninstallTest, RemoveRequestStartsACopyOfSetupAsTheWorker)
{
    TSetup request(home.Folders, prompter, launcher);
    Prepare(request);
    ASSERT_TRUE(request.Load(install / "setup"));
    prompter.Answers = {mr::Cancel, mr::Ok};
    EXPECT_FALSE(request.RequestRemoval());
    EXPECT_TRUE(launcher.Calls.empty());
    EXPECT_TRUE(request.RequestRemoval());
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"Qxエディタを削除します。", "Qxエディタを削除します。"}));
    EXPECT_EQ(prompter.Requests[0].Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}));
    EXPECT_EQ(prompter.Requests[0].Caption, "Qxエディタ");

    ASSERT_EQ(launcher.Calls.size(), 1u);
    const RecordingLauncher::Call& call = launcher.Calls[0];
    const fs::path copy = call.Target;
    EXPECT_EQ(copy.filename(), "setup");
    EXPECT_EQ(copy.parent_path(), call.Folder);
    EXPECT_EQ(call.Folder.parent_path(), home.Home / "tmp");
    EXPECT_EQ(call.Arguments, (std::vector<std::string>{"x", (install / "setup").string()}));
    EXPECT_EQ(FileText(copy), "#!/bin/sh\nexit 0\n");
    EXPECT_EQ(ParseSetupCommand(call.Arguments).Path, install / "setup");

    // The worker deletes its own copy and the folder made for it at the end.
    worker.DeleteRunningCopy(copy);
    EXPECT_FALSE(fs::exists(call.Folder));
    // A program that is not such a copy is left alone.
    worker.DeleteRunningCopy(install / "setup");
    EXPECT_TRUE(fs::exists(install / "setup"));
}

TEST_F(UninstallTest, RemoveRequestReportsAWorkerThatCannotStart)
{
    TSetup request(home.Folders, prompter, launcher);
    Prepare(request);
    ASSERT_TRUE(request.Load(install / "setup"));
    launcher.Result = false;
    prompter.Answers = {mr::Ok};
    EXPECT_FALSE(request.RequestRemoval());
    EXPECT_EQ(prompter.Texts().back(), "アンインストール用プログラムの起動に失敗しました。手動で削除してください。");
    EXPECT_TRUE(fs::is_empty(home.Home / "tmp"));  // the copy and its folder are gone again
}

TEST_F(UninstallTest, ResidentProgramRemoveRequestAsksToEndItFirst)
{
    PutFile(install / "SETUP.INF", InfBytes("[Install]\nTitle=Res\nFolder=Res\nTSR=1\n"));
    TSetup request(home.Folders, prompter, launcher);
    Prepare(request);
    ASSERT_TRUE(request.Load(install / "setup"));
    TKeyStore store(home.Folders.KeyStore.string());  // installed here as "Res"
    store.WriteString(request.UninstallKey(), "UninstallString", TSetup::UninstallString(install / "setup"));
    store.UpdateFile();
    prompter.Answers = {mr::Cancel};
    EXPECT_FALSE(request.RequestRemoval());
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{
                                    "Resを削除します。まだ常駐している場合は、今すぐ終了させてからOKボタンを押してください。"});
}

TEST_F(UninstallTest, OnlyTheFolderTheRecordNamesIsEverRemoved)
{
    // Setup in a folder that was never installed ("setup r" run from a download folder): neither the
    // request nor the worker touches it.
    const fs::path downloads = home.Home / "Downloads/tool";
    MakeDist(kToolInf, kToolFiles, downloads);
    PutFile(downloads / "mine.txt", "mine");
    const std::string refusal = downloads.string() + " にはQxエディタがインストールされていません。";
    TSetup request(home.Folders, prompter, launcher);
    Prepare(request);
    ASSERT_TRUE(request.Load(downloads / "setup"));
    EXPECT_FALSE(request.RequestRemoval());
    EXPECT_TRUE(launcher.Calls.empty());
    TSetup stray(home.Folders, prompter, launcher);
    Prepare(stray);
    ASSERT_TRUE(stray.Load(downloads / "setup"));
    EXPECT_FALSE(stray.BeginUninstall());
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{refusal, refusal}));
    EXPECT_EQ(FileText(downloads / "mine.txt"), "mine");

    // Without any record (the store gone), the installed folder is not removed either.
    fs::remove(home.Folders.KeyStore);
    prompter.Requests.clear();
    EXPECT_FALSE(StartWorker());
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{install.string() + " にはQxエディタがインストールされていません。"});
    EXPECT_TRUE(fs::exists(install / "QxEditor"));
}

TEST_F(UninstallTest, ShortcutsThatTheInstallDidNotWriteStay)
{
    // The install made the menu and desktop entries; an autostart entry of the same name is the user's
    // own, and so is a second file beside the entries of a menu folder.
    PutFile(home.Folders.Startup / "Qxエディタ.desktop", "the user's own");
    ASSERT_TRUE(StartWorker());
    prompter.Answers = {mr::All};
    EXPECT_TRUE(worker.Remove());
    EXPECT_FALSE(fs::exists(home.Folders.Menu / "Qxエディタ.desktop"));
    EXPECT_FALSE(fs::exists(home.Folders.Desktop / "Qxエディタ.desktop"));
    EXPECT_EQ(FileText(home.Folders.Startup / "Qxエディタ.desktop"), "the user's own");

    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n[Group]\n1=A,tool\n2=B,tool\n", {{"tool", "t"}});
    TSetup grouped(home.Folders, prompter, launcher);
    Prepare(grouped);
    ASSERT_TRUE(grouped.Load(dist / "setup"));
    ASSERT_TRUE(grouped.AcceptInstallFolder(grouped.InstallFolderText()));
    InstallAll(grouped);
    ASSERT_FALSE(grouped.HadError());
    PutFile(home.Folders.Menu / "Tool/C.desktop", "added by the user");
    PutFile(home.Folders.Desktop / "Tool.desktop", "the user's own");
    EXPECT_TRUE(RemoveInstallation(home.Folders.Programs / "Tool/setup"));
    EXPECT_FALSE(fs::exists(home.Folders.Menu / "Tool/A.desktop"));
    EXPECT_FALSE(fs::exists(home.Folders.Menu / "Tool/B.desktop"));
    EXPECT_EQ(FileText(home.Folders.Menu / "Tool/C.desktop"), "added by the user");
    EXPECT_EQ(FileText(home.Folders.Desktop / "Tool.desktop"), "the user's own");

    // Without the user's file the menu folder goes with its entries.
    InstallAll(grouped);
    fs::remove(home.Folders.Menu / "Tool/C.desktop");
    EXPECT_TRUE(RemoveInstallation(home.Folders.Programs / "Tool/setup"));
    EXPECT_FALSE(fs::exists(home.Folders.Menu / "Tool"));
}
