#include "installer/qt/QtSetupPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace qx {

TPromptAnswer TQtSetupPrompter::Ask(TPromptKind kind, const std::string& caption, const std::string& text,
                                    TPromptButtons buttons)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (kind) {
    case TPromptKind::Information: box.setIcon(QMessageBox::Information); break;
    case TPromptKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case TPromptKind::Error: box.setIcon(QMessageBox::Critical); break;
    case TPromptKind::Question: box.setIcon(QMessageBox::Question); break;
    }

    std::map<QAbstractButton*, TPromptAnswer> answers;
    const auto add = [&](const char* label, QMessageBox::ButtonRole role, TPromptAnswer answer) {
        QPushButton* button = box.addButton(QString::fromUtf8(label), role);
        answers[button] = answer;
        return button;
    };
    QPushButton* cancel = nullptr;
    switch (buttons) {
    case TPromptButtons::OK:
        box.setDefaultButton(add("OK", QMessageBox::AcceptRole, TPromptAnswer::OK));
        break;
    case TPromptButtons::OKCancel:
        box.setDefaultButton(add("OK", QMessageBox::AcceptRole, TPromptAnswer::OK));
        cancel = add("キャンセル", QMessageBox::RejectRole, TPromptAnswer::Cancel);
        break;
    case TPromptButtons::YesNo:
        box.setDefaultButton(add("はい(&Y)", QMessageBox::YesRole, TPromptAnswer::Yes));
        cancel = add("いいえ(&N)", QMessageBox::NoRole, TPromptAnswer::No);
        break;
    case TPromptButtons::YesAllNoCancel:
        box.setDefaultButton(add("はい(&Y)", QMessageBox::YesRole, TPromptAnswer::Yes));
        add("すべて削除(&A)", QMessageBox::YesRole, TPromptAnswer::All);
        add("いいえ(&N)", QMessageBox::NoRole, TPromptAnswer::No);
        cancel = add("キャンセル", QMessageBox::RejectRole, TPromptAnswer::Cancel);
        break;
    }
    if (cancel) box.setEscapeButton(cancel);
    box.exec();
    const auto it = answers.find(box.clickedButton());
    if (it != answers.end()) return it->second;
    return cancel ? answers[cancel] : TPromptAnswer::OK;
}

} // namespace qx
