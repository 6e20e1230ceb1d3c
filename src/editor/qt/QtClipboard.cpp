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

std::optional<std::string> ClipboardCp932Text(const QMimeData* data, std::size_t* lost)
{
    if (lost) *lost = 0;
    if (!data) return std::nullopt;
    if (data->hasFormat(kQxSjisTextMime)) {
        const QByteArray bytes = data->data(kQxSjisTextMime);
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    if (!data->hasText()) return std::nullopt;
    const QString text = data->text();
    return WithLineEnds(Utf16ToCp932(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                         static_cast<std::size_t>(text.size())),
                                     lost),
                        true);
}

QMimeData* MakeCp932MimeData(const std::string& cp932, bool box)
{
    auto* data = new QMimeData;
    data->setData(kQxSjisTextMime, QByteArray(cp932.data(), static_cast<qsizetype>(cp932.size())));
    const std::u16string text = Cp932ToUtf16(WithLineEnds(cp932, false));
    data->setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    // The box mark holds the text's own bytes and a terminating zero; only its presence counts.
    if (box)
        data->setData(QString::fromLatin1(BoxClipboardFormat),
                      QByteArray(cp932.c_str(), static_cast<qsizetype>(cp932.size() + 1)));
    return data;
}

bool TQtClipboard::HasText() const
{
    const QMimeData* data = Data();
    return data && (data->hasText() || data->hasFormat(kQxSjisTextMime));
}

std::string TQtClipboard::Text(std::size_t* Lost) const
{
    return ClipboardCp932Text(Data(), Lost).value_or(std::string());
}

bool TQtClipboard::HasBoxFormat() const
{
    const QMimeData* data = Data();
    return data && data->hasFormat(QString::fromLatin1(BoxClipboardFormat));
}

void TQtClipboard::SetText(const std::string& Text, bool Box)
{
    QGuiApplication::clipboard()->setMimeData(MakeCp932MimeData(Text, Box));
}

void TQtClipboard::Clear() { QGuiApplication::clipboard()->clear(); }

} // namespace qx
