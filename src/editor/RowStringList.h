#pragma once
// The editor's row container: a string list whose rows carry, besides the text, a lexer-state string
// and three 32-bit values. A text of two million rows must stay cheap, so a row is a fixed-size item of
// 32 bytes: two pointer-sized reference-counted strings (empty strings allocate nothing and share one
// representation, the null pointer) and the three words. Copying a row to another list (the row store,
// its undo buffer, temporary wrap lists) only bumps reference counts.

#include "platform/Object.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// An immutable, reference-counted byte string of pointer size. The count is not atomic: rows live on
// the one UI thread.
class TRowString {
public:
    TRowString() noexcept = default;
    TRowString(std::string_view s);  // implicit: rows are made from text
    TRowString(const TRowString& other) noexcept;
    TRowString(TRowString&& other) noexcept : FRep(other.FRep) { other.FRep = nullptr; }
    TRowString& operator=(const TRowString& other) noexcept;
    TRowString& operator=(TRowString&& other) noexcept;
    ~TRowString() { Release(); }

    std::string_view View() const noexcept;
    operator std::string_view() const noexcept { return View(); }
    std::string Str() const { return std::string(View()); }
    std::size_t size() const noexcept;
    bool empty() const noexcept { return FRep == nullptr; }

    friend bool operator==(const TRowString& a, const TRowString& b) noexcept
    {
        return a.FRep == b.FRep || a.View() == b.View();
    }

private:
    struct Rep;
    void Release() noexcept;
    Rep* FRep = nullptr;
};

// One row.
struct TRowStringItem {
    TRowString Str;        // the row text (Shift-JIS bytes, no line end)
    TRowString StateStr;   // the string part of the lexer state at the start of the row
    std::int32_t Data = 0; // a free value per row; editing operations copy it with the row
    std::uint32_t AttrWord = 0;  // packed row attribute and lexer state (TRowAttributeStringList)
    std::uint32_t MarkWord = 0;  // packed lexer flags and row marks (TRowAttributeStringList)
};

class TRowStringList : public TPersistent {
public:
    TRowStringList() = default;
    // Events are cleared first: nothing is announced while the list is destroyed.
    ~TRowStringList() override;
    TRowStringList(const TRowStringList&) = delete;
    TRowStringList& operator=(const TRowStringList&) = delete;

    // Fired before and after every change of the rows (not of the per-row values), unless an update
    // is in progress; a batch fires OnChanging once before and OnChange once after.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    int Count() const { return static_cast<int>(FList.size()); }
    int Capacity() const { return static_cast<int>(FList.capacity()); }
    // A capacity below Count raises EListError.
    void SetCapacity(int NewCapacity);

    // Every index outside 0..Count-1 raises EListError "List index out of bounds (%d)".
    std::string_view Get(int Index) const { return Item(Index).Str.View(); }
    std::string_view operator[](int Index) const { return Get(Index); }
    // Replaces the text only; the row's state, marks and data stay.
    void Put(int Index, std::string_view S);
    // Returns the new row's index (Count before the call).
    int Add(std::string_view S);
    // Index may be 0..Count. The new row is all zero: attribute 0, no state, no marks.
    void Insert(int Index, std::string_view S);
    void Delete(int Index);
    // Swaps the two whole rows (text, state string, data, both words).
    void Exchange(int Index1, int Index2);
    // Removes every row and releases the array; an empty list announces nothing.
    void Clear();

    // Whole rows, for moving rows between lists without losing any field. InsertItems takes Index
    // 0..Count; DeleteItems removes Count rows from Index (the whole range must exist). Each is one
    // change (one OnChanging, one OnChange) and moves the rows behind once, however many rows it takes.
    const TRowStringItem& Item(int Index) const;
    void PutItem(int Index, const TRowStringItem& Value);
    void InsertItems(int Index, std::span<const TRowStringItem> Items);
    void DeleteItems(int Index, int Count);
    // Replaces every row by Items, taking over their array (one change): a whole text laid out anew
    // never needs two arrays of its size besides the one being built.
    void AssignItems(std::vector<TRowStringItem>&& Items);

    // Per-row values; writing them announces nothing.
    std::string_view StateStr(int Index) const { return Item(Index).StateStr.View(); }
    void SetStateStr(int Index, std::string_view Value) { Ref(Index).StateStr = TRowString(Value); }
    std::int32_t Data(int Index) const { return Item(Index).Data; }
    void SetData(int Index, std::int32_t Value) { Ref(Index).Data = Value; }
    std::uint32_t AttrWord(int Index) const { return Item(Index).AttrWord; }
    void SetAttrWord(int Index, std::uint32_t Value) { Ref(Index).AttrWord = Value; }
    std::uint32_t MarkWord(int Index) const { return Item(Index).MarkWord; }
    void SetMarkWord(int Index, std::uint32_t Value) { Ref(Index).MarkWord = Value; }

    // The class library's update brackets: the outermost pair calls SetUpdateState.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    virtual void Changed();
    virtual void Changing();
    // True: OnChanging, then the list's update counter goes up; False: it goes down, then OnChange.
    virtual void SetUpdateState(bool Updating);
    TRowStringItem& Ref(int Index);
    void CheckIndex(int Index) const;

private:
    void Grow(std::size_t Needed);

    std::vector<TRowStringItem> FList;
    int FUpdateCount = 0;  // raised by SetUpdateState
    int FUpdateNest = 0;   // depth of BeginUpdate
};

} // namespace qx
