#include "dialogs/qt/SmallToolDialogs.h"

#include "dialogs/AboutBox.h"
#include "dialogs/GoToLine.h"
#include "dialogs/qt/ToolDialogKit.h"

#include <QEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

#include <filesystem>

namespace qx {

using namespace kit;

TLinkLabel::TLinkLabel(const QString& Text, std::function<void()> Open, QWidget* Parent)
    : QLabel(Text, Parent), FOpen(std::move(Open))
{
    setMouseTracking(true);
}

void TLinkLabel::ShowAsLink(bool Link)
{
    QFont f = font();
    f.setUnderline(Link);
    setFont(f);
    setStyleSheet(Link ? "color: blue;" : "color: black;");
    setCursor(Link ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TLinkLabel::enterEvent(QEnterEvent* Event)
{
    ShowAsLink(true);
    QLabel::enterEvent(Event);
}

void TLinkLabel::mouseDoubleClickEvent(QMouseEvent*)
{
    if (FOpen) FOpen();
}

TAboutBox::TAboutBox(std::function<void(const std::string&)> Open, QWidget* Parent) : QDialog(Parent)
{
    setObjectName("AboutBox");
    setWindowTitle(U("バージョン情報"));
    setMouseTracking(true);
    auto* product = Named<QLabel>(this, "ProductName", "QxEditor");
    QFont big = product->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    product->setFont(big);
    VersionLabel = Named<QLabel>(this, "Version", QString::fromStdString(VersionCaption()));
    auto* comment = Named<QLabel>(this, "Comments", U("日本語テキストエディタ"));
    MemoryLabel = Named<QLabel>(this, "PhysMem", QString::fromStdString(MemoryText(PhysicalMemoryKB())));
    EditMail = new TLinkLabel(AboutMailAddress, [Open] { Open(std::string("mailto:") + AboutMailAddress); }, this);
    EditMail->setObjectName("EditMail");
    EditURL = new TLinkLabel(AboutWebAddress, [Open] { Open(AboutWebAddress); }, this);
    EditURL->setObjectName("EditURL");
    OKButton = Button(this, "OKButton", "OK");
    OKButton->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addWidget(VersionLabel);
    layout->addWidget(comment);
    auto* memory = new QHBoxLayout;
    memory->addWidget(new QLabel("Memory Available to Linux:", this));
    memory->addWidget(MemoryLabel);
    memory->addStretch();
    layout->addLayout(memory);
    layout->addWidget(EditMail);
    layout->addWidget(EditURL);
    layout->addLayout(ButtonRow({OKButton}));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

bool TAboutBox::event(QEvent* Event)
{
    if (Event->type() == QEvent::MouseMove || Event->type() == QEvent::Enter) {
        EditMail->ShowAsLink(false);
        EditURL->ShowAsLink(false);
    }
    return QDialog::event(Event);
}

TDialogSitei::TDialogSitei(TEditor& Editor, bool Logical, QWidget* Parent) : QDialog(Parent), FEditor(Editor)
{
    setObjectName("DialogSitei");
    setWindowTitle(U("指定行ジャンプ"));
    SpinEdit1 = Named<QSpinBox>(this, "SpinEdit1");
    Label2 = Named<QLabel>(this, "Label2");
    CheckBox1 = Check(this, "CheckBox1", "論理行で指定");
    CheckBox1->setChecked(Logical);
    OKButton = Button(this, "OKButton", "OK");
    CancelButton = Button(this, "CancelButton", "CANCEL");
    OKButton->setDefault(true);
    ShowMaximum();
    SpinEdit1->setValue(1);

    auto* layout = new QVBoxLayout(this);
    auto* line = new QHBoxLayout;
    auto* label = new QLabel(U("指定行(&J)："), this);
    label->setBuddy(SpinEdit1);
    line->addWidget(label);
    line->addWidget(SpinEdit1, 1);
    line->addWidget(Label2);
    layout->addLayout(line);
    layout->addWidget(CheckBox1);
    layout->addLayout(ButtonRow({OKButton, CancelButton}));
    SpinEdit1->setFocus();
    SpinEdit1->selectAll();
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { ShowMaximum(); });
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TDialogSitei::ShowMaximum()
{
    const int maximum = JumpMaximum(FEditor, CheckBox1->isChecked());
    SpinEdit1->setRange(1, maximum);
    Label2->setText("/ " + QString::number(maximum));
}

int TDialogSitei::Value() const { return SpinEdit1->value(); }
bool TDialogSitei::Logical() const { return CheckBox1->isChecked(); }

TMailDialog::TMailDialog(QWidget* Parent) : QDialog(Parent)
{
    setObjectName("MailDialog");
    setWindowTitle(U("メーラへ送信"));
    Edit2 = Named<QLineEdit>(this, "Edit2");
    Edit2->setMinimumWidth(320);
    Button1 = Button(this, "Button1", "送信");
    Button2 = Button(this, "Button2", "CANCEL");
    Button1->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel("Subject：", this));
    line->addWidget(Edit2, 1);
    layout->addLayout(line);
    layout->addLayout(ButtonRow({Button1, Button2}));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

std::string TMailDialog::Subject() const { return Edit2->text().toStdString(); }

TAllTabForm::TAllTabForm(const std::vector<std::string>& Names, QWidget* Parent) : QDialog(Parent)
{
    setObjectName("AllTabForm");
    setWindowTitle(U("ドキュメントの選択"));
    ListBox1 = Named<QListWidget>(this, "ListBox1");
    ListBox1->setIconSize(QSize(16, 16));
    const QFileIconProvider icons;
    for (const std::string& name : Names) {
        const QFileInfo info(QString::fromStdString(name));
        // A document without a file gets the icon of a plain text file.
        const QIcon icon = info.exists() ? icons.icon(info) : icons.icon(QFileIconProvider::File);
        auto* item = new QListWidgetItem(icon, QString::fromStdString(std::filesystem::path(name).filename().string()));
        item->setToolTip(QString::fromStdString(name));
        ListBox1->addItem(item);
    }
    if (ListBox1->count() > 0) ListBox1->setCurrentRow(0);
    OKButton = Button(this, "OKButton", "OK");
    CancelButton = Button(this, "CancelButton", "CANCEL");
    OKButton->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addLayout(ButtonRow({OKButton, CancelButton}));
    resize(420, 320);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

int TAllTabForm::Chosen() const { return ListBox1->currentRow(); }

THtmlConvertForm::THtmlConvertForm(const std::string& Title, QWidget* Parent) : QDialog(Parent)
{
    setObjectName("HtmlConvertForm");
    setWindowTitle(U("HTML形式で保存"));
    Edit1 = Named<QLineEdit>(this, "Edit1", QString::fromStdString(Title));
    Edit1->setMinimumWidth(320);
    CheckBox1 = Check(this, "CheckBox1", "<PRE>タグを使用");
    CheckBox1->setChecked(true);
    OKButton = Button(this, "OKButton", "OK");
    CancelButton = Button(this, "CancelButton", "CANCEL");
    OKButton->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(U("タイトル："), this));
    line->addWidget(Edit1, 1);
    layout->addLayout(line);
    layout->addWidget(CheckBox1);
    layout->addLayout(ButtonRow({OKButton, CancelButton}));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::string THtmlConvertForm::Title() const { return Edit1->text().toStdString(); }
bool THtmlConvertForm::UsePre() const { return CheckBox1->isChecked(); }

} // namespace qx
