#include "zorbel_fixture.h"

#include "ravlen.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {

const QStringList kThreeMatches{"# three", "Blank Pole", "Christmas Blank", "Snow Blank Man"};
const QStringList kPhrases{"Even his Blank makes me laugh.", "A Blank suit.", "The Blank was blue."};
const QColor kCurrent(255, 224, 192);
const QColor kNormal(201, 207, 214);

QColor boxColour(QLineEdit *box)
{
    return box->palette().color(QPalette::Base);
}

} // namespace

class TestFrmZorbel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layoutPlacesEveryControl_data();
    void layoutPlacesEveryControl();
    void loadWithBothFilesShowsMatches();
    void loadWithPhrasesOnlyShowsPhraseTab();
    void loadWithNeitherFileShowsEmptyBoard();
    void nextAndPreviousWrapAround();
    void pageKeysFollowTheVisibleTab();
    void pageUpInNameBoxStepsBack();
    void declinedStartOverDiffersByMode();
    void missingAndEmptyFilesKeepTheGame();
    void exitQuestionCanBeDeclined();

    void midRoundScoreWinsOnlyAtRoundEnd();
    void tieAskedYesKeepsScores();
    void tieAskedNoRestartsBothModes();
    void tieClosedByWindowManagerCountsAsYes();
    void restartWithoutPhraseFileShowsItsMessage();
    void upIsCappedDownStopsAtZero();
    void playerCountTakesMouseNotKeys();
    void doubleClickGivesTheTurn();

    void countdownBuzzesAtZero();
    void countdownSettings_data();
    void countdownSettings();
    void tabChangeStopsCountdown();
};

void TestFrmZorbel::layoutPlacesEveryControl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("clkConfig") << "clkConfig" << -1 << QRect(120, 30, 1575, 375);
    QTest::newRow("clkRound") << "clkRound" << -1 << QRect(10320, 20, 1455, 375);
    QTest::newRow("SSTab1") << "SSTab1" << -1 << QRect(120, 480, 9855, 6135);
    QTest::newRow("txtPlayer 3") << "txtPlayer" << 3 << QRect(10290, 960 + 3 * 480, 2200, 500);
    QTest::newRow("clkDown 9") << "clkDown" << 9 << QRect(12600, 960 + 9 * 480, 255, 495);
    QTest::newRow("clkUp 0") << "clkUp" << 0 << QRect(12840, 960, 255, 495);
    QTest::newRow("txtCounter 1") << "txtCounter" << 1 << QRect(13180, 1440, 800, 500);
    QTest::newRow("fraTimer") << "fraTimer" << -1 << QRect(10320, 5880, 3735, 1215);
    QTest::newRow("hsc1") << "hsc1" << -1 << QRect(1800, 6960, 6615, 190);
    QTest::newRow("clkVideo") << "clkVideo" << -1 << QRect(12480, 7245, 1575, 375);
}

void TestFrmZorbel::layoutPlacesEveryControl()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QRect, twips);
    ZorbelFixture game;
    FrmZorbel &window = game.open();
    QWidget *control = window.controls().find(name, index);
    QVERIFY(control);
    const QRect expected(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
    const QRect actual(control->mapTo(&window, QPoint(0, 0)), control->size());
    QVERIFY2(qAbs(actual.x() - expected.x()) <= 1 && qAbs(actual.y() - expected.y()) <= 1
                 && qAbs(actual.width() - expected.width()) <= 1 && qAbs(actual.height() - expected.height()) <= 1,
             qPrintable(QStringLiteral("%1: %2,%3 %4x%5").arg(name).arg(actual.x()).arg(actual.y()).arg(actual.width()).arg(actual.height())));
}

void TestFrmZorbel::loadWithBothFilesShowsMatches()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    game.writePhrases(kPhrases);
    FrmZorbel &window = game.open();

    QCOMPARE(window.windowTitle(), QStringLiteral("Zorbel"));
    QCOMPARE(game.tabs()->currentIndex(), 0);
    QCOMPARE(game.button("clkStatusMatch")->caption(), QStringLiteral("Viewing Match 1 of 3 Matches..."));
    QCOMPARE(game.button("clkStatusPhrase")->caption(), QStringLiteral("Viewing Phrase 1 of 3 Phrases..."));
    QCOMPARE(game.matchOnShow(), window.strMatches.first());
    QVERIFY(QStringList({"___________________,POLE", "CHRISTMAS,___________________", "SNOW,___________________ MAN"})
                .contains(game.matchOnShow()));
    QCOMPARE(game.label("lblPhrase")->text(), QStringLiteral("      ") + window.strPhrases.first());
    QCOMPARE(game.box("txtTimer")->text(), QStringLiteral("30"));
    QVERIFY(window.controls().get<QRadioButton>("OptTimer", 1)->isChecked());
    QVERIFY(window.controls().get<QRadioButton>("optSound", 1)->isChecked());
    QVERIFY(!window.Timer1().isActive());
    QVERIFY(game.box("txtPlayer", 1)->isVisible());
    QVERIFY(game.box("txtPlayer", 2)->isHidden());
    QCOMPARE(boxColour(game.box("txtPlayer", 0)), kCurrent);
    QCOMPARE(game.music().first(), QStringLiteral("source ") + game.test().path("MatchMusic.mp3"));
    QCOMPARE(game.buzzer().first(), QStringLiteral("source ") + game.test().path("Buzzer.wav"));
    QCOMPARE(game.test().logEntries(), QStringList{"Loading Form frmZorbel"});
    QVERIFY(game.test().prompter().shown().isEmpty());
}

void TestFrmZorbel::loadWithPhrasesOnlyShowsPhraseTab()
{
    ZorbelFixture game;
    game.writePhrases(kPhrases);
    FrmZorbel &window = game.open();
    QCOMPARE(game.tabs()->currentIndex(), 1);
    QVERIFY(window.blnPhraseGameOn);
    QVERIFY(!window.blnMatchGameOn);
    QVERIFY(game.label("lblName", 0)->text().isEmpty());
    QVERIFY(game.test().prompter().shown().isEmpty());
}

void TestFrmZorbel::loadWithNeitherFileShowsEmptyBoard()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open();
    QCOMPARE(game.tabs()->currentIndex(), 0);
    QVERIFY(game.label("lblName", 0)->text().isEmpty());
    QVERIFY(game.label("lblPhrase")->text().isEmpty());
    QVERIFY(window.controls().get<QRadioButton>("OptTimer", 0)->isChecked());
    QVERIFY(window.controls().get<QRadioButton>("optSound", 1)->isChecked());
    QVERIFY(game.test().prompter().shown().isEmpty());
}

void TestFrmZorbel::nextAndPreviousWrapAround()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    FrmZorbel &window = game.open();
    const QStringList order = window.strMatches;
    QCOMPARE(order.size(), 3);

    game.click("clkNext");
    QCOMPARE(game.matchOnShow(), order.at(1));
    game.click("clkNext");
    game.click("clkNext");
    QCOMPARE(game.matchOnShow(), order.at(0));
    QCOMPARE(game.button("clkStatusMatch")->caption(), QStringLiteral("Viewing Match 1 of 3 Matches..."));
    QCOMPARE(window.strMatches, order);

    game.click("clkPrev");
    QCOMPARE(game.matchOnShow(), order.at(2));
    QCOMPARE(game.button("clkStatusMatch")->caption(), QStringLiteral("Viewing Match 3 of 3 Matches..."));
}

void TestFrmZorbel::pageKeysFollowTheVisibleTab()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    FrmZorbel &window = game.open();
    const QString first = game.matchOnShow();

    game.tabs()->setCurrentIndex(1);
    window.PageUpDown(34);
    QCOMPARE(window.intMatchNumber, 1);
    QCOMPARE(window.intCurrentPlayer, 0);

    game.tabs()->setCurrentIndex(0);
    window.PageUpDown(34);
    QCOMPARE(window.intMatchNumber, 2);
    QCOMPARE(window.intCurrentPlayer, 1);
    window.PageUpDown(33);
    QCOMPARE(game.matchOnShow(), first);
    QCOMPARE(window.intCurrentPlayer, 0);
}

void TestFrmZorbel::pageUpInNameBoxStepsBack()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    FrmZorbel &window = game.open();
    game.box("txtPlayer", 1)->setFocus();
    QTest::keyClick(game.box("txtPlayer", 1), Qt::Key_PageUp);
    QCOMPARE(window.intMatchNumber, 3);
    QCOMPARE(window.intCurrentPlayer, 1); // the turn went back from the first to the last player
}

void TestFrmZorbel::declinedStartOverDiffersByMode()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    game.writePhrases(kPhrases);
    FrmZorbel &window = game.open();
    for (int step = 0; step < 3; ++step) // two players: the second step ends round 1
        game.click("clkNext");
    QCOMPARE(window.intRound, 2);
    QCOMPARE(window.intCurrentPlayer, 1);

    game.test().prompter().queue(PromptAnswer::No);
    game.click("clkStart");
    QCOMPARE(game.test().prompter().last().text, QStringLiteral("A Zorbel Game is already in Progress, Start Over?"));
    QCOMPARE(game.test().prompter().last().title, QStringLiteral("Start New Game"));
    QCOMPARE(window.intRound, 1);
    QCOMPARE(game.button("clkRound")->caption(), QStringLiteral("Round 1"));
    QCOMPARE(window.intCurrentPlayer, 0);
    QCOMPARE(window.intMatchNumber, 1); // the game itself goes on: 3 steps through 3 questions

    game.click("clkNext");
    game.tabs()->setCurrentIndex(1);
    const int round = window.intRound;
    const int player = window.intCurrentPlayer;
    game.test().prompter().queue(PromptAnswer::Cancel);
    game.click("clkStartPhrase");
    QCOMPARE(game.test().prompter().last().text,
             QStringLiteral("A Match Phrase Game is already in Progress, Start Over?"));
    QCOMPARE(window.intRound, round);
    QCOMPARE(window.intCurrentPlayer, player);
}

void TestFrmZorbel::missingAndEmptyFilesKeepTheGame()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    FrmZorbel &window = game.open();
    const QStringList order = window.strMatches;

    game.writeMatches({"# only comments", "", "#Blank Pole"});
    game.test().prompter().queue(PromptAnswer::Yes);
    game.click("clkStart");
    const Prompt &empty = game.test().prompter().last();
    QCOMPARE(empty.title, QStringLiteral("Exiting File Load"));
    QCOMPARE(empty.text, QStringLiteral("File %1 does not contain any questions.").arg(game.test().path("ZorbelLines.txt")));
    QCOMPARE(empty.icon, Prompt::Icon::Information);
    QCOMPARE(window.strMatches, order);
    QCOMPARE(game.matchOnShow(), order.first());

    game.tabs()->setCurrentIndex(1);
    game.click("clkStartPhrase");
    const Prompt &missing = game.test().prompter().last();
    QCOMPARE(missing.title, QStringLiteral("File Does Not Exist"));
    QVERIFY(missing.text.startsWith(QStringLiteral("File %1 does not exist, please create it from the Config menu item, or ")
                                        .arg(game.test().path("ZorbelPhrases.txt"))));
}

void TestFrmZorbel::exitQuestionCanBeDeclined()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    FrmZorbel &window = game.open();
    game.click("clkUp", 0);
    game.test().prompter().queue(PromptAnswer::No);
    game.click("clkExit");
    QCOMPARE(game.test().prompter().last().text, QStringLiteral("Do you wish to exit Zorbel?"));
    QCOMPARE(game.test().prompter().last().title, QStringLiteral("Exit Program?"));
    QVERIFY(window.isVisible());
    QCOMPARE(game.scores(), QStringList({"1", "0"}));

    game.test().prompter().queue(PromptAnswer::Yes);
    game.tabs()->setCurrentIndex(1);
    game.click("clkExitPhrase");
    QVERIFY(!window.isVisible());
    QCOMPARE(game.test().logEntries().mid(1),
             QStringList({"Unloading All Forms...", "Unloading All Forms..."}));
}

void TestFrmZorbel::midRoundScoreWinsOnlyAtRoundEnd()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    FrmZorbel &window = game.open();
    game.combo("cmbNumPlayers")->setCurrentText("3");
    for (int i = 0; i < 10; ++i)
        game.click("clkUp", 1);
    QCOMPARE(game.scores(), QStringList({"0", "3", "0"})); // capped by the three questions loaded

    game.writePhrases(kPhrases);
    game.tabs()->setCurrentIndex(1);
    game.click("clkStartPhrase");
    game.tabs()->setCurrentIndex(0);
    for (int i = 0; i < 10; ++i)
        game.click("clkUp", 1);
    QCOMPARE(game.scores(), QStringList({"0", "6", "0"}));

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
    QVERIFY(game.test().logEntries().contains("Loading Form frmWin"));
    QVERIFY(game.test().logEntries().contains("Unloading Form frmWin"));
}

void TestFrmZorbel::tieAskedYesKeepsScores()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    game.writePhrases(kPhrases);
    FrmZorbel &window = game.open();
    game.combo("cmbNumPlayers")->setCurrentText("3");
    game.box("txtPlayer", 0)->setText("Ann");
    game.box("txtPlayer", 1)->setText("Bob");
    game.box("txtCounter", 0)->setText("12");
    game.box("txtCounter", 1)->setText("12");
    game.box("txtCounter", 2)->setText("9");
    game.click("clkNext");
    game.click("clkNext");
    game.answerWinnerWith("clkYes");
    game.click("clkNext");
    QCOMPARE(game.lastWinnerMessage(), QStringLiteral("Congratulations...\n\nPlayers:\n\nAnn  Bob\n\nHave tied with a "
                                                      "score of 12\n\nPlay another round?"));
    QCOMPARE(game.scores(), QStringList({"12", "12", "9"}));
    QCOMPARE(window.intRound, 2);
    QCOMPARE(window.intCurrentPlayer, 0);
    QCOMPARE(window.tag(), QString());

    game.box("txtCounter", 1)->setText("13");
    game.click("clkNext");
    game.click("clkNext");
    game.answerWinnerWith("clkClose");
    game.click("clkNext");
    QVERIFY(game.lastWinnerMessage().contains(QLatin1String("Bob has won the game with a score of 13")));
}

void TestFrmZorbel::tieAskedNoRestartsBothModes()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    game.writePhrases(kPhrases);
    FrmZorbel &window = game.open();
    game.box("txtCounter", 0)->setText("10");
    game.box("txtCounter", 1)->setText("10");
    game.click("clkNext");
    game.answerWinnerWith("clkNo");
    game.click("clkNext");
    QCOMPARE(game.scores(), QStringList({"0", "0"}));
    QCOMPARE(window.intRound, 1);
    QCOMPARE(window.intMatchNumber, 1);
    QCOMPARE(window.intPhraseNumber, 1);
    QVERIFY(game.test().prompter().shown().isEmpty()); // reloads ask nothing
    QCOMPARE(window.windowTitle(), QStringLiteral("Zorbel"));
}

void TestFrmZorbel::tieClosedByWindowManagerCountsAsYes()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    FrmZorbel &window = game.open();
    game.box("txtCounter", 0)->setText("10");
    game.box("txtCounter", 1)->setText("10");
    game.click("clkNext");
    game.answerWinnerWith(QString());
    game.click("clkNext");
    QCOMPARE(game.scores(), QStringList({"10", "10"}));
    QCOMPARE(window.intRound, 2);
}

void TestFrmZorbel::restartWithoutPhraseFileShowsItsMessage()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    game.open();
    game.box("txtCounter", 1)->setText("10");
    game.click("clkNext");
    game.answerWinnerWith("clkClose");
    game.click("clkNext");
    QCOMPARE(game.test().prompter().shown().size(), 1);
    QCOMPARE(game.test().prompter().last().title, QStringLiteral("File Does Not Exist"));
}

void TestFrmZorbel::upIsCappedDownStopsAtZero()
{
    ZorbelFixture game;
    game.open();
    game.click("clkUp", 0); // nothing loaded: no points to give
    QCOMPARE(game.scores(), QStringList({"0", "0"}));
    game.click("clkDown", 1);
    QCOMPARE(game.scores(), QStringList({"0", "0"}));

    game.writeMatches({"Blank Pole"});
    game.click("clkStart");
    game.click("clkUp", 0);
    game.click("clkUp", 0);
    QCOMPARE(game.scores(), QStringList({"1", "0"}));
    game.click("clkDown", 0);
    game.click("clkDown", 0);
    QCOMPARE(game.scores(), QStringList({"0", "0"}));
}

void TestFrmZorbel::playerCountTakesMouseNotKeys()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    FrmZorbel &window = game.open();
    QComboBox *players = game.combo("cmbNumPlayers");
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

    QComboBox *toWin = game.combo("cmbScoreToWin");
    QTest::keyClick(toWin, Qt::Key_Up);
    QCOMPARE(toWin->currentText(), QStringLiteral("10"));
}

void TestFrmZorbel::doubleClickGivesTheTurn()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    FrmZorbel &window = game.open();
    game.combo("cmbNumPlayers")->setCurrentText("4");
    QTest::mouseDClick(game.box("txtPlayer", 2), Qt::LeftButton);
    QCOMPARE(window.intCurrentPlayer, 2);
    QCOMPARE(boxColour(game.box("txtCounter", 2)), kCurrent);
    QCOMPARE(boxColour(game.box("txtCounter", 0)), kNormal);
    game.click("clkNext");
    QCOMPARE(window.intCurrentPlayer, 3);
    QCOMPARE(boxColour(game.box("txtPlayer", 3)), kCurrent);
    QCOMPARE(boxColour(game.box("txtPlayer", 2)), kNormal);
}

void TestFrmZorbel::countdownBuzzesAtZero()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    FrmZorbel &window = game.open();
    window.controls().get<QCheckBox>("chkBuzzer")->setChecked(true);
    window.intTimerSeconds = 3;
    window.controls().get<QRadioButton>("optSound", 0)->setChecked(true);
    window.controls().get<QRadioButton>("OptTimer", 0)->setChecked(true);
    game.music().clear();
    game.buzzer().clear();
    game.click("clkNext");
    QCOMPARE(game.box("txtTimer")->text(), QStringLiteral("3"));
    QVERIFY(window.Timer1().isActive());
    QCOMPARE(game.music(), QStringList{"play"});

    QStringList shown;
    for (int tick = 0; tick < 3; ++tick) {
        window.Timer1_Timer();
        shown << game.box("txtTimer")->text();
    }
    QCOMPARE(shown, QStringList({"2", "1", "0"}));
    QCOMPARE(game.buzzer(), QStringList{"play"});
    QCOMPARE(game.music(), QStringList({"play", "stop"}));
    QVERIFY(window.Timer1().isActive());
    window.Timer1_Timer();
    QVERIFY(!window.Timer1().isActive());
    QCOMPARE(game.box("txtTimer")->text(), QStringLiteral("0"));
}

void TestFrmZorbel::countdownSettings_data()
{
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<bool>("alwaysOn");
    QTest::addColumn<int>("length");
    QTest::addColumn<QStringList>("music");
    QTest::addColumn<QStringList>("buzzer");
    QTest::newRow("sound off: silent") << false << false << 2 << QStringList{} << QStringList{};
    QTest::newRow("music kept") << true << true << 2 << QStringList{"play"} << QStringList{"play"};
    QTest::newRow("length 0 stops at once") << true << false << 0 << QStringList{"play"} << QStringList{};
}

void TestFrmZorbel::countdownSettings()
{
    QFETCH(bool, soundOn);
    QFETCH(bool, alwaysOn);
    QFETCH(int, length);
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    FrmZorbel &window = game.open();
    window.controls().get<QCheckBox>("chkBuzzer")->setChecked(true);
    window.controls().get<QCheckBox>("chkSoundAlwaysOn")->setChecked(alwaysOn);
    window.intTimerSeconds = length;
    window.controls().get<QRadioButton>("optSound", soundOn ? 0 : 1)->setChecked(true);
    window.controls().get<QRadioButton>("OptTimer", 0)->setChecked(true);
    game.music().clear();
    game.buzzer().clear();
    window.CheckTimer();
    for (int tick = 0; tick <= length + 1; ++tick)
        window.Timer1_Timer();
    QVERIFY(!window.Timer1().isActive());
    QCOMPARE(game.box("txtTimer")->text(), QStringLiteral("0"));
    QTEST(game.music(), "music");
    QTEST(game.buzzer(), "buzzer");
}

void TestFrmZorbel::tabChangeStopsCountdown()
{
    ZorbelFixture game;
    game.writeMatches(kThreeMatches);
    game.writePhrases(kPhrases);
    FrmZorbel &window = game.open();
    window.controls().get<QRadioButton>("OptTimer", 0)->setChecked(true);
    window.CheckTimer();
    window.Timer1_Timer();
    QCOMPARE(game.box("txtTimer")->text(), QStringLiteral("29"));
    game.tabs()->setCurrentIndex(1);
    QVERIFY(!window.Timer1().isActive());
    QCOMPARE(game.box("txtTimer")->text(), QStringLiteral("30"));

    // "Timer On" with nothing on show in the visible tab changes nothing.
    ZorbelFixture empty;
    FrmZorbel &board = empty.open();
    board.controls().get<QRadioButton>("OptTimer", 1)->setChecked(true);
    board.controls().get<QRadioButton>("OptTimer", 0)->setChecked(true);
    QVERIFY(!board.Timer1().isActive());
}

QTEST_MAIN(TestFrmZorbel)
#include "tst_frm_zorbel.moc"
