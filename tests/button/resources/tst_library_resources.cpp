#include "ravlen.h"

#include <QFile>
#include <QImage>
#include <QTest>

// Links only the shared RavlenLib, as the game does: its compiled-in
// pictures and sounds must be there without any set-up by the program.
class TestLibraryResources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyResource_data();
    void everyResource();
};

void TestLibraryResources::initTestCase()
{
    // Using the library's widget keeps the linker from dropping the library.
    Ravlen button;
    QVERIFY(button.metaObject());
}

void TestLibraryResources::everyResource_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("pictureSize"); // invalid for sounds

    const struct {
        const char *name;
        QSize size;
    } skins[] = {{"aqua", {300, 60}}, {"cherry", {300, 60}}, {"cream", {300, 60}}, {"crystal", {300, 60}},
                 {"ice", {100, 40}}, {"longhorn", {300, 60}}, {"mac", {300, 60}}, {"office2007", {301, 61}},
                 {"ooz", {300, 60}}, {"silver", {300, 60}}, {"vista", {300, 60}}, {"vistataskbar", {150, 60}},
                 {"winxp", {100, 40}}};
    for (const auto &skin : skins) {
        for (int state = 0; state < 3; ++state) {
            const QString path = QStringLiteral(":/ravlen/skins/%1%2.png").arg(QLatin1String(skin.name)).arg(state);
            QTest::newRow(qPrintable(path)) << path << skin.size;
        }
    }
    QTest::newRow("cursor") << QStringLiteral(":/ravlen/cursor101.png") << QSize(32, 32);
    for (int id = 101; id <= 110; ++id) {
        const QString path = QStringLiteral(":/ravlen/sounds/sound%1.wav").arg(id);
        QTest::newRow(qPrintable(path)) << path << QSize();
    }
}

void TestLibraryResources::everyResource()
{
    QFETCH(QString, path);
    QFETCH(QSize, pictureSize);
    QVERIFY(QFile::exists(path));
    if (pictureSize.isValid()) {
        QCOMPARE(QImage(path).size(), pictureSize);
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("RIFF"));
    }
}

QTEST_MAIN(TestLibraryResources)
#include "tst_library_resources.moc"
