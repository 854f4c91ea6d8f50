#pragma once

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
    int secondsLeft = 0; // what the countdown shows next (unchanged when the timer stops)
};

// The last seconds of a running countdown, and the zero it stops at, are
// shown so that the room cannot miss them.
inline constexpr int kFinalSeconds = 5;
inline bool inFinalSeconds(int secondsLeft)
{
    return secondsLeft >= 0 && secondsLeft <= kFinalSeconds;
}

// One tick over the seconds on show: it counts down by one, sounds the
// buzzer and stops the music on the tick that shows 0, and stops on the
// tick that finds 0.
Tick tick(int secondsLeft, const Settings &settings);

} // namespace Countdown
