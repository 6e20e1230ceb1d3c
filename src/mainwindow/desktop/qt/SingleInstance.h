#pragma once
// The running copy's door for later starts: a local socket of this user, named after the program
// folder, in a folder of this user's alone (HandOverFolder). A later start sends its records as one
// batch and ends when the batch is acknowledged; the running copy hands the records on one batch at a
// time, in arrival order, even while a dialog of an earlier batch runs. Each side makes sure the other
// is a process of the same user before it trusts it.
//
// What a sender can make the running copy hold is bounded: at most MaxHandOverConnections batches are
// read at a time (later starts wait their turn), the bytes of the batches being read and of those
// waiting for a dialog to close stay under MaxHandOverHeldBytes (a batch that would pass it is dropped),
// and a batch that has not arrived whole within the batch time is dropped.

#include "mainwindow/desktop/HandOverBatch.h"

#include <QObject>

#include <deque>
#include <functional>
#include <map>

#include <unistd.h>

class QLocalServer;
class QLocalSocket;

namespace qx {

inline constexpr int MaxHandOverConnections = 8;
inline constexpr std::size_t MaxHandOverHeldBytes = 96u << 20;
inline constexpr int HandOverBatchTimeoutMs = 10000;

// The socket path for a program folder; "" when this user has no private folder for it (the program
// then runs without single-instance mode).
std::string HandOverSocketPath(const std::string& ProgramFolder);

// Hands the records to the copy listening at Path, when it is a process of `User`; false when none
// answers or another user's does (the caller then runs as the first copy). A copy busy at its work
// (loading a large file) is waited for as long as it works; one that is stopped or stuck, using next to
// no processor time for StuckMs, is given up, and the batch is never sent to it.
bool SendHandOver(const std::string& Path, const std::vector<THandOverRecord>& Records, int StuckMs = 5000,
                  uid_t User = ::geteuid());

class TSingleInstance : public QObject {
public:
    // Takes batches only from processes of `User`.
    explicit TSingleInstance(QObject* Parent = nullptr, uid_t User = ::geteuid());
    ~TSingleInstance() override;

    // Starts listening at Path, taking the place of a copy that died without cleaning up; false when
    // another copy listens there.
    bool Listen(const std::string& Path);

    // Called for every record of a batch, in order.
    std::function<void(const THandOverRecord&)> OnRecord;

    // The bytes held for batches being read and batches waiting to be handed on.
    std::size_t HeldBytes() const;
    // The batches being read.
    int Connections() const { return static_cast<int>(FBatches.size()); }
    void SetBatchTimeout(int Ms) { FBatchTimeoutMs = Ms; }

private:
    struct TQueued {
        std::vector<THandOverRecord> Records;
        std::size_t Bytes;
    };

    void Accept();
    void Read(QLocalSocket* Socket);
    // Forgets the socket's batch and lets the next waiting start in.
    void Drop(QLocalSocket* Socket);
    // Drops the batch when it has not come whole in time.
    void ArmTimeout(QLocalSocket* Socket);
    void Drain();

    uid_t FUser;
    QLocalServer* FServer;
    std::map<QLocalSocket*, THandOverDecoder> FBatches;
    std::deque<TQueued> FQueue;
    std::size_t FQueuedBytes = 0;
    int FBatchTimeoutMs = HandOverBatchTimeoutMs;
    bool FDraining = false;
};

} // namespace qx
