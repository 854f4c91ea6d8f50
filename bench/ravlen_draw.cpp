// Times a Ravlen button composing its face (DrawIt) with its skin only and
// with every layer on, and one fade tick, next to rendering a QPushButton of
// the same size with the Fusion style and a plain copy of the face's bytes;
// and every layer again on a screen of device pixel ratio 2.
//
//   ravlen_draw                 all figures (on the offscreen platform with a
//                               screen of ratio 1 and one of ratio 2, unless
//                               QT_QPA_PLATFORM says otherwise)
//   ravlen_draw --repeat CASE   only CASE at 300 x 60 for about five seconds, to
//                               run under a profiler: skin (DrawIt, skin only),
//                               layers (DrawIt, every layer), layers2 (every
//                               layer at ratio 2), fade (fade ticks)

#include "RavlenLib/ravlen.h"
#include "every_layer.h"
#include "ravlen_p.h"
#include "render/face_composer.h"
#include "render/skin_library.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>

namespace {

// Processor time of this process in microseconds. The benchmark shares its
// machine with others; wall-clock time would count their turns as ours.
double processorMicroseconds()
{
    return double(std::clock()) * 1e6 / CLOCKS_PER_SEC;
}

// Microseconds of processor time per call: best of five runs of about 40 ms
// each, after an untimed run that also sizes the runs.
double timePerCall(const std::function<void()> &work)
{
    const double probeStart = processorMicroseconds();
    int rounds = 0;
    while (processorMicroseconds() - probeStart < 40'000 || rounds < 20) {
        work();
        ++rounds;
    }
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        const double start = processorMicroseconds();
        for (int i = 0; i < rounds; ++i)
            work();
        best = std::min(best, (processorMicroseconds() - start) / rounds);
    }
    return best;
}

void report(const char *name, double value)
{
    std::printf("%s: %.2f\n", name, value);
}

struct Buffers {
    const uchar *pic;
    const uchar *pic2;
    const uchar *picTemp;
    const uchar *output;

    explicit Buffers(const FaceComposer &composer)
        : pic(composer.faces().pic.image().constBits())
        , pic2(composer.faces().pic2.image().constBits())
        , picTemp(composer.faces().picTemp.image().constBits())
        , output(composer.output().constBits())
    {
    }

    int differences(const Buffers &other) const
    {
        return int(pic != other.pic) + int(pic2 != other.pic2) + int(picTemp != other.picTemp)
               + int(output != other.output);
    }
};

struct Timings {
    double skinOnly = 0;
    double stateCycle = 0;
    double everyLayer = 0;
    double fadeTick = 0;
    double pushButton = 0;
    double pushButtonWithText = 0;
    double faceCopy = 0;
    int reallocations = 0;
};

// A Vista button inside a container, drawn once: with its skin only (no
// caption) or with every layer on; no fade, no hover effect.
struct Bench {
    QWidget container;
    Ravlen button{&container};
    FaceComposer &composer = RavlenPrivate::get(&button)->composer();
    QTimer &fadeTimer = *button.findChild<QTimer *>(QStringLiteral("tmrFade"));

    Bench(QSize size, bool everyLayer, qreal ratio = 1)
    {
        for (QScreen *screen : QGuiApplication::screens()) {
            if (screen->devicePixelRatio() == ratio)
                container.setScreen(screen);
        }
        container.resize(size.width() + 40, size.height() + 40);
        container.setAutoFillBackground(true);
        button.setGeometry(QRect(QPoint(20, 20), size));
        button.setButtonStyle(Ravlen::Vista);
        button.setFade(false);
        button.setEnableEffects(false);
        if (everyLayer)
            switchEveryLayerOn(button);
        else
            button.setCaption(QString());
        button.DrawIt(Ravlen::rl_Normal);
    }

    // The slowest fade there is, 255 ticks long.
    void startFading()
    {
        button.setFade(true);
        button.setFadeDelay(100);
        button.DrawIt(Ravlen::rl_Over);
    }

    // One tick; a fade that has ended is started again, which adds a drawing
    // every 255 ticks.
    void fadeTick()
    {
        if (!fadeTimer.isActive())
            button.DrawIt(composer.drawnState() == Ravlen::rl_Over ? Ravlen::rl_Normal : Ravlen::rl_Over);
        composer.fadeTick();
    }
};

Timings timeSize(QSize size)
{
    Timings t;
    Bench skinned(size, false);
    const Buffers skinnedBefore(skinned.composer);
    t.skinOnly = timePerCall([&] { skinned.button.DrawIt(Ravlen::rl_Normal); });
    // Hover in, press, release, hover out: a different picture every time.
    int step = 0;
    t.stateCycle = timePerCall([&] {
        static constexpr int cycle[] = {1, 2, 1, 0};
        skinned.button.DrawIt(cycle[step++ % 4]);
    });
    t.reallocations += Buffers(skinned.composer).differences(skinnedBefore);

    Bench layered(size, true);
    const Buffers layeredBefore(layered.composer);
    t.everyLayer = timePerCall([&] { layered.button.DrawIt(Ravlen::rl_Normal); });

    layered.startFading();
    t.fadeTick = timePerCall([&] { layered.fadeTick(); });
    t.reallocations += Buffers(layered.composer).differences(layeredBefore);

    QImage copy(size, QImage::Format_RGB32);
    const QImage &face = layered.composer.faces().pic.image();
    t.faceCopy = timePerCall([&] { std::memcpy(copy.bits(), face.constBits(), size_t(face.sizeInBytes())); });

    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QPushButton push;
    push.setStyle(fusion.get());
    push.resize(size);
    QImage pushImage(size, QImage::Format_ARGB32_Premultiplied);
    t.pushButton = timePerCall([&] { push.render(&pushImage); });
    push.setText(QStringLiteral("&Next"));
    t.pushButtonWithText = timePerCall([&] { push.render(&pushImage); });
    return t;
}

int repeat(const QString &which)
{
    const bool fade = which == QLatin1String("fade");
    const bool dense = which == QLatin1String("layers2");
    if (which != QLatin1String("skin") && which != QLatin1String("layers") && !fade && !dense) {
        std::fprintf(stderr, "usage: ravlen_draw [--repeat skin|layers|layers2|fade]\n");
        return 2;
    }
    Bench bench(QSize(300, 60), which != QLatin1String("skin"), dense ? 2 : 1);
    if (fade)
        bench.startFading();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000) {
        if (fade) {
            bench.fadeTick();
        } else {
            bench.button.DrawIt(Ravlen::rl_Normal);
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryFile screens;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && screens.open()) {
        screens.write(R"({"screens":[{"name":"plain","x":0,"y":0,"width":1280,"height":800,"logicalDpi":96,"dpr":1},)"
                      R"({"name":"dense","x":1280,"y":0,"width":2560,"height":1600,"logicalDpi":96,"dpr":2}]})");
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);

    // Qt's own painting runs first everywhere: a widget paints with QPainter
    // all the time, and the first QPainter blend changes the processor's
    // vector state, which the button's blends then run with.
    QImage warm(64, 64, QImage::Format_RGB32);
    {
        QPainter painter(&warm);
        painter.setOpacity(0.5);
        painter.drawImage(0, 0, warm);
    }

    if (argc == 3 && qstrcmp(argv[1], "--repeat") == 0)
        return repeat(QString::fromLocal8Bit(argv[2]));

    const Timings small = timeSize(QSize(105, 33));
    const Timings large = timeSize(QSize(300, 60));
    Bench dense(QSize(300, 60), true, 2);
    const bool denseScreen = dense.button.devicePixelRatioF() == 2;
    const double denseLayers = timePerCall([&] { dense.button.DrawIt(Ravlen::rl_Normal); });

    report("drawit_skin_105x33_us", small.skinOnly);
    report("drawit_skin_state_cycle_105x33_us", small.stateCycle);
    report("drawit_every_layer_105x33_us", small.everyLayer);
    report("fade_tick_105x33_us", small.fadeTick);
    report("qpushbutton_fusion_105x33_us", small.pushButton);
    report("qpushbutton_fusion_text_105x33_us", small.pushButtonWithText);
    report("face_copy_105x33_us", small.faceCopy);
    report("drawit_skin_300x60_us", large.skinOnly);
    report("drawit_skin_state_cycle_300x60_us", large.stateCycle);
    report("drawit_every_layer_300x60_us", large.everyLayer);
    if (denseScreen)
        report("drawit_every_layer_300x60_ratio2_us", denseLayers);
    else
        std::printf("drawit_every_layer_300x60_ratio2_us: no screen of ratio 2\n");
    report("fade_tick_300x60_us", large.fadeTick);
    report("qpushbutton_fusion_300x60_us", large.pushButton);
    report("qpushbutton_fusion_text_300x60_us", large.pushButtonWithText);
    report("face_copy_300x60_us", large.faceCopy);
    std::printf("surface_reallocations: %d\n", small.reallocations + large.reallocations);
    report("drawit_vs_qpushbutton", small.skinOnly / small.pushButton);
    return 0;
}
