#include "mainwindow/files/qt/LoadProgress.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <memory>

namespace qx {

TLoadProgressShow::TLoadProgressShow(QWidget* Parent, TClock::duration ShowAfter, TClock::duration Every)
    : FParent(Parent), FShowAfter(ShowAfter), FEvery(Every)
{
}

void TLoadProgressShow::Step(std::uint64_t Done, std::uint64_t Size)
{
    const TClock::time_point now = TClock::now();
    if (Done >= Size) {
        if (FProgress) FProgress->Close();
        FProgress.reset();
        FStart.reset();
        return;
    }
    if (!FStart) FStart = now;
    if (now - *FStart < FShowAfter || (FProgress && now - FLast < FEvery)) return;
    FLast = now;
    if (!FProgress) FProgress.emplace(FParent);
    // In thousandths, so that a file of more than 2 GB fits the bar's range.
    const int permille = static_cast<int>(Done * 1000 / Size);
    FProgress->ShowProgress(QString::fromUtf8("ファイルを読み込み中"), 1000, permille);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
}

TLoadProgress TLoadProgressShow::Hook(QWidget* Parent)
{
    auto show = std::make_shared<TLoadProgressShow>(Parent);
    return [show](std::uint64_t Done, std::uint64_t Size) { show->Step(Done, Size); };
}

} // namespace qx
