#include "fixed_clock.h"
#include "play/shuffle_array.h"
#include "test_context.h"

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
    void drawsFollowTheRoundedIndexRule_data();
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

void TestShuffleArray::drawsFollowTheRoundedIndexRule_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("share"); // of the shuffles that start as the row's name

    // Index i swaps with round(i + r * (last - i)): the two ends of each
    // range are hit by half an interval of r each. For three items index 0
    // swaps with 0, 1, 2 at 1/4, 1/2, 1/4, then index 1 with 1 or 2 at 1/2.
    for (const char *start : {"abc", "acb", "cba", "cab"})
        QTest::newRow(start) << 3 << 0.125;
    QTest::newRow("bac") << 3 << 0.25;
    QTest::newRow("bca") << 3 << 0.25;
    // Nothing after the first swap moves index 0.
    QTest::newRow("a") << 5 << 0.125;
    QTest::newRow("c") << 5 << 0.25;
    QTest::newRow("e") << 5 << 0.125;
}

void TestShuffleArray::drawsFollowTheRoundedIndexRule()
{
    QFETCH(int, size);
    QFETCH(double, share);
    const QStringList items = letters(size);
    const int trials = 40000;
    int count = 0;
    for (quint32 seed = 0; seed < trials; ++seed)
        count += ShuffleArray(items, seed).join(QString()).startsWith(QLatin1String(QTest::currentDataTag()));
    QVERIFY2(qAbs(double(count) / trials - share) < 0.01, qPrintable(QString::number(double(count) / trials)));
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
