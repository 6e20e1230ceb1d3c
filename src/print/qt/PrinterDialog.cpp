#include "print/qt/PrinterDialog.h"

#include "editor/QxEditor.h"
#include "print/qt/PrintCommands.h"
#include "print/qt/QtPrintDevice.h"
#include "platform/Cp932.h"

#include <QCheckBox>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace qx {

namespace {

QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

template <class T>
T* Named(QWidget* Parent, const char* Name)
{
    auto* w = new T(Parent);
    w->setObjectName(Name);
    return w;
}

QSpinBox* Spin(QWidget* Parent, const char* Name, int Low, int High)
{
    auto* s = Named<QSpinBox>(Parent, Name);
    s->setRange(Low, High);
    return s;
}

QComboBox* Combo(QWidget* Parent, const char* Name, std::initializer_list<const char*> Items)
{
    auto* c = Named<QComboBox>(Parent, Name);
    for (const char* item : Items) c->addItem(U(item));
    return c;
}

// A label and its control in a row of a grid.
void Row(QGridLayout* Grid, int R, int C, const char* Label, QWidget* Control)
{
    Grid->addWidget(new QLabel(U(Label)), R, C);
    Grid->addWidget(Control, R, C + 1);
}

} // namespace

TPrinterDialog::TPrinterDialog(TPrintCommands& Commands, TQxEditor* Editor, QWidget* Parent)
    : QDialog(Parent), FCommands(Commands),
      FModel(Commands.State(), Commands.StringsPrinter, Editor)
{
    setObjectName("PrinterDialog");
    Build();
    FModel.Show(Commands.StayOnTop());
    if (Commands.StayOnTop()) setWindowFlag(Qt::WindowStaysOnTopHint);
    Fill();
    RefreshCaption();
}

void TPrinterDialog::Build()
{
    auto* top = new QVBoxLayout(this);

    auto* fontBox = new QGroupBox(U("フォント"), this);
    auto* fontGrid = new QGridLayout(fontBox);
    ComboBox1 = Named<QComboBox>(fontBox, "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox2 = Named<QComboBox>(fontBox, "ComboBox2");
    ComboBox2->setEditable(true);
    fontGrid->addWidget(ComboBox1, 0, 0);
    fontGrid->addWidget(ComboBox2, 0, 1);
    CheckBox1 = new QCheckBox(U("行番号を印刷"), fontBox);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox2 = new QCheckBox(U("論理行で印刷"), fontBox);
    CheckBox2->setObjectName("CheckBox2");
    fontGrid->addWidget(CheckBox1, 1, 0);
    fontGrid->addWidget(CheckBox2, 1, 1);
    ColumnComboBox = Combo(fontBox, "ColumnComboBox", {"1", "2", "3"});
    ColumnMarginSpinEdit = Spin(fontBox, "ColumnMarginSpinEdit", 0, 100);
    Row(fontGrid, 2, 0, "段組：", ColumnComboBox);
    Row(fontGrid, 2, 2, "余白：", ColumnMarginSpinEdit);
    FirstLineSpinEdit = Spin(fontBox, "FirstLineSpinEdit", 1, 999999);
    Row(fontGrid, 3, 0, "開始行番号：", FirstLineSpinEdit);
    top->addWidget(fontBox);

    auto* marginBox = new QGroupBox(U("余白 (mm)"), this);
    auto* marginGrid = new QGridLayout(marginBox);
    LeftMarginSpinEdit = Spin(marginBox, "LeftMarginSpinEdit", 0, 100);
    RightMarginSpinEdit = Spin(marginBox, "RightMarginSpinEdit", 0, 100);
    TopMarginSpinEdit = Spin(marginBox, "TopMarginSpinEdit", 0, 100);
    BottomMarginSpinEdit = Spin(marginBox, "BottomMarginSpinEdit", 0, 100);
    LineMarginSpinEdit = Spin(marginBox, "LineMarginSpinEdit", 0, 100);
    Row(marginGrid, 0, 0, "左：", LeftMarginSpinEdit);
    Row(marginGrid, 0, 2, "右：", RightMarginSpinEdit);
    Row(marginGrid, 0, 4, "上：", TopMarginSpinEdit);
    Row(marginGrid, 0, 6, "下：", BottomMarginSpinEdit);
    Row(marginGrid, 1, 0, "行間：", LineMarginSpinEdit);
    top->addWidget(marginBox);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    auto* bandBox = new QGroupBox(U("ヘッダー・フッター"), this);
    auto* bandGrid = new QGridLayout(bandBox);
    const auto band = [&](int R, const char* Caption, QLineEdit*& Edit, const char* EditName, QToolButton*& Button,
                          const char* ButtonName, QComboBox*& Align, const char* AlignName, QComboBox*& Line,
                          const char* LineName, QComboBox*& Option, const char* OptionName, bool Footer) {
        Edit = Named<QLineEdit>(bandBox, EditName);
        Button = Named<QToolButton>(bandBox, ButtonName);
        Button->setText(">");
        Align = Combo(bandBox, AlignName, {"（なし）", "左", "中央", "右"});
        Line = Combo(bandBox, LineName, {"なし", "あり"});
        Option = Combo(bandBox, OptionName, {"（指定なし）", "奇数のみ", "偶数のみ"});
        Row(bandGrid, R, 0, Caption, Edit);
        bandGrid->addWidget(Button, R, 2);
        Row(bandGrid, R, 3, "位置：", Align);
        Row(bandGrid, R, 5, "ライン：", Line);
        Row(bandGrid, R, 7, "対象ページ：", Option);
        connect(Button, &QToolButton::clicked, this, [this, Button, Footer] {
            PopupMenu1->setProperty("footer", Footer);
            PopupMenu1->exec(Button->mapToGlobal(QPoint(0, Button->height())));
        });
    };
    band(0, "ヘッダー：", Edit1, "Edit1", SpeedButton1, "SpeedButton1", ComboBox3, "ComboBox3", ComboBox5,
         "ComboBox5", ComboBox7, "ComboBox7", false);
    band(1, "フッター：", Edit2, "Edit2", SpeedButton2, "SpeedButton2", ComboBox4, "ComboBox4", ComboBox6,
         "ComboBox6", ComboBox8, "ComboBox8", true);
    for (int i = 0; i < static_cast<int>(TPrintDialogModel::FormatItems().size()); ++i) {
        QAction* item = PopupMenu1->addAction(U(TPrintDialogModel::FormatItems()[static_cast<std::size_t>(i)]));
        connect(item, &QAction::triggered, this, [this, i] { InsertFormat(PopupMenu1->property("footer").toBool(), i); });
    }
    top->addWidget(bandBox);

    auto* rangeBox = new QGroupBox(U("印刷範囲"), this);
    auto* rangeGrid = new QGridLayout(rangeBox);
    // A row of "すべて" / "範囲指定" and the range's two fields.
    const auto range = [&](int R, const char* Caption, QRadioButton*& Whole, const char* WholeName,
                           QRadioButton*& Limited, const char* LimitedName, QSpinBox*& Start, const char* StartName,
                           QSpinBox*& End, const char* EndName) {
        Whole = new QRadioButton(U("すべて"), rangeBox);
        Whole->setObjectName(WholeName);
        Limited = new QRadioButton(U("範囲指定"), rangeBox);
        Limited->setObjectName(LimitedName);
        Start = Spin(rangeBox, StartName, 1, 999999);
        End = Spin(rangeBox, EndName, 1, 999999);
        auto* group = new QButtonGroup(rangeBox);
        group->addButton(Whole);
        group->addButton(Limited);
        rangeGrid->addWidget(new QLabel(U(Caption)), R, 0);
        rangeGrid->addWidget(Whole, R, 1);
        rangeGrid->addWidget(Limited, R, 2);
        rangeGrid->addWidget(Start, R, 3);
        rangeGrid->addWidget(new QLabel(U("～")), R, 4);
        rangeGrid->addWidget(End, R, 5);
    };
    range(0, "ページ", PrintRangeRadioButton1, "PrintRangeRadioButton1", PrintRangeRadioButton2,
          "PrintRangeRadioButton2", StartPageSpinEdit, "StartPageSpinEdit", EndPageSpinEdit, "EndPageSpinEdit");
    range(1, "行", PrintLineRadioButton1, "PrintLineRadioButton1", PrintLineRadioButton2, "PrintLineRadioButton2",
          StartLineSpinEdit, "StartLineSpinEdit", EndLineSpinEdit, "EndLineSpinEdit");
    PageOptionComboBox = Combo(rangeBox, "PageOptionComboBox", {"（指定なし）", "奇数ページのみ印刷", "偶数ページのみ印刷"});
    Row(rangeGrid, 2, 0, "追加オプション：", PageOptionComboBox);
    NumberOfCopiesSpinEdit = Spin(rangeBox, "NumberOfCopiesSpinEdit", 1, 999);
    FirstPageSpinEdit = Spin(rangeBox, "FirstPageSpinEdit", 1, 999999);
    Row(rangeGrid, 3, 0, "印刷部数：", NumberOfCopiesSpinEdit);
    Row(rangeGrid, 3, 2, "開始ページ番号：", FirstPageSpinEdit);
    top->addWidget(rangeBox);

    auto* wrapBox = new QGroupBox(U("展開と折り返し"), this);
    auto* wrapGrid = new QGridLayout(wrapBox);
    TabSpaceCountComboBox = Combo(wrapBox, "TabSpaceCountComboBox", {"2", "4", "6", "8"});
    Row(wrapGrid, 0, 0, "展開空白数：", TabSpaceCountComboBox);
    WrapOptionRadioButton1 = new QRadioButton(U("標準的な設定を使用"), wrapBox);
    WrapOptionRadioButton1->setObjectName("WrapOptionRadioButton1");
    WrapOptionRadioButton2 = new QRadioButton(U("現在のエディタ環境の設定を使用"), wrapBox);
    WrapOptionRadioButton2->setObjectName("WrapOptionRadioButton2");
    wrapGrid->addWidget(WrapOptionRadioButton1, 1, 0, 1, 2);
    wrapGrid->addWidget(WrapOptionRadioButton2, 2, 0, 1, 2);
    top->addWidget(wrapBox);

    top->addWidget(new QLabel(U("※ プリンタや用紙の設定は[プリンタ設定]から行います")));
    auto* buttons = new QHBoxLayout;
    Button5 = new QPushButton(U("印刷"), this);
    Button5->setObjectName("Button5");
    Button6 = new QPushButton(U("プレビュー..."), this);
    Button6->setObjectName("Button6");
    Button4 = new QPushButton(U("プリンタ設定..."), this);
    Button4->setObjectName("Button4");
    Button1 = new QPushButton(U("閉じる"), this);
    Button1->setObjectName("Button1");
    for (QPushButton* b : {Button5, Button6, Button4, Button1}) buttons->addWidget(b);
    top->addLayout(buttons);
    Button5->setDefault(true);

    // Every control writes its field at once.
    TQxStringsPrinter& p = FModel.StringsPrinter1;
    const auto write = [this](auto Apply) {
        return [this, Apply](auto&&...) {
            if (FFilling) return;
            Apply();
            UpdateEnabled();
        };
    };
    connect(ComboBox1, &QComboBox::currentTextChanged, this, write([this, &p] {
        TFontSpec font = p.Font();
        font.Name = ComboBox1->currentText().toStdString();
        p.SetFont(&font);
    }));
    connect(ComboBox2, &QComboBox::currentTextChanged, this, write([this, &p] {
        bool ok = false;
        const int size = ComboBox2->currentText().trimmed().toInt(&ok);
        TFontSpec font = p.Font();
        font.Size = ok && size > 0 ? size : 9;
        p.SetFont(&font);
    }));
    connect(CheckBox1, &QCheckBox::toggled, this, write([this, &p] { p.LineNumber = CheckBox1->isChecked(); }));
    connect(CheckBox2, &QCheckBox::toggled, this, write([this, &p] { p.LineNumberByLog = CheckBox2->isChecked(); }));
    connect(ColumnComboBox, &QComboBox::currentIndexChanged, this,
            write([this, &p] { p.SetColumnCount(ColumnComboBox->currentIndex() + 1); }));
    const auto spin = [&](QSpinBox* Box, auto Apply) {
        connect(Box, &QSpinBox::valueChanged, this, write([Box, Apply] { Apply(Box->value()); }));
    };
    spin(ColumnMarginSpinEdit, [&p](int v) { p.SetColumnSpace(v); });
    spin(LeftMarginSpinEdit, [&p](int v) { p.SetMarginLeft(v); });
    spin(RightMarginSpinEdit, [&p](int v) { p.SetMarginRight(v); });
    spin(TopMarginSpinEdit, [&p](int v) { p.SetMarginTop(v); });
    spin(BottomMarginSpinEdit, [&p](int v) { p.SetMarginBottom(v); });
    spin(LineMarginSpinEdit, [&p](int v) { p.SetMarginLine(v); });
    spin(FirstLineSpinEdit, [this](int v) { FModel.FirstLineNumber = v; });
    spin(StartPageSpinEdit, [this](int v) { FModel.StartPage = v; });
    spin(EndPageSpinEdit, [this](int v) { FModel.EndPage = v; });
    spin(StartLineSpinEdit, [this](int v) { FModel.StartLine = v; });
    spin(EndLineSpinEdit, [this](int v) { FModel.EndLine = v; });
    spin(NumberOfCopiesSpinEdit, [this](int v) { FModel.NumberOfCopies = v; });
    spin(FirstPageSpinEdit, [this](int v) { FModel.FirstPageNumber = v; });
    connect(Edit1, &QLineEdit::textChanged, this, write([this, &p] { p.Header = Utf8ToCp932(Edit1->text().toStdString()); }));
    connect(Edit2, &QLineEdit::textChanged, this, write([this, &p] { p.Footer = Utf8ToCp932(Edit2->text().toStdString()); }));
    const auto combo = [&](QComboBox* Box, auto Apply) {
        connect(Box, &QComboBox::currentIndexChanged, this, write([Box, Apply] { Apply(Box->currentIndex()); }));
    };
    combo(ComboBox3, [&p](int i) { p.HeaderAlign = static_cast<TQxStringsPrinterHeaderAlign>(i); });
    combo(ComboBox4, [&p](int i) { p.FooterAlign = static_cast<TQxStringsPrinterHeaderAlign>(i); });
    combo(ComboBox5, [&p](int i) { p.HeaderLine = i == 1; });
    combo(ComboBox6, [&p](int i) { p.FooterLine = i == 1; });
    combo(ComboBox7, [&p](int i) { p.HeaderOption = static_cast<TQxStringsPrinterHeaderOption>(i); });
    combo(ComboBox8, [&p](int i) { p.FooterOption = static_cast<TQxStringsPrinterHeaderOption>(i); });
    combo(PageOptionComboBox, [&p](int i) { p.PageOption = static_cast<TQxStringsPrinterPageOption>(i); });
    combo(TabSpaceCountComboBox, [this](int i) { FModel.TabWidth = 2 * (i + 1); });
    connect(PrintRangeRadioButton2, &QRadioButton::toggled, this,
            write([this, &p] { p.RangeOption = PrintRangeRadioButton2->isChecked() ? roLimited : roWhole; }));
    connect(PrintLineRadioButton2, &QRadioButton::toggled, this,
            write([this, &p] { p.LineRangeOption = PrintLineRadioButton2->isChecked() ? roLimited : roWhole; }));
    connect(WrapOptionRadioButton2, &QRadioButton::toggled, this,
            write([this, &p] { p.WrapOptionUsed = WrapOptionRadioButton2->isChecked(); }));

    // A failed print keeps the dialog open for another try.
    connect(Button5, &QPushButton::clicked, this, [this] {
        if (PrintClick()) accept();
    });
    connect(Button6, &QPushButton::clicked, this, [this] { PreviewClick(); });
    connect(Button4, &QPushButton::clicked, this, [this] {
        FCommands.PrinterSetup(this);
        RefreshCaption();
    });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TPrinterDialog::Fill()
{
    FFilling = true;
    const TQxStringsPrinter& p = FModel.StringsPrinter1;
    QStringList families;
    for (const QString& family : QFontDatabase::families())
        if (!family.startsWith('@')) families << family;
    ComboBox1->addItems(families);
    ComboBox1->setCurrentText(QString::fromStdString(p.Font().Name));
    for (int size = 6; size <= 30; ++size) ComboBox2->addItem(QString::number(size));
    ComboBox2->setCurrentText(QString::number(p.Font().Size));
    CheckBox1->setChecked(p.LineNumber);
    CheckBox2->setChecked(p.LineNumberByLog);
    ColumnComboBox->setCurrentIndex(p.ColumnCount() - 1);
    ColumnMarginSpinEdit->setValue(p.ColumnSpace());
    FirstLineSpinEdit->setValue(FModel.FirstLineNumber);
    LeftMarginSpinEdit->setValue(p.MarginLeft());
    RightMarginSpinEdit->setValue(p.MarginRight());
    TopMarginSpinEdit->setValue(p.MarginTop());
    BottomMarginSpinEdit->setValue(p.MarginBottom());
    LineMarginSpinEdit->setValue(p.MarginLine());
    Edit1->setText(QString::fromStdString(Cp932ToUtf8(p.Header)));
    Edit2->setText(QString::fromStdString(Cp932ToUtf8(p.Footer)));
    ComboBox3->setCurrentIndex(p.HeaderAlign);
    ComboBox4->setCurrentIndex(p.FooterAlign);
    ComboBox5->setCurrentIndex(p.HeaderLine ? 1 : 0);
    ComboBox6->setCurrentIndex(p.FooterLine ? 1 : 0);
    ComboBox7->setCurrentIndex(p.HeaderOption);
    ComboBox8->setCurrentIndex(p.FooterOption);
    (p.RangeOption == roLimited ? PrintRangeRadioButton2 : PrintRangeRadioButton1)->setChecked(true);
    StartPageSpinEdit->setValue(FModel.StartPage);
    EndPageSpinEdit->setValue(FModel.EndPage);
    PageOptionComboBox->setCurrentIndex(p.PageOption);
    (p.LineRangeOption == roLimited ? PrintLineRadioButton2 : PrintLineRadioButton1)->setChecked(true);
    StartLineSpinEdit->setValue(FModel.StartLine);
    EndLineSpinEdit->setValue(FModel.EndLine);
    NumberOfCopiesSpinEdit->setValue(FModel.NumberOfCopies);
    FirstPageSpinEdit->setValue(FModel.FirstPageNumber);
    TabSpaceCountComboBox->setCurrentIndex(FModel.TabWidth / 2 - 1);
    (p.WrapOptionUsed ? WrapOptionRadioButton2 : WrapOptionRadioButton1)->setChecked(true);
    FFilling = false;
    UpdateEnabled();
}

void TPrinterDialog::UpdateEnabled()
{
    const TQxStringsPrinter& p = FModel.StringsPrinter1;
    ColumnMarginSpinEdit->setEnabled(p.ColumnCount() > 1);
    for (QWidget* w : std::initializer_list<QWidget*>{Edit1, SpeedButton1, ComboBox5, ComboBox7})
        w->setEnabled(p.HeaderAlign != haNone);
    for (QWidget* w : std::initializer_list<QWidget*>{Edit2, SpeedButton2, ComboBox6, ComboBox8})
        w->setEnabled(p.FooterAlign != haNone);
    StartPageSpinEdit->setEnabled(p.RangeOption == roLimited);
    EndPageSpinEdit->setEnabled(p.RangeOption == roLimited);
    StartLineSpinEdit->setEnabled(p.LineRangeOption == roLimited);
    EndLineSpinEdit->setEnabled(p.LineRangeOption == roLimited);
}

void TPrinterDialog::InsertFormat(bool Footer, int Index)
{
    QLineEdit* edit = Footer ? Edit2 : Edit1;
    std::u16string text = edit->text().toStdU16String();
    int caret = edit->cursorPosition();
    TPrintDialogModel::InsertFormatCode(text, caret, Index);
    edit->setText(QString::fromStdU16String(text));
    edit->setCursorPosition(caret);
}

void TPrinterDialog::RefreshCaption()
{
    setWindowTitle(QString::fromStdString(TPrintDialogModel::Caption(DescribePrinter(FCommands.Printer()))));
}

bool TPrinterDialog::PrintClick() { return FModel.Print(FCommands.Services()); }

bool TPrinterDialog::PreviewClick() { return FModel.Preview(FCommands.Services()); }

void TPrinterDialog::done(int Result)
{
    FModel.Close();
    QDialog::done(Result);
}

} // namespace qx
