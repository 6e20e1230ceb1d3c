#include "print/qt/StrProgress.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace qx {

int GaugePercent(int Maximum, int Position)
{
    if (Maximum <= 0) return 100;
    const double percent = std::round(static_cast<double>(Position) / Maximum * 100.0);
    return static_cast<int>(std::clamp(percent, 0.0, 100.0));
}

TQxFormStrProgress::TQxFormStrProgress(const QString& Caption, bool TopMost, QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::WindowTitleHint | (TopMost ? Qt::WindowStaysOnTopHint : Qt::Widget))
{
    setObjectName("QxFormStrProgress");
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(Caption);
    FLabel = new QLabel(Caption, this);
    FLabel->setObjectName("Label1");
    FGauge = new QProgressBar(this);
    FGauge->setObjectName("Gauge1");
    FGauge->setRange(0, 100);
    FGauge->setValue(0);
    FButton1 = new QPushButton(QString::fromUtf8("キャンセル"), this);
    FButton1->setObjectName("Button1");
    connect(FButton1, &QPushButton::clicked, this, [this] { FCancel = true; });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FLabel);
    layout->addWidget(FGauge);
    layout->addWidget(FButton1, 0, Qt::AlignHCenter);
    setFixedSize(320, 110);
    FCaption = Caption.toStdString();
    show();
    QApplication::processEvents();
    FSinceEvents.start();
}

bool TQxFormStrProgress::Update(const std::string& Caption, int Maximum, int Position)
{
    const int percent = GaugePercent(Maximum, Position);
    const bool newCaption = Caption != FCaption;
    if (newCaption) {
        FCaption = Caption;
        const QString text = QString::fromStdString(Caption);
        setWindowTitle(text);
        FLabel->setText(text);
    }
    // Repaint and let the cancel button work when something shows, at most every 50 ms otherwise.
    if (newCaption || percent != FGauge->value() || FSinceEvents.elapsed() >= 50) {
        FGauge->setValue(percent);
        FLabel->repaint();
        FGauge->repaint();
        QApplication::processEvents();
        FSinceEvents.restart();
    }
    return FCancel;
}

void TQxFormStrProgress::reject() { FCancel = true; }

} // namespace qx
