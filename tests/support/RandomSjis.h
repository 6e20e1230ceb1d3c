#pragma once
// Test helper: random Shift-JIS-like text for comparing a converter's fast paths with the plain way, as
// a list of pieces that each stand for themselves (no piece ends in a lead byte, so that joining them
// forms no new pair): ASCII runs of every length up to two words, pairs with leads of every class and
// trails valid and invalid, half-width katakana with and without a sound mark, the single bytes the
// code page leaves undefined, NUL and line ends.

#include <random>
#include <string>
#include <vector>

namespace qx::test {

inline std::vector<std::string> RandomSjisPieces(std::mt19937& random, int count)
{
    const auto pick = [&random](unsigned from, unsigned to) { return static_cast<char>(from + random() % (to - from + 1)); };
    const auto lead = [&]() -> char {
        switch (random() % 5) {
        case 0: return pick(0x81, 0x9F);
        case 1: return pick(0xE0, 0xEF);
        case 2: return pick(0xF0, 0xF9);  // user-defined area
        case 3: return pick(0xFA, 0xFC);  // IBM extensions
        default: return static_cast<char>(0x82 + random() % 2);  // kana, the most common
        }
    };
    std::vector<std::string> pieces;
    for (int i = 0; i < count; ++i) {
        std::string p;
        switch (random() % 8) {
        case 0: {  // ASCII run
            for (unsigned n = random() % 18; n > 0; --n) p += pick(0x20, 0x7E);
            break;
        }
        case 1: p = random() % 2 ? "\r\n" : std::string(1, random() % 2 ? '\0' : '\n'); break;
        case 2: p = {lead(), pick(0x40, 0x7E)}; break;
        case 3: case 4: p = {lead(), pick(0x80, 0xFC)}; break;
        case 5: {  // a lead byte followed by a byte that is no trail byte
            static const char notTrail[] = {'\x00', '\x0A', '\x20', '\x3F', '\x7F', '\xFD', '\xFE', '\xFF'};
            p = {lead(), notTrail[random() % sizeof notTrail]};
            break;
        }
        case 6: {  // half-width katakana, maybe with a sound mark
            p = {pick(0xA1, 0xDF)};
            if (random() % 3 == 0) p += random() % 2 ? '\xDE' : '\xDF';
            break;
        }
        default: {
            static const char undefinedSingle[] = {'\x80', '\xA0', '\xFD', '\xFE', '\xFF'};
            p = {undefinedSingle[random() % sizeof undefinedSingle]};
            break;
        }
        }
        pieces.push_back(std::move(p));
    }
    return pieces;
}

} // namespace qx::test
