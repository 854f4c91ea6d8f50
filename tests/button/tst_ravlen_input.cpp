#include "drawn_face.h"
#include "interaction_fakes.h"

#include <QApplication>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Ravlen driven through Qt's events, with the hover poll ticked by hand over
// a pretend pointer.
class TestRavlenInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TMP", QFile::encodeName(m_temp.path()));
        qunsetenv("XDG_RUNTIME_DIR");
    }

    void scenario_data()
    {
        QTest::addColumn<QString>("setup"); // property=value ...
        QTest::addColumn<QString>("script"); // commands, see scenario()
        QTest::addColumn<QString>("deleteIn"); // a handler of this event deletes the button
        QTest::addColumn<QString>("expected");

        const auto row = [](const char *tag, const char *setup, const char *script, const char *expected, const char *deleteIn = "") {
            QTest::newRow(tag) << QString::fromLatin1(setup) << QString::fromLatin1(script) << QString::fromLatin1(deleteIn)
                               << QString::fromLatin1(expected);
        };
        const char *twice = "press 10 10; release 10 10; press 10 10; dclick 10 10; release 10 10";
        const char *hoverClick = "out; out; in; in; press 10 10; release 10 10; out";
        const char *allSounds = "Sound=1 SoundIn=1 SoundOut=2 SoundDown=3 SoundUp=4 SoundClick=5";
        row("arrow zone, then beside it", "ArrowShow=1", "press s+3 5; release s+3 5; press s-3 5; release s-3 5",
            "ArrowMouseDown =2 | MouseUp 1 =1 | MouseDown 1 =2 | MouseUp 1 Click =1");
        row("right click draws no press", "", "press 10 10 right; release 10 10 right", "MouseDown 2 | MouseUp 2 RightClick =1");
        row("double click as two clicks", "", twice, "MouseDown 1 =2 | MouseUp 1 Click =1 | MouseDown 1 =2 | Click =2 | MouseUp 1 =1");
        row("double click", "DoubleClickEnable=1", twice,
            "MouseDown 1 =2 | MouseUp 1 Click =1 | MouseDown 1 =2 | DblClick =2 | MouseUp 1 =1");
        row("exit seen while held, release outside", "", "out; in; press 10 10; move 300 10; out; release 300 10; out",
            "MouseOut =0 | MouseIn =1 | MouseDown 1 =2 | - | MouseOut =0 | MouseUp 1 =1 | =0");
        row("hover once per entry and exit, sounds", allSounds, hoverClick,
            "MouseOut soundOut =0 | idle | MouseIn soundIn =1 "
            "| - | MouseDown 1 soundDown =2 | MouseUp 1 soundUp soundClick Click =1 | MouseOut soundOut =0");
        row("Animate off: events and sounds, nothing drawn", "Animate=0 Sound=1 SoundIn=1 SoundOut=2 SoundDown=3 SoundUp=4 SoundClick=5",
            hoverClick,
            "MouseOut soundOut | idle | MouseIn soundIn | - | MouseDown 1 soundDown | MouseUp 1 soundUp soundClick Click "
            "| MouseOut soundOut");
        // Standing still, the pointer costs nothing until Qt reports it moving.
        row("a resting pointer stops the poll", "", "out; in; rest; rest; move 10 10; rest; rest",
            "MouseOut =0 | MouseIn =1 | - | idle | - | - | idle");
        // Qt's leave counts even where the pointer's position stopped
        // following it outside the window.
        // A button that slides away from under a resting pointer looks again.
        row("moved from under a resting pointer", "", "out; in; rest; rest; slide; rest; rest",
            "MouseOut =0 | MouseIn =1 | - | idle | - | MouseOut =0 | idle");
        // A button that changes size takes the next hover tick afresh.
        row("resized after the exit", "", "out; out; resize; out", "MouseOut =0 | idle | =0 | MouseOut =0");
        row("leave with a stale pointer", "", "out; in; leave; rest", "MouseOut =0 | MouseIn =1 | MouseOut =0 | idle");
        // A modal window elsewhere takes the pointer without moving it.
        row("leave to a modal window", "", "out; in; modal; leave; out", "MouseOut =0 | MouseIn =1 | - | - | MouseOut =0");
        // Held down, the key repeats KeyDown and KeyPress; one KeyUp at the end.
        row("auto-repeated key", "", "key; keyup repeat; key repeat; keyup repeat; key repeat; keyup",
            "KeyDown 65 KeyPress 97 | - | KeyDown 65 KeyPress 97 | - | KeyDown 65 KeyPress 97 | KeyUp 65");
        row("Shift drag moves the focused button", "UserDrag=1", "press 10 10 shift; move 20 10; release 20 10; move 30 10; at",
            "MouseDown 1 =2 | - | MouseUp 1 Click =1 | - | at 10,0");
        row("disabled until enabled", "Enabled=0", "press 10 10; release 10 10; out; enable; out", "- | - | - | - | MouseOut =0");
        row("deleted in the first MouseOut", allSounds, hoverClick, "MouseOut gone", "MouseOut");
        row("deleted in Click", allSounds, hoverClick,
            "MouseOut soundOut =0 | idle | MouseIn soundIn =1 | - "
            "| MouseDown 1 soundDown =2 | MouseUp 1 soundUp soundClick Click gone",
            "Click");
    }

    // The script's commands, separated by "; ": "out" and "in" put the pointer
    // elsewhere or over the button (gliding onto it) and tick the hover poll,
    // logging "idle" when it is stopped; "rest" ticks it with the pointer left
    // where it is; "leave" is Qt's leave with the pointer still reading as
    // over the button; "modal" shows a modal window elsewhere; "slide" moves the button from under the pointer; "resize" widens it; "key [repeat]" and "keyup [repeat]" press and release
    // A, auto-repeated or not; "press X Y [right] [shift]",
    // "release X Y ...", "dclick X Y ..." and "move X Y" (with the button still
    // held, or a glide) send those mouse events, where X or Y may be "s+N"/"s-N"
    // from the split line; "enable" enables the button, "at" logs its position. Each
    // command logs the events raised and sounds played, then "=N" when it
    // drew, N the state.
    void scenario()
    {
        QFETCH(QString, setup);
        QFETCH(QString, script);
        QFETCH(QString, deleteIn);
        QFETCH(QString, expected);
        QWidget window;
        QPointer<Ravlen> button = new Ravlen(&window);
        for (const QString &assignment : setup.split(u' ', Qt::SkipEmptyParts))
            QVERIFY(button->setProperty(qPrintable(assignment.section(u'=', 0, 0)), assignment.section(u'=', 1).toInt()));
        button->setFocus(); // as the press of a shown window would
        m_pointer.over = nullptr;
        m_pointer.stayed = false;
        const FaceComposer &composer = RavlenPrivate::get(button)->composer();
        // The arrow layer places the split line when it draws; go by where it
        // puts it.
        button->DrawIt(0);
        const float split = composer.splitCoordinate();
        QStringList log;
        m_sounds.log = &log;
        const auto note = [&](const QString &event) {
            log.append(event);
            if (event == deleteIn)
                delete button.data();
        };
        for (auto signal : {&Ravlen::Click, &Ravlen::DblClick, &Ravlen::MouseIn, &Ravlen::MouseOut, &Ravlen::ArrowMouseDown,
                            &Ravlen::RightClick, &Ravlen::RightDblClick})
            connect(button, signal, this, [&, signal] { note(QString::fromLatin1(QMetaMethod::fromSignal(signal).name())); });
        connect(button, &Ravlen::MouseDown, this, [&](int &b, int &, float &, float &) { note(QStringLiteral("MouseDown %1").arg(b)); });
        connect(button, &Ravlen::MouseUp, this, [&](int &b, int &, float &, float &) { note(QStringLiteral("MouseUp %1").arg(b)); });
        connect(button, &Ravlen::KeyDown, this, [&](int &code, int &) { note(QStringLiteral("KeyDown %1").arg(code)); });
        connect(button, &Ravlen::KeyPress, this, [&](int &ascii) { note(QStringLiteral("KeyPress %1").arg(ascii)); });
        connect(button, &Ravlen::KeyUp, this, [&](int &code, int &) { note(QStringLiteral("KeyUp %1").arg(code)); });

        Qt::MouseButtons held;
        QWidget modal;
        modal.setWindowModality(Qt::ApplicationModal);
        QStringList outcome;
        for (const QString &command : script.split(QStringLiteral("; "))) {
            const QStringList words = command.split(u' ');
            const auto coordinate = [&](const QString &word) {
                return word.startsWith(u's') ? qRound(split + word.mid(1).toFloat()) : word.toInt();
            };
            const QPoint at(coordinate(words.value(1)), coordinate(words.value(2)));
            const Qt::MouseButton which = words.contains(u"right") ? Qt::RightButton : Qt::LeftButton;
            const auto send = [&](QEvent::Type type, Qt::MouseButton changed) {
                QMouseEvent event(type, at, button->mapToGlobal(at), changed, held,
                                  words.contains(u"shift") ? Qt::ShiftModifier : Qt::NoModifier);
                QApplication::sendEvent(button, &event);
            };
            log.clear();
            const DrawnFace before = drawnFace(*button);
            if (words[0] == u"out" || words[0] == u"in" || words[0] == u"rest") {
                if (words[0] != u"rest")
                    m_pointer.over = words[0] == u"in" ? button.data() : nullptr;
                if (words[0] == u"in")
                    send(QEvent::MouseMove, Qt::NoButton);
                if (!tick(button->findChild<QTimer *>(QStringLiteral("OverTimer"))))
                    log.append(QStringLiteral("idle"));
            } else if (words[0] == u"slide") {
                m_pointer.over = nullptr;
                m_pointer.stayed = true;
                // Qt holds a hidden window's move events back until it shows.
                const QPoint from = button->pos();
                button->move(from + QPoint(200, 0));
                QMoveEvent moved(button->pos(), from);
                QApplication::sendEvent(button, &moved);
            } else if (words[0] == u"resize") {
                const QSize from = button->size();
                button->resize(from + QSize(10, 0));
                QResizeEvent resized(button->size(), from);
                QApplication::sendEvent(button, &resized);
            } else if (words[0] == u"leave") {
                QEvent leave(QEvent::Leave);
                QApplication::sendEvent(button, &leave);
            } else if (words[0] == u"modal") {
                modal.show();
            } else if (words[0] == u"key" || words[0] == u"keyup") {
                QKeyEvent key(words[0] == u"key" ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"),
                              words.contains(u"repeat"));
                QApplication::sendEvent(button, &key);
            } else if (words[0] == u"press" || words[0] == u"dclick" || words[0] == u"release") {
                held.setFlag(which, words[0] != u"release");
                send(words[0] == u"release" ? QEvent::MouseButtonRelease
                     : words[0] == u"press" ? QEvent::MouseButtonPress
                                            : QEvent::MouseButtonDblClick,
                     which);
            } else if (words[0] == u"move") {
                send(QEvent::MouseMove, Qt::NoButton);
            } else if (words[0] == u"enable") {
                button->setEnabled(true);
            } else if (words[0] == u"at") {
                log.append(QStringLiteral("at %1,%2").arg(button->x()).arg(button->y()));
            }
            if (!button) {
                outcome.append((log + QStringList{"gone"}).join(u' '));
                break;
            }
            if (drawnFace(*button) != before)
                log.append(QStringLiteral("=%1").arg(composer.drawnState().value_or(-1)));
            outcome.append(log.isEmpty() ? QStringLiteral("-") : log.join(u' '));
        }
        m_sounds.log = nullptr;

        QCOMPARE(outcome.join(QStringLiteral(" | ")), expected);
        // Built-in sounds go to the user's own folder in TMP even for a
        // button no stored layout set up.
        for (const QString &path : m_sounds.played)
            QCOMPARE(QFileInfo(path).path(), m_temp.filePath(QStringLiteral("ravlenlib-%1").arg(::geteuid())));
    }

    void ctrlAltRightClickSavesHere()
    {
        const QString here = m_temp.filePath(QStringLiteral("one/two"));
        QVERIFY(QDir().mkpath(here));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(here));
        Ravlen button;
        button.setObjectName(QStringLiteral("cmdGo"));
        button.setCaption(QStringLiteral("../../x"));

        QTest::mouseClick(&button, Qt::RightButton, Qt::ControlModifier, QPoint(5, 5));
        QVERIFY(QDir(here).isEmpty()); // Ctrl alone saves nothing
        QTest::mouseClick(&button, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, QPoint(5, 5));
        QDir::setCurrent(previous);

        QCOMPARE(QDir(here).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("cmdGo-______x.rls")});
    }

    // Access keys, on a shown and active window as on a desktop.
    void accessKeyClicks()
    {
        QWidget window;
        auto *button = new Ravlen(&window);
        auto *other = new Ravlen(&window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setCaption(QStringLiteral("&Zoom"));
        button->setCaption(QStringLiteral("Stale &Zed"));
        button->setCaption(QStringLiteral("&Start")); // gives up the old key
        QTest::mouseClick(button, Qt::RightButton, {}, QPoint(5, 5)); // which leaves the key working
        other->setFocus();
        QSignalSpy spy(button, &Ravlen::Click);
        QSignalSpy otherSpy(other, &Ravlen::Click);

        QTest::keyClick(window.windowHandle(), Qt::Key_S, Qt::AltModifier);
        QTest::keyClick(window.windowHandle(), Qt::Key_Z, Qt::AltModifier); // the other button's alone now
        QCOMPARE(spy.count(), 1);
        QCOMPARE(otherSpy.count(), 1);
    }

    // The real pointer on a real X server (the tst_ravlen_input_x11 run under
    // Xvfb): entering, resting and a jump far out of the window.
    void realPointer()
    {
        if (QGuiApplication::platformName() != u"xcb")
            QSKIP("needs an X server; tst_ravlen_input_x11 runs this under Xvfb");
        PointerProbe::setInstance(nullptr);
        const auto fakeAgain = qScopeGuard([this] { PointerProbe::setInstance(&m_pointer); });
        QWidget window;
        window.setGeometry(200, 200, 300, 200);
        QCursor::setPos(20, 20);
        auto *button = new Ravlen(&window);
        button->setGeometry(50, 50, 120, 40);
        QSignalSpy in(button, &Ravlen::MouseIn);
        QSignalSpy out(button, &Ravlen::MouseOut);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const FaceComposer &composer = RavlenPrivate::get(button)->composer();
        const auto *poll = button->findChild<QTimer *>(QStringLiteral("OverTimer"));
        QTRY_COMPARE(out.count(), 1); // the first tick finds the pointer elsewhere

        QCursor::setPos(button->mapToGlobal(QPoint(60, 20)));
        QTRY_COMPARE(in.count(), 1);
        QCOMPARE(composer.drawnState(), 1);
        QTRY_VERIFY(!poll->isActive()); // resting costs nothing

        QCursor::setPos(20, 20);
        QTRY_COMPARE(out.count(), 2);
        QCOMPARE(in.count(), 1);
        QCOMPARE(composer.drawnState(), 0);
    }

private:
    // Built-in sounds are unpacked here rather than in the shared /tmp.
    QTemporaryDir m_temp;
    FakePointer m_pointer;
    RecordingSoundPlayer m_sounds;
};

QTEST_MAIN(TestRavlenInput)
#include "tst_ravlen_input.moc"
