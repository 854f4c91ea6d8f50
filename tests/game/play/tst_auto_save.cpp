#include "play/auto_save.h"
#include "play/game.h"
#include "test_context.h"

#include <QDir>
#include <QLocale>
#include <QTest>

using enum QuestionMode;

namespace {

QByteArray questionLines(const QString &pattern, int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << pattern.arg(i);
    return lines.join(QLatin1String("\r\n")).toUtf8();
}

// A data folder with both question files, and one game after another on it
// as a run of the program would open them.
class Fixture
{
public:
    Fixture()
    {
        test.writeFile(questionFileName(Match), questionLines(QStringLiteral("Word%1 Blank"), 30));
        test.writeFile(questionFileName(Phrase), questionLines(QStringLiteral("Phrase %1 has a Blank."), 30));
    }

    struct Run {
        explicit Run(AppContext &context)
            : game(context)
            , save(game, context)
        {
            game.open();
            save.resumeOrStart();
        }
        void settle()
        {
            QCoreApplication::processEvents();
            save.flush();
        }
        Game game;
        AutoSave save;
    };

    std::unique_ptr<Run> start()
    {
        test.clock().advance(60);
        return std::make_unique<Run>(test.context());
    }

    // A game well under way, in every part the host can change.
    std::unique_ptr<Run> played()
    {
        auto run = start();
        Game &game = run->game;
        game.setPlayerCount(4);
        game.setPlayerName(0, QStringLiteral("Maya"));
        game.setPlayerName(3, QStringLiteral("Tom"));
        game.raiseScore(0);
        game.raiseScore(0);
        game.raiseScore(3);
        game.setScoreToWin(15);
        for (int i = 0; i < 5; ++i)
            game.next(Match);
        game.showMode(Phrase);
        game.next(Phrase);
        game.next(Phrase);
        game.setTimerOn(true);
        game.setBuzzer(true);
        run->settle();
        return run;
    }

    QString savedFile() const { return SavedGameFile::fileName(); }
    bool hasFile(const QString &name) const { return QFile::exists(test.path(name)); }

    TestContext test;
};

} // namespace

class TestAutoSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Yes brings back the very game: the same prompt on show in the same
    // order, the same turn, names, scores, round and options.
    void resumesTheSameGame()
    {
        Fixture f;
        const auto before = f.played();
        const Game::Snapshot played = before->game.snapshot();
        const PlaySettings options = before->game.settings();
        QVERIFY(f.test.prompter().shown().isEmpty());

        f.test.prompter().queue(PromptAnswer::Yes);
        const auto after = f.start();
        QCOMPARE(f.test.prompter().shown().size(), 1);
        const Prompt &offer = f.test.prompter().last();
        QCOMPARE(offer.title, QStringLiteral("Resume Game"));
        QCOMPARE(offer.buttons, Prompt::Buttons::YesNo);
        const QString when = QLocale::system().toString(f.test.clock().now().addSecs(-60), QLocale::ShortFormat);
        QCOMPARE(offer.text, QStringLiteral("Resume the game from %1? Maya 2, Name 0, Name 0, Tom 1, round 2").arg(when));
        QVERIFY(after->game.snapshot() == played);
        QCOMPARE(after->game.question(Phrase), before->game.question(Phrase));
        QVERIFY(after->game.settings() == options);
        QVERIFY(after->game.countdownRunning());
    }

    // No starts the game as ever and keeps the declined one as the
    // previous game, which a later save does not touch.
    void declinedGameIsKeptAside()
    {
        Fixture f;
        f.played();
        const QByteArray declined = f.test.readFile(f.savedFile());
        f.test.prompter().queue(PromptAnswer::No);
        const auto run = f.start();
        QCOMPARE(run->game.score(0), 0);
        QCOMPARE(f.test.readFile(SavedGameFile::previousFileName()), declined);
        run->game.raiseScore(1);
        run->settle();
        QCOMPARE(f.test.readFile(SavedGameFile::previousFileName()), declined);
        QVERIFY(f.hasFile(f.savedFile()));
    }

    // Nothing to offer: a game the host ended, one never played, none at all.
    void offersOnlyAnUnfinishedGame()
    {
        Fixture f;
        f.start()->settle();
        QVERIFY(f.hasFile(f.savedFile()));
        f.start()->save.finish();
        f.played()->save.finish();
        f.start();
        QVERIFY(f.test.prompter().shown().isEmpty());
        QVERIFY(f.test.logEntries().filter(QStringLiteral("Saved game")).isEmpty());
    }

    // A question file edited since: the players come back, its questions
    // start afresh and the host is told; the other mode resumes.
    void changedFileStartsItsQuestionsAfresh()
    {
        Fixture f;
        const QString phrase = f.played()->game.question(Phrase);
        f.test.writeFile(questionFileName(Match), questionLines(QStringLiteral("Other%1 Blank"), 30));
        f.test.prompter().queue(PromptAnswer::Yes);
        const auto run = f.start();
        QCOMPARE(run->game.position(Match), 1);
        QVERIFY(run->game.question(Match).startsWith(QStringLiteral("OTHER")));
        QCOMPARE(run->game.question(Phrase), phrase);
        QCOMPARE(run->game.playerName(3), QStringLiteral("Tom"));
        QCOMPARE(f.test.prompter().last().text,
                 QDir::toNativeSeparators(f.test.path(questionFileName(Match)))
                     + QStringLiteral(" has changed since the game was saved: the names and scores are back, and its "
                                      "questions start afresh."));
    }

    // A file that is no saved game costs one line in the log and is
    // replaced by the next save; a folder that takes no save is logged once.
    void badFilesAreLoggedNotFatal()
    {
        Fixture f;
        f.test.writeFile(f.savedFile(), QByteArray(5000, '\xff'));
        const auto run = f.start();
        run->settle();
        QVERIFY(f.test.prompter().shown().isEmpty());
        QCOMPARE(f.test.logEntries().filter(QStringLiteral("Saved game")),
                 QStringList{
                     QStringLiteral("Saved game %1 ignored: not a saved game.").arg(QDir::toNativeSeparators(f.test.path(f.savedFile())))});
        QVERIFY(f.test.readFile(f.savedFile()).startsWith("ZORBELSG"));

        QVERIFY(QFile::remove(f.test.path(f.savedFile())) && QDir(f.test.dir()).mkdir(f.savedFile()));
        run->game.raiseScore(0);
        run->settle();
        run->game.raiseScore(1);
        run->settle();
        QCoreApplication::processEvents();
        QCOMPARE(f.test.logEntries().filter(QStringLiteral("could not be saved")).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestAutoSave)
#include "tst_auto_save.moc"
