#include "play/windows/room_display_control.h"

#include <QActionGroup>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {

const QString kScreenKey = QStringLiteral("RoomDisplay/Screen");

QList<QScreen *> screensBut(const QScreen *leaving)
{
    QList<QScreen *> screens = QGuiApplication::screens();
    screens.removeAll(leaving);
    return screens;
}

} // namespace

RoomDisplayControl::RoomDisplayControl(QWidget *console, MakeDisplay makeDisplay, QString settingsPath)
    : QObject(console)
    , m_console(console)
    , m_makeDisplay(std::move(makeDisplay))
    , m_settingsPath(std::move(settingsPath))
{
    connect(qApp, &QGuiApplication::screenRemoved, this, &RoomDisplayControl::screenRemoved);
}

RoomDisplayControl::~RoomDisplayControl()
{
    delete m_display;
}

bool RoomDisplayControl::isOpen() const
{
    return m_display && m_display->isVisible();
}

void RoomDisplayControl::toggle()
{
    if (isOpen())
        close();
    else
        open();
}

void RoomDisplayControl::open()
{
    if (!m_display) {
        m_display = m_makeDisplay();
        m_display->setAttribute(Qt::WA_DeleteOnClose);
    }
    place();
}

void RoomDisplayControl::close()
{
    if (m_display)
        m_display->close();
}

QString RoomDisplayControl::chosenScreen() const
{
    return QSettings(m_settingsPath, QSettings::IniFormat).value(kScreenKey).toString();
}

void RoomDisplayControl::choose(const QString &screenName)
{
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.setValue(kScreenKey, screenName);
    settings.sync();
    if (isOpen())
        place();
}

QScreen *RoomDisplayControl::targetScreen(const QScreen *leaving) const
{
    const QList<QScreen *> screens = screensBut(leaving);
    if (screens.isEmpty())
        return nullptr;
    const QString chosen = chosenScreen();
    for (QScreen *screen : screens)
        if (!chosen.isEmpty() && screen->name() == chosen)
            return screen;
    // The room watches another screen than the host's, where there is one.
    const QScreen *consoleScreen = m_console->screen();
    for (QScreen *screen : screens)
        if (screen != consoleScreen)
            return screen;
    return screens.first();
}

void RoomDisplayControl::place(const QScreen *leaving)
{
    QScreen *target = targetScreen(leaving);
    if (!m_display || !target)
        return;
    m_display->setScreen(target);
    if (screensBut(leaving).size() > 1) {
        m_display->setGeometry(target->geometry());
        m_display->showFullScreen();
        return;
    }
    // One screen: a window the host can drag, two thirds of the screen.
    const QRect available = target->availableGeometry();
    m_display->showNormal();
    m_display->resize(available.size() * 2 / 3);
    m_display->move(available.center() - m_display->rect().center());
}

// Qt may already have moved the window off the screen, but not to a
// place the room can see: it is placed again among the screens left.
void RoomDisplayControl::screenRemoved(QScreen *screen)
{
    if (isOpen())
        place(screen);
}

std::unique_ptr<QMenu> RoomDisplayControl::chooser()
{
    auto menu = std::make_unique<QMenu>(m_console);
    menu->setTitle(QStringLiteral("Room display screen"));
    auto *group = new QActionGroup(menu.get());
    const QScreen *target = targetScreen();
    for (QScreen *screen : QGuiApplication::screens()) {
        const QSize size = screen->size() * screen->devicePixelRatio();
        QAction *action = menu->addAction(
            QStringLiteral("%1 (%2 \u00d7 %3)").arg(screen->name()).arg(size.width()).arg(size.height()));
        action->setCheckable(true);
        action->setChecked(screen == target);
        action->setActionGroup(group);
        const QString name = screen->name();
        connect(action, &QAction::triggered, this, [this, name] { choose(name); });
    }
    return menu;
}
