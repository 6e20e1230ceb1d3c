#include "dialogs/ClipBoardHistory.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qx;

namespace {

// A history that records, with the texts of its entries newest first.
struct History : TQxClipBoardHistory {
    History()
    {
        SetDisabled(true);
        SetCanUpdate(true);
        OnClipChange = [this](TObject*) { ++Changes; };
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < Count(); ++i) texts.push_back(GetText(i));
        return texts;
    }
    int Changes = 0;
};

} // namespace

TEST(ClipBoardHistory, RecordsOnlyWhenBothFlagsAllowButAlwaysReportsTheChange)
{
    struct Case {
        bool Disabled, CanUpdate;
        bool HasText;
        int Entries;
    };
    // Disabled reads as "capture allowed".
    for (const Case c : {Case{true, true, true, 1}, Case{false, true, true, 0}, Case{true, false, true, 0},
                         Case{false, false, true, 0}, Case{true, true, false, 0}}) {
        History h;
        h.SetDisabled(c.Disabled);
        h.SetCanUpdate(c.CanUpdate);
        h.ClipboardChanged(c.HasText ? std::optional<std::string>("abc") : std::nullopt);
        EXPECT_EQ(h.Count(), c.Entries) << c.Disabled << c.CanUpdate << c.HasText;
        EXPECT_EQ(h.Changes, 1);
    }
}

TEST(ClipBoardHistory, NewestFirstWithDuplicatesKept)
{
    History h;
    for (const char* text : {"a", "b", "a"}) h.ClipboardChanged(std::string(text));
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"a", "b", "a"}));
    EXPECT_EQ(h.TotalLength(), 3u);
}

TEST(ClipBoardHistory, TrimsOldestEntriesToTheBudget)
{
    History h;
    h.SetBuffers(10);
    h.ClipboardChanged(std::string("4444"));
    h.ClipboardChanged(std::string("55555"));
    h.ClipboardChanged(std::string("333"));
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"333", "55555"}));
    EXPECT_EQ(h.TotalLength(), 8u);

    // A text over the budget by itself empties the history and still stays.
    h.ClipboardChanged(std::string(11, 'x'));
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{std::string(11, 'x')}));
    EXPECT_EQ(h.TotalLength(), 11u);

    // Limits below 1 are ignored.
    for (int limit : {0, -5}) {
        h.SetBuffers(limit);
        EXPECT_EQ(h.Buffers(), 10);
    }
}

TEST(ClipBoardHistory, TotalFollowsEveryListOperation)
{
    History h;
    for (const char* text : {"1", "22", "333", "4444"}) h.ClipboardChanged(std::string(text));
    h.Move(3, 0);  // the oldest first, the others shift down
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"1", "4444", "333", "22"}));
    h.Move(0, 3);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"4444", "333", "22", "1"}));
    h.Delete(1);
    h.Insert(3, TClipRecord{"55555", "55555"});
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"4444", "22", "1", "55555"}));
    EXPECT_EQ(h.TotalLength(), 12u);
    h.Clear();
    EXPECT_EQ(h.TotalLength(), 0u);
    h.ClipboardChanged(std::string("x"));
    EXPECT_EQ(h.TotalLength(), 1u);
}

TEST(ClipBoardHistory, EveryIndexIsChecked)
{
    History h;
    h.ClipboardChanged(std::string("a"));
    h.ClipboardChanged(std::string("b"));
    EXPECT_THROW(h.GetText(2), EListError);
    EXPECT_THROW(h.GetHeadText(-1), EListError);
    EXPECT_THROW(h.Delete(2), EListError);
    EXPECT_THROW(h.Insert(3, TClipRecord{}), EListError);
    EXPECT_THROW(h.Move(0, 2), EListError);  // only 0..1 after the removal
    EXPECT_THROW(h.Move(-1, 0), EListError);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(h.TotalLength(), 2u);
}

TEST(ClipBoardHistory, HeadIsCutOnACharacterBoundary)
{
    EXPECT_EQ(ClipHeadText(std::string(200, 'a')), std::string(128, 'a'));
    EXPECT_EQ(ClipHeadText("short"), "short");
    // A double-byte character on bytes 127 and 128 does not fit: the head ends at 127.
    const std::string kanji = "\x88\x9F";
    EXPECT_EQ(ClipHeadText(std::string(127, 'a') + kanji + "b"), std::string(127, 'a'));
    // The same character one byte earlier fits whole.
    EXPECT_EQ(ClipHeadText(std::string(126, 'a') + kanji + "b"), std::string(126, 'a') + kanji);
    // Trail bytes that look like lead bytes are not taken as one: 64 double-byte characters fill it.
    std::string pairs;
    for (int i = 0; i < 70; ++i) pairs += "\x88\x88";
    EXPECT_EQ(ClipHeadText(pairs), pairs.substr(0, 128));
    // A lead byte at the very end is a character of its own.
    EXPECT_EQ(ClipHeadText("a\x88"), "a\x88");

    History h;
    h.ClipboardChanged(std::string(200, 'z'));
    EXPECT_EQ(h.GetText(0).size(), 200u);
    EXPECT_EQ(h.GetHeadText(0).size(), 128u);
}
