// The document editor: marks on blanks and vertical lines in the paint pass, the caret-row underline
// up to the wrap column, bookmarks, the file lock, time stamps, saving, the scratch editor and the
// guarded reference to the active editor.

#include "EditorFixture.h"

#include "documents/DocumentFiles.h"
#include "editor/QxEditor.h"
#include "editor/ScratchEditor.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace qx::test {
namespace {

constexpr int W = 8;

struct QxPaintTest : ::testing::Test {
    HostedEditor e{Construct<TQxEditor>()};
    TQxEditor& Qx() { return static_cast<TQxEditor&>(*e); }

    static std::vector<CanvasCall> LinesIn(const RecordingCanvas& Canvas, TColor Color)
    {
        std::vector<CanvasCall> out;
        for (const CanvasCall& c : Canvas.Of(CanvasCall::Line))
            if (c.Color == Color) out.push_back(c);
        return out;
    }
    static int LeftMost(const std::vector<CanvasCall>& Lines)
    {
        int x = 1 << 30;
        for (const CanvasCall& c : Lines) x = std::min({x, c.X, c.X2});
        return x;
    }
};

TEST_F(QxPaintTest, MarksStandOnTheFirstCellOfEachBlankAfterTabsExpand)
{
    TCustomMarks& marks = Qx().CustomMarks();
    marks.TabMark().SetVisible(true);
    marks.TabMark().SetColor(clRed);
    marks.Space().SetVisible(true);
    marks.Space().SetColor(clBlue);
    marks.DBSpace().SetVisible(true);
    marks.DBSpace().SetColor(clLime);
    // A tab at column 1 runs to column 8: "b" stands at 8, the space at 9, the full-width space at 10.
    e.SetText("a\tb " + Utf8ToCp932("　") + "\t");
    const int left = e->TextAreaLeft();
    const RecordingCanvas canvas = e.Paint();

    const auto tabs = LinesIn(canvas, clRed);
    ASSERT_EQ(tabs.size(), 8u) << "two tab rectangles of four edges";
    EXPECT_EQ(LeftMost({tabs.begin(), tabs.begin() + 4}), left + 1 * W + 2);
    EXPECT_EQ(LeftMost({tabs.begin() + 4, tabs.end()}), left + 12 * W + 2);
    EXPECT_EQ(LeftMost(LinesIn(canvas, clBlue)), left + 9 * W + 2);
    EXPECT_EQ(LeftMost(LinesIn(canvas, clLime)), left + 10 * W + 1);
}

TEST_F(QxPaintTest, HiddenMarksDrawNothingAndADottedPenDrawsDots)
{
    e.SetText("\t \t");
    const std::size_t plain = e.Paint().Of(CanvasCall::Line).size();
    Qx().CustomMarks().TabMark().SetVisible(true);
    Qx().CustomMarks().TabMark().SetColor(clRed);
    EXPECT_EQ(LinesIn(e.Paint(), clRed).size(), 8u);
    Qx().CustomMarks().TabMark().SetMarkType(smtDot);
    const auto dots = LinesIn(e.Paint(), clRed);
    EXPECT_GT(dots.size(), 8u);
    for (const CanvasCall& c : dots) EXPECT_EQ(c.X2 - c.X + c.Y2 - c.Y, 1) << "one pixel a dot";
    Qx().CustomMarks().TabMark().SetVisible(false);
    EXPECT_EQ(e.Paint().Of(CanvasCall::Line).size(), plain);
}

TEST_F(QxPaintTest, VerticalLinesRunDownTheTextAreaUnlessScrolledOffToTheLeft)
{
    e.SetText(std::string(300, 'x'));
    TVerticalLine& line = *Qx().VerticalLines().Add();
    line.SetPosition(5);
    line.SetColor(clRed);
    const int left = e->TextAreaLeft();
    auto lines = LinesIn(e.Paint(), clRed);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].X, left + 5 * W);
    EXPECT_EQ(lines[0].Y, e->TextAreaTop());
    EXPECT_EQ(lines[0].Y2, e.Viewport.Height);

    e->SetTopCol(6);
    EXPECT_TRUE(LinesIn(e.Paint(), clRed).empty());
    e->SetTopCol(2);
    lines = LinesIn(e.Paint(), clRed);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].X, left + 3 * W);

    line.SetVisible(false);
    EXPECT_TRUE(LinesIn(e.Paint(), clRed).empty());
}

TEST_F(QxPaintTest, AChangeOfMarksOrLinesRepaintsTheTextArea)
{
    e.Viewport.Invalidated.clear();
    Qx().VerticalLines().Add()->SetPosition(3);
    EXPECT_FALSE(e.Viewport.Invalidated.empty());
    e.Viewport.Invalidated.clear();
    Qx().CustomMarks().Space().SetVisible(true);
    EXPECT_FALSE(e.Viewport.Invalidated.empty());
}

TEST_F(QxPaintTest, WithWordWrapTheCaretRowUnderlineEndsAtTheWrapColumn)
{
    e->Marks().Underline().SetVisible(true);
    e->Marks().Underline().SetColor(clRed);
    e.SetText(std::string(50, 'x'));
    const int left = e->TextAreaLeft();
    auto underline = LinesIn(e.Paint(), clRed);
    ASSERT_EQ(underline.size(), 1u);
    EXPECT_EQ(underline[0].X2, e.Viewport.Width) << "without wrap: to the window's edge";

    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    underline = LinesIn(e.Paint(), clRed);
    ASSERT_EQ(underline.size(), 1u);
    EXPECT_EQ(underline[0].X, left);
    EXPECT_EQ(underline[0].X2, left + 20 * W);
}

// ---------------------------------------------------------------------------------------------------

TEST(QxEditorTest, CustomMarkAssignCopiesEveryPropertyOnce)
{
    TCustomMark source;
    source.SetVisible(true);
    source.SetColor(clRed);
    source.SetMarkType(smtDot);
    TCustomMarks marks;
    int changes = 0;
    marks.OnChange = [&](TObject*) { ++changes; };
    marks.SetDBSpace(source);
    EXPECT_TRUE(marks.DBSpace().Visible());
    EXPECT_EQ(marks.DBSpace().Color(), clRed);
    EXPECT_EQ(marks.DBSpace().MarkType(), smtDot);
    EXPECT_EQ(changes, 1);

    TCustomMarks copy;
    copy.Assign(marks);
    EXPECT_EQ(copy.DBSpace().MarkType(), smtDot);
    EXPECT_FALSE(copy.TabMark().Visible());
}

TEST(QxEditorTest, DefaultsAndBookmarksOutsideTheTenAreIgnored)
{
    auto e = Construct<TQxEditor>();
    EXPECT_EQ(e->SaveFileCharType(), sfctSJIS);
    EXPECT_EQ(e->SaveFileRtrnType(), sfrtCRLF);
    EXPECT_EQ(e->CustomMarks().TabMark().Color(), clGray);
    EXPECT_EQ(e->VerticalLines().Count(), 0);
    e->SetBookmark(9, "nine");
    e->SetBookmark(10, "ten");
    e->SetBookmark(-1, "minus");
    EXPECT_EQ(e->GetBookmark(9), "nine");
    EXPECT_EQ(e->GetBookmark(10), "");
    EXPECT_EQ(e->GetBookmark(-1), "");
}

TEST(QxEditorTest, AVerticalLineIgnoresANegativeColumnAndRemembersTheOldOne)
{
    TVerticalLines lines(nullptr);
    TVerticalLine& line = *lines.Add();
    line.SetPosition(8);
    line.SetPosition(-3);
    EXPECT_EQ(line.Position(), 8);
    line.SetPosition(12);
    EXPECT_EQ(line.PrevPosition(), 8);
}

// ---------------------------------------------------------------------------------------------------
// The file

// Whether another descriptor of the file gets the lock Operation at once.
bool OtherGetsLock(const std::string& File, int Operation)
{
    const int fd = ::open(File.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool got = ::flock(fd, Operation | LOCK_NB) == 0;
    ::close(fd);
    return got;
}

TEST(QxEditorFileTest, TheLockModeDecidesWhatAnotherDescriptorGets)
{
    TempDir dir;
    const std::string file = dir.File("a.txt");
    WriteBytes(file, "text");
    struct Case {
        TLockFileMode Mode;
        bool Shared, Exclusive;
    };
    for (const Case c : {Case{lfmShareDenyNone, true, true}, Case{lfmShareDenyWrite, true, false},
                         Case{lfmShareExclusive, false, false}}) {
        auto e = Construct<TQxEditor>();
        e->SetLockFileMode(c.Mode);
        e->OpenLockFile(file);
        EXPECT_TRUE(e->Locked());
        EXPECT_EQ(OtherGetsLock(file, LOCK_SH), c.Shared) << c.Mode;
        EXPECT_EQ(OtherGetsLock(file, LOCK_EX), c.Exclusive) << c.Mode;
        EXPECT_EQ(TestOpenFile(file) == otLocked, !c.Exclusive) << c.Mode;
        e->CloseLockFile();
        EXPECT_FALSE(e->Locked());
        EXPECT_TRUE(OtherGetsLock(file, LOCK_EX));
    }
}

TEST(QxEditorFileTest, ALockIsTakenOnceAndNeverOnWhatCannotBeHeld)
{
    TempDir dir;
    const std::string a = dir.File("a"), b = dir.File("b");
    WriteBytes(a, "a");
    WriteBytes(b, "b");
    auto e = Construct<TQxEditor>();
    e->SetLockFileMode(lfmShareExclusive);
    e->CloseLockFile();  // without a lock: nothing
    e->OpenLockFile(dir.File("missing"));
    EXPECT_FALSE(e->Locked());
    e->OpenLockFile(dir.Path());  // a folder
    EXPECT_FALSE(e->Locked());
    e->OpenLockFile(a);
    e->OpenLockFile(b);
    EXPECT_EQ(e->LockedFileName(), a);
    EXPECT_TRUE(OtherGetsLock(b, LOCK_EX));

    // Another editor cannot take what the first holds, and says so by holding nothing.
    auto other = Construct<TQxEditor>();
    other->SetLockFileMode(lfmShareDenyWrite);
    other->OpenLockFile(a);
    EXPECT_FALSE(other->Locked());
}

TEST(QxEditorFileTest, TimeStampsSeeAChangeWithinTheSameSecond)
{
    TempDir dir;
    const std::string file = dir.File("a.txt");
    WriteBytes(file, "one");
    // A whole-second date, then the same second with a nanosecond more: a coarse clock would miss it.
    const timespec first[2] = {{1700000000, 0}, {1700000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), first, 0), 0);
    auto e = Construct<TQxEditor>();
    e->StoreFileTStamp(file);
    EXPECT_TRUE(e->FileTStamp().Valid);
    EXPECT_TRUE(e->SameFileTStamp(file));
    const timespec later[2] = {{1700000000, 1}, {1700000000, 1}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), later, 0), 0);
    EXPECT_FALSE(e->SameFileTStamp(file));

    // Replaced by a file of the same date (a copy that keeps dates): still another file.
    e->StoreFileTStamp(file);
    const std::string other = dir.File("b.txt");
    WriteBytes(other, "two!");
    ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), later, 0), 0);
    std::filesystem::rename(other, file);
    EXPECT_FALSE(e->SameFileTStamp(file));

    // A file that is gone reports no change; one never read stores an invalid stamp.
    std::filesystem::remove(file);
    EXPECT_TRUE(e->SameFileTStamp(file));
    e->StoreFileTStamp(file);
    EXPECT_FALSE(e->FileTStamp().Valid);
}

struct SaveCase {
    TSaveFileCharType Code;
    TSaveFileRtrnType LineEnd;
    const char* Hex;
};

TEST(QxEditorFileTest, SaveToFileWritesEveryCodeAndLineEndJoiningWrappedRows)
{
    // Ten "あ" wrapped before "い" (at 20 bytes), a line end, then "b" without one.
    const std::string ai = Utf8ToCp932("ああああああああああい");
    const auto times10 = [](const std::string& Hex) {
        std::string out;
        for (int i = 0; i < 10; ++i) out += Hex;
        return out;
    };
    const std::string eol[] = {"0D", "0A", "0D 0A"};
    const std::string eolBE[] = {"00 0D", "00 0A", "00 0D 00 0A"};
    const std::string eolLE[] = {"0D 00", "0A 00", "0D 00 0A 00"};
    TempDir dir;
    for (int code = sfctJIS; code <= sfctUTF8; ++code) {
        for (int end = sfrtCR; end <= sfrtCRLF; ++end) {
            std::string hex;
            switch (code) {
            case sfctJIS: hex = "1B 24 42" + times10("24 22") + "24 24 1B 28 42" + eol[end] + "62"; break;
            case sfctEUC: hex = times10("A4 A2") + "A4 A4" + eol[end] + "62"; break;
            case sfctSJIS: hex = times10("82 A0") + "82 A2" + eol[end] + "62"; break;
            case sfctUnicode: hex = "FF FE" + times10("42 30") + "44 30" + eolLE[end] + "62 00"; break;
            case sfctUnicodeBig: hex = "FE FF" + times10("30 42") + "30 44" + eolBE[end] + "00 62"; break;
            default: hex = times10("E3 81 82") + "E3 81 84" + eol[end] + "62"; break;
            }
            HostedEditor e{Construct<TQxEditor>()};
            e->WrapOption().SetWrapByte(20);
            e->SetWordWrap(true);
            e.SetText(ai + "\r\nb");
            ASSERT_EQ(e->RowCount(), 3);
            auto& qx = static_cast<TQxEditor&>(*e);
            qx.SetSaveFileCharType(static_cast<TSaveFileCharType>(code));
            qx.SetSaveFileRtrnType(static_cast<TSaveFileRtrnType>(end));
            const std::string file = dir.File("out");
            EXPECT_EQ(qx.SaveToFile(file), 0u);
            EXPECT_EQ(ReadBytes(file), Bytes(hex)) << "code " << code << ", line end " << end;
        }
    }
}

TEST(QxEditorFileTest, AStreamedSaveWritesTheBytesOfTheWholeTextInEveryCodeAndLineEnd)
{
    // A text of many pieces (the save reads about 256 KB at a time): each line ends in kanji (JIS must
    // leave its kanji set before every line end, whichever piece it falls in), half-width kana, a lead
    // byte alone before a line end, a wrapped line, and a last line without a line end.
    std::string text;
    const std::string line = Utf8ToCp932("本文 text ｶﾅ かな漢字");
    for (int i = 0; i < 24000; ++i) text += std::to_string(i) + line + (i % 997 == 0 ? "\x81" : "") + "\r\n";
    text += std::string(300, 'w') + Utf8ToCp932("終わり");
    std::string lf = text;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    ASSERT_GT(lf.size(), std::size_t{2} << 18) << "three pieces at least";
    TempDir dir;
    HostedEditor e{Construct<TQxEditor>()};
    e->WrapOption().SetWrapByte(80);
    e->SetWordWrap(true);
    e.SetText(text);
    auto& qx = static_cast<TQxEditor&>(*e);
    for (int code = sfctJIS; code <= sfctUTF8; ++code) {
        for (int end = sfrtCR; end <= sfrtCRLF; ++end) {
            qx.SetSaveFileCharType(static_cast<TSaveFileCharType>(code));
            qx.SetSaveFileRtrnType(static_cast<TSaveFileRtrnType>(end));
            const std::string file = dir.File("out");
            std::size_t lost = 0;
            const std::string whole = EncodeDocument(lf, code, end, &lost);
            EXPECT_EQ(qx.SaveToFile(file), lost) << "code " << code << ", line end " << end;
            EXPECT_TRUE(ReadBytes(file) == whole) << "code " << code << ", line end " << end;
        }
    }
}

TEST(QxEditorFileTest, SaveToFileEndsTheLastLineAsTheTextDoesAndWritesAnEmptyTextAsAnEmptyFile)
{
    TempDir dir;
    const std::string file = dir.File("out");
    auto e = Construct<TQxEditor>();
    e->SetSaveFileRtrnType(sfrtLF);
    for (const auto& [text, saved] : std::vector<std::pair<std::string, std::string>>{
             {"", ""}, {"a", "a"}, {"a\r\n", "a\n"}, {"a\r\n\r\n", "a\n\n"}, {"a\rb\nc", "a\nb\nc"}}) {
        e->Lines().SetText(text);
        e->SaveToFile(file);
        EXPECT_EQ(ReadBytes(file), saved) << text;
    }
}

TEST(QxEditorFileTest, SaveToFileCountsWhatTheCodeCannotHold)
{
    TempDir dir;
    auto e = Construct<TQxEditor>();
    // A code beyond the user-defined area has no place in JIS.
    e->Lines().SetText(Bytes("F9 40 41"));
    e->SetSaveFileCharType(sfctJIS);
    EXPECT_EQ(e->SaveToFile(dir.File("out")), 1u);
    e->SetSaveFileCharType(sfctSJIS);
    EXPECT_EQ(e->SaveToFile(dir.File("out")), 0u);
    EXPECT_EQ(ReadBytes(dir.File("out")), Bytes("F9 40 41"));
}

// A file "a.txt" with "old" in it, held by an editor's exclusive lock.
struct LockedFile {
    TempDir dir;
    std::string file = dir.File("a.txt");
    std::unique_ptr<TQxEditor> e = Construct<TQxEditor>();
    LockedFile()
    {
        WriteBytes(file, "old");
        e->SetLockFileMode(lfmShareExclusive);
        e->OpenLockFile(file);
    }
};

TEST(QxEditorFileTest, AFailedSaveRaisesAndKeepsTheOldFileAndTheLock)
{
    LockedFile f;
    auto& [dir, file, e] = f;
    e->Lines().SetText("new");
    EXPECT_THROW(e->SaveToFile(dir.File("no-such-folder/a.txt")), EInOutError);
    std::filesystem::create_directory(dir.File("folder"));
    EXPECT_THROW(e->SaveToFile(dir.File("folder")), EInOutError);
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_TRUE(e->Locked());
    EXPECT_FALSE(OtherGetsLock(file, LOCK_EX));
}

TEST(QxEditorFileTest, AfterASaveTheLockAndTheStampBelongToTheNewFile)
{
    LockedFile f;
    auto& [dir, file, e] = f;
    e->StoreFileTStamp(file);
    e->Lines().SetText("new text");
    e->SaveToFile(file);
    EXPECT_EQ(ReadBytes(file), "new text");
    // The file renamed into place is another inode: the lock must hold that one.
    EXPECT_FALSE(OtherGetsLock(file, LOCK_EX));
    EXPECT_TRUE(e->SameFileTStamp(file)) << "our own save is no outside change";
}

// ---------------------------------------------------------------------------------------------------

TEST(QxEditorStateTest, TheActiveEditorTurnsNullWhenItsEditorGoes)
{
    TGlobalState state;
    auto e = Construct<TQxEditor>();
    state.ActiveEditor = e.get();
    EXPECT_EQ(state.ActiveEditor.Get(), e.get());
    TGlobalState copy;
    copy = state;
    EXPECT_EQ(copy.ActiveEditor.Get(), e.get());
    e.reset();
    EXPECT_EQ(state.ActiveEditor.Get(), nullptr);
    EXPECT_FALSE(copy.ActiveEditor);
}

TEST(QxEditorStateTest, TheScratchEditorLivesForItsOutermostCommand)
{
    TGlobalState state;
    {
        TScratchEditorScope outer(state);
        outer.Editor().Lines().SetText("a\r\nb");
        {
            TScratchEditorScope inner(state);
            EXPECT_EQ(&inner.Editor(), &outer.Editor());
        }
        ASSERT_TRUE(state.ScratchEditor);
        EXPECT_EQ(state.ScratchEditor->Lines().Count(), 2);
        EXPECT_FALSE(state.ScratchEditor->HandleAllocated()) << "hidden: no window";
    }
    EXPECT_FALSE(state.ScratchEditor);
}

} // namespace
} // namespace qx::test
