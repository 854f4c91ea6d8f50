#include "services/files/links.h"
#include "test_context.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Page = Links::Page;

class TestLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shippedFileMatchesBuiltIns()
    {
        // Else a host deleting the file would quietly change where the buttons lead.
        const Links shipped = Links::load(QStringLiteral(LINKS_FILE));
        for (const Page page : {Page::Donate, Page::Contact, Page::HowToVideo, Page::Home, Page::MediaHelp}) {
            QCOMPARE(Links().url(page).scheme(), QStringLiteral("https"));
            QCOMPARE(shipped.url(page), Links().url(page));
        }
    }

    void load_data()
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

    void load()
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

    void pageWithoutBrowserTellsAddress_data()
    {
        QTest::addColumn<bool>("hasBrowser");
        QTest::newRow("browser opens it") << true;
        QTest::newRow("no browser") << false;
    }

    void pageWithoutBrowserTellsAddress()
    {
        QFETCH(bool, hasBrowser);
        TestContext test;
        test.urlOpener().setHasBrowser(hasBrowser);
        const QUrl page(QStringLiteral("https://party.test/give"));
        test.context().openWebPage(page);
        QCOMPARE(test.urlOpener().opened(), QList<QUrl>{page});
        if (hasBrowser) {
            QVERIFY(test.prompter().shown().isEmpty());
            return;
        }
        QCOMPARE(test.prompter().shown().size(), 1);
        QCOMPARE(test.prompter().last().text, QStringLiteral("Zorbel could not open a web browser. To see this page, type "
                                                             "this address into a browser:\r\n\r\nhttps://party.test/give"));
        QCOMPARE(test.prompter().last().icon, Prompt::Icon::Information);
    }
};

QTEST_GUILESS_MAIN(TestLinks)
#include "tst_links.moc"
