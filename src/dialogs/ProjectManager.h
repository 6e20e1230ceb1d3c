#pragma once
// The project manager: every project command over the open project (the global state's record list and
// project clipboard), without a window. The main window gives it its services (prompter, tabs, dialogs,
// beep, progress) and a tree listener; the Qt pane shows `Tree()` and forwards the user's acts.
//
// Record strings are Shift-JIS (a link's path is the file system's bytes); everything the user sees or
// types (messages, input boxes, captions, document names) is UTF-8.

#include "dialogs/ProjectFile.h"
#include "dialogs/ProjectServices.h"
#include "dialogs/ProjectTree.h"
#include "documents/GlobalState.h"
#include "platform/Prompter.h"

#include <functional>
#include <optional>
#include <span>
#include <string>

namespace qx {

// Which project actions are enabled for a selection.
struct TProjectActionStates {
    bool New = true, Open = true, Save = true;  // ActionProjectNew, ActionProjectOpen, ActionProjectSave (as)
    bool OverSave = false;
    bool MakeBox = false;
    bool MakeFolder = false, MakeFile = false, LinkFile = false, ImportFile = false;
    bool ItemCut = false, ItemCopy = false, ItemDelete = false;
    bool ItemOpen = false, ItemProperty = false, ItemExport = false, ItemPaste = false;
    bool operator==(const TProjectActionStates&) const = default;
};

struct TProjectServices {
    TPrompter& Prompter;
    TProjectTabs& Tabs;
    TProjectDialogs& Dialogs;
    std::function<void()> Beep = [] {};
    TProjectProgress Progress = {};
};

class TProjectManager {
public:
    TProjectManager(TGlobalState& state, TProjectServices services);

    void SetListener(TProjectTreeListener* listener) { FListener = listener; }
    // While the main window starts or closes, a new project keeps LastProjectFile.
    void SetStartingOrClosing(bool value) { FStartingOrClosing = value; }

    const TProjectRecordList& Records() const { return FState.ProjectItemList; }
    const TProjectRecordList& Clipboard() const { return FState.ProjectClipList; }
    const TProjectTree& Tree() const { return FTree; }
    // The root's caption: the project file's name without folder and extension.
    std::string RootCaption() const;
    // A record's caption (UTF-8).
    std::string Caption(int index) const;

    // Project files.
    bool NewProject();
    bool QueryProjectSave();       // the modified-project question; sets and returns ProjectCanContinue
    void ProjectNewMenuClick();
    void ProjectOpenMenuClick();
    // The one road that opens a project file (menu, recent projects, hand-over, dropped files): refused
    // while a stored item is open in a tab, then the modified-project question, then OpenProject.
    bool OpenProjectFile(const std::string& fileName);
    bool OpenProject(const std::string& fileName);
    bool SaveProject(const std::string& fileName);
    bool ProjectSaveMenuClick();    // over-save
    bool ProjectSaveAsMenuClick();  // save as

    // The tree.
    void RebuildProjectTree();
    int SelectedProjectItemIndex() const { return FSelected; }
    // The view's selection changed (-1: the root).
    void SetSelectedProjectItemIndex(int index);

    // New items under the selection.
    bool NewProjectBox();
    bool NewProjectFolder();
    bool NewProjectFile();
    bool LinkProjectFile(const std::string& fileName);
    bool ImportProjectFile(const std::string& fileName);
    void ActionProjectLinkFile();
    void ActionProjectImportFile();

    // The project item clipboard.
    bool CutProjectItem(int index);
    bool CopyProjectItem(int index);
    bool PasteProjectItem(int index, bool keepIds);
    bool DeleteProjectItem(int index, bool skipOpenCheck);

    // Drag and drop inside the tree (-1: the root).
    bool CanDragProjectItem(int source) const;
    bool CanDropProjectItem(int source, int target) const;
    // Moves the source's subtree onto the target as one operation, keeping ids; false (and nothing
    // changed) when the rules refuse it. The project item clipboard is left alone.
    bool DropProjectItem(int source, int target);

    // Items and tabs.
    void OpenProjectItem(int index);
    void OpenProjectItemInTab(int index);
    bool StoreProjectItemText();
    bool ExportProjectItem(const std::string& fileName, int index);
    void ActionProjectItemExport();
    bool ActionProjectItemProperty();

    TProjectActionStates UpdateProjectActions(int index) const;

    // The pane.
    bool PaneVisible() const { return FPaneVisible; }
    void SetPaneVisible(bool visible);
    void ProjectTreeMenuClick() { SetPaneVisible(!FPaneVisible); }

    // Document names of stored items: "Project[" + ItemId + "]:" + the names from the Level-0 ancestor
    // down, joined with "\".
    std::string ProjectItemDocName(int index) const;
    // The names from the item's Level-0 ancestor down to it, joined with "\".
    std::string ProjectItemPath(int index) const;
    int ProjectItemIndexFromDocName(const std::string& docName) const;
    int IndexOfProjectItemId(int itemId) const;  // Count() when none
    int FindProjectItemTab(int itemId) const;    // 1-based; 0 when none

private:
    // The folder the project file dialogs start in: [Project] "ProjectDirPath" with "UseProjectDir" on,
    // else none (with a slash at its end).
    std::string ProjectDialogFolder() const;
    struct TPastePlan {
        int Position;
        int LevelShift;
        bool FirstOnly;
    };
    // Where `records` (a subtree, first record first) go when pasted or dropped on `target`; nothing when
    // they may not go there, also when they would nest deeper than a project file may (MaxProjectDepth).
    std::optional<TPastePlan> PlanPaste(int target, std::span<const TProjectRecListItem> records) const;
    std::optional<TPastePlan> PlanPlace(int target, const TProjectRecListItem& first) const;
    int InsertPlanned(const TPastePlan& plan, std::vector<TProjectRecListItem> records, bool keepIds);
    bool NewProjectItem(TProjectNodeType type);
    bool AddProjectFile(const std::string& fileName, TProjectNodeType type);
    bool IsGroup(int index) const;
    bool SubtreeOpenInTab(int index) const;
    // Gives the open tabs of stored items in the subtree of `index` their current document names.
    void RenameOpenItems(int index);
    bool AnyStoredItemOpen() const;
    bool RefuseWhileItemsOpen(const char* message);
    bool WriteProject(const std::string& fileName);
    void Message(const std::string& text, TMsgDlgType kind = TMsgDlgType::mtInformation);
    void Changed(int select);

    TGlobalState& FState;
    TProjectServices FServices;
    TProjectTreeListener* FListener = nullptr;
    TProjectTree FTree;
    int FSelected = -1;
    bool FPaneVisible = false;
    bool FStartingOrClosing = false;
};

} // namespace qx
