#pragma once
// TSetup: the installer's engine behind the wizard, the remove request and the uninstall worker. It
// knows nothing of the product: everything comes from the setup information file beside the setup
// program. Messages and questions go through the prompter, programs are started through the launcher
// and every folder comes from the user-folder table, so the whole engine runs in tests.

#include "installer/InstallFiles.h"
#include "installer/SetupInfo.h"
#include "installer/UserFolders.h"
#include "platform/Launcher.h"
#include "platform/Prompter.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qx {

// How setup was started: by the user, with "r" (remove request) or with "x" and a path (the worker).
enum class TSetupMode { Install, RemoveRequest, Uninstall };

struct TSetupCommand {
    TSetupMode Mode = TSetupMode::Install;
    std::filesystem::path Path;  // the worker's setup path
};

// The arguments after the program name; one leading "/" of the first is skipped.
TSetupCommand ParseSetupCommand(const std::vector<std::string>& arguments);

class TSetup {
public:
    static constexpr std::uintmax_t kLowSpace = 104857600;  // 100 MiB

    TSetup(const TUserFolders& folders, TPrompter& prompter, TLauncher& launcher);

    // Derives the setup folder, name and information file from `setupPath`, reads the information file
    // and the default (or previously used) install folder. False after the message when it is missing,
    // incomplete or refused.
    bool Load(const std::filesystem::path& setupPath);

    const TSetupInfo& Info() const { return FInfo; }
    const std::filesystem::path& SetupPath() const { return FSetupPath; }
    const std::filesystem::path& SetupFolder() const { return FSetupFolder; }
    const std::string& SetupName() const { return FSetupName; }
    const std::filesystem::path& InfPath() const { return FInfPath; }
    TInstallFiles& Files() { return FFiles; }

    // The uninstall record's key.
    std::string UninstallKey() const;
    // The record's "UninstallString": the setup program's path in double quotes (a quote in it doubled),
    // then " /r".
    static std::string UninstallString(const std::filesystem::path& setupPath);
    // The install folder a recorded "UninstallString" names (the path inside its quotes, or before its
    // first blank, up to the last "/"); nothing when it names none.
    static std::optional<std::filesystem::path> FolderOfUninstallString(const std::string& text);
    // The install folder the key store records for this product; nothing without a record (or when the
    // store is reached through a link, which is never followed).
    std::optional<std::filesystem::path> RecordedFolder() const;

    // ---- install wizard
    // The install folder (with a trailing "/"): the default or previous one until the folder page sets it.
    std::string InstallFolderText() const;
    const std::filesystem::path& InstallFolder() const { return FInstallFolder; }
    // The folder page's Next: checks `text`, makes sure the folder can be created and asks when the disk
    // is nearly full. True when the wizard may go on; the folder is then taken.
    bool AcceptInstallFolder(const std::string& text);
    // Free bytes on the disk of an existing folder; replaceable for tests.
    std::function<std::uintmax_t(const std::filesystem::path&)> FreeSpace;

    bool StartMenu = true;
    bool DesktopShortcut = false;

    // The copy page's steps 0 .. StepCount()-1: the install folder, entries -1 .. N, then the shortcuts
    // and the uninstall record. A failure is reported and remembered; the steps go on.
    int StepCount() const { return static_cast<int>(FInfo.Files.size()) + 4; }
    void RunStep(int step);
    bool HadError() const { return FError; }
    std::string CompletionText() const;
    // The two lines under it that say how to remove the installation again: run "remover" in the install
    // folder when the product ships it, else setup there with "r".
    std::string UninstallHint() const;
    // Finish: starts entry 1 in the install folder and opens [Install] Open.
    void Finish();

    // Entries -1 (setup), 0 (the information file) and 1 .. N.
    std::optional<std::filesystem::path> EntrySource(int index) const;
    std::filesystem::path EntryDest(int index) const;

    // ---- remove request
    // Asks, copies setup into a fresh temporary folder and starts the copy as the uninstall worker for
    // this setup. True when the worker was started.
    bool RequestRemoval();

    // ---- uninstall worker
    // Takes the setup folder as the install folder; false (after the message) when it is a folder that
    // is never deleted, a link, or not the folder the key store records for this product.
    bool BeginUninstall();
    // Deletes the keys, the files, the install folder tree, the record and the shortcuts; true when every
    // deletion succeeded.
    bool Remove();
    std::string RemovalText(bool removed) const;
    // Deletes the worker's own copy and its temporary folder (only a copy that RequestRemoval made).
    void DeleteRunningCopy(const std::filesystem::path& runningProgram);

private:
    std::filesystem::path EntryBase(const TFileEntry& entry) const;
    // The folder entry `index`'s destination is relative to, and the destination below it: no link
    // between the two is ever followed.
    std::pair<std::filesystem::path, std::filesystem::path> EntryPlace(int index) const;
    // Entry 1's destination, unless entry 1 only deletes a file.
    std::optional<std::filesystem::path> MainProgram() const;
    bool CopyEntry(int index);
    bool UpdateKeyStore(const std::function<void(class TKeyStore&)>& change);
    // The key store's file, or nothing when it or its folder is a link (its target is never read nor
    // written through it).
    std::optional<std::filesystem::path> KeyStoreFile() const;
    // The paths the record lists under the numbered values `name`1, 2, ...
    std::vector<std::filesystem::path> Recorded(const char* name) const;
    // False after the message when the setup folder is not where the record says the product is.
    bool CheckInstalledHere();
    void Error(const std::string& text);

    const TUserFolders& FFolders;
    TPrompter& FPrompter;
    TLauncher& FLauncher;
    TInstallFiles FFiles;

    std::filesystem::path FSetupPath, FSetupFolder, FInfPath, FInstallFolder;
    std::string FSetupName;
    TSetupInfo FInfo;
    bool FError = false;
};

} // namespace qx
