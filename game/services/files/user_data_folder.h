#pragma once

#include <QString>
#include <QStringList>

// An installed game lives in a folder its users cannot write. It then keeps
// the host's files (questions, settings, log, backups, saved game) in the
// user's own data folder, which starts with a copy of the default data
// files installed with the program. A game run from its build folder, or
// with --data-dir, keeps its files where they are.
namespace UserDataFolder {

// The default data files an installed program finds beside it:
// <prefix>/share/zorbel for <prefix>/bin/zorbel. Empty where there is no
// such folder, as in a build folder.
QString defaultsBeside(const QString &executableDir);

// Makes the folder and copies into it every default file it lacks; a file
// the host has there already, edited or not, is never replaced. Returns the
// log entries that tell what was done and what failed.
QStringList prepare(const QString &folder, const QString &defaults);

} // namespace UserDataFolder
