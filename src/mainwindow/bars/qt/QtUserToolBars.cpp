#include "mainwindow/bars/qt/QtUserToolBars.h"

#include "dialogs/ToolBarSetModel.h"
#include "dialogs/qt/ToolBarSetDialog.h"
#include "dialogs/qt/ToolDialogKit.h"

#include "documents/MessageDialog.h"
#include "documents/ToolBarFile.h"
#include "mainwindow/bars/UserToolBars.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>
#include <QHelpEvent>
#include <QToolTip>

#include <array>
#include <climits>
#include <cstdlib>
#include <map>

namespace qx {

namespace {

// Freedesktop theme names for the commands that have a standard icon.
const std::map<int, const char*>& ThemeIcons()
{
    static const std::map<int, const char*> icons = {
        {0, "document-new"},       {1, "document-open"},      {3, "document-save"},
        {4, "document-save-as"},   {6, "window-close"},       {8, "document-print-preview"},
        {9, "document-print"},     {10, "mail-send"},         {11, "application-exit"},
        {12, "edit-undo"},         {13, "edit-redo"},         {14, "edit-cut"},
        {15, "edit-copy"},         {16, "edit-paste"},        {17, "edit-delete"},
        {18, "edit-select-all"},   {38, "edit-find"},         {41, "edit-find-replace"},
        {44, "go-top"},            {45, "go-bottom"},         {46, "go-jump"},
        {59, "preferences-system"}, {65, "window-new"},       {66, "help-contents"},
        {71, "help-about"},        {72, "application-exit"},  {77, "format-indent-more"},
        {78, "format-indent-less"},
    };
    return icons;
}

// A button's tip, made when the tip is asked for, so it follows the settings and the keys of the moment.
class TButtonHintFilter : public QObject {
public:
    TButtonHintFilter(const TToolBarSettings& Settings, QObject* Parent) : QObject(Parent), FSettings(Settings) {}

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() != QEvent::ToolTip) return false;
        auto* button = qobject_cast<QToolButton*>(Watched);
        if (!button || !button->defaultAction()) return false;
        const std::string hint = ToolButtonHint(button->defaultAction()->text().toStdString(),
                                                FSettings.ToolTipHintShow, FSettings.ToolTipShortCut);
        if (hint.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(Event)->globalPos(), QString::fromStdString(hint), button);
        return true;
    }

private:
    const TToolBarSettings& FSettings;
};

// The first character of a caption that is a letter of its own (not "&" nor a bracket).
QString IconCharacter(const QString& Caption)
{
    for (const QChar c : Caption)
        if (c != '&' && c != '(' && !c.isSpace()) return QString(c);
    return QStringLiteral("?");
}

// The colour of a command's group in the customisation dialog's categories.
QColor GroupColor(int Number)
{
    static const QColor colors[] = {QColor(0x2D, 0x5F, 0xA8), QColor(0x3A, 0x8A, 0x3A), QColor(0xA8, 0x6A, 0x1E),
                                    QColor(0x6A, 0x3A, 0xA0), QColor(0x1E, 0x8A, 0x8A), QColor(0x8A, 0x3A, 0x5A),
                                    QColor(0x55, 0x55, 0x55), QColor(0x9A, 0x2A, 0x2A)};
    const auto& categories = ToolCategories();
    for (std::size_t i = 0; i < categories.size(); ++i)
        for (std::size_t k = 1; k < categories[i].Numbers.size(); ++k)
            if (categories[i].Numbers[k] == Number) return colors[i];
    return colors[6];
}

} // namespace

QIcon ToolButtonIcon(int Number, const QString& Caption)
{
    const auto theme = ThemeIcons().find(Number);
    if (theme != ThemeIcons().end() && QIcon::hasThemeIcon(theme->second)) return QIcon::fromTheme(theme->second);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(GroupColor(Number));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, IconCharacter(Caption));
    return QIcon(pixmap);
}

TQtUserToolBars::TQtUserToolBars(QMainWindow& Window, TGlobalState& State) : FWindow(Window), FState(State) {}

void TQtUserToolBars::Build()
{
    const TToolBarSettings& settings = FState.Settings.ToolBar;
    const bool loaded[2] = {settings.LoadToolBar1, settings.LoadToolBar2};
    const bool shown[2] = {settings.UserToolBar, settings.UserToolBar2};
    // The bar with the smaller saved top comes first; bar 2 first when the tops are equal, unless it was
    // right of bar 1 in their row. Tops half a row apart or more are rows of their own.
    const int tops[2] = {settings.UserToolBarTop, settings.UserToolBarTop2};
    const bool secondFirst = tops[1] < tops[0] ||
                             (tops[1] == tops[0] && settings.UserToolBarLeft2 <= settings.UserToolBarLeft);
    const std::array<int, 2> order = secondFirst ? std::array<int, 2>{2, 1} : std::array<int, 2>{1, 2};
    bool first = true;
    for (int B : order) {
        if (!loaded[B - 1] || FBars[B - 1]) continue;
        if (!first && std::abs(tops[1] - tops[0]) >= ToolBarRowHeight / 2) FWindow.addToolBarBreak(Qt::TopToolBarArea);
        first = false;
        auto* bar = new QToolBar(&FWindow);
        bar->setObjectName(B == 1 ? "UserToolBar" : "UserToolBar2");
        bar->setWindowTitle(QString::fromUtf8(B == 1 ? "ツールバー １" : "ツールバー ２"));
        bar->setMovable(settings.DragAndDrop);
        bar->setIconSize(QSize(16, 16));
        FWindow.addToolBar(Qt::TopToolBarArea, bar);
        FBars[B - 1] = bar;
        Fill(B);
        bar->setVisible(shown[B - 1] && !bar->actions().isEmpty());
    }
}

void TQtUserToolBars::CollectPlaces(TToolBarSettings& Settings) const
{
    int rowTop = INT_MAX;
    for (const QToolBar* bar : FBars)
        if (bar && bar->isVisible()) rowTop = std::min(rowTop, bar->y());
    const TToolBarSettings defaults;
    for (int B : {1, 2}) {
        const QToolBar* bar = FBars[B - 1];
        if (!bar || !bar->isVisible()) continue;
        (B == 1 ? Settings.UserToolBarLeft : Settings.UserToolBarLeft2) = bar->x();
        (B == 1 ? Settings.UserToolBarTop : Settings.UserToolBarTop2) = defaults.UserToolBarTop + bar->y() - rowTop;
    }
}

void TQtUserToolBars::Rebuild()
{
    for (int B : {1, 2})
        if (FBars[B - 1]) Fill(B);
}

void TQtUserToolBars::Fill(int B)
{
    QToolBar* bar = FBars[B - 1];
    Clear(*bar);
    const std::vector<int>& list = B == 1 ? FState.UserToolBar1 : FState.UserToolBar2;
    const bool flat = FState.Settings.ToolBar.ButtonFlat;
    int buttons = 0;
    for (int number : ToolBarButtons(list)) {
        const TToolButtonShape shape = ToolButtonShape(number);
        if (shape.Style == TToolButtonStyle::Separator) {
            bar->addSeparator();
            continue;
        }
        const std::string_view name = ToolButtonAction(number);
        QAction* action = FWindow.findChild<QAction*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        if (!action) continue;  // the window has no such command (yet)
        if (action->icon().isNull()) action->setIcon(ToolButtonIcon(number, action->text()));
        auto* button = new QToolButton(bar);
        button->setObjectName(QString(B == 1 ? "UserBtn%1" : "User2Btn%1").arg(number));
        button->setDefaultAction(action);
        if (!FHints) FHints = new TButtonHintFilter(FState.Settings.ToolBar, &FWindow);
        button->installEventFilter(FHints);
        button->setAutoRaise(flat);
        button->setFixedSize(shape.Width, shape.Height);
        if (shape.Style == TToolButtonStyle::DropDown) {
            button->setPopupMode(QToolButton::MenuButtonPopup);
            if (DropDownMenu)
                if (QMenu* menu = DropDownMenu(number)) button->setMenu(menu);
        }
        bar->addWidget(button);
        ++buttons;
    }
    // Separators alone make no bar.
    if (buttons == 0) Clear(*bar);
}

void TQtUserToolBars::Clear(QToolBar& Bar)
{
    // The bar's own actions (separators, and the holders of the buttons, which take their buttons
    // with them) go; the window's commands stay.
    for (QAction* action : Bar.actions()) {
        Bar.removeAction(action);
        if (action->parent() == &Bar) delete action;
    }
}

void TQtUserToolBars::Customize(TPrompter& Prompter, const std::function<void()>& Beep,
                                const std::function<bool(TToolBarSetDialog&)>& ShowModal)
{
    const bool loaded[2] = {FBars[0] != nullptr, FBars[1] != nullptr};
    TToolBarSetDialog dialog(FState.UserToolBar1, FState.UserToolBar2, loaded, [this](int Number) {
        const std::string_view name = ToolButtonAction(Number);
        return name.empty() ? nullptr
                            : FWindow.findChild<QAction*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }, ToolButtonIcon, Prompter, &FWindow);
    dialog.Beep = Beep;
    kit::ApplyStayOnTop(dialog, StayOnTop && StayOnTop());
    if (!(ShowModal ? ShowModal(dialog) : dialog.exec() == QDialog::Accepted)) return;
    FState.UserToolBar1 = dialog.Model().Bar(0);
    FState.UserToolBar2 = dialog.Model().Bar(1);
    for (int B : {1, 2}) {
        QToolBar* bar = FBars[B - 1];
        if (!bar) continue;
        const bool shown = !bar->isHidden();
        Fill(B);
        bar->setVisible(shown && !bar->actions().isEmpty());
    }
}

bool TQtUserToolBars::ToggleBar(int B, TPrompter& Prompter, const std::function<void()>& Beep)
{
    QToolBar* bar = FBars[B - 1];
    if (!bar) return false;
    bool& setting = B == 1 ? FState.Settings.ToolBar.UserToolBar : FState.Settings.ToolBar.UserToolBar2;
    if (!bar->isHidden()) {
        bar->hide();
        setting = false;
        return false;
    }
    if (bar->actions().isEmpty()) {
        if (Beep) Beep();
        ShowMessageDialog(Prompter, kConfigureToolBarFirst, "確認", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        setting = false;
        return false;
    }
    bar->show();
    setting = true;
    return true;
}

} // namespace qx
