#include "riff_reader.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray readDefault(const char *name)
{
    QFile file(QStringLiteral(ZORBEL_DEFAULTS_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDefaultMedia : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void musicIsAnMp3OfHalfAMinuteToAMinute();
    void buzzerIsAShortPcmWave();
};

// Walks the MPEG layer III frames from the first to the last: each must
// follow the one before without a gap, after an optional ID3v2 tag and
// before an optional ID3v1 tag.
void TestDefaultMedia::musicIsAnMp3OfHalfAMinuteToAMinute()
{
    const QByteArray bytes = readDefault("MatchMusic.mp3");
    QVERIFY(bytes.size() > 10);
    qsizetype offset = 0;
    if (bytes.startsWith("ID3")) {
        for (int i = 6; i < 10; ++i)
            offset = (offset << 7) | (quint8(bytes.at(i)) & 0x7F); // "synchsafe": 7 bits a byte
        offset += 10 + ((quint8(bytes.at(5)) & 0x10) ? 10 : 0);
    }
    const qsizetype start = offset;
    const qsizetype end = bytes.size() - (bytes.mid(bytes.size() - 128, 3) == "TAG" ? 128 : 0);
    static const int bitrates[2][16] = {{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
                                        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}};
    double seconds = 0;
    int sampleRate = 0;
    int maxBitrate = 0;
    for (int frames = 0; offset < end; ++frames) {
        QVERIFY2(end - offset >= 4, "stray bytes at the end");
        const quint32 header = qFromBigEndian<quint32>(bytes.constData() + offset);
        const int version = (header >> 19) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
        const int bitrate = bitrates[version == 3][(header >> 12) & 15];
        const int rate = QList<int>{44100, 48000, 32000, 0}.at((header >> 10) & 3) >> (version == 3 ? 0 : version == 2 ? 1 : 2);
        QVERIFY2((header & 0xFFE00000) == 0xFFE00000 && version != 1 && ((header >> 17) & 3) == 1 && rate && bitrate,
                 qPrintable(QStringLiteral("no valid frame header at byte %1").arg(offset)));
        QVERIFY2(!sampleRate || rate == sampleRate, "the sample rate changes");
        sampleRate = rate;
        maxBitrate = std::max(maxBitrate, bitrate);
        seconds += (version == 3 ? 1152.0 : 576.0) / rate;
        offset += (version == 3 ? 144000 : 72000) * bitrate / rate + ((header >> 9) & 1);
    }
    QVERIFY2(offset == end, "the last frame is cut short");
    QVERIFY2(seconds >= 30 && seconds <= 60, qPrintable(QString::number(seconds)));
    // The frame count and the bitrate must tell the same length.
    const double averageBitrate = (end - start) * 8.0 / seconds / 1000;
    QVERIFY2(averageBitrate > 32 && averageBitrate <= maxBitrate + 1, qPrintable(QString::number(averageBitrate)));
    QVERIFY2(maxBitrate <= 160, qPrintable(QString::number(maxBitrate))); // a moderate size
}

void TestDefaultMedia::buzzerIsAShortPcmWave()
{
    const RiffFile riff = readRiff(readDefault("Buzzer.wav"));
    QVERIFY2(riff.error.isEmpty(), qPrintable(riff.error));
    QCOMPARE(riff.form, QByteArray("WAVE"));
    const std::optional<WaveFormat> format = waveFormat(riff);
    QVERIFY(format && riff.find("data"));
    QCOMPARE(format->format, 1);
    QVERIFY((format->rate == 22050 || format->rate == 44100) && (format->bits == 8 || format->bits == 16));
    QVERIFY(format->channels == 1 || format->channels == 2);
    QCOMPARE(format->blockAlign, format->channels * format->bits / 8);
    QCOMPARE(format->byteRate, format->rate * format->blockAlign);
    QCOMPARE(riff.find("data")->body.size() % format->blockAlign, 0);
    const double seconds = double(riff.find("data")->body.size()) / format->byteRate;
    QVERIFY2(seconds >= 0.8 && seconds <= 1.2, qPrintable(QString::number(seconds)));
}

QTEST_MAIN(TestDefaultMedia)
#include "tst_default_media.moc"
