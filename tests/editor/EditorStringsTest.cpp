#include "editor/EditorStrings.h"

#include "FakeEditorView.h"
#include "platform/Exception.h"
#include "support/Fifo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <fcntl.h>

#include <unistd.h>

using namespace qx;

namespace {

struct Editor : qx::test::ViewedText {
    std::vector<std::string> Rows() const { return qx::test::DumpRows(*rows); }
};

// A file in a fresh temporary folder, removed with the object.
struct TempFile {
    std::filesystem::path dir;
    std::string path;
    explicit TempFile(const std::string& bytes)
    {
        dir = std::filesystem::temp_directory_path() /
              ("qx-lines-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(dir);
        path = (dir / "text.txt").string();
        std::ofstream(path, std::ios::binary) << bytes;
    }
    ~TempFile() { std::filesystem::remove_all(dir); }
    static inline int counter = 0;
};

using Rows = std::vector<std::string>;

} // namespace

TEST(TEditorStrings, LinesJoinWrappedRows)
{
    Editor e;
    e.rows->WrapOption().SetWrapByte(20);
    e.rows->SetWordWrap(true);
    e.lines.SetText(std::string(50, 'x') + "\r\nend");
    EXPECT_EQ(e.rows->Count(), 4);
    EXPECT_EQ(e.lines.Count(), 2);
    EXPECT_EQ(e.lines.Get(0), std::string(50, 'x'));
    EXPECT_EQ(e.lines.Get(1), "end");
    EXPECT_THROW(e.lines.Get(2), EListError);
    EXPECT_EQ(e.lines.Text(), std::string(50, 'x') + "\r\nend\r\n");

    // Put replaces the whole line, keeps its line end and puts the caret after the new text.
    e.lines.Put(0, "short");
    EXPECT_EQ(e.Rows(), (Rows{"short|0", "end|2"}));
    EXPECT_EQ(e.view.Calls.back(), "CaretToOffset 0 7");
    e.lines.Delete(0);
    EXPECT_EQ(e.Rows(), (Rows{"end|2"}));
    EXPECT_EQ(e.view.CaretRow, 0);
}

TEST(TEditorStrings, AddInsertAndDeleteWorkOnWholeLines)
{
    Editor e;
    EXPECT_EQ(e.lines.Add("one"), 0);
    EXPECT_EQ(e.Rows(), (Rows{"one|0"}));
    EXPECT_EQ(e.view.Calls.back(), "CaretToOffset 0 5");
    e.lines.SetText("a\r\nb");
    // The last line has no line end: Add gives it one first.
    EXPECT_EQ(e.lines.Add("c"), 2);
    EXPECT_EQ(e.Rows(), (Rows{"a|0", "b|0", "c|2"}));
    EXPECT_EQ(e.view.Calls.back(), "CaretToOffset 1 4");
    e.lines.Insert(1, "x");
    EXPECT_EQ(e.Rows(), (Rows{"a|0", "x|0", "b|0", "c|2"}));
    EXPECT_EQ(e.view.Calls.back(), "CaretToOffset 1 3");
    // Inserting at the line count adds.
    e.lines.Insert(4, "d");
    EXPECT_EQ(e.Rows(), (Rows{"a|0", "x|0", "b|0", "c|0", "d|2"}));
    e.lines.Delete(4);
    e.lines.Delete(0);
    EXPECT_EQ(e.Rows(), (Rows{"x|0", "b|0", "c|0"}));
    EXPECT_EQ(e.lines.Count(), 3);
    EXPECT_THROW(e.lines.Delete(3), EListError);
    EXPECT_THROW(e.lines.Insert(5, "y"), EListError);
    EXPECT_THROW(e.lines.Put(-1, "y"), EListError);
    // Every edit cleaned the selection and can be undone.
    EXPECT_GE(e.view.Cleanings, 6);
    e.rows->Undo();
    EXPECT_EQ(e.Rows(), (Rows{"a|0", "x|0", "b|0", "c|0"}));
}

TEST(TEditorStrings, SetTextAssignAndUpdates)
{
    Editor e;
    e.lines.SetText("a\rb\nc\r\n");
    EXPECT_EQ(e.Rows(), (Rows{"a|0", "b|0", "c|0"}));
    e.lines.SetText("");
    EXPECT_EQ(e.rows->Count(), 0);
    TStringList source;
    source.Add("p");
    source.Add("q");
    e.lines.Assign(source);
    EXPECT_EQ(e.Rows(), (Rows{"p|0", "q|0"}));
    EXPECT_EQ(e.view.CaretRow, 2);
    TStringList target;
    e.lines.AssignTo(target);
    EXPECT_EQ(target.Text(), "p\r\nq\r\n");

    e.view.Ranges.clear();
    e.view.Refreshes = 0;
    e.lines.BeginUpdate();
    e.lines.Add("r");
    e.lines.Add("s");
    e.lines.EndUpdate();
    EXPECT_EQ(e.view.Ranges.size(), 1u);  // one change notice for the batch
    EXPECT_EQ(e.view.Refreshes, 1);
    EXPECT_EQ(e.lines.Count(), 4);
}

TEST(TEditorStrings, LoadFromFileSplitsLinesLikeTheFileSays)
{
    const std::string chunkEnd = std::string(8191, 'x') + "\r";  // a CR at the end of the first 8 KB
    struct Case {
        const char* name;
        std::string bytes;
        Rows rows;
    };
    const Case cases[] = {
        {"last line without a line end", "a\r\nb", {"a|0", "b|2"}},
        {"last line with a line end", "a\r\nb\r\n", {"a|0", "b|0"}},
        {"CR, LF and CR LF", "a\rb\nc\r\n\r\nd", {"a|0", "b|0", "c|0", "|0", "d|2"}},
        {"Ctrl-Z ends the text", "a\r\nb\x1A" "c\r\nd", {"a|0", "b|2"}},
        {"Ctrl-Z after a line end", "a\r\n\x1A" "b", {"a|0"}},
        {"Ctrl-Z past the first 16 bytes", std::string(40, 'a') + "\r\nb\x1A" "\r\nc", {std::string(40, 'a') + "|0", "b|2"}},
        {"Ctrl-Z in the second chunk", chunkEnd + "\nab\x1A" "cd\r\n", {std::string(8191, 'x') + "|0", "ab|2"}},
        {"NUL does not cut the text", std::string("a\0b\r\nc", 6), {std::string("a\0b|0", 5), "c|2"}},
        {"empty file", "", {}},
        {"CR LF across the chunk boundary", chunkEnd + "\ny", {std::string(8191, 'x') + "|0", "y|2"}},
        {"CR at the boundary, then CR", chunkEnd + "\ry", {std::string(8191, 'x') + "|0", "|0", "y|2"}},
        {"a line across the boundary", std::string(10000, 'z') + "\r\n", {std::string(10000, 'z') + "|0"}},
    };
    for (const Case& c : cases) {
        TempFile file(c.bytes);
        Editor e;
        e.lines.SetText("old");
        e.rows->UpdateText(0, 1, "older");
        e.lines.LoadFromFile(file.path);
        EXPECT_EQ(e.Rows(), c.rows) << c.name;
        EXPECT_FALSE(e.rows->UndoObj().CanUndo()) << c.name;
    }
}

TEST(TEditorStrings, LoadFromFileReadsARandomTextLikeSetText)
{
    // Line ends at every offset of the chunks and across their boundaries, lines of every length: the
    // file must give the rows that the same text set directly gives.
    std::mt19937 rng(11);
    std::string text;
    while (text.size() < 40000) {
        const int kind = std::uniform_int_distribution<int>(0, 999)(rng);
        if (kind < 100) text += "\r";
        else if (kind < 200) text += "\n";
        else if (kind < 300) text += "\r\n";
        else if (kind == 300) text += std::string(std::uniform_int_distribution<std::size_t>(60, 9000)(rng), 'L');
        else text += static_cast<char>('a' + kind % 26);
    }
    TempFile file(text);
    Editor fromFile, direct;
    fromFile.lines.LoadFromFile(file.path);
    direct.lines.SetText(text);
    EXPECT_GT(fromFile.rows->Count(), 1000);
    EXPECT_EQ(fromFile.Rows(), direct.Rows());
}

TEST(TEditorStrings, LoadFromFileWrapsWhenWordWrapIsOn)
{
    TempFile file(std::string(30, 'w') + "\r\nshort\r\n");
    Editor e;
    e.rows->WrapOption().SetWrapByte(20);
    e.rows->SetWordWrap(true);
    e.lines.LoadFromFile(file.path);
    EXPECT_EQ(e.Rows(), (Rows{std::string(20, 'w') + "|1", std::string(10, 'w') + "|0", "short|0"}));
    EXPECT_EQ(e.lines.Count(), 2);
}

TEST(TEditorStrings, AFileThatCannotBeReadChangesNothing)
{
    Editor e;
    e.lines.SetText("keep\r\nme");
    e.rows->UpdateText(0, 1, "kept\r\n");
    TempFile file("x");
    EXPECT_THROW(e.lines.LoadFromFile((file.dir / "missing.txt").string()), EFOpenError);
    EXPECT_EQ(e.Rows(), (Rows{"kept|0", "me|2"}));

    // Nothing but a regular file is read: a pipe would be read once and then come out empty (one
    // without a writer blocks the open), /dev/zero never ends, a folder holds no text.
    const std::string pipe = (file.dir / "pipe").string();
    qx::test::MakeFifo(pipe);
    const std::string zeroLink = (file.dir / "zero").string();
    ASSERT_EQ(::symlink("/dev/zero", zeroLink.c_str()), 0);
    for (const std::string& path : {pipe, std::string("/dev/zero"), zeroLink, file.dir.string()}) {
        SCOPED_TRACE(path);
        qx::test::FifoWatchdog watchdog(pipe);
        EXPECT_THROW(e.lines.LoadFromFile(path), EFOpenError);
        EXPECT_FALSE(watchdog.Stop()) << "waited on the pipe";
    }
    // A pipe with a writer and text in it: the writer ends after a while.
    const int writer = ::open(pipe.c_str(), O_RDWR);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "piped\r\n", 7), 7);
    std::thread closer([writer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::close(writer);
    });
    EXPECT_THROW(e.lines.LoadFromFile(pipe), EFOpenError);
    closer.join();
    EXPECT_EQ(e.Rows(), (Rows{"kept|0", "me|2"}));
    EXPECT_TRUE(e.rows->UndoObj().CanUndo());
    EXPECT_EQ(e.lines.UpdateCount(), 0);
}

// The rows a text's lines give, cut by the rules in force, worked out without the loader: each line of
// ForEachLine wrapped by WrapLine, the last row marked when the text has no final line end.
std::vector<std::string> ExpectedRows(const TEditorScreenStrings& Store, std::string_view Text)
{
    std::vector<std::string> rows;
    ForEachLine(Text, [&](std::string_view line) {
        WrapLine(line, Store.WrapRules(), [&](std::size_t offset, std::size_t length, int attribute) {
            rows.push_back(std::string(line.substr(offset, length)) + "|" + std::to_string(attribute));
        });
    });
    if (!Text.empty() && !EndsWithLineEnd(Text)) rows.back().back() = '2';
    return rows;
}

TEST(TEditorStrings, ALoaderCutsPiecesIntoTheLinesOfTheWholeText)
{
    // Lines just under and over the wrap column, with and without tabs (which widen a short line past
    // it); some rounds are one piece larger than the loader's chunks, so that lines run over from one
    // chunk into the next.
    std::mt19937 rng(5);
    for (int round = 0; round < 206; ++round) {
        std::string text;
        const std::size_t size = round < 200 ? std::uniform_int_distribution<std::size_t>(0, 3000)(rng) : 700000;
        while (text.size() < size) {
            const int kind = std::uniform_int_distribution<int>(0, 99)(rng);
            text += kind < 10 ? "\r" : kind < 20 ? "\n" : kind < 30 ? "\r\n" : kind < 32 ? std::string(300, 'L')
                  : kind < 36 ? "\t" : kind < 40 ? "abcdefghijklmnopq" : "ab\x82\xA0";
        }
        Editor e;
        e.lines.SetText("the old text");
        if (round % 2) {
            e.rows->WrapOption().SetWrapByte(20);
            e.rows->SetWordWrap(true);
        }
        TEditorStrings::TLoader loader(e.lines);
        // A first attempt is forgotten, as when the decoder starts again in another code.
        loader.Append("forgotten\r");
        loader.Restart();
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t n = round < 200 ? std::uniform_int_distribution<std::size_t>(0, 700)(rng) : text.size();
            loader.Append(std::string_view(text).substr(at, n));
            at += n;
        }
        EXPECT_EQ(e.Rows(), (Rows{"the old text|2"})) << "nothing shows before Finish";
        loader.Finish();
        ASSERT_EQ(e.Rows(), ExpectedRows(*e.rows, text)) << "round " << round;
        EXPECT_FALSE(e.rows->UndoObj().CanUndo());
    }
}

TEST(TEditorStrings, AShortLineWhoseTabsLieInTheChunkBeforeIsStillWrapped)
{
    // The loader marks line ends and tabs a chunk (256 KB) of a piece at a time: a short line whose tabs
    // widen it past the wrap column must be cut also when it begins in one chunk and ends in the next.
    const std::size_t chunk = std::size_t{256} << 10;
    for (std::size_t before = 1; before <= 4; ++before) {
        const std::string text = std::string(chunk - before - 2, 'x') + "\r\n" + "\t\t\tab\r\nend";
        Editor e;
        e.rows->WrapOption().SetWrapByte(20);
        e.rows->SetWordWrap(true);
        TEditorStrings::TLoader loader(e.lines);
        loader.Append(text);
        loader.Finish();
        ASSERT_EQ(e.Rows(), ExpectedRows(*e.rows, text)) << before << " bytes of the line in the first chunk";
    }
}

TEST(TEditorStrings, ALoaderWhoseRulesChangedBeforeFinishReWrapsOnce)
{
    const std::string text = std::string(50, 'x') + "\r\nshort\r\n" + std::string(30, 'y');
    for (const bool wrapAtStart : {false, true}) {
        Editor e;
        e.rows->WrapOption().SetWrapByte(20);
        e.rows->SetWordWrap(wrapAtStart);
        TEditorStrings::TLoader loader(e.lines);
        loader.Append(text);
        // As an editor environment applied between the read and the load would.
        e.rows->WrapOption().SetWrapByte(25);
        e.rows->SetWordWrap(true);
        loader.Finish();
        EXPECT_EQ(e.Rows(), ExpectedRows(*e.rows, text)) << wrapAtStart;
        EXPECT_EQ(e.lines.Count(), 3);
    }
    // A loader dropped before Finish changes nothing.
    Editor e;
    e.lines.SetText("keep");
    {
        TEditorStrings::TLoader loader(e.lines);
        loader.Append("dropped\r\n");
    }
    EXPECT_EQ(e.Rows(), (Rows{"keep|2"}));
}

TEST(TEditorStrings, AppendedLinesAreLaidOutAsTheWholeTextWouldBe)
{
    // Lines appended piece by piece (a piece may end in the middle of a line) give the rows of the whole
    // text, wrapped or not, with the line numbers and lengths known, and no undo step.
    const std::string pieces[] = {"first\r\n", std::string(50, 'w') + "\r\nsec", "ond\r\n\tt\r\n", "last"};
    for (const bool wrap : {false, true}) {
        Editor e;
        if (wrap) {
            e.rows->WrapOption().SetWrapByte(20);
            e.rows->SetWordWrap(true);
        }
        std::string text;
        for (const std::string& piece : pieces) {
            const int before = e.rows->Count();
            e.view.Ranges.clear();
            e.lines.AppendLines(piece);
            text += piece;
            ASSERT_EQ(e.Rows(), ExpectedRows(*e.rows, text)) << text;
            // The views hear of the rows from the last whole line on, to show them.
            ASSERT_FALSE(e.view.Ranges.empty());
            const TEditorUpdateRange range = e.view.Ranges.back();
            EXPECT_TRUE(range.Valid);
            EXPECT_EQ(range.StartRow + range.NewRowCount, e.rows->Count()) << text;
            EXPECT_EQ(range.StartRow + range.OldRowCount, before) << text;
            Editor whole;
            whole.lines.SetText(text);
            EXPECT_EQ(e.rows->LineCount(), whole.rows->LineCount()) << text;
            EXPECT_EQ(e.rows->TextLength(), whole.rows->TextLength()) << text;
        }
        EXPECT_FALSE(e.rows->UndoObj().CanUndo());
    }
}
