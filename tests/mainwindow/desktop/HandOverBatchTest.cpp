#include "mainwindow/desktop/HandOverBatch.h"

#include "mainwindow/files/StartOptions.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qx {
namespace {

using TState = THandOverDecoder::TState;

// A batch fed in one piece.
THandOverDecoder Decoded(std::string_view Bytes)
{
    THandOverDecoder decoder;
    decoder.Feed(Bytes);
    return decoder;
}

TEST(HandOverBatch, RoundTripAndPartialArrival)
{
    const auto records = HandOverRecords("/bin/QxEditor", "/home/u", {"/R", "日本語.txt", std::string("a\0b", 3), ""});
    const std::string bytes = EncodeHandOverBatch(records);
    for (size_t cut = 0; cut < bytes.size(); ++cut) ASSERT_EQ(Decoded(bytes.substr(0, cut)).State(), TState::NeedMore) << cut;
    // The batch ends where its last record does: what follows is not taken.
    THandOverDecoder whole;
    EXPECT_EQ(whole.Feed(bytes + "QXH1"), bytes.size());
    ASSERT_EQ(whole.State(), TState::Done);
    EXPECT_EQ(whole.Records(), records);
    // A byte at a time arrives the same.
    THandOverDecoder bytewise;
    for (char c : bytes) EXPECT_EQ(bytewise.Feed(std::string_view(&c, 1)), 1u);
    ASSERT_EQ(bytewise.State(), TState::Done);
    EXPECT_EQ(bytewise.TakeRecords(), records);
    EXPECT_EQ(Decoded(EncodeHandOverBatch({})).State(), TState::Done);
}

TEST(HandOverBatch, ForeignOrOversizedInputIsRefused)
{
    EXPECT_EQ(Decoded("GET / HTTP/1.1").State(), TState::Bad);
    EXPECT_EQ(Decoded("Q").State(), TState::NeedMore);
    EXPECT_EQ(Decoded("QXG").State(), TState::Bad);
    std::string huge = EncodeHandOverBatch({{1, std::string(MaxHandOverRecordBytes + 1, 'x')}});
    EXPECT_EQ(Decoded(huge.substr(0, 20)).State(), TState::Bad);
    std::string many = EncodeHandOverBatch({});
    many[4] = '\xFF', many[5] = '\xFF', many[6] = '\xFF', many[7] = '\x7F';
    EXPECT_EQ(Decoded(many).State(), TState::Bad);
}

TEST(HandOverBatch, TheLargestBatchIsReadOnceAsItsPiecesArrive)
{
    // 1024 records of 64 KB, a 64 MB batch, in the 64 KB pieces a socket gives.
    std::vector<THandOverRecord> records;
    for (std::uint32_t i = 0; i < MaxHandOverRecords; ++i)
        records.push_back({static_cast<int>(i % 200) + 1, std::string(MaxHandOverRecordBytes, static_cast<char>('a' + i % 26))});
    const std::string batch = EncodeHandOverBatch(records);
    THandOverDecoder decoder;
    std::vector<char> piece(64 * 1024);
    std::size_t given = 0, rounds = 0;
    for (std::size_t at = 0; at < batch.size(); at += piece.size()) {
        const std::size_t size = std::min(piece.size(), batch.size() - at);
        std::copy_n(batch.data() + at, size, piece.data());
        // The reader asks for bytes and puts them where the decoder says, as the socket does.
        for (std::size_t used = 0; used < size; ++rounds) {
            const std::span<char> into = decoder.Wanted();
            ASSERT_FALSE(into.empty());
            const std::size_t n = std::min(into.size(), size - used);
            std::copy_n(piece.data() + used, n, into.data());
            decoder.Took(n);
            used += n;
            given += n;
        }
        // The piece is gone: nothing is read from it again.
        std::fill(piece.begin(), piece.end(), '\0');
    }
    ASSERT_EQ(decoder.State(), TState::Done);
    // Every byte was asked for once, in a number of steps that grows with the records and pieces only.
    EXPECT_EQ(given, batch.size());
    EXPECT_LE(rounds, 2 * records.size() + batch.size() / piece.size() + 2);
    EXPECT_EQ(decoder.HeldBytes(), std::size_t{MaxHandOverRecords} * MaxHandOverRecordBytes);
    EXPECT_TRUE(decoder.Records() == records);
    EXPECT_TRUE(decoder.Wanted().empty());
}

TEST(HandOverBatch, TheFolderTagNeverNamesAnArgument)
{
    std::vector<std::string> args(300, "f");
    const auto records = HandOverRecords("p", "/d", args);
    int folders = 0;
    for (const auto& r : records) folders += r.Tag == HandOverFolderTag;
    EXPECT_EQ(folders, 1);
    EXPECT_EQ(Decoded(EncodeHandOverBatch(records)).Records().size(), 302u);
}

TEST(HandOverBatch, SocketNamesDifferPerProgramFolder)
{
    EXPECT_EQ(HandOverSocketName("/a/"), HandOverSocketName("/a/"));
    EXPECT_NE(HandOverSocketName("/a/"), HandOverSocketName("/b/"));
}

} // namespace
} // namespace qx
