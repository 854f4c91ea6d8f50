#include "test_context.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

TestContext::TestContext(const QVersionNumber &version, const QString &exeName)
{
    auto clock = std::make_unique<FixedClock>();
    auto prompter = std::make_unique<ScriptedPrompter>();
    auto urlOpener = std::make_unique<RecordingUrlOpener>();
    m_clock = clock.get();
    m_prompter = prompter.get();
    m_urlOpener = urlOpener.get();
    m_context = std::make_unique<AppContext>(AppFacts{m_dir.path(), exeName, version, m_dir.path()}, std::move(clock), std::move(prompter),
                                             std::move(urlOpener));
    m_context->setMediaPlayerFactory(m_mediaPlayers.factory());
}

void TestContext::writeFile(const QString &fileName, const QByteArray &bytes) const
{
    QFile file(path(fileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray TestContext::readFile(const QString &fileName) const
{
    QFile file(path(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList TestContext::logEntries() const
{
    // A line that begins with a time stamp and two blanks starts an entry;
    // any other line continues the entry before it (a report spans lines).
    static const QRegularExpression stamp(QStringLiteral("^\\S.*?\\d{1,2}:\\d{2}:\\d{2}(?: ?[AaPp][Mm])?  "));
    QStringList lines = QString::fromUtf8(readFile(QStringLiteral("LogInfo.txt"))).split(QLatin1String("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QStringList entries;
    for (const QString &line : std::as_const(lines)) {
        const QRegularExpressionMatch match = stamp.match(line);
        if (match.hasMatch() || entries.isEmpty())
            entries.append(line.mid(match.capturedLength()));
        else
            entries.last() += QLatin1String("\r\n") + line;
    }
    return entries;
}
