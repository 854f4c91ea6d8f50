#include "render/border_layer.h"
#include "render/gradient_layer.h"
#include "render/mask_layer.h"
#include "render/picture_layer.h"
#include "render/skin_library.h"
#include "render/texture_layer.h"
#include "surface_fixtures.h"

#include <QTest>

// The face layers that paint the whole face or blend over it: gradient,
// border, texture, the picture face with its tint and stretch, and the mask
// region of a skin. The alpha layer and the mask shapes are covered through
// the widget in tst_face_composer.
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

    // The mean height of a step in the top edge of the face (the first pixel
    // of a column that is not the black key): a staircase has few tall steps.
    static double meanStep(const QImage &image)
    {
        int rise = 0, steps = 0;
        for (int x = 0, previous = -1; x < image.width(); ++x) {
            int top = 0;
            while (top < image.height() && (image.pixel(x, top) & 0xFFFFFF) == 0)
                ++top;
            rise += previous >= 0 ? qAbs(top - previous) : 0;
            steps += previous >= 0 && top != previous;
            previous = top;
        }
        return double(rise) / qMax(steps, 1);
    }

private Q_SLOTS:
    void gradient_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<Probes>("probes");
        QTest::newRow("horizontal, 25.5 per column")
            << 0 << QSize(10, 4) << 1 << Probes{{{0, 0}, 0xFF}, {{1, 2}, 230}, {{3, 0}, 178}, {{9, 3}, 26}};
        QTest::newRow("straight lines take the border's width")
            << 0 << QSize(10, 4) << 3 << Probes{{{0, 0}, 230}, {{8, 1}, 26}, {{9, 1}, 0}};
        QTest::newRow("radial, darker outwards") << 2 << QSize(120, 30) << 1 << Probes{{{60, 15}, 0xFF}, {{70, 15}, 234}, {{119, 29}, 125}};
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
        drawGradientLayer(s, GradientLook{.style = style});
        CHECK_PROBES(s.pic, probes)
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
        QTest::newRow("shaded 3D") << 2 << 3.0f << 0x808080u
                                   << Probes{{{1, 10}, grey(98)}, {{2, 10}, grey(108)},  {{3, 10}, grey(118)},  {{4, 10}, grey(128)},
                                             {{5, 10}, white},    {{17, 10}, grey(108)}, {{15, 10}, grey(128)}, {{10, 19}, grey(98)}};
        QTest::newRow("shaded 3D limits dark channels at 0")
            << 2 << 30.0f << grey(20) << Probes{{{0, 50}, 0u}, {{45, 50}, grey(20)}, {{46, 50}, white}};
        QTest::newRow("simple box shows all four sides")
            << 1 << 1.0f << 0x0000FFu << Probes{{{0, 0}, 0xFF}, {{99, 99}, 0xFF}, {{1, 1}, white}};
    }

    void border()
    {
        QFETCH(int, style);
        QFETCH(float, size);
        QFETCH(OleColor, colour);
        QFETCH(Probes, probes);
        FaceSurfaces s = faceOf(style == 2 && size <= 3 ? QSize(20, 20) : QSize(100, 100), 0xFFFFFF);
        drawBorderLayer(s, BorderLook{.style = style, .size = size, .color = colour});
        CHECK_PROBES(s.pic, probes)
    }

    void texture_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<float>("alpha");
        QTest::addColumn<float>("size");
        QTest::addColumn<QImage>("image");
        QTest::addColumn<Probes>("probes");
        const QImage white = solidPicture(QSize(3, 3), 0xFFFFFF);
        const OleColor r = 0x0000FF, b = 0xFF0000;
        const QImage redBlue = stripes({r, b});
        const auto at = [](OleColor colour) { return Probes{{{3, 2}, colour}}; };
        QTest::newRow("screen at 255 shows the texture") << 1 << 255.0f << 1.0f << white << at(0xFFFFFF);
        // Glass mixes the face into the texture by 255 - TA, then that into the face by TA.
        QTest::newRow("glass at 255 shows the texture") << 0 << 255.0f << 1.0f << white << at(0xFFFFFF);
        QTest::newRow("glass mixes twice") << 0 << 128.0f << 1.0f << white << at(grey(64));
        QTest::newRow("glass at 0 keeps the face") << 0 << 0.0f << 1.0f << white << at(0);
        QTest::newRow("shine mixes twice") << 2 << 128.0f << 1.0f << white << at(grey(64));
        QTest::newRow("size 2 tiles twice") << 1 << 255.0f << 2.0f << redBlue << Probes{{{1, 3}, r}, {{2, 3}, b}, {{4, 3}, r}, {{7, 3}, b}};
        QTest::newRow("no picture blends what pic2 holds") << 1 << 255.0f << 1.0f << QImage() << at(0x00FF00);
    }

    void texture()
    {
        QFETCH(int, type);
        QFETCH(float, alpha);
        QFETCH(float, size);
        QFETCH(QImage, image);
        QFETCH(Probes, probes);
        FaceSurfaces s = faceOf(QSize(8, 4), 0); // black face
        s.pic2.fillBox(QPoint(0, 0), QPoint(8, 4), 0x00FF00);
        drawTextureLayer(s, TextureLook{.enabled = true, .image = image, .size = size, .alpha = alpha, .type = type});
        CHECK_PROBES(s.pic, probes)
    }

    void pictureFace_data()
    {
        QTest::addColumn<int>("bright"); // of a frost tint; 0: no tint
        QTest::addColumn<bool>("round");
        // The picture: mid grey and black. Frost without tint colour and
        // brightness 100 lightens grey by 100 and keeps black.
        QTest::newRow("plain") << 0 << false;
        QTest::newRow("tinted by frost") << 100 << false;
        QTest::newRow("rounded outline keeps the mask") << 0 << true;
    }

    void pictureFace()
    {
        QFETCH(int, bright);
        QFETCH(bool, round);
        const OleColor left = grey(128 + bright);
        FaceSurfaces s = faceOf(QSize(40, 10), 0x00FF00);
        s.picTemp.fillBox(QPoint(0, 0), QPoint(40, 10), 0x123456);
        const TintLook tint{.enabled = bright != 0, .color = 0, .bright = qint16(bright), .type = 4};
        drawPictureFace(s, stripes({grey(128), 0}), tint, RoundLook{.enabled = round}, 0);
        COMPARE_COLOUR(s.pic.pixel(0, 0), left);
        COMPARE_COLOUR(s.pic.pixel(39, 9), 0u); // black gets no brightness
        COMPARE_COLOUR(s.picTemp.pixel(5, 5), round ? 0x123456u : left); // the face is the mask
        drawPictureFace(s, QImage(), TintLook(), RoundLook(), 0); // no picture: the face stays
        COMPARE_COLOUR(s.pic.pixel(0, 0), left);
    }

    // The Ooz skin (300 x 60, black key) as the winner window enlarges it,
    // slightly enlarged, and shrunk.
    void skinStretch_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("smooth");
        QTest::newRow("enlarged") << QSize(528, 256) << true;
        QTest::newRow("enlarged by a fifth stays nearest") << QSize(360, 72) << false;
        QTest::newRow("shrunk stays nearest") << QSize(150, 40) << false;
    }

    void skinStretch()
    {
        QFETCH(QSize, size);
        QFETCH(bool, smooth);
        const QImage skin = SkinLibrary::picture(QStringLiteral("Ooz0"));
        Surface nearest(size);
        nearest.stretchPicture(nearest.rect(), skin);
        FaceSurfaces s = faceOf(size, 0x00FF00);
        drawPictureFace(s, skin, TintLook(), RoundLook(), 0);
        QCOMPARE(s.picTemp.image(), s.pic.image());
        QCOMPARE(s.pic.image() == nearest.image(), !smooth);
        // The mask is every pixel but the key's, and every other pixel is a
        // face colour: the darkest of Ooz's face has a channel sum of 109,
        // and no fringe mixed with the black key comes near it.
        const QRegion mask = maskRegion(s.picTemp, 0);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QRgb p = s.pic.image().pixel(x, y);
                QCOMPARE(mask.contains(QPoint(x, y)), (p & 0xFFFFFF) != 0);
                QVERIFY((p & 0xFFFFFF) == 0 || qRed(p) + qGreen(p) + qBlue(p) >= 105);
            }
        QVERIFY(!smooth || meanStep(s.pic.image()) * 2 < meanStep(nearest.image())); // no staircase
        // Whatever lies well inside the face is in the mask: no holes.
        QRegion inner = maskRegion(nearest, 0);
        inner &= inner.translated(5, 0) & inner.translated(-5, 0) & inner.translated(0, 5) & inner.translated(0, -5);
        QVERIFY((inner - mask).isEmpty());
    }
};

QTEST_MAIN(TestFaceLayers)
#include "tst_face_layers.moc"
