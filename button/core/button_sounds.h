#pragma once

#include "ravlen_look.h"

#include <QString>

#include <optional>

// The five moments at which a button can sound, which sound each plays, and
// how it is played.
//
// Sound values: 0 nothing; 1..10 the library's built-in sounds 101..110,
// unpacked to "sound" + event name + ".wav" in the user's own folder (see
// unpackFolder; rewritten on every play) and played from there; 98 and 99
// the files named by SoundCustom1 and SoundCustom2, played where they are;
// any other value nothing.
namespace ButtonSounds {

enum class Moment { Click, In, Out, Down, Up };

// "Click", "In", "Out", "Down", "Up": the name the unpacked file carries.
QString eventName(Moment moment);

// The sound value the look chooses for a moment.
qint32 valueFor(const SoundLook &sound, Moment moment);

// Where built-in sounds are unpacked: a folder only this user can enter, as
// a file that another account left at the same name in a shared folder
// would keep the sound from playing for good. That is "ravlenlib" in the
// session's runtime folder, or "ravlenlib-" and the user id in the button's
// temporary folder (the system's one when empty).
QString unpackFolder(const QString &tempDir);

// What a sound value plays. A built-in sound names the embedded resource
// that has to be unpacked to the path first; a custom one only the path.
struct Source {
    QString path;
    int resource = 0; // 0: play the path as it is
};

// Nothing for values without a sound and for an empty custom path.
std::optional<Source> sourceFor(const SoundLook &sound, qint32 value, Moment moment, const QString &tempDir);

// Plays the moment's sound through SoundPlayer when the look's master switch
// is on. A built-in sound is unpacked first and nothing plays when that
// fails (see PrivateFile: the folder or the file is not ours alone); a
// custom file that does not exist plays nothing.
void play(const SoundLook &sound, Moment moment, const QString &tempDir);

} // namespace ButtonSounds
