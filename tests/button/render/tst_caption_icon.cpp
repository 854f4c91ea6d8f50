#include "render/caption_layer.h"
#include "render/icon_layer.h"
#include "surface_fixtures.h"

#include <QFontDatabase>
#include <QStringList>
#include <QTest>

#include <algorithm>

Q_DECLARE_METATYPE(CaptionBox)
Q_DECLARE_METATYPE(IconGeometry)

namespace {

const OleColor red = 0x0000FF;
const OleColor blue = 0xFF0000;

QFont testFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    return font;
}

// Bounding box of the pixels of one colour.
QRect boundsOf(const QImage &image, QRgb colour)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The caption layer drawn on black, as a 100 x 40 button shows it.
QImage captionOnBlack(const CaptionLook &look, FaceSurfaces &s)
{
    QImage output(QSize(100, 40), QImage::Format_RGB32);
    output.fill(Qt::black);
    drawCaptionLayer(output, s, look, IconLook(), testFont());
    return output;
}

QString boxText(const CaptionBox &box)
{
    return QStringLiteral("(%1, %2, %3, %4) format %5").arg(box.left).arg(box.top).arg(box.right).arg(box.bottom).arg(box.format);
}

} // namespace

class TestCaptionIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decode_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        // 16 stored characters, 10 shown.
        QTest::newRow("euro sign") << QStringLiteral("Save ~$08364 now") << QStringLiteral("Save \u20ac now");
        QTest::newRow("digits stop at a letter") << QStringLiteral("~$1x234rest")
                                                 << QString(QChar(1)) + QStringLiteral("rest");
        QTest::newRow("no digits give character 0") << QStringLiteral("~$abcde!") << QString(QChar(0)) + u'!';
        QTest::newRow("lone markers") << QStringLiteral("$~ ~") << QStringLiteral("$~ ~");
        QTest::newRow("code past 16 bits") << QStringLiteral("~$66000") << QString::fromUcs4(U"\U000101D0");
    }

    void decode()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QCOMPARE(decodeCaption(stored), shown);
    }

    void layout_data()
    {
        QTest::addColumn<bool>("autoAlign");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("iconShown");
        QTest::addColumn<int>("iconPosition");
        QTest::addColumn<double>("textWidth");
        QTest::addColumn<double>("motion");
        QTest::addColumn<CaptionBox>("expected");
        // 100 x 40, Lh = 16; the icon (when shown) at Xi 14, Yi 11, 18 x 18.
        QTest::newRow("top centre pressed") << false << 1 << false << 0 << 40.0 << 1.4 << CaptionBox{5, 6, 95, 21, 21};
        QTest::newRow("bottom right") << false << 8 << false << 0 << 40.0 << 0.0 << CaptionBox{5, 19, 95, 35, 22};
        QTest::newRow("unknown alignment stays put") << false << 9 << false << 0 << 40.0 << 1.4
                                                     << CaptionBox{5, 10, 95, 30, 0};
        QTest::newRow("auto, no icon, two lines") << true << 0 << false << 0 << 150.0 << 0.0
                                                  << CaptionBox{2, 4, 97, 42, 19};
        QTest::newRow("auto, background icon") << true << 0 << true << 4 << 50.0 << 1.4
                                               << CaptionBox{2, 13, 97, 51, 19};
        QTest::newRow("auto, left icon") << true << 0 << true << 0 << 150.0 << 0.0 << CaptionBox{32, 0, 95, 38, 19};
    }

    void layout()
    {
        QFETCH(bool, autoAlign);
        QFETCH(int, alignment);
        QFETCH(bool, iconShown);
        QFETCH(int, iconPosition);
        QFETCH(double, textWidth);
        QFETCH(double, motion);
        QFETCH(CaptionBox, expected);
        CaptionLayoutInput in;
        in.width = 100;
        in.height = 40;
        in.textWidth = textWidth;
        in.textHeight = 16;
        in.motionOffset = motion;
        in.autoAlign = autoAlign;
        in.alignment = alignment;
        in.iconShown = iconShown;
        in.iconPosition = qint16(iconPosition);
        in.icon = IconGeometry{14, 11, 18, 18, 23, 20, 1};
        const CaptionBox previous{5, 10, 95, 30, 21};
        QCOMPARE(boxText(layoutCaption(in, previous)), boxText(expected));
    }

    void captionSitsUpAndLeftOfItsShadow()
    {
        FaceSurfaces s;
        CaptionLook look;
        look.text = QStringLiteral("Go");
        look.autoAlign = false;
        look.alignment = 1;
        look.color = 0xFFFFFF;
        const QRect caption = boundsOf(captionOnBlack(look, s), qRgb(255, 255, 255));
        QVERIFY(!caption.isEmpty());
        QCOMPARE(s.caption.top, 5);

        // The caption in the background's colour leaves only the shadow.
        look.color = 0;
        look.shadow = true;
        look.shadowColor = red;
        QCOMPARE(boundsOf(captionOnBlack(look, s), qRgb(255, 0, 0)), caption.translated(1, 1));
    }

    void accessKeyIsUnderlined()
    {
        FaceSurfaces s;
        CaptionLook look;
        look.text = QStringLiteral("Go");
        const QImage plain = captionOnBlack(look, s);
        look.text = QStringLiteral("&Go");
        const QImage marked = captionOnBlack(look, s);
        // The same text at the same place (the "&" is not shown), with a
        // line below it.
        const QRect plainBounds = boundsOf(plain, qRgb(255, 255, 255));
        const QRect text(0, 0, 100, plainBounds.bottom() + 1);
        QCOMPARE(marked.copy(text), plain.copy(text));
        QVERIFY(boundsOf(marked, qRgb(255, 255, 255)).bottom() > plainBounds.bottom());
    }

    void iconPlacement_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<float>("size");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("left at half size") << 0 << QSize(10, 10) << 50.0f << QRectF(14, 11, 18, 18);
        QTest::newRow("top") << 1 << QSize(20, 10) << 100.0f << QRectF(5, 2, 90, 45);
        QTest::newRow("background ignores the aspect") << 4 << QSize(20, 10) << 100.0f << QRectF(5, 2, 90, 36);
        QTest::newRow("unknown keeps the last place") << 9 << QSize(20, 10) << 50.0f << QRectF(1, 2, 3, 4);
    }

    void iconPlacement()
    {
        QFETCH(int, position);
        QFETCH(QSize, picture);
        QFETCH(float, size);
        QFETCH(QRectF, expected);
        IconGeometry g{1, 2, 3, 4, 0, 0, 1};
        for (int drawing = 0; drawing < 2; ++drawing) // the same place at every drawing
            placeIcon(g, QSizeF(100, 40), picture, qint16(position), size, 0);
        QCOMPARE(g.Xi, expected.x());
        QVERIFY(qFuzzyCompare(1 + g.Yi, 1 + expected.y()));
        QCOMPARE(g.Wi, expected.width());
        QCOMPARE(g.Hi, expected.height());
    }

    void iconDrawing_data()
    {
        QTest::addColumn<bool>("allPic");
        QTest::addColumn<bool>("fading");
        QTest::newRow("as an icon") << false << false;
        QTest::newRow("as a picture with halo") << true << false;
        QTest::newRow("halo left out while fading") << true << true;
    }

    void iconDrawing()
    {
        QFETCH(bool, allPic);
        QFETCH(bool, fading);
        const bool haloShown = allPic && !fading;
        FaceSurfaces s = faceOf(QSize(100, 40), blue);
        s.fadeRunning = fading;
        // A red square on white; white is the key for a picture, and
        // transparent for an icon.
        QImage picture(QSize(10, 10), QImage::Format_ARGB32);
        picture.fill(allPic ? qRgb(255, 255, 255) : qRgba(0, 0, 0, 0));
        for (int y = 2; y < 10; ++y)
            for (int x = 2; x < 10; ++x)
                picture.setPixel(x, y, qRgb(255, 0, 0));
        IconLook look;
        look.show = true;
        look.icon = picture;
        look.size = 50;
        look.allPic = allPic;
        look.shadow = true;
        drawIconLayer(s, s.pic, look);
        // 18 x 18 at (14, 11): the red part starts 4 pixels in.
        COMPARE_COLOUR(s.pic.pixel(18, 15), red);
        COMPARE_COLOUR(s.pic.pixel(31, 28), red);
        // Around the icon and through its see-through part the halo shows.
        QCOMPARE(s.pic.pixel(17, 15) != blue, haloShown);
        QCOMPARE(s.pic.pixel(32, 20) != blue, haloShown);
        QCOMPARE(s.pic.pixel(36, 20), blue);
    }

    void hiddenOrMissingIconKeepsTheGeometry()
    {
        FaceSurfaces s;
        s.resizeFace(QSize(100, 40));
        s.icon = IconGeometry{1, 2, 3, 4, 0, 0, 1};
        IconLook look;
        look.show = true;
        drawIconLayer(s, s.pic, look);
        look.show = false;
        look.icon = solidPicture(QSize(4, 4), red);
        drawIconLayer(s, s.pic, look);
        QCOMPARE(s.icon.Xi, 1.0);
        QCOMPARE(s.icon.Hi, 4.0);
        COMPARE_COLOUR(s.pic.pixel(5, 5), 0u);
    }

    // A caption with line breaks is placed as one block of n lines, every
    // line counting the lines it wraps into (100 x 40, Lh = 16 as above).
    void multiLineLayout_data()
    {
        QTest::addColumn<bool>("autoAlign");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("iconShown");
        QTest::addColumn<QList<double>>("lineWidths");
        QTest::addColumn<CaptionBox>("expected");
        QTest::newRow("auto, three lines")
            << true << 0 << false << QList<double>{40, 0, 40} << CaptionBox{2, -4, 97, 34, 19};
        QTest::newRow("auto, a wrapping line counts twice")
            << true << 0 << false << QList<double>{150, 0, 40} << CaptionBox{2, -12, 97, 26, 19};
        QTest::newRow("auto, left icon") << true << 0 << true << QList<double>{40, 40} << CaptionBox{32, 8, 95, 38, 19};
        QTest::newRow("middle centre")
            << false << 0 << false << QList<double>{40, 0, 40} << CaptionBox{5, -4, 95, 44, 21};
        QTest::newRow("top left, wrapping")
            << false << 4 << false << QList<double>{150, 40} << CaptionBox{5, 5, 95, 53, 20};
    }

    void multiLineLayout()
    {
        QFETCH(bool, autoAlign);
        QFETCH(int, alignment);
        QFETCH(bool, iconShown);
        QFETCH(QList<double>, lineWidths);
        QFETCH(CaptionBox, expected);
        CaptionLayoutInput in;
        in.width = 100;
        in.height = 40;
        in.textWidth = *std::max_element(lineWidths.begin(), lineWidths.end());
        in.textHeight = 16;
        in.lineWidths = lineWidths;
        in.autoAlign = autoAlign;
        in.alignment = alignment;
        in.iconShown = iconShown;
        in.icon = IconGeometry{14, 11, 18, 18, 23, 20, 1};
        QCOMPARE(boxText(layoutCaption(in, CaptionBox{})), boxText(expected));
    }

    void multiLineCaptionIsCentredAsABlock()
    {
        QCOMPARE(captionLines(QStringLiteral("A\r\nB\nC\rD")), QStringList({"A", "B", "C", "D"}));
        FaceSurfaces s;
        CaptionLook look;
        look.text = QStringLiteral("Well\r\n\nDone");
        look.color = 0xFFFFFF;
        QImage image(QSize(200, 120), QImage::Format_RGB32);
        image.fill(Qt::black);
        drawCaptionLayer(image, s, look, IconLook(), testFont());
        const QRect ink = boundsOf(image, qRgb(255, 255, 255));
        QVERIFY2(ink.height() > 30, qPrintable(QString::number(ink.height()))); // both lines drawn, apart
        QVERIFY2(qAbs(ink.center().y() - 60) <= 4, qPrintable(QString::number(ink.center().y())));
    }
};

QTEST_MAIN(TestCaptionIcon)
#include "tst_caption_icon.moc"
