#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>

#include <optional>

class Form;
class QScreen;

// Lets a designed window follow its screen. F11 turns full screen on and
// off. Made full screen or maximised, the window lays its design out anew at
// the largest scale its new size holds, centred, fonts alike; back at its
// normal size it takes the scale the design has on its screen, and moved to
// a screen of another size it takes that screen's. An ordinary resize
// changes nothing: the window keeps its designed size.
class ScreenFit : public QObject
{
    Q_OBJECT

public:
    // normalScale: the scale the window was loaded at, for its screen.
    ScreenFit(Form &form, double normalScale);

    double scale() const { return m_scale; }

Q_SIGNALS:
    // Every control has its new place and font.
    void rescaled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void toggleFullScreen();
    void watchScreen();
    void followState();
    void followScreen(QScreen *screen);
    void freeSize();
    void fitNormal();
    void fitFree();
    void apply(double scale, bool fixedSize);
    bool sizeIsFree() const;

    Form &m_form;
    double m_normalScale;
    double m_scale;
    std::optional<QPoint> m_placeBeforeFullScreen;
    QSize m_arrangedIn; // the window's size when the design was last laid out
    bool m_watchingScreen = false;
};
