#include "render/surface.h"
#include "surface_fixtures.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using Points = QSet<QPoint>;
Q_DECLARE_METATYPE(Surface::BlendFormat)

class TestSurface : public QObject
{
    Q_OBJECT

private:
    // Every pixel of `surface` that is `colour`.
    static Points pixelsOf(const Surface &surface, OleColor colour)
    {
        Points found;
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x)
                if (surface.pixel(x, y) == colour)
                    found << QPoint(x, y);
        return found;
    }

    static Points rectPoints(int left, int top, int right, int bottom)
    {
        Points points;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                points << QPoint(x, y);
        return points;
    }

private Q_SLOTS:
    void blend_data()
    {
        QTest::addColumn<Surface::BlendFormat>("format");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<OleColor>("destination");
        QTest::addColumn<OleColor>("source");
        QTest::addColumn<OleColor>("expected");
        const auto mix = Surface::BlendFormat::ConstantAlpha;
        const auto lighten = Surface::BlendFormat::Lighten;
        QTest::newRow("black at 128 over white") << mix << 128 << 0xFFFFFFu << 0u << grey(127);
        QTest::newRow("each channel rounded") << mix << 77 << oleRgb(10, 200, 77) << oleRgb(250, 3, 128)
                                              << oleRgb(82, 141, 92);
        QTest::newRow("only the low 8 bits of alpha") << mix << 256 + 64 << 0u << 0xFFFFFFu << grey(64);
        QTest::newRow("lighten adds source x alpha") << lighten << 128 << grey(100) << oleRgb(200, 40, 0)
                                                     << oleRgb(200, 120, 100);
        QTest::newRow("lighten limits at 255") << lighten << 255 << grey(200) << 0xFFFFFFu << 0xFFFFFFu;
    }

    void blend()
    {
        QFETCH(Surface::BlendFormat, format);
        QFETCH(int, alpha);
        QFETCH(OleColor, destination);
        QFETCH(OleColor, source);
        QFETCH(OleColor, expected);
        // Rows of 7: four pixels at a time and the rest one by one; the
        // stretched blend goes pixel by pixel throughout.
        Surface target(QSize(7, 2), destination);
        const Surface from(QSize(7, 2), source);
        target.blend(target.rect(), from, from.rect(), alpha, format);
        COMPARE_COLOUR(target.pixel(0, 0), expected);
        COMPARE_COLOUR(target.pixel(3, 1), expected);
        COMPARE_COLOUR(target.pixel(6, 1), expected);
        Surface stretched(QSize(7, 2), destination);
        stretched.blend(stretched.rect(), from, QRect(0, 0, 2, 1), alpha, format);
        COMPARE_COLOUR(stretched.pixel(5, 1), expected);
    }

    void wholeRowsAgreeWithSinglePixels_data()
    {
        QTest::addColumn<Surface::BlendFormat>("format");
        QTest::addColumn<int>("alpha");
        for (const int alpha : {1, 77, 254}) {
            QTest::addRow("mix at %d", alpha) << Surface::BlendFormat::ConstantAlpha << alpha;
            QTest::addRow("lighten at %d", alpha) << Surface::BlendFormat::Lighten << alpha;
        }
    }

    void wholeRowsAgreeWithSinglePixels()
    {
        QFETCH(Surface::BlendFormat, format);
        QFETCH(int, alpha);
        const QSize size(64, 4);
        Surface row(size, 0);
        Surface from(size, 0);
        QRandomGenerator random{quint32(alpha)};
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                row.fillBox(QPoint(x, y), QPoint(x, y), random.generate() & 0xFFFFFF);
                from.fillBox(QPoint(x, y), QPoint(x, y), random.generate() & 0xFFFFFF);
            }
        Surface pixels = row;
        row.blend(row.rect(), from, from.rect(), alpha, format);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                pixels.blend(QRect(x, y, 1, 1), from, QRect(x, y, 1, 1), alpha, format);
        QCOMPARE(row.image(), pixels.image());
    }

    void blendKeepsTheMappingOfClippedRectangles()
    {
        // Two source columns stretched over 8 columns starting at x = -2:
        // the visible four are the middle of the stretch.
        Surface from(QSize(2, 1), 0x0000FF);
        from.fillBox(QPoint(1, 0), QPoint(1, 0), 0xFF0000);
        Surface target(QSize(4, 1), 0);
        target.blend(QRect(-2, 0, 8, 1), from, from.rect(), 255);
        QCOMPARE(pixelsOf(target, 0x0000FF), (Points{{0, 0}, {1, 0}}));
        QCOMPARE(pixelsOf(target, 0xFF0000), (Points{{2, 0}, {3, 0}}));
    }

    void emptyRectanglesDrawNothing()
    {
        Surface target(QSize(4, 4), 0x123456);
        const Surface source(QSize(2, 2), 0xFFFFFF);
        // Negative height, an empty source, a source outside its surface.
        for (const auto &[to, from] : {std::pair(QRect(0, 0, 2, -3), QRect(0, 0, 2, 2)),
                                       std::pair(QRect(0, 0, 2, 2), QRect(0, 0, 0, 0)),
                                       std::pair(QRect(0, 0, 2, 2), QRect(10, 10, 2, 2))}) {
            target.blend(to, source, from, 255);
            target.stretchCopy(to, source, from);
            target.keyedStretchCopy(to, source, from, 0);
        }
        QCOMPARE(pixelsOf(target, 0x123456).size(), 16);
    }

    void stretchingNeverMixesColours()
    {
        const OleColor key = 0x00FF00;
        Surface from(QSize(3, 1), key);
        from.fillBox(QPoint(1, 0), QPoint(1, 0), 0x0000FF);
        // Enlarged to 7, shrunk to 2 and to 1: whole source pixels only.
        for (const auto &[width, redColumns] : {std::pair(7, 3), std::pair(2, 0), std::pair(1, 1)}) {
            Surface target(QSize(width, 1), 0);
            target.stretchCopy(target.rect(), from, from.rect());
            QCOMPARE(pixelsOf(target, 0x0000FF).size(), redColumns);
            QCOMPARE(pixelsOf(target, key).size(), width - redColumns);
        }
    }

    void copies()
    {
        const OleColor key = 0xBD4E2D;
        Surface from(QSize(2, 2), key);
        from.fillBox(QPoint(1, 1), QPoint(1, 1), 0x0000FF);
        Surface target(QSize(4, 4), 0xFFFFFF);
        target.keyedStretchCopy(target.rect(), from, from.rect(), key); // the key colour is skipped
        QCOMPARE(pixelsOf(target, 0x0000FF), rectPoints(2, 2, 3, 3));
        QCOMPARE(pixelsOf(target, 0xFFFFFF).size(), 12);

        // Source columns from x = 0 would land at x = 7 and beyond: nothing shows.
        target.blockCopy(QPoint(2, -1), from, QRect(-5, 0, 10, 3));
        QCOMPARE(pixelsOf(target, 0xFFFFFF).size(), 12);
        target.blockCopy(QPoint(3, 3), from, QRect(0, 0, 10, 10));
        QCOMPARE(pixelsOf(target, key), (Points{{3, 3}}));

        // Copies within one surface read the source before they overwrite it.
        Surface row(QSize(4, 1), 0);
        row.fillBox(QPoint(0, 0), QPoint(0, 0), 0x0000FF);
        row.blockCopy(QPoint(1, 0), row, QRect(0, 0, 3, 1));
        QCOMPARE(pixelsOf(row, 0x0000FF), (Points{{0, 0}, {1, 0}}));
        row.stretchCopy(QRect(0, 0, 4, 1), row, QRect(0, 0, 2, 1));
        QCOMPARE(pixelsOf(row, 0x0000FF).size(), 4);
    }

    void lines_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<int>("width");
        QTest::addColumn<Points>("expected");
        QTest::newRow("horizontal leaves out its end") << QPoint(1, 1) << QPoint(4, 1) << 1
                                                       << Points{{1, 1}, {2, 1}, {3, 1}};
        QTest::newRow("steep") << QPoint(1, 0) << QPoint(2, 4) << 1
                               << Points{{1, 0}, {1, 1}, {2, 2}, {2, 3}};
        QTest::newRow("width 3 centred") << QPoint(1, 3) << QPoint(3, 3) << 3 << rectPoints(0, 2, 3, 4);
        QTest::newRow("width 2 grows right and down") << QPoint(1, 1) << QPoint(1, 3) << 2
                                                      << rectPoints(1, 1, 2, 3);
        QTest::newRow("clipped at the edges") << QPoint(-3, 0) << QPoint(20, 0) << 1 << rectPoints(0, 0, 7, 0);
        QTest::newRow("far outside") << QPoint(-2000000000, 50) << QPoint(2000000000, 60) << 1 << Points{};
    }

    void lines()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(int, width);
        QFETCH(Points, expected);
        Surface surface(QSize(8, 8), 0);
        surface.setLineWidth(width);
        surface.drawLine(from, to, 0xFFFFFF);
        QCOMPARE(pixelsOf(surface, 0xFFFFFF), expected);
    }

    void circles()
    {
        const Points around = {{2, 2}, {3, 2}, {4, 2}, {2, 3}, {4, 3}, {2, 4}, {3, 4}, {4, 4}};
        Surface surface(QSize(7, 7), 0);
        surface.setFillColor(0x00FF00);
        surface.setFillStyle(Surface::FillStyle::Solid);
        surface.drawCircle(QPointF(3, 3), 1, 0xFFFFFF);
        QCOMPARE(pixelsOf(surface, 0xFFFFFF), around);
        QCOMPARE(pixelsOf(surface, 0x00FF00), (Points{{3, 3}}));

        // A ring of width 2 leaves the centre.
        Surface wide(QSize(7, 7), 0);
        wide.setLineWidth(2);
        wide.setFillStyle(Surface::FillStyle::Transparent);
        wide.drawCircle(QPointF(3, 3), 1, 0xFFFFFF);
        QCOMPARE(pixelsOf(wide, 0xFFFFFF), (around + Points{{3, 1}, {1, 3}, {5, 3}, {3, 5}}));
    }

    void basePictureResetsTheContent_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<OleColor>("shown");
        QImage translucent(QSize(3, 2), QImage::Format_ARGB32);
        translucent.fill(qRgba(255, 255, 255, 128));
        QTest::newRow("plain picture") << solidPicture(QSize(3, 2), 0x00FF00) << 0x00FF00u;
        QTest::newRow("alpha composed over the background") << translucent << grey(128);
    }

    void basePictureResetsTheContent()
    {
        QFETCH(QImage, picture);
        QFETCH(OleColor, shown);
        Surface surface(QSize(5, 4), 0);
        surface.fillBox(QPoint(0, 0), QPoint(4, 3), 0x123456);
        surface.setBackgroundColor(0);
        surface.setBasePicture(picture);
        QCOMPARE(pixelsOf(surface, shown), rectPoints(0, 0, 2, 1));
        QCOMPARE(pixelsOf(surface, 0).size(), 20 - 6);
        surface.removeBasePicture();
        QCOMPARE(pixelsOf(surface, 0).size(), 20);
        QVERIFY(!surface.hasBasePicture());
    }

    void resizing()
    {
        // Redrawing shows the base picture again; keeping the content keeps drawings.
        for (const auto mode : {Surface::ResizeMode::Redraw, Surface::ResizeMode::KeepContent}) {
            Surface surface(QSize(4, 4), 0xFFFFFF);
            surface.setBasePicture(solidPicture(QSize(2, 2), 0x00FF00));
            surface.fillBox(QPoint(1, 1), QPoint(1, 1), 0x0000FF);
            surface.resize(QSize(6, 3), mode);
            QCOMPARE(surface.size(), QSize(6, 3));
            COMPARE_COLOUR(surface.pixel(1, 1), mode == Surface::ResizeMode::Redraw ? 0x00FF00u : 0x0000FFu);
            COMPARE_COLOUR(surface.pixel(0, 0), 0x00FF00u);
            COMPARE_COLOUR(surface.pixel(5, 2), 0xFFFFFFu);
        }
    }

    void outsideAndEmpty()
    {
        const Surface surface(QSize(2, 2), 0);
        QCOMPARE(surface.pixel(2, 0), Surface::OutsidePixel);
        QCOMPARE(surface.pixel(0, -1), Surface::OutsidePixel);
        Surface empty;
        empty.blend(QRect(0, 0, 5, 5), surface, surface.rect(), 10);
        empty.drawCircle(QPointF(1, 1), 4, 0);
        empty.drawRoundedRect(QPoint(0, 0), QPoint(5, 5), 2, 2);
        empty.drawLine(QPoint(0, 0), QPoint(9, 3), 0);
        QCOMPARE(empty.pixel(0, 0), Surface::OutsidePixel);
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
