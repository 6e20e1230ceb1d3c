// Random edits of wrapped and unwrapped texts checked against what the rules give from scratch.

#include "editor/EditorScreenStrings.h"

#include "FakeEditorView.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <random>

using namespace qx;

namespace {

using Rows = std::vector<std::string>;

using Config = qx::test::WrapConfig;

const Config kConfigs[] = {
    {"unwrapped", false, 80, false, false, false, false},
    {"wrap 20", true, 20, false, false, false, false},
    {"wrap 20 with line-break rules", true, 20, false, true, true, true},
    {"wrap 21 with return mark and word break", true, 21, true, false, false, true},
};

Rows Dump(const TRowAttributeStringList& list) { return qx::test::DumpRows(list, true); }
Rows DumpWithoutMarks(const TRowAttributeStringList& list) { return qx::test::DumpRows(list); }

// A text with the wrap settings of a configuration and an undo buffer that keeps everything.
struct Store : qx::test::ViewedText {
    explicit Store(const Config& c)
    {
        rows->UndoObj().UndoListMax = 1000;
        qx::test::ApplyWrapConfig(*rows, c);
    }
};

std::string RandomText(std::mt19937& rng, int maxPieces)
{
    static const std::vector<std::string> pieces = {
        "a", "b", "c", "d", "e", " ", "\t", "\r\n", "\r", "\n", ",", ".", "(", ")", std::string(1, '\0'),
        Utf8ToCp932("あ"), Utf8ToCp932("漢"), Utf8ToCp932("「"), Utf8ToCp932("」"), Utf8ToCp932("、"),
        Utf8ToCp932("。"), Utf8ToCp932("ｱ"), "abcdefghij", "word ",
    };
    std::string text;
    const int n = std::uniform_int_distribution<int>(0, maxPieces)(rng);
    for (int i = 0; i < n; ++i) text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
    return text;
}

// The line and offset answers of the store against walks over its rows.
void CheckIndex(TEditorScreenStrings& rows, const std::string& where)
{
    const int count = rows.Count();
    std::int64_t chars = 0;
    int ends = 0;
    for (int r = 0; r <= count; ++r) {
        ASSERT_EQ(rows.CharIndexOfRow(r), chars) << where << " row " << r;
        if (rows.WordWrap()) {
            ASSERT_EQ(rows.RowToLine(r), ends) << where << " row " << r;
        }
        if (r == count) break;
        const int attribute = rows.RowAttributes(r);
        const std::int64_t rowChars = static_cast<std::int64_t>(rows.Get(r).size()) + (attribute == 0 ? 2 : 0);
        for (std::int64_t off : {chars, chars + rowChars - 1})
            if (rowChars > 0 && off >= chars) {
                ASSERT_EQ(rows.RowOfCharIndex(off), r) << where << " offset " << off;
            }
        chars += rowChars;
        if (attribute == 0) ++ends;
    }
    ASSERT_EQ(rows.TextLength(), chars) << where;
    ASSERT_EQ(rows.RowOfCharIndex(chars), count) << where;
    // Lines: a row of attribute 0 and the last row end a line.
    int line = 0;
    int lineStart = 0;
    for (int r = 0; r < count; ++r) {
        if (rows.RowAttributes(r) == 0 || r == count - 1) {
            if (rows.WordWrap()) {
                ASSERT_EQ(rows.LineToRow(line), lineStart) << where << " line " << line;
            }
            std::string text;
            for (int k = lineStart; k <= r; ++k) text += rows.Get(k);
            ASSERT_EQ(rows.WrapRowCount(text), rows.WordWrap() ? r - lineStart + 1 : 1) << where << " line " << line;
            ++line;
            lineStart = r + 1;
        }
    }
    ASSERT_EQ(rows.LineCount(), line) << where;
}

} // namespace

TEST(RowStoreOracle, RandomEditsEqualTheFinalTextWrappedFromScratchAndUndoRedoAll)
{
    for (const Config& config : kConfigs) {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            std::mt19937 rng(seed);
            Store s(config);
            TEditorScreenStrings& rows = *s.rows;
            s.lines.SetText(RandomText(rng, 60));
            for (int r = 0; r < rows.Count(); ++r)
                if (rng() % 4 == 0) rows.SetRowMarks(r, 1 << (rng() % 16));
            const Rows initial = Dump(rows);
            int edits = 0;
            for (int step = 0; step < 40; ++step) {
                const int count = rows.Count();
                const int row = std::uniform_int_distribution<int>(0, count)(rng);
                const int rowCount = std::uniform_int_distribution<int>(0, std::min(3, count - row))(rng);
                const std::string text = RandomText(rng, 8);
                if (rowCount == 0 && text.empty()) continue;
                s.view.CaretCol = static_cast<int>(rng() % 2);
                const Rows before = Dump(rows);
                rows.UpdateText(row, rowCount, text);
                ++edits;

                const std::string where = std::string(config.name) + " seed " + std::to_string(seed) + " step " +
                                          std::to_string(step);
                Store fresh(config);
                fresh.lines.SetText(rows.GetRowsText(0, rows.Count()).Text);
                ASSERT_EQ(DumpWithoutMarks(rows), DumpWithoutMarks(*fresh.rows))
                    << where << " UpdateText(" << row << ", " << rowCount << ", " << ::testing::PrintToString(text)
                    << ") on " << ::testing::PrintToString(before);
                CheckIndex(rows, where);
                if (::testing::Test::HasFatalFailure()) return;
            }
            const Rows final = Dump(rows);
            // Re-wrapping a whole text lays it out as wrapping its lines one by one does.
            Config unwrapped = config;
            unwrapped.wrap = false;
            Store rewrapped(unwrapped);
            rewrapped.lines.SetText(rows.GetRowsText(0, rows.Count()).Text);
            rewrapped.rows->SetWordWrap(config.wrap);
            ASSERT_EQ(DumpWithoutMarks(*rewrapped.rows), DumpWithoutMarks(rows)) << config.name << " seed " << seed;
            for (int i = 0; i < edits; ++i) rows.Undo();
            EXPECT_FALSE(rows.UndoObj().CanUndo());
            ASSERT_EQ(Dump(rows), initial) << config.name << " seed " << seed << " (undone)";
            for (int i = 0; i < edits; ++i) rows.Redo();
            EXPECT_FALSE(rows.UndoObj().CanRedo());
            ASSERT_EQ(Dump(rows), final) << config.name << " seed " << seed << " (redone)";
            CheckIndex(rows, "redone");
        }
    }
}
