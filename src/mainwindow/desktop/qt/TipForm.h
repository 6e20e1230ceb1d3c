#pragma once
// The one-point tip window: a white panel with an image, the heading and the tip, a show-at-start check
// box, and buttons to page back and forth and to close.

#include "mainwindow/desktop/Tips.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace qx {

class TQxEditorTipForm : public QDialog {
    Q_OBJECT
public:
    explicit TQxEditorTipForm(const TTipWindowSetup& setup, QWidget* parent = nullptr);

    bool ShowAtStartChecked() const;
    // The class library's modal result: OK from the close button, Cancel from the close box or Esc.
    int ModalResult() const;

    void Next();
    void Prev();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowTip();

    TTipPager FPager;
    QLabel* FTipText;
    QCheckBox* FShowAtStart;
    QPushButton* FPrev;
    QPushButton* FNext;
};

// The tip window for TQxEditorTips::Execute.
class TQtTipWindow : public TTipWindow {
public:
    explicit TQtTipWindow(QWidget* parent = nullptr) : FParent(parent) {}
    int ShowModal(const TTipWindowSetup& setup, bool& showAtStart) override;

private:
    QWidget* FParent;
};

} // namespace qx
