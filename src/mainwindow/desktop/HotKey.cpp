#include "mainwindow/desktop/HotKey.h"

namespace qx {

namespace {

struct KeySymOf {
    int VirtualKey;
    std::uint32_t KeySym;
};

// Keys whose symbol is not computed from a range below. The punctuation keys are those of the Japanese
// keyboard the shortcut texts name.
constexpr KeySymOf kKeySyms[] = {
    {0x08, 0xFF08}, {0x09, 0xFF09}, {0x0D, 0xFF0D}, {0x1B, 0xFF1B}, {0x20, 0x0020}, {0x21, 0xFF55},
    {0x22, 0xFF56}, {0x23, 0xFF57}, {0x24, 0xFF50}, {0x25, 0xFF51}, {0x26, 0xFF52}, {0x27, 0xFF53},
    {0x28, 0xFF54}, {0x2D, 0xFF63}, {0x2E, 0xFFFF}, {0xBA, ':'},    {0xBB, ';'},    {0xBC, ','},
    {0xBD, '-'},    {0xBE, '.'},    {0xBF, '/'},    {0xC0, '@'},    {0xDB, '['},    {0xDC, '\\'},
    {0xDD, ']'},    {0xDE, '^'},
};

std::optional<std::uint32_t> KeySymOfVirtualKey(int key)
{
    if (key >= 'A' && key <= 'Z') return static_cast<std::uint32_t>('a' + key - 'A');
    if (key >= '0' && key <= '9') return static_cast<std::uint32_t>(key);
    if (key >= 0x60 && key <= 0x69) return 0xFFB0u + (key - 0x60);  // number pad digits
    if (key >= 0x70 && key <= 0x87) return 0xFFBEu + (key - 0x70);  // F1..F24
    for (const KeySymOf& k : kKeySyms)
        if (k.VirtualKey == key) return k.KeySym;
    return std::nullopt;
}

} // namespace

std::optional<THotKeyGrab> ShortCutToGrab(TShortCut shortCut)
{
    const auto keySym = KeySymOfVirtualKey(shortCut & 0xFF);
    if (!keySym) return std::nullopt;
    std::uint16_t modifiers = 0;
    if (shortCut & scShift) modifiers |= kGrabShift;
    if (shortCut & scCtrl) modifiers |= kGrabControl;
    if (shortCut & scAlt) modifiers |= kGrabAlt;
    return THotKeyGrab{*keySym, modifiers};
}

THookHotKey::THookHotKey(THotKeyBackend& backend, TComponent* AOwner) : TComponent(AOwner), FBackend(backend)
{
    FBackend.OnPressed = [this](int index) { HotKeyPressed(index); };
}

THookHotKey::~THookHotKey()
{
    FBackend.OnPressed = nullptr;
}

bool THookHotKey::RegisterShortCut(int index, TShortCut shortCut)
{
    const auto grab = ShortCutToGrab(shortCut);
    return grab && FBackend.Register(index, *grab);
}

bool THookHotKey::UnregisterShortCut(int index)
{
    return FBackend.Unregister(index);
}

bool THookHotKey::ReRegisterShortCut(int index, TShortCut shortCut)
{
    UnregisterShortCut(index);
    // The index is free now whether or not it held a key before; only the new key's fate counts.
    if ((shortCut & 0xFF) == 0) return true;
    return RegisterShortCut(index, shortCut);
}

void THookHotKey::HotKeyPressed(int index)
{
    if (!OnHotKey) return;
    if (Activate && BringOwnerToFront) BringOwnerToFront();
    OnHotKey(this, index);
}

} // namespace qx
