#include "buzzer.h"

#include <cmath>

using namespace synth;

Samples renderBuzzer(int rate)
{
    const double length = 1.0;
    const int count = int(length * rate);
    // A slight droop at the end makes it sound like a buzzer letting go.
    auto pitch = [length](double t) {
        const double droop = t > length - 0.22 ? 1 - 0.07 * (t - (length - 0.22)) / 0.22 : 1.0;
        return droop;
    };
    const Samples low = oscillator(
        Wave::Square, count, rate, [&](double t) { return 74.0 * pitch(t); }, 2400);
    const Samples sawA = oscillator(
        Wave::Saw, count, rate, [&](double t) { return 148.0 * pitch(t); }, 3000);
    const Samples sawB = oscillator(
        Wave::Saw, count, rate, [&](double t) { return 155.5 * pitch(t); }, 3000);

    Samples out(low.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        // Driven hard into a soft clipper: the harsh edge of an electric buzzer.
        const double raw = 0.55 * low[i] + 0.5 * sawA[i] + 0.5 * sawB[i];
        out[i] = std::tanh(2.4 * raw);
    }
    filter(out, rate, FilterKind::LowPass, 4200, 0.7);
    filter(out, rate, FilterKind::HighPass, 50, 0.7);
    applyGain(
        out,
        [length](double t) {
            const double attack = std::min(1.0, t / 0.012);
            const double release = std::clamp((length - t) / 0.09, 0.0, 1.0);
            return attack * release * release;
        },
        rate);
    normalize(out, 0.89);
    fadeEdges(out, 8, 32);
    return out;
}
