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
    void drawsFollowTheRoundedIndexRule_data();
    void drawsFollowTheRoundedIndexRule();
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

void TestShuffleArray::drawsFollowTheRoundedIndexRule_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("start"); // of the shuffled list
    QTest::addColumn<double>("share"); // of the shuffles that start so

    // Index i swaps with round(i + r * (last - i)): the two ends of each
    // range are hit by half an interval of r each. For three items index 0
    // swaps with 0, 1, 2 at 1/4, 1/2, 1/4, then index 1 with 1 or 2 at 1/2.
    QTest::newRow("abc") << 3 << "abc" << 0.125;
    QTest::newRow("acb") << 3 << "acb" << 0.125;
    QTest::newRow("bac") << 3 << "bac" << 0.25;
    QTest::newRow("bca") << 3 << "bca" << 0.25;
    QTest::newRow("cba") << 3 << "cba" << 0.125;
    QTest::newRow("cab") << 3 << "cab" << 0.125;
    // Nothing after the first swap moves index 0.
    QTest::newRow("five, first end") << 5 << "a" << 0.125;
    QTest::newRow("five, middle") << 5 << "c" << 0.25;
    QTest::newRow("five, last end") << 5 << "e" << 0.125;
}

void TestShuffleArray::drawsFollowTheRoundedIndexRule()
{
    QFETCH(int, size);
    QFETCH(QString, start);
    QFETCH(double, share);

    const QStringList items = letters(size);
    int count = 0;
    for (quint32 seed = 0; seed < kTrials; ++seed)
        count += ShuffleArray(items, seed).join(QString()).startsWith(start);
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
