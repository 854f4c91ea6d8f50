#include "services/links.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Page = Links::Page;

class TestLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shippedFileMatchesBuiltIns();
    void load_data();
    void load();
};

void TestLinks::shippedFileMatchesBuiltIns()
{
    // The file beside the program and the addresses built in must agree, or
    // a host deleting the file would quietly change where the buttons lead.
    const Links shipped = Links::load(QStringLiteral(LINKS_FILE));
    const Links builtIn;
    for (const Page page : {Page::Donate, Page::Contact, Page::HowToVideo, Page::Home, Page::MediaHelp}) {
        QVERIFY(builtIn.url(page).isValid());
        QCOMPARE(builtIn.url(page).scheme(), QStringLiteral("https"));
        QCOMPARE(shipped.url(page), builtIn.url(page));
    }
}

void TestLinks::load_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QUrl>("donate");
    QTest::addColumn<QUrl>("contact");

    const QUrl donate = Links().url(Page::Donate);
    const QUrl contact = Links().url(Page::Contact);
    const QUrl party(QStringLiteral("https://party.test/give"));

    QTest::newRow("one address changed") << QByteArray("[Links]\r\nDonate=https://party.test/give\r\n") << party
                                         << contact;
    QTest::newRow("case and blanks") << QByteArray("  DONATE =  https://party.test/give  \n") << party << contact;
    QTest::newRow("later line wins") << QByteArray("Donate=https://a.test/\nDonate=https://party.test/give\n")
                                     << party << contact;
    QTest::newRow("plain http") << QByteArray("Contact=http://party.test/give") << donate << QUrl("http://party.test/give");
    QTest::newRow("comments") << QByteArray("; Donate=https://party.test/give\n# Contact=https://party.test/give\n")
                              << donate << contact;
    QTest::newRow("local file refused") << QByteArray("Donate=file:///etc/passwd\n") << donate << contact;
    QTest::newRow("script refused") << QByteArray("Donate=javascript:alert(1)\n") << donate << contact;
    QTest::newRow("no host refused") << QByteArray("Donate=https://\n") << donate << contact;
    QTest::newRow("not an address") << QByteArray("Donate=give us money\n") << donate << contact;
    QTest::newRow("empty value") << QByteArray("Donate=\n") << donate << contact;
    QTest::newRow("no equals sign") << QByteArray("Donate https://party.test/give\n") << donate << contact;
    QTest::newRow("binary") << QByteArray("\0\xff\xfe=\x80\x81\nDonate\0=https://party.test/give", 36) << donate
                            << contact;
    QTest::newRow("oversized")
        << QByteArray("Donate=https://party.test/give\n") + QByteArray(100 * 1024, '#') << donate << contact;
}

void TestLinks::load()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QUrl, donate);
    QFETCH(QUrl, contact);
    QTemporaryDir dir;
    const QString path = dir.filePath(Links::fileName());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const Links links = Links::load(path);
    QCOMPARE(links.url(Page::Donate), donate);
    QCOMPARE(links.url(Page::Contact), contact);
    QCOMPARE(links.url(Page::Home), Links().url(Page::Home));
}

QTEST_GUILESS_MAIN(TestLinks)
#include "tst_links.moc"
