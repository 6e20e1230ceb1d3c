#pragma once
// The roads by which documents come in and go out of the window: one executor of open requests that the
// open dialog, the recent files and folders, the favourites, the command line, a second start's
// hand-over and dropped files all take; Save, Save As and All Save; and inserting a file. They speak to
// the window through a small host (its tabs and the current document) and to the user through the
// prompter and the file dialogs, so every step runs in tests.

#include "documents/EditorFiles.h"
#include "documents/FileDialogs.h"
#include "mainwindow/files/CloseWalk.h"
#include "mainwindow/files/StartOptions.h"

#include <string>
#include <vector>

namespace qx {

class TEditor;

class TFileRoadHost : public TDocumentTabs {
public:
    virtual TPrompter& Prompter() = 0;
    virtual TGlobalState& State() = 0;
    virtual TFileDialogService& Dialogs() = 0;
    // The folder the open and save dialogs were last left in (kept for "DirIndex" 1).
    virtual std::string& LastDialogFolder() = 0;
    virtual void MessageBeep() = 0;

    virtual int CurrentPage() const = 0;
    // Whether the current tab holds a document (anything but an untitled, untouched one).
    virtual bool CurrentTabInUse() = 0;
    virtual void NewTab() = 0;
    // The current tab, made by NewTab for a load that did not go through, goes again; page Back (the
    // one active before it) becomes the active one.
    virtual void DiscardNewTab(int Back) = 0;
    // The current tab's document (its panes) and what loading and saving need of the window.
    virtual TDocumentEditor& CurrentDocument() = 0;
    virtual TDocumentHost DocumentHost() = 0;
    // The current document now belongs to Name: titles, caption, the save action, the last file and
    // the history.
    virtual void DocumentBoundTo(const std::string& Name) = 0;
    // After a file was opened into the current tab: the diary stamp, the request's read and jump options,
    // the status bar.
    virtual void DocumentOpened(const TOpenRequest& Request) = 0;
    // Stores a project item's text into the project; false when it was not stored.
    virtual bool StoreProjectItem() = 0;
    // The name a project item shows (Save As offers it).
    virtual std::string ProjectItemShownName() = 0;
    // Backup copies of the file about to be overwritten.
    virtual void MakeBackupFile(const std::string& FileName) = 0;
    // The focused editor (for Insert File), null when there is none.
    virtual TEditor* FocusedEditor() const = 0;
    virtual TEditor* CurrentEditor() const = 0;
};

// Opens Request.FileName with the code choice Code (TOpenCharCode). An open document only activates its
// tab (unless LookForTab is false); otherwise the current tab is reused when ReuseUntouched and it is not
// in use, else a new one is made. A locked file opens read-only after saying so; a missing or unreadable
// file is reported and nothing opens. True when the document is open.
bool OpenDocument(TFileRoadHost& Host, const TOpenRequest& Request, int Code, bool ReuseUntouched, bool LookForTab = true);

// The open dialog as the window shows it (filters, folder by "DirIndex", the code list).
TFileDialogRequest OpenDialogRequest(const TGlobalState& State, const std::string& LastFolder);
// The save dialog, reset (filter index, no name, the folder), with both lists.
TFileDialogRequest SaveDialogRequest(const TGlobalState& State, const std::string& LastFolder);
// The name with the extension of the chosen file type (1 ".txt", 2 ".html", 3 ".htm") appended when its
// own extension is another (compared ignoring ASCII case); other types keep the name.
std::string MatchSaveExtension(const std::string& FileName, int FilterIndex);

// File > Open: the dialog, then each chosen file in order with the chosen code.
void OpenFromDialog(TFileRoadHost& Host);
// A recent file or favourite: the automatic code.
bool OpenRecentFile(TFileRoadHost& Host, const std::string& FileName);
// A recent folder: the dialog in that folder, then the one file chosen (no look for an open tab).
void OpenFromFolder(TFileRoadHost& Host, const std::string& Folder);

// Save: untitled and grep results go to Save As, a project item into the project; otherwise backups,
// then the document in its own code and line end. False when nothing was saved.
bool SaveDocument(TFileRoadHost& Host);
// Save As: the dialog until a name is confirmed (an existing file only after Yes, asked for the name as
// it will be written) or the user cancels; the environment of the new extension goes to the editors.
bool SaveDocumentAs(TFileRoadHost& Host);
// All Save: every modified document in page order after the close question's Yes/No/Cancel/All; stops
// at Cancel or a save that did not happen (false then).
bool SaveAllDocuments(TFileRoadHost& Host);

// Reloads a named document from its file in CharType (TSaveFileCharType), after the question; true
// when it was reloaded.
bool ReloadWithCode(TFileRoadHost& Host, int CharType);

// Yes when FileName does not exist or the user agrees to replace it.
bool ConfirmOverwrite(TFileRoadHost& Host, const std::string& FileName);

// Insert File: a file's whole text (its code detected, UTF-16 and UTF-8 included) in place of the focused
// editor's selection; without "InsertCurPos" the caret goes back where it was.
void InsertFile(TFileRoadHost& Host);

} // namespace qx
