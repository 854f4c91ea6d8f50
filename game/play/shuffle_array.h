#pragma once

#include <QStringList>

#include <optional>

class AppContext;
class Clock;

// A new list with the same elements in random order; items itself is not
// changed. Each index i in turn swaps with j = i + r * (last - i), r drawn
// uniformly from [0, 1) in single precision and the product rounded to the
// nearest index, halves to even. The rounding is part of the game's feel:
// the ends of each remaining range are drawn with half the weight of the
// indexes between them.
QStringList ShuffleArray(const QStringList &items, quint32 seed);

// The same, seeded from the clock on every call.
QStringList ShuffleArray(const QStringList &items, const Clock &clock);

// ShuffleArray as the window calls it: seeded from the program's clock and
// guarded by the error report, which names it as a function. Nothing is
// returned after a reported failure, so the caller keeps the game it has.
std::optional<QStringList> guardedShuffleArray(AppContext &context, const QStringList &items);
