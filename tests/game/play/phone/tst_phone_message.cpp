#include "play/phone/phone_message.h"
#include "play/phone/phone_room.h"
#include "play/phone/private_address.h"
#include "play/phone/qr_code.h"

#include <QHostAddress>
#include <QTest>

class TestPhoneMessage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void privateAddress_data();
    void privateAddress();
    void normalised_data();
    void normalised();
    void qrCodeHasFinderPatterns();
};

void TestPhoneMessage::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("refusal"); // empty: accepted
    QTest::addColumn<QString>("field"); // the field read, as "kind:value"

    QTest::newRow("join") << QByteArray(R"({"type":"join","room":"ABCD","name":"Ann","token":""})") << QString() << "0:Ann";
    QTest::newRow("join without token") << QByteArray(R"({"type":"join","room":"ABCD","name":"Ann"})") << QString() << "0:Ann";
    QTest::newRow("watch") << QByteArray(R"({"type":"watch","room":"WXYZ"})") << QString() << "1:WXYZ";
    QTest::newRow("answer") << QByteArray(R"({"type":"answer","text":"Bean pole"})") << QString() << "2:Bean pole";
    QTest::newRow("answer of 40") << QByteArray(R"({"type":"answer","text":")" + QByteArray(40, 'x') + "\"}") << QString()
                                  << "2:" + QString(40, u'x');
    QTest::newRow("markup is only text") << QByteArray(R"({"type":"join","room":"ABCD","name":"<b>Bo</b>"})") << QString() << "0:<b>Bo</b>";
    QTest::newRow("buzz") << QByteArray(R"({"type":"buzz"})") << QString() << "3:";

    QTest::newRow("answer of 41") << QByteArray(R"({"type":"answer","text":")" + QByteArray(41, 'x') + "\"}") << "bad text" << QString();
    QTest::newRow("name of 21") << QByteArray(R"({"type":"join","room":"ABCD","name":")" + QByteArray(21, 'n') + "\"}") << "bad name"
                                << QString();
    QTest::newRow("over 1 KiB") << QByteArray(R"({"type":"ping"})") + QByteArray(1010, ' ') << "message too long" << QString();
    QTest::newRow("not JSON") << QByteArray("{type:answer}") << "not a JSON object" << QString();
    QTest::newRow("an array") << QByteArray(R"([{"type":"buzz"}])") << "not a JSON object" << QString();
    QTest::newRow("no type") << QByteArray(R"({"text":"x"})") << "no type" << QString();
    QTest::newRow("type not text") << QByteArray(R"({"type":7})") << "no type" << QString();
    QTest::newRow("unknown type") << QByteArray(R"({"type":"score","player":1})") << "unknown type" << QString();
    QTest::newRow("unknown field") << QByteArray(R"({"type":"buzz","player":3})") << "unknown field" << QString();
    QTest::newRow("field of another type") << QByteArray(R"({"type":"answer","text":"x","name":"y"})") << "unknown field" << QString();
    QTest::newRow("number for text") << QByteArray(R"({"type":"answer","text":12})") << "bad text" << QString();
    QTest::newRow("missing field") << QByteArray(R"({"type":"join","room":"ABCD"})") << "missing name" << QString();
    QTest::newRow("control character") << QByteArray(R"({"type":"answer","text":"a\u0007b"})") << "bad text" << QString();
    QTest::newRow("direction override") << QByteArray(R"({"type":"join","room":"ABCD","name":"a\u202eb"})") << "bad name" << QString();
}

void TestPhoneMessage::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, refusal);
    QFETCH(QString, field);
    const auto parsed = PhoneMessage::parse(bytes);
    if (!refusal.isEmpty()) {
        QVERIFY(std::holds_alternative<QString>(parsed));
        QCOMPARE(std::get<QString>(parsed), refusal);
        return;
    }
    QVERIFY(std::holds_alternative<PhoneMessage>(parsed));
    const PhoneMessage &message = std::get<PhoneMessage>(parsed);
    const QString value = message.kind == PhoneMessage::Kind::Join    ? message.name
                          : message.kind == PhoneMessage::Kind::Watch ? message.room
                                                                      : message.text;
    QCOMPARE(QString::number(int(message.kind)) + u':' + value, field);
}

void TestPhoneMessage::privateAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("isPrivate");
    QTest::newRow("loopback") << "127.0.0.1" << true;
    QTest::newRow("loopback v6") << "::1" << true;
    QTest::newRow("10/8") << "10.20.30.40" << true;
    QTest::newRow("172.16/12 first") << "172.16.0.1" << true;
    QTest::newRow("172.16/12 last") << "172.31.255.254" << true;
    QTest::newRow("just above 172.16/12") << "172.32.0.1" << false;
    QTest::newRow("just below 172.16/12") << "172.15.255.255" << false;
    QTest::newRow("192.168/16") << "192.168.1.20" << true;
    QTest::newRow("192.169") << "192.169.0.1" << false;
    QTest::newRow("link-local") << "169.254.10.1" << true;
    QTest::newRow("public") << "8.8.8.8" << false;
    QTest::newRow("any") << "0.0.0.0" << false;
    QTest::newRow("broadcast") << "255.255.255.255" << false;
    QTest::newRow("multicast") << "224.0.0.1" << false;
    QTest::newRow("mapped private") << "::ffff:192.168.0.5" << true;
    QTest::newRow("mapped public") << "::ffff:8.8.4.4" << false;
    QTest::newRow("unique local v6") << "fd12:3456::1" << true;
    QTest::newRow("link-local v6") << "fe80::1" << true;
    QTest::newRow("public v6") << "2001:db8::1" << false;
    QTest::newRow("any v6") << "::" << false;
}

void TestPhoneMessage::privateAddress()
{
    QFETCH(QString, address);
    QFETCH(bool, isPrivate);
    QCOMPARE(isPrivateAddress(QHostAddress(address)), isPrivate);
}

void TestPhoneMessage::normalised_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("match");
    QTest::newRow("case and spaces") << "  Bean Pole "
                                     << "bean pole" << true;
    QTest::newRow("punctuation") << "Bean-pole!"
                                 << "beanpole" << true;
    QTest::newRow("inner spaces") << "bean   pole"
                                  << "Bean Pole." << true;
    QTest::newRow("other words") << "bean pole"
                                 << "flag pole" << false;
}

void TestPhoneMessage::normalised()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, match);
    QCOMPARE(PhoneRoom::normalised(first) == PhoneRoom::normalised(second), match);
}

void TestPhoneMessage::qrCodeHasFinderPatterns()
{
    const QImage code = qrCode(QStringLiteral("http://192.168.1.20:8080/?room=ABCD"));
    QVERIFY(!code.isNull());
    QCOMPARE(code.width(), code.height());
    // The quiet zone is white; three corners hold a finder pattern, whose
    // outer ring is dark.
    const int quiet = 4;
    const int far = code.width() - quiet - 1;
    QCOMPARE(code.pixelIndex(0, 0), 0);
    for (const QPoint corner : {QPoint(quiet, quiet), QPoint(far, quiet), QPoint(quiet, far)})
        QCOMPARE(code.pixelIndex(corner), 1);
}

QTEST_GUILESS_MAIN(TestPhoneMessage)
#include "tst_phone_message.moc"
