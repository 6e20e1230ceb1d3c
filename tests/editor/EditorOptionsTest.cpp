#include "editor/EditorOptions.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <functional>

using namespace qx;

namespace {

// Counts the OnChange announcements of an option object.
struct Announcements {
    int count = 0;
    explicit Announcements(TNotifyPersistent& object)
    {
        object.OnChange = [this](TObject*) { ++count; };
    }
};

} // namespace

TEST(EditorOptions, IntegerSettersClampAsDocumented)
{
    TEditorCaret caret;
    TEditorRuler ruler;
    TEditorLeftbar leftbar;
    TEditorMargin margin;
    TEditorImagebar imagebar;
    TEditorSpeed speed;
    struct Case {
        const char* name;
        std::function<void(int)> set;
        std::function<int()> get;
        std::vector<std::pair<int, int>> stored;  // value set -> value stored
    };
    const Case cases[] = {
        {"TabSpaceCount", [&](int v) { caret.SetTabSpaceCount(v); }, [&] { return caret.TabSpaceCount(); },
         {{5, 4}, {1, 2}, {12, 8}, {3, 2}, {7, 6}, {6, 6}, {-4, 2}}},
        {"GaugeRange", [&](int v) { ruler.SetGaugeRange(v); }, [&] { return ruler.GaugeRange(); },
         {{9, 8}, {20, 10}, {7, 8}, {10, 10}}},
        {"Column", [&](int v) { leftbar.SetColumn(v); }, [&] { return leftbar.Column(); }, {{0, 1}, {9, 8}, {5, 5}}},
        {"Leftbar.LeftMargin", [&](int v) { leftbar.SetLeftMargin(v); }, [&] { return leftbar.LeftMargin(); },
         {{-1, 0}, {101, 100}}},
        {"Leftbar.RightMargin", [&](int v) { leftbar.SetRightMargin(v); }, [&] { return leftbar.RightMargin(); },
         {{-1, 0}, {101, 100}}},
        {"Margin.Left", [&](int v) { margin.SetLeft(v); }, [&] { return margin.Left(); }, {{-3, 0}, {250, 100}}},
        {"Margin.Top", [&](int v) { margin.SetTop(v); }, [&] { return margin.Top(); }, {{-3, 0}, {250, 100}}},
        {"Margin.Character", [&](int v) { margin.SetCharacter(v); }, [&] { return margin.Character(); },
         {{-3, 0}, {250, 100}}},
        {"Margin.Line", [&](int v) { margin.SetLine(v); }, [&] { return margin.Line(); }, {{-3, 0}, {250, 100}}},
        {"DigitWidth", [&](int v) { imagebar.SetDigitWidth(v); }, [&] { return imagebar.DigitWidth(); },
         {{-1, 0}, {300, 100}}},
        {"MarkWidth", [&](int v) { imagebar.SetMarkWidth(v); }, [&] { return imagebar.MarkWidth(); },
         {{-1, 0}, {300, 100}}},
        {"CaretVerticalAc", [&](int v) { speed.SetCaretVerticalAc(v); }, [&] { return speed.CaretVerticalAc(); },
         {{0, 1}, {9, 4}, {3, 3}}},
        {"PageVerticalRange", [&](int v) { speed.SetPageVerticalRange(v); },
         [&] { return speed.PageVerticalRange(); }, {{0, 1}, {9, 4}}},
    };
    for (const auto& c : cases)
        for (const auto& [value, stored] : c.stored) {
            c.set(value);
            EXPECT_EQ(c.get(), stored) << c.name << " = " << value;
        }
}

TEST(EditorOptions, OnlyRealChangesAreAnnounced)
{
    TEditorCaret caret;
    Announcements a(caret);
    caret.SetTabSpaceCount(8);  // the default
    caret.SetTabSpaceCount(9);  // clamps to the stored 8
    caret.SetAutoIndent(true);
    caret.SetCursors(TEditorCursors());
    EXPECT_EQ(a.count, 0);
    caret.SetTabSpaceCount(4);
    caret.SetSelDragMode(dmManual);
    TEditorCursors cursors;
    cursors.InSelCursor = crDrag;
    caret.SetCursors(cursors);
    EXPECT_EQ(a.count, 3);
    EXPECT_EQ(caret.Cursors().InSelCursor, crDrag);

    TEditorRuler ruler;
    Announcements r(ruler);
    ruler.SetGaugeRange(11);
    ruler.SetBkColor(clSilver);
    EXPECT_EQ(r.count, 0);
}

TEST(EditorOptions, DefaultsAreTheDocumentedOnes)
{
    TEditorCaret caret;
    EXPECT_TRUE(caret.AutoCursor() && caret.AutoIndent() && caret.BackSpaceUnIndent() && caret.FreeCaret());
    EXPECT_TRUE(caret.RowSelect() && caret.SelMove());
    EXPECT_FALSE(caret.FreeRow() || caret.InTab() || caret.KeepCaret() || caret.LockScroll() || caret.NextLine());
    EXPECT_FALSE(caret.PrevSpaceIndent() || caret.SoftTab() || caret.TabIndent());
    EXPECT_EQ(caret.SelDragMode(), dmAutomatic);
    EXPECT_EQ(caret.Style(), csDefault);
    EXPECT_EQ(caret.TabSpaceCount(), 8);
    const TEditorCursors& c = caret.Cursors();
    EXPECT_EQ(c.DefaultCursor, -4);
    EXPECT_EQ(c.DragSelCursor, -12);
    EXPECT_EQ(c.DragSelCopyCursor, 1959);
    EXPECT_EQ(c.InSelCursor, 0);
    EXPECT_EQ(c.LeftMarginCursor, 1958);
    EXPECT_EQ(c.TopMarginCursor, 0);

    TEditorMargin margin;
    EXPECT_EQ(margin.Left(), 19);
    EXPECT_EQ(margin.Top(), 2);
    TEditorLeftbar leftbar;
    EXPECT_EQ(leftbar.Column(), 4);
    EXPECT_EQ(leftbar.LeftMargin(), 8);
    EXPECT_EQ(leftbar.RightMargin(), 4);
    EXPECT_TRUE(leftbar.ShowNumber() && leftbar.Edge());
    EXPECT_EQ(leftbar.BkColor(), clSilver);
    TEditorImagebar imagebar;
    EXPECT_TRUE(imagebar.Visible());
    EXPECT_EQ(imagebar.DigitWidth(), 8);
    TEditorMarks marks;
    EXPECT_EQ(marks.RetMark().Color(), clGray);
    EXPECT_FALSE(marks.Underline().Visible());
    TEditorSpeed speed;
    EXPECT_EQ(speed.PageVerticalRangeAc(), 2);
    EXPECT_FALSE(speed.InitBracketsFull());
}

TEST(EditorOptions, AssignCopiesWithOneAnnouncement)
{
    TEditorCaret caretSource, caret;
    caretSource.SetSoftTab(true);
    caretSource.SetTabSpaceCount(2);
    caretSource.SetStyle(csDos);
    Announcements c(caret);
    caret.Assign(caretSource);
    EXPECT_EQ(c.count, 1);
    EXPECT_TRUE(caret.SoftTab());
    EXPECT_EQ(caret.TabSpaceCount(), 2);
    EXPECT_EQ(caret.Style(), csDos);

    TEditorMarks marksSource, marks;
    marksSource.EofMark().SetVisible(true);
    marksSource.WrapMark().SetColor(clRed);
    marksSource.Underline().SetColor(clBlue);
    Announcements m(marks);
    marks.Assign(marksSource);
    EXPECT_EQ(m.count, 1);
    EXPECT_TRUE(marks.EofMark().Visible());
    EXPECT_EQ(marks.WrapMark().Color(), clRed);
    EXPECT_EQ(marks.Underline().Color(), clBlue);
    marks.HideMark().SetVisible(true);  // a held mark's change reaches the owner
    EXPECT_EQ(m.count, 2);

    // Assigning one leftbar to another leaves the target's MarkColor and ShowMark.
    TEditorLeftbar barSource, bar;
    barSource.SetMarkColor(clRed);
    barSource.SetShowMark(true);
    barSource.SetZeroLead(true);
    barSource.SetShowNumberMode(nmLine);
    bar.SetMarkColor(clGreen);
    Announcements b(bar);
    bar.Assign(barSource);
    EXPECT_EQ(b.count, 1);
    EXPECT_EQ(bar.MarkColor(), clGreen);
    EXPECT_FALSE(bar.ShowMark());
    EXPECT_TRUE(bar.ZeroLead());
    EXPECT_EQ(bar.ShowNumberMode(), nmLine);

    TEditorSpeed speedSource, speed;
    speedSource.SetInitBracketsFull(true);
    speedSource.SetCaretVerticalAc(4);
    speed.Assign(speedSource);
    EXPECT_TRUE(speed.InitBracketsFull());
    EXPECT_EQ(speed.CaretVerticalAc(), 4);

    // Another class: the class library's error.
    EXPECT_THROW(caret.Assign(bar), Exception);
}

TEST(TEditorViewInfo, StoresIntoItsOwnFountainAndHearsItsChanges)
{
    auto view = Construct<TEditorViewInfo>();
    Announcements a(*view);
    view->SetQuotation("\"ab");
    EXPECT_EQ(view->Quotation(), "\"");
    EXPECT_EQ(view->Fountain().Quotation(), "\"");
    view->SetQuotation("\"");  // unchanged: nothing announced
    view->SetQuotation2("");
    EXPECT_EQ(a.count, 1);

    // A full-width character keeps its lead byte only, which the parser ignores.
    view->SetQuotation2(Utf8ToCp932("「"));
    EXPECT_EQ(view->Quotation2(), Utf8ToCp932("「").substr(0, 1));

    a.count = 0;
    view->Fountain().SetMail(true);  // straight into the fountain
    view->Colors().Url().SetColor(clBlue);
    view->Brackets().AddBracket();
    EXPECT_EQ(a.count, 3);
    EXPECT_TRUE(view->Mail());
}

TEST(TEditorViewInfo, AssignCopiesEverySettingOnce)
{
    auto source = Construct<TEditorViewInfo>();
    source->SetCommenter("//");
    source->SetCommenter2("#");
    source->SetControlCode(true);
    source->SetFiles(true);
    source->SetHexPrefix("0x");
    source->SetMail(true);
    source->SetQuotation("'");
    source->SetQuotation2("\"");
    source->SetUrl(true);
    source->Colors().Comment().SetColor(clGreen);
    auto* pair = source->Brackets().AddBracket();
    pair->SetLeftBracket("/*");
    pair->SetRightBracket("*/");

    auto view = Construct<TEditorViewInfo>();
    Announcements a(*view);
    view->Assign(*source);
    EXPECT_EQ(a.count, 1);
    EXPECT_EQ(view->Commenter(), "//");
    EXPECT_EQ(view->Commenter2(), "#");
    EXPECT_TRUE(view->ControlCode() && view->Files() && view->Mail() && view->Url());
    EXPECT_EQ(view->HexPrefix(), "0x");
    EXPECT_EQ(view->Quotation(), "'");
    EXPECT_EQ(view->Quotation2(), "\"");
    EXPECT_EQ(view->Colors().Comment().Color(), clGreen);
    ASSERT_EQ(view->Brackets().Count(), 1);
    EXPECT_EQ(view->Brackets().BracketItems(0)->RightBracket(), "*/");
    // the copy has brackets of its own
    pair->SetRightBracket("--");
    EXPECT_EQ(view->Brackets().BracketItems(0)->RightBracket(), "*/");
}
