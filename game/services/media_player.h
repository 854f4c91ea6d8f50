#pragma once

#include <QString>

#include <functional>
#include <memory>

// One sound of the game: the music under the countdown, or the buzzer. The
// game hands it a file by its full path and never looks at its events, so a
// missing file or an absent audio device only means silence.
class MediaPlayer
{
public:
    virtual ~MediaPlayer() = default;
    virtual void setSource(const QString &path) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void setVolume(int volume) = 0; // 0..100
    virtual void setLooping(bool looping) = 0;
    // Milliseconds into the source; it advances while the sound plays.
    virtual qint64 position() const = 0;
    // Why this player cannot be heard (no audio back end, no output device),
    // or empty when it can.
    virtual QString unavailableReason() const = 0;
};

using MediaPlayerFactory = std::function<std::unique_ptr<MediaPlayer>()>;

// Playback through Qt Multimedia: QMediaPlayer with its own QAudioOutput.
std::unique_ptr<MediaPlayer> createQtMediaPlayer();
