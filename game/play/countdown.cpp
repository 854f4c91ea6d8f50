#include "play/countdown.h"

#include "services/error_codes.h"

#include "core/rounding.h"

#include <cmath>
#include <limits>

namespace Countdown {

int secondsShown(const QString &shown)
{
    bool ok = false;
    const double value = shown.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw ZorbelError(ErrorNumber::TypeMismatch, QStringLiteral("countdown \"%1\"").arg(shown));
    if (value < std::numeric_limits<qint16>::min() - 0.5 || value >= std::numeric_limits<qint16>::max() + 0.5)
        throw ZorbelError(ErrorNumber::Overflow, QStringLiteral("countdown \"%1\"").arg(shown));
    return roundHalfEven<qint16>(value);
}

Tick tick(const QString &shown, const Settings &settings)
{
    const int seconds = secondsShown(shown);
    Tick result;
    if (seconds == 1 && !settings.soundOff) {
        result.playBuzzer = settings.buzzer;
        result.stopMusic = !settings.soundAlwaysOn;
    }
    if (seconds == 0) {
        result.stopTimer = true;
        result.display = shown;
    } else {
        result.display = QString::number(seconds - 1);
    }
    return result;
}

} // namespace Countdown
