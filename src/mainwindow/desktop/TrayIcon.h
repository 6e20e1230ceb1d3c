#pragma once
// The tray icon's logic: the process-wide registry of icon ids, the properties, and the state machine that
// turns the tray's mouse messages into events and pop-up menus. The notification area itself, the clock
// and the menus are reached through small interfaces (the Qt side implements them over QSystemTrayIcon,
// QTimer and QMenu; tests fake them).
//
// A single left click is delivered late, once the double-click time (+ 50 ms) has passed without a
// second one, so that a double click never also gives a click. Trays differ in what they report of a
// double click: some send a double-click message (perhaps followed by a last button-up), some only a
// second click. Both give one OnDblClick and no OnClick.

#include "platform/Component.h"
#include "platform/Exception.h"
#include "platform/ShiftState.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// Raised when the process already has the most icons it may show.
class ENotifyIconError : public Exception {
public:
    using Exception::Exception;
};

inline constexpr int kMaxTrayIcons = 100;
// The longest tip, in bytes of its CP932 form.
inline constexpr std::size_t kTrayTipLength = 62;


using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// The mouse messages a tray reports for its icon.
enum class TTrayMessage {
    MouseMove, LButtonDown, LButtonUp, LButtonDblClk, RButtonDown, RButtonUp, RButtonDblClk, MButtonDown,
    MButtonUp
};

struct TScreenPoint {
    int X = 0;
    int Y = 0;
};

// The notification area as one icon sees it.
class TTrayShell {
public:
    virtual ~TTrayShell() = default;
    // Whether this desktop has a notification area at all.
    virtual bool Available() const = 0;
    // Whether an icon image is at hand: the icon's own, else the owner window's, else the program's.
    virtual bool HasIcon() const = 0;
    virtual void Add(const std::string& tip) = 0;
    virtual void Modify(const std::string& tip) = 0;
    virtual void Delete() = 0;
    virtual TScreenPoint CursorPos() const = 0;
    // Brings the owner's window (the active one) to the front before a menu pops up.
    virtual void BringOwnerToFront() = 0;
};

// Time as the click logic needs it; one timer per icon.
class TTrayClock {
public:
    virtual ~TTrayClock() = default;
    virtual std::int64_t NowMs() const = 0;
    virtual int DoubleClickTime() const = 0;
    // Runs `elapsed` once after `ms` milliseconds; a timer already running is replaced.
    virtual void StartTimer(int ms, std::function<void()> elapsed) = 0;
    virtual void StopTimer() = 0;
};

class TTrayMenu {
public:
    virtual ~TTrayMenu() = default;
    virtual void Popup(int x, int y) = 0;
};

class TTrayIcon;

// The process's icons by id. Ids count up from 1 after the last registered one; an id is not reused
// while an icon after it lives.
class TTrayIconRegistry {
public:
    static TTrayIconRegistry& Global();
    // Raises ENotifyIconError ("タスクトレイにアイコンを登録できません。") when kMaxTrayIcons are registered.
    int Register(TTrayIcon* icon);
    void Unregister(int id);
    TTrayIcon* Find(int id) const;
    int Count() const { return static_cast<int>(FIcons.size()); }
    // Hands a tray message to the icon with that id; an id that is not registered is ignored.
    void Dispatch(int id, TTrayMessage message);

private:
    std::map<int, TTrayIcon*> FIcons;
};

class TTrayIcon : public TComponent {
public:
    // Registers the icon (which may raise ENotifyIconError).
    TTrayIcon(TTrayShell& shell, TTrayClock& clock, TComponent* AOwner = nullptr,
              TTrayIconRegistry& registry = TTrayIconRegistry::Global());
    ~TTrayIcon() override;
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    int Id() const { return FId; }

    int AnimateRate() const { return FAnimateRate; }
    void SetAnimateRate(int value) { FAnimateRate = value < 100 ? 100 : value; }
    bool AutoPopup = true;
    bool Enabled() const { return FEnabled; }
    // False also forgets a pending click.
    void SetEnabled(bool value);
    TTrayMenu* LBPopupMenu = nullptr;
    TTrayMenu* RBPopupMenu = nullptr;

    const std::string& TipHelp() const { return FTipHelp; }
    // Keeps the part that fits kTrayTipLength (UTF-8 text).
    void SetTipHelp(std::string_view value);
    bool Visible() const { return FVisible; }
    // True takes effect only when an icon image is at hand.
    void SetVisible(bool value);
    // The icon image changed: a shown icon is refreshed.
    void IconChanged();
    // Whether the icon is in a notification area, so that hiding the window leaves a way back to it.
    // A desktop without one never gets its window hidden.
    bool CanHideWindow() const { return FAdded; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // A mouse message of the tray for this icon.
    void HandleMessage(TTrayMessage message);

private:
    void PopupOrMouseDown(TTrayMenu* menu, TMouseButton button, TShiftState shift, TScreenPoint at);
    void LeftButtonUp();
    void DoubleClick();
    bool Within(const std::optional<std::int64_t>& since) const;
    void ClickTimerElapsed();
    void CancelPendingClick();

    TTrayShell& FShell;
    TTrayClock& FClock;
    TTrayIconRegistry& FRegistry;
    int FId;
    int FAnimateRate = 500;
    bool FEnabled = true;
    std::string FTipHelp = "TipHelp";
    bool FVisible = false;
    bool FAdded = false;
    std::optional<std::int64_t> FPendingSince;  // a first click waits for a second
    std::optional<std::int64_t> FDoubleAt;      // when the last double click was reported
};

} // namespace qx
