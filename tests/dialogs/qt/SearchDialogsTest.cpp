// The find, replace and grep windows driven through their controls without exec(): what they show,
// what their buttons hand to the logic, and the grep window's state while a run goes on.

#include "dialogs/qt/QxGrepDialog.h"
#include "dialogs/qt/QxSearchDialogs.h"

#include "../FakeGrepHost.h"
#include "documents/GlobalState.h"
#include "platform/Cp932.h"
#include "platform/Prompter.h"
#include "platform/qt/WindowPlacement.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace qx::test {
namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

struct SearchWindowTest : ::testing::Test {
    TempDir dir;
    TGlobalState state;
    SearchWindowTest()
    {
        state.ProgramFolder = dir.Path() + "/";
        CreateGlobalLists(state);
    }
};

TEST_F(SearchWindowTest, FindDialogHandsItsControlsToTheSearch)
{
    TFindDialogModel model(state, false);
    TFindDialog dialog(model);
    dialog.FormShow(nullptr);
    dialog.FindTextComboBox->setEditText(U("前回"));
    dialog.OKButton->click();
    EXPECT_EQ(dialog.windowTitle(), U("検索"));
    EXPECT_EQ(dialog.findChild<QComboBox*>("FindTextComboBox"), dialog.FindTextComboBox);
    EXPECT_EQ(dialog.DirectRadioGroup->title(), U(" 検索範囲 "));
    EXPECT_EQ(dialog.EscapeCheck->text(), U("改行：\\n, TAB：\\t, \\：\\\\(&E)"));

    // ExecuteFind over a run that uses the window as a person would.
    std::string text;
    TEditorSearchOptions options = 0;
    const TRunModal run = [&](TFindDialogModel&) {
        dialog.FormShow(nullptr);
        EXPECT_EQ(dialog.FindTextComboBox->currentText(), U("前回")) << "the newest entry";
        EXPECT_TRUE(dialog.DirectRadio[0]->isChecked());
        dialog.FindTextComboBox->setEditText(U("漢字\\t"));
        dialog.EscapeCheck->setChecked(true);
        dialog.MatchCaseCheck->setChecked(true);
        dialog.DirectRadio[1]->setChecked(true);
        dialog.OKButton->click();
        return dialog.result();
    };
    ASSERT_TRUE(ExecuteFind(dialog.Model(), run, nullptr, text, options));
    EXPECT_EQ(text, Utf8ToCp932("漢字\t"));
    EXPECT_EQ(options, soMatchCase);
    EXPECT_EQ(state.FindHistory[0], Utf8ToCp932("漢字\\t"));

    dialog.FormShow(nullptr);
    EXPECT_EQ(dialog.FindTextComboBox->count(), 2);
    EXPECT_TRUE(dialog.EscapeCheck->isChecked()) << "the options were stored";
    EXPECT_TRUE(dialog.DirectRadio[1]->isChecked());
    dialog.ReplaceCancelButton->click();
    EXPECT_EQ(dialog.result(), mr::Cancel);
}

TEST_F(SearchWindowTest, ReplaceDialogClosesWithOkOrAll)
{
    TFindDialogModel model(state, true);
    TReplaceDialog dialog(model);
    EXPECT_EQ(dialog.windowTitle(), U("置換"));
    EXPECT_EQ(dialog.AllReplaceButton->text(), U("すべて置換(&A)"));
    for (QPushButton* button : {dialog.OKButton, dialog.AllReplaceButton}) {
        dialog.FormShow(nullptr);
        EXPECT_EQ(dialog.ReplaceText->currentText(), QString()) << "the replacement starts empty";
        dialog.FindText->setEditText("a");
        dialog.ReplaceText->setEditText(U("ｂ"));
        dialog.ReplaceConfirmCheck->setChecked(false);
        button->click();
        const bool all = button == dialog.AllReplaceButton;
        EXPECT_EQ(dialog.result(), all ? mr::All : mr::Ok);
        EXPECT_EQ(dialog.Model().Options(), soForward | (all ? soReplaceAll : soReplaceStep));
        EXPECT_EQ(dialog.Model().Controls.ReplaceText, Utf8ToCp932("ｂ"));
    }
    EXPECT_EQ(state.ReplaceHistory.Count(), 1);
    // "全文検索(&A)" and "すべて置換(&A)" share their letter: Alt+A replaces all.
    dialog.FormShow(nullptr);
    dialog.FindText->setEditText("a");
    dialog.setResult(0);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);
    QTest::qWaitFor([&] { return dialog.result() != 0; }, 2000);  // a mnemonic clicks after a moment
    EXPECT_EQ(dialog.result(), mr::All);
    EXPECT_EQ(dialog.DirectRadio[2]->text(), U("全文検索(&A)"));
}

struct GrepWindowTest : SearchWindowTest {
    FakeGrepHost host;
    TGrepDialog dialog{state, host};
    GrepWindowTest() { dialog.Model().Grep().Poll.Interval = std::chrono::milliseconds(0); }
    // The files searched, apart from the settings the dialog writes into the program folder.
    std::string Data(const std::string& Name = "") { return dir.File("data") + (Name.empty() ? "" : "/" + Name); }
    void Put(const std::string& Name, const std::string& Bytes)
    {
        std::filesystem::create_directories(Data());
        WriteBytes(Data(Name), Bytes);
    }
};

TEST_F(GrepWindowTest, RunsFromTheControlsAndLocksThemWhileRunning)
{
    Put("a.txt", Utf8ToCp932("一\r\n二 hit\r\n"));
    Put("b.txt", "hit\n");
    dialog.ChooseFolder = [&] { return Data(); };
    dialog.FormShow(Utf8ToCp932("選択"));
    EXPECT_EQ(dialog.windowTitle(), U("Grepの実行"));
    EXPECT_EQ(dialog.ComboBox1->currentText(), U("選択"));
    EXPECT_EQ(dialog.CancelButton->text(), U("閉じる"));
    dialog.Button1->click();
    EXPECT_EQ(dialog.ComboBox2->currentText().toStdString(), Data() + "/*.*");
    dialog.ComboBox1->setEditText("hit");

    std::vector<QString> titles;
    host.OnPoll = [&] {
        titles.push_back(dialog.windowTitle());
        EXPECT_FALSE(dialog.OKButton->isEnabled());
        EXPECT_FALSE(dialog.ComboBox1->isEnabled());
        EXPECT_FALSE(dialog.CheckBoxSubDir->isEnabled());
        EXPECT_EQ(dialog.CancelButton->text(), U("CANCEL"));
    };
    dialog.OKButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(host.Docs.size(), 1u);
    EXPECT_EQ(host.Names[0], "Grep \"hit\"");
    EXPECT_EQ(host.Text(), Utf8ToCp932(Data("a.txt") + "(2) :二 hit\r\n" + Data("b.txt") + "(1) :hit\r\n"));
    EXPECT_NE(std::find(titles.begin(), titles.end(), U("Grepの実行 \"b.txt\"")), titles.end());
    EXPECT_TRUE(dialog.OKButton->isEnabled());
    EXPECT_EQ(dialog.CancelButton->text(), U("閉じる"));
    EXPECT_EQ(dialog.windowTitle(), U("Grepの実行"));
}

TEST_F(GrepWindowTest, ALongHistoryEntryLeavesTheWindowItsWidthAndOnTheScreen)
{
    Put("a.txt", "x\r\n");
    dialog.ChooseFolder = [&] { return Data(); };
    dialog.FormShow("x");
    dialog.adjustSize();
    CentreOnScreen(dialog);
    const int width = dialog.width();
    // A whole document once taken as the pattern goes into the history.
    dialog.Button1->click();
    dialog.ComboBox1->setEditText(QString(3000, 'a'));
    dialog.OKButton->click();
    TGrepDialog next{state, host};
    next.FormShow("");
    ASSERT_EQ(next.ComboBox1->itemText(0).size(), 3000);
    next.adjustSize();
    CentreOnScreen(next);
    next.show();
    EXPECT_EQ(next.width(), width);
    const QRect area = next.screen()->availableGeometry();
    EXPECT_TRUE(area.contains(next.geometry())) << next.geometry().x() << "," << next.geometry().width();
    EXPECT_TRUE(area.contains(next.OKButton->mapTo(&next, next.OKButton->rect().bottomRight()) + next.pos()));
}

TEST_F(GrepWindowTest, TheCancelButtonOrClosingTheWindowStopsTheRun)
{
    for (int i = 0; i < 3; ++i) Put("f" + std::to_string(i) + ".txt", "hit\n");
    for (int way = 0; way < 3; ++way) {
        dialog.FormShow("");
        dialog.ComboBox1->setEditText("hit");
        dialog.ComboBox2->setEditText(QString::fromStdString(Data() + "/*.txt"));
        host.OnPoll = [&] {
            if (way == 0) dialog.CancelButton->click();
            if (way == 1) {
                EXPECT_FALSE(dialog.close()) << "the window stays until the run has ended";
            }
            if (way == 2) dialog.reject();  // Esc
        };
        dialog.OKButton->click();
        EXPECT_EQ(host.Prompts.Requests.back().Text, "Grepの実行を中断しました。") << way;
        EXPECT_FALSE(dialog.Model().Running());
    }
    EXPECT_EQ(host.Prompts.Requests.size(), 3u);
}

} // namespace
} // namespace qx::test
