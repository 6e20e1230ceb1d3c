#include "mainwindow/commands/ProjectCommands.h"

#include "dialogs/ProjectManager.h"

namespace qx {

void BindProjectCommands(TCommandSet& Commands, TProjectManager& Project)
{
    // The rule of one command: its flag in the action table of the current selection.
    const auto rule = [&Project](bool TProjectActionStates::*Flag) -> TCommandSet::TRule {
        return [&Project, Flag] { return Project.UpdateProjectActions(Project.SelectedProjectItemIndex()).*Flag; };
    };
    // A command on the selected item.
    const auto onSelected = [&Project](auto Run) -> TCommandSet::TExecute {
        return [&Project, Run] { Run(Project, Project.SelectedProjectItemIndex()); };
    };
    using S = TProjectActionStates;
    using M = TProjectManager;

    Commands.Bind("ActionProjectNew", [&Project] { Project.ProjectNewMenuClick(); }, rule(&S::New));
    Commands.Bind("ActionProjectOpen", [&Project] { Project.ProjectOpenMenuClick(); }, rule(&S::Open));
    Commands.Bind("ActionProjectOverSave", [&Project] { Project.ProjectSaveMenuClick(); }, rule(&S::OverSave));
    Commands.Bind("ActionProjectSave", [&Project] { Project.ProjectSaveAsMenuClick(); }, rule(&S::Save));

    Commands.Bind("ActionProjectMakeBox", [&Project] { Project.NewProjectBox(); }, rule(&S::MakeBox));
    Commands.Bind("ActionProjectMakeFolder", [&Project] { Project.NewProjectFolder(); }, rule(&S::MakeFolder));
    Commands.Bind("ActionProjectMakeFile", [&Project] { Project.NewProjectFile(); }, rule(&S::MakeFile));
    Commands.Bind("ActionProjectLinkFile", [&Project] { Project.ActionProjectLinkFile(); }, rule(&S::LinkFile));
    Commands.Bind("ActionProjectImportFile", [&Project] { Project.ActionProjectImportFile(); }, rule(&S::ImportFile));

    Commands.Bind("ActionProjectItemCut", onSelected([](M& p, int i) { p.CutProjectItem(i); }), rule(&S::ItemCut));
    Commands.Bind("ActionProjectItemCopy", onSelected([](M& p, int i) { p.CopyProjectItem(i); }), rule(&S::ItemCopy));
    // The command gives every pasted item a new id; only a drag keeps them.
    Commands.Bind("ActionProjectItemPaste", onSelected([](M& p, int i) { p.PasteProjectItem(i, false); }),
                  rule(&S::ItemPaste));
    Commands.Bind("ActionProjectItemDelete", onSelected([](M& p, int i) { p.DeleteProjectItem(i, false); }),
                  rule(&S::ItemDelete));
    Commands.Bind("ActionProjectItemOpen", onSelected([](M& p, int i) { p.OpenProjectItem(i); }), rule(&S::ItemOpen));
    Commands.Bind("ActionProjectItemExport", [&Project] { Project.ActionProjectItemExport(); }, rule(&S::ItemExport));
    Commands.Bind("ActionProjectItemProperty", [&Project] { Project.ActionProjectItemProperty(); }, rule(&S::ItemProperty));

    Commands.Bind("ActionProjectManager", [&Project] { Project.ProjectTreeMenuClick(); }, {},
                  [&Project] { return Project.PaneVisible(); });
}

} // namespace qx
