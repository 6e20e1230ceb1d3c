// The code page 932 codec against the system's iconv on every code, its choice among duplicate codes,
// and its reads at the end of the input.

#include "platform/Cp932.h"
#include "platform/LeadByte.h"
#include "platform/Utf.h"
#include "support/Bytes.h"
#include "support/ExactBytes.h"
#include "support/Iconv.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

using namespace qx;
using qx::test::Bytes;
using qx::test::ExactBytes;

namespace {

// iconv's UTF-16 decoding of the whole of `in`; nothing when iconv rejects any of it.
std::optional<std::u16string> IconvDecode(std::string_view in)
{
    const auto out = qx::test::Iconv("UTF-16LE", "CP932", in);
    if (!out) return std::nullopt;
    std::u16string units(out->size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>((*out)[2 * i]) |
                                         static_cast<unsigned char>((*out)[2 * i + 1]) << 8);
    return units;
}

std::string CodeBytes(unsigned code)
{
    if (code < 0x100) return std::string(1, static_cast<char>(code));
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// Every code: the single bytes that are not lead bytes, and every lead with every trail byte.
std::vector<unsigned> AllCodes()
{
    std::vector<unsigned> codes;
    for (unsigned b = 0; b < 0x100; ++b)
        if (!IsDBCSLeadByte(static_cast<unsigned char>(b))) codes.push_back(b);
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
        if (IsDBCSLeadByte(static_cast<unsigned char>(lead)))
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
                if (trail != 0x7F) codes.push_back(lead << 8 | trail);
    return codes;
}

} // namespace

TEST(Cp932Reference, DecodingEqualsIconvOnEveryCode)
{
    int defined = 0;
    std::string text;
    std::u16string expected;
    for (unsigned code : AllCodes()) {
        const std::string bytes = CodeBytes(code);
        const auto ref = IconvDecode(bytes);
        const int ch = Cp932CodeToUnicode(code);
        if (ref && ref->size() == 1) {
            ++defined;
            EXPECT_EQ(ch, (*ref)[0]) << std::hex << code;
            EXPECT_EQ(Cp932ToUtf16(bytes), *ref) << std::hex << code;
            text += bytes;
            expected += *ref;
        } else if (code < 0x100) {
            // The single bytes iconv leaves undefined keep the values the original platform gave them.
            const std::map<unsigned, char16_t> own = {{0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};
            ASSERT_TRUE(own.count(code)) << std::hex << code;
            EXPECT_EQ(ch, own.at(code));
            EXPECT_EQ(Cp932ToUtf16(bytes), std::u16string(1, own.at(code)));
        } else {
            EXPECT_FALSE(ref) << "iconv gave more than one unit for " << std::hex << code;
            EXPECT_EQ(ch, -1) << std::hex << code;
            EXPECT_EQ(Cp932ToUtf16(bytes), std::u16string(1, kCp932Substitute)) << std::hex << code;
        }
    }
    EXPECT_EQ(defined, 128 + 63 + 7724 + 1880);  // ASCII, kana, double-byte characters, user-defined
    EXPECT_EQ(Cp932ToUtf16(text), expected);
    EXPECT_EQ(IconvDecode(text), expected);
}

TEST(Cp932Reference, EncodingPicksThePlatformsCodeAmongDuplicates)
{
    // Every character with its codes in ascending order.
    std::map<int, std::vector<unsigned>> codesOf;
    for (unsigned code : AllCodes()) {
        const int ch = Cp932CodeToUnicode(code);
        if (ch >= 0) codesOf[ch].push_back(code);
    }
    int duplicated = 0;
    for (const auto& [ch, codes] : codesOf) {
        // The lowest code, except that the NEC-selected IBM extensions lose to every other code.
        unsigned expected = codes.front();
        for (unsigned code : codes)
            if ((code >> 8) != 0xED && (code >> 8) != 0xEE) {
                expected = code;
                break;
            }
        if (codes.size() > 1) ++duplicated;
        EXPECT_EQ(UnicodeToCp932Code(static_cast<char32_t>(ch)), static_cast<int>(expected)) << std::hex << ch;
        std::size_t lost = 99;
        EXPECT_EQ(Utf16ToCp932(std::u16string(1, static_cast<char16_t>(ch)), &lost), CodeBytes(expected));
        EXPECT_EQ(lost, 0u);
    }
    EXPECT_EQ(duplicated, 396);  // NEC row 13 with row 2 and IBM, NEC-selected with IBM extensions

    // Spot checks of each kind.
    EXPECT_EQ(Utf16ToCp932(u"\u2252\u2160\u2170\uFFE2\u7E8A\u9AD9\u3231"),
              Bytes("81 E0 87 54 FA 40 81 CA FA 5C FB FC 87 8A"));  // ≒ Ⅰ ⅰ ￢ 纊 髙 ㈱
}

// Every character of the Basic Multilingual Plane encodes as iconv encodes it, the JIS standard's code
// points of Linux text (〜 − ‖ ¢ £ ¬ —) included, which decode to the code page's own characters; only
// ¥ and ‾, which iconv turns into '\\' and '~', stay without a code, and the characters of the single
// bytes that iconv leaves undefined have those bytes.
TEST(Cp932Reference, EncodingEqualsIconvOnEveryCharacter)
{
    const std::map<char16_t, unsigned> jisStandard = {{0x301C, 0x8160}, {0x2212, 0x817C}, {0x2016, 0x8161},
                                                      {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00AC, 0x81CA},
                                                      {0x2014, 0x815C}};
    qx::test::TIconv toCp932("CP932", "UTF-16LE");
    int encoded = 0, decodedOtherwise = 0;
    for (unsigned u = 1; u <= 0xFFFF; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) continue;
        const char16_t ch = static_cast<char16_t>(u);
        const std::string utf16le{static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        const auto ref = toCp932(utf16le);
        const int code = UnicodeToCp932Code(ch);
        if (u == 0x00A5 || u == 0x203E) {
            EXPECT_EQ(ref, std::string(u == 0x00A5 ? "\\" : "~"));
            EXPECT_EQ(code, -1);
            continue;
        }
        if (u == 0x0080 || (u >= 0xF8F0 && u <= 0xF8F3)) {  // the single bytes iconv leaves undefined
            EXPECT_FALSE(ref);
            EXPECT_EQ(Cp932CodeToUnicode(static_cast<unsigned>(code)), static_cast<int>(u));
            continue;
        }
        ASSERT_EQ(code >= 0, ref.has_value()) << std::hex << u;
        if (!ref) continue;
        ++encoded;
        EXPECT_EQ(CodeBytes(static_cast<unsigned>(code)), *ref) << std::hex << u;
        if (Cp932CodeToUnicode(static_cast<unsigned>(code)) != ch) {
            ++decodedOtherwise;
            EXPECT_EQ(jisStandard.count(ch), 1u) << std::hex << u;
        }
    }
    EXPECT_EQ(decodedOtherwise, 7);
    EXPECT_GT(encoded, 7900);

    // Each of the seven through every encoder, and the code page's character back from its code.
    for (const auto& [ch, code] : jisStandard) {
        const std::u16string units(1, ch);
        const std::string utf8 = Utf16ToUtf8(units);
        std::size_t lost = 99;
        EXPECT_EQ(Utf16ToCp932(units, &lost), CodeBytes(code)) << std::hex << unsigned(ch);
        EXPECT_EQ(lost, 0u);
        EXPECT_EQ(Utf8ToCp932(utf8, &lost), CodeBytes(code)) << std::hex << unsigned(ch);
        EXPECT_EQ(lost, 0u);
        EXPECT_EQ(Cp932ToUtf16(CodeBytes(code)), *IconvDecode(CodeBytes(code)));
        EXPECT_NE(Cp932ToUtf16(CodeBytes(code)), units);
    }
}

TEST(Cp932Reference, NothingReadsPastTheEnd)
{
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        const std::string b(1, static_cast<char>(lead));
        for (const std::string& s : {b, "a" + b, b + "\x40", b + "\x0A"}) {
            const ExactBytes exact(s);
            const std::u16string u = Cp932ToUtf16(exact);
            EXPECT_FALSE(u.empty());
            Cp932ToUtf8(exact);
        }
    }
    for (const std::string& s : {Bytes("E3"), Bytes("E3 81"), Bytes("F0 9F 98"), Bytes("C3"), Bytes("ED A0")})
        Utf8ToCp932(ExactBytes(s));
    for (const std::u16string& s : {std::u16string(1, char16_t(0xD800)), std::u16string(u"a\xD83D")}) {
        const std::vector<char16_t> exact(s.begin(), s.end());
        std::size_t lost = 0;
        EXPECT_EQ(Utf16ToCp932(std::u16string_view(exact.data(), exact.size()), &lost).back(), '?');
        EXPECT_EQ(lost, 1u);
    }
}
