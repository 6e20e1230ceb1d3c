#include "mainwindow/HandOverBatch.h"

#include "mainwindow/StartOptions.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(HandOverBatch, RoundTripAndPartialArrival)
{
    const auto records = HandOverRecords("/bin/QxEditor", "/home/u", {"/R", "日本語.txt", std::string("a\0b", 3)});
    const std::string bytes = EncodeHandOverBatch(records);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        const auto part = DecodeHandOverBatch(bytes.substr(0, cut));
        ASSERT_EQ(part.State, THandOverDecode::TState::NeedMore) << cut;
    }
    const auto whole = DecodeHandOverBatch(bytes + "QXH1");
    ASSERT_EQ(whole.State, THandOverDecode::TState::Done);
    EXPECT_EQ(whole.Records, records);
    EXPECT_EQ(whole.Consumed, bytes.size());
}

TEST(HandOverBatch, ForeignOrOversizedInputIsRefused)
{
    EXPECT_EQ(DecodeHandOverBatch("GET / HTTP/1.1").State, THandOverDecode::TState::Bad);
    std::string huge = EncodeHandOverBatch({{1, std::string(MaxHandOverRecordBytes + 1, 'x')}});
    EXPECT_EQ(DecodeHandOverBatch(huge.substr(0, 20)).State, THandOverDecode::TState::Bad);
    std::string many = EncodeHandOverBatch({});
    many[4] = '\xFF', many[5] = '\xFF', many[6] = '\xFF', many[7] = '\x7F';
    EXPECT_EQ(DecodeHandOverBatch(many).State, THandOverDecode::TState::Bad);
}

TEST(HandOverBatch, TheFolderTagNeverNamesAnArgument)
{
    std::vector<std::string> args(300, "f");
    const auto records = HandOverRecords("p", "/d", args);
    int folders = 0;
    for (const auto& r : records) folders += r.Tag == HandOverFolderTag;
    EXPECT_EQ(folders, 1);
    EXPECT_EQ(DecodeHandOverBatch(EncodeHandOverBatch(records)).Records.size(), 302u);
}

TEST(HandOverBatch, SocketNamesDifferPerProgramFolder)
{
    EXPECT_EQ(HandOverSocketName("/a/"), HandOverSocketName("/a/"));
    EXPECT_NE(HandOverSocketName("/a/"), HandOverSocketName("/b/"));
}

} // namespace
} // namespace qx
