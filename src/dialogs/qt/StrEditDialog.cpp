#include "dialogs/qt/StrEditDialog.h"

#include "dialogs/qt/ToolWidgets.h"
#include "platform/qt/QtCp932.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {

namespace {

QLineEdit* AddEdit(QFormLayout* Form, const char* Label, const char* Name, QWidget* Parent)
{
    auto* edit = new QLineEdit(Parent);
    edit->setObjectName(Name);
    edit->setMinimumWidth(160);
    Form->addRow(QString::fromUtf8(Label), edit);
    return edit;
}

} // namespace

TStrEditDialog::TStrEditDialog(int StrEditMode, TOptionSettings& Settings, QWidget* Parent)
    : QDialog(Parent), FEditor(StrEditMode, Settings)
{
    setObjectName("StrEditDialog");
    setWindowTitle(QString::fromUtf8(FEditor.Caption()));
    auto* layout = new QVBoxLayout(this);
    SinglePanel = new QWidget(this);
    auto* single = new QFormLayout(SinglePanel);
    Edit1 = AddEdit(single, "使用する文字列：", "Edit1", SinglePanel);
    DoublePanel = new QWidget(this);
    auto* twin = new QFormLayout(DoublePanel);
    Edit2 = AddEdit(twin, "文字列頭に追加する文字列：", "Edit2", DoublePanel);
    Edit3 = AddEdit(twin, "文字列末に追加する文字列：", "Edit3", DoublePanel);
    layout->addWidget(SinglePanel);
    layout->addWidget(DoublePanel);
    SinglePanel->setVisible(!FEditor.TwoMarks());
    DoublePanel->setVisible(FEditor.TwoMarks());
    QLineEdit* edits[] = {FEditor.TwoMarks() ? Edit2 : Edit1, Edit3};
    for (std::size_t i = 0; i < FEditor.Edits.size(); ++i) edits[i]->setText(SjisToQString(FEditor.Edits[i]));

    layout->addLayout(OkCancelRow(this, Button1, Button2));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TStrEditDialog::Button1Click()
{
    QLineEdit* edits[] = {FEditor.TwoMarks() ? Edit2 : Edit1, Edit3};
    for (std::size_t i = 0; i < FEditor.Edits.size(); ++i) FEditor.Edits[i] = QStringToSjis(edits[i]->text());
    FEditor.Accept();
    accept();
}

bool ExecuteStrEditDialog(int StrEditMode, TOptionSettings& Settings, bool StayOnTop, QWidget* Parent)
{
    TStrEditDialog dialog(StrEditMode, Settings, Parent);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, StayOnTop);
    dialog.exec();
    return dialog.StrEditResult();
}

} // namespace qx
