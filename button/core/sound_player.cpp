#include "sound_player.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>
#include <QUrlQuery>

namespace {

// QSoundEffect keeps every sample it has loaded, keyed by its address, for
// the life of the process, and ignores a source it already has. The button
// rewrites the same few paths with different sounds, so the address carries
// a digest of the file's bytes: a changed file is a new sample, an unchanged
// one is found in the cache again, and the cache stays as small as the set
// of distinct sounds.
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
        const QUrl source = sourceFor(path);
        if (source.isEmpty())
            return;
        m_effect->setSource(source);
        m_pending = true;
        startWhenLoaded();
    }

private:
    // Bigger files are no button sounds; they would only fill the memory.
    static constexpr qint64 kMaxSoundBytes = 32 * 1024 * 1024;

    static QUrl sourceFor(const QString &path)
    {
        QFile file(path);
        if (file.size() > kMaxSoundBytes || !file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        // Anything but a RIFF WAVE file would only be an error later on.
        if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
            return {};
        QUrl url = QUrl::fromLocalFile(path);
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("sound"),
                           QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
        url.setQuery(query);
        return url;
    }

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

void SoundPlayer::setInstance(SoundPlayer *player)
{
    installed = player;
}
