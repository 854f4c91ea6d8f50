#include "play/game.h"
#include "test_context.h"

#include <QDir>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

using enum QuestionMode;

const QStringList kMatches{"Blank Pole", "Christmas Blank", "Snow Blank Man"};
const QStringList kPhrases{"Even his Blank makes me laugh.", "A Blank suit.", "The Blank was blue."};

// A game over a temporary program directory, opened as the console opens
// it; the announcer records each decision and answers as told.
class Fixture
{
public:
    Fixture(const QStringList &matches = kMatches, const QStringList &phrases = kPhrases)
    {
        for (const auto &[mode, lines] : {std::pair(Match, matches), std::pair(Phrase, phrases)})
            if (!lines.isEmpty())
                test.writeFile(questionFileName(mode), lines.join(QLatin1String("\r\n")).toUtf8());
        game.setAnnouncer([this](const Scoreboard::Decision &decision) {
            announced << decision.message;
            return anotherRound;
        });
        game.open();
    }

    void raise(int player, int times)
    {
        while (times-- > 0)
            game.raiseScore(player);
    }
    void next(QuestionMode mode, int times = 1)
    {
        while (times-- > 0)
            game.next(mode);
    }
    QString scores() const
    {
        QStringList scores;
        for (int i = 0; i < game.playerCount(); ++i)
            scores << QString::number(game.score(i));
        return scores.join(u' ');
    }
    // "round R player P match M phrase N scores ..."
    QString board() const
    {
        return QStringLiteral("round %1 player %2 match %3 phrase %4 scores %5")
            .arg(game.round())
            .arg(game.currentPlayer())
            .arg(game.position(Match))
            .arg(game.position(Phrase))
            .arg(scores());
    }
    QStringList prompts() const
    {
        QStringList shown;
        for (const Prompt &prompt : test.prompter().shown())
            shown << prompt.title + ": " + QString(prompt.text).replace(test.dir(), QLatin1String("DIR"));
        return shown;
    }

    mutable TestContext test;
    Game game{test.context()};
    QStringList announced;
    bool anotherRound = true;
};

} // namespace

class TestGame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The matches show when both files are there; a game loaded at the start
    // waits with the countdown and the sound off.
    void openStartsEachModeWithAFile()
    {
        Fixture both;
        QCOMPARE(both.game.modeOnShow(), Match);
        QVERIFY(both.game.onShow(Match) && both.game.onShow(Phrase));
        QCOMPARE(both.board(), "round 1 player 0 match 1 phrase 1 scores 0 0");
        QVERIFY(!both.game.timerOn() && !both.game.soundOn() && !both.game.countdownRunning());
        QVERIFY(kPhrases.contains(both.game.question(Phrase).replace(QLatin1String("_________ "), "Blank ")));

        Fixture phrasesOnly({}, kPhrases);
        QCOMPARE(phrasesOnly.game.modeOnShow(), Phrase);
        QVERIFY(!phrasesOnly.game.onShow(Match) && phrasesOnly.game.question(Match).isEmpty());

        Fixture neither({}, {}); // nothing loaded: the options as designed
        QVERIFY(neither.game.timerOn() && !neither.game.soundOn());
        QVERIFY(neither.prompts().isEmpty());
    }

    void startOver_data()
    {
        QTest::addColumn<QuestionMode>("mode");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("board");
        QTest::newRow("match, yes") << Match << true << "round 1 player 0 match 1 phrase 1 scores 0 0 0";
        // A declined match start has reset the turn and the round already.
        QTest::newRow("match, no") << Match << false << "round 1 player 0 match 2 phrase 1 scores 1 0 0";
        QTest::newRow("phrases, yes") << Phrase << true << "round 1 player 0 match 2 phrase 1 scores 0 0 0";
        QTest::newRow("phrases, no") << Phrase << false << "round 1 player 1 match 2 phrase 1 scores 1 0 0";
    }
    void startOver()
    {
        QFETCH(QuestionMode, mode);
        QFETCH(bool, yes);
        Fixture game;
        game.game.setPlayerCount(3);
        game.raise(0, 1);
        game.next(Match);
        game.test.prompter().queue(yes ? PromptAnswer::Yes : PromptAnswer::No);
        game.game.start(mode);
        QTEST(game.board(), "board");
        QCOMPARE(game.prompts(), QStringList{"Start New Game: A " + QLatin1String(mode == Match ? "Zorbel" : "Match Phrase")
                                             + " Game is already in Progress, Start Over?"});
    }

    // The log counts the dropped lines of a file by reason, and says nothing
    // of a file without any; questions beyond what a game can number are
    // told to the views.
    void loadTellsWhatItLeavesOut()
    {
        Fixture game({"Blank Pole", "Pole", "blank pole", "\t", "Blank Blank", "# Blank", "", "Blanket", "Snow"});
        QSignalSpy leftOut(&game.game, &Game::questionsLeftOut);
        QStringList capped;
        for (int n = 1; n <= 32768; ++n)
            capped.append(QStringLiteral("Blank W%1").arg(n));
        game.test.writeFile(questionFileName(Phrase), capped.join(QLatin1String("\r\n")).toUtf8());
        game.test.prompter().queue(PromptAnswer::Yes);
        game.game.start(Phrase);

        QStringList fileEntries = game.test.logEntries().filter(QRegularExpression(QStringLiteral("^File ")));
        QCOMPARE(fileEntries.replaceInStrings(QDir::toNativeSeparators(game.test.dir()), QLatin1String("DIR")),
                 (QStringList{"File DIR/ZorbelLines.txt: 6 lines dropped: 1 with only spaces, 2 without BLANK, 1 with more "
                              "than one BLANK, 1 not split in two by BLANK, 1 repeating an earlier question",
                              "File DIR/ZorbelPhrases.txt holds 32768 questions; only the first 32766 are used."}));
        QCOMPARE(leftOut.size(), 1);
        QCOMPARE(leftOut.first().at(0).value<QuestionMode>(), Phrase);
        QCOMPARE(leftOut.first().at(1).toLongLong(), 2);
        QCOMPARE(game.game.questionCount(Phrase), 32766);
    }

    // A file that went missing, or holds nothing, leaves the game on show.
    void failedStartsKeepTheGame()
    {
        Fixture game;
        game.next(Match);
        QFile::remove(game.test.path(questionFileName(Match)));
        game.game.start(Match);
        game.test.writeFile(questionFileName(Phrase), "# only a comment\r\n");
        game.test.prompter().queue(PromptAnswer::Yes);
        game.game.start(Phrase);
        QCOMPARE(game.prompts(), (QStringList{"File Does Not Exist: File DIR/ZorbelLines.txt does not exist, please create it from "
                                              "the Config menu item, or \nperforming an Update from the About menu pulldown will "
                                              "retrieve this file from the internet.\n\n",
                                              "Start New Game: A Match Phrase Game is already in Progress, Start Over?",
                                              "Exiting File Load: File DIR/ZorbelPhrases.txt does not contain any questions."}));
        QCOMPARE(game.board(), "round 1 player 0 match 2 phrase 1 scores 0 0");
        QCOMPARE(game.game.questionCount(Phrase), 3);
    }

    // The lists are circular; Previous passes the turn back without counting
    // a round.
    void steppingWrapsAround()
    {
        Fixture game;
        QSignalSpy questions(&game.game, &Game::questionChanged);
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            order << game.game.question(Match);
            game.next(Match);
        }
        QCOMPARE(order.at(3), order.at(0));
        QCOMPARE(QSet<QString>(order.begin(), order.end()).size(), 3);
        QCOMPARE(questions.size(), 4);
        QVERIFY(std::all_of(questions.begin(), questions.end(),
                            [](const QVariantList &args) { return args.at(0).value<QuestionMode>() == Match; }));

        game.game.previous(Match); // from 2 back to 1
        game.game.previous(Match); // and round to the last
        QCOMPARE(game.game.question(Match), order.at(2));
        QCOMPARE(game.board(), "round 3 player 0 match 3 phrase 1 scores 0 0");
    }

    // A score reached in the middle of a round decides nothing until the
    // turn passes from the last player to the first; a win then starts both
    // modes afresh, and the next phrase Next keeps the first phrase.
    void winnerAtTheEndOfTheRound()
    {
        Fixture game;
        game.game.setPlayerCount(3);
        game.game.setScoreToWin(5);
        game.game.setPlayerName(1, QStringLiteral("Maya"));
        game.raise(1, 10); // capped at the six questions loaded
        QSignalSpy reloading(&game.game, &Game::reloadingChanged);
        QSignalSpy announced(&game.game, &Game::decisionAnnounced);
        QSignalSpy answered(&game.game, &Game::decisionAnswered);
        game.next(Match, 2);
        QVERIFY(game.announced.isEmpty());
        QCOMPARE(game.scores(), "0 6 0");
        game.next(Match);
        QCOMPARE(game.announced, QStringList{"Congratulations...\n\nMaya has won the game with a score of 6\n\nNicely Done!"});
        QCOMPARE(game.board(), "round 1 player 0 match 1 phrase 1 scores 0 0 0");
        QCOMPARE(reloading.size(), 4); // on and off for each mode
        QCOMPARE(announced.size(), 1);
        QCOMPARE(answered.size(), 1);
        QVERIFY(game.prompts().isEmpty()); // a reload asks nothing

        game.next(Phrase);
        QCOMPARE(game.board(), "round 1 player 1 match 1 phrase 1 scores 0 0 0");
        game.next(Phrase);
        QCOMPARE(game.board(), "round 1 player 2 match 1 phrase 2 scores 0 0 0");
    }

    void tie_data()
    {
        QTest::addColumn<QuestionMode>("mode"); // whose Next ends the round
        QTest::addColumn<bool>("anotherRound");
        QTest::addColumn<QString>("board");
        // Another round moves the other mode on once, the phrases twice in all.
        QTest::newRow("matches, another round") << Match << true << "round 2 player 0 match 1 phrase 2 scores 6 6 4";
        QTest::newRow("phrases, another round") << Phrase << true << "round 2 player 0 match 2 phrase 2 scores 6 6 4";
        QTest::newRow("matches, new game") << Match << false << "round 1 player 0 match 1 phrase 1 scores 0 0 0";
        QTest::newRow("phrases, new game") << Phrase << false << "round 1 player 0 match 1 phrase 1 scores 0 0 0";
    }
    void tie()
    {
        QFETCH(QuestionMode, mode);
        QFETCH(bool, anotherRound);
        Fixture game;
        game.anotherRound = anotherRound;
        game.game.setPlayerCount(3);
        game.game.setScoreToWin(5);
        game.game.setPlayerName(0, QStringLiteral("Lee, Ann"));
        game.game.setPlayerName(1, QStringLiteral("Bob;"));
        game.raise(0, 6);
        game.raise(1, 6);
        game.raise(2, 4);
        game.next(mode, 3);
        QCOMPARE(game.announced, QStringList{"Congratulations...\n\nPlayers:\n\nLee, Ann  Bob;\n\nHave tied with a "
                                             "score of 6\n\nPlay another round?"});
        QTEST(game.board(), "board");
        if (!anotherRound)
            return;
        // The next round end with one clear leader decides.
        game.game.lowerScore(0);
        game.next(mode, 3);
        QCOMPARE(game.announced.size(), 2);
        QVERIFY(game.announced.last().contains(QLatin1String("Bob; has won the game with a score of 6")));
    }

    // Going on after a tie with no question in the other mode leaves the
    // turn with the first player.
    void tieWithTheOtherModeEmpty()
    {
        Fixture game(kMatches, {});
        game.raise(0, 3);
        game.raise(1, 3);
        game.game.setScoreToWin(3);
        QSignalSpy turns(&game.game, &Game::currentPlayerChanged);
        game.next(Match, 2);
        QCOMPARE(game.announced.size(), 1);
        QCOMPARE(game.game.currentPlayer(), 0);
        QCOMPARE(turns.last().at(0).toInt(), 0);
    }

    // The turn and the scores move one signal at a time, and only within
    // their bounds.
    void playersAndScores()
    {
        Fixture game;
        QSignalSpy scores(&game.game, &Game::scoreChanged);
        QSignalSpy turns(&game.game, &Game::currentPlayerChanged);
        game.raise(1, 7);
        game.game.lowerScore(0);
        QCOMPARE(scores.size(), 6);
        QCOMPARE(scores.last(), (QVariantList{1, 6}));
        game.game.setPlayerCount(4);
        game.game.giveTurnTo(3);
        game.next(Match);
        QCOMPARE(game.board(), "round 2 player 0 match 2 phrase 1 scores 0 6 0 0");
        QCOMPARE(turns, (QList<QVariantList>{{3}, {0}}));
        game.game.raiseScore(10); // no such player: reported, nothing changes
        QVERIFY(game.test.logEntries().last().contains(QLatin1String("clkUp_Click")));
        QCOMPARE(scores.size(), 6);
    }

    void countdown_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("soundOn");
        QTest::addColumn<bool>("alwaysOn");
        QTest::addColumn<QString>("shown"); // after the start, then after each tick while it runs
        QTest::addColumn<QStringList>("played"); // the music's steps, then the buzzer's
        QTest::newRow("buzzer at 0, music stops") << 3 << true << false << "3 2 1 0 0" << QStringList{"play", "stop", "buzzer play"};
        QTest::newRow("sound off: silent") << 2 << false << false << "2 1 0 0" << QStringList{};
        QTest::newRow("music kept") << 2 << true << true << "2 1 0 0" << QStringList{"play", "buzzer play"};
        QTest::newRow("length 0") << 0 << true << false << "0 0" << QStringList{"play"};
    }
    void countdown()
    {
        QFETCH(int, length);
        QFETCH(bool, soundOn);
        QFETCH(bool, alwaysOn);
        Fixture game;
        game.game.applySettings({CountdownLength{QString::number(length), qint16(length)}, alwaysOn, true, soundOn, true});
        game.test.mediaPlayers().journal(0).clear();
        game.test.mediaPlayers().journal(1).clear();
        game.next(Match);
        QStringList shown{game.game.countdownText()};
        for (int tick = 0; tick < 10 && game.game.countdownRunning(); ++tick) {
            game.game.tick();
            shown << game.game.countdownText();
        }
        QTEST(shown.join(u' '), "shown");
        QStringList played = game.test.mediaPlayers().journal(0);
        for (const QString &step : game.test.mediaPlayers().journal(1))
            played << "buzzer " + step;
        QTEST(played, "played");
    }

    // Switching the timer off shows the full length; on again, it goes on
    // from the seconds on show, or from a length as the file wrote it. A
    // tab change stops it. Nothing on show: the option changes, no countdown.
    void countdownStopsAndResumes()
    {
        Fixture game;
        game.game.applySettings({CountdownLength{QStringLiteral("40.4"), 40}, {}, {}, {}, true});
        QCOMPARE(game.game.countdownText(), "40.4");
        QStringList shown;
        const auto note = [&] { shown << game.game.countdownText() + (game.game.countdownRunning() ? "*" : ""); };
        game.game.tick();
        note();
        game.game.setTimerOn(false);
        note();
        game.game.setTimerOn(true);
        game.game.tick();
        note();
        game.game.showMode(Phrase);
        note();
        QCOMPARE(shown.join(u' '), "39* 40 39* 40");

        Fixture empty({}, {});
        empty.game.setTimerOn(true);
        QVERIFY(empty.game.timerOn() && !empty.game.countdownRunning());
    }

    // The host holds the countdown and gives ten seconds more without
    // restarting it; a new question starts afresh.
    void countdownUnderTheHostsHand()
    {
        Fixture game;
        game.game.setTimerOn(true);
        QStringList shown;
        const auto act = [&](const QString &step) {
            if (step == "tick" && game.game.countdownRunning())
                game.game.tick();
            else if (step == "pause")
                game.game.togglePause();
            else if (step == "+10")
                game.game.addTenSeconds();
            else if (step == "next")
                game.next(Match);
            shown << game.game.countdownText() + (game.game.countdownRunning() ? "*" : "") + (game.game.countdownPaused() ? "p" : "");
        };
        for (const char *step : {"tick", "pause", "tick", "+10", "pause", "tick", "+10", "next"})
            act(QLatin1String(step));
        QCOMPARE(shown.join(u' '), "29* 29p 29p 39p 39* 38* 48* 30*");

        game.game.setTimerOn(false); // nothing counts: nothing to hold or lengthen
        shown.clear();
        for (const char *step : {"pause", "+10"})
            act(QLatin1String(step));
        QCOMPARE(shown.join(u' '), "30 30");
    }
};

QTEST_GUILESS_MAIN(TestGame)
#include "tst_game.moc"
