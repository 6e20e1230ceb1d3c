#pragma once
// Pieces the tool dialogs share: the OK / CANCEL row and the lists whose selected line shows white on
// blue.

#include <functional>
#include <string>
#include <vector>

class QDialog;
class QHBoxLayout;
class QIcon;
class QListWidget;
class QPushButton;
class QWidget;

namespace qx {

// "OK" (Button1, the default) and "CANCEL" (Button2, which rejects) at the right.
QHBoxLayout* OkCancelRow(QDialog* Dialog, QPushButton*& Ok, QPushButton*& Cancel);

// Names a list box and draws its selected line white on blue.
void StyleToolList(QListWidget* List, const char* Name);
template <class TList> TList* ToolList(TList* List, const char* Name)
{
    StyleToolList(List, Name);
    return List;
}
// Shows Shift-JIS Lines in List with line Current (-1: none) selected, without telling the list's
// listeners; Icon, when given, gives each line's icon.
void ShowLines(QListWidget* List, const std::vector<std::string>& Lines, int Current,
               const std::function<QIcon(const std::string&)>& Icon = {});

} // namespace qx
