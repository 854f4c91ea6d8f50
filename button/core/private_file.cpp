#include "private_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace PrivateFile {

#ifdef Q_OS_UNIX

namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool reserve(int fd, qsizetype size)
{
    if (size == 0)
        return true;
    int error = 0;
    do
        error = ::posix_fallocate(fd, 0, off_t(size));
    while (error == EINTR);
    // A file system that cannot reserve space is written all the same.
    return error == 0 || error == EOPNOTSUPP;
}

} // namespace

bool write(const QString &path, const QByteArray &bytes)
{
    const QByteArray native = QFile::encodeName(path);
    // Non-blocking, so that a named pipe planted at the path cannot hold the
    // user interface until someone reads it; it is refused below anyway.
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    struct stat status = {};
    const bool ours = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid()
                      && status.st_nlink == 1;
    // Only now, with the file known to be ours, is its old content replaced,
    // and only once the room for the new one is reserved: on a full disk
    // the old file stays as it was rather than cut off half way. A longer
    // old file's tail goes last.
    const bool ok = ours && reserve(fd, bytes.size()) && writeAll(fd, bytes)
                    && ::ftruncate(fd, off_t(bytes.size())) == 0;
    return ::close(fd) == 0 && ok;
}

bool makeFolder(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    // Not followed when a link: the folder itself must be ours. Nobody can
    // swap it afterwards, as the temporary folder lets only owners rename.
    struct stat status = {};
    return ::lstat(native.constData(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid()
           && (status.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

bool openRegular(QFile &file, const QString &path)
{
    if (!QFileInfo(path).isNativePath()) {
        file.setFileName(path);
        return file.open(QIODevice::ReadOnly);
    }
    // A device is not even opened, as opening some has effects of its own;
    // a pipe swapped in after the first look opens at once (non-blocking)
    // and is caught by the second.
    const QByteArray native = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(native.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

#else

bool write(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

bool makeFolder(const QString &path)
{
    const QFileInfo info(path);
    return !info.isSymLink() && (info.isDir() || QDir().mkdir(path));
}

bool openRegular(QFile &file, const QString &path)
{
    if (QFileInfo(path).isNativePath() && !QFileInfo(path).isFile())
        return false;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
}

#endif

} // namespace PrivateFile
