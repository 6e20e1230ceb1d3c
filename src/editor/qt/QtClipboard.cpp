#include "editor/qt/QtClipboard.h"

#include "platform/Cp932.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace qx {

namespace {

const QMimeData* Data() { return QGuiApplication::clipboard()->mimeData(); }

// Line ends as the desktop's programs write them (LF) and as the document keeps them (CR LF).
std::string WithLineEnds(std::string_view Text, bool CrLf)
{
    std::string out;
    out.reserve(Text.size() + (CrLf ? Text.size() / 16 : 0));
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
        out += CrLf ? "\r\n" : "\n";
    }
    return out;
}

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
    return WithLineEnds(Utf16ToCp932(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                          static_cast<std::size_t>(text.size()))),
                        true);
}

bool TQtClipboard::HasBoxFormat() const
{
    const QMimeData* data = Data();
    return data && data->hasFormat(QString::fromLatin1(BoxClipboardFormat));
}

void TQtClipboard::SetText(const std::string& Text, bool Box)
{
    auto* data = new QMimeData;
    const std::u16string text = Cp932ToUtf16(WithLineEnds(Text, false));
    data->setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    // The box mark holds the text's own bytes and a terminating zero; only its presence counts.
    if (Box) data->setData(QString::fromLatin1(BoxClipboardFormat), QByteArray(Text.c_str(), static_cast<qsizetype>(Text.size() + 1)));
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace qx
