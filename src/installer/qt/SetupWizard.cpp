#include "installer/qt/SetupWizard.h"

#include "installer/Setup.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace qx {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The copy page starts its first step this long after it is shown, as the original did.
constexpr int kCopyDelayMs = 300;

} // namespace

TSetupWizard::TSetupWizard(TSetup& setup, QWidget* parent) : QWizard(parent), FSetup(setup)
{
    setObjectName("SetupWizard");
    setWindowTitle(Text(setup.Info().Title + " のインストール"));
    setOption(QWizard::NoBackButtonOnStartPage);
    setOption(QWizard::NoBackButtonOnLastPage);
    setButtonText(QWizard::NextButton, "次へ(&N) >");
    setButtonText(QWizard::CommitButton, "次へ(&N) >");
    setButtonText(QWizard::BackButton, "< 戻る(&B)");
    setButtonText(QWizard::FinishButton, "完了");
    setButtonText(QWizard::CancelButton, "キャンセル");
    setPage(FolderPageId, new TFolderPage(setup));
    setPage(OptionsPageId, new TOptionsPage(setup));
    setPage(CopyPageId, new TCopyPage(setup));
    // Once the copy page is reached the installation runs to its end: no Cancel.
    connect(this, &QWizard::currentIdChanged, this,
            [this](int id) { setOption(QWizard::NoCancelButton, id == CopyPageId); });
}

int TSetupWizard::nextId() const
{
    switch (currentId()) {
    case FolderPageId: return FSetup.Info().TSR ? CopyPageId : OptionsPageId;
    case OptionsPageId: return CopyPageId;
    default: return -1;
    }
}

void TSetupWizard::accept()
{
    FSetup.Finish();
    QWizard::accept();
}

void TSetupWizard::reject()
{
    // Escape and the window's close button end the wizard too, but not while the copy runs: that would
    // leave the files without their shortcuts and their uninstall record.
    if (currentId() == CopyPageId && !currentPage()->isComplete()) return;
    QWizard::reject();
}

TFolderPage::TFolderPage(TSetup& setup) : FSetup(setup)
{
    setObjectName("FolderPage");
    // Every page only goes forward: the folder is taken, the options are stored.
    setCommitPage(true);
    auto* prompt = new QLabel(Text(setup.Info().Title + "\nのインストール先を指定してください"));
    prompt->setObjectName("FolderPrompt");
    FEdit = new QLineEdit;
    FEdit->setObjectName("FolderEdit");
    FEdit->setMaxLength(259);
    auto* browse = new QPushButton("参照(&B)...");
    browse->setObjectName("BrowseButton");
    connect(browse, &QPushButton::clicked, this, &TFolderPage::BrowseClick);

    auto* row = new QHBoxLayout;
    row->addWidget(FEdit, 1);
    row->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(row);
    layout->addStretch();
}

void TFolderPage::initializePage()
{
    FEdit->setText(Text(FSetup.InstallFolderText()));
}

bool TFolderPage::validatePage()
{
    if (!FSetup.AcceptInstallFolder(FEdit->text().toStdString())) return false;
    FEdit->setText(Text(FSetup.InstallFolderText()));
    return true;
}

void TFolderPage::BrowseClick()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QString(), QDir::homePath(),
                                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (!folder.isEmpty()) FEdit->setText(folder);
}

TOptionsPage::TOptionsPage(TSetup& setup) : FSetup(setup)
{
    setObjectName("OptionsPage");
    setCommitPage(true);
    FStartMenu = new QCheckBox("スタートメニューに登録する");
    FStartMenu->setObjectName("StartMenuCheck");
    FStartMenu->setChecked(true);
    FDesktop = new QCheckBox("デスクトップにショートカットを作成する");
    FDesktop->setObjectName("DesktopCheck");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FStartMenu);
    layout->addWidget(FDesktop);
    layout->addStretch();
}

bool TOptionsPage::validatePage()
{
    FSetup.StartMenu = FStartMenu->isChecked();
    FSetup.DesktopShortcut = FDesktop->isChecked();
    return true;
}

TCopyPage::TCopyPage(TSetup& setup) : FSetup(setup)
{
    setObjectName("CopyPage");
    FProgress = new QProgressBar;
    FProgress->setObjectName("CopyProgress");
    FText = new QLabel;
    FText->setObjectName("CopyText");
    FText->setWordWrap(true);
    FHint = new QLabel;
    FHint->setObjectName("UninstallHint");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FProgress);
    layout->addWidget(FText);
    layout->addWidget(FHint);
    layout->addStretch();
}

void TCopyPage::initializePage()
{
    FDone = false;
    FProgress->setRange(0, FSetup.StepCount());
    FProgress->setValue(0);
    FProgress->show();
    FText->clear();
    FHint->clear();
    QTimer::singleShot(kCopyDelayMs, this, [this] { RunStep(0); });
}

void TCopyPage::RunStep(int step)
{
    FSetup.RunStep(step);
    FProgress->setValue(step + 1);
    if (step + 1 < FSetup.StepCount()) {
        // Each step posts the next, so the window is repainted and answers between the steps.
        QTimer::singleShot(0, this, [this, step] { RunStep(step + 1); });
        return;
    }
    FProgress->hide();
    FText->setText(Text(FSetup.CompletionText()));
    FHint->setText(Text(FSetup.UninstallHint()));
    FDone = true;
    emit completeChanged();
}

bool TCopyPage::isComplete() const
{
    return FDone;
}

} // namespace qx
