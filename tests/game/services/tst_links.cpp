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
    // Else a host deleting the file would quietly change where the buttons lead.
    const Links shipped = Links::load(QStringLiteral(LINKS_FILE));
    for (const Page page : {Page::Donate, Page::Contact, Page::HowToVideo, Page::Home, Page::MediaHelp}) {
        QCOMPARE(Links().url(page).scheme(), QStringLiteral("https"));
        QCOMPARE(shipped.url(page), Links().url(page));
    }
}

void TestLinks::load_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("donate"); // empty: the built-in address
    const QString party = QStringLiteral("https://party.test/give");
    QTest::newRow("one address changed") << QByteArray("[Links]\r\nDonate=https://party.test/give\r\n") << party;
    QTest::newRow("case and blanks") << QByteArray("  DONATE =  https://party.test/give  \n") << party;
    QTest::newRow("later line wins") << QByteArray("Donate=https://a.test/\nDonate=https://party.test/give\n") << party;
    QTest::newRow("plain http") << QByteArray("Donate=http://party.test/give") << "http://party.test/give";
    QTest::newRow("comments") << QByteArray("; Donate=https://party.test/give\n# Donate=https://party.test/give\n") << "";
    QTest::newRow("local file refused") << QByteArray("Donate=file:///etc/passwd\n") << "";
    QTest::newRow("script refused") << QByteArray("Donate=javascript:alert(1)\n") << "";
    QTest::newRow("no host refused") << QByteArray("Donate=https://\n") << "";
    QTest::newRow("binary") << QByteArray("\0\xff\xfe=\x80\x81\nDonate\0=https://party.test/give", 36) << "";
    QTest::newRow("oversized") << QByteArray("Donate=https://party.test/give\n") + QByteArray(100 * 1024, '#') << "";
}

void TestLinks::load()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, donate);
    QTemporaryDir dir;
    QFile file(dir.filePath(Links::fileName()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const Links links = Links::load(file.fileName());
    QCOMPARE(links.url(Page::Donate), donate.isEmpty() ? Links().url(Page::Donate) : QUrl(donate));
    QCOMPARE(links.url(Page::Contact), Links().url(Page::Contact));
}

QTEST_GUILESS_MAIN(TestLinks)
#include "tst_links.moc"
