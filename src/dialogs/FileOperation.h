#pragma once
// The file operations on the current document's file ("ファイルオペレーティング"): move into a folder,
// copy into a folder, rename in place, copy under a new name, move under a new name. The window only
// gathers the name and the folder; this decides, asks and reports through the prompter. An operation
// that did not happen changes nothing, and the caller rebinds the document only when told to.

#include <string>

namespace qx {

class TPrompter;

// The operation, as the command that opens the dialog chooses it.
enum TFileOpeMode : int { fomMove = 1, fomCopy = 2, fomRename = 3, fomCopyRename = 4, fomMoveRename = 5 };

// The window's caption and operation label of a mode ("ファイルの移動" ..); "" for no mode.
std::string FileOpeCaption(int Mode);
// Whether the mode takes a new name (3..5) and a destination folder (all but 3).
bool FileOpeTakesName(int Mode);
bool FileOpeTakesFolder(int Mode);

struct TFileOpeResult {
    bool Done = false;         // the file is where the operation meant it to be
    std::string NewFileName;   // the document's file now: the target for a move or rename, else the source
    bool Rebind = false;       // the document must be rebound (and its lock taken) on NewFileName
};

// Runs operation Mode on Source (an existing file) with the dialog's Name (without folder; modes 1 and 2
// keep the source's name) and Folder (modes 1, 2, 4, 5). Refused, with a message: an empty name or one
// that holds "/" or is "." or "..", a destination folder that does not exist, a target that is a folder.
// A target that is the source itself (the same file, however spelled) is done with nothing changed. A
// rename and a copy under a new name never replace an existing file; a move or a copy into a folder and
// a move under a new name replace one only after the question is answered Yes. A failure is reported.
TFileOpeResult ExecuteFileOperation(int Mode, const std::string& Source, const std::string& Name,
                                    const std::string& Folder, TPrompter& Prompter);

} // namespace qx
