#pragma once

#include "synth.h"

// The "time is up" buzzer: one second of a rough, low, unmistakable honk.
synth::Samples renderBuzzer(int rate);
