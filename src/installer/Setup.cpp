#include "installer/Setup.h"

#include "installer/KeyStore.h"
#include "installer/SetupPaths.h"
#include "installer/Shortcuts.h"
#include "platform/Exception.h"

#include <algorithm>
#include <cstdlib>

namespace qx {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUninstallRoot = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr const char* kTempPrefix = "qxsetup-";  // the folders RequestRemoval makes for its copy
// Record values, each numbered from 1: the desktop entries, the icon files and the folders an install
// wrote or made, so that removal takes those and nothing else.
constexpr const char* kShortcutValue = "Shortcut";
constexpr const char* kIconValue = "Icon";
constexpr const char* kFolderValue = "Folder";

bool IsLink(const fs::path& path)
{
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(path, ec));
}

// A path as a record value: in double quotes, so that blanks at its ends survive the ini file.
std::string QuotedValue(const fs::path& path)
{
    return "\"" + path.string() + "\"";
}

std::string UnquotedValue(const std::string& value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}

std::uintmax_t DiskFreeSpace(const fs::path& folder)
{
    std::error_code ec;
    const fs::space_info info = fs::space(folder, ec);
    return ec ? UINTMAX_MAX : info.available;
}

} // namespace

TSetupCommand ParseSetupCommand(const std::vector<std::string>& arguments)
{
    TSetupCommand command;
    if (arguments.empty()) return command;
    std::string_view first = arguments[0];
    if (!first.empty() && first[0] == '/') first.remove_prefix(1);
    if (first == "r" || first == "R") {
        command.Mode = TSetupMode::RemoveRequest;
    } else if (first == "x" && arguments.size() >= 2 && !arguments[1].empty()) {
        command.Mode = TSetupMode::Uninstall;
        command.Path = fs::absolute(arguments[1]).lexically_normal();
    }
    return command;
}

TSetup::TSetup(const TUserFolders& folders, TPrompter& prompter, TLauncher& launcher)
    : FreeSpace(DiskFreeSpace), FFolders(folders), FPrompter(prompter), FLauncher(launcher),
      FFiles(folders, prompter)
{
}

void TSetup::Error(const std::string& text)
{
    FFiles.Error(text);
}

bool TSetup::Load(const fs::path& setupPath)
{
    FSetupPath = fs::absolute(setupPath).lexically_normal();
    FSetupFolder = FSetupPath.parent_path();
    FSetupName = FSetupPath.filename().string();
    FFiles.SetCaption(FSetupName);

    std::string problem = kBrokenSetupInfo;
    std::optional<TSetupInfo> info;
    const auto infPath = FindInfFile(FSetupFolder, fs::path(FSetupName).stem().string());
    if (infPath) {
        if (const auto inf = TSetupInfFile::Load(*infPath)) info = TSetupInfo::Read(*inf, problem);
    }
    if (!info) {
        Error(problem);
        return false;
    }
    FInfPath = *infPath;
    FInfo = std::move(*info);
    FFiles.SetCaption(FInfo.Title);

    FInstallFolder = (FInfo.FolderFromRoot() ? FFolders.Home : FFolders.Programs) / FInfo.FolderPath();
    if (const auto previous = RecordedFolder()) FInstallFolder = *previous;
    return true;
}

std::optional<fs::path> TSetup::KeyStoreFile() const
{
    const fs::path& file = FFolders.KeyStore;
    if (IsLink(file) || IsLink(file.parent_path())) return std::nullopt;
    return file;
}

std::optional<fs::path> TSetup::RecordedFolder() const
{
    const auto file = KeyStoreFile();
    if (!file) return std::nullopt;
    try {
        const TKeyStore store(file->string());
        return FolderOfUninstallString(store.ReadString(UninstallKey(), "UninstallString"));
    } catch (const Exception&) {
        return std::nullopt;  // an unreadable store only loses the record
    }
}

std::vector<fs::path> TSetup::Recorded(const char* name) const
{
    std::vector<fs::path> files;
    const auto file = KeyStoreFile();
    if (!file) return files;
    try {
        const TKeyStore store(file->string());
        for (int i = 1;; ++i) {
            const std::string value = store.ReadString(UninstallKey(), name + std::to_string(i));
            if (value.empty()) break;
            files.emplace_back(UnquotedValue(value));
        }
    } catch (const Exception&) {
    }
    return files;
}

std::string TSetup::UninstallKey() const
{
    return kUninstallRoot + FInfo.Folder;
}

std::string TSetup::UninstallString(const fs::path& setupPath)
{
    std::string quoted = "\"";
    for (const char c : setupPath.string()) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\" /r";
}

std::optional<fs::path> TSetup::FolderOfUninstallString(const std::string& text)
{
    std::string path;
    if (!text.empty() && text[0] == '"') {
        // Up to the closing quote; two quotes stand for one.
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (text[i] == '"' && (i + 1 >= text.size() || text[i + 1] != '"')) break;
            if (text[i] == '"') ++i;
            path += text[i];
        }
    } else {
        path = text.substr(0, text.find(' '));
    }
    const std::size_t slash = path.rfind('/');
    if (path.empty() || path[0] != '/' || slash == std::string::npos) return std::nullopt;
    return PlainFolder(path.substr(0, slash + 1));
}

std::string TSetup::InstallFolderText() const
{
    const std::string s = PlainFolder(FInstallFolder).string();
    return s == "/" ? s : s + "/";
}

bool TSetup::AcceptInstallFolder(const std::string& text)
{
    std::string t = text;
    if (t.empty() || t.back() != '/') t += '/';
    const fs::path folder = PlainFolder(t);
    if (folder == folder.root_path() && folder.is_absolute()) {
        Error("ルートディレクトリにはインストールできません。");
        return false;
    }
    if (!folder.is_absolute()) {
        Error("「/home/user/Soft」のように、「/」から始まる正しいパス名を指定してください。");
        return false;
    }
    // A link would take the files elsewhere, and the uninstall after them.
    if (FFolders.IsProtected(folder) || IsLink(folder)) {
        Error(folder.string() + " にはインストールできません。");
        return false;
    }
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(folder, ec))) {
        if (!FFiles.CreateFolderPath(folder)) return false;
        FFiles.Guard(folder);
        fs::remove(folder, ec);
    }
    fs::path existing = folder;
    while (!fs::exists(existing, ec) && existing.has_relative_path()) existing = existing.parent_path();
    const std::uintmax_t free = FreeSpace(existing);
    if (free < kLowSpace &&
        FPrompter.Show(SetupPrompt("指定されたドライブの残り容量が " + std::to_string(free / 1048576) +
                                       "メガバイトしかありません。かまわずにインストールしますか？",
                                   FInfo.Title, TMsgDlgType::mtConfirmation,
                                   {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo})) != mr::Yes)
        return false;
    FInstallFolder = folder;
    return true;
}

fs::path TSetup::EntryBase(const TFileEntry& entry) const
{
    switch (entry.Folder) {
    case TEntryFolder::Windows: return FFolders.Windows;
    case TEntryFolder::System: return FFolders.System;
    case TEntryFolder::Install: break;
    }
    return FInstallFolder;
}

std::optional<fs::path> TSetup::EntrySource(int index) const
{
    if (index == -1) return FSetupPath;
    if (index == 0) return FInfPath;
    const TFileEntry& entry = FInfo.Files.at(static_cast<std::size_t>(index - 1));
    if (!entry.Source) return std::nullopt;
    return FSetupFolder / *entry.Source;
}

std::pair<fs::path, fs::path> TSetup::EntryPlace(int index) const
{
    if (index == -1) return {FInstallFolder, FSetupName};
    if (index == 0) return {FInstallFolder, FInfPath.filename()};
    const TFileEntry& entry = FInfo.Files.at(static_cast<std::size_t>(index - 1));
    return {EntryBase(entry), entry.Dest};
}

fs::path TSetup::EntryDest(int index) const
{
    const auto [base, rel] = EntryPlace(index);
    return base / rel;
}

bool TSetup::CopyEntry(int index)
{
    const auto source = EntrySource(index);
    const auto [base, rel] = EntryPlace(index);
    return source ? FFiles.CopyEntryFileBelow(*source, base, rel) : FFiles.DeleteFileBelow(base, rel);
}

bool TSetup::UpdateKeyStore(const std::function<void(TKeyStore&)>& change)
{
    const fs::path& file = FFolders.KeyStore;
    if (!KeyStoreFile()) {
        Error(file.string() + " の作成に失敗しました。");
        return false;
    }
    if (!FFiles.CreateFolderPath(file.parent_path())) return false;
    FFiles.Guard(file);
    try {
        TKeyStore store(file.string());
        change(store);
        store.UpdateFile();
        return true;
    } catch (const Exception&) {
        Error(file.string() + " の作成に失敗しました。");
        return false;
    }
}

std::optional<fs::path> TSetup::MainProgram() const
{
    if (FInfo.Files.empty() || !FInfo.Files[0].Source) return std::nullopt;
    return EntryDest(1);
}

void TSetup::RunStep(int step)
{
    const int n = static_cast<int>(FInfo.Files.size());
    bool ok = true;
    if (step == 0) {
        ok = FFiles.CreateFolderPath(FInstallFolder);
    } else if (step <= n + 2) {
        ok = CopyEntry(step - 2);
    } else if (step == n + 3) {
        TShortcuts shortcuts(FFolders, FFiles, FInfo, FInstallFolder, MainProgram());
        if (FInfo.TSR) {
            ok = shortcuts.Create(TShortcutKind::Startup);
        } else {
            if (StartMenu) ok = shortcuts.Create(TShortcutKind::Programs) && ok;
            if (DesktopShortcut) ok = shortcuts.Create(TShortcutKind::Desktop) && ok;
        }
        // The record keeps every shortcut, icon and folder an install of this product wrote or made (this
        // one and the ones before it), so that removal takes those and nothing else. The install folder's
        // tree goes as a whole anyway.
        const auto merged = [this](const char* name, const std::vector<fs::path>& now) {
            std::vector<fs::path> all = Recorded(name);
            for (const fs::path& p : now)
                if (std::find(all.begin(), all.end(), p) == all.end()) all.push_back(p);
            return all;
        };
        const auto record = [this](TKeyStore& store, const char* name, const std::vector<fs::path>& paths) {
            for (std::size_t i = 0; i < paths.size(); ++i)
                store.WriteString(UninstallKey(), name + std::to_string(i + 1), QuotedValue(paths[i]));
        };
        const std::vector<fs::path> entries = merged(kShortcutValue, shortcuts.Written());
        const std::vector<fs::path> icons = merged(kIconValue, shortcuts.WrittenIcons());
        ok = UpdateKeyStore([&](TKeyStore& store) {
                 store.WriteString(UninstallKey(), "DisplayName", FInfo.Title);
                 store.WriteString(UninstallKey(), "UninstallString", UninstallString(FInstallFolder / FSetupName));
                 record(store, kShortcutValue, entries);
                 record(store, kIconValue, icons);
                 // Read now: the key store's own folder may just have been made.
                 std::vector<fs::path> made;
                 for (const fs::path& folder : FFiles.Created())
                     if (!IsWithin(folder, FInstallFolder)) made.push_back(folder);
                 record(store, kFolderValue, merged(kFolderValue, made));
             }) && ok;
    }
    if (!ok) FError = true;
}

std::string TSetup::CompletionText() const
{
    if (!FError) return "インストールが完了しました。「完了」を押すと起動します。";
    if (FInfo.TSR)
        return "インストール中にエラーが発生しました。一度Windowsを起動しなおしてからインストールしなおすか、"
               "それでもだめなら一度削除してからインストールしなおすことをお勧めします。";
    return "インストール中にエラーが発生しました。イントール先を変更するなどしてもう一度インストールしなおすことを"
           "お勧めします。";
}

std::string TSetup::UninstallHint() const
{
    const bool remover = std::any_of(FInfo.Files.begin(), FInfo.Files.end(), [](const TFileEntry& entry) {
        return entry.Source && entry.Folder == TEntryFolder::Install && entry.Dest == "remover";
    });
    return "このアプリケーションをアンインストールするには、インストール先の\n「 " +
           (remover ? std::string("remover") : FSetupName + " r") + " 」 を実行してください。";
}

void TSetup::Finish()
{
    if (const auto program = MainProgram()) FLauncher.Start(*program, {}, FInstallFolder);
    if (!FInfo.Open.empty()) {
        std::string target = FInfo.Open;
        std::replace(target.begin(), target.end(), '\\', '/');
        FLauncher.Open(target, FInstallFolder);
    }
}

bool TSetup::CheckInstalledHere()
{
    std::error_code ec;
    const auto recorded = RecordedFolder();
    if (recorded && (PlainFolder(*recorded) == PlainFolder(FSetupFolder) || fs::equivalent(*recorded, FSetupFolder, ec)))
        return true;
    Error(PlainFolder(FSetupFolder).string() + " には" + FInfo.Title + "がインストールされていません。");
    return false;
}

bool TSetup::RequestRemoval()
{
    // Only an installation the key store records here is removed: setup run anywhere else stops now.
    if (!CheckInstalledHere()) return false;
    std::string text = FInfo.Title + "を削除します。";
    if (FInfo.TSR) text += "まだ常駐している場合は、今すぐ終了させてからOKボタンを押してください。";
    if (FPrompter.Show(SetupPrompt(text, FInfo.Title, TMsgDlgType::mtInformation,
                                   {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel})) != mr::Ok)
        return false;

    const auto failed = [&] {
        Error("アンインストール用プログラムの起動に失敗しました。手動で削除してください。");
        return false;
    };
    if (!FFiles.CreateFolderPath(FFolders.Temp)) return failed();
    std::string folder = (FFolders.Temp / (std::string(kTempPrefix) + "XXXXXX")).string();
    FFiles.Guard(folder);
    if (!::mkdtemp(folder.data())) return failed();
    const fs::path copy = fs::path(folder) / FSetupName;
    if (!FFiles.CopyEntryFile(FSetupPath, copy) || !FLauncher.Start(copy, {"x", FSetupPath.string()}, folder)) {
        FFiles.DeleteFile(copy, false);
        std::error_code ec;
        fs::remove(folder, ec);
        return failed();
    }
    return true;
}

bool TSetup::BeginUninstall()
{
    FInstallFolder = FSetupFolder;
    if (FFiles.RefuseProtected(FInstallFolder)) return false;
    if (IsLink(FInstallFolder)) {
        Error(PlainFolder(FInstallFolder).string() + " - このフォルダは削除できません。");
        return false;
    }
    return CheckInstalledHere();
}

bool TSetup::Remove()
{
    bool ok = true;
    // Read before the record goes.
    const std::vector<fs::path> shortcutFiles = Recorded(kShortcutValue);
    const std::vector<fs::path> iconFiles = Recorded(kIconValue);
    const std::vector<fs::path> madeFolders = Recorded(kFolderValue);
    const auto deleteKeys = [&](const std::vector<std::string>& keys) {
        std::error_code ec;
        if (keys.empty() || !fs::exists(FFolders.KeyStore, ec)) return true;
        return UpdateKeyStore([&](TKeyStore& store) {
            for (const std::string& key : keys) store.DeleteKeyTree(key);
        });
    };

    // 1. The keys the product asks to delete. A key without a path below its root would be the whole root.
    std::vector<std::string> keys;
    for (const std::string& reg : FInfo.Regs) {
        if (const auto key = TKeyStore::NormalKey(reg))
            keys.push_back(*key);
        else
            Error("Regセクションがおかしいです。");
    }
    ok = deleteKeys(keys) && ok;

    // 2. The installed files, last entry first; System-folder files stay.
    for (int i = static_cast<int>(FInfo.Files.size()); i >= -1; --i) {
        if (i >= 1 && FInfo.Files[static_cast<std::size_t>(i - 1)].Folder == TEntryFolder::System) continue;
        const auto [base, rel] = EntryPlace(i);
        if (i == 1) {
            if (!FFiles.DeleteFileBelow(base, rel, false)) {
                Error((base / rel).string() + " の削除に失敗しました。" + FInfo.Title +
                      "を終了して、もう一度アンインストールをやり直してください。");
                return false;
            }
        } else {
            ok = FFiles.DeleteFileBelow(base, rel) && ok;
        }
    }

    // 3. - 5. The install folder with whatever is left in it, the record and the shortcuts with their icons.
    ok = FFiles.DeleteFolderTree(FInstallFolder) && ok;
    ok = deleteKeys({UninstallKey()}) && ok;
    TShortcuts shortcuts(FFolders, FFiles, FInfo, FInstallFolder, MainProgram());
    ok = shortcuts.RemoveRecorded(shortcutFiles) && ok;
    ok = shortcuts.RemoveRecordedIcons(iconFiles) && ok;
    // The key store goes with its last record, and the folders installs made with their last file.
    if (const auto store = KeyStoreFile()) {
        try {
            if (TKeyStore(store->string()).Empty()) ok = FFiles.DeleteFile(*store) && ok;
        } catch (const Exception&) {
        }
    }
    FFiles.RemoveEmptyFolders(madeFolders);
    return ok;
}

std::string TSetup::RemovalText(bool removed) const
{
    if (removed) return FInfo.Title + " は正常に削除されました。";
    return InstallFolderText() + "\nにはまだファイルが残っています。後で削除してください。";
}

void TSetup::DeleteRunningCopy(const fs::path& runningProgram)
{
    const fs::path folder = runningProgram.parent_path();
    if (PlainFolder(folder.parent_path()) != PlainFolder(FFolders.Temp) ||
        folder.filename().string().rfind(kTempPrefix, 0) != 0)
        return;
    FFiles.DeleteFile(runningProgram, false);
    FFiles.Guard(folder);
    std::error_code ec;
    fs::remove(folder, ec);
}

} // namespace qx
