#pragma once
// The progress window of a page layout: a label, a gauge and a cancel button. It is application
// modal, so that while the layout lets events through nothing else in the program (the document
// being printed, its tab) can change; it repaints and lets events through only when the gauge moves
// or some time has passed, so a layout of many lines is not slowed by it.

#include "print/PrintServices.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace qx {

// The gauge's percentage: position / maximum, rounded; full when the maximum is 0.
int GaugePercent(int Maximum, int Position);

class TQxFormStrProgress : public QDialog, public TPrintProgress {
    Q_OBJECT
public:
    // TopMost: the window stays above every other.
    TQxFormStrProgress(const QString& Caption, bool TopMost, QWidget* Parent = nullptr);

    bool Update(const std::string& Caption, int Maximum, int Position) override;
    bool Cancelled() const { return FCancel; }

    QLabel* Label() const { return FLabel; }
    QProgressBar* Gauge() const { return FGauge; }
    QPushButton* Button1() const { return FButton1; }

protected:
    void reject() override;  // Escape and the close box cancel too

private:
    QLabel* FLabel;
    QProgressBar* FGauge;
    QPushButton* FButton1;
    bool FCancel = false;
    std::string FCaption;
    QElapsedTimer FSinceEvents;
};

} // namespace qx
