// Long random scripts of edits, undos and redos on texts of thousands of rows (many row blocks),
// checked step by step against a plain string that holds the text: no byte is lost or doubled, the
// rows are laid out as wrapping the text from scratch lays them out, the line and offset answers agree
// with a walk over the rows, and undo and redo walk the history back and forth with the caret.

#include "editor/EditorScreenStrings.h"

#include "FakeEditorView.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <random>

using namespace qx;

namespace {

using Config = qx::test::WrapConfig;

void Configure(qx::test::ViewedText& t, const Config& c) { qx::test::ApplyWrapConfig(*t.rows, c); }

// Every line end as CR LF, as the store gives the text back.
std::string Normalized(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The text by a walk over the rows, and the character offset of each row start.
std::string WalkText(const TEditorScreenStrings& rows, std::vector<std::int64_t>* starts = nullptr)
{
    std::string text;
    for (int r = 0; r < rows.Count(); ++r) {
        if (starts) starts->push_back(static_cast<std::int64_t>(text.size()));
        text += rows.Get(r);
        if (rows.RowAttributes(r) == raEnd) text += "\r\n";
    }
    if (starts) starts->push_back(static_cast<std::int64_t>(text.size()));
    return text;
}

class Script {
public:
    explicit Script(unsigned seed) : rng(seed) {}

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n)(rng); }

    std::string Piece()
    {
        static const std::vector<std::string> pieces = {
            "a", "b", "word ", "\t", "\r\n", "\r", "\n", ",", ".", "(", std::string(1, '\0'), "\x1A",
            Utf8ToCp932("あ"), Utf8ToCp932("漢字"), Utf8ToCp932("「"), Utf8ToCp932("」"), Utf8ToCp932("、"),
            Utf8ToCp932("。"), Utf8ToCp932("ｱ"), "abcdefghijklmnopqrstuvwxyz", "\x82",  // a lone lead byte
        };
        return pieces[static_cast<std::size_t>(Pick(static_cast<int>(pieces.size()) - 1))];
    }

    std::string Text(int pieces)
    {
        std::string text;
        for (int i = 0; i < pieces; ++i) text += Piece();
        return text;
    }

    // About Lines lines of mixed length.
    std::string Lines(int lines)
    {
        std::string text;
        for (int i = 0; i < lines; ++i) {
            text += Text(Pick(4) == 0 ? Pick(30) : Pick(3));
            text += i % 3 == 0 ? "\n" : "\r\n";
        }
        return text;
    }

    std::mt19937 rng;
};

struct State {
    std::string text;
    std::vector<std::string> rows;  // text|attribute#marks
    int caretRow = 0, caretCol = 0;  // the caret before the edit that left this state
};

} // namespace

TEST(RowStoreModel, LongScriptsOnLargeTextsKeepEveryByteAndWalkTheHistory)
{
    const Config configs[] = {
        {"unwrapped", false, 80, false, false, false, false},
        {"wrap 20 with line-break rules", true, 20, false, true, true, true},
        {"wrap 23 with return mark", true, 23, true, false, false, false},
    };
    constexpr int B = TRowStringList::BlockRows;
    for (const Config& config : configs) {
        for (unsigned seed = 1; seed <= 1; ++seed) {
            Script s(seed * 7919u);
            qx::test::ViewedText t;
            TEditorScreenStrings& rows = *t.rows;
            Configure(t, config);
            rows.UndoObj().UndoListMax = 25;
            t.lines.SetText(s.Lines(3 * B));
            for (int r = 0; r < rows.Count(); r += 1 + s.Pick(40)) rows.SetRowMarks(r, 1 << s.Pick(15));

            std::vector<State> history{{WalkText(rows), qx::test::DumpRows(rows, true)}};
            std::size_t now = 0;  // history[now] is the text shown; later entries can be redone
            for (int step = 0; step < 120; ++step) {
                const std::string where = std::string(config.name) + " seed " + std::to_string(seed) + " step " +
                                          std::to_string(step);
                const int op = s.Pick(9);
                std::string what;
                if (op == 0 && rows.UndoObj().CanUndo()) {
                    const State& undone = history[now];
                    rows.Undo();
                    --now;
                    what = "undo";
                    ASSERT_EQ(t.view.CaretRow, undone.caretRow) << where;
                    ASSERT_EQ(t.view.CaretCol, undone.caretCol) << where;
                } else if (op == 1 && rows.UndoObj().CanRedo()) {
                    rows.Redo();
                    ++now;
                    what = "redo";
                } else {
                    const int count = rows.Count();
                    // Often at or next to a block boundary, sometimes many rows at once.
                    int row = s.Pick(count);
                    if (s.Pick(2) == 0 && count > B) row = std::min(count, B * s.Pick(count / B) + s.Pick(4) - 2);
                    row = std::max(row, 0);
                    const int most = std::min(count - row, s.Pick(6) == 0 ? 2 * B : 3);
                    const int rowCount = s.Pick(std::max(most, 0));
                    const std::string text = s.Pick(8) == 0 ? s.Lines(s.Pick(B + 40)) : s.Text(s.Pick(6));
                    if (rowCount == 0 && text.empty()) continue;

                    std::vector<std::int64_t> starts;
                    const std::string before = WalkText(rows, &starts);
                    const std::size_t from = static_cast<std::size_t>(starts[static_cast<std::size_t>(row)]);
                    const std::size_t to = static_cast<std::size_t>(starts[static_cast<std::size_t>(row + rowCount)]);
                    t.view.CaretRow = s.Pick(std::max(count - 1, 0));
                    t.view.CaretCol = s.Pick(3);
                    State next;
                    next.caretRow = t.view.CaretRow;
                    next.caretCol = t.view.CaretCol;
                    next.text = before.substr(0, from) + Normalized(text) + before.substr(to);
                    rows.UpdateText(row, rowCount, text);
                    what = "UpdateText(" + std::to_string(row) + ", " + std::to_string(rowCount) + ", " +
                           ::testing::PrintToString(text.substr(0, 60)) + ")";
                    next.rows = qx::test::DumpRows(rows, true);
                    history.resize(now + 1);
                    history.push_back(std::move(next));
                    ++now;
                    // What the undo list no longer holds can never be reached again.
                    if (history.size() > static_cast<std::size_t>(rows.UndoObj().UndoListMax) + 1) {
                        history.erase(history.begin());
                        --now;
                    }
                }

                const State& expected = history[now];
                ASSERT_EQ(WalkText(rows), expected.text) << where << " after " << what;
                ASSERT_EQ(qx::test::DumpRows(rows, true), expected.rows) << where << " after " << what;
                ASSERT_EQ(rows.UndoObj().UndoList.Count(), static_cast<int>(now)) << where;
                ASSERT_EQ(rows.UndoObj().RedoList.Count(), static_cast<int>(history.size() - 1 - now)) << where;
                // Every mark a row holds is in use.
                for (int r = 0; r < rows.Count(); ++r)
                    ASSERT_EQ(rows.RowMarks(r) & ~rows.GetMarksInUse(), 0) << where << " row " << r;

                if (step % 4 != 3) continue;
                // Laid out as the same text wrapped from scratch.
                qx::test::ViewedText fresh;
                Configure(fresh, config);
                fresh.lines.SetText(expected.text);
                ASSERT_EQ(qx::test::DumpRows(rows), qx::test::DumpRows(*fresh.rows)) << where << " after " << what;

                // Offsets and lines from the prefix sums, against the walk.
                std::vector<std::int64_t> starts;
                WalkText(rows, &starts);
                ASSERT_EQ(rows.TextLength(), starts.back()) << where;
                int line = 0;
                for (int r = 0; r <= rows.Count(); r += 1 + s.Pick(30)) {
                    ASSERT_EQ(rows.CharIndexOfRow(r), starts[static_cast<std::size_t>(r)]) << where << " row " << r;
                    if (r < rows.Count() && starts[static_cast<std::size_t>(r) + 1] > starts[static_cast<std::size_t>(r)]) {
                        ASSERT_EQ(rows.RowOfCharIndex(starts[static_cast<std::size_t>(r)]), r) << where << " row " << r;
                    }
                }
                for (int r = 0; r < rows.Count(); ++r) {
                    if (config.wrap && (r == 0 || rows.RowAttributes(r - 1) == raEnd)) {
                        ASSERT_EQ(rows.LineToRow(line), r) << where << " line " << line;
                        ASSERT_EQ(rows.RowToLine(r), line) << where << " row " << r;
                    }
                    if (rows.RowAttributes(r) == raEnd) ++line;
                }
                if (rows.Count() > 0 && rows.RowAttributes(rows.Count() - 1) != raEnd) ++line;
                ASSERT_EQ(rows.LineCount(), line) << where;
            }
        }
    }
}
