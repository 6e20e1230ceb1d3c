#pragma once
// Loading a file into the editor of a document, reloading it in another code, the check for a file
// rewritten by another program, and saving. Each speaks through the prompter and leaves the document as
// it was when it does not go through: a load that fails or is declined keeps the old text, code and
// modified flag; a save that fails keeps the old file, shows why and keeps Modified.

#include "documents/DocumentCodec.h"
#include "documents/DocumentEditor.h"
#include "documents/DocumentFiles.h"
#include "documents/GlobalState.h"

#include <functional>
#include <string>

namespace qx {

// What the main window contributes.
struct TDocumentHost {
    TPrompter* Prompter = nullptr;
    // Applies environment N (its file "qxeenv" + N + ".ini") to the document's editors; FileName is the
    // file the document holds after this step, whose lock or stamp the environment takes ("" none).
    // Environment: the environment file's settings when the caller has read them already (the file is
    // read once), else null.
    std::function<void(int N, const std::string& FileName, const TEditorEnvironment* Environment)> ApplyEnvironment;
    // The main window's edit state (false: read-only).
    std::function<void(bool Editable)> SetEditMode;
    std::function<void()> Beep;
    // Whether the current document is a named file (not untitled, a grep result or a project item).
    std::function<bool()> IsNamedDocument;
    // After a reload: the modified mark cleared, the tab caption, the save action, the bookmarks and
    // the status bar.
    std::function<void()> AfterReload;
    TFileWriter Writer = SafeFileWriter();
    // A load's progress: the bytes of the file read so far, of its size (see LoadDocumentFile).
    TLoadProgress LoadProgress;
};

// Result of CheckFileTimeStamp.
enum TTimeStampCheck : int { tsNothing = 0, tsCancel = 2, tsReloaded = 6, tsAccepted = 7 };

// Reads FileName with the code choice Code (TOpenCharCode) and ShareMode (0, or 64: held by another
// program, opened read-only). Only a loaded result touches the document: the environment of the file's
// extension is applied, the text, code and line end set, Modified cleared, and the read-only state, the
// lock or the time stamp taken.
TLoadStatus LoadFileToEditor(TDocumentEditor& Document, TDocumentHost& Host, const TGlobalState& State,
                             const std::string& FileName, int Code, int ShareMode);

// Asks, then reloads the document from its file in CharType (TSaveFileCharType). True when reloaded;
// otherwise the document is as it was, its lock or time stamp taken again.
bool ReloadWithCharCode(TDocumentEditor& Document, TDocumentHost& Host, const TGlobalState& State, int CharType);

// When the time stamp is checked (or Saving, whatever the option and the lock) and the file's date or
// size changed since it was read or saved: asks whether to reload. Reloaded only when the reload
// happened; a declined reload answers Cancel, so that a save does not overwrite the other program's
// change.
int CheckFileTimeStamp(TDocumentEditor& Document, TDocumentHost& Host, const TGlobalState& State,
                       bool Saving = false);

// Saves the document to FileName with the code choice (1 keep, 2..7) and the line-end choice (1 keep,
// 2 CR LF, 3 LF, 4 CR); a save over the document's own file that another program changed since asks
// first, and a UTF-8 file read with a mark keeps it. False when the user stopped it or the write failed (the old file, the document's
// code and Modified stay); the lock or time stamp is taken again on every path.
bool SaveEditorFile(TDocumentEditor& Document, TDocumentHost& Host, const TGlobalState& State,
                    const std::string& FileName, int CodeChoice, int LineChoice);

} // namespace qx
