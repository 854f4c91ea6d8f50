#include "core/interaction.h"
#include "core/settings_file_name.h"

#include <QTest>

// The decisions behind the button's mouse and hover handling, without a
// widget; the widget's own tests drive the common paths with real events.
class TestInteraction : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void arrowZone_data();
    void arrowZone();
    void steps_data();
    void steps();
    void settingsFileName_data();
    void settingsFileName();
};

void TestInteraction::arrowZone_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("split");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<bool>("arrow");

    // The split coordinate is 60 in every row.
    QTest::newRow("right: beyond the line") << 0 << true << QPointF(60.5, 5) << true;
    QTest::newRow("right: on the line") << 0 << true << QPointF(60, 5) << false;
    QTest::newRow("left: before the line") << 1 << true << QPointF(59.5, 5) << true;
    QTest::newRow("left: on the line") << 1 << true << QPointF(60, 5) << false;
    QTest::newRow("bottom: below, x does not count") << 2 << true << QPointF(5, 61) << true;
    QTest::newRow("top: above") << 3 << true << QPointF(99, 59) << true;
    QTest::newRow("middle never splits") << 4 << true << QPointF(99, 99) << false;
    QTest::newRow("not split") << 0 << false << QPointF(99, 5) << false;
}

void TestInteraction::arrowZone()
{
    QFETCH(int, position);
    QFETCH(bool, split);
    QFETCH(QPointF, at);
    QFETCH(bool, arrow);
    InteractionSettings settings;
    settings.arrowShow = true;
    settings.arrowPosition = position;
    settings.arrowSplit = split;
    settings.splitCoordinate = 60;
    QCOMPARE(Interaction::inArrowZone(settings, float(at.x()), float(at.y())), arrow);
}

void TestInteraction::steps_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("expected");

    // A script's inputs: "out" a hover tick with the pointer outside,
    // "flicker" one whose second look finds it gone, "press B S X" a press.
    // Sound is on; the last input's steps are checked. The widget's tests
    // cover the rest with real events.
    const auto row = [](const char *tag, const QStringList &script, const char *expected) {
        QTest::newRow(tag) << script << QString::fromLatin1(expected);
    };
    row("pointer gone on the second look", {"out", "flicker"}, "");
    row("Ctrl+Alt right press saves first", {"press 2 6 5"}, "save settings, raise MouseDown, sound Down");
    row("Ctrl+Alt+Shift right press does not", {"press 2 7 5"}, "raise MouseDown, sound Down");
}

void TestInteraction::steps()
{
    QFETCH(QStringList, script);
    QFETCH(QString, expected);
    InteractionSettings settings;
    settings.sound = true;
    Interaction interaction;

    InteractionSteps last;
    for (const QString &command : script) {
        const QStringList words = command.split(u' ');
        const auto number = [&words](int i) { return i < words.size() ? words.at(i).toInt() : 0; };
        const MouseInput input{number(1), number(2), float(number(3)), 5};
        QList<bool> answers = words[0] == u"out" ? QList{false} : QList{true, false};
        if (words[0] == u"press")
            last = interaction.press(settings, input);
        else
            last = interaction.hoverTick(settings, [&answers] { return answers.takeFirst(); });
    }

    QCOMPARE(describe(last), expected);
}

void TestInteraction::settingsFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index"); // -1: not a member of a control array
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << "cmdGo" << -1 << "Go" << "cmdGo-Go.rls";
    QTest::newRow("array member") << "cmdGo" << 2 << "Go" << "cmdGo(2)-Go.rls";
    QTest::newRow("access key and escape kept") << "b" << -1 << "&Go ~$00065" << "b-&Go ~$00065.rls";
    QTest::newRow("parent folders") << "cmdGo" << -1 << "../../x" << "cmdGo-______x.rls";
    QTest::newRow("back slashes, drive, reserved") << "a/b" << 0 << "C:\\x*?\"<>|" << "a_b(0)-C__x______.rls";
    QTest::newRow("control characters") << "b" << -1 << "a\tb\nc" << "b-a_b_c.rls";
    QTest::newRow("one dot stays, runs do not") << "b" << -1 << "v1.5..." << "b-v1.5___.rls";
    // A file name holds at most 255 bytes; the caption gives way, never by
    // half a character.
    const QString e = QStringLiteral("\u00E9"); // two bytes in UTF-8
    const QString face = QStringLiteral("\U0001F600"); // four bytes, two UTF-16 units
    QTest::newRow("long caption") << "b" << -1 << QString(300, u'x') << "b-" + QString(249, u'x') + ".rls";
    QTest::newRow("two-byte letters") << "b" << -1 << e.repeated(200) << "b-" + e.repeated(124) + ".rls";
    QTest::newRow("four-byte letters") << "b" << -1 << "x" + face.repeated(100) << "b-x" + face.repeated(62) + ".rls";
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
