#include "ProjectFixture.h"

using namespace qx;
using namespace qx::test;
using NT = TProjectNodeType;

namespace {

class ProjectOpenSave : public ProjectFixture {
protected:
    // Saves the current project as `name` in the temporary folder.
    std::string SaveAs(const std::string& name)
    {
        Dialogs.SaveAnswers.push_back(Dir.File(name));
        EXPECT_TRUE(Manager.ProjectSaveAsMenuClick());
        return Dir.File(name);
    }
    void Modify()
    {
        Add(0, NT::ntFolder, "changed");
        ASSERT_TRUE(State.ProjectModified);
    }
};

const char* const MsgItemOpen = "アイテムを開いているため処理を続行できません。";

} // namespace

TEST_F(ProjectOpenSave, OpenMakesTheFileTheProject)
{
    Modify();
    const std::string file = SaveAs("一.qxp");
    EXPECT_EQ(Manager.RootCaption(), "一");
    Manager.NewProject();
    State.Settings.Project.ShowByOpenFile = true;
    ASSERT_TRUE(Manager.OpenProjectFile(file));
    EXPECT_EQ(State.ProjectFileName, file);
    EXPECT_EQ(State.Settings.Project.LastProjectFile, file);
    EXPECT_FALSE(State.ProjectModified);
    EXPECT_EQ(Records().Count(), 3);
    EXPECT_TRUE(Manager.PaneVisible());
    EXPECT_EQ(Listener.Selected, -1);
    EXPECT_EQ(State.RecentProjectList[0], file);
    EXPECT_TRUE(Prompter.Requests.empty());
}

TEST_F(ProjectOpenSave, TheModifiedQuestionGuardsEveryOpen)
{
    const std::string other = SaveAs("other.qxp");
    Manager.NewProject();
    Modify();
    const std::vector<std::string> before = [&] {
        std::vector<std::string> names;
        for (const auto& r : Records().Records()) names.push_back(r.Name);
        return names;
    }();

    // Cancel keeps the open project.
    Prompter.Answers = {mr::Cancel};
    EXPECT_FALSE(Manager.OpenProjectFile(other));
    ASSERT_EQ(Prompter.Requests.size(), 1u);
    EXPECT_EQ(Prompter.Requests[0].Text, "プロジェクト：新規プロジェクト\nが変更されています。\n\nプロジェクトを保存しますか?");
    EXPECT_EQ(Prompter.Requests[0].Caption, "確認");
    EXPECT_EQ(Prompter.Requests[0].Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}));
    EXPECT_FALSE(State.ProjectCanContinue);
    EXPECT_EQ(Records().Count(), 3);
    EXPECT_TRUE(State.ProjectModified);
    EXPECT_EQ(State.ProjectFileName, UntitledProjectName);

    // Yes on an untitled project runs Save As; cancelling that stops the open.
    Prompter.Answers = {mr::Yes};
    Dialogs.SaveAnswers = {std::nullopt};
    EXPECT_FALSE(Manager.OpenProjectFile(other));
    EXPECT_EQ(Records().Count(), 3);

    // Yes and a name: saved, then opened.
    Prompter.Answers = {mr::Yes};
    Dialogs.SaveAnswers = {Dir.File("mine.qxp")};
    EXPECT_TRUE(Manager.OpenProjectFile(other));
    EXPECT_EQ(State.ProjectFileName, other);
    EXPECT_EQ(Records().Count(), 2);
    ASSERT_TRUE(Manager.OpenProjectFile(Dir.File("mine.qxp")));
    EXPECT_EQ(Records().Count(), 3);

    // No: opened without saving.
    Modify();
    Prompter.Answers = {mr::No};
    EXPECT_TRUE(Manager.OpenProjectFile(other));
    ASSERT_TRUE(Manager.OpenProjectFile(Dir.File("mine.qxp")));
    EXPECT_EQ(Records().Count(), 3);
}

TEST_F(ProjectOpenSave, NoOpenWhileAStoredItemIsInATab)
{
    const std::string other = SaveAs("other.qxp");
    Add(0, NT::ntImport, "memo", "x");
    Manager.OpenProjectItemInTab(IndexOf("memo"));
    const int beeps = Beeps;

    EXPECT_FALSE(Manager.OpenProjectFile(other));
    Manager.ProjectNewMenuClick();
    Manager.ProjectOpenMenuClick();  // no dialog either
    EXPECT_FALSE(Manager.NewProject());
    EXPECT_EQ(Prompter.Texts(), std::vector<std::string>(4, MsgItemOpen));
    EXPECT_GE(Beeps, beeps + 4);
    EXPECT_EQ(Records().Count(), 3);
    EXPECT_EQ(State.ProjectFileName, other);
    EXPECT_TRUE(State.ProjectModified);
}

TEST_F(ProjectOpenSave, AMissingOrRefusedFile)
{
    const std::string mine = SaveAs("mine.qxp");
    Modify();

    Prompter.Answers = {mr::No};
    EXPECT_FALSE(Manager.OpenProjectFile(Dir.File("none.qxp")));
    EXPECT_EQ(Prompter.Texts().back(), "プロジェクトファイルが開けません。ファイル名が正しいか確認してください。");
    EXPECT_EQ(State.ProjectFileName, mine);  // the open project stays, with its name
    EXPECT_EQ(Records().Count(), 3);

    // A refused file leaves a new, empty project, never one bound to the refused file's name.
    struct Case {
        std::string Bytes, Message;
    };
    const std::string head = "// QxEditor for Windows Project\r\n";
    for (const Case& c : {Case{head + "// Version 3.0\r\n", "プロジェクトファイルのフォーマットが古いため読み込めません。"},
                          Case{"junk\r\n", "プロジェクトファイルのフォーマットが正しくありません。"},
                          Case{head + "// Version 3.6\r\n/* ProjectItem */\r\nName=a\r\n*/end\r\n/* ProjectItem */\r\nLevel=x\r\n",
                               "プロジェクトファイルのフォーマットが正しくありません。"}}) {
        SCOPED_TRACE(c.Bytes);
        WriteBytes(Dir.File("bad.qxp"), c.Bytes);
        State.ProjectModified = false;
        // Whenever a box is up, the tree shows the records there are.
        Prompter.OnShow = [this] { EXPECT_EQ(Manager.Tree().Count(), Records().Count()); };
        EXPECT_FALSE(Manager.OpenProjectFile(Dir.File("bad.qxp")));
        EXPECT_EQ(Prompter.Texts().back(), c.Message);
        EXPECT_EQ(State.ProjectFileName, UntitledProjectName);
        EXPECT_EQ(Records().Count(), 2);
        EXPECT_FALSE(State.ProjectModified);
        EXPECT_EQ(test::ReadBytes(Dir.File("bad.qxp")), c.Bytes);
    }
}

TEST_F(ProjectOpenSave, OverSavingAnUntitledProjectAsksForAName)
{
    // Not modified either: there is still no file to write over (never one named after the untitled name).
    const std::filesystem::path cwd = std::filesystem::current_path();
    std::filesystem::current_path(Dir.Path());
    Dialogs.SaveAnswers = {std::nullopt};
    EXPECT_FALSE(Manager.ProjectSaveMenuClick());
    std::filesystem::current_path(cwd);
    EXPECT_EQ(Dialogs.SaveStarts, std::vector<std::string>{std::string(UntitledProjectName)});
    EXPECT_FALSE(std::filesystem::exists(Dir.File(std::string(UntitledProjectName))));
    EXPECT_EQ(State.ProjectFileName, UntitledProjectName);
}

TEST_F(ProjectOpenSave, SavingAsksBeforeOverwritingAndReportsFailures)
{
    Modify();
    WriteBytes(Dir.File("taken.qxp"), "keep");
    // No to the overwrite question asks for another name.
    Dialogs.SaveAnswers = {Dir.File("taken.qxp"), Dir.File("free.qxp")};
    Prompter.Answers = {mr::No};
    ASSERT_TRUE(Manager.ProjectSaveAsMenuClick());
    EXPECT_EQ(Prompter.Requests[0].Text, Dir.File("taken.qxp") + "\nこのファイルはすでに存在しています。\n\n上書きしますか?");
    EXPECT_EQ(test::ReadBytes(Dir.File("taken.qxp")), "keep");
    EXPECT_EQ(State.ProjectFileName, Dir.File("free.qxp"));
    EXPECT_EQ(Dialogs.SaveStarts[0], UntitledProjectName);
    EXPECT_EQ(Dialogs.SaveStarts[1], Dir.File("taken.qxp"));
    EXPECT_FALSE(State.ProjectModified);

    // Over-save writes the named file; a failed write keeps the project modified and says so.
    Modify();
    ASSERT_TRUE(Manager.ProjectSaveMenuClick());
    EXPECT_FALSE(State.ProjectModified);
    Modify();
    std::filesystem::remove(Dir.File("free.qxp"));
    std::filesystem::create_directory(Dir.File("free.qxp"));  // now a folder: the write must fail
    EXPECT_FALSE(Manager.ProjectSaveMenuClick());
    EXPECT_TRUE(State.ProjectModified);
    EXPECT_FALSE(State.ProjectCanContinue);
    EXPECT_EQ(Prompter.Requests.back().Kind, TMsgDlgType::mtError);
    EXPECT_EQ(Prompter.Requests.back().Text.rfind(Dir.File("free.qxp"), 0), 0u);

    // A text with a line "*/end" is written, named in a warning, and leaves the project modified.
    Add(0, NT::ntImport, "memo", "a\r\n*/end\r\nb\r\n");
    SaveAs("end.qxp");
    EXPECT_EQ(Prompter.Requests.back().Kind, TMsgDlgType::mtWarning);
    EXPECT_NE(Prompter.Requests.back().Text.find("ボックス\\memo"), std::string::npos);
    EXPECT_TRUE(State.ProjectModified);
}

TEST_F(ProjectOpenSave, NewAsksAboutTheModifiedProject)
{
    Modify();
    Prompter.Answers = {mr::Cancel};
    Manager.ProjectNewMenuClick();
    EXPECT_EQ(Records().Count(), 3);
    Prompter.Answers = {mr::No};
    Manager.ProjectNewMenuClick();
    EXPECT_EQ(Records().Count(), 2);
    EXPECT_FALSE(State.ProjectModified);

    // Open by the menu: the question, then the dialog.
    const std::string file = SaveAs("x.qxp");
    Modify();
    Prompter.Answers = {mr::No};
    Dialogs.OpenAnswers = {file};
    Manager.ProjectOpenMenuClick();
    EXPECT_EQ(Records().Count(), 2);
    EXPECT_EQ(State.ProjectFileName, file);
}

namespace {

// With "UseProjectDir" the open dialog and the first save of a new project start in "ProjectDirPath".
TEST_F(ProjectOpenSave, TheProjectDialogsStartInTheProjectFolderWhenItIsUsed)
{
    Dialogs.OpenAnswers = {std::nullopt, std::nullopt};
    Dialogs.SaveAnswers = {std::nullopt, std::nullopt};
    Manager.ProjectOpenMenuClick();
    Manager.ProjectSaveAsMenuClick();
    State.Settings.Project.UseProjectDir = true;
    State.Settings.Project.ProjectDirPath = "/projects";
    Manager.ProjectOpenMenuClick();
    Manager.ProjectSaveAsMenuClick();
    EXPECT_EQ(Dialogs.OpenStarts, (std::vector<std::string>{"", "/projects/"}));
    EXPECT_EQ(Dialogs.SaveStarts,
              (std::vector<std::string>{std::string(UntitledProjectName), "/projects/" + std::string(UntitledProjectName)}));
}

} // namespace
