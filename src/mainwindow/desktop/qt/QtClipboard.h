#pragma once
// The clipboard for the main window's parts: its text as CP932, and the feeder that hands every change
// of the system clipboard to the clipboard history.

#include "editor/qt/QtClipboard.h"
#include "dialogs/ClipBoardHistory.h"
#include "mainwindow/commands/ClipboardCommands.h"
#include "platform/qt/GuardedCall.h"

#include <QObject>

#include <optional>
#include <string>

class QClipboard;

namespace qx {

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
