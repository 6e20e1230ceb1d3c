#pragma once
// The sixteen pages of the editor options dialog, bound to the working copy (the environment record) as
// every option page is (OptionPageKit.h); linked values go through the page rules.

#include "dialogs/qt/OptionPageKit.h"

#include <QIcon>

namespace qx {

struct TEditOptionContext;

class TEditOptionPage : public TBoundPage {
public:
    using TBoundPage::TBoundPage;
};

// Builds page Index (0..15) into Parent and shows the working copy in it.
TEditOptionPage* CreateEditOptionPage(int Index, TEditOptionContext& Context, QWidget* Parent);
// The page list's icon of page Index, 32 pixels.
QIcon EditOptionPageIcon(int Index);

} // namespace qx
