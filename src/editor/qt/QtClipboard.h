#pragma once
// The desktop clipboard as QxEditor's text: code page 932 bytes inside, Unicode with LF line ends for
// other programs, the editor's own bytes beside them so that nothing is lost on the way back, and the
// control's box mark.

#include "editor/EditorClipboardPort.h"

#include <QPointer>

#include <optional>
#include <string>

class QMimeData;

namespace qx {

// The MIME type under which QxEditor puts its text on the clipboard as the CP932 bytes it holds, so that
// bytes without a Unicode counterpart come back unchanged.
inline constexpr const char* kQxSjisTextMime = "application/x-qxeditor-sjis";

// The clipboard's text as CP932: QxEditor's own bytes when present, else the Unicode text converted with
// CR LF line ends; nothing when it holds no text.
// `lost` (when given) receives the number of characters without a code (each became "?").
std::optional<std::string> ClipboardCp932Text(const QMimeData* data, std::size_t* lost = nullptr);
// Mime data that carries `cp932` as QxEditor's bytes and as Unicode text with LF line ends, marked as a
// box selection when `box`.
QMimeData* MakeCp932MimeData(const std::string& cp932, bool box = false);

class TLazyCp932MimeData;

// The control's clipboard over QClipboard (the primary selection through its Selection mode).
class TQtClipboard : public TEditorClipboardPort {
public:
    bool HasText() const override;
    using TEditorClipboardPort::Text;
    std::string Text(std::size_t* Lost) const override;
    bool HasBoxFormat() const override;
    void SetText(const std::string& Text, bool Box) override;
    void Clear() override;
    void OfferPrimarySelection(const void* Owner, std::function<std::string()> Text) override;
    void KeepPrimarySelection(const void* Owner) override;
    using TEditorClipboardPort::PrimarySelectionText;
    std::optional<std::string> PrimarySelectionText(std::size_t* Lost) const override;

private:
    // The offer on the desktop's primary selection while it is there (QClipboard owns it).
    QPointer<TLazyCp932MimeData> FOffer;
};

} // namespace qx
