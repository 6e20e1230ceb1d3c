#include "mainwindow/qt/OptionHost.h"

#include "dialogs/qt/OptionDialog.h"
#include "dialogs/qt/ProjectPropertyDialog.h"
#include "dialogs/qt/ProjectTreeView.h"
#include "documents/MessageDialog.h"
#include "editor/qt/EditorCursors.h"
#include "mainwindow/qt/MainComponents.h"
#include "mainwindow/bars/qt/QtUserToolBars.h"
#include "mainwindow/qt/QxEditorMain.h"
#include "platform/FileBytes.h"

#include <QApplication>
#include <QFontDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace qx {

namespace {

// The program's own editing cursor, registered under its number the first time it is asked for: an
// I-beam with a pen's nib beside it.
constexpr int kUserCursorNumber = 1;

QCursor DrawUserCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    for (const auto& [pen, width] : {std::pair{Qt::white, 3}, std::pair{Qt::black, 1}}) {
        p.setPen(QPen(pen, width));
        p.drawLine(8, 2, 8, 20);
        p.drawLine(5, 2, 11, 2);
        p.drawLine(5, 20, 11, 20);
        p.drawLine(13, 14, 19, 8);
        p.drawLine(13, 14, 12, 17);
        p.drawLine(12, 17, 15, 16);
    }
    return QCursor(pixmap, 8, 11);
}

// The hot spot a ".cur" file names for its first image (its directory entry's two words after the
// colours); the middle of the image for any other file.
QPoint CursorHotSpot(const std::string& Path, const QPixmap& Image)
{
    std::string bytes;
    try {
        if (ReadFileBytes(Path, bytes) && bytes.size() >= 22 && bytes[2] == 2 && bytes[3] == 0) {
            const auto word = [&](std::size_t At) {
                return static_cast<unsigned char>(bytes[At]) | static_cast<unsigned char>(bytes[At + 1]) << 8;
            };
            return QPoint(std::min(word(10), Image.width() - 1), std::min(word(12), Image.height() - 1));
        }
    } catch (const std::exception&) {
    }
    return QPoint(Image.width() / 2, Image.height() / 2);
}

} // namespace

TPrompter& TQtOptionHost::Prompter() { return FMain.Prompter(); }

void TQtOptionHost::Beep() { FMain.MessageBeep(); }

int TQtOptionHost::UserCursor()
{
    static const bool registered = [] {
        SetScreenCursor(kUserCursorNumber, DrawUserCursor());
        return true;
    }();
    (void)registered;
    return kUserCursorNumber;
}

bool TQtOptionHost::LoadCursorFile(const std::string& Path)
{
    std::string ext = std::filesystem::path(Path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (Path.empty() || ext == ".ani") return false;  // Qt has no reader for animated cursors
    const QPixmap image(QString::fromStdString(Path), ext == ".cur" ? "cur" : nullptr);
    if (image.isNull()) return false;
    SetScreenCursor(crFileCursor, QCursor(image, CursorHotSpot(Path, image).x(), CursorHotSpot(Path, image).y()));
    return true;
}

void TQtOptionHost::SetTextCursor(int Cursor) { FMain.SetTextCursor(Cursor); }

void TQtOptionHost::ApplyTrayAndHotKey(bool UseTray, bool Resident)
{
    FMain.Components().ApplyTrayAndHotKey(UseTray, Resident);
}

void TQtOptionHost::ApplyMenuLook(int MenuStyle, int BandStyle, int ProjectMenu, bool MenuImages)
{
    FMain.ApplyMenuBand(MenuStyle, BandStyle);
    QApplication::setAttribute(Qt::AA_DontShowIconsInMenus, !MenuImages);
    FMain.ApplyProjectMenu(ProjectMenu);
}

void TQtOptionHost::ApplyToolBarLook(const TToolBarSettings& ToolBar)
{
    for (const char* name : {"UserToolBar", "UserToolBar2"})
        if (auto* bar = FMain.findChild<QToolBar*>(name)) bar->setMovable(ToolBar.DragAndDrop);
    FMain.ToolBars().Rebuild();
    FMain.ApplyToolBarBand(ToolBar.BarStyle, ToolBar.ToolBarFold);
}

void TQtOptionHost::RefreshStatusInfo() { FMain.Components().StatusTimerTick(); }

void TQtOptionHost::ApplyClipboardHistory(int Bytes, bool)
{
    // The viewer command's state follows UseClip through its rule on the next refresh.
    FMain.Components().ClipHistory().SetBuffers(Bytes);
}

void TQtOptionHost::ApplyProjectTreeLook(const TProjectTreeLook& Look) { qx::ApplyProjectTreeLook(FMain, Look); }

void TQtOptionHost::RefreshTitles() { FMain.SetCurFile(FMain.CurFile()); }

void TQtOptionHost::RefreshCurrentTab() { FMain.RefreshStatusBar(); }

void ApplyProjectTreeLook(TQxEditorMain& Main, const TProjectTreeLook& Look)
{
    ShowProjectTreeLook(Main.ProjectPane().Tree(), Look);
    Main.ProjectPane().SetTitleColors(Look.TitleFontColor, Look.TitleBackGroundColor);
}

void ShowOptionDialog(TQxEditorMain& Main, bool StayOnTop, const std::function<void(QDialog&)>& ShowModal)
{
    TQtOptionHost host(Main);
    TOptionDialogModel model(Main.State(), host);
    model.Load(Main.Components().ClipHistory().Buffers());
    TQtProjectDialogs projects(&Main);
    TOptionDialog* dialog = nullptr;
    const bool anyBar = Main.findChild<QToolBar*>("UserToolBar") || Main.findChild<QToolBar*>("UserToolBar2");
    TOptionPageContext context{
        model,
        Main.State(),
        Main.Dialogs(),
        [&Main] { return Main.CurrentPlacement(); },
        anyBar,
        [&projects](std::string& Path) { return projects.ChooseProjectToOpen(Path); },
        [&dialog](QFont& Font) {
            bool ok = false;
            const QFont chosen = QFontDialog::getFont(&ok, Font, dialog, QString(), QFontDialog::DontUseNativeDialog);
            if (ok) Font = chosen;
            return ok;
        },
        ErrorBox(Main.Prompter())};
    TOptionDialog form(model, std::move(context), &Main);
    dialog = &form;
    form.setWindowFlag(Qt::WindowStaysOnTopHint, StayOnTop);
    if (ShowModal)
        ShowModal(form);
    else
        form.exec();
}

} // namespace qx
