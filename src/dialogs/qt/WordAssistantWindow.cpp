#include "dialogs/qt/WordAssistantWindow.h"

#include "dialogs/PhraseLists.h"
#include "dialogs/WordAssistant.h"
#include "dialogs/qt/ToolWidgets.h"
#include "editor/QxEditor.h"
#include "platform/qt/QtCp932.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qx {

TWordAssistant::TWordAssistant(std::string Folder, bool& CloseDialog, TExceptionHandler OnError, QWidget* Parent)
    : QWidget(Parent, Qt::Tool | Qt::WindowStaysOnTopHint), FFolder(std::move(Folder)), FCloseDialog(CloseDialog),
      FOnError(std::move(OnError))
{
    setObjectName("wordassistant");
    setWindowTitle(QString::fromUtf8("定型文字列"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    for (int i = 0; i < PhraseListCount; ++i) {
        ListBox[i] = ToolList(new QListWidget(PageControl1), ("ListBox" + std::to_string(i + 1)).c_str());
        PageControl1->addTab(ListBox[i], "word" + QString::number(i + 1));
        connect(ListBox[i], &QListWidget::itemDoubleClicked, this, [this] { ActionOK(); });
    }
    layout->addWidget(PageControl1);
    auto* bottom = new QHBoxLayout;
    CloseCheckBox = new QCheckBox(QString::fromUtf8("実行後ダイアログを閉じる"), this);
    CloseCheckBox->setObjectName("CloseCheckBox");
    bottom->addWidget(CloseCheckBox);
    bottom->addStretch();
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("CANCEL", this);
    Button2->setObjectName("Button2");
    bottom->addWidget(Button1);
    bottom->addWidget(Button2);
    layout->addLayout(bottom);
    resize(300, 320);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int Page) { PageChanged(Page); });
    connect(Button1, &QPushButton::clicked, this, [this] { ActionOK(); });
    connect(Button2, &QPushButton::clicked, this, &QWidget::close);
}

void TWordAssistant::FormShow()
{
    GuardedCall(FOnError, [this] {
        for (int i = 0; i < PhraseListCount; ++i) ShowLines(ListBox[i], LoadPhraseList(FFolder, i + 1).Items(), -1);
    });
    CloseCheckBox->setChecked(FCloseDialog);
    PageControl1->setCurrentIndex(0);
    PageChanged(0);
}

void TWordAssistant::PlaceAtCaret(int CaretX, int CaretY, int RowHeight)
{
    const QScreen* screen = QGuiApplication::screenAt(QPoint(CaretX, CaretY));
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize size = frameGeometry().size();
    const TPoint at = WordAssistantPosition({CaretX, CaretY}, RowHeight, size.width(), size.height(),
                                            {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
    move(at.X, at.Y);
}

void TWordAssistant::PageChanged(int Page)
{
    if (Page < 0 || Page >= PhraseListCount) return;
    QListWidget* list = ListBox[Page];
    if (list->count() > 0) list->setCurrentRow(0);
    list->setFocus();
}

void TWordAssistant::ActionOK()
{
    const int page = PageControl1->currentIndex();
    if (page < 0 || page >= PhraseListCount) return;
    const QListWidgetItem* item = ListBox[page]->currentItem();
    TEditor* editor = FocusedEditor ? FocusedEditor() : nullptr;
    if (!item || !editor) return;
    GuardedCall(FOnError, [&] {
        InsertAtCaret(*editor, QStringToSjis(item->text()), CaretAfterInsertion && CaretAfterInsertion(*editor));
    });
    if (CloseCheckBox->isChecked()) close();
}

void TWordAssistant::closeEvent(QCloseEvent* Event)
{
    FCloseDialog = CloseCheckBox->isChecked();
    if (OnClosed) GuardedCall(FOnError, OnClosed);
    QWidget::closeEvent(Event);
}

void TWordAssistant::keyPressEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter)
        ActionOK();
    else if (Event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(Event);
}

} // namespace qx
