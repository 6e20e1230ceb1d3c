// The main window's tool commands open their dialogs and act on the focused document.

#include "dialogs/qt/CommandDialog.h"
#include "dialogs/qt/SignatureDialogs.h"
#include "dialogs/qt/StrEditDialog.h"
#include "dialogs/qt/WordAssistantWindow.h"
#include "documents/SettingsFile.h"
#include "editor/EditorStrings.h"
#include "editor/QxEditor.h"
#include "mainwindow/qt/QxEditorMain.h"
#include "mainwindow/qt/ToolDialogs.h"
#include "platform/Cp932.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "mainwindow/qt/WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace qx {
namespace {

struct ToolCommandsTest : test::WindowFixture {
    void SetUp() override
    {
        MakeWindow();
        Window->OpenCommandLine({}, Dir.Path());
    }
    static void Select(TEditor& Editor, int From, int To)
    {
        Editor.SetRowCol(0, From);
        Editor.StartSelection();
        Editor.SetRowCol(0, To);
        Editor.ShowSelection();
    }
    // Runs a command whose modal dialog of type Dialog Answer handles.
    template <class Dialog> void RunWithDialog(const char* Action, std::function<void(Dialog&)> Answer)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
            seen = dialog != nullptr;
            if (dialog) Answer(*dialog);
        });
        EXPECT_TRUE(Window->Commands().Execute(Action)) << Action;
        EXPECT_TRUE(seen) << Action;
    }
};

TEST_F(ToolCommandsTest, TheQuotingCommandsAskForTheirMarksFirst)
{
    TEditor& editor = *Window->FocusedEditor();
    editor.Lines().SetText("word");
    Select(editor, 0, 4);
    RunWithDialog<TStrEditDialog>("ActionInyou", [](TStrEditDialog& dialog) {
        dialog.Edit2->setText("<<");
        dialog.Button1->click();
    });
    EXPECT_EQ(editor.Lines().Text(), "<<word]\r\n");
    EXPECT_EQ(State.Settings.Option.InyouString4, "<<");

    // Cancelled: nothing changes.
    Select(editor, 0, 7);
    RunWithDialog<TStrEditDialog>("ActionUserInyou", [](TStrEditDialog& dialog) { dialog.Button2->click(); });
    EXPECT_EQ(editor.Lines().Text(), "<<word]\r\n");
}

TEST_F(ToolCommandsTest, InsertSignPutsTheChosenSignatureAtTheCaret)
{
    TEditor& editor = *Window->FocusedEditor();
    editor.Lines().SetText("xy");
    editor.SetSelStart(1);
    RunWithDialog<TSignForm>("ActionInsertSign", [](TSignForm& form) {
        form.ListBox1->setCurrentRow(2);
        form.Button1->click();
    });
    EXPECT_EQ(Cp932ToUtf8(editor.Lines().Text()), "x署名 3 の設定を行ってください\r\ny\r\n");
    EXPECT_TRUE(std::filesystem::exists(Dir.File("Sign1.txt")));
}

// The "close after" ticks of the external-command dialog and of the word assistant outlive the program:
// kept in "QxEditor.ini" and shown again by a later start (its state read afresh).
TEST_F(ToolCommandsTest, TheCloseAfterTicksAreKeptForTheNextStart)
{
    RunWithDialog<TCommandDialog>("ActionCommand", [](TCommandDialog& dialog) {
        EXPECT_FALSE(dialog.CloseCheckBox->isChecked());
        dialog.CloseCheckBox->setChecked(true);
        dialog.Button2->click();
    });
    Window->Commands().Execute("ActionInsertStr");
    TWordAssistant* assistant = Window->ToolDialogs().WordAssistant();
    ASSERT_NE(assistant, nullptr);
    assistant->CloseCheckBox->setChecked(true);
    assistant->close();

    const TMemIniFile ini(State.ProgramFile(IniFileName));
    EXPECT_TRUE(ini.ReadBool("Command", "CloseDialog", false));
    EXPECT_TRUE(ini.ReadBool("WordAssistant", "CloseDialog", false));
    State.Settings.Command.CloseDialog = State.Settings.WordAssistant.CloseDialog = false;
    RunWithDialog<TCommandDialog>("ActionCommand", [](TCommandDialog& dialog) {
        EXPECT_TRUE(dialog.CloseCheckBox->isChecked());
        dialog.Button2->click();
    });
    QApplication::processEvents();
    Window->Commands().Execute("ActionInsertStr");
    assistant = Window->ToolDialogs().WordAssistant();
    ASSERT_NE(assistant, nullptr);
    EXPECT_TRUE(assistant->CloseCheckBox->isChecked());
    assistant->close();
}

} // namespace
} // namespace qx
