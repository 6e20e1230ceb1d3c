#include "mainwindow/commands/MenuStates.h"

namespace qx {

TFileMenuState FileMenuState(const TMainSettings& Settings, int TabCount, bool NamedDocument)
{
    const TMenuSettings& menu = Settings.Menu;
    TFileMenuState state;
    state.AllCloseEnabled = TabCount != 1;
    state.ReloadEnabled = NamedDocument;
    state.PrintPreview = menu.PrintPreviewMenu;
    state.Print = menu.PrintMenu;
    state.SendMail = menu.SendMailMenu;
    state.PrintSeparator = menu.PrintPreviewMenu || menu.PrintMenu || menu.SendMailMenu;
    state.Reload = menu.ReloadMenu;
    state.Favorite = menu.FavoriteMenu;
    state.RtnOpen = menu.RtnOpenMenu;
    state.HtmlSave = menu.HTMLSaveMenu;
    state.RecentFiles = Settings.Option.FileHistoryNumber != 0;
    return state;
}

} // namespace qx
