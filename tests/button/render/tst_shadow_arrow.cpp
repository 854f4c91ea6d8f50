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

void drawShadow(FaceSurfaces &s, int style, float size)
{
    drawShadowLayer(s, ShadowLook{.enabled = true, .color = 0, .size = size, .style = style}, RoundLook(), 0);
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
            << 2 << 3.0f << Probes{{{3, 3}, red}, {{96, 36}, red}, {{97, 37}, 0}, {{98, 4}, faded}};
        QTest::newRow("normal of 2: rings at insets 1 and 2")
            << 0 << 2.0f << Probes{{{0, 20}, faded}, {{1, 20}, grey(254)}, {{2, 20}, red}, {{98, 20}, grey(254)}};
        QTest::newRow("round of 3") << 3 << 3.0f << Probes{{{99, 20}, 0}, {{99, 39}, faded}, {{98, 4}, faded}, {{50, 20}, red}};
    }

    void shadow()
    {
        QFETCH(int, style);
        QFETCH(float, size);
        QFETCH(Probes, probes);
        FaceSurfaces s = redFaceOnWhite();
        drawShadow(s, style, size);
        CHECK_PROBES(s.pic, probes)
    }

    void maskColourIsLeftOutOfTheShadow()
    {
        // A face see-through (black) round a red middle, over a silhouette
        // surface still holding an earlier drawing; glass of 1.
        FaceSurfaces s = redFaceOnWhite();
        s.pic.fillBox(QPoint(0, 0), QPoint(19, 39), 0);
        s.picShadow.fillBox(QPoint(0, 0), QPoint(400, 200), blue);
        drawShadow(s, 1, 1);
        // (250 * 70 + 255 * 185) / 255: only the container, no shadow.
        COMPARE_COLOUR(s.pic.pixel(5, 20), grey(254));
        COMPARE_COLOUR(s.pic.pixel(50, 20), red);
        COMPARE_COLOUR(s.pic.pixel(99, 20), grey(185));
    }

    void hugeShadowSizeFinishes()
    {
        FaceSurfaces s = redFaceOnWhite();
        for (const float size : {1e9f, -1e9f, std::numeric_limits<float>::infinity()})
            for (int style = 0; style < 4; ++style)
                drawShadow(s, style, size);
        QCOMPARE(s.pic.size(), QSize(100, 40));
    }

    void arrow_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("direction");
        QTest::addColumn<float>("size");
        QTest::addColumn<Probes>("probes");
        const OleColor centre = 0x00FF00; // the face's pixel at (50, 20)
        const OleColor quarter = 0x00FFFF; // and at (25, 10)
        QTest::newRow("right, down, 4")
            << 0 << 0 << 4.0f << Probes{{{84, 0}, centre}, {{85, 20}, quarter}, {{86, 20}, blue}, {{92, 24}, white}, {{93, 23}, blue}};
        QTest::newRow("left, up, 5") << 1 << 1 << 5.0f
                                     << Probes{{{20, 5}, centre}, {{21, 5}, quarter}, {{14, 20}, white}, {{15, 20}, blue}};
        QTest::newRow("middle draws no split") << 4 << 0 << 4.0f << Probes{{{84, 0}, blue}, {{50, 24}, white}};
    }

    void arrow()
    {
        QFETCH(int, position);
        QFETCH(int, direction);
        QFETCH(float, size);
        QFETCH(Probes, probes);
        FaceSurfaces s = faceOf(QSize(100, 40), blue);
        s.pic.fillBox(QPoint(50, 20), QPoint(50, 20), 0x00FF00);
        s.pic.fillBox(QPoint(25, 10), QPoint(25, 10), 0x00FFFF);
        drawArrowLayer(s, ArrowLook{.show = true, .direction = direction, .position = position, .size = size});
        CHECK_PROBES(s.pic, probes)
    }
};

QTEST_MAIN(TestShadowArrow)
#include "tst_shadow_arrow.moc"
