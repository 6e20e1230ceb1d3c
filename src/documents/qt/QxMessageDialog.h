#pragma once
// The program's message form: a kind's icon (with the program's icon under it), the text and a row of
// buttons, built in code and laid out by LayoutMessageForm. Esc and the close box answer Cancel (2)
// whether or not Cancel is offered. TQtPrompter is the program's prompter on top of it.

#include "platform/Prompter.h"

#include <QIcon>

#include <memory>
#include <string>

class QDialog;
class QWidget;

namespace qx {

class TQxMessageDialog {
public:
    std::string MessageString = "QxMessageDialog";  // UTF-8
    std::string CaptionString;                      // empty: the kind's caption
    TMsgDlgType AType = TMsgDlgType::mtWarning;
    TMsgDlgButtons AButtons{TMsgDlgBtn::mbYes};
    QIcon Icon;                                     // shown under the kind's icon when VisibleIcon
    int X = 100;
    int Y = 100;
    int HelpContext = 0;
    bool VisibleIcon = false;
    // Captions of particular buttons where the usual ones do not fit (see TPromptRequest).
    std::string AllCaption;

    // The built form, placed at X, Y (values below 1 taken as 0), for the caller to show and free. Each
    // button closes it with its modal result.
    std::unique_ptr<QDialog> CreateDialogForm(QWidget* Parent = nullptr) const;
    // Shows the form modally, centred on the screen, and returns the modal result.
    int Execute(QWidget* Parent = nullptr) const;
    // The same at X, Y.
    int ExecutePos(QWidget* Parent = nullptr) const;

private:
    int ShowDialog(bool AtPosition, QWidget* Parent) const;
};

// The form of a message with the program's icon, placed at 100, 100, for the caller to show and free.
std::unique_ptr<QDialog> CreateMessageDialogForm(const std::string& Text, const std::string& Caption, TMsgDlgType Kind,
                                                 TMsgDlgButtons Buttons, QWidget* Parent = nullptr);

// The modal result a button gives.
int ModalResultOf(TMsgDlgBtn Button);

// Message boxes through the message form, with the program's icon; input boxes through QInputDialog.
class TQtPrompter : public TPrompter {
public:
    explicit TQtPrompter(QWidget* Parent = nullptr) : FParent(Parent) {}
    int Show(const TPromptRequest& Request) override;
    bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value) override;
    // Off: the messages show the kind's icon alone, without the program's under it.
    void SetProgramIcon(bool Visible) { FProgramIcon = Visible; }

private:
    QWidget* FParent;
    bool FProgramIcon = true;
};

} // namespace qx
