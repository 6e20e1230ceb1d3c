#include "dialogs/qt/DataEditDialog.h"

#include "dialogs/PhraseLists.h"
#include "dialogs/qt/ToolWidgets.h"
#include "platform/qt/QtCp932.h"

#include <QComboBox>
#include <QDragMoveEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qx {

TPhraseListBox::TPhraseListBox(QWidget* Parent) : QListWidget(Parent)
{
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    // The list moves the item itself when it is dropped; the view must not remove it as a move would.
    setDefaultDropAction(Qt::CopyAction);
}

void TPhraseListBox::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::RightButton) return;
    FDragFrom = indexAt(Event->position().toPoint()).row();
    QListWidget::mousePressEvent(Event);
}

void TPhraseListBox::dragEnterEvent(QDragEnterEvent* Event)
{
    if (Event->source() == this && count() >= 2 && FDragFrom >= 0)
        Event->acceptProposedAction();
    else
        Event->ignore();
}

void TPhraseListBox::dragMoveEvent(QDragMoveEvent* Event)
{
    if (Event->source() == this) {
        Event->setDropAction(Qt::CopyAction);
        Event->accept();
    } else {
        Event->ignore();
    }
}

void TPhraseListBox::dropEvent(QDropEvent* Event)
{
    if (Event->source() != this) return Event->ignore();
    Event->setDropAction(Qt::CopyAction);
    Event->accept();
    const int to = indexAt(Event->position().toPoint()).row();
    if (Dropped) Dropped(FDragFrom, to);
}

TDataEdit::TDataEdit(std::string Folder, TExceptionHandler OnError, QWidget* Parent)
    : QDialog(Parent), FModel(std::move(Folder)), FOnError(std::move(OnError))
{
    setObjectName("DataEdit");
    setWindowTitle(QString::fromUtf8("定型文字列編集"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QString::fromUtf8("編集ファイル："), this));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    for (int n = 1; n <= PhraseListCount; ++n) ComboBox1->addItem("word" + QString::number(n));
    top->addWidget(ComboBox1);
    top->addStretch();
    layout->addLayout(top);

    auto* middle = new QHBoxLayout;
    ListBox1 = ToolList(new TPhraseListBox(this), "ListBox1");
    ListBox1->setMinimumSize(320, 260);
    middle->addWidget(ListBox1, 1);
    auto* side = new QVBoxLayout;
    const auto button = [this, side](const char* Caption, const char* Name) {
        auto* b = new QPushButton(QString::fromUtf8(Caption), this);
        b->setObjectName(Name);
        side->addWidget(b);
        return b;
    };
    Button2 = button("登録", "Button2");
    Button1 = button("更新", "Button1");
    Button6 = button("削除", "Button6");
    side->addSpacing(12);
    Button4 = button("一つ上へ", "Button4");
    Button5 = button("一つ下へ", "Button5");
    side->addStretch();
    Button3 = button("閉じる", "Button3");
    middle->addLayout(side);
    layout->addLayout(middle);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    layout->addWidget(Edit1);
    layout->addWidget(new QLabel(QString::fromUtf8("※ アイテムの並べ替えはドラッグアンドドロップでも可能です。"), this));

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this](int Index) {
        GuardedCall(FOnError, [&] { FModel.Choose(Index + 1); });
        ShowModel();
    });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int Row) {
        FModel.Select(Row);
        Edit1->setText(SjisToQString(FModel.Text));
    });
    ListBox1->Dropped = [this](int From, int To) {
        GuardedCall(FOnError, [&] { FModel.Drop(From, To); });
        ShowModel();
    };
    connect(Button2, &QPushButton::clicked, this, [this] { Run(&TPhraseEditor::Register); });
    connect(Button1, &QPushButton::clicked, this, [this] { Run(&TPhraseEditor::Update); });
    connect(Button6, &QPushButton::clicked, this, [this] { Run(&TPhraseEditor::Delete); });
    connect(Button4, &QPushButton::clicked, this, [this] { Run(&TPhraseEditor::Up); });
    connect(Button5, &QPushButton::clicked, this, [this] { Run(&TPhraseEditor::Down); });
    connect(Button3, &QPushButton::clicked, this, &QDialog::accept);
}

void TDataEdit::FormShow()
{
    GuardedCall(FOnError, [this] { FModel.Show(); });
    const QSignalBlocker quiet(ComboBox1);
    ComboBox1->setCurrentIndex(0);
    ShowModel();
}

void TDataEdit::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    if (FShown) return;
    FShown = true;
    FormShow();
}

void TDataEdit::Run(void (TPhraseEditor::*Change)())
{
    FModel.Text = QStringToSjis(Edit1->text());
    GuardedCall(FOnError, [&] { (FModel.*Change)(); });
    ShowModel();
}

void TDataEdit::ShowModel()
{
    ShowLines(ListBox1, FModel.Items().Items(), FModel.ItemIndex());
    Edit1->setText(SjisToQString(FModel.Text));
}

} // namespace qx
