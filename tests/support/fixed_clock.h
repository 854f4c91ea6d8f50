#pragma once

#include "services/clock.h"

// A clock that reads whatever the test set.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime moment = QDateTime(QDate(2021, 3, 3), QTime(9, 5, 7)))
        : m_moment(std::move(moment))
    {
    }
    QDateTime now() const override { return m_moment; }
    void set(const QDateTime &moment) { m_moment = moment; }
    void advance(int seconds) { m_moment = m_moment.addSecs(seconds); }

private:
    QDateTime m_moment;
};
