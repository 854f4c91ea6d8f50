#include "play/windows/room_display_control.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

QScreen *screenNamed(const QString &name)
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    return nullptr;
}

// A console on the first screen and a control whose display is a plain
// window; the settings file lives in a temporary data folder.
struct Bench {
    QTemporaryDir dir;
    QWidget console;
    RoomDisplayControl control{&console, [] { return new QWidget; }, dir.filePath(QStringLiteral("RoomDisplay.ini"))};

    Bench()
    {
        console.setScreen(QGuiApplication::screens().first());
        console.show();
    }
    QString where() const
    {
        const QWidget *display = control.display();
        if (!display || !display->isVisible())
            return QStringLiteral("closed");
        return display->screen()->name() + (display->isFullScreen() ? QStringLiteral(" full screen") : QString());
    }
};

} // namespace

class TestRoomDisplayControl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Two screens: the display fills the one the console is not on, until the
    // host chooses another; the choice is remembered for the next opening.
    void opensFullScreenOnTheRoomsScreen()
    {
        if (QGuiApplication::screens().size() < 2)
            QSKIP("needs the two-screen configuration");
        Bench bench;
        bench.control.toggle();
        QCOMPARE(bench.where(), "tv full screen");
        QCOMPARE(bench.control.display()->geometry(), screenNamed("tv")->geometry());
        bench.control.toggle();
        QCOMPARE(bench.where(), "closed");

        std::unique_ptr<QMenu> chooser = bench.control.chooser();
        QStringList offered;
        for (const QAction *action : chooser->actions())
            offered << action->text() + (action->isChecked() ? " *" : "");
        QCOMPARE(offered, (QStringList{"console (1280 \u00d7 800)", "tv (3840 \u00d7 2160) *"}));

        bench.control.open();
        chooser->actions().first()->trigger(); // the console's own screen
        QCOMPARE(bench.where(), "console full screen");
        QFile settings(bench.dir.filePath(QStringLiteral("RoomDisplay.ini")));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("Screen=console"));

        Bench again; // a new evening in another folder knows nothing of it
        again.control.open();
        QCOMPARE(again.where(), "tv full screen");
    }

    // A screen that goes away takes the display to the one left, where it
    // becomes an ordinary window.
    void leavesAScreenThatGoes()
    {
        if (QGuiApplication::screens().size() < 2)
            QSKIP("needs the two-screen configuration");
        Bench bench;
        bench.control.open();
        Q_EMIT qApp->screenRemoved(screenNamed("tv"));
        QCOMPARE(bench.where(), "console");
    }

    void oneScreenOpensAWindow()
    {
        if (QGuiApplication::screens().size() != 1)
            QSKIP("needs a single screen");
        Bench bench;
        bench.control.open();
        QCOMPARE(bench.where(), QGuiApplication::primaryScreen()->name());
        QVERIFY(bench.control.display()->width() < QGuiApplication::primaryScreen()->size().width());
    }
};

QTEST_MAIN(TestRoomDisplayControl)
#include "tst_room_display_control.moc"
