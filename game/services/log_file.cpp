#include "services/log_file.h"

#include "services/clock.h"
#include "services/error_codes.h"
#include "services/general_date.h"

#include <QFile>

#include <cerrno>

LogFile::LogFile(QString path, const Clock &clock, QLocale locale)
    : m_path(std::move(path))
    , m_clock(clock)
    , m_locale(std::move(locale))
{
}

void LogFile::append(const QString &text)
{
    QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    mode |= m_started ? QIODevice::Append : QIODevice::Truncate;
    m_started = true;

    // The entry text is written as it is: a report brings its own CR LF
    // pairs, so it spans several lines and ends with an empty one.
    const QByteArray entry =
        (generalDateText(m_clock.now(), m_locale) + QLatin1String("  ") + text + QLatin1String("\r\n")).toUtf8();

    QFile file(m_path);
    errno = 0;
    if (!file.open(mode))
        throw ZorbelError::forFile(m_path, file.errorString(), errno);
    // A write that stops part way (the disk filled up) takes its part back:
    // the log keeps whole entries only.
    const qint64 before = file.size();
    errno = 0;
    if (file.write(entry) != entry.size()) {
        const int error = errno;
        const QString reason = file.errorString();
        file.resize(before);
        throw ZorbelError::forFile(m_path, reason, error);
    }
}
