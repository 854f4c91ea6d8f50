#pragma once

#include <QByteArray>

// The ten sounds built into the library, numbered as their resources
// 101..110 (sound values 1..10 play resource 100 + value).
constexpr int firstEmbeddedSound = 101;
constexpr int lastEmbeddedSound = 110;

// The complete WAVE file of an embedded sound (8-bit mono PCM, 12000 Hz),
// ready to be written to disk and played. Empty for any other number.
QByteArray embeddedSound(int resourceId);
