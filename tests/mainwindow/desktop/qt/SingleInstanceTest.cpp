#include "mainwindow/desktop/qt/SingleInstance.h"

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <future>
#include <memory>

namespace qx {
namespace {

struct SingleInstanceTest : ::testing::Test {
    test::TempDir Dir;
    std::string Path = Dir.File("door");
    TSingleInstance Instance;
    std::vector<THandOverRecord> Got;

    void SetUp() override
    {
        Instance.OnRecord = [this](const THandOverRecord& R) { Got.push_back(R); };
    }
    // Runs the event loop until Done holds or Ms milliseconds pass.
    template <class F> void SpinUntil(F&& Done, int Ms = 5000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!Done() && timer.elapsed() < Ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    bool Send(const std::vector<THandOverRecord>& Records)
    {
        auto sent = std::async(std::launch::async, [&] { return SendHandOver(Path, Records, 3000); });
        SpinUntil([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
        return sent.get();
    }
};

TEST_F(SingleInstanceTest, ABatchArrivesWholeAndInOrderAndIsAcknowledged)
{
    ASSERT_TRUE(Instance.Listen(Path));
    const auto records = HandOverRecords("/bin/QxEditor", "/home/u", {"/R", "a.txt"});
    EXPECT_TRUE(Send(records));
    SpinUntil([&] { return Got.size() == records.size(); });
    EXPECT_EQ(Got, records);
    // A second copy cannot take the door of a living one.
    TSingleInstance other;
    EXPECT_FALSE(other.Listen(Path));
}

TEST_F(SingleInstanceTest, NobodyListeningMeansTheStartRunsAsTheFirstCopy)
{
    EXPECT_FALSE(SendHandOver(Path, HandOverRecords("p", "/", {"a"}), 500));
}

TEST_F(SingleInstanceTest, TheSocketOfAKilledCopyIsTakenOver)
{
    // A bound socket file whose owner is gone, as a copy killed with -9 leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", Path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    EXPECT_TRUE(Instance.Listen(Path));
    EXPECT_TRUE(Send(HandOverRecords("p", "/", {"a"})));
}

TEST_F(SingleInstanceTest, ACopyBusyAtItsWorkIsWaitedForAndAStuckOneGivenUpWithNothingLeft)
{
    ASSERT_TRUE(Instance.Listen(Path));
    const auto records = HandOverRecords("p", "/", {"/busy.txt"});
    // Busy: the receiving copy works for three times the sender's patience before it takes the batch.
    auto sent = std::async(std::launch::async, [&] { return SendHandOver(Path, records, 400); });
    QElapsedTimer busy;
    busy.start();
    for (volatile unsigned n = 0; busy.elapsed() < 1200; n = n + 1) {
    }
    SpinUntil([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    EXPECT_TRUE(sent.get());
    SpinUntil([&] { return Got.size() == records.size(); });
    EXPECT_EQ(Got, records);

    // Stuck: the copy does nothing at all; the start gives up, and the copy, once back, opens nothing.
    Got.clear();
    sent = std::async(std::launch::async, [&] { return SendHandOver(Path, records, 400); });
    EXPECT_EQ(sent.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_FALSE(sent.get());
    SpinUntil([] { return false; }, 300);
    EXPECT_TRUE(Got.empty());
}

TEST_F(SingleInstanceTest, HalfBatchesAndForeignBytesAreDropped)
{
    ASSERT_TRUE(Instance.Listen(Path));
    const std::string whole = EncodeHandOverBatch(HandOverRecords("p", "/", {"lost.txt"}));
    for (const std::string& bytes : {whole.substr(0, whole.size() - 3), std::string("GET / HTTP/1.0\r\n\r\n")}) {
        auto done = std::async(std::launch::async, [&] {
            QLocalSocket socket;
            socket.connectToServer(QString::fromStdString(Path));
            if (!socket.waitForConnected(3000)) return;
            socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
            socket.waitForBytesWritten(3000);
            socket.waitForReadyRead(300);
        });
        SpinUntil([&] { return done.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    }
    const auto kept = HandOverRecords("p", "/", {"kept.txt"});
    EXPECT_TRUE(Send(kept));
    SpinUntil([&] { return Got.size() >= kept.size(); });
    EXPECT_EQ(Got, kept);
}

TEST_F(SingleInstanceTest, EachSideTalksOnlyToTheSameUser)
{
    // A copy that takes only another user's batches refuses ours...
    TSingleInstance foreign(nullptr, ::geteuid() + 1);
    foreign.OnRecord = [this](const THandOverRecord& R) { Got.push_back(R); };
    ASSERT_TRUE(foreign.Listen(Path));
    EXPECT_FALSE(Send(HandOverRecords("p", "/", {"secret.txt"})));
    // ...and a start that trusts only another user sends nothing to ours.
    const std::string ours = Dir.File("ours");
    ASSERT_TRUE(Instance.Listen(ours));
    auto sent = std::async(std::launch::async, [&] { return SendHandOver(ours, HandOverRecords("p", "/", {"b"}), 3000, ::geteuid() + 1); });
    SpinUntil([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    EXPECT_FALSE(sent.get());
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_TRUE(Got.empty());
    // No private folder, no single-instance mode: nothing is sent and nobody listens.
    EXPECT_FALSE(SendHandOver("", HandOverRecords("p", "/", {"c"})));
    TSingleInstance none;
    EXPECT_FALSE(none.Listen(""));
}

TEST_F(SingleInstanceTest, WhileADialogIsOpenTheBatchesHeldStayUnderTheCap)
{
    ASSERT_TRUE(Instance.Listen(Path));
    // 40 MB each: two fit under the cap together, a third does not.
    std::vector<THandOverRecord> big{{0, "p"}};
    for (int i = 0; i < 640; ++i) big.push_back({1, std::string(MaxHandOverRecordBytes, 'x')});
    const std::size_t bigBytes = 640 * std::size_t{MaxHandOverRecordBytes};
    ASSERT_LE(2 * bigBytes, MaxHandOverHeldBytes);
    ASSERT_GT(3 * bigBytes, MaxHandOverHeldBytes);
    std::size_t most = 0;
    std::vector<bool> results;
    bool inDialog = false;
    Instance.OnRecord = [&](const THandOverRecord& R) {
        Got.push_back(R);
        if (R.Text != "first" || inDialog) return;
        // The first batch's "dialog": three large batches come meanwhile.
        inDialog = true;
        std::vector<std::future<bool>> senders;
        for (int i = 0; i < 3; ++i)
            senders.push_back(std::async(std::launch::async, [&] { return SendHandOver(Path, big, 20000); }));
        for (auto& sender : senders) {
            QElapsedTimer timer;
            timer.start();
            while (sender.wait_for(std::chrono::seconds(0)) != std::future_status::ready && timer.elapsed() < 30000) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                most = std::max(most, Instance.HeldBytes());
            }
            results.push_back(sender.get());
        }
        EXPECT_EQ(Got.size(), 1u);  // nothing is handed on while the dialog runs
    };
    EXPECT_TRUE(Send({{1, "first"}}));
    SpinUntil([&] { return results.size() == 3 && Got.size() >= 1 + 2 * big.size(); });
    EXPECT_LE(most, MaxHandOverHeldBytes);
    EXPECT_GE(most, 2 * bigBytes);
    EXPECT_EQ(std::count(results.begin(), results.end(), true), 2);
    EXPECT_EQ(Got.size(), 1 + 2 * big.size());
    EXPECT_EQ(Instance.HeldBytes(), 0u);
}

TEST_F(SingleInstanceTest, StalledBatchesAreDroppedAndOnlyAFewAreReadAtATime)
{
    Instance.SetBatchTimeout(300);
    ASSERT_TRUE(Instance.Listen(Path));
    // Starts that send the beginning of a batch and then nothing.
    std::vector<std::unique_ptr<QLocalSocket>> stalled;
    for (int i = 0; i < MaxHandOverConnections + 4; ++i) {
        stalled.push_back(std::make_unique<QLocalSocket>());
        stalled.back()->connectToServer(QString::fromStdString(Path));
        ASSERT_TRUE(stalled.back()->waitForConnected(3000));
        stalled.back()->write("QXH1\x01\0\0\0", 8);
        stalled.back()->flush();
    }
    int most = 0;
    const auto allDropped = [&] {
        most = std::max(most, Instance.Connections());
        return std::all_of(stalled.begin(), stalled.end(),
                           [](const auto& s) { return s->state() == QLocalSocket::UnconnectedState; });
    };
    SpinUntil(allDropped);
    EXPECT_TRUE(allDropped());
    EXPECT_EQ(most, MaxHandOverConnections);
    EXPECT_EQ(Instance.Connections(), 0);
    // The door is still open.
    const auto records = HandOverRecords("p", "/", {"after.txt"});
    EXPECT_TRUE(Send(records));
    SpinUntil([&] { return Got.size() == records.size(); });
    EXPECT_EQ(Got, records);
}

// A start accepted while the window hands on earlier records (a dialog, then a long load that lets
// timers run but reads no socket) is not stalled: its batch is read once the window is free.
TEST_F(SingleInstanceTest, ABatchWaitingBehindALongLoadIsNotDropped)
{
    Instance.SetBatchTimeout(300);
    ASSERT_TRUE(Instance.Listen(Path));
    QLocalSocket later;
    Instance.OnRecord = [&](const THandOverRecord& R) {
        Got.push_back(R);
        if (R.Text != "first") return;
        // The dialog's loop accepts the later start; the load then runs for longer than the timeout.
        later.connectToServer(QString::fromStdString(Path));
        SpinUntil([&] { return Instance.Connections() == 1; });
        QElapsedTimer load;
        load.start();
        while (load.elapsed() < 900) QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers, 20);
        EXPECT_EQ(Instance.Connections(), 1);
    };
    EXPECT_TRUE(Send({{1, "first"}}));
    ASSERT_EQ(later.state(), QLocalSocket::ConnectedState);
    later.write(QByteArray::fromStdString(EncodeHandOverBatch({{1, "second"}})));
    later.flush();
    SpinUntil([&] { return Got.size() == 2; });
    ASSERT_EQ(Got.size(), 2u);
    EXPECT_EQ(Got[1].Text, "second");
}

} // namespace
} // namespace qx
