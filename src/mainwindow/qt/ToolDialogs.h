#pragma once
// The main window's tool dialogs on its commands: the signature insertion (ActionInsertSign), the word
// assistant (ActionInsertStr), the external commands (ActionCommand), the quote-mark editor before the
// quoting commands, and the two menu items that edit the signatures and the phrase lists.

#include "dialogs/qt/WordAssistantWindow.h"
#include "mainwindow/commands/CommandSet.h"

#include <QPointer>

class QAction;

namespace qx {

class TQxEditorMain;

class TToolDialogs {
public:
    // Binds the commands on Commands and fills the window's seams; Main must outlive this.
    TToolDialogs(TQxEditorMain& Main, TCommandSet& Commands);

    // "署名の設定(&S)..." and "定型文字列編集(&D)..." (children of the window).
    QAction* SyomeiAction;
    QAction* DataEditAction;

    void InsertSign();
    void ShowWordAssistant();
    void RunCommandDialog();
    void EditSignatures();
    void EditPhrases();
    // The quote-mark editor for a mode (0..5) over the settings; false when cancelled.
    bool EditQuoteMarks(int Mode);
    // The word assistant while it is open.
    TWordAssistant* WordAssistant() const { return FWordAssistant; }

private:
    TQxEditorMain& FMain;
    QPointer<TWordAssistant> FWordAssistant;
};

} // namespace qx
