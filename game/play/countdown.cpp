#include "play/countdown.h"

namespace Countdown {

Tick tick(int secondsLeft, const Settings &settings)
{
    Tick result;
    if (secondsLeft == 1 && !settings.soundOff) {
        result.playBuzzer = settings.buzzer;
        result.stopMusic = !settings.soundAlwaysOn;
    }
    result.stopTimer = secondsLeft == 0;
    result.secondsLeft = result.stopTimer ? 0 : secondsLeft - 1;
    return result;
}

} // namespace Countdown
