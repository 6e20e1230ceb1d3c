#pragma once
// The page layout of the string-list printer: the geometry of a page (print rectangle, header and
// footer bands, line-number column, text columns) from the printer's settings and a device, the
// wrapping of one line into printed rows, and the pass that fills pages with rows.

#include "editor/EditorCanvas.h"
#include "editor/EditorWrap.h"
#include "print/HeaderFormat.h"
#include "print/PageModel.h"
#include "print/PrintServices.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TQxStringsPrinter;

// Millimetres to device pixels, rounded.
int MmToPixels(int Mm, int Dpi);

// The number of decimal digits of N (at least 1).
int DecimalDigits(long long N);

struct TPrintGeometry {
    TPrintPages Frame;       // page and paper sizes, resolution, font (no pages)
    TFontMetrics Metrics;
    TRect Unprintable;       // the sheet's margins outside the printable area (Left, Top, Right, Bottom)
    TRect Print;             // the print rectangle on the printable area
    TRect HeaderBand;        // empty (zero high) without a header
    TRect FooterBand;
    TRect NumberColumn;      // zero wide without line numbers
    int TextLeft = 0;        // the first text column
    int TextWidth = 0;
    int ColumnPitch = 0;
    int ColumnCount = 1;
    int RowHeight = 0;
    int RowGap = 0;
    int WrapWidth = 0;       // cells a printed row holds
};

// The geometry for a device; NumberDigits is the width of the largest line number printed. A text
// column without room raises EPrintError.
TPrintGeometry ComputeGeometry(const TQxStringsPrinter& Printer, const TPrintDeviceInfo& Device,
                               const TFontMetrics& Metrics, int NumberDigits);

// Cuts one line (tabs already expanded) into printed rows of at most Rules' wrap width plus what the
// line-break rules hang past it; a line that exactly fills its last row gets no empty row after it.
void WrapPrintLine(std::string_view Line, const TWrapRules& Rules, std::vector<std::string_view>& Rows);

struct TLayoutResult {
    bool Completed = false;  // false: cancelled
    int PageCount = 0;
    long long LargestNumber = 0;  // the largest line number printed
};

// One pass over Lines. With Pages null only counts; otherwise appends the pages to Pages->Pages.
TLayoutResult RunLayout(const TQxStringsPrinter& Printer, const std::vector<std::string>& Lines,
                        const TPrintGeometry& Geometry, const THeaderValues& Header, TPrintProgress* Progress,
                        const char* Caption, TPrintPages* Pages);

} // namespace qx
