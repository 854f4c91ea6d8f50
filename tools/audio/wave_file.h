#pragma once

#include "synth.h"

#include <QByteArray>
#include <QString>

// RIFF WAVE files for the generators.
namespace wave {

// 8-bit mono PCM with the chunks fmt (18 bytes, WAVEFORMATEX), fact, data
// and a LIST/INFO chunk naming the clip. The name's text is padded with NULs
// so that the whole file has exactly `fileSize` bytes; returns an empty array
// when the name does not fit that size.
QByteArray pcm8WithInfo(const synth::Samples &samples, int rate, const QByteArray &name, int fileSize);

// Plain 16-bit PCM: fmt (16 bytes) and data only. Stereo when `right` is
// given. Samples are dithered so that quiet passages do not buzz.
QByteArray pcm16(const synth::Samples &left, int rate, const synth::Samples *right = nullptr);

// Atomically replaces the file; false (and a message on stderr) on failure.
bool save(const QByteArray &bytes, const QString &path);

} // namespace wave
