#include "interaction_fakes.h"
#include "ravlen.h"
#include "ravlen_p.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Ravlen driven through real Qt events: the events it raises (in order),
// what it draws, the hover poll ticked by hand with a pretend pointer.
class TestRavlenInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void pressZones_data();
    void pressZones();
    void rightClickDoesNotDrawPressed();
    void doubleClick_data();
    void doubleClick();
    void releaseOutsideThenNormalOnNextTick_data();
    void releaseOutsideThenNormalOnNextTick();
    void hoverPollStopsWhenIdle();
    void animateOffDrawsNothingButRaisesEverything_data();
    void animateOffDrawsNothingButRaisesEverything();
    void handlerMayDeleteButton_data();
    void handlerMayDeleteButton();
    void shiftDragMovesFocusedControl_data();
    void shiftDragMovesFocusedControl();
    void ctrlAltRightClickSavesHere_data();
    void ctrlAltRightClickSavesHere();
    void disabledButtonTakesNoInput();
    void keysReachTheFocusedButton_data();
    void keysReachTheFocusedButton();
    void accessKeyClicks_data();
    void accessKeyClicks();

private:
    // Built-in sounds are unpacked here rather than in the shared /tmp.
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<FakePointer> m_pointer;
    std::unique_ptr<RecordingSoundPlayer> m_sounds;
};

namespace {

// Every event a button raises, in order, with the mouse events' arguments.
class EventLog
{
public:
    explicit EventLog(Ravlen *button)
    {
        const auto plain = [this, button](void (Ravlen::*signal)(), const char *name) {
            QObject::connect(button, signal, button, [this, name] { events.append(QLatin1String(name)); });
        };
        plain(&Ravlen::Click, "Click");
        plain(&Ravlen::DblClick, "DblClick");
        plain(&Ravlen::MouseIn, "MouseIn");
        plain(&Ravlen::MouseOut, "MouseOut");
        plain(&Ravlen::ArrowMouseDown, "ArrowMouseDown");
        plain(&Ravlen::RightClick, "RightClick");
        plain(&Ravlen::RightDblClick, "RightDblClick");
        const auto mouse = [this, button](void (Ravlen::*signal)(int &, int &, float &, float &), const char *name) {
            QObject::connect(button, signal, button, [this, name](int &b, int &s, float &x, float &y) {
                events.append(QStringLiteral("%1 %2 %3 %4 %5").arg(QLatin1String(name)).arg(b).arg(s).arg(x).arg(y));
            });
        };
        mouse(&Ravlen::MouseDown, "MouseDown");
        mouse(&Ravlen::MouseUp, "MouseUp");
        mouse(&Ravlen::MouseMove, "MouseMove");
    }

    QStringList events;
};

QTimer *overTimer(Ravlen &button)
{
    return button.findChild<QTimer *>(QStringLiteral("OverTimer"));
}

int drawCalls(const Ravlen &button)
{
    return RavlenPrivate::get(&button)->drawCalls;
}

int drawnState(const Ravlen &button)
{
    return RavlenPrivate::get(&button)->currentState;
}

// A move with no button held, as the pointer glides over the button.
void hover(QWidget *widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

void TestRavlenInput::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    qputenv("TMP", QFile::encodeName(m_temp->path()));
    m_pointer = std::make_unique<FakePointer>();
    m_sounds = std::make_unique<RecordingSoundPlayer>();
}

void TestRavlenInput::cleanup()
{
    m_sounds.reset();
    m_pointer.reset();
    qunsetenv("TMP");
    m_temp.reset();
}

void TestRavlenInput::pressZones_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QPoint>("offset"); // from the split coordinate, along its axis
    QTest::addColumn<QStringList>("expected");

    const QStringList arrow{"ArrowMouseDown", "MouseUp"};
    const QStringList main{"MouseDown", "MouseUp", "Click"};
    QTest::newRow("right: in the arrow") << 0 << QPoint(3, 0) << arrow;
    QTest::newRow("right: beside it") << 0 << QPoint(-3, 0) << main;
    QTest::newRow("left: in the arrow") << 1 << QPoint(-3, 0) << arrow;
    QTest::newRow("bottom: in the arrow") << 2 << QPoint(0, 3) << arrow;
    QTest::newRow("top: beside it") << 3 << QPoint(0, 3) << main;
    QTest::newRow("middle never splits") << 4 << QPoint(3, 3) << main;
}

void TestRavlenInput::pressZones()
{
    QFETCH(int, position);
    QFETCH(QPoint, offset);
    QFETCH(QStringList, expected);
    Ravlen button;
    button.resize(200, 80);
    button.setArrowShow(true);
    button.setArrowPosition(Ravlen::ArrowPositionRL(position));
    // The arrow layer places the split line when it draws; go by where it
    // put it, or by a line of our own when it leaves none.
    RavlenPrivate *d = RavlenPrivate::get(&button);
    d->splitCoordinate = position == 2 || position == 3 ? 40 : 100;
    button.DrawIt(0);
    const int s = qRound(d->splitCoordinate);
    const bool vertical = position == 2 || position == 3;
    const QPoint at = (vertical ? QPoint(100, s) : QPoint(s, 40)) + offset;
    EventLog log(&button);

    QTest::mouseClick(&button, Qt::LeftButton, {}, at);

    QStringList names;
    for (const QString &event : log.events)
        names.append(event.section(u' ', 0, 0));
    QCOMPARE(names, expected);
}

void TestRavlenInput::rightClickDoesNotDrawPressed()
{
    Ravlen button;
    EventLog log(&button);
    const int before = drawCalls(button);

    QTest::mousePress(&button, Qt::RightButton, {}, QPoint(40, 16));
    QCOMPARE(drawCalls(button), before);
    QTest::mouseRelease(&button, Qt::RightButton, {}, QPoint(40, 16));

    QCOMPARE(log.events, QStringList({"MouseDown 2 0 40 16", "MouseUp 2 0 40 16", "RightClick"}));
    QCOMPARE(drawCalls(button), before + 1);
    QCOMPARE(drawnState(button), 1);
}

void TestRavlenInput::doubleClick_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("clicks");

    QTest::newRow("left, counted as clicks") << Qt::LeftButton << false << QStringList{"Click", "Click"};
    QTest::newRow("left, double click on") << Qt::LeftButton << true << QStringList{"Click", "DblClick"};
    QTest::newRow("right, counted as clicks") << Qt::RightButton << false << QStringList{"RightClick", "RightClick"};
    QTest::newRow("right, double click on") << Qt::RightButton << true << QStringList{"RightClick", "RightDblClick"};
}

void TestRavlenInput::doubleClick()
{
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(bool, enabled);
    QFETCH(QStringList, clicks);
    Ravlen button;
    button.setDoubleClickEnable(enabled);
    button.setSound(true);
    button.setSoundClick(Ravlen::Sound_3);
    EventLog log(&button);

    // As Qt delivers a double click: press, release, press, double click,
    // release.
    const QPoint at(20, 10);
    QTest::mousePress(&button, mouseButton, {}, at);
    QTest::mouseRelease(&button, mouseButton, {}, at);
    QTest::mousePress(&button, mouseButton, {}, at);
    QTest::mouseDClick(&button, mouseButton, {}, at);
    QCOMPARE(drawnState(button), 2);
    QTest::mouseRelease(&button, mouseButton, {}, at);

    QStringList raised;
    for (const QString &event : log.events) {
        if (!event.startsWith(u"Mouse"))
            raised.append(event);
    }
    QCOMPARE(raised, clicks);
    QCOMPARE(m_sounds->played.count(), 2); // the click and the double click
}

void TestRavlenInput::releaseOutsideThenNormalOnNextTick_data()
{
    QTest::addColumn<bool>("exitSeenWhileHeld");
    QTest::newRow("released as the pointer leaves") << false;
    QTest::newRow("exit seen while the button was held") << true;
}

void TestRavlenInput::releaseOutsideThenNormalOnNextTick()
{
    QFETCH(bool, exitSeenWhileHeld);
    Ravlen button;
    EventLog log(&button);
    QVERIFY(tick(overTimer(button))); // the pointer starts elsewhere
    m_pointer->over = &button;
    hover(&button, QPoint(10, 10));
    QVERIFY(tick(overTimer(button)));
    QCOMPARE(drawnState(button), 1);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(drawnState(button), 2);

    m_pointer->over = nullptr;
    if (exitSeenWhileHeld) {
        QTest::mouseMove(&button, QPoint(300, 10)); // captured: the button still hears it
        QVERIFY(tick(overTimer(button)));
    }
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(300, 10));
    QCOMPARE(drawnState(button), 1);
    QVERIFY(tick(overTimer(button)));

    QCOMPARE(drawnState(button), 0);
    QCOMPARE(log.events.filter(QStringLiteral("MouseOut")).count(), 2); // the first tick's and this exit's
    QCOMPARE(log.events.filter(QStringLiteral("Click")).count(), 0);
    QVERIFY(!overTimer(button)->isActive());
}

void TestRavlenInput::hoverPollStopsWhenIdle()
{
    Ravlen button;
    button.setSound(true);
    button.setSoundOut(Ravlen::Sound_1);
    QSignalSpy out(&button, &Ravlen::MouseOut);
    QSignalSpy in(&button, &Ravlen::MouseIn);
    QTimer *timer = overTimer(button);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1);

    const int before = drawCalls(button);
    QVERIFY(tick(timer));
    QCOMPARE(out.count(), 1);
    QCOMPARE(drawCalls(button), before + 1);
    QCOMPARE(drawnState(button), 0);
    QCOMPARE(m_sounds->played.count(), 1);
    QVERIFY(!timer->isActive()); // an idle window costs nothing

    // A move over the button wakes the poll; the pointer inside is an entry.
    m_pointer->over = &button;
    hover(&button, QPoint(5, 5));
    QVERIFY(tick(timer));
    QCOMPARE(in.count(), 1);
    QVERIFY(timer->isActive());
    QVERIFY(tick(timer));
    QCOMPARE(in.count(), 1);
    QCOMPARE(out.count(), 1);
}

void TestRavlenInput::animateOffDrawsNothingButRaisesEverything_data()
{
    QTest::addColumn<bool>("animate");
    QTest::addColumn<int>("draws");
    QTest::newRow("animated") << true << 5;
    QTest::newRow("not animated") << false << 0;
}

void TestRavlenInput::animateOffDrawsNothingButRaisesEverything()
{
    QFETCH(bool, animate);
    QFETCH(int, draws);
    Ravlen button;
    button.setAnimate(animate);
    button.setSound(true);
    button.setSoundClick(Ravlen::Sound_1);
    button.setSoundIn(Ravlen::Sound_2);
    button.setSoundOut(Ravlen::Sound_3);
    button.setSoundDown(Ravlen::Sound_4);
    button.setSoundUp(Ravlen::Sound_5);
    EventLog log(&button);
    const int before = drawCalls(button);

    QVERIFY(tick(overTimer(button)));
    m_pointer->over = &button;
    hover(&button, QPoint(10, 10));
    QVERIFY(tick(overTimer(button)));
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    m_pointer->over = nullptr;
    QVERIFY(tick(overTimer(button)));

    QCOMPARE(log.events, QStringList({"MouseOut", "MouseMove 0 0 10 10", "MouseIn", "MouseDown 1 0 10 10",
                                      "MouseUp 1 0 10 10", "Click", "MouseOut"}));
    QStringList files;
    for (const QString &path : m_sounds->played)
        files.append(QFileInfo(path).fileName());
    QCOMPARE(files, QStringList({"soundOut.wav", "soundIn.wav", "soundDown.wav", "soundUp.wav", "soundClick.wav",
                                 "soundOut.wav"}));
    QCOMPARE(drawCalls(button) - before, draws);
}

void TestRavlenInput::handlerMayDeleteButton_data()
{
    QTest::addColumn<QString>("deleteIn");
    QTest::addColumn<QStringList>("raised");
    QTest::addColumn<int>("sounds");

    // The scenario: first tick, entry, left click, exit. Sounds are on for
    // every moment; those after the deleting event never play.
    QTest::newRow("first MouseOut") << "MouseOut" << QStringList{"MouseOut"} << 0;
    QTest::newRow("MouseIn") << "MouseIn" << QStringList{"MouseOut", "MouseIn"} << 1;
    QTest::newRow("MouseDown") << "MouseDown" << QStringList{"MouseOut", "MouseIn", "MouseDown"} << 2;
    QTest::newRow("MouseUp") << "MouseUp" << QStringList{"MouseOut", "MouseIn", "MouseDown", "MouseUp"} << 3;
    QTest::newRow("Click") << "Click" << QStringList{"MouseOut", "MouseIn", "MouseDown", "MouseUp", "Click"} << 5;
}

void TestRavlenInput::handlerMayDeleteButton()
{
    QFETCH(QString, deleteIn);
    QFETCH(QStringList, raised);
    QFETCH(int, sounds);
    QWidget window;
    QPointer<Ravlen> button = new Ravlen(&window);
    button->setSound(true);
    for (const char *moment : {"SoundClick", "SoundIn", "SoundOut", "SoundDown", "SoundUp"})
        button->setProperty(moment, 2);
    QStringList seen;
    const auto watch = [&](const QString &name) {
        seen.append(name);
        if (name == deleteIn)
            delete button.data();
    };
    connect(button, &Ravlen::MouseOut, this, [&] { watch(QStringLiteral("MouseOut")); });
    connect(button, &Ravlen::MouseIn, this, [&] { watch(QStringLiteral("MouseIn")); });
    connect(button, &Ravlen::MouseDown, this, [&](int &, int &, float &, float &) { watch(QStringLiteral("MouseDown")); });
    connect(button, &Ravlen::MouseUp, this, [&](int &, int &, float &, float &) { watch(QStringLiteral("MouseUp")); });
    connect(button, &Ravlen::Click, this, [&] { watch(QStringLiteral("Click")); });

    const QList<std::function<void()>> scenario = {
        [&] { tick(overTimer(*button)); },
        [&] {
            m_pointer->over = button;
            hover(button, QPoint(10, 10));
            tick(overTimer(*button));
        },
        [&] { QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10)); },
        [&] { QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10)); },
        [&] {
            m_pointer->over = nullptr;
            tick(overTimer(*button));
        },
    };
    for (const auto &step : scenario) {
        if (!button)
            break;
        step();
    }

    QVERIFY(button.isNull());
    QCOMPARE(seen, raised);
    QCOMPARE(m_sounds->played.count(), sounds);
}

void TestRavlenInput::shiftDragMovesFocusedControl_data()
{
    QTest::addColumn<bool>("userDrag");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPoint>("moved");

    QTest::newRow("Shift drag") << true << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(10, 0);
    QTest::newRow("without Shift") << true << Qt::KeyboardModifiers() << QPoint(0, 0);
    QTest::newRow("Shift and Ctrl") << true << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier)
                                    << QPoint(0, 0);
    QTest::newRow("UserDrag off") << false << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(0, 0);
}

void TestRavlenInput::shiftDragMovesFocusedControl()
{
    QFETCH(bool, userDrag);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPoint, moved);
    QWidget window;
    window.resize(400, 300);
    auto *button = new Ravlen(&window);
    button->move(30, 40);
    button->setUserDrag(userDrag);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::mousePress(button, Qt::LeftButton, modifiers, QPoint(10, 10));
    QCOMPARE(window.focusWidget(), button); // a press takes the focus
    QTest::mouseMove(button, QPoint(20, 10));
    QCOMPARE(button->pos(), QPoint(30, 40) + moved);
    // Measured from the press point each time: the button follows the pointer.
    QTest::mouseMove(button, QPoint(10, 10));
    QCOMPARE(button->pos(), QPoint(30, 40) + moved);
    QTest::mouseRelease(button, Qt::LeftButton, modifiers, QPoint(10, 10));
    QTest::mouseMove(button, QPoint(30, 10));
    QCOMPARE(button->pos(), QPoint(30, 40) + moved);
}

void TestRavlenInput::ctrlAltRightClickSavesHere_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QVariant>("index");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("expected"); // empty: no file at all

    const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
    QTest::newRow("plain") << "Go" << QVariant() << ctrlAlt << "cmdGo-Go.rls";
    QTest::newRow("control array member") << "Go" << QVariant(2) << ctrlAlt << "cmdGo(2)-Go.rls";
    QTest::newRow("caption climbing out") << "../../x" << QVariant() << ctrlAlt << "cmdGo-______x.rls";
    QTest::newRow("caption from the root") << "/tmp/x" << QVariant() << ctrlAlt << "cmdGo-_tmp_x.rls";
    QTest::newRow("Ctrl only") << "Go" << QVariant() << Qt::KeyboardModifiers(Qt::ControlModifier) << "";
    QTest::newRow("with Shift as well") << "Go" << QVariant() << (ctrlAlt | Qt::ShiftModifier) << "";
}

void TestRavlenInput::ctrlAltRightClickSavesHere()
{
    QFETCH(QString, caption);
    QFETCH(QVariant, index);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, expected);
    QTemporaryDir root;
    const QString here = root.filePath(QStringLiteral("one/two"));
    QVERIFY(QDir().mkpath(here));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(here));
    Ravlen button;
    button.setObjectName(QStringLiteral("cmdGo"));
    button.setCaption(caption);
    if (index.isValid())
        button.setProperty("controlIndex", index);
    QSignalSpy rightClicks(&button, &Ravlen::RightClick);

    QTest::mouseClick(&button, Qt::RightButton, modifiers, QPoint(5, 5));
    QDir::setCurrent(previous);

    QStringList written;
    QDirIterator files(root.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (files.hasNext())
        written.append(QDir(root.path()).relativeFilePath(files.next()));
    QCOMPARE(written, expected.isEmpty() ? QStringList() : QStringList{"one/two/" + expected});
    QCOMPARE(rightClicks.count(), 1); // saving is on top of the usual events
}

void TestRavlenInput::disabledButtonTakesNoInput()
{
    Ravlen button;
    EventLog log(&button);
    button.setEnabled(false);
    const int before = drawCalls(button);

    for (const char *refused : {"MousePress", "MouseRelease"})
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Mouse event \"%1\" not accepted by receiving widget").arg(QLatin1String(refused))));
    QTest::ignoreMessage(QtWarningMsg, "Keyboard event not accepted by receiving widget");
    QTest::ignoreMessage(QtWarningMsg, "Keyboard event not accepted by receiving widget");
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(&button, Qt::Key_PageDown);
    tick(overTimer(button));

    QVERIFY(log.events.isEmpty());
    QCOMPARE(drawCalls(button), before);
    QVERIFY(!overTimer(button)->isActive());

    button.setEnabled(true);
    QVERIFY(overTimer(button)->isActive());
    QVERIFY(tick(overTimer(button)));
    QCOMPARE(log.events, QStringList{"MouseOut"});
}

void TestRavlenInput::keysReachTheFocusedButton_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QStringList>("first"); // what the focused button raises
    QTest::addColumn<bool>("focusMoves");

    QTest::newRow("PageDown") << Qt::Key_PageDown << QStringList{"KeyDown 34", "KeyUp 34"} << false;
    QTest::newRow("PageUp") << Qt::Key_PageUp << QStringList{"KeyDown 33", "KeyUp 33"} << false;
    QTest::newRow("Left") << Qt::Key_Left << QStringList{"KeyDown 37", "KeyUp 37"} << false;
    QTest::newRow("Down") << Qt::Key_Down << QStringList{"KeyDown 40", "KeyUp 40"} << false;
    QTest::newRow("Space does not click") << Qt::Key_Space << QStringList{"KeyDown 32", "KeyPress 32", "KeyUp 32"}
                                          << false;
    QTest::newRow("Enter does not click") << Qt::Key_Return << QStringList{"KeyDown 13", "KeyPress 13", "KeyUp 13"}
                                          << false;
    QTest::newRow("Tab moves on") << Qt::Key_Tab << QStringList{} << true;
}

void TestRavlenInput::keysReachTheFocusedButton()
{
    QFETCH(Qt::Key, key);
    QFETCH(QStringList, first);
    QFETCH(bool, focusMoves);
    TwoButtons buttons;
    QVERIFY(buttons.show());
    Ravlen *one = buttons.first;
    Ravlen *two = buttons.second;
    QWidget &window = buttons.window;
    one->setFocus();
    QStringList keys;
    connect(one, &Ravlen::KeyDown, this, [&](int &code, int &) { keys.append(QStringLiteral("KeyDown %1").arg(code)); });
    connect(one, &Ravlen::KeyPress, this, [&](int &ascii) { keys.append(QStringLiteral("KeyPress %1").arg(ascii)); });
    connect(one, &Ravlen::KeyUp, this, [&](int &code, int &) { keys.append(QStringLiteral("KeyUp %1").arg(code)); });
    QSignalSpy clicks(one, &Ravlen::Click);

    // Through the window, as the keyboard delivers it.
    QTest::keyClick(window.windowHandle(), key);

    QCOMPARE(keys, first);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(window.focusWidget(), focusMoves ? two : one);
}

void TestRavlenInput::accessKeyClicks_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("rightClickFirst");
    QTest::addColumn<int>("clicks");

    QTest::newRow("Alt+S") << "&Start" << Qt::Key_S << false << 1;
    QTest::newRow("after a right click still a Click") << "&Start" << Qt::Key_S << true << 1;
    QTest::newRow("escaped caption") << "~$00083tart &Now" << Qt::Key_N << false << 1;
    QTest::newRow("another letter") << "&Start" << Qt::Key_T << false << 0;
    QTest::newRow("doubled ampersand is no key") << "Q&&A" << Qt::Key_A << false << 0;
}

void TestRavlenInput::accessKeyClicks()
{
    QFETCH(QString, caption);
    QFETCH(Qt::Key, key);
    QFETCH(bool, rightClickFirst);
    QFETCH(int, clicks);
    TwoButtons buttons;
    Ravlen *button = buttons.first;
    Ravlen *other = buttons.second; // holds the focus
    QWidget &window = buttons.window;
    other->setCaption(QStringLiteral("&Zoom"));
    button->setCaption(QStringLiteral("Stale &Zed"));
    button->setCaption(caption); // the old key is given up
    button->setSound(true);
    button->setSoundClick(Ravlen::Sound_4);
    QVERIFY(buttons.show());
    other->setFocus();
    if (rightClickFirst)
        QTest::mouseClick(button, Qt::RightButton, {}, QPoint(5, 5));
    QSignalSpy spy(button, &Ravlen::Click);
    QSignalSpy rightSpy(button, &Ravlen::RightClick);
    const int soundsBefore = int(m_sounds->played.count());

    QTest::keyClick(window.windowHandle(), key, Qt::AltModifier);

    QCOMPARE(spy.count(), clicks);
    QCOMPARE(rightSpy.count(), 0);
    QCOMPARE(int(m_sounds->played.count()) - soundsBefore, clicks);

    // The key of the old caption is free again: it belongs to the other
    // button alone, which it clicks rather than sharing it.
    QSignalSpy otherClicks(other, &Ravlen::Click);
    QTest::keyClick(window.windowHandle(), Qt::Key_Z, Qt::AltModifier);
    QCOMPARE(otherClicks.count(), 1);
    QCOMPARE(spy.count(), clicks);
}

QTEST_MAIN(TestRavlenInput)
#include "tst_ravlen_input.moc"
