#include "play/game.h"
#include "play/game_history.h"
#include "play/line_rules.h"
#include "play/phone/phone_room.h"
#include "play/phone/phone_server.h"
#include "play/question_loader.h"
#include "play/windows/room_display.h"
#include "services/forms/skin_colours.h"
#include "test_context.h"

#include <QMetaEnum>
#include <QScreen>
#include <QTest>
#include <QVariantAnimation>

#include <functional>

namespace {

using enum QuestionMode;
using Part = RoomDisplay::Part;

const QStringList kMatches{"Blank Pole", "Christmas Blank", "Snow Blank Man"};
// As long as the longest phrases of the shipped file.
const QString kLongPhrase = QStringLiteral(
    "Uncle Bernard said, 'After the big storm we spent the whole long weekend out in the garden looking for the lost Blank.'");

// A game over a temporary program directory with both question files, and
// its room display at a given size.
struct Fixture {
    explicit Fixture(const QSize &size = QSize(1920, 1080), const QStringList &phrases = {"A Blank suit."})
    {
        test.writeFile(questionFileName(Match), kMatches.join(QLatin1String("\r\n")).toUtf8());
        test.writeFile(questionFileName(Phrase), phrases.join(QLatin1String("\r\n")).toUtf8());
        game.open();
        // A hidden window is laid out for a new size only when it shows.
        display.resize(size);
        display.show();
    }

    // The display's texts in one line: prompt, header, countdown, rows.
    QString shown() const
    {
        QStringList rows;
        for (int i = 0; i < game.playerCount(); ++i) {
            rows << QStringLiteral("%1%2 %3").arg(display.markedPlayer() == i ? ">" : "", display.shownText(Part::PlayerName, i),
                                                  display.shownText(Part::PlayerScore, i));
        }
        return QStringList{display.shownText(Part::Prompt), display.shownText(Part::Round), display.shownText(Part::ScoreToWin),
                           display.shownText(Part::Countdown), rows.join(", ")}
            .join(" | ");
    }
    // The same line from the model.
    QString model() const
    {
        QStringList rows;
        for (int i = 0; i < game.playerCount(); ++i) {
            rows << QStringLiteral("%1%2 %3").arg(game.currentPlayer() == i ? ">" : "", game.playerName(i)).arg(game.score(i));
        }
        QString prompt = game.question(game.modeOnShow());
        if (game.modeOnShow() == Match)
            prompt.replace(u',', u'\n');
        return QStringList{prompt, QStringLiteral("Round %1").arg(game.round()), QStringLiteral("To win: %1").arg(game.scoreToWin()),
                           game.countdownText(), rows.join(", ")}
            .join(" | ");
    }
    // Scores cannot pass the number of questions, so the game is short.
    void winRound(int player)
    {
        game.setScoreToWin(3);
        while (game.score(player) < game.scoreToWin())
            game.raiseScore(player);
        for (int step = game.currentPlayer(); step < game.playerCount(); ++step)
            game.next(game.modeOnShow());
    }

    TestContext test;
    Game game{test.context()};
    RoomDisplay display{game};
};

} // namespace

class TestRoomDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsTheGame_data()
    {
        QTest::addColumn<std::function<void(Game &)>>("change");
        QTest::addColumn<QString>("expected");
        QTest::newRow("opened") << std::function<void(Game &)>([](Game &) {}) << "30 | >Name 0, Name 0";
        QTest::newRow("score") << std::function<void(Game &)>([](Game &game) { game.raiseScore(1); }) << "30 | >Name 0, Name 1";
        QTest::newRow("step") << std::function<void(Game &)>([](Game &game) { game.next(Match); }) << "30 | Name 0, >Name 0";
        QTest::newRow("names and players") << std::function<void(Game &)>([](Game &game) {
            game.setPlayerCount(3);
            game.setPlayerName(2, QStringLiteral("Theo"));
            game.giveTurnTo(2);
        }) << "30 | Name 0, Name 0, >Theo 0";
        QTest::newRow("phrases") << std::function<void(Game &)>([](Game &game) { game.showMode(Phrase); }) << "30 | >Name 0, Name 0";
        QTest::newRow("round and score to win") << std::function<void(Game &)>([](Game &game) {
            game.setScoreToWin(5);
            game.next(Match);
            game.next(Match);
        }) << "30 | >Name 0, Name 0";
        QTest::newRow("countdown at zero") << std::function<void(Game &)>([](Game &game) {
            game.setTimerOn(true);
            game.checkTimer();
            for (int i = 0; i < 31; ++i)
                game.tick();
        }) << "0 | >Name 0, Name 0";
    }
    // After every change the display shows what the model holds.
    void followsTheGame()
    {
        QFETCH(std::function<void(Game &)>, change);
        QFETCH(QString, expected);
        Fixture f;
        change(f.game);
        QCOMPARE(f.shown(), f.model());
        QVERIFY(f.shown().endsWith(expected));
        QVERIFY(!f.display.shownText(Part::Prompt).isEmpty());
    }

    void matchPromptIsTwoLines()
    {
        Fixture f;
        const QStringList halves = f.display.shownText(Part::Prompt).split(u'\n');
        QCOMPARE(halves.size(), 2);
        QVERIFY(halves.contains(LineRules::kMatchBlank.toString()));
    }

    void nothingLoadedShowsACalmPanel()
    {
        TestContext test;
        Game game(test.context());
        game.open();
        RoomDisplay display(game);
        QVERIFY(display.shownText(Part::Prompt).isEmpty());
        QCOMPARE(display.shownText(Part::Countdown), "30");
    }

    // The turn is marked by the plate's colour and by the marker.
    void currentPlayerPlate()
    {
        Fixture f(QSize(1280, 720));
        f.game.next(Match);
        const QImage board = f.display.grab().toImage();
        for (int player = 0; player < 2; ++player) {
            const QRect name = f.display.area(Part::PlayerName, player);
            const QColor plate = player == 1 ? QColor(255, 224, 192) : QColor(201, 207, 214);
            QCOMPARE(board.pixelColor(name.right() - 2, name.center().y()), plate);
            // The marker sits in the middle of the plate's left end.
            const QColor marker = board.pixelColor(name.left() - qRound(0.03 * 720), name.center().y());
            QCOMPARE(marker, player == 1 ? QColor(22, 36, 71) : plate);
        }
        QCOMPARE(f.display.markedPlayer(), 1);
    }

    // Red for the final seconds; it pulses while they run and a few beats
    // at zero, then rests, so an idle display runs no animation.
    void countdownFinalSeconds()
    {
        Fixture f;
        auto *pulse = f.display.findChild<QVariantAnimation *>();
        QVERIFY(pulse);
        const auto state = [&f] {
            return QStringLiteral("%1 %2 %3")
                .arg(f.display.shownText(Part::Countdown), f.display.countdownPulsing() ? "pulsing" : "still",
                     f.display.countdownColour() == QColor(22, 36, 71) ? "calm" : "alert");
        };
        QCOMPARE(state(), "30 still calm");
        f.game.setTimerOn(true);
        f.game.checkTimer();
        for (int i = 0; i < 24; ++i)
            f.game.tick();
        QCOMPARE(state(), "6 still calm");
        f.game.tick();
        QCOMPARE(state(), "5 pulsing alert");
        f.game.pauseCountdown();
        QCOMPARE(state(), "5 still calm");
        f.game.checkTimer();
        for (int i = 0; i < 30; ++i)
            f.game.tick();
        QCOMPARE(state(), "0 pulsing alert");
        f.game.tick(); // the tick that finds zero stops the countdown
        QCOMPARE(state(), "0 pulsing alert");
        pulse->setCurrentTime(pulse->totalDuration());
        QCOMPARE(state(), "0 still alert");
        QCOMPARE(f.display.countdownColour(), QColor(196, 30, 30));
        const QRect panel = f.display.area(Part::Countdown);
        QCOMPARE(f.display.grab().toImage().pixelColor(panel.left() + 2, panel.center().y()), QColor(196, 30, 30));
        f.game.next(Match);
        QCOMPARE(state(), "30 still calm");
    }

    // The decision shows over the board while the host answers it.
    void announcement()
    {
        Fixture f;
        f.game.setPlayerName(1, QStringLiteral("Theo"));
        QString whileShown;
        f.game.setAnnouncer([&f, &whileShown](const Scoreboard::Decision &decision) {
            whileShown = f.display.shownText(Part::Announcement);
            return decision.kind == Scoreboard::Decision::Kind::Tie;
        });
        f.winRound(1);
        QCOMPARE(whileShown, "Congratulations...\n\nTheo has won the game with a score of 3\n\nNicely Done!");
        QVERIFY(f.display.shownText(Part::Announcement).isEmpty());
    }

    void textSizes_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("namesShrink");
        for (const QSize size : {QSize(1366, 768), QSize(1920, 1080), QSize(3840, 2160)}) {
            QTest::addRow("%dx%d", size.width(), size.height()) << size << QStringLiteral("Wilhelmina %1") << false;
        }
        QTest::newRow("names too long for any row")
            << QSize(1366, 768) << QStringLiteral("Bartholomew Featherstonehaugh-Montgomery %1") << true;
    }
    // Ten players and a long phrase: every text at least its share of the
    // height, a name shrinking below it only when it cannot fit otherwise,
    // and nothing leaves its area.
    void textSizes()
    {
        QFETCH(QSize, size);
        QFETCH(QString, name);
        QFETCH(bool, namesShrink);
        Fixture f(size, {kLongPhrase});
        QCOMPARE(f.display.size(), size);
        f.game.showMode(Phrase);
        f.game.setPlayerCount(Game::kMaxPlayers);
        for (int i = 0; i < Game::kMaxPlayers; ++i) {
            f.game.setPlayerName(i, name.arg(i + 1));
            f.game.raiseScore(i);
        }
        int announcedSize = 0;
        bool announcedFits = false;
        f.game.setAnnouncer([&](const Scoreboard::Decision &) {
            announcedSize = f.display.textPixelHeight(Part::Announcement);
            announcedFits = f.display.area(Part::Announcement).contains(f.display.textBounds(Part::Announcement));
            return false;
        });
        const QList<std::pair<Part, double>> shares{{Part::Prompt, 0.08},    {Part::Round, 0.06},      {Part::ScoreToWin, 0.06},
                                                    {Part::Countdown, 0.15}, {Part::PlayerName, 0.05}, {Part::PlayerScore, 0.06}};
        for (const auto &[part, share] : shares) {
            const bool shrinks = part == Part::PlayerName && namesShrink;
            const QString said = QStringLiteral("%1: %2 px")
                                     .arg(QLatin1String(QMetaEnum::fromType<Part>().valueToKey(int(part))))
                                     .arg(f.display.textPixelHeight(part));
            QVERIFY2(f.display.belowShare(part) == shrinks, qPrintable(said));
            QVERIFY2(shrinks || f.display.textPixelHeight(part) >= share * size.height(), qPrintable(said));
            const bool row = part == Part::PlayerName || part == Part::PlayerScore;
            for (int player = 0; player < (row ? Game::kMaxPlayers : 1); ++player) {
                QVERIFY(!f.display.shownText(part, row ? player : -1).isEmpty());
                QVERIFY(f.display.area(part, row ? player : -1).contains(f.display.textBounds(part, row ? player : -1)));
            }
        }
        f.winRound(0);
        QVERIFY(announcedFits);
        QVERIFY(announcedSize >= 0.08 * size.height());
    }

    // Phone play off draws the board as before; on, a card with the QR code,
    // the address and the room code, and the revealed answers or the buzz
    // in the prompt's panel, every name and answer as the phone typed it.
    void phonePlay()
    {
        Fixture f;
        GameHistory history(f.game);
        PhoneRoom room(f.game, history);
        PhoneServer server(room);
        const QImage before = f.display.grab().toImage();
        f.display.followPhonePlay(room, server);
        QCOMPARE(f.display.grab().toImage(), before);
        QCOMPARE(f.display.spokenText().count(u'\n'), 5);

        server.setAddresses({QHostAddress(QHostAddress::LocalHost)});
        QVERIFY(server.start());
        const QString joinText = f.display.shownText(Part::PhoneJoin);
        QVERIFY2(joinText.endsWith(QStringLiteral("Room code: ") + room.code()), qPrintable(joinText));
        QVERIFY(joinText.contains(QStringLiteral("http://127.0.0.1:%1/").arg(server.port())));
        QVERIFY(f.display.area(Part::PhoneJoin).contains(f.display.textBounds(Part::PhoneJoin)));
        QVERIFY(!f.display.phoneCode().isNull());
        const QImage card = f.display.grab().toImage();
        QVERIFY(card.pixelColor(f.display.area(Part::PhoneJoin).left() - 40, f.display.area(Part::PhoneJoin).center().y())
                != SkinColours::board);
        QVERIFY(!card.isNull() && card != before);

        for (const QString &name : {QStringLiteral("<b>Bo</b>"), QStringLiteral("Ann &amp; Cy")})
            QVERIFY(std::holds_alternative<PhoneRoom::Seat>(room.join(room.code(), name, {})));
        QVERIFY(room.answer(0, QStringLiteral("<i>Flag</i>")));
        QVERIFY(room.answer(1, QStringLiteral("Totem")));
        QVERIFY(f.display.shownText(Part::PhoneResult).isEmpty());
        room.reveal();
        QCOMPARE(f.display.shownText(Part::PhoneResult), QStringLiteral("<i>Flag</i>: <b>Bo</b>\nTotem: Ann &amp; Cy"));
        QVERIFY(f.display.area(Part::PhoneResult).contains(f.display.textBounds(Part::PhoneResult)));
        if (const QString shot = qEnvironmentVariable("ZORBEL_PHONE_SHOT"); !shot.isEmpty())
            f.display.grab().save(shot);

        f.game.showMode(Phrase);
        QVERIFY(f.display.shownText(Part::PhoneResult).isEmpty());
        QVERIFY(room.buzz(1));
        QCOMPARE(f.display.shownText(Part::PhoneResult), QStringLiteral("Ann &amp; Cy buzzed first!"));
        server.stop();
        QVERIFY(f.display.shownText(Part::PhoneJoin).isEmpty());
        QVERIFY(f.display.phoneCode().isNull());
    }

    // On a second screen at twice the pixels the display fills that screen
    // and draws at its ratio; F11 and Escape leave full screen. Runs where
    // the platform offers the two screens (see CMakeLists.txt).
    void fullScreenOnTheTelevision()
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        if (screens.size() < 2)
            QSKIP("needs the two-screen platform configuration");
        Fixture f;
        QScreen *tv = screens.at(1);
        f.display.setScreen(tv);
        f.display.move(tv->geometry().topLeft());
        f.display.showFullScreen();
        QVERIFY(QTest::qWaitForWindowExposed(&f.display));
        QCOMPARE(f.display.screen(), tv);
        // The offscreen platform keeps a frame's margin around a full screen window.
        QCOMPARE(f.display.size(), tv->geometry().size());
        QVERIFY(tv->geometry().contains(f.display.geometry().center()));
        const QPixmap shot = f.display.grab();
        QCOMPARE(shot.devicePixelRatio(), 2.0);
        QCOMPARE(shot.size(), tv->geometry().size() * 2);
        QVERIFY(f.display.textPixelHeight(Part::Countdown) >= 0.15 * tv->geometry().height());

        QTest::keyClick(&f.display, Qt::Key_Escape);
        QVERIFY(!f.display.isFullScreen());
        QTest::keyClick(&f.display, Qt::Key_F11);
        QVERIFY(f.display.isFullScreen());
        QTest::keyClick(&f.display, Qt::Key_F11);
        QVERIFY(!f.display.isFullScreen());
    }
};

QTEST_MAIN(TestRoomDisplay)
#include "tst_room_display.moc"
