// The grep dialog's logic: masks and the file list, the run into a result document, and the result
// line's form read back by the tag jump.

#include "dialogs/GrepDialog.h"

#include "dialogs/FindDialog.h"
#include "documents/GlobalState.h"
#include "documents/MainSettings.h"
#include "documents/MessageDialog.h"
#include "editor/EditorControl.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

// ---- file masks ----------------------------------------------------------------------------------

namespace {

// The length of the UTF-8 character at i (a stray byte counts one), never past the end.
std::size_t Utf8LengthAt(std::string_view S, std::size_t i)
{
    const unsigned char b = static_cast<unsigned char>(S[i]);
    const std::size_t len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return std::min(len, S.size() - i);
}

bool MatchWild(std::string_view Name, std::string_view Mask)
{
    // Iterative glob with one backtrack point, the last "*"; "?" takes a whole character.
    std::size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
    while (n < Name.size()) {
        if (m < Mask.size() && Mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (m < Mask.size() && Mask[m] == '?') {
            n += Utf8LengthAt(Name, n);
            ++m;
        } else if (m < Mask.size() && Mask[m] == Name[n]) {
            ++n;
            ++m;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            starN += Utf8LengthAt(Name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (m < Mask.size() && Mask[m] == '*') ++m;
    return m == Mask.size();
}

// A mask split into its folder ("" for the working folder, "/" for the root) and its name part.
void SplitMask(const std::string& Mask, std::string& Folder, std::string& NamePart)
{
    const std::size_t slash = Mask.rfind('/');
    if (slash == std::string::npos) {
        char* cwd = ::getcwd(nullptr, 0);
        Folder = cwd ? cwd : ".";
        std::free(cwd);
        NamePart = Mask;
        return;
    }
    Folder = slash == 0 ? std::string("/") : Mask.substr(0, slash);
    NamePart = Mask.substr(slash + 1);
    if (Folder[0] != '/') {
        char* cwd = ::getcwd(nullptr, 0);
        if (cwd) Folder = std::string(cwd) + "/" + Folder;
        std::free(cwd);
    }
}

std::string Join(const std::string& Folder, const std::string& Name)
{
    return Folder.back() == '/' ? Folder + Name : Folder + "/" + Name;
}

// The names in Folder, in byte order, split into the regular files (links to them included) and the
// real folders (links to folders never).
void ReadFolder(const std::string& Folder, std::vector<std::string>& FileNames, std::vector<std::string>& Folders)
{
    DIR* dir = ::opendir(Folder.c_str());
    if (!dir) return;
    // The folder's own entry type where the file system gives it (no look-up of each name); a link,
    // or an entry of unknown type, is looked up beside the folder's descriptor.
    std::vector<std::pair<std::string, unsigned char>> names;
    while (const dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        names.emplace_back(e->d_name, e->d_type);
    }
    std::sort(names.begin(), names.end());
    const int fd = ::dirfd(dir);
    for (const auto& [name, type] : names) {
        bool folder = type == DT_DIR, file = type == DT_REG;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat own {};
            if (::fstatat(fd, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) continue;
            struct stat target {};
            folder = S_ISDIR(own.st_mode);
            file = S_ISREG(own.st_mode) ||
                   (S_ISLNK(own.st_mode) && ::fstatat(fd, name.c_str(), &target, 0) == 0 && S_ISREG(target.st_mode));
        }
        if (folder) Folders.push_back(name);
        else if (file) FileNames.push_back(name);
    }
    ::closedir(dir);
}

void AddFolder(const std::string& Folder, const std::string& NamePart, bool SubDirs, std::vector<std::string>& Files)
{
    std::vector<std::string> names, folders;
    ReadFolder(Folder, names, folders);
    for (const std::string& name : names)
        if (MatchesFileMask(name, NamePart)) Files.push_back(Join(Folder, name));
    if (!SubDirs) return;
    for (const std::string& sub : folders) AddFolder(Join(Folder, sub), NamePart, true, Files);
}

} // namespace

bool MatchesFileMask(std::string_view Name, std::string_view Mask)
{
    if (MatchWild(Name, Mask)) return true;
    // As the old file systems had it: a name without an extension has an empty one after its dot.
    return Mask.size() >= 2 && Mask.substr(Mask.size() - 2) == ".*" && Name.find('.') == std::string_view::npos &&
           MatchWild(Name, Mask.substr(0, Mask.size() - 2));
}

void AddFilesInDir(const std::string& Mask, std::vector<std::string>& Files)
{
    AddFilesRecursive(Mask, false, Files);
}

void AddFilesRecursive(const std::string& Mask, bool SubDirs, std::vector<std::string>& Files)
{
    std::string folder, namePart;
    SplitMask(Mask, folder, namePart);
    if (namePart.empty()) return;
    AddFolder(folder, namePart, SubDirs, Files);
}

// ---- the result document -------------------------------------------------------------------------

std::string GrepDocumentName(std::string_view SjisPattern)
{
    return "Grep \"" + Cp932ToUtf8(SjisPattern) + "\"";
}

std::string PathToDocumentText(std::string_view Path)
{
    std::string sjis = Utf8ToCp932(Path);
    if (Cp932ToUtf8(sjis) == Path) return sjis;
    return std::string(Path);
}

std::string DocumentTextToPath(std::string_view Sjis, const std::function<bool(const std::string&)>& Exists)
{
    const std::string converted = Cp932ToUtf8(Sjis);
    if (Exists(converted)) return converted;
    const std::string raw(Sjis);
    if (raw != converted && Exists(raw)) return raw;
    return converted;
}

std::string GrepResultLine(std::string_view Path, int LineNo, std::string_view Text)
{
    std::string line = PathToDocumentText(Path);
    line += "(";
    line += std::to_string(LineNo);
    line += ") :";
    line += Text;
    return line;
}

std::optional<TTagJumpTarget> ParseTagJumpLine(std::string_view Line)
{
    // No trail byte of code page 932 is "(", ")", " " or ":", so the bytes can be searched as they are.
    for (std::size_t end = Line.find(") :"); end != std::string_view::npos; end = Line.find(") :", end + 1)) {
        const std::size_t open = Line.rfind('(', end);
        if (open == std::string_view::npos || open == 0) continue;
        const std::string_view digits = Line.substr(open + 1, end - open - 1);
        if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        TTagJumpTarget target;
        target.FileName = std::string(Line.substr(0, open));
        long long n = 0;
        for (char c : digits) n = std::min<long long>(n * 10 + (c - '0'), 1LL << 30);
        target.Line = std::max<int>(1, static_cast<int>(n));
        return target;
    }
    return std::nullopt;
}

// ---- the dialog ----------------------------------------------------------------------------------

namespace {
// How often the lines found so far go into the result document while grep runs.
constexpr auto FlushInterval = std::chrono::milliseconds(200);
} // namespace

TGrepDialogModel::TGrepDialogModel(TGlobalState& State, TGrepHost& Host)
    : FState(State), FHost(Host), FGrep(Construct<TGrep>())
{
    FGrep->OnMatch = [this](TObject*, const RE_LineInfo_t& Info) { Match(Info); };
    FGrep->Poll.Hook = [this] { Poll(); };
}

TGrepDialogModel::~TGrepDialogModel() = default;

const TStringList& TGrepDialogModel::PatternHistory() const { return FState.GrepHistory; }
const TStringList& TGrepDialogModel::MaskHistory() const { return FState.GrepFiles; }

void TGrepDialogModel::FormShow(const std::string& Selection)
{
    Pattern.clear();
    Mask.clear();
    FFiles.clear();
    LoadGrepSettings(FState);
    Fuzzy = FState.Settings.Grep.GrepFuzzy;
    SubDir = FState.Settings.Grep.GrepSubDir;
    if (!Selection.empty())
        Pattern = Selection;
    else if (!FState.GrepHistory.Empty())
        Pattern = FState.GrepHistory[0];
    if (!FState.GrepFiles.Empty()) Mask = FState.GrepFiles[0];
    SetCaption(GrepCaption);
}

void TGrepDialogModel::FolderChosen(const std::string& Folder)
{
    if (Folder.empty()) return;
    Mask = (Folder.back() == '/' ? Folder : Folder + "/") + "*.*";
}

void TGrepDialogModel::FileChosen(const std::string& FileName)
{
    if (!FileName.empty()) Mask = FileName;
}

void TGrepDialogModel::SaveGrepHistory()
{
    AddToHistory(FState.GrepHistory, Pattern);
    AddToHistory(FState.GrepFiles, Mask);
    FState.Settings.Grep.GrepFuzzy = Fuzzy;
    FState.Settings.Grep.GrepSubDir = SubDir;
    SaveGrepSettings(FState);
}

bool TGrepDialogModel::OKButtonClick()
{
    if (FRunning) return false;
    SaveGrepHistory();
    FFiles.clear();
    AddFilesRecursive(Mask, SubDir, FFiles);
    if (FFiles.empty()) {
        FHost.Beep();
        ShowMessageDialog(FHost.Prompter(), "Grepの対象ファイルが見つかりません。", "情報", TMsgDlgType::mtInformation,
                          {TMsgDlgBtn::mbOK});
        return false;
    }
    // The pattern is compiled before any document is made, so a pattern that does not compile leaves
    // nothing behind and the dialog open to mend it.
    try {
        FGrep->SetUseFuzzyCharDic(Fuzzy);
        FGrep->SetRegExp(Pattern);
    } catch (const Exception& e) {
        FHost.Beep();
        ShowMessageDialog(FHost.Prompter(), e.what(), "エラー", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return false;
    }
    TEditor* result = FHost.NewResultDocument(GrepDocumentName(Pattern));
    if (!result) return false;
    BeginGrep(*result);
    Run();
    EndGrep();
    return true;
}

void TGrepDialogModel::BeginGrep(TEditor& Result)
{
    FResult = &Result;
    FPending.clear();
    FLastFlush = std::chrono::steady_clock::now();
    FGrep->Cancel = false;
    FRunning = true;
    if (OnStateChange) OnStateChange();
}

void TGrepDialogModel::Run()
{
    try {
        for (const std::string& file : FFiles) {
            const std::size_t slash = file.rfind('/');
            SetCaption(std::string(GrepCaption) + " \"" + file.substr(slash == std::string::npos ? 0 : slash + 1) + "\"");
            FCurrentFile = PathToDocumentText(file);
            FGrep->Grep(file);
        }
        Flush();
    } catch (const EGrepCancel&) {
        Flush();
        FHost.Beep();
        ShowMessageDialog(FHost.Prompter(), "Grepの実行を中断しました。", "情報", TMsgDlgType::mtInformation,
                          {TMsgDlgBtn::mbOK});
    } catch (const std::exception&) {
        Flush();
        FHost.Beep();
        ShowMessageDialog(FHost.Prompter(), "Grepの実行に失敗しました。", "エラー", TMsgDlgType::mtError,
                          {TMsgDlgBtn::mbOK});
    }
}

void TGrepDialogModel::EndGrep()
{
    FRunning = false;
    if (TEditor* result = FResult.Get()) {
        result->SetModified(false);
        FHost.ResultDocumentDone(*result);
    }
    FResult = nullptr;
    SetCaption(GrepCaption);
}

void TGrepDialogModel::Match(const RE_LineInfo_t& Info)
{
    FPending += FCurrentFile;
    FPending += '(';
    FPending += std::to_string(Info.LineNo);
    FPending += ") :";
    FPending += Info.Line;
    FPending += "\r\n";
}

void TGrepDialogModel::Poll()
{
    FHost.ProcessMessages();
    // The result tab closed while grep ran: there is nowhere to put the lines any more.
    if (!FResult) FGrep->Cancel = true;
    if (std::chrono::steady_clock::now() - FLastFlush >= FlushInterval) Flush();
}

void TGrepDialogModel::Flush()
{
    FLastFlush = std::chrono::steady_clock::now();
    if (FPending.empty()) return;
    if (TEditor* result = FResult.Get()) result->Lines().AppendLines(FPending);
    FPending.clear();
}

bool TGrepDialogModel::CancelButtonClick()
{
    if (!FRunning) return true;
    FGrep->Cancel = true;
    return false;
}

void TGrepDialogModel::FormClose()
{
    if (FRunning) FGrep->Cancel = true;
}

void TGrepDialogModel::SetCaption(std::string Caption)
{
    FCaption = std::move(Caption);
    if (OnStateChange) OnStateChange();
}

} // namespace qx
