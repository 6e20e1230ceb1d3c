#pragma once
// The editor environment manager: new, copy, rename, delete, import, export and reordering of the
// environment files "qxeenv0.ini" .. "qxeenv9.ini". The list position of an environment is its number;
// environment 0 ("標準") always stays first. Files are changed at once; a delete or a move that fails
// part-way puts back every file it had renamed, and open editors follow the new numbers.

#include "dialogs/EditOptionModel.h"
#include "documents/FileDialogs.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace qx {

// The file operations the manager needs, so that tests can make one fail.
class TEnvFileOps {
public:
    virtual ~TEnvFileOps() = default;
    virtual bool Exists(const std::string& Path) = 0;
    // False when it could not be done (the file is left as it was).
    virtual bool Rename(const std::string& From, const std::string& To) = 0;
    virtual bool Remove(const std::string& Path) = 0;
};
// The file system's.
TEnvFileOps& RealEnvFileOps();

// What became of each old number (0..9) after a delete or a move; -1: the environment is gone.
using TEnvRenumbering = std::array<int, EnvironmentCount>;

struct TEditEnvButtons {
    bool New = false, Copy = false, Delete = false, Rename = false, Import = false, Export = false, Up = false,
         Down = false;
    bool operator==(const TEditEnvButtons&) const = default;
};

class TEditEnvManager {
public:
    // Works on the options dialog's list and working copy.
    TEditEnvManager(TEditOptionModel& Options, TFileDialogService& Dialogs, TEnvFileOps& Files = RealEnvFileOps());

    const std::vector<std::string>& Names() const { return FNames; }  // CP932
    int Selected() const { return FSelected; }
    void Select(int Index);
    TEditEnvButtons Buttons() const;

    // Each asks what it needs (a name, a file) and does nothing when the user cancels; true when done.
    bool New();
    bool Copy();
    bool Rename();
    bool Delete();
    bool Import();
    bool Export();
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(1); }

    // Open editors take their new environment numbers (an editor of a deleted one takes 0).
    std::function<void(const TEnvRenumbering&)> OnRenumber;

    // Hands the list back to the options dialog, which loads environment 0.
    void Close();

private:
    bool AskName(const char* Caption, std::string& Name);
    bool Append(const std::string& Name);
    bool SaveAs(const std::string& Name, int N, const std::string& FileName = "");
    bool Load(int N, const std::string& FileName = "");
    bool Move(int Delta);
    // Renames in order; on a failure puts back those done, reports it and returns false.
    bool RenameAll(const std::vector<std::pair<std::string, std::string>>& Steps);
    void Renumbered(const TEnvRenumbering& Map);
    void Error(const std::string& Text);
    std::string FileOf(int N) const;

    TEditOptionModel& FOptions;
    TFileDialogService& FDialogs;
    TEnvFileOps& FFiles;
    std::vector<std::string> FNames;
    int FSelected = 0;
};

inline constexpr const char* kEditEnvFilter = "QxEditorｴﾃﾞｨﾀ環境 (*.qxe)|*.qxe";

} // namespace qx
