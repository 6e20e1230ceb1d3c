// The environment manager over a folder of environment files: new, copy, rename, import and export, the
// button rules, delete and move with the files renumbered, and a failing rename that leaves everything as
// it was.

#include "dialogs/EditEnvManager.h"
#include "documents/SettingsFile.h"
#include "platform/Cp932.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx::test {
namespace {

// The real file system, with the rename whose source ends in FailOn refused.
struct FailingRenames : TEnvFileOps {
    std::string FailOn;
    int Renames = 0;
    bool Exists(const std::string& Path) override { return RealEnvFileOps().Exists(Path); }
    bool Rename(const std::string& From, const std::string& To) override
    {
        ++Renames;
        if (!FailOn.empty() && From.ends_with(FailOn)) return false;
        return RealEnvFileOps().Rename(From, To);
    }
    bool Remove(const std::string& Path) override { return RealEnvFileOps().Remove(Path); }
};

struct EditEnvManagerTest : ::testing::Test {
    TempDir dir;
    TGlobalState state;
    ScriptedMessagePrompter prompter;
    ScriptedFileDialogs dialogs;
    FailingRenames files;
    TEditOptionModel options{state, prompter};
    std::vector<TEnvRenumbering> renumbered;

    EditEnvManagerTest() { state.ProgramFolder = dir.Path() + "/"; }

    // Environments 0..Count-1 named "e0".. with the extension "*.eN" each.
    void Make(int Count)
    {
        for (int n = 0; n < Count; ++n) {
            TEditorEnvironment e;
            e.FileExt = {"*.e" + std::to_string(n)};
            ASSERT_TRUE(SaveEnvironment(state, e, "e" + std::to_string(n), n, ""));
        }
        options.Show(0);
    }
    std::unique_ptr<TEditEnvManager> Manager()
    {
        auto manager = std::make_unique<TEditEnvManager>(options, dialogs, files);
        manager->OnRenumber = [this](const TEnvRenumbering& Map) { renumbered.push_back(Map); };
        return manager;
    }
    // The name stored in each environment file, "-" for a missing one.
    std::vector<std::string> Files()
    {
        std::vector<std::string> names;
        for (int n = 0; n < EnvironmentCount; ++n) {
            const auto e = LoadEnvironmentFile(EnvironmentFileName(state, n));
            names.push_back(std::filesystem::exists(EnvironmentFileName(state, n)) ? e->EnvironmentName : "-");
        }
        return names;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> all;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            all.push_back(entry.path().filename().string() + ":" + ReadBytes(entry.path().string()));
        std::sort(all.begin(), all.end());
        return all;
    }
};

using V = std::vector<std::string>;

TEST_F(EditEnvManagerTest, DeleteMovesTheLaterEnvironmentsUpAndTheirEditorsFollow)
{
    Make(5);
    // Sections of the main settings file for environments 2 and 4, and one for 3 that stays.
    WriteBytes(state.ProgramFile(IniFileName), "[EditorEnvironment2]\r\na=1\r\n[EditorEnvironment3]\r\nb=1\r\n"
                                               "[EditorEnvironment4]\r\nc=1\r\n");
    auto m = Manager();
    m->Select(2);
    ASSERT_TRUE(m->Delete());
    EXPECT_EQ(m->Names(), (V{Utf8ToCp932("標準"), "e1", "e3", "e4"}));
    EXPECT_EQ(Files(), (V{"e0", "e1", "e3", "e4", "-", "-", "-", "-", "-", "-"}));
    EXPECT_FALSE(std::filesystem::exists(state.ProgramFile(kEnvironmentTempFile)));
    const std::string ini = ReadBytes(state.ProgramFile(IniFileName));
    EXPECT_EQ(ini.find("[EditorEnvironment2]"), std::string::npos);
    EXPECT_EQ(ini.find("[EditorEnvironment4]"), std::string::npos);
    EXPECT_NE(ini.find("[EditorEnvironment3]"), std::string::npos);
    ASSERT_EQ(renumbered.size(), 1u);
    EXPECT_EQ(renumbered[0][1], 1);
    EXPECT_EQ(renumbered[0][2], -1);
    EXPECT_EQ(renumbered[0][3], 2);
    EXPECT_EQ(renumbered[0][4], 3);
    EXPECT_EQ(EnvironmentIndexOfExt(state, "*.e3"), 2) << "the extensions follow their environment";
    EXPECT_EQ(EnvironmentIndexOfExt(state, "*.e2"), 0);
    EXPECT_EQ(m->Selected(), -1);
    EXPECT_FALSE(m->Buttons().Delete) << "nothing chosen after a delete";

    // Closing hands the list back: the options dialog shows environment 0.
    m->Close();
    EXPECT_EQ(options.Names(), m->Names());
    EXPECT_EQ(options.Index(), 0);
}

TEST_F(EditEnvManagerTest, MovesSwapFilesAndTheFirstStaysFirst)
{
    Make(4);
    auto m = Manager();
    m->Select(1);
    EXPECT_FALSE(m->Buttons().Up) << "the second cannot pass the standard one";
    EXPECT_FALSE(m->MoveUp());
    ASSERT_TRUE(m->MoveDown());
    EXPECT_EQ(m->Selected(), 2);
    EXPECT_EQ(Files(), (V{"e0", "e2", "e1", "e3", "-", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(m->Names()[2], "e1");
    ASSERT_EQ(renumbered.size(), 1u);
    EXPECT_EQ(renumbered[0][1], 2);
    EXPECT_EQ(renumbered[0][2], 1);
    EXPECT_EQ(renumbered[0][0], 0);
    EXPECT_EQ(EnvironmentIndexOfExt(state, "*.e1"), 2);
    m->Select(3);
    EXPECT_FALSE(m->Buttons().Down) << "the last cannot go down";
    ASSERT_TRUE(m->MoveUp());
    EXPECT_EQ(Files(), (V{"e0", "e2", "e3", "e1", "-", "-", "-", "-", "-", "-"}));
    m->Select(0);
    EXPECT_EQ(m->Buttons(), (TEditEnvButtons{true, true, false, false, true, true, false, false}));
}

TEST_F(EditEnvManagerTest, AFailingRenameLeavesEveryFileAsItWas)
{
    Make(5);
    const V before = Texts();
    for (const char* failing : {"qxeenv4.ini", "qxeenv2.ini"}) {  // a delete's last step, a move's second
        files.FailOn = failing;
        auto m = Manager();
        m->Select(2);
        prompter.Requests.clear();
        EXPECT_FALSE(std::string(failing) == "qxeenv4.ini" ? m->Delete() : m->MoveDown()) << failing;
        EXPECT_EQ(Texts(), before) << failing;
        EXPECT_EQ(m->Names().size(), 5u);
        EXPECT_TRUE(renumbered.empty());
        ASSERT_EQ(prompter.Requests.size(), 1u) << failing;
        EXPECT_EQ(prompter.Requests[0].Kind, TMsgDlgType::mtError);
    }
}

TEST_F(EditEnvManagerTest, NamesAreAskedAndAnEmptyOneIsRefused)
{
    Make(2);
    auto m = Manager();
    prompter.InputAnswers = {{true, ""}, {true, "新しい"}, {false, "x"}};
    EXPECT_FALSE(m->New());
    EXPECT_EQ(prompter.Requests.size(), 1u) << "the empty name is refused with a message";
    ASSERT_TRUE(m->New());
    EXPECT_EQ(prompter.Inputs[1].Caption, "エディタ環境-新規作成");
    EXPECT_EQ(prompter.Inputs[1].Prompt, "エディタ環境名称：");
    EXPECT_EQ(m->Names().back(), Utf8ToCp932("新しい"));
    EXPECT_EQ(LoadEnvironmentFile(EnvironmentFileName(state, 2))->EnvironmentName, Utf8ToCp932("新しい"));
    EXPECT_FALSE(m->New()) << "cancelled";
    EXPECT_EQ(m->Names().size(), 3u);

    // Copy takes the chosen environment's settings; rename keeps them under the new name.
    options.Record.WrapByte = 1;  // the working copy is overwritten by each load
    m->Select(1);
    prompter.InputAnswers = {{true, "copy"}, {true, "renamed"}};
    ASSERT_TRUE(m->Copy());
    EXPECT_EQ(LoadEnvironmentFile(EnvironmentFileName(state, 3))->FileExt, (V{"*.e1"}));
    ASSERT_TRUE(m->Rename());
    EXPECT_EQ(m->Names()[1], "renamed");
    EXPECT_EQ(ReadEnvironmentName(state, 1), "renamed");
    EXPECT_EQ(LoadEnvironmentFile(EnvironmentFileName(state, 1))->FileExt, (V{"*.e1"}));
}

TEST_F(EditEnvManagerTest, ImportExportAndTheLimitOfTen)
{
    Make(9);
    auto m = Manager();
    m->Select(3);
    const std::string exported = dir.File("out.qxe");
    dialogs.Files = {exported};
    ASSERT_TRUE(m->Export());
    EXPECT_EQ(LoadEnvironmentFile(exported)->EnvironmentName, "e3");
    EXPECT_EQ(dialogs.Requests.back().Filter, "QxEditorｴﾃﾞｨﾀ環境 (*.qxe)|*.qxe");

    const std::string nameless = dir.File("nameless.qxe");
    ASSERT_TRUE(SaveEnvironmentFile(TEditorEnvironment{}, nameless));
    dialogs.Files = {nameless, exported};
    EXPECT_FALSE(m->Import()) << "no name: nothing added";
    EXPECT_EQ(m->Names().size(), 9u);
    ASSERT_TRUE(m->Import());
    EXPECT_EQ(m->Names().back(), "e3");
    EXPECT_EQ(LoadEnvironmentFile(EnvironmentFileName(state, 9))->FileExt, (V{"*.e3"}));

    const TEditEnvButtons full = m->Buttons();
    EXPECT_FALSE(full.New);
    EXPECT_FALSE(full.Copy);
    EXPECT_FALSE(full.Import);
    EXPECT_FALSE(m->New());
    m->Select(9);
    ASSERT_TRUE(m->Delete());
    EXPECT_TRUE(m->Buttons().New) << "room again";
}

} // namespace
} // namespace qx::test
