#pragma once

#include "fixed_clock.h"
#include "recording_media_player.h"
#include "recording_url_opener.h"
#include "scripted_prompter.h"
#include "services/app_context.h"

#include <QTemporaryDir>

#include <memory>

// An AppContext over a fresh temporary program directory, with a fixed
// clock, scripted message boxes and a recording browser.
class TestContext
{
public:
    explicit TestContext(const QVersionNumber &version = QVersionNumber(1, 0, 0), const QString &exeName = QStringLiteral("Zorbel"));

    AppContext &context() { return *m_context; }
    ScriptedPrompter &prompter() { return *m_prompter; }
    FixedClock &clock() { return *m_clock; }
    RecordingUrlOpener &urlOpener() { return *m_urlOpener; }
    RecordingMediaPlayers &mediaPlayers() { return m_mediaPlayers; }

    QString dir() const { return m_dir.path(); }
    QString path(const QString &fileName) const { return m_dir.filePath(fileName); }
    void writeFile(const QString &fileName, const QByteArray &bytes) const;
    QByteArray readFile(const QString &fileName) const;
    // The log's entry texts in order, without their date-time prefixes.
    QStringList logEntries() const;

private:
    QTemporaryDir m_dir;
    FixedClock *m_clock;
    ScriptedPrompter *m_prompter;
    RecordingUrlOpener *m_urlOpener;
    RecordingMediaPlayers m_mediaPlayers;
    std::unique_ptr<AppContext> m_context;
};
