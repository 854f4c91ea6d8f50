#pragma once

#include <cmath>
#include <limits>

// Whole numbers are made by rounding to the nearest, halves to the even
// neighbour (12.5 gives 12, 13.5 gives 14), as everywhere in the button.
// Values beyond the target range are limited to it first, so a huge or
// non-finite input never becomes an undefined conversion.
template <typename Int = int>
Int roundHalfEven(double value, double low = double(std::numeric_limits<Int>::min()),
                  double high = double(std::numeric_limits<Int>::max()))
{
    if (std::isnan(value))
        return Int(0);
    if (value <= low)
        return Int(low);
    if (value >= high)
        return Int(high);
    return Int(std::nearbyint(value)); // the default rounding mode rounds halves to even
}
