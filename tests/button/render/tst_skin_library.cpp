#include "render/skin_library.h"

#include <QTest>

#include <climits>

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
        QTest::addColumn<bool>("keyedCorners"); // else a full rectangle
        QTest::addColumn<uint>("mask");
        const QStringList names = {"Aqua",       "Cherry", "Cream",  "Crystal", "Ice",          "Longhorn", "Mac",
                                   "Office2007", "Ooz",    "Silver", "Vista",   "VistaTaskBar", "WinXP"};
        const QStringList fullRectangles = {"Ice", "Longhorn", "Silver", "VistaTaskBar"};
        for (int style = 0; style < names.size(); ++style) {
            const QString &name = names[style];
            QTest::newRow(qPrintable(name)) << style << name << !fullRectangles.contains(name) << (name == "VistaTaskBar" ? 0xFFFFFFu : 0u);
        }
        QTest::newRow("gradient has no skin") << 13 << QString() << false << 0u;
        QTest::newRow("far out") << INT_MAX << QString() << false << 0u;
    }

    void everyStyle()
    {
        QFETCH(int, style);
        QFETCH(QString, name);
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
            QCOMPARE(image, SkinLibrary::picture(name.toUpper() + QString::number(state)));
            // The corners are cut by the mask colour, or nothing anywhere is;
            // across the middle no pixel may be, or the button has a hole.
            const QRect all = image.rect();
            for (const QPoint corner : {all.topLeft(), all.topRight(), all.bottomLeft(), all.bottomRight()})
                QCOMPARE((image.pixel(corner) & 0xFFFFFF) == mask, keyedCorners);
            const QRect solid = keyedCorners ? QRect(all.width() / 20, all.center().y(), all.width() * 9 / 10, 1) : all;
            for (int y = solid.top(); y <= solid.bottom(); ++y)
                for (int x = solid.left(); x <= solid.right(); ++x)
                    QVERIFY2((image.pixel(x, y) & 0xFFFFFF) != mask, qPrintable(QStringLiteral("hole at %1,%2").arg(x).arg(y)));
        }
    }

    void lookupByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("canonical"); // empty: finds nothing
        QTest::newRow("mixed case") << QStringLiteral("vIsTaTaSkBaR2") << QStringLiteral("vistataskbar2");
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
        // The hot spot is on the fingertip, which is drawn; the far corners are clear.
        QCOMPARE(qAlpha(image.pixel(SkinLibrary::handCursor().hotSpot())), 255);
        QCOMPARE(qAlpha(image.pixel(31, 0)), 0);
    }
};

QTEST_MAIN(TestSkinLibrary)
#include "tst_skin_library.moc"
