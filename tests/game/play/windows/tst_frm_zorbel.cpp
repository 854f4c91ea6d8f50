#include "play/phone/phone_room.h"
#include "play/phone/phone_server.h"
#include "play/windows/countdown_alert.h"
#include "play/windows/frm_zorbel.h"
#include "play/windows/phone_panel.h"
#include "play/windows/room_display.h"
#include "services/windows/frm_how_to.h"
#include "test_context.h"

#include "RavlenLib/ravlen.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGraphicsEffect>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
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
const QString kConfig = QStringLiteral("Zorbel.cfg");
const char *const kLists[] = {"cmbTimerTime", "cmbSoundOption", "cmbNoBuzzer", "cmbSound", "cmbTimer"};
const QStringList kOutputs{"ZorbelLinesDeDupped.txt", "Chunk.txt"};

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

// A key typed into a control: the release goes wherever the press moved
// the focus, as it does at a real keyboard.
void typeKey(QWidget *control, const QString &key)
{
    const QKeyCombination combination = QKeySequence(key)[0];
    control->setFocus();
    QTest::keyPress(control, combination.key(), combination.keyboardModifiers());
    QTest::keyRelease(QApplication::focusWidget(), combination.key(), combination.keyboardModifiers());
}

// Picks the item from the opened list, as a click on it does.
void chooseWithMouse(QComboBox *box, const QString &item)
{
    box->setCurrentIndex(box->findText(item));
}

// The rules windows on show, after closed ones are gone.
QList<FrmHowTo *> shownRules(const FrmZorbel &window)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<FrmHowTo *> shown = window.findChildren<FrmHowTo *>();
    shown.removeIf([](const FrmHowTo *rules) { return !rules->isVisible(); });
    return shown;
}

// A main window over a temporary program directory: question files written
// by the test, scripted message boxes, recording media players.
class ZorbelFixture
{
public:
    explicit ZorbelFixture(const QString &exeName = QStringLiteral("Zorbel"))
        : m_test(QVersionNumber(1, 0, 0), exeName)
    {
    }
    ~ZorbelFixture()
    {
        if (m_window)
            m_window->cmdEndProgram_Click();
    }

    // Writes the question files given, lines ended by CR LF, then creates and loads the window.
    FrmZorbel &open(const QStringList &matches = {}, const QStringList &phrases = {})
    {
        for (const auto &[name, lines] : {std::pair("ZorbelLines.txt", matches), std::pair("ZorbelPhrases.txt", phrases)})
            if (!lines.isEmpty())
                m_test.writeFile(QLatin1String(name), lines.join(QLatin1String("\r\n")).toUtf8() + "\r\n");
        m_window = std::make_unique<FrmZorbel>(m_test.context());
        m_window->load();
        m_window->show();
        return *m_window;
    }
    // The window gone without the host's Exit, as in a crash.
    void crash() { m_window.reset(); }
    FrmZorbel &window() { return *m_window; }
    TestContext &test() { return m_test; }
    // Makes the window the active one, so that keys reach its focus.
    bool activate()
    {
        m_window->activateWindow();
        return QTest::qWaitForWindowActive(m_window.get());
    }

    template <class T>
    T *get(const QString &name, int index = -1) const
    {
        return m_window->controls().get<T>(name, index);
    }
    Ravlen *button(const QString &name, int index = -1) const { return get<Ravlen>(name, index); }
    QLineEdit *box(const QString &name, int index = -1) const { return get<QLineEdit>(name, index); }
    void showTab(int index) { get<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(index); }
    void click(const QString &name, int index = -1, int times = 1)
    {
        while (times-- > 0)
            clickOn(*m_window, name, index);
    }

    // One step of the countdown: "tick" (while it counts), "pause" (as the
    // configuration window does), "tab N", the timer options "on" and
    // "off", or a click on the button named.
    void countdownStep(const QString &step)
    {
        Game &game = m_window->game();
        if (step == QLatin1String("tick") && game.countdownRunning())
            game.tick();
        else if (step == QLatin1String("pause"))
            game.pauseCountdown();
        else if (step.startsWith(QLatin1String("tab ")))
            showTab(step.back().digitValue());
        else if (step == QLatin1String("on") || step == QLatin1String("off"))
            QTest::mouseClick(get<QRadioButton>("OptTimer", step == QLatin1String("on") ? 0 : 1), Qt::LeftButton);
        else
            click(step);
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
            winnerMessage = win.controls().get<Ravlen>(QStringLiteral("clkStatus"))->caption();
            if (buttonName.isEmpty())
                win.close();
            else
                clickOn(win, buttonName);
        });
    }

    QStringList &music() { return m_test.mediaPlayers().journal(0); }
    QStringList &buzzer() { return m_test.mediaPlayers().journal(1); }
    QString winnerMessage; // as the last winner window showed it

private:
    TestContext m_test;
    std::unique_ptr<FrmZorbel> m_window;
};

// The round, turn, question and scores, then the rules shown, each message,
// each output written anew, each page opened and each log line after
// loading; the program directory reads "DIR".
QString outcome(ZorbelFixture &game)
{
    FrmZorbel &window = game.window();
    const bool phrases = game.get<QTabWidget>(QStringLiteral("SSTab1"))->currentIndex() == 1;
    QStringList parts{QStringLiteral("%1 player %2 %3 scores %4")
                          .arg(game.button(QStringLiteral("clkRound"))->caption())
                          .arg(window.game().currentPlayer())
                          .arg(game.button(phrases ? "clkStatusPhrase" : "clkStatusMatch")->caption(), game.scores().join(u' '))};
    if (game.matchOnShow() != window.game().question(QuestionMode::Match))
        parts << QStringLiteral("another match on show");
    for (FrmHowTo *rules : shownRules(window))
        parts << rules->windowTitle() + (rules->rtb1()->isReadOnly() ? " read-only: " : ": ")
                     + rules->rtb1()->toPlainText().section(u'\n', 0, 0);
    for (const Prompt &prompt : game.test().prompter().shown())
        parts << prompt.title + ": " + prompt.text;
    for (const QString &output : kOutputs)
        if (const QByteArray bytes = game.test().readFile(output); QFile::exists(game.test().path(output)) && bytes != "old\r\n")
            parts << output + ": " + QString::fromUtf8(bytes);
    for (const QUrl &url : game.test().urlOpener().opened())
        parts << QStringLiteral("open ") + url.toString();
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
                       .arg(game.window().game().countdownLength())
                       .arg(on("OptTimer"), on("optSound"), yes("chkBuzzer"), yes("chkSoundAlwaysOn"));
    static const QRegularExpression report(QStringLiteral("^Current SubRoutine is (\\S+)\r\nError Number: (\\d+)"));
    for (const Prompt &prompt : game.test().prompter().shown())
        if (const QRegularExpressionMatch match = report.match(prompt.text); match.hasMatch())
            text += QStringLiteral(" ! %1 %2").arg(match.captured(1), match.captured(2));
    return text;
}

} // namespace

class TestFrmZorbel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadShowsTheBoard()
    {
        ZorbelFixture game;
        FrmZorbel &window = game.open(kThreeMatches, kPhrases);
        QCOMPARE(outcome(game), QStringLiteral("Round 1 player 0 Viewing Match 1 of 3 Matches... scores 0 0"));
        QCOMPARE(settings(game), QStringLiteral("30/30 off off no no"));
        QVERIFY(QStringList({"___________________,POLE", "CHRISTMAS,___________________", "SNOW,___________________ MAN"})
                    .contains(game.matchOnShow()));
        QCOMPARE(game.get<QLabel>("lblPhrase")->text(), QStringLiteral("      ") + window.game().question(QuestionMode::Phrase));

        ZorbelFixture phrasesOnly; // the tab that has questions shows
        phrasesOnly.open({}, kPhrases);
        QCOMPARE(outcome(phrasesOnly), QStringLiteral("Round 1 player 0 Viewing Phrase 1 of 3 Phrases... scores 0 0"));
        // Nothing to time: "Timer On"; reading the settings ends at an overflow, with an error report.
        ZorbelFixture neither;
        neither.test().writeFile(kConfig, "Buzzer: Yes\r\nTimerTime: 40000\r\nSoundContinual: Yes\r\n");
        neither.open();
        QCOMPARE(settings(neither), QStringLiteral("30/30 on off yes no ! readInConfigFile 6"));
        QVERIFY(neither.matchOnShow().isEmpty() && neither.get<QLabel>("lblPhrase")->text().isEmpty());
    }
    // clang-format off

    // The status line tells the host of questions a file holds beyond those
    // a game can number, until the file holds no more.
    void statusTellsOfQuestionsLeftOut()
    {
        QStringList phrases;
        for (int n = 1; n <= 32768; ++n)
            phrases.append(QStringLiteral("Blank W%1").arg(n));
        ZorbelFixture game;
        game.open({}, phrases);
        QCOMPARE(game.button("clkStatusPhrase")->caption(),
                 QStringLiteral("Viewing Phrase 1 of 32766 Phrases...  (2 more in the file left out)"));
        game.test().writeFile(QStringLiteral("ZorbelPhrases.txt"), kPhrases.join(QLatin1String("\r\n")).toUtf8());
        game.test().prompter().queue(PromptAnswer::Yes);
        clickOn(game.window(), QStringLiteral("clkStartPhrase"));
        QCOMPARE(game.button("clkStatusPhrase")->caption(), QStringLiteral("Viewing Phrase 1 of 3 Phrases..."));
    }
    void actions_data()
    {
        QTest::addColumn<QString>("file"); // put in place after loading
        QTest::addColumn<QByteArray>("bytes"); // null: no such file; empty: 65 MB of zero bytes
        // A button, "tab 1", the next answer, or "^" and a Ctrl+Alt+Shift key.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("outcome");
        const QString rules = FrmHowTo::fileName();
        const QStringList howTo{"clkHowToPlay"};
        const QString start = "Round 1 player 0 Viewing Match 1 of 3 Matches... scores 0 0 | ";
        const QString phrase = "Round 1 player 0 Viewing Phrase 1 of 3 Phrases... scores 0 0 | ";
        const QString notLoaded =
            start + "File not Loaded: File DIR/HowToPlayZorbel.rtf %1 | Loading Form frmHowTo | Unloading Form frmHowTo";
        QTest::newRow("binary rules") << rules << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << howTo
                                      << notLoaded.arg("is not a Rich Text Format document.");
        QTest::newRow("rules too large") << rules << QByteArray("") << howTo << notLoaded.arg("is too large to be shown.");
        QTest::newRow("no rules") << rules << QByteArray() << howTo
                                  << start + "File not Loaded: Unable to locate file DIR/HowToPlayZorbel.rtf";
        QTest::newRow("de-duplicate") << "ZorbelLines.txt" << QByteArray("Shoe Blank\r\nshoe  blank\r\nBlank Pole\r\nPole\r\n")
                                      << QStringList{"^D"} << start + "ZorbelLinesDeDupped.txt: Shoe Blank/Blank Pole/";
        QTest::newRow("parse without a word list") << "temp.txt" << QByteArray() << QStringList{"^P"}
                                                   << start + "Error: Current SubRoutine is cmdParse_Click/Error Number: 53/"
                                                      "Location: frmZorbel/ | Current SubRoutine is cmdParse_Click/"
                                                      "Error Number: 53/Location: frmZorbel/";
        QTest::newRow("end program") << "" << QByteArray() << QStringList{"^E"}
                                     << start + "Unloading All Forms... | Unloading Final Form Prior to Program Ending... | closed";
        QTest::newRow("video") << "links.ini" << QByteArray("[Links]\r\nHowToVideo=https://video.test/zorbel\r\n") << QStringList{"clkVideo"}
                               << start + "open https://video.test/zorbel";
        QTest::newRow("empty file keeps the questions") << "ZorbelLines.txt" << QByteArray("# only comments\r\n\r\n#Blank Pole\r\n") << QStringList{"Yes", "clkStart"}
            << start + "Start New Game: A Zorbel Game is already in Progress, Start Over? | Exiting File Load: File "
                       "DIR/ZorbelLines.txt does not contain any questions.";
        QTest::newRow("missing file") << "ZorbelPhrases.txt" << QByteArray() << QStringList{"tab 1", "clkStartPhrase"}
            << phrase + "File Does Not Exist: File "
                       "DIR/ZorbelPhrases.txt does not exist, please create it from the Config menu item, or \nperforming "
                       "an Update from the About menu pulldown will retrieve this file from the internet.\n\n";
        // Two players: the third step starts round 2 on the first question again.
        QTest::newRow("steps wrap around") << "" << QByteArray() << QStringList{"clkNext", "clkNext", "clkNext", "clkPrev"}
                                           << "Round 2 player 0 Viewing Match 3 of 3 Matches... scores 0 0";
        QTest::newRow("exit declined") << "" << QByteArray() << QStringList{"clkUp 0", "No", "clkExit"}
            << "Round 1 player 0 Viewing Match 1 of 3 Matches... scores 1 0 | Exit Program?: Do you wish to exit Zorbel? "
               "| Unloading All Forms...";
    }
    // clang-format on

    void actions()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, steps);
        ZorbelFixture game;
        for (const QString &output : kOutputs)
            game.test().writeFile(output, "old\r\n");
        game.open(kThreeMatches, kPhrases);
        if (!file.isEmpty()) {
            QFile put(game.test().path(file));
            if (bytes.isNull())
                put.remove();
            else
                QVERIFY(put.open(QIODevice::WriteOnly) && (bytes.isEmpty() ? put.resize(65 << 20) : put.write(bytes) == bytes.size()));
        }
        QVERIFY(game.activate());
        const QHash<QString, PromptAnswer> answers{{"Yes", PromptAnswer::Yes}, {"No", PromptAnswer::No}, {"Cancel", PromptAnswer::Cancel}};
        for (const QString &step : steps) {
            if (answers.contains(step))
                game.test().prompter().queue(answers.value(step));
            else if (step.startsWith(QLatin1String("tab ")))
                game.showTab(step.back().digitValue());
            else if (step.startsWith(u'^'))
                QTest::keyClick(game.box("txtPlayer", 0), step.at(1).toLatin1(), Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
            else
                game.click(step.section(u' ', 0, 0), step.contains(u' ') ? step.section(u' ', 1).toInt() : -1);
        }
        QTEST(outcome(game), "outcome");
    }

    void rulesWindowExistsOnce()
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

    // clang-format off
    void tieAnswers_data()
    {
        QTest::addColumn<QString>("answer"); // empty: closed by the window manager
        QTest::addColumn<QString>("outcome");
        const QString log = " | Loading Form frmWin | Unloading Form frmWin";
        const QString anotherRound = "Round 2 player 0 Viewing Match 1 of 3 Matches... scores 6 6 4" + log;
        QTest::newRow("yes keeps scores") << "clkYes" << anotherRound;
        QTest::newRow("closed counts as yes") << "" << anotherRound;
        QTest::newRow("no restarts") << "clkNo" << "Round 1 player 0 Viewing Match 1 of 3 Matches... scores 0 0 0" + log;
    }
    // clang-format on
    // The winner window shows the tie and brings the host's answer back.
    void tieAnswers()
    {
        QFETCH(QString, answer);
        ZorbelFixture game;
        game.open(kThreeMatches, kPhrases);
        chooseWithMouse(game.get<QComboBox>("cmbNumPlayers"), "3");
        chooseWithMouse(game.get<QComboBox>("cmbScoreToWin"), "5");
        game.box("txtPlayer", 0)->setText("Lee, Ann");
        game.box("txtPlayer", 1)->setText("Bob;");
        // Six questions in all: no score goes higher.
        game.click("clkUp", 0, 6);
        game.click("clkUp", 1, 6);
        game.click("clkUp", 2, 4);
        game.click("clkNext", -1, 2);
        game.answerWinnerWith(answer);
        game.click("clkNext");
        QCOMPARE(game.winnerMessage, QStringLiteral("Congratulations...\n\nPlayers:\n\nLee, Ann  Bob;\n\nHave tied "
                                                    "with a score of 6\n\nPlay another round?"));
        QTEST(outcome(game), "outcome");
    }
    // The title bar names the game, not its lower-case executable, also while
    // a decided game reloads both modes. A score reached in the middle of a
    // round decides nothing until the turn passes from the last player to the first.
    void titleNamesTheGame()
    {
        ZorbelFixture game(QStringLiteral("zorbel"));
        FrmZorbel &window = game.open(kThreeMatches, kPhrases);
        QCOMPARE(window.windowTitle(), QStringLiteral("Zorbel"));
        QSignalSpy titles(&window, &QWidget::windowTitleChanged);
        chooseWithMouse(game.get<QComboBox>("cmbScoreToWin"), "5");
        game.click("clkUp", 0, 5);
        game.answerWinnerWith("clkClose"); // should the window open too early
        game.click("clkNext");
        QVERIFY(!game.test().logEntries().contains(QLatin1String("Loading Form frmWin")));
        game.answerWinnerWith("clkClose");
        game.click("clkNext");
        QCOMPARE(game.winnerMessage, QStringLiteral("Congratulations...\n\nName has won the game with a score of 5\n\nNicely Done!"));
        const QString reloading = QStringLiteral("Zorbel is reloading and randomly sorting Zorbels...");
        QCOMPARE(titles, QList<QVariantList>({{reloading}, {"Zorbel"}, {reloading}, {"Zorbel"}}));
    }
    // Ctrl+Z takes the host's last move back from anywhere on the console,
    // Ctrl+Y does it again, and the round button tells which moves they are;
    // a name box being typed into keeps Ctrl+Z for its own text.
    void undoAndRedoKeys()
    {
        ZorbelFixture game;
        FrmZorbel &window = game.open(kThreeMatches, kPhrases);
        QVERIFY(game.activate());
        QCOMPARE(game.button("clkRound")->toolTip(), QString()); // opening is no step
        auto *players = game.get<QComboBox>("cmbNumPlayers");
        chooseWithMouse(players, "3");
        game.click("clkUp", 1);
        QCOMPARE(game.scores(), QStringList({"0", "1", "0"}));
        const auto keys = [&window](Qt::Key key, int times = 1) {
            while (times-- > 0)
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, key, Qt::ControlModifier);
        };
        game.button("clkNext")->setFocus();
        keys(Qt::Key_Z);
        QCOMPARE(game.scores(), QStringList({"0", "0", "0"}));
        QCOMPARE(game.button("clkRound")->toolTip(), "Undo: 3 players (Ctrl+Z)\nRedo: Name +1 (Ctrl+Y)");
        keys(Qt::Key_Z);
        QCOMPARE(game.scores(), QStringList({"0", "0"}));
        QCOMPARE(players->currentText(), "2");
        keys(Qt::Key_Y, 2);
        QCOMPARE(game.scores(), QStringList({"0", "1", "0"}));
        QCOMPARE(players->currentText(), "3");

        QLineEdit *name = game.box("txtPlayer", 0);
        name->setFocus();
        QTest::keyClicks(name, "X");
        QCOMPARE(window.game().playerName(0), "NameX");
        keys(Qt::Key_Z);
        QCOMPARE(name->text(), "Name");
        QCOMPARE(window.game().playerName(0), "Name");
        QCOMPARE(game.scores(), QStringList({"0", "1", "0"}));
        QCOMPARE(game.button("clkRound")->toolTip(), "Undo: Name +1 (Ctrl+Z)");
        keys(Qt::Key_Y);
        QCOMPARE(window.game().playerName(0), "NameX");
    }
    // The matches started once their file came leave the tab blank again
    // when the start is taken back.
    void firstStartTakenBack()
    {
        ZorbelFixture game;
        FrmZorbel &window = game.open({}, kPhrases);
        QVERIFY(game.activate());
        game.test().writeFile(QStringLiteral("ZorbelLines.txt"), kThreeMatches.join(QLatin1String("\r\n")).toUtf8());
        game.showTab(0);
        game.click("clkStart");
        QVERIFY(!game.matchOnShow().isEmpty());
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!window.game().onShow(QuestionMode::Match));
        QCOMPARE(game.matchOnShow(), QString());
        QCOMPARE(game.button("clkStatusMatch")->caption(), QString());
    }
    // Every control has a name a screen reader speaks, and the turn shows by
    // more than colour.
    void screenReadersAndTheTurnMarker()
    {
        ZorbelFixture game;
        FrmZorbel &window = game.open(kThreeMatches, kPhrases);
        chooseWithMouse(game.get<QComboBox>("cmbNumPlayers"), "3");
        game.box("txtPlayer", 0)->clear();
        QTest::keyClicks(game.box("txtPlayer", 0), "Maya");
        game.box("txtPlayer", 2)->clear(); // a row without a name is spoken by its number
        auto spoken = [&game](const char *name, int index = -1) {
            QWidget *control = game.get<QWidget>(QLatin1String(name), index);
            return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        };
        QCOMPARE(
            QStringList({spoken("clkUp", 0), spoken("clkDown", 0), spoken("clkUp", 2), spoken("txtPlayer", 0), spoken("txtCounter", 2),
                         spoken("clkNext"), spoken("clkPrevPhrase"), spoken("clkStart"), spoken("txtTimer"), spoken("hsc1"),
                         game.get<QComboBox>("cmbNumPlayers")->accessibleName(), game.get<QComboBox>("cmbScoreToWin")->accessibleName()}),
            QStringList({"Maya: score up", "Maya: score down", "Player 3: score up", "Player 1 name", "Player 3 score", "Next", "Previous",
                         "Start", "Seconds left", "Sound volume", "Number of players", "Score to win"}));

        auto *marker = window.findChild<QLabel *>(QStringLiteral("lblTurn"));
        QVERIFY(marker && marker->isVisible());
        auto markedRow = [&] {
            for (int i = 0; i < 3; ++i)
                if (marker->geometry().center().y() == game.box("txtPlayer", i)->geometry().center().y())
                    return i;
            return -1;
        };
        QCOMPARE(markedRow(), 0);
        game.click("clkNext", -1, 2);
        QCOMPARE(markedRow(), 2);
        QCOMPARE(game.box("txtCounter", 2)->palette().color(QPalette::Base), kCurrent);
        QCOMPARE(game.box("txtCounter", 0)->palette().color(QPalette::Base), kNormal);
        QCOMPARE(QAccessible::queryAccessibleInterface(game.box("txtPlayer", 2))->text(QAccessible::Description),
                 QStringLiteral("Current player"));
        QTest::mouseDClick(game.box("txtPlayer", 1), Qt::LeftButton); // gives the turn
        QCOMPARE(markedRow(), 1);
        QCOMPARE(game.box("txtPlayer", 1)->palette().color(QPalette::Base), kCurrent);
        QVERIFY(QAccessible::queryAccessibleInterface(game.box("txtPlayer", 2))->text(QAccessible::Description).isEmpty());
        // Scores are capped by the questions of both files.
        game.click("clkDown", 0);
        game.click("clkUp", 1, 10);
        QCOMPARE(game.scores(), QStringList({"0", "6", "0"}));
        // A new game hands the turn to the first player: one row is marked, not two.
        game.test().prompter().queue(PromptAnswer::Yes);
        game.click("clkStart");
        QCOMPARE(markedRow(), 0);
        QCOMPARE(game.box("txtPlayer", 1)->palette().color(QPalette::Base), kNormal);
    }
    // Ctrl+P and a click on the countdown hold and resume it; Ctrl+Plus adds ten seconds.
    void countdownUnderTheHostsHand()
    {
        ZorbelFixture game;
        FrmZorbel &window = game.open(kThreeMatches);
        QVERIFY(game.activate());
        QTest::mouseClick(game.get<QRadioButton>("OptTimer", 0), Qt::LeftButton);
        QLineEdit *box = game.box("txtTimer");
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(window.game().countdownPaused());
        QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(box->text(), "40");
        QVERIFY(box->graphicsEffect()->isEnabled()); // faded while held
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(window.game().countdownRunning() && !box->graphicsEffect()->isEnabled());
    }
    // F5 and the console's button open and close the room display, which
    // shows the console's prompt and goes when the console does.
    void roomDisplayOpensAndCloses()
    {
        ZorbelFixture game;
        FrmZorbel &window = game.open(kThreeMatches);
        QVERIFY(game.activate());
        const auto display = [&window]() -> RoomDisplay * {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            auto *shown = window.findChild<RoomDisplay *>();
            return shown && shown->isVisible() ? shown : nullptr;
        };
        QTest::keyClick(game.box("txtPlayer", 0), Qt::Key_F5);
        QVERIFY(display());
        QCOMPARE(display()->shownText(RoomDisplay::Part::Prompt).replace(u'\n', u','), game.matchOnShow());
        game.click("clkRoomDisplay");
        QVERIFY(!display());
        game.click("clkRoomDisplay");
        QVERIFY(display());
        window.cmdEndProgram_Click();
        QVERIFY(!display());
    }
    // Phone play is off at the start; F6 turns it on and off, F7 reveals
    // and F8 awards the matches, which Ctrl+Z takes back. The host sees who
    // answered, not what, and every name as the phone typed it.
    void phonePlayFromTheConsole()
    {
        ZorbelFixture game;
        FrmZorbel &window = game.open(kThreeMatches);
        QVERIFY(game.activate());
        QVERIFY(!window.phoneServer().isOn() && !window.phonePanel());
        window.phoneServer().setAddresses({QHostAddress(QHostAddress::LocalHost)});
        QTest::keyClick(game.box("txtPlayer", 0), Qt::Key_F6);
        QVERIFY(window.phoneServer().isOn());
        QVERIFY(window.phonePanel() && window.phonePanel()->isVisible());

        PhoneRoom &room = window.phoneRoom();
        for (const QString &name : {QStringLiteral("<b>Bo</b>"), QStringLiteral("Ann"), QStringLiteral("Cy")})
            QVERIFY(std::holds_alternative<PhoneRoom::Seat>(room.join(room.code(), name, {})));
        QCOMPARE(game.box("txtPlayer", 0)->text(), QStringLiteral("<b>Bo</b>"));
        QCOMPARE(window.game().playerCount(), 3);
        QVERIFY(room.answer(0, QStringLiteral("Flag")) && room.answer(1, QStringLiteral("flag.")));
        QCOMPARE(window.phonePanel()->shownPlayer(0), QStringLiteral("1. <b>Bo</b> - answered"));
        QCOMPARE(window.phonePanel()->shownPlayer(2), QStringLiteral("3. Cy"));
        for (const QLabel *label : window.phonePanel()->findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(window.phonePanel()->shownAnswers().isEmpty());

        QTest::keyClick(&window, Qt::Key_F7);
        QCOMPARE(window.phonePanel()->shownAnswers(), QStringLiteral("Flag: <b>Bo</b>, Ann"));
        QTest::keyClick(&window, Qt::Key_F8);
        QCOMPARE(game.scores(), QStringList({"1", "1", "0"}));
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(game.scores(), QStringList({"0", "0", "0"}));

        QTest::keyClick(&window, Qt::Key_F6);
        QVERIFY(!window.phoneServer().isOn() && !window.phonePanel()->isVisible());
    }
    // clang-format off
    void pageKeysWorkEverywhere_data()
    {
        QTest::addColumn<QString>("control"); // name, then an index for a row's control
        QTest::addColumn<QString>("setting"); // a list's choice made before the keys
        const char *const controls[] = {
            "clkAbout", "clkConfig", "clkContact", "clkDonate", "clkDown 1", "clkEdit", "clkExit", "clkExitPhrase",
            "clkHowToPlay", "clkNext", "clkNextPhrase", "clkPrev", "clkPrevPhrase", "clkRound", "clkStart",
            "clkStartPhrase", "clkUp 0", "clkUpdate", "cmbNumPlayers", "cmbScoreToWin", "OptTimer 0", "OptTimer 1",
            "optSound 0", "optSound 1", "hsc1", "SSTab1", "txtCounter 1", "txtPlayer 0", "txtTimer"};
        for (const char *control : controls)
            QTest::newRow(control) << control << "";
        QTest::newRow("players at the end of the list") << "cmbNumPlayers" << "10";
        QTest::newRow("score to win at the end of the list") << "cmbScoreToWin" << "30";
    }
    // clang-format on
    // PageDown steps on and PageUp steps back in the mode on show, wherever on
    // the window the focus is.
    void pageKeysWorkEverywhere()
    {
        QFETCH(QString, control);
        QFETCH(QString, setting);
        ZorbelFixture game;
        game.open(kThreeMatches, kPhrases);
        QVERIFY(game.activate());
        const bool phrases = control.endsWith(QLatin1String("Phrase"));
        game.showTab(phrases ? 1 : 0);
        QWidget *target = game.get<QWidget>(control.section(u' ', 0, 0), control.contains(u' ') ? control.section(u' ', 1).toInt() : -1);
        if (!setting.isEmpty())
            chooseWithMouse(qobject_cast<QComboBox *>(target), setting);
        const QString mode = phrases ? "Phrase %1 of 3 Phrases" : "Match %1 of 3 Matches";
        for (const auto &[key, player, number] : {std::tuple("PgDown", 1, 2), std::tuple("PgUp", 0, 1)}) {
            typeKey(target, QLatin1String(key));
            QCOMPARE(outcome(game), QStringLiteral("Round 1 player %1 Viewing %2... scores %3")
                                        .arg(player)
                                        .arg(mode.arg(number), QStringList(game.scores().size(), "0").join(u' ')));
        }
    }
    // clang-format off
    void settingsTakeMouseChoicesOnly_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("chosen"); // with the mouse, at one end of the list
        QTest::addColumn<QString>("pageKey"); // the last key, towards that end
        QTest::addColumn<QString>("again"); // chosen with the mouse after the keys
        QTest::newRow("players, first") << "cmbNumPlayers" << "2" << "PgUp" << "4";
        QTest::newRow("players, last") << "cmbNumPlayers" << "10" << "PgDown" << "3";
        QTest::newRow("score to win, first") << "cmbScoreToWin" << "5" << "PgUp" << "20";
        QTest::newRow("score to win, last") << "cmbScoreToWin" << "30" << "PgDown" << "15";
    }
    // clang-format on
    // No key changes the number of players or the score to win, and a page key
    // leaves nothing behind that would undo the next mouse choice.
    void settingsTakeMouseChoicesOnly()
    {
        QFETCH(QString, box);
        QFETCH(QString, chosen);
        QFETCH(QString, pageKey);
        QFETCH(QString, again);
        ZorbelFixture game;
        game.open(kThreeMatches, kPhrases);
        QVERIFY(game.activate());
        auto *setting = game.get<QComboBox>(box);
        chooseWithMouse(setting, chosen);
        const int rows = game.scores().size();
        // The list does not open for a choice by keyboard either.
        const QStringList keys{"Home",  "End", "Up",       "Down",   "Left", "Right",  "5",    "2",
                               "Space", "F4",  "Alt+Down", "Alt+Up", "PgUp", "PgDown", pageKey};
        for (const QString &key : keys) {
            typeKey(setting, key);
            QVERIFY2(setting->currentText() == chosen && game.scores().size() == rows && !setting->view()->isVisible(), qPrintable(key));
        }
        // Nor is a list opened with the mouse chosen from by keyboard.
        setting->showPopup();
        for (const char *key : {"Down", "Down", "Return"})
            typeKey(setting->view(), QLatin1String(key));
        QCOMPARE(setting->currentText(), chosen);
        setting->hidePopup();

        chooseWithMouse(setting, again);
        QCOMPARE(setting->currentText(), again);
        if (box == QLatin1String("cmbNumPlayers"))
            QCOMPARE(QString::number(game.scores().size()), again);
    }
    void countdownSteps_data()
    {
        QTest::addColumn<QStringList>("steps"); // "on" and "off" click the timer options
        QTest::addColumn<QString>("shown"); // after each step; "*" while counting
        // The options, the Next button and the tabs reach the countdown.
        QTest::newRow("options, next, tabs") << QStringList{"on", "tick", "off", "on", "tick", "clkNext", "tick", "tab 1"}
                                             << "30* 29* 30 30* 29* 30* 29* 30";
    }
    void countdownSteps()
    {
        QFETCH(QStringList, steps);
        ZorbelFixture game;
        FrmZorbel &window = game.open(kThreeMatches, kPhrases);
        QStringList shown;
        for (const QString &step : steps) {
            game.countdownStep(step);
            shown << game.box("txtTimer")->text() + (window.game().countdownRunning() ? "*" : "");
        }
        QTEST(shown.join(u' '), "shown");
    }

    // The room cannot miss the last seconds: the box turns to the alert
    // colour ("!") from 5 down to the 0 it stops at, and back to its own look
    // when the countdown shows anything else.
    void countdownAlert_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("shown"); // after each step; "*" while counting
        QTest::newRow("to zero, next question")
            << QStringList{"clkNext", "tick", "tick", "tick", "tick", "tick", "tick", "tick", "tick", "clkNext"}
            << "7* 6* 5*! 4*! 3*! 2*! 1*! 0*! 0! 7*";
        QTest::newRow("timer off, tab, paused")
            << QStringList{"clkNext", "tick", "tick", "off", "on", "tick", "tab 1", "tab 0", "off", "on", "tick", "tick", "pause"}
            << "7* 6* 5*! 7 7* 6* 7 7 7 7* 6* 5*! 5";
    }
    void countdownAlert()
    {
        QFETCH(QStringList, steps);
        ZorbelFixture game;
        FrmZorbel &window = game.open(kThreeMatches, kPhrases);
        QLineEdit *box = game.box("txtTimer");
        const QPalette designed = box->palette();
        window.game().setCountdownLength({QStringLiteral("7"), 7});
        QTest::mouseClick(game.get<QRadioButton>("OptTimer", 0), Qt::LeftButton);
        auto *pulse = window.findChild<QTimer *>(QStringLiteral("countdownPulse"));
        QVERIFY(pulse && !pulse->isActive());
        QStringList shown;
        for (const QString &step : steps) {
            game.countdownStep(step);
            const bool alert = box->palette().color(QPalette::Base) != designed.color(QPalette::Base);
            // The pulse plays only while the box is in the alert colour.
            QVERIFY(alert || !pulse->isActive());
            shown << box->text() + (window.game().countdownRunning() ? "*" : "") + (alert ? "!" : "");
            if (!alert)
                QCOMPARE(box->palette(), designed);
        }
        QTEST(shown.join(u' '), "shown");
    }

    // At zero the box pulses a short while, then rests in the alert colour
    // with no timer running.
    void countdownRestsAtZero()
    {
        ZorbelFixture game;
        FrmZorbel &window = game.open(kThreeMatches, kPhrases);
        window.game().setCountdownLength({QStringLiteral("1"), 1});
        QTest::mouseClick(game.get<QRadioButton>("OptTimer", 0), Qt::LeftButton);
        game.click("clkNext");
        window.game().tick();
        window.game().tick();
        auto *pulse = window.findChild<QTimer *>(QStringLiteral("countdownPulse"));
        int steps = 0;
        for (; pulse->isActive() && steps < 1000; ++steps)
            QMetaObject::invokeMethod(pulse, "timeout");
        QVERIFY(steps > 12 && steps < 100);
        QCOMPARE(game.box("txtTimer")->palette().color(QPalette::Base), CountdownAlert::kAlertColour);
        QCOMPARE(game.box("txtTimer")->text(), QStringLiteral("0"));
    }

    // F11 lays the board out anew for the whole screen: each control's
    // designed place and font at the new scale, the design centred. A second
    // F11 puts everything back; a plain resize moves nothing.
    void fullScreenScalesTheBoard_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<bool>("onTab"); // placed within a tab page: its size is checked
        QTest::addColumn<double>("points");
        QTest::newRow("SSTab1") << "SSTab1" << -1 << QRect(120, 480, 9855, 6135) << false << 12.0;
        QTest::newRow("txtPlayer 0") << "txtPlayer" << 0 << QRect(10290, 960, 2200, 500) << false << 15.0;
        QTest::newRow("cmbScoreToWin") << "cmbScoreToWin" << -1 << QRect(13200, 0, 790, 450) << false << 14.25;
        QTest::newRow("clkConfig caption") << "clkConfig" << -1 << QRect(120, 30, 1575, 375) << false << 9.75;
        QTest::newRow("clkNext caption") << "clkNext" << -1 << QRect(4920, 5520, 2415, 495) << true << 12.0;
    }
    void fullScreenScalesTheBoard()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QRect, twips);
        QFETCH(bool, onTab);
        QFETCH(double, points);
        ZorbelFixture game;
        FrmZorbel &window = game.open(kThreeMatches, kPhrases);
        QWidget *control = game.get<QWidget>(name, index);
        auto *marker = window.findChild<QLabel *>(QStringLiteral("lblTurn"));
        const QRect normal = control->geometry();
        const QRect normalWindow = window.geometry();

        window.resize(window.size() + QSize(200, 100));
        QCOMPARE(window.geometry(), normalWindow);
        QCOMPARE(control->geometry(), normal);

        game.click("clkNext");
        QVERIFY(game.activate());
        QTest::keyClick(&window, Qt::Key_F11);
        const QSize screen = window.screen()->geometry().size();
        QTRY_COMPARE(window.size(), screen);
        QVERIFY(window.isFullScreen());
        const double scale = std::min(screen.width() * 15.0 / 14160, screen.height() * 15.0 / 7695);
        auto pixels = [scale](int twips) { return int(std::lround(twips * scale / 15)); };
        const QPoint origin((screen.width() - pixels(14160)) / 2, (screen.height() - pixels(7695)) / 2);
        const QRect scaled(QPoint(pixels(twips.left()), pixels(twips.top())),
                           QPoint(pixels(twips.left() + twips.width()) - 1, pixels(twips.top() + twips.height()) - 1));
        if (onTab)
            QCOMPARE(control->size(), scaled.size());
        else
            QCOMPARE(control->geometry(), scaled.translated(origin));
        QCOMPARE(control->font().pointSizeF(), points * scale);
        QCOMPARE(marker->geometry().center().y(), game.box("txtPlayer", 1)->geometry().center().y());

        QTest::keyClick(&window, Qt::Key_F11);
        QTRY_VERIFY(!window.isFullScreen());
        QTRY_COMPARE(window.geometry(), normalWindow);
        QCOMPARE(control->geometry(), normal);
        QCOMPARE(control->font().pointSizeF(), points * game.test().context().formScale());
    }

    // The slider runs from silence to full volume and sets both players.
    void volumeSlider()
    {
        ZorbelFixture game;
        game.open(kThreeMatches);
        auto *volume = game.get<QScrollBar>("hsc1");
        QTest::mouseClick(game.get<QRadioButton>("optSound", 0), Qt::LeftButton); // "Sound Off" holds the slider still
        game.music().clear();
        game.buzzer().clear();
        QTest::keyClick(volume, Qt::Key_Home);
        volume->triggerAction(QAbstractSlider::SliderSingleStepAdd); // as a click on its arrow does
        QTest::keyClick(volume, Qt::Key_End);
        QCOMPARE(game.music(), QStringList({"volume 0", "volume 1", "volume 100"}));
        QCOMPARE(game.buzzer(), game.music());
    }

    void saveAppliesAndWrites_data()
    {
        QTest::addColumn<QByteArray>("startFile");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QStringList>("shown"); // by the lists on opening
        QTest::addColumn<QStringList>("chosen"); // an empty text: no selection
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("music");
        QTest::newRow("timer on, sound off") << savedFile({"90", "Yes", "Yes", "Yes", "Yes"}) << false
                                             << QStringList{"90", "Yes", "Yes", "Yes", "Yes"}
                                             << QStringList{"120", "Yes", "No", "No", "Yes"} << "120/120 on off no yes"
                                             << QStringList{"stop"};
        QTest::newRow("no selection keeps") << QByteArray("TimerTime: 40.4\r\nBuzzer: Yes\r\n") << false
                                            << QStringList{"40", "No", "Yes", "No", "No"} << QStringList{"", "No", "", "No", ""}
                                            << "40.4/40 off off yes no" << QStringList{"stop"};
        // A failed save leaves the old file whole; the board takes the settings all the same.
        QTest::newRow("read-only file") << savedFile({"20", "No", "No", "No", "No"}) << true << QStringList{"20", "No", "No", "No", "No"}
                                        << QStringList{"80", "Yes", "Yes", "Yes", "Yes"} << "80/80 on on yes yes ! clkSave_Click 70"
                                        << QStringList{"play", "loop on"};
    }

    // The window stops the countdown while open, shows the board's settings,
    // and Save applies and writes them at once.
    void saveAppliesAndWrites()
    {
        QFETCH(QByteArray, startFile);
        QFETCH(bool, readOnly);
        QFETCH(QStringList, chosen);
        QFETCH(QString, expected);
        ZorbelFixture game;
        game.test().writeFile(kConfig, startFile);
        const QString path = game.test().path(kConfig);
        if (readOnly)
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ExeOwner);
        FrmZorbel &window = game.open({"Blank Pole", "Shoe Blank"});
        if (window.game().timerOn()) // a countdown that runs, to be held while the window is open
            window.game().checkTimer();
        game.music().clear();

        QStringList shown;
        QByteArray written;
        bool pausedWhileOpen = false;
        whenOpen(QStringLiteral("frmConfig"), [&](Form &config) {
            pausedWhileOpen = config.isModal() && !window.game().countdownRunning();
            for (int i = 0; i < 5; ++i) {
                auto *list = config.controls().get<QComboBox>(QLatin1String(kLists[i]));
                shown << list->currentText();
                list->setCurrentIndex(list->findText(chosen[i])); // an empty text clears the selection
            }
            clickOn(config, QStringLiteral("clkSave"));
            written = config.isVisible() ? game.test().readFile(kConfig) : QByteArray("closed by Save");
            clickOn(config, QStringLiteral("clkExit"));
        });
        game.click(QStringLiteral("clkConfig"));
        QVERIFY(pausedWhileOpen);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QTEST(shown, "shown");
        QCOMPARE(written, expected.contains(QLatin1String("clkSave")) ? startFile : savedFile(chosen));
        QCOMPARE(game.test().prompter().shown().size(), expected.count(u'!')); // no confirmation
        QCOMPARE(settings(game), expected);
        QTEST(game.music(), "music");
        // "Timer On" counts down the question on show.
        QCOMPARE(window.game().countdownRunning(), expected.section(u' ', 1, 1) == QLatin1String("on"));
    }

    void editButtonOpensOneChooser()
    {
        ZorbelFixture game;
        game.open();
        game.click(QStringLiteral("clkEdit"), -1, 2);
        const QList<Form *> choosers = openForms(QStringLiteral("frmEdit"));
        QCOMPARE(choosers.size(), 1);
        game.test().prompter().queue(PromptAnswer::No); // no sample for the missing file
        clickOn(*choosers.first(), QStringLiteral("clkEditMatches"));
        const QList<Form *> editor = openForms(QStringLiteral("frmEditMatches"));

        // A new chooser after the old one closed still finds the open editor.
        choosers.first()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        game.click(QStringLiteral("clkEdit"));
        clickOn(*openForms(QStringLiteral("frmEdit")).first(), QStringLiteral("clkEditMatches"));
        QCOMPARE(openForms(QStringLiteral("frmEditMatches")), editor);
        QCOMPARE(editor.size(), 1);
        QCOMPARE(game.test().prompter().shown().size(), 1); // loaded once
    }

    // A console gone without Exit offers its game at the next load and,
    // once the host says Yes, shows it as it was; Exit ends the game, so
    // the load after that offers nothing.
    void savedGameComesBackUntilExit()
    {
        ZorbelFixture game;
        game.open(kThreeMatches, kPhrases);
        game.click(QStringLiteral("clkUp"), 1, 2);
        game.click(QStringLiteral("clkNext"));
        const QString match = game.matchOnShow();
        QTRY_VERIFY(QFile::exists(game.test().path(QStringLiteral("ZorbelGame.sav"))));
        game.crash();

        game.test().prompter().queue(PromptAnswer::Yes);
        game.open();
        QTRY_COMPARE(game.test().prompter().shown().size(), 1);
        QCOMPARE(game.test().prompter().last().title, QStringLiteral("Resume Game"));
        QCOMPARE(game.scores(), QStringList({"0", "2"}));
        QCOMPARE(game.matchOnShow(), match);
        QCOMPARE(game.window().game().currentPlayer(), 1);

        game.test().prompter().queue(PromptAnswer::Yes);
        game.click(QStringLiteral("clkExit"));
        QVERIFY(!game.window().isVisible());
        game.open();
        QTest::qWait(10);
        QCOMPARE(game.test().prompter().shown().size(), 2);
        QCOMPARE(game.scores(), QStringList({"0", "0"}));
    }

    // Quitting asks an editor about its unsaved changes; a host who keeps the
    // editor open keeps the game open too, by Exit or by the end-program chord.
    void quittingKeepsAnEditorsChanges()
    {
        for (const bool chord : {false, true}) {
            ZorbelFixture game;
            game.open(kThreeMatches);
            game.click(QStringLiteral("clkEdit"));
            clickOn(*openForms(QStringLiteral("frmEdit")).first(), QStringLiteral("clkEditMatches"));
            Form *editor = openForms(QStringLiteral("frmEditMatches")).value(0);
            QVERIFY(editor);
            auto *box = editor->findChild<QPlainTextEdit *>();
            box->setPlainText(QStringLiteral("Blank Pole\nShoe Blank"));
            if (!chord)
                game.test().prompter().queue(PromptAnswer::Yes); // exit Zorbel
            game.test().prompter().queue(PromptAnswer::Cancel); // keep the editor
            if (chord)
                QTest::keyClick(game.box("txtPlayer", 0), 'E', Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
            else
                game.click(QStringLiteral("clkExit"));
            QVERIFY(editor->isVisible());
            QVERIFY(game.window().isVisible());
            QCOMPARE(box->toPlainText(), QStringLiteral("Blank Pole\nShoe Blank"));
        }
    }
};

QTEST_MAIN(TestFrmZorbel)
#include "tst_frm_zorbel.moc"
