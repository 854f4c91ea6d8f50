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

constexpr int kTrials = 40000;

} // namespace

class TestShuffleArray : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsElementsAndInput_data();
    void keepsElementsAndInput();
    void endsOfRangeDrawnWithHalfWeight_data();
    void endsOfRangeDrawnWithHalfWeight();
    void orderFollowsTheIndexRule_data();
    void orderFollowsTheIndexRule();
    void seededFromTheClockOnEveryCall();
};

void TestShuffleArray::keepsElementsAndInput_data()
{
    QTest::addColumn<QStringList>("items");

    QTest::newRow("empty") << QStringList{};
    QTest::newRow("one") << QStringList{"SNOW,___ MAN"};
    QTest::newRow("two") << QStringList{"a", "b"};
    QTest::newRow("repeats") << QStringList{"x", "y", "x", "x", "", "y"};
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many.append(QString::number(i % 997));
    QTest::newRow("many") << many;
}

void TestShuffleArray::keepsElementsAndInput()
{
    QFETCH(QStringList, items);

    const QStringList before(items.cbegin(), items.cend()); // a deep copy, not a shared one
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QStringList shuffled = ShuffleArray(items, seed);
        QCOMPARE(items, before);
        std::sort(shuffled.begin(), shuffled.end());
        QStringList sorted = before;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(shuffled, sorted);
    }
    if (items.size() == 1)
        QCOMPARE(ShuffleArray(items, 7), items);
}

void TestShuffleArray::endsOfRangeDrawnWithHalfWeight_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<double>>("firstShare"); // how often each item ends up first

    QTest::newRow("two") << 2 << QList<double>{0.5, 0.5};
    QTest::newRow("three") << 3 << QList<double>{0.25, 0.5, 0.25};
    QTest::newRow("five") << 5 << QList<double>{0.125, 0.25, 0.25, 0.25, 0.125};
}

// The first index swaps with round(r * last): the two ends of the range are
// hit only by half an interval of r each, and nothing later moves index 0.
void TestShuffleArray::endsOfRangeDrawnWithHalfWeight()
{
    QFETCH(int, size);
    QFETCH(QList<double>, firstShare);

    const QStringList items = letters(size);
    QList<int> counts(size, 0);
    for (quint32 seed = 0; seed < kTrials; ++seed)
        ++counts[items.indexOf(ShuffleArray(items, seed).first())];
    for (int i = 0; i < size; ++i) {
        const double share = double(counts[i]) / kTrials;
        QVERIFY2(qAbs(share - firstShare[i]) < 0.01,
                 qPrintable(QStringLiteral("item %1 first in %2 of the shuffles").arg(i).arg(share)));
    }
}

void TestShuffleArray::orderFollowsTheIndexRule_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<double>("share");

    // Index 0 swaps with 0, 1, 2 at 1/4, 1/2, 1/4; index 1 then with 1 or 2 at 1/2 each.
    QTest::newRow("abc") << "abc" << 0.125;
    QTest::newRow("acb") << "acb" << 0.125;
    QTest::newRow("bac") << "bac" << 0.25;
    QTest::newRow("bca") << "bca" << 0.25;
    QTest::newRow("cba") << "cba" << 0.125;
    QTest::newRow("cab") << "cab" << 0.125;
}

void TestShuffleArray::orderFollowsTheIndexRule()
{
    QFETCH(QString, order);
    QFETCH(double, share);

    const QStringList items = letters(3);
    int count = 0;
    for (quint32 seed = 0; seed < kTrials; ++seed)
        count += ShuffleArray(items, seed).join(QString()) == order;
    QVERIFY2(qAbs(double(count) / kTrials - share) < 0.01, qPrintable(QString::number(double(count) / kTrials)));
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
    QVERIFY(later.has_value());
    QVERIFY(*later != *first);
    QCOMPARE(*later, ShuffleArray(items, test.clock()));
    QVERIFY(test.logEntries().isEmpty());
}

QTEST_GUILESS_MAIN(TestShuffleArray)
#include "tst_shuffle_array.moc"
