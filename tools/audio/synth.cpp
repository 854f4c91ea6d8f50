#include "synth.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace synth {

double midiToHz(double note)
{
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

int noteNumber(const char *name)
{
    static const int pitchClass[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (!name || name[0] < 'A' || name[0] > 'G')
        return -1;
    int note = pitchClass[name[0] - 'A'];
    const char *rest = name + 1;
    if (*rest == '#') {
        ++note;
        ++rest;
    } else if (*rest == 'b') {
        --note;
        ++rest;
    }
    if (!std::isdigit(static_cast<unsigned char>(*rest)) || rest[1] != '\0')
        return -1;
    return note + 12 * (*rest - '0' + 1);
}

double Noise::next()
{
    // xorshift32: enough for noise, and the same on every machine.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state / 2147483647.5 - 1.0;
}

namespace {

double harmonicWeight(Wave wave, int k)
{
    switch (wave) {
    case Wave::Sine:
        return k == 1 ? 1.0 : 0.0;
    case Wave::Saw:
        return 2.0 / (pi * k) * (k % 2 ? 1 : -1);
    case Wave::Square:
        return k % 2 ? 4.0 / (pi * k) : 0.0;
    case Wave::Triangle:
        return k % 2 ? 8.0 / (pi * pi * k * k) * ((k / 2) % 2 ? -1 : 1) : 0.0;
    }
    return 0.0;
}

} // namespace

Samples oscillator(Wave wave, int count, double rate, const std::function<double(double)> &frequency, double brightness,
                   double phase)
{
    Samples out(std::size_t(std::max(0, count)));
    const double nyquist = rate / 2;
    for (int i = 0; i < count; ++i) {
        const double hz = frequency(i / rate);
        phase += 2 * pi * hz / rate;
        if (phase > 2 * pi * 1024)
            phase = std::fmod(phase, 2 * pi);
        double value = 0;
        // Harmonics far above the brightness corner add nothing audible.
        const double limit = std::min(nyquist * 0.95, brightness * 8);
        for (int k = 1; k == 1 || k * hz < limit; ++k) {
            const double weight = harmonicWeight(wave, k);
            if (weight == 0)
                continue;
            const double ratio = k * hz / brightness;
            value += weight * std::sin(k * phase) / (1 + ratio * ratio);
            if (wave == Wave::Sine)
                break;
        }
        out[std::size_t(i)] = value;
    }
    return out;
}

double Adsr::at(double t, double gate) const
{
    auto held = [this](double time) {
        if (time < attack)
            return time / attack;
        return sustain + (1 - sustain) * std::exp(-(time - attack) / decay);
    };
    if (t < 0)
        return 0;
    if (t < gate)
        return held(t);
    return held(gate) * std::exp(-(t - gate) / release);
}

namespace {

struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    void design(FilterKind kind, double rate, double frequency, double q)
    {
        const double w = 2 * pi * std::clamp(frequency, 10.0, rate * 0.49) / rate;
        const double alpha = std::sin(w) / (2 * q);
        const double c = std::cos(w);
        double n0 = 0, n1 = 0, n2 = 0;
        switch (kind) {
        case FilterKind::LowPass:
            n0 = (1 - c) / 2;
            n1 = 1 - c;
            n2 = (1 - c) / 2;
            break;
        case FilterKind::HighPass:
            n0 = (1 + c) / 2;
            n1 = -(1 + c);
            n2 = (1 + c) / 2;
            break;
        case FilterKind::BandPass:
            n0 = alpha;
            n1 = 0;
            n2 = -alpha;
            break;
        }
        const double d0 = 1 + alpha;
        b0 = n0 / d0;
        b1 = n1 / d0;
        b2 = n2 / d0;
        a1 = -2 * c / d0;
        a2 = (1 - alpha) / d0;
    }

    double run(double x)
    {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

} // namespace

void filter(Samples &samples, double rate, FilterKind kind, double frequency, double q)
{
    Biquad biquad;
    biquad.design(kind, rate, frequency, q);
    for (double &sample : samples)
        sample = biquad.run(sample);
}

void sweptBandPass(Samples &samples, double rate, const std::function<double(double)> &frequency, double q)
{
    Biquad biquad;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (i % 16 == 0)
            biquad.design(FilterKind::BandPass, rate, frequency(double(i) / rate), q);
        samples[i] = biquad.run(samples[i]);
    }
}

void applyGain(Samples &samples, const std::function<double(double)> &gain, double rate)
{
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] *= gain(double(i) / rate);
}

void scale(Samples &samples, double factor)
{
    for (double &sample : samples)
        sample *= factor;
}

double peak(const Samples &samples)
{
    double loudest = 0;
    for (const double sample : samples)
        loudest = std::max(loudest, std::abs(sample));
    return loudest;
}

void normalize(Samples &samples, double target)
{
    const double loudest = peak(samples);
    if (loudest > 0)
        scale(samples, target / loudest);
}

void fadeEdges(Samples &samples, int fadeInSamples, int fadeOutSamples)
{
    const int size = int(samples.size());
    for (int i = 0; i < fadeInSamples && i < size; ++i)
        samples[std::size_t(i)] *= 0.5 - 0.5 * std::cos(pi * i / fadeInSamples);
    for (int i = 0; i < fadeOutSamples && i < size; ++i)
        samples[std::size_t(size - 1 - i)] *= 0.5 - 0.5 * std::cos(pi * i / fadeOutSamples);
}

void addWrapped(Samples &target, const Samples &source, long offset, double gain)
{
    const long size = long(target.size());
    if (size == 0)
        return;
    long position = ((offset % size) + size) % size;
    for (const double sample : source) {
        target[std::size_t(position)] += gain * sample;
        if (++position == size)
            position = 0;
    }
}

void loopEcho(Samples &samples, long delay, double feedback, double mix)
{
    const long size = long(samples.size());
    if (size == 0 || delay <= 0)
        return;
    // Two passes round the loop let the feedback settle into its steady state.
    Samples wet(samples.size(), 0.0);
    for (int pass = 0; pass < 2; ++pass) {
        for (long i = 0; i < size; ++i) {
            const long from = ((i - delay) % size + size) % size;
            wet[std::size_t(i)] = samples[std::size_t(from)] + feedback * wet[std::size_t(from)];
        }
    }
    for (long i = 0; i < size; ++i)
        samples[std::size_t(i)] += mix * wet[std::size_t(i)];
}

} // namespace synth
