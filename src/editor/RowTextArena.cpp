#include "editor/RowTextArena.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include <sys/mman.h>

namespace qx {

// One large piece of memory that texts are cut from, bottom up.
struct TTextRegion {
    char* Base = nullptr;
    std::size_t Size = 0;
    std::size_t Used = 0;  // the top: everything above it is free
    std::size_t Refs = 0;  // texts cut from it, and the arena while it cuts from it

    char* Top() const { return Base + Used; }
};

namespace {

std::atomic<std::size_t> GRegionBytes{0};

TTextRegion* NewRegion(std::size_t Size)
{
    auto region = std::make_unique<TTextRegion>();
    region->Size = Size;
    // Every region is a mapping of its own, so that its memory goes back to the system with its last
    // text: from the C library's heap a closed document's regions would stay with the process.
    const bool huge = Size >= TTextArena::HugeRegion && TTextArena::HugePages;
    // A region for huge pages is mapped with a huge page's worth of slack, then trimmed to start on a
    // huge-page boundary, so that the kernel can back the whole region with huge pages (one fault per
    // 2 MB instead of one per 4 KB).
    const std::size_t align = huge ? TTextArena::HugeRegion : 0;
    void* raw = ::mmap(nullptr, Size + align, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = huge ? (start + align - 1) & ~(align - 1) : start;
    if (aligned > start) ::munmap(raw, aligned - start);
    const std::uintptr_t end = start + Size + align;
    if (end > aligned + Size) ::munmap(reinterpret_cast<void*>(aligned + Size), end - aligned - Size);
    region->Base = reinterpret_cast<char*>(aligned);
#ifdef MADV_HUGEPAGE
    if (huge) ::madvise(region->Base, Size, MADV_HUGEPAGE);  // advice only: without it the region still works
#endif
    GRegionBytes += Size;
    return region.release();
}

void Unref(TTextRegion* Region) noexcept
{
    if (--Region->Refs > 0) return;
    GRegionBytes -= Region->Size;
    ::munmap(Region->Base, Region->Size);
    delete Region;
}

bool Inside(const char* P, const char* Data, std::size_t Size)
{
    const std::less<const char*> less;
    return Data && !less(P, Data) && less(P, Data + Size);
}

} // namespace

// ---------------------------------------------------------------------------------------------------

TTextArena::~TTextArena() { Release(); }

std::size_t TTextArena::RegionBytes() { return GRegionBytes; }

void TTextArena::Release()
{
    if (FCurrent) Unref(std::exchange(FCurrent, nullptr));
}

char* TTextArena::Take(std::size_t Size, TTextRegion*& Region, std::size_t Align)
{
    const auto padding = [&] { return (Align - FCurrent->Used % Align) % Align; };
    if (!FCurrent || FCurrent->Size - FCurrent->Used < Size + padding()) {
        const std::size_t granule = MinRegion;
        const std::size_t size = std::max(FNextSize, (Size + granule - 1) / granule * granule);
        TTextRegion* region = NewRegion(size);
        region->Refs = 1;
        Release();
        FCurrent = region;
        FNextSize = std::min(FNextSize * 2, MaxRegion);
    }
    FCurrent->Used += padding();
    char* room = FCurrent->Top();
    FCurrent->Used += Size;
    ++FCurrent->Refs;
    Region = FCurrent;
    return room;
}

void TTextArena::Return(TTextRegion* Region, const char* Piece, std::size_t Size) noexcept
{
    if (Piece + Size == Region->Top()) Region->Used -= Size;
    Unref(Region);
}

// ---------------------------------------------------------------------------------------------------

TBlockText::TBlockText(TBlockText&& Other) noexcept
    : FData(std::exchange(Other.FData, nullptr)), FSize(std::exchange(Other.FSize, 0)),
      FCapacity(std::exchange(Other.FCapacity, 0)), FRegion(std::exchange(Other.FRegion, nullptr))
{
}

TBlockText& TBlockText::operator=(TBlockText&& Other) noexcept
{
    if (this != &Other) {
        Free();
        FData = std::exchange(Other.FData, nullptr);
        FSize = std::exchange(Other.FSize, 0);
        FCapacity = std::exchange(Other.FCapacity, 0);
        FRegion = std::exchange(Other.FRegion, nullptr);
    }
    return *this;
}

void TBlockText::Free() noexcept
{
    if (FRegion) {
        TTextArena::Return(FRegion, FData, FCapacity);
    } else {
        std::free(FData);
    }
    FData = nullptr;
    FCapacity = 0;
    FRegion = nullptr;
}

void TBlockText::Reserve(std::size_t Size, TTextArena* Arena)
{
    if (Size <= FCapacity) return;
    if (Size > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("row block too long");
    const auto size = static_cast<std::uint32_t>(Size);
    // At the top of its region: grow in place.
    if (FRegion && FData + FCapacity == FRegion->Top() && FRegion->Size - FRegion->Used >= Size - FCapacity) {
        FRegion->Used += Size - FCapacity;
        FCapacity = size;
        return;
    }
    char* room;
    TTextRegion* region = nullptr;
    std::uint32_t capacity = size;
    if (Arena && (FRegion || !FData)) {
        room = Arena->Take(Size, region);
    } else {
        // A heap buffer with room to spare, so that typing into the block does not move it each time.
        capacity = static_cast<std::uint32_t>(std::min<std::size_t>(Size + Size / 4 + 32, std::numeric_limits<std::uint32_t>::max()));
        room = static_cast<char*>(std::malloc(capacity));
        if (!room) throw std::bad_alloc();
    }
    if (FSize > 0) std::memcpy(room, FData, FSize);
    Free();
    FData = room;
    FCapacity = capacity;
    FRegion = region;
}

void TBlockText::Append(std::string_view S, TTextArena* Arena)
{
    if (S.empty()) return;
    const bool own = Inside(S.data(), FData, FSize);
    const std::size_t offset = own ? static_cast<std::size_t>(S.data() - FData) : 0;
    Reserve(std::size_t{FSize} + S.size(), Arena);
    std::memcpy(FData + FSize, own ? FData + offset : S.data(), S.size());
    FSize += static_cast<std::uint32_t>(S.size());
}

void TBlockText::Erase(std::size_t Pos, std::size_t Count)
{
    if (Count == 0) return;
    std::memmove(FData + Pos, FData + Pos + Count, FSize - Pos - Count);
    FSize -= static_cast<std::uint32_t>(Count);
}

void TBlockText::Replace(std::size_t Pos, std::size_t Count, std::string_view S)
{
    if (Inside(S.data(), FData, FSize)) {
        const std::string copy(S);  // the bytes move while they are written
        Replace(Pos, Count, copy);
        return;
    }
    const std::size_t size = std::size_t{FSize} - Count + S.size();
    if (size == 0 && !FData) return;
    Reserve(size, nullptr);
    std::memmove(FData + Pos + S.size(), FData + Pos + Count, FSize - Pos - Count);
    if (!S.empty()) std::memcpy(FData + Pos, S.data(), S.size());
    FSize = static_cast<std::uint32_t>(size);
}

} // namespace qx
