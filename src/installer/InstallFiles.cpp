#include "installer/InstallFiles.h"

#include "installer/SetupPaths.h"
#include "platform/FileBytes.h"
#include "platform/StringList.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace qx {

namespace fs = std::filesystem;

namespace {

// A temporary file beside `dest`, so that the final rename never crosses a file system.
std::optional<fs::path> MakeTemporaryBeside(const fs::path& dest)
{
    std::string name = (dest.parent_path() / ("." + dest.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(name.data());
    if (fd < 0) return std::nullopt;
    ::close(fd);
    return fs::path(name);
}

// Files named "*.gid" (the help system's index files) are deleted without a question.
bool IsIndexFile(const fs::path& file)
{
    const std::string name = file.filename().string();
    const auto dot = name.find('.');
    return dot != std::string::npos && SameText(name.substr(dot + 1), "gid");
}

std::string CopyFailure(const fs::path& source)
{
    return source.string() + " のコピーに失敗しました。";
}

} // namespace

TPromptRequest SetupPrompt(std::string text, std::string caption, TMsgDlgType kind, TMsgDlgButtons buttons)
{
    TPromptRequest request;
    request.Text = std::move(text);
    request.Caption = std::move(caption);
    request.Kind = kind;
    request.Buttons = buttons;
    return request;
}

TInstallFiles::TInstallFiles(const TUserFolders& folders, TPrompter& prompter)
    : FFolders(folders), FPrompter(prompter)
{
}

void TInstallFiles::Guard(const fs::path& path) const
{
    if (OnWrite) OnWrite(path);
}

void TInstallFiles::Error(const std::string& text)
{
    FPrompter.Show(SetupPrompt(text, FCaption, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}));
}

bool TInstallFiles::CreateFolderLevel(const fs::path& folder)
{
    std::error_code ec;
    const fs::file_status st = fs::status(folder, ec);
    if (fs::is_directory(st)) return true;
    if (fs::exists(st)) {
        Error(folder.string() + " - 同じ名前のファイルが既に存在するのでフォルダが作成できません。");
        return false;
    }
    Guard(folder);
    if (!fs::create_directory(folder, ec)) {
        if (fs::is_directory(folder)) return true;
        Error(folder.string() + " のフォルダ作成に失敗しました。");
        return false;
    }
    FCreated.push_back(PlainFolder(folder));
    return true;
}

bool TInstallFiles::CreateFolderPath(const fs::path& folder)
{
    const fs::path plain = PlainFolder(folder);
    if (!plain.is_absolute()) return CreateFolderLevel(plain);
    fs::path level = plain.root_path();
    for (const fs::path& part : plain.relative_path()) {
        level /= part;
        if (!CreateFolderLevel(level)) return false;
    }
    return true;
}

bool TInstallFiles::CopyEntryFile(const fs::path& source, const fs::path& dest)
{
    if (!CreateFolderPath(dest.parent_path())) return false;
    std::error_code ec;
    if (fs::equivalent(source, dest, ec)) return true;

    const auto failed = [&](const std::error_code& error) {
        if (error.value() == EBUSY || error.value() == ETXTBSY)
            Error(dest.string() + " は他で使用中のため上書きできません。");
        else
            Error(CopyFailure(source));
        return false;
    };
    if (!fs::is_regular_file(source, ec)) return failed(std::make_error_code(std::errc::no_such_file_or_directory));
    Guard(dest);
    const auto temporary = MakeTemporaryBeside(dest);
    if (!temporary) return failed(std::error_code(errno, std::generic_category()));
    fs::copy_file(source, *temporary, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::permissions(*temporary, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    if (!ec) fs::rename(*temporary, dest, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(*temporary, ignored);
        return failed(ec);
    }
    return true;
}

bool TInstallFiles::CopyEntryFileBelow(const fs::path& source, const fs::path& base, const fs::path& rel)
{
    if (HasLinkBelow(base, rel)) {
        Error(CopyFailure(source));
        return false;
    }
    return CopyEntryFile(source, base / rel);
}

bool TInstallFiles::DeleteFile(const fs::path& path, bool report)
{
    return DeleteFileBelow(path.parent_path(), path.filename(), report);
}

bool TInstallFiles::DeleteFileBelow(const fs::path& base, const fs::path& rel, bool report)
{
    const fs::path path = base / rel;
    bool ok = !HasLinkBelow(base, rel);
    if (ok) {
        std::error_code ec;
        const fs::file_status st = fs::symlink_status(path, ec);
        if (!fs::exists(st)) return true;
        Guard(path);
        ok = !fs::is_directory(st) && fs::remove(path, ec);
    }
    if (!ok && report) Error(path.string() + "の削除に失敗しました。このファイルをスキップして処理を続行します。");
    return ok;
}

bool TInstallFiles::RefuseProtected(const fs::path& folder)
{
    if (!FFolders.IsProtected(folder)) return false;
    Error(PlainFolder(folder).string() + " - このフォルダは削除できません。");
    return true;
}

bool TInstallFiles::RemoveFolder(const fs::path& folder)
{
    Guard(folder);
    std::error_code ec;
    if (!fs::remove(folder, ec)) {
        Error(folder.string() + " - ディレクトリの削除に失敗しました");
        return false;
    }
    return true;
}

void TInstallFiles::RemoveEmptyFolders(std::vector<fs::path> folders)
{
    std::sort(folders.begin(), folders.end(), [](const fs::path& a, const fs::path& b) {
        return std::distance(a.begin(), a.end()) > std::distance(b.begin(), b.end());
    });
    for (const fs::path& folder : folders) {
        std::error_code ec;
        if (fs::is_symlink(fs::symlink_status(folder, ec)) || !fs::is_directory(folder, ec) || !fs::is_empty(folder, ec))
            continue;
        Guard(folder);
        fs::remove(folder, ec);
    }
}

bool TInstallFiles::DeleteFolderTree(const fs::path& folder)
{
    if (RefuseProtected(folder)) return false;
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(folder, ec);
    if (!fs::exists(st)) return true;
    if (!fs::is_directory(st)) return DeleteFile(PlainFolder(folder));  // a link to a folder goes as a link
    TTreeState state = TTreeState::Asking;
    return DeleteTreeLevel(PlainFolder(folder), state);
}

bool TInstallFiles::DeleteTreeLevel(const fs::path& folder, TTreeState& state)
{
    std::error_code ec;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());

    bool ok = !ec;
    for (const fs::path& entry : entries) {
        const fs::file_status st = fs::symlink_status(entry, ec);
        if (fs::is_directory(st)) {
            if (FFolders.IsProtected(entry)) {
                ok = false;
                continue;
            }
            ok = DeleteTreeLevel(entry, state) && ok;
        } else {
            if (state == TTreeState::Asking && !IsIndexFile(entry)) {
                TPromptRequest question =
                    SetupPrompt(entry.string() + " - このファイルを削除してもいいですか？", "削除の確認",
                                TMsgDlgType::mtConfirmation,
                                {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbAll, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel});
                question.AllCaption = "すべて削除(&A)";
                switch (FPrompter.Show(question)) {
                case mr::Yes: break;
                case mr::All: state = TTreeState::DeleteAll; break;
                case mr::No: ok = false; continue;
                default: state = TTreeState::Cancelled; break;
                }
            }
            if (state == TTreeState::Cancelled) return false;
            ok = DeleteFile(entry) && ok;
        }
        if (state == TTreeState::Cancelled) return false;
    }
    return RemoveFolder(folder) && ok;
}

bool TInstallFiles::WriteFileBelow(const fs::path& base, const fs::path& rel, const std::string& text, fs::perms perms)
{
    const fs::path path = base / rel;
    const auto failed = [&] {
        Error(path.string() + " の作成に失敗しました。");
        return false;
    };
    if (HasLinkBelow(base, rel)) return failed();
    if (!CreateFolderPath(path.parent_path())) return false;
    Guard(path);
    try {
        std::error_code ec;
        if (fs::is_symlink(fs::symlink_status(path, ec))) fs::remove(path);  // the safe write would follow it
        WriteFileBytesSafely(path.string(), text);
        fs::permissions(path, perms);
    } catch (const std::exception&) {
        return failed();
    }
    return true;
}

} // namespace qx
