#include "play/game_history.h"
#include "test_context.h"

#include <QTest>

#include <random>

namespace {

using enum QuestionMode;

// A game opened over three matches and three phrases, its history, and an
// announcer that goes on after a tie.
class Fixture
{
public:
    Fixture()
    {
        test.writeFile(questionFileName(Match), "Blank Pole\r\nChristmas Blank\r\nSnow Blank Man");
        test.writeFile(questionFileName(Phrase), "Even his Blank makes me laugh.\r\nA Blank suit.\r\nThe Blank was blue.");
        game.setAnnouncer([this](const Scoreboard::Decision &) {
            ++decisions;
            return true;
        });
        game.open();
    }

    QStringList texts() const
    {
        QStringList texts;
        for (int i = 0; i < history.stack().count(); ++i)
            texts << history.stack().text(i);
        return texts;
    }
    TestContext test;
    Game game{test.context()};
    mutable GameHistory history{game};
    int decisions = 0;
};

// What a view shows of the game: kept up from the game's signals alone, as
// the console and the room display keep theirs, or read afresh.
struct View {
    std::array<QString, 2> questions;
    QuestionMode modeOnShow = Match;
    int count = 0;
    int current = 0;
    int round = 0;
    int scoreToWin = 0;
    std::array<QString, Game::kMaxPlayers> names;
    std::array<int, Game::kMaxPlayers> scores{};
    friend bool operator==(const View &, const View &) = default;

    static QString question(const Game &game, QuestionMode mode)
    {
        return game.question(mode) + u'#' + QString::number(game.position(mode));
    }
    static View of(const Game &game)
    {
        View view;
        view.questions = {question(game, Match), question(game, Phrase)};
        view.modeOnShow = game.modeOnShow();
        view.count = game.playerCount();
        view.current = game.currentPlayer();
        view.round = game.round();
        view.scoreToWin = game.scoreToWin();
        for (int i = 0; i < Game::kMaxPlayers; ++i) {
            view.names[i] = game.playerName(i);
            view.scores[i] = game.score(i);
        }
        return view;
    }
    void follow(Game &game)
    {
        QObject::connect(&game, &Game::questionChanged,
                         [this, &game](QuestionMode mode) { questions[size_t(mode)] = question(game, mode); });
        QObject::connect(&game, &Game::modeOnShowChanged, [this](QuestionMode mode) { modeOnShow = mode; });
        QObject::connect(&game, &Game::playerCountChanged, [this](int players) { count = players; });
        QObject::connect(&game, &Game::playerNameChanged, [this](int player, const QString &name) { names[player] = name; });
        QObject::connect(&game, &Game::scoreChanged, [this](int player, int score) { scores[player] = score; });
        QObject::connect(&game, &Game::currentPlayerChanged, [this](int player) { current = player; });
        QObject::connect(&game, &Game::roundChanged, [this](int newRound) { round = newRound; });
        QObject::connect(&game, &Game::scoreToWinChanged, [this](int score) { scoreToWin = score; });
    }
};

} // namespace

class TestGameHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Whatever the host did, taking it all back gives the game as it
    // opened, and doing it all again the game as the host left it; a view
    // that follows the game's signals shows each of them.
    void undoAndRedoGiveTheExactGame()
    {
        for (const unsigned seed : {1u, 7u, 42u}) {
            Fixture f;
            std::mt19937 random(seed);
            const auto draw = [&random](int from, int to) { return std::uniform_int_distribution(from, to)(random); };
            const Game::Snapshot opened = f.game.snapshot();
            View view = View::of(f.game);
            view.follow(f.game);
            for (int move = 0; move < 300; ++move) {
                const int player = draw(0, f.game.playerCount() - 1);
                const QuestionMode mode = draw(0, 1) ? Match : Phrase;
                switch (draw(0, 9)) {
                case 0:
                case 1:
                    f.history.raiseScore(player);
                    break;
                case 2:
                    f.history.lowerScore(player);
                    break;
                case 3:
                case 4:
                    (draw(0, 3) ? f.history.next(mode) : f.history.previous(mode));
                    break;
                case 5:
                    f.history.giveTurnTo(player);
                    break;
                case 6:
                    f.history.setPlayerCount(draw(2, 10));
                    break;
                case 7:
                    f.history.setScoreToWin(draw(1, 3) * 2);
                    break;
                case 8:
                    f.history.setPlayerName(player, QStringLiteral("P%1").arg(draw(0, 20)));
                    break;
                default:
                    if (draw(0, 1)) {
                        f.test.prompter().queue(PromptAnswer::Yes);
                        f.history.start(mode);
                    } else {
                        f.history.showMode(mode);
                    }
                }
            }
            QVERIFY(f.decisions > 0);
            const Game::Snapshot left = f.game.snapshot();
            for (QUndoStack &stack = f.history.stack(); stack.canUndo();) {
                stack.undo();
                QVERIFY(view == View::of(f.game));
            }
            QVERIFY(f.game.snapshot() == opened);
            for (QUndoStack &stack = f.history.stack(); stack.canRedo();) {
                stack.redo();
                QVERIFY(view == View::of(f.game));
            }
            QVERIFY(f.game.snapshot() == left);
        }
    }

    // The Next that decided the game took the announcement and the new game
    // with it; taking it back brings the winner's game back.
    void undoAcrossAWin()
    {
        Fixture f;
        f.history.setPlayerCount(3);
        f.history.setScoreToWin(4);
        f.history.setPlayerName(1, QStringLiteral("Maya"));
        for (int i = 0; i < 4; ++i)
            f.history.raiseScore(1);
        f.history.next(Match);
        f.history.next(Match);
        const Game::Snapshot decisive = f.game.snapshot();
        f.history.next(Match);
        QCOMPARE(f.decisions, 1);
        QCOMPARE(f.game.score(1), 0);
        QCOMPARE(f.history.stack().undoText(), "New game");

        f.history.stack().undo();
        QVERIFY(f.game.snapshot() == decisive);
        QCOMPARE(f.game.score(1), 4);
        QCOMPARE(f.game.round(), 1);
        QCOMPARE(f.game.currentPlayer(), 2);
        QCOMPARE(f.game.position(Match), 3);
        QCOMPARE(f.decisions, 1); // nothing is announced again
    }

    void commandTexts()
    {
        Fixture f;
        f.history.setPlayerName(1, QStringLiteral("Maya"));
        f.history.raiseScore(1);
        f.history.lowerScore(1);
        f.history.giveTurnTo(1);
        f.history.next(Match); // the turn comes back to the first player
        f.history.next(Match);
        f.history.previous(Phrase);
        f.history.setPlayerName(1, QString());
        f.history.raiseScore(1);
        f.history.setPlayerCount(4);
        f.history.setScoreToWin(15);
        f.history.showMode(Phrase);
        f.test.prompter().queue(PromptAnswer::Yes);
        f.history.start(Phrase);
        QCOMPARE(f.texts(), (QStringList{"Name Maya", "Maya +1", "Maya \u22121", "Turn to Maya", "Round 2", "Next match", "Previous phrase",
                                         "Name Player 2", "Player 2 +1", "4 players", "Score to win 15", "Show phrases", "New game"}));
    }

    // A question brought back by undo starts the countdown afresh, as a new
    // question does; a step that shows the same question leaves it counting.
    void undoRestartsTheCountdown()
    {
        Fixture f;
        f.game.setTimerOn(true);
        f.history.next(Match);
        f.history.raiseScore(0);
        f.game.tick();
        f.history.stack().undo();
        QCOMPARE(f.game.secondsLeft(), 29);
        f.history.stack().undo();
        QCOMPARE(f.game.secondsLeft(), 30);
        QVERIFY(f.game.countdownRunning());
    }

    // A move that changed nothing leaves nothing to take back.
    void noStepForNoChange()
    {
        Fixture f;
        f.history.lowerScore(0);
        f.history.giveTurnTo(0);
        f.history.setScoreToWin(10);
        f.history.setPlayerCount(2);
        f.history.showMode(Match);
        f.history.setPlayerName(0, QStringLiteral("Name"));
        f.test.prompter().queue(PromptAnswer::No);
        f.history.start(Phrase);
        QCOMPARE(f.history.stack().count(), 0);
    }

    // The keys typed into one name box are one step; a name typed back to
    // what it was is none.
    void nameEditsMerge()
    {
        Fixture f;
        for (const char *typed : {"M", "Ma", "Maya"})
            f.history.setPlayerName(0, QLatin1String(typed));
        f.history.setPlayerName(1, QStringLiteral("Lee"));
        f.history.setPlayerName(0, QStringLiteral("Mayan"));
        QCOMPARE(f.texts(), (QStringList{"Name Maya", "Name Lee", "Name Mayan"}));
        f.history.stack().undo();
        f.history.stack().undo();
        QCOMPARE(f.game.playerName(0), "Maya");
        QCOMPARE(f.game.playerName(1), "Name");
        f.history.stack().undo();
        QCOMPARE(f.game.playerName(0), "Name");

        f.history.setPlayerName(2, QStringLiteral("Nam"));
        f.history.setPlayerName(2, QStringLiteral("Name"));
        QCOMPARE(f.history.stack().count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestGameHistory)
#include "tst_game_history.moc"
