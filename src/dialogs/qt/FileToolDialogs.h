#pragma once
// The dialogs about the current document's file: its properties (TFileProperty), the file operations
// (TFileOpeDialog) and the time-stamp manager (TTimeStampManager). Their logic is Qt-free
// (dialogs/FileProperty.h, FileOperation.h, TimeStampManager.h); these windows show it and forward.

#include "dialogs/FileOperation.h"
#include "dialogs/FileProperty.h"
#include "dialogs/TimeStampManager.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qx {

class TFileDialogService;
class TPrompter;

class TFileProperty : public QDialog {
public:
    TFileProperty(const TFilePropertyFields& Fields, QWidget* Parent = nullptr);
    // The read-only fields in the table's order, named "EditFileName", "EditPath", ...
    QLineEdit* Field(const char* Name) const;
    QPushButton* Button1;
};

class TFileOpeDialog : public QDialog {
public:
    // Mode: TFileOpeMode. FileName: the current file (its name and folder fill the fields).
    TFileOpeDialog(int Mode, const std::string& FileName, TPrompter& Prompter, TFileDialogService& Dialogs,
                   QWidget* Parent = nullptr);
    // What OK did (Done false until an operation happened).
    const TFileOpeResult& Result() const { return FResult; }

    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* Button3;
    QLabel* Label3;
    QPushButton* Button1;
    QPushButton* Button2;

private:
    void OKClick();

    int FMode;
    std::string FFileName;
    TPrompter& FPrompter;
    TFileOpeResult FResult;
};

class TTimeStampManager : public QDialog {
public:
    TTimeStampManager(TPrompter& Prompter, TFileDialogService& Dialogs, QWidget* Parent = nullptr);
    // Shows File and its stamp and enables the fields (the reference button's step after its dialog).
    void ChooseFile(const std::string& File);
    // Prefills the six fields with Time.
    void SetFields(std::time_t Time);

    QLineEdit* EditFile;
    QPushButton* ButtonRef;
    QLineEdit* EditStamp;
    QLineEdit* EditYear;
    QLineEdit* EditMonth;
    QLineEdit* EditDay;
    QLineEdit* EditHour;
    QLineEdit* EditMinute;
    QLineEdit* EditSecond;
    QPushButton* Button1;
    QPushButton* Button2;
    // The writer of the stamp (the system's unless a test sets another).
    TStampWriter Writer = SystemStampWriter();

private:
    TPrompter& FPrompter;
    std::string FFile;
};

} // namespace qx
