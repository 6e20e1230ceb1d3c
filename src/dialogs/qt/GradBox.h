#pragma once
// TQxGradBox: a box painted with a colour gradient and a title over it (dialog headings, title bars).

#include "dialogs/Gradient.h"
#include "platform/Color.h"

#include <QWidget>

#include <functional>

namespace qx {

enum class TGradDirection { gdHorizontal, gdVertical };

class TQxGradBox : public QWidget {
    Q_OBJECT
public:
    explicit TQxGradBox(QWidget* parent = nullptr);

    TColor StartColor() const { return FStartColor; }
    void SetStartColor(TColor value) { Store(FStartColor, value); }
    TColor EndColor() const { return FEndColor; }
    void SetEndColor(TColor value) { Store(FEndColor, value); }
    // The number of steps less one (0..255).
    int GradStep() const { return FGradStep; }
    void SetGradStep(int value) { Store(FGradStep, value < 0 ? 0 : value > 255 ? 255 : value); }
    TGradDirection Direction() const { return FDirection; }
    void SetDirection(TGradDirection value);
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& value) { Store(FTitle, value); }
    int TitleMargin() const { return FTitleMargin; }
    void SetTitleMargin(int value) { Store(FTitleMargin, value); }

    // Fired after every change of the properties above.
    std::function<void()> OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Every property: store, repaint, report.
    template <class T>
    void Store(T& field, const T& value)
    {
        field = value;
        Changed();
    }
    void Changed();

    TColor FStartColor = clWhite;
    TColor FEndColor = clBlack;
    int FGradStep = 128;
    TGradDirection FDirection = TGradDirection::gdVertical;
    QString FTitle;
    int FTitleMargin = 0;
};

} // namespace qx
