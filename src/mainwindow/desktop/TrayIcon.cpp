#include "mainwindow/desktop/TrayIcon.h"

#include "platform/TextCut.h"

namespace qx {

TTrayIconRegistry& TTrayIconRegistry::Global()
{
    static TTrayIconRegistry registry;
    return registry;
}

int TTrayIconRegistry::Register(TTrayIcon* icon)
{
    if (Count() >= kMaxTrayIcons) throw ENotifyIconError("タスクトレイにアイコンを登録できません。");
    const int id = FIcons.empty() ? 1 : FIcons.rbegin()->first + 1;
    FIcons.emplace(id, icon);
    return id;
}

void TTrayIconRegistry::Unregister(int id)
{
    FIcons.erase(id);
}

TTrayIcon* TTrayIconRegistry::Find(int id) const
{
    const auto it = FIcons.find(id);
    return it == FIcons.end() ? nullptr : it->second;
}

void TTrayIconRegistry::Dispatch(int id, TTrayMessage message)
{
    if (TTrayIcon* icon = Find(id)) icon->HandleMessage(message);
}

TTrayIcon::TTrayIcon(TTrayShell& shell, TTrayClock& clock, TComponent* AOwner, TTrayIconRegistry& registry)
    : TComponent(AOwner), FShell(shell), FClock(clock), FRegistry(registry), FId(registry.Register(this))
{
}

TTrayIcon::~TTrayIcon()
{
    FClock.StopTimer();
    if (FAdded) FShell.Delete();
    FRegistry.Unregister(FId);
}

void TTrayIcon::SetEnabled(bool value)
{
    FEnabled = value;
    if (!value) CancelPendingClick();
}

void TTrayIcon::SetTipHelp(std::string_view value)
{
    std::string tip = Utf8PrefixByCp932Length(value, kTrayTipLength);
    if (tip == FTipHelp) return;
    FTipHelp = std::move(tip);
    if (FAdded) FShell.Modify(FTipHelp);
}

void TTrayIcon::SetVisible(bool value)
{
    if (value && !FShell.HasIcon()) value = false;
    FVisible = value;
    if (value && !FAdded && FShell.Available()) {
        FShell.Add(FTipHelp);
        FAdded = true;
    } else if (!value && FAdded) {
        FShell.Delete();
        FAdded = false;
    }
}

void TTrayIcon::IconChanged()
{
    if (FAdded) FShell.Modify(FTipHelp);
}

void TTrayIcon::HandleMessage(TTrayMessage message)
{
    if (!FEnabled) return;
    const TScreenPoint at = FShell.CursorPos();
    auto mouse = [&](const TMouseEvent& event, TMouseButton button, TShiftState shift) {
        if (event) event(this, button, shift, at.X, at.Y);
    };
    switch (message) {
    case TTrayMessage::MouseMove:
        if (OnMouseMove) OnMouseMove(this, 0, at.X, at.Y);
        break;
    case TTrayMessage::LButtonDown: PopupOrMouseDown(LBPopupMenu, TMouseButton::mbLeft, ssLeft, at); break;
    case TTrayMessage::LButtonUp:
        if (OnMouseUp) mouse(OnMouseUp, TMouseButton::mbLeft, ssLeft);
        else LeftButtonUp();
        break;
    case TTrayMessage::LButtonDblClk:
        // Ignored when the double click was already taken from a second click.
        if (!Within(FDoubleAt)) DoubleClick();
        break;
    case TTrayMessage::RButtonDown: PopupOrMouseDown(RBPopupMenu, TMouseButton::mbRight, ssRight, at); break;
    case TTrayMessage::RButtonUp: mouse(OnMouseUp, TMouseButton::mbRight, ssRight); break;
    case TTrayMessage::RButtonDblClk: break;
    case TTrayMessage::MButtonDown: mouse(OnMouseDown, TMouseButton::mbMiddle, ssMiddle); break;
    case TTrayMessage::MButtonUp: mouse(OnMouseUp, TMouseButton::mbMiddle, ssMiddle); break;
    }
}

void TTrayIcon::PopupOrMouseDown(TTrayMenu* menu, TMouseButton button, TShiftState shift, TScreenPoint at)
{
    if (menu && AutoPopup) {
        FShell.BringOwnerToFront();
        menu->Popup(at.X, at.Y);
    } else if (OnMouseDown) {
        OnMouseDown(this, button, shift, at.X, at.Y);
    }
}

bool TTrayIcon::Within(const std::optional<std::int64_t>& since) const
{
    return since && FClock.NowMs() - *since <= FClock.DoubleClickTime();
}

void TTrayIcon::LeftButtonUp()
{
    // The last button-up of a double click the tray reported as such.
    if (Within(FDoubleAt)) {
        FDoubleAt.reset();
        return;
    }
    if (FPendingSince) {
        // A second click in time is a double click; a late one (the timer is overdue) delivers the
        // first click now and waits itself.
        if (Within(FPendingSince)) return DoubleClick();
        ClickTimerElapsed();
    }
    if (!OnClick && !OnDblClick) return;
    FPendingSince = FClock.NowMs();
    FClock.StartTimer(FClock.DoubleClickTime() + 50, [this] { ClickTimerElapsed(); });
}

void TTrayIcon::DoubleClick()
{
    CancelPendingClick();
    FDoubleAt = FClock.NowMs();
    if (OnDblClick) OnDblClick(this);
}

void TTrayIcon::ClickTimerElapsed()
{
    const bool pending = FPendingSince.has_value();
    CancelPendingClick();
    if (pending && OnClick) OnClick(this);
}

void TTrayIcon::CancelPendingClick()
{
    if (FPendingSince) FClock.StopTimer();
    FPendingSince.reset();
}

} // namespace qx
