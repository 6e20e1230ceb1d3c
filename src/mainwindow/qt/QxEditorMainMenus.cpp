// The main window's menus: the menu bar built from the menu tree, the items the window builds as a menu
// opens (recent files and folders, reopen codes, environments, document moves), the states that follow
// the current document and the [Menu] settings, the hint bar, and the commands that show or hide the
// bars or pop a sub-menu up at the cursor.

#include "mainwindow/qt/QxEditorMain.h"

#include "documents/DocumentCodes.h"
#include "documents/EditorEnvironment.h"
#include "documents/FileHistory.h"
#include "documents/MessageDialog.h"
#include "documents/qt/FavoriteFileDialog.h"
#include "dialogs/qt/ToolDialogKit.h"
#include "documents/qt/QxStatusBar.h"
#include "editor/QxEditor.h"
#include "dialogs/ProjectManager.h"
#include "dialogs/qt/ProjectTreeView.h"
#include "dialogs/KeySetModel.h"
#include "mainwindow/commands/MenuStates.h"
#include "mainwindow/bars/UserToolBars.h"
#include "mainwindow/commands/ViewCommands.h"
#include "documents/ToolBarFile.h"
#include "dialogs/ShortCutFile.h"
#include "mainwindow/bars/qt/CuteControlBar.h"
#include "mainwindow/qt/EditorFrame.h"
#include "dialogs/qt/KeySetDialog.h"
#include "mainwindow/qt/MainCommandHost.h"
#include "mainwindow/qt/MainComponents.h"
#include "mainwindow/bars/qt/MainMenuBar.h"
#include "mainwindow/commands/qt/QtActions.h"
#include "mainwindow/bars/qt/QtUserToolBars.h"
#include "mainwindow/qt/ToolDialogs.h"
#include "platform/Prompter.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace qx {

namespace {

QString Q(const std::string& Utf8) { return QString::fromStdString(Utf8); }

} // namespace

void TQxEditorMain::BuildMenus()
{
    // The commands of the tool buttons carry the buttons' icons into the menus too.
    for (int number = 0; number <= LastToolCommandIndex; ++number) {
        const std::string_view name = ToolButtonAction(number);
        if (QAction* action = name.empty() ? nullptr : FActions->Action(name))
            if (action->icon().isNull()) action->setIcon(ToolButtonIcon(number, action->text()));
    }
    // The menu sits in its own band: a grip and the menu bar, as the window's menu widget.
    auto* band = new QWidget(this);
    band->setObjectName("MenuControlBar");
    auto* layout = new QHBoxLayout(band);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FMenuGrip = new TBandGripWidget(band);
    FMenuGrip->setObjectName("MenuBandGrip");
    FMenuBar = new TMainMenuBar(*FActions, band);
    layout->addWidget(FMenuGrip);
    layout->addWidget(FMenuBar, 1);
    setMenuWidget(band);
    FMenuBar->SlotItems = [this](std::string_view Slot, QMenu& Menu) { return MenuSlotItems(Slot, Menu); };
    FMenuBar->MenuOpening = [this](std::string_view Menu) { MenuOpening(Menu); };
    // The hint bar above the status bar shows the menu item under the mouse.
    FHintBar = new QToolBar(this);
    FHintBar->setObjectName("HintStatusBar");
    FHintBar->setMovable(false);
    FHintBar->setFloatable(false);
    FHintBar->toggleViewAction()->setVisible(false);
    auto* hint = new QLabel(FHintBar);
    hint->setObjectName("HintLabel");
    FHintBar->addWidget(hint);
    addToolBar(Qt::BottomToolBarArea, FHintBar);
    for (QMenu* menu : FMenuBar->findChildren<QMenu*>())
        connect(menu, &QMenu::hovered, hint, [hint](QAction* Item) { hint->setText(Q(PlainMenuCaption(Item->text().toStdString()))); });
    // The project menu's other place: the project tool bar above the tree, whose button opens the same menu.
    auto* projectBar = new QToolBar(FProjectPane);
    projectBar->setObjectName("ProjectToolBar");
    projectBar->setMovable(false);
    auto* projectButton = new QToolButton(projectBar);
    projectButton->setObjectName("ProjectMenuButton");
    QMenu* projectMenu = FMenuBar->Menu("ProjectMenu");
    projectButton->setText(projectMenu->title());
    projectButton->setMenu(projectMenu);
    projectButton->setPopupMode(QToolButton::InstantPopup);
    projectBar->addWidget(projectButton);
    FProjectPane->SetToolBar(projectBar);
    ApplyProjectMenu(FState.Settings.Project.ProjectMenu);
    BindMenuCommands();
}

void TQxEditorMain::ApplyProjectMenu(int ProjectMenu)
{
    FMenuBar->Menu("ProjectMenu")->menuAction()->setVisible(ProjectMenu == 0);
    findChild<QToolBar*>("ProjectToolBar")->setVisible(ProjectMenu != 0);
}

void TQxEditorMain::BindMenuCommands()
{
    const auto beep = [this] {
        if (Beep) Beep();
    };
    for (int bar : {1, 2}) {
        FCommands.Bind(
            bar == 1 ? "ActionToolBar1" : "ActionToolBar2", [this, bar, beep] { FToolBars->ToggleBar(bar, FPrompter, beep); },
            [this, bar] { return FToolBars->Bar(bar) != nullptr; },
            [this, bar] { return FToolBars->Bar(bar) && !FToolBars->Bar(bar)->isHidden(); });
    }
    // The status bar and the hint bar: shown or hidden, and the setting with them.
    const auto toggle = [this](const char* Action, QWidget* Bar, bool& Setting) {
        FCommands.Bind(
            Action,
            [Bar, &Setting] {
                Setting = Bar->isHidden();
                Bar->setVisible(Setting);
            },
            {}, [Bar] { return !Bar->isHidden(); });
    };
    toggle("ActionStatusBar", FStatus, FState.Settings.StatusBar.StatusBar);
    toggle("ActionHintBar", FHintBar, FState.Settings.StatusBar.HintBar);
    // The commands that stand for a sub-menu pop it up at the mouse.
    const auto popup = [this](const char* Menu) {
        return [this, Menu] {
            if (QMenu* menu = FMenuBar->Menu(Menu)) menu->popup(QCursor::pos());
        };
    };
    const auto hasEditor = [this] { return CurrentEditor() != nullptr; };
    FCommands.Bind("ActionWordWrap", popup("WrapMenu"), hasEditor);
    FCommands.Bind("ActionEditorEnvironment", popup("EnvMenu"), hasEditor);
    FCommands.Bind("ActionDocMove", popup("DocMoveMenu"), [this] { return Count() > 1; });
    FCommands.Bind("ActionFileOperate", popup("FileOperateMenu"));
    FCommands.Bind("ActionOnePoint", [this] { FComponents->ShowTips(); });
    FCommands.Bind("ActionFavorite", [this] {
        TFavoriteFileDialog dialog(FState, FPrompter, Dialogs(), this);
        dialog.OpenFile = [this](const std::string& Path) {
            OpenFile({"", "", "", Path}, true);
            RestoreWindow();
        };
        dialog.exec();
    });
}

void TQxEditorMain::ApplyBarSettings()
{
    const TMainSettings& settings = FState.Settings;
    FStatus->setVisible(settings.StatusBar.StatusBar);
    FHintBar->setVisible(settings.StatusBar.HintBar);
    ApplyMenuBand(settings.Menu.MenuStyle, settings.Menu.BarStyle);
    if (!FControlBar) {
        FControlBar = new TCuteControlBar(*this, "ControlBar1");
        for (int bar : {1, 2}) FControlBar->AddBand(FToolBars->Bar(bar));
    }
    ApplyToolBarBand(settings.ToolBar.BarStyle, settings.ToolBar.ToolBarFold);
}

void TQxEditorMain::ApplyMenuBand(int MenuStyle, int BarStyle)
{
    // Menu style 0 is the plain menu; otherwise the menu is a band with its grip.
    FMenuGrip->setVisible(MenuStyle != 0);
    FMenuGrip->BandType = BandTypeOfStyle(BarStyle);
    FMenuGrip->update();
}

void TQxEditorMain::ApplyToolBarBand(int BarStyle, bool CanFold)
{
    if (!FControlBar) return;  // made with the bars at the first showing, which applies the settings
    FControlBar->SetBandType(BandTypeOfStyle(BarStyle));
    FControlBar->SetCanFold(CanFold);
}

std::vector<QAction*> TQxEditorMain::DocumentMoveItems(QMenu& Menu)
{
    const std::pair<const char*, TTabMove> moves[] = {{"先頭に移動", TTabMove::First},
                                                      {"一つ左へ移動", TTabMove::Left},
                                                      {"一つ右へ移動", TTabMove::Right},
                                                      {"末尾に移動", TTabMove::Last}};
    const int page = FPages->currentIndex();
    std::vector<QAction*> items;
    for (const auto& [caption, move] : moves) {
        auto* item = new QAction(QString::fromUtf8(caption), &Menu);
        item->setData(static_cast<int>(move));
        item->setEnabled(TabMoveTarget(move, page, Count()) != page);
        connect(item, &QAction::triggered, this, [this, move] { MoveDocument(move); });
        items.push_back(item);
    }
    return items;
}

std::vector<QAction*> TQxEditorMain::MenuSlotItems(std::string_view Slot, QMenu& Menu)
{
    std::vector<QAction*> items;
    const auto add = [&](const QString& Caption, std::function<void()> Run) {
        auto* item = new QAction(Caption, &Menu);
        connect(item, &QAction::triggered, this, std::move(Run));
        items.push_back(item);
        return item;
    };
    // The visible items of a path list, each opening its path.
    const auto paths = [&](const std::vector<TMenuItemModel>& List, std::function<void(const std::string&)> Open) {
        for (const TMenuItemModel& entry : List)
            if (entry.Visible) add(Q(entry.Caption), [Open, path = entry.Path] { Open(path); });
    };
    if (Slot == "RecentFiles") {
        paths(BuildFileMenuHistory(FState).Files, [this](const std::string& Path) { OpenFile({"", "", "", Path}, true); });
    } else if (Slot == "RecentDirs") {
        paths(BuildFileMenuHistory(FState).Dirs, [this](const std::string& Path) { OpenFromFolder(*this, Path); });
    } else if (Slot == "RecentProjects") {
        paths(BuildProjectMenuHistory(FState), [this](const std::string& Path) { FProject->OpenProjectFile(Path); });
    } else if (Slot == "ReloadCodes") {
        // Reopen the document in a code of the user's choice.
        const std::pair<const char*, int> codes[] = {{"Shift-JIS(&S)", 2}, {"EUC(&E)", 1},     {"JIS(&J)", 0},
                                                     {"Unicode(&U)", 3},   {"Unicode Big Endian(&B)", 4},
                                                     {"UTF-8(&8)", 5}};
        const bool named = FileMenuState(FState.Settings, Count(), NamedDocument()).ReloadEnabled;
        for (const auto& [caption, code] : codes) {
            QAction* item = add(QString::fromUtf8(caption), [this, code] { ReloadWithCode(*this, code); });
            item->setData(code);
            item->setEnabled(named);
        }
    } else if (Slot == "Environments") {
        // Environment 0 has its fixed item; 1..9 show when they have a name. The number is the item's data.
        TEditorFrame* frame = CurrentFrame();
        const int current = frame ? frame->MainEditor().AnyNumber1 : -1;
        std::vector<TMenuItemModel> environments = BuildEditorEnvMenu(FState);
        environments.insert(environments.begin(), TMenuItemModel{"&0 標準", "", true});
        for (int n = 0; n < static_cast<int>(environments.size()); ++n) {
            if (!environments[static_cast<std::size_t>(n)].Visible) continue;
            QAction* item = add(Q(environments[static_cast<std::size_t>(n)].Caption), [this, n] { SwitchEnvironment(n); });
            item->setObjectName(QStringLiteral("EE%1").arg(n));
            item->setData(n);
            item->setCheckable(true);
            item->setChecked(n == current);
        }
    } else if (Slot == "DocMoves") {
        items = DocumentMoveItems(Menu);
    } else if (Slot == "MacroClear") {
        // The key macro's clear has no command of its own (no key can be given to it).
        TKeyMacroCommands& macro = FComponents->MacroCommands();
        add(QString::fromUtf8("ﾏｸﾛのｸﾘｱ(&C)"), [this, &macro] {
            macro.ClrExecute();
            RefreshStatusBar();
        })
            ->setEnabled(FComponents->Macro().State() != TKeyMacroState::Empty);
    } else if (Slot == "Customize") {
        items.push_back(FToolDialogs->SyomeiAction);
        items.push_back(FToolDialogs->DataEditAction);
        add(QString::fromUtf8("ﾂｰﾙﾊﾞｰのｶｽﾀﾏｲｽﾞ(&T)..."), [this] {
            FToolBars->Customize(FPrompter, [this] {
                if (Beep) Beep();
            });
        });
        add(QString::fromUtf8("ｷｰ割り当て(&A)..."), [this] { ShowKeySetDialog(); });
    }
    return items;
}

bool TQxEditorMain::NamedDocument() const
{
    return Count() > 0 && IsNamedFile(FCurFile);
}

void TQxEditorMain::MenuOpening(std::string_view Menu)
{
    // "MenuImage": the items show their icons.
    for (QAction* item : FMenuBar->Menu(Menu)->actions()) item->setIconVisibleInMenu(FState.Settings.Menu.MenuImage);
    if (Menu == "ShioriSetMenu" || Menu == "ShioriGoMenu") {
        // Each bookmark's item shows its digit and its label (the marked row's text), before its key.
        const TQxEditor* editor = CurrentEditor();
        for (int d = 0; d <= 9; ++d) {
            QAction* action = FActions->Action((Menu == "ShioriSetMenu" ? "ActionShioriSet" : "ActionShioriGo") + std::to_string(d));
            const QString key = action->text().section(QLatin1Char('\t'), 1);
            QString text = Q(BookmarkMenuCaption(d, editor ? editor->GetBookmark(d) : std::string()));
            if (!key.isEmpty()) text += QLatin1Char('\t') + key;
            action->setText(text);
        }
    }
    if (Menu != "FileMenu") return;
    const TFileMenuState state = FileMenuState(FState.Settings, Count(), NamedDocument());
    const auto show = [this](const char* Action, bool Visible) {
        if (QAction* item = FMenuBar->Item(Action)) item->setVisible(Visible);
    };
    show("ActionPrintPreview", state.PrintPreview);
    show("ActionPrint", state.Print);
    show("ActionSendMail", state.SendMail);
    show("ActionFavorite", state.Favorite);
    show("ActionKanrenOpen", state.RtnOpen);
    show("ActionSaveAsHTML", state.HtmlSave);
    if (QAction* item = FMenuBar->Item("ActionAllClose"))
        item->setEnabled(state.AllCloseEnabled && FActions->Action("ActionAllClose")->isEnabled());
    QMenu* file = FMenuBar->Menu("FileMenu");
    // The separator before the print group.
    const QList<QAction*> entries = file->actions();
    const qsizetype print = entries.indexOf(FMenuBar->Item("ActionPrintPreview"));
    if (print > 0) entries[print - 1]->setVisible(state.PrintSeparator);
    QMenu* reload = FMenuBar->Menu("ReloadMenu");
    reload->menuAction()->setVisible(state.Reload);
    reload->menuAction()->setEnabled(state.ReloadEnabled);
    FMenuBar->Menu("RecentFilesMenu")->menuAction()->setVisible(state.RecentFiles);
}

void TQxEditorMain::ShowKeySetDialog()
{
    // OK gives the window's commands the saved keys at once.
    TCommandKeys& keys = FComponents->Keys();
    TKeySetModel model(
        FState.ProgramFile(ShortCutFileName), [&keys](const std::string& path) { keys.ApplyShortCuts(path); },
        FPrompter, Dialogs());
    TKeySetDialog dialog(model, ErrorBox(FPrompter), this);
    kit::ApplyStayOnTop(dialog, FCommandHost->StayOnTop());
    dialog.exec();
}

} // namespace qx
