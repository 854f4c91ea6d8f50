// Loading a style's pictures for a window full of buttons: the shared
// picture cache against decoding the three PNG resources for every button.

#include "render/skin_library.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace {

constexpr int buttons = 48; // a busy window of the game
constexpr int rounds = 20;

qint64 timeNs(const auto &work)
{
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < rounds; ++round)
        work();
    return timer.nsecsElapsed() / rounds;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    qint64 checksum = 0;

    SkinLibrary::load(0); // the cache's first decode is not what a later window pays
    const qint64 cached = timeNs([&] {
        for (int i = 0; i < buttons; ++i)
            checksum += SkinLibrary::load(i % SkinLibrary::styleCount)->down.width();
    });
    const qint64 decoded = timeNs([&] {
        for (int i = 0; i < buttons; ++i) {
            const QString name = SkinLibrary::styleName(i % SkinLibrary::styleCount).toLower();
            for (int state = 0; state < 3; ++state) {
                const QImage image = QImage(QStringLiteral(":/ravlen/skins/%1%2.png").arg(name).arg(state))
                                         .convertToFormat(QImage::Format_RGB32);
                checksum += image.width();
            }
        }
    });

    std::printf("buttons: %d\n", buttons);
    std::printf("shared_cache_us: %.1f\n", cached / 1000.0);
    std::printf("decode_each_us: %.1f\n", decoded / 1000.0);
    std::printf("checksum: %lld\n", static_cast<long long>(checksum));
    std::printf("decode_over_cache_ratio: %.1f\n", cached > 0 ? double(decoded) / cached : 0.0);
    return 0;
}
