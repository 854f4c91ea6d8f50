#include "render/arrow_layer.h"
#include "render/face_surfaces.h"
#include "render/shadow_layer.h"
#include "surface_fixtures.h"

#include <QTest>

#include <limits>

namespace {

const OleColor red = 0x0000FF;
const OleColor white = 0xFFFFFF;
const OleColor blue = 0xFF0000;
// A red face blended with white at 250: almost gone.
const OleColor faded = oleRgb(255, 250, 250);

FaceSurfaces redFaceOnWhite()
{
    FaceSurfaces s = faceOf(QSize(100, 40), red);
    s.containerBackground = [] { return solidPicture(QSize(100, 40), white); };
    return s;
}

ShadowLook shadowOf(int style, float size)
{
    ShadowLook look;
    look.enabled = true;
    look.style = style;
    look.size = size;
    look.color = 0;
    return look;
}

} // namespace

class TestShadowArrow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shadow_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<float>("size");
        QTest::addColumn<Probes>("probes");
        QTest::newRow("box of 3: face in (3, 3, 94, 34), shadow from (6, 6)")
            << 2 << 3.0f
            << Probes{{{3, 3}, red}, {{96, 36}, red}, {{97, 37}, 0}, {{98, 4}, faded}, {{2, 2}, faded}};
        QTest::newRow("normal of 2: rings at insets 1 and 2")
            << 0 << 2.0f << Probes{{{0, 20}, faded}, {{1, 20}, grey(254)}, {{2, 20}, red}, {{98, 20}, grey(254)}};
        QTest::newRow("normal of 17: rings past 15 hold all the shadow")
            << 0 << 17.0f << Probes{{{15, 20}, grey(30)}, {{16, 20}, 0}, {{17, 20}, red}};
        QTest::newRow("glass of 1") << 1 << 1.0f << Probes{{{0, 20}, grey(185)}, {{1, 20}, red}};
        QTest::newRow("round of 3") << 3 << 3.0f
                                    << Probes{{{99, 20}, 0}, {{99, 39}, faded}, {{98, 4}, faded}, {{50, 20}, red}};
        QTest::newRow("unknown style only shrinks") << 9 << 2.0f << Probes{{{1, 20}, faded}, {{2, 20}, red}};
        QTest::newRow("size 0 keeps the face whole") << 0 << 0.0f << Probes{{{0, 0}, red}, {{99, 39}, red}};
        QTest::newRow("no container, no shadow") << -1 << 3.0f << Probes{{{0, 0}, red}, {{99, 39}, red}};
    }

    void shadow()
    {
        QFETCH(int, style);
        QFETCH(float, size);
        QFETCH(Probes, probes);
        FaceSurfaces s = redFaceOnWhite();
        if (style < 0) {
            s.containerBackground = nullptr;
            style = 2;
        }
        drawShadowLayer(s, shadowOf(style, size), RoundLook(), 0);
        CHECK_PROBES(s.pic, probes)
        if (!s.containerBackground)
            return;
        // The mask keeps the whole face; pic2 holds the shadowed face.
        COMPARE_COLOUR(s.picTemp.pixel(0, 0), red);
        QCOMPARE(s.pic2.image(), s.pic.image());
        QCOMPARE(s.pic.fillStyle(), Surface::FillStyle::Transparent);
    }

    void maskColourIsLeftOutOfTheShadow()
    {
        // A face see-through (black) round a red middle, over a silhouette
        // surface still holding an earlier drawing.
        FaceSurfaces s = redFaceOnWhite();
        s.pic.fillBox(QPoint(0, 0), QPoint(19, 39), 0);
        s.picShadow.fillBox(QPoint(0, 0), QPoint(400, 200), blue);
        drawShadowLayer(s, shadowOf(1, 1), RoundLook(), 0);
        // (250 * 70 + 255 * 185) / 255: only the container, no shadow.
        COMPARE_COLOUR(s.pic.pixel(5, 20), grey(254));
        COMPARE_COLOUR(s.pic.pixel(50, 20), red);
        COMPARE_COLOUR(s.pic.pixel(99, 20), grey(185));
    }

    void hugeShadowSizeFinishes()
    {
        FaceSurfaces s = redFaceOnWhite();
        for (const float size : {1e9f, -1e9f, std::numeric_limits<float>::infinity()}) {
            for (int style = 0; style < 4; ++style)
                drawShadowLayer(s, shadowOf(style, size), RoundLook(), 0);
        }
        QCOMPARE(s.pic.size(), QSize(100, 40));
    }

    void arrow_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("direction");
        QTest::addColumn<float>("size");
        QTest::addColumn<QPointF>("anchor");
        QTest::addColumn<double>("split");
        QTest::addColumn<Probes>("probes");
        const OleColor arrow = white;
        const OleColor centre = 0x00FF00; // the face's pixel at (50, 20)
        const OleColor quarter = 0x00FFFF; // and at (25, 10)
        QTest::newRow("right, down, 4")
            << 0 << 0 << 4.0f << QPointF(92, 20) << 84.0
            << Probes{{{84, 0}, centre}, {{85, 20}, quarter}, {{86, 20}, blue}, {{92, 24}, arrow},
                      {{93, 23}, blue}, {{88, 20}, arrow}, {{95, 20}, arrow}, {{96, 20}, blue}, {{92, 19}, blue}};
        QTest::newRow("left, up, 5") << 1 << 1 << 5.0f << QPointF(10, 20) << 20.0
                                     << Probes{{{20, 5}, centre}, {{21, 5}, quarter}, {{14, 20}, arrow}, {{15, 20}, blue}};
        QTest::newRow("bottom, right, 5") << 2 << 2 << 5.0f << QPointF(50, 30) << 25.0
                                          << Probes{{{0, 25}, centre}, {{99, 26}, quarter}, {{50, 34}, arrow}, {{50, 35}, blue}};
        QTest::newRow("middle draws no split") << 4 << 0 << 4.0f << QPointF(50, 20) << 7.5
                                               << Probes{{{84, 0}, blue}, {{50, 24}, arrow}};
        QTest::newRow("unknown position keeps the anchor") << 8 << 0 << 4.0f << QPointF(30, 10) << 7.5
                                                           << Probes{{{30, 14}, arrow}, {{84, 0}, blue}};
        QTest::newRow("unknown direction draws no triangle") << 4 << 6 << 4.0f << QPointF(50, 20) << 7.5
                                                             << Probes{{{50, 24}, blue}, {{50, 20}, centre}};
    }

    void arrow()
    {
        QFETCH(int, position);
        QFETCH(int, direction);
        QFETCH(float, size);
        QFETCH(QPointF, anchor);
        QFETCH(double, split);
        QFETCH(Probes, probes);
        FaceSurfaces s = faceOf(QSize(100, 40), blue);
        s.pic.fillBox(QPoint(50, 20), QPoint(50, 20), 0x00FF00);
        s.pic.fillBox(QPoint(25, 10), QPoint(25, 10), 0x00FFFF);
        s.splitCoordinate = 7.5;
        s.arrowAnchor = QPointF(30, 10);
        ArrowLook look;
        look.show = true;
        look.position = position;
        look.direction = direction;
        look.size = size;
        drawArrowLayer(s, look);
        QCOMPARE(s.arrowAnchor, anchor);
        QCOMPARE(s.splitCoordinate, split);
        CHECK_PROBES(s.pic, probes)
    }

    void arrowWithoutSplitKeepsTheSplitCoordinate()
    {
        FaceSurfaces s = faceOf(QSize(100, 40), blue);
        s.splitCoordinate = 3;
        for (const auto &[show, split] : {std::pair(true, false), std::pair(false, true)}) {
            ArrowLook look;
            look.show = show;
            look.split = split;
            drawArrowLayer(s, look);
            QCOMPARE(s.splitCoordinate, 3.0);
        }
    }
};

QTEST_MAIN(TestShadowArrow)
#include "tst_shadow_arrow.moc"
