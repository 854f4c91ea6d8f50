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

} // namespace

class TestEffects : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frameCounts_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("frames");
        QTest::newRow("border glow") << 0 << 21;
        QTest::newRow("border shine") << 1 << 11;
        QTest::newRow("glow") << 2 << 6;
        QTest::newRow("blink") << 3 << 11;
        QTest::newRow("ghost") << 4 << 11;
        QTest::newRow("flash") << 5 << 11;
        QTest::newRow("unknown") << 7 << 0;
        QTest::newRow("negative") << -1 << 0;
    }

    void frameCounts()
    {
        QFETCH(int, effect);
        QFETCH(int, frames);
        FaceSurfaces s = patternedFace();
        QList<int> delays;
        drawEffect(s, lookWithEffect(effect), [&](int delay) { delays << delay; });
        QCOMPARE(delays.size(), frames);
        // The default fade delay of 75 gives 75 / 100, rounded.
        QVERIFY(std::all_of(delays.begin(), delays.end(), [](int d) { return d == 1; }));
    }

    void unknownEffectDrawsNothing()
    {
        FaceSurfaces s = patternedFace();
        s.pic2.fillBox(QPoint(0, 0), QPoint(100, 40), 0x123456);
        const QImage face = s.pic.image().copy();
        drawEffect(s, lookWithEffect(7), nullptr);
        QCOMPARE(s.pic.image(), face);
        COMPARE_COLOUR(s.pic2.pixel(50, 20), 0x123456u);
    }

    void blinkRisesFrom140To240()
    {
        FaceSurfaces s = faceOf(QSize(10, 4), 0xFFFFFF);
        QList<int> levels;
        // Each frame is blended over black, so it shows its own alpha.
        drawEffect(s, lookWithEffect(3), [&](int) {
            levels << oleRed(s.pic2.pixel(5, 2));
            s.pic2.fillBox(QPoint(0, 0), QPoint(10, 4), 0);
        });
        QCOMPARE(levels, (QList<int>{140, 150, 160, 170, 180, 190, 200, 210, 220, 230, 240}));
    }

    void borderGlowBlendsTheInside_data()
    {
        QTest::addColumn<float>("borderSize");
        QTest::addColumn<QRect>("inside");
        // E = (100 + 40) * size / 100 + 1, rounded with W - 2E.
        QTest::newRow("border 1: E = 2.4") << 1.0f << QRect(2, 2, 95, 35);
        QTest::newRow("border 5: E = 8") << 5.0f << QRect(8, 8, 84, 24);
    }

    void borderGlowBlendsTheInside()
    {
        QFETCH(float, borderSize);
        QFETCH(QRect, inside);
        FaceSurfaces s = faceOf(QSize(100, 40), 0xFFFFFF);
        RavlenLook look = lookWithEffect(0);
        look.border.size = borderSize;
        QImage frame;
        drawEffect(s, look, [&](int) {
            if (frame.isNull())
                frame = s.pic2.image().copy();
        });
        // Over black: 20 from the lightening everywhere; inside also mixed
        // with the face at 100: (20 * 155 + 255 * 100) / 255 = 112.
        for (const QPoint p : {inside.topLeft(), inside.bottomRight(), inside.center()})
            QCOMPARE(qRed(frame.pixel(p)), 112);
        for (const QPoint p : {inside.topLeft() - QPoint(1, 1), inside.bottomRight() + QPoint(1, 1),
                               QPoint(inside.right(), inside.bottom() + 1)})
            QCOMPARE(qRed(frame.pixel(p)), 20);
    }

    void borderShineMovesTheFace()
    {
        FaceSurfaces s = faceOf(QSize(100, 40), 0xFFFFFF);
        RavlenLook look = lookWithEffect(1);
        look.border.size = 1; // E = 1.4: inside (1, 1, 97, 37)
        QList<int> corner;
        drawEffect(s, look, [&](int) {
            corner << qRed(s.pic2.image().pixel(0, 0));
            s.pic2.fillBox(QPoint(0, 0), QPoint(100, 40), 0);
        });
        // Frame 0 covers (0, 0); later frames start at (i, i) and leave it.
        QCOMPARE(corner.first(), 20);
        QCOMPARE(corner.count(0), 10);
    }

    void flashClosesInOnTheFace()
    {
        FaceSurfaces s = patternedFace();
        RavlenLook look = lookWithEffect(5);
        look.icon.position = 4; // BackgroundIcon: from (-40, -40, W + 80, H + 80)
        const QImage face = s.pic.image().copy();
        QList<QImage> frames;
        drawEffect(s, look, [&](int) {
            frames << s.pic2.image().copy();
            s.pic2.fillBox(QPoint(0, 0), QPoint(100, 40), 0);
        });
        QCOMPARE(frames.size(), 11);
        // The first frame, at alpha 0, is the copy of the face pic2 starts with.
        QCOMPARE(frames.first(), face);
        // The last covers the face exactly at alpha 50.
        Surface expected(QSize(100, 40), 0);
        Surface faceSurface(QSize(100, 40), 0);
        faceSurface.setBasePicture(face);
        expected.blend(expected.rect(), faceSurface, faceSurface.rect(), 50);
        QCOMPARE(frames.last(), expected.image());
    }

    void flashComesFromTheIconSide_data()
    {
        QTest::addColumn<int>("iconPosition");
        QTest::addColumn<QPoint>("missed");
        QTest::addColumn<QPoint>("reached");
        // The frame before last (offset 4, alpha 45) on 100 x 40.
        QTest::newRow("left icon: moved right") << 0 << QPoint(3, 20) << QPoint(4, 20);
        QTest::newRow("top icon: moved down") << 1 << QPoint(50, 3) << QPoint(50, 4);
        QTest::newRow("right icon: moved left, narrower") << 2 << QPoint(92, 20) << QPoint(91, 20);
        QTest::newRow("bottom icon: moved up, shorter") << 3 << QPoint(50, 32) << QPoint(50, 31);
        QTest::newRow("background icon: grown all round") << 4 << QPoint(-1, -1) << QPoint(99, 39);
        QTest::newRow("unknown position: in place") << 7 << QPoint(-1, -1) << QPoint(0, 0);
    }

    void flashComesFromTheIconSide()
    {
        QFETCH(int, iconPosition);
        QFETCH(QPoint, missed);
        QFETCH(QPoint, reached);
        FaceSurfaces s = patternedFace();
        RavlenLook look = lookWithEffect(5);
        look.icon.position = qint16(iconPosition);
        QList<QImage> frames;
        drawEffect(s, look, [&](int) {
            frames << s.pic2.image().copy();
            s.pic2.fillBox(QPoint(0, 0), QPoint(100, 40), 0);
        });
        const QImage &frame = frames.at(9);
        if (missed.x() >= 0)
            QCOMPARE(frame.pixel(missed), qRgb(0, 0, 0));
        QVERIFY(frame.pixel(reached) != qRgb(0, 0, 0));
    }

    void ghostClearsAndRestoresPic2()
    {
        FaceSurfaces s = patternedFace();
        s.pic2.setBasePicture(solidPicture(QSize(100, 40), 0x00FF00));
        QList<QImage> firstRun;
        reseedGhostRandom();
        drawEffect(s, lookWithEffect(4), [&](int) { firstRun << s.pic2.image().copy(); });
        // The first frame lightens a cleared (black) pic2 at 65, starting at
        // column 0 and jittered only up and down: nothing of the green base
        // is left.
        QCOMPARE(qRed(firstRun.first().pixel(50, 20)), (2 * 50 * 65 + 127) / 255);
        QVERIFY(qGreen(firstRun.first().pixel(50, 20)) < 255);
        // Afterwards pic2 shows its base picture again.
        COMPARE_COLOUR(s.pic2.pixel(50, 20), 0x00FF00u);
        QVERIFY(s.pic2.hasBasePicture());

        // The same seed repeats the same jitter.
        QList<QImage> secondRun;
        reseedGhostRandom();
        drawEffect(s, lookWithEffect(4), [&](int) { secondRun << s.pic2.image().copy(); });
        QCOMPARE(secondRun, firstRun);
    }

    void glowRestoresPic2_data()
    {
        QTest::addColumn<bool>("withBase");
        QTest::addColumn<OleColor>("after");
        QTest::newRow("back to its base picture") << true << 0x00FF00u;
        QTest::newRow("cleared without one") << false << 0u;
    }

    void glowRestoresPic2()
    {
        QFETCH(bool, withBase);
        QFETCH(OleColor, after);
        FaceSurfaces s = faceOf(QSize(100, 40), 0xFFFFFF);
        if (withBase)
            s.pic2.setBasePicture(solidPicture(QSize(100, 40), 0x00FF00));
        s.pic2.fillBox(QPoint(0, 0), QPoint(100, 40), 0);
        QList<int> levels;
        drawEffect(s, lookWithEffect(2), [&](int) { levels << oleRed(s.pic2.pixel(0, 0)); });
        // Each frame adds 30 / 255 of the white face.
        QCOMPARE(levels, (QList<int>{30, 60, 90, 120, 150, 180}));
        COMPARE_COLOUR(s.pic2.pixel(70, 30), after);
    }
};

QTEST_MAIN(TestEffects)
#include "tst_effects.moc"
