#include "button_sounds.h"

#include "private_file.h"
#include "sound_player.h"
#include "sound_resources.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace ButtonSounds {

namespace {

constexpr qint32 kCustom1 = 98;
constexpr qint32 kCustom2 = 99;
constexpr int kResourceBase = 100;

} // namespace

QString eventName(Moment moment)
{
    switch (moment) {
    case Moment::Click:
        return QStringLiteral("Click");
    case Moment::In:
        return QStringLiteral("In");
    case Moment::Out:
        return QStringLiteral("Out");
    case Moment::Down:
        return QStringLiteral("Down");
    case Moment::Up:
        return QStringLiteral("Up");
    }
    return {};
}

qint32 valueFor(const SoundLook &sound, Moment moment)
{
    switch (moment) {
    case Moment::Click:
        return sound.click;
    case Moment::In:
        return sound.in;
    case Moment::Out:
        return sound.out;
    case Moment::Down:
        return sound.down;
    case Moment::Up:
        return sound.up;
    }
    return 0;
}

QString unpackFolder(const QString &tempDir)
{
    // The session's runtime folder is the user's own by definition. Qt would
    // make one up in the temporary folder when there is none, with a warning.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty())
            return runtime + QStringLiteral("/ravlenlib");
    }
    // A button never read from a stored layout has no folder of its own; the
    // root of the file system, where an empty one would point, is no place
    // to write to.
    const QString folder = tempDir.isEmpty() ? QDir::tempPath() : tempDir;
#ifdef Q_OS_UNIX
    return QDir::cleanPath(folder + QStringLiteral("/ravlenlib-") + QString::number(::geteuid()));
#else
    return QDir::cleanPath(folder + QStringLiteral("/ravlenlib")); // a temporary folder per user there
#endif
}

std::optional<Source> sourceFor(const SoundLook &sound, qint32 value, Moment moment, const QString &tempDir)
{
    if (value == kCustom1 || value == kCustom2) {
        const QString &path = value == kCustom1 ? sound.custom1 : sound.custom2;
        if (path.isEmpty())
            return std::nullopt;
        return Source{path, 0};
    }
    // Wide enough that no 32-bit value wraps into the resource range.
    const qint64 resource = qint64(kResourceBase) + value;
    if (resource < firstEmbeddedSound || resource > lastEmbeddedSound)
        return std::nullopt;
    const QString name = QStringLiteral("sound") + eventName(moment) + QStringLiteral(".wav");
    return Source{unpackFolder(tempDir) + u'/' + name, int(resource)};
}

void play(const SoundLook &sound, Moment moment, const QString &tempDir)
{
    if (!sound.sound)
        return;
    const std::optional<Source> source = sourceFor(sound, valueFor(sound, moment), moment, tempDir);
    if (!source)
        return;
    if (source->resource != 0) {
        const QByteArray wave = embeddedSound(source->resource);
        if (wave.isEmpty() || !PrivateFile::makeFolder(QFileInfo(source->path).path())
            || !PrivateFile::write(source->path, wave))
            return;
    } else if (!QFileInfo(source->path).isFile()) {
        return;
    }
    SoundPlayer::instance().play(source->path);
}

} // namespace ButtonSounds
