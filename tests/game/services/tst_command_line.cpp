#include "services/command_line.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void programDirIsExecutableFolder();
    void dataDirOverrides();
    void badDataDirIsRefused_data();
    void badDataDirIsRefused();
    void programRefusesBadDataDirWithMessage();
};

void TestCommandLine::programDirIsExecutableFolder()
{
    const auto result = programFactsFromCommandLine({"zorbel"}, "/opt/games/zorbel", QVersionNumber(1, 2, 0));
    const AppFacts facts = std::get<AppFacts>(result);
    QCOMPARE(facts.programDir, QStringLiteral("/opt/games"));
    QCOMPARE(facts.exeName, QStringLiteral("zorbel"));
    QCOMPARE(facts.version, QVersionNumber(1, 2, 0));
}

void TestCommandLine::dataDirOverrides()
{
    QTemporaryDir dir;
    const auto result = programFactsFromCommandLine({"zorbel", "--data-dir", dir.path()}, "/opt/games/zorbel.exe",
                                                    QVersionNumber(1, 0, 0));
    const AppFacts facts = std::get<AppFacts>(result);
    QCOMPARE(facts.programDir, dir.path());
    QCOMPARE(facts.exeName, QStringLiteral("zorbel"));
    QCOMPARE(facts.executableDir, QStringLiteral("/opt/games")); // its libraries stay beside it
}

void TestCommandLine::badDataDirIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "missing" << "does not exist";
    QTest::newRow("a file") << "file" << "is not a folder";
    QTest::newRow("no value") << "novalue" << "Missing value after '--data-dir'";
}

void TestCommandLine::badDataDirIsRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QStringList arguments{"zorbel", "--data-dir"};
    if (kind == QLatin1String("missing"))
        arguments << dir.filePath(QStringLiteral("nowhere"));
    if (kind == QLatin1String("file")) {
        QFile file(dir.filePath(QStringLiteral("f")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        arguments << file.fileName();
    }
    const auto result = programFactsFromCommandLine(arguments, "/opt/zorbel", QVersionNumber(1, 0, 0));
    QVERIFY(std::holds_alternative<QString>(result));
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

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
