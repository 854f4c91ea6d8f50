#include "play/repeat_finder.h"

#include <QRandomGenerator>
#include <QTest>

#include <bit>

Q_DECLARE_METATYPE(RepeatSearch)

namespace {

// The rule as it reads: a text repeats when it occurs inside one added
// before it, texts being added one by one and repeats left out.
QList<bool> plainRepeats(const QStringList &texts)
{
    QList<bool> repeats;
    QString gathered;
    for (const QString &text : texts) {
        const bool repeat = !gathered.isNull() && gathered.contains(text);
        repeats.append(repeat);
        if (!repeat)
            gathered += text + u'\n';
    }
    return repeats;
}

const RepeatSearch kSearches[] = {RepeatSearch::Automatic, RepeatSearch::Fingerprints, RepeatSearch::Automaton};
const char *const kSearchNames[] = {"automatic", "fingerprints", "automaton"};

} // namespace

class TestRepeatFinder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithPlainRule_data();
    void agreesWithPlainRule();
    void equalFingerprintsToldApart_data();
    void equalFingerprintsToldApart();
};

void TestRepeatFinder::agreesWithPlainRule_data()
{
    QTest::addColumn<RepeatSearch>("search");
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<quint32>("seed");

    // Short texts over few letters repeat often; long ones over many
    // letters give a spread of lengths that sends the automatic search to
    // the automaton. Every code unit counts on its own, halves of surrogate
    // pairs too.
    const char16_t wide[] = {0x0000, 0x00ff, 0x0100, 0x20ac, 0xd83d, 0xde00, 0xffff};
    for (int s = 0; s < 3; ++s) {
        QTest::addRow("two letters, %s", kSearchNames[s]) << kSearches[s] << "ab" << 7 << 11u;
        QTest::addRow("wide units, %s", kSearchNames[s])
            << kSearches[s] << QString::fromUtf16(wide, std::size(wide)) << 9 << 14u;
        QTest::addRow("question-like, %s", kSearchNames[s]) << kSearches[s] << "BLANK _," << 30 << 12u;
        QTest::addRow("many lengths, %s", kSearchNames[s]) << kSearches[s] << "abcdefghij" << 400 << 13u;
    }
}

void TestRepeatFinder::agreesWithPlainRule()
{
    QFETCH(RepeatSearch, search);
    QFETCH(QString, alphabet);
    QFETCH(int, maxLength);
    QFETCH(quint32, seed);

    QRandomGenerator random(seed);
    QStringList texts;
    for (int i = 0; i < 1500; ++i) {
        if (i > 0 && random.bounded(3) == 0) { // a part of an earlier text, or one slightly changed
            QString text = texts.at(random.bounded(i));
            text = text.mid(random.bounded(int(text.size()) + 1), random.bounded(maxLength + 1));
            if (!text.isEmpty() && random.bounded(2) == 0)
                text[random.bounded(int(text.size()))] = alphabet.at(random.bounded(alphabet.size()));
            texts.append(text);
            continue;
        }
        QString text;
        for (int length = random.bounded(maxLength + 1); length > 0; --length)
            text += alphabet.at(random.bounded(alphabet.size()));
        texts.append(text);
    }

    const QList<bool> expected = plainRepeats(texts);
    const QList<bool> repeats = findRepeats(texts, search);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (repeats.at(i) != expected.at(i))
            QFAIL(qPrintable(QStringLiteral("text %1 \"%2\": expected %3").arg(i).arg(texts.at(i)).arg(expected.at(i))));
    }
    const auto found = expected.count(true);
    QVERIFY2(found > 100 && found < texts.size() - 100, qPrintable(QString::number(found)));
}

void TestRepeatFinder::equalFingerprintsToldApart_data()
{
    QTest::addColumn<RepeatSearch>("search");
    for (int s = 0; s < 3; ++s)
        QTest::newRow(kSearchNames[s]) << kSearches[s];
}

// A Thue-Morse block of 2048 letters and its mirror image have the same
// polynomial fingerprint modulo 2^64 for every odd base, and so does any
// row of such blocks of the same count: all these texts look alike to the
// fingerprints and must still be told apart.
void TestRepeatFinder::equalFingerprintsToldApart()
{
    QFETCH(RepeatSearch, search);

    QString block;
    QString mirror;
    for (int i = 0; i < 2048; ++i) {
        const bool odd = std::popcount(unsigned(i)) % 2 == 1;
        block += odd ? u'b' : u'a';
        mirror += odd ? u'a' : u'b';
    }
    QStringList texts;
    for (int pattern = 0; pattern < 8; ++pattern) {
        QString text;
        for (int b = 0; b < 3; ++b)
            text += (pattern >> b & 1) ? mirror : block;
        texts.append(text);
    }
    texts += QStringList{block + mirror, mirror + block + mirror + block, texts.at(3)};
    QCOMPARE(findRepeats(texts, search), plainRepeats(texts));
}

QTEST_GUILESS_MAIN(TestRepeatFinder)
#include "tst_repeat_finder.moc"
