// The tool commands open their dialogs and act on a real document of the window.

#include "mainwindow/qt/ToolDialogCommands.h"

#include "dialogs/qt/ClipBoardViewerForm.h"
#include "dialogs/qt/FileToolDialogs.h"
#include "dialogs/qt/InsertDialogs.h"
#include "dialogs/qt/SmallToolDialogs.h"
#include "documents/EditorFiles.h"
#include "documents/qt/QxStatusBar.h"
#include "editor/EditorStrings.h"
#include "editor/QxEditor.h"
#include "dialogs/ClipBoardHistory.h"
#include "mainwindow/qt/EditorFrame.h"
#include "mainwindow/qt/MainComponents.h"
#include "mainwindow/commands/qt/QtActions.h"
#include "mainwindow/qt/QxEditorMain.h"
#include "platform/Cp932.h"
#include "platform/qt/QtTrash.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>

namespace qx {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

// An environment variable set for the life of a scope.
class TEnvironment {
public:
    TEnvironment(const char* Name, const std::string& Value) : FName(Name)
    {
        if (const char* old = std::getenv(Name)) FOld = old;
        ::setenv(Name, Value.c_str(), 1);
    }
    ~TEnvironment()
    {
        if (FOld)
            ::setenv(FName, FOld->c_str(), 1);
        else
            ::unsetenv(FName);
    }

private:
    const char* FName;
    std::optional<std::string> FOld;
};

struct ToolDialogCommandsTest : ::testing::Test {
    test::TempDir Dir;
    TGlobalState State;
    test::ScriptedMessagePrompter Prompter;
    std::unique_ptr<TQxEditorMain> Window;
    TToolDialogCommands* Tools = nullptr;
    test::ScriptedFileDialogs* Dialogs = nullptr;
    // What the next dialog does when it is shown; answers its result.
    std::function<int(QDialog&)> User;

    void SetUp() override
    {
        State.ProgramFolder = Dir.Path() + "/";
        Window = std::make_unique<TQxEditorMain>(State, Prompter);
        auto dialogs = std::make_unique<test::ScriptedFileDialogs>();
        Dialogs = dialogs.get();
        Window->SetDialogs(std::move(dialogs));
        Tools = Window->findChild<TToolDialogCommands*>("ToolDialogCommands");
        ASSERT_NE(Tools, nullptr);
        Tools->Exec = [this](QDialog& Dialog) {
            EXPECT_TRUE(User) << "unexpected dialog " << Dialog.objectName().toStdString();
            return User ? User(Dialog) : int(QDialog::Rejected);
        };
        WriteBytes(Dir.File("a.txt"), "first\r\nsecond\r\nthird\r\n");
        Window->OpenCommandLine({"a.txt"}, Dir.Path());
    }
    TQxEditor& Editor() { return *Window->CurrentEditor(); }
    std::string Text() { return Cp932ToUtf8(Editor().Lines().Text()); }
    void Run(const char* Action) { EXPECT_TRUE(Window->Commands().Execute(Action)) << Action; }
    // The dialog as the class the command should have made, its OK clicked after Fill.
    template <class D> void Expect(std::function<void(D&)> Fill, QPushButton* D::*Ok)
    {
        User = [Fill, Ok](QDialog& Dialog) {
            auto* d = dynamic_cast<D*>(&Dialog);
            EXPECT_NE(d, nullptr) << Dialog.objectName().toStdString();
            if (!d) return int(QDialog::Rejected);
            if (Fill) Fill(*d);
            (d->*Ok)->click();
            return Dialog.result();
        };
    }
};

TEST_F(ToolDialogCommandsTest, DateAndTimeInsertTheMomentTheDialogOpened)
{
    std::tm t{};
    t.tm_year = 124, t.tm_mon = 2, t.tm_mday = 5, t.tm_hour = 9, t.tm_min = 4, t.tm_isdst = -1;
    Tools->Now = [&] { return std::chrono::system_clock::from_time_t(std::mktime(&t)); };
    Editor().SetRowCol(1, 0);
    Editor().InsertCurPos = 0;
    Expect<TTimeForm>(
        [&](TTimeForm& Form) {
            EXPECT_EQ(Form.windowTitle().toStdString(), "日付と時刻の挿入");
            EXPECT_EQ(Form.ComboBoxDate->count(), 28);
            // A later OK still inserts the time of the showing.
            t.tm_hour = 11;
            Form.ComboBoxDate->setCurrentIndex(24);
        },
        &TTimeForm::Button1);
    Run("ActionInsertTime");
    EXPECT_EQ(Text(), "first\r\n3月5日（火曜日）second\r\nthird\r\n");
    EXPECT_EQ(Editor().SelStart(), 7);  // InsertCurPos 0: the caret where the text begins
    // The status bar shows the caret where the insertion left it, at once.
    const auto caretShown = [this] {
        const QString shown = Window->StatusBarWidget()->Panel(1)->text();
        Window->RefreshStatusBar();
        EXPECT_EQ(Window->StatusBarWidget()->Panel(1)->text(), shown) << "the offset panel showed a caret that had moved on";
    };
    caretShown();
    Editor().InsertCurPos = 1;

    // The user pattern and the flag are kept in [DateTime].
    Expect<TTimeForm>(
        [](TTimeForm& Form) {
            Form.CheckBox1->setChecked(true);
            Form.Edit1->setText("%Y!");
            Form.Button3->click();
        },
        &TTimeForm::Button1);
    Run("ActionInsertTime");
    EXPECT_EQ(Text(), "first\r\n2024!3月5日（火曜日）second\r\nthird\r\n");
    EXPECT_EQ(Editor().SelStart(), 12);
    caretShown();
    EXPECT_TRUE(State.Settings.DateTime.UserFormat);
    EXPECT_NE(ReadBytes(State.ProgramFile("QxEditor.ini")).find("Format1=\"%Y!\""), std::string::npos);
}

TEST_F(ToolDialogCommandsTest, LineNumbersGoOnTheChosenLines)
{
    Expect<TInsertLineNumDlg>(
        [](TInsertLineNumDlg& Dialog) {
            EXPECT_EQ(Dialog.SpinEditEnd->maximum(), 3);
            Dialog.RadioButton2->setChecked(true);
            Dialog.SpinEditStart->setValue(2);
            Dialog.SpinEditEnd->setValue(3);
            Dialog.SpinEditDef->setValue(7);
        },
        &TInsertLineNumDlg::Button1);
    Run("ActionAddLineNumToLine");
    EXPECT_EQ(Text(), "first\r\n7 second\r\n8 third\r\n");
}

TEST_F(ToolDialogCommandsTest, AMoveRebindsTheDocumentAndItsLockOnlyWhenItHappened)
{
    fs::create_directory(Dir.File("sub"));
    WriteBytes(Dir.File("taken.txt"), "taken");
    Editor().SetLockFileMode(lfmShareExclusive);
    Editor().OpenLockFile(Dir.File("a.txt"));
    ASSERT_TRUE(Editor().Locked());

    // A rename onto an existing file is refused; the dialog stays until it is cancelled.
    User = [&](QDialog& Dialog) {
        auto& d = dynamic_cast<TFileOpeDialog&>(Dialog);
        EXPECT_EQ(d.windowTitle().toStdString(), "ファイルオペレーティング");
        EXPECT_EQ(d.Label3->text().toStdString(), "ファイル名の変更");
        EXPECT_TRUE(d.Edit2->isReadOnly());
        // "ファイル名：(&N)" leads to the name's box.
        for (QLabel* label : d.findChildren<QLabel*>())
            if (label->text().contains("(&N)")) EXPECT_EQ(label->buddy(), d.Edit1);
        d.Edit1->setText("taken.txt");
        d.Button1->click();
        EXPECT_EQ(d.result(), 0);
        d.Button2->click();
        return d.result();
    };
    Run("ActionFileRename");
    EXPECT_EQ(Window->CurFile(), Dir.File("a.txt"));
    EXPECT_EQ(Editor().LockedFileName(), Dir.File("a.txt"));
    EXPECT_EQ(ReadBytes(Dir.File("taken.txt")), "taken");

    Expect<TFileOpeDialog>(
        [&](TFileOpeDialog& d) {
            d.Edit1->setText("moved.txt");
            d.Edit2->setText(QString::fromStdString(Dir.File("sub")));
        },
        &TFileOpeDialog::Button1);
    Run("ActionFileMoveRename");
    const std::string moved = Dir.File("sub") + "/moved.txt";
    EXPECT_EQ(Window->CurFile(), moved);
    EXPECT_EQ(Editor().FileName, moved);
    EXPECT_EQ(Editor().LockedFileName(), moved);
    EXPECT_FALSE(fs::exists(Dir.File("a.txt")));
    EXPECT_EQ(Window->Pages()->tabText(0).toStdString(), "moved.txt");

    // An untitled document has no file to move.
    Window->NewTab();
    Run("ActionFileMove");
    EXPECT_EQ(Prompter.Texts().back(), "ファイルは存在しません。");
}

TEST_F(ToolDialogCommandsTest, TheTrashTakesTheFileTheTextStaysAndSavesAgain)
{
    test::TempDir home;
    const TEnvironment homeVar("HOME", home.Path()), dataVar("XDG_DATA_HOME", home.Path() + "/data");
    // No data folder yet: the trash makes it rather than putting the file anywhere else.
    const std::string file = home.File("doc.txt");
    WriteBytes(file, "keep me\r\n");
    Window->OpenCommandLine({file}, Dir.Path());
    Editor().CheckTStamp = true;

    Prompter.Answers = {mr::Yes};
    Run("ActionFileDelete");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(ReadBytes(home.Path() + "/data/Trash/files/doc.txt"), "keep me\r\n");
    EXPECT_EQ(Text(), "keep me\r\n");
    // The stamp check finds no file: nothing to ask; the document saves under its name again.
    TQxEditorDocument document = Window->CurrentFrame()->Document();
    TDocumentHost host;
    host.Prompter = &Prompter;
    EXPECT_EQ(CheckFileTimeStamp(document, host, State), tsNothing);
    // The text is held nowhere else now: it shows as unsaved and Save is offered.
    EXPECT_EQ(Window->Pages()->tabText(Window->Pages()->currentIndex()).toStdString(), "doc.txt *");
    Window->Actions().UpdateStates();
    EXPECT_TRUE(Window->findChild<QAction*>("ActionSave")->isEnabled());
    Run("ActionSave");
    EXPECT_EQ(ReadBytes(file), "keep me\r\n");
    EXPECT_FALSE(Window->Modified(Window->Pages()->currentIndex()));

    // A trash that fails says so and the file stays.
    struct Refusing : TTrash {
        bool MoveToTrash(const std::string&) override { return false; }
    } refusing;
    Tools->Trash = &refusing;
    Prompter.Answers = {mr::Yes};
    Run("ActionFileDelete");
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(Prompter.Requests.back().Kind, TMsgDlgType::mtError);

}

TEST_F(ToolDialogCommandsTest, PropertiesGoToLineAndTheDocumentChooser)
{
    Expect<TFileProperty>(
        [](TFileProperty& d) {
            EXPECT_EQ(d.Field("EditFileName")->text().toStdString(), "a.txt");
            EXPECT_EQ(d.Field("EditCharCount")->text().toStdString(), "19 文字");
        },
        &TFileProperty::Button1);
    Run("ActionFileProperty");

    Expect<TDialogSitei>(
        [](TDialogSitei& d) {
            EXPECT_EQ(d.SpinEdit1->maximum(), 3);
            EXPECT_EQ(d.Label2->text().toStdString(), "/ 3");
            d.SpinEdit1->setValue(3);
        },
        &TDialogSitei::OKButton);
    Run("ActionJump");
    EXPECT_EQ(Editor().Row(), 2);
    // A document without rows has no line to go to: it says so and shows no dialog.
    Window->NewTab();
    User = nullptr;
    Run("ActionJump");
    EXPECT_EQ(Prompter.Texts().back(), "行が存在しません。");
    EXPECT_EQ(Prompter.Requests.back().Caption, "情報");
    Window->Close1Click();

    WriteBytes(Dir.File("b.txt"), "b");
    Window->OpenCommandLine({"b.txt"}, Dir.Path());
    ASSERT_EQ(Window->Pages()->currentIndex(), 1);
    Expect<TAllTabForm>(
        [](TAllTabForm& d) {
            ASSERT_EQ(d.ListBox1->count(), 2);
            EXPECT_EQ(d.ListBox1->item(1)->text().toStdString(), "b.txt");
            d.ListBox1->setCurrentRow(0);
        },
        &TAllTabForm::OKButton);
    Run("ActionAllDocs");
    EXPECT_EQ(Window->Pages()->currentIndex(), 0);
    EXPECT_EQ(Window->CurFile(), Dir.File("a.txt"));
}

TEST_F(ToolDialogCommandsTest, TheClipboardViewerShowsTheHistoryAndTakesOut)
{
    TQxClipBoardHistory& history = Window->Components().ClipHistory();
    history.SetDisabled(true);
    history.SetCanUpdate(true);
    history.ClipboardChanged(std::string("older"));
    history.ClipboardChanged(std::string("newer"));
    // Without the history the viewer has nothing to show: its command is off.
    State.Settings.ClipBoardViewer.UseClip = false;
    EXPECT_FALSE(Window->Commands().Execute("ActionClipView"));
    EXPECT_EQ(Tools->ClipViewer(), nullptr);
    State.Settings.ClipBoardViewer.UseClip = true;
    Run("ActionClipView");
    TClipBoardViewer* viewer = Tools->ClipViewer();
    ASSERT_NE(viewer, nullptr);
    ASSERT_EQ(viewer->ListBox1->count(), 2);
    EXPECT_EQ(viewer->ClipViewQxEditor().Lines().Text(), "newer\r\n");
    viewer->ListBox1->setCurrentRow(1);
    EXPECT_EQ(viewer->ClipSize->text().toStdString(), "5 Byte");
    viewer->Button1->click();
    EXPECT_EQ(history.GetText(0), "older");
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(viewer->ListBox1->item(0)->text().toStdString(), "older");
    viewer->close();
}

TEST_F(ToolDialogCommandsTest, HtmlGoesWhereTheSaveDialogSays)
{
    Expect<THtmlConvertForm>([](THtmlConvertForm& f) { f.Edit1->setText("Title"); }, &THtmlConvertForm::OKButton);
    TFileDialogResult chosen;
    chosen.Accepted = true;
    chosen.Files = {Dir.File("page")};
    chosen.FilterIndex = 2;
    Dialogs->Results = {chosen};
    Run("ActionSaveAsHTML");
    ASSERT_EQ(Dialogs->Requests.size(), 1u);
    EXPECT_EQ(Dialogs->Requests[0].FileName, "a");
    EXPECT_EQ(Dialogs->Requests[0].FilterIndex, 2);
    const std::string html = ReadBytes(Dir.File("page.html"));
    EXPECT_NE(html.find("<TITLE>Title</TITLE>"), std::string::npos) << html;
    EXPECT_NE(html.find("second"), std::string::npos);
}

} // namespace
} // namespace qx
