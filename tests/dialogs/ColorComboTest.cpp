#include "dialogs/ColorCombo.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

std::vector<std::string> Names(const TColorComboModel& model)
{
    std::vector<std::string> names;
    for (const TColorItem& item : model.Items()) names.push_back(item.Name);
    return names;
}

} // namespace

TEST(ColorCombo, GroupsGiveTheirItemsInOrder)
{
    TColorComboModel model;
    EXPECT_EQ(model.Count(), 16);
    EXPECT_EQ(model.Items().front(), (TColorItem{"黒", clBlack}));
    EXPECT_EQ(model.Items()[3], (TColorItem{"オリーブ", clOlive}));
    EXPECT_EQ(model.Items().back(), (TColorItem{"白", clWhite}));

    model.SetSelection(ColorSelection::csSystemJ | ColorSelection::csCurrent | ColorSelection::csCustom);
    EXPECT_EQ(model.Count(), 18);
    EXPECT_EQ(model.Items().front(), (TColorItem{"選択色", clBlack}));
    EXPECT_EQ(model.Items().back(), (TColorItem{"その他...", clNone}));

    int loads = 0;
    // The owner fills the list when it is asked for it (which does not start another rebuild).
    model.OnLoadExtendedColors = [&] {
        ++loads;
        TStringList extended;
        extended.SetText("aliceblue=$FFF8F0\r\n=$123456\r\nbroken=zz\r\nnavy=8388608");
        model.SetExtendedColors(extended);
    };
    model.SetCurrentColor(clRed);
    model.SetSelection(ColorSelection::csCurrent | ColorSelection::csDefault | ColorSelection::csSystem | ColorSelection::csSystemJ | ColorSelection::csExtended | ColorSelection::csCustom);
    const auto names = Names(model);
    ASSERT_EQ(names.size(), 2u + 16 + 16 + 3 + 1);
    EXPECT_EQ(names[0], "選択色");
    EXPECT_EQ(names[1], "標準");
    EXPECT_EQ(names[2], "Black");
    EXPECT_EQ(names[17], "White");
    EXPECT_EQ(names[18], "黒");
    EXPECT_EQ(model.Items()[0].Color, clRed);
    EXPECT_EQ(model.Items()[1].Color, clNone);
    EXPECT_EQ(model.Items()[34], (TColorItem{"aliceblue", 0xFFF8F0}));
    EXPECT_EQ(model.Items()[35], (TColorItem{"broken", clNone}));
    EXPECT_EQ(model.Items()[36], (TColorItem{"navy", 0x800000}));
    EXPECT_EQ(loads, 1);
}

TEST(ColorCombo, SelectedColorReadsBackWhatWasSet)
{
    TColorComboModel model;
    model.SetSelection(ColorSelection::csSystemJ | ColorSelection::csCustom);
    model.SetSelectedColor(clTeal);
    EXPECT_EQ(model.Items()[model.ItemIndex()].Name, "青緑");
    EXPECT_EQ(model.GetSelectedColor(), clTeal);

    // A colour not in the list is added as a custom colour and selected.
    model.SetSelectedColor(0x0080FF);
    EXPECT_EQ(model.GetSelectedColor(), 0x0080FF);
    EXPECT_EQ(model.Items()[model.ItemIndex()].Name, "$0080FF");
    EXPECT_EQ(model.Count(), 18);
    model.SetSelectedColor(0x0080FF);  // now listed: not added again
    EXPECT_EQ(model.Count(), 18);

    model.SetSelectedColor(clNone);
    EXPECT_EQ(model.ItemIndex(), -1);
    EXPECT_EQ(model.GetSelectedColor(), clNone);

    // Without custom colours an unlisted colour leaves nothing selected.
    model.SetSelection(ColorSelection::csSystem);
    model.SetSelectedColor(0x0080FF);
    EXPECT_EQ(model.GetSelectedColor(), clNone);
}

TEST(ColorCombo, CustomColoursStayWithinTheirLimit)
{
    TColorComboModel model;
    model.SetSelection(ColorSelection::csSystemJ | ColorSelection::csCustom);
    model.SetMaxCustomCount(1);
    std::vector<TColor> offered{0x123456, 0xABCDEF};
    model.ColorChooser = [&](TColor) -> std::optional<TColor> {
        TColor c = offered.front();
        offered.erase(offered.begin());
        return c;
    };
    model.Choose(model.Count() - 1);
    model.Choose(model.Count() - 1);
    EXPECT_EQ(model.Count(), 18);
    EXPECT_EQ(model.Items()[16], (TColorItem{"$ABCDEF", 0xABCDEF}));
    EXPECT_EQ(model.ItemIndex(), 16);

    // Cancelling selects the item before "その他...".
    model.ColorChooser = [](TColor) { return std::nullopt; };
    model.SetItemIndex(0);
    model.Choose(model.Count() - 1);
    EXPECT_EQ(model.ItemIndex(), 16);
    EXPECT_EQ(model.Count(), 18);

    // A rebuild drops the custom colours and their count: the next one at the limit removes no
    // system colour.
    model.SetCurrentColor(clRed);
    EXPECT_EQ(model.CustomCount(), 0);
    model.AddCustomColor("", 0x010203);
    EXPECT_EQ(Names(model)[15], "白");
    EXPECT_EQ(model.Count(), 18);

    // Three kept by default, the oldest goes first, a selection on the survivors moves with them.
    model.SetMaxCustomCount(3);
    for (TColor c : {0x000001, 0x000002, 0x000003}) model.AddCustomColor("", c);
    model.SetItemIndex(17);  // 0x000002
    model.AddCustomColor("mine", 0x000004);
    const auto names = Names(model);
    EXPECT_EQ(std::vector<std::string>(names.begin() + 16, names.end()),
              (std::vector<std::string>{"$000002", "$000003", "mine", "その他..."}));
    EXPECT_EQ(model.GetSelectedColor(), 0x000002);

    // A list that keeps none adds none and never loses "その他...".
    model.SetMaxCustomCount(0);
    EXPECT_EQ(model.AddCustomColor("", 0x000005), -1);
    EXPECT_EQ(Names(model).back(), "その他...");
}

TEST(ColorCombo, ExtendedColoursAreTheHundredFortyNamesInOrder)
{
    TColorComboModel model;
    model.OnLoadExtendedColors = [&] { model.SetExtendedColors(ExtendedColorLines()); };
    model.SetSelection(ColorSelection::csExtended);
    ASSERT_EQ(model.Count(), 140);
    for (int i = 1; i < model.Count(); ++i) EXPECT_LT(Names(model)[i - 1], Names(model)[i]);
    EXPECT_EQ(model.Items().front(), (TColorItem{"aliceblue", 0xFFF8F0}));
    EXPECT_EQ(model.Items().back(), (TColorItem{"yellowgreen", 0x32CD9A}));
    EXPECT_EQ(ExtendedColorLines()[1], "antiquewhite=$D7EBFA");
    model.SetSelectedColor(0xFFFF00);
    EXPECT_EQ(model.Items()[model.ItemIndex()].Name, "aqua");
}
