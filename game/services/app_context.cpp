#include "services/app_context.h"

#include "services/clock.h"
#include "services/prompter.h"
#include "services/url_opener.h"

#include <QDir>
#include <QUrl>

AppContext::AppContext(AppFacts facts, std::unique_ptr<Clock> clock, std::unique_ptr<Prompter> prompter,
                       std::unique_ptr<UrlOpener> urlOpener)
    : m_facts(std::move(facts))
    , m_clock(std::move(clock))
    , m_prompter(std::move(prompter))
    , m_urlOpener(std::move(urlOpener))
    , m_log(QDir(m_facts.programDir).filePath(LogFile::fileName()), *m_clock)
    , m_reporter(m_log, *m_prompter)
{
}

AppContext::~AppContext() = default;

QString AppContext::programFile(const QString &fileName) const
{
    return QDir(m_facts.programDir).filePath(fileName);
}

QString AppContext::executableFile(const QString &fileName) const
{
    return QDir(m_facts.executableDir.isEmpty() ? m_facts.programDir : m_facts.executableDir).filePath(fileName);
}

QString AppContext::displayPath(const QString &fileName) const
{
    return QDir::toNativeSeparators(programFile(fileName));
}

QString AppContext::versionText() const
{
    return QStringLiteral("%1.%2.%3")
        .arg(m_facts.version.majorVersion())
        .arg(m_facts.version.minorVersion())
        .arg(m_facts.version.microVersion());
}

void AppContext::openWebPage(const QUrl &url)
{
    if (m_urlOpener->open(url))
        return;
    m_prompter->ask({QStringLiteral("Zorbel could not open a web browser. To see this page, type this address into a "
                                    "browser:\r\n\r\n")
                         + url.toDisplayString(),
                     kGameName, Prompt::Buttons::Ok, Prompt::Icon::Information});
}

bool AppContext::firstTimeThisRun(const QString &step)
{
    if (m_stepsDone.contains(step))
        return false;
    m_stepsDone.insert(step);
    return true;
}
