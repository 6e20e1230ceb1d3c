#pragma once
// Paper kinds: the Windows paper numbers 1..68 with their published sizes, the fallback when a printer
// cannot tell the size of its paper, and the list of papers a printer offers.

#include <string>
#include <vector>

namespace qx {

struct TPaperItem {
    std::string Name;
    int Width = 0;   // mm
    int Height = 0;  // mm
    int Number = 0;  // the Windows paper number
};

using TPaperItemList = std::vector<TPaperItem>;

// The built-in table (numbers 1..68, in order; the two reserved kinds have no size).
const TPaperItemList& PaperKinds();

// The paper a printer uses now: its list first, then the built-in table; A4 when neither knows Number.
struct TQxStringsPrinterInfo {
    TPaperItemList Papers;  // what the printer offers
    int PaperNumber = 9;

    TPaperItem CurrentPaper() const;
};

} // namespace qx
