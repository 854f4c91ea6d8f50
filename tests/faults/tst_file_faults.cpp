// Every feature that writes a file, run against every way the file system
// can refuse the write. A row ends in the feature's report (or, for the
// button library, in silence), leaves the old file whole and no temporary
// file behind, and the same feature works again once the fault is gone.
//
// Root ignores permission bits, so as root the program runs itself again as
// nobody. A full disk is an RLIMIT_FSIZE limit a few bytes past the old
// file's end, with SIGXFSZ ignored: every write past it fails with EFBIG as
// on a full device, and it reaches atomic writes (the temporary file of
// QSaveFile) as well as direct ones, with no loop device or preload.

#include "RavlenLib/ravlen.h"
#include "core/private_file.h"
#include "play/list_tools.h"
#include "play/question_loader.h"
#include "services/files/config_file.h"
#include "services/files/data_directory.h"
#include "services/windows/frm_question_editor.h"
#include "services/windows/question_editor_texts.h"
#include "services/windows/update_prompt.h"
#include "test_context.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTest>

#include <array>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

enum class Fault { UnwritableDir, ReadOnlyTarget, TargetIsDir, DiskFull, RemovedAtQuestion };
constexpr int kOk = 0; // the write succeeds: the file holds the new bytes
constexpr int kSilent = -1; // nothing written and nothing said

const QByteArray kOld("old\r\n");

using Bench = TestContext;

struct Feature {
    const char *name;
    const char *target; // in the program directory; %1 is the backup stamp
    const char *reportName; // "" for the button library
    std::array<int, 5> expected; // per Fault: error number, kOk or kSilent
    void (*run)(Bench &, const QString &target);
};

QString targetOf(Bench &bench, const Feature &feature)
{
    return QString::fromLatin1(feature.target).arg(DataDirectory::backupStamp(bench.clock().now()));
}

void editorSave(Bench &bench, const QString &)
{
    FrmQuestionEditor editor(bench.context(), QuestionEditorTexts::of(QuestionEditorTexts::Kind::Matches),
                             QuestionLoader::lineChecker(QuestionMode::Match));
    editor.load();
    editor.findChild<QPlainTextEdit *>(QStringLiteral("rtb1"))->setPlainText(QStringLiteral("Blank Pole\nShoe Blank\n"));
    bench.prompter().queue(PromptAnswer::Yes); // "Overwrite File?"
    editor.clkSave_Click();
}

void update(Bench &bench, const QString &)
{
    DataDirectory directory(bench.context());
    bench.prompter().queue(PromptAnswer::Yes); // look for an update
    offerUpdate(bench.context(), directory, QUrl(QStringLiteral("https://zorbel.example.org/update")));
}

template <auto tool>
void listTool(Bench &bench, const QString &target)
{
    const QString input = target.startsWith(QLatin1String("Chunk")) ? QStringLiteral("temp.txt") : QStringLiteral("ZorbelLines.txt");
    const char *report = target.startsWith(QLatin1String("Chunk")) ? "cmdParse_Click" : "cmdDeDup_Click";
    bench.context().guard(QLatin1String(report), [&] { tool(bench.path(input), bench.path(target)); });
}

const QList<Feature> &features()
{
    static const QList<Feature> list{
        {"log",
         "LogInfo.txt",
         "writeLogInfo",
         {kOk, 70, 75, 61, kOk},
         [](Bench &b, const QString &) { b.context().writeLogInfo(QStringLiteral("an entry")); }},
        {"config",
         "Zorbel.cfg",
         "clkSave_Click",
         {70, 70, 75, 61, kOk},
         [](Bench &b, const QString &target) {
             b.context().guard(QStringLiteral("clkSave_Click"), [&] {
                 ConfigFile::save(b.path(target), {CountdownLength{QStringLiteral("60"), 60}, false, true, true, false});
             });
         }},
        {"editor", "ZorbelLines.txt", "clkSave_Click", {70, 70, 75, 61, kOk}, editorSave},
        {"backup", "BackUps/ZorbelLines_%1.txt", "saveOldFiles", {70, 70, 75, 61, kOk}, update},
        {"probe",
         "BackUps/Test.txt",
         "testFileWrite",
         {70, kOk, 75, 61, kOk},
         [](Bench &b, const QString &) { DataDirectory(b.context()).testFileWrite(QStringLiteral("BackUps")); }},
        {"folder",
         "BackUps",
         "createDirs",
         {70, kOk, 75, kOk, kOk},
         [](Bench &b, const QString &) { DataDirectory(b.context()).createDirs(QStringLiteral("BackUps")); }},
        {"dedup", "ZorbelLinesDeDupped.txt", "cmdDeDup_Click", {70, 70, 75, 61, kOk}, listTool<ListTools::deDuplicateFile>},
        {"parse", "Chunk.txt", "cmdParse_Click", {70, 70, 75, 61, kOk}, listTool<ListTools::matchLinesFromWordFile>},
        {"button settings",
         "button.rls",
         "",
         {kSilent, kSilent, kSilent, kSilent, kOk},
         [](Bench &b, const QString &target) { Ravlen().SaveButtonSettings(b.path(target)); }},
        {"button sound",
         "soundClick.wav",
         "",
         {kOk, kSilent, kSilent, kSilent, kOk},
         [](Bench &b, const QString &target) { PrivateFile::write(b.path(target), QByteArray(1676, 'w')); }},
    };
    return list;
}

// The old state every row starts from: the question files and word list
// the tools read, a started log, and the target holding kOld.
void prepare(Bench &bench, const Feature &feature)
{
    bench.writeFile(QStringLiteral("ZorbelLines.txt"), "Shoe Blank\r\nBlank Pole\r\n");
    bench.writeFile(QStringLiteral("temp.txt"), "Pole\r\nWinter\r\n");
    QVERIFY(QDir(bench.dir()).mkpath(QStringLiteral("BackUps")));
    const QString target = targetOf(bench, feature);
    if (target == QLatin1String("LogInfo.txt"))
        bench.context().writeLogInfo(QStringLiteral("first"));
    else if (target != QLatin1String("BackUps"))
        bench.writeFile(target, kOld);
    else
        QVERIFY(QDir(bench.path(target)).removeRecursively());
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void setFileSizeLimit(rlim_t limit)
{
    rlimit now{};
    getrlimit(RLIMIT_FSIZE, &now);
    now.rlim_cur = limit;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &now), 0);
}

void applyFault(Fault fault, const QString &path)
{
    const QFileInfo info(path);
    switch (fault) {
    case Fault::UnwritableDir:
        QFile::setPermissions(info.absolutePath(), QFile::ReadOwner | QFile::ExeOwner);
        break;
    case Fault::ReadOnlyTarget:
        QFile::setPermissions(path, QFile::ReadOwner);
        break;
    case Fault::TargetIsDir:
        // A folder where a file belongs, and a file where the folder does.
        QVERIFY(info.exists() ? QFile::remove(path) && QDir().mkdir(path) : QFile(path).open(QIODevice::WriteOnly));
        break;
    case Fault::DiskFull:
        setFileSizeLimit(rlim_t(info.size() + 4));
        break;
    case Fault::RemovedAtQuestion:
        if (!QFile::remove(path))
            QDir(path).removeRecursively();
        break;
    }
}

void clearFault(Fault fault, const QString &path)
{
    const QFileInfo info(path);
    setFileSizeLimit(RLIM_INFINITY);
    QFile::setPermissions(info.absolutePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (fault == Fault::ReadOnlyTarget)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (fault == Fault::TargetIsDir && !QFile::remove(path))
        QDir(path).removeRecursively();
}

// Leftovers beside the target: QSaveFile's temporary files carry its name.
QStringList strays(const QString &path)
{
    const QFileInfo info(path);
    QStringList found =
        QDir(info.absolutePath()).entryList({info.fileName() + QStringLiteral("*")}, QDir::AllEntries | QDir::Hidden | QDir::System);
    found.removeAll(info.fileName());
    return found;
}

// The reports of the feature's own procedure (with a full disk the log
// entry of a report fails too, which its own report tells).
QStringList errorReports(Bench &bench, const QString &reportName)
{
    QStringList texts;
    for (const Prompt &prompt : bench.prompter().shown())
        if (prompt.title == QLatin1String("Error")
            && (reportName.isEmpty()
                || prompt.text.startsWith(QStringLiteral("Current SubRoutine is ") + reportName + QStringLiteral("\r\n"))))
            texts << prompt.text;
    return texts;
}

} // namespace

class TestFileFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }
    void faultEndsCleanly_data()
    {
        QTest::addColumn<int>("feature");
        QTest::addColumn<Fault>("fault");
        static const char *const faultNames[] = {"unwritable folder", "read-only target", "target is a folder", "full disk",
                                                 "removed at the question"};
        for (int f = 0; f < features().size(); ++f)
            for (int x = 0; x < 5; ++x)
                QTest::addRow("%s, %s", features().at(f).name, faultNames[x]) << f << Fault(x);
    }

    void faultEndsCleanly()
    {
        QFETCH(int, feature);
        QFETCH(Fault, fault);
        const Feature &row = features().at(feature);
        Bench bench;
        prepare(bench, row);
        const QString target = targetOf(bench, row);
        const QString path = bench.path(target);
        const QByteArray old = bytesOf(path);
        const int expected = row.expected[size_t(fault)];

        // The fault strikes at the feature's first question where it asks one
        // (the editor's overwrite question, the update question), else at once.
        bool struck = false;
        bench.prompter().setOnAsk([&](const Prompt &) { struck = struck || (applyFault(fault, path), true); });
        if (row.name != QByteArray("editor") && row.name != QByteArray("backup")) {
            applyFault(fault, path);
            struck = true;
        }
        row.run(bench, target);
        bench.prompter().setOnAsk({});
        const QByteArray after = bytesOf(path);
        clearFault(fault, path);
        QVERIFY(struck);

        const QStringList reports = errorReports(bench, QLatin1String(row.reportName));
        if (expected > 0) {
            QCOMPARE(reports.size(), 1);
            QVERIFY2(reports.first().contains(QStringLiteral("Error Number: %1\r\n").arg(expected)), qPrintable(reports.first()));
        } else {
            QCOMPARE(errorReports(bench, {}), QStringList());
        }
        // The probe's whole job is to remove its file; every other file stays.
        const bool folderRow = row.name == QByteArray("folder");
        const QByteArray kept = fault != Fault::TargetIsDir ? old : folderRow ? QByteArray() : QByteArray("<none>");
        if (expected != kOk && row.name != QByteArray("probe"))
            QCOMPARE(after, kept);
        QCOMPARE(strays(path), QStringList());

        // Usable again: the same feature now writes its file.
        bench.prompter().clear();
        row.run(bench, target);
        QCOMPARE(errorReports(bench, {}), QStringList());
        if (row.name == QByteArray("probe"))
            QVERIFY(!QFileInfo::exists(path));
        else if (row.name == QByteArray("folder"))
            QVERIFY(QFileInfo(path).isDir());
        else
            QVERIFY2(bytesOf(path) != old && bytesOf(path) != "<none>", bytesOf(path).constData());
        QCOMPARE(strays(path), QStringList());
    }

    void startUpTellsOnceAboutUnwritableFolder_data()
    {
        QTest::addColumn<Fault>("fault"); // on the log; RemovedAtQuestion: none
        QTest::newRow("writable") << Fault::RemovedAtQuestion;
        QTest::newRow("unwritable folder") << Fault::UnwritableDir;
        QTest::newRow("read-only log") << Fault::ReadOnlyTarget;
        QTest::newRow("log is a folder") << Fault::TargetIsDir;
    }

    void startUpTellsOnceAboutUnwritableFolder()
    {
        QFETCH(Fault, fault);
        Bench bench;
        bench.writeFile(QStringLiteral("LogInfo.txt"), kOld);
        const QString log = bench.path(QStringLiteral("LogInfo.txt"));
        applyFault(fault, log);
        const QStringList before = QDir(bench.dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const bool writable = fault == Fault::RemovedAtQuestion;
        QCOMPARE(DataDirectory::checkWritable(bench.dir(), bench.prompter()), writable);
        const QByteArray after = bytesOf(log);
        const QStringList entries = QDir(bench.dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        clearFault(fault, log);

        QCOMPARE(entries, before); // the probe is gone, the log untouched
        if (fault != Fault::TargetIsDir)
            QCOMPARE(after, writable ? QByteArray("<none>") : kOld);
        if (writable) {
            QCOMPARE(bench.prompter().shown().size(), 0);
            return;
        }
        QCOMPARE(bench.prompter().shown().size(), 1);
        QCOMPARE(bench.prompter().last().text,
                 QStringLiteral("Zorbel cannot write to its data folder %1. Make the folder writable, or start Zorbel with "
                                "--data-dir and a folder you can write.")
                     .arg(bench.dir()));
    }
};

int main(int argc, char *argv[])
{
    // As root every permission row would pass for the wrong reason: run as
    // nobody instead, in temporary folders that nobody owns.
    if (geteuid() == 0) {
        std::vector<char *> args{const_cast<char *>("setpriv"), const_cast<char *>("--reuid=65534"), const_cast<char *>("--regid=65534"),
                                 const_cast<char *>("--clear-groups")};
        args.insert(args.end(), argv, argv + argc);
        args.push_back(nullptr);
        qputenv("HOME", "/tmp");
        execvp("setpriv", args.data());
        qFatal("cannot run setpriv to drop root's privileges");
    }
    QApplication app(argc, argv);
    TestFileFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_file_faults.moc"
