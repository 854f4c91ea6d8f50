#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QMenu;
class QScreen;
class QWidget;

// Opens and closes the room display and keeps it on the screen the room
// watches. With two or more screens the display fills the chosen one (by
// default one other than the console's); with one screen it is an ordinary
// window the host can drag. The host's choice of screen is remembered in a
// settings file of its own; a screen that goes away takes the display to a
// remaining one.
class RoomDisplayControl : public QObject
{
    Q_OBJECT

public:
    using MakeDisplay = std::function<QWidget *()>;

    RoomDisplayControl(QWidget *console, MakeDisplay makeDisplay, QString settingsPath);
    ~RoomDisplayControl() override;

    bool isOpen() const;
    QWidget *display() const { return m_display; }

    void toggle();
    void open();
    void close();

    // The screen the host chose, by name; empty until one is chosen.
    QString chosenScreen() const;
    void choose(const QString &screenName);

    // The chooser: every screen by name and size, the one the display goes
    // to checked. Built anew each time, so a screen just plugged in is offered.
    std::unique_ptr<QMenu> chooser();

    // Where the display goes among the screens, leaving out one that is
    // going away.
    QScreen *targetScreen(const QScreen *leaving = nullptr) const;

private:
    void place(const QScreen *leaving = nullptr);
    void screenRemoved(QScreen *screen);

    QWidget *m_console;
    MakeDisplay m_makeDisplay;
    QString m_settingsPath;
    QPointer<QWidget> m_display;
};
