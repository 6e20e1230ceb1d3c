#pragma once
// TQxColorConbo: a combo box for choosing a colour. Each item shows a small swatch in the chosen shape
// and, with ShowName, the colour's name. The list and its logic are TColorComboModel's; "その他..."
// opens the colour dialog unless the owner puts another chooser in Model().ColorChooser.

#include "mainwindow/ColorCombo.h"
#include "platform/qt/GuardedCall.h"

#include <QComboBox>

namespace qx {

class TQxColorConbo : public QComboBox {
    Q_OBJECT
public:
    explicit TQxColorConbo(QWidget* parent = nullptr);

    TColorComboModel& Model() { return FModel; }
    bool ShowName() const { return FShowName; }
    void SetShowName(bool value);
    TBmpType BmpType() const { return FBmpType; }
    void SetBmpType(TBmpType value);

    // The swatch of a colour as the list shows it (`size` wide and high).
    static QPixmap Swatch(TColor color, TBmpType shape, QSize size);

    // Fired after the user chose an item (custom colours included).
    std::function<void()> OnSelect;
    // Where an exception of OnSelect or of the colour chooser goes.
    TExceptionHandler OnException;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowModel();
    QSize SwatchSize() const;

    TColorComboModel FModel;
    bool FShowName = true;
    TBmpType FBmpType = TBmpType::bmRectangle;
    bool FShowing = false;
};

// A colour box of the option pages: Stored reads the setting it edits; it opens on any key. Only the
// user's choice reaches OnPick: a cancelled "その他..." shows the stored colour again.
class TOptionColorBox : public TQxColorConbo {
public:
    TOptionColorBox(std::function<TColor()> Stored, QWidget* Parent = nullptr);
    // Shows the stored colour alone (a page's show).
    void ShowStored();
    void showPopup() override;

    std::function<void(TColor)> OnPick;
    // The colour dialog behind "その他..." (the box's own unless replaced).
    TColorChooser Chooser;

protected:
    void keyPressEvent(QKeyEvent* Event) override;

private:
    std::function<TColor()> FStored;
    bool FCancelled = false;
};

} // namespace qx
