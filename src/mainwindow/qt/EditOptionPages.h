#pragma once
// The sixteen pages of the editor options dialog. A page only binds its controls to the working copy:
// showing it copies the copy into the controls (signals blocked, so showing never changes the copy),
// each change of a control writes its value back, through the page rules where values are linked, and
// the page then shows the copy again so that the linked controls follow.

#include <QIcon>
#include <QWidget>

#include <functional>
#include <vector>

namespace qx {

struct TEditOptionContext;

class TEditOptionPage : public QWidget {
public:
    explicit TEditOptionPage(QWidget* Parent) : QWidget(Parent) {}
    // Shows the working copy in every control, with their enabled states.
    void Refresh();
    void AddLoader(std::function<void()> Loader) { FLoaders.push_back(std::move(Loader)); }

private:
    std::vector<std::function<void()>> FLoaders;
};

// Builds page Index (0..15) into Parent and shows the working copy in it.
TEditOptionPage* CreateEditOptionPage(int Index, TEditOptionContext& Context, QWidget* Parent);
// The page list's icon of page Index, 32 pixels.
QIcon EditOptionPageIcon(int Index);

} // namespace qx
