#include "render/fast_drawing.h"
#include "render/surface.h"

#include <QTest>

class TestFastDrawing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void streamIsBottomUpBlueGreenRedPadded()
    {
        Surface surface(QSize(2, 2), 0);
        surface.fillBox(QPoint(0, 0), QPoint(0, 0), oleRgb(1, 2, 3)); // top left
        surface.fillBox(QPoint(1, 1), QPoint(1, 1), oleRgb(4, 5, 6)); // bottom right
        QByteArray stream("junk");
        QVERIFY(FastDrawing::instance().GetImageDataStream(surface, stream));
        QCOMPARE(stream.toHex(' '), QByteArray("00 00 00 06 05 04 00 00 03 02 01 00 00 00 00 00"));

        Surface copy(QSize(2, 2), 0xFFFFFF);
        QVERIFY(!FastDrawing::instance().SetImageDataStream(copy, stream.left(15)));
        QVERIFY(FastDrawing::instance().SetImageDataStream(copy, stream));
        QCOMPARE(copy.image(), surface.image());

        Surface empty; // no picture: left alone, no stream
        FastDrawing::instance().tint(empty, empty, 0xFFFFFF, 0, 0);
        QVERIFY(!FastDrawing::instance().GetImageDataStream(empty, stream));
    }

    void tint()
    {
        struct Case {
            const char *what;
            int type;
            OleColor tint;
            qint16 brightness;
            OleColor pixel, expected;
        };
        const Case cases[] = {
            {"normal: halves go to even", 0, oleRgb(1, 3, 0), 0, 0x808080u, oleRgb(0, 2, 0)},
            {"metal: limited at 255", 1, oleRgb(200, 0, 100), 0, 0xFFFFFFu, oleRgb(255, 0, 165)},
            {"glow", 2, oleRgb(100, 50, 200), 10, oleRgb(40, 80, 120), oleRgb(50, 45, 255)},
            {"blend", 3, oleRgb(60, 120, 30), 0, oleRgb(30, 60, 90), oleRgb(30, 120, 45)},
            {"frost: channels move round", 4, oleRgb(1, 2, 3), 5, oleRgb(10, 20, 30), oleRgb(27, 38, 16)},
            {"type beyond 16 bits copies", 65536, 0xFFFFFFu, 0, 0x808080u, 0x808080u},
        };
        for (const Case &c : cases) {
            Surface surface(QSize(1, 1), c.pixel);
            FastDrawing::instance().tint(surface, surface, c.tint, c.brightness, c.type);
            QVERIFY2(surface.pixel(0, 0) == c.expected, c.what);
        }
    }

    void silhouetteKeepsOnlyTheKeyColour()
    {
        Surface surface(QSize(2, 1), 0xBD4E2D);
        surface.fillBox(QPoint(1, 0), QPoint(1, 0), 0); // black is no key either
        FastDrawing::instance().silhouette(surface, surface, 0xBD4E2D, 0x0000FF);
        QCOMPARE(surface.pixel(0, 0), 0xBD4E2Du);
        QCOMPARE(surface.pixel(1, 0), 0x0000FFu);
    }

    void paddingIsNeverTouched()
    {
        // 81 pixels a row: 243 pixel bytes and one padding byte.
        QByteArray stream(2 * 244, char(0x40));
        stream[243] = char(0xAB);
        FastDrawing::tintStream(stream, 81, 2, 0xFFFFFF, 100, 4);
        FastDrawing::silhouetteStream(stream, 81, 2, 0, 0x00FF00);
        QCOMPARE(quint8(stream.at(243)), quint8(0xAB));
        QCOMPARE(quint8(stream.at(244 + 1)), quint8(0xFF)); // green of the second row's first pixel
    }
};

QTEST_GUILESS_MAIN(TestFastDrawing)
#include "tst_fast_drawing.moc"
