#pragma once

#include <QLocale>
#include <QString>

class Clock;

// LogInfo.txt: the log of the current run. The first entry of a run empties
// the file, every later entry is appended; each entry is the general date
// text, two blanks, the entry text and CR LF, written in one piece. The file
// is not kept open between entries.
class LogFile
{
public:
    LogFile(QString path, const Clock &clock, QLocale locale = QLocale::system());

    // Throws ZorbelError when the entry cannot be written.
    void append(const QString &text);

    static QString fileName() { return QStringLiteral("LogInfo.txt"); }

    const QString &path() const { return m_path; }
    bool started() const { return m_started; }

private:
    QString m_path;
    const Clock &m_clock;
    QLocale m_locale;
    bool m_started = false;
};
