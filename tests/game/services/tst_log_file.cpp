#include "fixed_clock.h"
#include "services/error_codes.h"
#include "services/general_date.h"
#include "services/log_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestLogFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generalDate_data();
    void generalDate();
    void firstEntryEmptiesOldLog();
    void entriesAppendInOrderWithStamp();
    void reportEntryEndsWithEmptyLine();
    void failuresThrowAndLaterEntriesStillWork();
    void fullDiskThrowsDiskFull();

private:
    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

void TestLogFile::generalDate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("en_US") << "en_US" << "3/3/2021 9:05:07 AM";
    QTest::newRow("en_GB") << "en_GB" << "03/03/2021 09:05:07";
    QTest::newRow("de_DE") << "de_DE" << "03.03.2021 09:05:07";
}

void TestLogFile::generalDate()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QCOMPARE(generalDateText(QDateTime(QDate(2021, 3, 3), QTime(9, 5, 7)), QLocale(locale)), text);
}

void TestLogFile::firstEntryEmptiesOldLog()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LogInfo.txt"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an entry of the last run\r\nand another\r\n");
    old.close();

    FixedClock clock;
    LogFile log(path, clock, QLocale(QStringLiteral("en_US")));
    QVERIFY(!log.started());
    log.append(QStringLiteral("Loading Form frmZorbel"));
    QVERIFY(log.started());
    QCOMPARE(contents(path), QByteArray("3/3/2021 9:05:07 AM  Loading Form frmZorbel\r\n"));
}

void TestLogFile::entriesAppendInOrderWithStamp()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LogInfo.txt"));
    FixedClock clock;
    LogFile log(path, clock, QLocale(QStringLiteral("en_US")));
    log.append(QStringLiteral("Loading Form frmZorbel"));
    clock.advance(1);
    log.append(QStringLiteral("Loading Form frmConfig"));
    QCOMPARE(contents(path),
             QByteArray("3/3/2021 9:05:07 AM  Loading Form frmZorbel\r\n"
                        "3/3/2021 9:05:08 AM  Loading Form frmConfig\r\n"));
}

void TestLogFile::reportEntryEndsWithEmptyLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LogInfo.txt"));
    FixedClock clock;
    LogFile log(path, clock, QLocale(QStringLiteral("en_US")));
    log.append(QStringLiteral("Current SubRoutine is readInConfigFile\r\nError Number: 6\r\nLocation: frmZorbel\r\n"));
    log.append(QStringLiteral("next"));
    QCOMPARE(contents(path),
             QByteArray("3/3/2021 9:05:07 AM  Current SubRoutine is readInConfigFile\r\nError Number: 6\r\n"
                        "Location: frmZorbel\r\n\r\n3/3/2021 9:05:07 AM  next\r\n"));
}

void TestLogFile::failuresThrowAndLaterEntriesStillWork()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LogInfo.txt"));
    QVERIFY(QDir().mkdir(path)); // a folder where the log should be
    FixedClock clock;
    LogFile log(path, clock);
    QVERIFY_THROWS_EXCEPTION(ZorbelError, log.append(QStringLiteral("lost")));
    QVERIFY(QDir().rmdir(path));
    log.append(QStringLiteral("kept"));
    QVERIFY(contents(path).endsWith("  kept\r\n"));
}

void TestLogFile::fullDiskThrowsDiskFull()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("this system has no /dev/full");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LogInfo.txt"));
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
    FixedClock clock;
    LogFile log(path, clock);
    try {
        log.append(QStringLiteral("no room"));
        QFAIL("a write to a full disk succeeded");
    } catch (const ZorbelError &error) {
        QCOMPARE(error.number(), ErrorNumber::DiskFull);
    }
}

QTEST_GUILESS_MAIN(TestLogFile)
#include "tst_log_file.moc"
