#pragma once
// The global hot key: a key combination that reaches the program whatever window has the focus. Keys are
// registered under an index through a backend (the Qt side grabs the key on the X11 root window; tests
// fake it) and each press comes back as OnHotKey with that index, after the owner's window has been
// brought to the front when `Activate` is set.

#include "platform/Component.h"
#include "platform/ShortCut.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace qx {

// A hot key in the X11 terms of the backend: a key symbol and the modifier mask (Shift, Control, Mod1).
struct THotKeyGrab {
    std::uint32_t KeySym = 0;
    std::uint16_t Modifiers = 0;
    bool operator==(const THotKeyGrab&) const = default;
};

inline constexpr std::uint16_t kGrabShift = 0x0001;    // ShiftMask
inline constexpr std::uint16_t kGrabControl = 0x0004;  // ControlMask
inline constexpr std::uint16_t kGrabAlt = 0x0008;      // Mod1Mask

// The grab of a shortcut value; nothing for 0 and for a key without a key symbol.
std::optional<THotKeyGrab> ShortCutToGrab(TShortCut shortCut);

class THotKeyBackend {
public:
    virtual ~THotKeyBackend() = default;
    // False when the key cannot be had (another program holds it, or the desktop has no global keys);
    // an index already registered is replaced.
    virtual bool Register(int index, const THotKeyGrab& grab) = 0;
    // False when nothing is registered under the index.
    virtual bool Unregister(int index) = 0;
    // The backend calls this with the index of each press.
    std::function<void(int index)> OnPressed;
};

using THotKeyEvent = std::function<void(TObject* Sender, int index)>;

class THookHotKey : public TComponent {
public:
    explicit THookHotKey(THotKeyBackend& backend, TComponent* AOwner = nullptr);
    ~THookHotKey() override;
    THookHotKey(const THookHotKey&) = delete;
    THookHotKey& operator=(const THookHotKey&) = delete;

    // Bring the owner's window to the front before OnHotKey runs.
    bool Activate = true;
    THotKeyEvent OnHotKey;
    // Brings the owner's window to the front (the main window supplies it).
    std::function<void()> BringOwnerToFront;

    // True when the key is registered; a value without a key (0) registers nothing.
    bool RegisterShortCut(int index, TShortCut shortCut);
    bool UnregisterShortCut(int index);
    // Unregisters the index and registers the new value; true when the new value is registered, or,
    // for a value without a key, when the index is now free.
    bool ReRegisterShortCut(int index, TShortCut shortCut);

    // A press of the key registered under `index`.
    void HotKeyPressed(int index);

private:
    THotKeyBackend& FBackend;
};

} // namespace qx
