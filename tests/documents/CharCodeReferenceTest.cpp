// The converters against each other over every double-byte code JIS X 0208 rows reach, and against the
// outside tools: EUC output against iconv's CP932 -> EUC-JP, JIS output against nkf.

#include "documents/CharCodeConvert.h"
#include "platform/Cp932.h"
#include "support/Iconv.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using namespace qx;
using qx::test::Iconv;

namespace {

const std::string In = "\x1b$B", Out = "\x1b(B", Geta = "\x81\xAC";

// Every double-byte code with lead 0x81..0x9F or 0xE0..0xEF and a trail byte 0x40..0x7E, 0x80..0xFC.
std::vector<std::string> JisRangeCodes()
{
    std::vector<std::string> codes;
    for (unsigned lead = 0x81; lead <= 0xEF; ++lead) {
        if (lead == 0xA0) lead = 0xE0;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
            if (trail != 0x7F) codes.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    }
    return codes;
}

unsigned CodeOf(const std::string& s)
{
    return static_cast<unsigned char>(s[0]) << 8 | static_cast<unsigned char>(s[1]);
}

// nkf over `in`, through files in the test's temporary folder. The names carry the process id: ctest runs
// the tests of this program as parallel processes, which must not share the files.
std::string Nkf(const char* options, const std::string& in)
{
    const std::string stem = testing::TempDir() + "qx_nkf_" + std::to_string(getpid());
    const std::string inPath = stem + "_in", outPath = stem + "_out";
    std::ofstream(inPath, std::ios::binary) << in;
    const std::string command = std::string("nkf ") + options + " < '" + inPath + "' > '" + outPath + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << "nkf is needed (scripts/install-deps.sh installs it)";
    std::ifstream file(outPath, std::ios::binary);
    std::string out((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::remove(inPath.c_str());
    std::remove(outPath.c_str());
    return out;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Codes whose EUC form here is not iconv's EUC-JP by design: NEC row 13 and the NEC-selected IBM
// extensions keep their rows (13, 89..92) as Windows' EUC and eucJP-ms do, where iconv has no form or
// a JIS X 0212 one; and six characters that code page 932 maps to other Unicode characters than EUC-JP
// does (～ ∥ － ￠ ￡ ￢), which the arithmetic keeps in their JIS X 0208 places.
bool DeliberatelyNotIconv(unsigned code)
{
    const unsigned lead = code >> 8;
    if (lead == 0x87 || lead == 0xED || lead == 0xEE) return true;
    for (unsigned c : {0x8160u, 0x8161u, 0x817Cu, 0x8191u, 0x8192u, 0x81CAu})
        if (code == c) return true;
    return false;
}

// Leads 0xEB, 0xEC and 0xEF are no characters in code page 932, and their rows (85..88, 93..94) are the
// user area in JIS and EUC, where the user-defined characters live: they have no JIS or EUC form.
bool UserAreaRows(unsigned code)
{
    const unsigned lead = code >> 8;
    return lead == 0xEB || lead == 0xEC || lead == 0xEF;
}

} // namespace

TEST(CharCodeReference, EucAndJisRoundTripsAreIdentities)
{
    std::string all;
    for (const std::string& s : JisRangeCodes()) {
        std::size_t lost = 99;
        if (UserAreaRows(CodeOf(s))) {
            EXPECT_EQ(SjisToJis(s, &lost), In + "\"." + Out);
            EXPECT_EQ(lost, 1u);
            continue;
        }
        const std::string jis = SjisToJis(s, &lost);
        ASSERT_EQ(lost, 0u);
        EXPECT_EQ(JisToSjis(jis), s) << std::hex << CodeOf(s);
        all += s;
        const std::string euc = SjisToEuc(s, &lost);
        ASSERT_EQ(lost, 0u) << std::hex << CodeOf(s);
        ASSERT_EQ(euc.size(), 2u);
        EXPECT_EQ(EucToSjis(euc), s) << std::hex << CodeOf(s);
        // The two ways to JIS and to EUC agree.
        EXPECT_EQ(EucToJis(euc), jis);
        EXPECT_EQ(JisToEuc(jis), euc);
    }
    EXPECT_EQ(EucToSjis(SjisToEuc(all)), all);
    EXPECT_EQ(JisToSjis(SjisToJis(all)), all);
}

// Every code of the user-defined leads 0xF0..0xF9 and the undefined 0xEB, 0xEC, 0xEF on the way to EUC and
// JIS: the user-defined characters of 0xF0, 0xF1 and 0xF4 come back from the user area, laid out as
// eucJP-ms lays them out (iconv's EUC-JP-MS); the others are each one geta mark, counted as lost.
TEST(CharCodeReference, UserDefinedCharactersRoundTripThroughEuc)
{
    std::string kept, keptEuc;
    int lostCodes = 0;
    for (unsigned lead : {0xEBu, 0xECu, 0xEFu, 0xF0u, 0xF1u, 0xF2u, 0xF3u, 0xF4u, 0xF5u, 0xF6u, 0xF7u, 0xF8u, 0xF9u}) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const std::string s{static_cast<char>(lead), static_cast<char>(trail)};
            std::size_t lost = 99;
            const std::string euc = SjisToEuc(s, &lost);
            std::size_t jisLost = 99;
            const std::string jis = SjisToJis(s, &jisLost);
            ASSERT_EQ(jisLost, lost);
            ASSERT_EQ(jis, EucToJis(euc));
            if (lead == 0xF0 || lead == 0xF1 || lead == 0xF4) {
                ASSERT_EQ(lost, 0u) << std::hex << CodeOf(s);
                ASSERT_EQ(EucToSjis(euc, &lost), s) << std::hex << CodeOf(s);
                ASSERT_EQ(lost, 0u);
                ASSERT_EQ(JisToSjis(jis, &lost), s) << std::hex << CodeOf(s);
                ASSERT_EQ(lost, 0u);
                kept += s;
                keptEuc += euc;
            } else {
                ASSERT_EQ(euc, "\xA2\xAE") << std::hex << CodeOf(s);
                ASSERT_EQ(lost, 1u) << std::hex << CodeOf(s);
                ++lostCodes;
            }
        }
    }
    EXPECT_EQ(kept.size(), 3u * 188 * 2);
    EXPECT_EQ(lostCodes, 10 * 188);
    EXPECT_EQ(SjisToEuc(kept), keptEuc);
    EXPECT_EQ(keptEuc, qx::test::Iconv("EUC-JP-MS", "CP932", kept).value_or("iconv failed"));
    EXPECT_EQ(EucToSjis(keptEuc), kept);
}

TEST(CharCodeReference, EucEqualsIconvOnEveryDefinedCode)
{
    int compared = 0, deliberate = 0;
    std::string text, expected;
    for (const std::string& s : JisRangeCodes()) {
        const unsigned code = CodeOf(s);
        if (Cp932CodeToUnicode(code) < 0) continue;
        if (DeliberatelyNotIconv(code)) {
            ++deliberate;
            continue;
        }
        const auto euc = Iconv("EUC-JP", "CP932", s);
        ASSERT_TRUE(euc) << "iconv has no EUC-JP form of " << std::hex << code;
        EXPECT_EQ(SjisToEuc(s), *euc) << std::hex << code;
        text += s + "\r\n";
        ++compared;
    }
    EXPECT_GT(compared, 6800);
    EXPECT_EQ(deliberate, 83 + 374 + 6);  // NEC row 13, NEC-selected IBM extensions, the six
    // And as one text with line ends.
    EXPECT_EQ(SjisToEuc(text), Iconv("EUC-JP", "CP932", text).value_or("iconv failed"));
}

// (Except the undefined leads 0xEB, 0xEC and 0xEF, which nkf writes in the user area's rows.)
TEST(CharCodeReference, JisEqualsNkfOnEveryCodeAndOnKana)
{
    std::vector<std::string> lines;
    for (const std::string& s : JisRangeCodes())
        if (!UserAreaRows(CodeOf(s))) lines.push_back(s);
    // Every half-width kana alone and with each sound mark after it.
    for (unsigned k = 0xA1; k <= 0xDF; ++k)
        for (const char* marks : {"", "\xDE", "\xDF", "\xDE\xDF"})
            lines.push_back(std::string(1, static_cast<char>(k)) + marks);
    lines.push_back("ASCII " "\x82\xA0\x82\xA2" " and " "\xB6\xDE\xD7\xC3" " in one line");

    std::string text;
    for (const auto& line : lines) text += line + "\n";
    const std::vector<std::string> nkf = SplitLines(Nkf("-S -j", text));
    ASSERT_EQ(nkf.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(SjisToJis(lines[i]), nkf[i]) << testing::PrintToString(lines[i]);
}

// JIS and EUC hold the same codes: every two-byte code of JIS X 0208 and of JIS X 0212 reads the same from
// either (the user area, the NEC rows and the codes without a character included), and each writes the
// other's form of it. Of JIS X 0212, the characters that code page 932 holds come through.
TEST(CharCodeReference, JisAndEucReadEveryCodeAlike)
{
    int held = 0;
    for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            const std::string pair{static_cast<char>(j1), static_cast<char>(j2)};
            const std::string high{static_cast<char>(j1 | 0x80), static_cast<char>(j2 | 0x80)};
            for (const bool x0212 : {false, true}) {
                const std::string jis = (x0212 ? "\x1b$(D" : In) + pair + Out;
                const std::string euc = (x0212 ? "\x8F" : "") + high;
                std::size_t jisLost = 99, eucLost = 99;
                const std::string sjis = JisToSjis(jis, &jisLost);
                ASSERT_EQ(sjis, EucToSjis(euc, &eucLost)) << std::hex << j1 << j2 << " " << x0212;
                ASSERT_EQ(jisLost, eucLost);
                ASSERT_EQ(JisToEuc(jis, &jisLost), x0212 ? SjisToEuc(sjis) : euc) << std::hex << j1 << j2;
                ASSERT_EQ(EucToJis(euc, &eucLost), x0212 ? SjisToJis(sjis) : jis) << std::hex << j1 << j2;
                ASSERT_EQ(jisLost, eucLost);
                if (x0212 && eucLost == 0) ++held;
            }
        }
    }
    EXPECT_EQ(held, 281);
}

// JIS X 0212 against iconv: from EUC-JP, the characters that code page 932 holds come out as iconv's
// CP932 gives them and the others as one geta mark each, counted lost; from ISO-2022-JP-2 (ESC $ ( D)
// the same.
TEST(CharCodeReference, JisX0212AsIconvReadsIt)
{
    qx::test::TIconv toJis("ISO-2022-JP-2", "EUC-JP"), toCp932("CP932", "EUC-JP");
    int held = 0, lostCodes = 0;
    for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            const std::string euc{'\x8F', static_cast<char>(j1 | 0x80), static_cast<char>(j2 | 0x80)};
            const auto jis = toJis(euc);
            if (!jis) continue;  // no character
            const auto ref = toCp932(euc);
            std::size_t lost = 99;
            const std::string sjis = EucToSjis(euc, &lost);
            EXPECT_EQ(sjis, ref.value_or(Geta)) << std::hex << j1 << j2;
            EXPECT_EQ(lost, ref ? 0u : 1u);
            (ref ? held : lostCodes)++;
            if (jis->starts_with("\x1b$(D")) {
                EXPECT_EQ(JisToSjis(*jis, &lost), sjis) << std::hex << j1 << j2;
                EXPECT_EQ(lost, ref ? 0u : 1u);
            }
        }
    }
    EXPECT_EQ(held, 281);
    EXPECT_GT(lostCodes, 5700);
}

// Half-width katakana in JIS as nkf -j -x (ESC ( I) and iconv's ISO-2022-JP-3 write them, every kana
// alone and with each sound mark, between kanji and ASCII: read back, the text is the Shift-JIS it was
// made from.
TEST(CharCodeReference, JisKanaAsNkfAndIconvWriteThem)
{
    std::string text;
    for (unsigned k = 0xA1; k <= 0xDF; ++k)
        for (const char* marks : {"", "\xDE", "\xDF"})
            text += std::string(1, static_cast<char>(k)) + marks + "\x82\xAA" + (k % 3 ? "\n" : "a\n");
    const std::string nkf = Nkf("-S -j -x", text);
    const auto iconv = Iconv("ISO-2022-JP-3", "CP932", text);
    ASSERT_TRUE(iconv);
    for (const std::string& jis : {nkf, *iconv}) {
        ASSERT_NE(jis.find("\x1b(I"), std::string::npos);
        std::size_t lost = 99;
        EXPECT_EQ(JisToSjis(jis, &lost), text);
        EXPECT_EQ(lost, 0u);
        EXPECT_EQ(JisToEuc(jis, &lost), SjisToEuc(text));
        EXPECT_EQ(lost, 0u);
        EXPECT_EQ(DetectCharCode(jis), dcJis);
    }
}
