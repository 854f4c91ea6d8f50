#include "services/command_line.h"
#include "services/single_instance.h"

#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// How the program starts: the folders the command line names, and the one
// copy that may run on a program directory.
class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void programAndDataDirs();
    void badDataDirIsRefused_data();
    void badDataDirIsRefused();
    void programRefusesBadDataDirWithMessage();
    void secondCopyIsRefusedUntilFirstEnds();
    void lockOfCrashedCopyDoesNotBlock();
};

void TestCommandLine::programAndDataDirs()
{
    AppFacts facts = std::get<AppFacts>(programFactsFromCommandLine({"zorbel"}, "/opt/games/zorbel", QVersionNumber(1, 2)));
    QCOMPARE(facts.programDir, QStringLiteral("/opt/games"));
    QCOMPARE(facts.exeName, QStringLiteral("zorbel"));
    QCOMPARE(facts.version, QVersionNumber(1, 2));

    QTemporaryDir dir;
    facts = std::get<AppFacts>(programFactsFromCommandLine({"zorbel", "--data-dir", dir.path()}, "/opt/games/zorbel.exe",
                                                           QVersionNumber(1, 0)));
    QCOMPARE(facts.programDir, dir.path());
    QCOMPARE(facts.exeName, QStringLiteral("zorbel"));
    QCOMPARE(facts.executableDir, QStringLiteral("/opt/games")); // its libraries stay beside it
}

void TestCommandLine::badDataDirIsRefused_data()
{
    QTest::addColumn<QString>("value"); // "-": none; relative to a fresh folder holding the file "f"
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "nowhere" << "does not exist";
    QTest::newRow("a file") << "f" << "is not a folder";
    QTest::newRow("no value") << "-" << "Missing value after '--data-dir'";
}

void TestCommandLine::badDataDirIsRefused()
{
    QFETCH(QString, value);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("f")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QStringList arguments = QStringList{"zorbel", "--data-dir"} + (value == u'-' ? QStringList() : QStringList{dir.filePath(value)});
    const auto result = programFactsFromCommandLine(arguments, "/opt/zorbel", QVersionNumber(1, 0));
    QVERIFY(std::holds_alternative<QString>(result));
    QFETCH(QString, message);
    QVERIFY2(std::get<QString>(result).contains(message), qPrintable(std::get<QString>(result)));
}

void TestCommandLine::programRefusesBadDataDirWithMessage()
{
    QTemporaryDir dir;
    QProcess zorbel;
    zorbel.start(QStringLiteral(ZORBEL_EXECUTABLE), {"--data-dir", dir.filePath(QStringLiteral("nowhere"))});
    QVERIFY(zorbel.waitForFinished(30000));
    QCOMPARE(zorbel.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zorbel.exitCode(), 2);
    QVERIFY(zorbel.readAllStandardError().contains("does not exist"));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("nowhere"))));
}

void TestCommandLine::secondCopyIsRefusedUntilFirstEnds()
{
    QTemporaryDir dir;
    QTemporaryDir other;
    auto first = std::make_unique<SingleInstance>(dir.path());
    QVERIFY(first->claim());
    SingleInstance second(dir.path());
    QVERIFY(!second.claim());
    QVERIFY(SingleInstance(other.path()).claim());
    first.reset();
    QVERIFY(second.claim());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("zorbel.lock")))); // the host's folder stays clean

    const Prompt refusal = SingleInstance::refusal(QStringLiteral("Zorbel"));
    QCOMPARE(refusal.text, QStringLiteral("The Zorbel application is already running.  This instance of Zorbel will terminate..."));
    QCOMPARE(refusal.title, QStringLiteral("Zorbel"));
}

void TestCommandLine::lockOfCrashedCopyDoesNotBlock()
{
    QTemporaryDir dir;
    const QString path = SingleInstance::lockPath(dir.path());
    {
        // A real lock left behind as a crash leaves it: the file stays, and
        // the process it names has ended.
        QLockFile crashed(path);
        QVERIFY(crashed.tryLock(0));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        QProcess ended;
        ended.start(QStringLiteral("true"));
        QVERIFY(ended.waitForStarted());
        lines[0] = QByteArray::number(ended.processId());
        QVERIFY(ended.waitForFinished());
        crashed.unlock();
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines.join('\n'));
    }
    QVERIFY(QFile::exists(path));
    QVERIFY(SingleInstance(dir.path()).claim());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
