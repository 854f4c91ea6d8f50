#pragma once

#include <QList>
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

// Where the same shuffle of count items takes them: element i is the index
// of the item that ends at i. A game keeps its order, so that a saved game
// can name its questions by their place in the file.
QList<int> shuffledOrder(qsizetype count, quint32 seed);

// items taken in order: element i is items[order[i]].
inline QStringList inOrder(const QStringList &items, const QList<int> &order)
{
    QStringList ordered;
    ordered.reserve(order.size());
    for (const int index : order)
        ordered.append(items.at(index));
    return ordered;
}

// shuffledOrder as the game calls it: seeded from the program's clock and
// guarded by the error report, which names it ShuffleArray, a function.
// Nothing is returned after a reported failure, so the caller keeps the
// game it has.
std::optional<QList<int>> guardedShuffledOrder(AppContext &context, qsizetype count);
