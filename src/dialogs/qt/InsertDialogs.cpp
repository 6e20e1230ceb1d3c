#include "dialogs/qt/InsertDialogs.h"

#include "dialogs/qt/ToolDialogKit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace qx {

using namespace kit;

namespace {

// The user pattern codes and their menu captions, in the menu's order.
const char* const kTimeCodes[] = {
    "年（4桁）(%Y)", "年（2桁）(%y)", "月（先頭のゼロあり）(%M)", "月（先頭のゼロなし）(%m)",
    "日付（先頭のゼロあり）(%D)", "日付（先頭のゼロなし）(%d)", "曜日（日本語）(%A)", "曜日（日本語省略形）(%a)",
    "元号（日本語）(%G)", "元号（日本語省略形）(%g)", "元号に基づく和暦（先頭のゼロあり）(%E)",
    "元号に基づく和暦（先頭のゼロなし）(%e)", nullptr,
    "時（先頭のゼロあり）(%H)", "時（先頭のゼロなし）(%h)", "分（先頭のゼロあり）(%N)", "分（先頭のゼロなし）(%n)",
    "秒（先頭のゼロあり）(%S)", "秒（先頭のゼロなし）(%s)", "ミリ秒（先頭のゼロあり）(%Z)", "ミリ秒（先頭のゼロなし）(%z)",
    "AM/PM（大文字）(%P)", "am/pm（小文字）(%p)", "曜日（英語）(%C)", "曜日（英語省略形）(%c)", "月（英語）(%K)",
    "月（英語省略形）(%k)",
};

QSpinBox* Spin(QWidget* Parent, const char* Name, int Min, int Max, int Value)
{
    auto* spin = Named<QSpinBox>(Parent, Name);
    spin->setRange(Min, Max);
    spin->setValue(Value);
    return spin;
}

} // namespace

TTimeForm::TTimeForm(TTimeFormModel& Model, QWidget* Parent) : QDialog(Parent), FModel(Model)
{
    setObjectName("TimeForm");
    setWindowTitle(U("日付と時刻の挿入"));
    ComboBoxDate = Named<QComboBox>(this, "ComboBoxDate");
    for (const std::string& text : FModel.FixedTexts) ComboBoxDate->addItem(SjisToQString(text));
    ComboBoxDate->setCurrentIndex(FModel.FixedIndex);
    CheckBox1 = Check(this, "CheckBox1", "独自の形式で挿入");
    UserListBoxDate = Named<QListWidget>(this, "UserListBoxDate");
    UserListBoxDate->setMaximumHeight(UserListBoxDate->fontMetrics().height() * 4 + 8);
    Edit1 = Named<QLineEdit>(this, "Edit1");
    Edit1->setMinimumWidth(240);
    Button3 = Button(this, "Button3", "更新");
    Button4 = Button(this, "Button4", "リセット");
    SpeedButton1 = Named<QToolButton>(this, "SpeedButton1");
    SpeedButton1->setText("%");
    SpeedButton1->setPopupMode(QToolButton::InstantPopup);
    auto* codes = new QMenu(SpeedButton1);
    codes->setObjectName("PopupMenu1");
    for (const char* caption : kTimeCodes) {
        if (!caption) {
            codes->addSeparator();
            continue;
        }
        // The code is "%" and the character after "%" in the caption.
        const QString text = U(caption);
        const QString code = text.mid(text.lastIndexOf('%'), 2);
        connect(codes->addAction(text), &QAction::triggered, this, [this, code] { Edit1->insert(code); });
    }
    SpeedButton1->setMenu(codes);
    Button1 = Button(this, "Button1", "OK");
    Button2 = Button(this, "Button2", "CANCEL");
    Button1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ComboBoxDate);
    layout->addWidget(CheckBox1);
    layout->addWidget(UserListBoxDate);
    auto* edit = new QHBoxLayout;
    edit->addWidget(Edit1, 1);
    edit->addWidget(SpeedButton1);
    edit->addWidget(Button3);
    edit->addWidget(Button4);
    layout->addLayout(edit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);

    LoadUserList();
    CheckBox1->setChecked(FModel.UserFormat);
    SelectUserFormat(FModel.UserIndex);
    EnableLists();

    connect(ComboBoxDate, &QComboBox::currentIndexChanged, this, [this](int Index) { FModel.FixedIndex = Index; });
    connect(UserListBoxDate, &QListWidget::currentRowChanged, this, [this](int Row) {
        if (Row < 0) return;
        FModel.UserIndex = Row;
        Edit1->setText(SjisToQString(FModel.Formats[Row]));
    });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool On) {
        FModel.UserFormat = On;
        EnableLists();
    });
    connect(Button3, &QPushButton::clicked, this, [this] {
        FModel.Update(QStringToSjis(Edit1->text()));
        LoadUserList();
    });
    connect(Button4, &QPushButton::clicked, this, [this] {
        FModel.Reset();
        LoadUserList();
        Edit1->setText(SjisToQString(FModel.Formats[FModel.UserIndex]));
    });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TTimeForm::LoadUserList()
{
    const int row = FModel.UserIndex;
    const QSignalBlocker block(UserListBoxDate);
    UserListBoxDate->clear();
    for (const std::string& text : FModel.UserTexts) UserListBoxDate->addItem(SjisToQString(text));
    UserListBoxDate->setCurrentRow(row);
}

void TTimeForm::SelectUserFormat(int Index)
{
    UserListBoxDate->setCurrentRow(Index);
    Edit1->setText(SjisToQString(FModel.Formats[Index]));
}

void TTimeForm::EnableLists()
{
    const bool user = FModel.UserFormat;
    ComboBoxDate->setEnabled(!user);
    for (QWidget* w : {static_cast<QWidget*>(UserListBoxDate), static_cast<QWidget*>(Edit1),
                       static_cast<QWidget*>(Button3), static_cast<QWidget*>(Button4),
                       static_cast<QWidget*>(SpeedButton1)})
        w->setEnabled(user);
    if (user)
        UserListBoxDate->setFocus();
    else
        ComboBoxDate->setFocus();
}

TInsertLineNumDlg::TInsertLineNumDlg(int LineCount, QWidget* Parent) : QDialog(Parent)
{
    setObjectName("InsertLineNumDlg");
    setWindowTitle(U("行頭へ行番号を挿入"));
    const int lines = std::max(1, LineCount);
    SpinEdit1 = Spin(this, "SpinEdit1", 1, 8, 1);
    CheckBox2 = Check(this, "CheckBox2", "行番号の桁数を自動設定(&A)");
    RadioButton1 = Named<QRadioButton>(this, "RadioButton1", U("すべての行に挿入"));
    RadioButton2 = Named<QRadioButton>(this, "RadioButton2", U("指定行に挿入"));
    RadioButton1->setChecked(true);
    SpinEditStart = Spin(this, "SpinEditStart", 1, lines, 1);
    SpinEditEnd = Spin(this, "SpinEditEnd", 1, lines, lines);
    SpinEditInc = Spin(this, "SpinEditInc", 1, 1000, 1);
    SpinEditDef = Spin(this, "SpinEditDef", 0, 10000000, 1);
    Button1 = Button(this, "Button1", "OK");
    Button2 = Button(this, "Button2", "CANCEL");
    Button1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    auto* digits = new QHBoxLayout;
    digits->addWidget(new QLabel(U("桁数："), this));
    digits->addWidget(SpinEdit1);
    digits->addWidget(CheckBox2);
    layout->addLayout(digits);
    auto* range = new QGroupBox(this);
    auto* rangeLayout = new QGridLayout(range);
    rangeLayout->addWidget(RadioButton1, 0, 0, 1, 4);
    rangeLayout->addWidget(RadioButton2, 1, 0, 1, 4);
    rangeLayout->addWidget(new QLabel(U("開始行："), range), 2, 0);
    rangeLayout->addWidget(SpinEditStart, 2, 1);
    rangeLayout->addWidget(new QLabel(U("終了行："), range), 2, 2);
    rangeLayout->addWidget(SpinEditEnd, 2, 3);
    layout->addWidget(range);
    auto* numbers = new QFormLayout;
    numbers->addRow(U("増加値："), SpinEditInc);
    numbers->addRow(U("初期値："), SpinEditDef);
    layout->addLayout(numbers);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);

    EnableFields();
    connect(CheckBox2, &QCheckBox::toggled, this, [this] { EnableFields(); });
    connect(RadioButton2, &QRadioButton::toggled, this, [this] { EnableFields(); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TInsertLineNumDlg::EnableFields()
{
    SpinEdit1->setEnabled(!CheckBox2->isChecked());
    SpinEditStart->setEnabled(RadioButton2->isChecked());
    SpinEditEnd->setEnabled(RadioButton2->isChecked());
}

TLineNumberOptions TInsertLineNumDlg::Options() const
{
    TLineNumberOptions options;
    options.AutoDigits = CheckBox2->isChecked();
    options.Digits = SpinEdit1->value();
    options.AllLines = RadioButton1->isChecked();
    options.FirstLine = SpinEditStart->value();
    options.LastLine = SpinEditEnd->value();
    options.Step = SpinEditInc->value();
    options.StartNumber = SpinEditDef->value();
    return options;
}

} // namespace qx
