#pragma once

#include "services/error_report.h"
#include "services/log_file.h"
#include "services/media_player.h"

#include <QSet>
#include <QString>
#include <QVersionNumber>

#include <memory>

class Clock;
class Prompter;
class QUrl;
class UrlOpener;

// The game's name as the host reads it in window and message titles; the
// executable keeps the lower-case name programs have here.
inline const QString kGameName = QStringLiteral("Zorbel");

// Facts about the running program that the game shows or works with.
struct AppFacts {
    QString programDir; // where the data files live: the executable's folder, or --data-dir
    QString exeName; // the executable's name without extension
    QVersionNumber version; // major.minor.revision
    QString executableDir; // where the program and its libraries are; empty: programDir
};

// Everything a window of the game needs from its surroundings: the program
// facts, the clock, the message boxes, the browser, the log and the error
// report. The program builds one over the real Qt classes; tests build one
// over a temporary folder with scripted answers.
class AppContext
{
public:
    AppContext(AppFacts facts, std::unique_ptr<Clock> clock, std::unique_ptr<Prompter> prompter,
               std::unique_ptr<UrlOpener> urlOpener);
    ~AppContext();

    const QString &programDir() const { return m_facts.programDir; }
    // The full path of a file in the program directory.
    QString programFile(const QString &fileName) const;
    // The same path in the form shown to the host (the platform's separators).
    QString displayPath(const QString &fileName) const;
    const QString &exeName() const { return m_facts.exeName; }
    // The full path of a file beside the executable (its libraries), which
    // is the program directory unless --data-dir moved the data elsewhere.
    QString executableFile(const QString &fileName) const;
    const QVersionNumber &version() const { return m_facts.version; }
    // "major.minor.revision", each without leading zeros.
    QString versionText() const;

    // Pixels per design pixel for every window's layout: chosen once at
    // start-up so that the main window fills most of the screen.
    double formScale() const { return m_formScale; }
    void setFormScale(double scale) { m_formScale = scale; }

    // A new player for one of the game's sounds; Qt Multimedia unless a
    // test put its recorder in.
    std::unique_ptr<MediaPlayer> createMediaPlayer() const { return m_mediaPlayerFactory(); }
    void setMediaPlayerFactory(MediaPlayerFactory factory) { m_mediaPlayerFactory = std::move(factory); }

    Clock &clock() const { return *m_clock; }
    Prompter &prompter() const { return *m_prompter; }
    UrlOpener &urlOpener() const { return *m_urlOpener; }
    LogFile &log() { return m_log; }

    // Opens a web page in the host's browser; where no browser opens it,
    // tells the host the address to type instead.
    void openWebPage(const QUrl &url);
    ErrorReporter &reporter() { return m_reporter; }

    void writeLogInfo(const QString &text) { m_reporter.writeLogInfo(text); }
    bool guard(const QString &reportName, const std::function<void()> &body, const GuardOptions &options = {})
    {
        return m_reporter.guard(reportName, body, options);
    }

    // True the first time a step of the run asks, false ever after: for the
    // work a window does once per run however often it is loaded.
    bool firstTimeThisRun(const QString &step);

private:
    AppFacts m_facts;
    std::unique_ptr<Clock> m_clock;
    std::unique_ptr<Prompter> m_prompter;
    std::unique_ptr<UrlOpener> m_urlOpener;
    LogFile m_log;
    ErrorReporter m_reporter;
    MediaPlayerFactory m_mediaPlayerFactory = createQtMediaPlayer;
    QSet<QString> m_stepsDone;
    double m_formScale = 1.0;
};
