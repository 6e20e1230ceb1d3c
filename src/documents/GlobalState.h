#pragma once
// The program-wide constants and the state that several modules share: the global lists, the state of
// the current document and project, and the settings mirrored from "QxEditor.ini". All of it lives in
// one object, reached through Globals(); tests make their own or reset the global one.

#include "documents/ProjectRecordList.h"
#include "documents/Settings.h"
#include "platform/ComponentRef.h"
#include "platform/StringList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TQxEditor;

inline constexpr std::string_view VersionText = "3.7.9-Jr5";
inline constexpr std::string_view FormatVersionText = "// Format Version 3.7.9-Jr5";
inline constexpr std::string_view IniFileName = "QxEditor.ini";
inline constexpr std::string_view ToolBarFileName = "QxEditor.bar";
inline constexpr std::string_view HistoryFileName = "History";
inline constexpr std::string_view FavoriteFileName = "Favorite";

// The first two lines of a project file, and the versions a reader accepts.
inline constexpr std::string_view ProjectFileHeader[] = {"// QxEditor for Windows Project", "// Version 3.6"};
inline constexpr std::string_view ProjectVersion36 = "3.6";
inline constexpr std::string_view ProjectVersion35 = "3.5";
inline constexpr std::string_view ProjectVersionPrefix = "// Version ";
inline constexpr std::string_view ProjectCommentPrefix = "//";

// The name of a project that was never saved.
inline constexpr std::string_view UntitledProjectName = "新規プロジェクト";

// The keys of a project item block.
struct TProjectItemKeys {
    std::string_view ItemHeader = "/* ProjectItem */";
    std::string_view Type = "Type=";
    std::string_view Box = "ntBox";
    std::string_view Folder = "ntFolder";
    std::string_view Link = "ntLink";
    std::string_view Import = "ntImport";
    std::string_view Trash = "ntTrash";
    std::string_view Level = "Level=";
    std::string_view Name = "Name=";
    std::string_view Comment = "Comment=";
    std::string_view Lock = "Lock=";
    std::string_view Ext = "Ext=";
    std::string_view TextBegin = "begin/*";
    std::string_view TextEnd = "*/end";
};
inline constexpr TProjectItemKeys ProjectItemKeys{};

inline constexpr int EnvironmentCount = 10;

struct TGlobalState {
    // The program folder (ending in "/"): where every settings file lives.
    std::string ProgramFolder;
    std::string ProgramFile(std::string_view name) const { return ProgramFolder + std::string(name); }

    // The global lists (CreateGlobalLists gives them their initial state).
    TStringList TabIdList;               // tab ids in page order
    TProjectRecordList ProjectItemList;  // the open project's records
    TProjectRecordList ProjectClipList;  // cut or copied project records
    TStringList RecentProjectList;       // newest first
    TStringList RecentFileList;          // newest first
    TStringList RecentDirList;           // newest first
    TStringList FavoriteList;
    // The "FileExt" patterns of editor environments 0..9: sorted, duplicates ignored, any case.
    std::array<TStringList, EnvironmentCount> EnvExtList;

    // The current document and project.
    std::string LastFileName;         // the document last opened or saved
    std::int64_t TextLengthValue = 0;  // text length of the focused editor
    // The editor that last had the focus; null once it is gone.
    TComponentRef<TQxEditor> ActiveEditor;
    // The hidden editor the quote commands run their text through, while one runs
    // (CreateScratchEditor, editor/ScratchEditor.h). Shared only so that this header needs no complete
    // TQxEditor: the state is its one owner.
    std::shared_ptr<TQxEditor> ScratchEditor;
    int TabCounter = 0;               // running number of created tabs
    std::string ProjectFileName{UntitledProjectName};
    bool ProjectModified = false;
    bool ProjectCanContinue = true;  // the last question about the modified project let the caller go on

    // The last applied "ScrollBarsType", "Caret" and "WrapStrLevel" of an editor environment.
    int EnvScrollBarsType = 0;
    int EnvCaretType = 0;
    int EnvWrapStrLevel = 0;

    // "QxEditor.ini" (the quote marks and the status-bar switches among it).
    TMainSettings Settings;

    // The dialogs' text histories, kept in "History".
    TStringList FindHistory;
    TStringList ReplaceHistory;
    TStringList GrepHistory;
    TStringList GrepFiles;

    // The command indexes of the user tool bars' buttons, left to right (99 = separator).
    std::vector<int> UserToolBar1;
    std::vector<int> UserToolBar2;
};

// Gives the lists their initial state: all empty, the file and folder lists comparing names exactly
// (file names are case-sensitive here), the extension lists sorted, ignoring duplicates and case.
void CreateGlobalLists(TGlobalState& state);
void FreeGlobalLists(TGlobalState& state);

// The program's one state object.
TGlobalState& Globals();
// Replaces it by a fresh one (for tests).
void ResetGlobals();

} // namespace qx
