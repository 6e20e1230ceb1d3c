#include "documents/qt/FavoriteFileDialog.h"

#include "documents/FileDialogs.h"
#include "documents/MessageDialog.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace qx {

namespace {

QString Q(const std::string& Utf8) { return QString::fromStdString(Utf8); }

// An entry: the file's small icon at 5, 1 and its path at 27, 3; selected entries white on blue.
class TFavoriteDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        return {QStyledItemDelegate::sizeHint(Option, Index).width() + 27, 18};
    }

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        const bool selected = (Option.state & QStyle::State_Selected) != 0;
        const QRect r = Option.rect;
        Painter->fillRect(r, selected ? QColor(Qt::blue) : Option.palette.color(QPalette::Base));
        const QString path = Index.data().toString();
        const QIcon icon = FIcons.icon(QFileInfo(path));
        icon.paint(Painter, QRect(r.left() + 5, r.top() + 1, 16, 16));
        Painter->setPen(selected ? QColor(Qt::white) : Option.palette.color(QPalette::Text));
        Painter->drawText(QRect(r.left() + 27, r.top() + 3, r.width() - 27, r.height() - 3),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, path);
    }

private:
    QFileIconProvider FIcons;
};

} // namespace

TFavoriteFileDialog::TFavoriteFileDialog(TGlobalState& State, TPrompter& Prompter, TFileDialogService& Dialogs,
                                         QWidget* Parent)
    : QDialog(Parent), FModel(State), FPrompter(Prompter), FDialogs(Dialogs)
{
    setObjectName("FavoriteFileDialog");
    setWindowTitle(QString::fromUtf8("お気に入り"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    FList = new QListWidget(this);
    FList->setObjectName("ListBox1");
    FList->setItemDelegate(new TFavoriteDelegate(FList));
    FList->setUniformItemSizes(true);
    const auto button = [this](const char* Name, const char* Caption, void (TFavoriteFileDialog::*Click)()) {
        auto* b = new QPushButton(QString::fromUtf8(Caption), this);
        b->setObjectName(Name);
        connect(b, &QPushButton::clicked, this, Click);
        return b;
    };
    QPushButton* open = button("Button1", "開く(&O)", &TFavoriteFileDialog::OpenClick);
    open->setDefault(true);
    QPushButton* add = button("Button3", "追加(&A)...", &TFavoriteFileDialog::AddClick);
    QPushButton* remove = button("Button4", "削除(&R)", &TFavoriteFileDialog::DeleteClick);
    QPushButton* up = button("Button5", "一つ上へ(&U)", &TFavoriteFileDialog::UpClick);
    QPushButton* down = button("Button6", "一つ下へ(&D)", &TFavoriteFileDialog::DownClick);
    auto* close = new QPushButton(QString::fromUtf8("閉じる(&C)"), this);
    close->setObjectName("Button2");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(FList, &QListWidget::itemDoubleClicked, this, [this] { OpenClick(); });
    connect(FList, &QListWidget::currentRowChanged, this, [this] { ShowDetails(); });

    FSize = new QLabel(this);
    FSize->setObjectName("Label6");
    FTime = new QLabel(this);
    FTime->setObjectName("Label8");
    auto* details = new QGridLayout;
    details->addWidget(new QLabel(QString::fromUtf8("ファイルサイズ："), this), 0, 0);
    details->addWidget(FSize, 0, 1);
    details->addWidget(new QLabel(QString::fromUtf8("タイムスタンプ："), this), 1, 0);
    details->addWidget(FTime, 1, 1);
    details->setColumnStretch(1, 1);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {open, add, remove, up, down}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* top = new QHBoxLayout;
    top->addWidget(FList, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(details);
    resize(520, 320);
}

void TFavoriteFileDialog::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    Fill(FModel.Load());
}

void TFavoriteFileDialog::Fill(int Select)
{
    FList->clear();
    for (const std::string& entry : FModel.Entries()) FList->addItem(Q(entry));
    FList->setCurrentRow(Select);
    ShowDetails();
}

void TFavoriteFileDialog::ShowDetails()
{
    const int row = FList->currentRow();
    if (row < 0 || row >= static_cast<int>(FModel.Entries().size())) {
        FSize->clear();
        FTime->clear();
        return;
    }
    const TFavoriteDetails details = FavoriteDetails(FModel.Entries()[static_cast<std::size_t>(row)]);
    FSize->setText(Q(details.Size));
    FTime->setText(Q(details.Time));
}

QString TFavoriteFileDialog::SizeText() const { return FSize->text(); }
QString TFavoriteFileDialog::TimeText() const { return FTime->text(); }

void TFavoriteFileDialog::OpenClick()
{
    const int row = FList->currentRow();
    if (row < 0) {
        ShowMessageDialog(FPrompter, kFavoriteNoneToOpen, "確認", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        return;
    }
    const std::string path = FModel.Entries()[static_cast<std::size_t>(row)];
    accept();
    if (OpenFile) OpenFile(path);
}

void TFavoriteFileDialog::AddClick()
{
    TFileDialogRequest request;
    request.Filter = "全てのﾌｧｲﾙ (*.*)|*.*";
    const TFileDialogResult result = FDialogs.Execute(request);
    if (!result.Accepted || result.Files.empty()) return;
    Fill(FModel.Add(result.Files.front()));
}

void TFavoriteFileDialog::DeleteClick()
{
    const int row = FList->currentRow();
    if (row < 0) {
        ShowMessageDialog(FPrompter, kFavoriteNoneToDelete, "確認", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        return;
    }
    Fill(FModel.Delete(row));
}

void TFavoriteFileDialog::UpClick()
{
    if (FList->currentRow() >= 0) Fill(FModel.Up(FList->currentRow()));
}

void TFavoriteFileDialog::DownClick()
{
    if (FList->currentRow() >= 0) Fill(FModel.Down(FList->currentRow()));
}

} // namespace qx
