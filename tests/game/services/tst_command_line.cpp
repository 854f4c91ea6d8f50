#include "services/command_line.h"
#include "services/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// How the program starts: the folders the command line names, and the one
// copy that may run on a program directory.

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void programAndDataDirs()
    {
        AppFacts facts = std::get<AppFacts>(programFactsFromCommandLine({"zorbel"}, "/opt/games/zorbel", QVersionNumber(1, 2)));
        QCOMPARE(facts.programDir, QStringLiteral("/opt/games"));
        QCOMPARE(facts.exeName, QStringLiteral("zorbel"));
        QCOMPARE(facts.version, QVersionNumber(1, 2));

        QTemporaryDir dir;
        facts = std::get<AppFacts>(
            programFactsFromCommandLine({"zorbel", "--data-dir", dir.path()}, "/opt/games/zorbel.exe", QVersionNumber(1, 0)));
        QCOMPARE(facts.programDir, dir.path());
        QCOMPARE(facts.exeName, QStringLiteral("zorbel"));
        QCOMPARE(facts.executableDir, QStringLiteral("/opt/games")); // its libraries stay beside it
    }

    // clang-format off
    void badDataDirIsRefused_data()
    {
        QTest::addColumn<QString>("value"); // "-": none; relative to a fresh folder holding the file "f"
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "nowhere" << "does not exist";
        QTest::newRow("a file") << "f" << "is not a folder";
        QTest::newRow("no value") << "-" << "Missing value after '--data-dir'";
    }
    // clang-format on

    void badDataDirIsRefused()
    {
        QFETCH(QString, value);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("f")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QStringList arguments = QStringList{"zorbel", "--data-dir"}
                                      + (value == u'-' ? QStringList() : QStringList{dir.filePath(value)});
        const auto result = programFactsFromCommandLine(arguments, "/opt/zorbel", QVersionNumber(1, 0));
        QVERIFY(std::holds_alternative<QString>(result));
        QFETCH(QString, message);
        QVERIFY2(std::get<QString>(result).contains(message), qPrintable(std::get<QString>(result)));
    }

    void programRefusesBadDataDirWithMessage()
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

    void secondCopyIsRefusedUntilFirstEnds()
    {
        QTemporaryDir dir;
        auto first = std::make_unique<SingleInstance>(dir.path());
        QVERIFY(first->claim());
        SingleInstance second(dir.path());
        QVERIFY(!second.claim());
        first.reset();
        QVERIFY(second.claim());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("zorbel.lock")))); // the host's folder stays clean

        // The text names the executable; the title, the game.
        const Prompt refusal = SingleInstance::refusal(QStringLiteral("zorbel"));
        QCOMPARE(refusal.text, QStringLiteral("The zorbel application is already running.  This instance of zorbel will terminate..."));
        QCOMPARE(refusal.title, QStringLiteral("Zorbel"));
    }

    void lockOfCrashedCopyDoesNotBlock()
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

    void lockIsPerUserAndPerFolder_data()
    {
        QTest::addColumn<QString>("where"); // the lock's folder: runtime, private or data
        QTest::newRow("session runtime folder") << "runtime";
        QTest::newRow("no runtime folder") << "private";
        QTest::newRow("private folder is a planted link") << "data";
    }

    void lockIsPerUserAndPerFolder()
    {
        QFETCH(QString, where);
        QTemporaryDir tmp, runtime, elsewhere, dir, other;
        const QByteArray oldTmp = qgetenv("TMPDIR"), oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", tmp.path().toLocal8Bit());
        if (where == QLatin1String("runtime"))
            qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        else
            qunsetenv("XDG_RUNTIME_DIR");
        const QString privateFolder = tmp.filePath(QStringLiteral("zorbel-%1").arg(getuid()));
        if (where == QLatin1String("data"))
            QVERIFY(QFile::link(elsewhere.path(), privateFolder));

        // Where every copy of every account used to lock: a live lock there,
        // as another account's running game leaves it, blocks nobody now.
        const QByteArray hash =
            QCryptographicHash::hash(QFileInfo(dir.path()).canonicalFilePath().toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
        QLockFile shared(tmp.filePath(QStringLiteral("zorbel-%1.lock").arg(QString::fromLatin1(hash))));
        QVERIFY(shared.tryLock(0));

        SingleInstance first(dir.path()), otherFolder(other.path()), second(dir.path());
        QVERIFY(first.claim());
        QVERIFY(otherFolder.claim());
        QVERIFY(!second.claim());
        const QString folder = where == QLatin1String("runtime")   ? runtime.path()
                               : where == QLatin1String("private") ? privateFolder
                                                                   : dir.path();
        QCOMPARE(QFileInfo(SingleInstance::lockPath(dir.path())).absolutePath(), folder);
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther
                                          | QFile::ExeOther;
        QVERIFY(where == QLatin1String("data") || !(QFile::permissions(folder) & others));
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());

        for (const auto &[name, value] : {std::pair{"TMPDIR", oldTmp}, std::pair{"XDG_RUNTIME_DIR", oldRuntime}}) {
            if (value.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
