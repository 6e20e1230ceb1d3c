#include "editor/RowAttributes.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qx;

namespace {

// Records the order of the list's events.
struct EventLog {
    std::string events;
    void Attach(TRowStringList& list)
    {
        list.OnChanging = [this](TObject*) { events += '<'; };
        list.OnChange = [this](TObject*) { events += '>'; };
    }
};

// One packed field: its accessors and its extreme values.
struct Field {
    const char* name;
    int (TRowAttributeStringList::*get)(int) const;
    void (TRowAttributeStringList::*set)(int, int);
    int low, high;
};

const Field kFields[] = {
    {"RowAttributes", &TRowAttributeStringList::RowAttributes, &TRowAttributeStringList::SetRowAttributes, 0, 3},
    {"PrevRowAttributes", &TRowAttributeStringList::PrevRowAttributes,
     &TRowAttributeStringList::SetPrevRowAttributes, 0, 3},
    {"BracketIndexes", &TRowAttributeStringList::BracketIndexes, &TRowAttributeStringList::SetBracketIndexes, -2,
     13},
    {"TokenStates", &TRowAttributeStringList::TokenStates, &TRowAttributeStringList::SetTokenStates, 0, 255},
    {"Remains", &TRowAttributeStringList::Remains, &TRowAttributeStringList::SetRemains, 0, 255},
    {"ExtraStates", &TRowAttributeStringList::ExtraStates, &TRowAttributeStringList::SetExtraStates, 0, 255},
    {"Tokens", &TRowAttributeStringList::Tokens, &TRowAttributeStringList::SetTokens, 0, 255},
    {"TokenFlags", &TRowAttributeStringList::TokenFlags, &TRowAttributeStringList::SetTokenFlags, 0, 255},
    {"RowMarks", &TRowAttributeStringList::RowMarks, &TRowAttributeStringList::SetRowMarks, 0, 0xFFFF},
};

} // namespace

TEST(TRowAttributeStringList, ANewRowHasNoStateAndNoMarks)
{
    TRowAttributeStringList list;
    list.Add("abc");
    EXPECT_EQ(list.RowAttributes(0), raEnd);
    EXPECT_EQ(list.BracketIndexes(0), biNotComputed);
    EXPECT_EQ(list.RowMarks(0), 0);
    EXPECT_EQ(list.StateStr(0), "");
    EXPECT_EQ(list.Data(0), 0);
}

TEST(TRowAttributeStringList, PackedFieldsNeverBleedIntoEachOther)
{
    // Each field in turn is driven to its extremes (and beyond its width) while every other field holds
    // a value of its own; the others must read back unchanged.
    for (const Field& target : kFields) {
        for (int value : {target.low, target.high, target.high + 1, -1}) {
            TRowAttributeStringList list;
            list.Add("row");
            for (const Field& other : kFields) (list.*other.set)(0, other.high == 3 ? 1 : other.low + 5);
            (list.*target.set)(0, value);
            const int width = target.high - target.low + 1;
            const int expected = ((value - target.low) % width + width) % width + target.low;
            EXPECT_EQ((list.*target.get)(0), expected) << target.name << " = " << value;
            for (const Field& other : kFields) {
                if (&other == &target) continue;
                EXPECT_EQ((list.*other.get)(0), other.high == 3 ? 1 : other.low + 5)
                    << other.name << " after " << target.name << " = " << value;
            }
        }
    }
}

TEST(TRowAttributeStringList, EachFieldSitsInItsOwnBitsOfItsWord)
{
    // The two words are copied whole between lists and into the undo buffer, so every field must sit
    // exactly in its documented bits (the bracket index stored as its value + 2).
    struct Layout {
        const char* name;
        void (TRowAttributeStringList::*set)(int, int);
        int value;
        std::uint32_t attrWord, markWord;
    };
    const Layout layouts[] = {
        {"RowAttributes", &TRowAttributeStringList::SetRowAttributes, 2, 0x00000002, 0},
        {"PrevRowAttributes", &TRowAttributeStringList::SetPrevRowAttributes, 1, 0x00000004, 0},
        {"BracketIndexes -1", &TRowAttributeStringList::SetBracketIndexes, -1, 0x00000010, 0},
        {"BracketIndexes 13", &TRowAttributeStringList::SetBracketIndexes, 13, 0x000000F0, 0},
        {"TokenStates", &TRowAttributeStringList::SetTokenStates, 0xA5, 0x0000A500, 0},
        {"Remains", &TRowAttributeStringList::SetRemains, 0x5A, 0x005A0000, 0},
        {"ExtraStates", &TRowAttributeStringList::SetExtraStates, 0xC3, 0xC3000000, 0},
        {"Tokens", &TRowAttributeStringList::SetTokens, 0x3C, 0, 0x0000003C},
        {"TokenFlags", &TRowAttributeStringList::SetTokenFlags, 0x81, 0, 0x00008100},
        {"RowMarks", &TRowAttributeStringList::SetRowMarks, 0x8001, 0, 0x80010000},
    };
    for (const Layout& l : layouts) {
        TRowAttributeStringList list;
        list.Add("row");
        (list.*l.set)(0, l.value);
        EXPECT_EQ(list.AttrWord(0), l.attrWord) << l.name;
        EXPECT_EQ(list.MarkWord(0), l.markWord) << l.name;
    }
}

TEST(TRowAttributeStringList, RowStateRoundTripsAndKeepsTheRowsOwnAttributeAndMarks)
{
    TRowAttributeStringList list;
    list.Add("row");
    list.SetRowAttributes(0, raWrapped);
    list.SetRowMarks(0, 1 << 3);

    TRowAttributeData state;
    state.RowAttribute = raEof;  // not stored: the row keeps its own
    state.PrevRowAttribute = raWrapped;
    state.BracketIndex = 13;
    state.TokenState = 200;
    state.Remain = 7;
    state.ExtraState = 255;
    state.Token = 25;
    state.TokenFlag = 128;
    state.DataStr = "state";
    list.SetRowState(0, state);

    const TRowAttributeData read = list.RowState(0);
    EXPECT_TRUE(SameRowState(read, state));
    EXPECT_EQ(read.RowAttribute, raWrapped);
    EXPECT_EQ(list.RowMarks(0), 1 << 3);
    EXPECT_EQ(list.StateStr(0), "state");

    state.DataStr.clear();
    EXPECT_FALSE(SameRowState(read, state));
}

TEST(TRowStringList, PutAndExchangeKeepEveryFieldWithItsRow)
{
    TRowAttributeStringList list;
    list.Add("first");
    list.Add("second");
    list.SetData(0, 42);
    list.SetStateStr(0, "s0");
    list.SetRowMarks(0, 0x8001);
    list.SetBracketIndexes(0, 4);
    list.SetRowAttributes(1, raEof);

    list.Put(0, "changed");
    EXPECT_EQ(list.Get(0), "changed");
    EXPECT_EQ(list.Data(0), 42);
    EXPECT_EQ(list.StateStr(0), "s0");
    EXPECT_EQ(list.RowMarks(0), 0x8001);
    EXPECT_EQ(list.BracketIndexes(0), 4);

    list.Exchange(0, 1);
    EXPECT_EQ(list.Get(0), "second");
    EXPECT_EQ(list.RowAttributes(0), raEof);
    EXPECT_EQ(list.BracketIndexes(0), biNotComputed);
    EXPECT_EQ(list.Get(1), "changed");
    EXPECT_EQ(list.Data(1), 42);
    EXPECT_EQ(list.StateStr(1), "s0");
    EXPECT_EQ(list.RowMarks(1), 0x8001);
}

TEST(TRowStringList, BadIndexesRaiseTheListIndexErrorAndChangeNothing)
{
    TRowAttributeStringList list;
    list.Add("a");
    list.Add("b");
    EventLog log;
    log.Attach(list);

    auto expectIndexError = [&](auto&& call, int index) {
        try {
            call();
            ADD_FAILURE() << "no error for index " << index;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(index) + ")");
        }
    };
    expectIndexError([&] { list.Delete(2); }, 2);
    expectIndexError([&] { list.Delete(-1); }, -1);
    expectIndexError([&] { list.Get(2); }, 2);
    expectIndexError([&] { list.Put(5, "x"); }, 5);
    expectIndexError([&] { list.Exchange(0, 2); }, 2);
    expectIndexError([&] { list.Insert(3, "x"); }, 3);
    expectIndexError([&] { list.SetRowMarks(2, 1); }, 2);
    expectIndexError([&] { list.DeleteItems(1, 2); }, 2);

    EXPECT_EQ(log.events, "");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0), "a");
    EXPECT_EQ(list.Get(1), "b");

    list.Insert(2, "c");  // Insert accepts Count
    EXPECT_EQ(list.Get(2), "c");
}

TEST(TRowStringList, EventsBracketEachChangeAndABatchOnce)
{
    TRowStringList list;
    EventLog log;
    log.Attach(list);
    list.Clear();  // an empty list announces nothing
    EXPECT_EQ(log.events, "");

    list.Add("a");
    list.Insert(0, "b");
    list.Put(0, "c");
    list.Exchange(0, 1);
    list.Delete(0);
    list.SetData(0, 5);  // per-row values announce nothing
    EXPECT_EQ(log.events, "<><><><><>");

    log.events.clear();
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("x");
    list.Add("y");
    list.EndUpdate();
    EXPECT_EQ(log.events, "<");
    list.EndUpdate();
    EXPECT_EQ(log.events, "<>");

    log.events.clear();
    list.Clear();
    EXPECT_EQ(log.events, "<>");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(TRowStringList, DestructionAnnouncesNothing)
{
    int calls = 0;
    {
        TRowStringList list;
        list.Add("a");
        list.OnChange = [&](TObject*) { ++calls; };
        list.OnChanging = [&](TObject*) { ++calls; };
    }
    EXPECT_EQ(calls, 0);
}

TEST(TRowStringList, CapacityGrowsInSmallThenProportionalSteps)
{
    TRowStringList list;
    std::vector<int> capacities;
    for (int i = 0; i < 200; ++i) {
        list.Add("");
        if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147, 183, 228}));
    EXPECT_THROW(list.SetCapacity(list.Count() - 1), EListError);
    list.SetCapacity(list.Count());
    EXPECT_EQ(list.Capacity(), 200);
}

TEST(TRowStringList, BulkInsertAndDeleteMoveWholeRowsAsOneChange)
{
    TRowAttributeStringList source;
    for (const char* s : {"x", "y"}) source.Add(s);
    source.SetRowMarks(1, 0x10);
    source.SetStateStr(0, "keep");

    TRowAttributeStringList list;
    for (const char* s : {"a", "b", "c"}) list.Add(s);
    EventLog log;
    log.Attach(list);

    std::vector<TRowStringItem> rows{source.Item(0), source.Item(1)};
    list.InsertItems(1, rows);
    EXPECT_EQ(log.events, "<>");
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Get(1), "x");
    EXPECT_EQ(list.StateStr(1), "keep");
    EXPECT_EQ(list.RowMarks(2), 0x10);
    EXPECT_EQ(list.Get(3), "b");

    // Rows of the list itself may be inserted into it.
    list.InsertItems(0, std::span<const TRowStringItem>(&list.Item(3), 2));
    EXPECT_EQ(list.Get(0), "b");
    EXPECT_EQ(list.Get(1), "c");
    EXPECT_EQ(list.Count(), 7);

    log.events.clear();
    list.DeleteItems(1, 5);
    EXPECT_EQ(log.events, "<>");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0), "b");
    EXPECT_EQ(list.Get(1), "c");

    // Copies share their text; changing one row leaves the other.
    list.PutItem(1, list.Item(0));
    list.Put(0, "new");
    EXPECT_EQ(list.Get(1), "b");
}
