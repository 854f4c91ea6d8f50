#include "services/data_directory.h"
#include "test_context.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

namespace {

const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);

QStringList backups(const TestContext &test)
{
    return QDir(test.path(QStringLiteral("BackUps"))).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                                                                QDir::Name);
}

} // namespace

class TestDataDirectory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void backupStamp_data();
    void backupStamp();
    void createDirsMakesFolderOnce();
    void createDirsInReadOnlyProgramDir();
    void testFileWriteLeavesNothing_data();
    void testFileWriteLeavesNothing();
    void failureShowsLongReport_data();
    void failureShowsLongReport();
    void saveOldFiles_data();
    void saveOldFiles();
    void twoSavesInOneSecondReplaceTheSameNames();
    void saveOldFilesIntoFileNamedBackUps();
    void failedCopyKeepsEarlierBackup();
};

void TestDataDirectory::backupStamp_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("stamp");

    const QDateTime morning(QDate(2021, 3, 3), QTime(9, 5, 7));
    QTest::newRow("month/day/year") << kUnitedStates << morning << "3_3_2021_9_05_07_AM";
    QTest::newRow("afternoon") << kUnitedStates << QDateTime(QDate(2021, 12, 31), QTime(23, 59, 59))
                               << "12_31_2021_11_59_59_PM";
    QTest::newRow("day/month/year") << QLocale(QLocale::English, QLocale::UnitedKingdom) << morning
                                    << "03_03_2021_09_05_07";
    QTest::newRow("dots stay") << QLocale(QLocale::German, QLocale::Germany) << morning << "03.03.2021_09_05_07";
}

void TestDataDirectory::backupStamp()
{
    QFETCH(QLocale, locale);
    QFETCH(QDateTime, moment);
    QFETCH(QString, stamp);
    QCOMPARE(DataDirectory::backupStamp(moment, locale), stamp);
}

void TestDataDirectory::createDirsMakesFolderOnce()
{
    TestContext test;
    DataDirectory data(test.context());
    QVERIFY(data.createDirs(QStringLiteral("BackUps")));
    QVERIFY(QFileInfo(test.path(QStringLiteral("BackUps"))).isDir());
    test.writeFile(QStringLiteral("BackUps/kept.txt"), "old backup");
    QVERIFY(data.createDirs(QStringLiteral("BackUps")));
    QCOMPARE(backups(test), QStringList{"kept.txt"});
    QVERIFY(test.prompter().shown().isEmpty());
}

void TestDataDirectory::createDirsInReadOnlyProgramDir()
{
    if (geteuid() == 0)
        QSKIP("root writes through read-only permissions");
    TestContext test;
    test.context().writeLogInfo(QStringLiteral("Loading Form frmZorbel"));
    QFile::setPermissions(test.dir(), QFile::ReadOwner | QFile::ExeOwner);
    DataDirectory data(test.context());
    const bool created = data.createDirs(QStringLiteral("BackUps"));
    QFile::setPermissions(test.dir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!created);
    QVERIFY(test.prompter().last().text.contains(QLatin1String("\r\nError Number: 70\r\n")));
}

void TestDataDirectory::testFileWriteLeavesNothing_data()
{
    QTest::addColumn<bool>("staleProbe");
    QTest::addColumn<bool>("readOnlyProbe");
    QTest::newRow("fresh folder") << false << false;
    QTest::newRow("probe left behind") << true << false;
    QTest::newRow("read-only probe left behind") << true << true;
}

void TestDataDirectory::testFileWriteLeavesNothing()
{
    QFETCH(bool, staleProbe);
    QFETCH(bool, readOnlyProbe);
    TestContext test;
    QVERIFY(QDir(test.dir()).mkdir(QStringLiteral("BackUps")));
    const QString probe = test.path(QStringLiteral("BackUps/Test.txt"));
    if (staleProbe)
        test.writeFile(QStringLiteral("BackUps/Test.txt"), "stale");
    if (readOnlyProbe)
        QFile::setPermissions(probe, QFile::ReadOwner);

    DataDirectory data(test.context());
    QVERIFY(data.testFileWrite(QStringLiteral("BackUps")));
    QVERIFY(!QFileInfo::exists(probe));
    QVERIFY(test.prompter().shown().isEmpty());
}

void TestDataDirectory::failureShowsLongReport_data()
{
    QTest::addColumn<QString>("routine");
    QTest::addColumn<QString>("dirName");
    QTest::addColumn<QString>("tried"); // %P stands for the program directory
    QTest::addColumn<QString>("permission");
    QTest::addColumn<QString>("shellFolder");

    QTest::newRow("createDirs, BackUps is a file")
        << "createDirs" << "BackUps" << "Trying to create %P/BackUps"
        << "Ensure you have read, write permission for directory %P and any child directorys." << "%P";
    // Even root cannot write a file where a folder of that name stands.
    QTest::newRow("testFileWrite, Test.txt is a folder")
        << "testFileWrite" << "BackUps" << "Trying to write a file in %P/BackUps"
        << "Ensure you have read, write permission for directory %P/BackUps" << "%P/BackUps";
    QTest::newRow("folder name quoted for the shell")
        << "testFileWrite" << "it's mine" << "Trying to write a file in %P/it's mine"
        << "Ensure you have read, write permission for directory %P/it's mine" << "'%P/it'\\''s mine'";
}

void TestDataDirectory::failureShowsLongReport()
{
    QFETCH(QString, routine);
    QFETCH(QString, dirName);
    QFETCH(QString, tried);
    QFETCH(QString, permission);
    QFETCH(QString, shellFolder);
    TestContext test;
    DataDirectory data(test.context());
    const bool createDirs = routine == QLatin1String("createDirs");
    const QString blocker = createDirs ? dirName : dirName + QStringLiteral("/Test.txt/inside");
    if (createDirs)
        test.writeFile(blocker, "in the way");
    else
        QVERIFY(QDir(test.dir()).mkpath(blocker));
    QVERIFY(!(createDirs ? data.createDirs(dirName) : data.testFileWrite(dirName)));

    const QString expected = QStringList{
        QStringLiteral("Current SubRoutine is ") + routine,
        QString(),
        tried,
        permission,
        QString(),
        QStringLiteral("Running the Zorbel app from a folder you own may also fix the problem."),
        QString(),
        QStringLiteral("To fix the permissions, run: chmod u+rwx ") + shellFolder,
        QStringLiteral("If the directory belongs to another user, run: sudo chown \"$USER\" ") + shellFolder,
        QString(),
        QStringLiteral("Error Number: 75"),
        QStringLiteral("Location: (none)\r\n"),
    }.join(QStringLiteral("\r\n")).replace(QStringLiteral("%P"), test.dir());
    QCOMPARE(test.prompter().shown().size(), 1);
    QCOMPARE(test.prompter().last().title, QStringLiteral("Error"));
    QCOMPARE(test.prompter().last().text, expected);
    QCOMPARE(test.logEntries(), QStringList{expected});
    QVERIFY(QFileInfo::exists(test.path(blocker)));
}

void TestDataDirectory::saveOldFiles_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("both files") << QStringList{"ZorbelLines.txt", "ZorbelPhrases.txt"}
                                << QStringList{"ZorbelLines_3_3_2021_9_05_07_AM.txt",
                                               "ZorbelPhrases_3_3_2021_9_05_07_AM.txt"};
    QTest::newRow("only phrases") << QStringList{"ZorbelPhrases.txt"}
                                  << QStringList{"ZorbelPhrases_3_3_2021_9_05_07_AM.txt"};
    QTest::newRow("only lines") << QStringList{"ZorbelLines.txt"}
                                << QStringList{"ZorbelLines_3_3_2021_9_05_07_AM.txt"};
    QTest::newRow("neither") << QStringList{} << QStringList{};
}

void TestDataDirectory::saveOldFiles()
{
    QFETCH(QStringList, present);
    QFETCH(QStringList, expected);
    TestContext test;
    for (const QString &name : present)
        test.writeFile(name, "Blank Pole\r\n" + name.toUtf8() + "\r\n");

    DataDirectory data(test.context(), kUnitedStates);
    QVERIFY(data.saveOldFiles());
    QCOMPARE(backups(test), expected);
    for (const QString &backup : expected) {
        const QString source = backup.section(u'_', 0, 0) + QStringLiteral(".txt");
        QCOMPARE(test.readFile(QStringLiteral("BackUps/") + backup), test.readFile(source));
    }
    QVERIFY(test.prompter().shown().isEmpty());
}

void TestDataDirectory::twoSavesInOneSecondReplaceTheSameNames()
{
    TestContext test;
    test.writeFile(QStringLiteral("ZorbelLines.txt"), "first\r\n");
    test.writeFile(QStringLiteral("ZorbelPhrases.txt"), "first phrase\r\n");
    DataDirectory data(test.context(), kUnitedStates);
    QVERIFY(data.saveOldFiles());

    test.writeFile(QStringLiteral("ZorbelLines.txt"), "second\r\n");
    test.clock().set(test.clock().now().addMSecs(600));
    QVERIFY(data.saveOldFiles());
    QCOMPARE(backups(test), (QStringList{"ZorbelLines_3_3_2021_9_05_07_AM.txt", "ZorbelPhrases_3_3_2021_9_05_07_AM.txt"}));
    QCOMPARE(test.readFile(QStringLiteral("BackUps/ZorbelLines_3_3_2021_9_05_07_AM.txt")), QByteArray("second\r\n"));

    test.clock().advance(1);
    QVERIFY(data.saveOldFiles());
    QCOMPARE(backups(test).size(), 4);
    QVERIFY(backups(test).contains(QStringLiteral("ZorbelLines_3_3_2021_9_05_08_AM.txt")));
}

void TestDataDirectory::saveOldFilesIntoFileNamedBackUps()
{
    TestContext test;
    test.writeFile(QStringLiteral("ZorbelLines.txt"), "Blank Pole\r\n");
    test.writeFile(QStringLiteral("BackUps"), "not a folder");
    DataDirectory data(test.context(), kUnitedStates);
    QVERIFY(!data.saveOldFiles());
    QCOMPARE(test.prompter().last().text,
             QStringLiteral("Current SubRoutine is saveOldFiles\r\nError Number: 75\r\nLocation: (none)\r\n"));
    QCOMPARE(test.readFile(QStringLiteral("BackUps")), QByteArray("not a folder"));
}

void TestDataDirectory::failedCopyKeepsEarlierBackup()
{
    TestContext test;
    test.writeFile(QStringLiteral("ZorbelLines.txt"), "Blank Pole\r\n");
    test.writeFile(QStringLiteral("ZorbelPhrases.txt"), "Even his Blank makes me laugh.\r\n");
    QVERIFY(QDir(test.dir()).mkpath(QStringLiteral("BackUps/ZorbelPhrases_3_3_2021_9_05_07_AM.txt")));
    DataDirectory data(test.context(), kUnitedStates);
    QVERIFY(!data.saveOldFiles());
    QVERIFY(test.prompter().last().text.startsWith(QLatin1String("Current SubRoutine is saveOldFiles\r\n")));
    QCOMPARE(test.readFile(QStringLiteral("BackUps/ZorbelLines_3_3_2021_9_05_07_AM.txt")), QByteArray("Blank Pole\r\n"));
}

QTEST_GUILESS_MAIN(TestDataDirectory)
#include "tst_data_directory.moc"
