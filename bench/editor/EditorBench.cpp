// Benchmark driver for the row store, run by bench/bench-editor.sh:
//   qx_editor_bench generate FILE MEGABYTES [prose]
//                                              writes a Shift-JIS text of about that size (CR LF lines):
//                                              random characters and words, or manual-page prose
//   qx_editor_bench load FILE [WRAP[r]]        loads FILE (wrapped at WRAP columns when given) and exits
//   qx_editor_bench insert FILE [WRAP[r]] [N]  loads FILE, then types N characters at the start, the
//                                              middle and the end; prints latency percentiles
//   qx_editor_bench open FILE [WRAP[r]]        opens FILE as a document, as the editor does: read in
//                                              pieces, the code detected on the first ones, each piece
//                                              converted to Shift-JIS and laid out into the rows
// A WRAP with an "r" (80r) wraps by the line-break rules of the editor's default environment (words
// kept whole, punctuation hanging past the column, a line end kept on a full row); without, by none.
//   qx_editor_bench save FILE CODE OUT         opens FILE, then saves it to OUT in CODE (0 JIS .. 5 UTF-8)
//   qx_editor_bench rounds FILE COUNT ROUNDS   opens COUNT documents of FILE and closes them all, ROUNDS
//                                              times; prints the resident memory after each
// "open FILE WRAP huge" opens with the advice to back the rows' large regions with huge pages.
// The load is timed from outside (wall time, peak memory) so that it compares with another program.

#include "../common/ShapedText.h"
#include "documents/DocumentCodec.h"
#include "documents/DocumentCodes.h"
#include "documents/DocumentFiles.h"
#include "documents/EditorEnvironment.h"
#include "editor/ApplyEnvironment.h"
#include "editor/EditorFountain.h"
#include "editor/EditorScreen.h"
#include "editor/EditorScreenStrings.h"
#include "editor/EditorStrings.h"
#include "editor/RowTextArena.h"
#include "platform/FileBytes.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

using namespace qx;

namespace {

// A view without a window: a screen of 50 rows from row Top, the default editor fountain; the caret is
// not followed and repaint requests are dropped.
class HeadlessView : public TEditorView {
public:
    explicit HeadlessView(TEditorScreenStrings& Rows) : FRows(Rows) {}
    std::unique_ptr<TEditorFountain> Fountain = Construct<TEditorFountain>(nullptr);
    int Top = 0;

    TEditorScreenStrings& ScreenStrings() override { return FRows; }
    int Row() const override { return Top; }
    int Col() const override { return 1; }
    void SetRow(int) override {}
    void SetRowCol(int, int) override {}
    void CaretToOffset(int, std::int64_t) override {}
    int TopRow() const override { return Top; }
    void SetTopRow(int Row) override { Top = Row; }
    int VisibleRows() const override { return 50; }
    bool Focused() const override { return true; }
    void CleanSelection() override {}
    void TextChanged(TEditorScreenStrings& Rows) override { FScreen.Update(Rows); }
    void InvalidateRow(int) override {}
    void RefreshView() override {}
    void InvalidateRows(int, int) override {}
    void InvalidateTextArea() override {}
    void ScrollTextRows(int, int) override {}
    void ScrollImagebarRows(int, int) override {}
    void InvalidateLeftbarRows(int, int) override {}
    TFountain* ActiveFountain() const override { return Fountain.get(); }

private:
    TEditorScreenStrings& FRows;
    TEditorScreen FScreen{*this};
};

struct Text {
    std::shared_ptr<TEditorScreenStrings> rows = Construct<TEditorScreenStrings>();
    HeadlessView view{*rows};
    TEditorStrings lines{view};
    Text() { rows->AddView(&view); }
    ~Text() { rows->RemoveView(&view); }
};

int Generate(const std::string& File, long Megabytes)
{
    std::mt19937 rng(20240601);
    std::ofstream out(File, std::ios::binary);
    if (!out) {
        std::cerr << "cannot write " << File << "\n";
        return 1;
    }
    const long target = Megabytes * 1000 * 1000;
    const char* words[] = {"the", "editor", "row", "wrap", "Shift_JIS", "0123", "line", "text", "(x)", "a+b"};
    std::string line;
    long written = 0;
    while (written < target) {
        line.clear();
        const int length = std::uniform_int_distribution<int>(0, 96)(rng);
        while (static_cast<int>(line.size()) < length) {
            const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
            if (kind < 3) {  // hiragana
                line += '\x82';
                line += static_cast<char>(std::uniform_int_distribution<int>(0x9F, 0xF1)(rng));
            } else if (kind < 5) {  // kanji of the first level
                line += static_cast<char>(std::uniform_int_distribution<int>(0x89, 0x97)(rng));
                line += static_cast<char>(std::uniform_int_distribution<int>(0x40, 0x7E)(rng));
            } else if (kind == 5) {  // katakana
                line += '\x83';
                line += static_cast<char>(std::uniform_int_distribution<int>(0x40, 0x7E)(rng));
            } else if (kind == 6) {  // punctuation that the line-break rules look at
                line += rng() % 2 ? "\x81\x41" : "\x81\x42";
            } else {
                line += words[std::uniform_int_distribution<int>(0, 9)(rng)];
                line += ' ';
            }
        }
        line += "\r\n";
        out << line;
        written += static_cast<long>(line.size());
    }
    return out ? 0 : 1;
}

// The wrap of a WRAP argument: a column (0: none), and whether the environment's rules apply.
struct Wrap {
    int Column = 0;
    bool Rules = false;
};

Wrap ParseWrap(const char* Arg)
{
    const std::string a = Arg ? Arg : "0";
    return {std::atoi(a.c_str()), !a.empty() && a.back() == 'r'};
}

void SetWrap(Text& T, Wrap W)
{
    if (W.Column <= 0) return;
    if (W.Rules) ApplyWrapRules(TEditorEnvironment{}, T.rows->WrapOption());
    T.rows->WrapOption().SetWrapByte(W.Column);
    T.rows->SetWordWrap(true);
}

void Load(Text& T, const std::string& File, Wrap W)
{
    SetWrap(T, W);
    T.lines.LoadFromFile(File);
}

// The open road of a document: the file read and decoded piece by piece into rows laid out apart, which
// then become the text.
class NoPrompter : public TPrompter {
public:
    int Show(const TPromptRequest&) override { return mr::No; }  // undecided kana: Shift-JIS
    bool InputQuery(const std::string&, const std::string&, std::string&) override { return false; }
};

int OpenDocument(Text& T, const std::string& File, Wrap W)
{
    SetWrap(T, W);
    class Rows : public TTextSink {
    public:
        explicit Rows(TEditorStrings& Lines) : Loader(Lines) {}
        void Append(std::string_view Piece) override { Loader.Append(Piece); }
        void Restart() override { Loader.Restart(); }
        TEditorStrings::TLoader Loader;
    };
    NoPrompter prompter;
    Rows rows(T.lines);
    const TDecodedDocument decoded = LoadDocumentFile(File, ocAuto, prompter, rows);
    if (decoded.Status != TLoadStatus::Loaded) return 1;
    rows.Loader.Finish();
    return decoded.CharType;
}

double ThreadCpuMicros()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// One typed character at (Row, byte column Col), as the control replaces the rows it touches.
void TypeAt(TEditorScreenStrings& Rows, int Row, int Col)
{
    const int from = std::max(Rows.LineStartRow(Row), Row - 1);
    TRowsText run = Rows.GetRowsText(from, Row - from + 1);
    const std::size_t offset = static_cast<std::size_t>(Rows.CharIndexOfRow(Row) - Rows.CharIndexOfRow(from) + Col);
    run.Text.insert(std::min(offset, run.Text.size()), "x");
    Rows.UpdateText(from, run.Rows, run.Text);
}

int Insert(const std::string& File, Wrap W, int Count)
{
    Text t;
    Load(t, File, W);
    TEditorScreenStrings& rows = *t.rows;
    rows.TextLength();  // the editor asks for the length and the line count right after loading
    // Wall time, and the time the thread was on a processor (a busy machine's preemptions left out).
    std::printf("%-8s %10s %10s %10s %10s %10s %10s\n", "where", "p50 us", "p99 us", "max us", "cpu p50", "cpu p99",
                "cpu max");
    for (const char* where : {"start", "middle", "end"}) {
        const std::string w = where;
        int row = w == "start" ? 0 : (w == "middle" ? rows.Count() / 2 : rows.Count() - 1);
        // The view shows the caret: its rows are lexed, as painting them would.
        t.view.Top = std::max(0, row - 10);
        rows.RowAttributeData(std::min(rows.Count() - 1, row + 50));
        std::vector<double> micros, cpuMicros;
        micros.reserve(static_cast<std::size_t>(Count));
        cpuMicros.reserve(static_cast<std::size_t>(Count));
        for (int i = 0; i < Count; ++i) {
            // The caret after the typed text: at its column on the start row, at the end of the text.
            const int col = w == "end" ? static_cast<int>(rows.Get(rows.Count() - 1).size()) : i;
            if (w == "end") row = rows.Count() - 1;
            const double cpuBegin = ThreadCpuMicros();
            const auto begin = std::chrono::steady_clock::now();
            TypeAt(rows, row, col);
            const int line = rows.RowToLine(row);  // the status bar asks for the line after each edit
            const auto end = std::chrono::steady_clock::now();
            if (line < 0) return 1;
            micros.push_back(std::chrono::duration<double, std::micro>(end - begin).count());
            cpuMicros.push_back(ThreadCpuMicros() - cpuBegin);
            if (w != "end") {
                // Stay on the row that holds the caret's line start.
                row = rows.LineStartRow(std::min(row, rows.Count() - 1));
            }
        }
        std::sort(micros.begin(), micros.end());
        std::sort(cpuMicros.begin(), cpuMicros.end());
        const auto at = [](const std::vector<double>& v, double q) { return v[static_cast<std::size_t>(q * (v.size() - 1))]; };
        std::printf("%-8s %10.1f %10.1f %10.1f %10.1f %10.1f %10.1f\n", where, at(micros, 0.5), at(micros, 0.99),
                    micros.back(), at(cpuMicros, 0.5), at(cpuMicros, 0.99), cpuMicros.back());
    }
    return 0;
}

// The resident memory of the process, in MB.
double ResidentMb()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// Rounds of opening Count documents of File and closing them all, as a window's tabs: the resident
// memory after each opening and each closing.
int Rounds(const std::string& File, int Count, int Rounds)
{
    std::printf("%-6s %12s %12s\n", "round", "open MB", "closed MB");
    for (int round = 1; round <= Rounds; ++round) {
        std::vector<std::unique_ptr<Text>> texts;
        for (int i = 0; i < Count; ++i) {
            texts.push_back(std::make_unique<Text>());
            if (OpenDocument(*texts.back(), File, {}) < 0) return 1;
            texts.back()->rows->TextLength();
        }
        const double open = ResidentMb();
        texts.clear();
        std::printf("%-6d %12.1f %12.1f\n", round, open, ResidentMb());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: qx_editor_bench generate FILE MB | load FILE [WRAP[r]] | insert FILE [WRAP[r]] [N] | open FILE [WRAP[r]] "
                     "| save FILE CODE OUT | rounds FILE COUNT ROUNDS\n";
        return 2;
    }
    const std::string command = argv[1], file = argv[2];
    const Wrap wrap = ParseWrap(argc > 3 ? argv[3] : nullptr);
    try {
        if (command == "generate" && argc > 4 && std::string(argv[4]) == "prose") {
            const std::string text = bench::MakeProse(static_cast<std::size_t>(std::atol(argv[3])) * 1000 * 1000);
            std::ofstream out(file, std::ios::binary);
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            return out ? 0 : 1;
        }
        if (command == "generate") return Generate(file, argc > 3 ? std::atol(argv[3]) : 100);
        if (command == "load") {
            Text t;
            Load(t, file, wrap);
            std::printf("%d rows, %d lines, %lld characters\n", t.rows->Count(), t.lines.Count(),
                        static_cast<long long>(t.rows->TextLength()));
            // Leave the memory to the system, as an editor that quits does.
            std::fflush(stdout);
            std::_Exit(0);
        }
        if (command == "open") {
            // "huge" after the wrap: the rows' large regions with the advice to use huge pages.
            TTextArena::HugePages = argc > 4 && std::string(argv[4]) == "huge";
            Text t;
            const int code = OpenDocument(t, file, wrap);
            std::printf("code %d, %d rows, %lld characters\n", code, t.rows->Count(),
                        static_cast<long long>(t.rows->TextLength()));
            std::fflush(stdout);
            std::_Exit(0);
        }
        if (command == "save" && argc > 4) {
            Text t;
            OpenDocument(t, file, {});
            // The rows streamed to the file as the save road does: read in pieces, encoded and written.
            const auto begin = std::chrono::steady_clock::now();
            WriteFileBytesSafely(argv[4], [&](const TBytePut& Put) {
                EncodeDocument([&](const TBytePut& Text) { t.rows->SaveText(Text); }, std::atoi(argv[3]), sfrtCRLF, Put);
            });
            const auto end = std::chrono::steady_clock::now();
            std::printf("%.3f\n", std::chrono::duration<double>(end - begin).count());
            std::fflush(stdout);
            std::_Exit(0);
        }
        if (command == "rounds" && argc > 4) return Rounds(file, std::atoi(argv[3]), std::atoi(argv[4]));
        if (command == "insert") return Insert(file, wrap, argc > 4 ? std::atoi(argv[4]) : 2000);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    std::cerr << "unknown command " << command << "\n";
    return 2;
}
