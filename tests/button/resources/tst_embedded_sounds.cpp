#include "core/sound_resources.h"
#include "riff_reader.h"

#include <QTest>

#include <algorithm>

class TestEmbeddedSounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void waveLayout_data();
    void waveLayout();
    void clipsAreClean_data();
    void clipsAreClean();
    void otherNumbersHaveNoSound_data();
    void otherNumbersHaveNoSound();
};

void TestEmbeddedSounds::waveLayout_data()
{
    QTest::addColumn<int>("resourceId");
    QTest::addColumn<int>("fileSize");
    QTest::addColumn<int>("dataSize");

    const int table[][3] = {
        {101, 1688, 1602}, {102, 1688, 1602}, {103, 1676, 1590}, {104, 1876, 1790}, {105, 2176, 2090},
        {106, 1808, 1721}, {107, 6220, 6131}, {108, 6220, 6131}, {109, 2940, 2854}, {110, 2960, 2874},
    };
    for (const auto &row : table)
        QTest::addRow("sound %d", row[0]) << row[0] << row[1] << row[2];
}

void TestEmbeddedSounds::waveLayout()
{
    QFETCH(int, resourceId);
    QFETCH(int, fileSize);
    QFETCH(int, dataSize);

    const QByteArray bytes = embeddedSound(resourceId);
    QCOMPARE(bytes.size(), fileSize);
    const RiffFile riff = readRiff(bytes);
    QVERIFY2(riff.error.isEmpty(), qPrintable(riff.error));
    QCOMPARE(riff.form, QByteArray("WAVE"));
    QCOMPARE(riff.ids(), (QList<QByteArray>{"fmt ", "fact", "data", "LIST"}));

    const std::optional<WaveFormat> format = waveFormat(riff);
    QVERIFY(format);
    QCOMPARE(format->format, 1); // PCM
    QCOMPARE(format->channels, 1);
    QCOMPARE(format->rate, 12000u);
    QCOMPARE(format->byteRate, 12000u);
    QCOMPARE(format->blockAlign, 1);
    QCOMPARE(format->bits, 8);

    QCOMPARE(riff.find("data")->body.size(), dataSize);
    const QByteArray fact = riff.find("fact")->body;
    QCOMPARE(fact.size(), 4);
    QCOMPARE(riffU32(fact, 0), quint32(dataSize)); // one byte per sample
    QVERIFY(riff.find("LIST")->body.startsWith("INFO"));
}

void TestEmbeddedSounds::clipsAreClean_data()
{
    waveLayout_data();
}

void TestEmbeddedSounds::clipsAreClean()
{
    QFETCH(int, resourceId);
    const RiffFile riff = readRiff(embeddedSound(resourceId));
    QVERIFY(riff.find("data"));
    const QByteArray data = riff.find("data")->body;
    QVERIFY(!data.isEmpty());

    // 8-bit samples are unsigned with silence at 128. A clip must start and
    // end at silence (no click), never hit the rails (no clipping), and be
    // loud enough to hear.
    auto sample = [&data](qsizetype i) { return int(quint8(data.at(i))); };
    QVERIFY2(std::abs(sample(0) - 128) <= 1, qPrintable(QString::number(sample(0))));
    QVERIFY2(std::abs(sample(data.size() - 1) - 128) <= 1, qPrintable(QString::number(sample(data.size() - 1))));
    int lowest = 255;
    int highest = 0;
    for (qsizetype i = 0; i < data.size(); ++i) {
        lowest = std::min(lowest, sample(i));
        highest = std::max(highest, sample(i));
    }
    QVERIFY2(lowest > 0 && highest < 255, qPrintable(QStringLiteral("%1..%2").arg(lowest).arg(highest)));
    QVERIFY2(highest - 128 >= 40 || 128 - lowest >= 40, qPrintable(QStringLiteral("%1..%2").arg(lowest).arg(highest)));
}

void TestEmbeddedSounds::otherNumbersHaveNoSound_data()
{
    QTest::addColumn<int>("resourceId");
    QTest::newRow("none") << 0;
    QTest::newRow("sound value, not resource number") << 1;
    QTest::newRow("just below") << 100;
    QTest::newRow("just above") << 111;
    QTest::newRow("custom 1") << 198;
    QTest::newRow("negative") << -101;
}

void TestEmbeddedSounds::otherNumbersHaveNoSound()
{
    QFETCH(int, resourceId);
    QVERIFY(embeddedSound(resourceId).isEmpty());
}

QTEST_MAIN(TestEmbeddedSounds)
#include "tst_embedded_sounds.moc"
