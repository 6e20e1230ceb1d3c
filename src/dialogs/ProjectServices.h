#pragma once
// What the project manager needs of the main window, as small interfaces: the tabs and their texts, the
// open road for files, the file dialogs and the properties dialog, and the tree that shows the project.
// The main window implements them; tests fake them.

#include <string>
#include <vector>

namespace qx {

struct TProjectPropertyForm;

// The main window's tabs as far as projects are concerned. Tabs are numbered from 0 in page order.
class TProjectTabs {
public:
    virtual ~TProjectTabs() = default;
    virtual int TabCount() const = 0;
    virtual std::string DocumentName(int tab) const = 0;
    // Renames the tab's document (a moved item); the window's current file name follows when it is the
    // active tab.
    virtual void SetDocumentName(int tab, const std::string& docName) = 0;
    virtual void ActivateTab(int tab) = 0;
    virtual int ActiveTab() const = 0;  // -1 when there is none
    // The whole text of the tab's editor, Shift-JIS with its line ends.
    virtual std::string TabText(int tab) const = 0;
    // Shows a stored item: takes the current tab when it is untitled and unmodified, else a new one;
    // applies the editor environment that `ext` picks; the text, not modified; the document name; the
    // caption (UTF-8, "&" already doubled); status panel 2 cleared; the editor focused.
    virtual void OpenStoredItem(const std::string& docName, const std::string& caption, const std::string& text,
                                const std::string& ext) = 0;
    // The tab's text went back into its item: not modified, status panel 2 cleared, caption refreshed
    // from the document name, the save action disabled.
    virtual void MarkStored(int tab) = 0;
    // Opens a file on disk by the window's open road (a tab that holds it is activated).
    virtual void OpenFile(const std::string& path) = 0;
};

// The dialogs the project commands show.
class TProjectDialogs {
public:
    virtual ~TProjectDialogs() = default;
    // The project open and save dialogs ("QxEditorﾌﾟﾛｼﾞｪｸﾄ (*.qxp)|*.qxp", default extension "qxp"); the
    // save dialog starts at `path`. False when cancelled.
    virtual bool ChooseProjectToOpen(std::string& path) = 0;
    virtual bool ChooseProjectToSave(std::string& path) = 0;
    // The main open dialog with multiple selection: the files to link or import (empty when cancelled).
    virtual std::vector<std::string> ChooseFilesToAdd() = 0;
    // A file to export an item's text to; starts at `path`. False when cancelled.
    virtual bool ChooseExportFile(std::string& path) = 0;
    // The item properties dialog over `form`; true when closed with OK.
    virtual bool EditProperties(TProjectPropertyForm& form) = 0;
};

// The tree that shows the project; the manager tells it what changed.
class TProjectTreeListener {
public:
    virtual ~TProjectTreeListener() = default;
    // The records changed shape: rebuild every node (keep what was expanded where it still exists).
    virtual void ProjectTreeRebuilt() {}
    // Select record `index` (-1: the root), expanding every node above it.
    virtual void ProjectNodeSelected(int index) {}
    // The pane was shown or hidden.
    virtual void ProjectPaneVisibilityChanged(bool visible) {}
    // A record's caption, kind or lock changed in place.
    virtual void ProjectNodeChanged(int index) {}
};

} // namespace qx
