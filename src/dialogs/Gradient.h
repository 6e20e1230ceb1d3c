#pragma once
// The bands of the gradient box: GradStep + 2 bands of one size from the start colour to the end colour
// along the box, the space the bands leave at the end painted in the end colour.

#include "platform/Color.h"

#include <vector>

namespace qx {

// Rounds to the nearest integer, halves to the even one.
int BankersRound(double value);

struct TGradBand {
    int Offset = 0;  // along the box: from the top (vertical bands) or the left (horizontal)
    int Size = 0;
    TColor Color = clBlack;
    bool operator==(const TGradBand&) const = default;
};

// The bands for a box `length` pixels long (its height for vertical bands, its width for horizontal).
// Bands may run past the end; a last band fills whatever space they leave.
std::vector<TGradBand> GradientBands(int length, int gradStep, TColor startColor, TColor endColor);

// The progress window's percentage: position / maximum × 100 rounded, within 0..100; 0 for a maximum of 0.
int ProgressPercent(int maximum, int position);

} // namespace qx
