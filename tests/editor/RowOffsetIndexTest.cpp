#include "editor/RowOffsetIndex.h"

#include <gtest/gtest.h>

#include <random>

using namespace qx;

namespace {

// Rows as (characters, line ends) pairs, with an index over them.
struct Rows {
    std::vector<std::pair<int, int>> values;
    TRowOffsetIndex index{[this](int First, int Count, std::int64_t& Chars, int& LineEnds) {
        Chars = 0;
        LineEnds = 0;
        for (int row = First; row < First + Count; ++row) {
            Chars += values.at(static_cast<std::size_t>(row)).first;
            LineEnds += values.at(static_cast<std::size_t>(row)).second;
        }
    }};

    void Check(const std::string& where)
    {
        ASSERT_EQ(index.Count(), static_cast<int>(values.size())) << where;
        std::int64_t chars = 0;
        int ends = 0;
        for (int r = 0; r <= static_cast<int>(values.size()); ++r) {
            ASSERT_EQ(index.CharsBefore(r), chars) << where << " row " << r;
            ASSERT_EQ(index.LineEndsBefore(r), ends) << where << " row " << r;
            if (r == static_cast<int>(values.size())) break;
            const auto [c, e] = values[static_cast<std::size_t>(r)];
            if (c > 0) {
                ASSERT_EQ(index.RowOfChar(chars), r) << where;
                ASSERT_EQ(index.RowOfChar(chars + c - 1), r) << where;
            }
            if (e > 0) {
                ASSERT_EQ(index.RowOfLineEnd(ends), r) << where;
            }
            chars += c;
            ends += e;
        }
        ASSERT_EQ(index.TotalChars(), chars) << where;
        ASSERT_EQ(index.TotalLineEnds(), ends) << where;
        ASSERT_EQ(index.RowOfChar(chars), index.Count()) << where;
        ASSERT_EQ(index.RowOfLineEnd(ends), index.Count()) << where;
    }
};

} // namespace

TEST(TRowOffsetIndex, FollowsInsertsDeletesAndChangesAcrossBlocks)
{
    std::mt19937 rng(3);
    auto value = [&] {
        const int chars = rng() % 5 == 0 ? 0 : static_cast<int>(rng() % 90);
        return std::pair<int, int>(chars, rng() % 3 != 0 ? 1 : 0);
    };
    Rows rows;
    for (int i = 0; i < 1000; ++i) rows.values.push_back(value());
    rows.index.Rebuild(1000);
    rows.Check("built");
    for (int step = 0; step < 400; ++step) {
        const int count = static_cast<int>(rows.values.size());
        const int kind = static_cast<int>(rng() % 3);
        const int at = static_cast<int>(rng() % (count + 1));
        if (kind == 0) {  // insert a run, sometimes a long one
            const int n = static_cast<int>(rng() % 8 == 0 ? rng() % 300 : rng() % 4 + 1);
            std::vector<std::pair<int, int>> added;
            for (int i = 0; i < n; ++i) added.push_back(value());
            rows.values.insert(rows.values.begin() + at, added.begin(), added.end());
            rows.index.RowsInserted(at, n);
        } else if (kind == 1 && at < count) {  // delete a run
            const int n = std::min(count - at, static_cast<int>(rng() % 8 == 0 ? rng() % 300 : rng() % 4 + 1));
            rows.values.erase(rows.values.begin() + at, rows.values.begin() + at + n);
            rows.index.RowsDeleted(at, n);
        } else if (at < count) {  // change one row
            const auto old = rows.values[static_cast<std::size_t>(at)];
            rows.values[static_cast<std::size_t>(at)] = value();
            rows.index.RowChanged(at, old.first, old.second);
        }
        rows.Check("step " + std::to_string(step));
        if (::testing::Test::HasFatalFailure()) return;
    }
    // Down to nothing and up again.
    rows.index.RowsDeleted(0, static_cast<int>(rows.values.size()));
    rows.values.clear();
    rows.Check("emptied");
    rows.values.push_back({3, 1});
    rows.index.RowsInserted(0, 1);
    rows.Check("one row");
}
