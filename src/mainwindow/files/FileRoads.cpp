#include "mainwindow/files/FileRoads.h"

#include "documents/DocumentCodes.h"
#include "documents/DocumentFiles.h"
#include "documents/EditorEnvironment.h"
#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "documents/ShellShortcut.h"
#include "editor/EditorControl.h"
#include "editor/QxEditor.h"
#include "mainwindow/files/TabModel.h"
#include "platform/StringList.h"

#include <filesystem>

namespace qx {

namespace {

namespace fs = std::filesystem;

// The absolute, lexically normal name, without resolving links: the tab shows the name the user chose.
std::string AbsoluteName(const std::string& Name)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(Name, ec);
    return ec ? Name : absolute.lexically_normal().string();
}

std::string FolderOf(const std::string& FileName) { return fs::path(FileName).parent_path().string(); }

// The initial folder by "DirIndex": 0 the current folder, 1 where the dialog was last left, 2 the
// setting's folder.
std::string InitialFolder(const TGlobalState& State, const std::string& Setting, const std::string& LastFolder)
{
    switch (State.Settings.Option.DirIndex) {
    case 1: return LastFolder;
    case 2: return Setting;
    default: return {};
    }
}

// The extension a file type stands for, or "" for the types that keep the name.
std::string_view TypeExtension(int FilterIndex)
{
    switch (FilterIndex) {
    case 1: return ".txt";
    case 2: return ".html";
    case 3: return ".htm";
    default: return {};
    }
}

// The bookkeeping after the current document was written to Name.
void AfterSave(TFileRoadHost& Host, const std::string& Name)
{
    Host.CurrentDocument().SetModified(false);
    Host.DocumentBoundTo(Name);
}

} // namespace

bool OpenDocument(TFileRoadHost& Host, const TOpenRequest& Request, int Code, bool ReuseUntouched, bool LookForTab)
{
    // A shortcut opens its target, which the messages then name.
    const std::string given = ShortcutTarget(Request.FileName);
    const std::string name = AbsoluteName(given);
    if (LookForTab) {
        // Only a tab that holds a file can hold this one ("無題 1" may be a file's name too).
        std::vector<std::string> names;
        for (int i = 0; i < Host.Count(); ++i) names.push_back(IsNamedFile(Host.Name(i)) ? Host.Name(i) : std::string());
        if (const int found = FindTabByFileName(name, names)) {
            Host.Activate(found - 1);
            return true;
        }
    }
    int share = 0;
    switch (TestOpenFile(name)) {
    case otLocked:
        ShowMessageDialog(Host.Prompter(), MsgFileLocked(given), "情報", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        share = 64;
        break;
    case otNotFound:
        // The name as given: a missing file has no long form to show.
        ShowMessageDialog(Host.Prompter(), MsgFileCannotOpen(given), "確認", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return false;
    case otOpenError:
        ShowMessageDialog(Host.Prompter(), MsgFileOpenError(given), "確認", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return false;
    default: break;
    }
    const int before = Host.CurrentPage();
    const bool made = !ReuseUntouched || Host.Count() == 0 || Host.CurrentTabInUse();
    if (made) Host.NewTab();
    TDocumentHost documentHost = Host.DocumentHost();
    if (LoadFileToEditor(Host.CurrentDocument(), documentHost, Host.State(), name, Code, share) != TLoadStatus::Loaded) {
        // A load declined at a question or failed leaves no empty tab behind.
        if (made && before >= 0) Host.DiscardNewTab(before);
        return false;
    }
    Host.CurrentDocument().SetModified(false);
    Host.DocumentBoundTo(name);
    Host.DocumentOpened(Request);
    return true;
}

TFileDialogRequest OpenDialogRequest(const TGlobalState& State, const std::string& LastFolder)
{
    const TOptionSettings& o = State.Settings.Option;
    TFileDialogRequest r;
    r.Filter = "ﾃｷｽﾄ文書 (*.txt;*.hed;*.bat;*.ini;*.inf;*.log)|*.txt;*.hed;*.bat;*.ini;*.inf;*.log|"
               "HTMLﾄﾞｷｭﾒﾝﾄ (*.htm;*.html)|*.htm;*.html|全てのﾌｧｲﾙ (*.*)|*.*|ﾕｰｻﾞｰ指定 1(" +
               o.UserFilter1 + ")|" + o.UserFilter1 + "|ﾕｰｻﾞｰ指定 2(" + o.UserFilter2 + ")|" + o.UserFilter2 +
               "|ﾕｰｻﾞｰ指定 3(" + o.UserFilter3 + ")|" + o.UserFilter3;
    r.FilterIndex = o.OpenFileFilter;
    r.InitialDir = InitialFolder(State, o.OpenDirPath, LastFolder);
    r.MultiSelect = true;
    r.ComboBoxStrings = CharCodeListStrings();
    r.ComboBoxVisible = true;
    return r;
}

TFileDialogRequest SaveDialogRequest(const TGlobalState& State, const std::string& LastFolder)
{
    const TOptionSettings& o = State.Settings.Option;
    TFileDialogRequest r;
    r.Save = true;
    // The first three types add their extension (MatchSaveExtension).
    r.Filter = "ﾃｷｽﾄ文書 (*.txt)|*.txt|HTMLﾄﾞｷｭﾒﾝﾄ (*.html)|*.html|HTMLﾄﾞｷｭﾒﾝﾄ (*.htm)|*.htm|全てのﾌｧｲﾙ (*.*)|*.*";
    r.FilterIndex = o.SaveFileFilter;
    r.InitialDir = InitialFolder(State, o.SaveDirPath, LastFolder);
    r.ComboBoxStrings = CharCodeListStrings();
    r.ComboBoxVisible = true;
    r.ComboBoxStrings2 = LineEndListStrings();
    r.ComboBoxVisible2 = true;
    return r;
}

std::string MatchSaveExtension(const std::string& FileName, int FilterIndex)
{
    const std::string_view extension = TypeExtension(FilterIndex);
    if (extension.empty()) return FileName;
    const std::string own = fs::path(FileName).extension().string();
    return SameText(own, extension) ? FileName : FileName + std::string(extension);
}

void OpenFromDialog(TFileRoadHost& Host)
{
    TFileDialogRequest request = OpenDialogRequest(Host.State(), Host.LastDialogFolder());
    const TFileDialogResult result = Host.Dialogs().Execute(request);
    if (!result.Accepted || result.Files.empty()) return;
    Host.LastDialogFolder() = FolderOf(result.Files.front());
    // The code is chosen once for every file; each file opens or fails on its own.
    const int code = result.ComboBoxIndex > 0 ? result.ComboBoxIndex : ocAuto;
    for (const std::string& file : result.Files) OpenDocument(Host, {"", "", "", file}, code, true);
}

bool OpenRecentFile(TFileRoadHost& Host, const std::string& FileName)
{
    return OpenDocument(Host, {"", "", "", FileName}, ocAuto, true);
}

void OpenFromFolder(TFileRoadHost& Host, const std::string& Folder)
{
    TFileDialogRequest request = OpenDialogRequest(Host.State(), Host.LastDialogFolder());
    request.InitialDir = Folder;
    request.MultiSelect = false;
    const TFileDialogResult result = Host.Dialogs().Execute(request);
    if (!result.Accepted || result.Files.empty()) return;
    Host.LastDialogFolder() = FolderOf(result.Files.front());
    OpenDocument(Host, {"", "", "", result.Files.front()}, ocAuto, true, false);
}

bool SaveDocument(TFileRoadHost& Host)
{
    if (Host.Count() == 0) return false;
    const std::string name = Host.Name(Host.CurrentPage());
    if (IsUntitled(name) || IsGrepResult(name)) return SaveDocumentAs(Host);
    if (IsProjectTab(name)) {
        if (!Host.StoreProjectItem()) return false;
        Host.CurrentDocument().SetModified(false);
        return true;
    }
    Host.MakeBackupFile(name);
    TDocumentHost documentHost = Host.DocumentHost();
    if (!SaveEditorFile(Host.CurrentDocument(), documentHost, Host.State(), name, lcKeep, lcKeep)) return false;
    AfterSave(Host, name);
    return true;
}

bool ReloadWithCode(TFileRoadHost& Host, int CharType)
{
    if (Host.Count() == 0) return false;
    const std::string name = Host.Name(Host.CurrentPage());
    if (!IsNamedFile(name)) return false;
    TDocumentHost documentHost = Host.DocumentHost();
    return qx::ReloadWithCharCode(Host.CurrentDocument(), documentHost, Host.State(), CharType);
}

bool ConfirmOverwrite(TFileRoadHost& Host, const std::string& FileName)
{
    std::error_code ec;
    if (!fs::exists(FileName, ec)) return true;
    Host.MessageBeep();
    return ShowMessageDialog(Host.Prompter(), MsgFileExists(FileName), "確認", TMsgDlgType::mtConfirmation,
                {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) == mr::Yes;
}

bool SaveDocumentAs(TFileRoadHost& Host)
{
    if (Host.Count() == 0) return false;
    const std::string current = Host.Name(Host.CurrentPage());
    TFileDialogRequest request = SaveDialogRequest(Host.State(), Host.LastDialogFolder());
    request.FileName = IsGrepResult(current) ? std::string() : IsProjectTab(current) ? Host.ProjectItemShownName() : current;
    std::string name;
    TFileDialogResult result;
    for (;;) {
        result = Host.Dialogs().Execute(request);
        if (!result.Accepted || result.Files.empty()) return false;
        // The name as it will be written is the one asked about.
        name = MatchSaveExtension(result.Files.front(), result.FilterIndex);
        if (ConfirmOverwrite(Host, name)) break;
        request.FileName = name;
        request.FilterIndex = result.FilterIndex;
    }
    Host.LastDialogFolder() = FolderOf(name);
    TDocumentHost documentHost = Host.DocumentHost();
    if (!SaveEditorFile(Host.CurrentDocument(), documentHost, Host.State(), name, result.ComboBoxIndex,
                        result.ComboBoxIndex2))
        return false;
    // The editors take the environment of the new extension, its lock or stamp on the new file.
    const int environment = EnvironmentIndexOfExt(Host.State(), EnvironmentPatternOf(name));
    if (documentHost.ApplyEnvironment) documentHost.ApplyEnvironment(environment, name, nullptr);
    Host.CurrentDocument().SetEnvironmentNumber(environment);
    AfterSave(Host, name);
    return true;
}

bool SaveAllDocuments(TFileRoadHost& Host)
{
    // The close walk's questions (Yes, No, Cancel, All), each Yes saving through the window; the walk
    // frees nothing, and here nothing is closed afterwards either.
    const int active = Host.CurrentPage();
    const TCloseResult result = CloseAllDocuments(Host, {&Host.Prompter(), [&Host] { Host.MessageBeep(); }});
    if (result == TCloseResult::Closed && active >= 0 && active < Host.Count()) Host.Activate(active);
    return result == TCloseResult::Closed;
}

void InsertFile(TFileRoadHost& Host)
{
    TEditor* editor = Host.FocusedEditor();
    if (!editor || editor->ReadOnly()) return;
    TFileDialogRequest request = OpenDialogRequest(Host.State(), Host.LastDialogFolder());
    request.MultiSelect = false;
    request.ComboBoxVisible = false;
    const TFileDialogResult result = Host.Dialogs().Execute(request);
    if (!result.Accepted || result.Files.empty()) return;
    Host.LastDialogFolder() = FolderOf(result.Files.front());
    const TDecodedDocument file = LoadDocumentFile(ShortcutTarget(result.Files.front()), ocAuto, Host.Prompter());
    if (file.Status != TLoadStatus::Loaded) return;
    const auto* current = dynamic_cast<const TQxEditor*>(Host.CurrentEditor());
    InsertAtCaret(*editor, file.Text, !current || current->InsertCurPos != 0);
}

} // namespace qx
