#pragma once

#include <QDateTime>

// Where the program reads the current local date and time: the log's time
// stamps, the backup names and the shuffle's seed. Tests hand in a fixed one.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
