// Times the button surface's blend, stretch and block copy on a 300 x 60
// face next to Qt's painter and a plain memcpy doing the same work.

#include "render/surface.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr int Rounds = 3000;
const QSize Face(300, 60);

// Microseconds per call, best of five runs after one untimed run.
double timePerCall(const std::function<void()> &work)
{
    for (int i = 0; i < Rounds; ++i)
        work();
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Rounds; ++i)
            work();
        best = std::min(best, timer.nsecsElapsed() / 1000.0 / Rounds);
    }
    return best;
}

// In a fresh process the SSE2 kernels ran several times slower until one
// QPainter blend had run (its AVX code resets the processor's wide vector
// state on the way out); a widget paints with QPainter all the time, so the
// benchmark does the same before it times anything.
void warmUp(QImage &scratch)
{
    QPainter painter(&scratch);
    painter.setOpacity(0.5);
    painter.drawImage(0, 0, scratch);
}

void report(const char *name, double value)
{
    std::printf("%s: %.2f\n", name, value);
}

} // namespace

int main()
{
    Surface face(Face, 0x336699);
    Surface frame(Face, 0x996633);
    Surface half(Face / 2, 0);

    QImage faceImage(Face, QImage::Format_RGB32);
    faceImage.fill(qRgb(0x99, 0x66, 0x33));
    QImage frameImage(Face, QImage::Format_RGB32);
    frameImage.fill(qRgb(0x33, 0x66, 0x99));
    QImage halfImage(Face / 2, QImage::Format_RGB32);
    warmUp(halfImage);

    const double blend = timePerCall([&] { frame.blend(frame.rect(), face, face.rect(), 100); });
    const double painterBlend = timePerCall([&] {
        QPainter painter(&frameImage);
        painter.setOpacity(100 / 255.0);
        painter.drawImage(0, 0, faceImage);
    });
    const double stretch = timePerCall([&] { half.stretchCopy(half.rect(), face, face.rect()); });
    const double painterStretch = timePerCall([&] {
        QPainter painter(&halfImage);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(halfImage.rect(), faceImage);
    });
    const double copy = timePerCall([&] { frame.blockCopy(QPoint(0, 0), face, face.rect()); });
    const double memcpyCopy = timePerCall(
        [&] { std::memcpy(frameImage.bits(), faceImage.constBits(), size_t(faceImage.sizeInBytes())); });

    report("blend_300x60_us", blend);
    report("qpainter_opacity_blend_300x60_us", painterBlend);
    report("stretch_300x60_to_150x30_us", stretch);
    report("qpainter_stretch_300x60_to_150x30_us", painterStretch);
    report("block_copy_300x60_us", copy);
    report("memcpy_300x60_us", memcpyCopy);
    report("blend_speed_vs_qpainter", painterBlend / blend);
    return 0;
}
