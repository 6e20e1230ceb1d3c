#include "mainwindow/qt/QtFileChooser.h"

#include <QFile>
#include <QFileDialog>

namespace qx {

bool TQtFileChooser::ChooseOpenFile(const TFileChoice& choice, std::string& path)
{
    return Choose(choice, false, path);
}

bool TQtFileChooser::ChooseSaveFile(const TFileChoice& choice, std::string& path)
{
    return Choose(choice, true, path);
}

bool TQtFileChooser::Choose(const TFileChoice& choice, bool save, std::string& path)
{
    QFileDialog dialog(FParent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(QString::fromStdString(choice.Filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) dialog.setDefaultSuffix(QString::fromStdString(choice.DefaultExt));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    return true;
}

} // namespace qx
