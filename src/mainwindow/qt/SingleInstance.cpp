#include "mainwindow/qt/SingleInstance.h"

#include "platform/ProcessTime.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <algorithm>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

std::string HandOverSocketPath(const std::string& ProgramFolder)
{
    std::string folder = qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString();
    if (folder.empty() || folder.front() != '/') {
        folder = QDir::tempPath().toStdString() + "/QxEditor-" + std::to_string(::getuid());
        ::mkdir(folder.c_str(), 0700);
    }
    return folder + "/" + HandOverSocketName(ProgramFolder);
}

namespace {

// The process at the other end of a connected local socket; 0 when unknown.
int PeerProcess(QLocalSocket& Socket)
{
    struct ucred peer {};
    socklen_t size = sizeof peer;
    const int fd = static_cast<int>(Socket.socketDescriptor());
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 ? peer.pid : 0;
}

// Waits for the receiver's answer byte Expected while the receiving process works.
bool AwaitByte(QLocalSocket& Socket, char Expected, int Peer, int StuckMs)
{
    TProgressWatch watch{std::chrono::milliseconds(StuckMs)};
    while (Socket.bytesAvailable() < 1) {
        if (Socket.state() != QLocalSocket::ConnectedState && Socket.bytesAvailable() < 1) return false;
        if (Socket.waitForReadyRead(std::min(StuckMs, 100))) continue;
        if (Socket.state() != QLocalSocket::ConnectedState) return false;
        if (!watch.Working(TProgressWatch::TClock::now(), ProcessCpuTime(Peer))) return false;
    }
    char byte = 0;
    return Socket.read(&byte, 1) == 1 && byte == Expected;
}

} // namespace

bool SendHandOver(const std::string& Path, const std::vector<THandOverRecord>& Records, int StuckMs)
{
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(Path));
    if (!socket.waitForConnected(StuckMs)) return false;
    const int peer = PeerProcess(socket);
    if (peer <= 0 || !AwaitByte(socket, HandOverReady, peer, StuckMs)) return false;
    const std::string batch = EncodeHandOverBatch(Records);
    socket.write(batch.data(), static_cast<qint64>(batch.size()));
    if (!socket.waitForBytesWritten(StuckMs)) return false;
    return AwaitByte(socket, HandOverAck, peer, StuckMs);
}

TSingleInstance::TSingleInstance(QObject* Parent) : QObject(Parent), FServer(new QLocalServer(this))
{
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer, &QLocalServer::newConnection, this, [this] { Accept(); });
}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::Listen(const std::string& Path)
{
    const QString name = QString::fromStdString(Path);
    // Asked first: a private socket is bound aside and renamed into place, which would take the door
    // of a living copy. A socket file nobody answers on is left from a copy that was killed.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(1000)) return false;
    QLocalServer::removeServer(name);
    return FServer->listen(name);
}

void TSingleInstance::Accept()
{
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
        // Only this user's starts may hand over (the socket's folder is private too).
        struct ucred peer {};
        socklen_t size = sizeof peer;
        if (::getsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 ||
            peer.uid != ::getuid()) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        FBuffers[socket];
        socket->write(&HandOverReady, 1);
        socket->flush();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        // A sender that went away before its batch was whole leaves nothing behind.
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            FBuffers.erase(socket);
            socket->deleteLater();
        });
    }
}

void TSingleInstance::Read(QLocalSocket* Socket)
{
    auto it = FBuffers.find(Socket);
    if (it == FBuffers.end()) return;
    const QByteArray bytes = Socket->readAll();
    it->second.append(bytes.constData(), static_cast<size_t>(bytes.size()));
    THandOverDecode decoded = DecodeHandOverBatch(it->second);
    if (decoded.State == THandOverDecode::TState::NeedMore) return;
    FBuffers.erase(it);
    if (decoded.State == THandOverDecode::TState::Done) {
        Socket->write(&HandOverAck, 1);
        Socket->flush();
        FQueue.push_back(std::move(decoded.Records));
    }
    Socket->disconnectFromServer();
    Drain();
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
        const std::vector<THandOverRecord> batch = std::move(FQueue.front());
        FQueue.pop_front();
        for (const THandOverRecord& r : batch)
            if (OnRecord) OnRecord(r);
    }
}

} // namespace qx
