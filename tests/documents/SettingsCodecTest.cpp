#include "documents/SettingsCodec.h"
#include "platform/IniFile.h"
#include "support/TempDir.h"

#include "editor/Fountain.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

using namespace qx;

TEST(SettingsCodec, QuotedValuesSurviveTheIniLayer)
{
    qx::test::TempDir dir;
    for (const char* value : {"  x ", "", "\"", "a\"b", "\"quoted\"", "\t", "=", "x=y"}) {
        {
            TMemIniFile ini(dir.File("q.ini"));
            ini.WriteString("S", "K", AddQuotes(value));
            ini.UpdateFile();
        }
        TMemIniFile ini(dir.File("q.ini"));
        EXPECT_EQ(StripQuotes(ini.ReadString("S", "K", "?")), value) << '[' << value << ']';
    }
    EXPECT_EQ(AddQuotes(""), "\"\"");
    // Only one enclosing pair is removed, and only when both ends have one.
    EXPECT_EQ(StripQuotes("\"\"x\"\""), "\"x\"");
    EXPECT_EQ(StripQuotes("\"x"), "\"x");
    EXPECT_EQ(StripQuotes("\""), "\"");
    EXPECT_EQ(StripQuotes("plain"), "plain");
}

TEST(SettingsCodec, ColourNames)
{
    struct Case {
        TColor color;
        const char* text;
    };
    const Case cases[] = {
        {clBlack, "clBlack"},      {clWhite, "clWhite"},           {clNavy, "clNavy"},
        {clNone, "clNone"},        {clBtnFace, "clBtnFace"},       {clSilver, "clSilver"},
        {0x00804020, "$00804020"}, {RGBColor(1, 2, 3), "$00030201"}, {0x00ABCDEF, "$00ABCDEF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColorToString(c.color), c.text);
        EXPECT_EQ(StringToColor(c.text, clRed), c.color) << c.text;
    }
    EXPECT_EQ(StringToColor("CLNAVY", clRed), clNavy);
    EXPECT_EQ(StringToColor("$00abcdef", clRed), 0x00ABCDEF);
    EXPECT_EQ(StringToColor("255", clRed), 255);
    // Invalid texts give the default, never an exception.
    for (const char* bad : {"", "clNothing", "$", "$1G", "navy", "$123456789", "-"})
        EXPECT_EQ(StringToColor(bad, clTeal), clTeal) << bad;
}

TEST(SettingsCodec, FontStyleMask)
{
    EXPECT_EQ(FontStylesToInt({}), 0);
    EXPECT_EQ(FontStylesToInt({TFontStyle::fsBold}), 1);
    EXPECT_EQ(FontStylesToInt({TFontStyle::fsItalic}), 2);
    EXPECT_EQ(FontStylesToInt({TFontStyle::fsUnderline}), 4);
    EXPECT_EQ(FontStylesToInt({TFontStyle::fsStrikeOut}), 8);
    for (int mask = 0; mask < 16; ++mask) EXPECT_EQ(FontStylesToInt(IntToFontStyles(mask)), mask);
    EXPECT_EQ(IntToFontStyles(0x35), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsUnderline}));
}

// The settings and the syntax colours share one font-style set, so a stored style reaches a fountain as is.
static_assert(std::is_same_v<decltype(std::declval<qx::TFountainColor>().Style()), qx::TFontStyles>);

TEST(SettingsCodec, FontStylesCombineAsTheirBitMask)
{
    EXPECT_EQ(FontStylesToInt(fsBold | fsStrikeOut), 9);
    EXPECT_EQ(IntToFontStyles(9), fsBold | fsStrikeOut);
}
