#include "play/windows/frm_zorbel.h"

#include "play/auto_save.h"
#include "play/line_rules.h"
#include "play/phone/phone_room.h"
#include "play/phone/phone_server.h"
#include "play/windows/console_services.h"
#include "play/windows/countdown_alert.h"
#include "play/windows/frm_config.h"
#include "play/windows/frm_win.h"
#include "play/windows/phone_panel.h"
#include "play/windows/room_display.h"
#include "play/windows/room_display_control.h"
#include "play/windows/turn_marker.h"

#include "services/app_context.h"
#include "services/forms/screen_fit.h"
#include "services/forms/skin_colours.h"
#include "services/prompter.h"

#include "RavlenLib/key_codes.h"
#include "RavlenLib/ravlen.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

namespace {

// What the room reads in the title bar; the executable's own name is
// lower case on the platforms that care.
const QString kReloadingTitle = kGameName + QStringLiteral(" is reloading and randomly sorting Zorbels...");

void setBoxColour(QLineEdit *box, const QColor &colour)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

// The control shows what the game holds without reporting it back as the
// host's choice.
template <typename Control, typename Change>
void quietly(Control *control, Change change)
{
    const QSignalBlocker blocker(control);
    change(control);
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
    , m_game(new Game(context, this))
    , m_history(new GameHistory(*m_game, this))
    , m_autoSave(new AutoSave(*m_game, context, this))
    , m_phoneRoom(new PhoneRoom(*m_game, *m_history, this))
    , m_phoneServer(new PhoneServer(*m_phoneRoom, this))
{
    m_game->setAnnouncer([this](const Scoreboard::Decision &decision) { return announce(decision); });
}

FrmZorbel::~FrmZorbel()
{
    // The history goes with the window's children, after this window has
    // stopped being a console: its last signals must not reach it.
    disconnect(&m_history->stack(), nullptr, this, nullptr);
}

// ---------------------------------------------------------------- controls

void FrmZorbel::resolveControls()
{
    const FormControls &c = controls();
    m_tabs = c.get<QTabWidget>(QStringLiteral("SSTab1"));
    m_modes[size_t(QuestionMode::Match)] = {
        c.get<Ravlen>(QStringLiteral("clkStatusMatch")), c.get<Ravlen>(QStringLiteral("clkStart")),
        c.get<Ravlen>(QStringLiteral("clkPrev")), c.get<Ravlen>(QStringLiteral("clkNext")),
        c.get<Ravlen>(QStringLiteral("clkExit"))};
    m_modes[size_t(QuestionMode::Phrase)] = {
        c.get<Ravlen>(QStringLiteral("clkStatusPhrase")), c.get<Ravlen>(QStringLiteral("clkStartPhrase")),
        c.get<Ravlen>(QStringLiteral("clkPrevPhrase")), c.get<Ravlen>(QStringLiteral("clkNextPhrase")),
        c.get<Ravlen>(QStringLiteral("clkExitPhrase"))};
    for (int half = 0; half < 2; ++half)
        m_matchHalves[half] = c.get<QLabel>(QStringLiteral("lblName"), half);
    m_phrase = c.get<QLabel>(QStringLiteral("lblPhrase"));
    m_round = c.get<Ravlen>(QStringLiteral("clkRound"));
    for (int i = 0; i < Game::kMaxPlayers; ++i)
        m_rows[i] = {c.get<QLineEdit>(QStringLiteral("txtPlayer"), i),
                     c.get<QLineEdit>(QStringLiteral("txtCounter"), i), c.get<Ravlen>(QStringLiteral("clkUp"), i),
                     c.get<Ravlen>(QStringLiteral("clkDown"), i)};
    m_playerCount = c.get<QComboBox>(QStringLiteral("cmbNumPlayers"));
    m_scoreToWin = c.get<QComboBox>(QStringLiteral("cmbScoreToWin"));
    m_countdown = c.get<QLineEdit>(QStringLiteral("txtTimer"));
    for (int i = 0; i < 2; ++i) {
        m_timerOptions[i] = c.get<QRadioButton>(QStringLiteral("OptTimer"), i);
        m_soundOptions[i] = c.get<QRadioButton>(QStringLiteral("optSound"), i);
    }
    m_buzzer = c.get<QCheckBox>(QStringLiteral("chkBuzzer"));
    m_soundAlwaysOn = c.get<QCheckBox>(QStringLiteral("chkSoundAlwaysOn"));
    m_volume = c.get<QScrollBar>(QStringLiteral("hsc1"));
}

void FrmZorbel::fillLists()
{
    quietly(m_scoreToWin, [](QComboBox *list) {
        list->clear();
        list->addItems({"5", "10", "15", "20", "25", "30"});
    });
    quietly(m_playerCount, [](QComboBox *list) {
        list->clear();
        for (int n = 2; n <= 10; ++n)
            list->addItem(QString::number(n));
    });
}

void FrmZorbel::connectHostActions()
{
    for (const QuestionMode mode : GameMode::kModes) {
        const ModeControls &mc = modeControls(mode);
        connect(mc.start, &Ravlen::Click, m_game, [this, mode] { m_history->start(mode); });
        connect(mc.next, &Ravlen::Click, this, [this, mode] { step(mode, true); });
        connect(mc.previous, &Ravlen::Click, this, [this, mode] { step(mode, false); });
        connect(mc.exit, &Ravlen::Click, this, &QWidget::close);
    }
    connect(m_tabs, &QTabWidget::currentChanged, m_game,
            [this](int tab) { m_history->showMode(GameMode::onTab(tab)); });
    connect(m_tabs, &QTabWidget::tabBarDoubleClicked, m_game, [this] { m_history->showMode(m_game->modeOnShow()); });

    for (int i = 0; i < Game::kMaxPlayers; ++i) {
        connect(m_rows[i].up, &Ravlen::Click, m_game, [this, i] { m_history->raiseScore(i); });
        connect(m_rows[i].down, &Ravlen::Click, m_game, [this, i] { m_history->lowerScore(i); });
        connect(m_rows[i].name, &QLineEdit::textChanged, m_game,
                [this, i](const QString &name) { m_history->setPlayerName(i, name); });
        m_rows[i].name->installEventFilter(this);
    }
    connect(m_playerCount, &QComboBox::currentIndexChanged, m_game,
            [this] { m_history->setPlayerCount(m_playerCount->currentText().toInt()); });
    connect(m_scoreToWin, &QComboBox::currentIndexChanged, m_game,
            [this] { m_history->setScoreToWin(m_scoreToWin->currentText().toInt()); });

    for (int i = 0; i < 2; ++i) {
        const bool on = i == 0;
        connect(m_timerOptions[i], &QRadioButton::toggled, m_game, [this, on](bool chosen) {
            if (chosen)
                m_game->setTimerOn(on);
        });
        connect(m_soundOptions[i], &QRadioButton::toggled, m_game, [this, on](bool chosen) {
            if (chosen)
                m_game->setSoundOn(on);
        });
    }
    connect(m_buzzer, &QCheckBox::toggled, m_game, &Game::setBuzzer);
    connect(m_soundAlwaysOn, &QCheckBox::toggled, m_game, &Game::setSoundAlwaysOn);
    connect(m_volume, &QScrollBar::valueChanged, m_game, &Game::setVolume);

    connect(controls().get<Ravlen>(QStringLiteral("clkConfig")), &Ravlen::Click, this, &FrmZorbel::clkConfig_Click);
    connect(controls().get<Ravlen>(QStringLiteral("cmdEndProgram")), &Ravlen::Click, this,
            &FrmZorbel::cmdEndProgram_Click);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_E), this), &QShortcut::activated, this,
            &FrmZorbel::cmdEndProgram_Click);

    // The countdown under the host's hand: Ctrl+P (or a click on the
    // countdown) holds and resumes it, Ctrl+Plus gives ten seconds more.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this), &QShortcut::activated, m_game, &Game::togglePause);
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal})
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, m_game, &Game::addTenSeconds);
    m_countdown->setToolTip(QStringLiteral("Click or Ctrl+P to pause and resume; Ctrl+Plus adds ten seconds"));
    auto *held = new QGraphicsOpacityEffect(m_countdown);
    held->setOpacity(0.35);
    held->setEnabled(false);
    m_countdown->setGraphicsEffect(held);
}

void FrmZorbel::connectGame()
{
    connect(m_game, &Game::questionChanged, this, &FrmZorbel::showQuestion);
    connect(m_game, &Game::modeOnShowChanged, this, &FrmZorbel::showModeOnShow);
    connect(m_game, &Game::playerCountChanged, this, [this](int count) {
        showPlayerCount(count);
        quietly(m_playerCount, [count](QComboBox *list) { list->setCurrentText(QString::number(count)); });
    });
    connect(m_game, &Game::playerNameChanged, this, [this](int player, const QString &name) {
        if (m_rows[player].name->text() != name)
            m_rows[player].name->setText(name);
    });
    connect(m_game, &Game::scoreChanged, this,
            [this](int player, int score) { m_rows[player].score->setText(QString::number(score)); });
    connect(m_game, &Game::currentPlayerChanged, this, &FrmZorbel::showTurn);
    connect(m_game, &Game::roundChanged, this,
            [this](int round) { m_round->setCaption(QStringLiteral("Round %1").arg(round)); });
    connect(m_game, &Game::scoreToWinChanged, this, [this](int score) {
        quietly(m_scoreToWin, [score](QComboBox *list) { list->setCurrentText(QString::number(score)); });
    });
    connect(m_game, &Game::countdownChanged, this, &FrmZorbel::showCountdown);
    connect(m_game, &Game::timerOnChanged, this, &FrmZorbel::showOptions);
    connect(m_game, &Game::buzzerChanged, this, &FrmZorbel::showOptions);
    connect(m_game, &Game::soundAlwaysOnChanged, this, &FrmZorbel::showOptions);
    connect(m_game, &Game::soundOnChanged, this, [this](bool on) {
        showOptions();
        m_volume->setEnabled(on);
    });
    connect(m_game, &Game::reloadingChanged, this,
            [this](bool reloading) { setWindowTitle(reloading ? kReloadingTitle : kGameName); });
    connect(m_game, &Game::questionsLeftOut, this, [this](QuestionMode mode, qsizetype count) {
        m_leftOut[size_t(mode)] = count;
        showQuestion(mode);
    });
}

// Ctrl+Z takes the host's last move back from anywhere on the console, and
// Ctrl+Shift+Z or Ctrl+Y does it again; a name box being typed into keeps
// these keys for its own text. The round button tells what they would do.
void FrmZorbel::connectHistory()
{
    QUndoStack &stack = m_history->stack();
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this), &QShortcut::activated, &stack, &QUndoStack::undo);
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        connect(new QShortcut(keys, this), &QShortcut::activated, &stack, &QUndoStack::redo);
    const auto describe = [this, &stack] {
        QStringList steps;
        if (stack.canUndo())
            steps << QStringLiteral("Undo: %1 (Ctrl+Z)").arg(stack.undoText());
        if (stack.canRedo())
            steps << QStringLiteral("Redo: %1 (Ctrl+Y)").arg(stack.redoText());
        m_round->setToolTip(steps.join(QLatin1Char('\n')));
    };
    // A name typed on changes the step's text, not the place in the history.
    connect(&stack, &QUndoStack::indexChanged, this, describe);
    connect(&stack, &QUndoStack::undoTextChanged, this, describe);
}

// The page keys work wherever the focus is on the board.
void FrmZorbel::watchPageKeys()
{
    static const char *const keyButtons[] = {
        "clkAbout",      "clkConfig",    "clkContact",     "clkDonate",     "clkEdit",       "clkExit",
        "clkExitPhrase", "clkHowToPlay", "clkNext",        "clkNextPhrase", "clkPrev",       "clkPrevPhrase",
        "clkRound",      "clkStart",     "clkStartPhrase", "clkUpdate",     "clkRoomDisplay"};
    QList<std::pair<Ravlen *, QString>> buttons;
    for (const char *name : keyButtons)
        buttons.append({controls().get<Ravlen>(QLatin1String(name)), QLatin1String(name)});
    for (const PlayerRow &row : m_rows)
        buttons << std::pair(row.up, QStringLiteral("clkUp")) << std::pair(row.down, QStringLiteral("clkDown"));
    for (const auto &[button, name] : std::as_const(buttons)) {
        const QString reportName = name + QStringLiteral("_KeyDown");
        connect(button, &Ravlen::KeyDown, this, [this, reportName](int &keyCode, int &) {
            const int key = keyCode;
            context().guard(reportName, [this, key] { PageUpDown(key); });
        });
    }

    for (const PlayerRow &row : m_rows) {
        watchKeys(row.name, QStringLiteral("txtPlayer_KeyDown"));
        watchKeys(row.score, QStringLiteral("txtCounter_KeyDown"));
    }
    for (int i = 0; i < 2; ++i) {
        watchKeys(m_timerOptions[i], QStringLiteral("OptTimer_KeyDown"));
        watchKeys(m_soundOptions[i], QStringLiteral("optSound_KeyDown"));
    }
    watchKeys(m_countdown, QStringLiteral("txtTimer_KeyDown"));
    watchKeys(m_volume, QStringLiteral("hsc1_KeyDown"));
    watchKeys(m_tabs, QStringLiteral("SSTab1_KeyDown"));
    for (QComboBox *list : {m_playerCount, m_scoreToWin}) {
        watchKeys(list, list->objectName() + QStringLiteral("_KeyDown"));
        list->view()->installEventFilter(this);
    }
}

void FrmZorbel::watchKeys(QWidget *control, const QString &reportName)
{
    control->setProperty("keyDownReport", reportName);
    control->installEventFilter(this);
}

void FrmZorbel::describeControls()
{
    m_playerCount->setAccessibleName(QStringLiteral("Number of players"));
    m_scoreToWin->setAccessibleName(QStringLiteral("Score to win"));
    m_countdown->setAccessibleName(QStringLiteral("Seconds left"));
    m_volume->setAccessibleName(QStringLiteral("Sound volume"));
    // Some screen readers name a list by the label beside it.
    controls().get<QLabel>(QStringLiteral("Label1"))->setBuddy(m_playerCount);
    controls().get<QLabel>(QStringLiteral("Label2"))->setBuddy(m_scoreToWin);

    for (int i = 0; i < Game::kMaxPlayers; ++i) {
        m_rows[i].name->setAccessibleName(QStringLiteral("Player %1 name").arg(i + 1));
        m_rows[i].score->setAccessibleName(QStringLiteral("Player %1 score").arg(i + 1));
        nameScoreButtons(i);
        connect(m_rows[i].name, &QLineEdit::textChanged, this, [this, i] { nameScoreButtons(i); });
    }
    QList<QLineEdit *> nameBoxes;
    for (const PlayerRow &row : m_rows)
        nameBoxes.append(row.name);
    m_turnMarker = std::make_unique<TurnMarker>(this, nameBoxes, m_tabs);
}

// The arrows carry no caption: they are named after the player they score.
void FrmZorbel::nameScoreButtons(int row)
{
    QString player = m_rows[row].name->text().trimmed();
    if (player.isEmpty())
        player = QStringLiteral("Player %1").arg(row + 1);
    m_rows[row].up->setAccessibleName(player + QStringLiteral(": score up"));
    m_rows[row].down->setAccessibleName(player + QStringLiteral(": score down"));
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
    case QEvent::MouseButtonPress:
        if (watched == m_countdown)
            m_game->togglePause();
        break;
    case QEvent::MouseButtonDblClick:
        if (auto *box = qobject_cast<QLineEdit *>(watched); box && box->objectName() == QLatin1String("txtPlayer"))
            m_history->giveTurnTo(box->property("controlIndex").toInt());
        break;
    default:
        break;
    }
    return Form::eventFilter(watched, event);
}

// ------------------------------------------------------------ load, unload

void FrmZorbel::Form_Load()
{
    resolveControls();
    fillLists();
    connectHostActions();
    connectGame();
    connectHistory();
    watchPageKeys();
    describeControls();
    m_services = new ConsoleServices(context(), controls(), this);
    m_countdownAlert = new CountdownAlert(m_countdown);
    followScreen();
    connectRoomDisplay();
    connectPhonePlay();

    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
    m_tabs->setCurrentIndex(GameMode::of(QuestionMode::Match).tab);
    showGame();
    m_game->open();
    // Asked once the board is up, so the host sees what a resume brings back.
    QTimer::singleShot(0, m_autoSave, &AutoSave::resumeOrStart);
}

void FrmZorbel::Form_Unload(bool &cancel)
{
    context().writeLogInfo(QStringLiteral("Unloading All Forms..."));
    if (m_exitConfirmed) {
        if (!closeOtherWindows()) {
            cancel = true;
            m_exitConfirmed = false;
            return;
        }
        context().writeLogInfo(QStringLiteral("Unloading Final Form Prior to Program Ending..."));
        m_autoSave->finish();
        return;
    }
    const PromptAnswer answer = context().prompter().ask({QStringLiteral("Do you wish to exit Zorbel?"),
                                                          QStringLiteral("Exit Program?"), Prompt::Buttons::YesNoCancel,
                                                          Prompt::Icon::None});
    cancel = answer != PromptAnswer::Yes || !closeOtherWindows();
    if (!cancel)
        m_autoSave->finish();
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
        m_exitConfirmed = true;
        close();
    });
}

// ------------------------------------------------------------- host actions

// A step keeps the keyboard on the button that made it, also when a page
// key made it.
void FrmZorbel::step(QuestionMode mode, bool forward)
{
    if (forward)
        m_history->next(mode);
    else
        m_history->previous(mode);
    if (m_game->onShow(mode))
        (forward ? modeControls(mode).next : modeControls(mode).previous)->setFocus();
}

void FrmZorbel::PageUpDown(int keyCode)
{
    context().guard(QStringLiteral("PageUpDown"), [this, keyCode] {
        if ((keyCode == KeyCodes::PageUp || keyCode == KeyCodes::PageDown) && m_game->onShow(m_game->modeOnShow()))
            step(m_game->modeOnShow(), keyCode == KeyCodes::PageDown);
    });
}

// The board the room watches may be made full screen (F11), maximised or
// moved to another screen; it is laid out anew to fit.
// The room display opens on the screen the room watches; a right click on
// its button, or Shift+F5, chooses that screen. F5 works from the display
// too, and the display goes when the console does.
void FrmZorbel::connectRoomDisplay()
{
    m_roomDisplay = new RoomDisplayControl(
        this,
        [this] {
            auto *display = new RoomDisplay(*m_game, this);
            display->followPhonePlay(*m_phoneRoom, *m_phoneServer);
            return display;
        },
        context().programFile(QStringLiteral("RoomDisplay.ini")));
    auto *button = controls().get<Ravlen>(QStringLiteral("clkRoomDisplay"));
    button->setToolTip(
        QStringLiteral("Open or close the room display (F5); right-click or Shift+F5 to choose its screen"));
    const auto chooseScreen = [this, button] {
        context().guard(QStringLiteral("clkRoomDisplay_RightClick"), [this, button] {
            const std::unique_ptr<QMenu> menu = m_roomDisplay->chooser();
            menu->addSeparator();
            QAction *phone = menu->addAction(QStringLiteral("Phone play (F6)"), this, &FrmZorbel::clkPhonePlay_Click);
            phone->setCheckable(true);
            phone->setChecked(m_phoneServer->isOn());
            menu->exec(button->mapToGlobal(button->rect().bottomLeft()));
        });
    };
    connect(button, &Ravlen::Click, this, &FrmZorbel::clkRoomDisplay_Click);
    connect(button, &Ravlen::RightClick, this, chooseScreen);
    auto *toggle = new QShortcut(QKeySequence(Qt::Key_F5), this);
    toggle->setContext(Qt::ApplicationShortcut);
    connect(toggle, &QShortcut::activated, this, &FrmZorbel::clkRoomDisplay_Click);
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5), this), &QShortcut::activated, this, chooseScreen);
    connect(this, &Form::unloaded, m_roomDisplay, &RoomDisplayControl::close);
}

// Phone play is the host's choice for each evening: off at every start,
// F6 (or the room display button's menu) turns it on and off; F7 reveals
// the answers, F8 awards the matches, F9 releases a buzz.
void FrmZorbel::connectPhonePlay()
{
    connect(new QShortcut(QKeySequence(Qt::Key_F6), this), &QShortcut::activated, this, &FrmZorbel::clkPhonePlay_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_F7), this), &QShortcut::activated, m_phoneRoom, &PhoneRoom::reveal);
    connect(new QShortcut(QKeySequence(Qt::Key_F8), this), &QShortcut::activated, m_phoneRoom,
            &PhoneRoom::awardMatches);
    connect(new QShortcut(QKeySequence(Qt::Key_F9), this), &QShortcut::activated, m_phoneRoom, &PhoneRoom::releaseBuzz);
    connect(this, &Form::unloaded, m_phoneServer, &PhoneServer::stop);
}

void FrmZorbel::clkPhonePlay_Click()
{
    context().guard(QStringLiteral("clkPhonePlay_Click"), [this] {
        if (m_phoneServer->isOn()) {
            m_phoneServer->stop();
            m_phonePanel->hide();
            return;
        }
        if (!m_phoneServer->start()) {
            context().prompter().ask({QStringLiteral("Phone play found no home network to listen on."),
                                      QStringLiteral("Phone Play"), Prompt::Buttons::Ok, Prompt::Icon::Information});
            return;
        }
        if (!m_phonePanel) {
            m_phonePanel = new PhonePanel(*m_phoneRoom, *m_phoneServer, this);
            connect(m_phonePanel, &PhonePanel::turnOffRequested, this, &FrmZorbel::clkPhonePlay_Click);
        }
        m_phonePanel->show();
    });
}

void FrmZorbel::clkRoomDisplay_Click()
{
    context().guard(QStringLiteral("clkRoomDisplay_Click"), [this] { m_roomDisplay->toggle(); });
}

void FrmZorbel::followScreen()
{
    auto *fit = new ScreenFit(*this, context().formScale());
    connect(fit, &ScreenFit::rescaled, this, [this] { m_turnMarker->markRow(m_game->currentPlayer()); });
}

bool FrmZorbel::announce(const Scoreboard::Decision &decision)
{
    const bool tie = decision.kind == Scoreboard::Decision::Kind::Tie;
    auto *window = new FrmWin(context(), *this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->load();
    window->present(decision.message, tie);
    window->showModal();
    // A tie window closed without an answer keeps the game going.
    const bool anotherRound = tag().trimmed() != QLatin1String("7");
    setTag(QString());
    return anotherRound;
}

void FrmZorbel::clkConfig_Click()
{
    context().guard(QStringLiteral("clkConfig_Click"), [this] {
        m_game->pauseCountdown();
        auto *window = new FrmConfig(context(), m_game->settings(), this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        connect(window, &FrmConfig::saved, m_game, &Game::applySettings);
        window->load();
        window->showModal();
        modeControls(m_game->modeOnShow()).next->setFocus();
    });
}

// -------------------------------------------------------------------- views

void FrmZorbel::showGame()
{
    for (const QuestionMode mode : GameMode::kModes)
        showQuestion(mode);
    showPlayerCount(m_game->playerCount());
    for (int i = 0; i < Game::kMaxPlayers; ++i) {
        m_rows[i].name->setText(m_game->playerName(i));
        m_rows[i].score->setText(QString::number(m_game->score(i)));
    }
    showTurn(m_game->currentPlayer());
    m_round->setCaption(QStringLiteral("Round %1").arg(m_game->round()));
    quietly(m_playerCount, [this](QComboBox *list) { list->setCurrentText(QString::number(m_game->playerCount())); });
    quietly(m_scoreToWin, [this](QComboBox *list) { list->setCurrentText(QString::number(m_game->scoreToWin())); });
    showCountdown();
    showOptions();
}

// A mode's first start taken back leaves it blank again, as it opened.
void FrmZorbel::showQuestion(QuestionMode mode)
{
    const bool onShow = m_game->onShow(mode);
    const GameMode &description = GameMode::of(mode);
    QString status = onShow ? description.statusText(m_game->position(mode), m_game->questionCount(mode)) : QString();
    // The log alone would keep from the host that the file holds more.
    if (onShow && m_leftOut[size_t(mode)] > 0)
        status += QStringLiteral("  (%1 more in the file left out)").arg(m_leftOut[size_t(mode)]);
    modeControls(mode).status->setCaption(status);
    const QString question = m_game->question(mode);
    if (mode == QuestionMode::Phrase) {
        m_phrase->setText(onShow ? QStringLiteral("      ") + question : QString());
        return;
    }
    const QStringList halves = question.split(LineRules::kHalfSeparator);
    for (int half = 0; half < 2; ++half)
        m_matchHalves[half]->setText(onShow ? QLatin1Char('\n') + halves.value(half) : QString());
}

void FrmZorbel::showModeOnShow(QuestionMode mode)
{
    quietly(m_tabs, [mode](QTabWidget *tabs) { tabs->setCurrentIndex(GameMode::of(mode).tab); });
}

void FrmZorbel::showPlayerCount(int count)
{
    for (int i = 0; i < Game::kMaxPlayers; ++i) {
        const PlayerRow &row = m_rows[i];
        for (QWidget *control : std::array<QWidget *, 4>{row.name, row.up, row.down, row.score})
            control->setVisible(i < count);
    }
}

void FrmZorbel::showTurn(int player)
{
    for (int i = 0; i < Game::kMaxPlayers; ++i) {
        const QColor &colour = i == player ? SkinColours::turn : SkinColours::board;
        setBoxColour(m_rows[i].name, colour);
        setBoxColour(m_rows[i].score, colour);
    }
    m_turnMarker->markRow(player);
}

void FrmZorbel::showCountdown()
{
    m_countdown->setText(m_game->countdownText());
    // A held countdown fades in the box itself, where the host looks.
    m_countdown->graphicsEffect()->setEnabled(m_game->countdownPaused());
    m_countdownAlert->show(m_game->secondsLeft(), m_game->countdownRunning());
}

void FrmZorbel::showOptions()
{
    // A pair of options is exclusive: checking one unchecks the other.
    for (const auto &[options, on] :
         {std::pair(m_timerOptions, m_game->timerOn()), std::pair(m_soundOptions, m_game->soundOn())}) {
        const QSignalBlocker first(options[0]);
        const QSignalBlocker second(options[1]);
        options[on ? 0 : 1]->setChecked(true);
    }
    quietly(m_buzzer, [this](QCheckBox *box) { box->setChecked(m_game->buzzer()); });
    quietly(m_soundAlwaysOn, [this](QCheckBox *box) { box->setChecked(m_game->soundAlwaysOn()); });
}
