#pragma once
// The tray icon's menu with its banner: a gradient strip down the left side (one of three colour sets
// by [Basic] "TrayMenuColor") with the program's name written upwards in white, the longest of the
// banner texts that fits the menu's height. A desktop whose tray draws the menu itself (a
// StatusNotifier host) shows the items without the banner.

#include <QMenu>

namespace qx {

class TTrayPopupMenu : public QMenu {
public:
    explicit TTrayPopupMenu(QWidget* Parent = nullptr);

    // 0, 1 or 2 ("TrayMenuColor"); other values give the first set.
    void SetColorSet(int Set);
    // The banner's width.
    static constexpr int BannerWidth = 22;
    // The text the banner shows at the menu's present height.
    QString BannerText() const;

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    int FColorSet = 0;
};

} // namespace qx
