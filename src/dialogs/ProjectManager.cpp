#include "dialogs/ProjectManager.h"

#include "dialogs/ProjectDocNames.h"
#include "dialogs/ProjectProperty.h"
#include "documents/DocumentFiles.h"
#include "documents/FileHistory.h"
#include "documents/MessageTexts.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"

#include <algorithm>
#include <filesystem>

namespace qx {

namespace {

using NT = TProjectNodeType;

constexpr const char* MsgItemOpenInTheWay = "アイテムを開いているため処理を続行できません。";
constexpr const char* MsgCutItemOpen = "切り取りまたは削除しようとしたアイテムを開いているため処理できません。";
constexpr const char* MsgProjectMissing = "プロジェクトファイルが開けません。ファイル名が正しいか確認してください。";
constexpr const char* MsgWrongFormat = "プロジェクトファイルのフォーマットが正しくありません。";
constexpr const char* MsgOldVersion = "プロジェクトファイルのフォーマットが古いため読み込めません。";
constexpr const char* ConfirmCaption = "確認";

// Why a project file was not read (the depth refusal names the file and the bound).
std::string RefusalText(TProjectFileStatus status, const std::string& fileName)
{
    switch (status) {
    case TProjectFileStatus::OldVersion: return MsgOldVersion;
    case TProjectFileStatus::TooDeep:
        return fileName + "\nプロジェクトのアイテムの階層が深すぎるため読み込めません（" + std::to_string(MaxProjectDepth) +
               " 階層まで）。";
    default: return MsgWrongFormat;
    }
}

std::string BaseName(const std::string& path) { return std::filesystem::path(path).filename().string(); }
std::string Stem(const std::string& path) { return std::filesystem::path(path).stem().string(); }

bool IsStoredOrLink(NT type) { return type == NT::ntLink || type == NT::ntImport; }

// The text with every line end (CR LF, CR or LF) written as `lineEnd`.
std::string WithLineEnds(std::string_view text, std::string_view lineEnd)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += lineEnd;
        } else {
            out += text[i];
        }
    }
    return out;
}

struct TNewItemKind {
    const char* BaseName;
    const char* Caption;
    const char* Prompt;
};

TNewItemKind NewItemKind(NT type)
{
    switch (type) {
    case NT::ntBox: return {"新規ボックス", "新しいボックスを作成", "新しいボックスの名前："};
    case NT::ntFolder: return {"新規フォルダ", "新しいフォルダを作成", "新しいフォルダの名前："};
    default: return {"新規ファイル", "新しいファイルを作成", "新しいファイルの名前："};
    }
}

} // namespace

TProjectManager::TProjectManager(TGlobalState& state, TProjectServices services)
    : FState(state), FServices(std::move(services))
{
    FTree.Build(FState.ProjectItemList);
}

std::string TProjectManager::RootCaption() const
{
    if (FState.ProjectFileName == UntitledProjectName) return std::string(UntitledProjectName);
    return Stem(FState.ProjectFileName);
}

std::string TProjectManager::Caption(int index) const { return Cp932ToUtf8(Records().Names(index)); }

void TProjectManager::Message(const std::string& text, TMsgDlgType kind)
{
    FServices.Beep();
    TPromptRequest request;
    request.Text = text;
    request.Caption = ConfirmCaption;
    request.Kind = kind;
    request.Buttons = {TMsgDlgBtn::mbOK};
    FServices.Prompter.Show(request);
}

void TProjectManager::Changed(int select)
{
    FState.ProjectModified = true;
    RebuildProjectTree();
    SetSelectedProjectItemIndex(select);
}

// ---- project files ----

bool TProjectManager::AnyStoredItemOpen() const
{
    const int tabs = FServices.Tabs.TabCount();
    for (int tab = 0; tab < tabs; ++tab)
        if (ProjectItemIdFromDocName(FServices.Tabs.DocumentName(tab)) >= 0) return true;
    return false;
}

bool TProjectManager::RefuseWhileItemsOpen(const char* message)
{
    if (!AnyStoredItemOpen()) return false;
    Message(message);
    return true;
}

bool TProjectManager::NewProject()
{
    if (RefuseWhileItemsOpen(MsgItemOpenInTheWay)) return false;
    TProjectRecordList& list = FState.ProjectItemList;
    list.Clear();
    FState.ProjectFileName = UntitledProjectName;
    FState.ProjectModified = false;
    if (!FStartingOrClosing) FState.Settings.Project.LastProjectFile = UntitledProjectName;
    TProjectRecListItem record;
    MakeProjectRecord(NT::ntBox, 0, Utf8ToCp932("ボックス"), record, 0);
    list.Add(record);
    MakeProjectRecord(NT::ntTrash, 0, Utf8ToCp932("ゴミ箱"), record, 1);
    list.Add(record);
    RebuildProjectTree();
    SetSelectedProjectItemIndex(-1);
    return true;
}

bool TProjectManager::QueryProjectSave()
{
    FState.ProjectCanContinue = false;
    if (!FState.ProjectModified) return FState.ProjectCanContinue = true;
    FServices.Beep();
    TPromptRequest request;
    request.Text = MsgProjectModified(RootCaption());
    request.Caption = ConfirmCaption;
    request.Kind = TMsgDlgType::mtConfirmation;
    request.Buttons = {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel};
    switch (FServices.Prompter.Show(request)) {
    case mr::Yes: FState.ProjectCanContinue = SaveProject(FState.ProjectFileName); break;
    case mr::No: FState.ProjectCanContinue = true; break;
    default: FState.ProjectCanContinue = false; break;
    }
    return FState.ProjectCanContinue;
}

void TProjectManager::ProjectNewMenuClick()
{
    if (RefuseWhileItemsOpen(MsgItemOpenInTheWay)) return;
    if (QueryProjectSave()) NewProject();
}

void TProjectManager::ProjectOpenMenuClick()
{
    if (RefuseWhileItemsOpen(MsgItemOpenInTheWay) || !QueryProjectSave()) return;
    std::string fileName = ProjectDialogFolder();
    if (FServices.Dialogs.ChooseProjectToOpen(fileName)) OpenProject(fileName);
}

bool TProjectManager::OpenProjectFile(const std::string& fileName)
{
    if (RefuseWhileItemsOpen(MsgItemOpenInTheWay) || !QueryProjectSave()) return false;
    return OpenProject(fileName);
}

bool TProjectManager::OpenProject(const std::string& fileName)
{
    if (RefuseWhileItemsOpen(MsgItemOpenInTheWay)) return false;
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        Message(MsgProjectMissing);
        return false;
    }
    TProjectFileStatus status;
    try {
        status = LoadProjectFile(FState, fileName, FServices.Progress);
    } catch (const Exception&) {
        Message(MsgFileOpenError(fileName));
        return false;
    }
    // The records changed: the tree follows before any message lets the window paint it.
    RebuildProjectTree();
    if (status != TProjectFileStatus::Loaded) {
        Message(RefusalText(status, fileName));
        NewProject();
        return false;
    }
    FState.ProjectFileName = fileName;
    FState.Settings.Project.LastProjectFile = fileName;
    if (FListener) FListener->ProjectNodeChanged(-1);
    SetSelectedProjectItemIndex(-1);
    if (!FPaneVisible) SetPaneVisible(FState.Settings.Project.ShowByOpenFile);
    AddProjectHistory(FState, fileName);
    return true;
}

bool TProjectManager::WriteProject(const std::string& fileName)
{
    try {
        SaveProjectFile(FState, fileName, FServices.Progress);
    } catch (const Exception& e) {
        FState.ProjectCanContinue = false;
        Message(MsgFileWriteError(fileName, e.Message()), TMsgDlgType::mtError);
        return false;
    }
    if (FListener) FListener->ProjectNodeChanged(-1);
    const std::vector<int> unsaved = UnsavableProjectItems(Records());
    if (!unsaved.empty()) {
        std::string text = "次のアイテムのテキストには「*/end」だけの行があるため、その行から後はプロジェクトファイルから読み戻せません。";
        for (int index : unsaved) text += "\n" + ProjectItemPath(index);
        Message(text, TMsgDlgType::mtWarning);
    }
    return true;
}

bool TProjectManager::SaveProject(const std::string& fileName)
{
    if (fileName == UntitledProjectName) return ProjectSaveAsMenuClick();
    return WriteProject(fileName);
}

bool TProjectManager::ProjectSaveMenuClick()
{
    // A project that was never saved has no file to write over, modified or not.
    if (FState.ProjectFileName == UntitledProjectName) return ProjectSaveAsMenuClick();
    return WriteProject(FState.ProjectFileName);
}

std::string TProjectManager::ProjectDialogFolder() const
{
    const TProjectSettings& settings = FState.Settings.Project;
    if (!settings.UseProjectDir || settings.ProjectDirPath.empty()) return {};
    std::string folder = settings.ProjectDirPath;
    if (folder.back() != '/') folder += '/';
    return folder;
}

bool TProjectManager::ProjectSaveAsMenuClick()
{
    // A project never saved starts in the project folder (when one is set).
    std::string fileName = FState.ProjectFileName == UntitledProjectName ? ProjectDialogFolder() + FState.ProjectFileName
                                                                        : FState.ProjectFileName;
    for (;;) {
        if (!FServices.Dialogs.ChooseProjectToSave(fileName)) {
            FState.ProjectCanContinue = false;
            return false;
        }
        std::error_code error;
        if (!std::filesystem::exists(fileName, error)) break;
        TPromptRequest request;
        request.Text = MsgFileExists(fileName);
        request.Caption = ConfirmCaption;
        request.Kind = TMsgDlgType::mtConfirmation;
        request.Buttons = {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo};
        if (FServices.Prompter.Show(request) == mr::Yes) break;
    }
    return WriteProject(fileName);
}

// ---- the tree ----

void TProjectManager::RebuildProjectTree()
{
    FTree.Build(Records());
    if (FSelected >= Records().Count()) FSelected = -1;
    if (FListener) FListener->ProjectTreeRebuilt();
}

void TProjectManager::SetSelectedProjectItemIndex(int index)
{
    FSelected = index >= 0 && index < Records().Count() ? index : -1;
    if (FListener) FListener->ProjectNodeSelected(FSelected);
}

bool TProjectManager::IsGroup(int index) const
{
    if (index < 0 || index >= Records().Count()) return false;
    const NT type = Records().NodeTypes(index);
    return type == NT::ntBox || type == NT::ntFolder;
}

// ---- new items ----

bool TProjectManager::NewProjectItem(NT type)
{
    const int parent = FSelected;
    if (type == NT::ntBox ? parent != -1 : !IsGroup(parent) || Records().Levels(parent) + 1 >= MaxProjectDepth)
        return false;
    const TNewItemKind kind = NewItemKind(type);
    const TProjectRecordList& list = Records();

    // The first "base name + n" that no child of the selection has.
    const int childLevel = parent < 0 ? 0 : list.Levels(parent) + 1;
    const int from = parent < 0 ? 0 : parent + 1;
    const int to = parent < 0 ? list.Count() : list.SubtreeEnd(parent);
    const std::string base = Utf8ToCp932(kind.BaseName);
    std::string name;
    for (int n = 1;; ++n) {
        name = base + std::to_string(n);
        bool taken = false;
        for (int i = from; i < to && !taken; ++i) taken = list.Levels(i) == childLevel && list.Names(i) == name;
        if (!taken) break;
    }
    std::string answer = Cp932ToUtf8(name);
    if (!FServices.Prompter.InputQuery(kind.Caption, kind.Prompt, answer) || answer.empty()) return false;
    if (type == NT::ntBox ? FSelected != -1 : !IsGroup(FSelected)) return false;

    int position = to;
    if (type == NT::ntBox) {
        for (position = 0; position < list.Count(); ++position)
            if (list.NodeTypes(position) == NT::ntTrash && list.Levels(position) == 0) break;
    }
    TProjectRecListItem record;
    MakeProjectRecord(type, childLevel, Utf8ToCp932(answer), record, NewProjectItemId(list));
    FState.ProjectItemList.Insert(position, record);
    Changed(position);
    if (type == NT::ntImport) ActionProjectItemProperty();
    return true;
}

bool TProjectManager::NewProjectBox() { return NewProjectItem(NT::ntBox); }
bool TProjectManager::NewProjectFolder() { return NewProjectItem(NT::ntFolder); }
bool TProjectManager::NewProjectFile() { return NewProjectItem(NT::ntImport); }

bool TProjectManager::AddProjectFile(const std::string& fileName, NT type)
{
    const int parent = FSelected;
    if (!IsGroup(parent) || Records().Levels(parent) + 1 >= MaxProjectDepth) return false;
    TProjectRecListItem record;
    if (type == NT::ntLink) {
        MakeProjectRecord(NT::ntLink, 0, Utf8ToCp932(BaseName(fileName)), record, 0, fileName);
    } else {
        const TDecodedDocument document = LoadDocumentFile(fileName, 1, FServices.Prompter);
        if (document.Status != TLoadStatus::Loaded) return false;
        const std::string ext = std::filesystem::path(fileName).extension().string();
        MakeProjectRecord(NT::ntImport, 0, Utf8ToCp932(BaseName(fileName)), record, 0, WithLineEnds(document.Text, "\r\n"),
                          ext.empty() ? std::string() : Utf8ToCp932("*" + ext));
    }
    record.Level = Records().Levels(parent) + 1;
    record.ItemId = NewProjectItemId(Records());
    FState.ProjectItemList.Insert(Records().SubtreeEnd(parent), std::move(record));
    Changed(parent);
    return true;
}

bool TProjectManager::LinkProjectFile(const std::string& fileName) { return AddProjectFile(fileName, NT::ntLink); }
bool TProjectManager::ImportProjectFile(const std::string& fileName) { return AddProjectFile(fileName, NT::ntImport); }

void TProjectManager::ActionProjectLinkFile()
{
    for (const std::string& file : FServices.Dialogs.ChooseFilesToAdd()) LinkProjectFile(file);
}

void TProjectManager::ActionProjectImportFile()
{
    for (const std::string& file : FServices.Dialogs.ChooseFilesToAdd()) ImportProjectFile(file);
}

// ---- clipboard ----

bool TProjectManager::SubtreeOpenInTab(int index) const
{
    const int end = Records().SubtreeEnd(index);
    for (int i = index; i < end; ++i)
        if (Records().NodeTypes(i) == NT::ntImport && FindProjectItemTab(Records().ItemIds(i)) != 0) return true;
    return false;
}

bool TProjectManager::CopyProjectItem(int index)
{
    if (index < 0 || index >= Records().Count() || Records().NodeTypes(index) == NT::ntTrash) return false;
    TProjectRecordList& clip = FState.ProjectClipList;
    clip.Clear();
    const int end = Records().SubtreeEnd(index);
    for (int i = index; i < end; ++i) clip.Add(Records().Items(i));
    return true;
}

bool TProjectManager::CutProjectItem(int index)
{
    if (index < 0 || index >= Records().Count() || Records().NodeTypes(index) == NT::ntTrash) return false;
    FState.ProjectClipList.Clear();
    if (SubtreeOpenInTab(index)) {
        Message(MsgCutItemOpen);
        return false;
    }
    CopyProjectItem(index);
    return DeleteProjectItem(index, true);
}

bool TProjectManager::DeleteProjectItem(int index, bool skipOpenCheck)
{
    if (index < 0 || index >= Records().Count() || Records().NodeTypes(index) == NT::ntTrash) return false;
    if (!skipOpenCheck && SubtreeOpenInTab(index)) {
        Message(MsgCutItemOpen);
        return false;
    }
    const int parent = index < FTree.Count() ? FTree.Parent(index) : -1;
    FState.ProjectItemList.Extract(index, Records().SubtreeEnd(index) - index);
    Changed(parent);
    return true;
}

std::optional<TProjectManager::TPastePlan> TProjectManager::PlanPaste(int target,
                                                                      std::span<const TProjectRecListItem> records) const
{
    const std::optional<TPastePlan> plan = PlanPlace(target, records.front());
    if (!plan) return plan;
    int deepest = 0;
    for (const TProjectRecListItem& r : plan->FirstOnly ? records.first(1) : records) deepest = std::max(deepest, r.Level);
    if (deepest + plan->LevelShift >= MaxProjectDepth) return std::nullopt;
    return plan;
}

std::optional<TProjectManager::TPastePlan> TProjectManager::PlanPlace(int target, const TProjectRecListItem& first) const
{
    const TProjectRecordList& list = Records();
    if (first.NodeType == NT::ntTrash || target < -1 || target >= list.Count()) return std::nullopt;
    if (target == -1) {
        if (first.NodeType != NT::ntBox) return std::nullopt;
        int position = 0;
        while (position < list.Count() && !(list.NodeTypes(position) == NT::ntTrash && list.Levels(position) == 0))
            ++position;
        return TPastePlan{position, -first.Level, false};
    }
    const int level = list.Levels(target);
    switch (list.NodeTypes(target)) {
    case NT::ntBox:
    case NT::ntFolder:
        if (first.NodeType == NT::ntBox) return std::nullopt;
        return TPastePlan{list.SubtreeEnd(target), level - first.Level + 1, false};
    case NT::ntLink:
    case NT::ntImport:
        if (!IsStoredOrLink(first.NodeType)) return std::nullopt;
        return TPastePlan{target + 1, level - first.Level, true};
    case NT::ntTrash:
        if (!IsStoredOrLink(first.NodeType)) return std::nullopt;
        return TPastePlan{list.SubtreeEnd(target), level + 1 - first.Level, true};
    }
    return std::nullopt;
}

int TProjectManager::InsertPlanned(const TPastePlan& plan, std::vector<TProjectRecListItem> records, bool keepIds)
{
    if (plan.FirstOnly) records.resize(1);
    const std::vector<int> ids = keepIds ? std::vector<int>() : NewProjectItemIds(Records(), static_cast<int>(records.size()));
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].Level += plan.LevelShift;
        if (!keepIds) records[i].ItemId = ids[i];
    }
    FState.ProjectItemList.InsertRange(plan.Position, std::move(records));
    return plan.Position;
}

bool TProjectManager::PasteProjectItem(int index, bool keepIds)
{
    const TProjectRecordList& clip = Clipboard();
    if (clip.Count() == 0) return false;
    const std::optional<TPastePlan> plan = PlanPaste(index, clip.Records());
    if (!plan) return false;
    Changed(InsertPlanned(*plan, clip.Records(), keepIds));
    return true;
}

// ---- drag and drop ----

bool TProjectManager::CanDragProjectItem(int source) const
{
    return source >= 0 && source < Records().Count() && Records().NodeTypes(source) != NT::ntTrash &&
           Records().Locks(source) == 0;
}

bool TProjectManager::CanDropProjectItem(int source, int target) const
{
    if (!CanDragProjectItem(source) || target < -1 || target >= Records().Count()) return false;
    if (target >= source && target < Records().SubtreeEnd(source)) return false;
    const NT s = Records().NodeTypes(source);
    const std::optional<NT> t = target < 0 ? std::nullopt : std::optional<NT>(Records().NodeTypes(target));
    if ((s == NT::ntBox) != (target == -1)) return false;
    if (s == NT::ntFolder && t && IsStoredOrLink(*t)) return false;
    if (t == NT::ntTrash && !IsStoredOrLink(s)) return false;
    const std::span<const TProjectRecListItem> subtree(Records().Records());
    return PlanPaste(target, subtree.subspan(source, Records().SubtreeEnd(source) - source)).has_value();
}

bool TProjectManager::DropProjectItem(int source, int target)
{
    if (!CanDropProjectItem(source, target)) return false;
    TProjectRecordList& list = FState.ProjectItemList;
    const int count = list.SubtreeEnd(source) - source;
    std::vector<TProjectRecListItem> moved = list.Extract(source, count);
    if (target > source) target -= count;
    const std::optional<TPastePlan> plan = PlanPaste(target, moved);
    if (!plan) {  // cannot happen after the check; put the records back whole
        list.InsertRange(source, std::move(moved));
        return false;
    }
    const int position = InsertPlanned(*plan, std::move(moved), true);
    Changed(position);
    RenameOpenItems(position);
    return true;
}

void TProjectManager::RenameOpenItems(int index)
{
    const TProjectRecordList& list = Records();
    for (int i = index, end = list.SubtreeEnd(index); i < end; ++i) {
        if (list.NodeTypes(i) != NT::ntImport) continue;
        if (const int tab = FindProjectItemTab(list.ItemIds(i))) FServices.Tabs.SetDocumentName(tab - 1, ProjectItemDocName(i));
    }
}

// ---- items and tabs ----

void TProjectManager::OpenProjectItem(int index)
{
    if (index < 0 || index >= Records().Count()) return;
    switch (Records().NodeTypes(index)) {
    case NT::ntLink: FServices.Tabs.OpenFile(WithoutLineEnds(Records().Texts(index))); break;
    case NT::ntImport: OpenProjectItemInTab(index); break;
    default: break;
    }
}

void TProjectManager::OpenProjectItemInTab(int index)
{
    if (index < 0 || index >= Records().Count() || Records().NodeTypes(index) != NT::ntImport) return;
    const TProjectRecListItem& record = Records().Items(index);
    if (const int tab = FindProjectItemTab(record.ItemId)) {
        FServices.Tabs.ActivateTab(tab - 1);
        return;
    }
    std::string caption;
    for (char c : Cp932ToUtf8(record.Name)) caption += c == '&' ? std::string("&&") : std::string(1, c);
    FServices.Tabs.OpenStoredItem(ProjectItemDocName(index), caption, record.Text, record.Ext);
}

bool TProjectManager::StoreProjectItemText()
{
    const int tab = FServices.Tabs.ActiveTab();
    if (tab < 0) return false;
    const int index = ProjectItemIndexFromDocName(FServices.Tabs.DocumentName(tab));
    if (index >= Records().Count() || Records().NodeTypes(index) != NT::ntImport) return false;
    FServices.Tabs.MarkStored(tab);
    FState.ProjectItemList.Items(index).Text = FServices.Tabs.TabText(tab);
    FState.ProjectModified = true;
    return true;
}

bool TProjectManager::ExportProjectItem(const std::string& fileName, int index)
{
    if (index < 0 || index >= Records().Count()) return false;
    return WriteTextFile(FServices.Prompter, fileName, WithLineEnds(Records().Texts(index), "\n"), 2, 2);
}

void TProjectManager::ActionProjectItemExport()
{
    const int index = FSelected;
    if (index < 0 || Records().NodeTypes(index) != NT::ntImport) return;
    std::string fileName = Caption(index);
    if (FServices.Dialogs.ChooseExportFile(fileName)) ExportProjectItem(fileName, index);
}

bool TProjectManager::ActionProjectItemProperty()
{
    const int index = FSelected;
    if (index < 0) return false;
    TProjectRecListItem& record = FState.ProjectItemList.Items(index);
    const bool open = record.NodeType == NT::ntImport && FindProjectItemTab(record.ItemId) != 0;
    TProjectPropertyForm form = MakeProjectPropertyForm(record, open);
    if (!FServices.Dialogs.EditProperties(form)) return false;
    ApplyProjectPropertyForm(form, FState.ProjectItemList.Items(index));
    FState.ProjectModified = true;
    if (FListener) FListener->ProjectNodeChanged(index);
    RenameOpenItems(index);  // a renamed box or folder is part of the names of open items below it
    return true;
}

TProjectActionStates TProjectManager::UpdateProjectActions(int index) const
{
    TProjectActionStates s;
    s.OverSave = FState.ProjectModified;
    s.ItemPaste = Clipboard().Count() > 0;
    if (index < 0 || index >= Records().Count()) {
        s.MakeBox = true;
        return s;
    }
    const NT type = Records().NodeTypes(index);
    const bool group = type == NT::ntBox || type == NT::ntFolder;
    s.MakeFolder = s.MakeFile = s.LinkFile = s.ImportFile = group;
    s.ItemCut = s.ItemCopy = s.ItemDelete = type != NT::ntTrash;
    s.ItemOpen = IsStoredOrLink(type);
    s.ItemProperty = true;
    s.ItemExport = type == NT::ntImport;
    return s;
}

void TProjectManager::SetPaneVisible(bool visible)
{
    FPaneVisible = visible;
    if (FListener) FListener->ProjectPaneVisibilityChanged(visible);
}

// ---- document names ----

std::string TProjectManager::ProjectItemPath(int index) const
{
    const TProjectRecordList& list = Records();
    std::string path = Cp932ToUtf8(list.Names(index));
    int level = list.Levels(index);
    for (int i = index - 1; i >= 0 && level > 0; --i) {
        if (list.Levels(i) != level - 1) continue;
        path = Cp932ToUtf8(list.Names(i)) + "\\" + path;
        level = list.Levels(i);
    }
    return path;
}

std::string TProjectManager::ProjectItemDocName(int index) const
{
    return qx::ProjectItemDocName(Records().ItemIds(index), ProjectItemPath(index));
}

int TProjectManager::ProjectItemIndexFromDocName(const std::string& docName) const
{
    const int id = ProjectItemIdFromDocName(docName);
    return id < 0 ? Records().Count() : IndexOfProjectItemId(id);
}

int TProjectManager::IndexOfProjectItemId(int itemId) const
{
    const int count = Records().Count();
    for (int i = 0; i < count; ++i)
        if (Records().ItemIds(i) == itemId) return i;
    return count;
}

int TProjectManager::FindProjectItemTab(int itemId) const
{
    const int tabs = FServices.Tabs.TabCount();
    for (int tab = 0; tab < tabs; ++tab)
        if (ProjectItemIdFromDocName(FServices.Tabs.DocumentName(tab)) == itemId) return tab + 1;
    return 0;
}

} // namespace qx
