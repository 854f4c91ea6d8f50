#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Small offline synthesis kit for the hand-run sound generators. Samples are
// doubles in -1..1; every function is deterministic so that a rerun writes
// the same files.
namespace synth {

using Samples = std::vector<double>;

constexpr double pi = 3.14159265358979323846;

double midiToHz(double note);
// "C4", "F#5", "Bb3" to a MIDI note number; -1 for anything else.
int noteNumber(const char *name);

// A repeatable white noise source.
class Noise
{
public:
    explicit Noise(std::uint32_t seed)
        : m_state(seed ? seed : 1)
    {
    }
    double next(); // -1..1

private:
    std::uint32_t m_state;
};

// Band-limited waves made from their harmonics up to the Nyquist limit, each
// harmonic also damped above `brightness` Hz so that the tone stays soft.
enum class Wave { Sine, Saw, Square, Triangle };

// Renders `count` samples of a wave whose frequency may change per sample;
// `frequency` is called with the time in seconds.
Samples oscillator(Wave wave, int count, double rate, const std::function<double(double)> &frequency,
                   double brightness = 1e9, double phase = 0);

// Envelope with linear attack, exponential decay towards the sustain level and
// exponential release after `gate` seconds. Returns the gain at time t.
struct Adsr {
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.7;
    double release = 0.08;
    double at(double t, double gate) const;
};

// Second-order filters (the well-known "cookbook" biquads), run in place.
enum class FilterKind { LowPass, HighPass, BandPass };
void filter(Samples &samples, double rate, FilterKind kind, double frequency, double q);
// A band-pass whose centre moves with time.
void sweptBandPass(Samples &samples, double rate, const std::function<double(double)> &frequency, double q);

void applyGain(Samples &samples, const std::function<double(double)> &gain, double rate);
void scale(Samples &samples, double factor);
double peak(const Samples &samples);
// Scales so that the loudest sample has the given magnitude.
void normalize(Samples &samples, double target);
// Short raised-cosine fades so that a clip starts and ends at silence.
void fadeEdges(Samples &samples, int fadeInSamples, int fadeOutSamples);

// Adds `source` into `target` starting at `offset`; samples that run past the
// end wrap round to the start, so the sum loops without a seam.
void addWrapped(Samples &target, const Samples &source, long offset, double gain = 1.0);

// Feedback echo over a looping buffer: the echoes that fall past the end come
// back at the start, as they would when the loop plays again.
void loopEcho(Samples &samples, long delay, double feedback, double mix);

} // namespace synth
