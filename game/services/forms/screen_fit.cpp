#include "services/forms/screen_fit.h"

#include "services/forms/form.h"
#include "services/forms/form_builder.h"

#include <QEvent>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

ScreenFit::ScreenFit(Form &form, double normalScale)
    : QObject(&form)
    , m_form(form)
    , m_normalScale(normalScale)
    , m_scale(normalScale)
    , m_arrangedIn(form.size())
{
    connect(new QShortcut(QKeySequence(Qt::Key_F11), &form), &QShortcut::activated, this, &ScreenFit::toggleFullScreen);
    form.installEventFilter(this);
    watchScreen();
}

bool ScreenFit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_form) {
        switch (event->type()) {
        case QEvent::Show:
            watchScreen();
            break;
        case QEvent::WindowStateChange:
            followState();
            break;
        case QEvent::Resize:
            // Only the window manager sizes a full-screen or maximised
            // window; any other resize leaves the design where it is.
            if (sizeIsFree())
                fitFree();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool ScreenFit::sizeIsFree() const
{
    return m_form.windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized);
}

void ScreenFit::toggleFullScreen()
{
    if (m_form.isFullScreen()) {
        m_form.showNormal();
        return;
    }
    m_placeBeforeFullScreen = m_form.geometry().topLeft();
    freeSize();
    m_form.showFullScreen();
}

// The window's screen is known once it has a native window.
void ScreenFit::watchScreen()
{
    if (m_watchingScreen || !m_form.windowHandle())
        return;
    connect(m_form.windowHandle(), &QWindow::screenChanged, this, &ScreenFit::followScreen);
    m_watchingScreen = true;
}

void ScreenFit::followState()
{
    if (!sizeIsFree()) {
        fitNormal();
        return;
    }
    freeSize();
    // The window manager may size the window only after the change; the
    // resize it sends then fits the design again.
    fitFree();
}

void ScreenFit::followScreen(QScreen *screen)
{
    if (!screen)
        return;
    m_normalScale = FormBuilder::scaleToFill(screen->availableSize(), m_form.designSize());
    if (!sizeIsFree())
        fitNormal();
}

// The designed size is fixed; held to it, the window could not grow.
void ScreenFit::freeSize()
{
    m_form.setMinimumSize(0, 0);
    m_form.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void ScreenFit::fitNormal()
{
    const bool wasFree = m_form.minimumSize() != m_form.maximumSize();
    if (m_scale != m_normalScale || wasFree)
        apply(m_normalScale, true);
    // Resized while the window manager still held it full screen, the
    // window would stay where the full screen began.
    if (m_placeBeforeFullScreen) {
        m_form.setGeometry(QRect(*m_placeBeforeFullScreen, m_form.size()));
        m_placeBeforeFullScreen.reset();
    }
}

void ScreenFit::fitFree()
{
    const double scale = FormBuilder::scaleToFill(m_form.size(), m_form.designSize(), 1.0);
    if (scale != m_scale || m_form.size() != m_arrangedIn)
        apply(scale, false);
}

void ScreenFit::apply(double scale, bool fixedSize)
{
    m_form.rescale(scale, fixedSize);
    m_scale = scale;
    m_arrangedIn = m_form.size();
    Q_EMIT rescaled();
}
