#include "SetupFixture.h"

#include <gtest/gtest-spi.h>

using namespace qx;
using namespace qx::test;

namespace {

bool IsExecutable(const fs::path& p)
{
    return (fs::status(p).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

} // namespace

TEST_F(SetupTest, InstallsEveryKindOfEntryAndRecordsTheInstallation)
{
    MakeDist(kToolInf, kToolFiles);
    const fs::path install = home.Home / ".local/share/QxEditor";
    PutFile(install / "old.dll", "from an old version");
    ASSERT_TRUE(setup.Load(dist / "setup"));
    EXPECT_EQ(setup.InstallFolderText(), install.string() + "/");
    ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    EXPECT_EQ(setup.StepCount(), 6 + 4);
    InstallAll(setup);

    EXPECT_FALSE(setup.HadError());
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{});
    EXPECT_EQ(setup.CompletionText(), "インストールが完了しました。「完了」を押すと起動します。");
    EXPECT_EQ(FileText(install / "setup"), "#!/bin/sh\nexit 0\n");
    EXPECT_TRUE(IsExecutable(install / "setup"));
    EXPECT_EQ(FileText(install / "SETUP.INF"), InfBytes(kToolInf));
    EXPECT_EQ(FileText(install / "QxEditor"), "editor program");
    EXPECT_EQ(FileText(install / "doc/readme.txt"), "read me");
    EXPECT_EQ(FileText(install / "tools/helper2"), "helper");
    EXPECT_FALSE(fs::exists(install / "bin"));
    EXPECT_EQ(FileText(home.Home / ".config/qxtool.ini"), "[Tool]\r\n");
    EXPECT_EQ(FileText(home.Home / ".local/lib/libqx.so"), "library");
    EXPECT_FALSE(FileText(install / "old.dll"));

    const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QxEditor";
    EXPECT_EQ(KeyValue(key, "DisplayName"), "Qxエディタ");
    EXPECT_EQ(KeyValue(key, "UninstallString"), "\"" + install.string() + "/setup\" /r");

    EXPECT_EQ(FileText(home.Home / ".local/share/applications/Qxエディタ.desktop"),
              "[Desktop Entry]\nType=Application\nName=Qxエディタ\nExec=" + install.string() +
                  "/QxEditor\nPath=" + install.string() + "\n");
    EXPECT_FALSE(fs::exists(home.Home / "Desktop"));
    EXPECT_FALSE(fs::exists(home.Home / ".config/autostart"));

    setup.Finish();
    ASSERT_EQ(launcher.Calls.size(), 2u);
    EXPECT_EQ(launcher.Calls[0].Kind, "start");
    EXPECT_EQ(launcher.Calls[0].Target, (install / "QxEditor").string());
    EXPECT_EQ(launcher.Calls[0].Folder, install);
    EXPECT_EQ(launcher.Calls[1].Kind, "open");
    EXPECT_EQ(launcher.Calls[1].Target, "doc/readme.txt");
    EXPECT_EQ(launcher.Calls[1].Folder, install);
}

TEST_F(SetupTest, OffersThePreviousInstallFolderAndTheRootForm)
{
    MakeDist("[Install]\nTitle=Tool\nFolder=\\Apps\\Tool\n1=a\n", {{"a", "a"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    EXPECT_EQ(setup.InstallFolderText(), (home.Home / "Apps/Tool").string() + "/");

    {
        TKeyStore store(home.Folders.KeyStore.string());
        store.WriteString(setup.UninstallKey(), "UninstallString", "\"/opt/my tools/Tool/setup\" /r");
        fs::create_directories(home.Folders.KeyStore.parent_path());
        store.UpdateFile();
    }
    TSetup again(home.Folders, prompter, launcher);
    ASSERT_TRUE(again.Load(dist / "setup"));
    EXPECT_EQ(again.InstallFolderText(), "/opt/my tools/Tool/");

    EXPECT_EQ(TSetup::FolderOfUninstallString("/opt/Tool/setup /r"), fs::path("/opt/Tool"));
    EXPECT_FALSE(TSetup::FolderOfUninstallString("setup /r"));
    EXPECT_FALSE(TSetup::FolderOfUninstallString(""));
}

TEST_F(SetupTest, MakesMenuGroupDesktopAndStartupShortcuts)
{
    MakeDist("[Install]\nTitle=Tool\nFolder=My Tool\n1=tool\n"
             "[Group]\n1=ツール,tool\n2=Readme,tool,\"read me.txt\" /R\n",
             {{"tool", "t"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    setup.DesktopShortcut = true;
    InstallAll(setup);
    EXPECT_FALSE(setup.HadError());

    const std::string install = (home.Home / ".local/share/My Tool").string();
    const fs::path group = home.Home / ".local/share/applications/Tool";
    EXPECT_EQ(FileText(group / "ツール.desktop"), "[Desktop Entry]\nType=Application\nName=ツール\nExec=\"" + install +
                                                     "/tool\"\nPath=" + install + "\n");
    EXPECT_EQ(FileText(group / "Readme.desktop"), "[Desktop Entry]\nType=Application\nName=Readme\nExec=\"" + install +
                                                     "/tool\" \"read me.txt\" /R\nPath=" + install + "\n");
    EXPECT_TRUE(IsExecutable(group / "Readme.desktop"));
    // The desktop shortcut is the one named Title for entry 1, whatever the group says.
    EXPECT_EQ(FileText(home.Home / "Desktop/Tool.desktop"),
              "[Desktop Entry]\nType=Application\nName=Tool\nExec=\"" + install + "/tool\"\nPath=" + install + "\n");
}

TEST_F(SetupTest, AShortcutTakesItsTargetsIconIntoTheUsersIconThemesAndUninstallTakesBackOnlyThat)
{
    // The user's icon theme holds another program's icon already: it and its folders stay.
    const fs::path theme = home.Home / ".local/share/icons/hicolor";
    PutFile(theme / "48x48/apps/other.png", "other");
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n2=helper\n3=icons\\hicolor\\48x48\\apps\\tool.png\n"
             "4=icons\\hicolor\\scalable\\apps\\tool.svg\n[Group]\n1=Tool,tool\n2=Helper,helper\n",
             {{"tool", "t"}, {"helper", "h"}, {"icons/hicolor/48x48/apps/tool.png", "png"},
              {"icons/hicolor/scalable/apps/tool.svg", "svg"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    InstallAll(setup);
    EXPECT_FALSE(setup.HadError());

    const fs::path group = home.Home / ".local/share/applications/Tool";
    EXPECT_NE(FileText(group / "Tool.desktop").value_or("").find("\nIcon=tool\n"), std::string::npos);
    EXPECT_EQ(FileText(group / "Helper.desktop").value_or("").find("Icon="), std::string::npos);  // it has none
    EXPECT_EQ(FileText(theme / "48x48/apps/tool.png"), "png");
    EXPECT_EQ(FileText(theme / "scalable/apps/tool.svg"), "svg");

    TSetup worker(home.Folders, prompter, launcher);
    Prepare(worker);
    ASSERT_TRUE(worker.Load(home.Home / ".local/share/Tool/setup"));
    ASSERT_TRUE(worker.BeginUninstall());
    EXPECT_TRUE(worker.Remove());
    EXPECT_FALSE(fs::exists(theme / "48x48/apps/tool.png"));
    EXPECT_FALSE(fs::exists(theme / "scalable"));
    EXPECT_EQ(FileText(theme / "48x48/apps/other.png"), "other");
    EXPECT_FALSE(fs::exists(home.Home / ".local/share/applications"));
    EXPECT_FALSE(fs::exists(home.Folders.KeyStore.parent_path()));
}

TEST_F(SetupTest, ResidentProgramGetsOnlyAStartupShortcut)
{
    MakeDist("[Install]\nTitle=Resident\nFolder=Resident\nTSR=1\n1=daemon\n", {{"daemon", "d"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    EXPECT_TRUE(setup.Info().TSR);
    ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    setup.DesktopShortcut = true;
    InstallAll(setup);
    EXPECT_TRUE(fs::exists(home.Home / ".config/autostart/Resident.desktop"));
    EXPECT_FALSE(fs::exists(home.Home / ".local/share/applications/Resident.desktop"));
    EXPECT_FALSE(fs::exists(home.Home / "Desktop/Resident.desktop"));
}

TEST_F(SetupTest, CopyFailuresAreReportedAndTheOtherEntriesStillInstall)
{
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n2=missing.dat\n3=extra\n", {{"tool", "t"}, {"extra", "e"}});
    const fs::path install = home.Home / ".local/share/Tool";
    ASSERT_TRUE(setup.Load(dist / "setup"));
    ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    InstallAll(setup);
    EXPECT_TRUE(setup.HadError());
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{(dist / "missing.dat").string() + " のコピーに失敗しました。"});
    EXPECT_EQ(prompter.Requests[0].Kind, TMsgDlgType::mtError);
    EXPECT_EQ(prompter.Requests[0].Caption, "Tool");
    EXPECT_EQ(FileText(install / "extra"), "e");
    EXPECT_EQ(setup.CompletionText(), "インストール中にエラーが発生しました。イントール先を変更するなどしてもう一度"
                                      "インストールしなおすことをお勧めします。");
}

TEST_F(SetupTest, InstallingIntoTheSetupFolderCopiesFilesOntoThemselvesHarmlessly)
{
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n", {{"tool", "tool bytes"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    ASSERT_TRUE(setup.AcceptInstallFolder(dist.string()));
    InstallAll(setup);
    EXPECT_FALSE(setup.HadError());
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{});
    EXPECT_EQ(FileText(dist / "tool"), "tool bytes");
    EXPECT_EQ(FileText(dist / "setup"), "#!/bin/sh\nexit 0\n");
}

TEST_F(SetupTest, FolderPageRefusesUnusableFolders)
{
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n", {{"tool", "t"}});
    PutFile(home.Home / "afile", "x");
    ASSERT_TRUE(setup.Load(dist / "setup"));
    struct Case {
        std::string input;
        std::string message;
    };
    const std::string h = home.Home.string();
    const Case cases[] = {
        {"", "ルートディレクトリにはインストールできません。"},
        {"/", "ルートディレクトリにはインストールできません。"},
        {"Soft", "「/home/user/Soft」のように、「/」から始まる正しいパス名を指定してください。"},
        {h, h + " にはインストールできません。"},
        {h + "/", h + " にはインストールできません。"},
        {h + "/.local/share", h + "/.local/share にはインストールできません。"},
        {home.Home.parent_path().string(), home.Home.parent_path().string() + " にはインストールできません。"},
        {h + "/afile/sub", h + "/afile - 同じ名前のファイルが既に存在するのでフォルダが作成できません。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        prompter.Requests.clear();
        EXPECT_FALSE(setup.AcceptInstallFolder(c.input));
        EXPECT_EQ(prompter.Texts(), std::vector<std::string>{c.message});
    }
    EXPECT_EQ(setup.InstallFolderText(), h + "/.local/share/Tool/");  // unchanged

    // A folder that does not exist yet is accepted; its parents may stay, the folder itself does not.
    prompter.Requests.clear();
    EXPECT_TRUE(setup.AcceptInstallFolder(h + "/new/place/Tool"));
    EXPECT_EQ(setup.InstallFolderText(), h + "/new/place/Tool/");
    EXPECT_TRUE(fs::is_directory(home.Home / "new/place"));
    EXPECT_FALSE(fs::exists(home.Home / "new/place/Tool"));
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{});
}

TEST_F(SetupTest, FolderPageAsksWhenTheDiskIsNearlyFull)
{
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n", {{"tool", "t"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    fs::path asked;
    setup.FreeSpace = [&](const fs::path& p) {
        asked = p;
        return std::uintmax_t(50) * 1048576 + 12345;
    };
    const std::string question = "指定されたドライブの残り容量が 50メガバイトしかありません。かまわずにインストールしますか？";
    prompter.Answers = {mr::No, mr::Yes};
    EXPECT_FALSE(setup.AcceptInstallFolder((home.Home / "a/Tool").string()));
    EXPECT_EQ(asked, home.Home / "a");  // the nearest folder that exists (made while checking)
    EXPECT_TRUE(setup.AcceptInstallFolder((home.Home / "a/Tool").string()));
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{question, question}));
    EXPECT_EQ(prompter.Requests[0].Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}));
}

TEST_F(SetupTest, BrokenInformationFileStopsAtItsMessage)
{
    PutFile(dist / "setup", "x");
    EXPECT_FALSE(setup.Load(dist / "setup"));  // no information file at all
    PutFile(dist / "setup.inf", InfBytes("[Install]\nTitle=Tool\n"));
    EXPECT_FALSE(setup.Load(dist / "setup"));
    PutFile(dist / "setup.inf", InfBytes("[Install]\nTitle=Tool\nFolder=Tool\n1=..\\..\\.bashrc\n"));
    EXPECT_FALSE(setup.Load(dist / "setup"));
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{kBrokenSetupInfo, kBrokenSetupInfo,
                                                           "[Install] 1=..\\..\\.bashrc\n設定ファイルのこの値は使えません。"}));
    // A lower-case information file is found too.
    PutFile(dist / "setup.inf", InfBytes("[Install]\nTitle=Tool\nFolder=Tool\n"));
    EXPECT_TRUE(setup.Load(dist / "setup"));
    EXPECT_EQ(setup.InfPath(), dist / "setup.inf");
}

TEST_F(SetupTest, TheWriteGuardStopsWritesOutsideTheHome)
{
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n", {{"tool", "t"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    const fs::path outside = home.Home.parent_path() / "outside";
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW(setup.AcceptInstallFolder((outside / "Tool").string()), WriteOutsideHome),
                            "write outside the temporary home");
    EXPECT_FALSE(fs::exists(outside));
}

TEST(ParseSetupCommand, ReadsTheThreeModes)
{
    EXPECT_EQ(ParseSetupCommand({}).Mode, TSetupMode::Install);
    EXPECT_EQ(ParseSetupCommand({"r"}).Mode, TSetupMode::RemoveRequest);
    EXPECT_EQ(ParseSetupCommand({"/R"}).Mode, TSetupMode::RemoveRequest);
    EXPECT_EQ(ParseSetupCommand({"//r"}).Mode, TSetupMode::Install);
    const TSetupCommand worker = ParseSetupCommand({"x", "/opt/Tool/setup"});
    EXPECT_EQ(worker.Mode, TSetupMode::Uninstall);
    EXPECT_EQ(worker.Path, fs::path("/opt/Tool/setup"));
    EXPECT_EQ(ParseSetupCommand({"x"}).Mode, TSetupMode::Install);
    EXPECT_EQ(ParseSetupCommand({"readme"}).Mode, TSetupMode::Install);
}

TEST_F(SetupTest, EntriesNeverReachThroughALinkInTheInstallFolder)
{
    // An existing install folder whose sub-folder is a link to a folder outside it: neither the copy nor
    // the delete form may reach the files behind the link.
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n2=new.txt,sub\\kept.txt\n3=,sub\\old.dll\n",
             {{"tool", "t"}, {"new.txt", "new"}});
    const fs::path install = home.Home / ".local/share/Tool";
    const fs::path outside = home.Home / "outside";
    PutFile(outside / "kept.txt", "someone else's file");
    PutFile(outside / "old.dll", "someone else's library");
    fs::create_directories(install);
    fs::create_directory_symlink(outside, install / "sub");
    ASSERT_TRUE(setup.Load(dist / "setup"));
    ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    InstallAll(setup);

    EXPECT_TRUE(setup.HadError());
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{
                                    (dist / "new.txt").string() + " のコピーに失敗しました。",
                                    (install / "sub/old.dll").string() +
                                        "の削除に失敗しました。このファイルをスキップして処理を続行します。"}));
    EXPECT_EQ(FileText(outside / "kept.txt"), "someone else's file");
    EXPECT_EQ(FileText(outside / "old.dll"), "someone else's library");
    EXPECT_EQ(FileText(install / "tool"), "t");
}

TEST_F(SetupTest, TheKeyStoreFolderIsNeverAnInstallFolder)
{
    // Installed there, the records of every other product would become files of this one, deleted with
    // its folder tree on uninstall.
    MakeDist("[Install]\nTitle=Tool\nFolder=qxsetup\n1=tool\n", {{"tool", "t"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    const fs::path store = home.Folders.KeyStore.parent_path();
    EXPECT_EQ(setup.InstallFolderText(), store.string() + "/");
    EXPECT_FALSE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{store.string() + " にはインストールできません。"});
    EXPECT_FALSE(setup.Files().DeleteFolderTree(store));
}

TEST_F(SetupTest, ShortcutsReplaceLinksAndNeverWriteThroughThem)
{
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n[Group]\n1=A,tool\n", {{"tool", "t"}});
    const fs::path outside = home.Home / "outside";
    PutFile(outside / "keep.txt", "someone else's file");
    PutFile(outside / "menu/A.desktop", "someone else's entry");
    fs::permissions(outside / "keep.txt", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(home.Folders.Menu);
    fs::create_directory_symlink(outside / "menu", home.Folders.Menu / "Tool");
    fs::create_directories(home.Folders.Desktop);
    fs::create_symlink(outside / "keep.txt", home.Folders.Desktop / "Tool.desktop");
    ASSERT_TRUE(setup.Load(dist / "setup"));
    ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    setup.DesktopShortcut = true;
    InstallAll(setup);

    // The menu folder is a link: its entry is refused. The desktop entry replaces the link.
    EXPECT_TRUE(setup.HadError());
    EXPECT_EQ(prompter.Texts(),
              std::vector<std::string>{(home.Folders.Menu / "Tool/A.desktop").string() + " の作成に失敗しました。"});
    EXPECT_EQ(FileText(outside / "menu/A.desktop"), "someone else's entry");
    EXPECT_EQ(FileText(outside / "keep.txt"), "someone else's file");
    EXPECT_EQ(fs::status(outside / "keep.txt").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::is_symlink(home.Folders.Desktop / "Tool.desktop"));
    EXPECT_NE(FileText(home.Folders.Desktop / "Tool.desktop")->find("Name=Tool\n"), std::string::npos);
}

TEST_F(SetupTest, NoInstallIntoAFolderOnTheWayToTheUserFoldersNorThroughALink)
{
    MakeDist("[Install]\nTitle=Tool\nFolder=\\.local\n1=tool\n", {{"tool", "t"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    EXPECT_EQ(setup.InstallFolderText(), (home.Home / ".local/").string());
    EXPECT_FALSE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    EXPECT_FALSE(setup.AcceptInstallFolder((home.Home / ".ssh").string()));
    // A link as the install folder would take the files elsewhere, and the uninstall after them.
    const fs::path outside = home.Home / "outside";
    fs::create_directories(outside);
    fs::create_directory_symlink(outside, home.Home / "Tool");
    EXPECT_FALSE(setup.AcceptInstallFolder((home.Home / "Tool").string()));
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{(home.Home / ".local").string() + " にはインストールできません。",
                                                           (home.Home / ".ssh").string() + " にはインストールできません。",
                                                           (home.Home / "Tool").string() + " にはインストールできません。"}));
    EXPECT_TRUE(fs::is_empty(outside));
}

TEST_F(SetupTest, TheKeyStoreIsNeverWrittenThroughALink)
{
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n", {{"tool", "t"}});
    const fs::path other = home.Home / "notes.ini";
    PutFile(other, "[Mine]\r\nkeep=1\r\n");
    fs::create_directories(home.Folders.KeyStore.parent_path());
    fs::create_symlink(other, home.Folders.KeyStore);
    ASSERT_TRUE(setup.Load(dist / "setup"));
    ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    InstallAll(setup);
    EXPECT_TRUE(setup.HadError());
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{home.Folders.KeyStore.string() + " の作成に失敗しました。"});
    EXPECT_EQ(FileText(other), "[Mine]\r\nkeep=1\r\n");
    EXPECT_TRUE(fs::is_symlink(home.Folders.KeyStore));

    // Nor through a link in the key store's folder's place.
    fs::remove(home.Folders.KeyStore);
    fs::remove(home.Folders.KeyStore.parent_path());
    fs::create_directories(home.Home / "elsewhere");
    fs::create_directory_symlink(home.Home / "elsewhere", home.Folders.KeyStore.parent_path());
    prompter.Requests.clear();
    InstallAll(setup);
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{home.Folders.KeyStore.string() + " の作成に失敗しました。"});
    EXPECT_TRUE(fs::is_empty(home.Home / "elsewhere"));
}

TEST_F(SetupTest, TheUninstallRecordNamesTheFolderExactly)
{
    // A folder with a quote (or blanks) in its name reads back whole, not as its parent.
    for (const char* name : {"a\"b", "two  blanks", "\"", "end\"", "q\"\"q"}) {
        SCOPED_TRACE(name);
        const fs::path setupPath = home.Home / name / "setup";
        EXPECT_EQ(TSetup::FolderOfUninstallString(TSetup::UninstallString(setupPath)), home.Home / name);
    }
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n", {{"tool", "t"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    const fs::path folder = home.Home / "my \"tools\"";
    ASSERT_TRUE(setup.AcceptInstallFolder(folder.string()));
    InstallAll(setup);
    ASSERT_FALSE(setup.HadError());
    EXPECT_EQ(KeyValue(setup.UninstallKey(), "UninstallString"), "\"" + home.Home.string() + "/my \"\"tools\"\"/setup\" /r");
    TSetup again(home.Folders, prompter, launcher);
    Prepare(again);
    ASSERT_TRUE(again.Load(dist / "setup"));
    EXPECT_EQ(again.InstallFolderText(), folder.string() + "/");
}

TEST_F(SetupTest, TheFinishedPageSaysHowToUninstall)
{
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n", {{"tool", "t"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    EXPECT_EQ(setup.UninstallHint(), "このアプリケーションをアンインストールするには、インストール先の\n「 setup r 」 を実行してください。");
    MakeDist("[Install]\nTitle=Tool\nFolder=Tool\n1=tool\n2=remover\n", {{"tool", "t"}, {"remover", "r"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    EXPECT_EQ(setup.UninstallHint(), "このアプリケーションをアンインストールするには、インストール先の\n「 remover 」 を実行してください。");
}
