#include "mainwindow/commands/FileCommands.h"

#include "platform/Trash.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct FakeTrash : TTrash {
    bool MoveToTrash(const std::string& FileName) override
    {
        Moved.push_back(FileName);
        return Works;
    }
    std::vector<std::string> Moved;
    bool Works = true;
};

TEST(FileCommands, DocumentsWithoutAFileAreRefusedWithABeep)
{
    test::ScriptedMessagePrompter prompter;
    FakeTrash trash;
    int beeps = 0;
    for (const std::string& name : {std::string("無題 1"), std::string("Grep 3"), std::string("Project 2"), std::string()}) {
        EXPECT_FALSE(MoveDocumentToTrash(name, trash, prompter, [&] { ++beeps; }));
    }
    EXPECT_EQ(beeps, 4);
    EXPECT_TRUE(trash.Moved.empty());
    ASSERT_EQ(prompter.Requests.size(), 4u);
    EXPECT_EQ(prompter.Requests[0].Text, "ファイルは存在しません。");
    EXPECT_EQ(prompter.Requests[0].Caption, "確認");
    EXPECT_TRUE(RequireDocumentFile("/tmp/a.txt", prompter, {}));
}

TEST(FileCommands, TheTrashAsksAndReportsAFailure)
{
    test::ScriptedMessagePrompter prompter;
    FakeTrash trash;
    prompter.Answers = {mr::No, mr::Yes, mr::Yes};
    EXPECT_FALSE(MoveDocumentToTrash("/d/a.txt", trash, prompter, {}));
    EXPECT_TRUE(trash.Moved.empty());
    EXPECT_TRUE(MoveDocumentToTrash("/d/a.txt", trash, prompter, {}));
    trash.Works = false;
    EXPECT_FALSE(MoveDocumentToTrash("/d/a.txt", trash, prompter, {}));
    EXPECT_EQ(trash.Moved, (std::vector<std::string>{"/d/a.txt", "/d/a.txt"}));
    ASSERT_EQ(prompter.Requests.size(), 4u);
    EXPECT_EQ(prompter.Requests[0].Text, "現在開いているファイルをごみ箱へ移動してもいいですか？");
    EXPECT_EQ(prompter.Requests[3].Text, "ごみ箱へ移動できませんでした。\n/d/a.txt");
    EXPECT_EQ(prompter.Requests[3].Kind, TMsgDlgType::mtError);
}

} // namespace
} // namespace qx
