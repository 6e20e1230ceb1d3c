#pragma once
// The progress of a long load. Once a load has run for a while, the progress window shows how much of
// the file is read, and between the pieces the window goes on painting; the user's input (and a close
// request) waits until the load is done, so nothing can change under it.

#include "documents/DocumentFiles.h"
#include "mainwindow/files/qt/Progress.h"

#include <chrono>
#include <cstdint>
#include <optional>

class QWidget;

namespace qx {

class TLoadProgressShow {
public:
    using TClock = std::chrono::steady_clock;
    explicit TLoadProgressShow(QWidget* Parent, TClock::duration ShowAfter = std::chrono::milliseconds(300),
                               TClock::duration Every = std::chrono::milliseconds(50));
    // Done of Size bytes read; the window closes when all are.
    void Step(std::uint64_t Done, std::uint64_t Size);
    // A load's progress (TDocumentHost::LoadProgress) shown by one of these, which goes, and takes its
    // window with it, with the last copy of the hook.
    static TLoadProgress Hook(QWidget* Parent);

private:
    QWidget* FParent;
    TClock::duration FShowAfter, FEvery;
    std::optional<TClock::time_point> FStart;
    TClock::time_point FLast;
    std::optional<TProgress> FProgress;
};

} // namespace qx
