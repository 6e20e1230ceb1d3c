#include "dialogs/WordAssistant.h"

#include <gtest/gtest.h>

using namespace qx;

TEST(WordAssistant, TheWindowGoesAboveTheCaretRowOrBelowItAndStaysOnTheScreen)
{
    const TRect screen{0, 0, 1600, 1000};
    const struct {
        TPoint Caret;
        TPoint At;
    } cases[] = {
        {{500, 600}, {502, 600 - 300 - 20}},   // above the caret row
        {{500, 100}, {502, 120}},              // no room above: below the row
        {{1500, 600}, {1600 - 200 - 4, 280}},  // at the right edge: pulled in
        {{500, 990}, {502, 670}},              // near the bottom: above the row
        {{-50, 2000}, {0, 700}},               // a caret off the screen: the window stays on it
    };
    for (const auto& c : cases) {
        const TPoint at = WordAssistantPosition(c.Caret, 20, 200, 300, screen);
        EXPECT_EQ(at, c.At) << c.Caret.X << "," << c.Caret.Y;
    }
    // On a second screen to the right.
    EXPECT_EQ(WordAssistantPosition({1700, 100}, 20, 200, 300, {1600, 0, 3200, 1000}), (TPoint{1702, 120}));
}
