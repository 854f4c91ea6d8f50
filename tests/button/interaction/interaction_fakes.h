#pragma once

#include "core/pointer_probe.h"
#include "core/sound_player.h"
#include "ravlen.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QWidget>

// A pretend pointer for the hover poll: tests say which widget it is over.
// Installed for as long as it lives.
class FakePointer final : public PointerProbe
{
public:
    FakePointer() { PointerProbe::setInstance(this); }
    ~FakePointer() override { PointerProbe::setInstance(nullptr); }
    FakePointer(const FakePointer &) = delete;
    FakePointer &operator=(const FakePointer &) = delete;

    QPoint position() const override { return {17, 23}; }
    QWidget *widgetAt(const QPoint &) const override { return over; }

    QWidget *over = nullptr;
};

// Records what would have been played, with the bytes the file held then.
// Installed for as long as it lives.
class RecordingSoundPlayer final : public SoundPlayer
{
public:
    RecordingSoundPlayer() { SoundPlayer::setInstance(this); }
    ~RecordingSoundPlayer() override { SoundPlayer::setInstance(nullptr); }
    RecordingSoundPlayer(const RecordingSoundPlayer &) = delete;
    RecordingSoundPlayer &operator=(const RecordingSoundPlayer &) = delete;

    void play(const QString &path) override
    {
        played.append(path);
        QFile file(path);
        bytes.append(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }

    QStringList played;
    QList<QByteArray> bytes;
};

// One tick of a running timer, delivered at once; a stopped timer does not
// tick, just as with the real clock.
inline bool tick(QTimer *timer)
{
    if (!timer || !timer->isActive())
        return false;
    QTimerEvent event(timer->timerId());
    QCoreApplication::sendEvent(timer, &event);
    return true;
}

// A window with two buttons, one under the other, shown and active so that
// focus and access keys behave as on a desktop.
struct TwoButtons {
    TwoButtons()
        : first(new Ravlen(&window))
        , second(new Ravlen(&window))
    {
        second->move(0, 40);
    }

    [[nodiscard]] bool show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    QWidget window;
    Ravlen *first;
    Ravlen *second;
};
