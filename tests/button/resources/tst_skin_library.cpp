#include "render/skin_library.h"

#include <QColor>
#include <QTest>

#include <climits>

// How the edge pixels of a style's pictures must look. With the default
// mask colour black, black edges become see-through; light edges stay.
enum class Edge {
    BlackCorners, // rounded corners cut by the black mask colour
    BlackFrame, // a one-pixel black frame round the whole picture
    SingleBlackCorners, // only the four corner pixels themselves
    WhiteCorners,
    PaleCorners, // white or pale blue
    LightGreyCorners, // light grey or white
    DarkGreyCorners,
};
Q_DECLARE_METATYPE(Edge)

namespace {

bool isBlack(QRgb pixel)
{
    return (pixel & 0xFFFFFF) == 0;
}

bool isGrey(QRgb pixel)
{
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
}

QList<QPoint> cornersOf(const QImage &image)
{
    const int r = image.width() - 1;
    const int b = image.height() - 1;
    return {{0, 0}, {r, 0}, {0, b}, {r, b}};
}

// Mean lightness and saturation of the pixels that are not keyed out.
struct FaceTone {
    double lightness = 0;
    double saturation = 0;
};

FaceTone toneOf(const QImage &image, QRgb maskColour)
{
    FaceTone tone;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if ((pixel & 0xFFFFFF) == (maskColour & 0xFFFFFF))
                continue;
            const QColor colour(pixel);
            tone.lightness += 0.299 * colour.red() + 0.587 * colour.green() + 0.114 * colour.blue();
            tone.saturation += colour.hsvSaturationF();
            ++count;
        }
    }
    if (count) {
        tone.lightness /= count;
        tone.saturation /= count;
    }
    return tone;
}

struct StyleRow {
    int style;
    const char *name;
    QSize size;
    Edge edge;
    QRgb mask;
};

const StyleRow styleRows[] = {
    {0, "Aqua", {300, 60}, Edge::BlackCorners, 0x000000},
    {1, "Cherry", {300, 60}, Edge::BlackFrame, 0x000000},
    {2, "Cream", {300, 60}, Edge::BlackCorners, 0x000000},
    {3, "Crystal", {300, 60}, Edge::BlackFrame, 0x000000},
    {4, "Ice", {100, 40}, Edge::PaleCorners, 0x000000},
    {5, "Longhorn", {300, 60}, Edge::WhiteCorners, 0x000000},
    {6, "Mac", {300, 60}, Edge::SingleBlackCorners, 0x000000},
    {7, "Office2007", {301, 61}, Edge::BlackCorners, 0x000000},
    {8, "Ooz", {300, 60}, Edge::BlackCorners, 0x000000},
    {9, "Silver", {300, 60}, Edge::LightGreyCorners, 0x000000},
    {10, "Vista", {300, 60}, Edge::BlackCorners, 0x000000},
    {11, "VistaTaskBar", {150, 60}, Edge::DarkGreyCorners, 0xFFFFFF},
    {12, "WinXP", {100, 40}, Edge::BlackCorners, 0x000000},
};

} // namespace

class TestSkinLibrary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void styleNames_data();
    void styleNames();
    void everyPicture_data();
    void everyPicture();
    void statesReadDifferently_data();
    void statesReadDifferently();
    void lookupIgnoresCase_data();
    void lookupIgnoresCase();
    void unknownStylesFail_data();
    void unknownStylesFail();
    void unknownNamesFindNothing_data();
    void unknownNamesFindNothing();
    void picturesAreDecodedOnceAndShared();
    void handCursor();
};

void TestSkinLibrary::styleNames_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("name");
    for (const StyleRow &row : styleRows)
        QTest::newRow(row.name) << row.style << QString::fromLatin1(row.name);
    QTest::newRow("gradient has no skin") << 13 << QString();
    QTest::newRow("negative") << -1 << QString();
    QTest::newRow("far out") << INT_MAX << QString();
}

void TestSkinLibrary::styleNames()
{
    QFETCH(int, style);
    QFETCH(QString, name);
    QCOMPARE(SkinLibrary::styleName(style), name);
}

void TestSkinLibrary::everyPicture_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("state");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Edge>("edge");
    QTest::addColumn<QRgb>("mask");
    for (const StyleRow &row : styleRows) {
        for (int state = 0; state < 3; ++state)
            QTest::addRow("%s%d", row.name, state) << row.style << state << row.size << row.edge << row.mask;
    }
}

void TestSkinLibrary::everyPicture()
{
    QFETCH(int, style);
    QFETCH(int, state);
    QFETCH(QSize, size);
    QFETCH(Edge, edge);
    QFETCH(QRgb, mask);

    const std::optional<SkinPictures> pictures = SkinLibrary::load(style);
    QVERIFY(pictures);
    const QImage image = pictures->forState(state);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.size(), size);
    // The state picture is the resource named after the style and the state digit.
    QCOMPARE(image, SkinLibrary::picture(SkinLibrary::styleName(style) + QString::number(state)));

    const QList<QPoint> corners = cornersOf(image);
    switch (edge) {
    case Edge::BlackCorners:
        for (const QPoint corner : corners)
            QVERIFY2(isBlack(image.pixel(corner)), qPrintable(QStringLiteral("corner %1,%2").arg(corner.x()).arg(corner.y())));
        break;
    case Edge::BlackFrame:
        for (int x = 0; x < image.width(); ++x)
            QVERIFY(isBlack(image.pixel(x, 0)) && isBlack(image.pixel(x, image.height() - 1)));
        for (int y = 0; y < image.height(); ++y)
            QVERIFY(isBlack(image.pixel(0, y)) && isBlack(image.pixel(image.width() - 1, y)));
        // Inside the frame the face is rounded: its corners are black too.
        QVERIFY(isBlack(image.pixel(1, 1)) && isBlack(image.pixel(image.width() - 2, image.height() - 2)));
        break;
    case Edge::SingleBlackCorners:
        for (const QPoint corner : corners)
            QVERIFY(isBlack(image.pixel(corner)));
        // Only the corner pixel itself: its neighbours belong to the face.
        QVERIFY(!isBlack(image.pixel(1, 0)) && !isBlack(image.pixel(0, 1)));
        QVERIFY(!isBlack(image.pixel(image.width() - 2, image.height() - 1)));
        QVERIFY(!isBlack(image.pixel(image.width() - 1, image.height() - 2)));
        break;
    case Edge::WhiteCorners:
        for (const QPoint corner : corners)
            QCOMPARE(image.pixel(corner) & 0xFFFFFF, 0xFFFFFFu);
        break;
    case Edge::PaleCorners:
        for (const QPoint corner : corners) {
            const QRgb pixel = image.pixel(corner);
            QVERIFY2(qRed(pixel) >= 200 && qGreen(pixel) >= 200 && qBlue(pixel) >= 230 && qBlue(pixel) >= qRed(pixel),
                     qPrintable(QColor(pixel).name()));
        }
        break;
    case Edge::LightGreyCorners:
        for (const QPoint corner : corners) {
            const QRgb pixel = image.pixel(corner);
            QVERIFY2(isGrey(pixel) && qRed(pixel) >= 192, qPrintable(QColor(pixel).name()));
        }
        break;
    case Edge::DarkGreyCorners:
        for (const QPoint corner : corners) {
            const QRgb pixel = image.pixel(corner);
            QVERIFY2(isGrey(pixel) && qRed(pixel) >= 32 && qRed(pixel) <= 112, qPrintable(QColor(pixel).name()));
        }
        break;
    }

    // Across the middle of the face nothing may be keyed out: a mask-coloured
    // pixel there would be a hole in the button.
    const int y = image.height() / 2;
    for (int x = image.width() / 20; x < image.width() - image.width() / 20; ++x)
        QVERIFY2((image.pixel(x, y) & 0xFFFFFF) != mask, qPrintable(QStringLiteral("hole at %1,%2").arg(x).arg(y)));
    const bool lightOrGreyEdges = edge == Edge::WhiteCorners || edge == Edge::PaleCorners ||
                                  edge == Edge::LightGreyCorners || edge == Edge::DarkGreyCorners;
    if (lightOrGreyEdges) {
        // These skins are full rectangles: no pixel anywhere is keyed out.
        for (int yy = 0; yy < image.height(); ++yy) {
            for (int x = 0; x < image.width(); ++x)
                QVERIFY2((image.pixel(x, yy) & 0xFFFFFF) != mask, qPrintable(QStringLiteral("hole at %1,%2").arg(x).arg(yy)));
        }
    }
}

void TestSkinLibrary::statesReadDifferently_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QRgb>("mask");
    for (const StyleRow &row : styleRows)
        QTest::newRow(row.name) << row.style << row.mask;
}

void TestSkinLibrary::statesReadDifferently()
{
    QFETCH(int, style);
    QFETCH(QRgb, mask);
    const std::optional<SkinPictures> pictures = SkinLibrary::load(style);
    QVERIFY(pictures);
    const FaceTone normal = toneOf(pictures->normal, mask);
    const FaceTone over = toneOf(pictures->over, mask);
    const FaceTone down = toneOf(pictures->down, mask);

    // Hover lights the face up or makes it more colourful; pressing darkens it.
    QVERIFY2(over.lightness > normal.lightness + 2 || over.saturation > normal.saturation + 0.04,
             qPrintable(QStringLiteral("hover %1/%2 vs normal %3/%4")
                            .arg(over.lightness).arg(over.saturation).arg(normal.lightness).arg(normal.saturation)));
    QVERIFY2(down.lightness < normal.lightness - 10,
             qPrintable(QStringLiteral("pressed %1 vs normal %2").arg(down.lightness).arg(normal.lightness)));
}

void TestSkinLibrary::lookupIgnoresCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("canonical");
    QTest::newRow("upper") << QStringLiteral("AQUA0") << QStringLiteral("aqua0");
    QTest::newRow("as styled") << QStringLiteral("Office20071") << QStringLiteral("office20071");
    QTest::newRow("mixed") << QStringLiteral("vIsTaTaSkBaR2") << QStringLiteral("vistataskbar2");
    QTest::newRow("lower") << QStringLiteral("winxp1") << QStringLiteral("winxp1");
}

void TestSkinLibrary::lookupIgnoresCase()
{
    QFETCH(QString, name);
    QFETCH(QString, canonical);
    const QImage picture = SkinLibrary::picture(name);
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.cacheKey(), SkinLibrary::picture(canonical).cacheKey());
}

void TestSkinLibrary::unknownStylesFail_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("gradient") << 13;
    QTest::newRow("minus one") << -1;
    QTest::newRow("ninety-nine") << 99;
    QTest::newRow("most negative") << INT_MIN;
}

void TestSkinLibrary::unknownStylesFail()
{
    QFETCH(int, style);
    QVERIFY(!SkinLibrary::load(style));
}

void TestSkinLibrary::unknownNamesFindNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("bare state digit") << QStringLiteral("0");
    QTest::newRow("state past the last") << QStringLiteral("AQUA3");
    QTest::newRow("style without state") << QStringLiteral("Aqua");
    QTest::newRow("with extension") << QStringLiteral("aqua0.png");
    QTest::newRow("outside the skins") << QStringLiteral("../cursor101");
    QTest::newRow("cursor is no skin") << QStringLiteral("cursor101");
}

void TestSkinLibrary::unknownNamesFindNothing()
{
    QFETCH(QString, name);
    QVERIFY(SkinLibrary::picture(name).isNull());
}

void TestSkinLibrary::picturesAreDecodedOnceAndShared()
{
    const std::optional<SkinPictures> first = SkinLibrary::load(0);
    const std::optional<SkinPictures> second = SkinLibrary::load(0);
    QVERIFY(first && second);
    QCOMPARE(first->normal.cacheKey(), second->normal.cacheKey());
    QCOMPARE(first->over.constBits(), second->over.constBits());
    QCOMPARE(first->down.constBits(), SkinLibrary::picture(QStringLiteral("AQUA2")).constBits());

    // A caller painting on its copy detaches; the shared picture stays as it was.
    QImage scribbled = first->normal;
    scribbled.fill(Qt::red);
    QCOMPARE(SkinLibrary::load(0)->normal.cacheKey(), second->normal.cacheKey());
    QVERIFY(SkinLibrary::load(0)->normal != scribbled);
}

void TestSkinLibrary::handCursor()
{
    const QImage image = SkinLibrary::handCursorImage();
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY(image.hasAlphaChannel());
    // The hot spot is on the fingertip, which is drawn; the far corners are clear.
    QCOMPARE(qAlpha(image.pixel(SkinLibrary::handCursorHotSpot)), 255);
    QCOMPARE(qAlpha(image.pixel(31, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    // A white hand with a dark outline reads on light and dark backgrounds alike.
    QVERIFY(QColor(image.pixel(6, 8)).lightness() > 230);

    const QCursor cursor = SkinLibrary::handCursor();
    QCOMPARE(cursor.hotSpot(), QPoint(6, 0));
    QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
}

QTEST_MAIN(TestSkinLibrary)
#include "tst_skin_library.moc"
