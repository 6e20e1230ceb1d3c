#include "editor/RowAttributes.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
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
    list.InsertItems(0, list, 3, 2);
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

// ---------------------------------------------------------------------------------------------------
// Rows kept in blocks: every operation must read back like a plain array of rows, also where it
// crosses, splits or merges blocks.

namespace {

// The plain model: one item per row.
struct ModelRow {
    std::string text, state;
    std::int32_t data = 0;
    std::uint32_t attr = 0, mark = 0;
    bool operator==(const ModelRow&) const = default;
};

ModelRow Read(const TRowStringList& list, int i)
{
    return {std::string(list.Get(i)), std::string(list.StateStr(i)), list.Data(i), list.AttrWord(i), list.MarkWord(i)};
}

TRowStringItem ToItem(const ModelRow& row)
{
    TRowStringItem item;
    item.Str = TRowString(row.text);
    item.StateStr = TRowString(row.state);
    item.Data = row.data;
    item.AttrWord = row.attr;
    item.MarkWord = row.mark;
    return item;
}

void ExpectSame(const TRowStringList& list, const std::vector<ModelRow>& model, const std::string& step)
{
    ASSERT_EQ(list.Count(), static_cast<int>(model.size())) << step;
    for (int i = 0; i < list.Count(); ++i) ASSERT_EQ(Read(list, i), model[static_cast<std::size_t>(i)]) << step << ", row " << i;
    // Backwards too: finding a row must not depend on the row found before.
    for (int i = list.Count() - 1; i >= 0; i -= 7) ASSERT_EQ(list.Get(i), model[static_cast<std::size_t>(i)].text) << step;
}

std::vector<ModelRow> Numbered(int first, int count)
{
    std::vector<ModelRow> rows;
    for (int i = first; i < first + count; ++i)
        rows.push_back({"row " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 5), 'x'), "", 0,
                        static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i * 3)});
    return rows;
}

void Fill(TRowStringList& list, const std::vector<ModelRow>& rows)
{
    std::vector<TRowStringItem> items;
    for (const ModelRow& row : rows) items.push_back(ToItem(row));
    list.InsertItems(list.Count(), items);
}

} // namespace

TEST(TRowStringList, BulkChangesAcrossBlockBoundariesKeepEveryRow)
{
    constexpr int B = TRowStringList::BlockRows;
    struct Case {
        const char* name;
        int rows;           // rows before the change
        int at, removed;    // DeleteItems(at, removed) first
        int inserted;       // then InsertItems(at, inserted rows)
    };
    const Case cases[] = {
        {"insert one at a block's first row", 3 * B, B, 0, 1},
        {"insert one at a block's last row", 3 * B, B - 1, 0, 1},
        {"insert more than a block in the middle of one", 3 * B, B + B / 2, 0, 2 * B + 3},
        {"insert at the start", 2 * B, 0, 0, B + 1},
        {"delete the last row of one block and the first of the next", 3 * B, B - 1, 2, 0},
        {"delete whole blocks and parts of two", 6 * B, B / 2, 4 * B, 0},
        {"delete everything", 3 * B + 5, 0, 3 * B + 5, 0},
        {"delete the tail", 3 * B + 5, B + 1, 2 * B + 4, 0},
        {"replace a run that spans blocks", 4 * B, B - 3, 2 * B + 7, B / 3},
        {"append to a full last block", 2 * B, 2 * B, 0, 3},
    };
    for (const Case& c : cases) {
        TRowStringList list;
        std::vector<ModelRow> model = Numbered(0, c.rows);
        Fill(list, model);
        const int marked = std::min(c.at, c.rows - 1);  // a row with the rare values, near the change
        list.SetStateStr(marked, "state");
        list.SetData(marked, 77);
        model[static_cast<std::size_t>(marked)].state = "state";
        model[static_cast<std::size_t>(marked)].data = 77;

        list.DeleteItems(c.at, c.removed);
        model.erase(model.begin() + c.at, model.begin() + c.at + c.removed);
        const std::vector<ModelRow> added = Numbered(100000, c.inserted);
        std::vector<TRowStringItem> items;
        for (const ModelRow& row : added) items.push_back(ToItem(row));
        list.InsertItems(c.at, items);
        model.insert(model.begin() + c.at, added.begin(), added.end());
        ExpectSame(list, model, c.name);
    }
}

TEST(TRowStringList, InsertingTheTextOfOneOfItsOwnRowsCopiesIt)
{
    // The text handed to Insert may lie in the list's own blocks, which the insert itself may move.
    constexpr int B = TRowStringList::BlockRows;
    struct Case {
        const char* name;
        int rows;  // rows added one by one first (so the blocks' buffers have room to spare)
        int from;  // the row whose text is inserted
        int at;
    };
    const Case cases[] = {
        {"after a full last block, from it", B, 3, B},
        {"after a full last block, from its last row", 2 * B, 2 * B - 1, 2 * B},
        {"after a part-full last block", B + 10, B + 2, B + 10},
        {"inside the block it comes from", 2 * B, B + 5, B + 9},
        {"at the first row of the next block", 2 * B, B - 1, B},
    };
    for (const Case& c : cases) {
        TRowStringList list;
        std::vector<ModelRow> model;
        for (const ModelRow& row : Numbered(0, c.rows)) {
            list.Add(row.text);
            model.push_back({row.text, "", 0, 0, 0});
        }
        list.Insert(c.at, list.Get(c.from));
        model.insert(model.begin() + c.at, model[static_cast<std::size_t>(c.from)]);
        ExpectSame(list, model, c.name);
    }
}

TEST(TRowStringList, RandomEditsReadBackLikeAPlainArray)
{
    std::mt19937 rng(7);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n)(rng); };
    TRowAttributeStringList list;
    std::vector<ModelRow> model;
    int serial = 0;
    const auto fresh = [&] {
        ++serial;
        return ModelRow{std::string(static_cast<std::size_t>(serial % 40), static_cast<char>('a' + serial % 26)) +
                            std::to_string(serial),
                        "", 0, 0, 0};
    };
    for (int step = 0; step < 2000; ++step) {
        const int n = static_cast<int>(model.size());
        // The list stays between a few and about ten blocks.
        const int op = n > 10 * TRowStringList::BlockRows ? 3 : pick(9);
        std::string name = "step " + std::to_string(step) + " op " + std::to_string(op);
        if (op <= 2 || n == 0) {  // rows inserted, one or many, anywhere
            const int at = pick(n);
            const int count = op == 0 ? 1 + pick(600) : 1 + pick(3);
            std::vector<ModelRow> rows;
            for (int i = 0; i < count; ++i) rows.push_back(fresh());
            if (count == 1) {
                list.Insert(at, rows[0].text);
            } else {
                std::vector<TRowStringItem> items;
                for (const ModelRow& row : rows) items.push_back(ToItem(row));
                list.InsertItems(at, items);
            }
            model.insert(model.begin() + at, rows.begin(), rows.end());
        } else if (op <= 4) {  // rows deleted
            const int at = pick(n - 1);
            const int count = 1 + pick(op == 3 ? std::min(n - at - 1, 700) : std::min(n - at - 1, 2));
            list.DeleteItems(at, count);
            model.erase(model.begin() + at, model.begin() + at + count);
        } else if (op == 5) {  // a run of the list copied into itself
            const int first = pick(n - 1);
            const int count = 1 + pick(std::min(n - first - 1, 400));
            const int at = pick(n);
            list.InsertItems(at, list, first, count);
            const std::vector<ModelRow> copy(model.begin() + first, model.begin() + first + count);
            model.insert(model.begin() + at, copy.begin(), copy.end());
        } else if (op == 6) {  // texts replaced: longer, shorter, from the list itself
            const int at = pick(n - 1);
            const int from = pick(n - 1);
            list.Put(at, list.Get(from));
            model[static_cast<std::size_t>(at)].text = model[static_cast<std::size_t>(from)].text;
            const int other = pick(n - 1);
            ModelRow row = fresh();
            row.state = "s" + std::to_string(serial);
            row.data = serial;
            row.attr = static_cast<std::uint32_t>(serial * 7);
            list.PutItem(other, ToItem(row));
            model[static_cast<std::size_t>(other)] = row;
        } else if (op == 7) {  // per-row values
            const int at = pick(n - 1);
            list.SetRowMarks(at, serial & 0xFFFF);
            list.SetStateStr(at, serial % 2 ? "" : "odd");
            list.SetData(at, serial);
            ModelRow& row = model[static_cast<std::size_t>(at)];
            row.mark = (row.mark & 0xFFFFu) | (static_cast<std::uint32_t>(serial & 0xFFFF) << 16);
            row.state = serial % 2 ? "" : "odd";
            row.data = serial;
            ++serial;
        } else if (op == 8) {
            const int a = pick(n - 1), b = pick(n - 1);
            list.Exchange(a, b);
            std::swap(model[static_cast<std::size_t>(a)], model[static_cast<std::size_t>(b)]);
        } else {  // every row handed over to another list and back
            TRowAttributeStringList other;
            other.AssignItems(list);
            EXPECT_EQ(list.Count(), 0);
            list.AssignItems(other);
        }
        if (step % 50 == 0 || op == 9) {
            ExpectSame(list, model, name);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
    ExpectSame(list, model, "end");
}

TEST(TRowStringList, ExchangedRunsReadBackLikeAPlainArrayAndExchangeBack)
{
    // Runs of every shape against the blocks: single rows, runs across block boundaries, whole blocks
    // (which move without a copy), runs that grow, shrink or vanish, and the whole list.
    constexpr int B = TRowStringList::BlockRows;
    std::mt19937 rng(11);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n)(rng); };
    for (int round = 0; round < 40; ++round) {
        TRowStringList list, other;
        std::vector<ModelRow> model = Numbered(0, 1 + pick(6 * B));
        Fill(list, model);
        const int n = static_cast<int>(model.size());
        list.SetStateStr(n / 2, "state");
        list.SetData(n / 2, 5);
        model[static_cast<std::size_t>(n / 2)].state = "state";
        model[static_cast<std::size_t>(n / 2)].data = 5;
        const std::vector<ModelRow> original = model;

        std::vector<TRowStringList::TRunExchange> runs;
        std::vector<ModelRow> put, expected;
        int at = 0, serial = 100000;
        while (at < n) {
            const int gap = round == 0 ? 0 : pick(round % 3 == 0 ? B : 40);
            const int count = round == 0 ? n : round % 5 == 0 ? B : pick(round % 2 ? 2 * B : 3);
            if (at + gap + count > n) break;
            const int adds = round == 0 ? n + 7 : pick(round % 4 == 0 ? 2 * B + 1 : 3);
            expected.insert(expected.end(), model.begin() + at, model.begin() + at + gap);
            const std::vector<ModelRow> rows = Numbered(serial, adds);
            serial += adds;
            expected.insert(expected.end(), rows.begin(), rows.end());
            put.insert(put.end(), rows.begin(), rows.end());
            runs.push_back({at + gap, count, adds});
            at += gap + count;
        }
        expected.insert(expected.end(), model.begin() + at, model.end());
        Fill(other, put);
        list.ExchangeRuns(runs, other);
        const std::string name = "round " + std::to_string(round);
        ExpectSame(list, expected, name);
        // The other list holds the old rows of the runs, in order: exchanged back, all is as it was.
        std::vector<ModelRow> old;
        std::vector<TRowStringList::TRunExchange> back;
        int shift = 0;
        for (const auto& run : runs) {
            old.insert(old.end(), original.begin() + run.Index, original.begin() + run.Index + run.Count);
            back.push_back({run.Index + shift, run.Put, run.Count});
            shift += run.Put - run.Count;
        }
        ExpectSame(other, old, name + ", the old rows");
        list.ExchangeRuns(back, other);
        ExpectSame(list, original, name + ", exchanged back");
        ExpectSame(other, put, name + ", the new rows again");
        // The list still takes ordinary edits.
        list.Insert(list.Count() / 2, "typed");
        model = original;
        model.insert(model.begin() + static_cast<int>(model.size()) / 2, ModelRow{"typed", "", 0, 0, 0});
        ExpectSame(list, model, name + ", edited");
    }
    // Runs out of order or past the end change nothing.
    TRowStringList list, other;
    Fill(list, Numbered(0, 10));
    Fill(other, Numbered(50, 2));
    const std::vector<TRowStringList::TRunExchange> bad[] = {
        {{5, 1, 1}, {2, 1, 1}}, {{9, 2, 2}}, {{0, 1, 1}}, {{0, 1, 3}}};
    for (const auto& runs : bad) {
        EXPECT_THROW(list.ExchangeRuns(runs, other), EListError);
        ExpectSame(list, Numbered(0, 10), "a refused exchange");
    }
}
