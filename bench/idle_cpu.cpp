// What the game costs while nobody touches it. Starts the built zorbel on the
// offscreen platform in a fresh program directory holding the default files,
// waits for the main window's "Loading Form frmZorbel" log line, lets the
// start-up drawing settle, then reads the process's processor time
// (utime + stime from /proc/<pid>/stat) over ten seconds. A plain Qt window
// with as many QPushButtons, started the same way, is the reference. The
// game is then ended with SIGTERM, and a new copy must be free to start.
// Last, a fresh copy runs on an X server of its own (Xvfb) with the pointer
// resting on its Next button (moved there with xdotool), measured the same
// way: hovering must cost no more than sitting idle. And a room display open
// over an idle game (offscreen, in a copy of this program) must cost nothing.
//
//   idle_cpu [--seconds N]

#include "play/game.h"
#include "play/windows/room_display.h"
#include "services/app_context.h"
#include "services/clock.h"
#include "services/prompter.h"
#include "services/single_instance.h"
#include "services/url_opener.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGridLayout>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <algorithm>

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

constexpr int kSettleMs = 2000;
constexpr int kStartTimeoutMs = 120000;
// The main window holds about this many buttons.
constexpr int kReferenceButtons = 40;
// The button the pointer rests on for the hover figure.
constexpr char kHoveredButton[] = "clkNext";

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

// A room display over a game opened on the program directory, the game
// left alone.
int displayOverIdleGame(int argc, char *argv[], const QString &programDir)
{
    QApplication app(argc, argv);
    AppContext context({programDir, QStringLiteral("zorbel"), QVersionNumber(1, 0, 0), programDir},
                       std::make_unique<SystemClock>(), std::make_unique<MessageBoxPrompter>(),
                       std::make_unique<DesktopUrlOpener>());
    Game game(context);
    game.open();
    RoomDisplay display(game);
    display.resize(1920, 1080);
    display.show();
    std::printf("shown\n");
    std::fflush(stdout);
    return app.exec();
}

// Starts a copy of this program with the arguments, waits for its first
// line, and measures it idle.
std::optional<double> measureCopy(const QString &self, const QStringList &arguments, int seconds)
{
    QProcess copy;
    copy.start(self, arguments);
    if (!copy.waitForStarted() || !copy.waitForReadyRead(kStartTimeoutMs))
        return std::nullopt;
    QThread::msleep(kSettleMs);
    const auto percent = idlePercent(copy.processId(), seconds);
    terminate(copy);
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

// Runs xdotool on the display and returns what it printed, trimmed.
QString xdotool(const QString &display, const QStringList &arguments)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(kStartTimeoutMs) || tool.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

// The centre of a control of the main window's layout, as a fraction of the
// window's width (the layout scales with the window).
std::optional<QPointF> designedCentre(const QString &layoutPath, const QString &name)
{
    QFile file(layoutPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject layout = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonArray controls = layout.value(QStringLiteral("controls")).toArray();
    const auto find = [&controls](const QString &wanted) {
        for (const QJsonValue &control : controls) {
            if (control[QStringLiteral("name")].toString() == wanted)
                return control.toObject();
        }
        return QJsonObject();
    };
    const QJsonObject control = find(name);
    if (control.isEmpty())
        return std::nullopt;
    // A control on the tab control is placed by the tab control's corner.
    const QJsonObject parent = find(control[QStringLiteral("parent")].toString());
    const double width = layout.value(QStringLiteral("width")).toDouble();
    const double x = parent[QStringLiteral("left")].toDouble() + control[QStringLiteral("left")].toDouble()
                     + control[QStringLiteral("width")].toDouble() / 2;
    const double y = parent[QStringLiteral("top")].toDouble() + control[QStringLiteral("top")].toDouble()
                     + control[QStringLiteral("height")].toDouble() / 2;
    return QPointF(x / width, y / width);
}

// Starts zorbel on a program directory in the given environment and waits
// for the log line; null if it did not get there.
std::unique_ptr<QProcess> startGame(const QString &programDir, const QProcessEnvironment &environment,
                                    const QByteArray &logLine)
{
    auto game = std::make_unique<QProcess>();
    game->setProcessEnvironment(environment);
    game->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    game->start(QStringLiteral(ZORBEL_EXECUTABLE), {QStringLiteral("--data-dir"), programDir});
    const QString logPath = QDir(programDir).filePath(QStringLiteral("LogInfo.txt"));
    if (game->waitForStarted() && waitForLogLine(logPath, logLine, *game))
        return game;
    game->kill();
    game->waitForFinished();
    return nullptr;
}

// The game's processor time with the pointer resting on one of its buttons,
// on an X server of its own.
std::optional<double> hoverRestPercent(int seconds)
{
    QTemporaryDir programDir;
    if (!programDir.isValid() || !copyDefaults(QStringLiteral(ZORBEL_DEFAULTS_DIR), programDir.path()))
        return std::nullopt;
    const auto centre = designedCentre(QStringLiteral(ZORBEL_MAIN_LAYOUT), QString::fromLatin1(kHoveredButton));
    if (!centre)
        return std::nullopt;

    QProcess server;
    // -displayfd 1: the server picks a free display and prints its number.
    server.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server.waitForStarted() || !server.waitForReadyRead(kStartTimeoutMs))
        return std::nullopt;
    const QString display = QLatin1Char(':') + QString::fromLatin1(server.readAllStandardOutput()).trimmed();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), display);
    std::optional<double> percent;
    if (const auto game = startGame(programDir.path(), environment, "Unloading Form frmSplash")) {
        const QString pid = QString::number(game->processId());
        const QString window = xdotool(display, {QStringLiteral("search"), QStringLiteral("--sync"),
                                                 QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), pid,
                                                 QStringLiteral("--name"), QStringLiteral("^zorbel$")})
                                   .section(QLatin1Char('\n'), 0, 0);
        QHash<QString, int> geometry;
        const QString shell = xdotool(display,
                                      {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
        for (const QString &line : shell.split(QLatin1Char('\n')))
            geometry.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1).toInt());
        const int width = geometry.value(QStringLiteral("WIDTH"));
        if (!window.isEmpty() && width > 0) {
            const QPoint at(geometry.value(QStringLiteral("X")) + qRound(centre->x() * width),
                            geometry.value(QStringLiteral("Y")) + qRound(centre->y() * width));
            xdotool(display, {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
            QThread::msleep(kSettleMs);
            percent = idlePercent(game->processId(), seconds);
        }
        if (!terminate(*game)) {
            game->kill();
            game->waitForFinished();
        }
    }
    server.terminate();
    server.waitForFinished();
    return percent;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], "--reference") == 0)
        return referenceWindow(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--display") == 0)
        return displayOverIdleGame(argc, argv, QString::fromLocal8Bit(argv[2]));

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

    const auto reference = measureCopy(QCoreApplication::applicationFilePath(), {QStringLiteral("--reference")},
                                       seconds);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QElapsedTimer startUp;
    startUp.start();
    const auto game = startGame(programDir.path(), environment, "Loading Form frmZorbel");
    if (!game) {
        std::fprintf(stderr, "idle_cpu: the main window did not appear\n");
        return 1;
    }
    const double shownAfter = double(startUp.elapsed()) / 1000.0;
    QThread::msleep(kSettleMs);
    const auto idle = idlePercent(game->processId(), seconds);
    const bool ended = terminate(*game);
    if (!ended) {
        game->kill();
        game->waitForFinished();
    }
    // The next start must not find itself refused by the ended copy's lock.
    SingleInstance next(programDir.path());
    const bool nextStartFree = next.claim();

    if (!idle) {
        std::fprintf(stderr, "idle_cpu: cannot read the game's processor time\n");
        return 1;
    }
    const auto hoverRest = hoverRestPercent(seconds);
    if (!hoverRest)
        std::fprintf(stderr, "idle_cpu: no figure with the pointer on a button (Xvfb and xdotool needed)\n");
    std::printf("main_window_seconds: %.2f\n", shownAfter);
    if (reference)
        std::printf("reference_idle_cpu_percent: %.2f\n", *reference);
    std::printf("ended_by_sigterm: %s\n", ended ? "yes" : "no");
    std::printf("next_start_free: %s\n", nextStartFree ? "yes" : "no");
    if (hoverRest)
        std::printf("hover_rest_cpu_percent: %.2f\n", *hoverRest);
    // The display's copy has a program directory of its own: the game's
    // lock is not the point here.
    QTemporaryDir displayDir;
    std::optional<double> withDisplay;
    if (displayDir.isValid() && copyDefaults(QStringLiteral(ZORBEL_DEFAULTS_DIR), displayDir.path()))
        withDisplay = measureCopy(QCoreApplication::applicationFilePath(),
                                  {QStringLiteral("--display"), displayDir.path()}, seconds);
    if (!withDisplay)
        std::fprintf(stderr, "idle_cpu: no figure with the room display open\n");
    if (withDisplay)
        std::printf("idle_cpu_with_display_percent: %.2f\n", *withDisplay);
    std::printf("idle_cpu_percent: %.2f\n", *idle);
    return ended && nextStartFree ? 0 : 1;
}
