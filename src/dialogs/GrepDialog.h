#pragma once
// The grep dialog without its window: the two histories and switches, the list of files a mask names,
// the run over them into a result document, and the result line's form, which the tag jump reads back.
//
// The pattern is Shift-JIS (the editor's bytes, as its history keeps them); the mask and every path
// are the file system's own bytes. A result document is Shift-JIS text, so a path goes into it
// converted to code page 932 when it comes back unchanged from that, else as it is; reading a path
// back tries the conversion first and the bytes as they are second.

#include "platform/ComponentRef.h"
#include "regexp/Grep.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TEditor;
class TPrompter;
class TStringList;
struct TGlobalState;

// ---- file masks ----------------------------------------------------------------------------------

// A file name against a mask's name part: "*" any run, "?" any one character (a double-byte one
// included); a mask ending in ".*" also takes names without that dot ("*.*" takes every name).
bool MatchesFileMask(std::string_view Name, std::string_view Mask);

// Adds the files of the mask's folder whose names match its name part, each as folder + "/" + name,
// in the order of their names (a relative folder taken from the working folder). Links to files count
// as files; folders, links to folders and anything that is no regular file are left out.
void AddFilesInDir(const std::string& Mask, std::vector<std::string>& Files);
// The same, then, when SubDirs is set, the same name part in every subfolder, depth first, the files
// of a folder before those of its subfolders. A link to a folder is never followed.
void AddFilesRecursive(const std::string& Mask, bool SubDirs, std::vector<std::string>& Files);

// ---- the result document -------------------------------------------------------------------------

// The name and tab caption of a result document: Grep "pattern" (the pattern shown as UTF-8).
std::string GrepDocumentName(std::string_view SjisPattern);
// One result line: full path + "(" + line number + ") :" + the line's text.
std::string GrepResultLine(std::string_view Path, int LineNo, std::string_view Text);
// A path as a result document holds it, and back (Exists tells which reading names a file).
std::string PathToDocumentText(std::string_view Path);
std::string DocumentTextToPath(std::string_view Sjis, const std::function<bool(const std::string&)>& Exists);

// The file and line a tag jump goes to, read from a result line: the first ") :" whose bracket holds
// only digits ends the line number, and the text before that bracket is the file name. Nothing when
// no such place exists or the name is empty; a line number of 0 reads as 1.
struct TTagJumpTarget {
    std::string FileName;  // as the document holds it (Shift-JIS)
    int Line = 1;          // 1-based
};
std::optional<TTagJumpTarget> ParseTagJumpLine(std::string_view Line);

// ---- the dialog ----------------------------------------------------------------------------------

// What the dialog needs of the main window.
class TGrepHost {
public:
    virtual ~TGrepHost() = default;
    // A document for the results: the current tab when it is untitled and untouched, else a new one;
    // its name and tab caption set to Name. Null when none could be made.
    virtual TEditor* NewResultDocument(const std::string& Name) = 0;
    // The result document is complete: its tab state is refreshed.
    virtual void ResultDocumentDone(TEditor& Editor) = 0;
    virtual TPrompter& Prompter() = 0;
    virtual void Beep() = 0;
    // Runs the application's pending work (repaints, the cancel button) while grep runs.
    virtual void ProcessMessages() = 0;
};

inline constexpr const char* GrepCaption = "Grepの実行";
inline constexpr const char* GrepCloseCaption = "閉じる";
inline constexpr const char* GrepCancelCaption = "CANCEL";

class TGrepDialogModel {
public:
    TGrepDialogModel(TGlobalState& State, TGrepHost& Host);
    ~TGrepDialogModel();

    // The controls.
    std::string Pattern;  // ComboBox1, Shift-JIS
    std::string Mask;     // ComboBox2, file system bytes
    bool Fuzzy = false;   // CheckBoxFuzzy
    bool SubDir = false;  // CheckBoxSubDir

    // The form's state the window shows: caption, the cancel button's caption, whether the fields,
    // buttons and check boxes take input. OnStateChange tells the window when it changed.
    const std::string& Caption() const { return FCaption; }
    const char* CancelButtonCaption() const { return FRunning ? GrepCancelCaption : GrepCloseCaption; }
    bool Running() const { return FRunning; }
    std::function<void()> OnStateChange;

    const TStringList& PatternHistory() const;
    const TStringList& MaskHistory() const;
    const std::vector<std::string>& Files() const { return FFiles; }
    TGrep& Grep() { return *FGrep; }

    // The show handler: settings and histories loaded; the pattern is the selection when there is one
    // (Shift-JIS), else the newest history entry; the mask the newest mask entry.
    void FormShow(const std::string& Selection);
    // The folder button's and the file button's choices.
    void FolderChosen(const std::string& Folder);
    void FileChosen(const std::string& FileName);
    // OK: the histories, the file list, and the run. True when the dialog is to close (the run ended,
    // however), false when it stays (no file, a pattern that does not compile).
    bool OKButtonClick();
    // The cancel button: while grep runs it asks the run to stop (false: the dialog stays until the run
    // ends); otherwise true: close.
    bool CancelButtonClick();
    // The form is closing: a running grep is cancelled.
    void FormClose();

private:
    void SaveGrepHistory();
    void BeginGrep(TEditor& Result);
    void EndGrep();
    void Run();
    void Match(const RE_LineInfo_t& Info);
    void Poll();
    void Flush();
    void SetCaption(std::string Caption);

    TGlobalState& FState;
    TGrepHost& FHost;
    std::unique_ptr<TGrep> FGrep;
    std::vector<std::string> FFiles;
    bool FRunning = false;
    std::string FCaption = GrepCaption;
    TComponentRef<TEditor> FResult;
    std::string FCurrentFile;  // as the result lines name it
    std::string FPending;      // result lines not yet in the document
    std::chrono::steady_clock::time_point FLastFlush{};
};

} // namespace qx
