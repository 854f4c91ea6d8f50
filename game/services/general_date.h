#pragma once

#include <QDateTime>
#include <QLocale>

// The locale's general date text: short date, a blank, long time, as in
// "3/3/2021 9:05:07 AM". It stamps every log entry and names the backups.
// The year is always written with four digits and the time without its zone,
// so that two entries of one second read the same wherever the clock is.
QString generalDateText(const QDateTime &moment, const QLocale &locale = QLocale::system());
