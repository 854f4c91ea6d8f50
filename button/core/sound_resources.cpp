#include "sound_resources.h"

#include <QFile>
#include <QString>

QByteArray embeddedSound(int resourceId)
{
    if (resourceId < firstEmbeddedSound || resourceId > lastEmbeddedSound)
        return {};
    QFile file(QStringLiteral(":/ravlen/sounds/sound%1.wav").arg(resourceId));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
