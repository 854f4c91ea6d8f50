#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>

class PhoneRoom;
class QHttpServer;
class QTcpServer;
class QJsonObject;
class QTimer;
class QWebSocket;
class QWebSocketServer;

// Phone play on the network: the one phone page over HTTP and the live
// channel over WebSocket on the next port. It listens only while it is on,
// only on private-network addresses and the loopback, and answers no one
// from elsewhere. Every message goes through PhoneMessage first; a message
// refused there, or one over a connection's rate, is counted and dropped.
class PhoneServer : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxWatchers = 20;
    // Players and watchers, and a few still saying who they are.
    static constexpr int kMaxConnections = 10 + kMaxWatchers + 4;
    static constexpr int kMessagesPerSecond = 50;
    static constexpr qint64 kIdleMs = 5 * 60 * 1000;
    // A connection that has not said who it is by then holds a place for nobody.
    static constexpr qint64 kIntroductionMs = 10 * 1000;

    // Milliseconds from any fixed point: the rate and idle rules read it.
    using Clock = std::function<qint64()>;

    explicit PhoneServer(PhoneRoom &room, QObject *parent = nullptr);
    ~PhoneServer() override;

    void setClock(Clock clock) { m_clock = std::move(clock); }

    // Where start() listens: the given addresses, or all private addresses
    // of this machine and the loopback when none are given.
    void setAddresses(const QList<QHostAddress> &addresses) { m_wanted = addresses; }
    // Listens on one port, any free one when port is 0. False, and off,
    // when no address could be listened on.
    bool start(quint16 port = 0);
    // Closes every connection and stops listening.
    void stop();
    bool isOn() const { return m_on; }
    quint16 port() const { return m_port; }
    quint16 livePort() const { return m_livePort; }
    // The page's address for the room to scan: a private address of this
    // machine where there is one, with the room code.
    QUrl pageAddress() const;

    int playerConnections() const;
    int watcherConnections() const;
    // Messages refused for their form or over the rate, since the start.
    int refusedMessages() const { return m_refused; }

    // Closes every connection that has said nothing for kIdleMs, or has not
    // joined or watched within kIntroductionMs; a timer calls it, a test may.
    void closeIdleConnections();

Q_SIGNALS:
    void onChanged(bool on);

private:
    struct Connection;

    void accept(QWebSocket *socket);
    void receive(Connection &connection, const QByteArray &message);
    void refuse(Connection &connection, const QString &reason);
    void drop(QWebSocket *socket);
    void send(const Connection &connection, const QJsonObject &message) const;
    void sendAll(const QJsonObject &message, bool playersToo = true) const;
    QJsonObject promptMessage() const;
    QJsonObject buzzMessage() const;
    QJsonObject revealMessage() const;
    bool withinRate(Connection &connection);

    PhoneRoom &m_room;
    Clock m_clock;
    QList<QHostAddress> m_wanted;
    QList<QHostAddress> m_addresses;
    std::unique_ptr<QHttpServer> m_http;
    std::unique_ptr<QWebSocketServer> m_live;
    std::vector<std::unique_ptr<Connection>> m_connections;
    QTimer *m_idleCheck;
    quint16 m_port = 0;
    quint16 m_livePort = 0;
    bool m_on = false;
    int m_refused = 0;
};
