#include "platform/ShortCut.h"

#include <gtest/gtest.h>

using namespace qx;

TEST(ShortCut, ModifierOrderAndCaseVariantsReadAsOneValue)
{
    const TShortCut expected = 'A' | scShift | scCtrl | scAlt;
    for (const char* text : {"Shift+Ctrl+Alt+A", "Alt+Shift+Ctrl+A", "ctrl+alt+shift+a",
                             "CTRL+SHIFT+ALT+a", "Shift+Shift+Ctrl+Alt+A"})
        EXPECT_EQ(TextToShortCut(text), expected) << text;
    EXPECT_EQ(ShortCutToText(expected), "Shift+Ctrl+Alt+A");

    struct Case {
        const char* text;
        TShortCut value;
    };
    const Case cases[] = {
        {"Ctrl+F1", 0x70 | scCtrl}, {"Ctrl+Enter", 0x0D | scCtrl}, {"Ins", 0x2D},
        {"Shift+Del", 0x2E | scShift}, {"Shift+Ctrl+Tab", 0x09 | scShift | scCtrl},
        {"pgdn", 0x22}, {"Ctrl+0", '0' | scCtrl}, {"F24", 0x87}, {"Alt+\\", 0xDC | scAlt},
        // Texts that do not read give no key.
        {"", 0}, {"(なし)", 0}, {"Ctrl+", 0}, {"Ctrl+Foo", 0}, {"F25", 0}, {"Ctrl F1", 0},
        {"Ctrl+F1 ", 0}, {"Nil", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(TextToShortCut(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(TextToShortCut(kNoShortCutText), 0);
}

TEST(ShortCut, EveryKeyNameRoundTrips)
{
    int named = 0;
    for (int key = 0; key <= 0xFF; ++key) {
        const std::string name = ShortCutKeyName(key);
        if (name.empty()) {
            EXPECT_EQ(ShortCutToText(static_cast<TShortCut>(key | scCtrl)), "");
            continue;
        }
        if (key >= 0x60 && key <= 0x69) {  // number pad: shown as the digit, read as the main digit
            EXPECT_EQ(TextToShortCut(name), key - 0x60 + '0');
            continue;
        }
        ++named;
        for (TShortCut mods : {TShortCut(0), scShift, TShortCut(scCtrl | scAlt)}) {
            const auto value = static_cast<TShortCut>(key | mods);
            EXPECT_EQ(TextToShortCut(ShortCutToText(value)), value) << name;
        }
    }
    EXPECT_EQ(named, 15 + 10 + 26 + 24 + 11);
    EXPECT_EQ(ShortCutToText(0), "");
}
