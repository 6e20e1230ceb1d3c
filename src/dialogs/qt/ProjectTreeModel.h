#pragma once
// The project tree as a Qt item model over the project manager: one top-level node, the project root,
// and below it the records as the manager's tree shapes them. It only reads; every change goes through
// the manager, and the pane resets the model when the manager rebuilds its tree.

#include "dialogs/ProjectManager.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <array>

namespace qx {

class TProjectTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    TProjectTreeModel(TProjectManager& manager, const TGlobalState& state, QObject* parent = nullptr);

    // Record index of a model index: -1 for the root; -2 for no node.
    static int RecordOf(const QModelIndex& index);
    QModelIndex IndexOfRecord(int record) const;  // -1: the root

    void Reset();
    void RecordChanged(int record);
    // The node shown bold with ProjectTreeFormat 2.
    void SetSelectedRecord(int record);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    TProjectManager& FManager;
    const TGlobalState& FState;
    std::array<QIcon, 6> FIcons;  // root, box, folder, stored file, link, trash
    int FSelected = -1;
};

} // namespace qx
