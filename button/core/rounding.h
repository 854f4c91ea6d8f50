#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

// Whole numbers are made by rounding to the nearest, halves to the even
// neighbour (12.5 gives 12, 13.5 gives 14), as everywhere in the button.
// Values beyond the target range are limited to it first, so a huge or
// non-finite input never becomes an undefined conversion; a value that is
// no number counts as 0 (limited to the range like any other).
template <typename Int = int>
Int roundHalfEven(double value, double low = double(std::numeric_limits<Int>::min()),
                  double high = double(std::numeric_limits<Int>::max()))
{
    if (std::isnan(value))
        value = 0;
    if (value <= low)
        return Int(low);
    if (value >= high)
        return Int(high);
    return Int(std::nearbyint(value)); // the default rounding mode rounds halves to even
}

// A stored size as the drawing reads it. Stored layouts and settings files
// keep what they read, so a size may lie far outside the range its setter
// keeps; the drawing limits it to that range, a value that is no number
// counting as 0.
inline double limitedSize(double value, double low, double high)
{
    return std::clamp(std::isnan(value) ? 0.0 : value, low, high);
}

// Positions and extents in pixels reach no further than this: beyond it they
// only draw outside any face, and sums and differences of such values still
// fit the integers of rectangle arithmetic.
constexpr double PixelLimit = 1 << 20;

inline int pixelCoordinate(double value) { return roundHalfEven(value, -PixelLimit, PixelLimit); }
