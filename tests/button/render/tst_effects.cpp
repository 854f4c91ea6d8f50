#include "render/effects.h"
#include "render/face_surfaces.h"
#include "surface_fixtures.h"

#include <QTest>

namespace {

// A face in which every pixel differs, so that a misplaced frame shows.
FaceSurfaces patternedFace()
{
    FaceSurfaces s = faceOf(QSize(100, 40), 0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            s.pic.fillBox(QPoint(x, y), QPoint(x, y), oleRgb(2 * x, 5 * y, 100));
    return s;
}

RavlenLook lookWithEffect(int effect)
{
    RavlenLook look;
    look.motion.effects = effect;
    return look;
}

// Every frame the effect shows, each drawn over a black pic2.
QList<QImage> framesOf(FaceSurfaces &s, const RavlenLook &look)
{
    QList<QImage> frames;
    drawEffect(s, look, [&](int) {
        frames << s.pic2.image().copy();
        s.pic2.fillBox(QPoint(0, 0), QPoint(s.pic2.width(), s.pic2.height()), 0);
    });
    return frames;
}

} // namespace

class TestEffects : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frameCounts()
    {
        // Effects 0 to 5; unknown ones show nothing. The default fade delay
        // of 75 gives 75 / 100, rounded, between frames.
        const QMap<int, int> frames{{0, 21}, {1, 11}, {2, 6}, {3, 11}, {4, 11}, {5, 11}, {7, 0}, {-1, 0}};
        for (auto it = frames.begin(); it != frames.end(); ++it) {
            FaceSurfaces s = patternedFace();
            const QImage face = s.pic.image().copy();
            QList<int> delays;
            drawEffect(s, lookWithEffect(it.key()), [&](int delay) { delays << delay; });
            QCOMPARE(delays, QList<int>(it.value(), 1));
            QCOMPARE(s.pic.image(), face);
        }
    }

    void framesOverWhite_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("frame");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("red");
        // Each frame is drawn over black, so it shows its own alpha.
        QTest::newRow("blink ends at 240") << 3 << 10 << QPoint(50, 20) << 240;
        QTest::newRow("border glow lightens by 20") << 0 << 0 << QPoint(99, 39) << 20;
        // The flash closes in on the face and ends on it, mixed at 50.
        QTest::newRow("flash ends on the face") << 5 << 10 << QPoint(50, 20) << 50;
        QTest::newRow("glow adds 30 / 255 of the face") << 2 << 0 << QPoint(0, 0) << 30;
    }

    void framesOverWhite()
    {
        QFETCH(int, effect);
        QFETCH(int, frame);
        QFETCH(QPoint, at);
        QFETCH(int, red);
        FaceSurfaces s = faceOf(QSize(100, 40), 0xFFFFFF);
        QCOMPARE(qRed(framesOf(s, lookWithEffect(effect)).at(frame).pixel(at)), red);
    }

    void borderEffectsTakeAnyStoredBorderSize()
    {
        // A stored border size may be any number; it is drawn as the nearest
        // size in 1..1000.
        for (const int effect : {0, 1}) {
            const auto centreOfLastFrame = [effect](float border) {
                FaceSurfaces s = faceOf(QSize(100, 40), 0xFFFFFF);
                RavlenLook look = lookWithEffect(effect);
                look.border.size = border;
                return framesOf(s, look).last().pixel(50, 20);
            };
            QCOMPARE(centreOfLastFrame(-1e30f), centreOfLastFrame(1));
            QCOMPARE(qRed(centreOfLastFrame(1e30f)), 20);
        }
    }

    void ghostAndGlowRestorePic2()
    {
        for (const int effect : {2, 4}) {
            FaceSurfaces s = patternedFace();
            s.pic2.setBasePicture(solidPicture(QSize(100, 40), 0x00FF00));
            reseedGhostRandom();
            const QList<QImage> firstRun = framesOf(s, lookWithEffect(effect));
            COMPARE_COLOUR(s.pic2.pixel(50, 20), 0x00FF00u);
            reseedGhostRandom();
            QCOMPARE(framesOf(s, lookWithEffect(effect)), firstRun); // the ghost repeats with the seed
        }
    }
};

QTEST_MAIN(TestEffects)
#include "tst_effects.moc"
