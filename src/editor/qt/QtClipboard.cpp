#include "editor/qt/QtClipboard.h"

#include "platform/Cp932.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace qx {

namespace {
const QMimeData* Data() { return QGuiApplication::clipboard()->mimeData(); }
} // namespace

bool TQtClipboard::HasText() const
{
    const QMimeData* data = Data();
    return data && data->hasText();
}

std::string TQtClipboard::Text() const
{
    const QMimeData* data = Data();
    if (!data || !data->hasText()) return {};
    const QString text = data->text();
    return Utf16ToCp932(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}

bool TQtClipboard::HasBoxFormat() const
{
    const QMimeData* data = Data();
    return data && data->hasFormat(QString::fromLatin1(BoxClipboardFormat));
}

void TQtClipboard::SetText(const std::string& Text, bool Box)
{
    auto* data = new QMimeData;
    const std::u16string text = Cp932ToUtf16(Text);
    data->setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    if (Box) data->setData(QString::fromLatin1(BoxClipboardFormat), QByteArray());
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace qx
