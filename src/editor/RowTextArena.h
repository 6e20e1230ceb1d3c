#pragma once
// Memory for the texts of the row list's blocks. A file loaded into the editor is appended row by row
// into the last block; giving each new block its own small heap buffer made the load touch fresh
// memory in small pieces (a page fault every 4 KB, and a copy whenever a buffer was trimmed or grew).
// Instead, the blocks of a bulk append are cut one after the other from large regions (TTextArena):
// the block being filled grows in place at the top of its region, so every byte is copied in once and
// no room is left between blocks, and the large regions are asked for huge pages.
//
// A block's text (TBlockText) lives either in such a region or in a heap buffer of its own. Edits
// work in place while the text fits; a text that must grow where it cannot (not at the top of its
// region) moves to a heap buffer with room to spare, as a string would. A region counts the texts cut
// from it (and the arena while it still cuts from it) and is given back when the last one goes; a text
// given back at the top of its region returns its room for the next one.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qx {

struct TTextRegion;

class TTextArena {
public:
    TTextArena() = default;
    ~TTextArena();
    TTextArena(const TTextArena&) = delete;
    TTextArena& operator=(const TTextArena&) = delete;

    // Room for Size bytes at the top of the current region (a new region when it has too little),
    // starting at a multiple of Align; the caller's text owns it and may grow it in place while it
    // stays at the top.
    char* Take(std::size_t Size, TTextRegion*& Region, std::size_t Align = 1);
    // Gives back a piece that Take cut from Region (its room is taken again when it is the top).
    static void Return(TTextRegion* Region, const char* Piece, std::size_t Size) noexcept;
    // Lets go of the current region (it goes once the texts cut from it have gone).
    void Release();
    // The bytes of every region that is alive now, for tests and diagnostics.
    static std::size_t RegionBytes();

    // Regions grow from MinRegion to MaxRegion, doubling, each a mapping of its own. With HugePages,
    // those from HugeRegion on are mapped on huge-page boundaries and asked for huge pages; it is off:
    // where the kernel compacts memory for huge pages when they are asked for, opening a large file took
    // twice as long in half of the runs (see docs/benchmarks.md), and fresh small pages cost less at the
    // median. The editor benchmark turns it on to weigh both again.
    static constexpr std::size_t MinRegion = std::size_t{64} << 10;
    static constexpr std::size_t HugeRegion = std::size_t{2} << 20;
    static constexpr std::size_t MaxRegion = std::size_t{32} << 20;
    static inline bool HugePages = false;

private:
    TTextRegion* FCurrent = nullptr;
    std::size_t FNextSize = MinRegion;
};

// The bytes of one block's rows, end to end. Not copyable; moving hands the bytes over.
class TBlockText {
public:
    TBlockText() = default;
    ~TBlockText() { Free(); }
    TBlockText(TBlockText&& Other) noexcept;
    TBlockText& operator=(TBlockText&& Other) noexcept;
    TBlockText(const TBlockText&) = delete;
    TBlockText& operator=(const TBlockText&) = delete;

    const char* data() const { return FData; }
    std::size_t size() const { return FSize; }
    std::size_t capacity() const { return FCapacity; }
    std::string_view View() const { return {FData, FSize}; }
    // Whether the bytes lie in an arena's region (false: a heap buffer, or none yet).
    bool InArena() const { return FRegion != nullptr; }

    // Appends S (which may lie in this very text). An empty text takes its first room from Arena when
    // one is given; a text in a region grows in place while it is at the region's top.
    void Append(std::string_view S, TTextArena* Arena = nullptr);
    // Removes Count bytes at Pos, in place.
    void Erase(std::size_t Pos, std::size_t Count);
    // Replaces Count bytes at Pos by S (which may lie in this very text).
    void Replace(std::size_t Pos, std::size_t Count, std::string_view S);

private:
    // Makes room for Size bytes in all, keeping the text.
    void Reserve(std::size_t Size, TTextArena* Arena);
    void Free() noexcept;

    char* FData = nullptr;
    std::uint32_t FSize = 0;
    std::uint32_t FCapacity = 0;
    TTextRegion* FRegion = nullptr; // null: FData is a heap buffer (or null)
};

} // namespace qx
