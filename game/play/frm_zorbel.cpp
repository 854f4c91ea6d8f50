#include "play/frm_zorbel.h"

#include "play/countdown.h"
#include "play/frm_config.h"
#include "play/frm_win.h"
#include "play/line_rules.h"
#include "play/list_tools.h"
#include "play/scoreboard.h"
#include "play/shuffle_array.h"
#include "play/turn_marker.h"

#include "services/app_context.h"
#include "services/component_check.h"
#include "services/files/config_file.h"
#include "services/files/data_directory.h"
#include "services/files/links.h"
#include "services/forms/single_window.h"
#include "services/media_player.h"
#include "services/prompter.h"
#include "services/windows/frm_edit.h"
#include "services/windows/frm_how_to.h"
#include "services/windows/frm_splash.h"
#include "services/windows/question_editors.h"
#include "services/windows/update_prompt.h"

#include "core/key_codes.h"
#include "ravlen.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

namespace {

const QColor kCurrentPlayerColour(255, 224, 192);
const QColor kPlayerColour(201, 207, 214);
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;

// What the room reads in the title bar; the executable's own name is
// lower case on the platforms that care.
const QString kReloadingTitle = kGameName + QStringLiteral(" is reloading and randomly sorting Zorbels...");

const QString kMatchFile = questionFileName(QuestionMode::Match);
const QString kPhraseFile = questionFileName(QuestionMode::Phrase);

void setBoxColour(QLineEdit *box, const QColor &colour)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

// A closed drop-down list steps, jumps, searches for typed text or opens
// for a choice by keyboard on nearly every key; only the keys that leave
// the box or belong to the window leave its choice alone.
bool leavesChoiceAlone(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        return false;
    }
}

// An open list takes its highlighted item on these keys.
bool takesHighlightedItem(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Select;
}

} // namespace

FrmZorbel::FrmZorbel(AppContext &context, QWidget *parent)
    : Form(context,
           {QStringLiteral("frmZorbel"), QStringLiteral("Form_Load FrmZorbel"), QStringLiteral("Form_Unload frmZorbel"),
            true, false},
           parent)
    , m_wmp1(context.createMediaPlayer())
    , m_wmp2(context.createMediaPlayer())
    , m_timer1(new QTimer(this))
    , m_questionEditors(std::make_unique<QuestionEditors>(context, this))
{
    m_timer1->setInterval(1000);
    connect(m_timer1, &QTimer::timeout, this, &FrmZorbel::Timer1_Timer);
}

FrmZorbel::~FrmZorbel() = default;

// ---------------------------------------------------------------- controls

Ravlen *FrmZorbel::button(const QString &name, int index) const
{
    return controls().get<Ravlen>(name, index);
}

QLabel *FrmZorbel::label(const QString &name, int index) const
{
    return controls().get<QLabel>(name, index);
}

QLineEdit *FrmZorbel::textBox(const QString &name, int index) const
{
    return controls().get<QLineEdit>(name, index);
}

QComboBox *FrmZorbel::comboBox(const QString &name) const
{
    return controls().get<QComboBox>(name);
}

QTabWidget *FrmZorbel::SSTab1() const
{
    return controls().get<QTabWidget>(QStringLiteral("SSTab1"));
}

bool FrmZorbel::optionSelected(const QString &group, int index) const
{
    return controls().get<QRadioButton>(group, index)->isChecked();
}

void FrmZorbel::selectOption(const QString &group, int index)
{
    QRadioButton *option = controls().get<QRadioButton>(group, index);
    if (!option->isChecked()) {
        option->setChecked(true);
        return;
    }
    if (group == QLatin1String("OptTimer"))
        OptTimer_Click();
    else
        optSound_Click();
}

void FrmZorbel::connectControls()
{
    const FormControls &c = controls();

    connect(button(QStringLiteral("clkStart")), &Ravlen::Click, this, &FrmZorbel::clkStart_Click);
    connect(button(QStringLiteral("clkStartPhrase")), &Ravlen::Click, this, &FrmZorbel::clkStartPhrase_Click);
    connect(button(QStringLiteral("clkNext")), &Ravlen::Click, this, &FrmZorbel::clkNext_Click);
    connect(button(QStringLiteral("clkPrev")), &Ravlen::Click, this, &FrmZorbel::clkPrev_Click);
    connect(button(QStringLiteral("clkNextPhrase")), &Ravlen::Click, this, &FrmZorbel::clkNextPhrase_Click);
    connect(button(QStringLiteral("clkPrevPhrase")), &Ravlen::Click, this, &FrmZorbel::clkPrevPhrase_Click);
    connect(button(QStringLiteral("clkExit")), &Ravlen::Click, this, &QWidget::close);
    connect(button(QStringLiteral("clkExitPhrase")), &Ravlen::Click, this, &QWidget::close);
    connect(button(QStringLiteral("cmdUpdateButton")), &Ravlen::Click, this, &FrmZorbel::cmdUpdateButton_Click);
    connect(button(QStringLiteral("cmdEndProgram")), &Ravlen::Click, this, &FrmZorbel::cmdEndProgram_Click);

    for (int i = 0; i <= c.upperBound(QStringLiteral("txtPlayer")); ++i) {
        connect(button(QStringLiteral("clkUp"), i), &Ravlen::Click, this, [this, i] { clkUp_Click(i); });
        connect(button(QStringLiteral("clkDown"), i), &Ravlen::Click, this, [this, i] { clkDown_Click(i); });
        textBox(QStringLiteral("txtPlayer"), i)->installEventFilter(this);
        watchKeys(textBox(QStringLiteral("txtPlayer"), i), QStringLiteral("txtPlayer_KeyDown"));
        watchKeys(textBox(QStringLiteral("txtCounter"), i), QStringLiteral("txtCounter_KeyDown"));
    }

    // The page keys work wherever the focus is on the board.
    static const char *const keyButtons[] = {"clkAbout", "clkConfig", "clkContact", "clkDonate", "clkEdit",
                                             "clkExit", "clkExitPhrase", "clkHowToPlay", "clkNext", "clkNextPhrase",
                                             "clkPrev", "clkPrevPhrase", "clkRound", "clkStart", "clkStartPhrase",
                                             "clkUpdate"};
    for (const char *name : keyButtons) {
        const QString reportName = QLatin1String(name) + QStringLiteral("_KeyDown");
        connect(button(QLatin1String(name)), &Ravlen::KeyDown, this, [this, reportName](int &keyCode, int &) {
            const int key = keyCode;
            context().guard(reportName, [this, key] { PageUpDown(key); });
        });
    }
    for (const QString &array : {QStringLiteral("clkUp"), QStringLiteral("clkDown")}) {
        for (Ravlen *arrow : c.array<Ravlen>(array)) {
            const QString reportName = array + QStringLiteral("_KeyDown");
            connect(arrow, &Ravlen::KeyDown, this, [this, reportName](int &keyCode, int &) {
                const int key = keyCode;
                context().guard(reportName, [this, key] { PageUpDown(key); });
            });
        }
    }
    for (QRadioButton *option : c.array<QRadioButton>(QStringLiteral("OptTimer")))
        watchKeys(option, QStringLiteral("OptTimer_KeyDown"));
    for (QRadioButton *option : c.array<QRadioButton>(QStringLiteral("optSound")))
        watchKeys(option, QStringLiteral("optSound_KeyDown"));
    watchKeys(textBox(QStringLiteral("txtTimer")), QStringLiteral("txtTimer_KeyDown"));
    watchKeys(c.get<QScrollBar>(QStringLiteral("hsc1")), QStringLiteral("hsc1_KeyDown"));
    watchKeys(SSTab1(), QStringLiteral("SSTab1_KeyDown"));
    for (const QString &name : {QStringLiteral("cmbNumPlayers"), QStringLiteral("cmbScoreToWin")}) {
        watchKeys(comboBox(name), name + QStringLiteral("_KeyDown"));
        comboBox(name)->view()->installEventFilter(this);
    }

    for (QRadioButton *option : c.array<QRadioButton>(QStringLiteral("OptTimer")))
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                OptTimer_Click();
        });
    for (QRadioButton *option : c.array<QRadioButton>(QStringLiteral("optSound")))
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                optSound_Click();
        });
    connect(c.get<QScrollBar>(QStringLiteral("hsc1")), &QScrollBar::valueChanged, this, &FrmZorbel::hsc1_Change);
    connect(SSTab1(), &QTabWidget::currentChanged, this, &FrmZorbel::SSTab1_Click);
    connect(SSTab1(), &QTabWidget::tabBarDoubleClicked, this, &FrmZorbel::SSTab1_Click);
    connect(comboBox(QStringLiteral("cmbNumPlayers")), &QComboBox::currentIndexChanged, this,
            &FrmZorbel::cmbNumPlayers_Click);
}

void FrmZorbel::describeControls()
{
    const struct {
        const char *control;
        const char *name;
    } named[] = {{"cmbNumPlayers", "Number of players"},
                 {"cmbScoreToWin", "Score to win"},
                 {"txtTimer", "Seconds left"},
                 {"hsc1", "Sound volume"}};
    for (const auto &entry : named)
        controls().get<QWidget>(QLatin1String(entry.control))->setAccessibleName(QLatin1String(entry.name));
    // Some screen readers name a list by the label beside it.
    label(QStringLiteral("Label1"))->setBuddy(comboBox(QStringLiteral("cmbNumPlayers")));
    label(QStringLiteral("Label2"))->setBuddy(comboBox(QStringLiteral("cmbScoreToWin")));

    for (int i = 0; i <= controls().upperBound(QStringLiteral("txtPlayer")); ++i) {
        QLineEdit *name = textBox(QStringLiteral("txtPlayer"), i);
        name->setAccessibleName(QStringLiteral("Player %1 name").arg(i + 1));
        textBox(QStringLiteral("txtCounter"), i)->setAccessibleName(QStringLiteral("Player %1 score").arg(i + 1));
        nameScoreButtons(i);
        connect(name, &QLineEdit::textChanged, this, [this, i] { nameScoreButtons(i); });
    }
    m_turnMarker = std::make_unique<TurnMarker>(this, controls().array<QLineEdit>(QStringLiteral("txtPlayer")),
                                                SSTab1()->geometry().right());
}

// The arrows carry no caption: they are named after the player they score.
void FrmZorbel::nameScoreButtons(int row)
{
    QString player = textBox(QStringLiteral("txtPlayer"), row)->text().trimmed();
    if (player.isEmpty())
        player = QStringLiteral("Player %1").arg(row + 1);
    button(QStringLiteral("clkUp"), row)->setAccessibleName(player + QStringLiteral(": score up"));
    button(QStringLiteral("clkDown"), row)->setAccessibleName(player + QStringLiteral(": score down"));
}

void FrmZorbel::watchKeys(QWidget *control, const QString &reportName)
{
    control->setProperty("keyDownReport", reportName);
    control->installEventFilter(this);
}

bool FrmZorbel::eventFilter(QObject *watched, QEvent *event)
{
    auto *combo = qobject_cast<QComboBox *>(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (const QVariant reportName = watched->property("keyDownReport"); reportName.isValid()) {
            const int keyCode = KeyCodes::keyCode(key->key(), key->modifiers());
            context().guard(reportName.toString(), [this, keyCode] { PageUpDown(keyCode); });
        }
        // Only a choice made with the mouse changes the players or the
        // score to win; every other control goes on to handle the key.
        if (combo && !leavesChoiceAlone(*key))
            return true;
        break;
    }
    case QEvent::ShortcutOverride:
        // Of an open list (the only lists watched) a click chooses, a key not.
        if (qobject_cast<QAbstractItemView *>(watched) && takesHighlightedItem(*static_cast<QKeyEvent *>(event)))
            return true;
        break;
    case QEvent::Wheel:
        // Only a choice made on purpose changes the players or the score to
        // win; a wheel turned on the way past would change them silently.
        if (combo && !combo->view()->isVisible())
            return true;
        break;
    case QEvent::MouseButtonDblClick:
        if (auto *box = qobject_cast<QLineEdit *>(watched); box && box->objectName() == QLatin1String("txtPlayer"))
            txtPlayer_DblClick(box->property("controlIndex").toInt());
        break;
    default:
        break;
    }
    return Form::eventFilter(watched, event);
}

// ------------------------------------------------------------ load, unload

void FrmZorbel::Form_Load()
{
    connectControls();
    describeControls();
    connectSettingsButtons();
    connectServices();

    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }

    QComboBox *scoreToWin = comboBox(QStringLiteral("cmbScoreToWin"));
    scoreToWin->clear();
    scoreToWin->addItems({"5", "10", "15", "20", "25", "30"});
    scoreToWin->setCurrentText(QStringLiteral("10"));

    button(QStringLiteral("clkRound"))->setCaption(QStringLiteral("Round 1"));
    intRound = 1;

    QComboBox *players = comboBox(QStringLiteral("cmbNumPlayers"));
    players->clear();
    for (int n = 2; n <= 10; ++n)
        players->addItem(QString::number(n));
    players->setCurrentText(QStringLiteral("2"));

    SSTab1()->setCurrentIndex(0);
    intTimerSeconds = Countdown::secondsShown(textBox(QStringLiteral("txtTimer"))->text());

    m_wmp1->setSource(context().programFile(QStringLiteral("MatchMusic.mp3")));
    m_wmp1->stop();
    m_wmp2->setSource(context().programFile(QStringLiteral("Buzzer.wav")));
    m_wmp2->stop();
    if (const QString silence = m_wmp1->unavailableReason(); !silence.isEmpty())
        context().writeLogInfo(silence);

    blnPhraseGameOn = false;
    blnMatchGameOn = false;
    if (QFile::exists(context().programFile(kPhraseFile))) {
        clkStartPhrase_Click();
        SSTab1()->setCurrentIndex(1);
        blnGameLoadedAtStart = true;
    }
    if (QFile::exists(context().programFile(kMatchFile))) {
        clkStart_Click();
        SSTab1()->setCurrentIndex(0);
        blnGameLoadedAtStart = true;
    }
    if (blnGameLoadedAtStart) {
        intTimerSeconds = 30;
        textBox(QStringLiteral("txtTimer"))->setText(QStringLiteral("30"));
        selectOption(QStringLiteral("OptTimer"), 1);
        selectOption(QStringLiteral("optSound"), 1);
        m_wmp1->stop();
    }
    readInConfigFile();
}

void FrmZorbel::Form_Unload(bool &cancel)
{
    context().writeLogInfo(QStringLiteral("Unloading All Forms..."));
    if (blnExitConfirmed) {
        if (!closeOtherWindows()) {
            cancel = true;
            blnExitConfirmed = false;
            return;
        }
        context().writeLogInfo(QStringLiteral("Unloading Final Form Prior to Program Ending..."));
        return;
    }
    const PromptAnswer answer = context().prompter().ask({QStringLiteral("Do you wish to exit Zorbel?"),
                                                          QStringLiteral("Exit Program?"),
                                                          Prompt::Buttons::YesNoCancel, Prompt::Icon::None});
    cancel = answer != PromptAnswer::Yes || !closeOtherWindows();
}

bool FrmZorbel::closeOtherWindows()
{
    // An editor asks about unsaved changes as it closes; where the host keeps
    // it open, the game stays open with it rather than lose them.
    bool allClosed = true;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && qobject_cast<Form *>(window))
            allClosed = window->close() && allClosed;
    }
    return allClosed;
}

void FrmZorbel::cmdEndProgram_Click()
{
    context().guard(QStringLiteral("cmdEndProgram_Click"), [this] {
        blnExitConfirmed = true;
        close();
    });
}

// --------------------------------------------------------------- questions

void FrmZorbel::clkStart_Click()
{
    context().guard(QStringLiteral("clkStart_Click"), [this] {
        CheckTimer();
        intCurrentPlayer = 0;
        highlightRow(0);
        intRound = 1;
        button(QStringLiteral("clkRound"))->setCaption(QStringLiteral("Round 1"));

        const QString path = context().programFile(kMatchFile);
        if (!QFile::exists(path)) {
            reportMissingFile(kMatchFile);
            return;
        }
        if (blnReloadMatches) {
            setWindowTitle(kReloadingTitle);
            blnReloadMatches = false;
        } else if (blnMatchGameOn && !confirmStartOver(QStringLiteral("A Zorbel Game is already in Progress, Start Over?"))) {
            return;
        }
        for (QLineEdit *score : controls().array<QLineEdit>(QStringLiteral("txtCounter")))
            score->setText(QStringLiteral("0"));

        const QStringList questions = loadQuestions(QuestionMode::Match);
        if (questions.isEmpty()) {
            reportNoQuestions(kMatchFile);
            return;
        }
        strMatches = shuffled(questions);
        intMatchNumber = 1;
        blnMatchGameOn = true;
        showMatch();
        setWindowTitle(kGameName);
    });
}

void FrmZorbel::clkStartPhrase_Click()
{
    context().guard(QStringLiteral("clkStartPhrase_Click"), [this] {
        const QString path = context().programFile(kPhraseFile);
        if (!QFile::exists(path)) {
            reportMissingFile(kPhraseFile);
            return;
        }
        if (blnReloadPhrases) {
            setWindowTitle(kReloadingTitle);
            blnReloadPhrases = false;
        } else if (blnPhraseGameOn
                   && !confirmStartOver(QStringLiteral("A Match Phrase Game is already in Progress, Start Over?"))) {
            return;
        }
        for (QLineEdit *score : controls().array<QLineEdit>(QStringLiteral("txtCounter")))
            score->setText(QStringLiteral("0"));
        intRound = 1;
        button(QStringLiteral("clkRound"))->setCaption(QStringLiteral("Round 1"));
        intCurrentPlayer = 0;
        highlightRow(0);

        const QStringList questions = loadQuestions(QuestionMode::Phrase);
        if (questions.isEmpty()) {
            reportNoQuestions(kPhraseFile);
            return;
        }
        blnPhraseGameOn = true;
        strPhrases = shuffled(questions);
        intPhraseNumber = 1;
        showPhrase();
        CheckTimer();
        setWindowTitle(kGameName);
    });
}

QStringList FrmZorbel::loadQuestions(QuestionMode mode)
{
    const QString fileName = questionFileName(mode);
    const QuestionLoad load = QuestionLoader::loadFile(context().programFile(fileName), mode);
    if (load.capped())
        context().writeLogInfo(cappedLogEntry(context().displayPath(fileName), load));
    return load.questions;
}

// A shuffle that failed has shown its report; the game on show stays.
QStringList FrmZorbel::shuffled(const QStringList &questions)
{
    std::optional<QStringList> order = guardedShuffleArray(context(), questions);
    if (!order)
        throw ZorbelError(ErrorNumber::InvalidProcedureCall, QStringLiteral("the questions could not be shuffled"));
    return *std::move(order);
}

void FrmZorbel::reportMissingFile(const QString &fileName)
{
    context().prompter().ask(
        {QStringLiteral("File ") + context().displayPath(fileName)
             + QStringLiteral(" does not exist, please create it from the Config menu item, or \n"
                              "performing an Update from the About menu pulldown will retrieve this file from the "
                              "internet.\n\n"),
         QStringLiteral("File Does Not Exist"), Prompt::Buttons::Ok, Prompt::Icon::Information});
}

void FrmZorbel::reportNoQuestions(const QString &fileName)
{
    context().prompter().ask({QStringLiteral("File ") + context().displayPath(fileName)
                                  + QStringLiteral(" does not contain any questions."),
                              QStringLiteral("Exiting File Load"), Prompt::Buttons::Ok, Prompt::Icon::Information});
}

bool FrmZorbel::confirmStartOver(const QString &question)
{
    return context().prompter().ask({question, QStringLiteral("Start New Game"), Prompt::Buttons::YesNoCancel,
                                     Prompt::Icon::None})
        == PromptAnswer::Yes;
}

QString FrmZorbel::questionAt(const QStringList &questions, int number)
{
    if (number < 1 || number > questions.size())
        throw ZorbelError(ErrorNumber::InvalidProcedureCall, QStringLiteral("no question %1").arg(number));
    return questions.at(number - 1);
}

bool FrmZorbel::matchOnShow() const
{
    return !label(QStringLiteral("lblName"), 0)->text().isEmpty();
}

bool FrmZorbel::phraseOnShow() const
{
    return !label(QStringLiteral("lblPhrase"))->text().isEmpty();
}

void FrmZorbel::showMatch()
{
    button(QStringLiteral("clkStatusMatch"))
        ->setCaption(QStringLiteral("Viewing Match %1 of %2 Matches...").arg(intMatchNumber).arg(strMatches.size()));
    const QStringList halves = questionAt(strMatches, intMatchNumber).split(LineRules::kHalfSeparator);
    label(QStringLiteral("lblName"), 0)->setText(QLatin1Char('\n') + halves.value(0));
    label(QStringLiteral("lblName"), 1)->setText(QLatin1Char('\n') + halves.value(1));
}

void FrmZorbel::showPhrase()
{
    button(QStringLiteral("clkStatusPhrase"))
        ->setCaption(
            QStringLiteral("Viewing Phrase %1 of %2 Phrases...").arg(intPhraseNumber).arg(strPhrases.size()));
    label(QStringLiteral("lblPhrase"))->setText(QStringLiteral("      ") + questionAt(strPhrases, intPhraseNumber));
}

// -------------------------------------------------------------- navigation

void FrmZorbel::clkNext_Click()
{
    context().guard(QStringLiteral("clkNext_Click"), [this] {
        ++intMatchNumber;
        if (!matchOnShow())
            return;
        AdvancePlayer(QStringLiteral("Positive"));
        if (intMatchNumber == strMatches.size() + 1)
            intMatchNumber = 1;
        showMatch();
        if (blnTieContinue) {
            blnTieContinue = false;
            intCurrentPlayer = -1;
            clkNextPhrase_Click();
            colourAllRows();
        }
        CheckTimer();
        button(QStringLiteral("clkNext"))->setFocus();
    });
}

void FrmZorbel::clkNextPhrase_Click()
{
    context().guard(QStringLiteral("clkNextPhrase_Click"), [this] {
        if (!phraseOnShow())
            return;
        AdvancePlayer(QStringLiteral("Positive"));
        if (blnSkipNextPhrase) {
            blnSkipNextPhrase = false;
            return;
        }
        ++intPhraseNumber;
        if (intPhraseNumber == strPhrases.size() + 1)
            intPhraseNumber = 1;
        showPhrase();
        if (blnTieContinue) {
            intCurrentPlayer = -1;
            clkNext_Click();
            blnTieContinue = false;
            colourAllRows();
        }
        CheckTimer();
        button(QStringLiteral("clkNextPhrase"))->setFocus();
    });
}

void FrmZorbel::clkPrev_Click()
{
    context().guard(QStringLiteral("clkPrev_Click"), [this] {
        --intMatchNumber;
        if (!matchOnShow())
            return;
        if (intMatchNumber == 0)
            intMatchNumber = int(strMatches.size());
        showMatch();
        CheckTimer();
        AdvancePlayer(QStringLiteral("Negative"));
        button(QStringLiteral("clkPrev"))->setFocus();
    });
}

void FrmZorbel::clkPrevPhrase_Click()
{
    context().guard(QStringLiteral("clkPrevPhrase_Click"), [this] {
        if (!phraseOnShow())
            return;
        if (--intPhraseNumber == 0)
            intPhraseNumber = int(strPhrases.size());
        showPhrase();
        CheckTimer();
        AdvancePlayer(QStringLiteral("Negative"));
        button(QStringLiteral("clkPrevPhrase"))->setFocus();
    });
}

void FrmZorbel::PageUpDown(int keyCode)
{
    context().guard(QStringLiteral("PageUpDown"), [this, keyCode] {
        const bool matchTab = SSTab1()->currentIndex() == 0;
        if (keyCode == kPageUp) {
            if (matchTab && matchOnShow())
                clkPrev_Click();
            else if (!matchTab && phraseOnShow())
                clkPrevPhrase_Click();
        } else if (keyCode == kPageDown) {
            if (matchTab && matchOnShow())
                clkNext_Click();
            else if (!matchTab && phraseOnShow())
                clkNextPhrase_Click();
        }
    });
}

// ------------------------------------------------------------ players, score

int FrmZorbel::playerCount() const
{
    return Scoreboard::scoreValue(comboBox(QStringLiteral("cmbNumPlayers"))->currentText());
}

void FrmZorbel::colourRows(int rows, int current)
{
    for (int i = 0; i < rows; ++i) {
        if (i == current)
            continue;
        setBoxColour(textBox(QStringLiteral("txtPlayer"), i), kPlayerColour);
        setBoxColour(textBox(QStringLiteral("txtCounter"), i), kPlayerColour);
    }
    highlightRow(current);
}

void FrmZorbel::highlightRow(int row)
{
    setBoxColour(textBox(QStringLiteral("txtPlayer"), row), kCurrentPlayerColour);
    setBoxColour(textBox(QStringLiteral("txtCounter"), row), kCurrentPlayerColour);
    m_turnMarker->markRow(row);
}

void FrmZorbel::colourAllRows()
{
    // A tie continuation whose other mode has no question on show never
    // moves the turn on from "before the first player": it goes to the
    // first player, as it would have.
    if (intCurrentPlayer < 0)
        intCurrentPlayer = 0;
    colourRows(controls().upperBound(QStringLiteral("txtPlayer")) + 1, intCurrentPlayer);
}

void FrmZorbel::AdvancePlayer(const QString &direction)
{
    context().guard(QStringLiteral("AdvancePlayer"), [this, direction] {
        const int players = playerCount();
        Scoreboard::Decision decision;
        const Scoreboard::Turn turn =
            Scoreboard::advance(intCurrentPlayer, players, direction == QLatin1String("Positive"));
        intCurrentPlayer = turn.player;
        if (turn.roundOver) {
            ++intRound;
            button(QStringLiteral("clkRound"))->setCaption(QStringLiteral("Round %1").arg(intRound));
            QList<Scoreboard::Row> rows;
            for (int i = 0; i <= controls().upperBound(QStringLiteral("txtCounter")); ++i)
                rows.append({textBox(QStringLiteral("txtPlayer"), i)->text(),
                             textBox(QStringLiteral("txtCounter"), i)->text(),
                             !textBox(QStringLiteral("txtCounter"), i)->isHidden()});
            decision = Scoreboard::decide(rows, Scoreboard::scoreValue(comboBox(QStringLiteral("cmbScoreToWin"))->currentText()));
        }
        colourRows(players, intCurrentPlayer);
        if (decision.kind == Scoreboard::Decision::Kind::None)
            return;
        announce(decision.message, decision.kind == Scoreboard::Decision::Kind::Tie);
    });
}

void FrmZorbel::announce(const QString &message, bool tie)
{
    auto *window = new FrmWin(context(), *this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->load();
    window->present(message, tie);
    window->showModal();

    bool anotherRound = false;
    if (tie) {
        anotherRound = tag().trimmed() != QLatin1String("7");
        setTag(QString());
    }
    if (anotherRound) {
        blnTieContinue = true;
        return;
    }
    blnReloadMatches = true;
    blnReloadPhrases = true;
    clkStart_Click();
    clkStartPhrase_Click();
    blnSkipNextPhrase = true;
}

void FrmZorbel::clkUp_Click(int index)
{
    context().guard(QStringLiteral("clkUp_Click"), [this, index] {
        QLineEdit *score = textBox(QStringLiteral("txtCounter"), index);
        score->setText(QString::number(Scoreboard::raised(Scoreboard::scoreValue(score->text()), questionCap())));
    });
}

void FrmZorbel::clkDown_Click(int index)
{
    context().guard(QStringLiteral("clkDown_Click"), [this, index] {
        QLineEdit *score = textBox(QStringLiteral("txtCounter"), index);
        score->setText(QString::number(Scoreboard::lowered(Scoreboard::scoreValue(score->text()))));
    });
}

int FrmZorbel::questionCap() const
{
    // A mode that was never loaded counts no questions.
    return int(strMatches.size() + strPhrases.size());
}

void FrmZorbel::showRows(int count)
{
    for (int i = 0; i <= controls().upperBound(QStringLiteral("txtPlayer")); ++i) {
        const bool shown = i < count;
        textBox(QStringLiteral("txtPlayer"), i)->setVisible(shown);
        button(QStringLiteral("clkUp"), i)->setVisible(shown);
        button(QStringLiteral("clkDown"), i)->setVisible(shown);
        textBox(QStringLiteral("txtCounter"), i)->setVisible(shown);
    }
}

void FrmZorbel::cmbNumPlayers_Click()
{
    context().guard(QStringLiteral("cmbNumPlayers_Click"), [this] {
        showRows(playerCount());
        colourRows(controls().upperBound(QStringLiteral("txtPlayer")) + 1, 0);
        intCurrentPlayer = 0;
    });
}

void FrmZorbel::txtPlayer_DblClick(int index)
{
    context().guard(QStringLiteral("txtPlayer_DblClick"), [this, index] {
        colourRows(controls().upperBound(QStringLiteral("txtPlayer")) + 1, index);
        intCurrentPlayer = index;
    });
}

// ---------------------------------------------------------------- countdown

void FrmZorbel::CheckTimer()
{
    context().guard(QStringLiteral("CheckTimer"), [this] {
        textBox(QStringLiteral("txtTimer"))->setText(QString::number(intTimerSeconds));
        if (optionSelected(QStringLiteral("OptTimer"), 0)) {
            m_timer1->start();
            if (optionSelected(QStringLiteral("optSound"), 0))
                m_wmp1->play();
        } else {
            m_timer1->stop();
        }
    });
}

void FrmZorbel::Timer1_Timer()
{
    context().guard(QStringLiteral("Timer1_Timer"), [this] {
        QLineEdit *shown = textBox(QStringLiteral("txtTimer"));
        const Countdown::Tick tick =
            Countdown::tick(shown->text(), {optionSelected(QStringLiteral("optSound"), 1),
                                            controls().get<QCheckBox>(QStringLiteral("chkBuzzer"))->isChecked(),
                                            controls().get<QCheckBox>(QStringLiteral("chkSoundAlwaysOn"))->isChecked()});
        if (tick.playBuzzer)
            m_wmp2->play();
        if (tick.stopMusic)
            m_wmp1->stop();
        if (tick.stopTimer)
            m_timer1->stop();
        else
            shown->setText(tick.display);
    });
}

void FrmZorbel::OptTimer_Click()
{
    context().guard(QStringLiteral("OptTimer_Click"), [this] {
        const bool matchTab = SSTab1()->currentIndex() == 0;
        const QString onShow = (matchTab ? label(QStringLiteral("lblName"), 0) : label(QStringLiteral("lblPhrase")))->text();
        if (onShow.trimmed().isEmpty())
            return;
        if (optionSelected(QStringLiteral("OptTimer"), 0)) {
            m_timer1->start();
        } else {
            m_timer1->stop();
            textBox(QStringLiteral("txtTimer"))->setText(QString::number(intTimerSeconds));
        }
    });
}

void FrmZorbel::optSound_Click()
{
    context().guard(QStringLiteral("optSound_Click"), [this] {
        auto *volume = controls().get<QScrollBar>(QStringLiteral("hsc1"));
        if (optionSelected(QStringLiteral("optSound"), 0)) {
            m_wmp1->play();
            m_wmp1->setLooping(true);
            volume->setEnabled(true);
        } else {
            m_wmp1->stop();
            volume->setEnabled(false);
        }
    });
}

void FrmZorbel::hsc1_Change()
{
    context().guard(QStringLiteral("hsc1_Change"), [this] {
        const int volume = controls().get<QScrollBar>(QStringLiteral("hsc1"))->value();
        m_wmp1->setVolume(volume);
        m_wmp2->setVolume(volume);
    });
}

void FrmZorbel::SSTab1_Click()
{
    context().guard(QStringLiteral("SSTab1_Click"), [this] {
        m_timer1->stop();
        textBox(QStringLiteral("txtTimer"))->setText(QString::number(intTimerSeconds));
    });
}

void FrmZorbel::cmdUpdateButton_Click()
{
    context().guard(QStringLiteral("cmdUpdateButton_Click"), [this] {
        intTimerSeconds = Countdown::secondsShown(textBox(QStringLiteral("txtTimer"))->text());
    });
}

// ------------------------------------------------- settings, question files

void FrmZorbel::connectSettingsButtons()
{
    connect(button(QStringLiteral("clkConfig")), &Ravlen::Click, this, &FrmZorbel::clkConfig_Click);
    connect(button(QStringLiteral("clkEdit")), &Ravlen::Click, this, &FrmZorbel::clkEdit_Click);
}

void FrmZorbel::readInConfigFile()
{
    context().guard(QStringLiteral("readInConfigFile"), [this] {
        ConfigFile::readFile(context().programFile(ConfigFile::fileName()),
                             [this](const ConfigSetting &setting) { applyConfigSetting(setting); });
    });
}

void FrmZorbel::applyConfigSetting(const ConfigSetting &setting)
{
    using Key = ConfigSetting::Key;
    switch (setting.key) {
    case Key::TimerTime:
        // The box shows the value as written ("40.4"); the countdown runs
        // from the whole number it stands for.
        textBox(QStringLiteral("txtTimer"))->setText(setting.valueText);
        intTimerSeconds = setting.seconds;
        break;
    case Key::SoundContinual:
        controls().get<QCheckBox>(QStringLiteral("chkSoundAlwaysOn"))->setChecked(setting.on);
        break;
    case Key::Buzzer:
        controls().get<QCheckBox>(QStringLiteral("chkBuzzer"))->setChecked(setting.on);
        break;
    case Key::Sound:
        selectOption(QStringLiteral("optSound"), setting.on ? 0 : 1);
        if (setting.on)
            m_wmp1->play();
        else
            m_wmp1->stop();
        break;
    case Key::Timer:
        selectOption(QStringLiteral("OptTimer"), setting.on ? 0 : 1);
        break;
    }
}

void FrmZorbel::clkConfig_Click()
{
    context().guard(QStringLiteral("clkConfig_Click"), [this] {
        m_timer1->stop();
        setTag(QString::number(intTimerSeconds));
        auto *window = new FrmConfig(context(), *this, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->load();
        window->showModal();
        button(SSTab1()->currentIndex() == 0 ? QStringLiteral("clkNext") : QStringLiteral("clkNextPhrase"))->setFocus();
        setTag(QString());
    });
}

void FrmZorbel::clkEdit_Click()
{
    context().guard(QStringLiteral("clkEdit_Click"), [this] {
        showSingleWindow(m_frmEdit, [this] { return new FrmEdit(context(), *m_questionEditors, this); });
    });
}

// ----------------------------------------------------------------- services

void FrmZorbel::connectServices()
{
    const struct {
        const char *name;
        void (FrmZorbel::*click)();
    } buttons[] = {
        {"clkHowToPlay", &FrmZorbel::clkHowToPlay_Click}, {"clkVideo", &FrmZorbel::clkVideo_Click},
        {"clkAbout", &FrmZorbel::clkAbout_Click},         {"clkUpdate", &FrmZorbel::clkUpdate_Click},
        {"clkDonate", &FrmZorbel::clkDonate_Click},       {"clkContact", &FrmZorbel::clkContact_Click},
        {"cmdDeDup", &FrmZorbel::cmdDeDup_Click},         {"cmdParse", &FrmZorbel::cmdParse_Click},
    };
    for (const auto &entry : buttons)
        connect(button(QLatin1String(entry.name)), &Ravlen::Click, this, entry.click);

    // The maintenance commands have no button a host can see: they are
    // reached by key chords that no one presses by accident.
    const struct {
        QKeyCombination chord;
        void (FrmZorbel::*command)();
    } chords[] = {
        {Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_D, &FrmZorbel::cmdDeDup_Click},
        {Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_P, &FrmZorbel::cmdParse_Click},
        {Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_E, &FrmZorbel::cmdEndProgram_Click},
    };
    for (const auto &entry : chords) {
        auto *shortcut = new QShortcut(QKeySequence(entry.chord), this);
        connect(shortcut, &QShortcut::activated, this, entry.command);
    }
}

// Read at every use, so that a host's change to links.ini counts at once.
Links FrmZorbel::links() const
{
    return Links::load(context().programFile(Links::fileName()));
}

void FrmZorbel::clkHowToPlay_Click()
{
    context().guard(QStringLiteral("clkHowToPlay_Click"), [this] {
        if (!QFileInfo(context().programFile(FrmHowTo::fileName())).isFile()) {
            FrmHowTo::reportMissing(context());
            return;
        }
        if (m_howTo && m_howTo->isVisible()) {
            m_howTo->showOrRaise();
            return;
        }
        auto *rules = new FrmHowTo(context(), this);
        rules->setAttribute(Qt::WA_DeleteOnClose);
        if (!rules->load() || !rules->rulesShown()) {
            rules->close();
            return;
        }
        m_howTo = rules;
        rules->showOrRaise();
    });
}

void FrmZorbel::clkAbout_Click()
{
    context().guard(QStringLiteral("clkAbout_Click"), [this] {
        if (m_about && m_about->isVisible()) {
            m_about->showOrRaise();
            return;
        }
        auto *about = new FrmSplash(context(), {}, ComponentCheck::loadLibraryByName, this);
        about->setAttribute(Qt::WA_DeleteOnClose);
        if (!about->load()) {
            about->close();
            return;
        }
        m_about = about;
        about->showAsAbout();
    });
}

void FrmZorbel::clkVideo_Click()
{
    context().guard(QStringLiteral("clkVideo_Click"),
                    [this] { context().openWebPage(links().url(Links::Page::HowToVideo)); });
}

void FrmZorbel::clkDonate_Click()
{
    context().guard(QStringLiteral("clkDonate_Click"),
                    [this] { context().openWebPage(links().url(Links::Page::Donate)); });
}

void FrmZorbel::clkContact_Click()
{
    context().guard(QStringLiteral("clkContact_Click"),
                    [this] { context().openWebPage(links().url(Links::Page::Contact)); });
}

void FrmZorbel::clkUpdate_Click()
{
    context().guard(QStringLiteral("clkUpdate_Click"), [this] {
        DataDirectory dataDirectory(context());
        offerUpdate(context(), dataDirectory, links().url(Links::Page::Donate));
    });
}

void FrmZorbel::cmdDeDup_Click()
{
    context().guard(QStringLiteral("cmdDeDup_Click"), [this] {
        ListTools::deDuplicateFile(context().programFile(kMatchFile),
                                   context().programFile(QStringLiteral("ZorbelLinesDeDupped.txt")));
    });
}

void FrmZorbel::cmdParse_Click()
{
    context().guard(QStringLiteral("cmdParse_Click"), [this] {
        ListTools::matchLinesFromWordFile(context().programFile(QStringLiteral("temp.txt")),
                                          context().programFile(QStringLiteral("Chunk.txt")));
    });
}
