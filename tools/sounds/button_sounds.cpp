#include "button_sounds.h"

#include <array>
#include <cmath>

using namespace synth;

namespace {

constexpr double rate = buttonSoundRate;

double seconds(int sampleIndex)
{
    return sampleIndex / rate;
}

Samples tone(Wave wave, int count, const std::function<double(double)> &hz, double brightness = 1e9)
{
    return oscillator(wave, count, rate, hz, brightness);
}

Samples noise(int count, std::uint32_t seed)
{
    Noise source(seed);
    Samples out(static_cast<std::size_t>(count));
    for (double &sample : out)
        sample = source.next();
    return out;
}

void mixInto(Samples &target, const Samples &source, double gain, int offset = 0)
{
    for (std::size_t i = 0; i < source.size() && i + std::size_t(offset) < target.size(); ++i)
        target[i + std::size_t(offset)] += gain * source[i];
}

auto decay(double timeConstant, double attack = 0.001)
{
    return [=](double t) { return t < attack ? t / attack : std::exp(-(t - attack) / timeConstant); };
}

// A crisp high click: a burst of bright noise with a short metallic ping.
Samples click(int count)
{
    Samples out(std::size_t(count), 0.0);
    Samples burst = noise(count, 101);
    filter(burst, rate, FilterKind::BandPass, 3400, 1.4);
    applyGain(burst, decay(0.004, 0.0004), rate);
    Samples ping = tone(Wave::Sine, count, [](double) { return 2350.0; });
    applyGain(ping, decay(0.018, 0.0008), rate);
    mixInto(out, burst, 1.0);
    mixInto(out, ping, 0.45);
    return out;
}

// A softer, lower tick, like a small plastic switch.
Samples tick(int count)
{
    Samples out(std::size_t(count), 0.0);
    Samples body = tone(Wave::Sine, count, [](double) { return 980.0; });
    applyGain(body, decay(0.022, 0.0008), rate);
    Samples overtone = tone(Wave::Sine, count, [](double) { return 1530.0; });
    applyGain(overtone, decay(0.012, 0.0008), rate);
    Samples burst = noise(count, 102);
    filter(burst, rate, FilterKind::BandPass, 1800, 1.0);
    applyGain(burst, decay(0.003, 0.0004), rate);
    mixInto(out, body, 0.8);
    mixInto(out, overtone, 0.35);
    mixInto(out, burst, 0.7);
    return out;
}

// A bubble pop: a sine whose pitch shoots upwards as it dies away.
Samples pop(int count)
{
    Samples out = tone(Wave::Sine, count, [](double t) { return 320 + 1500 * (1 - std::exp(-t / 0.025)); });
    applyGain(out, decay(0.028, 0.002), rate);
    return out;
}

// Two quick rising notes.
Samples blip(int count)
{
    Samples out = tone(
        Wave::Square, count, [](double t) { return t < 0.055 ? 880.0 : 1318.5; }, 2600);
    applyGain(
        out,
        [](double t) {
            // Each note ends with a short fade, so the step between them does not click.
            const double gate = std::clamp((0.053 - t) / 0.006, 0.0, 1.0);
            const double first = std::min(1.0, t / 0.003) * std::exp(-t / 0.06) * gate;
            const double u = t - 0.055;
            const double second = u >= 0 ? std::min(1.0, u / 0.004) * std::exp(-u / 0.035) : 0;
            return first + second;
        },
        rate);
    return out;
}

// A round falling "bloop".
Samples bloop(int count)
{
    Samples out = tone(
        Wave::Triangle, count, [](double t) { return 260 + 700 * std::exp(-t / 0.05); }, 2000);
    applyGain(out, decay(0.05, 0.003), rate);
    return out;
}

// A knock on wood: ringing band-passed noise over a short low tone.
Samples knock(int count)
{
    Samples out(std::size_t(count), 0.0);
    Samples wood = noise(count, 106);
    applyGain(wood, decay(0.006, 0.0005), rate);
    filter(wood, rate, FilterKind::BandPass, 620, 9);
    Samples body = tone(Wave::Sine, count, [](double t) { return 420 - 60 * t; });
    applyGain(body, decay(0.03, 0.001), rate);
    mixInto(out, wood, 3.0);
    mixInto(out, body, 0.6);
    return out;
}

// Air rushing past: noise through a band that sweeps across the spectrum.
Samples whoosh(int count, bool rising)
{
    Samples out = noise(count, rising ? 107 : 108);
    const double length = seconds(count);
    sweptBandPass(
        out, rate,
        [=](double t) {
            const double x = t / length;
            return rising ? 350 * std::pow(12.0, x) : 4200 * std::pow(1 / 12.0, x);
        },
        2.2);
    applyGain(
        out,
        [=](double t) {
            const double x = t / length;
            return std::pow(std::sin(pi * x), 1.6) * (rising ? 0.7 + 0.6 * x : 1.3 - 0.6 * x);
        },
        rate);
    return out;
}

// A bell-like tone with inharmonic partials.
Samples bell(int count, double hz, double timeConstant, double strike)
{
    Samples out(std::size_t(count), 0.0);
    for (const auto &[ratio, gain, life] :
         std::array<std::array<double, 3>, 3>{{{1.0, 1.0, 1.0}, {2.76, 0.35, 0.45}, {5.40, 0.12, 0.25}}}) {
        if (hz * ratio > rate * 0.45)
            continue;
        Samples partial = tone(Wave::Sine, count, [=](double) { return hz * ratio; });
        applyGain(partial, decay(timeConstant * life, strike), rate);
        mixInto(out, partial, gain);
    }
    return out;
}

// Two chiming notes, a fifth apart.
Samples chime(int count)
{
    Samples out(std::size_t(count), 0.0);
    const int second = int(0.085 * rate);
    mixInto(out, bell(count, 1318.5, 0.07, 0.001), 0.8);
    mixInto(out, bell(count - second, 1975.5, 0.06, 0.003), 0.75, second);
    return out;
}

// A springy "boing": a falling pitch with a fast wobble.
Samples boing(int count)
{
    Samples out = tone(Wave::Sine, count, [](double t) {
        return (240 + 260 * std::exp(-t / 0.06)) * (1 + 0.06 * std::sin(2 * pi * 22 * t));
    });
    Samples twang = tone(
        Wave::Triangle, count, [](double t) { return 2 * (240 + 260 * std::exp(-t / 0.06)); }, 1800);
    applyGain(out, decay(0.07, 0.002), rate);
    applyGain(twang, decay(0.03, 0.002), rate);
    mixInto(out, twang, 0.3);
    return out;
}

} // namespace

ButtonSound buttonSound(int index)
{
    static const std::array<ButtonSound, buttonSoundCount> sounds{{
        {101, "Click", 1602, 1688, 0.82},
        {102, "Tick", 1602, 1688, 0.82},
        {103, "Pop", 1590, 1676, 0.72},
        {104, "Blip", 1790, 1876, 0.5},
        {105, "Bloop", 2090, 2176, 0.66},
        {106, "Knock", 1721, 1808, 0.82},
        {107, "Whoosh", 6131, 6220, 0.8},
        {108, "Swoosh", 6131, 6220, 0.8},
        {109, "Chime", 2854, 2940, 0.7},
        {110, "Boing", 2874, 2960, 0.72},
    }};
    return sounds.at(std::size_t(index));
}

Samples renderButtonSound(int index)
{
    const ButtonSound sound = buttonSound(index);
    const int count = sound.sampleCount;
    Samples clip;
    switch (index) {
    case 0:
        clip = click(count);
        break;
    case 1:
        clip = tick(count);
        break;
    case 2:
        clip = pop(count);
        break;
    case 3:
        clip = blip(count);
        break;
    case 4:
        clip = bloop(count);
        break;
    case 5:
        clip = knock(count);
        break;
    case 6:
        clip = whoosh(count, true);
        break;
    case 7:
        clip = whoosh(count, false);
        break;
    case 8:
        clip = chime(count);
        break;
    default:
        clip = boing(count);
        break;
    }
    // Remove any offset the filters left, then make both ends silent so the
    // clip neither starts nor stops with a jump.
    double mean = 0;
    for (const double sample : clip)
        mean += sample;
    mean /= double(clip.size());
    for (double &sample : clip)
        sample -= mean;
    normalize(clip, sound.peak);
    fadeEdges(clip, 6, int(0.012 * rate));
    return clip;
}
