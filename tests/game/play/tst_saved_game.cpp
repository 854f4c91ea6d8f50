#include "play/saved_game.h"
#include "play/shuffle_order.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using enum QuestionMode;

namespace {

// A game far from the opening in every field.
SavedGame playedGame()
{
    SavedGame game;
    game.savedAt = QDateTime(QDate(2026, 12, 5), QTime(21, 14, 33));
    Game::Snapshot &state = game.state;
    state.modeOnShow = Phrase;
    state.playerCount = 7;
    state.currentPlayer = 6;
    state.round = 4;
    state.scoreToWin = 15;
    state.tieContinue = true;
    state.players[0] = {QStringLiteral("Maya"), 3};
    state.players[1] = {QStringLiteral("Zoë <b>&amp;</b> 漢字"), 9};
    state.players[6] = {QString(), 12};
    state.players[9] = {QStringLiteral("Benched"), 1};
    state.modes[size_t(Match)] = {{}, shuffledOrder(3, 7), 7, QByteArray(20, 'm'), 3, true, false, true};
    state.modes[size_t(Phrase)] = {{}, shuffledOrder(32766, 0xCAFE), 0xCAFE, QByteArray(20, 'p'), 4, true, true, false};
    game.settings = {CountdownLength{QStringLiteral("40.4"), 40}, true, false, true, true};
    return game;
}

QVariant outcomeOf(const std::variant<SavedGame, QString> &decoded)
{
    return std::holds_alternative<QString>(decoded) ? QVariant(std::get<QString>(decoded)) : QVariant();
}

} // namespace

class TestSavedGame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTripsEveryField()
    {
        for (const bool finished : {false, true}) {
            SavedGame game = playedGame();
            game.finished = finished;
            const std::variant<SavedGame, QString> decoded = SavedGame::decode(game.encode());
            QVERIFY2(std::holds_alternative<SavedGame>(decoded), qPrintable(outcomeOf(decoded).toString()));
            const SavedGame &back = std::get<SavedGame>(decoded);
            QCOMPARE(back.savedAt, game.savedAt);
            QCOMPARE(back.finished, finished);
            QVERIFY(back.state == game.state);
            QVERIFY(back.settings == game.settings);
        }
    }

    // Whatever happened to the bytes, they are refused with a reason, and
    // never read as another game.
    void refusesDamagedAndForeignBytes()
    {
        const QByteArray bytes = playedGame().encode();
        for (qsizetype size = 0; size < bytes.size(); ++size)
            QVERIFY2(outcomeOf(SavedGame::decode(bytes.first(size))).isValid(), qPrintable(QString::number(size)));
        for (qsizetype at = 0; at < bytes.size(); ++at) {
            QByteArray flipped = bytes;
            flipped[at] = char(flipped[at] ^ 0x10);
            QVERIFY2(outcomeOf(SavedGame::decode(flipped)).isValid(), qPrintable(QString::number(at)));
        }
        QCOMPARE(outcomeOf(SavedGame::decode(QByteArray("#Zorbel Configuration file\r\n"))), QVariant(QStringLiteral("not a saved game")));
        for (const quint32 format : {0u, 2u}) {
            QByteArray other = bytes;
            other[11] = char(format);
            QCOMPARE(outcomeOf(SavedGame::decode(other)),
                     QVariant(QStringLiteral("written in format %1, this version reads format 1").arg(format)));
        }
    }

    // Bytes that are whole and signed but hold what no game can be.
    void refusesImpossibleGames_data()
    {
        QTest::addColumn<int>("change");
        const QStringList changes{"no players",     "eleven players",           "turn beyond the players", "round zero",
                                  "negative score", "question beyond the list", "no question shown",       "more questions than a file",
                                  "tab three"};
        for (int i = 0; i < changes.size(); ++i)
            QTest::newRow(qPrintable(changes[i])) << i;
    }
    void refusesImpossibleGames()
    {
        QFETCH(int, change);
        SavedGame game = playedGame();
        Game::Snapshot &state = game.state;
        Game::ModeState &matches = state.modes[size_t(Match)];
        const std::array<std::function<void()>, 9> spoil{
            [&] { state.playerCount = 0; },
            [&] { state.playerCount = 11; },
            [&] { state.currentPlayer = state.playerCount; },
            [&] { state.round = 0; },
            [&] { state.players[2].score = -1; },
            [&] { matches.number = 4; },
            [&] { matches.number = 0; },
            [&] { matches.order.resize(QuestionLoader::kMaxQuestions + 1); },
            [&] { state.modeOnShow = QuestionMode(2); },
        };
        spoil[size_t(change)]();
        QCOMPARE(outcomeOf(SavedGame::decode(game.encode())), QVariant(QStringLiteral("holds values no game can have")));
    }

    // The questions come back in the saved order from the file's own order,
    // whatever order the fresh game drew; a file whose questions changed
    // keeps the fresh game's questions and says so.
    void resumesQuestionsOrStartsThemAfresh()
    {
        const QStringList file{"A,___", "B,___", "C,___", "D,___"};
        Game::Snapshot fresh;
        for (Game::ModeState &mode : fresh.modes) {
            mode.order = {3, 1, 0, 2};
            mode.questions = inOrder(file, mode.order);
            mode.source = QuestionLoader::fingerprint(file);
            mode.number = 1;
        }
        SavedGame saved = playedGame();
        saved.state.modes[size_t(Match)] = {{}, {2, 0, 3, 1}, 0, QuestionLoader::fingerprint(file), 3, true, false, false};
        saved.state.modes[size_t(Phrase)].source = QuestionLoader::fingerprint({"A,___", "B,___", "C,___", "E,___"});

        const SavedGame::Resumption resumption = saved.resumedOver(fresh);
        QCOMPARE(resumption.state.modes[size_t(Match)].questions, QStringList({"C,___", "A,___", "D,___", "B,___"}));
        QCOMPARE(resumption.state.modes[size_t(Match)].number, 3);
        QVERIFY(resumption.state.modes[size_t(Phrase)] == fresh.modes[size_t(Phrase)]);
        QCOMPARE(resumption.afresh, QList<QuestionMode>{Phrase});
        QVERIFY(resumption.state.players == saved.state.players);
        QCOMPARE(resumption.state.round, 4);
    }

    void tellsWhatItHolds()
    {
        SavedGame game;
        QVERIFY(!game.worthResuming());
        QCOMPARE(game.summary(), QStringLiteral("Name 0, Name 0, round 1"));
        game.state.players[1].score = 1;
        QVERIFY(game.worthResuming());
        game = SavedGame();
        game.state.modes[size_t(Phrase)].number = 2;
        QVERIFY(game.worthResuming());
        QCOMPARE(playedGame().summary(), QStringLiteral("Maya 3, Zoë <b>&amp;</b> 漢字 9, Name 0, Name 0, Name 0, Name 0,  12, round 4"));
    }

    void readsAndWritesFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(SavedGameFile::fileName());
        QVERIFY(std::holds_alternative<SavedGameFile::NoFile>(SavedGameFile::read(path)));
        QCOMPARE(SavedGameFile::write(path, playedGame()), QString());
        const auto read = SavedGameFile::read(path);
        QVERIFY(std::holds_alternative<SavedGame>(read) && std::get<SavedGame>(read).state == playedGame().state);

        QVERIFY(!SavedGameFile::write(dir.filePath("missing/game.sav"), playedGame()).isEmpty());
        QVERIFY(!QFile::exists(dir.filePath("missing")));
        QVERIFY(QDir(dir.path()).mkdir("folder.sav"));
        QCOMPARE(std::get<QString>(SavedGameFile::read(dir.filePath("folder.sav"))), QStringLiteral("not a file"));
        QFile huge(dir.filePath("huge.sav"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(64 * 1024 * 1024));
        QCOMPARE(std::get<QString>(SavedGameFile::read(huge.fileName())), QStringLiteral("larger than any saved game"));
    }
};

QTEST_GUILESS_MAIN(TestSavedGame)
#include "tst_saved_game.moc"
