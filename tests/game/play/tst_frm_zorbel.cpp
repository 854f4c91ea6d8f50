#include "play/frm_zorbel.h"
#include "services/frm_how_to.h"
#include "test_context.h"

#include "ravlen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

const QStringList kThreeMatches{"# three", "Blank Pole", "Christmas Blank", "Snow Blank Man"};
const QStringList kPhrases{"Even his Blank makes me laugh.", "A Blank suit.", "The Blank was blue."};
const QColor kCurrent(255, 224, 192);
const QColor kNormal(201, 207, 214);
const QByteArray kLinks = "[Links]\r\nDonate=https://maker.test/donate\r\nContact=https://maker.test/contact\r\n"
                          "HowToVideo=https://video.test/zorbel\r\n";
const QString kConfig = QStringLiteral("Zorbel.cfg");
const char *const kLists[] = {"cmbTimerTime", "cmbSoundOption", "cmbNoBuzzer", "cmbSound", "cmbTimer"};
const QStringList kOutputs{"ZorbelLinesDeDupped.txt", "Chunk.txt"};

QColor colour(QLineEdit *box)
{
    return box->palette().color(QPalette::Base);
}

void clickOn(Form &form, const QString &name, int index = -1)
{
    Ravlen *target = form.controls().get<Ravlen>(name, index);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
}

QList<Form *> openForms(const QString &objectName)
{
    QList<Form *> forms;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == objectName && window->isVisible())
            forms.append(qobject_cast<Form *>(window));
    return forms;
}

// A modal window is dealt with from inside its own loop, once the click
// that opens it is under way.
void whenOpen(const QString &objectName, const std::function<void(Form &)> &body)
{
    QTimer::singleShot(0, [objectName, body] {
        const QList<Form *> open = openForms(objectName);
        if (open.size() == 1)
            body(*open.first());
    });
}

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

// A main window over a temporary program directory: question files written
// by the test, scripted message boxes, recording media players.
class ZorbelFixture
{
public:
    ~ZorbelFixture()
    {
        if (m_window) {
            m_window->blnExitConfirmed = true;
            m_window->close();
        }
    }

    // The lines as a file of the program directory, ended by CR LF.
    void write(const QString &fileName, const QStringList &lines)
    {
        m_test.writeFile(fileName, lines.join(QLatin1String("\r\n")).toUtf8() + "\r\n");
    }
    // Writes the question files given, then creates and loads the window.
    FrmZorbel &open(const QStringList &matches = {}, const QStringList &phrases = {})
    {
        if (!matches.isEmpty())
            write(QStringLiteral("ZorbelLines.txt"), matches);
        if (!phrases.isEmpty())
            write(QStringLiteral("ZorbelPhrases.txt"), phrases);
        m_window = std::make_unique<FrmZorbel>(m_test.context());
        m_window->load();
        m_window->show();
        return *m_window;
    }
    FrmZorbel &window() { return *m_window; }
    TestContext &test() { return m_test; }

    template<class T>
    T *get(const QString &name, int index = -1) const { return m_window->controls().get<T>(name, index); }
    Ravlen *button(const QString &name, int index = -1) const { return get<Ravlen>(name, index); }
    QLineEdit *box(const QString &name, int index = -1) const { return get<QLineEdit>(name, index); }
    void showTab(int index) { get<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(index); }
    void click(const QString &name, int index = -1, int times = 1)
    {
        while (times-- > 0)
            clickOn(*m_window, name, index);
    }

    // The match on show as its two halves joined by ",", empty when none is.
    QString matchOnShow() const
    {
        const QString left = get<QLabel>(QStringLiteral("lblName"), 0)->text();
        return left.isEmpty() ? QString() : left.mid(1) + u',' + get<QLabel>(QStringLiteral("lblName"), 1)->text().mid(1);
    }
    QStringList scores() const
    {
        QStringList scores;
        for (QLineEdit *score : m_window->controls().array<QLineEdit>(QStringLiteral("txtCounter")))
            if (!score->isHidden())
                scores.append(score->text());
        return scores;
    }

    // Answers the winner window that the next click will open; an empty
    // name closes it as the window manager would.
    void answerWinnerWith(const QString &buttonName)
    {
        whenOpen(QStringLiteral("frmWin"), [this, buttonName](Form &win) {
            m_winnerMessage = win.controls().get<Ravlen>(QStringLiteral("clkStatus"))->caption();
            if (buttonName.isEmpty())
                win.close();
            else
                clickOn(win, buttonName);
        });
    }
    QString lastWinnerMessage() const { return m_winnerMessage; }

    QStringList &music() { return m_test.mediaPlayers().journal(0); }
    QStringList &buzzer() { return m_test.mediaPlayers().journal(1); }

private:
    TestContext m_test;
    std::unique_ptr<FrmZorbel> m_window;
    QString m_winnerMessage;
};

// The round, turn, question and scores, then the rules shown, each message,
// each output written anew, each page opened, each backup and each log line after
// loading; the program directory reads "DIR".
QString outcome(ZorbelFixture &game)
{
    FrmZorbel &window = game.window();
    const bool phrases = game.get<QTabWidget>(QStringLiteral("SSTab1"))->currentIndex() == 1;
    QStringList parts{QStringLiteral("%1 player %2 %3 scores %4")
                          .arg(game.button(QStringLiteral("clkRound"))->caption())
                          .arg(window.intCurrentPlayer)
                          .arg(game.button(phrases ? "clkStatusPhrase" : "clkStatusMatch")->caption(),
                               game.scores().join(u' '))};
    if (game.matchOnShow() != window.strMatches.value(window.intMatchNumber - 1))
        parts << QStringLiteral("another match on show");
    for (FrmHowTo *rules : shownRules(window))
        parts << rules->windowTitle() + (rules->rtb1()->isReadOnly() ? " read-only: " : ": ")
                + rules->rtb1()->toPlainText().section(u'\n', 0, 0);
    for (const Prompt &prompt : game.test().prompter().shown())
        parts << prompt.title + ": " + prompt.text;
    for (const QString &output : kOutputs)
        if (const QByteArray bytes = game.test().readFile(output);
            QFile::exists(game.test().path(output)) && bytes != "old\r\n")
            parts << output + ": " + QString::fromUtf8(bytes);
    for (const QUrl &url : game.test().urlOpener().opened())
        parts << QStringLiteral("open ") + url.toString();
    parts << QDir(game.test().path(QStringLiteral("BackUps"))).entryList(QDir::Files, QDir::Name);
    parts << game.test().logEntries().mid(1);
    if (!window.isVisible())
        parts << QStringLiteral("closed");
    return parts.join(QLatin1String(" | ")).replace(QLatin1String("\r\n"), QLatin1String("/")).replace(game.test().dir(), "DIR");
}

QByteArray savedFile(const QStringList &v)
{
    return QStringLiteral("#Zorbel Configuration file\r\n\r\nTimerTime: %1\r\nSoundContinual: %2\r\nBuzzer: %3\r\n"
                          "Sound: %4\r\nTimer: %5\r\n")
        .arg(v[0], v[1], v[2], v[3], v[4])
        .toUtf8();
}

// The board's five settings, "box/seconds timer sound buzzer continual",
// then each error report shown as "! procedure number".
QString settings(ZorbelFixture &game)
{
    auto on = [&game](const char *group) { return game.get<QRadioButton>(group, 0)->isChecked() ? "on" : "off"; };
    auto yes = [&game](const char *box) { return game.get<QCheckBox>(box)->isChecked() ? "yes" : "no"; };
    QString text = QStringLiteral("%1/%2 %3 %4 %5 %6")
                       .arg(game.box("txtTimer")->text())
                       .arg(game.window().intTimerSeconds)
                       .arg(on("OptTimer"), on("optSound"), yes("chkBuzzer"), yes("chkSoundAlwaysOn"));
    static const QRegularExpression report(QStringLiteral("^Current SubRoutine is (\\S+)\r\nError Number: (\\d+)"));
    for (const Prompt &prompt : game.test().prompter().shown())
        if (const QRegularExpressionMatch match = report.match(prompt.text); match.hasMatch())
            text += QStringLiteral(" ! %1 %2").arg(match.captured(1), match.captured(2));
    return text;
}

// The settings file; null: none; no bytes: a folder in its place.
void placeConfig(ZorbelFixture &game, const QByteArray &file)
{
    if (file.isNull())
        return;
    if (file.isEmpty())
        QVERIFY(QDir(game.test().dir()).mkdir(kConfig));
    else
        game.test().writeFile(kConfig, file);
}

// Selects the texts in the five lists; an empty text clears the selection.
void choose(Form &config, const QStringList &texts)
{
    for (int i = 0; i < 5; ++i) {
        auto *list = config.controls().get<QComboBox>(QLatin1String(kLists[i]));
        list->setCurrentIndex(list->findText(texts[i]));
    }
    clickOn(config, QStringLiteral("clkSave"));
}

// Runs body in the configuration window, then leaves it by Exit.
void withConfigWindow(ZorbelFixture &game, const std::function<void(Form &)> &body)
{
    bool ran = false;
    whenOpen(QStringLiteral("frmConfig"), [&](Form &config) {
        ran = true;
        body(config);
        clickOn(config, QStringLiteral("clkExit"));
    });
    game.click(QStringLiteral("clkConfig"));
    QVERIFY2(ran, "the configuration window did not open");
}

} // namespace

class TestFrmZorbel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadShowsTheBoard();
    void actions_data();
    void actions();
    void rulesWindowExistsOnce();

    void scoresAreCappedAndWinOnlyAtRoundEnd();
    void tieAnswers_data();
    void tieAnswers();
    void playersTakeMouseNotKeys();

    void countdown_data();
    void countdown();
    void tabChangeStopsCountdown();

    void configFileAppliesAtStart_data();
    void configFileAppliesAtStart();
    void configWindowShowsTheBoard_data();
    void configWindowShowsTheBoard();
    void saveAppliesAndWrites_data();
    void saveAppliesAndWrites();
    void editButtonOpensOneChooser();
};

void TestFrmZorbel::loadShowsTheBoard()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches, kPhrases);
    QCOMPARE(window.windowTitle(), QStringLiteral("Zorbel"));
    QCOMPARE(outcome(game), QStringLiteral("Round 1 player 0 Viewing Match 1 of 3 Matches... scores 0 0"));
    QCOMPARE(settings(game), QStringLiteral("30/30 off off no no"));
    QCOMPARE(game.button("clkStatusPhrase")->caption(), QStringLiteral("Viewing Phrase 1 of 3 Phrases..."));
    QVERIFY(QStringList({"___________________,POLE", "CHRISTMAS,___________________", "SNOW,___________________ MAN"})
                .contains(game.matchOnShow()));
    QCOMPARE(game.get<QLabel>("lblPhrase")->text(), QStringLiteral("      ") + window.strPhrases.first());
    QVERIFY(!window.Timer1().isActive());
    QCOMPARE(colour(game.box("txtPlayer", 0)), kCurrent);
    QCOMPARE(game.music().first(), QStringLiteral("source ") + game.test().path("MatchMusic.mp3"));
    QCOMPARE(game.buzzer().first(), QStringLiteral("source ") + game.test().path("Buzzer.wav"));
    QCOMPARE(game.test().logEntries(), QStringList{"Loading Form frmZorbel"});

    ZorbelFixture phrasesOnly; // the tab that has questions shows
    phrasesOnly.open({}, kPhrases);
    QCOMPARE(outcome(phrasesOnly), QStringLiteral("Round 1 player 0 Viewing Phrase 1 of 3 Phrases... scores 0 0"));
    QVERIFY(phrasesOnly.window().blnPhraseGameOn && !phrasesOnly.window().blnMatchGameOn);
    ZorbelFixture neither; // nothing to time: "Timer On"
    neither.open();
    QCOMPARE(settings(neither), QStringLiteral("30/30 on off no no"));
    QVERIFY(neither.matchOnShow().isEmpty() && neither.get<QLabel>("lblPhrase")->text().isEmpty());
    QVERIFY(neither.test().prompter().shown().isEmpty());
}
void TestFrmZorbel::actions_data()
{
    QTest::addColumn<QString>("file"); // put in place after loading
    QTest::addColumn<QByteArray>("bytes"); // null: no such file; empty: 65 MB of zero bytes
    // A button, "tab 1", the next answer, a page key, or "^" and a Ctrl+Alt+Shift key.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("outcome");
    const QString rules = FrmHowTo::fileName();
    const QStringList howTo{"clkHowToPlay"};
    const QString start = "Round 1 player 0 Viewing Match 1 of 3 Matches... scores 0 0 | ";
    const QString phrase = "Round 1 player 0 Viewing Phrase 1 of 3 Phrases... scores 0 0 | ";
    const QString notLoaded =
        start + "File not Loaded: File DIR/HowToPlayZorbel.rtf %1 | Loading Form frmHowTo | Unloading Form frmHowTo";
    QFile document(QStringLiteral(RULES_DOCUMENT));
    QTest::newRow("rules") << rules << (document.open(QIODevice::ReadOnly) ? document.readAll() : "missing") << howTo
                           << start + "How to Play Zorbel read-only: How to Play Zorbel | Loading Form frmHowTo";
    QTest::newRow("truncated rules") << rules << QByteArray("{\\rtf1 {\\b Getting} Rea") << howTo
                                     << start + "How to Play Zorbel read-only: Getting Rea | Loading Form frmHowTo";
    QTest::newRow("binary rules") << rules << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << howTo
                                  << notLoaded.arg("is not a Rich Text Format document.");
    QTest::newRow("rules too large") << rules << QByteArray("") << howTo << notLoaded.arg("is too large to be shown.");
    QTest::newRow("no rules") << rules << QByteArray() << howTo
                              << start + "File not Loaded: Unable to locate file DIR/HowToPlayZorbel.rtf";
    QTest::newRow("de-duplicate") << "ZorbelLines.txt" << QByteArray("Shoe Blank\r\nshoe  blank\r\nBlank Pole\r\nPole\r\n")
                                  << QStringList{"^D"} << start + "ZorbelLinesDeDupped.txt: Shoe Blank/Blank Pole/";
    QTest::newRow("parse") << "temp.txt" << QByteArray("Pole\r\n") << QStringList{"^P"}
                           << start + "Chunk.txt: Pole Blank/Blank Pole/";
    QTest::newRow("parse without a word list") << "temp.txt" << QByteArray() << QStringList{"^P"}
                                               << start + "Error: Current SubRoutine is cmdParse_Click/Error Number: 53/"
                                                  "Location: frmZorbel/ | Current SubRoutine is cmdParse_Click/"
                                                  "Error Number: 53/Location: frmZorbel/";
    QTest::newRow("end program") << "" << QByteArray() << QStringList{"^E"}
                                 << start + "Unloading All Forms... | Unloading Final Form Prior to Program Ending... | closed";
    QTest::newRow("video") << "links.ini" << kLinks << QStringList{"clkVideo"} << start + "open https://video.test/zorbel";
    QTest::newRow("donate") << "links.ini" << kLinks << QStringList{"clkDonate"} << start + "open https://maker.test/donate";
    QTest::newRow("contact") << "links.ini" << kLinks << QStringList{"clkContact"} << start + "open https://maker.test/contact";
    QTest::newRow("contact without links file") << "links.ini" << QByteArray() << QStringList{"clkContact"}
                                                << start + "open https://zorbel.example.org/contact";
    QTest::newRow("update") << "links.ini" << kLinks << QStringList{"Yes", "clkUpdate"}
                            << start + "Check For Update?: The current version of Zorbel software is 1.0.0//Would you "
                                       "like to check for a Zorbel software update? | open https://maker.test/donate | "
                                       "ZorbelLines_3_Mar_2021_09_05_07.txt | ZorbelPhrases_3_Mar_2021_09_05_07.txt";
    // Two players: the third step starts round 2 on the first question again.
    QTest::newRow("start over declined") << "" << QByteArray() << QStringList{"clkNext", "clkNext", "clkNext", "No", "clkStart"}
                                         << start + "Start New Game: A Zorbel Game is already in Progress, Start Over?";
    QTest::newRow("phrase start over cancelled") << "" << QByteArray() << QStringList{"clkNext", "tab 1", "Cancel", "clkStartPhrase"}
        << "Round 1 player 1 Viewing Phrase 1 of 3 Phrases... scores 0 0 | Start New Game: A Match Phrase Game is "
           "already in Progress, Start Over?";
    QTest::newRow("empty file keeps the questions") << "ZorbelLines.txt" << QByteArray("# only comments\r\n\r\n#Blank Pole\r\n") << QStringList{"Yes", "clkStart"}
        << start + "Start New Game: A Zorbel Game is already in Progress, Start Over? | Exiting File Load: File "
                   "DIR/ZorbelLines.txt does not contain any questions.";
    QTest::newRow("missing file") << "ZorbelPhrases.txt" << QByteArray() << QStringList{"tab 1", "clkStartPhrase"}
        << phrase + "File Does Not Exist: File "
                   "DIR/ZorbelPhrases.txt does not exist, please create it from the Config menu item, or \nperforming "
                   "an Update from the About menu pulldown will retrieve this file from the internet.\n\n";
    QTest::newRow("steps wrap around") << "" << QByteArray() << QStringList{"clkNext", "clkNext", "clkNext", "clkPrev"}
                                       << "Round 2 player 0 Viewing Match 3 of 3 Matches... scores 0 0";
    QTest::newRow("page keys step the tab on show") << "" << QByteArray() << QStringList{"tab 1", "PgDn"}
                                                    << "Round 1 player 1 Viewing Phrase 2 of 3 Phrases... scores 0 0";
    QTest::newRow("page keys back to match 3") << "" << QByteArray() << QStringList{"tab 1", "PgDn", "tab 0", "PgUp"}
                                               << "Round 1 player 0 Viewing Match 3 of 3 Matches... scores 0 0";
    QTest::newRow("exit declined") << "" << QByteArray() << QStringList{"clkUp 0", "No", "clkExit"}
        << "Round 1 player 0 Viewing Match 1 of 3 Matches... scores 1 0 | Exit Program?: Do you wish to exit Zorbel? "
           "| Unloading All Forms...";
    QTest::newRow("exit from the phrase tab") << "" << QByteArray() << QStringList{"Yes", "tab 1", "clkExitPhrase"}
        << phrase + "Exit Program?: Do you wish to exit Zorbel? | Unloading All Forms... | closed";
}

void TestFrmZorbel::actions()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, steps);
    ZorbelFixture game;
    for (const QString &output : kOutputs)
        game.test().writeFile(output, "old\r\n");
    FrmZorbel &window = game.open(kThreeMatches, kPhrases);
    if (!file.isEmpty()) {
        QFile put(game.test().path(file));
        if (bytes.isNull())
            put.remove();
        else
            QVERIFY(put.open(QIODevice::WriteOnly)
                    && (bytes.isEmpty() ? put.resize(65 << 20) : put.write(bytes) == bytes.size()));
    }
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QHash<QString, PromptAnswer> answers{
        {"Yes", PromptAnswer::Yes}, {"No", PromptAnswer::No}, {"Cancel", PromptAnswer::Cancel}};
    for (const QString &step : steps) {
        if (answers.contains(step))
            game.test().prompter().queue(answers.value(step));
        else if (step.startsWith(QLatin1String("tab ")))
            game.showTab(step.back().digitValue());
        else if (step == QLatin1String("PgUp") || step == QLatin1String("PgDn"))
            QTest::keyClick(game.box("txtPlayer", 1), step == QLatin1String("PgUp") ? Qt::Key_PageUp : Qt::Key_PageDown);
        else if (step.startsWith(u'^'))
            QTest::keyClick(game.box("txtPlayer", 0), step.at(1).toLatin1(), Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        else
            game.click(step.section(u' ', 0, 0), step.contains(u' ') ? step.section(u' ', 1).toInt() : -1);
    }
    QTEST(outcome(game), "outcome");
}

void TestFrmZorbel::rulesWindowExistsOnce()
{
    ZorbelFixture game;
    game.test().writeFile(FrmHowTo::fileName(), "{\\rtf1 First rules}");
    game.open(kThreeMatches);
    game.click(QStringLiteral("clkHowToPlay"));
    game.test().writeFile(FrmHowTo::fileName(), "{\\rtf1 Second rules}");
    game.click(QStringLiteral("clkHowToPlay"));
    QCOMPARE(outcome(game).section(" | ", 1), "How to Play Zorbel read-only: First rules | Loading Form frmHowTo");
    shownRules(game.window()).first()->close();
    game.click(QStringLiteral("clkHowToPlay"));
    QCOMPARE(outcome(game).section(" | ", 1), "How to Play Zorbel read-only: Second rules | Loading Form frmHowTo | "
                                              "Unloading Form frmHowTo | Loading Form frmHowTo");
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
    game.click("clkUp", 1, 5);
    game.click("clkUp", 2);
    QCOMPARE(game.scores(), QStringList({"0", "3", "1"})); // capped by the three questions loaded
    game.click("clkDown", 2, 2);
    QCOMPARE(game.scores(), QStringList({"0", "3", "0"}));
    game.write("ZorbelPhrases.txt", kPhrases);
    game.showTab(1);
    game.click("clkStartPhrase");
    game.showTab(0);
    game.click("clkUp", 1, 10);
    QCOMPARE(game.scores(), QStringList({"0", "6", "0"})); // both files count

    game.box("txtCounter", 1)->setText("10");
    game.click("clkNext", -1, 2); // no decision mid-round
    QCOMPARE(window.intCurrentPlayer, 2);
    game.answerWinnerWith("clkClose");
    game.click("clkNext"); // round over: player 1 wins
    QCOMPARE(game.lastWinnerMessage(),
             QStringLiteral("Congratulations...\n\nName has won the game with a score of 10\n\nNicely Done!"));
    QCOMPARE(outcome(game), QStringLiteral("Round 1 player 0 Viewing Match 1 of 3 Matches... scores 0 0 0 | "
                                           "Loading Form frmWin | Unloading Form frmWin"));
    QVERIFY(window.blnSkipNextPhrase);
}
void TestFrmZorbel::tieAnswers_data()
{
    QTest::addColumn<QString>("answer"); // empty: closed by the window manager
    QTest::addColumn<QString>("outcome"); // a further round starts with the first player; reloads ask nothing
    const QString log = " | Loading Form frmWin | Unloading Form frmWin";
    QTest::newRow("yes keeps scores") << "clkYes" << "Round 2 player 0 Viewing Match 1 of 3 Matches... scores 12 12 9" + log;
    QTest::newRow("closed counts as yes") << "" << "Round 2 player 0 Viewing Match 1 of 3 Matches... scores 12 12 9" + log;
    QTest::newRow("no restarts both modes") << "clkNo" << "Round 1 player 0 Viewing Match 1 of 3 Matches... scores 0 0 0" + log;
}
void TestFrmZorbel::tieAnswers()
{
    QFETCH(QString, answer);
    ZorbelFixture game;
    game.open(kThreeMatches, kPhrases);
    game.get<QComboBox>("cmbNumPlayers")->setCurrentText("3");
    game.box("txtPlayer", 0)->setText("Lee, Ann");
    game.box("txtPlayer", 1)->setText("Bob;");
    game.box("txtCounter", 0)->setText("12");
    game.box("txtCounter", 1)->setText("12");
    game.box("txtCounter", 2)->setText("9");
    game.click("clkNext", -1, 2);
    game.answerWinnerWith(answer);
    game.click("clkNext");
    QCOMPARE(game.lastWinnerMessage(), QStringLiteral("Congratulations...\n\nPlayers:\n\nLee, Ann  Bob;\n\nHave tied "
                                                      "with a score of 12\n\nPlay another round?"));
    QTEST(outcome(game), "outcome");
    if (answer == QLatin1String("clkNo"))
        return;
    game.box("txtCounter", 1)->setText("13");
    game.click("clkNext", -1, 2);
    game.answerWinnerWith("clkClose");
    game.click("clkNext");
    QVERIFY(game.lastWinnerMessage().contains(QLatin1String("Bob; has won the game with a score of 13")));
}
void TestFrmZorbel::playersTakeMouseNotKeys()
{
    ZorbelFixture game;
    FrmZorbel &window = game.open(kThreeMatches);
    auto *players = game.get<QComboBox>("cmbNumPlayers");
    players->setFocus();
    QTest::keyClick(players, Qt::Key_Down);
    QTest::keyClick(players, Qt::Key_PageDown);
    QCOMPARE(window.intMatchNumber, 2); // the page keys still step the questions
    QCOMPARE(players->currentText(), QStringLiteral("2"));
    QTest::keyClick(game.get<QComboBox>("cmbScoreToWin"), Qt::Key_Up);
    QCOMPARE(game.get<QComboBox>("cmbScoreToWin")->currentText(), QStringLiteral("10"));

    players->setCurrentText("4"); // a choice from the list
    QCOMPARE(game.scores().size(), 4);
    QVERIFY(game.box("txtPlayer", 3)->isVisible());
    QTest::mouseDClick(game.box("txtPlayer", 2), Qt::LeftButton); // gives the turn
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
    QTest::addColumn<QString>("shown"); // after Next, then after each tick until the timer stops
    QTest::addColumn<QStringList>("music");
    QTest::addColumn<QStringList>("buzzer");
    QTest::newRow("buzzer at 0, music stops") << true << false << 3 << "3 2 1 0 0" << QStringList{"play", "stop"}
                                              << QStringList{"play"};
    QTest::newRow("sound off: silent") << false << false << 2 << "2 1 0 0" << QStringList{} << QStringList{};
    QTest::newRow("music kept") << true << true << 2 << "2 1 0 0" << QStringList{"play"} << QStringList{"play"};
    QTest::newRow("length 0 stops at once") << true << false << 0 << "0 0" << QStringList{"play"} << QStringList{};
}
// Next starts the countdown; the tick that shows 0 sounds the buzzer and
// the next one stops the timer.
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
    for (int tick = 0; tick < 100 && window.Timer1().isActive(); ++tick) {
        window.Timer1_Timer();
        shown << game.box("txtTimer")->text();
    }
    QTEST(shown.join(u' '), "shown");
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


void TestFrmZorbel::configFileAppliesAtStart_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: a folder of that name
    QTest::addColumn<QString>("expected"); // the board without question files: "Timer On", "Sound Off"
    QTest::newRow("lower case, blanks") << QByteArray("sound : on\r\ntimer time: 40\r\n") << "40/40 on on no no";
    QTest::newRow("0") << QByteArray("TimerTime: 0\r\n") << "0/0 on off no no";
    QTest::newRow("40.4") << QByteArray("TimerTime: 40.4") << "40.4/40 on off no no";
    QTest::newRow("as saved") << savedFile({"110", "Yes", "Yes", "Yes", "No"}) << "110/110 off on yes yes";
    // Reading ends at the overflow, with an error report.
    QTest::newRow("beyond 16 bits") << QByteArray("Buzzer: Yes\r\nTimerTime: 40000\r\nSoundContinual: Yes\r\n")
                                    << "30/30 on off yes no ! readInConfigFile 6";
    QTest::newRow("folder") << QByteArray("") << "30/30 on off no no ! readInConfigFile 75";
}

void TestFrmZorbel::configFileAppliesAtStart()
{
    QFETCH(QByteArray, file);
    ZorbelFixture game;
    placeConfig(game, file);
    game.open();
    QTEST(settings(game), "expected");
}

void TestFrmZorbel::configWindowShowsTheBoard_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QStringList>("lists");
    // Loaded questions leave "Timer Off" and "Sound Off" unless the file says otherwise.
    QTest::newRow("no file") << QByteArray() << 0 << "30" << QStringList{"30", "No", "No", "No", "No"};
    QTest::newRow("every setting") << savedFile({"90", "Yes", "Yes", "Yes", "Yes"}) << 1 << "90"
                                   << QStringList{"90", "Yes", "Yes", "Yes", "Yes"};
    QTest::newRow("40.4 runs 40") << QByteArray("TimerTime: 40.4") << 1 << "40"
                                  << QStringList{"40", "No", "No", "No", "No"};
}

void TestFrmZorbel::configWindowShowsTheBoard()
{
    QFETCH(QByteArray, file);
    QFETCH(int, tab);
    ZorbelFixture game;
    if (!file.isEmpty())
        game.test().writeFile(kConfig, file);
    FrmZorbel &window = game.open({"Blank Pole", "Shoe Blank"}, {"A Blank suit."});
    game.showTab(tab);
    window.Timer1().start();
    const QString before = settings(game);

    QStringList lists;
    QString tag;
    withConfigWindow(game, [&](Form &config) {
        for (const char *name : kLists)
            lists << config.controls().get<QComboBox>(QLatin1String(name))->currentText();
        tag = window.tag();
        QVERIFY(!window.Timer1().isActive());
        QVERIFY(config.isModal());
    });
    QTEST(lists, "lists");
    QTEST(tag, "tag");
    QCOMPARE(window.tag(), QString());
    QCOMPARE(window.focusWidget(), game.button(tab == 0 ? "clkNext" : "clkNextPhrase"));
    QCOMPARE(settings(game), before); // looking changes nothing
    QCOMPARE(game.test().readFile(kConfig), file); // and writes nothing
    QCOMPARE(game.test().logEntries().mid(1), QStringList({"Loading Form frmConfig", "Unloading Form frmConfig"}));
}

void TestFrmZorbel::saveAppliesAndWrites_data()
{
    QTest::addColumn<QByteArray>("startFile"); // null: none; empty: a folder in its place
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QStringList>("chosen"); // an empty text: no selection
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("music");
    const QStringList all{"80", "Yes", "Yes", "Yes", "Yes"};
    const QStringList loop{"play", "loop on"};
    QTest::newRow("60 No Yes Yes No") << QByteArray() << false << QStringList{"60", "No", "Yes", "Yes", "No"}
                                      << "60/60 off on yes no" << loop;
    QTest::newRow("timer on, sound off") << savedFile({"30", "Yes", "No", "Yes", "No"}) << false
                                         << QStringList{"120", "Yes", "No", "No", "Yes"} << "120/120 on off no yes"
                                         << QStringList{"stop"};
    QTest::newRow("no selection keeps") << QByteArray("TimerTime: 50\r\nBuzzer: Yes\r\n") << false
                                        << QStringList{"", "No", "", "No", ""} << "50/50 off off yes no"
                                        << QStringList{"stop"};
    // A failed save leaves the old file whole; the board takes the settings all the same.
    QTest::newRow("read-only file") << savedFile({"20", "No", "No", "No", "No"}) << true << all
                                    << "80/80 on on yes yes ! clkSave_Click 70" << loop;
    QTest::newRow("folder in its place") << QByteArray("") << false << all
                                         << "80/80 on on yes yes ! readInConfigFile 75 ! clkSave_Click 75" << loop;
}

void TestFrmZorbel::saveAppliesAndWrites()
{
    QFETCH(QByteArray, startFile);
    QFETCH(bool, readOnly);
    QFETCH(QStringList, chosen);
    QFETCH(QString, expected);
    ZorbelFixture game;
    placeConfig(game, startFile);
    const QString path = game.test().path(kConfig);
    if (readOnly)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ExeOwner);
    FrmZorbel &window = game.open({"Blank Pole", "Shoe Blank"});
    game.music().clear();

    QByteArray written;
    withConfigWindow(game, [&](Form &config) {
        choose(config, chosen);
        QVERIFY(config.isVisible());
        written = game.test().readFile(kConfig);
    });
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(written, expected.contains(QLatin1String("clkSave")) ? startFile : savedFile(chosen));
    QCOMPARE(QDir(game.test().dir()).entryList({kConfig + u'*'}, QDir::AllEntries | QDir::Hidden), QStringList{kConfig});
    QCOMPARE(game.test().prompter().shown().size(), expected.count(u'!')); // no confirmation
    QCOMPARE(settings(game), expected);
    QTEST(game.music(), "music");
    // "Timer On" counts down the question on show.
    QCOMPARE(window.Timer1().isActive(), expected.section(u' ', 1, 1) == QLatin1String("on"));
}

void TestFrmZorbel::editButtonOpensOneChooser()
{
    ZorbelFixture game;
    game.open();
    game.click(QStringLiteral("clkEdit"), -1, 2);
    QCOMPARE(openForms(QStringLiteral("frmEdit")).size(), 1);
    Form *chooser = openForms(QStringLiteral("frmEdit")).first();
    QVERIFY(!chooser->isModal());
    game.test().prompter().queue(PromptAnswer::No); // no sample for the missing file
    clickOn(*chooser, QStringLiteral("clkEditMatches"));
    const QList<Form *> editor = openForms(QStringLiteral("frmEditMatches"));
    QCOMPARE(editor.size(), 1);

    // A new chooser after the old one closed still finds the open editor.
    chooser->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    game.click(QStringLiteral("clkEdit"));
    clickOn(*openForms(QStringLiteral("frmEdit")).first(), QStringLiteral("clkEditMatches"));
    QCOMPARE(openForms(QStringLiteral("frmEditMatches")), editor);
    QCOMPARE(game.test().prompter().shown().size(), 1); // loaded once
}
QTEST_MAIN(TestFrmZorbel)
#include "tst_frm_zorbel.moc"
