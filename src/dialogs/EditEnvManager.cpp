#include "dialogs/EditEnvManager.h"

#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "platform/Cp932.h"

#include <cstdio>
#include <sys/stat.h>

namespace qx {

namespace {

class TRealEnvFileOps : public TEnvFileOps {
public:
    bool Exists(const std::string& Path) override
    {
        struct stat Info {};
        return ::stat(Path.c_str(), &Info) == 0;
    }
    bool Rename(const std::string& From, const std::string& To) override
    {
        return std::rename(From.c_str(), To.c_str()) == 0;
    }
    bool Remove(const std::string& Path) override { return std::remove(Path.c_str()) == 0; }
};

constexpr const char* kNamePrompt = "エディタ環境名称：";

} // namespace

TEnvFileOps& RealEnvFileOps()
{
    static TRealEnvFileOps Ops;
    return Ops;
}

TEditEnvManager::TEditEnvManager(TEditOptionModel& Options, TFileDialogService& Dialogs, TEnvFileOps& Files)
    : FOptions(Options), FDialogs(Dialogs), FFiles(Files), FNames(Options.Names())
{
}

void TEditEnvManager::Select(int Index) { FSelected = Index >= 0 && Index < static_cast<int>(FNames.size()) ? Index : -1; }

TEditEnvButtons TEditEnvManager::Buttons() const
{
    const int Count = static_cast<int>(FNames.size());
    const bool Room = Count < EnvironmentCount;
    TEditEnvButtons B;
    B.New = B.Import = Room;
    B.Copy = Room && FSelected >= 0;
    B.Export = FSelected >= 0;
    B.Delete = B.Rename = FSelected >= 1;
    B.Up = FSelected >= 2;  // the first environment stays first
    B.Down = FSelected >= 1 && FSelected < Count - 1;
    return B;
}

std::string TEditEnvManager::FileOf(int N) const { return EnvironmentFileName(FOptions.State(), N); }

void TEditEnvManager::Error(const std::string& Text)
{
    ShowMessageDialog(FOptions.Prompter(), Text, "", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
}

bool TEditEnvManager::AskName(const char* Caption, std::string& Name)
{
    std::string Answer;
    if (!FOptions.Prompter().InputQuery(Caption, kNamePrompt, Answer)) return false;
    // An empty name would end the environment list there and hide every later environment.
    if (Answer.empty()) {
        ShowMessageDialog(FOptions.Prompter(), "エディタ環境名称を入力してください。", "", TMsgDlgType::mtWarning,
                          {TMsgDlgBtn::mbOK});
        return false;
    }
    Name = Utf8ToCp932(Answer);
    return true;
}

bool TEditEnvManager::Load(int N, const std::string& FileName)
{
    if (N < 0 && FileName.empty()) {
        FOptions.Record = TEditorEnvironment{};
        return true;
    }
    std::optional<TEditorEnvironment> Loaded = LoadEnvironmentToDialog(FOptions.State(), FileName, N);
    if (!Loaded) {
        Error(MsgFileReadError(FileName.empty() ? FileOf(N) : FileName, ""));
        return false;
    }
    FOptions.Record = std::move(*Loaded);
    return true;
}

bool TEditEnvManager::SaveAs(const std::string& Name, int N, const std::string& FileName)
{
    if (SaveEnvironment(FOptions.State(), FOptions.Record, Name, N, FileName)) return true;
    Error(MsgFileWriteError(FileName.empty() ? FileOf(N) : FileName, ""));
    return false;
}

bool TEditEnvManager::Append(const std::string& Name)
{
    const int N = static_cast<int>(FNames.size());
    if (N >= EnvironmentCount || !SaveAs(Name, N)) return false;
    FNames.push_back(Name);
    return true;
}

bool TEditEnvManager::New()
{
    std::string Name;
    if (!Buttons().New || !AskName("エディタ環境-新規作成", Name)) return false;
    return Load(-1) && Append(Name);
}

bool TEditEnvManager::Copy()
{
    std::string Name;
    if (!Buttons().Copy || !AskName("エディタ環境-コピー", Name)) return false;
    return Load(FSelected) && Append(Name);
}

bool TEditEnvManager::Rename()
{
    std::string Name;
    if (!Buttons().Rename || !AskName("エディタ環境-名前の変更", Name)) return false;
    if (!Load(FSelected) || !SaveAs(Name, FSelected)) return false;
    FNames[FSelected] = Name;
    return true;
}

bool TEditEnvManager::Import()
{
    if (!Buttons().Import) return false;
    TFileDialogRequest Request;
    Request.Filter = kEditEnvFilter;
    Request.DefaultExt = "qxe";
    const TFileDialogResult Chosen = FDialogs.Execute(Request);
    if (!Chosen.Accepted || Chosen.Files.empty()) return false;
    const std::string& File = Chosen.Files.front();
    if (!Load(-1, File)) return false;
    const std::string Name = FOptions.Record.EnvironmentName;
    if (Name.empty()) {
        ShowMessageDialog(FOptions.Prompter(), File + "\nエディタ環境名称がないため読み込めません。", "",
                          TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
        return false;
    }
    return Append(Name);
}

bool TEditEnvManager::Export()
{
    if (!Buttons().Export) return false;
    TFileDialogRequest Request;
    Request.Save = true;
    Request.Filter = kEditEnvFilter;
    Request.DefaultExt = "qxe";
    const TFileDialogResult Chosen = FDialogs.Execute(Request);
    if (!Chosen.Accepted || Chosen.Files.empty()) return false;
    return Load(FSelected) && SaveAs(FNames[FSelected], FSelected, Chosen.Files.front());
}

bool TEditEnvManager::RenameAll(const std::vector<std::pair<std::string, std::string>>& Steps)
{
    for (std::size_t I = 0; I < Steps.size(); ++I) {
        if (FFiles.Rename(Steps[I].first, Steps[I].second)) continue;
        // Put back what was done, last first, so the files stand as before.
        for (std::size_t J = I; J-- > 0;) FFiles.Rename(Steps[J].second, Steps[J].first);
        Error(Steps[I].first + "\n" + "ファイルの名前を変更できませんでした。エディタ環境は変更されていません。");
        return false;
    }
    return true;
}

bool TEditEnvManager::Delete()
{
    if (!Buttons().Delete) return false;
    const int D = FSelected;
    // The file goes aside first and is removed only when the later files have all moved up.
    const std::string Aside = FOptions.State().ProgramFile(kEnvironmentTempFile);
    std::vector<std::pair<std::string, std::string>> Steps;
    if (FFiles.Exists(FileOf(D))) Steps.emplace_back(FileOf(D), Aside);
    for (int K = D + 1; K < EnvironmentCount; ++K)
        if (FFiles.Exists(FileOf(K))) Steps.emplace_back(FileOf(K), FileOf(K - 1));
    if (!RenameAll(Steps)) return false;
    if (!Steps.empty() && Steps.front().second == Aside) FFiles.Remove(Aside);

    FNames.erase(FNames.begin() + D);
    EraseEnvironmentSection(FOptions.State(), D);
    EraseEnvironmentSection(FOptions.State(), static_cast<int>(FNames.size()));
    FSelected = -1;
    TEnvRenumbering Map;
    for (int K = 0; K < EnvironmentCount; ++K) Map[K] = K < D ? K : K == D ? -1 : K - 1;
    Renumbered(Map);
    return true;
}

bool TEditEnvManager::Move(int Delta)
{
    const TEditEnvButtons B = Buttons();
    if (Delta < 0 ? !B.Up : !B.Down) return false;
    const int S = FSelected, T = FSelected + Delta;
    const std::string A = FileOf(S), Other = FileOf(T), Temp = FOptions.State().ProgramFile(kEnvironmentTempFile);
    if (!RenameAll({{Other, Temp}, {A, Other}, {Temp, A}})) return false;
    std::swap(FNames[S], FNames[T]);
    FSelected = T;
    TEnvRenumbering Map;
    for (int K = 0; K < EnvironmentCount; ++K) Map[K] = K;
    Map[S] = T;
    Map[T] = S;
    Renumbered(Map);
    return true;
}

void TEditEnvManager::Renumbered(const TEnvRenumbering& Map)
{
    BindEnvironmentFileExts(FOptions.State());
    if (OnRenumber) OnRenumber(Map);
}

void TEditEnvManager::Close() { FOptions.SetNames(FNames, 0); }

} // namespace qx
