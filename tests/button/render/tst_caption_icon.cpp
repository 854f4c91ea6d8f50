#include "render/caption_layer.h"
#include "render/icon_layer.h"
#include "surface_fixtures.h"

#include <QPainter>
#include <QStringList>
#include <QTest>

#include <algorithm>

using Widths = QList<double>;
using Box = QList<int>; // left, top, right, bottom, format

namespace {

const OleColor red = 0x0000FF;
const OleColor blue = 0xFF0000;

QFont testFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    return font;
}

// Bounding box of what was drawn on black, smoothed edges included.
QRect inkOf(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The caption layer drawn on black, as a button of `size` shows it on a
// screen of the given density.
QImage captionOnBlack(const CaptionLook &look, FaceSurfaces &s, QSize size = QSize(100, 40), const QFont &font = testFont(), int dpi = 96)
{
    QImage output(size, QImage::Format_RGB32);
    output.setDotsPerMeterY(qRound(dpi / 0.0254));
    output.fill(Qt::black);
    drawCaptionLayer(output, s, look, IconLook(), font, QPalette());
    return output;
}

// Pixels neither black nor white: the smoothed edges of white text on black.
int smoothedPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != qRgb(0, 0, 0) && image.pixel(x, y) != qRgb(255, 255, 255);
    return count;
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
        QTest::newRow("digits stop at a letter") << QStringLiteral("~$1x234rest") << QChar(1) + QStringLiteral("rest");
        QTest::newRow("code past 16 bits") << QStringLiteral("~$66000") << QString::fromUcs4(U"\U000101D0");
    }

    void decode()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QCOMPARE(decodeCaption(stored), shown);
    }

    // One entry in `lines`: a caption of one line; more: a caption with line
    // breaks, placed as one block of n lines, every line counting the lines
    // it wraps into. 100 x 40, Lh = 16; the icon (when shown, position >= 0)
    // at Xi 14, Yi 11, 18 x 18.
    void layout_data()
    {
        QTest::addColumn<bool>("autoAlign");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("iconPosition");
        QTest::addColumn<double>("motion");
        QTest::addColumn<Widths>("lines");
        QTest::addColumn<Box>("expected");
        QTest::newRow("top centre pressed") << false << 1 << -1 << 1.4 << Widths{40} << Box{5, 6, 95, 21, 21};
        QTest::newRow("unknown alignment stays put") << false << 9 << -1 << 1.4 << Widths{40} << Box{5, 10, 95, 30, 0};
        QTest::newRow("auto, no icon, two lines") << true << 0 << -1 << 0.0 << Widths{150} << Box{2, 4, 97, 42, 19};
        QTest::newRow("auto, background icon") << true << 0 << 4 << 1.4 << Widths{50} << Box{2, 13, 97, 51, 19};
        QTest::newRow("auto, three lines") << true << 0 << -1 << 0.0 << Widths{40, 0, 40} << Box{2, -4, 97, 34, 19};
        QTest::newRow("auto, a wrapping line counts twice") << true << 0 << -1 << 0.0 << Widths{150, 0, 40} << Box{2, -12, 97, 26, 19};
        QTest::newRow("auto, left icon, two lines") << true << 0 << 0 << 0.0 << Widths{40, 40} << Box{32, 8, 95, 38, 19};
        QTest::newRow("top left, wrapping") << false << 4 << -1 << 0.0 << Widths{150, 40} << Box{5, 5, 95, 53, 20};
    }

    void layout()
    {
        QFETCH(bool, autoAlign);
        QFETCH(int, alignment);
        QFETCH(int, iconPosition);
        QFETCH(double, motion);
        QFETCH(Widths, lines);
        QFETCH(Box, expected);
        const CaptionLayoutInput in{.width = 100,
                                    .height = 40,
                                    .textWidth = *std::max_element(lines.begin(), lines.end()),
                                    .textHeight = 16,
                                    .lineWidths = lines.size() > 1 ? lines : Widths(),
                                    .motionOffset = motion,
                                    .autoAlign = autoAlign,
                                    .alignment = alignment,
                                    .iconShown = iconPosition >= 0,
                                    .iconPosition = qint16(qMax(iconPosition, 0)),
                                    .icon = {14, 11, 18, 18, 23, 20, 1}};
        const CaptionBox box = layoutCaption(in, CaptionBox{5, 10, 95, 30, 21});
        QCOMPARE(Box({box.left, box.top, box.right, box.bottom, box.format}), expected);
    }

    void captionDrawing()
    {
        FaceSurfaces s;
        CaptionLook look{.text = QStringLiteral("Go"), .color = 0xFFFFFF, .autoAlign = false, .alignment = 1};
        const QImage plain = captionOnBlack(look, s);
        const QRect caption = inkOf(plain);
        QVERIFY(!caption.isEmpty());

        // An access key: the same text at the same place (the "&" is not
        // shown), with a line below it.
        look.text = QStringLiteral("&Go");
        const QImage marked = captionOnBlack(look, s);
        const QRect text(0, 0, 100, caption.bottom() + 1);
        QCOMPARE(marked.copy(text), plain.copy(text));
        QVERIFY(inkOf(marked).bottom() > caption.bottom());

        // The shadow lies one pixel below and right of the caption, which
        // stays where it was.
        look.text = QStringLiteral("Go");
        look.shadow = true;
        look.shadowColor = red;
        QCOMPARE(inkOf(captionOnBlack(look, s)), caption.adjusted(0, 0, 1, 1));
    }

    // Without CaptionAntiAliased the caption is set in the control's own
    // font as the platform draws it: smoothed where the platform smooths.
    void plainCaptionIsDrawnAsThePlatformDraws()
    {
        QImage reference(100, 40, QImage::Format_RGB32);
        reference.fill(Qt::black);
        QPainter painter(&reference);
        painter.setPen(Qt::white);
        painter.setFont(testFont());
        painter.drawText(reference.rect(), Qt::AlignCenter, QStringLiteral("Wavy"));
        painter.end();
        if (smoothedPixels(reference) == 0)
            QSKIP("the platform draws this font unsmoothed");
        FaceSurfaces s;
        QVERIFY(smoothedPixels(captionOnBlack(CaptionLook{.text = QStringLiteral("Wavy")}, s)) > 0);
    }

    // The anti-aliased caption's points follow the screen's logical density.
    void antiAliasedCaptionFollowsScreenDensity()
    {
        const QFont font(QStringLiteral("DejaVu Sans"), 12);
        QCOMPARE(captionFont(font, true, 96).pixelSize(), 16);
        QCOMPARE(captionFont(font, true, 144).pixelSize(), 24);
        FaceSurfaces s;
        const CaptionLook look{.text = QStringLiteral("I"), .antiAliased = true};
        const QRect at96 = inkOf(captionOnBlack(look, s, QSize(100, 100), font, 96));
        const QRect at192 = inkOf(captionOnBlack(look, s, QSize(100, 100), font, 192));
        QVERIFY(!at96.isEmpty());
        QVERIFY2(qAbs(at192.height() - 2 * at96.height()) <= 2, qPrintable(QStringLiteral("%1 %2").arg(at96.height()).arg(at192.height())));
    }

    void iconPlacement_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<float>("size");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("top") << 1 << QSize(20, 10) << 100.0f << QRectF(5, 2, 90, 45);
        QTest::newRow("background ignores the aspect") << 4 << QSize(20, 10) << 100.0f << QRectF(5, 2, 90, 36);
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
        QCOMPARE(QRectF(g.Xi, g.Yi, g.Wi, g.Hi), expected);
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
        drawIconLayer(s, s.pic, IconLook{.icon = picture, .show = true, .size = 50, .shadow = true, .allPic = allPic});
        // 18 x 18 at (14, 11): the red part starts 4 pixels in.
        COMPARE_COLOUR(s.pic.pixel(18, 15), red);
        COMPARE_COLOUR(s.pic.pixel(31, 28), red);
        // Around the icon and through its see-through part the halo shows.
        QCOMPARE(s.pic.pixel(17, 15) != blue, haloShown);
        QCOMPARE(s.pic.pixel(32, 20) != blue, haloShown);
        QCOMPARE(s.pic.pixel(36, 20), blue);
    }

    void hiddenOrMissingIconDrawsNothing()
    {
        FaceSurfaces s = faceOf(QSize(100, 40), 0);
        drawIconLayer(s, s.pic, IconLook{.icon = QImage(), .show = true}); // shown, but there is no picture
        drawIconLayer(s, s.pic, IconLook{.icon = solidPicture(QSize(4, 4), red), .show = false});
        QCOMPARE(s.pic.image(), faceOf(QSize(100, 40), 0).pic.image());
    }

    void multiLineCaptionIsCentredAsABlock()
    {
        QCOMPARE(captionLines(QStringLiteral("A\r\nB\nC\rD")), QStringList({"A", "B", "C", "D"}));
        FaceSurfaces s;
        const QImage image = captionOnBlack(CaptionLook{.text = QStringLiteral("Well\r\n\nDone")}, s, QSize(200, 120));
        const QRect ink = inkOf(image);
        QVERIFY2(ink.height() > 30, qPrintable(QString::number(ink.height()))); // both lines drawn, apart
        QVERIFY2(qAbs(ink.center().y() - 60) <= 4, qPrintable(QString::number(ink.center().y())));
    }
};

QTEST_MAIN(TestCaptionIcon)
#include "tst_caption_icon.moc"
