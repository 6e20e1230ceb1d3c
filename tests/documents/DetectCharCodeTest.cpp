#include "documents/CharCodeConvert.h"
#include "support/Bytes.h"
#include "support/ExactBytes.h"

#include <gtest/gtest.h>

using namespace qx;
using qx::test::Bytes;
using qx::test::ExactBytes;

namespace {

struct DetectCase {
    const char* name;
    std::string text;
    int code;
};

std::string Padded(std::size_t at, std::string_view bytes, std::size_t total)
{
    std::string s(total, 'a');
    s.replace(at, bytes.size(), bytes);
    return s;
}

} // namespace

TEST(DetectCharCode, DecidesByTheFirstDecisiveByte)
{
    const DetectCase cases[] = {
        {"empty", "", dcAscii},
        {"one byte is never looked at", Bytes("01"), dcAscii},
        {"one high byte", Bytes("82"), dcAscii},
        {"ascii", "plain text\r\n", dcAscii},
        {"control byte", "a\x01" "b", dcBinary},
        {"NUL only as the last byte", std::string("abc\0", 4), dcAscii},
        {"FF", Bytes("41 FF 41"), dcBinary},
        {"tab, line ends, backspace, ESC are text", "a\tb\r\n\x08\x1b" "c", dcAscii},
        {"NUL past the head", Padded(599, std::string(1, '\0'), 700), dcBinary},
        {"NUL past the head after Shift-JIS", Padded(10, Bytes("82 A0"), 700).replace(599, 1, 1, '\0'), dcSjis},
        {"NUL in the head wins over Shift-JIS", Padded(10, Bytes("82 A0"), 700).replace(400, 1, 1, '\0'), dcBinary},
        {"JIS", "a\x1b$B$\"\x1b(B", dcJis},
        {"old JIS", "\x1b$@$\"\x1b(B", dcOldJis},
        {"JIS of half-width katakana only", "a\x1b(I12\x1b(B", dcJis},
        {"JIS X 0212 only", "\x1b$(D\"7\x1b(B", dcJis},
        {"long form of JIS X 0208", "\x1b$(B$\"\x1b(B", dcJis},
        {"other escapes decide nothing", "\x1b(J\x1b$(Q\x1b(Z", dcAscii},
        {"JIS before a high byte", "\x1b$B" + Bytes("82 A0"), dcJis},
        {"high byte before JIS", Bytes("82 A0") + "\x1b$B", dcSjis},
        {"ESC steps over the next byte", "\x1b" + Bytes("82 A0"), dcAscii},
        {"Shift-JIS lead 0x82", Bytes("82 A0"), dcSjis},
        {"EUC kana only", Bytes("8E B1 8E B2 8E B3"), dcEucOrSjis},
        {"0x8E with a Shift-JIS trail", Bytes("8E 40"), dcSjis},
        {"EUC hiragana only", Bytes("A4 A2 A4 A4"), dcEucOrSjis},
        {"EUC hiragana, then a kanji only EUC has", Bytes("A4 A2 A4 A4 B0 F1"), dcEuc},
        {"half-width kana then ASCII", Bytes("B1 41"), dcSjis},
        {"kana pair then a run holding an EUC-only byte", Bytes("B0 E0 C1 FD 41"), dcEuc},
        {"kana pair then a run holding a Shift-JIS-only byte", Bytes("B0 E0 C1 81 41"), dcSjis},
        {"run ends at a byte below 0x40", Bytes("B0 E0 C1 20 A4 A2"), dcEucOrSjis},
        {"lead 0xE0 with a low trail", Bytes("E0 40"), dcSjis},
        {"lead 0xF0 with 0xFE", Bytes("F0 FE"), dcEuc},
        {"lead 0xE5 with a high trail", Bytes("E5 E5"), dcEucOrSjis},
        {"0xFD", Bytes("41 FD 41"), dcEuc},
        {"0x80 and 0xA0 decide nothing", Bytes("80 A0 41"), dcAscii},
    };
    for (const auto& c : cases) EXPECT_EQ(DetectCharCode(c.text), c.code) << c.name;
}

TEST(DetectCharCode, NeverReadsPastTheEnd)
{
    // Every decisive byte at the very end, where a second byte would be read.
    for (const char* tail : {"1B", "1B 24", "8E", "B0", "B0 E0", "E0", "F0", "82", "FD"}) {
        const ExactBytes text("ab" + Bytes(tail));
        DetectCharCode(text);
        for (std::size_t n = 0; n <= text.view().size(); ++n) DetectCharCode(text.view().substr(0, n));
    }
    // The eight-byte ASCII scan near the end of texts of every small length.
    for (std::size_t n = 0; n < 40; ++n) {
        EXPECT_EQ(DetectCharCode(ExactBytes(std::string(n, 'x'))), dcAscii);
        EXPECT_EQ(DetectCharCode(ExactBytes(std::string(n, 'x') + Bytes("82 A0"))), dcSjis) << n;
        EXPECT_EQ(DetectCharCode(ExactBytes(std::string(n, 'x') + Bytes("82"))), dcAscii) << n;
    }
}
