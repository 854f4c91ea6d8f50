#include "zorbel_fixture.h"

#include "services/frm_how_to.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextBrowser>

namespace {

const QByteArray kLinks = "[Links]\r\nDonate=https://maker.test/donate\r\nContact=https://maker.test/contact\r\n"
                          "HowToVideo=https://video.test/zorbel\r\n";
const auto kChord = Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;

// The rules windows on show, after closed ones are gone.
QList<FrmHowTo *> shownRules(const FrmZorbel &window)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<FrmHowTo *> shown;
    for (FrmHowTo *rules : window.findChildren<FrmHowTo *>())
        if (rules->isVisible())
            shown.append(rules);
    return shown;
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
    void updateBacksUpAndOpensThePage();
    void hiddenCommands_data();
    void hiddenCommands();
    void endProgramChord();
};

void TestFrmZorbelServices::rulesWindow_data()
{
    QTest::addColumn<QByteArray>("rtf"); // empty: a file of 65 MB of zero bytes; null: none
    QTest::addColumn<QString>("result"); // the start of the rules shown, or the message
    QFile document(QStringLiteral(RULES_DOCUMENT));
    QTest::newRow("rules document") << (document.open(QIODevice::ReadOnly) ? document.readAll() : "missing")
                                    << "How to Play Zorbel\n";
    QTest::newRow("truncated") << QByteArray("{\\rtf1 {\\b Getting} Rea") << "Getting Rea";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                            << "File %1 is not a Rich Text Format document.";
    QTest::newRow("too large") << QByteArray("") << "File %1 is too large to be shown.";
    QTest::newRow("missing") << QByteArray() << "Unable to locate file %1";
}

void TestFrmZorbelServices::rulesWindow()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, result);
    ZorbelFixture board;
    const QString path = board.test().path(FrmHowTo::fileName());
    if (!rtf.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(rtf.isEmpty() ? file.resize(65 << 20) : file.write(rtf) == rtf.size());
    }
    FrmZorbel &window = board.open();
    board.click(QStringLiteral("clkHowToPlay"));
    const QList<FrmHowTo *> shown = shownRules(window);
    const QList<Prompt> &prompts = board.test().prompter().shown();
    if (result.contains(u"%1")) {
        QVERIFY(shown.isEmpty());
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(prompts.first().text, result.arg(QDir::toNativeSeparators(path)));
        QCOMPARE(prompts.first().title, QStringLiteral("File not Loaded"));
        return;
    }
    QVERIFY(prompts.isEmpty());
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first()->windowTitle(), QStringLiteral("How to Play Zorbel"));
    QVERIFY(shown.first()->rtb1()->isReadOnly());
    QVERIFY2(shown.first()->rtb1()->toPlainText().startsWith(result), qPrintable(shown.first()->rtb1()->toPlainText()));
    QVERIFY(window.isVisible());
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

    shown.first()->close();
    board.click(QStringLiteral("clkHowToPlay"));
    shown = shownRules(window);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first()->rtb1()->toPlainText(), QStringLiteral("Second rules"));
    QCOMPARE(board.test().logEntries().count(QStringLiteral("Loading Form frmHowTo")), 2);
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
    QFETCH(QByteArray, links);
    QFETCH(QString, address);
    ZorbelFixture board;
    if (!links.isEmpty())
        board.test().writeFile(QStringLiteral("links.ini"), links);
    board.open();
    QFETCH(QString, button);
    board.click(button);
    QCOMPARE(board.test().urlOpener().opened(), QList<QUrl>{QUrl(address)});
    QVERIFY(board.test().prompter().shown().isEmpty());
}

void TestFrmZorbelServices::updateBacksUpAndOpensThePage()
{
    ZorbelFixture board;
    board.test().writeFile(QStringLiteral("links.ini"), kLinks);
    board.open({"Blank Pole", "Snow Blank"}, {"A Blank suit."});
    board.test().prompter().queue(PromptAnswer::Yes);
    board.click(QStringLiteral("clkUpdate"));
    QCOMPARE(board.test().prompter().shown().size(), 1);
    QCOMPARE(board.test().prompter().last().title, QStringLiteral("Check For Update?"));
    QVERIFY(board.test().prompter().last().text.startsWith(QStringLiteral("The current version of Zorbel software is 1.0.0")));
    const QStringList backups = QDir(board.test().path(QStringLiteral("BackUps"))).entryList(QDir::Files, QDir::Name);
    QCOMPARE(backups.size(), 2);
    QVERIFY(backups[0].startsWith(QLatin1String("ZorbelLines_")) && backups[1].startsWith(QLatin1String("ZorbelPhrases_")));
    QCOMPARE(board.test().urlOpener().opened(), QList<QUrl>{QUrl(QStringLiteral("https://maker.test/donate"))});
}

void TestFrmZorbelServices::hiddenCommands_data()
{
    QTest::addColumn<Qt::Key>("key"); // pressed with Ctrl+Alt+Shift
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("inputBytes"); // empty: the input is missing
    QTest::addColumn<QString>("output");
    QTest::addColumn<QByteArray>("outputBytes"); // empty: output left as it was, with an error report
    QTest::newRow("de-duplicate") << Qt::Key_D << "ZorbelLines.txt"
                                  << QByteArray("Shoe Blank\r\nshoe  blank\r\nBlank Pole\r\nPole\r\n")
                                  << "ZorbelLinesDeDupped.txt" << QByteArray("Shoe Blank\r\nBlank Pole\r\n");
    QTest::newRow("parse") << Qt::Key_P << "temp.txt" << QByteArray("Pole\r\n") << "Chunk.txt"
                           << QByteArray("Pole Blank\r\nBlank Pole\r\n");
    QTest::newRow("parse without a word list") << Qt::Key_P << "temp.txt" << QByteArray() << "Chunk.txt" << QByteArray();
}

void TestFrmZorbelServices::hiddenCommands()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, inputBytes);
    QFETCH(QString, output);
    QFETCH(QByteArray, outputBytes);
    ZorbelFixture board;
    const QByteArray earlierOutput = "kept from an earlier run\r\n";
    board.test().writeFile(output, earlierOutput);
    if (!inputBytes.isEmpty())
        board.test().writeFile(input, inputBytes);
    FrmZorbel &window = board.open();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const qsizetype before = board.test().prompter().shown().size();
    QFETCH(Qt::Key, key);
    QTest::keyClick(board.box(QStringLiteral("txtPlayer"), 0), key, kChord);
    QCOMPARE(board.test().readFile(output), outputBytes.isEmpty() ? earlierOutput : outputBytes);
    const QList<Prompt> prompts = board.test().prompter().shown().mid(before);
    QCOMPARE(prompts.size(), outputBytes.isEmpty() ? 1 : 0);
    if (outputBytes.isEmpty())
        QVERIFY2(prompts.first().text.startsWith(QStringLiteral("Current SubRoutine is cmdParse_Click\r\nError Number: 53")),
                 qPrintable(prompts.first().text));
    QVERIFY(window.isVisible());
}

void TestFrmZorbelServices::endProgramChord()
{
    ZorbelFixture board;
    FrmZorbel &window = board.open({"Blank Pole", "Snow Blank"});
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_E, kChord);
    QVERIFY(!window.isVisible());
    QVERIFY(board.test().prompter().shown().isEmpty());
    QCOMPARE(board.test().logEntries().mid(1),
             (QStringList{"Unloading All Forms...", "Unloading Final Form Prior to Program Ending..."}));
}

QTEST_MAIN(TestFrmZorbelServices)
#include "tst_frm_zorbel_services.moc"
