#include "render/skin_library.h"

#include <QTest>

#include <climits>

namespace {

// Mean lightness of the pixels that are not keyed out.
double lightnessOf(const QImage &image, QRgb maskColour)
{
    double lightness = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
            if (pixel != maskColour) {
                lightness += 0.299 * qRed(pixel) + 0.587 * qGreen(pixel) + 0.114 * qBlue(pixel);
                ++count;
            }
        }
    }
    return count ? lightness / count : 0;
}

} // namespace

// The compiled-in skins: each style's three state pictures, found by name
// without regard to case, and nothing outside them.
class TestSkinLibrary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyStyle_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("name"); // empty: no skin
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("keyedCorners"); // else a full rectangle
        QTest::addColumn<uint>("mask");
        const auto row = [](int style, const char *name, QSize size, bool keyed, uint mask = 0) {
            QTest::newRow(name) << style << QString::fromLatin1(name) << size << keyed << mask;
        };
        row(0, "Aqua", {300, 60}, true);
        row(1, "Cherry", {300, 60}, true);
        row(2, "Cream", {300, 60}, true);
        row(3, "Crystal", {300, 60}, true);
        row(4, "Ice", {100, 40}, false);
        row(5, "Longhorn", {300, 60}, false);
        row(6, "Mac", {300, 60}, true);
        row(7, "Office2007", {301, 61}, true);
        row(8, "Ooz", {300, 60}, true);
        row(9, "Silver", {300, 60}, false);
        row(10, "Vista", {300, 60}, true);
        row(11, "VistaTaskBar", {150, 60}, false, 0xFFFFFF);
        row(12, "WinXP", {100, 40}, true);
        QTest::newRow("gradient has no skin") << 13 << QString() << QSize() << false << 0u;
        QTest::newRow("negative") << -1 << QString() << QSize() << false << 0u;
        QTest::newRow("far out") << INT_MAX << QString() << QSize() << false << 0u;
    }

    void everyStyle()
    {
        QFETCH(int, style);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(bool, keyedCorners);
        QFETCH(uint, mask);
        QCOMPARE(SkinLibrary::styleName(style), name);
        const std::optional<SkinPictures> pictures = SkinLibrary::load(style);
        QCOMPARE(pictures.has_value(), !name.isEmpty());
        if (!pictures)
            return;
        for (int state = 0; state < 3; ++state) {
            const QImage image = pictures->forState(state);
            QCOMPARE(image.format(), QImage::Format_RGB32);
            QCOMPARE(image.size(), size);
            QCOMPARE(image, SkinLibrary::picture(name.toUpper() + QString::number(state)));
            // The corners are cut by the mask colour, or nothing anywhere is;
            // across the middle no pixel may be, or the button has a hole.
            const QRect all = image.rect();
            for (const QPoint corner : {all.topLeft(), all.topRight(), all.bottomLeft(), all.bottomRight()})
                QCOMPARE((image.pixel(corner) & 0xFFFFFF) == mask, keyedCorners);
            const int w = image.width();
            const QRect solid = keyedCorners ? QRect(w / 20, all.center().y(), w - 2 * (w / 20), 1) : all;
            for (int y = solid.top(); y <= solid.bottom(); ++y) {
                for (int x = solid.left(); x <= solid.right(); ++x)
                    QVERIFY2((image.pixel(x, y) & 0xFFFFFF) != mask, qPrintable(QStringLiteral("hole at %1,%2").arg(x).arg(y)));
            }
        }
        // Hover lights the face up or keeps it; pressing darkens it.
        const double normal = lightnessOf(pictures->normal, mask);
        QVERIFY2(lightnessOf(pictures->down, mask) < normal - 10, qPrintable(name));
        QVERIFY2(lightnessOf(pictures->over, mask) > lightnessOf(pictures->down, mask), qPrintable(name));
    }

    void lookupByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("canonical"); // empty: finds nothing
        QTest::newRow("upper") << QStringLiteral("AQUA0") << QStringLiteral("aqua0");
        QTest::newRow("mixed") << QStringLiteral("vIsTaTaSkBaR2") << QStringLiteral("vistataskbar2");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("state past the last") << QStringLiteral("AQUA3") << QString();
        QTest::newRow("style without state") << QStringLiteral("Aqua") << QString();
        QTest::newRow("with extension") << QStringLiteral("aqua0.png") << QString();
        QTest::newRow("outside the skins") << QStringLiteral("../cursor101") << QString();
        QTest::newRow("cursor is no skin") << QStringLiteral("cursor101") << QString();
    }

    void lookupByName()
    {
        QFETCH(QString, name);
        QFETCH(QString, canonical);
        const QImage picture = SkinLibrary::picture(name);
        QCOMPARE(picture.isNull(), canonical.isEmpty());
        if (!canonical.isEmpty())
            QCOMPARE(picture.cacheKey(), SkinLibrary::picture(canonical).cacheKey());
    }

    void handCursor()
    {
        const QImage image = SkinLibrary::handCursorImage();
        QCOMPARE(image.size(), QSize(32, 32));
        // The hot spot is on the fingertip, which is drawn; the far corners are clear.
        QCOMPARE(qAlpha(image.pixel(SkinLibrary::handCursorHotSpot)), 255);
        QCOMPARE(qAlpha(image.pixel(31, 0)), 0);
        QCOMPARE(SkinLibrary::handCursor().hotSpot(), SkinLibrary::handCursorHotSpot);
    }
};

QTEST_MAIN(TestSkinLibrary)
#include "tst_skin_library.moc"
