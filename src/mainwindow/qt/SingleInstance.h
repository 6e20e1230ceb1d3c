#pragma once
// The running copy's door for later starts: a local socket of this user, named after the program
// folder, in $XDG_RUNTIME_DIR (a private folder under the temporary folder when unset). A later start
// sends its records as one batch and ends when the batch is acknowledged; the running copy hands the
// records on one batch at a time, in arrival order, even while a dialog of an earlier batch runs.

#include "mainwindow/HandOverBatch.h"

#include <QObject>

#include <deque>
#include <functional>
#include <map>

class QLocalServer;
class QLocalSocket;

namespace qx {

// The socket path for a program folder.
std::string HandOverSocketPath(const std::string& ProgramFolder);

// Hands the records to the copy listening at Path; false when none answers (the caller then runs as
// the first copy). A copy busy at its work (loading a large file) is waited for as long as it works; one
// that is stopped or stuck, using next to no processor time for StuckMs, is given up, and the batch is
// never sent to it.
bool SendHandOver(const std::string& Path, const std::vector<THandOverRecord>& Records, int StuckMs = 5000);

class TSingleInstance : public QObject {
public:
    explicit TSingleInstance(QObject* Parent = nullptr);
    ~TSingleInstance() override;

    // Starts listening at Path, taking the place of a copy that died without cleaning up; false when
    // another copy listens there.
    bool Listen(const std::string& Path);

    // Called for every record of a batch, in order.
    std::function<void(const THandOverRecord&)> OnRecord;

private:
    void Accept();
    void Read(QLocalSocket* Socket);
    void Drain();

    QLocalServer* FServer;
    std::map<QLocalSocket*, std::string> FBuffers;
    std::deque<std::vector<THandOverRecord>> FQueue;
    bool FDraining = false;
};

} // namespace qx
