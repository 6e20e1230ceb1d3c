#pragma once
// The clipboard for the main window's parts: its text as CP932, and the feeder that hands every change
// of the system clipboard to the clipboard history.

#include "mainwindow/ClipBoardHistory.h"
#include "mainwindow/ClipboardCommands.h"
#include "mainwindow/qt/GuardedCall.h"

#include <QObject>

#include <optional>
#include <string>

class QClipboard;
class QMimeData;

namespace qx {

// The MIME type under which QxEditor puts its own text on the clipboard as the CP932 bytes it holds, so
// that bytes without a Unicode counterpart come back unchanged. The editing control's clipboard code
// uses the same constant.
inline constexpr const char* kQxSjisTextMime = "application/x-qxeditor-sjis";

// The clipboard's text as CP932: QxEditor's own bytes when present, else the Unicode text converted.
std::optional<std::string> ClipboardCp932Text(const QMimeData* data);
// Mime data that carries `cp932` both as QxEditor's bytes and as Unicode text for other programs.
QMimeData* MakeCp932MimeData(const std::string& cp932);

// The system clipboard (QClipboard::Clipboard) as the commands see it.
class TQtTextClipboard : public TTextClipboard {
public:
    std::optional<std::string> Text() const override;
    void SetText(const std::string& text) override;
};

// Feeds the history from QClipboard::dataChanged. The history's flags are the ones in force when the
// change arrives; the text is read at once.
class TQtClipboardFeeder : public QObject {
    Q_OBJECT
public:
    TQtClipboardFeeder(TQxClipBoardHistory& history, QClipboard* clipboard, QObject* parent = nullptr);

    // Where an exception of the history's OnClipChange goes.
    TExceptionHandler OnException;

private:
    void Changed();

    TQxClipBoardHistory& FHistory;
    QClipboard* FClipboard;
};

} // namespace qx
