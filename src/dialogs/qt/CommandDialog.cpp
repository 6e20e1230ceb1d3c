#include "dialogs/qt/CommandDialog.h"

#include "dialogs/qt/ToolWidgets.h"
#include "platform/qt/QtCp932.h"

#include <QCheckBox>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

namespace qx {

namespace {

// The icon of a line's program: the file's own, found on the search path when the name has no folder.
QIcon ProgramIcon(const std::string& Line)
{
    static const QFileIconProvider provider;
    QString program = QString::fromStdString(PrepareCommand(Line, "").Program);
    if (!program.contains('/')) {
        const QString found = QStandardPaths::findExecutable(program);
        if (!found.isEmpty()) program = found;
    }
    const QFileInfo info(program);
    return info.exists() ? provider.icon(info) : provider.icon(QFileIconProvider::File);
}

} // namespace

TCommandDialog::TCommandDialog(std::string Folder, std::string FileName, bool& CloseDialog, TPrompter& Prompter,
                               TLauncher& Launcher, TExceptionHandler OnError, QWidget* Parent)
    : QDialog(Parent), FModel(std::move(Folder), Prompter, Launcher), FFileName(std::move(FileName)),
      FCloseDialog(CloseDialog), FOnError(std::move(OnError))
{
    setObjectName("CommandDialog");
    setWindowTitle(QString::fromUtf8("コマンド"));
    auto* layout = new QVBoxLayout(this);
    ListBox1 = ToolList(new QListWidget(this), "ListBox1");
    ListBox1->setIconSize(QSize(16, 16));
    ListBox1->setMinimumSize(460, 200);
    layout->addWidget(ListBox1);

    auto* fields = new QGridLayout;
    const auto field = [this, fields](int Row, const char* Label, const char* Name, QLineEdit*& Edit, QToolButton*& Button) {
        fields->addWidget(new QLabel(QString::fromUtf8(Label), this), Row, 0);
        Edit = new QLineEdit(this);
        Edit->setObjectName(Name);
        fields->addWidget(Edit, Row, 1);
        Button = new QToolButton(this);
        Button->setText("...");
        Button->setPopupMode(QToolButton::InstantPopup);
        Button->setMenu(new QMenu(Button));
        fields->addWidget(Button, Row, 2);
    };
    field(0, "コマンドライン：", "Edit1", Edit1, SpeedButton1);
    field(1, "パラメータ：", "Edit2", Edit2, SpeedButton2);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton2->setObjectName("SpeedButton2");
    layout->addLayout(fields);
    SpeedButton1->menu()->addAction(QString::fromUtf8("ﾌｧｲﾙ参照(&F)..."), this, [this] {
        if (ChooseFile) Insert(Edit1, ChooseFile());
    });
    SpeedButton1->menu()->addAction(QString::fromUtf8("ﾌｫﾙﾀﾞ参照(&D)..."), this, [this] {
        if (ChooseFolder) Insert(Edit1, ChooseFolder());
    });
    SpeedButton2->menu()->addAction(QString::fromUtf8("ﾌｧｲﾙ名ﾊﾟｽ付き(%FILENAME%)"), this,
                                    [this] { Insert(Edit2, QString::fromUtf8(kFileNamePlaceholder.data(), static_cast<qsizetype>(kFileNamePlaceholder.size()))); });

    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char* Caption, const char* Name) {
        auto* b = new QPushButton(QString::fromUtf8(Caption), this);
        b->setObjectName(Name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    Button10 = button("追加(&A)", "Button10");
    Button3 = button("変更(&E)", "Button3");
    Button11 = button("削除(&R)", "Button11");
    buttons->addStretch();
    Button1 = button("実行(&X)", "Button1");
    Button2 = button("閉じる(&C)", "Button2");
    layout->addLayout(buttons);
    CloseCheckBox = new QCheckBox(QString::fromUtf8("実行後ダイアログを閉じる"), this);
    CloseCheckBox->setObjectName("CloseCheckBox");
    CloseCheckBox->setChecked(FCloseDialog);
    layout->addWidget(CloseCheckBox);

    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int Row) {
        FModel.Select(Row);
        ShowModel();
    });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { Button1Click(); });
    connect(Button10, &QPushButton::clicked, this, [this] { Run(&TCommandListModel::Add); });
    connect(Button3, &QPushButton::clicked, this, [this] { Run(&TCommandListModel::Change); });
    connect(Button11, &QPushButton::clicked, this, [this] { Run(&TCommandListModel::Delete); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);

    GuardedCall(FOnError, [this] { FModel.Load(); });
    ShowModel();
}

void TCommandDialog::Button1Click()
{
    bool started = false;
    GuardedCall(FOnError, [&] { started = FModel.Execute(FFileName); });
    if (started && CloseCheckBox->isChecked()) accept();
}

void TCommandDialog::done(int Result)
{
    FCloseDialog = CloseCheckBox->isChecked();
    GuardedCall(FOnError, [this] { FModel.Save(); });
    QDialog::done(Result);
}

void TCommandDialog::Run(void (TCommandListModel::*Change)())
{
    FModel.Program = QStringToSjis(Edit1->text());
    FModel.Parameters = QStringToSjis(Edit2->text());
    GuardedCall(FOnError, [&] { (FModel.*Change)(); });
    ShowModel();
}

void TCommandDialog::ShowModel()
{
    ShowLines(ListBox1, FModel.Lines().Items(), FModel.ItemIndex(), ProgramIcon);
    Edit1->setText(SjisToQString(FModel.Program));
    Edit2->setText(SjisToQString(FModel.Parameters));
}

void TCommandDialog::Insert(QLineEdit* Edit, const QString& Text)
{
    if (!Text.isEmpty()) Edit->insert(Text);
}

} // namespace qx
