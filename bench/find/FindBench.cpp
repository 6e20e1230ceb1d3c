// Benchmark driver for replace-all and for grep run from its dialog, run by bench/bench-find.sh:
//   qx_find_bench replace FILE FIND REPLACE   loads FILE (Shift-JIS) into an editor on a counting window
//                                             and replaces every FIND by REPLACE as the replace command
//                                             does; prints "replace <ms> <hits> <undo steps> <repaints>
//                                             <undo ms> <redo ms> <1 when the text after the undo is the
//                                             file's bytes>"
//   qx_find_bench grep MASK PATTERN           the engine alone over the files of MASK with its subfolders,
//                                             then the grep dialog's run over them into a result document;
//                                             prints "engine <ms> <lines>", "dialog <ms> <lines> <longest
//                                             gap between polls ms>" and "settings <ms>" (the part of the
//                                             dialog's time that stores its settings)

#include "dialogs/GrepDialog.h"
#include "documents/DocumentCodec.h"
#include "documents/DocumentCodes.h"
#include "documents/GlobalState.h"
#include "documents/MainSettings.h"
#include "editor/EditorControl.h"
#include "editor/EditorViewport.h"
#include "mainwindow/commands/SearchCommands.h"
#include "platform/Prompter.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

using namespace qx;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::time_point From, Clock::time_point To) { return std::chrono::duration<double, std::milli>(To - From).count(); }

// A window that counts the repaints it is asked for.
class CountingViewport : public TEditorViewport {
public:
    int Repaints = 0;
    int ClientWidth() const override { return 800; }
    int ClientHeight() const override { return 600; }
    bool Focused() const override { return true; }
    void SetFocus() override {}
    void Invalidate(const TRect&) override { ++Repaints; }
    void Update() override {}
    void ScrollRect(int, int, const TRect&) override { ++Repaints; }
    void ShowScrollBar(TScrollBarKind, bool) override {}
    void SetScrollBar(TScrollBarKind, int, int, int, int) override {}
    void SetScrollPos(TScrollBarKind, int) override {}
    void SetCursor(int) override {}
    void SetCaret(const TRect&, bool) override {}
    void SetImeCursor(const TRect&) override {}
    TFontMetrics MeasureFont(const TFontSpec&) override { return {16, 0, 8}; }
};

class QuietPrompter : public TPrompter {
public:
    int Show(const TPromptRequest&) override { return mr::Ok; }
    bool InputQuery(const std::string&, const std::string&, std::string&) override { return false; }
};

class BenchSearchHost : public TSearchHost {
public:
    TEditor* Editor = nullptr;
    std::string Find, Replace;
    QuietPrompter Prompts;
    TEditor* FocusedEditor() override { return Editor; }
    TEditor* CurrentEditor() override { return Editor; }
    TPrompter& Prompter() override { return Prompts; }
    void Beep() override {}
    void StopKeyMacro() override {}
    int RunFindDialog(TFindDialogModel&) override { return mr::Cancel; }
    void RunGrepDialog() override {}
    int RunReplaceDialog(TFindDialogModel& D) override
    {
        D.FormShow(nullptr);
        D.Controls = {};
        D.Controls.FindText = Find;
        D.Controls.ReplaceText = Replace;
        D.Controls.MatchCase = true;
        D.Controls.Direction = sdWholeText;
        D.Controls.ReplaceConfirm = false;
        D.AllReplaceButtonClick();
        return mr::All;
    }
    void CaretScreenPos(TEditor&, int& X, int& Y) override { X = Y = 0; }
    int ScreenWidth() override { return 1920; }
    void MessageBoxSize(const TPromptRequest&, int& W, int& H) override { W = H = 100; }
    TEditor* OpenFileForTagJump(const std::string&) override { return nullptr; }
};

// Whether the editor's text, as a save in Shift-JIS with CR LF writes it, is the file's bytes: both read
// in pieces, neither held whole.
bool SameAsFile(TEditor& Editor, const char* File)
{
    std::FILE* file = std::fopen(File, "rb");
    if (!file) return false;
    bool same = true;
    std::string read;
    EncodeDocument([&](const TBytePut& Put) { Editor.SharedList()->SaveText(Put); }, sfctSJIS, sfrtCRLF,
                   [&](std::string_view Piece) {
                       read.resize(Piece.size());
                       same = same && std::fread(read.data(), 1, Piece.size(), file) == Piece.size() && read == Piece;
                   });
    same = same && std::fgetc(file) == EOF;
    std::fclose(file);
    return same;
}

int Replace(const char* File, const std::string& Find, const std::string& Replacement)
{
    TGlobalState state;
    state.ProgramFolder = (std::filesystem::temp_directory_path() / "qx_find_bench_").string();
    CreateGlobalLists(state);
    auto editor = Construct<TEditor>();
    CountingViewport viewport;
    editor->SetViewport(&viewport);
    editor->Lines().LoadFromFile(File);
    BenchSearchHost host;
    host.Editor = editor.get();
    host.Find = Find;
    host.Replace = Replacement;
    TSearchCommands commands(state, host);
    viewport.Repaints = 0;
    const auto begin = Clock::now();
    const int hits = commands.Replace1Click();
    const auto end = Clock::now();
    const int repaints = viewport.Repaints;
    // Undo and redo of the replace, and the text after the undo against the file, byte for byte.
    const auto undoBegin = Clock::now();
    editor->Undo();
    const auto undoEnd = Clock::now();
    const bool same = SameAsFile(*editor, File);
    const auto redoBegin = Clock::now();
    editor->Redo();
    const auto redoEnd = Clock::now();
    int undo = 0;
    while (editor->CanUndo() && undo < 10) {
        editor->Undo();
        ++undo;
    }
    std::printf("replace %.1f %d %d %d %.1f %.1f %d\n", Ms(begin, end), hits, undo, repaints, Ms(undoBegin, undoEnd),
                Ms(redoBegin, redoEnd), same ? 1 : 0);
    editor->SetViewport(nullptr);
    return 0;
}

class BenchGrepHost : public TGrepHost {
public:
    std::unique_ptr<TEditor> Result = Construct<TEditor>();
    QuietPrompter Prompts;
    Clock::time_point LastPoll = Clock::now();
    double LongestGap = 0;
    TEditor* NewResultDocument(const std::string&) override { return Result.get(); }
    void ResultDocumentDone(TEditor&) override {}
    TPrompter& Prompter() override { return Prompts; }
    void Beep() override {}
    void ProcessMessages() override
    {
        const auto now = Clock::now();
        LongestGap = std::max(LongestGap, Ms(LastPoll, now));
        LastPoll = now;
    }
};

int Grep(const std::string& Mask, const std::string& Pattern)
{
    TGlobalState state;
    state.ProgramFolder = (std::filesystem::temp_directory_path() / "qx_find_bench_").string();
    CreateGlobalLists(state);

    // The engine alone over the files the dialog lists, its lines counted only.
    std::vector<std::string> files;
    auto begin = Clock::now();
    AddFilesRecursive(Mask, true, files);
    std::printf("listing %.1f\n", Ms(begin, Clock::now()));
    auto grep = Construct<TGrep>();
    int lines = 0;
    grep->OnMatch = [&](TObject*, const RE_LineInfo_t&) { ++lines; };
    begin = Clock::now();
    grep->SetRegExp(Pattern);
    for (const std::string& f : files) grep->Grep(f);
    auto end = Clock::now();
    std::printf("engine %.1f %d\n", Ms(begin, end), lines);

    // The dialog's OK, which stores the settings, lists the files and runs into a result document.
    BenchGrepHost host;
    TGrepDialogModel dialog(state, host);
    dialog.FormShow("");
    dialog.Pattern = Pattern;
    dialog.Mask = Mask;
    dialog.SubDir = true;
    begin = Clock::now();
    host.LastPoll = begin;
    dialog.OKButtonClick();
    host.ProcessMessages();  // the stretch up to the end counts too
    end = Clock::now();
    std::printf("dialog %.1f %d %.1f\n", Ms(begin, end), host.Result->Lines().Count(), host.LongestGap);

    // Of that, storing the settings (two safe writes, each flushed to the disk).
    begin = Clock::now();
    SaveGrepSettings(state);
    end = Clock::now();
    std::printf("settings %.1f\n", Ms(begin, end));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "replace" && argc == 5) return Replace(argv[2], argv[3], argv[4]);
        if (mode == "grep" && argc == 4) return Grep(argv[2], argv[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: qx_find_bench replace FILE FIND REPLACE | grep MASK PATTERN\n");
    return 2;
}
