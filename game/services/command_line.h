#pragma once

#include "services/app_context.h"

#include <QStringList>

#include <variant>

// Reads the program's command line: `--data-dir DIR` puts the data files in
// DIR instead of the executable's folder. The result is the program facts,
// or the message that explains why the program cannot start. Whether the
// folder takes files is DataDirectory::checkWritable's to say, in a box that
// a host who started the game from an icon sees.
std::variant<AppFacts, QString> programFactsFromCommandLine(const QStringList &arguments, const QString &executablePath,
                                                            const QVersionNumber &version);
