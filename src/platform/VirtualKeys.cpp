#include "platform/VirtualKeys.h"

namespace qx {

namespace {

// Linux input key codes of the main block on the Japanese keyboard.
constexpr TKeyPair kPositions[] = {
    {2, '1'},  {3, '2'},  {4, '3'},  {5, '4'},  {6, '5'},  {7, '6'},  {8, '7'},  {9, '8'},  {10, '9'},
    {11, '0'}, {12, 0xBD}, {13, 0xDE}, {124, 0xDC},                                       // - ^ yen
    {16, 'Q'}, {17, 'W'}, {18, 'E'}, {19, 'R'}, {20, 'T'}, {21, 'Y'}, {22, 'U'}, {23, 'I'}, {24, 'O'},
    {25, 'P'}, {26, 0xC0}, {27, 0xDB},                                                    // @ [
    {30, 'A'}, {31, 'S'}, {32, 'D'}, {33, 'F'}, {34, 'G'}, {35, 'H'}, {36, 'J'}, {37, 'K'}, {38, 'L'},
    {39, 0xBB}, {40, 0xBA}, {43, 0xDD},                                                   // ; : ]
    {44, 'Z'}, {45, 'X'}, {46, 'C'}, {47, 'V'}, {48, 'B'}, {49, 'N'}, {50, 'M'},
    {51, 0xBC}, {52, 0xBE}, {53, 0xBF}, {89, 0xE2},                                       // , . / ro
};

// The characters of the Japanese keyboard's punctuation and shifted digit keys.
constexpr TKeyPair kCharacters[] = {
    {'!', '1'},   {'"', '2'},   {'#', '3'},   {'$', '4'},   {'%', '5'},   {'&', '6'},   {'\'', '7'},
    {'(', '8'},   {')', '9'},   {'-', 0xBD},  {'=', 0xBD},  {'^', 0xDE},  {'~', 0xDE},  {'\\', 0xDC},
    {'|', 0xDC},  {0xA5, 0xDC}, {'@', 0xC0},  {'`', 0xC0},  {'[', 0xDB},  {'{', 0xDB},  {';', 0xBB},
    {'+', 0xBB},  {':', 0xBA},  {'*', 0xBA},  {']', 0xDD},  {'}', 0xDD},  {',', 0xBC},  {'<', 0xBC},
    {'.', 0xBE},  {'>', 0xBE},  {'/', 0xBF},  {'?', 0xBF},  {'_', 0xE2},
};

} // namespace

int FindKey(std::span<const TKeyPair> table, int from)
{
    for (const TKeyPair& pair : table)
        if (pair.From == from) return pair.Key;
    return 0;
}

int VirtualKeyAtPosition(int inputKeyCode)
{
    return FindKey(kPositions, inputKeyCode);
}

int VirtualKeyOfCharacter(char32_t c)
{
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return static_cast<int>(c);
    if (c >= 'a' && c <= 'z') return static_cast<int>(c - 'a' + 'A');
    if (c > 0xFF) return 0;
    return FindKey(kCharacters, static_cast<int>(c));
}

} // namespace qx
