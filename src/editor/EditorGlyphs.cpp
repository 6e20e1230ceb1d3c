#include "editor/EditorGlyphs.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qx {

namespace {

// A glyph drawn as text: '#' a set pixel, one string a row, all rows of one width.
struct TGlyphArt {
    std::vector<std::uint16_t> Rows;
    TGlyph Glyph;

    TGlyphArt(std::initializer_list<std::string_view> Art)
    {
        int width = 0;
        for (std::string_view row : Art) {
            width = static_cast<int>(row.size());
            std::uint16_t bits = 0;
            for (char c : row) bits = static_cast<std::uint16_t>((bits << 1) | (c == '#' ? 1 : 0));
            Rows.push_back(bits);
        }
        Glyph = {width, static_cast<int>(Rows.size()), Rows.data()};
    }
};

const std::array<TGlyphArt, 10>& RulerDigits()
{
    static const std::array<TGlyphArt, 10> digits{{
        {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
        {".#.", "##.", ".#.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"},
        {".###.", "#...#", "....#", "....#", "...#.", "..#..", ".#...", "#....", "#####"},
        {".###.", "#...#", "....#", "....#", "..##.", "....#", "....#", "#...#", ".###."},
        {"...#.", "..##.", ".#.#.", ".#.#.", "#..#.", "#####", "...#.", "...#.", "...#."},
        {"#####", "#....", "#....", "####.", "....#", "....#", "....#", "#...#", ".###."},
        {".###.", "#...#", "#....", "#....", "####.", "#...#", "#...#", "#...#", ".###."},
        {"#####", "....#", "...#.", "...#.", "..#..", "..#..", ".#...", ".#...", ".#..."},
        {".###.", "#...#", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."},
        {".###.", "#...#", "#...#", "#...#", ".####", "....#", "....#", "#...#", ".###."},
    }};
    return digits;
}

const std::array<TGlyphArt, 6>& MarkShapes()
{
    static const std::array<TGlyphArt, 6> shapes{{
        // 10: a disc
        {"...#####...", ".#########.", ".#########.", "###########", "###########", "###########",
         "###########", "###########", ".#########.", ".#########.", "...#####..."},
        // 11: a square
        {"...........", ".#########.", ".#########.", ".#########.", ".#########.", ".#########.",
         ".#########.", ".#########.", ".#########.", ".#########.", "..........."},
        // 12: a triangle
        {".....#.....", ".....#.....", "....###....", "....###....", "...#####...", "...#####...",
         "..#######..", "..#######..", ".#########.", ".#########.", "###########"},
        // 13: a diamond
        {".....#.....", "....###....", "...#####...", "..#######..", ".#########.", "###########",
         ".#########.", "..#######..", "...#####...", "....###....", ".....#....."},
        // 14: a star
        {".....#.....", ".....#.....", "....###....", "###########", ".#########.", "..#######..",
         "...#####...", "..#######..", "..###.###..", ".##.....##.", ".#.......#."},
        // 15: a flag
        {"##.........", "########...", "##########.", "##########.", "########...", "##.........",
         "##.........", "##.........", "##.........", "##.........", "##........."},
    }};
    return shapes;
}

} // namespace

const TGlyph& RulerDigitGlyph(int Digit) { return RulerDigits()[static_cast<std::size_t>(Digit % 10)].Glyph; }

const TGlyph& RowMarkBoxGlyph()
{
    static const TGlyphArt box{".######.", "########", "########", "########", "########", "########",
                               "########", "########", "########", "########", ".######."};
    return box.Glyph;
}

TPoint RowMarkDigitOffset(int Mark)
{
    const int width = RulerDigitGlyph(Mark).Width;
    return {(RowMarkDigitWidth - width) / 2, 1};
}

const TGlyph& RowMarkGlyph(int Mark) { return MarkShapes()[static_cast<std::size_t>((Mark - 10) % 6)].Glyph; }

TColor RowMarkGlyphColor(int Mark)
{
    static constexpr std::array<TColor, 6> colors{0x0000C0, 0x008000, 0xC00000, 0x0080FF, 0x800080, 0x808000};
    return colors[static_cast<std::size_t>((Mark - 10) % 6)];
}

} // namespace qx
