#include "play/game_history.h"
#include "play/phone/phone_room.h"
#include "play/phone/phone_server.h"
#include "test_context.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTest>
#include <QWebSocket>

#include <memory>

namespace {

using enum QuestionMode;

// A phone, or a display watcher, on the loopback: it keeps every message
// the game sent it.
class Phone
{
public:
    explicit Phone(const PhoneServer &server)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived,
                         [this](const QString &text) { received << QJsonDocument::fromJson(text.toUtf8()).object(); });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(server.livePort())));
    }
    bool opened()
    {
        return QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::ConnectedState; }, 5000);
    }
    void send(const QJsonObject &message) { sendRaw(QJsonDocument(message).toJson(QJsonDocument::Compact)); }
    void sendRaw(const QByteArray &bytes) { socket.sendTextMessage(QString::fromUtf8(bytes)); }
    int count(const QString &type) const
    {
        return int(
            std::count_if(received.begin(), received.end(), [&type](const QJsonObject &m) { return m.value(u"type").toString() == type; }));
    }
    // The latest message of its type, once it came.
    QJsonObject waitFor(const QString &type, int atLeast = 1)
    {
        if (!QTest::qWaitFor([&] { return count(type) >= atLeast; }, 5000))
            return {};
        for (auto it = received.crbegin(); it != received.crend(); ++it) {
            if (it->value(u"type").toString() == type)
                return *it;
        }
        return {};
    }
    bool closedByGame()
    {
        return QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::UnconnectedState; }, 5000);
    }

    QWebSocket socket;
    QList<QJsonObject> received;
};

QJsonObject joinMessage(const QString &room, const QString &name, const QString &token = {})
{
    return {{"type", "join"}, {"room", room}, {"name", name}, {"token", token}};
}

QJsonObject answerMessage(const QString &text)
{
    return {{"type", "answer"}, {"text", text}};
}

class Fixture
{
public:
    Fixture()
    {
        test.writeFile(questionFileName(Match), "Blank Pole\r\nChristmas Blank\r\nSnow Blank Man");
        test.writeFile(questionFileName(Phrase), "Even his Blank makes me laugh.\r\nA Blank suit.");
        game.open();
        server.setClock([this] { return now; });
        server.setAddresses({QHostAddress(QHostAddress::LocalHost)});
        if (!server.start())
            qFatal("phone play could not listen on the loopback");
    }

    std::unique_ptr<Phone> join(const QString &name, const QString &token = {})
    {
        auto phone = std::make_unique<Phone>(server);
        if (phone->opened())
            phone->send(joinMessage(room.code(), name, token));
        phone->waitFor(QStringLiteral("joined"));
        return phone;
    }
    std::unique_ptr<Phone> watch()
    {
        auto watcher = std::make_unique<Phone>(server);
        if (watcher->opened())
            watcher->send({{"type", "watch"}, {"room", room.code()}});
        watcher->waitFor(QStringLiteral("watching"));
        return watcher;
    }

    TestContext test;
    Game game{test.context()};
    GameHistory history{game};
    PhoneRoom room{game, history};
    PhoneServer server{room};
    qint64 now = 0;
};

// The process's resident memory, where the system tells it.
qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

QStringList names(const QJsonArray &players)
{
    QStringList list;
    for (const QJsonValue &name : players)
        list << name.toString();
    return list;
}

} // namespace

class TestPhoneServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersRevealedAndAwarded();
    void firstBuzzWins();
    void promptDecidesWhatIsTaken();
    void droppedPhoneReturnsToItsRow();
    void eleventhPlayerRefused();
    void wrongRoomCodeRefused();
    void badMessagesChangeNothing_data();
    void badMessagesChangeNothing();
    void rateAndIdleLimits();
    void servesOnlyThePage();
    void turningOffClosesEverything();
    void loadOfTenPlayersAndTwentyWatchers();
};

void TestPhoneServer::answersRevealedAndAwarded()
{
    Fixture f;
    auto watcher = f.watch();
    auto ann = f.join(QStringLiteral("Ann"));
    auto bob = f.join(QStringLiteral("Bob"));
    f.game.giveTurnTo(1);
    auto cy = f.join(QStringLiteral("Cy"));
    QCOMPARE(f.game.playerCount(), 3);
    QCOMPARE(f.game.currentPlayer(), 1); // a join leaves the turn where it is
    QCOMPARE((QStringList{f.game.playerName(0), f.game.playerName(1), f.game.playerName(2)}), (QStringList{"Ann", "Bob", "Cy"}));
    QCOMPARE(ann->waitFor(QStringLiteral("prompt")).value(u"mode").toString(), QStringLiteral("match"));

    ann->send(answerMessage(QStringLiteral("Bean")));
    ann->waitFor(QStringLiteral("answered"));
    ann->send(answerMessage(QStringLiteral("Flag")));
    bob->send(answerMessage(QStringLiteral("  flag! ")));
    cy->send(answerMessage(QStringLiteral("Totem")));
    // The watcher learns who answered, never what.
    const QJsonObject answered = watcher->waitFor(QStringLiteral("answered"), 4);
    QCOMPARE(answered.keys(), (QStringList{"player", "type"}));
    QCOMPARE(f.room.answerOf(0), QStringLiteral("Flag"));
    QVERIFY(f.room.answered(1) && f.room.answered(2));

    f.room.reveal();
    const QJsonObject reveal = watcher->waitFor(QStringLiteral("reveal"));
    const QJsonArray groups = reveal.value(u"groups").toArray();
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups[0].toObject().value(u"answer").toString(), QStringLiteral("Flag"));
    QCOMPARE(names(groups[0].toObject().value(u"players").toArray()), (QStringList{"Ann", "Bob"}));
    QCOMPARE(names(groups[1].toObject().value(u"players").toArray()), (QStringList{"Cy"}));

    // Revealed answers stand.
    cy->send(answerMessage(QStringLiteral("Flag")));
    QCOMPARE(cy->waitFor(QStringLiteral("refused")).value(u"reason").toString(), QStringLiteral("no answer is taken now"));
    QCOMPARE(f.room.answerOf(2), QStringLiteral("Totem"));

    f.room.awardMatches();
    f.room.awardMatches();
    QCOMPARE((QList<int>{f.game.score(0), f.game.score(1), f.game.score(2)}), (QList<int>{1, 1, 0}));
    QCOMPARE(f.history.stack().undoText(), QStringLiteral("Award matches"));
    f.history.stack().undo();
    QCOMPARE((QList<int>{f.game.score(0), f.game.score(1), f.game.score(2)}), (QList<int>{0, 0, 0}));
    f.history.stack().redo();
    QCOMPARE(f.game.score(1), 1);

    // The next prompt clears the answers and opens the field again.
    f.game.next(Match);
    QVERIFY(!f.room.answered(0) && !f.room.revealed());
    QVERIFY(cy->waitFor(QStringLiteral("prompt"), 2).value(u"open").toBool());
}

void TestPhoneServer::firstBuzzWins()
{
    Fixture f;
    auto watcher = f.watch();
    auto ann = f.join(QStringLiteral("Ann"));
    auto bob = f.join(QStringLiteral("Bob"));
    f.game.showMode(Phrase);
    QCOMPARE(bob->waitFor(QStringLiteral("prompt"), 2).value(u"mode").toString(), QStringLiteral("phrase"));

    // Both at once: whichever reached the game first has the turn, the
    // other is told it came too late.
    bob->send({{"type", "buzz"}});
    ann->send({{"type", "buzz"}});
    const QJsonObject buzz = watcher->waitFor(QStringLiteral("buzz"), 2);
    const int winner = buzz.value(u"player").toInt();
    QCOMPARE(buzz.value(u"name").toString(), f.game.playerName(winner));
    Phone &loser = winner == 0 ? *bob : *ann;
    QCOMPARE(loser.waitFor(QStringLiteral("refused")).value(u"reason").toString(), QStringLiteral("too late"));
    QCOMPARE(f.room.buzzedPlayer(), winner);
    QCOMPARE(f.game.currentPlayer(), winner);
    QCOMPARE(watcher->count(QStringLiteral("buzz")), 2);

    // Released by the host, the next buzz wins again.
    f.room.releaseBuzz();
    loser.send({{"type", "buzz"}});
    QTRY_COMPARE(f.room.buzzedPlayer(), 1 - winner);
    QCOMPARE(f.game.currentPlayer(), 1 - winner);
    (winner == 0 ? *ann : *bob).send({{"type", "buzz"}});
    QCOMPARE((winner == 0 ? *ann : *bob).waitFor(QStringLiteral("refused")).value(u"reason").toString(), QStringLiteral("too late"));
    f.game.next(Phrase);
    QCOMPARE(f.room.buzzedPlayer(), -1);
}

// Answers only to a match prompt on show, buzzes only at a phrase, and
// only from a phone that holds its row; the join is a step the host can
// take back.
void TestPhoneServer::promptDecidesWhatIsTaken()
{
    Fixture f;
    QVERIFY(!f.room.answer(0, QStringLiteral("Flag")));
    QVERIFY(std::holds_alternative<PhoneRoom::Seat>(f.room.join(f.room.code().toLower(), QStringLiteral(" Ann "), {})));
    QCOMPARE(f.game.playerName(0), QStringLiteral("Ann"));
    QCOMPARE(f.history.stack().undoText(), QStringLiteral("Phone player 1 joins"));
    QVERIFY(!f.room.buzz(0));
    QVERIFY(!f.room.answer(0, QStringLiteral("   ")));
    QVERIFY(f.room.answer(0, QStringLiteral("Flag")));
    f.game.showMode(Phrase);
    QVERIFY(!f.room.answered(0));
    QVERIFY(!f.room.answer(0, QStringLiteral("Flag")));
    f.room.reveal();
    QVERIFY(!f.room.revealed());
    QVERIFY(f.room.buzz(0));
    QVERIFY(!f.room.buzz(0));
    QCOMPARE(std::get<QString>(f.room.join(f.room.code(), QStringLiteral("   "), {})), QStringLiteral("no name"));
}

void TestPhoneServer::droppedPhoneReturnsToItsRow()
{
    Fixture f;
    auto ann = f.join(QStringLiteral("Ann"));
    auto bob = f.join(QStringLiteral("Bob"));
    const QString token = bob->waitFor(QStringLiteral("joined")).value(u"token").toString();
    QCOMPARE(token.size(), 32);
    bob->socket.close();
    QTRY_COMPARE(f.server.playerConnections(), 1);

    auto back = f.join(QStringLiteral("Bobby"), token);
    QCOMPARE(back->waitFor(QStringLiteral("joined")).value(u"player").toInt(), 1);
    QCOMPARE(f.game.playerName(1), QStringLiteral("Bobby"));
    QCOMPARE(f.game.playerCount(), 2);
    // A second phone with the same token takes the row over.
    auto again = f.join(QStringLiteral("Bob"), token);
    QVERIFY(back->closedByGame());
    QCOMPARE(f.server.playerConnections(), 2);
}

void TestPhoneServer::eleventhPlayerRefused()
{
    Fixture f;
    std::vector<std::unique_ptr<Phone>> phones;
    for (int i = 0; i < Game::kMaxPlayers; ++i)
        phones.push_back(f.join(QStringLiteral("P%1").arg(i + 1)));
    QCOMPARE(f.game.playerCount(), 10);
    QCOMPARE(f.game.playerName(9), QStringLiteral("P10"));

    Phone eleventh(f.server);
    QVERIFY(eleventh.opened());
    eleventh.send(joinMessage(f.room.code(), QStringLiteral("P11")));
    QCOMPARE(eleventh.waitFor(QStringLiteral("refused")).value(u"reason").toString(), QStringLiteral("the room is full"));
    QVERIFY(eleventh.closedByGame());
    QCOMPARE(f.server.playerConnections(), 10);
}

void TestPhoneServer::wrongRoomCodeRefused()
{
    Fixture f;
    const Game::Snapshot before = f.game.snapshot();
    const QString wrong = f.room.code() == QLatin1String("ZZZZ") ? QStringLiteral("YYYY") : QStringLiteral("ZZZZ");
    for (const QJsonObject &message : {joinMessage(wrong, QStringLiteral("Eve")), QJsonObject{{"type", "watch"}, {"room", wrong}}}) {
        Phone phone(f.server);
        QVERIFY(phone.opened());
        phone.send(message);
        QVERIFY(phone.waitFor(QStringLiteral("refused")).contains(u"reason"));
        QVERIFY(phone.closedByGame());
    }
    QVERIFY(f.game.snapshot() == before);
    QCOMPARE(f.server.playerConnections() + f.server.watcherConnections(), 0);
}

void TestPhoneServer::badMessagesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("oversized") << QByteArray(R"({"type":"answer","text":"x"})") + QByteArray(2000, ' ') << "message too long";
    QTest::newRow("malformed") << QByteArray(R"({"type":"answer","text":)") << "not a JSON object";
    QTest::newRow("unknown type") << QByteArray(R"({"type":"score","player":0,"score":99})") << "unknown type";
    QTest::newRow("unknown field") << QByteArray(R"({"type":"answer","text":"x","player":1})") << "unknown field";
    QTest::newRow("wrong field type") << QByteArray(R"({"type":"answer","text":["x"]})") << "bad text";
    QTest::newRow("second join") << QByteArray(R"({"type":"join","room":"ABCD","name":"Mallory"})") << "already in";
}

void TestPhoneServer::badMessagesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    Fixture f;
    auto ann = f.join(QStringLiteral("Ann"));
    const Game::Snapshot before = f.game.snapshot();
    ann->sendRaw(bytes);
    QCOMPARE(ann->waitFor(QStringLiteral("refused")).value(u"reason").toString(), reason);
    QCOMPARE(f.server.refusedMessages(), 1);
    QVERIFY(f.game.snapshot() == before);
    QVERIFY(!f.room.answered(0));
    // The connection stays for the messages that follow the rules.
    ann->send(answerMessage(QStringLiteral("Bean")));
    ann->waitFor(QStringLiteral("answered"));
    QCOMPARE(f.room.answerOf(0), QStringLiteral("Bean"));
}

void TestPhoneServer::rateAndIdleLimits()
{
    Fixture f;
    auto ann = f.join(QStringLiteral("Ann"));
    auto bob = f.join(QStringLiteral("Bob"));
    // A second's worth of messages at once, and ten more.
    for (int i = 0; i < PhoneServer::kMessagesPerSecond + 9; ++i)
        ann->send({{"type", "ping"}});
    ann->waitFor(QStringLiteral("pong"), PhoneServer::kMessagesPerSecond - 1);
    QTRY_COMPARE(f.server.refusedMessages(), 10);
    QCOMPARE(ann->count(QStringLiteral("pong")), PhoneServer::kMessagesPerSecond - 1);
    f.now += 100; // five more
    for (int i = 0; i < 6; ++i)
        ann->send({{"type", "ping"}});
    QTRY_COMPARE(f.server.refusedMessages(), 11);
    QCOMPARE(ann->count(QStringLiteral("pong")), PhoneServer::kMessagesPerSecond + 4);

    // A connection that never says who it is goes first.
    Phone silent(f.server);
    QVERIFY(silent.opened());
    f.now += PhoneServer::kIntroductionMs;
    f.server.closeIdleConnections();
    QVERIFY(silent.closedByGame());
    QCOMPARE(ann->socket.state(), QAbstractSocket::ConnectedState);

    // Only the quiet connection goes when it has been quiet too long.
    f.now = PhoneServer::kIdleMs;
    bob->send({{"type", "ping"}});
    bob->waitFor(QStringLiteral("pong"));
    f.now = PhoneServer::kIdleMs + 100;
    f.server.closeIdleConnections();
    QVERIFY(ann->closedByGame());
    QCOMPARE(bob->socket.state(), QAbstractSocket::ConnectedState);
}

void TestPhoneServer::servesOnlyThePage()
{
    Fixture f;
    QNetworkAccessManager network;
    const auto get = [&](const QString &path) {
        std::unique_ptr<QNetworkReply> reply(
            network.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(f.server.port()).arg(path)))));
        if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 5000))
            qFatal("no answer from phone play");
        return reply;
    };
    const auto page = get(QStringLiteral("/?room=") + f.room.code());
    QCOMPARE(page->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
    QVERIFY(page->rawHeader("Content-Type").startsWith("text/html"));
    QVERIFY(page->rawHeader("Content-Security-Policy").contains("default-src 'none'"));
    const QByteArray html = page->readAll();
    QVERIFY(html.contains("BUZZ"));
    QVERIFY(!html.contains("innerHTML"));
    QVERIFY(!html.contains("http://") && !html.contains("https://"));
    for (const QString &path : {QStringLiteral("/index.html"), QStringLiteral("/../Zorbel.cfg"), QStringLiteral("/x")})
        QCOMPARE(get(path)->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 404);
    QCOMPARE(f.server.pageAddress().host(), QStringLiteral("127.0.0.1"));
    QCOMPARE(f.server.pageAddress().query(), QStringLiteral("room=") + f.room.code());
}

void TestPhoneServer::turningOffClosesEverything()
{
    Fixture f;
    auto ann = f.join(QStringLiteral("Ann"));
    auto watcher = f.watch();
    const quint16 port = f.server.livePort();
    QSignalSpy off(&f.server, &PhoneServer::onChanged);
    f.server.stop();
    QCOMPARE(off.size(), 1);
    QVERIFY(ann->closedByGame());
    QVERIFY(watcher->closedByGame());
    QWebSocket late;
    late.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(port)));
    QSignalSpy failed(&late, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error));
    QVERIFY(failed.wait(5000));
    // Nothing listens on an address outside the private ranges.
    f.server.setAddresses({QHostAddress(QStringLiteral("8.8.8.8"))});
    QVERIFY(!f.server.start());
    QVERIFY(!f.server.isOn());
}

// Ten players and twenty watchers send a thousand messages a second for ten
// seconds of the server's clock: every message of theirs is answered and
// every answer reaches every watcher.
void TestPhoneServer::loadOfTenPlayersAndTwentyWatchers()
{
    Fixture f;
    std::vector<std::unique_ptr<Phone>> players;
    std::vector<std::unique_ptr<Phone>> watchers;
    for (int i = 0; i < Game::kMaxPlayers; ++i)
        players.push_back(f.join(QStringLiteral("P%1").arg(i)));
    for (int i = 0; i < PhoneServer::kMaxWatchers; ++i)
        watchers.push_back(f.watch());
    const int clients = int(players.size() + watchers.size());
    const int rounds = 10'000 / clients;
    [[maybe_unused]] const qint64 memoryBefore = residentKiB();
    for (int round = 0; round < rounds; ++round) {
        f.now += clients; // a millisecond a message
        for (auto &player : players)
            player->send(answerMessage(QStringLiteral("answer %1").arg(round)));
        for (auto &watcher : watchers)
            watcher->send({{"type", "ping"}});
        if (round % 20 == 0)
            QCoreApplication::processEvents();
    }
    for (auto &player : players)
        QVERIFY(player->waitFor(QStringLiteral("answered"), rounds).value(u"player").isDouble());
    for (auto &watcher : watchers) {
        QVERIFY(!watcher->waitFor(QStringLiteral("pong"), rounds).isEmpty());
        QVERIFY(!watcher->waitFor(QStringLiteral("answered"), rounds * Game::kMaxPlayers).isEmpty());
    }
    QCOMPARE(f.server.refusedMessages(), 0);
    QCOMPARE(f.room.answerOf(9), QStringLiteral("answer %1").arg(rounds - 1));
    QCOMPARE(f.server.playerConnections() + f.server.watcherConnections(), clients);
    // AddressSanitizer keeps freed memory in its quarantine, so there the
    // resident size says nothing about what the server holds.
#if !defined(__SANITIZE_ADDRESS__)
    QVERIFY2(residentKiB() - memoryBefore < 64 * 1024, qPrintable(QString::number(residentKiB() - memoryBefore)));
#endif
}

QTEST_GUILESS_MAIN(TestPhoneServer)
#include "tst_phone_server.moc"
