#include "mainwindow/qt/QtClipboard.h"

#include "platform/Cp932.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace qx {

std::optional<std::string> ClipboardCp932Text(const QMimeData* data)
{
    if (!data) return std::nullopt;
    if (data->hasFormat(kQxSjisTextMime)) {
        const QByteArray bytes = data->data(kQxSjisTextMime);
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    if (!data->hasText()) return std::nullopt;
    return Utf16ToCp932(data->text().toStdU16String());
}

QMimeData* MakeCp932MimeData(const std::string& cp932)
{
    auto* data = new QMimeData;
    data->setData(kQxSjisTextMime, QByteArray(cp932.data(), static_cast<qsizetype>(cp932.size())));
    data->setText(QString::fromStdU16String(Cp932ToUtf16(cp932)));
    return data;
}

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
