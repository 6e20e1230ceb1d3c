#pragma once
// The installer's file operations, each with its own failure message: creating folders, copying an
// entry, deleting a file and deleting a folder tree with questions. Every change to the file system
// passes the write guard first (tests use it to fail on any write outside their temporary home).

#include "installer/UserFolders.h"
#include "platform/Prompter.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace qx {

// A message or question of the installer: its text, caption (the product's title), kind and buttons.
TPromptRequest SetupPrompt(std::string text, std::string caption, TMsgDlgType kind, TMsgDlgButtons buttons);

class TInstallFiles {
public:
    using TWriteGuard = std::function<void(const std::filesystem::path&)>;

    TInstallFiles(const TUserFolders& folders, TPrompter& prompter);

    void SetCaption(const std::string& caption) { FCaption = caption; }
    const std::string& Caption() const { return FCaption; }
    TWriteGuard OnWrite;
    // Runs the write guard for `path`.
    void Guard(const std::filesystem::path& path) const;

    // One folder level: an existing folder is fine; a file of that name or a failure is reported. A folder
    // made here is remembered (Created), so that an uninstall can take it away again.
    bool CreateFolderLevel(const std::filesystem::path& folder);
    const std::vector<std::filesystem::path>& Created() const { return FCreated; }
    // Every level of an absolute folder path, from the root down.
    bool CreateFolderPath(const std::filesystem::path& folder);

    // Copies `source` over `dest` (creating dest's folders) through a temporary file in dest's folder,
    // and makes the copy writable. A file copied onto itself is left as it is.
    bool CopyEntryFile(const std::filesystem::path& source, const std::filesystem::path& dest);
    // Copies `source` over `base / rel` as CopyEntryFile does, but fails when a folder between the two is
    // a link: the copy could then land outside `base`.
    bool CopyEntryFileBelow(const std::filesystem::path& source, const std::filesystem::path& base,
                            const std::filesystem::path& rel);

    // Deletes a file (a link is removed as a link). Nothing to do when it does not exist. With
    // `report`, a failure shows its message.
    bool DeleteFile(const std::filesystem::path& path, bool report = true);
    // Deletes `base / rel` as DeleteFile does, but fails when a folder between the two is a link: the
    // path could then reach outside `base`.
    bool DeleteFileBelow(const std::filesystem::path& base, const std::filesystem::path& rel, bool report = true);

    // Removes an empty folder; a failure is reported.
    bool RemoveFolder(const std::filesystem::path& folder);
    // Removes each folder that is there and empty, the deepest first; the others stay as they are.
    void RemoveEmptyFolders(std::vector<std::filesystem::path> folders);

    // Deletes `folder` and everything in it, asking before each file as the delete confirmation says.
    // Links are removed as links and never followed. A protected folder is refused.
    bool DeleteFolderTree(const std::filesystem::path& folder);

    // Writes `text` to `base / rel` through a temporary file, with the permissions `perms`. A link in the
    // file's place is replaced, never written through; a folder between the two that is a link fails.
    bool WriteFileBelow(const std::filesystem::path& base, const std::filesystem::path& rel, const std::string& text,
                        std::filesystem::perms perms);

    // Shows an error message with the caption.
    void Error(const std::string& text);
    // True (after its message) when `folder` is protected: it is never installed into or deleted.
    bool RefuseProtected(const std::filesystem::path& folder);

private:
    enum class TTreeState { Asking, DeleteAll, Cancelled };
    bool DeleteTreeLevel(const std::filesystem::path& folder, TTreeState& state);

    const TUserFolders& FFolders;
    TPrompter& FPrompter;
    std::string FCaption;
    std::vector<std::filesystem::path> FCreated;
};

} // namespace qx
