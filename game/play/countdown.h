#pragma once

#include <QString>

// The countdown's rules for one tick of its one-second timer.
namespace Countdown {

struct Settings {
    bool soundOff = false; // "Sound Off" selected
    bool buzzer = false; // sound the buzzer at zero
    bool soundAlwaysOn = false; // keep the music playing at zero
};

struct Tick {
    bool playBuzzer = false;
    bool stopMusic = false;
    bool stopTimer = false;
    QString display; // the countdown box's new text (unchanged when the timer stops)
};

// One tick over the text the countdown box shows: it counts down by one,
// sounds the buzzer and stops the music on the tick that shows 0, and stops
// on the tick that finds 0. Throws ZorbelError for a text that is not a
// number within the 16-bit range.
Tick tick(const QString &shown, const Settings &settings);

// The box's text as the countdown reads it: a number, rounded to the nearest
// whole second (halves to even).
int secondsShown(const QString &shown);

} // namespace Countdown
