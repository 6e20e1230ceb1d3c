#include "editor/RowStringList.h"

#include "platform/Exception.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace qx {

static_assert(sizeof(TRowString) == sizeof(void*), "a row string is one pointer");
static_assert(sizeof(TRowStringItem) <= 32, "a row costs at most 32 bytes besides its text");

// The shared representation: a count, a length and the bytes, in one allocation.
struct TRowString::Rep {
    std::uint32_t Refs;
    std::uint32_t Length;
    char* Bytes() { return reinterpret_cast<char*>(this + 1); }
};

TRowString::TRowString(std::string_view s)
{
    if (s.empty()) return;
    if (s.size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("row too long");
    void* memory = std::malloc(sizeof(Rep) + s.size());
    if (!memory) throw std::bad_alloc();
    FRep = static_cast<Rep*>(memory);
    FRep->Refs = 1;
    FRep->Length = static_cast<std::uint32_t>(s.size());
    std::memcpy(FRep->Bytes(), s.data(), s.size());
}

TRowString::TRowString(const TRowString& other) noexcept : FRep(other.FRep)
{
    if (FRep) ++FRep->Refs;
}

TRowString& TRowString::operator=(const TRowString& other) noexcept
{
    if (other.FRep) ++other.FRep->Refs;  // first, so that self-assignment is safe
    Release();
    FRep = other.FRep;
    return *this;
}

TRowString& TRowString::operator=(TRowString&& other) noexcept
{
    if (this != &other) {
        Release();
        FRep = std::exchange(other.FRep, nullptr);
    }
    return *this;
}

void TRowString::Release() noexcept
{
    if (FRep && --FRep->Refs == 0) std::free(FRep);
    FRep = nullptr;
}

std::string_view TRowString::View() const noexcept
{
    return FRep ? std::string_view(FRep->Bytes(), FRep->Length) : std::string_view();
}

std::size_t TRowString::size() const noexcept { return FRep ? FRep->Length : 0; }

TRowStringList::~TRowStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
}

void TRowStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

const TRowStringItem& TRowStringList::Item(int Index) const
{
    CheckIndex(Index);
    return FList[static_cast<std::size_t>(Index)];
}

TRowStringItem& TRowStringList::Ref(int Index)
{
    CheckIndex(Index);
    return FList[static_cast<std::size_t>(Index)];
}

void TRowStringList::Changed()
{
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TRowStringList::Changing()
{
    if (FUpdateCount == 0 && OnChanging) OnChanging(this);
}

void TRowStringList::SetUpdateState(bool Updating)
{
    if (Updating) {
        Changing();
        ++FUpdateCount;
    } else {
        if (FUpdateCount > 0) --FUpdateCount;
        Changed();
    }
}

void TRowStringList::BeginUpdate()
{
    if (FUpdateNest++ == 0) SetUpdateState(true);
}

void TRowStringList::EndUpdate()
{
    if (FUpdateNest > 0 && --FUpdateNest == 0) SetUpdateState(false);
}

void TRowStringList::SetCapacity(int NewCapacity)
{
    if (NewCapacity < Count())
        throw EListError("List capacity out of bounds (" + std::to_string(NewCapacity) + ")");
    if (NewCapacity > Capacity()) {
        FList.reserve(static_cast<std::size_t>(NewCapacity));
    } else if (NewCapacity < Capacity()) {
        std::vector<TRowStringItem> smaller;
        smaller.reserve(static_cast<std::size_t>(NewCapacity));
        std::move(FList.begin(), FList.end(), std::back_inserter(smaller));
        FList.swap(smaller);
    }
}

// Small lists grow by 4, medium ones by 16, large ones by a quarter: few reallocations while a text
// is loaded row by row, and little slack on a text of millions of rows.
void TRowStringList::Grow(std::size_t Needed)
{
    std::size_t capacity = FList.capacity();
    if (Needed <= capacity) return;
    const std::size_t delta = capacity > 64 ? capacity / 4 : (capacity > 8 ? 16 : 4);
    capacity = std::max(capacity + delta, Needed);
    FList.reserve(capacity);
}

void TRowStringList::Put(int Index, std::string_view S)
{
    CheckIndex(Index);
    Changing();
    FList[static_cast<std::size_t>(Index)].Str = TRowString(S);
    Changed();
}

int TRowStringList::Add(std::string_view S)
{
    const int index = Count();
    Insert(index, S);
    return index;
}

void TRowStringList::Insert(int Index, std::string_view S)
{
    TRowStringItem item;
    item.Str = TRowString(S);
    InsertItems(Index, std::span<const TRowStringItem>(&item, 1));
}

void TRowStringList::Delete(int Index) { DeleteItems(Index, 1); }

void TRowStringList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
    Changed();
}

void TRowStringList::Clear()
{
    if (FList.empty()) return;
    Changing();
    std::vector<TRowStringItem>().swap(FList);
    Changed();
}

void TRowStringList::PutItem(int Index, const TRowStringItem& Value)
{
    CheckIndex(Index);
    Changing();
    FList[static_cast<std::size_t>(Index)] = Value;
    Changed();
}

void TRowStringList::InsertItems(int Index, std::span<const TRowStringItem> Items)
{
    if (Index < 0 || Index > Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    if (Items.empty()) return;
    const std::less<const TRowStringItem*> before;
    const TRowStringItem* own = FList.data();
    if (before(Items.data(), own + FList.size()) && before(own, Items.data() + Items.size())) {
        // Rows of this very list: copy them before the array moves.
        const std::vector<TRowStringItem> copy(Items.begin(), Items.end());
        InsertItems(Index, copy);
        return;
    }
    Changing();
    Grow(FList.size() + Items.size());
    FList.insert(FList.begin() + Index, Items.begin(), Items.end());
    Changed();
}

void TRowStringList::AssignItems(std::vector<TRowStringItem>&& Items)
{
    Changing();
    FList = std::move(Items);
    Items = {};
    Changed();
}

void TRowStringList::DeleteItems(int Index, int Count)
{
    if (Count <= 0) return;
    CheckIndex(Index);
    if (Count > this->Count() - Index)
        throw EListError("List index out of bounds (" + std::to_string(std::int64_t{Index} + Count - 1) + ")");
    Changing();
    FList.erase(FList.begin() + Index, FList.begin() + Index + Count);
    Changed();
}

} // namespace qx
