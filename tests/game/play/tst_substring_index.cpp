#include "play/substring_index.h"

#include <QRandomGenerator>
#include <QTest>

class TestSubstringIndex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void examples_data();
    void examples();
    void agreesWithPlainSearch_data();
    void agreesWithPlainSearch();
};

void TestSubstringIndex::examples_data()
{
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("found");

    QTest::newRow("nothing added, empty needle") << QStringList{} << QString() << false;
    QTest::newRow("empty text, empty needle") << QStringList{""} << QString() << true;
    QTest::newRow("nothing added") << QStringList{} << "a" << false;
    QTest::newRow("whole text") << QStringList{"BLANK POLE"} << "BLANK POLE" << true;
    QTest::newRow("longer than text") << QStringList{"BLANK POLE"} << "BLANK POLES" << false;
    QTest::newRow("inner part") << QStringList{"BLANK POLES"} << "K POL" << true;
    QTest::newRow("case counts") << QStringList{"BLANK POLE"} << "blank" << false;
    QTest::newRow("second text") << QStringList{"AB", "CD"} << "CD" << true;
    QTest::newRow("not across texts") << QStringList{"AB", "CD"} << "BC" << false;
    QTest::newRow("shared start") << QStringList{"ABCD", "ABX"} << "BX" << true;
    QTest::newRow("repeated unit") << QStringList{"aaaa"} << "aaaaa" << false;
    QTest::newRow("units beyond latin-1") << QStringList{QStringLiteral("\u20ac\uffff\u0000x")}
                                          << QStringLiteral("\uffff\u0000") << true;
}

void TestSubstringIndex::examples()
{
    QFETCH(QStringList, pieces);
    QFETCH(QString, needle);
    QFETCH(bool, found);

    SubstringIndex index;
    for (const QString &piece : pieces)
        index.add(piece);
    QCOMPARE(index.contains(needle), found);
}

void TestSubstringIndex::agreesWithPlainSearch_data()
{
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("maxText");

    // Small alphabets give long repeats, which is where the automaton's
    // splitting of states is exercised.
    QTest::newRow("two letters") << "ab" << 1u << 6;
    QTest::newRow("two letters, long texts") << "ab" << 2u << 40;
    QTest::newRow("question-like") << "BLANK _," << 4u << 25;
    // Every code unit counts on its own, halves of surrogate pairs too.
    const char16_t wide[] = {0x0000, 0x00ff, 0x0100, 0x20ac, 0xd83d, 0xde00, 0xffff};
    QTest::newRow("wide units") << QString::fromUtf16(wide, std::size(wide)) << 6u << 8;
}

void TestSubstringIndex::agreesWithPlainSearch()
{
    QFETCH(QString, alphabet);
    QFETCH(quint32, seed);
    QFETCH(int, maxText);

    QRandomGenerator random(seed);
    auto randomText = [&](int length) {
        QString text;
        for (int i = 0; i < length; ++i)
            text += alphabet.at(random.bounded(alphabet.size()));
        return text;
    };

    SubstringIndex index;
    QStringList texts;
    QString joined; // every text, side by side: needles cut from it may straddle two
    int hits = 0;
    int misses = 0;
    for (int round = 0; round < 300; ++round) {
        const QString text = randomText(random.bounded(0, maxText + 1));
        index.add(text);
        texts.append(text);
        joined += text;
        for (int query = 0; query < 20; ++query) {
            QString needle;
            if (query % 2 == 0 && !joined.isEmpty()) {
                needle = joined.mid(random.bounded(int(joined.size())), random.bounded(1, 2 * maxText));
                if (query % 4 == 0) // one unit changed: often still present, often not
                    needle[random.bounded(int(needle.size()))] = alphabet.at(random.bounded(alphabet.size()));
            } else {
                needle = randomText(random.bounded(1, 12));
            }
            const bool expected = std::any_of(texts.cbegin(), texts.cend(),
                                              [&](const QString &t) { return t.contains(needle); });
            if (index.contains(needle) != expected)
                QFAIL(qPrintable(QStringLiteral("round %1: \"%2\" expected %3").arg(round).arg(needle).arg(expected)));
            ++(expected ? hits : misses);
        }
    }
    QCOMPARE(index.count(), texts.size());
    // Both answers must have been asked for many times, or the check proves little.
    QVERIFY2(hits > 500 && misses > 500, qPrintable(QStringLiteral("%1 hits, %2 misses").arg(hits).arg(misses)));
}

QTEST_GUILESS_MAIN(TestSubstringIndex)
#include "tst_substring_index.moc"
