#include "dialogs/qt/SignatureDialogs.h"

#include "dialogs/Signatures.h"
#include "dialogs/qt/ToolWidgets.h"
#include "editor/EditorStrings.h"
#include "editor/QxEditor.h"
#include "editor/qt/EditorWidget.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qx {

namespace {

// A signature is edited like a note: the caret stays within the text (a click beyond a line's end
// goes to the end, no padding with blanks), and Ctrl+A selects it all. Esc and the dialog's buttons
// pass through the editor to the dialog.
TEditorWidget* NewSignatureEditor(QWidget* Parent, const char* Name)
{
    auto* host = new TEditorWidget(Parent, Construct<TQxEditor>());
    host->setObjectName(Name);
    host->setMinimumSize(420, 220);
    TEditor& editor = host->Editor();
    editor.Caret().SetFreeCaret(false);
    editor.OnKeyDown = [&editor](TObject*, int& Key, TShiftState Shift) {
        if (Key == 'A' && (Shift & (ssCtrl | ssShift | ssAlt)) == ssCtrl) {
            editor.SelectAll();
            Key = 0;
        }
    };
    return host;
}

void LoadInto(TEditorWidget& Host, const std::string& Folder, int N)
{
    Host.Editor().Lines().Assign(LoadSignature(Folder, N));
    Host.Editor().SetSelStart(0);
}

} // namespace

TSyomeiDialog::TSyomeiDialog(std::string Folder, TExceptionHandler OnError, QWidget* Parent)
    : QDialog(Parent), FFolder(std::move(Folder)), FOnError(std::move(OnError))
{
    setObjectName("SyomeiDialog");
    setWindowTitle(QString::fromUtf8("署名の設定"));
    auto* layout = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    const char* names[] = {"MemoSyomei1", "MemoSyomei2", "MemoSyomei3"};
    for (int i = 0; i < SignatureCount; ++i) {
        MemoSyomei[i] = NewSignatureEditor(PageControl1, names[i]);
        PageControl1->addTab(MemoSyomei[i], QString::fromUtf8("署名 ") + QString::number(i + 1));
    }
    layout->addWidget(PageControl1);
    layout->addLayout(OkCancelRow(this, Button1, Button2));
    connect(Button1, &QPushButton::clicked, this, [this] { GuardedCall(FOnError, [this] { Button1Click(); }); });
}

void TSyomeiDialog::FormShow()
{
    for (int i = 0; i < SignatureCount; ++i) {
        LoadInto(*MemoSyomei[i], FFolder, i + 1);
        FLoaded[i] = true;
    }
    PageControl1->setCurrentIndex(0);
    MemoSyomei[0]->setFocus();
}

void TSyomeiDialog::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    if (FShown) return;
    FShown = true;
    GuardedCall(FOnError, [this] { FormShow(); });
}

void TSyomeiDialog::Button1Click()
{
    for (int i = 0; i < SignatureCount; ++i) {
        if (!FLoaded[i]) continue;
        TStringList lines;
        MemoSyomei[i]->Editor().Lines().AssignTo(lines);
        SaveSignature(FFolder, i + 1, lines);
    }
    accept();
}

TSignForm::TSignForm(std::string Folder, TEditor* Target, bool CaretAfter, TExceptionHandler OnError, QWidget* Parent)
    : QDialog(Parent), FFolder(std::move(Folder)), FTarget(Target), FCaretAfter(CaretAfter), FOnError(std::move(OnError))
{
    setObjectName("SignForm");
    setWindowTitle(QString::fromUtf8("署名の挿入"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    for (int i = 1; i <= SignatureCount; ++i) ListBox1->addItem(QString::fromUtf8("署名 ") + QString::number(i));
    ListBox1->setFixedWidth(90);
    SignQxEditor = NewSignatureEditor(this, "SignQxEditor");
    top->addWidget(ListBox1);
    top->addWidget(SignQxEditor, 1);
    layout->addLayout(top);
    layout->addLayout(OkCancelRow(this, Button1, Button2));
    connect(ListBox1, &QListWidget::currentRowChanged, this,
            [this] { GuardedCall(FOnError, [this] { ListBox1Click(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { GuardedCall(FOnError, [this] { Button1Click(); }); });
}

void TSignForm::FormShow()
{
    const QSignalBlocker quiet(ListBox1);
    ListBox1->setCurrentRow(0);
    ListBox1Click();
}

void TSignForm::ListBox1Click()
{
    if (ListBox1->currentRow() >= 0) LoadInto(*SignQxEditor, FFolder, ListBox1->currentRow() + 1);
}

void TSignForm::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    if (FShown) return;
    FShown = true;
    GuardedCall(FOnError, [this] { FormShow(); });
}

void TSignForm::Button1Click()
{
    if (FTarget) InsertAtCaret(*FTarget, SignQxEditor->Editor().Lines().Text(), FCaretAfter);
    accept();
}

} // namespace qx
