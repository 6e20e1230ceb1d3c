// The File menu's commands: new, open (also with the associated program), save, save as, save all,
// reload in the document's code, close, close all, quit; and Insert File.

#include "mainwindow/commands/MainCommands.h"

#include "editor/EditorControl.h"
#include "mainwindow/files/FileRoads.h"
#include "mainwindow/files/TabModel.h"
#include "platform/Launcher.h"

#include <filesystem>

namespace qx {

void BindFileCommands(TCommandSet& Commands, TMainCommandHost& Host)
{
    const auto hasDocument = [&Host] { return Host.CurrentEditor() != nullptr; };
    const auto named = [&Host] {
        TFileRoadHost& files = Host.Files();
        if (files.Count() == 0) return false;
        return IsNamedFile(files.Name(files.CurrentPage()));
    };
    Commands.Bind("ActionNew", [&Host] { Host.NewTab(); });
    Commands.Bind("ActionOpen", [&Host] { OpenFromDialog(Host.Files()); });
    Commands.Bind("ActionKanrenOpen", [&Host] {
        TFileDialogRequest request = OpenDialogRequest(Host.Files().State(), Host.Files().LastDialogFolder());
        request.MultiSelect = false;
        request.ComboBoxVisible = false;
        const TFileDialogResult result = Host.Files().Dialogs().Execute(request);
        if (!result.Accepted || result.Files.empty()) return;
        const std::string& file = result.Files.front();
        if (!Host.Launcher().Open(file, std::filesystem::path(file).parent_path()))
            ReportShellOpenFailed(Host.Prompter(), file);
    });
    Commands.Bind("ActionSave", [&Host] { Host.FileSave(); },
                  [&Host] { return Host.CurrentEditor() && Host.CurrentEditor()->Modified(); });
    Commands.Bind("ActionSaveAs", [&Host] { SaveDocumentAs(Host.Files()); }, hasDocument);
    Commands.Bind("ActionAllSave", [&Host] { SaveAllDocuments(Host.Files()); }, [&Host] { return Host.AnyModified(); });
    Commands.Bind("ActionEditAgainFirst",
                  [&Host] { ReloadWithCode(Host.Files(), Host.Files().CurrentDocument().SaveFileCharType()); }, named);
    Commands.Bind("ActionInsertFile", [&Host] { InsertFile(Host.Files()); },
                  [&Host] { return Host.FocusedEditor() && Host.Editable(); });
    Commands.Bind("ActionClose", [&Host] { Host.CloseActive(); });
    Commands.Bind("ActionAllClose", [&Host] { Host.CloseAll(); }, [&Host] { return Host.TabCount() != 1; });
    Commands.Bind("ActionShutQxEditor", [&Host] { Host.Quit(); });
    Commands.Bind("ActionCloseQxEditor", [&Host] { Host.CloseWindow(); });
}

} // namespace qx
