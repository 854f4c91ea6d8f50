#pragma once

#include "services/media_player.h"

#include <QStringList>

#include <memory>

// A media player that plays nothing and keeps a journal of what it was told:
// "source <path>", "play", "stop", "volume <n>", "loop on"/"loop off".
class RecordingMediaPlayer final : public MediaPlayer
{
public:
    explicit RecordingMediaPlayer(QStringList &journal)
        : m_journal(journal)
    {
    }
    void setSource(const QString &path) override { m_journal.append(QStringLiteral("source ") + path); }
    void play() override { m_journal.append(QStringLiteral("play")); }
    void stop() override { m_journal.append(QStringLiteral("stop")); }
    void setVolume(int volume) override { m_journal.append(QStringLiteral("volume %1").arg(volume)); }
    void setLooping(bool looping) override { m_journal.append(looping ? QStringLiteral("loop on") : QStringLiteral("loop off")); }
    qint64 position() const override { return 0; }
    QString unavailableReason() const override { return {}; }

private:
    QStringList &m_journal;
};

// Hands out recording players whose journals are kept in creation order:
// the main window's music player first, then its buzzer.
class RecordingMediaPlayers
{
public:
    MediaPlayerFactory factory()
    {
        return [this] {
            m_journals.push_back(std::make_unique<QStringList>());
            return std::make_unique<RecordingMediaPlayer>(*m_journals.back());
        };
    }
    QStringList &journal(int player) { return *m_journals.at(player); }

private:
    std::vector<std::unique_ptr<QStringList>> m_journals;
};
