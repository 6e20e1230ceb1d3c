#include "platform/qt/QtKeyCodec.h"

#include "platform/VirtualKeys.h"
#include "platform/Cp932.h"
#include "platform/KeyInput.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace qx {

namespace {

// Keys that type no character, and keys whose code does not depend on the layout.
constexpr TKeyPair kQtKeys[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, 0x0C},         {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},     {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, 0x13},         {Qt::Key_CapsLock, 0x14},    {Qt::Key_Kanji, 0x19},
    {Qt::Key_Henkan, 0x1C},        {Qt::Key_Muhenkan, 0x1D},    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, 0x2C},         {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, 0x2F},          {Qt::Key_Meta, 0x5B},        {Qt::Key_Menu, 0x5D},
    {Qt::Key_NumLock, 0x90},       {Qt::Key_ScrollLock, 0x91},
};

// The number pad's own keys (with Num Lock on; without it they send the keys above).
constexpr TKeyPair kKeypadKeys[] = {
    {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B}, {Qt::Key_Minus, 0x6D},
    {Qt::Key_Period, 0x6E},   {Qt::Key_Comma, 0x6E}, {Qt::Key_Slash, 0x6F},
};

// The Linux input code of the key's position, where the platform reports X11 key codes.
int InputKeyCodeOf(const QKeyEvent& event)
{
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && platform != QLatin1String("wayland")) return 0;
    const quint32 code = event.nativeScanCode();
    return code > 8 ? static_cast<int>(code - 8) : 0;
}

bool IsControlCharacter(std::uint16_t code)
{
    return code < 0x20 || code == 0x7F;
}

} // namespace

TShortCut ShortCutModifiers(Qt::KeyboardModifiers modifiers)
{
    TShortCut bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= scShift;
    if (modifiers & Qt::ControlModifier) bits |= scCtrl;
    if (modifiers & Qt::AltModifier) bits |= scAlt;
    return bits;
}

int VirtualKeyOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers, int inputKeyCode)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return VK_F1 + (qtKey - Qt::Key_F1);
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return VK_NUMPAD0 + (qtKey - Qt::Key_0);
        if (const int key = FindKey(kKeypadKeys, qtKey)) return key;
    }
    if (const int key = FindKey(kQtKeys, qtKey)) return key;
    // Letters follow the layout; digits and punctuation follow the key's position when it is known.
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    if (const int key = VirtualKeyAtPosition(inputKeyCode)) return key;
    if (qtKey == Qt::Key_yen) return 0xDC;
    return qtKey > 0 && qtKey <= 0xFF ? VirtualKeyOfCharacter(static_cast<char32_t>(qtKey)) : 0;
}

TQtKeyStroke KeyStrokeOf(const QKeyEvent& event)
{
    TQtKeyStroke stroke;
    const int inputKeyCode = InputKeyCodeOf(event);
    const int key = VirtualKeyOfQtKey(event.key(), event.modifiers(), inputKeyCode);
    stroke.Modifiers = ShortCutModifiers(event.modifiers());
    if (key) stroke.Key = static_cast<TShortCut>(key | stroke.Modifiers);
    stroke.KeyData = 1 | ((inputKeyCode & 0xFF) << 16) | (event.isAutoRepeat() ? KeyDataRepeat : 0);
    // As on the keyboard the program was made for: with Alt a key types nothing (it is a menu key), and
    // with Ctrl only the control characters that Ctrl makes of some keys.
    if (stroke.Modifiers & scAlt) return stroke;
    for (std::uint16_t code : CharCodes(Utf8ToCp932(event.text().toStdString())))
        if (!(stroke.Modifiers & scCtrl) || IsControlCharacter(code)) stroke.Chars.push_back(code);
    return stroke;
}

} // namespace qx
