#pragma once
// Backup copies made before a named document is written, and the countdown of automatic saving. The
// settings are the document editor's (its editor environment sets them); the clock and the copy are
// the caller's, so both run in tests.

#include "platform/TimeStamp.h"

#include <functional>
#include <string>

namespace qx {

class TPrompter;
class TQxEditor;

struct TBackupSettings {
    bool Generations = false;  // BackUp1: copies beside the file
    int Family = 0;            // BackUpFamily: how many
    bool ToFolder = false;     // BackUp2: a copy in Folder
    std::string Folder;        // BackUpDir
    bool UseTime = false;      // BackUpUseTime: the folder copy's name carries the time
};
TBackupSettings BackupSettingsOf(const TQxEditor& Editor);

// Copies Source to Dest, replacing Dest; false when it failed.
using TBackupCopier = std::function<bool(const std::string& Source, const std::string& Dest)>;
TBackupCopier DefaultBackupCopier();

// The name of generation I (1: ".bak", 2: ".bk1", 3: ".bk2", ...) of FileName: its extension replaced,
// a dotfile's name kept whole (".bashrc.bak").
std::string BackupName(const std::string& FileName, int Generation);
// The folder copy's name: the file's name, or with UseTime its stem + "_" + "YYYYMMDDHHNNSS" + its
// extension.
std::string FolderBackupName(const std::string& FileName, const std::string& Folder, bool UseTime, const TLocalTime& Now);

// Before FileName is overwritten, unless it is read-only on disk: the generations shift up (the oldest
// first, each copied when its source exists) and the file becomes ".bak"; then the folder copy. A copy
// that fails is reported ("エラー") and the next step goes on.
void MakeBackupFile(const std::string& FileName, const TBackupSettings& Settings, const TLocalTime& Now,
                    TPrompter& Prompter, const TBackupCopier& Copy = DefaultBackupCopier());

// One minute of automatic saving for the active document's editor: counts its AutoSaveCount down while
// AutoSave is on, AutoSaveTime is above 0 and the document is a named file; at 0 or below the count
// starts again at AutoSaveTime and the answer is whether to save now (only a modified, writable
// document is saved). Busy (a modal dialog, a save, a close or a macro playback) skips the minute.
bool AutoSaveDue(TQxEditor& Editor, bool Named, bool Busy);

} // namespace qx
