#include "sound_sources.h"

#include "private_file.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QUrlQuery>

namespace {

// Bigger files are no button sounds; they would only fill the memory.
constexpr qint64 kMaxSoundBytes = 32 * 1024 * 1024;
// The coarsest file times in use (FAT) have two seconds.
constexpr qint64 kTimeGrainMs = 2000;

} // namespace

QUrl SoundSources::urlFor(const QString &path)
{
    const QFileInfo info(path);
    const auto known = m_versions.constFind(path);
    if (known != m_versions.cend() && known->size == info.size() && known->modified == info.lastModified()
        && known->modified.msecsTo(known->readAt) > kTimeGrainMs)
        return known->url;
    const Version version = read(path);
    if (version.readAt.isValid())
        m_versions.insert(path, version);
    else
        m_versions.remove(path);
    return version.url;
}

SoundSources::Version SoundSources::read(const QString &path)
{
    QFile file;
    if (!PrivateFile::openRegular(file, path) || file.size() > kMaxSoundBytes)
        return {};
    Version version{file.size(), file.fileTime(QFileDevice::FileModificationTime), QDateTime::currentDateTimeUtc(), {}};
    const QByteArray bytes = file.read(kMaxSoundBytes);
    // Anything but a RIFF WAVE file would only be an error later on.
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return version;
    version.url = QUrl::fromLocalFile(path);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("sound"),
                       QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
    version.url.setQuery(query);
    return version;
}
