#include "fixed_clock.h"
#include "play/shuffle_array.h"
#include "test_context.h"

#include <QTest>

#include <algorithm>

class TestShuffleArray : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void permutesAndKeepsInput()
    {
        for (const QStringList &items : {QStringList{}, QStringList{"SNOW,___ MAN"}, QStringList{"x", "y", "x", "x", "", "y"}}) {
            const QStringList before(items.cbegin(), items.cend()); // a deep copy, not a shared one
            for (quint32 seed = 1; seed <= 20; ++seed) {
                const QStringList shuffled = ShuffleArray(items, seed);
                QVERIFY(std::is_permutation(shuffled.cbegin(), shuffled.cend(), before.cbegin(), before.cend()));
                QCOMPARE(items, before);
            }
        }
    }

    // Index 0 of three swaps with round(r * 2): with itself or the last at 1/4
    // each, with the middle one at 1/2, where an even draw would give 1/3 each.
    void endsOfEachRangeDrawnHalfAsOften()
    {
        const int trials = 20000;
        QHash<QString, int> first;
        for (quint32 seed = 0; seed < trials; ++seed)
            ++first[ShuffleArray({"a", "b", "c"}, seed).first()];
        QVERIFY(qAbs(first.value("a") / double(trials) - 0.25) < 0.015);
        QVERIFY(qAbs(first.value("b") / double(trials) - 0.5) < 0.015);
    }

    void seededFromTheClockOnEveryCall()
    {
        TestContext test;
        const QStringList items{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"};
        const std::optional<Shuffle> first = guardedShuffle(test.context(), items.size());
        QVERIFY(first.has_value());
        QCOMPARE(guardedShuffle(test.context(), items.size())->order, first->order);
        test.clock().advance(1);
        const std::optional<Shuffle> later = guardedShuffle(test.context(), items.size());
        QVERIFY(later.has_value() && later->order != first->order);
        QCOMPARE(later->order, shuffledOrder(items.size(), later->seed));
        QCOMPARE(inOrder(items, later->order), ShuffleArray(items, test.clock()));
        QVERIFY(test.logEntries().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestShuffleArray)
#include "tst_shuffle_array.moc"
