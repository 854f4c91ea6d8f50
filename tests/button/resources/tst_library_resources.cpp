#include "RavlenLib/ravlen.h"

#include <QDir>
#include <QImage>
#include <QTest>

// Links only the shared RavlenLib, as the game does: its compiled-in
// pictures and sounds must be there without any set-up by the program.
class TestLibraryResources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyResource()
    {
        Ravlen button; // using the library's widget keeps the linker from dropping the library
        // Their content is checked where the library's parts are tested; here
        // only that all of them came along.
        QCOMPARE(QDir(QStringLiteral(":/ravlen/skins")).entryList().size(), 13 * 3);
        QCOMPARE(QDir(QStringLiteral(":/ravlen/sounds")).entryList().size(), 10);
        QVERIFY(!QImage(QStringLiteral(":/ravlen/skins/winxp2.png")).isNull());
        QVERIFY(!QImage(QStringLiteral(":/ravlen/cursor101.png")).isNull());
    }
};

QTEST_MAIN(TestLibraryResources)
#include "tst_library_resources.moc"
