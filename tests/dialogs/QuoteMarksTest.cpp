#include "dialogs/QuoteMarks.h"

#include "platform/Exception.h"

#include <gtest/gtest.h>

using namespace qx;

TEST(QuoteMarks, EachModeShowsAndStoresItsOwnMarks)
{
    const struct {
        int Mode;
        const char* Caption;
        std::vector<std::string> Shown;  // the marks as the settings' defaults give them
        std::string TOptionSettings::*Changed;
    } cases[] = {
        {0, "引用符付き切り取り", {">"}, &TOptionSettings::InyouString1},
        {1, "引用符付きコピー", {">"}, &TOptionSettings::InyouString1},
        {2, "引用符付き貼り付け", {">"}, &TOptionSettings::InyouString1},
        {3, "引用符付き文字列に変換", {"[", "]"}, &TOptionSettings::InyouString4},
        {4, "行頭へ文字列を追加", {">"}, &TOptionSettings::InyouString2},
        {5, "行末へ文字列を追加", {"<"}, &TOptionSettings::InyouString3},
    };
    for (const auto& c : cases) {
        TOptionSettings settings;
        TQuoteMarkEditor editor(c.Mode, settings);
        EXPECT_STREQ(editor.Caption(), c.Caption);
        EXPECT_EQ(editor.Edits, c.Shown) << c.Mode;
        EXPECT_EQ(editor.TwoMarks(), c.Mode == 3);
        EXPECT_FALSE(editor.Result()) << "nothing stored before OK";

        editor.Edits[0] = "";  // an empty mark is a mark too
        if (editor.TwoMarks()) editor.Edits[1] = "}";
        editor.Accept();
        EXPECT_TRUE(editor.Result());
        EXPECT_EQ(settings.*c.Changed, "") << c.Mode;
        const TOptionSettings defaults;
        int changed = 0;
        for (auto mark : {&TOptionSettings::InyouString1, &TOptionSettings::InyouString2, &TOptionSettings::InyouString3,
                          &TOptionSettings::InyouString4, &TOptionSettings::InyouString5})
            changed += settings.*mark != defaults.*mark;
        EXPECT_EQ(changed, editor.TwoMarks() ? 2 : 1) << "only the mode's marks change";
        if (editor.TwoMarks()) EXPECT_EQ(settings.InyouString5, "}");
    }
    TOptionSettings settings;
    EXPECT_THROW(TQuoteMarkEditor(6, settings), EListError);
    EXPECT_THROW(TQuoteMarkEditor(-1, settings), EListError);
}
