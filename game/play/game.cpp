#include "play/game.h"

#include "play/countdown.h"
#include "play/shuffle_array.h"

#include "services/app_context.h"
#include "services/media_player.h"
#include "services/prompter.h"

#include <QFile>
#include <QTimer>

#include <limits>
#include <utility>

namespace {

void checkPlayer(int player)
{
    if (player < 0 || player >= Game::kMaxPlayers)
        throw ZorbelError(ErrorNumber::InvalidProcedureCall, QStringLiteral("no player %1").arg(player));
}

} // namespace

Game::Game(AppContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_ticker(new QTimer(this))
    , m_music(context.createMediaPlayer())
    , m_buzzerSound(context.createMediaPlayer())
{
    m_ticker->setInterval(1000);
    connect(m_ticker, &QTimer::timeout, this, &Game::tick);
}

Game::~Game() = default;

void Game::open()
{
    m_music->setSource(m_context.programFile(QStringLiteral("MatchMusic.mp3")));
    m_music->stop();
    m_buzzerSound->setSource(m_context.programFile(QStringLiteral("Buzzer.wav")));
    m_buzzerSound->stop();
    if (const QString silence = m_music->unavailableReason(); !silence.isEmpty())
        m_context.writeLogInfo(silence);

    bool loaded = false;
    for (const QuestionMode mode : {QuestionMode::Phrase, QuestionMode::Match}) {
        if (QFile::exists(m_context.programFile(GameMode::of(mode).fileName()))) {
            start(mode);
            showMode(mode);
            loaded = true;
        }
    }
    if (loaded) {
        m_countdownLength = 30;
        showSeconds(30);
        setTimerOn(false);
        setSoundOn(false);
        m_music->stop();
    }
    readConfigFile();
}

void Game::restore(const Snapshot &snapshot)
{
    bool newQuestion = false;
    for (const QuestionMode mode : GameMode::kModes) {
        ModeState &state = modeState(mode);
        const ModeState &wanted = snapshot.modes[size_t(mode)];
        const bool shown = state.questions != wanted.questions || state.number != wanted.number;
        state = wanted;
        if (shown) {
            newQuestion = true;
            Q_EMIT questionChanged(mode);
        }
    }
    if (std::exchange(m_state.modeOnShow, snapshot.modeOnShow) != snapshot.modeOnShow) {
        newQuestion = true;
        Q_EMIT modeOnShowChanged(snapshot.modeOnShow);
    }
    if (std::exchange(m_state.playerCount, snapshot.playerCount) != snapshot.playerCount)
        Q_EMIT playerCountChanged(snapshot.playerCount);
    for (int i = 0; i < kMaxPlayers; ++i) {
        setPlayerName(i, snapshot.players[i].name);
        setScore(i, snapshot.players[i].score);
    }
    setCurrentPlayer(snapshot.currentPlayer);
    setRound(snapshot.round);
    setScoreToWin(snapshot.scoreToWin);
    m_state.tieContinue = snapshot.tieContinue;
    if (newQuestion)
        checkTimer();
}

// ---------------------------------------------------------------- questions

void Game::start(QuestionMode mode)
{
    const GameMode &description = GameMode::of(mode);
    m_context.guard(description.startReport, [this, &description] { startMode(description); });
}

void Game::next(QuestionMode mode)
{
    const GameMode &description = GameMode::of(mode);
    m_context.guard(description.nextReport, [this, &description] { nextInMode(description); });
}

void Game::previous(QuestionMode mode)
{
    const GameMode &description = GameMode::of(mode);
    m_context.guard(description.previousReport, [this, &description] { previousInMode(description); });
}

QString Game::question(QuestionMode mode) const
{
    const ModeState &state = modeState(mode);
    return state.questions.value(state.number - 1);
}

void Game::startMode(const GameMode &mode)
{
    ModeState &state = modeState(mode.mode);
    if (mode.resetsFirst) {
        checkTimer();
        resetTurnAndRound();
    }
    if (!QFile::exists(m_context.programFile(mode.fileName()))) {
        tellOfFile(mode.fileName(),
                   QStringLiteral(" does not exist, please create it from the Config menu item, or \n"
                                  "performing an Update from the About menu pulldown will retrieve this file from "
                                  "the internet.\n\n"),
                   QStringLiteral("File Does Not Exist"));
        return;
    }
    if (state.reload) {
        setReloading(true);
        state.reload = false;
    } else if (state.gameOn && !confirmStartOver(mode.startOverQuestion)) {
        return;
    }
    zeroScores();
    if (!mode.resetsFirst)
        resetTurnAndRound();

    const QStringList questions = loadQuestions(mode);
    if (questions.isEmpty()) {
        tellOfFile(mode.fileName(), QStringLiteral(" does not contain any questions."),
                   QStringLiteral("Exiting File Load"));
        return;
    }
    // A shuffle that failed has shown its report; the game on show stays.
    std::optional<Shuffle> shuffle = guardedShuffle(m_context, questions.size());
    if (!shuffle)
        throw ZorbelError(ErrorNumber::InvalidProcedureCall, QStringLiteral("the questions could not be shuffled"));
    state.questions = inOrder(questions, shuffle->order);
    state.order = std::move(shuffle->order);
    state.seed = shuffle->seed;
    state.source = QuestionLoader::fingerprint(questions);
    state.number = 1;
    state.gameOn = true;
    Q_EMIT questionChanged(mode.mode);
    if (!mode.resetsFirst)
        checkTimer();
    setReloading(false);
}

void Game::nextInMode(const GameMode &mode)
{
    ModeState &state = modeState(mode.mode);
    if (!onShow(mode.mode))
        return;
    // A game decided on the way restarts this mode at its first question.
    if (mode.stepsBeforeTurn)
        ++state.number;
    advancePlayer(true);
    if (mode.holdsFirstAfterRestart && std::exchange(state.holdFirst, false))
        return;
    if (!mode.stepsBeforeTurn)
        ++state.number;
    if (state.number == state.questions.size() + 1)
        state.number = 1;
    Q_EMIT questionChanged(mode.mode);
    if (m_state.tieContinue)
        goOnAfterTie(mode);
    checkTimer();
}

void Game::previousInMode(const GameMode &mode)
{
    ModeState &state = modeState(mode.mode);
    if (!onShow(mode.mode))
        return;
    if (--state.number < 1)
        state.number = int(state.questions.size());
    Q_EMIT questionChanged(mode.mode);
    checkTimer();
    advancePlayer(false);
}

// The other mode's Next hands the turn from "before the first player" to
// the first; where that mode has no question on show, the turn goes to the
// first player all the same.
void Game::goOnAfterTie(const GameMode &mode)
{
    if (!mode.keepsTieWhileOtherSteps)
        m_state.tieContinue = false;
    m_state.currentPlayer = -1;
    next(GameMode::other(mode.mode));
    m_state.tieContinue = false;
    setCurrentPlayer(std::max(m_state.currentPlayer, 0));
}

QStringList Game::loadQuestions(const GameMode &mode)
{
    const QuestionLoad load = QuestionLoader::loadFile(m_context.programFile(mode.fileName()), mode.mode);
    const QString shownPath = m_context.displayPath(mode.fileName());
    if (!load.dropped.isEmpty())
        m_context.writeLogInfo(droppedLogEntry(shownPath, load));
    if (load.capped())
        m_context.writeLogInfo(cappedLogEntry(shownPath, load));
    Q_EMIT questionsLeftOut(mode.mode, load.found - load.questions.size());
    return load.questions;
}

bool Game::confirmStartOver(const QString &question)
{
    return m_context.prompter().ask(
               {question, QStringLiteral("Start New Game"), Prompt::Buttons::YesNoCancel, Prompt::Icon::None})
           == PromptAnswer::Yes;
}

void Game::tellOfFile(const QString &fileName, const QString &text, const QString &title)
{
    m_context.prompter().ask({QStringLiteral("File ") + m_context.displayPath(fileName) + text, title,
                              Prompt::Buttons::Ok, Prompt::Icon::Information});
}

void Game::showMode(QuestionMode mode)
{
    m_context.guard(QStringLiteral("SSTab1_Click"), [this, mode] {
        if (std::exchange(m_state.modeOnShow, mode) != mode)
            Q_EMIT modeOnShowChanged(mode);
        stopTicking();
        showSeconds(m_countdownLength);
    });
}

void Game::setReloading(bool reloading)
{
    if (std::exchange(m_reloading, reloading) != reloading)
        Q_EMIT reloadingChanged(reloading);
}

// ------------------------------------------------------------ players, score

void Game::advancePlayer(bool forward)
{
    m_context.guard(QStringLiteral("AdvancePlayer"), [this, forward] {
        const Scoreboard::Turn turn = Scoreboard::advance(m_state.currentPlayer, m_state.playerCount, forward);
        setCurrentPlayer(turn.player);
        if (!turn.roundOver)
            return;
        setRound(m_state.round + 1);
        QList<Scoreboard::Row> rows;
        for (int i = 0; i < kMaxPlayers; ++i)
            rows.append({m_state.players[i].name, m_state.players[i].score, i < m_state.playerCount});
        const Scoreboard::Decision decision = Scoreboard::decide(rows, m_state.scoreToWin);
        if (decision.kind == Scoreboard::Decision::Kind::None)
            return;
        Q_EMIT decisionAnnounced(decision);
        const bool anotherRound = m_announcer ? m_announcer(decision) : true;
        Q_EMIT decisionAnswered();
        if (decision.kind == Scoreboard::Decision::Kind::Tie && anotherRound)
            m_state.tieContinue = true;
        else
            restartAfterDecision();
    });
}

void Game::restartAfterDecision()
{
    for (const QuestionMode mode : GameMode::kModes)
        modeState(mode).reload = true;
    for (const QuestionMode mode : GameMode::kModes)
        start(mode);
    for (const QuestionMode mode : GameMode::kModes)
        modeState(mode).holdFirst = GameMode::of(mode).holdsFirstAfterRestart;
}

void Game::resetTurnAndRound()
{
    setCurrentPlayer(0);
    setRound(1);
}

void Game::zeroScores()
{
    for (int i = 0; i < kMaxPlayers; ++i)
        setScore(i, 0);
}

void Game::setScore(int player, int score)
{
    if (std::exchange(m_state.players[player].score, score) != score)
        Q_EMIT scoreChanged(player, score);
}

void Game::setCurrentPlayer(int player)
{
    if (std::exchange(m_state.currentPlayer, player) != player)
        Q_EMIT currentPlayerChanged(player);
}

void Game::setRound(int round)
{
    if (std::exchange(m_state.round, round) != round)
        Q_EMIT roundChanged(round);
}

void Game::raiseScore(int player)
{
    m_context.guard(QStringLiteral("clkUp_Click"), [this, player] {
        checkPlayer(player);
        // A mode that was never loaded counts no questions.
        const auto cap = int(questionCount(QuestionMode::Match) + questionCount(QuestionMode::Phrase));
        setScore(player, Scoreboard::raised(m_state.players[player].score, cap));
    });
}

void Game::lowerScore(int player)
{
    m_context.guard(QStringLiteral("clkDown_Click"), [this, player] {
        checkPlayer(player);
        setScore(player, Scoreboard::lowered(m_state.players[player].score));
    });
}

void Game::setPlayerCount(int count)
{
    m_context.guard(QStringLiteral("cmbNumPlayers_Click"), [this, count] {
        if (count < 1 || count > kMaxPlayers)
            throw ZorbelError(ErrorNumber::InvalidProcedureCall, QStringLiteral("%1 players").arg(count));
        if (std::exchange(m_state.playerCount, count) != count)
            Q_EMIT playerCountChanged(count);
        setCurrentPlayer(0);
    });
}

void Game::makeRoomForPlayers(int count)
{
    if (count <= m_state.playerCount || count > kMaxPlayers)
        return;
    m_state.playerCount = count;
    Q_EMIT playerCountChanged(count);
}

void Game::setPlayerName(int player, const QString &name)
{
    checkPlayer(player);
    if (std::exchange(m_state.players[player].name, name) != name)
        Q_EMIT playerNameChanged(player, name);
}

void Game::giveTurnTo(int player)
{
    m_context.guard(QStringLiteral("txtPlayer_DblClick"), [this, player] {
        checkPlayer(player);
        setCurrentPlayer(player);
    });
}

void Game::setScoreToWin(int score)
{
    if (std::exchange(m_state.scoreToWin, score) != score)
        Q_EMIT scoreToWinChanged(score);
}

// ---------------------------------------------------------------- countdown

QString Game::countdownText() const
{
    return m_lengthAsWritten.isEmpty() ? QString::number(m_secondsLeft) : m_lengthAsWritten;
}

bool Game::countdownRunning() const
{
    return m_ticker->isActive();
}

void Game::showSeconds(int seconds)
{
    m_secondsLeft = seconds;
    m_lengthAsWritten.clear();
    m_paused = false;
    Q_EMIT countdownChanged();
}

void Game::startTicking()
{
    m_paused = false;
    m_ticker->start();
    Q_EMIT countdownChanged();
}

void Game::stopTicking()
{
    if (!m_ticker->isActive())
        return;
    m_ticker->stop();
    Q_EMIT countdownChanged();
}

void Game::checkTimer()
{
    m_context.guard(QStringLiteral("CheckTimer"), [this] {
        showSeconds(m_countdownLength);
        if (!m_timerOn) {
            stopTicking();
            return;
        }
        startTicking();
        if (m_soundOn)
            m_music->play();
    });
}

void Game::tick()
{
    m_context.guard(QStringLiteral("Timer1_Timer"), [this] {
        const Countdown::Tick tick = Countdown::tick(m_secondsLeft, {!m_soundOn, m_buzzer, m_soundAlwaysOn});
        if (tick.playBuzzer)
            m_buzzerSound->play();
        if (tick.stopMusic)
            m_music->stop();
        if (tick.stopTimer)
            stopTicking();
        else
            showSeconds(tick.secondsLeft);
    });
}

void Game::pauseCountdown()
{
    if (!countdownRunning())
        return;
    m_ticker->stop();
    m_paused = true;
    Q_EMIT countdownChanged();
}

void Game::resumeCountdown()
{
    if (m_paused)
        startTicking();
}

void Game::togglePause()
{
    if (m_paused)
        resumeCountdown();
    else
        pauseCountdown();
}

void Game::addTenSeconds()
{
    if (!countdownRunning() && !m_paused)
        return;
    m_secondsLeft = std::min(m_secondsLeft + 10, int(std::numeric_limits<qint16>::max()));
    m_lengthAsWritten.clear();
    Q_EMIT countdownChanged();
}

void Game::setCountdownLength(const CountdownLength &length)
{
    m_context.guard(QStringLiteral("cmdUpdateButton_Click"), [this, &length] {
        m_countdownLength = length.seconds;
        m_secondsLeft = length.seconds;
        m_lengthAsWritten = length.text;
        m_paused = false;
        Q_EMIT countdownChanged();
    });
}

// Choosing either option acts, also when it was chosen already.
void Game::setTimerOn(bool on)
{
    m_context.guard(QStringLiteral("OptTimer_Click"), [this, on] {
        m_timerOn = on;
        Q_EMIT timerOnChanged(on);
        if (!onShow(m_state.modeOnShow))
            return;
        if (on) {
            // Goes on from the seconds on show.
            startTicking();
        } else {
            stopTicking();
            showSeconds(m_countdownLength);
        }
    });
}

void Game::setSoundOn(bool on)
{
    m_context.guard(QStringLiteral("optSound_Click"), [this, on] {
        m_soundOn = on;
        if (on) {
            m_music->play();
            m_music->setLooping(true);
        } else {
            m_music->stop();
        }
        Q_EMIT soundOnChanged(on);
    });
}

void Game::setBuzzer(bool on)
{
    if (std::exchange(m_buzzer, on) != on)
        Q_EMIT buzzerChanged(on);
}

void Game::setSoundAlwaysOn(bool on)
{
    if (std::exchange(m_soundAlwaysOn, on) != on)
        Q_EMIT soundAlwaysOnChanged(on);
}

void Game::setVolume(int volume)
{
    m_context.guard(QStringLiteral("hsc1_Change"), [this, volume] {
        m_music->setVolume(volume);
        m_buzzerSound->setVolume(volume);
    });
}

// ----------------------------------------------------------------- settings

PlaySettings Game::settings() const
{
    return {CountdownLength{QString::number(m_countdownLength), qint16(m_countdownLength)}, m_soundAlwaysOn, m_buzzer,
            m_soundOn, m_timerOn};
}

void Game::applySettings(const PlaySettings &settings)
{
    if (settings.timerTime)
        setCountdownLength(*settings.timerTime);
    if (settings.soundContinual)
        setSoundAlwaysOn(*settings.soundContinual);
    if (settings.buzzer)
        setBuzzer(*settings.buzzer);
    if (settings.sound)
        setSoundOn(*settings.sound);
    if (settings.timer)
        setTimerOn(*settings.timer);
}

// The lines read before a failure stay applied; the rest is not read.
void Game::readConfigFile()
{
    m_context.guard(QStringLiteral("readInConfigFile"), [this] {
        const ConfigFile::Reading reading = ConfigFile::read(m_context.programFile(ConfigFile::fileName()));
        applySettings(reading.settings);
        if (reading.failure)
            throw *reading.failure;
    });
}
