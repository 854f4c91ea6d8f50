// Phone play on the loopback: the round trip of an answer from a player's
// phone through the game to a display watcher, with ten players joined,
// next to a bare WebSocket relay doing the same hop; and the rate of
// messages the game keeps up with when the phones send as fast as they can
// (the per-phone rate rule lifted, so that the game's own cost shows).

#include "play/game.h"
#include "play/game_history.h"
#include "play/phone/phone_room.h"
#include "play/phone/phone_server.h"
#include "services/app_context.h"
#include "services/clock.h"
#include "services/prompter.h"
#include "services/url_opener.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QWebSocket>
#include <QWebSocketServer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRoundTrips = 2000;
constexpr int kBurst = 20000;

struct Figures {
    double p50 = 0;
    double p99 = 0;
};

Figures figuresOf(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return {times.at(times.size() / 2), times.at(times.size() * 99 / 100)};
}

bool waitUntil(const std::function<bool()> &done)
{
    QElapsedTimer limit;
    limit.start();
    while (!done()) {
        if (limit.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

std::unique_ptr<QWebSocket> connected(const QUrl &url)
{
    auto socket = std::make_unique<QWebSocket>();
    socket->open(url);
    waitUntil([&] { return socket->state() == QAbstractSocket::ConnectedState; });
    return socket;
}

QString json(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// Milliseconds from each player's send to the watcher's receipt, the
// players taking turns.
Figures roundTrips(std::vector<std::unique_ptr<QWebSocket>> &players, QWebSocket &watcher, const QString &expected)
{
    int received = 0;
    const auto count = QObject::connect(&watcher, &QWebSocket::textMessageReceived, [&](const QString &text) {
        if (text.contains(expected))
            ++received;
    });
    QList<double> times;
    QElapsedTimer clock;
    for (int i = 0; i < kRoundTrips; ++i) {
        const int before = received;
        clock.start();
        players[size_t(i) % players.size()]->sendTextMessage(
            json({{"type", "answer"}, {"text", QStringLiteral("answer %1").arg(i)}}));
        if (!waitUntil([&] { return received > before; }))
            break;
        times << double(clock.nsecsElapsed()) / 1e6;
    }
    QObject::disconnect(count);
    return times.isEmpty() ? Figures{} : figuresOf(times);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QFile matches(dir.filePath(questionFileName(QuestionMode::Match)));
    if (!dir.isValid() || !matches.open(QIODevice::WriteOnly)
        || matches.write("Blank Pole\r\nChristmas Blank\r\n") < 0) {
        std::fprintf(stderr, "phone_play: cannot prepare a program directory\n");
        return 1;
    }
    matches.close();
    AppContext context({dir.path(), QStringLiteral("zorbel"), QVersionNumber(1, 0, 0), dir.path()},
                       std::make_unique<SystemClock>(), std::make_unique<MessageBoxPrompter>(),
                       std::make_unique<DesktopUrlOpener>());
    Game game(context);
    game.open();
    GameHistory history(game);
    PhoneRoom room(game, history);
    PhoneServer server(room);
    // Each reading of the clock a second later: no phone is ever over its rate.
    qint64 now = 0;
    server.setClock([&now] { return now += 1000; });
    server.setAddresses({QHostAddress(QHostAddress::LocalHost)});
    if (!server.start()) {
        std::fprintf(stderr, "phone_play: cannot listen on the loopback\n");
        return 1;
    }
    const QUrl live(QStringLiteral("ws://127.0.0.1:%1/").arg(server.livePort()));
    std::vector<std::unique_ptr<QWebSocket>> players;
    for (int i = 0; i < Game::kMaxPlayers; ++i) {
        players.push_back(connected(live));
        players.back()->sendTextMessage(
            json({{"type", "join"}, {"room", room.code()}, {"name", QStringLiteral("Player %1").arg(i + 1)}}));
    }
    auto watcher = connected(live);
    watcher->sendTextMessage(json({{"type", "watch"}, {"room", room.code()}}));
    if (!waitUntil(
            [&] { return server.playerConnections() == Game::kMaxPlayers && server.watcherConnections() == 1; })) {
        std::fprintf(stderr, "phone_play: the phones did not join\n");
        return 1;
    }
    const Figures phone = roundTrips(players, *watcher, QStringLiteral("\"answered\""));

    // The reference: a relay that hands every message straight on.
    QWebSocketServer relay(QStringLiteral("relay"), QWebSocketServer::NonSecureMode);
    relay.listen(QHostAddress::LocalHost);
    std::vector<QWebSocket *> relayed;
    QObject::connect(&relay, &QWebSocketServer::newConnection, [&] {
        while (QWebSocket *socket = relay.nextPendingConnection()) {
            relayed.push_back(socket);
            QObject::connect(socket, &QWebSocket::textMessageReceived,
                             [&](const QString &text) { relayed.front()->sendTextMessage(text); });
        }
    });
    const QUrl relayUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(relay.serverPort()));
    auto relayWatcher = connected(relayUrl);
    waitUntil([&] { return relayed.size() == 1; });
    std::vector<std::unique_ptr<QWebSocket>> relayPlayers;
    for (int i = 0; i < Game::kMaxPlayers; ++i)
        relayPlayers.push_back(connected(relayUrl));
    const Figures plain = roundTrips(relayPlayers, *relayWatcher, QStringLiteral("\"answer\""));

    // As fast as ten phones can send.
    int acknowledged = 0;
    for (auto &player : players) {
        QObject::connect(player.get(), &QWebSocket::textMessageReceived, [&](const QString &text) {
            if (text.contains(QLatin1String("\"answered\"")))
                ++acknowledged;
        });
    }
    QElapsedTimer burst;
    burst.start();
    for (int i = 0; i < kBurst; ++i)
        players[size_t(i) % players.size()]->sendTextMessage(
            json({{"type", "answer"}, {"text", QStringLiteral("a%1").arg(i)}}));
    const bool kept = waitUntil([&] { return acknowledged >= kBurst; });
    const double rate = kBurst / (double(burst.nsecsElapsed()) / 1e9);

    std::printf("phone_answer_round_trip_p50_ms: %.3f\n", phone.p50);
    std::printf("phone_answer_round_trip_p99_ms: %.3f\n", phone.p99);
    std::printf("relay_round_trip_p50_ms: %.3f\n", plain.p50);
    std::printf("relay_round_trip_p99_ms: %.3f\n", plain.p99);
    std::printf("phone_p99_within_20_ms: %s\n", phone.p99 < 20 ? "yes" : "no");
    std::printf("phone_sustained_messages_per_s: %.0f%s\n", rate, kept ? "" : " (messages lost)");
    std::printf("phone_refused_messages: %d\n", server.refusedMessages());
    std::printf("phone_round_trip_p99_vs_relay: %.2f\n", plain.p99 > 0 ? phone.p99 / plain.p99 : 0.0);
    return kept && phone.p99 < 20 ? 0 : 1;
}
