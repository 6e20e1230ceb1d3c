#include "dialogs/qt/ClipBoardViewerForm.h"

#include "dialogs/qt/ToolDialogKit.h"
#include "editor/EditorStrings.h"
#include "editor/QxEditor.h"
#include "editor/qt/EditorWidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QVBoxLayout>

namespace qx {

using namespace kit;

TClipBoardViewer::TClipBoardViewer(TQxClipBoardHistory& History, TPrompter& Prompter,
                                   std::function<void(const std::string&)> SetClipboardText, QWidget* Parent)
    : QDialog(Parent), FPrompter(Prompter), FModel(History, std::move(SetClipboardText))
{
    setObjectName("ClipBoardViewer");
    setWindowTitle(U("クリップボードビューア"));
    setAttribute(Qt::WA_DeleteOnClose);
    ListBox1 = Named<QListWidget>(this, "ListBox1");
    Preview = new TEditorWidget(this, Construct<TQxEditor>());
    Preview->setObjectName("ClipViewQxEditor");
    ClipSize = Named<QLabel>(this, "ClipSize");
    ToTalSize = Named<QLabel>(this, "ToTalSize");
    Button1 = Button(this, "Button1", "取り出し(&B)");
    Button3 = Button(this, "Button3", "削除(&D)");
    Button6 = Button(this, "Button6", "全て削除(&A)");
    Button4 = Button(this, "Button4", "閉じる(&C)");

    auto* layout = new QVBoxLayout(this);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(ListBox1);
    split->addWidget(Preview);
    layout->addWidget(split, 1);
    auto* sizes = new QGridLayout;
    sizes->addWidget(new QLabel(U("サイズ："), this), 0, 0);
    sizes->addWidget(ClipSize, 0, 1);
    sizes->addWidget(new QLabel(U("総データサイズ："), this), 1, 0);
    sizes->addWidget(ToTalSize, 1, 1);
    sizes->setColumnStretch(1, 1);
    layout->addLayout(sizes);
    auto* buttons = ButtonRow({Button1, Button3, Button6, Button4});
    layout->addLayout(buttons);
    resize(520, 440);

    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int Row) { ShowEntry(Row); });
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (FModel.TakeOut(ListBox1->currentRow(), FPrompter)) RefreshList();
    });
    connect(Button3, &QPushButton::clicked, this, [this] {
        FModel.Delete(ListBox1->currentRow());
        RefreshList();
    });
    connect(Button6, &QPushButton::clicked, this, [this] {
        FModel.Clear();
        RefreshList();
    });
    connect(Button4, &QPushButton::clicked, this, &QDialog::close);
    RefreshList();
}

TQxEditor& TClipBoardViewer::ClipViewQxEditor() { return static_cast<TQxEditor&>(Preview->Editor()); }

void TClipBoardViewer::RefreshList()
{
    {
        const QSignalBlocker block(ListBox1);
        ListBox1->clear();
        for (const std::string& line : FModel.ListLines()) ListBox1->addItem(SjisToQString(line));
        if (ListBox1->count() > 0) ListBox1->setCurrentRow(0);
    }
    ShowEntry(ListBox1->currentRow());
    ToTalSize->setText(QString::fromStdString(FModel.TotalText()));
}

void TClipBoardViewer::ShowEntry(int Index)
{
    ClipViewQxEditor().Lines().SetText(FModel.Text(Index));
    ClipSize->setText(QString::fromStdString(FModel.SizeText(Index)));
}

} // namespace qx
