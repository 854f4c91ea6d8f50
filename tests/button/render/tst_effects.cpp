#include "render/effects.h"
#include "render/face_surfaces.h"
#include "surface_fixtures.h"

#include <QTest>

namespace {

// A face in which every pixel differs, so that a misplaced frame shows.
FaceSurfaces patternedFace(QSize size = QSize(100, 40))
{
    FaceSurfaces s;
    s.resizeFace(size);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
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
        QTest::addColumn<float>("borderSize");
        QTest::addColumn<int>("frame");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("red");
        // Each frame is drawn over black, so it shows its own alpha.
        QTest::newRow("blink ends at 240") << 3 << 1.f << 10 << QPoint(50, 20) << 240;
        // E = (100 + 40) * size / 100 + 1 = 8: 20 from the lightening everywhere,
        // inside also the face mixed at 100: (20 * 155 + 255 * 100) / 255.
        QTest::newRow("border glow 5: inside") << 0 << 5.f << 0 << QPoint(91, 31) << 112;
        QTest::newRow("border glow 5: border") << 0 << 5.f << 0 << QPoint(91, 32) << 20;
        // Frame 0 covers (0, 0); later frames start at (i, i) and leave it.
        QTest::newRow("border shine, first frame") << 1 << 1.f << 0 << QPoint(0, 0) << 20;
        QTest::newRow("border shine, second frame") << 1 << 1.f << 1 << QPoint(0, 0) << 0;
        // A cleared pic2 lightened at 65, jittered only up and down.
        QTest::newRow("ghost") << 4 << 1.f << 0 << QPoint(50, 20) << 65;
    }

    void framesOverWhite()
    {
        QFETCH(int, effect);
        QFETCH(float, borderSize);
        QFETCH(int, frame);
        QFETCH(QPoint, at);
        QFETCH(int, red);
        FaceSurfaces s = faceOf(QSize(100, 40), 0xFFFFFF);
        s.pic2.fillBox(QPoint(0, 0), QPoint(100, 40), 0);
        RavlenLook look = lookWithEffect(effect);
        look.border.size = borderSize;
        QCOMPARE(qRed(framesOf(s, look).at(frame).pixel(at)), red);
    }

    void flashClosesInOnTheFace()
    {
        FaceSurfaces s = patternedFace();
        RavlenLook look = lookWithEffect(5);
        look.icon.position = 4; // BackgroundIcon: from (-40, -40, W + 80, H + 80)
        const QImage face = s.pic.image().copy();
        const QList<QImage> frames = framesOf(s, look);
        // The first frame, at alpha 0, is the copy of the face pic2 starts
        // with; the last covers the face exactly at alpha 50.
        QCOMPARE(frames.first(), face);
        Surface expected(QSize(100, 40), 0);
        Surface faceSurface(QSize(100, 40), 0);
        faceSurface.setBasePicture(face);
        expected.blend(expected.rect(), faceSurface, faceSurface.rect(), 50);
        QCOMPARE(frames.last(), expected.image());

        // The frame before last (offset 4, alpha 45) comes from the icon's side.
        look.icon.position = 0;
        const QImage beforeLast = framesOf(s, look).at(9);
        QCOMPARE(beforeLast.pixel(3, 20), qRgb(0, 0, 0));
        QVERIFY(beforeLast.pixel(4, 20) != qRgb(0, 0, 0));
    }

    void ghostRestoresPic2AndRepeatsWithTheSeed()
    {
        FaceSurfaces s = patternedFace();
        s.pic2.setBasePicture(solidPicture(QSize(100, 40), 0x00FF00));
        reseedGhostRandom();
        const QList<QImage> firstRun = framesOf(s, lookWithEffect(4));
        QVERIFY(qGreen(firstRun.first().pixel(50, 20)) < 255); // nothing of the green base is left
        COMPARE_COLOUR(s.pic2.pixel(50, 20), 0x00FF00u);
        QVERIFY(s.pic2.hasBasePicture());
        reseedGhostRandom();
        QCOMPARE(framesOf(s, lookWithEffect(4)), firstRun);
    }

    void glowRestoresPic2()
    {
        for (const bool withBase : {true, false}) {
            FaceSurfaces s = faceOf(QSize(100, 40), 0xFFFFFF);
            if (withBase)
                s.pic2.setBasePicture(solidPicture(QSize(100, 40), 0x00FF00));
            s.pic2.fillBox(QPoint(0, 0), QPoint(100, 40), 0);
            QList<int> levels;
            drawEffect(s, lookWithEffect(2), [&](int) { levels << oleRed(s.pic2.pixel(0, 0)); });
            // Each frame adds 30 / 255 of the white face.
            QCOMPARE(levels, (QList<int>{30, 60, 90, 120, 150, 180}));
            COMPARE_COLOUR(s.pic2.pixel(70, 30), withBase ? 0x00FF00u : 0u);
        }
    }
};

QTEST_MAIN(TestEffects)
#include "tst_effects.moc"
