#include "play/shuffle_order.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

namespace {

// Uniform on [0, 1) with the 24 bits a float holds exactly, so that 1.0
// itself can never come out.
float drawUnit(std::mt19937 &generator)
{
    return float(generator() >> 8) * 0x1p-24f;
}

} // namespace

QList<int> shuffledOrder(qsizetype count, quint32 seed)
{
    std::mt19937 generator(seed);
    QList<int> shuffled(count);
    std::iota(shuffled.begin(), shuffled.end(), 0);
    const qsizetype last = count - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        // Single precision as the rule says; the clamp only matters for
        // lists too long for a float to count them.
        const float position = float(i) + drawUnit(generator) * float(last - i);
        const qsizetype j = std::clamp(qsizetype(std::nearbyint(position)), i, last); // halves to even
        shuffled.swapItemsAt(i, j);
    }
    return shuffled;
}
