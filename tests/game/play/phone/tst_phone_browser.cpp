#include "play/game_history.h"
#include "play/phone/phone_room.h"
#include "play/phone/phone_server.h"
#include "test_context.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>

namespace {

using enum QuestionMode;

QString chromium()
{
    for (const char *name : {"chromium", "chromium-browser"}) {
        if (const QString found = QStandardPaths::findExecutable(QLatin1String(name)); !found.isEmpty())
            return found;
    }
    return {};
}

// A headless browser that may reach the loopback address and nothing else.
class Browser
{
public:
    Browser()
    {
        m_process.setProgram(chromium());
        m_process.setArguments({QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                                QStringLiteral("--no-first-run"), QStringLiteral("--no-default-browser-check"),
                                QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
                                QStringLiteral("--disable-sync"), QStringLiteral("--disable-default-apps"), QStringLiteral("--no-pings"),
                                QStringLiteral("--host-resolver-rules=MAP * ~NOTFOUND , EXCLUDE 127.0.0.1"),
                                QStringLiteral("--remote-debugging-address=127.0.0.1"), QStringLiteral("--remote-debugging-port=0"),
                                QStringLiteral("--user-data-dir=") + m_profile.path(), QStringLiteral("about:blank")});
        m_process.start();
    }
    ~Browser()
    {
        // Asked to end, the browser takes its helper processes with it
        // before its profile folder goes.
        m_process.terminate();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished(5000);
        // Its network helper may still write a last file into the profile.
        if (!QTest::qWaitFor([this] { return m_profile.remove(); }, 5000))
            qWarning("the browser's profile %s stays behind", qPrintable(m_profile.path()));
    }

    // Attaches to the page's DevTools channel.
    bool attach()
    {
        QUrl devTools;
        const QRegularExpression listening(QStringLiteral("DevTools listening on (ws://\\S+)"));
        if (!QTest::qWaitFor(
                [&] {
                    const auto match = listening.match(QString::fromUtf8(m_errors += m_process.readAllStandardError()));
                    devTools = match.hasMatch() ? QUrl(match.captured(1)) : QUrl();
                    return devTools.isValid() || m_process.state() == QProcess::NotRunning;
                },
                30000)
            || !devTools.isValid())
            return false;
        QNetworkAccessManager network;
        QUrl list(devTools);
        list.setScheme(QStringLiteral("http"));
        list.setPath(QStringLiteral("/json/list"));
        QUrl pageChannel;
        const bool listed = QTest::qWaitFor(
            [&] {
                std::unique_ptr<QNetworkReply> reply(network.get(QNetworkRequest(list)));
                if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 5000))
                    return false;
                for (const QJsonValue target : QJsonDocument::fromJson(reply->readAll()).array()) {
                    if (target[u"type"].toString() == QLatin1String("page"))
                        pageChannel = QUrl(target[u"webSocketDebuggerUrl"].toString());
                }
                return pageChannel.isValid();
            },
            10000);
        if (!listed)
            return false;
        QObject::connect(&m_channel, &QWebSocket::textMessageReceived, [this](const QString &text) {
            const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
            if (message.contains(u"id"))
                m_results.insert(message[u"id"].toInt(), message);
        });
        m_channel.open(pageChannel);
        return QTest::qWaitFor([this] { return m_channel.state() == QAbstractSocket::ConnectedState; }, 10000);
    }

    QJsonObject call(const QString &method, const QJsonObject &params = {})
    {
        const int id = ++m_lastId;
        m_channel.sendTextMessage(QString::fromUtf8(
            QJsonDocument(QJsonObject{{"id", id}, {"method", method}, {"params", params}}).toJson(QJsonDocument::Compact)));
        if (!QTest::qWaitFor([&] { return m_results.contains(id); }, 10000))
            return {};
        return m_results.take(id).value(u"result").toObject();
    }
    QJsonValue evaluate(const QString &script)
    {
        return call(QStringLiteral("Runtime.evaluate"), {{"expression", script}, {"returnByValue", true}})
            .value(u"result")
            .toObject()
            .value(u"value");
    }
    bool waitForPage(const QString &condition)
    {
        return QTest::qWaitFor([&] { return evaluate(condition).toBool(); }, 10000);
    }

private:
    QTemporaryDir m_profile;
    QProcess m_process;
    QByteArray m_errors;
    QWebSocket m_channel;
    QHash<int, QJsonObject> m_results;
    int m_lastId = 0;
};

} // namespace

class TestPhoneBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The page from the running game, in a real browser: the room code comes
    // from the address, a name joins, and the answer typed reaches the game.
    void joinAndAnswerFromThePage()
    {
        TestContext test;
        test.writeFile(questionFileName(Match), "Blank Pole\r\nChristmas Blank");
        test.writeFile(questionFileName(Phrase), "A Blank suit.");
        Game game(test.context());
        game.open();
        GameHistory history(game);
        PhoneRoom room(game, history);
        PhoneServer server(room);
        server.setAddresses({QHostAddress(QHostAddress::LocalHost)});
        QVERIFY(server.start());

        Browser browser;
        QVERIFY2(browser.attach(), "chromium's DevTools channel did not open");
        browser.call(QStringLiteral("Emulation.setDeviceMetricsOverride"),
                     {{"width", 390}, {"height", 760}, {"deviceScaleFactor", 2}, {"mobile", true}});
        browser.call(QStringLiteral("Page.navigate"), {{"url", server.pageAddress().toString()}});
        QVERIFY(browser.waitForPage(QStringLiteral("location.protocol === 'http:' && document.readyState === 'complete'")));
        QCOMPARE(browser.evaluate(QStringLiteral("document.getElementById('code').value")).toString(), room.code());

        browser.evaluate(QStringLiteral("document.getElementById('name').value = '<b>Robo</b>';"
                                        "document.getElementById('join').click()"));
        QTRY_VERIFY_WITH_TIMEOUT(room.held(0), 10000);
        QCOMPARE(game.playerName(0), QStringLiteral("<b>Robo</b>"));
        QVERIFY(browser.waitForPage(QStringLiteral("!document.getElementById('answering').hidden")));
        // The name is shown as the text it is, not as markup.
        QCOMPARE(browser.evaluate(QStringLiteral("document.getElementById('who').textContent")).toString(), QStringLiteral("<b>Robo</b>"));
        QCOMPARE(browser.evaluate(QStringLiteral("document.querySelectorAll('#who b').length")).toInt(), 0);

        browser.evaluate(QStringLiteral("document.getElementById('answer').value = 'Bean pole';"
                                        "document.getElementById('send').click()"));
        QTRY_COMPARE_WITH_TIMEOUT(room.answerOf(0), QStringLiteral("Bean pole"), 10000);
        QVERIFY(browser.waitForPage(QStringLiteral("document.getElementById('note').textContent.startsWith('Answer sent')")));

        if (const QString shot = qEnvironmentVariable("ZORBEL_PHONE_PAGE_SHOT"); !shot.isEmpty()) {
            const QByteArray png = QByteArray::fromBase64(
                browser.call(QStringLiteral("Page.captureScreenshot")).value(u"data").toString().toLatin1());
            QFile file(shot);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(png) == png.size());
        }
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (chromium().isEmpty()) {
        std::fprintf(stderr, "chromium is not installed: the browser test is skipped\n");
        return 77;
    }
    TestPhoneBrowser test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_phone_browser.moc"
