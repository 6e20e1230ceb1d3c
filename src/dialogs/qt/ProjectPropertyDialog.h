#pragma once
// The item properties dialog ("アイテムのプロパティ") over a property form, and the project's file dialogs.

#include "dialogs/ProjectProperty.h"
#include "dialogs/ProjectServices.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace qx {

class TFormProjectProperty : public QDialog {
    Q_OBJECT
public:
    TFormProjectProperty(TProjectPropertyForm& form, QWidget* parent = nullptr);

    QLineEdit* EditName;
    QLineEdit* EditComment;
    QLineEdit* EditPath;
    QLineEdit* EditExt;
    QCheckBox* CheckBoxLock;
    QPushButton* Button1;  // OK
    QPushButton* Button2;  // CANCEL
    QPushButton* Button3;  // "...": picks the linked file

private:
    void Store();
    TProjectPropertyForm& FForm;
};

// The dialogs of the project commands, as non-native Qt file dialogs.
class TQtProjectDialogs : public TProjectDialogs {
public:
    explicit TQtProjectDialogs(QWidget* parent) : FParent(parent) {}
    bool ChooseProjectToOpen(std::string& path) override;
    bool ChooseProjectToSave(std::string& path) override;
    std::vector<std::string> ChooseFilesToAdd() override;
    bool ChooseExportFile(std::string& path) override;
    bool EditProperties(TProjectPropertyForm& form) override;

private:
    QWidget* FParent;
};

} // namespace qx
