#include "play/countdown.h"
#include "play/scoreboard.h"

#include <QTest>

using Scoreboard::Decision;
using Scoreboard::Row;

class TestScoreboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Three players throughout.
    void advance()
    {
        const auto turn = [](int current, bool forward) {
            const Scoreboard::Turn next = Scoreboard::advance(current, 3, forward);
            return std::pair(next.player, next.roundOver);
        };
        QCOMPARE(turn(2, true), std::pair(0, true)); // the last wraps and the round ends
        QCOMPARE(turn(0, false), std::pair(2, false));
        QCOMPARE(turn(-1, true), std::pair(0, false)); // going on after a tie
    }

    void decide_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<int>("toWin");
        QTest::addColumn<Decision::Kind>("kind");
        QTest::addColumn<QString>("message");
        using enum Decision::Kind;
        const QString won = "Congratulations...\n\n%1 has won the game with a score of %2\n\nNicely Done!";
        const QString tied = "Congratulations...\n\nPlayers:\n\n%1\n\nHave tied with a score of %2\n\nPlay another round?";

        QTest::newRow("nobody there yet") << QList<Row>{{"Ann", 9}, {"Bob", 3}} << 10 << None << QString();
        QTest::newRow("one winner") << QList<Row>{{"Ann", 9}, {"Bob", 10}, {"Cy", 4}} << 10 << Winner << won.arg("Bob", "10");
        QTest::newRow("above the score to win") << QList<Row>{{"Ann", 15}, {"Bob", 12}} << 10 << Winner << won.arg("Ann", "15");
        QTest::newRow("hidden rows never win") << QList<Row>{{"Ann", 3}, {"Ghost", 30, false}} << 10 << None << QString();
        QTest::newRow("tie of two at 12") << QList<Row>{{"Lee, Ann", 12}, {"Bob;", 12}, {"Cy", 9}} << 10 << Tie
                                          << tied.arg("Lee, Ann  Bob;", "12");
    }

    void decide()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(int, toWin);
        const Decision decision = Scoreboard::decide(rows, toWin);
        QTEST(decision.kind, "kind");
        QTEST(decision.message, "message");
    }

    void scoresStayInRange()
    {
        QCOMPARE(Scoreboard::raised(10, 10), 10);
        QCOMPARE(Scoreboard::raised(0, 0), 0); // no questions loaded: no points to give
        QCOMPARE(Scoreboard::lowered(0), 0);
    }

    void countdownTicks_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<Countdown::Settings>("settings"); // sound off, buzzer, music always on
        QTest::addColumn<QString>("tick"); // the new text, then what else happens
        const Countdown::Settings buzzer{false, true, false};
        QTest::newRow("counts down") << 3 << buzzer << "2";
        QTest::newRow("buzzer at 0") << 1 << buzzer << "0 buzzer stop-music";
        QTest::newRow("no buzzer, music stops") << 1 << Countdown::Settings{} << "0 stop-music";
        QTest::newRow("sound off: silent") << 1 << Countdown::Settings{true, true, false} << "0";
        QTest::newRow("music kept") << 1 << Countdown::Settings{false, true, true} << "0 buzzer";
        QTest::newRow("stops at 0") << 0 << buzzer << "0 stop-timer";
    }

    void countdownTicks()
    {
        QFETCH(int, shown);
        QFETCH(Countdown::Settings, settings);
        const Countdown::Tick tick = Countdown::tick(shown, settings);
        QTEST(QString::number(tick.secondsLeft) + (tick.playBuzzer ? " buzzer" : "") + (tick.stopMusic ? " stop-music" : "")
                  + (tick.stopTimer ? " stop-timer" : ""),
              "tick");
    }
};

QTEST_GUILESS_MAIN(TestScoreboard)
#include "tst_scoreboard.moc"
