#include "sound_player.h"

#include "sound_sources.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace {

class EffectPlayer final : public SoundPlayer
{
public:
    void play(const QString &path) override
    {
        QCoreApplication *app = QCoreApplication::instance();
        if (!app)
            return;
        if (!m_effect) {
            m_effect = new QSoundEffect(app);
            QObject::connect(m_effect, &QSoundEffect::statusChanged, m_effect, [this] { startWhenLoaded(); });
        }
        m_effect->stop();
        m_pending = false;
        const QUrl source = m_sources.urlFor(path);
        if (source.isEmpty())
            return;
        m_effect->setSource(source);
        m_pending = true;
        startWhenLoaded();
    }

private:
    void startWhenLoaded()
    {
        if (!m_pending)
            return;
        switch (m_effect->status()) {
        case QSoundEffect::Ready:
            m_pending = false;
            m_effect->play();
            break;
        case QSoundEffect::Error:
            m_pending = false;
            break;
        default:
            break; // still loading; statusChanged brings us back
        }
    }

    SoundSources m_sources;
    QPointer<QSoundEffect> m_effect;
    bool m_pending = false;
};

SoundPlayer *installed = nullptr;

} // namespace

SoundPlayer::~SoundPlayer() = default;

SoundPlayer &SoundPlayer::instance()
{
    static EffectPlayer effects;
    return installed ? *installed : effects;
}

void SoundPlayer::setInstance(SoundPlayer *player) { installed = player; }
