#pragma once

#include <QObject>
#include <QPalette>

class QTimer;
class QWidget;

// Shows a countdown so that the room cannot miss its end: over the final
// seconds of a running countdown the box turns to the alert colour and
// pulses once a second; at zero it pulses a few times and then stays in the
// alert colour until the countdown shows something else. Otherwise the box
// keeps the look it had. The pulse's timer runs only while a pulse plays.
class CountdownAlert : public QObject
{
    Q_OBJECT

public:
    static const QColor kAlertColour;

    explicit CountdownAlert(QWidget *box);

    // What the countdown shows now.
    void show(int secondsLeft, bool running);

private:
    void pulseStep();
    void paint(const QColor &background);
    void restore();

    QWidget *m_box;
    QPalette m_designed;
    bool m_alerting = false;
    int m_shownSeconds = -1;
    QTimer *m_pulse;
    int m_step = 0;
    int m_steps = 0;
};
