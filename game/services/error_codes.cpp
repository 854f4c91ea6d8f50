#include "services/error_codes.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

ZorbelError::ZorbelError(ErrorNumber number, QString detail)
    : m_number(number)
    , m_detail(std::move(detail))
    , m_what(QStringLiteral("error %1: %2").arg(int(number)).arg(m_detail).toUtf8())
{
}

ZorbelError ZorbelError::forFile(const QString &path, const QString &detail, int systemError)
{
    const QString text = QDir::toNativeSeparators(path) + QStringLiteral(": ") + detail;
    const QFileInfo info(path);
    switch (systemError) {
    case ENOSPC:
    case EFBIG: // past the file size limit: no more room, as far as the writer can tell
        return ZorbelError(ErrorNumber::DiskFull, text);
    case EACCES:
    case EPERM:
    case EROFS:
        return ZorbelError(ErrorNumber::PermissionDenied, text);
    case EISDIR:
        return ZorbelError(ErrorNumber::PathFileAccessError, text);
    case EIO:
        return ZorbelError(ErrorNumber::DeviceIoError, text);
    default:
        break;
    }
    if (!QFileInfo(info.absolutePath()).isDir())
        return ZorbelError(ErrorNumber::PathNotFound, text);
    if (info.isDir())
        return ZorbelError(ErrorNumber::PathFileAccessError, text);
    if (!info.exists())
        return ZorbelError(ErrorNumber::FileNotFound, text);
    return ZorbelError(ErrorNumber::PermissionDenied, text);
}
