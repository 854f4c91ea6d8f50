#include "skin_library.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QPixmap>

#include <array>

namespace {

const std::array<const char *, SkinLibrary::styleCount> styleNames{
    "Aqua",       "Cherry", "Cream",  "Crystal", "Ice",          "Longhorn", "Mac",
    "Office2007", "Ooz",    "Silver", "Vista",   "VistaTaskBar", "WinXP",
};

// Resource names are matched case-insensitively; the index maps each folded
// base name to its resource path, and decoded pictures stay for the process.
class PictureCache
{
public:
    static PictureCache &instance()
    {
        static PictureCache cache;
        return cache;
    }

    QImage picture(const QString &resourceName)
    {
        const QString key = resourceName.toCaseFolded();
        QMutexLocker lock(&m_mutex);
        const auto cached = m_pictures.constFind(key);
        if (cached != m_pictures.cend())
            return *cached;
        const auto path = m_paths.constFind(key);
        if (path == m_paths.cend())
            return {};
        QImage image(*path);
        if (!image.isNull())
            image = image.convertToFormat(QImage::Format_RGB32);
        // A picture that fails to decode is remembered as null too: it will not
        // decode any better on the next button.
        m_pictures.insert(key, image);
        return image;
    }

private:
    PictureCache()
    {
        QDirIterator it(QStringLiteral(":/ravlen/skins"), {QStringLiteral("*.png")}, QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            m_paths.insert(QFileInfo(path).completeBaseName().toCaseFolded(), path);
        }
    }

    QMutex m_mutex;
    QHash<QString, QString> m_paths;
    QHash<QString, QImage> m_pictures;
};

} // namespace

const QImage &SkinPictures::forState(int state) const
{
    switch (state) {
    case 1:
        return over;
    case 2:
        return down;
    default:
        return normal;
    }
}

QString SkinLibrary::styleName(qint32 style)
{
    if (style < 0 || style >= styleCount)
        return {};
    return QString::fromLatin1(styleNames[std::size_t(style)]);
}

QImage SkinLibrary::picture(const QString &resourceName) { return PictureCache::instance().picture(resourceName); }

std::optional<SkinPictures> SkinLibrary::load(qint32 style)
{
    // An unknown style builds the bare names "0", "1" and "2", which name no
    // picture: the lookup itself is what fails, as for any missing resource.
    const QString name = styleName(style);
    SkinPictures pictures{picture(name + u'0'), picture(name + u'1'), picture(name + u'2')};
    if (pictures.normal.isNull() || pictures.over.isNull() || pictures.down.isNull())
        return std::nullopt;
    return pictures;
}

QImage SkinLibrary::handCursorImage()
{
    static const QImage cursor(QStringLiteral(":/ravlen/cursor101.png"));
    return cursor;
}

QCursor SkinLibrary::handCursor()
{
    return QCursor(QPixmap::fromImage(handCursorImage()), handCursorHotSpot.x(), handCursorHotSpot.y());
}
