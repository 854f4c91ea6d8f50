#include "services/files/data_directory.h"
#include "services/files/text_file.h"
#include "services/files/user_data_folder.h"
#include "services/windows/update_prompt.h"
#include "test_context.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);
const QString kLinesBackup = QStringLiteral("ZorbelLines_3_3_2021_9_05_07_AM.txt");
const QString kPhrasesBackup = QStringLiteral("ZorbelPhrases_3_3_2021_9_05_07_AM.txt");

QStringList backups(const TestContext &test)
{
    return QDir(test.path(QStringLiteral("BackUps"))).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestDataDirectory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void backupStamp_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("stamp");
        const QDateTime morning(QDate(2021, 3, 3), QTime(9, 5, 7));
        QTest::newRow("month/day/year") << kUnitedStates << morning << "3_3_2021_9_05_07_AM";
        QTest::newRow("day/month/year") << QLocale(QLocale::English, QLocale::UnitedKingdom) << morning << "03_03_2021_09_05_07";
        QTest::newRow("dots stay") << QLocale(QLocale::German, QLocale::Germany) << morning << "03.03.2021_09_05_07";
    }

    void backupStamp()
    {
        QFETCH(QLocale, locale);
        QFETCH(QDateTime, moment);
        QTEST(DataDirectory::backupStamp(moment, locale), "stamp");
    }

    // An installed layout: <prefix>/bin beside <prefix>/share/zorbel. The
    // user's folder gets what it lacks and keeps what the host has.
    void userFolderTakesMissingDefaultsOnly()
    {
        QTemporaryDir prefix;
        QVERIFY(QDir(prefix.path()).mkpath("bin") && QDir(prefix.path()).mkpath("share/zorbel"));
        QCOMPARE(UserDataFolder::defaultsBeside(prefix.path()), QString());
        const QString defaults = UserDataFolder::defaultsBeside(prefix.filePath("bin"));
        QCOMPARE(defaults, QFileInfo(prefix.filePath("share/zorbel")).canonicalFilePath());
        for (const char *name : {"ZorbelLines.txt", "ZorbelPhrases.txt", "Buzzer.wav"}) {
            QFile file(QDir(defaults).filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("default") == 7);
            file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        }

        const QString folder = prefix.filePath("home/.local/share/zorbel");
        QVERIFY(QDir().mkpath(folder));
        QFile edited(QDir(folder).filePath("ZorbelLines.txt"));
        QVERIFY(edited.open(QIODevice::WriteOnly) && edited.write("the host's own") == 14);
        edited.close();
        QCOMPARE(
            UserDataFolder::prepare(folder, defaults),
            QStringList({QStringLiteral("Data folder %1: the program's folder takes no files").arg(folder),
                         "Copied the default Buzzer.wav to the data folder", "Copied the default ZorbelPhrases.txt to the data folder"}));
        QVERIFY(edited.open(QIODevice::ReadOnly) && edited.readAll() == "the host's own");
        QFile copy(QDir(folder).filePath("ZorbelPhrases.txt"));
        QVERIFY(copy.open(QIODevice::ReadWrite) && copy.readAll() == "default");
        QCOMPARE(UserDataFolder::prepare(folder, defaults).size(), 1);
    }

    void createAndProbeLeaveFolderClean()
    {
        TestContext test;
        DataDirectory data(test.context());
        QVERIFY(data.createDirs(QStringLiteral("BackUps")));
        QVERIFY(data.testFileWrite(QStringLiteral("BackUps")));
        test.writeFile(QStringLiteral("BackUps/kept.txt"), "old backup");
        QVERIFY(data.createDirs(QStringLiteral("BackUps")));
        // A probe left behind, even a read-only one, goes.
        test.writeFile(QStringLiteral("BackUps/Test.txt"), "stale");
        QFile::setPermissions(test.path(QStringLiteral("BackUps/Test.txt")), QFile::ReadOwner);
        QVERIFY(data.testFileWrite(QStringLiteral("BackUps")));
        QCOMPARE(backups(test), QStringList{"kept.txt"});
        QVERIFY(test.prompter().shown().isEmpty());
    }

    // Even root cannot write a file where a folder of that name stands.
    void failureShowsLongReportWithQuotedFolder()
    {
        TestContext test;
        DataDirectory data(test.context());
        const QString blocker = test.path(QStringLiteral("it's mine/Test.txt/inside"));
        QVERIFY(QDir().mkpath(blocker));
        QVERIFY(!data.testFileWrite(QStringLiteral("it's mine")));
        const QString expected = QStringList{"Current SubRoutine is testFileWrite",
                                             "",
                                             "Trying to write a file in %P/it's mine",
                                             "Ensure you have read, write permission for directory %P/it's mine",
                                             "",
                                             "Running the Zorbel app from a folder you own may also fix the problem.",
                                             "",
                                             "To fix the permissions, run: chmod u+rwx '%P/it'\\''s mine'",
                                             "If the directory belongs to another user, run: sudo chown \"$USER\" '%P/it'\\''s mine'",
                                             "",
                                             "Error Number: 75",
                                             "Location: (none)\r\n"}
                                     .join(QStringLiteral("\r\n"))
                                     .replace(QStringLiteral("%P"), test.dir());
        QCOMPARE(test.prompter().shown().size(), 1);
        QCOMPARE(test.prompter().last().text, expected);
        QCOMPARE(test.logEntries(), QStringList{expected});
        QVERIFY(QFileInfo::exists(blocker));
    }

    void probeNeverFollowsPlantedLink_data()
    {
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("link to a read-only file") << true;
        QTest::newRow("dangling link") << false;
    }

    void probeNeverFollowsPlantedLink()
    {
        QFETCH(bool, targetExists);
        TestContext test;
        QVERIFY(QDir(test.dir()).mkdir(QStringLiteral("BackUps")));
        const QString target = test.path(QStringLiteral("precious.txt"));
        if (targetExists) {
            test.writeFile(QStringLiteral("precious.txt"), "keep me");
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadOther));
        }
        const QFile::Permissions mode = QFile::permissions(target);
        QVERIFY(QFile::link(target, test.path(QStringLiteral("BackUps/Test.txt"))));

        DataDirectory data(test.context());
        QVERIFY(!data.testFileWrite(QStringLiteral("BackUps")));
        QCOMPARE(test.prompter().shown().size(), 1);
        QVERIFY(test.prompter().last().text.contains(QStringLiteral("Error Number: 75\r\n")));
        QCOMPARE(QFileInfo::exists(target), targetExists);
        QCOMPARE(QFile::permissions(target), mode);
        QCOMPARE(test.readFile(QStringLiteral("precious.txt")), targetExists ? QByteArray("keep me") : QByteArray());
        // The link is gone, so the next probe finds a clean folder.
        QVERIFY(data.testFileWrite(QStringLiteral("BackUps")));
        QCOMPARE(backups(test), QStringList());
    }

    void twoSavesInOneSecondReplaceTheSameNames()
    {
        TestContext test;
        test.writeFile(QStringLiteral("ZorbelLines.txt"), "first\r\n");
        test.writeFile(QStringLiteral("ZorbelPhrases.txt"), "first phrase\r\n");
        DataDirectory data(test.context(), kUnitedStates);
        QVERIFY(data.saveOldFiles());
        test.writeFile(QStringLiteral("ZorbelLines.txt"), "second\r\n");
        test.clock().set(test.clock().now().addMSecs(600));
        QVERIFY(data.saveOldFiles());
        QCOMPARE(backups(test), (QStringList{kLinesBackup, kPhrasesBackup}));
        QCOMPARE(test.readFile("BackUps/" + kLinesBackup), QByteArray("second\r\n"));
        test.clock().advance(1);
        QVERIFY(data.saveOldFiles());
        QCOMPARE(backups(test).size(), 4);
        QVERIFY(backups(test).contains(QStringLiteral("ZorbelLines_3_3_2021_9_05_08_AM.txt")));
    }

    void oversizedQuestionFileIsNotBackedUp()
    {
        TestContext test;
        QFile lines(test.path(QStringLiteral("ZorbelLines.txt"))); // sparse: takes no room on the disk
        QVERIFY(lines.open(QIODevice::WriteOnly) && lines.resize(TextFile::kLargestFile + 1));
        lines.close();
        QVERIFY(!DataDirectory(test.context()).saveOldFiles());
        QCOMPARE(test.prompter().shown().size(), 1);
        QVERIFY(test.prompter().last().text.startsWith(QStringLiteral("Current SubRoutine is saveOldFiles\r\nError Number: 7\r\n")));
        QCOMPARE(backups(test), QStringList());
    }

    void offerUpdate_data()
    {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QStringList>("backups");
        QTest::newRow("yes, only phrases to back up") << PromptAnswer::Yes << QStringList{kPhrasesBackup};
        QTest::newRow("no") << PromptAnswer::No << QStringList{};
    }

    void offerUpdate()
    {
        QFETCH(PromptAnswer, answer);
        TestContext test(QVersionNumber(1, 2, 0));
        test.writeFile(QStringLiteral("ZorbelPhrases.txt"), "Even his Blank makes me laugh.\r\n");
        test.prompter().queue(answer);
        DataDirectory data(test.context(), kUnitedStates);
        const QUrl page(QStringLiteral("https://party.test/update"));
        QCOMPARE(::offerUpdate(test.context(), data, page), answer == PromptAnswer::Yes);
        QCOMPARE(test.urlOpener().opened(), answer == PromptAnswer::Yes ? QList<QUrl>{page} : QList<QUrl>{});
        QCOMPARE(test.prompter().shown().size(), 1);
        const Prompt &shown = test.prompter().last();
        QCOMPARE(shown.text, QStringLiteral("The current version of Zorbel software is 1.2.0\r\n\r\n"
                                            "Would you like to check for a Zorbel software update?"));
        QVERIFY(shown.title == QStringLiteral("Check For Update?") && shown.buttons == Prompt::Buttons::YesNoCancel);
        // BackUps is there whatever the answer; the probe is gone.
        QTEST(QDir(test.path(QStringLiteral("BackUps"))).entryList(QDir::Files), "backups");
    }
};

QTEST_GUILESS_MAIN(TestDataDirectory)
#include "tst_data_directory.moc"
