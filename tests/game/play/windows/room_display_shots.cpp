// Draws the README's pictures of the room display, offscreen at 1920 x 1080:
// a game in its second round with four named players, a match prompt and a
// running countdown, the same prompt with phone play on and the players'
// answers revealed, then the same game at its winner's announcement.
//
//   room_display_shots OUT_DIR   (writes room-display.png, room-display-phones.png,
//                                 room-display-win.png)

#include "play/game.h"
#include "play/game_history.h"
#include "play/phone/phone_room.h"
#include "play/phone/phone_server.h"
#include "play/question_loader.h"
#include "play/windows/room_display.h"
#include "test_context.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: room_display_shots OUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));

    TestContext test;
    const QStringList matches{"Blank Pole", "Christmas Blank", "Snow Blank Man", "Blank Ball",  "Fire Blank", "Blank House",
                              "Moon Blank", "Blank Cake",      "Paper Blank",    "Blank Light", "Sea Blank",  "Blank Storm"};
    test.writeFile(questionFileName(QuestionMode::Match), matches.join(QLatin1String("\r\n")).toUtf8());
    Game game(test.context());
    game.open();
    game.setPlayerCount(4);
    const QStringList names{"Maya", "Theo", "Priya", "Jonas"};
    for (int i = 0; i < names.size(); ++i)
        game.setPlayerName(i, names.at(i));
    for (const int player : {0, 0, 0, 1, 1, 2, 2, 2, 2, 3})
        game.raiseScore(player);
    for (int step = 0; step < 5; ++step)
        game.next(QuestionMode::Match);
    game.setTimerOn(true);
    game.checkTimer();
    for (int second = 0; second < 18; ++second)
        game.tick();

    RoomDisplay display(game);
    display.resize(1920, 1080);
    display.show();
    bool written = display.grab().save(out.filePath(QStringLiteral("room-display.png")));

    // The four join from their phones (on the loopback only) and answer.
    GameHistory history(game);
    PhoneRoom room(game, history);
    PhoneServer server(room);
    server.setAddresses({QHostAddress(QHostAddress::LocalHost)});
    display.followPhonePlay(room, server);
    written = server.start() && written;
    const QStringList answers{"Flag", "flag!", "Totem", "Bean"};
    for (int i = 0; i < names.size(); ++i) {
        room.join(room.code(), names.at(i), {});
        room.answer(i, answers.at(i));
    }
    room.reveal();
    written = display.grab().save(out.filePath(QStringLiteral("room-display-phones.png"))) && written;
    server.stop();

    // Priya reaches the score to win; the round ends with Jonas's step.
    while (game.score(2) < game.scoreToWin())
        game.raiseScore(2);
    game.setAnnouncer([&](const Scoreboard::Decision &) {
        written = display.grab().save(out.filePath(QStringLiteral("room-display-win.png"))) && written;
        return false;
    });
    for (int step = game.currentPlayer(); step < game.playerCount(); ++step)
        game.next(QuestionMode::Match);
    if (!written) {
        std::fprintf(stderr, "room_display_shots: cannot write the pictures in %s\n", argv[1]);
        return 1;
    }
    std::printf("wrote room-display.png, room-display-phones.png and room-display-win.png in %s\n", qPrintable(out.path()));
    return 0;
}
