#include "mainwindow/desktop/qt/SingleInstance.h"

#include "mainwindow/desktop/HandOverFolder.h"
#include "platform/ProcessTime.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <span>

#include <sys/socket.h>

namespace qx {

namespace {

// The process at the socket's other end as it connected (or listened); nullopt when unknown.
std::optional<struct ucred> Peer(qintptr Descriptor)
{
    struct ucred peer {};
    socklen_t size = sizeof peer;
    if (::getsockopt(static_cast<int>(Descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 ||
        size != sizeof peer)
        return std::nullopt;
    return peer;
}

// True when the process at the socket's other end ran as `User`.
bool PeerIs(qintptr Descriptor, uid_t User)
{
    const auto peer = Peer(Descriptor);
    return peer && peer->uid == User;
}

// Waits for the receiver's answer byte Expected while the receiving process works.
bool AwaitByte(QLocalSocket& Socket, char Expected, int PeerPid, int StuckMs)
{
    TProgressWatch watch{std::chrono::milliseconds(StuckMs)};
    while (Socket.bytesAvailable() < 1) {
        if (Socket.waitForReadyRead(std::min(StuckMs, 100))) continue;
        if (Socket.state() != QLocalSocket::ConnectedState) return false;
        if (!watch.Working(TProgressWatch::TClock::now(), ProcessCpuTime(PeerPid))) return false;
    }
    char byte = 0;
    return Socket.read(&byte, 1) == 1 && byte == Expected;
}

} // namespace

std::string HandOverSocketPath(const std::string& ProgramFolder)
{
    const std::string folder = HandOverFolder(qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString(),
                                              QDir::tempPath().toStdString(), ::geteuid());
    return folder.empty() ? std::string() : folder + "/" + HandOverSocketName(ProgramFolder);
}

bool SendHandOver(const std::string& Path, const std::vector<THandOverRecord>& Records, int StuckMs, uid_t User)
{
    if (Path.empty()) return false;
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(Path));
    if (!socket.waitForConnected(StuckMs)) return false;
    // The names of the files go to a copy of this user's only.
    const auto peer = Peer(socket.socketDescriptor());
    if (!peer || peer->uid != User || peer->pid <= 0) return false;
    if (!AwaitByte(socket, HandOverReady, peer->pid, StuckMs)) return false;
    const std::string batch = EncodeHandOverBatch(Records);
    socket.write(batch.data(), static_cast<qint64>(batch.size()));
    if (!socket.waitForBytesWritten(StuckMs)) return false;
    return AwaitByte(socket, HandOverAck, peer->pid, StuckMs);
}

TSingleInstance::TSingleInstance(QObject* Parent, uid_t User)
    : QObject(Parent), FUser(User), FServer(new QLocalServer(this))
{
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer, &QLocalServer::newConnection, this, [this] { Accept(); });
}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::Listen(const std::string& Path)
{
    if (Path.empty()) return false;
    const QString name = QString::fromStdString(Path);
    // Asked first: a private socket is bound aside and renamed into place, which would take the door
    // of a living copy. A socket file nobody answers on is left from a copy that was killed.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(1000)) return false;
    QLocalServer::removeServer(name);
    return FServer->listen(name);
}

std::size_t TSingleInstance::HeldBytes() const
{
    std::size_t bytes = FQueuedBytes;
    for (const auto& [socket, batch] : FBatches) bytes += batch.HeldBytes();
    return bytes;
}

void TSingleInstance::Accept()
{
    // Beyond the batches being read, later starts wait in the server's queue for their turn.
    while (Connections() < MaxHandOverConnections) {
        QLocalSocket* socket = FServer->nextPendingConnection();
        if (!socket) return;
        // Only this user's starts may hand over (the socket's folder is private too).
        if (!PeerIs(socket->socketDescriptor(), FUser)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        FBatches.emplace(socket, THandOverDecoder());
        socket->write(&HandOverReady, 1);
        socket->flush();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        // A sender that went away before its batch was whole leaves nothing behind.
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { Drop(socket); });
        ArmTimeout(socket);
    }
}

void TSingleInstance::ArmTimeout(QLocalSocket* Socket)
{
    QTimer::singleShot(FBatchTimeoutMs, Socket, [this, Socket] {
        // While earlier records are handed on (a long load lets timers run but reads no socket), the
        // batch is not stalled, only unread: its time starts again.
        if (FDraining && FBatches.count(Socket))
            ArmTimeout(Socket);
        else
            Drop(Socket);
    });
}

void TSingleInstance::Read(QLocalSocket* Socket)
{
    const auto it = FBatches.find(Socket);
    if (it == FBatches.end()) return;
    THandOverDecoder& batch = it->second;
    // Straight into the records, each byte once.
    while (batch.State() == THandOverDecoder::TState::NeedMore && Socket->bytesAvailable() > 0) {
        const std::span<char> into = batch.Wanted();
        const qint64 n = Socket->read(into.data(), static_cast<qint64>(into.size()));
        if (n <= 0) break;
        batch.Took(static_cast<std::size_t>(n));
        if (HeldBytes() > MaxHandOverHeldBytes) break;
    }
    if (batch.State() == THandOverDecoder::TState::NeedMore && HeldBytes() <= MaxHandOverHeldBytes) return;
    if (batch.State() == THandOverDecoder::TState::Done && HeldBytes() <= MaxHandOverHeldBytes) {
        Socket->write(&HandOverAck, 1);
        Socket->flush();
        const std::size_t bytes = batch.HeldBytes();
        FQueue.push_back({batch.TakeRecords(), bytes});
        FQueuedBytes += bytes;
    }
    Drop(Socket);
    Drain();
}

void TSingleInstance::Drop(QLocalSocket* Socket)
{
    if (FBatches.erase(Socket) == 0) return;
    Socket->disconnect(this);
    // Closed once the acknowledgement (if any) is out; an unfinished batch is simply cut off.
    connect(Socket, &QLocalSocket::disconnected, Socket, &QObject::deleteLater);
    Socket->disconnectFromServer();
    if (Socket->state() == QLocalSocket::UnconnectedState) Socket->deleteLater();
    Accept();
}

void TSingleInstance::Drain()
{
    // A dialog shown for one batch runs a nested loop that may bring the next: it waits its turn.
    if (FDraining) return;
    FDraining = true;
    struct Reset {
        bool& Flag;
        ~Reset() { Flag = false; }
    } reset{FDraining};
    while (!FQueue.empty()) {
        // The batch counts as held until it has been handed on.
        struct Release {
            std::size_t& Held;
            std::size_t Bytes;
            ~Release() { Held -= Bytes; }
        } release{FQueuedBytes, FQueue.front().Bytes};
        const std::vector<THandOverRecord> batch = std::move(FQueue.front().Records);
        FQueue.pop_front();
        for (const THandOverRecord& r : batch)
            if (OnRecord) OnRecord(r);
    }
}

} // namespace qx
