#include "RavlenLib/property_bag.h"

#include <QFont>
#include <QImage>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QImage picture()
{
    QImage image(5, 3, QImage::Format_ARGB32);
    image.fill(qRgba(10, 200, 30, 255));
    image.setPixel(4, 2, qRgba(250, 0, 5, 128));
    return image;
}

} // namespace

class TestPropertyBag : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writeKeepsOnlyWhatDiffersInWriteOrder()
    {
        PropertyBag bag;
        bag.write(QStringLiteral("Text"), QStringLiteral("ravlen"), QStringLiteral("Ravlen")); // case counts
        bag.write(QStringLiteral("Single"), 75.0f, 75); // numbers compare by value
        bag.write(QStringLiteral("Short"), QVariant::fromValue(qint16(5)), 5);
        bag.write(QStringLiteral("Font"), QFont(QStringLiteral("Serif"), 9, QFont::Bold), QFont(QStringLiteral("Serif"), 9));
        bag.write(QStringLiteral("Tint"), true, false);
        bag.write(QStringLiteral("Text"), QStringLiteral("other"), QString()); // rewriting keeps the place
        bag.write(QStringLiteral("Tint"), false, false); // writing the default drops the key
        QCOMPARE(bag.keys(), (QStringList{"Text", "Font"}));
        QCOMPARE(bag.read(QStringLiteral("Tint"), false), QVariant(false));
    }

    // Embedded PNG pictures take the stored layouts' own JSON trip.
    void jsonPictureFiles()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("art")));
        QVERIFY(picture().save(dir.filePath(QStringLiteral("art/face.png"))));
        const QJsonObject json{
            {QStringLiteral("PicNormal"), QJsonObject{{QStringLiteral("file"), QStringLiteral("art/face.png")}}},
            {QStringLiteral("PicDown"),
             QJsonObject{{QStringLiteral("file"), QStringLiteral(":/qt-project.org/qmessagebox/images/qtlogo-64.png")}}}};
        const PropertyBag bag = PropertyBag::fromJson(json, dir.path());

        QCOMPARE(bag.value(QStringLiteral("PicNormal")).value<QImage>().convertToFormat(QImage::Format_ARGB32), picture());
        QCOMPARE(bag.value(QStringLiteral("PicDown")).value<QImage>().size(), QSize(64, 64));
    }

    void unreadableJsonEntriesAreLeftOut_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::newRow("array") << QJsonValue(QJsonArray{1, 2});
        QTest::newRow("unknown object") << QJsonValue(QJsonObject{{QStringLiteral("colour"), 3}});
        QTest::newRow("missing picture file") << QJsonValue(QJsonObject{{QStringLiteral("file"), QStringLiteral("nowhere.png")}});
        QTest::newRow("a folder for a picture") << QJsonValue(QJsonObject{{QStringLiteral("file"), QStringLiteral(".")}});
        QTest::newRow("a pipe for a picture") << QJsonValue(QJsonObject{{QStringLiteral("file"), QStringLiteral("pipe.png")}});
        QTest::newRow("damaged PNG") << QJsonValue(QJsonObject{{QStringLiteral("png"), QStringLiteral("iVBORw0K!!")}});
    }

    void unreadableJsonEntriesAreLeftOut()
    {
        QFETCH(QJsonValue, value);
        QTemporaryDir dir;
        // Nobody writes to it: reading it would wait for ever.
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.png"))).constData(), 0600), 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^property \"Key\" left at its default")));
        const PropertyBag bag = PropertyBag::fromJson({{QStringLiteral("Key"), value}, {QStringLiteral("Tint"), true}}, dir.path());
        QCOMPARE(bag.keys(), QStringList{QStringLiteral("Tint")});
    }
};

QTEST_MAIN(TestPropertyBag)
#include "tst_property_bag.moc"
