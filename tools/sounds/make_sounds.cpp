// Synthesizes the button library's ten sounds.
//
//   make_sounds <button/resources>
//
// Writes sounds/sound101.wav .. sound110.wav below the given folder.

#include "button_sounds.h"
#include "wave_file.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: make_sounds <button/resources>\n");
        return 2;
    }
    const QDir resources(arguments.at(1));
    if (!resources.mkpath(QStringLiteral("sounds"))) {
        std::fprintf(stderr, "make_sounds: cannot create the sounds folder\n");
        return 1;
    }
    bool ok = true;
    for (int index = 0; index < buttonSoundCount; ++index) {
        const ButtonSound sound = buttonSound(index);
        const QByteArray bytes = wave::pcm8WithInfo(renderButtonSound(index), buttonSoundRate, sound.name,
                                                    sound.fileSize);
        ok &= wave::save(bytes, resources.filePath(QStringLiteral("sounds/sound%1.wav").arg(sound.resourceId)));
    }
    return ok ? 0 : 1;
}
