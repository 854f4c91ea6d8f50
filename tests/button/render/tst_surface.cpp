#include "render/surface.h"
#include "surface_fixtures.h"

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
        QTest::newRow("each channel rounded") << mix << 77 << oleRgb(10, 200, 77) << oleRgb(250, 3, 128) << oleRgb(82, 141, 92);
        QTest::newRow("only the low 8 bits of alpha") << mix << 256 + 64 << 0u << 0xFFFFFFu << grey(64);
        QTest::newRow("lighten adds source x alpha") << lighten << 128 << grey(100) << oleRgb(200, 40, 0) << oleRgb(200, 120, 100);
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
        COMPARE_COLOUR(target.pixel(3, 1), expected);
        COMPARE_COLOUR(target.pixel(6, 1), expected);
        Surface stretched(QSize(7, 2), destination);
        stretched.blend(stretched.rect(), from, QRect(0, 0, 2, 1), alpha, format);
        COMPARE_COLOUR(stretched.pixel(5, 1), expected);
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

    void emptyRectanglesAndSurfacesDrawNothing()
    {
        Surface target(QSize(4, 4), 0x123456);
        const Surface source(QSize(2, 2), 0xFFFFFF);
        // Negative height, an empty source, a source outside its surface.
        for (const auto &[to, from] : {std::pair(QRect(0, 0, 2, -3), QRect(0, 0, 2, 2)), std::pair(QRect(0, 0, 2, 2), QRect(0, 0, 0, 0)),
                                       std::pair(QRect(0, 0, 2, 2), QRect(10, 10, 2, 2))}) {
            target.blend(to, source, from, 255);
            target.stretchCopy(to, source, from);
            target.keyedStretchCopy(to, source, from, 0);
        }
        QCOMPARE(pixelsOf(target, 0x123456).size(), 16);
        QCOMPARE(target.pixel(4, 0), Surface::OutsidePixel);
        QCOMPARE(target.pixel(0, -1), Surface::OutsidePixel);
        Surface empty;
        empty.blend(QRect(0, 0, 5, 5), source, source.rect(), 10);
        empty.drawCircle(QPointF(1, 1), 4, 0);
        empty.drawRoundedRect(QPoint(0, 0), QPoint(5, 5), 2, 2);
        empty.drawLine(QPoint(0, 0), QPoint(9, 3), 0);
        QCOMPARE(empty.pixel(0, 0), Surface::OutsidePixel);
    }

    void copies()
    {
        // Source columns from x = 0 would land at x = 7 and beyond: nothing shows.
        const Surface from(QSize(2, 2), 0x0000FF);
        Surface target(QSize(4, 4), 0xFFFFFF);
        target.blockCopy(QPoint(2, -1), from, QRect(-5, 0, 10, 3));
        target.blockCopy(QPoint(3, 3), from, QRect(0, 0, 10, 10));
        QCOMPARE(pixelsOf(target, 0x0000FF), (Points{{3, 3}}));

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
        QTest::addColumn<Points>("expected");
        QTest::newRow("horizontal leaves out its end") << QPoint(1, 1) << QPoint(4, 1) << Points{{1, 1}, {2, 1}, {3, 1}};
        QTest::newRow("steep") << QPoint(1, 0) << QPoint(2, 4) << Points{{1, 0}, {1, 1}, {2, 2}, {2, 3}};
        QTest::newRow("far outside") << QPoint(-2000000000, 50) << QPoint(2000000000, 60) << Points{};
    }

    void lines()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(Points, expected);
        Surface surface(QSize(8, 8), 0);
        surface.drawLine(from, to, 0xFFFFFF);
        QCOMPARE(pixelsOf(surface, 0xFFFFFF), expected);
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
