#pragma once
// A window for the editing control's tests: a client size, a focus flag and fixed font measures; it
// records what the control asks of it (invalidated and scrolled rectangles, scroll bars, caret).

#include "editor/EditorClipboardPort.h"
#include "editor/EditorClock.h"
#include "editor/EditorViewport.h"

#include <functional>
#include <optional>
#include <map>
#include <string>
#include <vector>

namespace qx::test {

struct FakeScrollBar {
    bool Visible = false;
    int Min = 0, Max = 0, Page = 0, Pos = 0;
};

struct FakeScroll {
    int DX, DY;
    TRect Area;
};

class FakeViewport : public TEditorViewport {
public:
    int Width = 640;
    int Height = 480;
    bool HasFocus = false;
    TFontMetrics Metrics{16, 0, 8};  // H 16, W 8

    std::vector<TRect> Invalidated;
    std::vector<FakeScroll> Scrolls;
    FakeScrollBar Bars[2];
    int Cursor = 0;
    TRect Caret;
    bool CaretShown = false;
    TRect ImeCursor;

    int ClientWidth() const override { return Width; }
    int ClientHeight() const override { return Height; }
    bool Focused() const override { return HasFocus; }
    void SetFocus() override { HasFocus = true; }
    void Invalidate(const TRect& R) override { Invalidated.push_back(R); }
    void Update() override {}
    void ScrollRect(int DX, int DY, const TRect& Scroll) override { Scrolls.push_back({DX, DY, Scroll}); }
    void ShowScrollBar(TScrollBarKind Bar, bool Visible) override { Bars[Index(Bar)].Visible = Visible; }
    void SetScrollBar(TScrollBarKind Bar, int Min, int Max, int Page, int Pos) override
    {
        FakeScrollBar& b = Bars[Index(Bar)];
        b.Min = Min;
        b.Max = Max;
        b.Page = Page;
        b.Pos = Pos;
    }
    void SetScrollPos(TScrollBarKind Bar, int Pos) override { Bars[Index(Bar)].Pos = Pos; }
    void ShowBorder(bool Single) override { Border = Single; }
    bool Border = false;
    void SetCursor(int C) override { Cursor = C; }
    void SetCaret(const TRect& R, bool Shown) override
    {
        Caret = R;
        CaretShown = Shown;
    }
    void SetImeCursor(const TRect& R) override { ImeCursor = R; }
    TFontMetrics MeasureFont(const TFontSpec&) override { return Metrics; }
    void Beep() override { ++Beeps; }
    int Beeps = 0;

    FakeScrollBar& Bar(TScrollBarKind Kind) { return Bars[Index(Kind)]; }

private:
    static int Index(TScrollBarKind Bar) { return Bar == TScrollBarKind::Vertical ? 1 : 0; }
};

// A clock that moves only when the test says so; Tick fires the timers that are due.
class FakeClock : public TEditorClock {
public:
    std::int64_t Now = 0;
    std::map<int, int> Timers;  // id -> interval

    std::int64_t Milliseconds() const override { return Now; }
    void SetTimer(int Id, int Interval) override { Timers[Id] = Interval; }
    void KillTimer(int Id) override { Timers.erase(Id); }
};

class FakeClipboard : public TEditorClipboardPort {
public:
    std::string Content;
    bool Box = false;
    bool Has = false;

    bool HasText() const override { return Has; }
    using TEditorClipboardPort::Text;
    std::size_t Lost = 0; // characters the text stands for that had no code
    std::string Text(std::size_t* L) const override
    {
        if (L) *L = Lost;
        return Content;
    }
    bool HasBoxFormat() const override { return Has && Box; }
    void SetText(const std::string& Text, bool IsBox) override
    {
        Content = Text;
        Box = IsBox;
        Has = true;
    }
    void Clear() override
    {
        Content.clear();
        Box = false;
        Has = false;
    }

    // The primary selection: the offer (asked as a pasting program would ask) until its owner keeps it.
    const void* PrimaryOwner = nullptr;
    std::function<std::string()> PrimaryOffer;
    std::optional<std::string> PrimaryKept;
    void OfferPrimarySelection(const void* Owner, std::function<std::string()> Text) override
    {
        PrimaryOwner = Owner;
        PrimaryOffer = std::move(Text);
        PrimaryKept.reset();
    }
    void KeepPrimarySelection(const void* Owner) override
    {
        if (Owner != PrimaryOwner || !PrimaryOffer) return;
        PrimaryKept = PrimaryOffer();
        PrimaryOffer = nullptr;
    }
    std::size_t PrimaryLost = 0; // characters the primary selection stands for that had no code
    using TEditorClipboardPort::PrimarySelectionText;
    std::optional<std::string> PrimarySelectionText(std::size_t* L) const override
    {
        if (L) *L = PrimaryLost;
        if (PrimaryKept) return PrimaryKept;
        if (PrimaryOffer) return PrimaryOffer();
        return std::nullopt;
    }
};

} // namespace qx::test
