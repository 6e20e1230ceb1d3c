#include "dialogs/qt/FileToolDialogs.h"

#include "dialogs/qt/ToolDialogKit.h"
#include "documents/FileDialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <filesystem>

namespace qx {

using namespace kit;

namespace {

// A field the user may type in or not, with the window's or the button face's colour.
void SetEditable(QLineEdit* Edit, bool Editable)
{
    Edit->setReadOnly(!Editable);
    QPalette palette;
    if (!Editable) palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    Edit->setPalette(palette);
}

} // namespace

TFileProperty::TFileProperty(const TFilePropertyFields& Fields, QWidget* Parent) : QDialog(Parent)
{
    setObjectName("FileProperty");
    setWindowTitle(U("ファイルのプロパティ"));
    const struct {
        const char* Name;
        const char* Label;
        const std::string& Value;
    } rows[] = {
        {"EditFileName", "ファイル名：", Fields.FileName},
        {"EditPath", "パス：", Fields.Path},
        {"EditFileSize", "ファイルサイズ：", Fields.FileSize},
        {"EditTimeStamp", "タイムスタンプ：", Fields.TimeStamp},
        {"EditCode", "文字コード／改行コード：", Fields.CodeAndLineEnd},
        {"EditEditSize", "編集中のファイルサイズ：", Fields.EditSize},
        {"EditModified", "更新：", Fields.Modified},
        {"EditLineCount", "編集中の総行数：", Fields.LineCount},
        {"EditCharCount", "編集中の総文字数：", Fields.CharCount},
        {"EditCharCountNoBreak", "編集中の総文字数（改行なし）：", Fields.CharCountNoBreak},
        {"EditSelChars", "選択中の文字数：", Fields.SelChars},
        {"EditSelLines", "選択中の行数：", Fields.SelLines},
    };
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int r = 0;
    for (const auto& row : rows) {
        QLineEdit* edit = ReadOnlyEdit(this, row.Name);
        edit->setText(QString::fromStdString(row.Value));
        edit->setMinimumWidth(360);
        grid->addWidget(new QLabel(U(row.Label), this), r, 0, Qt::AlignRight);
        grid->addWidget(edit, r++, 1);
    }
    layout->addLayout(grid);
    auto* note = Named<QLabel>(this, "LabelNote", U("編集中の文字コード／改行コードは SHIFT-JIS / CR+LF 固定です。"));
    layout->addWidget(note);
    Button1 = Button(this, "Button1", "OK");
    Button1->setDefault(true);
    layout->addLayout(ButtonRow({Button1}));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

QLineEdit* TFileProperty::Field(const char* Name) const { return findChild<QLineEdit*>(Name); }

TFileOpeDialog::TFileOpeDialog(int Mode, const std::string& FileName, TPrompter& Prompter,
                               TFileDialogService& Dialogs, QWidget* Parent)
    : QDialog(Parent), FMode(Mode), FFileName(FileName), FPrompter(Prompter)
{
    setObjectName("FileOpeDialog");
    // The window is always "ファイルオペレーティング"; the mode's name shows inside it.
    setWindowTitle(U("ファイルオペレーティング"));
    const QString caption = QString::fromStdString(FileOpeCaption(Mode));
    const std::filesystem::path path(FileName);
    Edit1 = Named<QLineEdit>(this, "Edit1", QString::fromStdString(path.filename().string()));
    Edit2 = Named<QLineEdit>(this, "Edit2", QString::fromStdString(path.parent_path().string()));
    Edit1->setMinimumWidth(360);
    Button3 = Button(this, "Button3", "参照(&D)...");
    Label3 = Named<QLabel>(this, "Label3", caption);
    Button1 = Button(this, "Button1", "OK");
    Button2 = Button(this, "Button2", "CANCEL");
    Button1->setDefault(true);
    SetEditable(Edit1, FileOpeTakesName(Mode));
    SetEditable(Edit2, FileOpeTakesFolder(Mode));
    Button3->setEnabled(FileOpeTakesFolder(Mode));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label3);
    auto* grid = new QGridLayout;
    auto* nameLabel = new QLabel(U("ファイル名：(&N)"), this);
    nameLabel->setBuddy(Edit1);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(Edit1, 0, 1, 1, 2);
    grid->addWidget(new QLabel(U("指定先フォルダ："), this), 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(Button3, 1, 2);
    layout->addLayout(grid);
    layout->addLayout(ButtonRow({Button1, Button2}));
    (FileOpeTakesName(Mode) ? Edit1 : Edit2)->setFocus();

    connect(Button3, &QPushButton::clicked, this, [this, &Dialogs] {
        std::string folder;
        if (Dialogs.BrowseForFolder("指定先フォルダ", Edit2->text().toStdString(), folder))
            Edit2->setText(QString::fromStdString(folder));
    });
    connect(Button1, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFileOpeDialog::OKClick()
{
    FResult = ExecuteFileOperation(FMode, FFileName, Edit1->text().toStdString(), Edit2->text().toStdString(), FPrompter);
    // A refused or failed operation leaves the dialog open to correct the fields or cancel.
    if (FResult.Done) accept();
}

TTimeStampManager::TTimeStampManager(TPrompter& Prompter, TFileDialogService& Dialogs, QWidget* Parent)
    : QDialog(Parent), FPrompter(Prompter)
{
    setObjectName("TimeStampManager");
    setWindowTitle(U("タイムスタンプマネージャ"));
    EditFile = ReadOnlyEdit(this, "EditFile");
    EditFile->setMinimumWidth(360);
    ButtonRef = Button(this, "ButtonRef", "参照(&R)...");
    EditStamp = ReadOnlyEdit(this, "EditStamp");
    EditYear = Named<QLineEdit>(this, "EditYear");
    EditMonth = Named<QLineEdit>(this, "EditMonth");
    EditDay = Named<QLineEdit>(this, "EditDay");
    EditHour = Named<QLineEdit>(this, "EditHour");
    EditMinute = Named<QLineEdit>(this, "EditMinute");
    EditSecond = Named<QLineEdit>(this, "EditSecond");
    Button1 = Button(this, "Button1", "OK");
    Button1->setDefault(true);  // Enter in a field changes the stamp, never opens the browser
    Button2 = Button(this, "Button2", "閉じる");

    auto* layout = new QVBoxLayout(this);
    auto* file = new QGridLayout;
    file->addWidget(new QLabel(U("ファイル："), this), 0, 0);
    file->addWidget(EditFile, 0, 1);
    file->addWidget(ButtonRef, 0, 2);
    file->addWidget(new QLabel(U("現在のタイムスタンプ："), this), 1, 0);
    file->addWidget(EditStamp, 1, 1, 1, 2);
    layout->addLayout(file);
    auto* fields = new QHBoxLayout;
    const std::pair<QLineEdit*, const char*> parts[] = {{EditYear, "年"},  {EditMonth, "月"},  {EditDay, "日"},
                                                        {EditHour, "時"}, {EditMinute, "分"}, {EditSecond, "秒"}};
    for (const auto& [edit, unit] : parts) {
        edit->setMaximumWidth(edit == EditYear ? 64 : 40);
        edit->setEnabled(false);
        fields->addWidget(edit);
        fields->addWidget(new QLabel(U(unit), this));
    }
    fields->addStretch();
    layout->addLayout(fields);
    layout->addLayout(ButtonRow({Button1, Button2}));
    SetFields(std::time(nullptr));

    connect(ButtonRef, &QPushButton::clicked, this, [this, &Dialogs] {
        TFileDialogRequest request;
        request.Title = "ファイルを開く";
        request.InitialDir = std::filesystem::path(FFile).parent_path().string();
        const TFileDialogResult result = Dialogs.Execute(request);
        if (result.Accepted && !result.Files.empty()) ChooseFile(result.Files.front());
    });
    connect(Button1, &QPushButton::clicked, this, [this] {
        const TStampFields f{EditYear->text().toStdString(),   EditMonth->text().toStdString(),
                             EditDay->text().toStdString(),    EditHour->text().toStdString(),
                             EditMinute->text().toStdString(), EditSecond->text().toStdString()};
        if (ChangeFileStamp(FPrompter, FFile, f, Writer)) EditStamp->setText(QString::fromStdString(FileStampText(FFile)));
    });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TTimeStampManager::ChooseFile(const std::string& File)
{
    FFile = File;
    EditFile->setText(QString::fromStdString(File));
    EditStamp->setText(QString::fromStdString(FileStampText(File)));
    for (QLineEdit* edit : {EditYear, EditMonth, EditDay, EditHour, EditMinute, EditSecond}) edit->setEnabled(true);
}

void TTimeStampManager::SetFields(std::time_t Time)
{
    const TStampFields f = StampFieldsOf(Time);
    EditYear->setText(QString::fromStdString(f.Year));
    EditMonth->setText(QString::fromStdString(f.Month));
    EditDay->setText(QString::fromStdString(f.Day));
    EditHour->setText(QString::fromStdString(f.Hour));
    EditMinute->setText(QString::fromStdString(f.Minute));
    EditSecond->setText(QString::fromStdString(f.Second));
}

} // namespace qx
