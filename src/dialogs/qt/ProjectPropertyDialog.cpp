#include "dialogs/qt/ProjectPropertyDialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qx {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

const QString ProjectFilter = QString::fromUtf8("QxEditorﾌﾟﾛｼﾞｪｸﾄ (*.qxp)");

// A field: its text, enabled or empty and disabled (shown in the button-face colour).
void SetField(QLineEdit* edit, const std::string& text, bool enabled)
{
    edit->setText(enabled ? Q(text) : QString());
    edit->setEnabled(enabled);
}

} // namespace

TFormProjectProperty::TFormProjectProperty(TProjectPropertyForm& form, QWidget* parent)
    : QDialog(parent), FForm(form)
{
    setObjectName("FormProjectProperty");
    setWindowTitle(QString::fromUtf8("アイテムのプロパティ"));
    auto* grid = new QGridLayout(this);
    auto row = [&](int r, const char* label, QLineEdit*& edit, const char* name) {
        grid->addWidget(new QLabel(QString::fromUtf8(label), this), r, 0);
        edit = new QLineEdit(this);
        edit->setObjectName(name);
        grid->addWidget(edit, r, 1);
    };
    row(0, "名称：", EditName, "EditName");
    row(1, "コメント：", EditComment, "EditComment");
    row(2, "パス：", EditPath, "EditPath");
    Button3 = new QPushButton("...", this);
    Button3->setObjectName("Button3");
    grid->addWidget(Button3, 2, 2);
    row(3, "適用拡張子：", EditExt, "EditExt");
    CheckBoxLock = new QCheckBox(QString::fromUtf8("アイテムのロック（移動禁止）"), this);
    CheckBoxLock->setObjectName("CheckBoxLock");
    grid->addWidget(CheckBoxLock, 4, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton("CANCEL", this);
    Button2->setObjectName("Button2");
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    grid->addLayout(buttons, 5, 0, 1, 3);

    SetField(EditName, form.Name, form.NameEnabled);
    if (!form.NameEnabled) EditName->setText(Q(form.Name));  // an open item shows its name, fixed
    SetField(EditComment, form.Comment, form.CommentEnabled);
    SetField(EditPath, form.Path, form.PathEnabled);
    Button3->setEnabled(form.PathEnabled);
    SetField(EditExt, form.Ext, form.ExtEnabled);
    CheckBoxLock->setChecked(form.Lock);
    CheckBoxLock->setEnabled(form.LockEnabled);

    connect(Button1, &QPushButton::clicked, this, [this] {
        Store();
        accept();
    });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button3, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QString(), EditPath->text(), QString(), nullptr,
                                                          QFileDialog::DontUseNativeDialog);
        if (!file.isEmpty()) EditPath->setText(file);
    });
}

void TFormProjectProperty::Store()
{
    FForm.Name = S(EditName->text());
    FForm.Comment = S(EditComment->text());
    FForm.Path = S(EditPath->text());
    FForm.Ext = S(EditExt->text());
    FForm.Lock = CheckBoxLock->isChecked();
}

bool TQtProjectDialogs::ChooseProjectToOpen(std::string& path)
{
    const QString file = QFileDialog::getOpenFileName(FParent, QString(), Q(path), ProjectFilter, nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (file.isEmpty()) return false;
    path = S(file);
    return true;
}

bool TQtProjectDialogs::ChooseProjectToSave(std::string& path)
{
    QFileDialog dialog(FParent, QString(), Q(path), ProjectFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // the project manager asks
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("qxp");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = S(dialog.selectedFiles().front());
    return true;
}

std::vector<std::string> TQtProjectDialogs::ChooseFilesToAdd()
{
    std::vector<std::string> files;
    for (const QString& file :
         QFileDialog::getOpenFileNames(FParent, QString(), QString(), QString(), nullptr, QFileDialog::DontUseNativeDialog))
        files.push_back(S(file));
    return files;
}

bool TQtProjectDialogs::ChooseExportFile(std::string& path)
{
    const QString file = QFileDialog::getSaveFileName(FParent, QString(), Q(path), QString(), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (file.isEmpty()) return false;
    path = S(file);
    return true;
}

bool TQtProjectDialogs::EditProperties(TProjectPropertyForm& form)
{
    TFormProjectProperty dialog(form, FParent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace qx
