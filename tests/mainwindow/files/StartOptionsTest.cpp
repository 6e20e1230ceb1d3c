#include "mainwindow/files/StartOptions.h"

#include "mainwindow/desktop/HandOverBatch.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, GroupsOfOptionsAndFiles)
{
    struct Case {
        Args In;
        std::optional<std::vector<TOpenRequest>> Out;
    };
    const std::vector<Case> cases = {
        {{"a.txt"}, std::vector<TOpenRequest>{{"", "", "", "a.txt"}}},
        {{"/R", "/J", "10", "a.txt", "b.txt"},
         std::vector<TOpenRequest>{{"/R", "/J", "10", "a.txt"}, {"", "", "", "b.txt"}}},
        {{"/rl", "/jl", "3", "a"}, std::vector<TOpenRequest>{{"/RL", "/JL", "3", "a"}}},
        {{"/j", "5", "a"}, std::vector<TOpenRequest>{{"", "/J", "5", "a"}}},
        // "/R" after "/J" is no option any more: it is the group's file name.
        {{"/J", "10", "/R", "a"}, std::vector<TOpenRequest>{{"", "/J", "10", "/R"}, {"", "", "", "a"}}},
        {{"/J"}, std::nullopt},
        {{"/J", "10"}, std::nullopt},
        {{"/R"}, std::nullopt},
        {{"a", "/RL"}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto got = ParseCommandLine(c.In);
        ASSERT_EQ(got.has_value(), c.Out.has_value()) << c.In.front();
        if (got) EXPECT_EQ(*got, *c.Out) << c.In.front();
    }
}

TEST(CommandLine, JumpNumbersAndFolders)
{
    EXPECT_EQ(JumpNumber("12"), 12);
    EXPECT_EQ(JumpNumber("x"), 0);
    EXPECT_EQ(JumpNumber("12x"), 0);
    EXPECT_EQ(JumpNumber(""), 0);
    EXPECT_EQ(JoinToFolder("a.txt", "/home/u"), "/home/u/a.txt");
    EXPECT_EQ(JoinToFolder("a.txt", "/home/u/"), "/home/u/a.txt");
    EXPECT_EQ(JoinToFolder("/x/a.txt", "/home/u"), "/x/a.txt");
    // A relative name with a folder part is the sender's too, never the receiver's.
    EXPECT_EQ(JoinToFolder("sub/a.txt", "/home/u"), "/home/u/sub/a.txt");
    EXPECT_EQ(JoinToFolder("../a.txt", "/home/u/"), "/home/u/../a.txt");
}

TEST(CommandLine, AHandOverSendsEveryFileNameAbsoluteAndTheRestAsItIs)
{
    const std::vector<std::pair<Args, Args>> cases = {
        {{"./h.txt", "/R", "/J", "10", "sub/h.txt", "/abs/h.txt"},
         {"/from/./h.txt", "/R", "/J", "10", "/from/sub/h.txt", "/abs/h.txt"}},
        // The jump value is no name; a refused sequence goes as it is.
        {{"/JL", "3", "../h.txt"}, {"/JL", "3", "/from/../h.txt"}},
        {{"a.txt", "/J"}, {"a.txt", "/J"}},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(AbsoluteFileArguments(in, "/from"), out) << in.front();
    const auto records = HandOverRecords("/bin/QxEditor", "/from", {"sub/h.txt"});
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].Text, "/from/sub/h.txt");
}

struct Fed {
    THandOverReceiver::TStep Step;
    TOpenRequest Request;
};

std::vector<Fed> Feed(THandOverReceiver& R, const Args& Records)
{
    std::vector<Fed> out;
    R.Feed(HandOverProgramTag, "/usr/bin/QxEditor");
    R.Feed(HandOverFolderTag, "/sender");
    for (size_t i = 0; i < Records.size(); ++i) {
        const auto step = R.Feed(static_cast<int>(i + 1), Records[i]);
        if (step != THandOverReceiver::TStep::None) out.push_back({step, R.Request()});
    }
    return out;
}

TEST(HandOver, OptionsApplyToTheNextFileOnlyAndNamesJoinTheSendersFolder)
{
    THandOverReceiver r;
    const auto got = Feed(r, {"/R", "/J", "10", "a.txt", "b.txt"});
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].Request, (TOpenRequest{"/R", "/J", "10", "/sender/a.txt"}));
    EXPECT_EQ(got[1].Request, (TOpenRequest{"", "", "", "/sender/b.txt"}));
}

TEST(HandOver, AReadOptionAfterAJumpIsRefusedAndTheCollectionStartsAgain)
{
    THandOverReceiver r;
    const auto got = Feed(r, {"/J", "10", "/R", "a.txt"});
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].Step, THandOverReceiver::TStep::BadOption);
    EXPECT_EQ(got[1].Step, THandOverReceiver::TStep::Open);
    EXPECT_EQ(got[1].Request, (TOpenRequest{"", "", "", "/sender/a.txt"}));
}

TEST(HandOver, ANewSenderDropsAHalfGroup)
{
    THandOverReceiver r;
    EXPECT_TRUE(Feed(r, {"/R", "/J"}).empty());
    const auto got = Feed(r, {"c.txt"});
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].Request, (TOpenRequest{"", "", "", "/sender/c.txt"}));
}

} // namespace
} // namespace qx
