#pragma once

// A strict reader of RIFF WAVE files for the media tests: it checks the
// container rather than trusting it, so a file with a wrong size field, an
// odd chunk without its pad byte or a truncated chunk is reported invalid.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>

#include <optional>

struct RiffChunk {
    QByteArray id;
    QByteArray body;
};

struct RiffFile {
    QByteArray form; // "WAVE"
    QList<RiffChunk> chunks;
    QString error; // empty when the container is sound

    QList<QByteArray> ids() const
    {
        QList<QByteArray> result;
        for (const RiffChunk &chunk : chunks)
            result.append(chunk.id);
        return result;
    }
    const RiffChunk *find(const char *id) const
    {
        for (const RiffChunk &chunk : chunks)
            if (chunk.id == id)
                return &chunk;
        return nullptr;
    }
};

inline quint32 riffU32(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

inline RiffFile readRiff(const QByteArray &bytes)
{
    RiffFile file;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || riffU32(bytes, 4) != quint32(bytes.size() - 8)) {
        file.error = QStringLiteral("no RIFF header giving the file's size");
        return file;
    }
    file.form = bytes.mid(8, 4);
    for (qsizetype offset = 12; offset < bytes.size();) {
        const qsizetype size = bytes.size() - offset < 8 ? -1 : qsizetype(riffU32(bytes, offset + 4));
        if (size < 0 || bytes.size() - offset - 8 < size + size % 2) {
            file.error = QStringLiteral("chunk at %1 runs past the end").arg(offset);
            return file;
        }
        file.chunks.append({bytes.mid(offset, 4), bytes.mid(offset + 8, size)});
        offset += 8 + size + size % 2;
    }
    return file;
}

struct WaveFormat {
    quint16 format = 0; // 1 is PCM
    quint16 channels = 0;
    quint32 rate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bits = 0;
};

inline std::optional<WaveFormat> waveFormat(const RiffFile &file)
{
    const RiffChunk *fmt = file.find("fmt ");
    if (!fmt || fmt->body.size() < 16)
        return std::nullopt;
    const auto u16 = [&](int offset) { return qFromLittleEndian<quint16>(fmt->body.constData() + offset); };
    return WaveFormat{u16(0), u16(2), riffU32(fmt->body, 4), riffU32(fmt->body, 8), u16(12), u16(14)};
}
