#include "dialogs/qt/ProjectTreeView.h"

#include "documents/GlobalState.h"
#include "platform/qt/QtColor.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QLabel>
#include <QMimeData>
#include <QVBoxLayout>

#include <set>

namespace qx {

namespace {

constexpr const char* DragFormat = "application/x-qxeditor-project-item";

} // namespace

TProjectTreeView::TProjectTreeView(TProjectManager& manager, const TGlobalState& state, QWidget* parent)
    : QTreeView(parent), FManager(manager), FModel(manager, state)
{
    setObjectName("ProjectTreeView");
    setModel(&FModel);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        const int record = TProjectTreeModel::RecordOf(index);
        if (record >= 0) FManager.OpenProjectItem(record);
    });
    Rebuild();
    SelectRecord(FManager.SelectedProjectItemIndex());
}

void TProjectTreeView::Rebuild()
{
    // Expanded nodes are remembered by item id: a rebuild may move them.
    std::set<int> expanded;
    const TProjectRecordList& records = FManager.Records();
    std::vector<QModelIndex> stack{FModel.index(0, 0)};
    while (!stack.empty()) {
        const QModelIndex index = stack.back();
        stack.pop_back();
        if (!isExpanded(index)) continue;
        const int record = TProjectTreeModel::RecordOf(index);
        if (record >= 0 && record < records.Count()) expanded.insert(records.ItemIds(record));
        for (int row = 0, rows = FModel.rowCount(index); row < rows; ++row) stack.push_back(FModel.index(row, 0, index));
    }
    FSelecting = true;
    FModel.Reset();
    FSelecting = false;
    const TProjectTree& tree = FManager.Tree();
    for (int record = 0; record < tree.Count(); ++record)
        if (expanded.count(records.ItemIds(record)) && !tree.Children(record).empty()) expand(FModel.IndexOfRecord(record));
    expand(FModel.index(0, 0));
}

void TProjectTreeView::SelectRecord(int record)
{
    const QModelIndex index = FModel.IndexOfRecord(record);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) expand(parent);
    FSelecting = true;
    setCurrentIndex(index);
    FSelecting = false;
    FModel.SetSelectedRecord(record);
    scrollTo(index);
}

void TProjectTreeView::ToggleExpanded(const QModelIndex& index) { setExpanded(index, !isExpanded(index)); }

void TProjectTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    if (FSelecting || !current.isValid()) return;
    FManager.SetSelectedProjectItemIndex(TProjectTreeModel::RecordOf(current));
}

void TProjectTreeView::mousePressEvent(QMouseEvent* event)
{
    // Any button selects the node under the cursor, so that the popup menu acts on it.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() != Qt::LeftButton) setCurrentIndex(index);
    QTreeView::mousePressEvent(event);
}

QMimeData* TProjectTreeView::MakeDragData(int record) const
{
    auto* data = new QMimeData;
    const QString value = QString::number(reinterpret_cast<quintptr>(this)) + ":" + QString::number(record);
    data->setData(DragFormat, value.toLatin1());
    return data;
}

int TProjectTreeView::DraggedRecord(const QMimeData* data) const
{
    if (!data || !data->hasFormat(DragFormat)) return -2;
    const QList<QByteArray> parts = data->data(DragFormat).split(':');
    bool ok = parts.size() == 2;
    if (!ok || parts[0].toULongLong(&ok) != reinterpret_cast<quintptr>(this) || !ok) return -2;
    const int record = parts[1].toInt(&ok);
    return ok && record >= 0 && record < FManager.Records().Count() ? record : -2;
}

int TProjectTreeView::DropTarget(const QMimeData* data, const QPoint& pos) const
{
    const int source = DraggedRecord(data);
    const QModelIndex index = indexAt(pos);
    if (source < 0 || !index.isValid()) return -2;
    const int target = TProjectTreeModel::RecordOf(index);
    return FManager.CanDropProjectItem(source, target) ? target : -2;
}

void TProjectTreeView::startDrag(Qt::DropActions)
{
    const int record = TProjectTreeModel::RecordOf(currentIndex());
    if (!FManager.CanDragProjectItem(record)) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(MakeDragData(record));
    drag->exec(Qt::MoveAction);
}

void TProjectTreeView::dragEnterEvent(QDragEnterEvent* event)
{
    if (DraggedRecord(event->mimeData()) >= 0) event->acceptProposedAction();
    else event->ignore();
}

void TProjectTreeView::dragMoveEvent(QDragMoveEvent* event)
{
    if (DropTarget(event->mimeData(), event->position().toPoint()) >= -1) event->acceptProposedAction();
    else event->ignore();
}

void TProjectTreeView::dropEvent(QDropEvent* event)
{
    const int target = DropTarget(event->mimeData(), event->position().toPoint());
    if (target < -1 || !FManager.DropProjectItem(DraggedRecord(event->mimeData()), target)) {
        event->ignore();
        return;
    }
    // The manager has moved the records itself: the drag's source must remove nothing.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

TProjectPane::TProjectPane(TProjectManager& manager, const TGlobalState& state, QWidget* parent)
    : QWidget(parent), FManager(manager), FTitle(new QLabel(QString::fromUtf8("プロジェクトマネージャ"), this)),
      FTree(new TProjectTreeView(manager, state, this))
{
    setObjectName("ProjectExpPanel");
    FTitle->setObjectName("Label1");
    FTitle->setAutoFillBackground(true);
    FTitle->setContentsMargins(4, 2, 4, 2);
    const TProjectSettings& project = state.Settings.Project;
    SetTitleColors(project.TitleFontColor, project.TitleBackGroundColor);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FTitle);
    layout->addWidget(FTree);
    FManager.SetListener(this);
    setVisible(FManager.PaneVisible());
}

TProjectPane::~TProjectPane() { FManager.SetListener(nullptr); }

void TProjectPane::SetTitleColors(TColor Text, TColor Back)
{
    QPalette palette = FTitle->palette();
    palette.setColor(QPalette::WindowText, ToQColor(Text));
    palette.setColor(QPalette::Window, ToQColor(Back));
    FTitle->setPalette(palette);
}

void TProjectPane::SetToolBar(QWidget* bar)
{
    bar->setParent(this);
    // Under the title, just above the tree.
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->insertWidget(column->indexOf(FTree), bar);
}

} // namespace qx
