#pragma once
// The project tree's popup over the window's actions (item commands and the node's expand toggle). Each
// time it opens, the actions take the states of the current selection first.

class QMenu;

namespace qx {

class TProjectTreeView;
class TQtActions;

// Gives the tree its popup menu ("ProjectTreePopupMenu", a child of the tree), shown at the node that
// the press selected, or by the keyboard's menu key at the selected node.
QMenu* AttachProjectTreePopup(TProjectTreeView& Tree, TQtActions& Actions);

} // namespace qx
