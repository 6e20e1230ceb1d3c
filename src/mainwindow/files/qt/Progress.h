#pragma once
// The small progress window: a stay-on-top tool window with a message and a bar from 0 to 100 %.

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;

namespace qx {

class TFormProgress : public QDialog {
    Q_OBJECT
public:
    explicit TFormProgress(QWidget* parent = nullptr);
    // Shows `message` and position / maximum as a percentage (0 for a maximum of 0), painted at once.
    void SetProgress(const QString& message, int maximum, int position);
    QLabel* Label() const { return FLabel; }
    QProgressBar* Bar() const { return FBar; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* FLabel;
    QProgressBar* FBar;
};

class TProgress {
public:
    explicit TProgress(QWidget* parent = nullptr);
    ~TProgress();
    TProgress(const TProgress&) = delete;
    TProgress& operator=(const TProgress&) = delete;

    void Start(const QString& message) { ShowProgress(message, 1, 0); }
    // Shows the window (not modally) with the message and the position.
    void ShowProgress(const QString& message, int maximum, int position);
    void Close();
    TFormProgress& Form() { return *FForm; }

private:
    QPointer<TFormProgress> FForm;
};

} // namespace qx
