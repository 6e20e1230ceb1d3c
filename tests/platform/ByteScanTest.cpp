#include "platform/ByteScan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace qx;

namespace {

// The masks byte by byte, as the scans must give them.
std::uint64_t RangeMaskOneByOne(const std::string& bytes, unsigned char lo, unsigned char hi, unsigned char flip)
{
    std::uint64_t mask = 0;
    for (int i = 0; i < 64; ++i) {
        const auto b = static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)] ^ flip);
        if (b >= lo && b <= hi) mask |= std::uint64_t{1} << i;
    }
    return mask;
}

std::size_t AsciiPrefixOneByOne(const std::string& bytes, std::size_t width)
{
    std::size_t n = 0;
    while (n < width && static_cast<unsigned char>(bytes[n]) < 0x80) ++n;
    return n;
}

} // namespace

// Every byte value at every place of the block, against ranges at the ends of the byte values and the
// ones the converters use (one with flipped bits that joins the Shift-JIS lead bytes).
TEST(ByteScan, MasksAndPrefixesMatchTheBytesOneByOne)
{
    struct Range {
        unsigned char lo, hi, flip;
    };
    const Range ranges[] = {{0x00, 0x7F, 0}, {0x80, 0xFF, 0}, {0x00, 0x00, 0}, {0xFF, 0xFF, 0}, {0x01, 0xFE, 0},
                            {0x21, 0x7E, 0}, {0xA1, 0xFE, 0}, {0x8E, 0x8E, 0}, {0xA1, 0xDC, 0x20}};
    std::mt19937 random(3);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(64, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        // Each byte value once at a place that moves from round to round, and runs of plain bytes.
        bytes[static_cast<std::size_t>(round % 64)] = static_cast<char>(round % 256);
        if (round % 3 == 0)
            for (std::size_t i = 0; i < static_cast<std::size_t>(round % 64); ++i) bytes[i] = 'a';
        for (const Range& r : ranges)
            ASSERT_EQ(BytesInRange64(bytes.data(), r.lo, r.hi, r.flip), RangeMaskOneByOne(bytes, r.lo, r.hi, r.flip))
                << int(r.lo) << ".." << int(r.hi) << " round " << round;
        ASSERT_EQ(HighBytes64(bytes.data()), RangeMaskOneByOne(bytes, 0x80, 0xFF, 0)) << round;
        ASSERT_EQ(AsciiPrefix16(bytes.data()), AsciiPrefixOneByOne(bytes, 16)) << round;
        ASSERT_EQ(AsciiPrefix(bytes.data()), AsciiPrefixOneByOne(bytes, 8)) << round;
    }
}
