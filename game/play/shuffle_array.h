#pragma once

#include "play/shuffle_order.h"

#include <QList>
#include <QStringList>

#include <optional>

class AppContext;
class Clock;

// A new list with the same elements in the order shuffledOrder draws from
// seed; items itself is not changed.
QStringList ShuffleArray(const QStringList &items, quint32 seed);

// The same, seeded from the clock on every call.
QStringList ShuffleArray(const QStringList &items, const Clock &clock);

// A shuffle of a game's questions: the seed it was drawn from and the
// order it gave.
struct Shuffle {
    quint32 seed = 0;
    QList<int> order;
};

// The shuffle as the game draws it: seeded from the program's clock and
// guarded by the error report, which names it ShuffleArray, a function.
// Nothing is returned after a reported failure, so the caller keeps the
// game it has.
std::optional<Shuffle> guardedShuffle(AppContext &context, qsizetype count);
