#include "editor/RowStringList.h"
#include "editor/RowTextArena.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace qx;

TEST(TBlockText, TextsCutFromOneArenaKeepTheirBytesThroughEveryEdit)
{
    // Texts cut one after the other from the same regions, each edited at random: growing at the top
    // of a region, growing where a later text blocks it (it moves), shrinking, replaced from its own
    // bytes, moved, freed and cut anew. Every text must read back like a plain string.
    std::mt19937 rng(5);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n)(rng); };
    TTextArena arena;
    std::vector<TBlockText> texts(40);
    std::vector<std::string> model(texts.size());
    std::size_t serial = 0;
    const auto fresh = [&](std::size_t length) {
        std::string s;
        for (std::size_t i = 0; i < length; ++i) s += static_cast<char>('a' + (serial + i) % 26);
        ++serial;
        return s;
    };
    for (int step = 0; step < 20000; ++step) {
        const std::size_t k = pick(texts.size() - 1);
        TBlockText& text = texts[k];
        std::string& want = model[k];
        switch (pick(6)) {
        case 0:
        case 1: { // append, into the arena (grows in place at the top, else moves)
            const std::string s = fresh(pick(3) == 0 ? pick(70000) : pick(300));
            text.Append(s, &arena);
            want += s;
            break;
        }
        case 2: { // append a piece of its own bytes
            if (want.empty()) break;
            const std::size_t from = pick(want.size() - 1), n = pick(want.size() - from);
            text.Append(text.View().substr(from, n), pick(1) ? &arena : nullptr);
            want += want.substr(from, n);
            break;
        }
        case 3: { // erase
            if (want.empty()) break;
            const std::size_t from = pick(want.size() - 1), n = pick(want.size() - from);
            text.Erase(from, n);
            want.erase(from, n);
            break;
        }
        case 4: { // replace, now and then from its own bytes
            const std::size_t at = pick(want.size()), n = pick(want.size() - at);
            std::string s = fresh(pick(200));
            if (!want.empty() && pick(2) == 0) {
                const std::size_t from = pick(want.size() - 1);
                s = want.substr(from, pick(want.size() - from));
                text.Replace(at, n, text.View().substr(from, s.size()));
            } else {
                text.Replace(at, n, s);
            }
            want.replace(at, n, s);
            break;
        }
        case 5: { // handed to another slot; the old one starts afresh
            const std::size_t other = pick(texts.size() - 1);
            if (other == k) break;
            texts[other] = std::move(text);
            model[other] = std::move(want);
            text = TBlockText();
            want.clear();
            break;
        }
        default: // freed
            text = TBlockText();
            want.clear();
            break;
        }
        ASSERT_EQ(text.View(), want) << "step " << step;
        if (step % 500 == 0) {
            for (std::size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(texts[i].View(), model[i]) << "step " << step;
        }
    }
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i].View(), model[i]);
}

TEST(TRowStringList, RegionsGoBackWhenNoRowUsesThem)
{
    // Bulk appends cut the rows' texts from large regions (huge-page ones past a few megabytes). Edits
    // that move blocks to heap buffers, rows handed to another list, deletions and clearing must give
    // every region back once no row uses it, and a list that goes gives back the rest.
    const std::size_t before = TTextArena::RegionBytes();
    const std::string row(100, 'r');
    const int rows = 60000; // about 6 MB
    for (int round = 0; round < 3; ++round) {
        {
            TRowStringList list;
            for (int i = 0; i < rows; ++i) list.Add(row + std::to_string(i));
            EXPECT_GT(TTextArena::RegionBytes(), before + std::size_t{4 << 20});
            for (int i = 0; i < rows; i += 997) list.Put(i, row + row);
            TRowStringList other;
            other.AssignItems(list);
            for (int i = 0; i < 1000; ++i) list.Add(row); // a new arena for the emptied list
            other.DeleteItems(0, rows / 2);
            ASSERT_EQ(other.Count(), rows - rows / 2);
            EXPECT_EQ(other.Get(1), row + std::to_string(rows / 2 + 1));
            EXPECT_EQ(list.Get(999), row);
            if (round == 1) {
                other.Clear();
                list.Clear();
                EXPECT_EQ(TTextArena::RegionBytes(), before);
            }
        }
        EXPECT_EQ(TTextArena::RegionBytes(), before) << "round " << round;
    }
}

TEST(TRowStringList, ABlockThatBeginsWithABlankRowStillTakesItsTextFromTheRegions)
{
    // Prose has blank lines between its paragraphs, so many blocks of a load begin with an empty row,
    // which gives the block no text yet: the rows after it must still go into the regions, not into a
    // heap buffer grown again and again (a fault and a copy at every step).
    for (const int blankEvery : {TRowStringList::BlockRows, 7, 1}) {
        const std::size_t before = TTextArena::RegionBytes();
        TRowStringList list;
        const std::string row(100, 'r');
        const int rows = 60000;
        for (int i = 0; i < rows; ++i) list.Add(i % blankEvery == 0 ? std::string() : row);
        const std::size_t text = static_cast<std::size_t>(rows - (rows + blankEvery - 1) / blankEvery) * row.size();
        EXPECT_GE(TTextArena::RegionBytes() - before, text * 9 / 10) << "a blank row every " << blankEvery;
        for (const int i : {0, 1, TRowStringList::BlockRows, rows - 1})
            EXPECT_EQ(list.Get(i), i % blankEvery == 0 ? std::string() : row) << i;
    }
}
