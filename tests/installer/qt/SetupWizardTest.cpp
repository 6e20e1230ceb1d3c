#include "installer/SetupFixture.h"
#include "installer/qt/SetupWizard.h"
#include "installer/qt/UninstallDialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace qx;
using namespace qx::test;

namespace {

constexpr int kWaitMs = 20000;  // an upper bound for the copy steps to run, not a timing requirement

} // namespace

class SetupWizardTest : public SetupTest {
protected:
    template <class T>
    T* Find(QWidget& root, const char* name)
    {
        T* widget = root.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
};

TEST_F(SetupWizardTest, WalksThroughTheThreePagesAndStartsTheProgram)
{
    MakeDist(kToolInf, kToolFiles);
    ASSERT_TRUE(setup.Load(dist / "setup"));
    TSetupWizard wizard(setup);
    wizard.show();
    EXPECT_EQ(wizard.windowTitle(), "Qxエディタ のインストール");
    EXPECT_EQ(wizard.currentId(), TSetupWizard::FolderPageId);
    EXPECT_EQ(Find<QLabel>(wizard, "FolderPrompt")->text(), "Qxエディタ\nのインストール先を指定してください");
    auto* edit = Find<QLineEdit>(wizard, "FolderEdit");
    const QString folder = QString::fromStdString((home.Home / ".local/share/QxEditor/").string());
    EXPECT_EQ(edit->text(), folder);
    EXPECT_EQ(edit->maxLength(), 259);

    edit->setText("relative");
    wizard.next();
    EXPECT_EQ(wizard.currentId(), TSetupWizard::FolderPageId);
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"「/home/user/Soft」のように、「/」から始まる正しいパス名を指定してください。"});

    edit->setText(folder);
    wizard.next();
    ASSERT_EQ(wizard.currentId(), TSetupWizard::OptionsPageId);
    EXPECT_FALSE(wizard.button(QWizard::BackButton)->isVisible() && wizard.button(QWizard::BackButton)->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>(wizard, "StartMenuCheck")->isChecked());
    Find<QCheckBox>(wizard, "DesktopCheck")->setChecked(true);
    wizard.next();
    ASSERT_EQ(wizard.currentId(), TSetupWizard::CopyPageId);
    EXPECT_FALSE(wizard.button(QWizard::CancelButton)->isVisible());
    EXPECT_FALSE(wizard.button(QWizard::FinishButton)->isEnabled());

    QTRY_VERIFY_WITH_TIMEOUT(wizard.currentPage()->isComplete(), kWaitMs);
    EXPECT_EQ(Find<QLabel>(wizard, "CopyText")->text(), "インストールが完了しました。「完了」を押すと起動します。");
    EXPECT_EQ(Find<QLabel>(wizard, "UninstallHint")->text(),
              "このアプリケーションをアンインストールするには、インストール先の\n「 setup r 」 を実行してください。");
    EXPECT_FALSE(Find<QProgressBar>(wizard, "CopyProgress")->isVisible());
    EXPECT_TRUE(wizard.button(QWizard::FinishButton)->isEnabled());
    EXPECT_TRUE(fs::exists(home.Home / "Desktop/Qxエディタ.desktop"));
    EXPECT_TRUE(fs::exists(home.Home / ".local/share/applications/Qxエディタ.desktop"));

    wizard.button(QWizard::FinishButton)->click();
    ASSERT_EQ(launcher.Calls.size(), 2u);
    EXPECT_EQ(launcher.Calls[0].Target, (home.Home / ".local/share/QxEditor/QxEditor").string());
    EXPECT_EQ(prompter.Texts().size(), 1u);
}

TEST_F(SetupWizardTest, ResidentProgramGoesStraightToTheCopyPage)
{
    MakeDist("[Install]\nTitle=Res\nFolder=Res\nTSR=1\n1=daemon\n", {{"daemon", "d"}});
    ASSERT_TRUE(setup.Load(dist / "setup"));
    TSetupWizard wizard(setup);
    wizard.show();
    wizard.next();
    ASSERT_EQ(wizard.currentId(), TSetupWizard::CopyPageId);
    // Neither Escape nor the window's close button stops the copy halfway.
    QTest::keyClick(&wizard, Qt::Key_Escape);
    wizard.close();
    ASSERT_TRUE(wizard.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(wizard.currentPage()->isComplete(), kWaitMs);
    EXPECT_TRUE(fs::exists(home.Home / ".config/autostart/Res.desktop"));
    EXPECT_NE(KeyValue(setup.UninstallKey(), "UninstallString"), "");
    wizard.button(QWizard::FinishButton)->click();
    EXPECT_FALSE(wizard.isVisible());
}

TEST_F(SetupWizardTest, UninstallDialogRunsTheRemovalAndEnablesClose)
{
    MakeDist(kToolInf, kToolFiles);
    ASSERT_TRUE(setup.Load(dist / "setup"));
    ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    InstallAll(setup);

    TSetup worker(home.Folders, prompter, launcher);
    Prepare(worker);
    ASSERT_TRUE(worker.Load(home.Home / ".local/share/QxEditor/setup"));
    ASSERT_TRUE(worker.BeginUninstall());
    TUninstallDialog dialog(worker);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Qxエディタの削除");
    auto* close = Find<QPushButton>(dialog, "CloseButton");
    EXPECT_EQ(Find<QLabel>(dialog, "UninstallText")->text(), "アプリケーションのアンインストールを行っています...");
    EXPECT_FALSE(close->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(close->isEnabled(), kWaitMs);
    EXPECT_TRUE(dialog.Removed());
    EXPECT_EQ(Find<QLabel>(dialog, "UninstallText")->text(), "Qxエディタ は正常に削除されました。");
    EXPECT_FALSE(fs::exists(home.Home / ".local/share/QxEditor"));
    close->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(SetupWizardTest, TheUninstallWindowShowsAllOfTheLeftoversText)
{
    MakeDist(kToolInf, kToolFiles);
    ASSERT_TRUE(setup.Load(dist / "setup"));
    ASSERT_TRUE(setup.AcceptInstallFolder(setup.InstallFolderText()));
    InstallAll(setup);
    // A file of the user's that the user keeps at the question.
    const fs::path install = home.Home / ".local/share/QxEditor";
    PutFile(install / "memo.txt", "mine");

    TSetup worker(home.Folders, prompter, launcher);
    Prepare(worker);
    ASSERT_TRUE(worker.Load(install / "setup"));
    ASSERT_TRUE(worker.BeginUninstall());
    prompter.Answers = {mr::No};
    TUninstallDialog dialog(worker);
    dialog.show();
    auto* close = Find<QPushButton>(dialog, "CloseButton");
    QTRY_VERIFY_WITH_TIMEOUT(close->isEnabled(), kWaitMs);
    EXPECT_FALSE(dialog.Removed());
    auto* text = Find<QLabel>(dialog, "UninstallText");
    EXPECT_EQ(text->text().toStdString(), worker.RemovalText(false));
    QCoreApplication::processEvents();
    EXPECT_GE(text->width(), text->minimumSizeHint().width());
    EXPECT_GE(text->height(), text->heightForWidth(text->width()));
    EXPECT_TRUE(dialog.rect().contains(text->geometry()));
    EXPECT_EQ(FileText(install / "memo.txt"), "mine");
}
