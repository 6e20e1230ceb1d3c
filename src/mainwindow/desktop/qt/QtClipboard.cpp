#include "mainwindow/desktop/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace qx {

std::optional<std::string> TQtTextClipboard::Text() const
{
    return ClipboardCp932Text(QGuiApplication::clipboard()->mimeData());
}

void TQtTextClipboard::SetText(const std::string& text)
{
    QGuiApplication::clipboard()->setMimeData(MakeCp932MimeData(text));
}

TQtClipboardFeeder::TQtClipboardFeeder(TQxClipBoardHistory& history, QClipboard* clipboard, QObject* parent)
    : QObject(parent), FHistory(history), FClipboard(clipboard)
{
    connect(FClipboard, &QClipboard::dataChanged, this, &TQtClipboardFeeder::Changed);
}

void TQtClipboardFeeder::Changed()
{
    GuardedCall(OnException, [this] { FHistory.ClipboardChanged(ClipboardCp932Text(FClipboard->mimeData())); });
}

} // namespace qx
