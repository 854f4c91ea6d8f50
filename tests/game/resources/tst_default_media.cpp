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
    // After an optional ID3v2 tag the MPEG layer III frames must follow each
    // other without a gap, to the end or to an optional ID3v1 tag.
    void musicIsAnMp3OfHalfAMinuteToAMinute()
    {
        const QByteArray bytes = readDefault("MatchMusic.mp3");
        QVERIFY(bytes.size() > 128);
        qsizetype offset = 0;
        if (bytes.startsWith("ID3")) // its size in "synchsafe" bytes of 7 bits, then an optional footer
            offset = 10 + (bytes[5] & 0x10 ? 10 : 0) + (bytes[6] << 21 | bytes[7] << 14 | bytes[8] << 7 | bytes[9]);
        const qsizetype end = bytes.size() - (bytes.mid(bytes.size() - 128, 3) == "TAG" ? 128 : 0);
        static const int kbits[2][16] = {{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
                                         {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}};
        double seconds = 0;
        while (offset + 4 <= end) {
            const quint32 header = qFromBigEndian<quint32>(bytes.constData() + offset);
            const int version = header >> 19 & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
            const int bitrate = kbits[version == 3][header >> 12 & 15];
            const int rate = QList<int>{44100, 48000, 32000, 0}.at(header >> 10 & 3) >> (version == 3 ? 0 : version == 2 ? 1 : 2);
            QVERIFY2((header & 0xFFE60000) == 0xFFE20000 && version != 1 && rate && bitrate, qPrintable(QString::number(offset)));
            seconds += (version == 3 ? 1152.0 : 576.0) / rate;
            offset += (version == 3 ? 144000 : 72000) * bitrate / rate + (header >> 9 & 1);
        }
        QCOMPARE(offset, end);
        QVERIFY2(seconds >= 30 && seconds <= 60, qPrintable(QString::number(seconds)));
    }

    void buzzerIsAShortPcmWave()
    {
        const RiffFile riff = readRiff(readDefault("Buzzer.wav"));
        const std::optional<WaveFormat> format = waveFormat(riff);
        QVERIFY2(riff.error.isEmpty() && riff.form == "WAVE" && format && riff.find("data"), qPrintable(riff.error));
        QCOMPARE(format->format, 1); // PCM
        QVERIFY((format->rate == 22050 || format->rate == 44100) && (format->bits == 8 || format->bits == 16) && format->channels <= 2);
        QCOMPARE(format->blockAlign, format->channels * format->bits / 8);
        QCOMPARE(format->byteRate, format->rate * format->blockAlign);
        const double seconds = double(riff.find("data")->body.size()) / format->byteRate;
        QVERIFY2(seconds >= 0.8 && seconds <= 1.2, qPrintable(QString::number(seconds)));
    }
};

QTEST_MAIN(TestDefaultMedia)
#include "tst_default_media.moc"
