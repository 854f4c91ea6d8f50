#pragma once

#include <QList>
#include <QStringList>

// The order a shuffle of count items takes them in, drawn from its seed:
// element i is the index of the item that ends at i. Each index i in turn
// swaps with j = i + r * (last - i), r drawn uniformly from [0, 1) in single
// precision and the product rounded to the nearest index, halves to even.
// The rounding is part of the game's feel: the ends of each remaining range
// are drawn with half the weight of the indexes between them. The same seed
// always gives the same order, which is how a saved game keeps its
// questions' order in four bytes.
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
