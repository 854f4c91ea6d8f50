#include "fixed_clock.h"
#include "play/shuffle_array.h"
#include "test_context.h"

#include <QMap>
#include <QTest>

#include <algorithm>

namespace {

QStringList letters(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(QString(QChar(u'a' + i)));
    return list;
}

QStringList sorted(QStringList list)
{
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace

class TestShuffleArray : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void permutesAndKeepsInput_data();
    void permutesAndKeepsInput();
    void drawsFollowTheRoundedIndexRule();
    void seededFromTheClockOnEveryCall();
};

void TestShuffleArray::permutesAndKeepsInput_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::newRow("empty") << QStringList{};
    QTest::newRow("one") << QStringList{"SNOW,___ MAN"};
    QTest::newRow("repeats") << QStringList{"x", "y", "x", "x", "", "y"};
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many.append(QString::number(i % 997));
    QTest::newRow("many") << many;
}

void TestShuffleArray::permutesAndKeepsInput()
{
    QFETCH(QStringList, items);
    const QStringList before(items.cbegin(), items.cend()); // a deep copy, not a shared one
    for (quint32 seed = 1; seed <= 20; ++seed) {
        const QStringList shuffled = ShuffleArray(items, seed);
        QCOMPARE(items, before);
        QCOMPARE(sorted(shuffled), sorted(before));
    }
}

// Index i swaps with round(i + r * (last - i)): the two ends of each range
// are hit by half an interval of r each. For three items index 0 swaps with
// 0, 1, 2 at 1/4, 1/2, 1/4, then index 1 with 1 or 2 at 1/2 each.
void TestShuffleArray::drawsFollowTheRoundedIndexRule()
{
    const int trials = 40000;
    QMap<QString, int> counts;
    for (quint32 seed = 0; seed < trials; ++seed)
        ++counts[ShuffleArray(letters(3), seed).join(QString())];
    const QMap<QString, int> eighths{{"abc", 1}, {"acb", 1}, {"bac", 2}, {"bca", 2}, {"cab", 1}, {"cba", 1}};
    for (auto it = eighths.cbegin(); it != eighths.cend(); ++it)
        QVERIFY2(qAbs(counts.value(it.key()) / double(trials) - it.value() / 8.0) < 0.01, qPrintable(it.key()));
}

void TestShuffleArray::seededFromTheClockOnEveryCall()
{
    TestContext test;
    const QStringList items = letters(20);
    const std::optional<QStringList> first = guardedShuffleArray(test.context(), items);
    QVERIFY(first.has_value());
    QCOMPARE(guardedShuffleArray(test.context(), items), first);
    test.clock().advance(1);
    const std::optional<QStringList> later = guardedShuffleArray(test.context(), items);
    QVERIFY(later.has_value() && *later != *first);
    QCOMPARE(*later, ShuffleArray(items, test.clock()));
    QVERIFY(test.logEntries().isEmpty());
}

QTEST_GUILESS_MAIN(TestShuffleArray)
#include "tst_shuffle_array.moc"
