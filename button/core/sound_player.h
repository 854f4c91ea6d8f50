#pragma once

#include <QString>

// The one sound channel every button of the process plays through: a new
// sound stops the one still playing. Playing is asynchronous (the call
// returns at once) and never reports anything: a missing or unplayable file,
// or a machine without an audio device, simply stays silent.
class SoundPlayer
{
public:
    virtual ~SoundPlayer();

    virtual void play(const QString &path) = 0;

    // The process-wide player: by default one over QSoundEffect.
    static SoundPlayer &instance();
    // Installs a player (not owned); null brings back the default one.
    static void setInstance(SoundPlayer *player);
};
