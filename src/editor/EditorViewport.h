#pragma once
// The window the editing control lives in, as the control sees it: its client size, focus, repainting
// and scrolling of pixels, the scroll bars, the mouse cursor, the caret and the input method's cursor.
// The Qt host implements it; tests use a fake that records the calls.

#include "editor/EditorCanvas.h"

namespace qx {

enum class TScrollBarKind { Horizontal, Vertical };

class TEditorViewport {
public:
    virtual ~TEditorViewport() = default;

    // The client area, without scroll bars.
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    // The extent of a scroll bar that the control must leave free in its client area (0 when the host's
    // client area already excludes its scroll bars).
    virtual int ScrollBarExtent() const { return 0; }

    virtual bool Focused() const = 0;
    virtual void SetFocus() = 0;

    // Marks R for repainting; the host paints it later through the control's Paint.
    virtual void Invalidate(const TRect& R) = 0;
    // Paints what is invalid now.
    virtual void Update() = 0;
    // Moves the pixels of Scroll by (DX, DY), clipped to Scroll, and invalidates what is uncovered.
    virtual void ScrollRect(int DX, int DY, const TRect& Scroll) = 0;

    virtual void ShowScrollBar(TScrollBarKind Bar, bool Visible) = 0;
    // Range Min..Max, a page of Page, at Pos.
    virtual void SetScrollBar(TScrollBarKind Bar, int Min, int Max, int Page, int Pos) = 0;
    virtual void SetScrollPos(TScrollBarKind Bar, int Pos) = 0;
    // The frame round the window: a single sunken line, or none.
    virtual void ShowBorder(bool Single) { (void)Single; }

    // The mouse cursor by number (crIBeam, crDefault, crRightArrow, ...).
    virtual void SetCursor(int Cursor) = 0;
    // The rows a notch of the mouse wheel scrolls, as the desktop sets it.
    virtual int WheelScrollLines() const { return 3; }

    // The caret: its rectangle and whether it is drawn now (the control blinks it).
    virtual void SetCaret(const TRect& R, bool Shown) = 0;
    // Where the input method shows its composition.
    virtual void SetImeCursor(const TRect& R) = 0;

    // The desktop's alert sound: the control refuses what was asked of it.
    virtual void Beep() {}

    // The font's grid measures.
    virtual TFontMetrics MeasureFont(const TFontSpec& Font) = 0;
};

} // namespace qx
