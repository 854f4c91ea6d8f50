#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QUrl>

// The address under which QSoundEffect is given a wave file.
//
// QSoundEffect keeps every sample it has loaded, keyed by its address, for
// the life of the process, and ignores a source it already has. The button
// rewrites the same few paths with different sounds, so the address carries
// a digest of the file's bytes: a changed file is a new sample, an unchanged
// one is found in the cache again, and the cache stays as small as the set
// of distinct sounds.
//
// A click asks for up to three sounds, so each version of a file (its size
// and modification time) is read and hashed only once. A version read
// within the grain of file times of its last change is read again next
// time, as a change in the same tick would keep both size and time.
class SoundSources
{
public:
    // Empty for anything but a regular RIFF WAVE file of button-sound size.
    QUrl urlFor(const QString &path);

private:
    struct Version {
        qint64 size = 0;
        QDateTime modified;
        QDateTime readAt;
        QUrl url;
    };

    static Version read(const QString &path);

    QHash<QString, Version> m_versions;
};
