#include "play/countdown.h"
#include "play/scoreboard.h"
#include "services/error_codes.h"

#include <QTest>

using Scoreboard::Decision;
using Scoreboard::Row;

class TestScoreboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void advance_data();
    void advance();
    void decide_data();
    void decide();
    void namesWithSeparatorsStayWhole();
    void upAndDownStayInRange();
    void countdownTicks_data();
    void countdownTicks();
    void countdownRejectsNonNumbers();
};

void TestScoreboard::advance_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("players");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("next");
    QTest::addColumn<bool>("roundOver");
    QTest::newRow("next player") << 0 << 3 << true << 1 << false;
    QTest::newRow("last wraps, round ends") << 2 << 3 << true << 0 << true;
    QTest::newRow("back from first goes to last") << 0 << 3 << false << 2 << false;
    QTest::newRow("back one") << 2 << 3 << false << 1 << false;
    QTest::newRow("tie continuation from -1") << -1 << 3 << true << 0 << false;
    QTest::newRow("row beyond fewer players") << 4 << 3 << true << 5 << false;
}

void TestScoreboard::advance()
{
    QFETCH(int, current);
    QFETCH(int, players);
    QFETCH(bool, forward);
    QFETCH(int, next);
    QFETCH(bool, roundOver);
    const Scoreboard::Turn turn = Scoreboard::advance(current, players, forward);
    QCOMPARE(turn.player, next);
    QCOMPARE(turn.roundOver, roundOver);
}

void TestScoreboard::decide_data()
{
    QTest::addColumn<QList<Row>>("rows");
    QTest::addColumn<int>("toWin");
    QTest::addColumn<Decision::Kind>("kind");
    QTest::addColumn<QString>("message");

    QTest::newRow("nobody there yet") << QList<Row>{{"Ann", "9"}, {"Bob", "3"}} << 10 << Decision::Kind::None
                                      << QString();
    QTest::newRow("one winner")
        << QList<Row>{{"Ann", "9"}, {"Bob", "10"}, {"Cy", "4"}} << 10 << Decision::Kind::Winner
        << "Congratulations...\n\nBob has won the game with a score of 10\n\nNicely Done!";
    QTest::newRow("tie of two at 12")
        << QList<Row>{{"Ann", "12"}, {"Bob", "12"}, {"Cy", "9"}} << 10 << Decision::Kind::Tie
        << "Congratulations...\n\nPlayers:\n\nAnn  Bob\n\nHave tied with a score of 12\n\nPlay another round?";
    QTest::newRow("hidden rows never win")
        << QList<Row>{{"Ann", "3"}, {"Bob", "4"}, {"Ghost", "30", false}} << 10 << Decision::Kind::None << QString();
    QTest::newRow("winner above the score to win")
        << QList<Row>{{"Ann", "15"}, {"Bob", "12"}} << 10 << Decision::Kind::Winner
        << "Congratulations...\n\nAnn has won the game with a score of 15\n\nNicely Done!";
    QTest::newRow("score to win of 0 with all at 0")
        << QList<Row>{{"Ann", "0"}, {"Bob", "0"}} << 0 << Decision::Kind::Tie
        << "Congratulations...\n\nPlayers:\n\nAnn  Bob\n\nHave tied with a score of 0\n\nPlay another round?";
}

void TestScoreboard::decide()
{
    QFETCH(QList<Row>, rows);
    QFETCH(int, toWin);
    QFETCH(Decision::Kind, kind);
    QFETCH(QString, message);
    const Decision decision = Scoreboard::decide(rows, toWin);
    QCOMPARE(decision.kind, kind);
    QCOMPARE(decision.message, message);
}

void TestScoreboard::namesWithSeparatorsStayWhole()
{
    const Decision winner = Scoreboard::decide({{"Smith, Ann; Jr", "11"}, {"Bob", "2"}}, 10);
    QCOMPARE(winner.kind, Decision::Kind::Winner);
    QCOMPARE(winner.names, QStringList{"Smith, Ann; Jr"});
    QVERIFY(winner.message.contains(QLatin1String("Smith, Ann; Jr has won the game with a score of 11")));
}

void TestScoreboard::upAndDownStayInRange()
{
    QCOMPARE(Scoreboard::raised(4, 10), 5);
    QCOMPARE(Scoreboard::raised(10, 10), 10);
    QCOMPARE(Scoreboard::raised(0, 0), 0); // no questions loaded: no points to give
    QCOMPARE(Scoreboard::lowered(1), 0);
    QCOMPARE(Scoreboard::lowered(0), 0);
    QVERIFY_THROWS_EXCEPTION(ZorbelError, Scoreboard::scoreValue(QStringLiteral("ten")));
}

void TestScoreboard::countdownTicks_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("soundOff");
    QTest::addColumn<bool>("buzzer");
    QTest::addColumn<bool>("alwaysOn");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("playBuzzer");
    QTest::addColumn<bool>("stopMusic");
    QTest::addColumn<bool>("stopTimer");

    QTest::newRow("counts down") << "3" << false << true << false << "2" << false << false << false;
    QTest::newRow("shows 0 with buzzer, music stops") << "1" << false << true << false << "0" << true << true << false;
    QTest::newRow("finds 0 and stops") << "0" << false << true << false << "0" << false << false << true;
    QTest::newRow("sound off: silent") << "1" << true << true << false << "0" << false << false << false;
    QTest::newRow("music always on") << "1" << false << true << true << "0" << true << false << false;
    QTest::newRow("no buzzer, music stops") << "1" << false << false << false << "0" << false << true << false;
    QTest::newRow("a fraction counts as its whole second") << "40.4" << false << false << false << "39" << false
                                                           << false << false;
}

void TestScoreboard::countdownTicks()
{
    QFETCH(QString, shown);
    QFETCH(bool, soundOff);
    QFETCH(bool, buzzer);
    QFETCH(bool, alwaysOn);
    const Countdown::Tick tick = Countdown::tick(shown, {soundOff, buzzer, alwaysOn});
    QTEST(tick.display, "display");
    QTEST(tick.playBuzzer, "playBuzzer");
    QTEST(tick.stopMusic, "stopMusic");
    QTEST(tick.stopTimer, "stopTimer");
}

void TestScoreboard::countdownRejectsNonNumbers()
{
    QVERIFY_THROWS_EXCEPTION(ZorbelError, Countdown::secondsShown(QStringLiteral("soon")));
    QVERIFY_THROWS_EXCEPTION(ZorbelError, Countdown::secondsShown(QStringLiteral("40000")));
    QCOMPARE(Countdown::secondsShown(QStringLiteral("12.5")), 12);
    QCOMPARE(Countdown::secondsShown(QStringLiteral("13.5")), 14);
}

QTEST_GUILESS_MAIN(TestScoreboard)
#include "tst_scoreboard.moc"
