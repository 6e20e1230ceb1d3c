#pragma once
// The project pane ("ProjectExpPanel") with its tree ("ProjectTreeView"): shows the project manager's
// tree and forwards the user's acts to it. A node is selected by any mouse button (so a popup acts on
// it), a double click opens an item, and a node dragged inside the tree is dropped by the manager's
// rules as one move.

#include "dialogs/ProjectManager.h"
#include "dialogs/qt/ProjectTreeModel.h"
#include "platform/Color.h"

#include <QTreeView>
#include <QWidget>

#include <functional>

class QLabel;
class QMimeData;

namespace qx {

class TProjectTreeView : public QTreeView {
    Q_OBJECT
public:
    TProjectTreeView(TProjectManager& manager, const TGlobalState& state, QWidget* parent = nullptr);

    TProjectTreeModel& Model() { return FModel; }
    // Rebuilds every node, keeping the nodes that were expanded expanded; the root is always expanded.
    void Rebuild();
    // Selects record `record` (-1: the root), expanding the nodes above it.
    void SelectRecord(int record);
    // The node toggle of the popup menu: collapses an expanded node, expands any other.
    void ToggleExpanded(const QModelIndex& index);

    // What a drag from this tree carries, and the record it carries (-2 when it comes from elsewhere).
    QMimeData* MakeDragData(int record) const;
    int DraggedRecord(const QMimeData* data) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // The target of a drag at `pos` that the manager accepts, or -2.
    int DropTarget(const QMimeData* data, const QPoint& pos) const;

    TProjectManager& FManager;
    TProjectTreeModel FModel;
    bool FSelecting = false;
};

class TProjectPane : public QWidget, public TProjectTreeListener {
    Q_OBJECT
public:
    TProjectPane(TProjectManager& manager, const TGlobalState& state, QWidget* parent = nullptr);
    ~TProjectPane() override;

    TProjectTreeView& Tree() { return *FTree; }
    // The title bar over the tree ("Label1"), in the colours the options choose.
    QLabel& Title() { return *FTitle; }
    void SetTitleColors(TColor Text, TColor Back);
    // A bar between the title and the tree (the window's project tool bar); the pane takes it.
    void SetToolBar(QWidget* bar);

    // Told after the selected node changed (the window shows the project commands' states for it).
    std::function<void()> OnSelectionChanged;

    void ProjectTreeRebuilt() override { FTree->Rebuild(); }
    void ProjectNodeSelected(int index) override
    {
        FTree->SelectRecord(index);
        if (OnSelectionChanged) OnSelectionChanged();
    }
    void ProjectPaneVisibilityChanged(bool visible) override { setVisible(visible); }
    void ProjectNodeChanged(int index) override { FTree->Model().RecordChanged(index); }

private:
    TProjectManager& FManager;
    QLabel* FTitle;
    TProjectTreeView* FTree;
};

} // namespace qx
