#include "play/windows/countdown_alert.h"

#include "play/countdown.h"

#include <QTimer>
#include <QWidget>

#include <cmath>

namespace {

const QColor kFlashColour(255, 112, 72);
constexpr int kStepMs = 40;
constexpr int kStepsPerPulse = 12; // about half a second
constexpr int kPulsesAtZero = 3;

QColor blend(const QColor &from, const QColor &to, double amount)
{
    auto mix = [amount](int a, int b) { return int(std::lround(a + (b - a) * amount)); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}

} // namespace

const QColor CountdownAlert::kAlertColour(200, 24, 32);

CountdownAlert::CountdownAlert(QWidget *box)
    : QObject(box)
    , m_box(box)
    , m_designed(box->palette())
    , m_pulse(new QTimer(this))
{
    m_pulse->setObjectName(QStringLiteral("countdownPulse"));
    m_pulse->setInterval(kStepMs);
    connect(m_pulse, &QTimer::timeout, this, &CountdownAlert::pulseStep);
}

void CountdownAlert::show(int secondsLeft, bool running)
{
    const bool stoppedAtZero = !running && secondsLeft == 0;
    if (!(running && Countdown::inFinalSeconds(secondsLeft)) && !(stoppedAtZero && m_alerting)) {
        restore();
        return;
    }
    if (m_alerting && secondsLeft == m_shownSeconds)
        return;
    m_alerting = true;
    m_shownSeconds = secondsLeft;
    m_step = 0;
    m_steps = kStepsPerPulse * (secondsLeft == 0 ? kPulsesAtZero : 1);
    paint(kFlashColour);
    m_pulse->start();
}

void CountdownAlert::pulseStep()
{
    ++m_step;
    if (m_step >= m_steps) {
        m_pulse->stop();
        paint(kAlertColour);
        return;
    }
    // Each pulse flashes and fades back to the alert colour.
    const double phase = double(m_step % kStepsPerPulse) / kStepsPerPulse;
    paint(blend(kFlashColour, kAlertColour, phase));
}

void CountdownAlert::paint(const QColor &background)
{
    QPalette palette = m_designed;
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
        palette.setColor(role, background);
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        palette.setColor(role, Qt::white);
    m_box->setPalette(palette);
}

void CountdownAlert::restore()
{
    m_pulse->stop();
    if (!m_alerting)
        return;
    m_alerting = false;
    m_shownSeconds = -1;
    m_box->setPalette(m_designed);
}
