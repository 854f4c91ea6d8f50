#include "services/files/user_data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace UserDataFolder {

QString defaultsBeside(const QString &executableDir)
{
    const QFileInfo defaults(QDir(executableDir).filePath(QStringLiteral("../share/zorbel")));
    return defaults.isDir() ? defaults.canonicalFilePath() : QString();
}

QStringList prepare(const QString &folder, const QString &defaults)
{
    const QString shown = QDir::toNativeSeparators(folder);
    QStringList entries{QStringLiteral("Data folder %1: the program's folder takes no files").arg(shown)};
    if (!QDir().mkpath(folder)) {
        entries << QStringLiteral("The data folder %1 cannot be created").arg(shown);
        return entries;
    }
    const QDir target(folder);
    for (const QFileInfo &file : QDir(defaults).entryInfoList(QDir::Files | QDir::Readable, QDir::Name)) {
        const QString copy = target.filePath(file.fileName());
        if (QFileInfo::exists(copy) || QFileInfo(copy).isSymLink())
            continue;
        QFile source(file.absoluteFilePath());
        if (source.copy(copy)) {
            // The installed defaults are read-only; the host's copy is the host's to edit.
            QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
            entries << QStringLiteral("Copied the default %1 to the data folder").arg(file.fileName());
        } else {
            entries << QStringLiteral("The default %1 cannot be copied to the data folder: %2")
                           .arg(file.fileName(), source.errorString());
        }
    }
    return entries;
}

} // namespace UserDataFolder
