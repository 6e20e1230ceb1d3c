#include "platform/ShortCut.h"

#include "platform/StringList.h"

namespace qx {

namespace {

struct NamedKey {
    int VirtualKey;
    const char* Name;
};

// Keys whose name is not a plain digit, letter or function-key number. The punctuation keys are those of
// the Japanese 106/109 keyboard, the layout the key dialog offers.
constexpr NamedKey kNamedKeys[] = {
    {0x08, "BkSp"},  {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},   {0x20, "Space"},
    {0x21, "PgUp"},  {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"},  {0x25, "Left"},
    {0x26, "Up"},    {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},   {0x2E, "Del"},
    {0xBA, ":"},     {0xBB, ";"},     {0xBC, ","},     {0xBD, "-"},     {0xBE, "."},
    {0xBF, "/"},     {0xC0, "@"},     {0xDB, "["},     {0xDC, "\\"},    {0xDD, "]"},
    {0xDE, "^"},
};

// Consumes `prefix` at the front of `text` (ASCII case ignored).
bool TakePrefix(std::string_view& text, std::string_view prefix)
{
    if (text.size() < prefix.size() || !SameText(text.substr(0, prefix.size()), prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

} // namespace

std::string ShortCutKeyName(int key)
{
    if (key >= '0' && key <= '9') return std::string(1, static_cast<char>(key));
    if (key >= 'A' && key <= 'Z') return std::string(1, static_cast<char>(key));
    if (key >= 0x60 && key <= 0x69) return std::string(1, static_cast<char>('0' + key - 0x60));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x6F);
    for (const NamedKey& k : kNamedKeys)
        if (k.VirtualKey == key) return k.Name;
    return {};
}

std::string ShortCutToText(TShortCut shortCut)
{
    std::string name = ShortCutKeyName(shortCut & 0xFF);
    if (name.empty()) return {};
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}

TShortCut TextToShortCut(std::string_view text)
{
    TShortCut modifiers = 0;
    for (;;) {
        if (TakePrefix(text, "Shift+")) modifiers |= scShift;
        else if (TakePrefix(text, "Ctrl+")) modifiers |= scCtrl;
        else if (TakePrefix(text, "Alt+")) modifiers |= scAlt;
        else break;
    }
    if (text.empty()) return 0;
    // The first key whose name matches: a digit reads as the main keyboard's, not the number pad's.
    for (int key = 0x08; key <= 0xFF; ++key) {
        const std::string name = ShortCutKeyName(key);
        if (!name.empty() && SameText(name, text)) return static_cast<TShortCut>(key | modifiers);
    }
    return 0;
}

} // namespace qx
