#pragma once
// The phrase editor ("定型文字列編集") over the five phrase lists: each change is written at once;
// items are reordered with the up and down buttons or by dragging them within the list.

#include "dialogs/PhraseEditor.h"
#include "platform/qt/GuardedCall.h"

#include <QDialog>
#include <QListWidget>

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace qx {

// The phrase list: a drag of one of its items dropped on another (or below the last) asks Dropped to
// move it; drags from anywhere else are refused.
class TPhraseListBox : public QListWidget {
public:
    explicit TPhraseListBox(QWidget* Parent);
    std::function<void(int From, int To)> Dropped;

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dragMoveEvent(QDragMoveEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    int FDragFrom = -1;
};

class TDataEdit : public QDialog {
public:
    TDataEdit(std::string Folder, TExceptionHandler OnError, QWidget* Parent = nullptr);

    QComboBox* ComboBox1;
    TPhraseListBox* ListBox1;
    QLineEdit* Edit1;
    QPushButton* Button1;  // 更新
    QPushButton* Button2;  // 登録
    QPushButton* Button4;  // 一つ上へ
    QPushButton* Button5;  // 一つ下へ
    QPushButton* Button6;  // 削除
    QPushButton* Button3;  // 閉じる

    TPhraseEditor& Model() { return FModel; }
    // Creates the missing lists and shows list 1 (done at the first showing).
    void FormShow();

protected:
    void showEvent(QShowEvent* Event) override;

private:
    // Runs a change of the model with Edit1's text, then shows the model again.
    void Run(void (TPhraseEditor::*Change)());
    void ShowModel();

    TPhraseEditor FModel;
    TExceptionHandler FOnError;
    bool FShown = false;
};

} // namespace qx
