#include "wave_file.h"

#include <QDir>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace wave {
namespace {

void put16(QByteArray &bytes, quint16 value)
{
    char buffer[2];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 2);
}

void put32(QByteArray &bytes, quint32 value)
{
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 4);
}

void chunk(QByteArray &bytes, const char *id, const QByteArray &body)
{
    bytes.append(id, 4);
    put32(bytes, quint32(body.size()));
    bytes.append(body);
    if (body.size() % 2)
        bytes.append('\0'); // chunks start on even offsets
}

QByteArray formatBody(int channels, int rate, int bits, bool withExtraSize)
{
    QByteArray body;
    const int blockAlign = channels * bits / 8;
    put16(body, 1); // PCM
    put16(body, quint16(channels));
    put32(body, quint32(rate));
    put32(body, quint32(rate * blockAlign));
    put16(body, quint16(blockAlign));
    put16(body, quint16(bits));
    if (withExtraSize)
        put16(body, 0);
    return body;
}

QByteArray riff(const QByteArray &chunks)
{
    QByteArray file("RIFF");
    put32(file, quint32(chunks.size() + 4));
    file.append("WAVE");
    file.append(chunks);
    return file;
}

} // namespace

QByteArray pcm8WithInfo(const synth::Samples &samples, int rate, const QByteArray &name, int fileSize)
{
    QByteArray data;
    data.reserve(qsizetype(samples.size()));
    for (const double sample : samples) {
        // Unsigned 8-bit: 128 is silence. 1..255 keeps the range symmetric.
        const long level = std::lround(128 + 127 * std::clamp(sample, -1.0, 1.0));
        data.append(char(std::clamp(level, 1L, 255L)));
    }

    QByteArray fact;
    put32(fact, quint32(samples.size()));

    QByteArray chunks;
    chunk(chunks, "fmt ", formatBody(1, rate, 8, true));
    chunk(chunks, "fact", fact);
    chunk(chunks, "data", data);

    // What is left of the file size goes to the LIST chunk: its header (8),
    // the form type (4) and one INAM sub-chunk (8 + text).
    const qsizetype textSize = fileSize - (12 + chunks.size()) - 8 - 4 - 8;
    if (textSize < name.size() + 1 || textSize % 2)
        return {};
    QByteArray text = name;
    text.append(QByteArray(textSize - name.size(), '\0'));
    QByteArray info("INFO");
    chunk(info, "INAM", text);
    chunk(chunks, "LIST", info);
    return riff(chunks);
}

QByteArray pcm16(const synth::Samples &left, int rate, const synth::Samples *right)
{
    const int channels = right ? 2 : 1;
    synth::Noise dither(0x5eed);
    QByteArray data;
    data.reserve(qsizetype(left.size()) * 2 * channels);
    auto putSample = [&](double value) {
        // Triangular dither of one step keeps the rounding error uncorrelated.
        const double scaled = value * 32767.0 + (dither.next() + dither.next()) * 0.5;
        put16(data, quint16(qint16(std::clamp(std::lround(scaled), -32767L, 32767L))));
    };
    for (std::size_t i = 0; i < left.size(); ++i) {
        putSample(left[i]);
        if (right)
            putSample(i < right->size() ? (*right)[i] : 0.0);
    }
    QByteArray chunks;
    chunk(chunks, "fmt ", formatBody(channels, rate, 16, false));
    chunk(chunks, "data", data);
    return riff(chunks);
}

bool save(const QByteArray &bytes, const QString &path)
{
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(QDir::toNativeSeparators(path)));
        return false;
    }
    std::printf("%s (%lld bytes)\n", qPrintable(QDir::toNativeSeparators(path)), static_cast<long long>(bytes.size()));
    return true;
}

} // namespace wave
