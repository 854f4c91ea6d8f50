#include "core/interaction.h"
#include "core/settings_file_name.h"

#include <QTest>

// The arrow zone and the name Ctrl+Alt+right click saves under, without a
// widget; the widget's own tests drive the common paths with real events.
class TestInteraction : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void arrowZone_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("split");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<bool>("arrow");

        // The split coordinate is 60 in every row.
        QTest::newRow("right: beyond the line") << 0 << true << QPointF(60.5, 5) << true;
        QTest::newRow("right: on the line") << 0 << true << QPointF(60, 5) << false;
        QTest::newRow("left: before the line") << 1 << true << QPointF(59.5, 5) << true;
        QTest::newRow("bottom: below, x does not count") << 2 << true << QPointF(5, 61) << true;
        QTest::newRow("middle never splits") << 4 << true << QPointF(99, 99) << false;
        QTest::newRow("not split") << 0 << false << QPointF(99, 5) << false;
    }

    void arrowZone()
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

    // A pointer seen over the button and gone on the second look is no entry.
    void flickerRaisesNothing()
    {
        InteractionSettings settings;
        settings.sound = true;
        Interaction interaction;
        interaction.hoverTick(settings, [] { return false; });
        QList<bool> answers{true, false};
        QCOMPARE(describe(interaction.hoverTick(settings, [&answers] { return answers.takeFirst(); })), QString());
    }

    void settingsFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index"); // -1: not a member of a control array
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("expected");

        QTest::newRow("plain") << "cmdGo" << -1 << "Go" << "cmdGo-Go.rls";
        QTest::newRow("array member") << "cmdGo" << 2 << "Go" << "cmdGo(2)-Go.rls";
        QTest::newRow("access key and escape kept") << "b" << -1 << "&Go ~$00065" << "b-&Go ~$00065.rls";
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

    void settingsFileName()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QString, expected);
        const std::optional<int> arrayIndex = index < 0 ? std::nullopt : std::optional(index);
        QCOMPARE(::settingsFileName(name, arrayIndex, caption), expected);
    }
};

QTEST_APPLESS_MAIN(TestInteraction)
#include "tst_interaction.moc"
