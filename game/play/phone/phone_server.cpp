#include "play/phone/phone_server.h"

#include "play/phone/phone_message.h"
#include "play/phone/phone_room.h"
#include "play/phone/private_address.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {

// The page runs its own script and styles and may reach only this server.
const QByteArray kPagePolicy = "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; "
                               "connect-src 'self' ws: wss:; img-src 'self' data:; base-uri 'none'; form-action 'none'";

QList<QHostAddress> localPrivateAddresses()
{
    QList<QHostAddress> addresses{QHostAddress(QHostAddress::LocalHost)};
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback() && isPrivateAddress(address))
            addresses << address;
    }
    return addresses;
}

QHttpServerResponse refusal(QHttpServerResponse::StatusCode status)
{
    return QHttpServerResponse(QByteArrayLiteral("text/plain"), QByteArray(), status);
}

QJsonObject typed(const char *type)
{
    return {{QStringLiteral("type"), QLatin1String(type)}};
}

} // namespace

struct PhoneServer::Connection {
    QWebSocket *socket = nullptr;
    int player = -1;
    bool watcher = false;
    qint64 lastHeard = 0;
    // The rate rule: a bucket of messages that fills by kMessagesPerSecond
    // and holds at most a second's worth.
    double allowance = kMessagesPerSecond;
    qint64 filled = 0;

    bool introduced() const { return player >= 0 || watcher; }
};

PhoneServer::PhoneServer(PhoneRoom &room, QObject *parent)
    : QObject(parent)
    , m_room(room)
    , m_idleCheck(new QTimer(this))
{
    m_clock = [timer = std::make_shared<QElapsedTimer>()] {
        if (!timer->isValid())
            timer->start();
        return timer->elapsed();
    };
    m_idleCheck->setInterval(int(kIntroductionMs / 2));
    connect(m_idleCheck, &QTimer::timeout, this, &PhoneServer::closeIdleConnections);

    connect(&m_room, &PhoneRoom::promptChanged, this, [this] { sendAll(promptMessage()); });
    connect(&m_room, &PhoneRoom::revealedChanged, this,
            [this](bool revealed) { sendAll(revealed ? revealMessage() : promptMessage()); });
    connect(&m_room, &PhoneRoom::buzzChanged, this, [this] { sendAll(buzzMessage()); });
    connect(&m_room.game(), &Game::playerNameChanged, this, [this](int player, const QString &name) {
        QJsonObject message = typed("name");
        message.insert(QStringLiteral("player"), player);
        message.insert(QStringLiteral("name"), name);
        sendAll(message, false);
    });
}

PhoneServer::~PhoneServer()
{
    stop();
}

bool PhoneServer::start(quint16 port)
{
    stop();
    auto http = std::make_unique<QHttpServer>();
    auto live = std::make_unique<QWebSocketServer>(QStringLiteral("Zorbel"), QWebSocketServer::NonSecureMode);
    quint16 livePort = 0;
    for (const QHostAddress &address : m_wanted.isEmpty() ? localPrivateAddresses() : m_wanted) {
        if (!isPrivateAddress(address))
            continue;
        auto *pages = new QTcpServer(http.get());
        auto *channel = new QTcpServer(live.get());
        if (!pages->listen(address, port) || !channel->listen(address, livePort)) {
            delete pages;
            delete channel;
            continue;
        }
        port = pages->serverPort();
        livePort = channel->serverPort();
        http->bind(pages);
        // Only a private address gets as far as the WebSocket handshake.
        connect(channel, &QTcpServer::newConnection, live.get(), [channel, server = live.get()] {
            while (QTcpSocket *socket = channel->nextPendingConnection()) {
                if (isPrivateAddress(socket->peerAddress())) {
                    server->handleConnection(socket);
                } else {
                    socket->abort();
                    socket->deleteLater();
                }
            }
        });
        m_addresses << address;
    }
    if (m_addresses.isEmpty())
        return false;

    const QByteArray livePortText = QByteArray::number(livePort);
    http->route(QStringLiteral("/"), [livePortText](const QHttpServerRequest &request) {
        if (!isPrivateAddress(request.remoteAddress()))
            return refusal(QHttpServerResponse::StatusCode::Forbidden);
        QFile page(QStringLiteral(":/phone/index.html"));
        if (!page.open(QIODevice::ReadOnly))
            return refusal(QHttpServerResponse::StatusCode::InternalServerError);
        QHttpServerResponse response(QByteArrayLiteral("text/html; charset=utf-8"),
                                     page.readAll().replace("data-live=\"0\"", "data-live=\"" + livePortText + '"'));
        response.setHeader(QByteArrayLiteral("Content-Security-Policy"), kPagePolicy);
        response.setHeader(QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store"));
        response.setHeader(QByteArrayLiteral("X-Content-Type-Options"), QByteArrayLiteral("nosniff"));
        response.setHeader(QByteArrayLiteral("Referrer-Policy"), QByteArrayLiteral("no-referrer"));
        return response;
    });
    connect(live.get(), &QWebSocketServer::newConnection, this, [this] {
        while (m_live && m_live->hasPendingConnections())
            accept(m_live->nextPendingConnection());
    });
    m_http = std::move(http);
    m_live = std::move(live);
    m_port = port;
    m_livePort = livePort;
    m_refused = 0;
    m_room.open();
    m_idleCheck->start();
    m_on = true;
    Q_EMIT onChanged(true);
    return true;
}

void PhoneServer::stop()
{
    if (!m_on)
        return;
    m_on = false;
    m_idleCheck->stop();
    // Closing a socket may call back into this server; the list is emptied first.
    const auto connections = std::exchange(m_connections, {});
    for (const auto &connection : connections) {
        connection->socket->disconnect(this);
        connection->socket->abort();
        connection->socket->deleteLater();
    }
    m_http.reset();
    m_live.reset();
    m_addresses.clear();
    m_port = m_livePort = 0;
    Q_EMIT onChanged(false);
}

QUrl PhoneServer::pageAddress() const
{
    if (!m_on)
        return {};
    QHostAddress host = m_addresses.constFirst();
    for (const QHostAddress &address : m_addresses) {
        if (!address.isLoopback()) {
            host = address;
            break;
        }
    }
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host.toString());
    url.setPort(m_port);
    url.setPath(QStringLiteral("/"));
    url.setQuery(QStringLiteral("room=") + m_room.code());
    return url;
}

int PhoneServer::playerConnections() const
{
    return int(std::count_if(m_connections.begin(), m_connections.end(), [](const auto &c) { return c->player >= 0; }));
}

int PhoneServer::watcherConnections() const
{
    return int(std::count_if(m_connections.begin(), m_connections.end(), [](const auto &c) { return c->watcher; }));
}

void PhoneServer::accept(QWebSocket *socket)
{
    socket->setParent(this);
    if (int(m_connections.size()) >= kMaxConnections) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    socket->setMaxAllowedIncomingMessageSize(4 * PhoneMessage::kMaxBytes);
    socket->setMaxAllowedIncomingFrameSize(4 * PhoneMessage::kMaxBytes);
    auto connection = std::make_unique<Connection>();
    connection->socket = socket;
    connection->lastHeard = connection->filled = m_clock();
    Connection &c = *connection;
    m_connections.push_back(std::move(connection));
    connect(socket, &QWebSocket::textMessageReceived, this,
            [this, &c](const QString &message) { receive(c, message.toUtf8()); });
    connect(socket, &QWebSocket::binaryMessageReceived, this, [this, &c](const QByteArray &) {
        ++m_refused;
        refuse(c, QStringLiteral("not text"));
    });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] { drop(socket); });
}

void PhoneServer::drop(QWebSocket *socket)
{
    const auto found = std::find_if(m_connections.begin(), m_connections.end(),
                                    [socket](const auto &c) { return c->socket == socket; });
    if (found == m_connections.end())
        return;
    m_connections.erase(found);
    socket->deleteLater();
}

bool PhoneServer::withinRate(Connection &connection)
{
    const qint64 now = m_clock();
    connection.allowance = std::min<double>(
        kMessagesPerSecond, connection.allowance + (now - connection.filled) * kMessagesPerSecond / 1000.0);
    connection.filled = now;
    if (connection.allowance < 1)
        return false;
    connection.allowance -= 1;
    connection.lastHeard = now;
    return true;
}

void PhoneServer::receive(Connection &connection, const QByteArray &bytes)
{
    if (!withinRate(connection)) {
        ++m_refused;
        return;
    }
    const auto parsed = PhoneMessage::parse(bytes);
    if (const QString *problem = std::get_if<QString>(&parsed)) {
        ++m_refused;
        refuse(connection, *problem);
        return;
    }
    const PhoneMessage &message = std::get<PhoneMessage>(parsed);
    const bool introduction = message.kind == PhoneMessage::Kind::Join || message.kind == PhoneMessage::Kind::Watch;
    if (introduction == connection.introduced()) {
        ++m_refused;
        refuse(connection, connection.introduced() ? QStringLiteral("already in") : QStringLiteral("join first"));
        return;
    }

    switch (message.kind) {
    case PhoneMessage::Kind::Watch:
        if (message.room.compare(m_room.code(), Qt::CaseInsensitive) != 0 || watcherConnections() >= kMaxWatchers) {
            refuse(connection, QStringLiteral("wrong room code or too many watchers"));
            connection.socket->close();
            return;
        }
        connection.watcher = true;
        send(connection, typed("watching"));
        break;
    case PhoneMessage::Kind::Join: {
        const auto seat = m_room.join(message.room, message.name, message.token);
        if (const QString *problem = std::get_if<QString>(&seat)) {
            refuse(connection, *problem);
            connection.socket->close();
            return;
        }
        const PhoneRoom::Seat &taken = std::get<PhoneRoom::Seat>(seat);
        // A phone back on its row replaces the connection it dropped.
        QList<QWebSocket *> replaced;
        for (const auto &other : m_connections) {
            if (other.get() != &connection && other->player == taken.player) {
                other->player = -1;
                replaced << other->socket;
            }
        }
        for (QWebSocket *socket : std::as_const(replaced))
            socket->close();
        connection.player = taken.player;
        QJsonObject joined = typed("joined");
        joined.insert(QStringLiteral("player"), taken.player);
        joined.insert(QStringLiteral("token"), taken.token);
        joined.insert(QStringLiteral("name"), m_room.game().playerName(taken.player));
        send(connection, joined);
        break;
    }
    case PhoneMessage::Kind::Answer:
        if (connection.player < 0 || !m_room.answer(connection.player, message.text)) {
            refuse(connection, QStringLiteral("no answer is taken now"));
            return;
        }
        {
            QJsonObject answered = typed("answered");
            answered.insert(QStringLiteral("player"), connection.player);
            send(connection, answered);
            for (const auto &other : m_connections) {
                if (other->watcher)
                    send(*other, answered);
            }
        }
        return;
    case PhoneMessage::Kind::Buzz:
        if (connection.player < 0 || !m_room.buzz(connection.player))
            refuse(connection, QStringLiteral("too late"));
        return;
    case PhoneMessage::Kind::Ping:
        send(connection, typed("pong"));
        return;
    }
    send(connection, m_room.revealed() ? revealMessage() : promptMessage());
    send(connection, buzzMessage());
}

void PhoneServer::refuse(Connection &connection, const QString &reason)
{
    QJsonObject message = typed("refused");
    message.insert(QStringLiteral("reason"), reason);
    send(connection, message);
}

void PhoneServer::send(const Connection &connection, const QJsonObject &message) const
{
    connection.socket->sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

void PhoneServer::sendAll(const QJsonObject &message, bool playersToo) const
{
    for (const auto &connection : m_connections) {
        if (connection->watcher || (playersToo && connection->player >= 0))
            send(*connection, message);
    }
}

QJsonObject PhoneServer::promptMessage() const
{
    const Game &game = m_room.game();
    const QuestionMode mode = game.modeOnShow();
    QJsonObject message = typed("prompt");
    message.insert(QStringLiteral("mode"),
                   mode == QuestionMode::Match ? QLatin1String("match") : QLatin1String("phrase"));
    message.insert(QStringLiteral("text"), game.question(mode));
    message.insert(QStringLiteral("open"), mode == QuestionMode::Match ? m_room.takesAnswers() : game.onShow(mode));
    return message;
}

QJsonObject PhoneServer::buzzMessage() const
{
    QJsonObject message = typed("buzz");
    const int player = m_room.buzzedPlayer();
    message.insert(QStringLiteral("player"), player);
    message.insert(QStringLiteral("name"), player >= 0 ? m_room.game().playerName(player) : QString());
    return message;
}

QJsonObject PhoneServer::revealMessage() const
{
    QJsonArray groups;
    for (const PhoneRoom::AnswerGroup &group : m_room.groups()) {
        QJsonArray names;
        for (const int player : group.players)
            names.append(m_room.game().playerName(player));
        groups.append(QJsonObject{{QStringLiteral("answer"), group.answer}, {QStringLiteral("players"), names}});
    }
    QJsonObject message = typed("reveal");
    message.insert(QStringLiteral("groups"), groups);
    return message;
}

void PhoneServer::closeIdleConnections()
{
    const qint64 now = m_clock();
    QList<QWebSocket *> idle;
    for (const auto &connection : m_connections) {
        if (now - connection->lastHeard >= (connection->introduced() ? kIdleMs : kIntroductionMs))
            idle << connection->socket;
    }
    for (QWebSocket *socket : std::as_const(idle))
        socket->close();
}
