// The document layer's load, reload, time-stamp check and save, bound to real document editors: a
// split tab's two panes over one text, their lock and their time stamp.

#include "EditorFixture.h"
#include "FakeEditorView.h"

#include "documents/DocumentCodec.h"
#include "documents/EditorEnvironment.h"
#include "documents/EditorFiles.h"
#include "editor/QxEditorDocument.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace qx::test {
namespace {

struct QxDocumentTest : ::testing::Test {
    TempDir dir;
    ScriptedMessagePrompter prompter;
    TDocumentHost host;
    TGlobalState state;
    std::unique_ptr<TQxEditor> main = Construct<TQxEditor>();
    std::unique_ptr<TQxEditor> second = Construct<TQxEditor>();
    TQxEditorDocument doc{*main, second.get()};

    QxDocumentTest()
    {
        host.Prompter = &prompter;
        second->ShareList(main.get());
    }
    std::string Open(const std::string& Name, const std::string& Bytes, int Code = ocAuto)
    {
        const std::string file = dir.File(Name);
        WriteBytes(file, Bytes);
        main->FileName = second->FileName = file;
        EXPECT_EQ(LoadFileToEditor(doc, host, state, file, Code, 0), TLoadStatus::Loaded);
        return file;
    }
};

TEST_F(QxDocumentTest, EveryCodeAndLineEndOpensIntoBothPanesAndSavesBackByteForByte)
{
    const std::string text = Utf8ToCp932("漢字とかなの行\nｶﾀｶﾅ ABC\n\n最後の行");
    for (int code = sfctJIS; code <= sfctUTF8 + 1; ++code) {
        // After UTF-8, UTF-8 with its mark, which an untouched save keeps.
        const bool mark = code > sfctUTF8;
        if (mark) code = sfctUTF8;
        for (int end = sfrtCR; end <= sfrtCRLF; ++end) {
            const std::string bytes = EncodeDocument(text, code, end, nullptr, mark);
            const std::string file = Open("doc.txt", bytes, mark ? ocAuto : OpenCodeOfCharType(code));
            EXPECT_EQ(main->SaveFileCharType(), code);
            EXPECT_EQ(second->SaveFileCharType(), code) << "the second pane follows";
            EXPECT_EQ(main->SaveFileRtrnType(), end);
            EXPECT_EQ(second->Lines().Count(), 4);
            ASSERT_TRUE(SaveEditorFile(doc, host, state, file, lcKeep, lcKeep));
            EXPECT_EQ(ReadBytes(file), bytes) << "code " << code << ", line end " << end << (mark ? ", mark" : "");
        }
        if (mark) break;
    }
}

TEST_F(QxDocumentTest, TheEnvironmentOfTheExtensionReachesBothPanesAndTheFirstHoldsTheLock)
{
    state.ProgramFolder = dir.Path() + "/";
    TEditorEnvironment c;
    c.FileExt = {"*.c"};
    c.FileLockMode = 2;
    c.TabMark = true;
    c.TabSpaceCount = 8;
    ASSERT_TRUE(SaveEnvironmentFile(c, EnvironmentFileName(state, 1)));
    BindEnvironmentFileExts(state);
    host.ApplyEnvironment = [&](int N, const std::string& File, const TEditorEnvironment* Environment) {
        TEnvironmentApplyHost apply;
        apply.DocumentFile = File;
        doc.ApplyEnvironment(EnvironmentFileName(state, N), apply, Environment);
    };

    Open("a.c", "int x;\n");
    for (TQxEditor* pane : {main.get(), second.get()}) {
        EXPECT_EQ(pane->AnyNumber1, 1);
        EXPECT_TRUE(pane->CustomMarks().TabMark().Visible());
        EXPECT_EQ(pane->Caret().TabSpaceCount(), 8);
        EXPECT_TRUE(pane->LockFile);
    }
    EXPECT_TRUE(main->Locked());
    EXPECT_FALSE(second->Locked()) << "one descriptor holds the file for the tab";

    // Another extension: environment 0, which has no file, gives the defaults and lets the file go.
    Open("a.txt", "text\n");
    EXPECT_EQ(main->AnyNumber1, 0);
    EXPECT_FALSE(second->CustomMarks().TabMark().Visible());
    EXPECT_FALSE(main->Locked());
}

TEST_F(QxDocumentTest, AFailedLoadLeavesTheOpenDocumentAsItWas)
{
    Open("a.txt", "kept text\r\n");
    main->SetModified(true);
    main->SetSaveFileCharType(sfctEUC);
    WriteBytes(dir.File("b.txt"), "\x82\xA0");  // Shift-JIS, not UTF-8
    EXPECT_EQ(LoadFileToEditor(doc, host, state, dir.File("b.txt"), ocUtf8, 0), TLoadStatus::NotInCode);
    EXPECT_EQ(main->Lines().Text(), "kept text\r\n");
    EXPECT_EQ(main->SaveFileCharType(), sfctEUC);
    EXPECT_TRUE(main->Modified());
}

// The text is read in pieces into rows laid out beside the shown ones: a load that fails or is declined
// only after many pieces leaves the shown text alone all the same.
TEST_F(QxDocumentTest, ALoadThatFailsLateInABigFileLeavesTheOpenDocumentAsItWas)
{
    std::string utf8, pairs;
    while (utf8.size() < 3 * kDocumentReadSize) utf8 += "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E text\r\n";  // 日本語
    while (pairs.size() < 3 * kDocumentReadSize) pairs += "\xA4\xA2\xA4\xA4\r\n";  // EUC or Shift-JIS
    struct Case {
        std::string Bytes;
        int Code;
        TLoadStatus Status;
    };
    const Case cases[] = {
        {utf8 + "\x82\xA0\r\n", ocUtf8, TLoadStatus::NotInCode},  // Shift-JIS at the very end
        {pairs, ocAuto, TLoadStatus::Cancelled},                     // the question, asked at the end
    };
    Open("a.txt", "kept text\r\n");
    main->SetModified(true);
    for (const Case& c : cases) {
        prompter.Answers = {mr::Cancel};
        WriteBytes(dir.File("b.txt"), c.Bytes);
        EXPECT_EQ(LoadFileToEditor(doc, host, state, dir.File("b.txt"), c.Code, 0), c.Status);
        EXPECT_EQ(main->Lines().Text(), "kept text\r\n");
        EXPECT_EQ(second->Lines().Count(), 1);
        EXPECT_TRUE(main->Modified());
    }
}

// The rows of the shown text with their attributes, as "text|attribute".
std::vector<std::string> RowsOf(TQxEditor& Editor)
{
    TEditorScreenStrings& rows = Editor.ScreenStrings();
    std::vector<std::string> out;
    for (int row = 0; row < rows.Count(); ++row) out.push_back(std::string(rows.Get(row)) + "|" + std::to_string(rows.RowAttributes(row)));
    return out;
}

// A file whose environment wraps is laid out by that wrap as it is read, so that applying the
// environment lays nothing out again; the rows are those that wrapping the text anew gives, and a load
// that fails leaves the rows and the wrap as they were.
TEST_F(QxDocumentTest, AFileIsLaidOutOnceByTheWrapOfItsEnvironment)
{
    state.ProgramFolder = dir.Path() + "/";
    TEditorEnvironment log;
    log.FileExt = {"*.log"};
    log.WordWrap = 1;
    log.WrapByte = 20;
    log.WrapStrStyle = 2;  // brackets kept with their words, punctuation hanging
    log.TabSpaceCount = 4;
    const std::string logFile = EnvironmentFileName(state, 1);
    ASSERT_TRUE(SaveEnvironmentFile(log, logFile));
    BindEnvironmentFileExts(state);
    host.ApplyEnvironment = [&](int N, const std::string&, const TEditorEnvironment* Environment) {
        doc.ApplyEnvironment(EnvironmentFileName(state, N), {}, Environment);
    };
    FakeEditorView spy;  // counts the lay-outs of the whole text: each cleans every view's selection
    spy.Store = &main->ScreenStrings();
    main->ScreenStrings().AddView(&spy);
    std::string text;
    for (int i = 0; i < 60; ++i) text += Utf8ToCp932("「ことば」は、words and\twords、その他。") + std::to_string(i) + "\r\n";

    // Read as the load reads, the environment applied before the text is put in place: laid out by its
    // wrap as it came, or by the unwrapped text's and laid out again.
    std::vector<std::string> rows[2];
    int layouts[2];
    for (const bool told : {true, false}) {
        Open("a.txt", "unwrapped\r\n");
        ASSERT_FALSE(main->WordWrap());
        const std::optional<TEditorEnvironment> shown = LoadEnvironmentFile(logFile);
        ASSERT_TRUE(shown);
        const std::unique_ptr<TLoadingText> loading = doc.NewText(told ? &*shown : nullptr);
        loading->Append(text);
        doc.ApplyEnvironment(logFile, {});
        spy.Cleanings = 0;
        loading->Load();
        layouts[told] = spy.Cleanings;
        rows[told] = RowsOf(*main);
    }
    EXPECT_LT(layouts[true], layouts[false]) << "the text told its environment is not laid out again";
    EXPECT_EQ(rows[true], rows[false]);

    // The whole road: the rows equal the text wrapped anew by the rules in force.
    Open("a.log", text);
    ASSERT_TRUE(main->WordWrap());
    EXPECT_EQ(main->WrapOption().WrapByte(), 20);
    const std::vector<std::string> loaded = RowsOf(*main);
    EXPECT_GT(loaded.size(), 120u);
    EXPECT_EQ(loaded, rows[true]);
    main->SetWordWrap(false);
    main->SetWordWrap(true);
    EXPECT_EQ(RowsOf(*main), loaded);

    // A load that fails after its environment was read changes nothing.
    main->SetModified(true);
    WriteBytes(dir.File("b.txt"), "\x82\xA0");  // Shift-JIS, not UTF-8
    EXPECT_EQ(LoadFileToEditor(doc, host, state, dir.File("b.txt"), ocUtf8, 0), TLoadStatus::NotInCode);
    EXPECT_EQ(RowsOf(*main), loaded);
    EXPECT_TRUE(main->WordWrap());
    EXPECT_EQ(main->WrapOption().WrapByte(), 20);
    EXPECT_EQ(main->AnyNumber1, 1);
    EXPECT_TRUE(main->Modified());
    main->ScreenStrings().RemoveView(&spy);
}

TEST_F(QxDocumentTest, AFailedSaveKeepsFileCodeModifiedAndLock)
{
    main->LockFile = true;
    main->SetLockFileMode(lfmShareExclusive);
    const std::string file = Open("a.txt", "old\r\n");
    EXPECT_EQ(TestOpenFile(file), otLocked);
    main->Lines().SetText("new\r\n");
    main->SetModified(true);
    host.Writer = [](const std::string&, const TBytePieces&) { throw EInOutError("No space left on device"); };
    EXPECT_FALSE(SaveEditorFile(doc, host, state, file, ocEuc, lcLF));
    EXPECT_EQ(ReadBytes(file), "old\r\n");
    EXPECT_TRUE(main->Modified());
    EXPECT_EQ(main->SaveFileCharType(), sfctSJIS);
    EXPECT_EQ(TestOpenFile(file), otLocked);

    host.Writer = SafeFileWriter();
    ASSERT_TRUE(SaveEditorFile(doc, host, state, file, lcKeep, lcLF));
    EXPECT_EQ(ReadBytes(file), "new\n");
    EXPECT_FALSE(second->Modified());
    EXPECT_EQ(TestOpenFile(file), otLocked) << "the lock holds the file renamed into place";
}

TEST_F(QxDocumentTest, AnOutsideChangeWithinTheSameSecondIsSeenBeforeASave)
{
    main->CheckTStamp = true;
    const std::string file = Open("a.txt", "mine\r\n");
    const timespec stamp[2] = {{1700000000, 0}, {1700000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), stamp, 0), 0);
    main->StoreFileTStamp(file);
    WriteBytes(file, "theirs\r\n");
    const timespec later[2] = {{1700000000, 500}, {1700000000, 500}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), later, 0), 0);

    // Cancel stops the save; the other program's text stays.
    prompter.Answers = {mr::Cancel};
    EXPECT_FALSE(SaveEditorFile(doc, host, state, file, lcKeep, lcKeep));
    EXPECT_EQ(ReadBytes(file), "theirs\r\n");
    // Yes reloads it (after the reload question), and the save then writes what was loaded.
    prompter.Answers = {mr::Yes, mr::Yes};
    EXPECT_EQ(CheckFileTimeStamp(doc, host, state), tsReloaded);
    EXPECT_EQ(second->Lines().Text(), "theirs\r\n");
    EXPECT_EQ(CheckFileTimeStamp(doc, host, state), tsNothing);
}

} // namespace
} // namespace qx::test
