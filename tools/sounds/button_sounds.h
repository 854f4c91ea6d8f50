#pragma once

#include "synth.h"

#include <QByteArray>

// The button library's ten short interface sounds, 12000 Hz mono.
struct ButtonSound {
    int resourceId; // 101..110
    QByteArray name; // stored in the file's INFO list
    int sampleCount; // also the data size in bytes: one byte per sample
    int fileSize;
    double peak; // loudest sample; sustained tones peak lower so all sound about as loud
};

constexpr int buttonSoundRate = 12000;
constexpr int buttonSoundCount = 10;

ButtonSound buttonSound(int index); // index 0..9

// The clip, peaking a little below full scale, starting and ending at silence.
synth::Samples renderButtonSound(int index);
