#include "documents/qt/QxFileDialogs.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace qx {

namespace {

QString Q(const std::string& Text) { return QString::fromUtf8(Text.data(), static_cast<int>(Text.size())); }

QStringList NameFilters(const std::string& Filter)
{
    QStringList Filters;
    for (const std::string& F : QtNameFilters(Filter)) Filters << Q(F);
    return Filters;
}

QComboBox* AddList(QWidget* Panel, const char* Name, const std::vector<std::string>& Items, int Index,
                   const std::string& Hint, bool Visible)
{
    auto* Combo = new QComboBox(Panel);
    Combo->setObjectName(Name);
    for (const std::string& Item : Items) Combo->addItem(Q(Item));
    if (Index >= 0 && Index < Combo->count()) Combo->setCurrentIndex(Index);
    Combo->setToolTip(Q(Hint));
    Combo->setVisible(Visible);
    Panel->layout()->addWidget(Combo);
    return Combo;
}

int ListResult(const QFileDialog& Dialog, const char* Name)
{
    const auto* Combo = Dialog.findChild<QComboBox*>(Name);
    return Combo && Combo->currentIndex() >= 0 ? Combo->currentIndex() + 1 : 0;
}

} // namespace

std::unique_ptr<QFileDialog> CreateFileDialog(const TFileDialogRequest& Request, QWidget* Parent)
{
    auto Dialog = std::make_unique<QFileDialog>(Parent, Q(Request.Title));
    Dialog->setOption(QFileDialog::DontUseNativeDialog);
    // The caller asks before replacing a file, with the program's own message.
    Dialog->setOption(QFileDialog::DontConfirmOverwrite);
    Dialog->setAcceptMode(Request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    Dialog->setFileMode(Request.Save ? QFileDialog::AnyFile
                                     : Request.MultiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    const QStringList Filters = NameFilters(Request.Filter);
    Dialog->setNameFilters(Filters);
    Dialog->selectNameFilter(Filters[QtFilterPlace(Request.FilterIndex, static_cast<int>(Filters.size()))]);
    if (!Request.InitialDir.empty()) Dialog->setDirectory(Q(Request.InitialDir));
    if (!Request.FileName.empty()) Dialog->selectFile(Q(Request.FileName));
    if (!Request.DefaultExt.empty()) Dialog->setDefaultSuffix(Q(Request.DefaultExt));

    if (Request.ComboBoxVisible || Request.ComboBoxVisible2) {
        auto* Panel = new QWidget(Dialog.get());
        Panel->setObjectName("clientPanel");
        auto* Row = new QHBoxLayout(Panel);
        Row->setContentsMargins(0, 0, 0, 0);
        auto* Label = new QLabel(Q(Request.LabelCaption), Panel);
        Label->setObjectName("qxlabel");
        Row->addWidget(Label);
        AddList(Panel, "qxcombo", Request.ComboBoxStrings, Request.ComboBoxInitialIndex, Request.ComboBoxHint,
                Request.ComboBoxVisible);
        AddList(Panel, "qxcombo2", Request.ComboBoxStrings2, Request.ComboBoxInitialIndex2, Request.ComboBoxHint2,
                Request.ComboBoxVisible2);
        Row->addStretch();
        if (auto* Grid = qobject_cast<QGridLayout*>(Dialog->layout()))
            Grid->addWidget(Panel, Grid->rowCount(), 0, 1, Grid->columnCount());
        else if (Dialog->layout())
            Dialog->layout()->addWidget(Panel);
    }
    return Dialog;
}

TFileDialogResult FileDialogResult(const QFileDialog& Dialog, bool Accepted)
{
    TFileDialogResult Result;
    Result.Accepted = Accepted;
    if (Accepted)
        for (const QString& File : Dialog.selectedFiles()) Result.Files.push_back(File.toStdString());
    Result.FilterIndex = static_cast<int>(Dialog.nameFilters().indexOf(Dialog.selectedNameFilter())) + 1;
    Result.ComboBoxIndex = ListResult(Dialog, "qxcombo");
    Result.ComboBoxIndex2 = ListResult(Dialog, "qxcombo2");
    return Result;
}

TFileDialogResult TQtFileDialogService::Execute(const TFileDialogRequest& Request)
{
    std::unique_ptr<QFileDialog> Dialog = CreateFileDialog(Request, FParent);
    const bool Accepted = Dialog->exec() == QDialog::Accepted;
    return FileDialogResult(*Dialog, Accepted);
}

bool TQtFileDialogService::BrowseForFolder(const std::string& Title, const std::string& Root, std::string& Folder)
{
    const QString Chosen = QFileDialog::getExistingDirectory(
        FParent, Q(Title), Q(Root), QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    Folder = Chosen.toStdString();
    return !Chosen.isEmpty();
}

} // namespace qx
