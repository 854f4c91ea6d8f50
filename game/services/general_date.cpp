#include "services/general_date.h"

#include <QRegularExpression>

QString generalDateText(const QDateTime &moment, const QLocale &locale)
{
    QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    if (!dateFormat.contains(QLatin1String("yyyy")))
        dateFormat.replace(QLatin1String("yy"), QLatin1String("yyyy"));

    static const QRegularExpression zone(QStringLiteral("\\s*t+"));
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(zone);

    return locale.toString(moment.date(), dateFormat) + QLatin1Char(' ')
           + locale.toString(moment.time(), timeFormat.trimmed());
}
