#include "interaction_fakes.h"
#include "ravlen_p.h"

#include <QAccessible>
#include <QApplication>
#include <QDirIterator>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>

// Ravlen driven through Qt's events, with the hover poll ticked by hand over
// a pretend pointer.
class TestRavlenInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_temp = std::make_unique<QTemporaryDir>();
        qputenv("TMP", QFile::encodeName(m_temp->path()));
        m_pointer = std::make_unique<FakePointer>();
        m_sounds = std::make_unique<RecordingSoundPlayer>();
    }

    void cleanup()
    {
        m_sounds.reset();
        m_pointer.reset();
        qunsetenv("TMP");
        m_temp.reset();
    }

    void scenario_data()
    {
        QTest::addColumn<QString>("setup"); // property=value ...
        QTest::addColumn<QString>("script"); // commands, see scenario()
        QTest::addColumn<QString>("deleteIn"); // a handler of this event deletes the button
        QTest::addColumn<QString>("expected");

        const auto row = [](const char *tag, const char *setup, const char *script, const char *expected,
                            const char *deleteIn = "") {
            QTest::newRow(tag) << QString::fromLatin1(setup) << QString::fromLatin1(script)
                               << QString::fromLatin1(deleteIn) << QString::fromLatin1(expected);
        };
        const char *twice = "press 10 10; release 10 10; press 10 10; dclick 10 10; release 10 10";
        const char *hoverClick = "out; out; in; press 10 10; release 10 10; out";
        const char *allSounds = "Sound=1 SoundIn=1 SoundOut=2 SoundDown=3 SoundUp=4 SoundClick=5";
        row("arrow zone", "ArrowShow=1", "press s+3 5; release s+3 5", "ArrowMouseDown =2 | MouseUp 1 =1");
        row("beside the arrow", "ArrowShow=1", "press s-3 5; release s-3 5", "MouseDown 1 =2 | MouseUp 1 Click =1");
        row("right click draws no press", "", "press 10 10 right; release 10 10 right", "MouseDown 2 | MouseUp 2 RightClick =1");
        row("double click as two clicks", "", twice,
            "MouseDown 1 =2 | MouseUp 1 Click =1 | MouseDown 1 =2 | Click =2 | MouseUp 1 =1");
        row("double click", "DoubleClickEnable=1", twice,
            "MouseDown 1 =2 | MouseUp 1 Click =1 | MouseDown 1 =2 | DblClick =2 | MouseUp 1 =1");
        row("hover: one event per entry and exit, then idle", "", "out; out; in; in; out",
            "MouseOut =0 | idle | MouseIn =1 | - | MouseOut =0");
        row("exit seen while held, release outside", "", "out; in; press 10 10; move 300 10; out; release 300 10; out",
            "MouseOut =0 | MouseIn =1 | MouseDown 1 =2 | - | MouseOut =0 | MouseUp 1 =1 | =0");
        row("sounds", allSounds, hoverClick, "MouseOut soundOut =0 | idle | MouseIn soundIn =1 | MouseDown 1 soundDown =2 "
            "| MouseUp 1 soundUp soundClick Click =1 | MouseOut soundOut =0");
        row("Animate off: no drawing, all else", "Animate=0 Sound=1 SoundIn=1 SoundOut=2 SoundDown=3 SoundUp=4 SoundClick=5", hoverClick,
            "MouseOut soundOut | idle | MouseIn soundIn | MouseDown 1 soundDown | MouseUp 1 soundUp soundClick Click "
            "| MouseOut soundOut");
        row("access key after an arrow press", "ArrowShow=1 Sound=1 SoundClick=5", "press s+3 5; release s+3 5; key",
            "ArrowMouseDown =2 | MouseUp 1 soundClick =1 | soundClick Click");
        row("Shift drag moves the focused button", "UserDrag=1",
            "focus; press 10 10 shift; move 20 10; at; move 10 10; release 10 10; move 30 10; at",
            "- | MouseDown 1 =2 | - | at 10,0 | - | MouseUp 1 Click =1 | - | at 10,0");
        row("disabled: no input until enabled", "Enabled=0", "press 10 10; release 10 10; out; enable; out",
            "- | - | - | - | MouseOut =0");
        row("deleted in the first MouseOut", allSounds, hoverClick, "MouseOut gone", "MouseOut");
        row("deleted in Click", allSounds, hoverClick, "MouseOut soundOut =0 | idle | MouseIn soundIn =1 "
            "| MouseDown 1 soundDown =2 | MouseUp 1 soundUp soundClick Click gone", "Click");
    }

    // The script's commands, separated by "; ": "out" and "in" put the pointer
    // elsewhere or over the button (gliding onto it) and tick the hover poll,
    // logging "idle" when it is stopped; "press X Y [right|middle] [shift]
    // [ctrl]", "release X Y ...", "dclick X Y ..." and "move X Y" (with the
    // button still held, or a glide) send those mouse events, where X or Y may
    // be "s+N"/"s-N" from the split line; "key" is the accessible press action,
    // "focus" focuses the button, "enable" enables it, "at" logs its position. Each command logs the
    // events raised and sounds played, then "=N" when it drew, N the state.
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
        RavlenPrivate *d = RavlenPrivate::get(button);
        // The arrow layer places the split line when it draws; go by where it
        // puts it, or by a line of our own when it leaves none.
        d->splitCoordinate = 16;
        button->DrawIt(0);
        const float split = d->splitCoordinate;
        QStringList log;
        m_sounds->log = &log;
        for (auto signal : {&Ravlen::Click, &Ravlen::DblClick, &Ravlen::MouseIn, &Ravlen::MouseOut, &Ravlen::ArrowMouseDown,
                            &Ravlen::RightClick, &Ravlen::RightDblClick}) {
            connect(button, signal, this, [&, signal] {
                log.append(QString::fromLatin1(QMetaMethod::fromSignal(signal).name()));
                if (log.last() == deleteIn)
                    delete button.data();
            });
        }
        for (auto signal : {&Ravlen::MouseDown, &Ravlen::MouseUp}) {
            connect(button, signal, this, [&, signal](int &b, int &, float &, float &) {
                log.append(QString::fromLatin1(QMetaMethod::fromSignal(signal).name()) + QStringLiteral(" %1").arg(b));
                if (log.last() == deleteIn)
                    delete button.data();
            });
        }

        Qt::MouseButtons held;
        QStringList outcome;
        for (const QString &command : script.split(QStringLiteral("; "))) {
            const QStringList words = command.split(u' ');
            const auto coordinate = [&](int i) {
                const QString word = words.value(i);
                return word.startsWith(u's') ? qRound(split + word.mid(1).toFloat()) : word.toInt();
            };
            const QPoint at(coordinate(1), coordinate(2));
            const Qt::MouseButton which = words.contains(u"right") ? Qt::RightButton
                : words.contains(u"middle")                       ? Qt::MiddleButton
                                                                   : Qt::LeftButton;
            Qt::KeyboardModifiers modifiers;
            modifiers.setFlag(Qt::ShiftModifier, words.contains(u"shift"));
            modifiers.setFlag(Qt::ControlModifier, words.contains(u"ctrl"));
            const auto send = [&](QEvent::Type type, Qt::MouseButton changed) {
                QMouseEvent event(type, at, button->mapToGlobal(at), changed, held, modifiers);
                QApplication::sendEvent(button, &event);
            };
            log.clear();
            const int draws = d->drawCalls;
            if (words[0] == u"out" || words[0] == u"in") {
                m_pointer->over = words[0] == u"in" ? button.data() : nullptr;
                if (words[0] == u"in")
                    send(QEvent::MouseMove, Qt::NoButton);
                if (!tick(button->findChild<QTimer *>(QStringLiteral("OverTimer"))))
                    log.append(QStringLiteral("idle"));
            } else if (words[0] == u"press" || words[0] == u"dclick") {
                held |= which;
                send(words[0] == u"press" ? QEvent::MouseButtonPress : QEvent::MouseButtonDblClick, which);
            } else if (words[0] == u"release") {
                held &= ~Qt::MouseButtons(which);
                send(QEvent::MouseButtonRelease, which);
            } else if (words[0] == u"move") {
                send(QEvent::MouseMove, Qt::NoButton);
            } else if (words[0] == u"key") {
                QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
            } else if (words[0] == u"focus") {
                button->setFocus(); // as the press of a shown window would
            } else if (words[0] == u"enable") {
                button->setEnabled(true);
            } else if (words[0] == u"at") {
                log.append(QStringLiteral("at %1,%2").arg(button->x()).arg(button->y()));
            }
            if (!button) {
                outcome.append((log + QStringList{"gone"}).join(u' '));
                break;
            }
            if (d->drawCalls != draws)
                log.append(QStringLiteral("=%1").arg(d->currentState));
            outcome.append(log.isEmpty() ? QStringLiteral("-") : log.join(u' '));
        }
        m_sounds->log = nullptr;

        QCOMPARE(outcome.join(QStringLiteral(" | ")), expected);
        // Built-in sounds go to TMP even for a button no stored layout set up.
        for (const QString &path : m_sounds->played)
            QCOMPARE(QFileInfo(path).path(), m_temp->path());
    }

    void ctrlAltRightClickSavesHere_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("expected"); // empty: no file at all

        const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
        QTest::newRow("caption climbing out") << "../../x" << ctrlAlt << "cmdGo-______x.rls";
        QTest::newRow("Ctrl only") << "Go" << Qt::KeyboardModifiers(Qt::ControlModifier) << "";
    }

    void ctrlAltRightClickSavesHere()
    {
        QFETCH(QString, caption);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, expected);
        const QString here = m_temp->filePath(QStringLiteral("one/two"));
        QVERIFY(QDir().mkpath(here));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(here));
        Ravlen button;
        button.setObjectName(QStringLiteral("cmdGo"));
        button.setCaption(caption);
        QSignalSpy rightClicks(&button, &Ravlen::RightClick);

        QTest::mouseClick(&button, Qt::RightButton, modifiers, QPoint(5, 5));
        QDir::setCurrent(previous);

        QStringList written;
        QDirIterator files(m_temp->path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (files.hasNext())
            written.append(QDir(m_temp->path()).relativeFilePath(files.next()));
        QCOMPARE(written, expected.isEmpty() ? QStringList() : QStringList{"one/two/" + expected});
        QCOMPARE(rightClicks.count(), 1); // saving comes on top of the usual events
    }

    void accessKeyClicks_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("rightClickFirst");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Alt+S") << "&Start" << Qt::Key_S << false << 1;
        QTest::newRow("a Click even after a right click") << "&Start" << Qt::Key_S << true << 1;
        QTest::newRow("doubled ampersand is no key") << "Q&&A" << Qt::Key_A << false << 0;
    }

    void accessKeyClicks()
    {
        QFETCH(QString, caption);
        QFETCH(Qt::Key, key);
        QFETCH(bool, rightClickFirst);
        QFETCH(int, clicks);
        TwoButtons buttons;
        QVERIFY(buttons.active());
        Ravlen *button = buttons.first;
        Ravlen *other = buttons.second;
        other->setCaption(QStringLiteral("&Zoom"));
        button->setCaption(QStringLiteral("Stale &Zed"));
        button->setCaption(caption); // gives up the old key
        button->setSound(true);
        button->setSoundClick(Ravlen::Sound_4);
        if (rightClickFirst)
            QTest::mouseClick(button, Qt::RightButton, {}, QPoint(5, 5));
        other->setFocus();
        QSignalSpy spy(button, &Ravlen::Click);
        QSignalSpy otherSpy(other, &Ravlen::Click);

        QTest::keyClick(buttons.window.windowHandle(), key, Qt::AltModifier);
        QCOMPARE(spy.count(), clicks);
        QCOMPARE(m_sounds->played.count(), clicks + (rightClickFirst ? 1 : 0));
        // The old caption's key belongs to the other button alone now.
        QTest::keyClick(buttons.window.windowHandle(), Qt::Key_Z, Qt::AltModifier);
        QCOMPARE(otherSpy.count(), 1);
        QCOMPARE(spy.count(), clicks);
    }

private:
    // Built-in sounds are unpacked here rather than in the shared /tmp.
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<FakePointer> m_pointer;
    std::unique_ptr<RecordingSoundPlayer> m_sounds;
};

QTEST_MAIN(TestRavlenInput)
#include "tst_ravlen_input.moc"
