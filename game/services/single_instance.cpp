#include "single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

SingleInstance::SingleInstance(const QString &programDir)
    : m_lock(lockPath(programDir))
{
    // A lock is never stale by age: a game night can last all night.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::claim()
{
    return m_lock.tryLock(0);
}

QString SingleInstance::lockPath(const QString &programDir)
{
    const QString canonical = QFileInfo(programDir).canonicalFilePath();
    const QByteArray key = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir::temp().filePath(QStringLiteral("zorbel-%1.lock").arg(QString::fromLatin1(key)));
}

Prompt SingleInstance::refusal(const QString &exeName)
{
    return {QStringLiteral("The %1 application is already running.  This instance of %1 will terminate...").arg(exeName),
            exeName};
}
