#include "dialogs/Gradient.h"

#include <algorithm>
#include <cmath>

namespace qx {

int BankersRound(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) result += 1.0;
    return static_cast<int>(result);
}

std::vector<TGradBand> GradientBands(int length, int gradStep, TColor startColor, TColor endColor)
{
    std::vector<TGradBand> bands;
    if (length <= 0) return bands;
    const int steps = std::max(gradStep, 0) + 1;
    const int size = std::max(BankersRound(static_cast<double>(length) / steps), 1);
    auto channel = [steps](int from, int to, int i) {
        return from + BankersRound(static_cast<double>(to - from) / steps * i);
    };
    int offset = 0;
    for (int i = 0; i <= steps; ++i, offset += size) {
        const TColor color = RGBColor(channel(GetRValue(startColor), GetRValue(endColor), i),
                                      channel(GetGValue(startColor), GetGValue(endColor), i),
                                      channel(GetBValue(startColor), GetBValue(endColor), i));
        bands.push_back({offset, size, color});
    }
    // Every pixel the bands leave gets the last colour, however little is left.
    if (offset < length) bands.push_back({offset, length - offset, bands.back().Color});
    return bands;
}

int ProgressPercent(int maximum, int position)
{
    if (maximum == 0) return 0;
    return std::clamp(BankersRound(static_cast<double>(position) / maximum * 100.0), 0, 100);
}

} // namespace qx
