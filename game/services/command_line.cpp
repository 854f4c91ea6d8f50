#include "services/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

std::variant<AppFacts, QString> programFactsFromCommandLine(const QStringList &arguments, const QString &executablePath,
                                                            const QVersionNumber &version)
{
    QCommandLineParser parser;
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("Keep the game's data files in <dir>."),
                                     QStringLiteral("dir"));
    parser.addOption(dataDir);
    if (!parser.parse(arguments))
        return parser.errorText();

    const QFileInfo executable(executablePath);
    AppFacts facts{executable.absolutePath(), executable.completeBaseName(), version, executable.absolutePath()};
    if (!parser.isSet(dataDir))
        return facts;

    const QFileInfo dir(parser.value(dataDir));
    const QString shown = QDir::toNativeSeparators(dir.absoluteFilePath());
    if (!dir.exists())
        return QStringLiteral("The data folder %1 does not exist.").arg(shown);
    if (!dir.isDir())
        return QStringLiteral("The data folder %1 is not a folder.").arg(shown);
    facts.programDir = dir.absoluteFilePath();
    return facts;
}
