// What the game costs while nobody touches it. Starts the built zorbel on the
// offscreen platform in a fresh program directory holding the default files,
// waits for the main window's "Loading Form frmZorbel" log line, lets the
// start-up drawing settle, then reads the process's processor time
// (utime + stime from /proc/<pid>/stat) over ten seconds. A plain Qt window
// with as many QPushButtons, started the same way, is the reference. The
// game is then ended with SIGTERM, and a new copy must be free to start.
//
//   idle_cpu [--seconds N]

#include "services/single_instance.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGridLayout>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <algorithm>

#include <csignal>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

constexpr int kSettleMs = 2000;
constexpr int kStartTimeoutMs = 120000;
// The main window holds about this many buttons.
constexpr int kReferenceButtons = 40;

// Processor time of a process so far, in seconds.
std::optional<double> processorSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold blanks; fields count from
    // the state that follows it (field 3), so utime is 11 further on.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return std::nullopt;
    const double ticks = fields[11].toDouble() + fields[12].toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

// Percent of one processor the process used over the next seconds.
std::optional<double> idlePercent(qint64 pid, int seconds)
{
    const auto before = processorSeconds(pid);
    QElapsedTimer wall;
    wall.start();
    QThread::sleep(seconds);
    const auto after = processorSeconds(pid);
    if (!before || !after)
        return std::nullopt;
    return 100.0 * (*after - *before) / (double(wall.nsecsElapsed()) / 1e9);
}

bool waitForLogLine(const QString &logPath, const QByteArray &line, const QProcess &process)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kStartTimeoutMs && process.state() == QProcess::Running) {
        QFile log(logPath);
        if (log.open(QIODevice::ReadOnly) && log.readAll().contains(line))
            return true;
        QThread::msleep(100);
    }
    return false;
}

// Ends the process with SIGTERM, as a session manager or `kill` would.
bool terminate(QProcess &process)
{
    ::kill(pid_t(process.processId()), SIGTERM);
    return process.waitForFinished(10000);
}

int referenceWindow(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    auto *grid = new QGridLayout(&window);
    for (int i = 0; i < kReferenceButtons; ++i)
        grid->addWidget(new QPushButton(QStringLiteral("Button %1").arg(i)), i / 8, i % 8);
    window.show();
    std::printf("shown\n");
    std::fflush(stdout);
    return app.exec();
}

std::optional<double> measureReference(const QString &self, int seconds)
{
    QProcess reference;
    reference.start(self, {QStringLiteral("--reference")});
    if (!reference.waitForStarted() || !reference.waitForReadyRead(kStartTimeoutMs))
        return std::nullopt;
    QThread::msleep(kSettleMs);
    const auto percent = idlePercent(reference.processId(), seconds);
    terminate(reference);
    return percent;
}

bool copyDefaults(const QString &from, const QString &to)
{
    const QDir source(from);
    for (const QString &name : source.entryList(QDir::Files)) {
        if (!QFile::copy(source.filePath(name), QDir(to).filePath(name)))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], "--reference") == 0)
        return referenceWindow(argc, argv);

    QCoreApplication app(argc, argv);
    int seconds = 10;
    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--seconds")); at > 0 && at + 1 < arguments.size())
        seconds = std::max(1, arguments.at(at + 1).toInt());

    QTemporaryDir programDir;
    if (!programDir.isValid() || !copyDefaults(QStringLiteral(ZORBEL_DEFAULTS_DIR), programDir.path())) {
        std::fprintf(stderr, "idle_cpu: cannot prepare a program directory\n");
        return 1;
    }

    const auto reference = measureReference(QCoreApplication::applicationFilePath(), seconds);

    QProcess game;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    game.setProcessEnvironment(environment);
    game.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer startUp;
    startUp.start();
    game.start(QStringLiteral(ZORBEL_EXECUTABLE), {QStringLiteral("--data-dir"), programDir.path()});
    const QString logPath = QDir(programDir.path()).filePath(QStringLiteral("LogInfo.txt"));
    if (!game.waitForStarted() || !waitForLogLine(logPath, "Loading Form frmZorbel", game)) {
        std::fprintf(stderr, "idle_cpu: the main window did not appear\n");
        game.kill();
        game.waitForFinished();
        return 1;
    }
    const double shownAfter = double(startUp.elapsed()) / 1000.0;
    QThread::msleep(kSettleMs);
    const auto idle = idlePercent(game.processId(), seconds);
    const bool ended = terminate(game);
    if (!ended) {
        game.kill();
        game.waitForFinished();
    }
    // The next start must not find itself refused by the ended copy's lock.
    SingleInstance next(programDir.path());
    const bool nextStartFree = next.claim();

    if (!idle) {
        std::fprintf(stderr, "idle_cpu: cannot read the game's processor time\n");
        return 1;
    }
    std::printf("main_window_seconds: %.2f\n", shownAfter);
    if (reference)
        std::printf("reference_idle_cpu_percent: %.2f\n", *reference);
    std::printf("ended_by_sigterm: %s\n", ended ? "yes" : "no");
    std::printf("next_start_free: %s\n", nextStartFree ? "yes" : "no");
    std::printf("idle_cpu_percent: %.2f\n", *idle);
    return ended && nextStartFree ? 0 : 1;
}
