#include "core/interaction.h"
#include "core/settings_file_name.h"

#include <QTest>

// The decisions behind the button's mouse and hover handling, without a
// widget: each row plays a short script of inputs and checks the steps the
// last input asks for, in their order.
class TestInteraction : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void arrowZone_data();
    void arrowZone();
    void steps_data();
    void steps();
    void dragMeasuresFromPressPoint();
    void settingsFileName_data();
    void settingsFileName();
};

void TestInteraction::arrowZone_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("show");
    QTest::addColumn<bool>("split");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<bool>("arrow");

    // The split coordinate is 60 in every row.
    QTest::newRow("right: beyond the line") << 0 << true << true << QPointF(60.5, 5) << true;
    QTest::newRow("right: on the line") << 0 << true << true << QPointF(60, 5) << false;
    QTest::newRow("right: before the line") << 0 << true << true << QPointF(59.5, 90) << false;
    QTest::newRow("left: before the line") << 1 << true << true << QPointF(59.5, 5) << true;
    QTest::newRow("left: on the line") << 1 << true << true << QPointF(60, 5) << false;
    QTest::newRow("bottom: below the line") << 2 << true << true << QPointF(5, 61) << true;
    QTest::newRow("bottom: x beyond does not count") << 2 << true << true << QPointF(99, 59) << false;
    QTest::newRow("top: above the line") << 3 << true << true << QPointF(99, 59) << true;
    QTest::newRow("top: on the line") << 3 << true << true << QPointF(5, 60) << false;
    QTest::newRow("middle never splits") << 4 << true << true << QPointF(99, 99) << false;
    QTest::newRow("middle never splits, low") << 4 << true << true << QPointF(0, 0) << false;
    QTest::newRow("unnamed position") << 9 << true << true << QPointF(99, 99) << false;
    QTest::newRow("arrow hidden") << 0 << false << true << QPointF(99, 5) << false;
    QTest::newRow("not split") << 0 << true << false << QPointF(99, 5) << false;
}

void TestInteraction::arrowZone()
{
    QFETCH(int, position);
    QFETCH(bool, show);
    QFETCH(bool, split);
    QFETCH(QPointF, at);
    QFETCH(bool, arrow);
    InteractionSettings settings;
    settings.arrowPosition = position;
    settings.arrowShow = show;
    settings.arrowSplit = split;
    settings.splitCoordinate = 60;
    QCOMPARE(Interaction::inArrowZone(settings, float(at.x()), float(at.y())), arrow);
}

namespace {

// One input of a script: "out" and "in" are hover ticks with the pointer
// outside or inside, "flicker" a tick whose second look finds it gone;
// "press B S X Y", "move B S X Y", "release B S X Y" (over the button) or
// "releaseOutside B S X Y", "double B" and "key" (the access key).
InteractionSteps feed(Interaction &interaction, const InteractionSettings &settings, const QString &command)
{
    const QStringList words = command.split(u' ');
    const auto number = [&](int i) { return i < words.size() ? words.at(i).toFloat() : 0.0f; };
    const MouseInput input{int(number(1)), int(number(2)), number(3), number(4)};
    const QString &verb = words.first();
    if (verb == u"out" || verb == u"in" || verb == u"flicker") {
        QList<bool> answers = verb == u"out" ? QList{false} : verb == u"in" ? QList{true, true} : QList{true, false};
        return interaction.hoverTick(settings, [&answers] { return answers.takeFirst(); });
    }
    if (verb == u"press")
        return interaction.press(settings, input);
    if (verb == u"move")
        return interaction.move(settings, input);
    if (verb == u"release" || verb == u"releaseOutside")
        return interaction.release(settings, input, verb == u"release");
    if (verb == u"double")
        return interaction.doubleClick(settings, input);
    if (verb == u"key")
        return interaction.accessKey(settings);
    qFatal("unknown script command %s", qPrintable(command));
}

} // namespace

void TestInteraction::steps_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<bool>("animate");
    QTest::addColumn<bool>("doubleClickEnable");
    QTest::addColumn<QString>("expected");

    // Sound is on, UserDrag is on and a split arrow lies right of x = 60.
    const auto row = [](const char *tag, const QStringList &script, const char *expected, bool animate = true,
                        bool doubleClickEnable = false) {
        QTest::newRow(tag) << script << animate << doubleClickEnable << QString::fromLatin1(expected);
    };
    row("first tick finds the pointer elsewhere", {"out"}, "raise MouseOut, stop poll, sound Out, draw 0");
    row("no second MouseOut for one exit", {"out", "out"}, "stop poll");
    row("release outside after the exit was seen", {"out", "press 1 0 5 5", "releaseOutside 1 0 99 5", "out"},
        "stop poll, draw 0");
    row("entry after an exit", {"out", "in"}, "raise MouseIn, start poll, sound In, draw 1");
    row("inside twice is one entry", {"out", "in", "in"}, "");
    row("no entry before any exit", {"in"}, "");
    row("pointer gone on the second look", {"out", "flicker"}, "");
    row("left press", {"press 1 0 10 10"}, "draw 2, raise MouseDown, sound Down");
    row("left press without animation", {"press 1 0 10 10"}, "raise MouseDown, sound Down", false);
    row("right press never draws", {"press 2 0 10 10"}, "raise MouseDown, sound Down");
    row("Ctrl+Alt right press saves", {"press 2 6 10 10"}, "save settings, raise MouseDown, sound Down");
    row("Ctrl+Alt+Shift right press does not", {"press 2 7 10 10"}, "raise MouseDown, sound Down");
    row("Ctrl+Alt left press does not", {"press 1 6 10 10"}, "draw 2, raise MouseDown, sound Down");
    row("arrow press", {"press 1 0 70 10"}, "draw 2, raise ArrowMouseDown, sound Down");
    row("left click", {"press 1 0 10 10", "release 1 0 10 10"},
        "draw 1, raise MouseUp, sound Up, start poll, sound Click, raise Click");
    row("right click", {"press 2 0 10 10", "release 2 0 10 10"},
        "draw 1, raise MouseUp, sound Up, start poll, sound Click, raise RightClick");
    row("middle click after a right click", {"press 2 0 10 10", "release 2 0 10 10", "press 4 0 10 10",
                                             "release 4 0 10 10"},
        "draw 1, raise MouseUp, sound Up, start poll, sound Click, raise Click");
    row("arrow click raises no click", {"press 1 0 70 10", "release 1 0 70 10"},
        "draw 1, raise MouseUp, sound Up, start poll, sound Click");
    row("release outside is no click", {"press 1 0 10 10", "releaseOutside 1 0 99 10"},
        "draw 1, raise MouseUp, sound Up, start poll");
    row("release of another button is no click", {"press 1 0 10 10", "release 2 0 10 10"},
        "draw 1, raise MouseUp, sound Up, start poll");
    row("release without animation", {"press 1 0 10 10", "release 1 0 10 10"},
        "raise MouseUp, sound Up, start poll, sound Click, raise Click", false);
    row("double click counts as a click",
        {"press 1 0 10 10", "release 1 0 10 10", "press 1 0 10 10", "double 1"},
        "sound Click, draw 2, raise Click");
    row("double click enabled", {"press 1 0 10 10", "release 1 0 10 10", "press 1 0 10 10", "double 1"},
        "sound Click, draw 2, raise DblClick", true, true);
    row("right double click enabled", {"press 2 0 10 10", "release 2 0 10 10", "press 2 0 10 10", "double 2"},
        "sound Click, draw 2, raise RightDblClick", true, true);
    row("right double click as clicks", {"press 2 0 10 10", "release 2 0 10 10", "press 2 0 10 10", "double 2"},
        "sound Click, draw 2, raise RightClick");
    row("arrow double click", {"press 1 0 70 10", "release 1 0 70 10", "press 1 0 70 10", "double 1"},
        "sound Click, draw 2", true, true);
    row("release after a double click is no click",
        {"press 1 0 10 10", "release 1 0 10 10", "press 1 0 10 10", "double 1", "release 1 0 10 10"},
        "draw 1, raise MouseUp, sound Up, start poll");
    row("access key after a right click", {"press 2 0 10 10", "release 2 0 10 10", "key"},
        "sound Click, raise Click");
    row("access key after an arrow press", {"press 1 0 70 10", "release 1 0 70 10", "key"},
        "sound Click, raise Click");
    row("move without a drag", {"move 0 0 10 10"}, "start poll, raise MouseMove");
    row("Shift press drags", {"press 1 1 10 10", "move 1 1 20 13"},
        "start poll, move 10,3, raise MouseMove");
    row("Ctrl+Shift press does not drag", {"press 1 3 10 10", "move 1 3 20 13"}, "start poll, raise MouseMove");
    row("drag ends with the release", {"press 1 1 10 10", "release 1 1 10 10", "move 0 0 20 13"},
        "start poll, raise MouseMove");
}

void TestInteraction::steps()
{
    QFETCH(QStringList, script);
    QFETCH(bool, animate);
    QFETCH(bool, doubleClickEnable);
    QFETCH(QString, expected);
    InteractionSettings settings;
    settings.animate = animate;
    settings.doubleClickEnable = doubleClickEnable;
    settings.sound = true;
    settings.userDrag = true;
    settings.arrowShow = true;
    settings.splitCoordinate = 60;
    Interaction interaction;

    InteractionSteps last;
    for (const QString &command : script)
        last = feed(interaction, settings, command);

    QCOMPARE(describe(last), expected);
}

void TestInteraction::dragMeasuresFromPressPoint()
{
    // The control follows the pointer, so every move reports the pointer's
    // distance from the press point within the control, not from the last
    // move.
    InteractionSettings settings;
    settings.userDrag = true;
    Interaction interaction;
    interaction.press(settings, {1, 1, 10, 10});
    QCOMPARE(describe(interaction.move(settings, {1, 1, 14, 10})), QStringLiteral("start poll, move 4,0, raise MouseMove"));
    QCOMPARE(describe(interaction.move(settings, {1, 1, 10, 16})), QStringLiteral("start poll, move 0,6, raise MouseMove"));

    interaction.cancelPress();
    QCOMPARE(describe(interaction.move(settings, {0, 0, 30, 30})), QStringLiteral("start poll, raise MouseMove"));
}

void TestInteraction::settingsFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index"); // -1: not a member of a control array
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << "cmdGo" << -1 << "Go" << "cmdGo-Go.rls";
    QTest::newRow("array member") << "cmdGo" << 2 << "Go" << "cmdGo(2)-Go.rls";
    QTest::newRow("access key and escape kept") << "clkStart" << -1 << "&Start ~$00065" << "clkStart-&Start ~$00065.rls";
    QTest::newRow("parent folders") << "cmdGo" << -1 << "../../x" << "cmdGo-______x.rls";
    QTest::newRow("absolute path") << "cmdGo" << -1 << "/etc/passwd" << "cmdGo-_etc_passwd.rls";
    QTest::newRow("back slashes and a drive") << "cmdGo" << 0 << "C:\\x" << "cmdGo(0)-C__x.rls";
    QTest::newRow("reserved characters") << "b" << -1 << "a*b?c\"d<e>f|g" << "b-a_b_c_d_e_f_g.rls";
    QTest::newRow("control characters") << "b" << -1 << "a\tb\nc" << "b-a_b_c.rls";
    QTest::newRow("one dot stays") << "b" << -1 << "v1.5" << "b-v1.5.rls";
    QTest::newRow("ellipsis") << "b" << -1 << "Wait..." << "b-Wait___.rls";
    QTest::newRow("separator in the name") << "a/b" << -1 << "c" << "a_b-c.rls";
    QTest::newRow("no name, no caption") << "" << -1 << "" << "-.rls";
    // A file name holds at most 255 bytes; the caption gives way, never by
    // half a character.
    const QString e = QStringLiteral("\u00E9"); // two bytes in UTF-8
    const QString face = QStringLiteral("\U0001F600"); // four bytes, two UTF-16 units
    QTest::newRow("long caption") << "b" << -1 << QString(300, u'x') << "b-" + QString(249, u'x') + ".rls";
    QTest::newRow("long caption, two-byte letters") << "b" << -1 << e.repeated(200) << "b-" + e.repeated(124) + ".rls";
    QTest::newRow("long caption, four-byte letters")
        << "b" << -1 << "x" + face.repeated(100) << "b-x" + face.repeated(62) + ".rls";
}

void TestInteraction::settingsFileName()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QString, expected);
    const std::optional<int> arrayIndex = index < 0 ? std::nullopt : std::optional(index);
    QCOMPARE(::settingsFileName(name, arrayIndex, caption), expected);
}

QTEST_APPLESS_MAIN(TestInteraction)
#include "tst_interaction.moc"
