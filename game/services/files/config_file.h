#pragma once

#include "services/error_codes.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

// One setting of Zorbel.cfg, ready for the main window to apply.
struct ConfigSetting {
    enum class Key { TimerTime, SoundContinual, Buzzer, Sound, Timer };

    Key key = Key::TimerTime;
    // TimerTime only: the value as the line writes it (upper-cased, blanks
    // removed), which the countdown box shows unchanged, and the countdown
    // length it stands for.
    QString valueText;
    qint16 seconds = 0;
    // The other keys: YES (or ON) against NO (or OFF).
    bool on = false;

    friend bool operator==(const ConfigSetting &, const ConfigSetting &) = default;
};

// A countdown length as a line or a list gives it: the text as written,
// which the countdown shows unchanged until it first counts ("40.4"), and
// the whole seconds it stands for.
struct CountdownLength {
    QString text;
    qint16 seconds = 0;

    friend bool operator==(const CountdownLength &, const CountdownLength &) = default;
};

// The five play settings as one value: what Zorbel.cfg gives, what the
// configuration window shows and what it hands back when the host saves. An
// empty optional is a setting the file does not give, or a list without a
// selection (its line is then written with an empty value).
struct PlaySettings {
    std::optional<CountdownLength> timerTime;
    std::optional<bool> soundContinual;
    std::optional<bool> buzzer;
    std::optional<bool> sound;
    std::optional<bool> timer;

    // Takes one line's setting over; a key given twice ends with the later value.
    void apply(const ConfigSetting &setting);

    friend bool operator==(const PlaySettings &, const PlaySettings &) = default;
};

// Zorbel.cfg: five play settings, one "Key: value" line each, written whole
// by the configuration window and read once at start-up.
//
// The reader is tolerant of anything a host may type by hand: lines are
// trimmed of blanks, upper-cased and stripped of every blank, so "sound : on"
// reads as SOUND:ON. Empty lines, "#" comments, lines without exactly one
// colon, unknown keys and unknown values are skipped.
//
// A TIMERTIME value counts as numeric when it is a plain decimal number in
// this grammar, the same on every machine whatever the host's locale:
//     [+|-] digits [. [digits]] [E [+|-] digits]   or   [+|-] . digits [E ...]
// so "40", "+40", "-0", "40.", "40.4", ".5E2" and "4E1" are numbers, while
// "NaN", "Infinity", hex forms ("&H28", "0X28"), thousands separators
// ("1,000") and decimal commas are not, and such a line is skipped. A number
// is rounded to the nearest whole number, halves to the even neighbour; one
// that falls outside the 16-bit range (-32768..32767) cannot be a countdown
// and ends the reading with ErrorNumber::Overflow.
namespace ConfigFile {

// "Zorbel.cfg", the file's name in the program directory.
QString fileName();

using ApplySetting = std::function<void(const ConfigSetting &)>;

// The countdown length a value stands for, if it is a numeric text (the
// grammar above) that rounds to 0..120 seconds in steps of ten. Throws
// ZorbelError(Overflow) for a number beyond the 16-bit range.
std::optional<CountdownLength> countdownLength(const QString &value);

// The setting one line gives, if any. Throws ZorbelError(Overflow) for a
// numeric TIMERTIME value beyond the 16-bit range.
std::optional<ConfigSetting> parseLine(QStringView line);

// Hands every setting of text to apply, in the order of its lines, so that a
// key given twice ends with the later value. An overflowing line throws
// after the settings before it have been applied; the rest is not read.
void readText(QStringView text, const ApplySetting &apply);

// The settings of the file at path, read as readFile does. When reading
// fails, settings holds what the lines before the failure gave.
struct Reading {
    PlaySettings settings;
    std::optional<ZorbelError> failure;
};
Reading read(const QString &path);

// readText over the file at path, read piece by piece so that a file of any
// size is read in bounded memory. A missing file applies nothing; a file
// that cannot be read throws ZorbelError. A line longer than a megabyte is
// no setting anybody wrote and is skipped unread.
void readFile(const QString &path, const ApplySetting &apply);

// The seven lines the configuration window saves, each ended by CR LF.
QByteArray fileBytes(const PlaySettings &settings);

// Replaces the file at path with fileBytes in one step; on failure the old
// file stays as it was and ZorbelError is thrown.
void save(const QString &path, const PlaySettings &settings);

// The value of a numeric text in the grammar above, or nothing when the text
// is not numeric. A number too large for a double is infinite.
std::optional<double> numericValue(QStringView text);

} // namespace ConfigFile
