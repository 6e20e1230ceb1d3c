#pragma once
// TEditor: the editing control. It shows one text as a grid of fixed-width cells (a byte a cell, a
// double-byte character two) below an optional ruler and right of an optional image bar and
// line-number bar, colours it through a fountain, and keeps its own caret, selection, undo and row
// marks. It is free of any GUI library: it draws through a canvas, asks its window through a viewport
// and reaches the clipboard and the clock through interfaces (EditorCanvas.h, EditorViewport.h,
// EditorClipboardPort.h, EditorClock.h). The Qt host (editor/qt/EditorWidget.h) owns one control and
// forwards its window's events to the entry points below.
//
// The text lives in a row store shared by every view of it (ShareList); the last view frees it.
// Create a control with Construct<TEditor>(owner) (or a descendant): the option objects and the row
// store are made by the virtual factories after construction.
//
// The members are grouped by concern, and each concern has its own source file:
//   EditorControl.cpp    creation, destruction, properties, factories, option changes, sharing, events
//   EditorRowMarks.cpp   row marks, row attributes, the wrap guide line and the line-number bar's markers
//   EditorCaret.cpp      metrics, scroll bars, scrolling, caret shape and place, column rules
//   EditorPaint.cpp      the paint pass, rows and tokens, visible marks, the caret-row underline
//   EditorFrame.cpp      the ruler, the line-number bar, the image bar and the corner
//   EditorSelection.cpp  selection                  EditorBlock.cpp      block editing
//   EditorClipboard.cpp  clipboard                  EditorKeys.cpp       keys, characters
//   EditorMouse.cpp      mouse and wheel            EditorSearch.cpp     search and replace
//   EditorInputMethod.cpp  the input method        EditorTokens.cpp     the token under a point
//   EditorPositions.cpp  offsets, rows, deleting    EditorMessages.cpp   the EDIT-control messages

#include "editor/EditorCanvas.h"
#include "editor/EditorClipboardPort.h"
#include "editor/EditorClock.h"
#include "editor/EditorOptions.h"
#include "editor/EditorPopupMenu.h"
#include "editor/EditorScreen.h"
#include "editor/EditorScreenStrings.h"
#include "editor/EditorStrings.h"
#include "editor/EditorView.h"
#include "editor/EditorViewport.h"
#include "platform/ShiftState.h"
#include "platform/TabColumns.h"
#include "editor/EditorWrap.h"
#include "editor/TextSearch.h"
#include "platform/Component.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace qx {

class TFountain;
class TFountainParser;

enum TBorderStyle { bsNone, bsSingle };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditorHitStyle { hsSelect, hsDraw, hsCaret };
enum TEditorSelectionMode { smLine, smBox };


// Scroll-bar request codes.
enum TScrollCode {
    SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBPOSITION, SB_THUMBTRACK, SB_TOP, SB_BOTTOM, SB_ENDSCROLL
};

// The last column the control draws and the caret may stand in (2001 only after a double-byte
// character that starts in it).
constexpr int MaxColumn = 2000;

// Timer numbers the control runs through its clock.
constexpr int CaretBlinkTimer = 1;
constexpr int CaretBlinkTime = 530;  // ms
// Lexer states computed ahead between events, about LexSliceBytes of text at a time (a few ms), once
// LexPause ms have passed without a request (a keystroke, a paint that guessed a state): while the user
// types on a long row, its rest is lexed once when the typing stops, not after every key.
constexpr int LexTimer = 2;
constexpr int LexPause = 250;  // ms
constexpr std::size_t LexSliceBytes = 512 * 1024;

using TDrawLineEvent = std::function<void(TObject* Sender, const std::string& LineStr, int X, int Y, int Index,
                                          const TRect& ARect, bool Selected)>;
using TSelectionChangeEvent = std::function<void(TObject* Sender, bool Selected)>;
// Count characters of a text to be pasted had no code in code page 932 and became "?".
using TCharactersLostEvent = std::function<void(TObject* Sender, std::size_t Count)>;
using TKeyEvent = std::function<void(TObject* Sender, int& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
// The selection dragged out of Sender is at (X, Y), a point of Sender's client area; Handled when the
// owner takes the move (it shows the drop point elsewhere) or the drop.
using TDragEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y, bool& Handled)>;

// The selection as the painter and the selection code share it: display positions of its start and
// end, in the order they stand in the text (for a box: the corners).
struct TSelectionBounds {
    int StartRow = 0;
    int StartCol = 0;
    int EndRow = 0;
    int EndCol = 0;
};

class TEditor : public TComponent, public TEditorView {
public:
    // =================================================================================================
    // Creation, destruction, properties, factories (EditorControl.cpp)
    // =================================================================================================
    explicit TEditor(TComponent* AOwner = nullptr);
    ~TEditor() override;
    // Builds the parts through the virtual factories, in the class's order.
    void AfterConstruction() override;

    // The host: with a viewport the control has a window ("a handle"); without one it keeps its state
    // and draws nothing. Attaching measures the font and sets the scroll bars up.
    void SetViewport(TEditorViewport* Viewport);
    TEditorViewport* Viewport() const { return FViewport; }
    bool HandleAllocated() const { return FViewport != nullptr; }
    void SetClock(TEditorClock* Clock) { FClock = Clock; }
    TEditorClock* Clock() const { return FClock; }
    // A clipboard that goes keeps the text of the selection this control offered it.
    void SetClipboard(TEditorClipboardPort* Clipboard);
    TEditorClipboardPort* Clipboard() const { return FClipboard; }

    // The end of loading a stored form: re-wraps, re-lexes, clears Modified.
    virtual void Loaded();
    void SetLoading(bool Value) { FLoading = Value; }

    // Published properties.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TEditorCaret& Caret() { return *FCaret; }
    void SetCaret(const TEditorCaret& Value) { FCaret->Assign(Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    const TFontSpec& Font() const { return FFont; }
    void SetFont(const TFontSpec& Value);
    TFountain* Fountain() const { return FFountain; }
    void SetFountain(TFountain* Value);
    TEditorHitStyle HitStyle() const { return FHitStyle; }
    void SetHitStyle(TEditorHitStyle Value);
    TEditorImagebar& Imagebar() { return *FImagebar; }
    void SetImagebar(const TEditorImagebar& Value) { FImagebar->Assign(Value); }
    TEditorStrings& Lines() { return *FLines; }
    void SetLines(const TStringList& Value);
    TEditorLeftbar& Leftbar() { return *FLeftbar; }
    void SetLeftbar(const TEditorLeftbar& Value) { FLeftbar->Assign(Value); }
    TEditorMargin& Margin() { return *FMargin; }
    void SetMargin(const TEditorMargin& Value) { FMargin->Assign(Value); }
    TEditorMarks& Marks() { return *FMarks; }
    void SetMarks(const TEditorMarks& Value) { FMarks->Assign(Value); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    const TStringList& ReserveWordList() const;
    void SetReserveWordList(const TStringList& Value);
    const TStringList& ReserveWordList2() const;
    void SetReserveWordList2(const TStringList& Value);
    const TStringList& ReserveWordList3() const;
    void SetReserveWordList3(const TStringList& Value);
    TEditorRuler& Ruler() { return *FRuler; }
    void SetRuler(const TEditorRuler& Value) { FRuler->Assign(Value); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TEditorSpeed& Speed() { return *FSpeed; }
    void SetSpeed(const TEditorSpeed& Value) { FSpeed->Assign(Value); }
    bool TopEOF() const { return FTopEOF; }
    void SetTopEOF(bool Value) { FTopEOF = Value; }
    int UndoListMax() const;
    // Never below 64.
    void SetUndoListMax(int Value);
    TEditorViewInfo& View() { return *FView; }
    void SetView(const TEditorViewInfo& Value) { FView->Assign(Value); }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    bool WordWrap() const { return FList->WordWrap(); }
    void SetWordWrap(bool Value) { FList->SetWordWrap(Value); }
    TEditorWrapOption& WrapOption() { return FList->WrapOption(); }
    void SetWrapOption(const TEditorWrapOption& Value) { FList->WrapOption().Assign(Value); }

    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    void SetFileOpenMode(int Mode) { FFileOpenMode = static_cast<std::uint16_t>(Mode); }
    int FileOpenMode() const { return FFileOpenMode; }
    // The bytes that end a word.
    const TDelimiters& WordDelimiters() const { return FDelimiters; }

    // Events.
    TNotifyEvent OnCaretMoved, OnChange, OnClick, OnDblClick;
    TDrawLineEvent OnDrawLine;
    TNotifyEvent OnEnter, OnExit, OnIMEREQUEST;
    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TSelectionChangeEvent OnSelectionChange;
    TCharactersLostEvent OnPasteLost;
    TNotifyEvent OnSelectionModeChange, OnTopColChange, OnTopRowChange, OnResize;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnDrawWrapLine, OnHideWrapLine;
    // Dragging the selection: each move of the drag and its drop go to the owner first; OnEndDrag when
    // the drag is over, dropped or cancelled. OnClick: a left press and release in the client area
    // without Shift, not moved, not part of a double click (ClickPoint tells where).
    TDragEvent OnDragOver, OnDragDrop;
    TNotifyEvent OnEndDrag;

    // Attaches the control to Source's text as one more view of it; its own text is freed when no
    // other view holds it. Sharing the text the control already shows changes nothing.
    virtual void ShareList(TEditor* Source);
    // The row store (shared with the other views of the text).
    TEditorScreenStrings& List() { return *FList; }
    const std::shared_ptr<TEditorScreenStrings>& SharedList() const { return FList; }

    // The fountain that colours the text: Fountain, else the view's own.
    virtual TFountain* ActiveFountain() const override;
    virtual void InitDelimiters(TDelimiters& Delimiters);

    // Undo and redo through the row store; a shown selection is ended first.
    virtual bool CanUndo() const;
    virtual bool CanRedo() const;
    virtual void Undo();
    virtual void Redo();

    // The option objects' change handler.
    virtual void ViewChanged(TObject* Sender);

    // Row count, row texts and attributes.
    int RowCount() const { return FList->Count(); }
    std::string RowString(int Index) const;
    std::int64_t TextLength() const { return FList->TextLength(); }
    int RowToLine(int Index) const { return FList->RowToLine(Index); }
    int LineToRow(int Index) const { return FList->LineToRow(Index); }
    // The tab rule in force (the caret's tab width; the wrap column when the text is wrapped).
    TTabRule TabRule() const;
    // Display width of a string with tabs expanded; ExpandTabs replaces tabs by spaces.
    int DisplayWidth(std::string_view S) const;
    std::string ExpandTabs(std::string_view S) const;
    int RowDisplayWidth(int Index) const;
    // The width of S when it ends at or before column Col, else a value past Col: what a keystroke at Col needs
    // to know of its row, at the cost of the columns up to the caret.
    int WidthUpToPast(std::string_view S, int Col) const { return ColumnsUpTo(S, TabRule(), Col + 1); }

    // =================================================================================================
    // Row marks, row attributes, wrap guide line, line-number bar markers (EditorRowMarks.cpp)
    // =================================================================================================
    // Marks 0-9 stand on one row at most; 10-15 on any number. Numbers outside 0-15 are ignored.
    virtual void PutRowMark(int Index, int Mark);
    virtual void DeleteRowMark(int Index, int Mark);
    virtual void GotoRowMark(int Mark);
    virtual bool RowMarkExists(int Mark) const;
    virtual int FindRowMark(int Mark) const;
    int RowMarks(int Index) const;
    // Stores a changed mark set and repaints the row's image-bar cell.
    void SetRowMarks(int Index, int Marks);
    // 0 ends its line, 1 wrapped, 2 ends the text (also for rows outside the text).
    int RowAttribute(int Row) const;
    // The top of Row in client pixels; -1 outside the text area.
    virtual int RowToClientY(int Row) const;
    void DrawWrapLine();
    void HideWrapLine();
    virtual void DrawRowMarker(int Row);
    virtual void HideRowMarker(int Row);

    // =================================================================================================
    // Metrics, scroll bars, scrolling, caret (EditorCaret.cpp)
    // =================================================================================================
    int ColWidth() const { return FColWidth; }          // W
    int FontHeight() const { return FFontHeight; }      // H
    int RowHeight() const { return FMargin->Line() + FFontHeight + FUnderlinePixel; }
    int VisibleRows() const override { return FVisibleRows; }
    int VisibleCols() const { return FVisibleCols; }
    int TopRow() const override { return FTopRow; }
    int TopCol() const { return FTopCol; }
    int Row() const override { return FRow; }
    int Col() const override { return FCol; }
    bool OverWrite() const { return FOverWrite; }
    void SetOverWrite(bool Value);

    void UpdateMetrics();
    void UpdateScrollBars();
    // The largest top row the scroll bar offers.
    int MaxTopRow() const;
    // The last row that may stand at the top: the last row with TopEOF, else the one that fills the
    // window down to the last row (MaxTopRow is the scroll range, which holds a whole page).
    int TopRowLimit() const;
    void SetTopRow(int Value) override;
    void SetTopCol(int Value);
    void SetRow(int Value) override;
    void SetCol(int Value);
    void SetRowCol(int ARow, int ACol) override;
    void CaretToOffset(int FromRow, std::int64_t Offset) override;
    // Scrolls N rows with the caret keeping its place on the screen.
    void ScrollRowsKeepCaret(int N);
    // Scroll-bar requests (Pos: the thumb's position for SB_THUMBPOSITION and SB_THUMBTRACK).
    void VScroll(TScrollCode Code, int Pos = 0);
    void HScroll(TScrollCode Code, int Pos = 0);
    // Client point to display position; Centre: the right half of a cell gives the next column.
    void PosToRowCol(int X, int Y, bool Centre, int& ACol, int& ARow) const;
    virtual void ScrollText(int DX, int DY, const TRect& ScrollRect);
    // Moves only the image-bar band, or only the text area, of the rows from FromRow by N rows.
    void ScrollImagebarRows(int FromRow, int N) override;
    void ScrollTextRows(int FromRow, int N) override;

    virtual void BeginCaretUpdate();
    virtual void EndCaretUpdate();
    virtual void HideCaret();
    virtual void ShowCaret();
    virtual bool CaretOutOfView() const;
    virtual void SetEditorCaretPos();
    virtual void CreateCaretShape();
    virtual void ScrollCaretIntoView();
    virtual void CaretPosition(int& X, int& Y) const;
    virtual void RecreateCaret();
    // The caret's rectangle in client pixels (its shape follows Caret.Style and the overwrite mode).
    TRect CaretRect() const;
    void UpdateImeWindow();

    // Host entry points of this concern.
    void Resize();
    void FocusIn();
    void FocusOut();
    bool Focused() const override;
    void Timer(int Id);

    // =================================================================================================
    // Painting (EditorPaint.cpp)
    // =================================================================================================
    // Paints Clip of the client area onto Canvas.
    void Paint(TEditorCanvas& Canvas, const TRect& Clip);
    virtual void PaintRect(const TRect& R);
    // Draws S at (X, Y) in the canvas's current font and colours, every byte one cell wide; only the
    // first 2000 bytes (2001 when byte 2000 begins a double-byte character). Printing uses it too.
    void DrawTextRun(const TRect& R, int X, unsigned Options, std::string_view S, int Y);
    // The font, colours and brush DrawTextRun uses, as a canvas has them.
    TTextStyle& PaintStyle() { return FPaintStyle; }
    TEditorCanvas* PaintCanvas() const { return FCanvas; }

    virtual void DrawEofMark(int X, int Y);
    virtual void DrawRetMark(int X, int Y);
    virtual void DrawSelRetMark(int X, int Y);
    virtual void DrawWrapMark(int X, int Y);
    virtual void DrawSelWrapMark(int X, int Y);
    virtual void DrawHideMark(int X, int Y);
    virtual void DrawSelHideMark(int X, int Y);
    virtual void DrawUnderline(int ARow);
    virtual void EraseUnderline(int ARow);
    virtual void HideUnderline();
    virtual void ShowUnderline();
    virtual int UnderlineY(int ARow) const;

    void InvalidateRow(int ARow) override;
    void InvalidateRows(int Row1, int Row2) override;
    void InvalidateTextArea() override;
    void Invalidate();
    void RefreshView() override;

    // =================================================================================================
    // Frame areas: ruler, line-number bar, image bar (EditorFrame.cpp)
    // =================================================================================================
    int TextAreaTop() const;
    int TextAreaLeft() const;
    int RulerHeight() const { return FRulerHeight; }
    int ImagebarWidth() const { return FImagebarWidth; }
    int LeftbarWidth() const { return FLeftbarWidth; }
    int LeftbarDigits() const { return FLeftbarDigits; }
    virtual void UpdateImagebarWidth();
    // Answers whether the digit count changed.
    virtual bool UpdateLeftbarDigits();
    virtual void UpdateLeftbarWidth();
    virtual void UpdateRulerHeight();
    virtual void DrawRulerMark(int ACol);
    virtual void EraseRulerMark(int ACol);
    virtual void RefreshRuler();
    virtual void InvalidateLeftbarRows(int Row1, int Row2) override;
    virtual void PaintLeftbarNumbers(int FirstRow, int LastRow);
    virtual void PaintImagebarRows(int FirstRow, int LastRow);
    virtual void PaintRuler();
    virtual void PaintCorner();
    // Moves everything right of the image bar when the line-number bar changes its width.
    virtual void ShiftTextArea(int OldWidth, int NewWidth);
    // The text of a row's number in the line-number bar ("" for none).
    std::string LeftbarNumberText(int ARow) const;

    // =================================================================================================
    // Selection (EditorSelection.cpp)
    // =================================================================================================
    int SelectionState() const { return FSelectionState; }  // 0 none, 1 anchor, 2 shown, 3 search hit
    TEditorSelectionMode SelectionMode() const { return FSelectionMode; }
    const TSelectionBounds& Selection() const { return FSelection; }
    bool SelectionShown() const { return FSelectionState == 2 || FSelectionState == 3; }
    // A shown selection that holds at least one byte.
    // Selected text to copy, cut or delete: a shown search hit is none, it only marks the match.
    bool HasSelection() const { return FSelectionState == 2 && SelLength() > 0; }
    // Ends a shown selection or search hit and repaints the rows it covered.
    void CleanSelection() override;
    // Sets the anchor at the caret (state 1); the selection shows at the first caret move.
    virtual void StartSelection();
    virtual void ShowSelection();
    // After a caret move made with Shift or the mouse button down: shows or recomputes the selection.
    virtual void UpdateSelection();
    // Recomputes both records from the anchor and the caret and repaints what changed.
    virtual void ComputeSelection();
    // Deletes the selected text (a box: its cells on every row) as one undo step.
    virtual void DeleteSelection();
    virtual void SelectAll();
    // Whole rows from the left margin: SelectRow selects Row, ExtendRowSelection runs the selection
    // from the row first clicked to Row.
    virtual void SelectRow(int Row);
    virtual void ExtendRowSelection(int Row);
    virtual bool IsInSelection(int ARow, int ACol) const;
    // The search shows a match of Length characters that starts at the caret, as HitStyle asks.
    virtual void ShowHit(int Length);
    // A shown search hit becomes an ordinary selection.
    virtual void HitToSelection();
    virtual void SetSelectionMode(TEditorSelectionMode Mode);
    // Character offsets (a line end counts 2) of the selection's start and its length; the selected text.
    std::int64_t SelStart() const;
    void SetSelStart(std::int64_t Value);
    std::int64_t SelLength() const;
    void SetSelLength(std::int64_t Value);
    std::string SelText() const;
    // The selection in bytes: start and end rows, start byte and the last selected byte (inclusive).
    const TSelectionBounds& ByteSelection() const { return FByteSelection; }
    // The byte index of display column ACol on row ARow: the column less the tab padding before it,
    // at most the row's length.
    int ColToByte(int ARow, int ACol) const;

    // =================================================================================================
    // Block editing (EditorBlock.cpp): each change is one edit of the row store and one undo step;
    // nothing happens on a read-only control.
    // =================================================================================================
    // Replaces the selection by S (a box: its cells, S going in at the box's left column on its first
    // row), or inserts S at the caret, first padding the row with spaces up to a caret past its end.
    virtual void ReplaceSelection(const std::string& S);
    // Inserts the lines of S as a rectangle whose top-left corner is the caret, or the box selection's
    // top-left corner once its cells are cut out; short rows are padded, missing rows added.
    virtual void InsertBlock(const std::string& S);
    // Typed text, pasted text and blocks must leave the caret after them. On an unwrapped line the
    // caret cannot pass the last column, so what would end there is refused whole with a beep and
    // Exception(InputTooLongText); the text stays as it was.
    static const char* const InputTooLongText;
    // Every line of the text through Convert, which must keep to its line (it never sees a line end),
    // in one edit: the same text as replacing a selection of all of it by the converted whole, built
    // line by line with the old rows kept for undo. The caret goes to the end, as after that replacement.
    void ConvertAllLines(const std::function<std::string(std::string_view)>& Convert);
    // Add or remove one column of leading blank (a tab's blanks become spaces), or one leading tab, on
    // every selected line, or at the box's left column in box mode; the same text stays selected.
    virtual void SpaceIndent();
    virtual void SpaceUnIndent();
    virtual void TabIndent();
    virtual void TabUnIndent();

    // =================================================================================================
    // Clipboard (EditorClipboard.cpp): Shift-JIS text through the clipboard port; a box selection goes
    // with the box mark and comes back as a block.
    // =================================================================================================
    virtual void CopyToClipboard();
    virtual void CutToClipboard();
    virtual void PasteFromClipboard();
    // The clipboard's text to paste (empty without a clipboard); characters it could not bring are
    // told through OnPasteLost first.
    std::string ClipboardText();
    // A middle click at X, Y: the desktop's primary selection goes in there (one undo step), its lost
    // characters told as the clipboard's are.
    void PastePrimarySelection(int X, int Y);
    // Deletes the selection.
    virtual void ClearSelection();
    // The control's own context menu (EditorPopupMenu.h), made by CreatePopupMenu when first asked for.
    TEditorPopupMenu& PopupMenu();

    // =================================================================================================
    // Search (EditorSearch.cpp)
    // =================================================================================================
    // Finds the next (soForward) or previous match of Pattern after or before the shown selection or
    // hit, else the caret; selects it (HitStyle decides how) and scrolls it into view. False when there
    // is none that way (nothing changes). A match that ends past column 2000 with WordWrap off raises
    // Exception (the selection ended, the caret where it was): it could not be shown.
    virtual bool Search(std::string_view Pattern, TEditorSearchOptions Options);
    // The message of that exception.
    static const char* const SearchTooLongText;
    // Replaces every match of Pattern from where Search would start, in its direction, by Replacement,
    // each match starting after (backward: ending before) the one replaced before it, as one edit and
    // one undo step in which only the lines with a match are laid out anew. The caret then stands after
    // the last replacement (backward: before the first). The number of matches replaced; 0 for a
    // read-only control.
    int ReplaceAll(std::string_view Pattern, std::string_view Replacement, TEditorSearchOptions Options);

    // =================================================================================================
    // Typing and editing keys (EditorKeys.cpp)
    // =================================================================================================
    // Inserts typed text (a character, a committed input-method text, a soft tab) at the caret as one
    // undo step: over a shown selection, after padding a free caret past the row's end, or in overwrite
    // mode over the characters that follow (on into the line's wrapped rows; a double-byte character
    // cut in half leaves a space). Nothing for an empty S or a read-only control.
    virtual void InsertTypedText(const std::string& S);
    // Word movement on the caret row (tokens of the fountain in use; single-byte symbols and blanks
    // start no word): Direction -1 the start of the word before the column, or the end of the row above
    // from column 0; +1 the start of the next word, the row's end, or column 0 of the next row from
    // the row's end. False, with ARow/ACol unchanged, when there is nowhere to go.
    virtual bool FindWordStart(int& ARow, int& ACol, int Direction);

    // =================================================================================================
    // Positions and rows (EditorPositions.cpp)
    // =================================================================================================
    // The characters from the start of FromRow to display position (ARow, ACol): each row before ARow
    // counts its bytes plus 2 when it ends its line (plus 1 when it ends the text), then the byte index
    // of ACol on ARow.
    std::int64_t OffsetFromRow(int FromRow, int ARow, int ACol) const;
    // The rows of List as one text, CR LF after each row that ends its line.
    static void JoinRows(const TRowAttributeStringList& List, std::string& Text);
    // Removes row Index with undo; the caret goes to column 0 of Index, or to the end of the row above
    // when that row now ends the text. Nothing for an invalid index.
    virtual void DeleteRow(int Index);
    // Empties the text and the undo buffer.
    void Clear();

    // =================================================================================================
    // The EDIT-control messages as calls (EditorMessages.cpp). Character indexes count a row's bytes
    // and 2 for each line end; they are 64-bit throughout.
    // =================================================================================================
    // WM_GETTEXT: at most Size - 1 bytes of the text and a terminating zero; nothing when Size < 1.
    // Answers the number of bytes copied.
    std::int64_t WmGetText(char* Buffer, std::int64_t Size) const;
    std::int64_t WmGetTextLength() const { return TextLength(); }
    void WmSetText(std::string_view Text);
    // Cut and copy with a shown selection; without one (or cutting from a read-only control) they empty
    // the clipboard.
    void WmCut();
    void WmCopy();
    void WmPaste();
    void WmClear();
    bool EmCanUndo() const;
    // Answers whether a step was undone.
    bool EmUndo();
    void EmEmptyUndoBuffer();
    bool EmGetModify() const { return Modified(); }
    void EmSetModify(bool Value);
    void EmSetReadOnly(bool Value) { SetReadOnly(Value); }
    int EmGetLineCount() const { return RowCount(); }
    int EmGetFirstVisibleLine() const { return TopRow(); }
    // Copies at most Size bytes of row ARow (no terminating zero); answers their number, 0 for a row
    // outside the text.
    int EmGetLine(int ARow, char* Buffer, int Size) const;
    // The character index of row ARow's first byte (-1: the caret row); -1 for a row outside the text.
    std::int64_t EmLineIndex(int ARow) const;
    // The row that holds character index Index (-1: the caret row, or the selection's first row).
    int EmLineFromChar(std::int64_t Index) const;
    // The byte length of the row that holds Index; -1: the bytes left unselected on the selected rows,
    // or the caret row's length without a selection.
    int EmLineLength(std::int64_t Index) const;
    void EmGetSel(std::int64_t& Start, std::int64_t& End) const;
    // (0, -1) selects everything, Start -1 ends the selection, End -1 (or any negative End) means the
    // end of the text; otherwise the characters between the two are selected.
    void EmSetSel(std::int64_t Start, std::int64_t End);
    void EmReplaceSel(const std::string& Text);
    // Scrolls the caret into the middle third of the view when it is outside it.
    void EmScrollCaret();
    // The character index and row at client point (X, Y); false outside the client area.
    bool EmCharFromPos(int X, int Y, std::int64_t& Index, int& ARow) const;
    // The client position of the character at Index; false for an index outside the text.
    bool EmPosFromChar(std::int64_t Index, int& X, int& Y) const;

    // =================================================================================================
    // Keys, characters (EditorKeys.cpp), the input method (EditorInputMethod.cpp), mouse (EditorMouse.cpp):
    // host entry points
    // =================================================================================================
    // Key is a virtual-key code, Shift the state the key event carried, Repeat whether the key was
    // already down (auto-repeat); answers whether the control used the key.
    bool KeyDown(int Key, TShiftState Shift, bool Repeat = false);
    void KeyUp(int Key, TShiftState Shift);
    // Characters typed, as Shift-JIS bytes, with the shift state of their key: printable characters,
    // Tab (9), Enter (13) and Backspace (8). A lead byte without its trail waits for the next call.
    void KeyPress(const std::string& Chars, TShiftState Shift = 0);
    // The input method (Shift-JIS texts): Commit goes into the text once, as one undo step, in place of
    // the ReplaceLength bytes that begin ReplaceFrom bytes from the caret (negative: before it) when
    // ReplaceLength is not 0, else in place of the selection. Preedit is only shown at the caret
    // (PaintPreedit), its cursor PreeditCursor bytes into it; an empty Preedit ends the composition.
    void InputMethod(const std::string& Commit, const std::string& Preedit, int PreeditCursor = -1,
                     int ReplaceFrom = 0, int ReplaceLength = 0);
    const std::string& Preedit() const { return FPreedit; }
    // Where the composition shows: at the caret, as wide as its text, one row high.
    TRect PreeditRect() const;
    // Draws the composition over the text at the caret, underlined, in the control's font.
    void PaintPreedit(TEditorCanvas& Canvas);
    // What the input method reads around the caret: a stretch of the caret's logical line (whole rows
    // of it) and the byte offsets of the caret and of the selection's other end in it (the anchor
    // clamped to the stretch).
    struct TImeSurrounding {
        std::string Text;
        int Cursor = 0;
        int Anchor = 0;
    };
    TImeSurrounding ImeSurrounding() const;

    // Mouse (EditorMouse.cpp). Points are client pixels.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseMove(TShiftState Shift, int X, int Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // A double click selects the word at the point (a link of the fountain whole), then OnDblClick.
    void DblClick(TShiftState Shift, int X, int Y);
    // Scrolls by the desktop's rows per notch (WheelDelta 120 a notch) unless OnMouseWheel handles it;
    // answers whether the wheel was used.
    bool MouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    // Keys while the selection is dragged or the left button is held: Ctrl switches between moving
    // and copying, Escape cancels. Answers whether the key is taken (then it goes no further).
    bool DragKey(int Key, bool Down);
    // The drag state: 0 idle, 1 pressed inside a movable selection, 2 dragging it.
    int DragState() const { return FDragState; }
    // After a press at (X, Y) inside a movable selection: the drag starts once the mouse moves away
    // from the press (what a press does by itself with the automatic drag mode; with the manual mode
    // the press's owner calls it).
    void BeginSelectionDrag(TShiftState Shift, int X, int Y);
    // Whether the selection may be dragged: editable, shown, normal mode, Caret.SelMove.
    virtual bool CanSelMove() const;
    // Inserts a copy of the selected text at (ARow, ACol) when that lies outside the selection.
    virtual void CopySelectionTo(int ARow, int ACol);
    // Moves the selected text to (ARow, ACol), outside the selection, as one undo step; the caret
    // ends after the moved text. The selection ends in every case.
    void DropSelection(int ARow, int ACol);
    // Ends a drag (and the selection) without dropping.
    void CancelDrag();
    // The point of the last left press without Shift or of the last double click (client pixels).
    TPoint ClickPoint() const { return FPressPoint; }
    // While a selection dragged from another view of the same text is over this one: the caret follows
    // (X, Y) as it does for a drag of the control's own and shows though the control has no focus.
    void ShowDropPoint(int X, int Y);
    void HideDropPoint();
    // The cursor of the area under the mouse again, after its owner showed one of its own.
    void RestoreCursor();
    // The mouse cursor's kind: 0 default, 1 left margin, 2 top margin, 3 in a movable selection, 4
    // dragging, 5 drag-copying; shown from Caret.Cursors when Caret.AutoCursor is on.
    int CursorKind() const { return FCursorKind; }
    void SetCursorKind(int Kind);

    // =================================================================================================
    // Tokens under a point (EditorTokens.cpp)
    // =================================================================================================
    // The row and the byte in it under a client point (Centre rounding, never the second half of a
    // character nor a tab's filler); false (both -1) outside the text area or the rows.
    virtual bool PointToPos(TPoint Point, int& ARow, int& AByte) const;
    // The token under a point, lexed on its whole logical line: with UseFountain by the fountain in
    // use (from the line's stored state with KeepState, else from the start state), else as plain
    // words. False (Kind 0, Token empty) when there is none.
    virtual bool TokenAt(TPoint Point, bool UseFountain, std::string& Token, bool KeepState, int& Kind);
    // Selects that token, the caret at its start.
    virtual bool SelectTokenAt(TPoint Point, bool UseFountain, bool KeepState = false);
    bool SelectTokenAtPos(TPoint Point) { return SelectTokenAt(Point, true); }
    bool SelectWordAtPos(TPoint Point) { return SelectTokenAt(Point, false); }
    bool SelectWordAtCaret();
    int TokenKindAt(TPoint Point);
    std::string TokenStringAt(TPoint Point);

    // =================================================================================================
    // TEditorView: what the row store asks of the control
    // =================================================================================================
    TEditorScreenStrings& ScreenStrings() override { return *FList; }
    int ScreenRows() const override;
    bool Loading() const override { return FLoading; }
    bool Destroying() const override { return FDestroying; }
    void BeginEdit() override;
    void EndEdit() override;
    void SetLinesUpdating(bool Updating) override;
    void LexLater() override;
    void TextChanged(TEditorScreenStrings& Rows) override;
    bool ImagebarVisible() const override { return FImagebar->Visible(); }
    TLeftbarNumbers LeftbarNumbers() const override;
    TDelimiters Delimiters() const override { return FDelimiters; }
    int TabSpaceCount() const override { return FCaret->TabSpaceCount(); }
    bool InitBracketsFull() const override { return FSpeed->InitBracketsFull(); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The selection: its state (0 none, 1 anchor, 2 shown, 3 search hit), the drag state (0 idle, 1
    // pressed in a selection, 2 dragging), its mode and its display positions.
    std::uint8_t FSelectionState = 0;
    std::uint8_t FDragState = 0;
    TEditorSelectionMode FSelectionMode = smLine;
    TSelectionBounds FSelection;
    // The byte record (end inclusive), the display record as last painted, the anchor, the rows picked
    // from the left margin (first, second, flag) and the search's pending-hit flag and hit length.
    TSelectionBounds FByteSelection;
    TSelectionBounds FPaintedSelection;
    int FAnchorRow = 0, FAnchorByte = 0, FAnchorCol = 0;
    int FRowSelectFirst = 0, FRowSelectSecond = 0, FRowSelectFlag = 0;
    std::uint8_t FRowSelectMode = 0;
    bool FSearchHit = false;
    int FHitLength = 0;

    // ---- mouse (EditorMouse.cpp) ----
    TPoint FPressPoint;             // the last left press without Shift (or double click)
    bool FClickPending = false;     // the left press may still become a click
    bool FDropPointShown = false;   // the caret shows another view's drop point
    std::uint8_t FCursorKind = 0;
    int FWheelRest = 0;             // wheel delta short of a row, kept for the next turn
    // The display position under a point; with Centre a point in a cell's right half gives the next
    // column. A point above the text area takes the row above the top row (dragging scrolls up).
    void MousePos(int X, int Y, bool Centre, int& ARow, int& ACol) const;
    // Whether a point is at least half a column from the press point, either way.
    bool MovedFromPress(int X, int Y) const;
    // The caret to where a dragged text would go at (X, Y).
    void FollowDropPoint(int X, int Y);

    // ---- tokens (EditorTokens.cpp) ----
    struct TTokenSpan {
        int LineRow = 0;        // the row Start counts from (a row of the token's logical line)
        std::int64_t Start = 0; // the token's offset from the start of LineRow
        int Length = 0;
        int Kind = 0;
        std::string Text;
    };
    bool FindToken(TPoint Point, bool UseFountain, bool KeepState, TTokenSpan& Span);

    // ---- input method (EditorInputMethod.cpp) ----
    std::string FPreedit;
    int FPreeditCursor = 0;
    // The rows the input method's surrounding text is taken from.
    void ImeRows(int& First, int& Last) const;

    // ---- selection (EditorSelection.cpp) ----
    // The column description of a row (see RowAttributeString); empty outside the text.
    std::string RowColumns(int ARow) const;
    // A box edge widened to whole cells of a row: a start moves back to its cell's first column, an
    // (exclusive) end on to its cell's end.
    static int CellStart(const std::string& Columns, int ACol);
    static int CellEnd(const std::string& Columns, int ACol);
    // The byte index of a display column within a row's column description and length.
    static int ColumnToByte(const std::string& Columns, int Length, int ACol);
    // The bytes [From, To) of row ARow that a box from column Left to Right covers, whole cells.
    void BoxBytes(int ARow, int Left, int Right, int& From, int& To) const;
    // Replaces the shown selection (state 2) by S: a normal selection's text, or a box's cells on
    // every row with S going in at the box's left column on its first row; the caret follows S.
    void ReplaceSelected(std::string_view S);
    // Refuses (beep, Exception(InputTooLongText)) when the caret could not stand at byte Caret of Text,
    // new text that starts a line of an unwrapped text; only for typed and pasted input
    // (FLimitInput) unless Always.
    void RefusePastLastColumn(std::string_view Text, std::size_t Caret, bool Always = false) const;
    bool FLimitInput = false;  // typed or pasted input is being inserted
    // Marks the input of its lifetime as typed or pasted.
    struct TLimitedInput {
        explicit TLimitedInput(TEditor& AEditor) : Editor(AEditor), Old(std::exchange(AEditor.FLimitInput, true)) {}
        ~TLimitedInput() { Editor.FLimitInput = Old; }
        TEditor& Editor;
        bool Old;
    };
    virtual std::unique_ptr<TEditorPopupMenu> CreatePopupMenu();
    std::unique_ptr<TEditorPopupMenu> FPopupMenu;

    // The indent operations' one mechanism: Tab picks a tab or a space column, Step +1 adds, -1 removes.
    void IndentSelection(bool Tab, int Step);

    // The column description of any row text, with the control's tab width and wrap rules.
    std::string TextColumns(std::string_view S) const;
    // Anchors at ARow/ACol without moving the caret.
    void SetAnchor(int ARow, int ACol);
    // Repaints the rows whose selected part differs between the painted record and the new one.
    void RepaintSelectionChange(const TSelectionBounds& Old, bool OldShown);

    // Factories, in the class's order.
    virtual std::unique_ptr<TEditorCaret> CreateEditorCaret();
    virtual std::unique_ptr<TEditorImagebar> CreateEditorImagebar();
    virtual std::unique_ptr<TEditorLeftbar> CreateEditorLeftbar();
    virtual std::unique_ptr<TEditorMarks> CreateEditorMarks();
    virtual std::unique_ptr<TEditorMargin> CreateEditorMargin();
    virtual std::unique_ptr<TEditorRuler> CreateEditorRuler();
    virtual std::unique_ptr<TEditorSpeed> CreateEditorSpeed();
    virtual std::unique_ptr<TEditorScreen> CreateEditorScreen();
    virtual std::shared_ptr<TEditorScreenStrings> CreateEditorScreenStrings();
    virtual std::unique_ptr<TEditorStrings> CreateEditorStrings();
    virtual std::unique_ptr<TEditorViewInfo> CreateEditorViewInfo();

    // Event hooks.
    virtual void DoCaretMoved();
    virtual void DoChange();
    // LineStr: the row's bytes as far as the drawn columns reach (whole characters), not a long row's rest.
    virtual void DoDrawLine(const TRect& ARect, int X, int Selected, int Index, const std::string& LineStr, int Y);
    // The selection (when there is text in it) as the desktop's primary selection.
    void OfferPrimarySelection();
    // Tells OnPasteLost of the characters a paste could not bring (none: nothing).
    void TellPasteLost(std::size_t Lost);
    virtual void DoSelectionChange(bool Selected);
    virtual void DoSelectionModeChange();
    virtual void DoTopColChange();
    virtual void DoTopRowChange();
    virtual void DoHideWrapLine();
    virtual void DoDrawWrapLine();

    // ---- paint pass (EditorPaint.cpp) ----
    // The part of a row that the paint pass draws: its text with tabs expanded, and each byte's column.
    struct TPaintRow;
    void PaintRow(const TRect& R, int X, TFountainParser& Parser, int ARow, const TPaintRow& S, int Y);
    void PaintSelectedRow(const TRect& R, int X, TFountainParser& Parser, int ARow, const TPaintRow& S, int Y);
    void PaintRowWithSelection(const TRect& R, int X, TFountainParser& Parser, int ARow, const TPaintRow& S, int Y);
    // Colours and draws the tokens of a row; Selected: in the selection's text colour, only where the
    // style differs from the font's.
    void PaintTokens(const TRect& R, int X, TFountainParser& Parser, int ARow, const TPaintRow& S, int Y,
                     const TFountainColor* Selected);
    void PaintRowMarks(const TRect& R, int X, int ARow, const TPaintRow& S, int Y, bool Selected);
    // The colour of a place: Value, or Default when Value is clNone.
    static TColor ColorOr(TColor Value, TColor Default) { return Value == clNone ? Default : Value; }
    // The selection's colour pair (Hit for a shown search hit), and the colour of marks drawn on it.
    const TFountainColor& SelectionColors();
    TColor SelMarkColor();
    enum class TMarkShape { Return, Wrap, Hide };
    void DrawMarkShape(TMarkShape Shape, int X, int Y, TColor Color);
    // Runs Draw on the paint canvas, or invalidates Area when no paint pass runs (the picture is then
    // drawn by the next one).
    template <class DrawProc> void DrawOrInvalidate(const TRect& Area, DrawProc&& Draw);

    // ---- caret (EditorCaret.cpp) ----
    // The step a scroll-bar request asks for, from Current in a range 0..Max with pages of Page.
    static int ScrollStep(TScrollCode Code, int Pos, int Current, int Page, int Max);
    void AdjustCol(bool Vertical, int Direction);
    std::string CaretRowAttributes() const;
    void SetCaretShown(bool Shown);

    // ---- keys (EditorKeys.cpp) ----
    // The caret keys (arrows, Home, End, PgUp, PgDn) and Delete.
    void CaretKey(int Key, bool Ctrl);
    void DeleteKey();
    // The characters with a meaning of their own.
    void TypeTab(TShiftState Shift);
    void TypeReturn(bool Shift);
    void TypeBackspace();
    // Overwrite mode's typing.
    void OverwriteTypedText(const std::string& S);
    // The indent a new line takes after Enter on the caret row, as the text to insert.
    std::string ReturnIndent() const;
    // One edit: Count rows at ARow replaced by Text (CR LF after each line that ends), then the caret
    // put at character index Caret of the new text.
    void EditRows(int ARow, int Count, std::string_view Text, std::int64_t Caret);
    // The row that holds character index Index (the last row for an index past the text).
    int RowOfIndex(std::int64_t Index) const;
    bool FKeyRepeat = false;   // the last key pressed repeats
    std::string FPendingLead;  // a typed lead byte that waits for its trail

    // ---- frame (EditorFrame.cpp) ----
    // The number text of ARow, whose logical line is Line.
    std::string LeftbarText(int ARow, int Line) const;
    void PaintRulerBand(const TRect& Band, bool Marked);
    void PaintRulerDigits(int X, int Y, int Number, TColor Color);

private:
    void AttachList(std::shared_ptr<TEditorScreenStrings> List);
    void DetachList();
    TMethod FountainListener();
    // Re-lexes every row and repaints.
    void ReparseAll();
    TColor FontColor() const { return FFont.Color; }

    // The host.
    TEditorViewport* FViewport = nullptr;
    TEditorClock* FClock = nullptr;
    TEditorClipboardPort* FClipboard = nullptr;
    TEditorCanvas* FCanvas = nullptr;  // while a paint pass runs
    TTextStyle FPaintStyle;

    // Owned parts.
    std::shared_ptr<TEditorScreenStrings> FList;
    std::unique_ptr<TEditorStrings> FLines;
    std::unique_ptr<TEditorScreen> FScreen;
    std::unique_ptr<TEditorViewInfo> FView;
    std::unique_ptr<TEditorCaret> FCaret;
    std::unique_ptr<TEditorMarks> FMarks;
    std::unique_ptr<TEditorMargin> FMargin;
    std::unique_ptr<TEditorImagebar> FImagebar;
    std::unique_ptr<TEditorLeftbar> FLeftbar;
    std::unique_ptr<TEditorRuler> FRuler;
    std::unique_ptr<TEditorSpeed> FSpeed;
    TFountain* FFountain = nullptr;

    // Properties.
    TBorderStyle FBorderStyle = bsSingle;
    TColor FColor = clWhite;
    TFontSpec FFont;
    TEditorHitStyle FHitStyle = hsSelect;
    bool FReadOnly = false;
    TScrollStyle FScrollBars = ssNone;
    bool FTopEOF = false;
    bool FWantReturns = true;
    bool FWantTabs = true;
    bool FModified = false;
    std::uint16_t FFileOpenMode = 0;
    TDelimiters FDelimiters;
    bool FLoading = false;
    bool FDestroying = false;
    int FLexInterval = -1;  // the interval the clock runs LexTimer at; -1: not running
    int FLinesUpdating = 0;
    int FEditing = 0;

    // Metrics and scrolling.
    int FFontHeight = 0;       // H
    int FColWidth = 0;         // W
    int FUnderlinePixel = 0;   // 1 while the caret-row underline is shown
    int FVisibleRows = 1;
    int FVisibleCols = 1;
    int FTopRow = 0;
    int FTopCol = 0;
    bool FItalic = false;
    bool FImePending = false;

    // Caret.
    int FRow = 0;
    int FCol = 0;
    int FRememberedCol = 0;
    bool FColRemembered = false;
    bool FOverWrite = false;
    bool FLeftButtonDown = false;  // set by the mouse code while the left button is held
    bool FLeftPressed = false;     // the left button is down, whatever its press began (a drag too)
    int FCaretLock = 0;          // SetRowCol places the caret once
    int FCaretUpdateCount = 0;
    int FUnderlineCount = 0;
    bool FCaretCreated = false;  // the control has the focus and a caret
    bool FCaretVisible = false;  // shown (not hidden by a drawing bracket)
    bool FCaretBlinkOn = true;   // the blink phase
    TRect FCaretShape;           // width and height of the caret

    // Frame areas.
    int FRulerHeight = 0;
    int FImagebarWidth = 0;
    int FLeftbarDigits = 4;
    int FLeftbarWidth = 0;
    int FRulerMarkCol = -1;  // the column the ruler's caret mark shows

};

template <class DrawProc>
void TEditor::DrawOrInvalidate(const TRect& Area, DrawProc&& Draw)
{
    if (FCanvas)
        Draw(*FCanvas);
    else if (FViewport)
        FViewport->Invalidate(Area);
}

} // namespace qx
