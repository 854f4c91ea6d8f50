#include "zorbel_fixture.h"

#include "services/frm_how_to.h"

#include "ravlen.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextBrowser>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QByteArray kLinks = "[Links]\r\nDonate=https://maker.test/donate\r\nContact=https://maker.test/contact\r\n"
                          "HowToVideo=https://video.test/zorbel\r\n";

QByteArray rulesDocument()
{
    QFile file(QStringLiteral(RULES_DOCUMENT));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<FrmHowTo *> shownRules(const FrmZorbel &window)
{
    QList<FrmHowTo *> shown;
    for (FrmHowTo *rules : window.findChildren<FrmHowTo *>())
        if (rules->isVisible())
            shown.append(rules);
    return shown;
}

void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestFrmZorbelServices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rulesWindow_data();
    void rulesWindow();
    void rulesWindowExistsOnce();
    void webPages_data();
    void webPages();
    void update_data();
    void update();
    void hiddenCommands_data();
    void hiddenCommands();
    void endProgramChord();
};

void TestFrmZorbelServices::rulesWindow_data()
{
    QTest::addColumn<QByteArray>("rtf"); // empty: no file
    QTest::addColumn<qint64>("size"); // of a file of nothing but zero bytes; 0: the rtf
    QTest::addColumn<QString>("shownText"); // the start of the rules shown; empty: no window
    QTest::addColumn<QString>("message"); // after the path; empty: none

    QTest::newRow("rules document") << rulesDocument() << qint64(0) << "How to Play Zorbel\n" << "";
    QTest::newRow("truncated") << QByteArray("{\\rtf1 {\\b Getting} Rea") << qint64(0) << "Getting Rea" << "";
    QTest::newRow("deeply nested") << QByteArray("{\\rtf1 deep").append(QByteArray(200000, '{')).append("est")
                                   << qint64(0) << "deepest" << "";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << qint64(0) << ""
                            << " is not a Rich Text Format document.";
    QTest::newRow("too large") << QByteArray() << qint64(65 * 1024 * 1024) << "" << " is too large to be shown.";
    QTest::newRow("missing") << QByteArray() << qint64(0) << "" << "";
}

void TestFrmZorbelServices::rulesWindow()
{
    QFETCH(QByteArray, rtf);
    QFETCH(qint64, size);
    QFETCH(QString, shownText);
    QFETCH(QString, message);
    ZorbelFixture board;
    const QString fileName = FrmHowTo::fileName();
    const QString path = QDir::toNativeSeparators(board.test().path(fileName));
    if (size > 0) {
        QFile big(board.test().path(fileName));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(size));
    } else if (!rtf.isEmpty()) {
        board.test().writeFile(fileName, rtf);
    }
    FrmZorbel &window = board.open();

    board.click(QStringLiteral("clkHowToPlay"));
    const QList<FrmHowTo *> shown = shownRules(window);
    const QList<Prompt> &prompts = board.test().prompter().shown();
    if (shownText.isEmpty()) {
        QVERIFY(shown.isEmpty());
        QCOMPARE(prompts.size(), 1);
        const bool missing = rtf.isEmpty() && size == 0;
        QCOMPARE(prompts.first().text,
                 missing ? QStringLiteral("Unable to locate file ") + path : QStringLiteral("File ") + path + message);
        QCOMPARE(prompts.first().title, QStringLiteral("File not Loaded"));
        QCOMPARE(prompts.first().icon, Prompt::Icon::Information);
        QCOMPARE(board.test().logEntries().contains(QStringLiteral("Loading Form frmHowTo")), !missing);
    } else {
        QVERIFY(prompts.isEmpty());
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first()->windowTitle(), QStringLiteral("How to Play Zorbel"));
        QVERIFY(shown.first()->rtb1()->isReadOnly());
        QVERIFY2(shown.first()->rtb1()->toPlainText().startsWith(shownText),
                 qPrintable(shown.first()->rtb1()->toPlainText().left(80)));
        QVERIFY(window.isVisible());
    }
}

void TestFrmZorbelServices::rulesWindowExistsOnce()
{
    ZorbelFixture board;
    board.test().writeFile(FrmHowTo::fileName(), "{\\rtf1 First rules}");
    FrmZorbel &window = board.open();

    board.click(QStringLiteral("clkHowToPlay"));
    board.test().writeFile(FrmHowTo::fileName(), "{\\rtf1 Second rules}");
    board.click(QStringLiteral("clkHowToPlay"));
    QList<FrmHowTo *> shown = shownRules(window);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first()->rtb1()->toPlainText(), QStringLiteral("First rules"));
    QCOMPARE(board.test().logEntries().count(QStringLiteral("Loading Form frmHowTo")), 1);

    shown.first()->close();
    deleteClosedWindows();
    board.click(QStringLiteral("clkHowToPlay"));
    shown = shownRules(window);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first()->rtb1()->toPlainText(), QStringLiteral("Second rules"));
    QCOMPARE(board.test().logEntries().count(QStringLiteral("Unloading Form frmHowTo")), 1);
}

void TestFrmZorbelServices::webPages_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("links");
    QTest::addColumn<QString>("address");

    QTest::newRow("video") << "clkVideo" << kLinks << "https://video.test/zorbel";
    QTest::newRow("donate") << "clkDonate" << kLinks << "https://maker.test/donate";
    QTest::newRow("contact") << "clkContact" << kLinks << "https://maker.test/contact";
    QTest::newRow("contact without links file") << "clkContact" << QByteArray() << "https://zorbel.example.org/contact";
}

void TestFrmZorbelServices::webPages()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, links);
    QFETCH(QString, address);
    ZorbelFixture board;
    if (!links.isEmpty())
        board.test().writeFile(QStringLiteral("links.ini"), links);
    board.open();
    board.click(button);
    QCOMPARE(board.test().urlOpener().opened(), QList<QUrl>{QUrl(address)});
    QVERIFY(board.test().prompter().shown().isEmpty());
}

void TestFrmZorbelServices::update_data()
{
    QTest::addColumn<bool>("backUpsBlocked");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<QStringList>("backupPrefixes");
    QTest::addColumn<bool>("pageOpened");

    QTest::newRow("unwritable backup folder") << true << PromptAnswer::Yes << QStringList{} << false;
    QTest::newRow("no") << false << PromptAnswer::No << QStringList{} << false;
    QTest::newRow("yes") << false << PromptAnswer::Yes << QStringList{"ZorbelLines_", "ZorbelPhrases_"} << true;
}

void TestFrmZorbelServices::update()
{
    QFETCH(bool, backUpsBlocked);
    QFETCH(PromptAnswer, answer);
    QFETCH(QStringList, backupPrefixes);
    QFETCH(bool, pageOpened);
    ZorbelFixture board;
    board.writeMatches({"Blank Pole", "Snow Blank"});
    board.writePhrases({"A Blank suit."});
    board.test().writeFile(QStringLiteral("links.ini"), kLinks);
    if (backUpsBlocked)
        board.test().writeFile(QStringLiteral("BackUps"), "a file where the folder should be");
    board.open();
    board.test().prompter().queue(answer);

    board.click(QStringLiteral("clkUpdate"));
    const QList<Prompt> &prompts = board.test().prompter().shown();
    QCOMPARE(prompts.size(), 1);
    if (backUpsBlocked) {
        QVERIFY(prompts.first().text.startsWith(QStringLiteral("Current SubRoutine is createDirs") + kCrLf));
    } else {
        QCOMPARE(prompts.first().title, QStringLiteral("Check For Update?"));
        QVERIFY(prompts.first().text.startsWith(QStringLiteral("The current version of Zorbel software is 1.0.0")));
        QStringList backups = QDir(board.test().path(QStringLiteral("BackUps"))).entryList(QDir::Files, QDir::Name);
        QCOMPARE(backups.size(), backupPrefixes.size());
        for (qsizetype i = 0; i < backups.size(); ++i)
            QVERIFY2(backups[i].startsWith(backupPrefixes[i]), qPrintable(backups[i]));
    }
    QCOMPARE(board.test().urlOpener().opened(),
             pageOpened ? QList<QUrl>{QUrl(QStringLiteral("https://maker.test/donate"))} : QList<QUrl>{});
}

void TestFrmZorbelServices::hiddenCommands_data()
{
    QTest::addColumn<Qt::Key>("key"); // pressed with Ctrl+Alt+Shift
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("inputBytes"); // empty: the input is missing
    QTest::addColumn<QString>("output");
    QTest::addColumn<QByteArray>("outputBytes"); // empty: output left as it was
    QTest::addColumn<QString>("report"); // the procedure named by the report; empty: none

    QTest::newRow("de-duplicate") << Qt::Key_D << "ZorbelLines.txt"
                                  << QByteArray("Shoe Blank\r\nshoe  blank\r\nBlank Pole\r\nPole\r\n")
                                  << "ZorbelLinesDeDupped.txt" << QByteArray("Shoe Blank\r\nBlank Pole\r\n") << "";
    QTest::newRow("de-duplicate without a match file") << Qt::Key_D << "ZorbelLines.txt" << QByteArray()
                                                       << "ZorbelLinesDeDupped.txt" << QByteArray() << "cmdDeDup_Click";
    QTest::newRow("parse") << Qt::Key_P << "temp.txt" << QByteArray("Pole\r\n\tWinter sports\r\n") << "Chunk.txt"
                           << QByteArray("Pole Blank\r\n Blank\r\nBlank Pole\r\nBlank \r\n") << "";
    QTest::newRow("parse without a word list") << Qt::Key_P << "temp.txt" << QByteArray() << "Chunk.txt"
                                               << QByteArray() << "cmdParse_Click";
}

void TestFrmZorbelServices::hiddenCommands()
{
    QFETCH(Qt::Key, key);
    QFETCH(QString, input);
    QFETCH(QByteArray, inputBytes);
    QFETCH(QString, output);
    QFETCH(QByteArray, outputBytes);
    QFETCH(QString, report);
    ZorbelFixture board;
    const QByteArray earlierOutput = "kept from an earlier run\r\n";
    board.test().writeFile(output, earlierOutput);
    if (!inputBytes.isEmpty())
        board.test().writeFile(input, inputBytes);
    FrmZorbel &window = board.open();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QList<Prompt> atStart = board.test().prompter().shown();

    QTest::keyClick(board.box(QStringLiteral("txtPlayer"), 0), key,
                    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    QCOMPARE(board.test().readFile(output), outputBytes.isEmpty() ? earlierOutput : outputBytes);
    const QList<Prompt> prompts = board.test().prompter().shown().mid(atStart.size());
    QCOMPARE(prompts.size(), report.isEmpty() ? 0 : 1);
    if (!report.isEmpty())
        QVERIFY2(prompts.first().text.startsWith(QStringLiteral("Current SubRoutine is ") + report + kCrLf
                                                 + QStringLiteral("Error Number: 53")),
                 qPrintable(prompts.first().text));
    QVERIFY(window.isVisible());
}

void TestFrmZorbelServices::endProgramChord()
{
    ZorbelFixture board;
    board.writeMatches({"Blank Pole", "Snow Blank"});
    FrmZorbel &window = board.open();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    QVERIFY(!window.isVisible());
    QVERIFY(board.test().prompter().shown().isEmpty());
    QCOMPARE(board.test().logEntries().mid(1),
             (QStringList{"Unloading All Forms...", "Unloading Final Form Prior to Program Ending..."}));
}

QTEST_MAIN(TestFrmZorbelServices)
#include "tst_frm_zorbel_services.moc"
