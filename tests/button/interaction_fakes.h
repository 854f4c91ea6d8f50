#pragma once

#include "RavlenLib/ravlen.h"
#include "core/pointer_probe.h"
#include "core/sound_player.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

// A pretend pointer for the hover poll, installed for as long as it lives:
// tests say which widget it is over, and it stands at one point over that
// widget and at another over none.
class FakePointer final : public PointerProbe
{
public:
    FakePointer() { PointerProbe::setInstance(this); }
    ~FakePointer() override { PointerProbe::setInstance(nullptr); }
    QPoint position() const override { return over || stayed ? QPoint(17, 23) : QPoint(400, 300); }
    QWidget *widgetAt(const QPoint &) const override { return over; }

    QWidget *over = nullptr;
    // The widget moved away from under a pointer that stayed where it was.
    bool stayed = false;
};

// Records what would have been played and the bytes the file held then,
// installed for as long as it lives; with a log, also "sound<Event>" there.
class RecordingSoundPlayer final : public SoundPlayer
{
public:
    RecordingSoundPlayer() { SoundPlayer::setInstance(this); }
    ~RecordingSoundPlayer() override { SoundPlayer::setInstance(nullptr); }
    void play(const QString &path) override
    {
        played.append(path);
        QFile file(path);
        bytes.append(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        if (log)
            log->append(QFileInfo(path).completeBaseName());
    }

    QStringList played;
    QList<QByteArray> bytes;
    QStringList *log = nullptr;
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
