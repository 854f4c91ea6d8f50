#include "play/repeat_finder.h"

#include <QRandomGenerator>
#include <QTest>

#include <bit>

namespace {

// The rule as it reads: a text repeats when it occurs inside one added
// before it, texts being added one by one and repeats left out.
QList<bool> plainRepeats(const QStringList &texts)
{
    QList<bool> repeats;
    QString gathered;
    for (const QString &text : texts) {
        repeats.append(!gathered.isNull() && gathered.contains(text));
        if (!repeats.last())
            gathered += text + u'\n';
    }
    return repeats;
}

// Random texts of up to maxLength units, a third of them a part of an
// earlier text.
QStringList randomTexts(const QString &alphabet, int maxLength, quint32 seed)
{
    QRandomGenerator random(seed);
    QStringList texts;
    for (int i = 0; i < 1500; ++i) {
        QString text;
        for (int length = random.bounded(maxLength + 1); length > 0; --length)
            text += alphabet.at(random.bounded(alphabet.size()));
        if (i > 0 && random.bounded(3) == 0) {
            const QString &earlier = texts.at(random.bounded(i));
            text = earlier.mid(random.bounded(int(earlier.size()) + 1), text.size());
        }
        texts.append(text);
    }
    return texts;
}

// A Thue-Morse block of 2048 letters and its mirror image have the same
// polynomial fingerprint modulo 2^64 for every odd base, and so does any
// row of such blocks of the same count: all these texts look alike to the
// fingerprints and must still be told apart.
QStringList equalFingerprints()
{
    QString block;
    QString mirror;
    for (int i = 0; i < 2048; ++i) {
        const bool odd = std::popcount(unsigned(i)) % 2 == 1;
        block += odd ? u'b' : u'a';
        mirror += odd ? u'a' : u'b';
    }
    return {block + mirror + block, mirror + block + block, block + mirror, mirror + block + mirror, mirror + block + block};
}

} // namespace

class TestRepeatFinder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithPlainRule_data()
    {
        QTest::addColumn<QStringList>("texts");
        // Short texts over few letters repeat often; long ones over many
        // letters give a spread of lengths that sends the automatic search to
        // the automaton. Every code unit counts on its own, halves of surrogate
        // pairs too.
        const char16_t wide[] = {0x0000, 0x00ff, 0x0100, 0x20ac, 0xd83d, 0xde00, 0xffff};
        QTest::newRow("two letters") << randomTexts("ab", 7, 11);
        QTest::newRow("wide units") << randomTexts(QString::fromUtf16(wide, std::size(wide)), 9, 14);
        QTest::newRow("many lengths") << randomTexts("abcdefghij", 400, 13);
        QTest::newRow("equal fingerprints") << equalFingerprints();
    }

    void agreesWithPlainRule()
    {
        QFETCH(QStringList, texts);
        const QList<bool> expected = plainRepeats(texts);
        QVERIFY(expected.contains(true) && expected.contains(false));
        for (const RepeatSearch search : {RepeatSearch::Automatic, RepeatSearch::Fingerprints, RepeatSearch::Automaton})
            QCOMPARE(findRepeats(texts, search), expected);
    }
};

QTEST_GUILESS_MAIN(TestRepeatFinder)
#include "tst_repeat_finder.moc"
