#include "mainwindow/qt/SingleInstance.h"

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <future>

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

} // namespace
} // namespace qx
