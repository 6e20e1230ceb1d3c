// The grep window over TGrepDialogModel.

#include "dialogs/qt/QxGrepDialog.h"

#include "dialogs/qt/QxSearchDialogs.h"
#include "platform/Cp932.h"
#include "platform/StringList.h"
#include "platform/qt/WindowPlacement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qx {

namespace {
// The mask is the file system's bytes.
QString FromPath(const std::string& S) { return QString::fromStdString(S); }
} // namespace

TGrepDialog::TGrepDialog(TGlobalState& State, TGrepHost& Host, QWidget* Parent)
    : QDialog(Parent), FModel(State, Host)
{
    setObjectName("GrepDialog");
    setWindowTitle(QString::fromUtf8(GrepCaption));
    ComboBox1 = MakeHistoryCombo(this, "ComboBox1");
    ComboBox2 = MakeHistoryCombo(this, "ComboBox2");
    auto button = [this](const char* Name, const char* Caption) {
        auto* b = new QPushButton(QString::fromUtf8(Caption), this);
        b->setObjectName(Name);
        return b;
    };
    Button1 = button("Button1", "フォルダ(&D)...");
    Button2 = button("Button2", "ファイル(&F)...");
    CheckBoxFuzzy = new QCheckBox(QString::fromUtf8("大文字・小文字、全角・半角を区別しない(&C)"), this);
    CheckBoxFuzzy->setObjectName("CheckBoxFuzzy");
    CheckBoxSubDir = new QCheckBox(QString::fromUtf8("サブフォルダも検索(&S)"), this);
    CheckBoxSubDir->setObjectName("CheckBoxSubDir");
    OKButton = button("OKButton", "OK");
    OKButton->setDefault(true);
    CancelButton = button("CancelButton", GrepCloseCaption);

    auto* grid = new QGridLayout(this);
    auto* label1 = new QLabel(QString::fromUtf8("検索文字列(&N)："), this);
    label1->setBuddy(ComboBox1);
    auto* label2 = new QLabel(QString::fromUtf8("検索対象(&T)："), this);
    label2->setBuddy(ComboBox2);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(ComboBox1, 0, 1, 1, 2);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(ComboBox2, 1, 1, 1, 2);
    auto* choosers = new QHBoxLayout;
    choosers->addStretch();
    choosers->addWidget(Button1);
    choosers->addWidget(Button2);
    grid->addLayout(choosers, 2, 1, 1, 2);
    grid->addWidget(CheckBoxFuzzy, 3, 0, 1, 3);
    grid->addWidget(CheckBoxSubDir, 4, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    grid->addLayout(buttons, 5, 0, 1, 3);

    FModel.OnStateChange = [this] { ShowState(); };
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (!ChooseFolder) return;
        Store();
        FModel.FolderChosen(ChooseFolder());
        ComboBox2->setEditText(FromPath(FModel.Mask));
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        if (!ChooseFile) return;
        Store();
        FModel.FileChosen(ChooseFile());
        ComboBox2->setEditText(FromPath(FModel.Mask));
    });
    // The switches go to the model at once.
    connect(CheckBoxFuzzy, &QCheckBox::toggled, this, [this](bool On) { FModel.Fuzzy = On; });
    connect(CheckBoxSubDir, &QCheckBox::toggled, this, [this](bool On) { FModel.SubDir = On; });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] {
        if (FModel.CancelButtonClick()) QDialog::reject();
    });
}

void TGrepDialog::ApplyStayOnTop(bool StayOnTop) { setWindowFlag(Qt::WindowStaysOnTopHint, StayOnTop); }

void TGrepDialog::FormShow(const std::string& Selection)
{
    FModel.FormShow(Selection);
    FillHistoryCombo(ComboBox1, FModel.PatternHistory(), FModel.Pattern, true);
    FillHistoryCombo(ComboBox2, FModel.MaskHistory(), FModel.Mask, false);
    CheckBoxFuzzy->setChecked(FModel.Fuzzy);
    CheckBoxSubDir->setChecked(FModel.SubDir);
    ShowState();
    ComboBox1->setFocus();
    ComboBox1->lineEdit()->selectAll();
}

int TGrepDialog::RunModal(const std::string& Selection)
{
    FormShow(Selection);
    adjustSize();
    CentreOnScreen(*this);
    return exec();
}

void TGrepDialog::Store()
{
    FModel.Pattern = Utf8ToCp932(ComboBox1->currentText().toStdString());
    FModel.Mask = ComboBox2->currentText().toStdString();
    FModel.Fuzzy = CheckBoxFuzzy->isChecked();
    FModel.SubDir = CheckBoxSubDir->isChecked();
}

void TGrepDialog::ShowState()
{
    setWindowTitle(QString::fromStdString(FModel.Caption()));
    const bool idle = !FModel.Running();
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBox1, ComboBox2, Button1, Button2, CheckBoxFuzzy,
                                                      CheckBoxSubDir, OKButton})
        w->setEnabled(idle);
    CancelButton->setText(QString::fromUtf8(FModel.CancelButtonCaption()));
}

void TGrepDialog::OKButtonClick()
{
    Store();
    if (FModel.OKButtonClick()) accept();
}

void TGrepDialog::reject()
{
    // Esc while grep runs asks the run to stop; the dialog closes when it has.
    if (FModel.Running()) {
        FModel.FormClose();
        return;
    }
    QDialog::reject();
}

void TGrepDialog::closeEvent(QCloseEvent* Event)
{
    if (FModel.Running()) {
        FModel.FormClose();
        Event->ignore();
        return;
    }
    QDialog::closeEvent(Event);
}

} // namespace qx
