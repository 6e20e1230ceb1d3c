#include "dialogs/qt/ProjectTreeModel.h"

#include <QApplication>
#include <QFont>
#include <QStyle>

namespace qx {

namespace {

// Internal ids: 0 the root, record + 1 a record.
constexpr quintptr RootId = 0;

int ImageIndex(TProjectNodeType type)
{
    switch (type) {
    case TProjectNodeType::ntBox: return 1;
    case TProjectNodeType::ntFolder: return 2;
    case TProjectNodeType::ntImport: return 3;
    case TProjectNodeType::ntLink: return 4;
    case TProjectNodeType::ntTrash: return 5;
    }
    return 0;
}

} // namespace

TProjectTreeModel::TProjectTreeModel(TProjectManager& manager, const TGlobalState& state, QObject* parent)
    : QAbstractItemModel(parent), FManager(manager), FState(state)
{
    QStyle* style = QApplication::style();
    FIcons = {style->standardIcon(QStyle::SP_DriveHDIcon), style->standardIcon(QStyle::SP_DirHomeIcon),
              style->standardIcon(QStyle::SP_DirIcon), style->standardIcon(QStyle::SP_FileIcon),
              style->standardIcon(QStyle::SP_FileLinkIcon), style->standardIcon(QStyle::SP_TrashIcon)};
}

int TProjectTreeModel::RecordOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<int>(index.internalId()) - 1 : -2;
}

QModelIndex TProjectTreeModel::IndexOfRecord(int record) const
{
    if (record < 0 || record >= FManager.Tree().Count()) return createIndex(0, 0, RootId);
    return createIndex(FManager.Tree().Row(record), 0, static_cast<quintptr>(record) + 1);
}

void TProjectTreeModel::Reset()
{
    beginResetModel();
    endResetModel();
}

void TProjectTreeModel::RecordChanged(int record)
{
    const QModelIndex index = IndexOfRecord(record);
    emit dataChanged(index, index);
}

void TProjectTreeModel::SetSelectedRecord(int record)
{
    const int old = FSelected;
    FSelected = record;
    if (FState.Settings.Project.ProjectTreeFormat != 2 || old == record) return;
    if (old >= -1 && old < FManager.Tree().Count()) RecordChanged(old);
    RecordChanged(record);
}

QModelIndex TProjectTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row == 0 ? createIndex(0, 0, RootId) : QModelIndex();
    const std::vector<int>& children = FManager.Tree().Children(RecordOf(parent));
    if (row >= static_cast<int>(children.size())) return {};
    return createIndex(row, 0, static_cast<quintptr>(children[static_cast<std::size_t>(row)]) + 1);
}

QModelIndex TProjectTreeModel::parent(const QModelIndex& index) const
{
    const int record = RecordOf(index);
    if (record < 0) return {};
    return IndexOfRecord(FManager.Tree().Parent(record));
}

int TProjectTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid()) return 1;
    if (parent.column() != 0) return 0;
    return static_cast<int>(FManager.Tree().Children(RecordOf(parent)).size());
}

int TProjectTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant TProjectTreeModel::data(const QModelIndex& index, int role) const
{
    const int record = RecordOf(index);
    if (record < -1 || record >= FManager.Records().Count()) return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(record < 0 ? FManager.RootCaption() : FManager.Caption(record));
    case Qt::DecorationRole:
        if (!FState.Settings.Project.ProjectTreeImage) return {};
        return FIcons[static_cast<std::size_t>(record < 0 ? 0 : ImageIndex(FManager.Records().NodeTypes(record)))];
    case Qt::FontRole: {
        const int format = FState.Settings.Project.ProjectTreeFormat;
        if ((format == 1 && record == -1) || (format == 2 && record == FSelected)) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    }
    default: return {};
    }
}

} // namespace qx
