#include "core/fast_drawing.h"
#include "render/surface.h"

#include <QTest>

class TestFastDrawing : public QObject
{
    Q_OBJECT

private:
    static Surface onePixel(OleColor colour) { return Surface(QSize(1, 1), colour); }

    static QString hex(OleColor colour) { return QString::number(colour, 16); }

private Q_SLOTS:
    void streamLength_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("rowLength");
        QTest::addColumn<int>("streamLength");
        QTest::newRow("81 wide: one padding byte") << QSize(81, 33) << 244 << 8052;
        QTest::newRow("4 wide: no padding") << QSize(4, 2) << 12 << 24;
        QTest::newRow("no image") << QSize(0, 0) << 0 << 0;
    }

    void streamLength()
    {
        QFETCH(QSize, size);
        QFETCH(int, rowLength);
        QFETCH(int, streamLength);
        const Surface surface(size, 0);
        QCOMPARE(FastDrawing::streamRowLength(size.width()), rowLength);
        QCOMPARE(FastDrawing::instance().GetImageStreamLength(surface), streamLength);
        QCOMPARE(FastDrawing::instance().bitmapInfo().biSizeImage, streamLength);
        QCOMPARE(FastDrawing::instance().bitmapInfo().biWidth, size.width());
    }

    void streamIsBottomUpBlueGreenRed()
    {
        Surface surface(QSize(2, 2), 0);
        surface.fillBox(QPoint(0, 0), QPoint(0, 0), oleRgb(1, 2, 3)); // top left
        surface.fillBox(QPoint(1, 1), QPoint(1, 1), oleRgb(4, 5, 6)); // bottom right
        QByteArray stream("junk");
        QVERIFY(FastDrawing::instance().GetImageDataStream(surface, stream));
        const QByteArray expected("\x00\x00\x00\x06\x05\x04\x00\x00"
                                  "\x03\x02\x01\x00\x00\x00\x00\x00",
                                  16);
        QCOMPARE(stream.toHex(' '), expected.toHex(' '));

        Surface copy(QSize(2, 2), 0xFFFFFF);
        QVERIFY(FastDrawing::instance().SetImageDataStream(copy, stream));
        QCOMPARE(copy.image(), surface.image());
    }

    void streamOfTheWrongLengthIsRefused()
    {
        Surface surface(QSize(2, 2), 0x123456);
        for (const int length : {15, 17, 0})
            QVERIFY(!FastDrawing::instance().SetImageDataStream(surface, QByteArray(length, '\0')));
        QCOMPARE(surface.pixel(1, 1), 0x123456u);
    }

    void tint_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<OleColor>("tintColour");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<OleColor>("pixel");
        QTest::addColumn<OleColor>("expected");
        const OleColor white = 0xFFFFFF;
        QTest::newRow("normal: mid grey under white, 127.5 to 128") << 0 << white << 0 << 0x808080u << 0x808080u;
        QTest::newRow("normal: halves go to even") << 0 << oleRgb(1, 3, 0) << 0 << 0x808080u << oleRgb(0, 2, 0);
        QTest::newRow("normal: black gets no offset") << 0 << white << 200 << 0u << 0u;
        QTest::newRow("metal: limited at 255") << 1 << oleRgb(200, 0, 100) << 0 << white << oleRgb(255, 0, 165);
        QTest::newRow("glow") << 2 << oleRgb(100, 50, 200) << 10 << oleRgb(40, 80, 120) << oleRgb(50, 45, 255);
        QTest::newRow("blend") << 3 << oleRgb(60, 120, 30) << 0 << oleRgb(30, 60, 90) << oleRgb(30, 120, 45);
        QTest::newRow("frost: channels move round") << 4 << oleRgb(1, 2, 3) << 5 << oleRgb(10, 20, 30)
                                                    << oleRgb(27, 38, 16);
        QTest::newRow("type beyond 16 bits copies") << 65536 << white << 0 << 0x808080u << 0x808080u;
    }

    void tint()
    {
        QFETCH(int, type);
        QFETCH(OleColor, tintColour);
        QFETCH(int, brightness);
        QFETCH(OleColor, pixel);
        QFETCH(OleColor, expected);
        Surface surface = onePixel(pixel);
        FastDrawing::instance().tint(surface, surface, tintColour, qint16(brightness), type);
        QCOMPARE(hex(surface.pixel(0, 0)), hex(expected));
    }

    void tintIntoAnotherSurface()
    {
        const Surface source = onePixel(0x808080);
        Surface destination = onePixel(0);
        FastDrawing::instance().tint(destination, source, 0xFFFFFF, 0, 4);
        QCOMPARE(hex(destination.pixel(0, 0)), hex(oleRgb(255, 255, 255)));
        QCOMPARE(hex(source.pixel(0, 0)), hex(0x808080));

        Surface otherSize(QSize(2, 1), 0x123456);
        FastDrawing::instance().tint(otherSize, source, 0xFFFFFF, 0, 4);
        FastDrawing::instance().silhouette(otherSize, source, 0, 0xFFFFFF);
        QCOMPARE(otherSize.pixel(0, 0), 0x123456u);
    }

    void silhouette()
    {
        // The key colour stays; anything else, black too, takes the fill.
        for (const OleColor pixel : {0xBD4E2Du, 0xBD4E2Cu, 0u}) {
            Surface surface(QSize(3, 2), pixel);
            FastDrawing::instance().silhouette(surface, surface, 0xBD4E2D, 0x0000FF);
            const OleColor expected = pixel == 0xBD4E2D ? pixel : 0x0000FF;
            QCOMPARE(hex(surface.pixel(0, 0)), hex(expected));
            QCOMPARE(hex(surface.pixel(2, 1)), hex(expected));
        }
    }

    void paddingIsNeverTouched()
    {
        // 81 pixels: 243 pixel bytes and one padding byte per row.
        const int width = 81;
        const int height = 33;
        QByteArray stream(8052, char(0x40));
        for (int y = 0; y < height; ++y)
            stream[y * 244 + 243] = char(0xAB);
        FastDrawing::tintStream(stream, width, height, 0xFFFFFF, 100, 4);
        FastDrawing::silhouetteStream(stream, width, height, 0, 0x00FF00);
        for (int y = 0; y < height; ++y)
            QCOMPARE(quint8(stream.at(y * 244 + 243)), quint8(0xAB));
        QCOMPARE(quint8(stream.at(244 + 1)), quint8(0xFF)); // green of the second row's first pixel
        QCOMPARE(quint8(stream.at(242)), quint8(0)); // red of the last pixel of the first row
    }

    void surfaceWithoutImageIsLeftAlone()
    {
        Surface empty;
        FastDrawing::instance().tint(empty, empty, 0xFFFFFF, 0, 0);
        FastDrawing::instance().silhouette(empty, empty, 0, 0);
        QByteArray stream("x");
        QVERIFY(!FastDrawing::instance().GetImageDataStream(empty, stream));
        QVERIFY(stream.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFastDrawing)
#include "tst_fast_drawing.moc"
