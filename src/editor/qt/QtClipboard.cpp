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

QString UnicodeText(const std::string& cp932)
{
    const std::u16string text = Cp932ToUtf16(WithLineEnds(cp932, false));
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// CP932 text handed out as QxEditor's bytes and as Unicode text, asked for only when a program takes it.
class TLazyCp932MimeData : public QMimeData {
public:
    TLazyCp932MimeData(const void* Owner, std::function<std::string()> Text) : FOwner(Owner), FText(std::move(Text)) {}
    const void* Owner() const { return FOwner; }
    bool Kept() const { return FKept.has_value(); }
    // From now on the text is what it is now.
    void Keep()
    {
        if (!FKept) FKept = FText();
        FText = nullptr;
    }
    QStringList formats() const override { return {kQxSjisTextMime, "text/plain"}; }
    bool hasFormat(const QString& Mime) const override { return formats().contains(Mime); }

protected:
    QVariant retrieveData(const QString& Mime, QMetaType) const override
    {
        const std::string cp932 = FKept ? *FKept : FText ? FText() : std::string();
        if (Mime == QLatin1String(kQxSjisTextMime))
            return QByteArray(cp932.data(), static_cast<qsizetype>(cp932.size()));
        if (Mime == QLatin1String("text/plain")) return UnicodeText(cp932);
        return {};
    }

private:
    const void* FOwner;
    std::function<std::string()> FText;
    std::optional<std::string> FKept;
};

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
    data->setText(UnicodeText(cp932));
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

void TQtClipboard::OfferPrimarySelection(const void* Owner, std::function<std::string()> Text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection()) return;
    // The desktop keeps asking the same offer while the selection grows.
    if (FOffer && !FOffer->Kept() && FOffer->Owner() == Owner && clipboard->mimeData(QClipboard::Selection) == FOffer.data())
        return;
    FOffer = new TLazyCp932MimeData(Owner, std::move(Text));
    clipboard->setMimeData(FOffer.data(), QClipboard::Selection);
}

void TQtClipboard::KeepPrimarySelection(const void* Owner)
{
    if (FOffer && FOffer->Owner() == Owner) FOffer->Keep();
}

std::optional<std::string> TQtClipboard::PrimarySelectionText(std::size_t* Lost) const
{
    if (Lost) *Lost = 0;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection()) return std::nullopt;
    return ClipboardCp932Text(clipboard->mimeData(QClipboard::Selection), Lost);
}

} // namespace qx
