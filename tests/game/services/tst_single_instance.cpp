#include "services/single_instance.h"

#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondCopyIsRefusedUntilFirstEnds();
    void otherProgramDirectoriesDoNotClash();
    void lockOfCrashedCopyDoesNotBlock();
    void refusalMessage();
};

void TestSingleInstance::secondCopyIsRefusedUntilFirstEnds()
{
    QTemporaryDir dir;
    auto first = std::make_unique<SingleInstance>(dir.path());
    QVERIFY(first->claim());
    SingleInstance second(dir.path());
    QVERIFY(!second.claim());
    first.reset();
    QVERIFY(second.claim());
    QVERIFY(QFile::exists(SingleInstance::lockPath(dir.path())));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("zorbel.lock")))); // the host's folder stays clean
}

void TestSingleInstance::otherProgramDirectoriesDoNotClash()
{
    QTemporaryDir one;
    QTemporaryDir two;
    SingleInstance first(one.path());
    SingleInstance second(two.path());
    QVERIFY(first.claim());
    QVERIFY(second.claim());
    QVERIFY(SingleInstance::lockPath(one.path()) != SingleInstance::lockPath(two.path()));
}

void TestSingleInstance::lockOfCrashedCopyDoesNotBlock()
{
    QTemporaryDir dir;
    const QString path = SingleInstance::lockPath(dir.path());
    {
        // A real lock, left behind as a crash leaves it: the file stays, and
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
        const qint64 pid = ended.processId();
        QVERIFY(ended.waitForFinished());
        lines[0] = QByteArray::number(pid);
        crashed.unlock();
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines.join('\n'));
    }
    QVERIFY(QFile::exists(path));

    SingleInstance next(dir.path());
    QVERIFY(next.claim());
}

void TestSingleInstance::refusalMessage()
{
    const Prompt prompt = SingleInstance::refusal(QStringLiteral("Zorbel"));
    QCOMPARE(prompt.text,
             QStringLiteral("The Zorbel application is already running.  This instance of Zorbel will terminate..."));
    QCOMPARE(prompt.title, QStringLiteral("Zorbel"));
    QCOMPARE(prompt.buttons, Prompt::Buttons::Ok);
    QCOMPARE(prompt.icon, Prompt::Icon::None);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
