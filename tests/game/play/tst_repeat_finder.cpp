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

// Random texts of up to maxLength units, a third of them a part of an
// earlier text or one slightly changed.
QStringList randomTexts(const QString &alphabet, int maxLength, quint32 seed)
{
    QRandomGenerator random(seed);
    auto letter = [&] { return alphabet.at(random.bounded(alphabet.size())); };
    QStringList texts;
    for (int i = 0; i < 1500; ++i) {
        QString text;
        if (i > 0 && random.bounded(3) == 0) {
            text = texts.at(random.bounded(i));
            text = text.mid(random.bounded(int(text.size()) + 1), random.bounded(maxLength + 1));
            if (!text.isEmpty() && random.bounded(2) == 0)
                text[random.bounded(int(text.size()))] = letter();
        } else {
            for (int length = random.bounded(maxLength + 1); length > 0; --length)
                text += letter();
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
    QStringList texts;
    for (int pattern = 0; pattern < 8; ++pattern) {
        QString text;
        for (int b = 0; b < 3; ++b)
            text += (pattern >> b & 1) ? mirror : block;
        texts.append(text);
    }
    return texts + QStringList{block + mirror, mirror + block + mirror + block, texts.at(3)};
}

} // namespace

class TestRepeatFinder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithPlainRule_data();
    void agreesWithPlainRule();
};

void TestRepeatFinder::agreesWithPlainRule_data()
{
    QTest::addColumn<RepeatSearch>("search");
    QTest::addColumn<QStringList>("texts");

    // Short texts over few letters repeat often; long ones over many
    // letters give a spread of lengths that sends the automatic search to
    // the automaton. Every code unit counts on its own, halves of surrogate
    // pairs too.
    const char16_t wide[] = {0x0000, 0x00ff, 0x0100, 0x20ac, 0xd83d, 0xde00, 0xffff};
    const std::pair<RepeatSearch, const char *> searches[] = {
        {RepeatSearch::Automatic, "automatic"}, {RepeatSearch::Fingerprints, "fingerprints"},
        {RepeatSearch::Automaton, "automaton"}};
    for (const auto &[search, name] : searches) {
        QTest::addRow("two letters, %s", name) << search << randomTexts("ab", 7, 11);
        QTest::addRow("wide units, %s", name) << search << randomTexts(QString::fromUtf16(wide, std::size(wide)), 9, 14);
        QTest::addRow("question-like, %s", name) << search << randomTexts("BLANK _,", 30, 12);
        QTest::addRow("many lengths, %s", name) << search << randomTexts("abcdefghij", 400, 13);
        QTest::addRow("equal fingerprints, %s", name) << search << equalFingerprints();
    }
}

void TestRepeatFinder::agreesWithPlainRule()
{
    QFETCH(RepeatSearch, search);
    QFETCH(QStringList, texts);
    const QList<bool> expected = plainRepeats(texts);
    QVERIFY(expected.contains(true) && expected.contains(false));
    QCOMPARE(findRepeats(texts, search), expected);
}

QTEST_GUILESS_MAIN(TestRepeatFinder)
#include "tst_repeat_finder.moc"
