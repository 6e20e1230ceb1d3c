#include "mainwindow/files/BackupCopies.h"

#include "documents/DocumentFiles.h"
#include "documents/MessageDialog.h"
#include "editor/QxEditor.h"
#include "platform/Prompter.h"

#include <filesystem>

#include <sys/stat.h>

namespace qx {

namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& Name)
{
    std::error_code ec;
    return fs::exists(Name, ec);
}

// Read-only on disk: nobody may write it by its mode (as the file's attribute says; root's own
// permission to write anyway does not count).
bool ReadOnlyOnDisk(const std::string& Name)
{
    struct stat st {};
    return ::stat(Name.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

TBackupSettings BackupSettingsOf(const TQxEditor& Editor)
{
    return {Editor.BackUp1, Editor.BackUpFamily, Editor.BackUp2, Editor.BackUpDir, Editor.BackUpUseTime};
}

TBackupCopier DefaultBackupCopier()
{
    return [](const std::string& Source, const std::string& Dest) {
        try {
            return CopyFileTo(Source, Dest, true);
        } catch (const std::exception&) {
            return false;
        }
    };
}

std::string BackupName(const std::string& FileName, int Generation)
{
    const std::string extension = Generation <= 1 ? ".bak" : ".bk" + std::to_string(Generation - 1);
    // A dotfile's name is its stem here, so it keeps it.
    return fs::path(FileName).replace_extension(extension).string();
}

std::string FolderBackupName(const std::string& FileName, const std::string& Folder, bool UseTime, const TLocalTime& Now)
{
    const fs::path file = fs::path(FileName).filename();
    const std::string name =
        UseTime ? file.stem().string() + "_" + CompactTimeStamp(Now) + file.extension().string() : file.string();
    return (fs::path(Folder) / name).string();
}

void MakeBackupFile(const std::string& FileName, const TBackupSettings& Settings, const TLocalTime& Now,
                    TPrompter& Prompter, const TBackupCopier& Copy)
{
    if (ReadOnlyOnDisk(FileName)) return;
    if (Settings.Generations && Settings.Family >= 1) {
        for (int i = Settings.Family; i >= 1; --i) {
            const std::string source = i == 1 ? FileName : BackupName(FileName, i - 1);
            if (!Exists(source)) continue;
            if (!Copy(source, BackupName(FileName, i))) ShowMessageDialog(Prompter, "バックアップファイルの作成に失敗しました。", "エラー", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        }
    }
    if (Settings.ToFolder && !Settings.Folder.empty() && Exists(FileName)) {
        if (!Copy(FileName, FolderBackupName(FileName, Settings.Folder, Settings.UseTime, Now)))
            ShowMessageDialog(Prompter, "指定ディレクトリへのバックアップファイル作成に失敗しました。", "エラー", TMsgDlgType::mtError,
                              {TMsgDlgBtn::mbOK});
    }
}

bool AutoSaveDue(TQxEditor& Editor, bool Named, bool Busy)
{
    if (Busy || !Editor.AutoSave || Editor.AutoSaveTime <= 0 || !Named) return false;
    if (--Editor.AutoSaveCount > 0) return false;
    Editor.AutoSaveCount = Editor.AutoSaveTime;
    return Editor.Modified() && !Editor.ReadOnly();
}

} // namespace qx
