#include "services/single_instance.h"

#include "services/app_context.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {

// A folder that only this user can enter: made 0700 when missing, and not
// used when it is a link, belongs to another account or lets others in,
// since whoever controls it could block or fake the lock.
QString privateFolder(const QString &path)
{
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QDir().mkdir(path, ownerOnly);
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isDir() || info.ownerId() != uint(geteuid()))
        return {};
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                      | QFile::WriteOther | QFile::ExeOther;
    return info.permissions() & others ? QString() : path;
}

// The user's runtime folder where the session has one, else a private
// folder of the user's in the temporary folder; the data folder itself
// when neither can be had (it is known to be writable).
QString lockFolder(const QString &programDir)
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty())
            return runtime;
    }
    const QString own = privateFolder(QDir::temp().filePath(QStringLiteral("zorbel-%1").arg(geteuid())));
    return own.isEmpty() ? programDir : own;
}

} // namespace

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
    return QDir(lockFolder(programDir)).filePath(QStringLiteral("zorbel-%1.lock").arg(QString::fromLatin1(key)));
}

Prompt SingleInstance::refusal(const QString &exeName)
{
    return {
        QStringLiteral("The %1 application is already running.  This instance of %1 will terminate...").arg(exeName),
        kGameName};
}
