#include "dialogs/ExternalCommands.h"

#include "platform/Cp932.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace qx;
using qx::test::ReadBytes;
using qx::test::RecordingLauncher;
using qx::test::ScriptedMessagePrompter;
using qx::test::TempDir;
using qx::test::WriteBytes;

using Args = std::vector<std::string>;

TEST(ExternalCommands, ALineGivesItsProgramAndParameters)
{
    const struct {
        const char* Line;
        const char* Program;
        const char* Parameters;
    } cases[] = {
        {"Com=/usr/bin/gedit;Parm=%FILENAME%;", "/usr/bin/gedit", "%FILENAME%"},
        {"Com=diff;Parm=-u a;b;", "diff", "-u a;b"},  // only the last ";" ends the parameters
        {"Com=ls;Parm=;", "ls", ""},
        {"Com=ls;", "ls", ""},                        // no "Parm=": no parameters at all
        {"Com=ls;Parm=-l", "ls", "-l"},                // a hand-made line without the final ";"
        {"xterm", "xterm", ""},                        // no "Com=": the whole line
        {"Com=xterm", "Com=xterm", ""},                // no ";": the whole line
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandProgram(c.Line), c.Program) << c.Line;
        EXPECT_EQ(CommandParameters(c.Line), c.Parameters) << c.Line;
    }
    EXPECT_EQ(CommandLine("vi", "+1 %FILENAME%"), "Com=vi;Parm=+1 %FILENAME%;");
}

TEST(ExternalCommands, TheTemplateIsSplitIntoArgumentsBeforeTheFileNameGoesIn)
{
    const struct {
        const char* Template;
        Args Split;
    } cases[] = {
        {"", {}},
        {"  -a \t b  ", {"-a", "b"}},
        {"\"two words\" x", {"two words", "x"}},
        {"--name=\"a b\"c", {"--name=a bc"}},
        {"\"\" x", {"", "x"}},
        {"\"open", {"open"}},
        {"\"%FILENAME%\"", {"%FILENAME%"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitArguments(c.Template), c.Split) << c.Template;

    EXPECT_EQ(ReplaceFileName("%FILENAME%:%FILENAME%", "/t/%FILENAME%"), "/t/%FILENAME%:/t/%FILENAME%");

    // A name with blanks and quotes stays one argument, whatever the template's quoting.
    const std::string name = "/home/u/a \"b\" c.txt";
    for (const char* line : {"Com=wc;Parm=-l %FILENAME%;", "Com=wc;Parm=-l \"%FILENAME%\";"}) {
        const TCommandInvocation command = PrepareCommand(line, name);
        EXPECT_EQ(command.Program, "wc");
        EXPECT_EQ(command.Arguments, (Args{"-l", name})) << line;
    }
    // The template's Shift-JIS text reaches the program as the file system's UTF-8; the name as it is.
    const TCommandInvocation japanese = PrepareCommand(Utf8ToCp932("Com=echo;Parm=表 %FILENAME%;"), "/漢字.txt");
    EXPECT_EQ(japanese.Arguments, (Args{"表", "/漢字.txt"}));
    EXPECT_TRUE(PrepareCommand("Com=true;", "x").Arguments.empty());
}

class CommandListTest : public ::testing::Test {
protected:
    std::string Folder() const { return Dir.Path() + "/"; }
    TempDir Dir;
    ScriptedMessagePrompter Prompter;
    RecordingLauncher Launcher;
    TCommandListModel Model{Folder(), Prompter, Launcher};
    int Beeps = 0;
    void SetUp() override { Model.Beep = [this] { ++Beeps; }; }
};

TEST_F(CommandListTest, ExecuteStartsTheProgramWithTheFileNameAsOneArgument)
{
    WriteBytes(Dir.File("Command"), "Com=/usr/bin/wc;Parm=-l %FILENAME%;\r\nCom=true;\r\n");
    Model.Load();
    EXPECT_EQ(Model.ItemIndex(), 0);
    EXPECT_EQ(Model.Program, "/usr/bin/wc");
    EXPECT_EQ(Model.Parameters, "-l %FILENAME%");

    ASSERT_TRUE(Model.Execute("/tmp/a \"b\" c.txt"));
    ASSERT_EQ(Launcher.Calls.size(), 1u);
    EXPECT_EQ(Launcher.Calls[0].Target, "/usr/bin/wc");
    EXPECT_EQ(Launcher.Calls[0].Arguments, (Args{"-l", "/tmp/a \"b\" c.txt"}));
    EXPECT_EQ(Launcher.Calls[0].Folder, Folder());

    Model.Select(1);
    ASSERT_TRUE(Model.Execute("/tmp/x"));
    EXPECT_TRUE(Launcher.Calls[1].Arguments.empty());

    // A long name is passed whole.
    const std::string longName = "/tmp/" + std::string(400, 'n');
    Model.Select(0);
    Model.Execute(longName);
    EXPECT_EQ(Launcher.Calls[2].Arguments.back(), longName);
    EXPECT_TRUE(Prompter.Requests.empty());
}

TEST_F(CommandListTest, MissingSelectionsAndFailedStartsAreReported)
{
    Model.Load();  // no file: an empty list
    EXPECT_EQ(Model.ItemIndex(), -1);
    EXPECT_FALSE(Model.Execute("/tmp/x"));
    Model.Delete();
    EXPECT_EQ(Prompter.Texts(), (Args{"実行するコマンドが選択されていません。", "削除するコマンドが選択されていません。"}));
    EXPECT_EQ(Prompter.Requests[0].Caption, "確認");
    EXPECT_EQ(Beeps, 2);

    Model.Program = "no-such-program";
    Model.Add();
    Launcher.Result = false;
    EXPECT_FALSE(Model.Execute("/tmp/x"));
    EXPECT_EQ(Prompter.Requests.back().Kind, TMsgDlgType::mtError);
    EXPECT_NE(Prompter.Requests.back().Text.find("no-such-program"), std::string::npos);
    EXPECT_TRUE(Launcher.Calls.size() == 1u);
}

TEST_F(CommandListTest, AddChangeAndDeleteKeepTheFileFormat)
{
    Model.Load();
    Model.Program = Utf8ToCp932("/opt/表示");
    Model.Parameters = "%FILENAME%";
    Model.Add();
    Model.Program = "b";
    Model.Parameters = "";
    Model.Add();
    EXPECT_EQ(Model.ItemIndex(), 1);
    Model.Program = "c";
    Model.Change();
    Model.Save();
    EXPECT_EQ(ReadBytes(Dir.File("Command")), Utf8ToCp932("Com=/opt/表示;Parm=%FILENAME%;\r\nCom=c;Parm=;\r\n"));

    Model.Select(0);
    Model.Delete();
    EXPECT_EQ(Model.ItemIndex(), 0);
    EXPECT_EQ(Model.Program, "c");
    Model.Save();
    EXPECT_EQ(ReadBytes(Dir.File("Command")), "Com=c;Parm=;\r\n");
}

TEST_F(CommandListTest, AListThatCouldNotBeReadIsNotOverwritten)
{
    std::filesystem::create_directory(Dir.File("Command"));  // no regular file: it cannot be read
    EXPECT_ANY_THROW(Model.Load());
    Model.Save();
    EXPECT_TRUE(std::filesystem::is_directory(Dir.File("Command")));
}
