#pragma once
// The main window's small tool dialogs: the version window (TAboutBox), go to line (TDialogSitei), send
// by mail (TMailDialog), the document chooser (TAllTabForm) and the HTML save options
// (THtmlConvertForm). Each is made for one showing; the caller acts on what OK leaves in it.

#include <QDialog>
#include <QLabel>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace qx {

class TEditor;

// An address that shows itself as a link under the mouse and opens on a double click.
class TLinkLabel : public QLabel {
public:
    TLinkLabel(const QString& Text, std::function<void()> Open, QWidget* Parent);
    void ShowAsLink(bool Link);

protected:
    void enterEvent(QEnterEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;

private:
    std::function<void()> FOpen;
};

class TAboutBox : public QDialog {
public:
    // Open(address) opens a mail address or a web address with the desktop.
    explicit TAboutBox(std::function<void(const std::string&)> Open, QWidget* Parent = nullptr);
    QLabel* VersionLabel;
    QLabel* MemoryLabel;
    TLinkLabel* EditMail;
    TLinkLabel* EditURL;
    QPushButton* OKButton;

protected:
    // The mouse over the form, off the addresses: both plain again.
    bool event(QEvent* Event) override;
};

class TDialogSitei : public QDialog {
public:
    // Logical: the status bar's logical-line setting, which the check box starts with.
    TDialogSitei(TEditor& Editor, bool Logical, QWidget* Parent = nullptr);
    int Value() const;
    bool Logical() const;

    QSpinBox* SpinEdit1;
    QLabel* Label2;
    QCheckBox* CheckBox1;
    QPushButton* OKButton;
    QPushButton* CancelButton;

private:
    void ShowMaximum();
    TEditor& FEditor;
};

class TMailDialog : public QDialog {
public:
    explicit TMailDialog(QWidget* Parent = nullptr);
    std::string Subject() const;  // UTF-8
    QLineEdit* Edit2;
    QPushButton* Button1;
    QPushButton* Button2;
};

class TAllTabForm : public QDialog {
public:
    // Names: each tab's document name in tab order (a path, or an untitled or grep name).
    explicit TAllTabForm(const std::vector<std::string>& Names, QWidget* Parent = nullptr);
    // The chosen tab, -1 when none.
    int Chosen() const;
    QListWidget* ListBox1;
    QPushButton* OKButton;
    QPushButton* CancelButton;
};

class THtmlConvertForm : public QDialog {
public:
    explicit THtmlConvertForm(const std::string& Title, QWidget* Parent = nullptr);
    std::string Title() const;  // UTF-8
    bool UsePre() const;
    QLineEdit* Edit1;
    QCheckBox* CheckBox1;
    QPushButton* OKButton;
    QPushButton* CancelButton;
};

} // namespace qx
