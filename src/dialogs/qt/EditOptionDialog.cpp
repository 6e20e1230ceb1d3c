#include "dialogs/qt/EditOptionDialog.h"

#include "dialogs/qt/EditOptionPages.h"
#include "dialogs/qt/GradBox.h"
#include "platform/Cp932.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {

namespace {

QPushButton* Button(const char* Name, const char* Caption, QWidget* Parent)
{
    auto* button = new QPushButton(QString::fromUtf8(Caption), Parent);
    button->setObjectName(QLatin1String(Name));
    button->setAutoDefault(false);
    return button;
}

TQxGradBox* Title(const char* Caption, int Steps, QWidget* Parent)
{
    auto* box = new TQxGradBox(Parent);
    box->SetStartColor(clBlack);
    box->SetEndColor(clBlue);
    box->SetGradStep(Steps);
    box->SetDirection(TGradDirection::gdHorizontal);
    box->SetTitle(QString::fromUtf8(Caption));
    box->SetTitleMargin(8);
    QFont font = box->font();
    font.setBold(true);
    box->setFont(font);
    QPalette palette = box->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    box->setPalette(palette);
    box->setFixedHeight(22);
    return box;
}

} // namespace

TEditOptionDialog::TEditOptionDialog(TEditOptionContext Context, TEditOptionHost& Host, QWidget* Parent)
    : QDialog(Parent), FContext(std::move(Context)), FHost(Host)
{
    setObjectName(QStringLiteral("EditOptionDialog"));
    setWindowTitle(QStringLiteral("エディタオプション設定"));

    auto* top = new QHBoxLayout;
    top->addWidget(Title("エディタ環境名", 96, this), 1);
    FEnvBox = new QComboBox(this);
    FEnvBox->setObjectName(QStringLiteral("EditorEnvComboBox"));
    FEnvBox->setMaxVisibleItems(10);
    FEnvBox->setMinimumWidth(220);
    top->addWidget(FEnvBox);
    QPushButton* define = Button("Button2", "定義", this);
    top->addWidget(define);

    FPageList = new QListWidget(this);
    FPageList->setObjectName(QStringLiteral("ListBox1"));
    FPageList->setViewMode(QListView::ListMode);
    FPageList->setIconSize(QSize(32, 32));
    // Wide enough for the longest caption beside its icon, with the scroll bar.
    FPageList->setFixedWidth(140);
    FPageList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Selected pages white on blue, as the list has always shown them.
    FPageList->setStyleSheet(QStringLiteral("QListWidget::item { height: 56px; }"
                                            "QListWidget::item:selected { background: #0000FF; color: white; }"));
    for (int i = 0; i < kEditOptionPageCount; ++i) {
        auto* item = new QListWidgetItem(EditOptionPageIcon(i), QString::fromUtf8(kEditOptionPageCaptions[i]).trimmed());
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        item->setSizeHint(QSize(118, 56));
        FPageList->addItem(item);
    }
    FPageList->setFlow(QListView::TopToBottom);

    FHostPanel = new QWidget(this);
    FHostPanel->setObjectName(QStringLiteral("OptPanel"));
    FHostPanel->setMinimumSize(520, 440);
    auto* hostLayout = new QVBoxLayout(FHostPanel);
    hostLayout->setContentsMargins(0, 0, 0, 0);

    auto* right = new QVBoxLayout;
    right->addWidget(Title("", 128, this));
    right->addWidget(FHostPanel, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(FPageList);
    middle->addLayout(right, 1);

    QPushButton* help = Button("Button9", "HELP(&H)", this);
    help->setEnabled(false);  // there is no help file to open
    QPushButton* ok = Button("Button3", "OK", this);
    ok->setDefault(true);
    QPushButton* cancel = Button("Button4", "CANCEL", this);
    QPushButton* apply = Button("Button1", "適用(&A)", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(apply);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);

    const TExceptionHandler& onError = FContext.OnError;
    connect(FEnvBox, &QComboBox::activated, this, [this, onError](int Index) {
        GuardedCall(onError, [&] { EnvironmentChanged(Index); });
    });
    connect(FPageList, &QListWidget::currentRowChanged, this, [this, onError](int Row) {
        GuardedCall(onError, [&] { SelectPage(Row); });
    });
    connect(define, &QPushButton::clicked, this, [this, onError] {
        GuardedCall(onError, [&] {
            if (OnDefine) OnDefine();
        });
    });
    connect(ok, &QPushButton::clicked, this, [this, onError] { GuardedCall(onError, [&] { Ok(); }); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply, &QPushButton::clicked, this, [this, onError] { GuardedCall(onError, [&] { Apply(); }); });
}

void TEditOptionDialog::ApplyStayOnTop(bool StayOnTop) { setWindowFlag(Qt::WindowStaysOnTopHint, StayOnTop); }

void TEditOptionDialog::FormShow(int CurrentEnvironment)
{
    FContext.Model.Show(CurrentEnvironment);
    ShowEnvironments();
}

void TEditOptionDialog::ShowEnvironments()
{
    const TEditOptionModel& model = FContext.Model;
    const QSignalBlocker blocker(FEnvBox);
    FEnvBox->clear();
    for (const std::string& name : model.Names()) FEnvBox->addItem(QString::fromStdString(Cp932ToUtf8(name)));
    FEnvBox->setCurrentIndex(model.Index());
    ShowPage();
}

void TEditOptionDialog::EnvironmentChanged(int Index)
{
    FContext.Model.SelectEnvironment(Index);
    ShowPage();
}

void TEditOptionDialog::SelectPage(int Page)
{
    if (FContext.Model.SelectPage(Page)) ShowPage();
}

void TEditOptionDialog::ShowPage()
{
    // The page is built anew from the working copy each time one is chosen or the copy is reloaded.
    delete FPage;
    FPage = nullptr;
    const int page = FContext.Model.Page();
    {
        const QSignalBlocker blocker(FPageList);
        FPageList->setCurrentRow(page);
    }
    if (page < 0 || FContext.Model.Index() < 0) return;
    FPage = CreateEditOptionPage(page, FContext, FHostPanel);
    FHostPanel->layout()->addWidget(FPage);
    FPage->show();
}

bool TEditOptionDialog::Apply() { return FContext.Model.Apply(FHost); }

void TEditOptionDialog::Ok()
{
    if (Apply()) accept();
}

} // namespace qx
