#include "game_tune.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace synth;

namespace {

constexpr double tempo = 132; // beats per minute
constexpr int eighthsPerBar = 8;

// One bar of the score: the chord of each half bar ("F G"; one name fills
// the bar) and the melody as note:eighths tokens, R for a rest.
struct Bar {
    const char *chords;
    const char *melody;
};

// The verse's first six bars, played twice with different endings.
const Bar verse[] = {
    {"C", "G4:1 C5:1 E5:1 G5:1 E5:2 C5:2"},      {"Am", "A4:1 C5:1 E5:1 A5:1 G5:2 E5:2"},
    {"F", "F5:1 E5:1 D5:1 C5:1 A4:2 C5:2"},      {"G", "D5:2 B4:1 G4:1 D5:2 R:2"},
    {"C", "G4:1 C5:1 E5:1 G5:1 C6:2 B5:1 A5:1"}, {"Am", "A5:2 E5:2 C5:1 E5:1 A5:2"},
};

// The first ending comes home to C; the second sits on the dominant so that
// the loop falls back into the first bar.
const Bar firstEnding[] = {
    {"F G", "F5:1 A5:1 C6:2 B5:1 G5:1 D5:2"},
    {"C", "C5:2 E5:1 G5:1 C6:3 R:1"},
};
const Bar secondEnding[] = {
    {"F G", "F5:1 A5:1 C6:2 B5:1 D6:1 G5:2"},
    {"G7", "F5:1 G5:1 A5:1 B5:1 D6:2 B5:1 D5:1"},
};

const Bar bridge[] = {
    {"F", "A5:2 A5:1 G5:1 F5:2 C5:2"},        {"G", "B5:2 B5:1 A5:1 G5:2 D5:2"},
    {"Em", "G5:1 E5:1 B4:1 E5:1 G5:2 B5:2"},  {"Am", "C6:2 B5:1 A5:1 E5:4"},
    {"Dm", "F5:1 A5:1 D6:2 C6:1 A5:1 F5:2"},  {"G", "G5:1 B5:1 D6:2 B5:1 G5:1 D5:2"},
    {"C F", "E5:1 G5:1 C6:2 A5:1 C6:1 F6:2"}, {"G7", "D6:2 C6:1 B5:1 A5:1 B5:1 G5:2"},
};

// Verse, bridge, verse again: 24 bars.
QList<Bar> score()
{
    QList<Bar> bars;
    bars.append(QList<Bar>(std::begin(verse), std::end(verse)));
    bars.append(QList<Bar>(std::begin(firstEnding), std::end(firstEnding)));
    bars.append(QList<Bar>(std::begin(bridge), std::end(bridge)));
    bars.append(QList<Bar>(std::begin(verse), std::end(verse)));
    bars.append(QList<Bar>(std::begin(secondEnding), std::end(secondEnding)));
    return bars;
}

[[noreturn]] void scoreError(const char *what, const std::string &token)
{
    std::fprintf(stderr, "make_music: bad score %s \"%s\"\n", what, token.c_str());
    std::exit(3);
}

struct Note {
    int eighth; // from the start of the bar
    int length; // in eighths
    int midi; // -1 for a rest
};

QList<Note> melodyOf(const Bar &bar)
{
    QList<Note> notes;
    int position = 0;
    for (const QByteArray &token : QByteArray(bar.melody).split(' ')) {
        const QList<QByteArray> parts = token.split(':');
        if (parts.size() != 2)
            scoreError("token", token.toStdString());
        const int length = parts[1].toInt();
        const int midi = parts[0] == "R" ? -1 : noteNumber(parts[0].constData());
        if (length <= 0 || (midi < 0 && parts[0] != "R"))
            scoreError("note", token.toStdString());
        notes.append({position, length, midi});
        position += length;
    }
    if (position != eighthsPerBar)
        scoreError("bar length", bar.melody);
    return notes;
}

struct Chord {
    int root; // pitch class
    std::array<int, 4> intervals;
    int size;
};

Chord chordNamed(const QByteArray &name)
{
    const int root = noteNumber((name.left(1) + "4").constData());
    if (root < 0)
        scoreError("chord", name.toStdString());
    const QByteArray quality = name.mid(1);
    if (quality.isEmpty())
        return {root % 12, {0, 4, 7, 0}, 3};
    if (quality == "m")
        return {root % 12, {0, 3, 7, 0}, 3};
    if (quality == "7")
        return {root % 12, {0, 4, 7, 10}, 4};
    scoreError("chord", name.toStdString());
}

// The chord sounding at a given eighth of a bar.
Chord chordAt(const Bar &bar, int eighth)
{
    const QList<QByteArray> names = QByteArray(bar.chords).split(' ');
    return chordNamed(names.size() > 1 && eighth >= eighthsPerBar / 2 ? names[1] : names[0]);
}

// Places a pitch class into the octave range [low, low + 12).
int inRange(int pitchClass, int low)
{
    int note = low + ((pitchClass - low) % 12 + 12) % 12;
    return note;
}

struct Bus {
    Samples left;
    Samples right;

    explicit Bus(std::size_t size)
        : left(size, 0.0)
        , right(size, 0.0)
    {
    }

    // pan -1 (left) .. 1 (right), equal power.
    void add(const Samples &sound, long offset, double gain, double pan)
    {
        const double angle = (pan + 1) * pi / 4;
        addWrapped(left, sound, offset, gain * std::cos(angle));
        addWrapped(right, sound, offset, gain * std::sin(angle));
    }
};

class TuneRenderer
{
public:
    explicit TuneRenderer(int rate)
        : m_rate(rate)
        , m_eighth(60.0 / tempo / 2)
        , m_noise(0xC0FFEE)
    {
    }

    long at(int bar, double eighth) const { return std::lround((bar * eighthsPerBar + eighth) * m_eighth * m_rate); }
    double eighthSeconds() const { return m_eighth; }

    Samples lead(double hz, double gate) const
    {
        const Adsr envelope{0.006, 0.12, 0.65, 0.07};
        const int count = int((gate + 0.4) * m_rate);
        auto pitch = [hz](double t) {
            const double depth = std::clamp((t - 0.12) / 0.1, 0.0, 1.0);
            return hz * (1 + 0.004 * depth * std::sin(2 * pi * 5.5 * t));
        };
        Samples saw = oscillator(Wave::Saw, count, m_rate, pitch, 2600);
        const Samples square = oscillator(Wave::Square, count, m_rate, pitch, 2000);
        for (std::size_t i = 0; i < saw.size(); ++i)
            saw[i] = (0.6 * saw[i] + 0.4 * square[i]) * envelope.at(double(i) / m_rate, gate);
        return saw;
    }

    Samples stab(double hz, double gate) const
    {
        const Adsr envelope{0.004, 0.08, 0.3, 0.05};
        const int count = int((gate + 0.25) * m_rate);
        Samples a = oscillator(
            Wave::Saw, count, m_rate, [hz](double) { return hz; }, 1800);
        const Samples b = oscillator(
            Wave::Saw, count, m_rate, [hz](double) { return hz * 1.004; }, 1800, 1.0);
        for (std::size_t i = 0; i < a.size(); ++i)
            a[i] = 0.5 * (a[i] + b[i]) * envelope.at(double(i) / m_rate, gate);
        return a;
    }

    Samples bass(double hz, double gate) const
    {
        const Adsr envelope{0.004, 0.2, 0.5, 0.05};
        const int count = int((gate + 0.25) * m_rate);
        Samples saw = oscillator(
            Wave::Saw, count, m_rate, [hz](double) { return hz; }, 500);
        const Samples sine = oscillator(Wave::Sine, count, m_rate, [hz](double) { return hz; });
        for (std::size_t i = 0; i < saw.size(); ++i)
            saw[i] = (0.7 * saw[i] + 0.6 * sine[i]) * envelope.at(double(i) / m_rate, gate);
        return saw;
    }

    Samples glockenspiel(double hz) const
    {
        const int count = int(0.9 * m_rate);
        Samples out(std::size_t(count), 0.0);
        for (const auto &[ratio, gain, life] :
             std::array<std::array<double, 3>, 2>{{{1.0, 1.0, 0.35}, {2.76, 0.3, 0.12}}}) {
            Samples partial = oscillator(Wave::Sine, count, m_rate, [=](double) { return hz * ratio; });
            applyGain(
                partial, [=](double t) { return std::min(1.0, t / 0.002) * std::exp(-t / life); }, m_rate);
            for (std::size_t i = 0; i < out.size(); ++i)
                out[i] += gain * partial[i];
        }
        return out;
    }

    Samples kick() const
    {
        const int count = int(0.4 * m_rate);
        Samples out = oscillator(Wave::Sine, count, m_rate, [](double t) { return 48 + 95 * std::exp(-t / 0.03); });
        applyGain(
            out, [](double t) { return std::min(1.0, t / 0.001) * std::exp(-t / 0.22); }, m_rate);
        return out;
    }

    Samples snare()
    {
        const int count = int(0.3 * m_rate);
        Samples rattle = noise(count);
        filter(rattle, m_rate, FilterKind::HighPass, 1400, 0.7);
        filter(rattle, m_rate, FilterKind::LowPass, 9000, 0.7);
        applyGain(
            rattle, [](double t) { return std::min(1.0, t / 0.001) * std::exp(-t / 0.085); }, m_rate);
        Samples body = oscillator(Wave::Sine, count, m_rate, [](double t) { return 190 + 40 * std::exp(-t / 0.02); });
        applyGain(
            body, [](double t) { return std::min(1.0, t / 0.001) * std::exp(-t / 0.05); }, m_rate);
        for (std::size_t i = 0; i < rattle.size(); ++i)
            rattle[i] = 0.8 * rattle[i] + 0.6 * body[i];
        return rattle;
    }

    Samples hat(double life)
    {
        const int count = int((life * 6 + 0.01) * m_rate);
        Samples out = noise(count);
        filter(out, m_rate, FilterKind::HighPass, 7000, 0.8);
        applyGain(
            out, [life](double t) { return std::min(1.0, t / 0.0008) * std::exp(-t / life); }, m_rate);
        return out;
    }

    Samples crash()
    {
        const int count = int(2.4 * m_rate);
        Samples out = noise(count);
        filter(out, m_rate, FilterKind::HighPass, 4200, 0.7);
        applyGain(
            out, [](double t) { return std::min(1.0, t / 0.002) * std::exp(-t / 0.65); }, m_rate);
        return out;
    }

private:
    Samples noise(int count)
    {
        Samples out(static_cast<std::size_t>(count));
        for (double &sample : out)
            sample = m_noise.next();
        return out;
    }

    int m_rate;
    double m_eighth;
    Noise m_noise;
};

} // namespace

StereoTrack renderGameTune(int rate)
{
    TuneRenderer tune(rate);
    const QList<Bar> bars = score();
    const int barCount = int(bars.size());
    const std::size_t length = std::size_t(tune.at(barCount, 0));
    const double eighth = tune.eighthSeconds();

    Bus melody(length);
    Bus band(length);

    for (int barIndex = 0; barIndex < barCount; ++barIndex) {
        const Bar &bar = bars[barIndex];
        const bool bridge = barIndex >= 8 && barIndex < 16;
        const bool lastOfSection = barIndex % 8 == 7;

        for (const Note &note : melodyOf(bar)) {
            if (note.midi < 0)
                continue;
            const double hz = midiToHz(note.midi);
            melody.add(tune.lead(hz, note.length * eighth * 0.85), tune.at(barIndex, note.eighth), 0.26, 0);
            if (bridge)
                band.add(tune.glockenspiel(hz * 2), tune.at(barIndex, note.eighth), 0.07, 0.35);
        }

        // Chord stabs on every off-beat: the bounce of a game-show band.
        for (int offBeat = 1; offBeat < eighthsPerBar; offBeat += 2) {
            const Chord chord = chordAt(bar, offBeat);
            for (int i = 0; i < chord.size; ++i) {
                const int note = inRange(chord.root + chord.intervals[std::size_t(i)], 55);
                const double pan = -0.45 + 0.9 * i / std::max(1, chord.size - 1);
                band.add(tune.stab(midiToHz(note), eighth * 0.55), tune.at(barIndex, offBeat), 0.06, pan);
            }
        }

        // Bass: root and fifth, an octave jump on the third beat of a whole-bar chord.
        for (int beat = 0; beat < 4; ++beat) {
            const Chord chord = chordAt(bar, beat * 2);
            const int root = inRange(chord.root, 36);
            const bool changes = QByteArray(bar.chords).contains(' ');
            int note = root;
            if (beat % 2 == 1)
                note = root + 7;
            else if (beat == 2 && !changes)
                note = root + 12;
            band.add(tune.bass(midiToHz(note), eighth * 1.7), tune.at(barIndex, beat * 2), 0.3, 0);
        }

        // Drums.
        for (int beat = 0; beat < 4; ++beat) {
            if (beat % 2 == 0)
                band.add(tune.kick(), tune.at(barIndex, beat * 2), 0.55, 0);
            else
                band.add(tune.snare(), tune.at(barIndex, beat * 2), 0.3, 0.05);
        }
        if (barIndex % 2 == 1)
            band.add(tune.kick(), tune.at(barIndex, 5), 0.4, 0); // a push into the next bar
        for (int step = 0; step < eighthsPerBar; ++step) {
            const bool open = step == 7 && barIndex % 2 == 1 && !lastOfSection;
            band.add(tune.hat(open ? 0.12 : 0.022), tune.at(barIndex, step), step % 2 ? 0.1 : 0.06, 0.3);
        }
        if (lastOfSection) {
            // A snare fill across the last beat, growing louder.
            for (int step = 0; step < 4; ++step)
                band.add(tune.snare(), tune.at(barIndex, 6 + step * 0.5), 0.12 + 0.05 * step, -0.1 + 0.07 * step);
        }
        if (barIndex % 8 == 0)
            band.add(tune.crash(), tune.at(barIndex, 0), 0.11, -0.3);
    }

    // A dotted-quarter echo gives the melody space; it wraps round the loop.
    const long echoDelay = tune.at(0, 3);
    loopEcho(melody.left, echoDelay, 0.3, 0.22);
    loopEcho(melody.right, echoDelay, 0.3, 0.22);

    StereoTrack track;
    track.rate = rate;
    track.left = band.left;
    track.right = band.right;
    for (std::size_t i = 0; i < length; ++i) {
        track.left[i] += melody.left[i];
        track.right[i] += melody.right[i];
    }
    const double loudest = std::max(peak(track.left), peak(track.right));
    if (loudest > 0) {
        scale(track.left, 0.89 / loudest);
        scale(track.right, 0.89 / loudest);
    }
    return track;
}
