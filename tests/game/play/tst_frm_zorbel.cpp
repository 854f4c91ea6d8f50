#include "zorbel_fixture.h"

#include "ravlen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

const QStringList kThreeMatches{"# three", "Blank Pole", "Christmas Blank", "Snow Blank Man"};
const QStringList kPhrases{"Even his Blank makes me laugh.", "A Blank suit.", "The Blank was blue."};
const QColor kCurrent(255, 224, 192);
const QColor kNormal(201, 207, 214);

QColor colour(QLineEdit *box)
{
    return box->palette().color(QPalette::Base);
}

} // namespace

class TestFrmZorbel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadShowsTheBoard();
    void stepsWrapAroundAndFollowTheTab();
    void declinedStartOverDiffersByMode();
    void missingAndEmptyFilesKeepTheGame();
    void exitQuestionCanBeDeclined();

    void scoresAreCappedAndWinOnlyAtRoundEnd();
    void tieAnswers_data();
    void tieAnswers();
    void playerCountTakesMouseNotKeys();
    void doubleClickGivesTheTurn();

    void countdown_data();
    void countdown();
    void tabChangeStopsCountdown();
};

void TestFrmZorbel::loadShowsTheBoard()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches, kPhrases);
    QCOMPARE(window.windowTitle(), QStringLiteral("Zorbel"));
    QCOMPARE(game.button("clkStatusMatch")->caption(), QStringLiteral("Viewing Match 1 of 3 Matches..."));
    QCOMPARE(game.button("clkStatusPhrase")->caption(), QStringLiteral("Viewing Phrase 1 of 3 Phrases..."));
    QCOMPARE(game.matchOnShow(), window.strMatches.first());
    QVERIFY(QStringList({"___________________,POLE", "CHRISTMAS,___________________", "SNOW,___________________ MAN"})
                .contains(game.matchOnShow()));
    QCOMPARE(game.get<QLabel>("lblPhrase")->text(), QStringLiteral("      ") + window.strPhrases.first());
    QCOMPARE(game.box("txtTimer")->text(), QStringLiteral("30"));
    QVERIFY(!window.Timer1().isActive());
    QVERIFY(game.box("txtPlayer", 1)->isVisible() && game.box("txtPlayer", 2)->isHidden());
    QCOMPARE(colour(game.box("txtPlayer", 0)), kCurrent);
    QCOMPARE(game.music().first(), QStringLiteral("source ") + game.test().path("MatchMusic.mp3"));
    QCOMPARE(game.buzzer().first(), QStringLiteral("source ") + game.test().path("Buzzer.wav"));
    QCOMPARE(game.test().logEntries(), QStringList{"Loading Form frmZorbel"});
    QVERIFY(game.get<QRadioButton>("optSound", 1)->isChecked() && game.get<QRadioButton>("OptTimer", 1)->isChecked());

    ZorbelFixture phrasesOnly; // the tab that has questions shows
    phrasesOnly.open({}, kPhrases);
    QCOMPARE(phrasesOnly.get<QTabWidget>("SSTab1")->currentIndex(), 1);
    QVERIFY(phrasesOnly.window().blnPhraseGameOn && !phrasesOnly.window().blnMatchGameOn);
    ZorbelFixture neither; // nothing to time: "Timer On"
    neither.open();
    QVERIFY(neither.matchOnShow().isEmpty() && neither.get<QLabel>("lblPhrase")->text().isEmpty());
    QVERIFY(neither.get<QRadioButton>("OptTimer", 0)->isChecked());
    QVERIFY(neither.test().prompter().shown().isEmpty());
}

void TestFrmZorbel::stepsWrapAroundAndFollowTheTab()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches);
    const QStringList order = window.strMatches;
    game.click("clkNext");
    QCOMPARE(game.matchOnShow(), order.at(1));
    game.click("clkNext");
    game.click("clkNext");
    QCOMPARE(game.matchOnShow(), order.at(0));
    QCOMPARE(window.strMatches, order);
    game.click("clkPrev");
    QCOMPARE(game.matchOnShow(), order.at(2));
    QCOMPARE(game.button("clkStatusMatch")->caption(), QStringLiteral("Viewing Match 3 of 3 Matches..."));
    QCOMPARE(window.intCurrentPlayer, 0); // two players: 1, 0, 1, then back to 0

    game.showTab(1); // the page keys step the visible tab only
    window.PageUpDown(34);
    QCOMPARE(window.intMatchNumber, 3);
    game.showTab(0);
    window.PageUpDown(34);
    QCOMPARE(window.intMatchNumber, 1);
    QCOMPARE(window.intCurrentPlayer, 1);
    game.box("txtPlayer", 1)->setFocus();
    QTest::keyClick(game.box("txtPlayer", 1), Qt::Key_PageUp);
    QCOMPARE(window.intMatchNumber, 3);
    QCOMPARE(window.intCurrentPlayer, 0);
}

void TestFrmZorbel::declinedStartOverDiffersByMode()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches, kPhrases);
    for (int step = 0; step < 3; ++step) // two players: the second step ends round 1
        game.click("clkNext");
    QCOMPARE(window.intRound, 2);

    game.test().prompter().queue(PromptAnswer::No);
    game.click("clkStart");
    QCOMPARE(game.test().prompter().last().text, QStringLiteral("A Zorbel Game is already in Progress, Start Over?"));
    QCOMPARE(game.test().prompter().last().title, QStringLiteral("Start New Game"));
    QCOMPARE(game.button("clkRound")->caption(), QStringLiteral("Round 1"));
    QCOMPARE(window.intCurrentPlayer, 0);
    QCOMPARE(window.intMatchNumber, 1); // the game itself goes on: 3 steps through 3 questions

    game.click("clkNext");
    game.showTab(1);
    game.test().prompter().queue(PromptAnswer::Cancel);
    game.click("clkStartPhrase");
    QCOMPARE(game.test().prompter().last().text,
             QStringLiteral("A Match Phrase Game is already in Progress, Start Over?"));
    QCOMPARE(window.intRound, 1);
    QCOMPARE(window.intCurrentPlayer, 1);
}

void TestFrmZorbel::missingAndEmptyFilesKeepTheGame()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches);
    const QStringList order = window.strMatches;
    game.write("ZorbelLines.txt", {"# only comments", "", "#Blank Pole"});
    game.test().prompter().queue(PromptAnswer::Yes);
    game.click("clkStart");
    const Prompt &empty = game.test().prompter().last();
    QCOMPARE(empty.title, QStringLiteral("Exiting File Load"));
    QCOMPARE(empty.text, QStringLiteral("File %1 does not contain any questions.").arg(game.test().path("ZorbelLines.txt")));
    QCOMPARE(empty.icon, Prompt::Icon::Information);
    QCOMPARE(window.strMatches, order);
    QCOMPARE(game.matchOnShow(), order.first());

    game.showTab(1);
    game.click("clkStartPhrase");
    QCOMPARE(game.test().prompter().last().title, QStringLiteral("File Does Not Exist"));
    QVERIFY(game.test().prompter().last().text.startsWith(
        QStringLiteral("File %1 does not exist, please create it from the Config menu item, or ")
            .arg(game.test().path("ZorbelPhrases.txt"))));
}

void TestFrmZorbel::exitQuestionCanBeDeclined()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches);
    game.click("clkUp", 0);
    game.test().prompter().queue(PromptAnswer::No);
    game.click("clkExit");
    QCOMPARE(game.test().prompter().last().text, QStringLiteral("Do you wish to exit Zorbel?"));
    QCOMPARE(game.test().prompter().last().title, QStringLiteral("Exit Program?"));
    QVERIFY(window.isVisible());
    QCOMPARE(game.scores(), QStringList({"1", "0"}));

    game.test().prompter().queue(PromptAnswer::Yes);
    game.showTab(1);
    game.click("clkExitPhrase");
    QVERIFY(!window.isVisible());
    QCOMPARE(game.test().logEntries().mid(1), QStringList({"Unloading All Forms...", "Unloading All Forms..."}));
}

void TestFrmZorbel::scoresAreCappedAndWinOnlyAtRoundEnd()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open();
    game.click("clkUp", 0); // nothing loaded: no points to give
    game.click("clkDown", 1);
    QCOMPARE(game.scores(), QStringList({"0", "0"}));

    game.write("ZorbelLines.txt", kThreeMatches);
    game.click("clkStart");
    game.get<QComboBox>("cmbNumPlayers")->setCurrentText("3");
    for (int i = 0; i < 5; ++i)
        game.click("clkUp", 1);
    game.click("clkUp", 2);
    QCOMPARE(game.scores(), QStringList({"0", "3", "1"})); // capped by the three questions loaded
    game.click("clkDown", 2);
    game.click("clkDown", 2);
    QCOMPARE(game.scores(), QStringList({"0", "3", "0"}));
    game.write("ZorbelPhrases.txt", kPhrases);
    game.showTab(1);
    game.click("clkStartPhrase");
    game.showTab(0);
    for (int i = 0; i < 10; ++i)
        game.click("clkUp", 1);
    QCOMPARE(game.scores(), QStringList({"0", "6", "0"})); // both files count

    game.box("txtCounter", 1)->setText("10");
    game.click("clkNext"); // to player 1: no decision mid-round
    game.click("clkNext"); // to player 2
    QCOMPARE(window.intCurrentPlayer, 2);
    game.answerWinnerWith("clkClose");
    game.click("clkNext"); // round over: player 1 wins
    QCOMPARE(game.lastWinnerMessage(),
             QStringLiteral("Congratulations...\n\nName has won the game with a score of 10\n\nNicely Done!"));
    QCOMPARE(game.scores(), QStringList({"0", "0", "0"}));
    QCOMPARE(window.intRound, 1);
    QCOMPARE(window.intMatchNumber, 1);
    QVERIFY(window.blnSkipNextPhrase);
    QCOMPARE(game.test().logEntries().mid(1), QStringList({"Loading Form frmWin", "Unloading Form frmWin"}));
}

void TestFrmZorbel::tieAnswers_data()
{
    QTest::addColumn<QString>("answer"); // empty: closed by the window manager
    QTest::addColumn<bool>("restarts");
    QTest::newRow("yes keeps scores") << "clkYes" << false;
    QTest::newRow("closed counts as yes") << "" << false;
    QTest::newRow("no restarts both modes") << "clkNo" << true;
}

void TestFrmZorbel::tieAnswers()
{
    QFETCH(QString, answer);
    QFETCH(bool, restarts);
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches, kPhrases);
    game.get<QComboBox>("cmbNumPlayers")->setCurrentText("3");
    game.box("txtPlayer", 0)->setText("Lee, Ann");
    game.box("txtPlayer", 1)->setText("Bob;");
    game.box("txtCounter", 0)->setText("12");
    game.box("txtCounter", 1)->setText("12");
    game.box("txtCounter", 2)->setText("9");
    game.click("clkNext");
    game.click("clkNext");
    game.answerWinnerWith(answer);
    game.click("clkNext");
    QCOMPARE(game.lastWinnerMessage(), QStringLiteral("Congratulations...\n\nPlayers:\n\nLee, Ann  Bob;\n\nHave tied "
                                                      "with a score of 12\n\nPlay another round?"));
    QCOMPARE(game.scores(), (restarts ? QStringList{"0", "0", "0"} : QStringList{"12", "12", "9"}));
    QCOMPARE(window.intRound, restarts ? 1 : 2);
    QCOMPARE(window.intCurrentPlayer, 0); // the further round starts with the first player
    QVERIFY(game.test().prompter().shown().isEmpty()); // reloads ask nothing
    if (restarts) {
        QCOMPARE(window.intMatchNumber, 1);
        QCOMPARE(window.intPhraseNumber, 1);
        return;
    }
    game.box("txtCounter", 1)->setText("13");
    game.click("clkNext");
    game.click("clkNext");
    game.answerWinnerWith("clkClose");
    game.click("clkNext");
    QVERIFY(game.lastWinnerMessage().contains(QLatin1String("Bob; has won the game with a score of 13")));
}

void TestFrmZorbel::playerCountTakesMouseNotKeys()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches);
    auto *players = game.get<QComboBox>("cmbNumPlayers");
    players->setFocus();
    QTest::keyClick(players, Qt::Key_Down);
    QTest::keyClick(players, Qt::Key_Down);
    QCOMPARE(players->currentText(), QStringLiteral("2"));
    QVERIFY(game.box("txtPlayer", 2)->isHidden());
    QTest::keyClick(players, Qt::Key_PageDown);
    QCOMPARE(window.intMatchNumber, 2); // the page keys still step the questions
    QCOMPARE(players->currentText(), QStringLiteral("2"));

    players->setCurrentText("4"); // a choice from the list
    QCOMPARE(game.scores().size(), 4);
    QVERIFY(game.box("txtPlayer", 3)->isVisible());
    QCOMPARE(window.intCurrentPlayer, 0);

    auto *toWin = game.get<QComboBox>("cmbScoreToWin");
    QTest::keyClick(toWin, Qt::Key_Up);
    QCOMPARE(toWin->currentText(), QStringLiteral("10"));
}

void TestFrmZorbel::doubleClickGivesTheTurn()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches);
    game.get<QComboBox>("cmbNumPlayers")->setCurrentText("4");
    QTest::mouseDClick(game.box("txtPlayer", 2), Qt::LeftButton);
    QCOMPARE(window.intCurrentPlayer, 2);
    QCOMPARE(colour(game.box("txtCounter", 2)), kCurrent);
    QCOMPARE(colour(game.box("txtCounter", 0)), kNormal);
    game.click("clkNext");
    QCOMPARE(colour(game.box("txtPlayer", 3)), kCurrent);
    QCOMPARE(colour(game.box("txtPlayer", 2)), kNormal);
}

void TestFrmZorbel::countdown_data()
{
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<bool>("alwaysOn");
    QTest::addColumn<int>("length");
    QTest::addColumn<QStringList>("music");
    QTest::addColumn<QStringList>("buzzer");
    QTest::newRow("buzzer at 0, music stops") << true << false << 3 << QStringList{"play", "stop"} << QStringList{"play"};
    QTest::newRow("sound off: silent") << false << false << 2 << QStringList{} << QStringList{};
    QTest::newRow("music kept") << true << true << 2 << QStringList{"play"} << QStringList{"play"};
    QTest::newRow("length 0 stops at once") << true << false << 0 << QStringList{"play"} << QStringList{};
}

// Next starts the countdown; each tick shows one second less, the one that
// shows 0 sounds the buzzer and the next one stops the timer.
void TestFrmZorbel::countdown()
{
    QFETCH(bool, soundOn);
    QFETCH(bool, alwaysOn);
    QFETCH(int, length);
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches);
    game.get<QCheckBox>("chkBuzzer")->setChecked(true);
    game.get<QCheckBox>("chkSoundAlwaysOn")->setChecked(alwaysOn);
    window.intTimerSeconds = length;
    game.get<QRadioButton>("optSound", soundOn ? 0 : 1)->setChecked(true);
    game.get<QRadioButton>("OptTimer", 0)->setChecked(true);
    game.music().clear();
    game.buzzer().clear();
    game.click("clkNext");
    QStringList shown{game.box("txtTimer")->text()};
    for (int tick = 0; tick < length; ++tick) {
        QVERIFY(window.Timer1().isActive());
        window.Timer1_Timer();
        shown << game.box("txtTimer")->text();
    }
    QCOMPARE(shown.first(), QString::number(length));
    QCOMPARE(shown.last(), QStringLiteral("0"));
    QCOMPARE(shown.size(), length + 1);
    QVERIFY(window.Timer1().isActive());
    window.Timer1_Timer();
    QVERIFY(!window.Timer1().isActive());
    QCOMPARE(game.box("txtTimer")->text(), QStringLiteral("0"));
    QTEST(game.music(), "music");
    QTEST(game.buzzer(), "buzzer");
}

void TestFrmZorbel::tabChangeStopsCountdown()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches, kPhrases);
    game.get<QRadioButton>("OptTimer", 0)->setChecked(true);
    window.Timer1_Timer();
    QCOMPARE(game.box("txtTimer")->text(), QStringLiteral("29"));
    game.showTab(1);
    QVERIFY(!window.Timer1().isActive());
    QCOMPARE(game.box("txtTimer")->text(), QStringLiteral("30"));

    // "Timer On" with nothing on show in the visible tab changes nothing.
    ZorbelFixture empty;
    empty.open();
    empty.get<QRadioButton>("OptTimer", 1)->setChecked(true);
    empty.get<QRadioButton>("OptTimer", 0)->setChecked(true);
    QVERIFY(!empty.window().Timer1().isActive());
}

QTEST_MAIN(TestFrmZorbel)
#include "tst_frm_zorbel.moc"
