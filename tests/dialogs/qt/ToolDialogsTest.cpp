// The tool dialogs' wiring: files created when they show, OK and CANCEL, insertion into an editor,
// the quote-mark panels, and the command dialog's execute and save; the keyboard as a user drives it
// (Esc cancels, also from inside an editor pane; Enter presses the default button).

#include "dialogs/qt/CommandDialog.h"
#include "dialogs/qt/DataEditDialog.h"
#include "dialogs/qt/FileToolDialogs.h"
#include "dialogs/qt/SignatureDialogs.h"
#include "dialogs/qt/StrEditDialog.h"
#include "dialogs/qt/WordAssistantWindow.h"
#include "editor/EditorStrings.h"
#include "editor/QxEditor.h"
#include "editor/qt/EditorWidget.h"
#include "platform/Cp932.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace qx {
namespace {

using test::ReadBytes;
using test::WriteBytes;

struct ToolDialogsTest : ::testing::Test {
    test::TempDir Dir;
    std::string Folder() const { return Dir.Path() + "/"; }
    std::vector<std::string> Errors;
    TExceptionHandler OnError = [this](const std::exception& e) { Errors.push_back(e.what()); };
    std::string Sjis(const char* Utf8) { return Utf8ToCp932(Utf8); }
};

TEST_F(ToolDialogsTest, SignatureSettingsCreateTheFilesWhenShownAndSaveOnlyOnOk)
{
    {
        TSyomeiDialog dialog(Folder(), OnError);
        dialog.show();
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(ReadBytes(Dir.File("Sign" + std::to_string(n) + ".txt")),
                      Utf8ToCp932("署名 " + std::to_string(n) + " の設定を行ってください") + "\r\n");
        EXPECT_EQ(dialog.PageControl1->tabText(1), QString::fromUtf8("署名 2"));
        dialog.MemoSyomei[1]->Editor().Lines().SetText(Sjis("太郎\r\n電話"));
        dialog.Button2->click();  // CANCEL
    }
    EXPECT_EQ(ReadBytes(Dir.File("Sign2.txt")), Sjis("署名 2 の設定を行ってください\r\n"));
    TSyomeiDialog dialog(Folder(), OnError);
    dialog.show();
    dialog.MemoSyomei[1]->Editor().Lines().SetText(Sjis("太郎\r\n電話"));
    dialog.Button1->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ReadBytes(Dir.File("Sign2.txt")), Sjis("太郎\r\n電話\r\n"));
    EXPECT_TRUE(Errors.empty());

    // A signature that cannot be read is reported and not written over by OK.
    std::filesystem::remove(Dir.File("Sign3.txt"));
    std::filesystem::create_directory(Dir.File("Sign3.txt"));
    TSyomeiDialog broken(Folder(), OnError);
    broken.show();
    EXPECT_EQ(Errors.size(), 1u);
    broken.Button1->click();
    EXPECT_TRUE(std::filesystem::is_directory(Dir.File("Sign3.txt")));
    EXPECT_EQ(ReadBytes(Dir.File("Sign2.txt")), Sjis("太郎\r\n電話\r\n"));
}

TEST_F(ToolDialogsTest, TheSignatureGoesInAtTheCaretAsOneUndoStep)
{
    WriteBytes(Dir.File("Sign2.txt"), Sjis("――\r\n山田"));
    TEditorWidget target(nullptr, Construct<TQxEditor>());
    TEditor& editor = target.Editor();
    editor.Lines().SetText("ab");
    editor.SetSelStart(1);
    TSignForm form(Folder(), &editor, false, OnError);
    form.show();
    EXPECT_EQ(form.ListBox1->currentRow(), 0);
    form.ListBox1->setCurrentRow(1);
    EXPECT_EQ(form.SignQxEditor->Editor().Lines().Text(), Sjis("――\r\n山田\r\n"));
    form.Button1->click();
    EXPECT_EQ(editor.Lines().Text(), Sjis("a――\r\n山田\r\nb\r\n"));
    EXPECT_EQ(editor.SelStart(), 1) << "option 0: the caret stays before the signature";
    editor.Undo();
    EXPECT_EQ(editor.Lines().Text(), "ab\r\n");
    EXPECT_TRUE(Errors.empty());
}

TEST_F(ToolDialogsTest, TheSignatureEditorSelectsAllPadsNothingAndEscCancels)
{
    TSyomeiDialog dialog(Folder(), OnError);
    dialog.show();
    TEditorWidget* memo = dialog.MemoSyomei[0];
    TEditor& editor = memo->Editor();
    const std::string before = editor.Lines().Text();

    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor.SelText(), before) << "Ctrl+A selects the whole signature";

    // A click far right of the text and below it, then a letter: no blanks come before it.
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(memo->viewport()->width() - 5, memo->viewport()->height() - 5));
    QTest::keyClicks(memo, "x");
    const std::string typed = editor.Lines().Text();
    const std::size_t x = typed.find('x');
    ASSERT_TRUE(x != std::string::npos && x > 0);
    EXPECT_NE(typed[x - 1], ' ') << typed;
    EXPECT_EQ(typed.substr(0, before.size() - 2), before.substr(0, before.size() - 2)) << "the signature stays";

    // Enter is a line of the signature; Esc, typed in the editor, cancels the dialog.
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(ReadBytes(Dir.File("Sign1.txt")), before) << "nothing saved";
    EXPECT_TRUE(Errors.empty());
}

TEST_F(ToolDialogsTest, EscCancelsTheSignatureInsertion)
{
    TEditorWidget target(nullptr, Construct<TQxEditor>());
    target.Editor().Lines().SetText("ab");
    TSignForm form(Folder(), &target.Editor(), false, OnError);
    form.show();
    QTest::keyClick(form.SignQxEditor, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(target.Editor().Lines().Text(), "ab\r\n");
}

TEST_F(ToolDialogsTest, EnterInTheTimeStampFieldsPressesOk)
{
    test::ScriptedMessagePrompter prompter;
    test::ScriptedFileDialogs dialogs;
    TTimeStampManager manager(prompter, dialogs);
    std::vector<std::time_t> written;
    manager.Writer = [&written](const std::string&, std::time_t Time) {
        written.push_back(Time);
        return true;
    };
    test::WriteBytes(Dir.File("a.txt"), "a");
    manager.show();
    manager.ChooseFile(Dir.File("a.txt"));
    prompter.Answers = {mr::Yes};
    QTest::keyClick(manager.EditYear, Qt::Key_Return);
    EXPECT_TRUE(dialogs.Requests.empty()) << "the file browser stays shut";
    EXPECT_EQ(written.size(), 1u) << "OK changed the stamp";
    QTest::keyClick(manager.EditYear, Qt::Key_Escape);
    EXPECT_FALSE(manager.isVisible());
}

TEST_F(ToolDialogsTest, TheQuoteMarkDialogShowsTheModesPanelAndStoresOnOk)
{
    TOptionSettings settings;
    {
        TStrEditDialog dialog(3, settings);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("引用符付き文字列に変換"));
        EXPECT_TRUE(dialog.SinglePanel->isHidden());
        EXPECT_FALSE(dialog.DoublePanel->isHidden());
        EXPECT_EQ(dialog.Edit2->text(), "[");
        EXPECT_EQ(dialog.Edit3->text(), "]");
        dialog.Edit2->setText(QString::fromUtf8("「"));
        dialog.Edit3->setText(QString::fromUtf8("」"));
        dialog.Button1->click();
        EXPECT_TRUE(dialog.StrEditResult());
    }
    EXPECT_EQ(settings.InyouString4, Sjis("「"));
    EXPECT_EQ(settings.InyouString5, Sjis("」"));

    TStrEditDialog dialog(5, settings);
    EXPECT_FALSE(dialog.SinglePanel->isHidden());
    EXPECT_TRUE(dialog.DoublePanel->isHidden());
    dialog.Edit1->setText("x");
    dialog.Button2->click();
    EXPECT_FALSE(dialog.StrEditResult());
    EXPECT_EQ(settings.InyouString3, "<");
}

TEST_F(ToolDialogsTest, TheCommandDialogStartsTheChosenLineAndSavesTheListWhenClosed)
{
    WriteBytes(Dir.File("Command"), "Com=/usr/bin/wc;Parm=-l %FILENAME%;\r\n");
    test::ScriptedMessagePrompter prompter;
    test::RecordingLauncher launcher;
    bool closeDialog = true;
    TCommandDialog dialog(Folder(), "/tmp/a \"b\" c.txt", closeDialog, prompter, launcher, OnError);
    dialog.show();
    EXPECT_TRUE(dialog.CloseCheckBox->isChecked());
    EXPECT_EQ(dialog.Edit1->text(), "/usr/bin/wc");
    EXPECT_EQ(dialog.Edit2->text(), "-l %FILENAME%");

    dialog.Edit1->setText("/bin/echo");
    dialog.Edit2->setText(QString::fromUtf8("表 %FILENAME%"));
    dialog.Button10->click();  // add
    EXPECT_EQ(dialog.ListBox1->count(), 2);
    EXPECT_EQ(dialog.ListBox1->currentRow(), 1);
    dialog.CloseCheckBox->setChecked(false);
    dialog.Button1->click();  // execute
    ASSERT_EQ(launcher.Calls.size(), 1u);
    EXPECT_EQ(launcher.Calls[0].Target, "/bin/echo");
    EXPECT_EQ(launcher.Calls[0].Arguments, (std::vector<std::string>{"表", "/tmp/a \"b\" c.txt"}));
    EXPECT_TRUE(dialog.isVisible()) << "the close box is off";

    dialog.Button2->click();  // close
    EXPECT_FALSE(closeDialog);
    EXPECT_EQ(ReadBytes(Dir.File("Command")),
              "Com=/usr/bin/wc;Parm=-l %FILENAME%;\r\n" + Sjis("Com=/bin/echo;Parm=表 %FILENAME%;\r\n"));
    EXPECT_TRUE(prompter.Requests.empty());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(ToolDialogsTest, ThePhraseEditorSavesEachChangeAndTheAssistantInsertsAPhrase)
{
    TDataEdit edit(Folder(), OnError);
    edit.show();
    EXPECT_EQ(edit.ListBox1->item(0)->text(), "(^^)");
    edit.ComboBox1->setCurrentIndex(1);
    EXPECT_EQ(edit.ListBox1->item(0)->text(), QString::fromUtf8("好きな文字列を登録して下さい。"));
    edit.Edit1->setText(QString::fromUtf8("よろしくお願いします。"));
    edit.Button2->click();  // register
    EXPECT_EQ(ReadBytes(Dir.File("word2.dat")), Sjis("よろしくお願いします。\r\n好きな文字列を登録して下さい。\r\n"));
    // A drag that does not come from the list itself is refused.
    QMimeData data;
    data.setText("x");
    QDragEnterEvent foreign(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit.ListBox1->viewport(), &foreign);
    EXPECT_FALSE(foreign.isAccepted());
    edit.ListBox1->Dropped(0, -1);
    EXPECT_EQ(ReadBytes(Dir.File("word2.dat")), Sjis("好きな文字列を登録して下さい。\r\nよろしくお願いします。\r\n"));
    EXPECT_EQ(edit.ListBox1->currentRow(), 1);

    TEditorWidget target(nullptr, Construct<TQxEditor>());
    TEditor& editor = target.Editor();
    editor.Lines().SetText("[]");
    editor.SetSelStart(1);
    bool closeDialog = false;
    auto* assistant = new TWordAssistant(Folder(), closeDialog, OnError, nullptr);
    assistant->FocusedEditor = [&]() -> TEditor* { return &editor; };
    assistant->CaretAfterInsertion = [](const TEditor&) { return true; };
    assistant->FormShow();
    assistant->PageControl1->setCurrentIndex(1);
    EXPECT_EQ(assistant->ListBox[1]->currentRow(), 0);
    assistant->ListBox[1]->setCurrentRow(1);
    assistant->CloseCheckBox->setChecked(true);
    assistant->show();
    assistant->Button1->click();
    EXPECT_EQ(editor.Lines().Text(), Sjis("[よろしくお願いします。]\r\n"));
    EXPECT_EQ(editor.SelStart(), 1 + 22) << "the caret after the phrase (offsets count bytes)";
    EXPECT_TRUE(closeDialog) << "closed with the box on, which is kept";
    EXPECT_TRUE(Errors.empty());
}

} // namespace
} // namespace qx
