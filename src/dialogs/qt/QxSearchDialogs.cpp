// The find and replace windows over TFindDialogModel.

#include "dialogs/qt/QxSearchDialogs.h"

#include "platform/Cp932.h"
#include "platform/Prompter.h"
#include "platform/StringList.h"
#include "platform/qt/WindowPlacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QKeySequence>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qx {

namespace {

// Search texts are Shift-JIS; the controls show them as Unicode.
std::string ToSjis(const QString& S) { return Utf8ToCp932(S.toStdString()); }

QCheckBox* Check(QWidget* Parent, const char* Name, const char* Caption)
{
    auto* check = new QCheckBox(QString::fromUtf8(Caption), Parent);
    check->setObjectName(Name);
    return check;
}

QPushButton* Button(QWidget* Parent, const char* Name, const char* Caption)
{
    auto* button = new QPushButton(QString::fromUtf8(Caption), Parent);
    button->setObjectName(Name);
    return button;
}

} // namespace

QComboBox* MakeHistoryCombo(QWidget* Parent, const char* Name)
{
    auto* combo = new QComboBox(Parent);
    combo->setObjectName(Name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(320);
    // The width stays whatever the history holds (a whole document taken as a pattern included).
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(24);
    return combo;
}

void FillHistoryCombo(QComboBox* Combo, const TStringList& Items, const std::string& Text, bool Sjis)
{
    const auto shown = [Sjis](const std::string& S) { return QString::fromStdString(Sjis ? Cp932ToUtf8(S) : S); };
    Combo->clear();
    for (const std::string& item : Items.Items()) Combo->addItem(shown(item));
    Combo->setEditText(shown(Text));
}

TSearchDialogBase::TSearchDialogBase(TFindDialogModel& Model, QWidget* Parent) : QDialog(Parent), FModel(Model)
{
    WholeWordCheck = Check(this, "WholeWordCheck", "単語単位で探す(&W)");
    MatchCaseCheck = Check(this, "MatchCaseCheck", "大文字と小文字を区別する(&C)");
    NoMatchZenkakuCheck = Check(this, "NoMatchZenkakuCheck", "全角・半角を区別しない(&Z)");
    IncludeCRLFCheck = Check(this, "IncludeCRLFCheck", "改行・スペースを無視(&L)");
    EscapeCheck = Check(this, "EscapeCheck", "改行：\\n, TAB：\\t, \\：\\\\(&E)");
    DirectRadioGroup = new QGroupBox(QString::fromUtf8(" 検索範囲 "), this);
    DirectRadioGroup->setObjectName("DirectRadioGroup");
    auto* radios = new QVBoxLayout(DirectRadioGroup);
    const char* const directions[] = {"前方検索(&D)", "後方検索(&B)", "全文検索(&A)"};
    for (int i = 0; i < 3; ++i) {
        DirectRadio[i] = new QRadioButton(QString::fromUtf8(directions[i]), DirectRadioGroup);
        radios->addWidget(DirectRadio[i]);
    }
    OKButton = Button(this, "OKButton", "OK");
    OKButton->setDefault(true);
    ReplaceCancelButton = Button(this, "ReplaceCancelButton", "CANCEL");
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(ReplaceCancelButton, &QPushButton::clicked, this, [this] { done(mr::Cancel); });
}

void TSearchDialogBase::Build(QComboBox* Find, QComboBox* Replace, QCheckBox* Confirm, QPushButton* All)
{
    FFind = Find;
    FReplace = Replace;
    FConfirm = Confirm;
    auto* grid = new QGridLayout(this);
    int row = 0;
    auto field = [&](const char* Caption, QComboBox* Combo) {
        auto* label = new QLabel(QString::fromUtf8(Caption), this);
        label->setBuddy(Combo);
        grid->addWidget(label, row, 0);
        grid->addWidget(Combo, row++, 1, 1, 2);
    };
    field("検索文字列(&N)：", Find);
    if (Replace) field("置換文字列(&P)：", Replace);
    auto* checks = new QVBoxLayout;
    for (QCheckBox* c : {WholeWordCheck, MatchCaseCheck, NoMatchZenkakuCheck, IncludeCRLFCheck, EscapeCheck})
        checks->addWidget(c);
    if (Confirm) checks->addWidget(Confirm);
    checks->addStretch();
    grid->addLayout(checks, row, 0, 1, 2);
    grid->addWidget(DirectRadioGroup, row++, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    if (All) {
        buttons->addWidget(All);
        connect(All, &QPushButton::clicked, this, [this] { AllReplaceButtonClick(); });
    }
    buttons->addWidget(ReplaceCancelButton);
    grid->addLayout(buttons, row, 0, 1, 3);
}

void TSearchDialogBase::ApplyStayOnTop(bool StayOnTop)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, StayOnTop);
}

void TSearchDialogBase::Load()
{
    const TSearchControls& c = FModel.Controls;
    FillHistoryCombo(FFind, FModel.FindHistory(), c.FindText, true);
    if (FReplace) FillHistoryCombo(FReplace, FModel.ReplaceHistory(), c.ReplaceText, true);
    WholeWordCheck->setChecked(c.WholeWord);
    MatchCaseCheck->setChecked(c.MatchCase);
    NoMatchZenkakuCheck->setChecked(c.NoMatchZenkaku);
    IncludeCRLFCheck->setChecked(c.IncludeCRLF);
    EscapeCheck->setChecked(c.Escape);
    DirectRadio[c.Direction]->setChecked(true);
    if (FConfirm) FConfirm->setChecked(c.ReplaceConfirm);
}

void TSearchDialogBase::Store()
{
    TSearchControls& c = FModel.Controls;
    c.FindText = ToSjis(FFind->currentText());
    if (FReplace) c.ReplaceText = ToSjis(FReplace->currentText());
    c.WholeWord = WholeWordCheck->isChecked();
    c.MatchCase = MatchCaseCheck->isChecked();
    c.NoMatchZenkaku = NoMatchZenkakuCheck->isChecked();
    c.IncludeCRLF = IncludeCRLFCheck->isChecked();
    c.Escape = EscapeCheck->isChecked();
    c.Direction = DirectRadio[2]->isChecked() ? sdWholeText : DirectRadio[1]->isChecked() ? sdBackward : sdForward;
    if (FConfirm) c.ReplaceConfirm = FConfirm->isChecked();
}

void TSearchDialogBase::FormShow(const TEditor* Editor)
{
    FModel.FormShow(Editor);
    Load();
    FFind->setFocus();
    FFind->lineEdit()->selectAll();
}

int TSearchDialogBase::RunModal(const TEditor* Editor)
{
    FormShow(Editor);
    adjustSize();
    CentreOnScreen(*this);
    return exec();
}

void TSearchDialogBase::OKButtonClick()
{
    Store();
    FModel.OKButtonClick();
    done(mr::Ok);
}

void TSearchDialogBase::AllReplaceButtonClick()
{
    Store();
    FModel.AllReplaceButtonClick();
    done(mr::All);
}

TFindDialog::TFindDialog(TFindDialogModel& Model, QWidget* Parent) : TSearchDialogBase(Model, Parent)
{
    setObjectName("FindDialog");
    setWindowTitle(QString::fromUtf8("検索"));
    FindTextComboBox = MakeHistoryCombo(this, "FindTextComboBox");
    Build(FindTextComboBox, nullptr, nullptr, nullptr);
}

TReplaceDialog::TReplaceDialog(TFindDialogModel& Model, QWidget* Parent) : TSearchDialogBase(Model, Parent)
{
    setObjectName("ReplaceDialog");
    setWindowTitle(QString::fromUtf8("置換"));
    FindText = MakeHistoryCombo(this, "FindText");
    ReplaceText = MakeHistoryCombo(this, "ReplaceText");
    ReplaceConfirmCheck = Check(this, "ReplaceConfirmCheck", "置き換え動作の確認(&M)");
    AllReplaceButton = Button(this, "AllReplaceButton", "すべて置換(&A)");
    // "全文検索(&A)" and "すべて置換(&A)" share their letter; Alt+A is the button's, the command the user
    // means in this dialog (two owners would only pass the focus between them). The choice stays
    // clickable and keeps its caption.
    DirectRadio[2]->setShortcut(QKeySequence());
    Build(FindText, ReplaceText, ReplaceConfirmCheck, AllReplaceButton);
}

} // namespace qx
