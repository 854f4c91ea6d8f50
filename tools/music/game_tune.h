#pragma once

#include "synth.h"

// The game's background tune: a bright, bouncy loop (melody, chord stabs,
// bass and drums) whose last bar leads straight back into its first.
struct StereoTrack {
    synth::Samples left;
    synth::Samples right;
    int rate = 0;
    double seconds() const { return rate ? double(left.size()) / rate : 0; }
};

StereoTrack renderGameTune(int rate);
