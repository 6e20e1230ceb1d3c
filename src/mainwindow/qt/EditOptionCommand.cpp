#include "mainwindow/qt/EditOptionCommand.h"

#include "dialogs/EditEnvManager.h"
#include "documents/MessageDialog.h"
#include "editor/QxEditor.h"
#include "dialogs/qt/EditEnvDialog.h"
#include "dialogs/qt/EditOptionDialog.h"
#include "mainwindow/qt/EditorFrame.h"
#include "mainwindow/qt/MainCommandHost.h"
#include "mainwindow/commands/qt/QtActions.h"
#include "mainwindow/qt/QxEditorMain.h"

#include <QApplication>

namespace qx {

namespace {

class TMainEditOptionHost : public TEditOptionHost {
public:
    explicit TMainEditOptionHost(TQxEditorMain& Main) : FMain(Main) {}
    int CurrentEnvironment() const override
    {
        const TQxEditor* editor = FMain.CurrentEditor();
        return editor ? editor->AnyNumber1 : -1;
    }
    // Both panes of the tab, the number kept.
    void ApplyToCurrentTab(int N) override { FMain.SwitchEnvironment(N); }
    void Refresh() override
    {
        FMain.RefreshStatusBar();
        FMain.Actions().UpdateStates();
    }

private:
    TQxEditorMain& FMain;
};

// Every open tab takes its environment's new number; a tab of a deleted environment takes 0.
void Renumber(TQxEditorMain& Main, const TEnvRenumbering& Map)
{
    for (int page = 0; page < Main.Count(); ++page) {
        TEditorFrame* frame = Main.FrameOfPage(page);
        if (!frame) continue;
        const int old = frame->MainEditor().AnyNumber1;
        const int now = old >= 0 && old < EnvironmentCount ? Map[old] : 0;
        frame->Document().SetEnvironmentNumber(now < 0 ? 0 : now);
    }
}

} // namespace

void RunEditOptionDialog(TQxEditorMain& Main)
{
    TEditOptionModel model(Main.State(), Main.Prompter());
    TMainEditOptionHost host(Main);
    const TExceptionHandler onError = ErrorBox(Main.Prompter());
    TEditOptionContext context{model, Main.Dialogs(),
                               [&Main] {
                                   const TQxEditor* editor = Main.CurrentEditor();
                                   return editor ? editor->VisibleCols() : 0;
                               },
                               [&Main] { Main.MessageBeep(); }, onError};
    const bool onTop = Main.CommandHost().StayOnTop();
    TEditOptionDialog dialog(context, host, &Main);
    dialog.ApplyStayOnTop(onTop);
    dialog.OnDefine = [&] {
        TEditEnvManager manager(model, Main.Dialogs());
        manager.OnRenumber = [&Main](const TEnvRenumbering& Map) { Renumber(Main, Map); };
        TEditEnvDialog manage(manager, onError, &dialog);
        manage.ApplyStayOnTop(onTop);
        manage.exec();
        dialog.ShowEnvironments();
    };
    dialog.FormShow(host.CurrentEnvironment());
    dialog.exec();
}

void BindEditOptionCommand(TQxEditorMain& Main)
{
    Main.Commands().Bind("ActionEdtOption", [&Main] { RunEditOptionDialog(Main); });
}

} // namespace qx
