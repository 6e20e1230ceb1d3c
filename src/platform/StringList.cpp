#include "platform/StringList.h"

#include "platform/Exception.h"
#include "platform/LeadByte.h"

#include <algorithm>

namespace qx {

namespace {
unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
} // namespace

int CompareText(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    bool trail = false;  // the previous byte of a was a lead byte (both strings agree up to here)
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = a[i], cb = b[i];
        const unsigned char fa = trail ? ca : FoldAscii(ca);
        const unsigned char fb = trail ? cb : FoldAscii(cb);
        if (fa != fb) return fa < fb ? -1 : 1;
        trail = !trail && IsDBCSLeadByte(ca);
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

TStringList::TStringList(const TStringList& other) : TPersistent()
{
    FItems = other.FItems;
    FSorted = other.FSorted;
    FCaseSensitive = other.FCaseSensitive;
    FDuplicates = other.FDuplicates;
}

TStringList& TStringList::operator=(const TStringList& other)
{
    if (this != &other) Assign(other);
    return *this;
}

int TStringList::Compare(std::string_view a, std::string_view b) const
{
    if (FCaseSensitive) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    return CompareText(a, b);
}

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStringList::Changing()
{
    if (FUpdateCount == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed()
{
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TStringList::BeginUpdate()
{
    if (FUpdateCount == 0) Changing();
    ++FUpdateCount;
}

void TStringList::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0) Changed();
}

const std::string& TStringList::Strings(int index) const
{
    CheckIndex(index);
    return FItems[index];
}

void TStringList::Put(int index, const std::string& s)
{
    if (FSorted) throw EListError("Operation not allowed on sorted string list");
    CheckIndex(index);
    Changing();
    FItems[index] = s;
    Changed();
}

int TStringList::Add(const std::string& s)
{
    int index = Count();
    if (FSorted) {
        if (Find(s, index)) {
            switch (FDuplicates) {
            case TDuplicates::dupIgnore: return index;
            case TDuplicates::dupError: throw EListError("String list does not allow duplicates");
            case TDuplicates::dupAccept: break;
            }
        }
    }
    Changing();
    FItems.insert(FItems.begin() + index, s);
    Changed();
    return index;
}

void TStringList::Insert(int index, const std::string& s)
{
    if (FSorted) throw EListError("Operation not allowed on sorted string list");
    if (index < 0 || index > Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    Changing();
    FItems.insert(FItems.begin() + index, s);
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty()) return;
    Changing();
    FItems.clear();
    Changed();
}

void TStringList::Exchange(int a, int b)
{
    CheckIndex(a);
    CheckIndex(b);
    Changing();
    std::swap(FItems[a], FItems[b]);
    Changed();
}

void TStringList::Move(int from, int to)
{
    if (from == to) return;
    CheckIndex(from);
    CheckIndex(to);
    Changing();
    std::string s = std::move(FItems[from]);
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, std::move(s));
    Changed();
}

int TStringList::IndexOf(std::string_view s) const
{
    if (FSorted) {
        int index;
        return Find(s, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (Compare(FItems[i], s) == 0) return i;
    return -1;
}

bool TStringList::Find(std::string_view s, int& index) const
{
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = Compare(FItems[mid], s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (FDuplicates != TDuplicates::dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

void TStringList::Sort()
{
    Changing();
    std::stable_sort(FItems.begin(), FItems.end(),
                     [this](const std::string& a, const std::string& b) { return Compare(a, b) < 0; });
    Changed();
}

void TStringList::SetSorted(bool value)
{
    if (FSorted == value) return;
    if (value) Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value)
{
    if (FCaseSensitive == value) return;
    FCaseSensitive = value;
    if (FSorted) Sort();
}

std::string TStringList::Text() const
{
    std::size_t size = 0;
    for (const auto& s : FItems) size += s.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& s : FItems) {
        text += s;
        text += "\r\n";
    }
    return text;
}

void TStringList::SetText(std::string_view text)
{
    BeginUpdate();
    FItems.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = i;
        while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
        const std::string line(text.substr(i, j - i));
        if (FSorted) Add(line); else FItems.push_back(line);
        if (j < text.size() && text[j] == '\r') ++j;
        if (j < text.size() && text[j] == '\n') ++j;
        i = j;
    }
    EndUpdate();
}

void TStringList::Assign(const TStringList& source)
{
    if (&source == this) return;
    BeginUpdate();
    FItems.clear();
    if (FSorted) {
        for (const auto& s : source.FItems) Add(s);
    } else {
        FItems = source.FItems;
    }
    EndUpdate();
}

void TStringList::Assign(const TPersistent& Source)
{
    if (const auto* list = dynamic_cast<const TStringList*>(&Source)) Assign(*list);
    else TPersistent::Assign(Source);
}

void TStringList::AddStrings(const TStringList& source)
{
    const std::vector<std::string> items = source.FItems;  // source may be this list
    BeginUpdate();
    for (const auto& s : items) Add(s);
    EndUpdate();
}

} // namespace qx
