#include "core/property_bag.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage picture()
{
    QImage image(5, 3, QImage::Format_ARGB32);
    image.fill(qRgba(10, 200, 30, 255));
    image.setPixel(4, 2, qRgba(250, 0, 5, 128));
    return image;
}

QString pngBase64(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QString::fromLatin1(bytes.toBase64());
}

} // namespace

class TestPropertyBag : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writeLeavesOutDefaults_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("defaultValue");
        QTest::addColumn<bool>("kept");

        QTest::newRow("Single equal to whole default") << QVariant(75.0f) << QVariant(75) << false;
        QTest::newRow("16-bit equal to 32-bit default") << QVariant::fromValue(qint16(5)) << QVariant(5) << false;
        QTest::newRow("text differing in case") << QVariant(QStringLiteral("ravlen")) << QVariant(QStringLiteral("Ravlen")) << true;
        QTest::newRow("False against True") << QVariant(false) << QVariant(true) << true;
        QTest::newRow("picture against empty") << QVariant(picture()) << QVariant(QImage()) << true;
        QTest::newRow("equal font") << QVariant(QFont(QStringLiteral("Serif"), 9)) << QVariant(QFont(QStringLiteral("Serif"), 9)) << false;
        QTest::newRow("bolder font") << QVariant(QFont(QStringLiteral("Serif"), 9, QFont::Bold))
                                     << QVariant(QFont(QStringLiteral("Serif"), 9)) << true;
    }

    void writeLeavesOutDefaults()
    {
        QFETCH(QVariant, value);
        QFETCH(QVariant, defaultValue);
        QFETCH(bool, kept);
        PropertyBag bag;
        bag.write(QStringLiteral("Key"), value, defaultValue);
        QCOMPARE(bag.contains(QStringLiteral("Key")), kept);
        QCOMPARE(bag.read(QStringLiteral("Key"), defaultValue), kept ? value : defaultValue);
    }

    void keysKeepTheirWriteOrder()
    {
        PropertyBag bag;
        for (const char *key : {"Enabled", "Font", "CaptionColor", "Tint", "FadeDelay"})
            bag.write(QLatin1String(key), 1, 0);
        bag.write(QStringLiteral("Font"), 2, 0); // rewriting keeps the place
        bag.write(QStringLiteral("FadeDelay"), 75.0f, 75.0f); // writing the default drops the key
        QCOMPARE(bag.keys(), (QStringList{"Enabled", "Font", "CaptionColor", "Tint"}));
        QCOMPARE(bag.read(QStringLiteral("FadeDelay"), 75.0f), QVariant(75.0f));
    }

    void jsonPictureSources_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("beside the layout") << QStringLiteral("art/face.png") << QSize(5, 3);
        QTest::newRow("absolute") << QStringLiteral("<dir>/art/face.png") << QSize(5, 3);
        QTest::newRow("resource") << QStringLiteral(":/qt-project.org/qmessagebox/images/qtlogo-64.png") << QSize(64, 64);
    }

    void jsonPictureSources()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("art")));
        QVERIFY(picture().save(dir.filePath(QStringLiteral("art/face.png"))));
        file.replace(QLatin1String("<dir>"), dir.path());

        const QJsonObject json{{QStringLiteral("PicNormal"), QJsonObject{{QStringLiteral("file"), file}}},
                               {QStringLiteral("PicOver"), QJsonObject{{QStringLiteral("png"), pngBase64(picture())}}}};
        const PropertyBag bag = PropertyBag::fromJson(json, dir.path());

        QCOMPARE(bag.value(QStringLiteral("PicNormal")).value<QImage>().size(), size);
        QCOMPARE(bag.value(QStringLiteral("PicOver")).value<QImage>().convertToFormat(QImage::Format_ARGB32), picture());
    }

    void unreadableJsonEntriesAreLeftOut_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::newRow("array") << QJsonValue(QJsonArray{1, 2});
        QTest::newRow("unknown object") << QJsonValue(QJsonObject{{QStringLiteral("colour"), 3}});
        QTest::newRow("missing picture file") << QJsonValue(QJsonObject{{QStringLiteral("file"), QStringLiteral("nowhere.png")}});
        QTest::newRow("picture file that is text")
            << QJsonValue(QJsonObject{{QStringLiteral("file"), QStringLiteral("notes.txt")}});
        QTest::newRow("damaged PNG") << QJsonValue(QJsonObject{{QStringLiteral("png"), QStringLiteral("iVBORw0K!!")}});
    }

    void unreadableJsonEntriesAreLeftOut()
    {
        QFETCH(QJsonValue, value);
        QTemporaryDir dir;
        QFile notes(dir.filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("not a picture");
        notes.close();

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^property \"Key\" left at its default")));
        const PropertyBag bag = PropertyBag::fromJson({{QStringLiteral("Key"), value}, {QStringLiteral("Tint"), true}},
                                                      dir.path());
        QCOMPARE(bag.keys(), QStringList{QStringLiteral("Tint")});
    }
};

QTEST_MAIN(TestPropertyBag)
#include "tst_property_bag.moc"
