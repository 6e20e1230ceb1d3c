#pragma once
// The Qt host of one editing control: a scroll area whose viewport the control paints, and which gives
// the control its viewport, clock and clipboard. It only builds and forwards: paint, resize, focus,
// key, text, input-method, mouse and wheel events go to the control's entry points, the scroll bars'
// moves to its scroll requests. No exception leaves an event handler.

#include "editor/EditorClock.h"
#include "editor/EditorControl.h"
#include "editor/EditorViewport.h"
#include "editor/qt/FontResolver.h"
#include "editor/qt/QtClipboard.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QElapsedTimer>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

class QKeyEvent;
class QMenu;

namespace qx {

class TEditorWidget : public QAbstractScrollArea, public TEditorViewport, public TEditorClock {
public:
    // Hosts Editor (a new TEditor when none is given).
    explicit TEditorWidget(QWidget* Parent = nullptr, std::unique_ptr<TEditor> Editor = nullptr);
    ~TEditorWidget() override;

    TEditor& Editor() { return *FEditor; }
    TFontResolver& Fonts() { return FFonts; }

    // The virtual-key code of a key event: the main window puts its key codec here (and usually routes
    // keys before they reach the widget). Without one the host maps the keys the control reads itself.
    std::function<int(const QKeyEvent&)> VirtualKeyOf;
    // A context menu of the window's own (not owned); without one the control's own menu shows.
    QMenu* PopupMenu = nullptr;

    // TEditorViewport
    int ClientWidth() const override;
    int ClientHeight() const override;
    bool Focused() const override;
    void SetFocus() override;
    void Invalidate(const TRect& R) override;
    void Update() override;
    void ScrollRect(int DX, int DY, const TRect& Scroll) override;
    void ShowScrollBar(TScrollBarKind Bar, bool Visible) override;
    void SetScrollBar(TScrollBarKind Bar, int Min, int Max, int Page, int Pos) override;
    void SetScrollPos(TScrollBarKind Bar, int Pos) override;
    void ShowBorder(bool Single) override;
    void SetCursor(int Cursor) override;
    int WheelScrollLines() const override;
    void SetCaret(const TRect& R, bool Shown) override;
    void SetImeCursor(const TRect& R) override;
    void Beep() override;
    TFontMetrics MeasureFont(const TFontSpec& Font) override;

    // TEditorClock
    std::int64_t Milliseconds() const override;
    void SetTimer(int Id, int Interval) override;
    void KillTimer(int Id) override;

    QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void keyReleaseEvent(QKeyEvent* Event) override;
    void inputMethodEvent(QInputMethodEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    void timerEvent(QTimerEvent* Event) override;
    bool focusNextPrevChild(bool Next) override;

private:
    // Runs Body; an exception goes no further: its message is shown after the event through the
    // program's exception boundary (on stderr when the program has none).
    template <class Body> void Guard(const char* Where, Body&& Run);
    void Report(const char* Where, const std::string& Message);

    mutable TFontResolver FFonts;  // a cache
    TQtClipboard FClipboard;
    QElapsedTimer FElapsed;
    std::map<int, QBasicTimer> FTimers;
    TRect FCaret;
    bool FCaretShown = false;
    TRect FImeCursor;
    bool FSyncingBars = false;
    std::set<std::string> FReported;  // errors of events that come again by themselves, once shown
    std::unique_ptr<TEditor> FEditor;  // last: it goes first
};

} // namespace qx
