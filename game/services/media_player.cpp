#include "services/media_player.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace {

class QtMediaPlayer final : public MediaPlayer
{
public:
    QtMediaPlayer() { m_player.setAudioOutput(&m_output); }

    void setSource(const QString &path) override { m_player.setSource(QUrl::fromLocalFile(path)); }

    void play() override
    {
        // Playing again from the start after a stop, as a host expects from
        // the buzzer on every countdown.
        if (m_player.playbackState() == QMediaPlayer::StoppedState)
            m_player.setPosition(0);
        m_player.play();
    }

    void stop() override { m_player.stop(); }

    void setVolume(int volume) override { m_output.setVolume(qBound(0, volume, 100) / 100.0f); }

    void setLooping(bool looping) override { m_player.setLoops(looping ? QMediaPlayer::Infinite : QMediaPlayer::Once); }

    qint64 position() const override { return m_player.position(); }

    QString unavailableReason() const override
    {
        if (!m_player.isAvailable())
            return QStringLiteral("No multimedia back end could be loaded: the game plays without sound. "
                                  "Installing gstreamer1.0-plugins-good brings the music back.");
        if (QMediaDevices::audioOutputs().isEmpty())
            return QStringLiteral("No audio output device was found: the game plays without sound.");
        return {};
    }

private:
    QAudioOutput m_output;
    QMediaPlayer m_player;
};

} // namespace

std::unique_ptr<MediaPlayer> createQtMediaPlayer()
{
    return std::make_unique<QtMediaPlayer>();
}
