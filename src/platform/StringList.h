#pragma once
// TStringList: the class library's list of byte strings (Shift-JIS text), optionally sorted.
// Comparison ignores the case of single-byte ASCII letters unless CaseSensitive is set; trail bytes of
// double-byte characters are compared as they are.

#include "platform/Object.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx {

enum class TDuplicates { dupIgnore, dupAccept, dupError };

// ASCII-case-insensitive comparison that steps over double-byte characters.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

class TStringList : public TPersistent {
public:
    TStringList() = default;
    TStringList(const TStringList& other);
    TStringList& operator=(const TStringList& other);

    int Count() const { return static_cast<int>(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    // Index outside 0..Count-1 raises EListError.
    const std::string& Strings(int index) const;
    const std::string& operator[](int index) const { return Strings(index); }
    void Put(int index, const std::string& s);

    // Appends (or, when sorted, inserts in order); returns the index, or the existing index when a
    // duplicate is ignored. A duplicate with dupError raises EListError.
    int Add(const std::string& s);
    void Insert(int index, const std::string& s);   // not allowed on a sorted list
    void Delete(int index);
    void Clear();
    void Exchange(int a, int b);
    void Move(int from, int to);

    int IndexOf(std::string_view s) const;
    // Binary search of a sorted list: true when found; index = position found or insertion point.
    bool Find(std::string_view s, int& index) const;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);
    void Sort();

    // The lines joined, each followed by CR LF.
    std::string Text() const;
    // Replaces the contents by the lines of `text` (CR, LF and CR LF end a line; a final line end adds none).
    void SetText(std::string_view text);
    void Assign(const TStringList& source);
    // From another string list; any other source raises Exception, as TPersistent's does.
    void Assign(const TPersistent& Source) override;
    void AddStrings(const TStringList& source);
    const std::vector<std::string>& Items() const { return FItems; }

    void BeginUpdate();
    void EndUpdate();
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

private:
    int Compare(std::string_view a, std::string_view b) const;
    void CheckIndex(int index) const;
    void Changing();
    void Changed();

    std::vector<std::string> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = TDuplicates::dupAccept;
    int FUpdateCount = 0;
};

} // namespace qx
