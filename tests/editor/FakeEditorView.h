#pragma once
// A view for row-store tests: keeps a caret and a top row, and records what the store asks of it.

#include "editor/EditorScreen.h"
#include "editor/EditorScreenStrings.h"
#include "editor/EditorStrings.h"

#include <memory>

#include <string>
#include <vector>

namespace qx::test {

class FakeEditorView : public TEditorView {
public:
    TEditorScreenStrings* Store = nullptr;
    TEditorScreen Screen{*this};
    int CaretRow = 0;
    int CaretCol = 0;
    int Top = 0;
    int Visible = 20;
    bool HasFocus = false;
    bool IsLoading = false;
    TFountain* Fountain = nullptr;
    TLeftbarNumbers Numbers = TLeftbarNumbers::None;
    bool Imagebar = false;

    // Recorded calls.
    std::vector<std::string> Calls;
    std::vector<TEditorUpdateRange> Ranges;  // UpdateRange at each change notice
    std::vector<int> RepaintedRows;
    int Refreshes = 0;
    int Cleanings = 0;

    TEditorScreenStrings& ScreenStrings() override { return *Store; }
    int Row() const override { return CaretRow; }
    int Col() const override { return CaretCol; }
    void SetRow(int Row) override { CaretRow = Row; }
    void SetRowCol(int Row, int Col) override
    {
        CaretRow = Row;
        CaretCol = Col;
    }
    void CaretToOffset(int FromRow, std::int64_t Offset) override
    {
        Calls.push_back("CaretToOffset " + std::to_string(FromRow) + " " + std::to_string(Offset));
    }
    int TopRow() const override { return Top; }
    void SetTopRow(int Row) override { Top = Row; }
    int VisibleRows() const override { return Visible; }
    bool Focused() const override { return HasFocus; }
    bool Loading() const override { return IsLoading; }
    void CleanSelection() override { ++Cleanings; }
    void TextChanged(TEditorScreenStrings& Rows) override
    {
        Ranges.push_back(Rows.UpdateRange);
        Screen.Update(Rows);
    }
    void InvalidateRow(int Row) override { RepaintedRows.push_back(Row); }
    void RefreshView() override { ++Refreshes; }

    void InvalidateRows(int Row1, int Row2) override
    {
        Calls.push_back("InvalidateRows " + std::to_string(Row1) + " " + std::to_string(Row2));
    }
    void InvalidateTextArea() override { Calls.push_back("InvalidateTextArea"); }
    void ScrollTextRows(int FromRow, int Rows) override
    {
        Calls.push_back("ScrollTextRows " + std::to_string(FromRow) + " " + std::to_string(Rows));
    }
    void ScrollImagebarRows(int FromRow, int Rows) override
    {
        Calls.push_back("ScrollImagebarRows " + std::to_string(FromRow) + " " + std::to_string(Rows));
    }
    bool ImagebarVisible() const override { return Imagebar; }
    TLeftbarNumbers LeftbarNumbers() const override { return Numbers; }
    void InvalidateLeftbarRows(int Row1, int Row2) override
    {
        Calls.push_back("InvalidateLeftbarRows " + std::to_string(Row1) + " " + std::to_string(Row2));
    }
    TFountain* ActiveFountain() const override { return Fountain; }
};

// A row store shown by one fake view, with its logical lines.
struct ViewedText {
    std::shared_ptr<TEditorScreenStrings> rows = Construct<TEditorScreenStrings>();
    FakeEditorView view;
    TEditorStrings lines{view};

    // WrapByte above 0 switches word wrap on at that width.
    explicit ViewedText(int WrapByte = 0)
    {
        view.Store = rows.get();
        rows->AddView(&view);
        if (WrapByte > 0) {
            rows->WrapOption().SetWrapByte(WrapByte);
            rows->SetWordWrap(true);
        }
    }
    ~ViewedText() { rows->RemoveView(&view); }
    ViewedText(const ViewedText&) = delete;
    ViewedText& operator=(const ViewedText&) = delete;
    TEditorScreenStrings* operator->() { return rows.get(); }
};

// Wrap settings of a text, for tests that run under several of them.
struct WrapConfig {
    const char* name;
    bool wrap;
    int wrapByte;
    bool followRetMark, followPunctuation, leading, wordBreak;
};

inline void ApplyWrapConfig(TEditorScreenStrings& Rows, const WrapConfig& c)
{
    TEditorWrapOption& o = Rows.WrapOption();
    o.BeginUpdate();
    o.SetWrapByte(c.wrapByte);
    o.SetFollowRetMark(c.followRetMark);
    o.SetFollowPunctuation(c.followPunctuation);
    o.SetLeading(c.leading);
    o.SetWordBreak(c.wordBreak);
    o.EndUpdate();
    Rows.SetWordWrap(c.wrap);
}

// The rows as "text|attribute", with "#marks" for a row with marks when Marks is set.
inline std::vector<std::string> DumpRows(const TRowAttributeStringList& List, bool Marks = false)
{
    std::vector<std::string> out;
    for (int i = 0; i < List.Count(); ++i) {
        std::string row = std::string(List.Get(i)) + "|" + std::to_string(List.RowAttributes(i));
        if (Marks && List.RowMarks(i) != 0) row += "#" + std::to_string(List.RowMarks(i));
        out.push_back(row);
    }
    return out;
}

} // namespace qx::test
