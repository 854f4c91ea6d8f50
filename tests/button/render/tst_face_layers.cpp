#include "render/alpha_layer.h"
#include "render/border_layer.h"
#include "render/face_surfaces.h"
#include "render/gradient_layer.h"
#include "render/mask_layer.h"
#include "render/picture_layer.h"
#include "render/texture_layer.h"
#include "surface_fixtures.h"

#include <QRandomGenerator>
#include <QTest>

// The face layers that paint the whole face or blend over it: gradient,
// border, texture, alpha, the picture face with its tint, and the mask.
class TestFaceLayers : public QObject
{
    Q_OBJECT

private:
    static QImage stripes(QList<OleColor> columns)
    {
        QImage picture(QSize(int(columns.size()), 1), QImage::Format_RGB32);
        for (int x = 0; x < columns.size(); ++x)
            picture.setPixel(x, 0, oleToPixel(columns[x]));
        return picture;
    }

private Q_SLOTS:
    void gradient_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<Probes>("probes");
        const OleColor green = 0x00FF00; // never part of a red-to-black gradient
        QTest::newRow("horizontal, 25.5 per column")
            << 0 << QSize(10, 4) << 1
            << Probes{{{0, 0}, 0xFF}, {{1, 2}, 230}, {{3, 0}, 178}, {{9, 3}, 26}};
        QTest::newRow("vertical") << 1 << QSize(4, 10) << 1 << Probes{{{2, 1}, 230}, {{0, 3}, 178}};
        QTest::newRow("straight lines take the border's width")
            << 0 << QSize(10, 4) << 3 << Probes{{{0, 0}, 230}, {{8, 1}, 26}, {{9, 1}, 0}};
        QTest::newRow("unknown style draws nothing") << 3 << QSize(10, 4) << 1 << Probes{{{1, 1}, green}};
    }

    void gradient()
    {
        QFETCH(int, style);
        QFETCH(QSize, size);
        QFETCH(int, lineWidth);
        QFETCH(Probes, probes);
        FaceSurfaces s = faceOf(size, 0x00FF00);
        s.pic.setLineWidth(lineWidth);
        s.setGradientColours(0x0000FF, 0);
        GradientLook look;
        look.style = style;
        drawGradientLayer(s, look);
        CHECK_PROBES(s.pic, probes)
    }

    void radialGradientCoversTheFace()
    {
        FaceSurfaces s = faceOf(QSize(120, 30), 0x00FF00);
        s.setGradientColours(0x0000FF, 0xFF0000);
        GradientLook look;
        look.style = 2;
        drawGradientLayer(s, look);
        QCOMPARE(s.pic.lineWidth(), 2);
        COMPARE_COLOUR(s.pic.pixel(60, 15), 0x0000FFu);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x)
                QVERIFY2(s.pic.pixel(x, y) != 0x00FF00, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        // Farther out is bluer.
        QVERIFY(oleBlue(s.pic.pixel(119, 29)) > oleBlue(s.pic.pixel(70, 15)));
    }

    void border_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<float>("size");
        QTest::addColumn<OleColor>("colour");
        QTest::addColumn<Probes>("probes");
        const OleColor white = 0xFFFFFF;
        // Size 3: outlines at insets 3, 2, 1, 0 in grey 128, 118, 108, 98,
        // each 3 pixels wide and centred, the outer ones drawn last.
        QTest::newRow("shaded 3D")
            << 2 << 3.0f << 0x808080u
            << Probes{{{0, 10}, grey(98)},  {{1, 10}, grey(98)},  {{2, 10}, grey(108)}, {{3, 10}, grey(118)},
                      {{4, 10}, grey(128)}, {{5, 10}, white},     {{19, 10}, grey(98)}, {{17, 10}, grey(108)},
                      {{16, 10}, grey(118)}, {{15, 10}, grey(128)}, {{14, 10}, white},  {{10, 0}, grey(98)},
                      {{10, 19}, grey(98)}};
        QTest::newRow("shaded 3D limits dark channels at 0")
            << 2 << 30.0f << grey(20) << Probes{{{0, 50}, 0u}, {{45, 50}, grey(20)}, {{46, 50}, white}};
        QTest::newRow("simple box shows all four sides")
            << 1 << 1.0f << 0x0000FFu
            << Probes{{{0, 0}, 0xFF}, {{99, 0}, 0xFF}, {{0, 99}, 0xFF}, {{99, 99}, 0xFF}, {{1, 1}, white}};
        QTest::newRow("none") << 0 << 1.0f << 0x0000FFu << Probes{{{0, 0}, white}};
    }

    void border()
    {
        QFETCH(int, style);
        QFETCH(float, size);
        QFETCH(OleColor, colour);
        QFETCH(Probes, probes);
        const QSize face = style == 2 && size > 3 ? QSize(100, 100) : style == 1 ? QSize(100, 100) : QSize(20, 20);
        FaceSurfaces s = faceOf(face, 0xFFFFFF);
        BorderLook look;
        look.style = style;
        look.size = size;
        look.color = colour;
        drawBorderLayer(s, look);
        CHECK_PROBES(s.pic, probes)
        QCOMPARE(s.pic.lineWidth(), int(size));
    }

    void texture_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<float>("alpha");
        QTest::addColumn<OleColor>("face");
        QTest::addColumn<OleColor>("scratch");
        QTest::newRow("screen at 0 keeps the face") << 1 << 0.0f << 0u << 0xFFFFFFu;
        QTest::newRow("screen at 255 shows the texture") << 1 << 255.0f << 0xFFFFFFu << 0xFFFFFFu;
        QTest::newRow("glass at 0 copies the face to pic2") << 0 << 0.0f << 0u << 0u;
        QTest::newRow("glass at 255 shows the texture") << 0 << 255.0f << 0xFFFFFFu << 0xFFFFFFu;
        QTest::newRow("shine mixes twice") << 2 << 128.0f << grey(64) << grey(127);
        QTest::newRow("bump as shine") << 3 << 128.0f << grey(64) << grey(127);
        QTest::newRow("unknown type blends nothing") << 9 << 128.0f << 0u << 0xFFFFFFu;
    }

    void texture()
    {
        QFETCH(int, type);
        QFETCH(float, alpha);
        QFETCH(OleColor, face);
        QFETCH(OleColor, scratch);
        FaceSurfaces s = faceOf(QSize(6, 4), 0); // black face
        TextureLook look;
        look.enabled = true;
        look.image = solidPicture(QSize(3, 3), 0xFFFFFF);
        look.type = type;
        look.alpha = alpha;
        drawTextureLayer(s, look);
        COMPARE_COLOUR(s.pic.pixel(3, 2), face);
        COMPARE_COLOUR(s.pic2.pixel(3, 2), scratch);
    }

    void textureLayout_data()
    {
        QTest::addColumn<float>("size");
        QTest::addColumn<QList<OleColor>>("columns");
        const OleColor r = 0x0000FF;
        const OleColor b = 0xFF0000;
        QTest::newRow("size 1 stretches once") << 1.0f << QList<OleColor>{r, r, r, r, b, b, b, b};
        QTest::newRow("size 2 tiles twice") << 2.0f << QList<OleColor>{r, r, b, b, r, r, b, b};
        QTest::newRow("size 4 tiles four times") << 4.0f << QList<OleColor>{r, b, r, b, r, b, r, b};
    }

    void textureLayout()
    {
        QFETCH(float, size);
        QFETCH(QList<OleColor>, columns);
        FaceSurfaces s = faceOf(QSize(8, 4), 0);
        TextureLook look;
        look.enabled = true;
        look.image = stripes({0x0000FF, 0xFF0000});
        look.size = size;
        look.type = 1;
        look.alpha = 255;
        drawTextureLayer(s, look);
        for (int x = 0; x < 8; ++x)
            COMPARE_COLOUR(s.pic.pixel(x, 3), columns[x]);
    }

    void textureWithoutPictureBlendsWhatPic2Holds()
    {
        FaceSurfaces s = faceOf(QSize(4, 4), 0);
        s.pic2.fillBox(QPoint(0, 0), QPoint(4, 4), 0x00FF00);
        TextureLook look;
        look.enabled = true;
        look.type = 1;
        look.alpha = 255;
        drawTextureLayer(s, look);
        COMPARE_COLOUR(s.pic.pixel(1, 1), 0x00FF00u);
    }

    void alpha_data()
    {
        QTest::addColumn<bool>("container");
        QTest::addColumn<float>("value");
        QTest::addColumn<OleColor>("expected");
        QTest::newRow("128 over white turns black mid grey") << true << 128.0f << grey(128);
        QTest::newRow("0 keeps the face") << true << 0.0f << 0u;
        QTest::newRow("255 shows the container") << true << 255.0f << 0xFFFFFFu;
        QTest::newRow("no container keeps the face") << false << 255.0f << 0u;
    }

    void alpha()
    {
        QFETCH(bool, container);
        QFETCH(float, value);
        QFETCH(OleColor, expected);
        FaceSurfaces s = faceOf(QSize(30, 10), 0);
        if (container) // a container image of another size is stretched over the face
            s.containerBackground = [] { return solidPicture(QSize(3, 1), 0xFFFFFF); };
        AlphaLook look;
        look.enabled = true;
        look.value = value;
        drawAlphaLayer(s, look);
        COMPARE_COLOUR(s.pic.pixel(0, 0), expected);
        COMPARE_COLOUR(s.pic.pixel(29, 9), expected);
    }

    void pictureFace_data()
    {
        QTest::addColumn<bool>("tint");
        QTest::addColumn<bool>("round");
        QTest::addColumn<OleColor>("left");
        QTest::addColumn<OleColor>("maskLeft");
        // The picture: mid grey and black. Frost without tint colour and
        // brightness 100 lightens grey by 100 and keeps black.
        QTest::newRow("plain") << false << false << grey(128) << grey(128);
        QTest::newRow("tinted by frost") << true << false << grey(228) << grey(228);
        QTest::newRow("rounded outline keeps the mask") << false << true << grey(128) << 0x123456u;
    }

    void pictureFace()
    {
        QFETCH(bool, tint);
        QFETCH(bool, round);
        QFETCH(OleColor, left);
        QFETCH(OleColor, maskLeft);
        FaceSurfaces s = faceOf(QSize(40, 10), 0x00FF00);
        s.picTemp.fillBox(QPoint(0, 0), QPoint(40, 10), 0x123456);
        TintLook tintLook;
        tintLook.enabled = tint;
        tintLook.type = 4;
        tintLook.color = 0;
        tintLook.bright = 100;
        RoundLook roundLook;
        roundLook.enabled = round;
        const QImage state = stripes({grey(128), 0});
        drawPictureFace(s, state, tintLook, roundLook);
        QCOMPARE(s.pic.size(), QSize(40, 10));
        QCOMPARE(s.pic.basePicture().size(), state.size());
        COMPARE_COLOUR(s.pic.pixel(0, 0), left);
        COMPARE_COLOUR(s.pic.pixel(19, 9), left);
        COMPARE_COLOUR(s.pic.pixel(39, 9), 0u); // black gets no brightness
        COMPARE_COLOUR(s.picTemp.pixel(5, 5), maskLeft);
    }

    void missingPictureLeavesTheFace()
    {
        FaceSurfaces s = faceOf(QSize(4, 4), 0x00FF00);
        drawPictureFace(s, QImage(), TintLook(), RoundLook());
        COMPARE_COLOUR(s.pic.pixel(2, 2), 0x00FF00u);
    }

    void maskShape_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("round");
        QTest::addColumn<OleColor>("maskColour");
        QTest::addColumn<QRegion>("expected");
        QTest::newRow("gradient face is all opaque") << 13 << false << 0u << QRegion(0, 0, 120, 30);
        QTest::newRow("gradient face with a white key") << 13 << false << 0xFFFFFFu << QRegion(0, 0, 120, 30);
        QTest::newRow("skin keeps its see-through columns")
            << 0 << false << 0u << QRegion(QRect(QPoint(30, 0), QPoint(119, 29)));
    }

    void maskShape()
    {
        QFETCH(int, style);
        QFETCH(bool, round);
        QFETCH(OleColor, maskColour);
        QFETCH(QRegion, expected);
        FaceSurfaces s = faceOf(QSize(120, 30), 0);
        SkinLook skin;
        skin.buttonStyle = style;
        skin.maskColor = maskColour;
        RoundLook roundLook;
        roundLook.enabled = round;
        drawMaskShape(s, skin, roundLook, stripes({0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));
        QCOMPARE(maskRegion(s.picTemp, maskColour), expected);
    }

    void roundedMaskLeavesTheCorners()
    {
        // (120 + 30) / 10 = 15 by 15 corner ellipses.
        FaceSurfaces s = faceOf(QSize(120, 30), 0);
        s.picTemp.setPenColor(0xFFFFFF);
        RoundLook round;
        round.enabled = true;
        QCOMPARE(roundCornerWidth(round, QSize(120, 30)), 15);
        drawMaskShape(s, SkinLook(), round, QImage());
        const QRegion region = maskRegion(s.picTemp, 0);
        QVERIFY(!region.contains(QPoint(0, 0)));
        QVERIFY(!region.contains(QPoint(1, 1)));
        QVERIFY(!region.contains(QPoint(119, 29)));
        QVERIFY(region.contains(QPoint(7, 0)));
        QVERIFY(region.contains(QPoint(60, 15)));
        QVERIFY(region.contains(QPoint(0, 15)));
        QVERIFY(!region.contains(QPoint(120, 15)));
    }

    void maskRegionMatchesEveryPixel_data()
    {
        QTest::addColumn<int>("density");
        QTest::newRow("all see-through") << 100;
        QTest::newRow("sparse holes") << 5;
        QTest::newRow("half") << 50;
        QTest::newRow("all opaque") << 0;
    }

    void maskRegionMatchesEveryPixel()
    {
        QFETCH(int, density);
        QRandomGenerator random(quint32(density) + 1);
        Surface mask(QSize(37, 23), 0xFFFFFF);
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x)
                if (int(random.bounded(100)) < density || (y > 10 && y < 15 && density == 5))
                    mask.fillBox(QPoint(x, y), QPoint(x, y), 0xABCDEF);
        const QRegion region = maskRegion(mask, 0xABCDEF);
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x)
                QCOMPARE(region.contains(QPoint(x, y)), mask.pixel(x, y) != 0xABCDEF);
    }
};

QTEST_MAIN(TestFaceLayers)
#include "tst_face_layers.moc"
