#include "editor/qt/EditorWidget.h"

#include "editor/qt/EditorCursors.h"
#include "editor/qt/EditorScrollBar.h"
#include "editor/qt/QtCanvas.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "platform/ShortCut.h"
#include "platform/VirtualKeyCodes.h"
#include "platform/qt/GuardedCall.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QMenu>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace qx {

namespace {

QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Width(), R.Height()); }

TShiftState ShiftOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons = Qt::NoButton)
{
    TShiftState s = 0;
    if (Modifiers & Qt::ShiftModifier) s |= ssShift;
    if (Modifiers & Qt::ControlModifier) s |= ssCtrl;
    if (Modifiers & Qt::AltModifier) s |= ssAlt;
    if (Buttons & Qt::LeftButton) s |= ssLeft;
    if (Buttons & Qt::RightButton) s |= ssRight;
    if (Buttons & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

bool ButtonOf(Qt::MouseButton Button, TMouseButton& Out)
{
    switch (Button) {
    case Qt::LeftButton: Out = mbLeft; return true;
    case Qt::RightButton: Out = mbRight; return true;
    case Qt::MiddleButton: Out = mbMiddle; return true;
    default: return false;
    }
}

// The virtual key of the keys the control reads itself, and of the letters (a host's key handler
// reads Ctrl+A), for a host without the main window's key codec.
int DefaultVirtualKey(const QKeyEvent& Event)
{
    if (Event.key() >= Qt::Key_A && Event.key() <= Qt::Key_Z) return Event.key();  // 'A'..'Z'
    switch (Event.key()) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
    }
}

std::string ToSjis(const QString& Text)
{
    return Utf16ToCp932(std::u16string_view(reinterpret_cast<const char16_t*>(Text.utf16()), static_cast<std::size_t>(Text.size())));
}

QString FromSjis(std::string_view Text) { return QString::fromStdU16String(Cp932ToUtf16(Text)); }

// The UTF-16 position of byte offset Offset of a Shift-JIS text, and back.
int Utf16Pos(std::string_view Text, int Offset)
{
    return static_cast<int>(Cp932ToUtf16(Text.substr(0, static_cast<std::size_t>(std::clamp<int>(Offset, 0, static_cast<int>(Text.size()))))).size());
}
int SjisPos(const QString& Text, int Pos) { return static_cast<int>(ToSjis(Text.left(std::max(0, Pos))).size()); }

// A selection longer than this is not handed to the input method: it would be converted on every
// query, and no conversion wants that much.
constexpr std::int64_t ImeSelectionLimit = 64 * 1024;

} // namespace

namespace {

// Builds Menu from the control's menu model; Actions learns which item each action stands for.
void FillMenu(QMenu& Menu, std::vector<TEditorMenuItem>& Items, std::map<QAction*, TEditorMenuItem*>& Actions)
{
    for (TEditorMenuItem& item : Items) {
        if (item.IsSeparator()) {
            Menu.addSeparator();
        } else if (!item.Items.empty()) {
            QMenu* sub = Menu.addMenu(QString::fromStdString(item.Caption));
            sub->setEnabled(item.Enabled);
            FillMenu(*sub, item.Items, Actions);
        } else {
            // The key shows after a tab in the program's own key text; it binds nothing (keys reach the
            // control by their own road).
            const std::string key = ShortCutToText(TextToShortCut(item.ShortCut));
            QAction* action = Menu.addAction(QString::fromStdString(key.empty() ? item.Caption : item.Caption + "\t" + key));
            action->setEnabled(item.Enabled);
            action->setCheckable(item.Checked);
            action->setChecked(item.Checked);
            Actions[action] = &item;
        }
    }
}

} // namespace

template <class Body>
void TEditorWidget::Guard(const char* Where, Body&& Run)
{
    try {
        Run();
    } catch (const std::exception& e) {
        Report(Where, e.what());
    } catch (...) {
        Report(Where, "不明なエラーが起きました。");
    }
}

void TEditorWidget::Report(const char* Where, const std::string& Message)
{
    // A paint, a timer or a mouse move fails again each time it comes: its error is shown once.
    const std::string where = Where;
    if ((where == "paint" || where == "timer" || where == "mouse move") && !FReported.insert(where + '\n' + Message).second) return;
    // After the event, so that no message box opens inside a paint or between a press and its release.
    QTimer::singleShot(0, QCoreApplication::instance(), [where, Message] {
        if (!ExceptionBoundary()) {
            std::fprintf(stderr, "QxEditor: %s: %s\n", where.c_str(), Message.c_str());
            return;
        }
        GuardedCall(ExceptionBoundary(), [&] { throw Exception(Message); });
    });
}

TEditorWidget::TEditorWidget(QWidget* Parent, std::unique_ptr<TEditor> Editor)
    : QAbstractScrollArea(Parent), FEditor(Editor ? std::move(Editor) : Construct<TEditor>())
{
    FElapsed.start();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setCursor(EditorCursor(crIBeam));
    viewport()->setMouseTracking(true);  // the cursor's shape follows the area under the mouse
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBar(new TEditorScrollBar(Qt::Vertical, this));
    setHorizontalScrollBar(new TEditorScrollBar(Qt::Horizontal, this));
    const auto follow = [this](QScrollBar* Bar, bool Vertical) {
        connect(Bar, &QScrollBar::valueChanged, this, [this, Bar, Vertical](int Value) {
            if (FSyncingBars) return;
            Guard("scroll", [&] {
                if (Vertical)
                    FEditor->VScroll(SB_THUMBTRACK, Value);
                else
                    FEditor->HScroll(SB_THUMBTRACK, Value);
            });
            // The control may refuse a step: the bar shows where it really is.
            SetScrollPos(Vertical ? TScrollBarKind::Vertical : TScrollBarKind::Horizontal,
                         Vertical ? FEditor->TopRow() : FEditor->TopCol());
            (void)Bar;
        });
    };
    follow(verticalScrollBar(), true);
    follow(horizontalScrollBar(), false);
    FEditor->SetClock(this);
    FEditor->SetClipboard(&FClipboard);
    FEditor->SetViewport(this);
}

TEditorWidget::~TEditorWidget()
{
    FEditor->SetViewport(nullptr);
    FEditor->SetClock(nullptr);
    FEditor->SetClipboard(nullptr);
    FEditor.reset();
}

// ---------------------------------------------------------------------------------------------------
// Viewport

int TEditorWidget::ClientWidth() const { return viewport()->width(); }
int TEditorWidget::ClientHeight() const { return viewport()->height(); }
bool TEditorWidget::Focused() const { return hasFocus(); }
void TEditorWidget::SetFocus() { setFocus(Qt::OtherFocusReason); }
void TEditorWidget::Invalidate(const TRect& R)
{
    if (!R.Empty()) viewport()->update(ToQRect(R));
}
void TEditorWidget::Update() { viewport()->repaint(); }
void TEditorWidget::Beep() { QApplication::beep(); }
void TEditorWidget::ShowBorder(bool Single) { setFrameStyle(Single ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame); }

void TEditorWidget::ScrollRect(int DX, int DY, const TRect& Scroll)
{
    const QRect area = ToQRect(Scroll);
    viewport()->scroll(DX, DY, area);
    // The caret's picture moved with the pixels: both places are painted anew.
    if (FCaretShown) {
        viewport()->update(ToQRect(FCaret));
        viewport()->update(ToQRect(FCaret).translated(DX, DY));
    }
}

void TEditorWidget::ShowScrollBar(TScrollBarKind Bar, bool Visible)
{
    const Qt::ScrollBarPolicy policy = Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (Bar == TScrollBarKind::Vertical)
        setVerticalScrollBarPolicy(policy);
    else
        setHorizontalScrollBarPolicy(policy);
}

void TEditorWidget::SetScrollBar(TScrollBarKind Bar, int Min, int Max, int Page, int Pos)
{
    QScrollBar* bar = Bar == TScrollBarKind::Vertical ? verticalScrollBar() : horizontalScrollBar();
    FSyncingBars = true;
    // The platform's range holds the whole page; Qt's ends where the page's top may go.
    bar->setRange(Min, std::max(Min, Max - Page + 1));
    bar->setPageStep(std::max(1, Page));
    bar->setSingleStep(1);
    bar->setValue(Pos);
    FSyncingBars = false;
}

void TEditorWidget::SetScrollPos(TScrollBarKind Bar, int Pos)
{
    QScrollBar* bar = Bar == TScrollBarKind::Vertical ? verticalScrollBar() : horizontalScrollBar();
    FSyncingBars = true;
    bar->setValue(Pos);
    FSyncingBars = false;
}

void TEditorWidget::SetCursor(int Cursor) { viewport()->setCursor(EditorCursor(Cursor)); }
int TEditorWidget::WheelScrollLines() const { return QApplication::wheelScrollLines(); }

void TEditorWidget::SetCaret(const TRect& R, bool Shown)
{
    if (R == FCaret && Shown == FCaretShown) return;
    if (FCaretShown) viewport()->update(ToQRect(FCaret));
    FCaret = R;
    FCaretShown = Shown;
    if (FCaretShown) viewport()->update(ToQRect(FCaret));
}

void TEditorWidget::SetImeCursor(const TRect& R)
{
    if (R == FImeCursor) return;
    FImeCursor = R;
    if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

TFontMetrics TEditorWidget::MeasureFont(const TFontSpec& Font) { return FFonts.Resolve(Font).Metrics; }

QVariant TEditorWidget::inputMethodQuery(Qt::InputMethodQuery Query) const
{
    switch (Query) {
    case Qt::ImEnabled: return !FEditor->ReadOnly();
    case Qt::ImCursorRectangle: return ToQRect(FImeCursor).translated(viewport()->pos());
    case Qt::ImFont: return FFonts.Resolve(FEditor->Font()).Font;
    case Qt::ImSurroundingText: return FromSjis(FEditor->ImeSurrounding().Text);
    case Qt::ImCursorPosition: {
        const TEditor::TImeSurrounding around = FEditor->ImeSurrounding();
        return Utf16Pos(around.Text, around.Cursor);
    }
    case Qt::ImAnchorPosition: {
        const TEditor::TImeSurrounding around = FEditor->ImeSurrounding();
        return Utf16Pos(around.Text, around.Anchor);
    }
    case Qt::ImCurrentSelection:
        return FEditor->SelLength() > ImeSelectionLimit ? QString() : FromSjis(FEditor->SelText());
    default: return QAbstractScrollArea::inputMethodQuery(Query);
    }
}

// ---------------------------------------------------------------------------------------------------
// Clock

std::int64_t TEditorWidget::Milliseconds() const { return FElapsed.elapsed(); }
void TEditorWidget::SetTimer(int Id, int Interval) { FTimers[Id].start(Interval, this); }
void TEditorWidget::KillTimer(int Id)
{
    auto it = FTimers.find(Id);
    if (it != FTimers.end()) it->second.stop();
}

void TEditorWidget::timerEvent(QTimerEvent* Event)
{
    for (auto& [id, timer] : FTimers) {
        if (timer.timerId() != Event->timerId()) continue;
        const int which = id;
        Guard("timer", [&] { FEditor->Timer(which); });
        return;
    }
    QAbstractScrollArea::timerEvent(Event);
}

// ---------------------------------------------------------------------------------------------------
// Events

void TEditorWidget::paintEvent(QPaintEvent* Event)
{
    QPainter painter(viewport());
    Guard("paint", [&] {
        TQtCanvas canvas(painter, FFonts);
        for (const QRect& r : Event->region())
            FEditor->Paint(canvas, {r.left(), r.top(), r.right() + 1, r.bottom() + 1});
        FEditor->PaintPreedit(canvas);
    });
    if (FCaretShown && Event->region().intersects(ToQRect(FCaret))) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(ToQRect(FCaret), Qt::white);
    }
}

void TEditorWidget::resizeEvent(QResizeEvent* Event)
{
    QAbstractScrollArea::resizeEvent(Event);
    Guard("resize", [&] { FEditor->Resize(); });
}

void TEditorWidget::focusInEvent(QFocusEvent* Event)
{
    QAbstractScrollArea::focusInEvent(Event);
    Guard("focus", [&] { FEditor->FocusIn(); });
}

void TEditorWidget::focusOutEvent(QFocusEvent* Event)
{
    QAbstractScrollArea::focusOutEvent(Event);
    // A composition left open ends with the focus (the input method drops it too).
    if (!FEditor->Preedit().empty()) Guard("input method", [&] { FEditor->InputMethod({}, {}); });
    Guard("focus", [&] { FEditor->FocusOut(); });
}

bool TEditorWidget::focusNextPrevChild(bool Next)
{
    // Tab is a key of the text when the control wants tabs.
    if (FEditor->WantTabs()) return false;
    return QAbstractScrollArea::focusNextPrevChild(Next);
}

void TEditorWidget::keyPressEvent(QKeyEvent* Event)
{
    // Without WantReturns, Enter belongs to the dialog's default button; without WantTabs, Tab moves
    // the focus. Esc cancels a drag and otherwise always reaches the dialog's cancel button.
    const int qtKey = Event->key();
    const bool returnKey = qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter;
    const bool tabKey = qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab;
    if ((returnKey && !FEditor->WantReturns()) || (tabKey && !FEditor->WantTabs())) {
        Event->ignore();
        return;
    }
    Guard("key", [&] {
        const int key = VirtualKeyOf ? VirtualKeyOf(*Event) : DefaultVirtualKey(*Event);
        const TShiftState shift = ShiftOf(Event->modifiers());
        bool used = key != 0 && FEditor->KeyDown(key, shift, Event->isAutoRepeat());
        const QString text = Event->text();
        if (!used && !text.isEmpty() && !(Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            (text.at(0).isPrint() || text == "\r" || text == "\t" || text == "\b")) {
            FEditor->KeyPress(ToSjis(text), shift);
            used = true;
        }
        Event->setAccepted(used || (key != 0 && qtKey != Qt::Key_Escape));
    });
}

void TEditorWidget::keyReleaseEvent(QKeyEvent* Event)
{
    // An auto-repeating key is still down.
    if (Event->isAutoRepeat()) return;
    Guard("key", [&] {
        const int key = VirtualKeyOf ? VirtualKeyOf(*Event) : DefaultVirtualKey(*Event);
        if (key != 0) FEditor->KeyUp(key, ShiftOf(Event->modifiers()));
    });
}

void TEditorWidget::inputMethodEvent(QInputMethodEvent* Event)
{
    Guard("input method", [&] {
        const QString preedit = Event->preeditString();
        int cursor = -1;
        for (const QInputMethodEvent::Attribute& a : Event->attributes())
            if (a.type == QInputMethodEvent::Cursor) cursor = SjisPos(preedit, a.start);
        int from = 0, length = 0;
        if (Event->replacementLength() > 0) {
            // The range is counted in UTF-16 from the caret in the surrounding text.
            const TEditor::TImeSurrounding around = FEditor->ImeSurrounding();
            const QString text = FromSjis(around.Text);
            const int caret = Utf16Pos(around.Text, around.Cursor);
            const int start = std::clamp(caret + Event->replacementStart(), 0, static_cast<int>(text.size()));
            const int end = std::clamp(start + Event->replacementLength(), start, static_cast<int>(text.size()));
            from = SjisPos(text, start) - around.Cursor;
            length = SjisPos(text, end) - SjisPos(text, start);
        }
        FEditor->InputMethod(ToSjis(Event->commitString()), ToSjis(preedit), cursor, from, length);
    });
    Event->accept();
}

void TEditorWidget::mousePressEvent(QMouseEvent* Event)
{
    TMouseButton button;
    if (!ButtonOf(Event->button(), button)) return;
    const QPoint at = Event->position().toPoint();
    Guard("mouse", [&] { FEditor->MouseDown(button, ShiftOf(Event->modifiers(), Event->buttons()), at.x(), at.y()); });
}

void TEditorWidget::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint at = Event->position().toPoint();
    Guard("mouse move", [&] { FEditor->MouseMove(ShiftOf(Event->modifiers(), Event->buttons()), at.x(), at.y()); });
}

void TEditorWidget::mouseReleaseEvent(QMouseEvent* Event)
{
    TMouseButton button;
    if (!ButtonOf(Event->button(), button)) return;
    const QPoint at = Event->position().toPoint();
    Guard("mouse", [&] { FEditor->MouseUp(button, ShiftOf(Event->modifiers(), Event->buttons()), at.x(), at.y()); });
}

void TEditorWidget::mouseDoubleClickEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton) {
        mousePressEvent(Event);
        return;
    }
    const QPoint at = Event->position().toPoint();
    Guard("mouse", [&] { FEditor->DblClick(ShiftOf(Event->modifiers(), Event->buttons()), at.x(), at.y()); });
    Event->accept();
}

void TEditorWidget::contextMenuEvent(QContextMenuEvent* Event)
{
    Event->accept();
    if (PopupMenu) {
        PopupMenu->exec(Event->globalPos());
        return;
    }
    Guard("context menu", [&] {
        TEditorPopupMenu& model = FEditor->PopupMenu();
        model.PopupProc();
        QMenu menu(this);
        std::map<QAction*, TEditorMenuItem*> actions;
        FillMenu(menu, model.Items, actions);
        const auto chosen = actions.find(menu.exec(Event->globalPos()));
        if (chosen != actions.end()) model.Click(*chosen->second);
    });
}

void TEditorWidget::wheelEvent(QWheelEvent* Event)
{
    bool handled = false;
    const QPoint at = Event->position().toPoint();
    Guard("wheel", [&] {
        handled = FEditor->MouseWheel(ShiftOf(Event->modifiers(), Event->buttons()), Event->angleDelta().y(), {at.x(), at.y()});
    });
    if (!handled) QAbstractScrollArea::wheelEvent(Event);
}

} // namespace qx
