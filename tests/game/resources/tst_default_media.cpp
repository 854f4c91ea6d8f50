#include "riff_reader.h"

#include <QFile>
#include <QTest>

#include <cmath>

namespace {

QByteArray readDefault(const char *name)
{
    QFile file(QStringLiteral(ZORBEL_DEFAULTS_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Mp3Walk {
    int frames = 0;
    int sampleRate = 0;
    int samplesPerFrame = 0;
    qint64 audioBytes = 0;
    int maxBitrate = 0; // kbit/s
    QString error;
    double seconds() const { return sampleRate ? double(frames) * samplesPerFrame / sampleRate : 0; }
};

// Walks the MPEG audio frames of a layer III file from the first sync to the
// end. Every frame must follow the one before without a gap; an ID3v2 tag
// may lead and an ID3v1 tag may close the file.
Mp3Walk walkMp3(const QByteArray &bytes)
{
    Mp3Walk walk;
    qsizetype offset = 0;
    if (bytes.startsWith("ID3")) {
        if (bytes.size() < 10) {
            walk.error = QStringLiteral("truncated ID3 tag");
            return walk;
        }
        qsizetype size = 0;
        for (int i = 6; i < 10; ++i)
            size = (size << 7) | (quint8(bytes.at(i)) & 0x7F); // "synchsafe": 7 bits a byte
        offset = 10 + size + ((quint8(bytes.at(5)) & 0x10) ? 10 : 0);
    }
    qsizetype end = bytes.size();
    if (end - offset >= 128 && bytes.mid(end - 128, 3) == "TAG")
        end -= 128;

    static const int mpeg1Rates[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1};
    static const int mpeg2Rates[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, -1};
    static const int sampleRates[] = {44100, 48000, 32000, 0};

    while (offset < end) {
        if (end - offset < 4) {
            walk.error = QStringLiteral("%1 stray bytes at the end").arg(end - offset);
            return walk;
        }
        const quint32 header = qFromBigEndian<quint32>(bytes.constData() + offset);
        const int version = (header >> 19) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
        const int layer = (header >> 17) & 3; // 1 is layer III
        const int bitrateIndex = (header >> 12) & 15;
        const int rateIndex = (header >> 10) & 3;
        if ((header & 0xFFE00000) != 0xFFE00000 || version == 1 || layer != 1 || rateIndex == 3 ||
            bitrateIndex == 0 || bitrateIndex == 15) {
            walk.error = QStringLiteral("no valid frame header at byte %1").arg(offset);
            return walk;
        }
        const bool mpeg1 = version == 3;
        const int bitrate = (mpeg1 ? mpeg1Rates : mpeg2Rates)[bitrateIndex];
        const int sampleRate = sampleRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
        if (walk.sampleRate && sampleRate != walk.sampleRate) {
            walk.error = QStringLiteral("sample rate changes at byte %1").arg(offset);
            return walk;
        }
        walk.sampleRate = sampleRate;
        walk.samplesPerFrame = mpeg1 ? 1152 : 576;
        const qsizetype length = (mpeg1 ? 144000 : 72000) * bitrate / sampleRate + ((header >> 9) & 1);
        walk.maxBitrate = std::max(walk.maxBitrate, bitrate);
        walk.audioBytes += length;
        ++walk.frames;
        offset += length;
    }
    if (offset > end)
        walk.error = QStringLiteral("last frame cut short");
    return walk;
}

} // namespace

class TestDefaultMedia : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void musicIsAnMp3OfHalfAMinuteToAMinute();
    void buzzerIsAShortPcmWave();
};

void TestDefaultMedia::musicIsAnMp3OfHalfAMinuteToAMinute()
{
    const QByteArray bytes = readDefault("MatchMusic.mp3");
    QVERIFY(!bytes.isEmpty());
    const bool frameSync = bytes.size() >= 2 && quint8(bytes.at(0)) == 0xFF && (quint8(bytes.at(1)) & 0xE0) == 0xE0;
    QVERIFY(bytes.startsWith("ID3") || frameSync);

    const Mp3Walk walk = walkMp3(bytes);
    QVERIFY2(walk.error.isEmpty(), qPrintable(walk.error));
    QVERIFY2(walk.seconds() >= 30 && walk.seconds() <= 60, qPrintable(QString::number(walk.seconds())));
    // The frame count and the bitrate must tell the same length.
    const double averageBitrate = walk.audioBytes * 8.0 / walk.seconds() / 1000;
    QVERIFY2(averageBitrate > 32 && averageBitrate <= walk.maxBitrate + 1, qPrintable(QString::number(averageBitrate)));
    // Moderate size: nothing beyond 160 kbit/s.
    QVERIFY2(walk.maxBitrate <= 160, qPrintable(QString::number(walk.maxBitrate)));
}

void TestDefaultMedia::buzzerIsAShortPcmWave()
{
    const RiffFile riff = readRiff(readDefault("Buzzer.wav"));
    QVERIFY2(riff.error.isEmpty(), qPrintable(riff.error));
    QCOMPARE(riff.form, QByteArray("WAVE"));
    const std::optional<WaveFormat> format = waveFormat(riff);
    QVERIFY(format);
    QCOMPARE(format->format, 1);
    QVERIFY(format->rate == 22050 || format->rate == 44100);
    QVERIFY(format->bits == 8 || format->bits == 16);
    QVERIFY(format->channels == 1 || format->channels == 2);
    QCOMPARE(format->blockAlign, format->channels * format->bits / 8);
    QCOMPARE(format->byteRate, format->rate * format->blockAlign);

    const RiffChunk *data = riff.find("data");
    QVERIFY(data);
    QCOMPARE(data->body.size() % format->blockAlign, 0);
    const double seconds = double(data->body.size()) / format->byteRate;
    QVERIFY2(seconds >= 0.8 && seconds <= 1.2, qPrintable(QString::number(seconds)));
}

QTEST_MAIN(TestDefaultMedia)
#include "tst_default_media.moc"
