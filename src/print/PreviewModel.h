#pragma once
// The preview window's logic: the current page, the page counter, which page buttons work, the size
// and place of the page image at each zoom mode, and a stored window rectangle brought onto the screen.

#include "editor/EditorCanvas.h"
#include "print/PageModel.h"

#include <string>

namespace qx {

enum TPreviewZoom { pzActualSize = 0, pzFitWidth = 1, pzFitHeight = 2 };

// Where the page image lies in the scroll box's client area, and where the printable area lies on it.
struct TPreviewPlacement {
    TRect Image;      // the whole sheet
    TRect Printable;  // the page's laid-out area, on the sheet
};

class TPreviewModel {
public:
    TPreviewModel(const TPrintPages& Pages, int ScreenDpi);

    int Count() const { return FCount; }
    int Index() const { return FIndex; }
    // Clamped to 0..Count - 1.
    void GoTo(int Index);
    // "%3d / %3d" of the page number and the count.
    std::string Counter() const;
    bool CanFirst() const { return FIndex >= 1; }
    bool CanPrior() const { return FIndex >= 1; }
    bool CanNext() const { return FIndex < FCount - 1; }
    bool CanLast() const { return FIndex < FCount - 1; }

    TPreviewZoom Zoom = pzActualSize;
    // The image for a client area of the given size; the scroll bars' extents are kept free at the
    // fit modes.
    TPreviewPlacement Place(int ClientWidth, int ClientHeight, int VScrollWidth, int HScrollHeight) const;

private:
    const TPrintPages& FPages;
    int FScreenDpi;
    int FCount;
    int FIndex = 0;
};

// A window rectangle (Left, Top, Right, Bottom) moved, and shrunk where it must be, so that it lies on
// Screen.
TRect FitOnScreen(const TRect& Window, const TRect& Screen);

} // namespace qx
