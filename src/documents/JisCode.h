#pragma once
// JIS X 0208 arithmetic shared by the code converters and the character-information message: the byte
// classes of Shift-JIS and JIS double-byte characters and the published transforms between the two.

#include "platform/LeadByte.h"

#include <array>

namespace qx {

// One double-byte character, first (lead) byte first.
using TBytePair = std::array<unsigned char, 2>;

constexpr bool IsSjisLeadByte(unsigned char B) noexcept { return IsDBCSLeadByte(B); }
constexpr bool IsSjisTrailByte(unsigned char B) noexcept { return (B >= 0x40 && B <= 0x7E) || (B >= 0x80 && B <= 0xFC); }
constexpr bool IsSjisPair(unsigned char S1, unsigned char S2) noexcept { return IsSjisLeadByte(S1) && IsSjisTrailByte(S2); }

// A byte of a JIS X 0208 character in 7-bit form (both bytes 0x21..0x7E).
constexpr bool IsJisByte(unsigned char B) noexcept { return B >= 0x21 && B <= 0x7E; }
// The rows that hold characters (1-8, NEC row 13, 16-84).
constexpr bool IsJisFirstByte(unsigned char J1) noexcept
{
    return (J1 >= 0x21 && J1 <= 0x28) || J1 == 0x2D || (J1 >= 0x30 && J1 <= 0x74);
}
constexpr bool IsJisSecondByte(unsigned char J2) noexcept { return IsJisByte(J2); }
constexpr bool IsJisPair(unsigned char J1, unsigned char J2) noexcept { return IsJisFirstByte(J1) && IsJisSecondByte(J2); }

// JIS (J1, J2) to Shift-JIS; for J1, J2 in 0x21..0x7E the result is a Shift-JIS pair with lead 0x81..0x9F
// or 0xE0..0xEF. 8-bit arithmetic: other input gives some pair, never an error. (Written without
// branches: the converters run it for every character.)
constexpr TBytePair JisToSjisChar(unsigned char J1, unsigned char J2) noexcept
{
    // S1 = (J1 + 1) / 2 + 0x70 below row 0x5F, + 0xB0 from it; S2 = J2 + 0x1F (odd row, J2 < 0x60),
    // J2 + 0x20 (odd row, J2 >= 0x60), J2 + 0x7E (even row).
    const unsigned Odd = J1 & 1u;
    const unsigned S1 = (J1 + 1u) / 2 + 0x70 + (J1 >= 0x5F ? 0x40u : 0u);
    const unsigned S2 = J2 + 0x7Eu - Odd * 0x5F + (Odd & (J2 >= 0x60 ? 1u : 0u));
    return {static_cast<unsigned char>(S1), static_cast<unsigned char>(S2)};
}

// Shift-JIS (S1, S2) to JIS; the inverse of JisToSjisChar for leads 0x81..0x9F, 0xE0..0xEF and every trail
// byte. 8-bit arithmetic as above.
constexpr TBytePair SjisToJisChar(unsigned char S1, unsigned char S2) noexcept
{
    // B = S1 - 0x70 below 0xA0, S1 - 0xB0 from it; S2 < 0x9F: J1 = 2B - 1 and J2 = S2 - 0x1F (S2 < 0x80)
    // or S2 - 0x20; else J1 = 2B and J2 = S2 - 0x7E.
    const unsigned Even = S2 >= 0x9F ? 1u : 0u;
    const unsigned B = static_cast<unsigned char>(S1 - 0x70u - (S1 >= 0xA0 ? 0x40u : 0u));
    const unsigned J1 = 2 * B - 1 + Even;
    const unsigned J2 = S2 - 0x1Fu - (S2 >= 0x80 ? 1u : 0u) - Even * 0x5E;
    return {static_cast<unsigned char>(J1), static_cast<unsigned char>(J2)};
}

// The JIS code (J1 << 8 | J2) of a Shift-JIS pair, with no check of the rows; 0 when J1 falls outside
// 0x21..0x74 or J2 is 0.
constexpr unsigned SjisPairToJis(unsigned char S1, unsigned char S2) noexcept
{
    const TBytePair J = SjisToJisChar(S1, S2);
    if (J[0] < 0x21 || J[0] > 0x74 || J[1] == 0) return 0;
    return static_cast<unsigned>(J[0]) << 8 | J[1];
}

} // namespace qx
