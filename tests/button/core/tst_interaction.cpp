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
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<bool>("arrow");

        // Split at 60 in every row.
        QTest::newRow("right: on the line") << 0 << QPointF(60, 5) << false;
        QTest::newRow("left: before the line") << 1 << QPointF(59.5, 5) << true;
        QTest::newRow("bottom: below, x does not count") << 2 << QPointF(5, 61) << true;
        QTest::newRow("middle never splits") << 4 << QPointF(99, 99) << false;
    }

    void arrowZone()
    {
        QFETCH(int, position);
        QFETCH(QPointF, at);
        QFETCH(bool, arrow);
        const InteractionSettings settings{.arrowShow = true, .arrowPosition = position, .splitCoordinate = 60};
        QCOMPARE(Interaction::inArrowZone(settings, float(at.x()), float(at.y())), arrow);
    }

    // A pointer seen over the button and gone on the second look is no entry.
    void flickerRaisesNothing()
    {
        const InteractionSettings settings{.sound = true};
        Interaction interaction;
        interaction.hoverTick(settings, [] { return false; });
        QList<bool> answers{true, false};
        QVERIFY(interaction.hoverTick(settings, [&answers] { return answers.takeFirst(); }).isEmpty());
    }

    // clang-format off
    void settingsFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index"); // -1: not a member of a control array
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("expected");

        QTest::newRow("access key and escape kept") << "b" << -1 << "&Go ~$00065" << "b-&Go ~$00065.rls";
        QTest::newRow("slashes, drive, reserved") << "a/b" << 0 << "C:\\x*?\"<>|\t" << "a_b(0)-C__x_______.rls";
        // A file name holds at most 255 bytes; the caption gives way, never by
        // half a character.
        const QString face = QStringLiteral("\U0001F600"); // four bytes, two UTF-16 units
        QTest::newRow("four-byte letters") << "b" << -1 << "x" + face.repeated(100) << "b-x" + face.repeated(62) + ".rls";
    }
    // clang-format on

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
