#pragma once

#include <algorithm>

// Sizing rules shared by the bars of the bar chart and the bands of the technology strip.
namespace BarSizing {

inline double clampedScale(double scale)
{
    return std::clamp(scale, 0.1, 1.0);
}

inline double clampedOpacity(double opacity)
{
    return std::clamp(opacity, 0.0, 1.0);
}

// The width of a bar in a column `column` pixels wide: `scale` of the column, kept within
// minWidth..maxWidth where the column allows it.
inline int barWidth(int column, double scale, int minWidth, int maxWidth)
{
    const int width = static_cast<int>(column * scale);
    if (width > maxWidth)
        return std::min(maxWidth, column);
    if (width < minWidth)
        return std::min(minWidth, column);
    return width;
}

} // namespace BarSizing
