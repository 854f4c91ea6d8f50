#include "core/private_file.h"
#include "core/sound_resources.h"
#include "core/sound_sources.h"
#include "riff_reader.h"

#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

class TestEmbeddedSounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everySound_data()
    {
        QTest::addColumn<int>("resourceId");
        QTest::addColumn<int>("dataSize");
        const int table[][2] = {{101, 1602}, {102, 1602}, {103, 1590}, {104, 1790}, {105, 2090},
                                {106, 1721}, {107, 6131}, {108, 6131}, {109, 2854}, {110, 2874}};
        for (const auto &row : table)
            QTest::addRow("sound %d", row[0]) << row[0] << row[1];
    }

    // 8-bit mono PCM at 12 kHz, each clip starting and ending at silence (no
    // click) and never hitting the rails (no clipping).
    void everySound()
    {
        QFETCH(int, resourceId);
        QFETCH(int, dataSize);
        const RiffFile riff = readRiff(embeddedSound(resourceId));
        QVERIFY2(riff.error.isEmpty(), qPrintable(riff.error));
        QCOMPARE(riff.ids(), (QList<QByteArray>{"fmt ", "fact", "data", "LIST"}));
        const std::optional<WaveFormat> format = waveFormat(riff);
        QVERIFY(format);
        QCOMPARE(QList<int>({format->format, format->channels, format->blockAlign, format->bits, int(format->rate), int(format->byteRate)}),
                 QList<int>({1, 1, 1, 8, 12000, 12000}));
        const QByteArray data = riff.find("data")->body;
        QCOMPARE(data.size(), dataSize);
        QCOMPARE(riffU32(riff.find("fact")->body, 0), quint32(dataSize)); // one byte per sample

        const auto quieter = [](char a, char b) { return quint8(a) < quint8(b); };
        const auto [lowest, highest] = std::minmax_element(data.begin(), data.end(), quieter);
        QVERIFY(std::abs(quint8(data.front()) - 128) <= 1 && std::abs(quint8(data.back()) - 128) <= 1);
        QVERIFY(quint8(*lowest) > 0 && quint8(*highest) < 255);
    }

    // The one trip through the real player: an unpacked sound, under the
    // address the button gives it, loads to the end.
    void unpackedSoundLoadsInTheRealPlayer()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("soundClick.wav"));
        QVERIFY(PrivateFile::write(path, embeddedSound(103)));
        QSoundEffect effect;
        effect.setSource(SoundSources().urlFor(path));
        QTRY_VERIFY_WITH_TIMEOUT(effect.status() == QSoundEffect::Ready || effect.status() == QSoundEffect::Error, 30000);
        if (effect.status() == QSoundEffect::Error)
            QSKIP("the audio back end has no output device here, so no sound can be made ready");
        QCOMPARE(effect.status(), QSoundEffect::Ready);
    }

    void otherNumbersHaveNoSound()
    {
        for (const int id : {0, 1, 100, 111, 198, -101})
            QVERIFY2(embeddedSound(id).isEmpty(), qPrintable(QString::number(id)));
    }
};

QTEST_MAIN(TestEmbeddedSounds)
#include "tst_embedded_sounds.moc"
