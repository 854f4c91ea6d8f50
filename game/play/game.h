#pragma once

#include "play/game_mode.h"
#include "play/scoreboard.h"

#include "services/files/config_file.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class AppContext;
class MediaPlayer;
class QTimer;

// A game of Zorbel: both modes' shuffled questions and positions, the
// players with their names, scores and turn, the round, the score to win,
// and the countdown with its music and buzzer. Every rule that changes the
// game is a method here and runs inside the standard error report under
// the name the host and the log know it by; every change is announced by a
// signal that says what changed, so any number of views can follow.
//
// The game asks the host its questions (start over?) and tells of missing
// files through the program's Prompter; a decided round is announced
// through the announcer a view installs.
class Game : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxPlayers = 10;

    struct ModeState {
        QStringList questions; // in the order of play
        // Where each question stands in its file (questions[i] is the file's
        // question order[i]), the seed the order was drawn from, and the
        // fingerprint of the file's questions: a saved game keeps its
        // questions by the seed and the fingerprint.
        QList<int> order;
        quint32 seed = 0;
        QByteArray source;
        int number = 0;
        bool gameOn = false;
        bool reload = false;
        bool holdFirst = false;
        friend bool operator==(const ModeState &, const ModeState &) = default;
    };
    struct Player {
        QString name = QStringLiteral("Name");
        int score = 0;
        friend bool operator==(const Player &, const Player &) = default;
    };
    // The state of play, everything the host's moves change: the questions
    // and where each mode stands, the players, the turn, the round and the
    // score to win. The countdown and its settings belong to the
    // configuration and stay out. Copies share the question lists, so a
    // snapshot costs little.
    struct Snapshot {
        std::array<ModeState, 2> modes;
        QuestionMode modeOnShow = QuestionMode::Match;
        std::array<Player, kMaxPlayers> players;
        int playerCount = 2;
        int currentPlayer = 0;
        int round = 1;
        int scoreToWin = 10;
        bool tieContinue = false;
        friend bool operator==(const Snapshot &, const Snapshot &) = default;
    };

    explicit Game(AppContext &context, QObject *parent = nullptr);
    ~Game() override;

    // Shows the decision of a round to the room and returns whether the
    // players go on with another round (a tie only).
    using Announcer = std::function<bool(const Scoreboard::Decision &decision)>;
    void setAnnouncer(Announcer announcer) { m_announcer = std::move(announcer); }

    // The opening of the board: the sounds get their files, each mode whose
    // file is there starts (the phrases first, so the matches show when both
    // do), a game loaded so starts with the countdown and the sound off, and
    // Zorbel.cfg has the last word.
    void open();

    Snapshot snapshot() const { return m_state; }
    // Brings a snapshot back and tells every view of what differs; where a
    // question on show or the tab changes, the countdown starts again from
    // its length as for a new question.
    void restore(const Snapshot &snapshot);

    // ---- Questions
    void start(QuestionMode mode);
    void next(QuestionMode mode);
    void previous(QuestionMode mode);
    bool onShow(QuestionMode mode) const { return !modeState(mode).questions.isEmpty(); }
    // The question on show (empty when none is) and its 1-based number.
    QString question(QuestionMode mode) const;
    int position(QuestionMode mode) const { return modeState(mode).number; }
    qsizetype questionCount(QuestionMode mode) const { return modeState(mode).questions.size(); }
    QuestionMode modeOnShow() const { return m_state.modeOnShow; }
    // The host turned to a mode's tab: the countdown stops and shows its length.
    void showMode(QuestionMode mode);

    // ---- Players
    int playerCount() const { return m_state.playerCount; }
    void setPlayerCount(int count);
    // At least count players, the turn staying where it is: a player who
    // joins mid-game takes a free row without the game starting its turns over.
    void makeRoomForPlayers(int count);
    QString playerName(int player) const { return m_state.players.at(player).name; }
    void setPlayerName(int player, const QString &name);
    int score(int player) const { return m_state.players.at(player).score; }
    void raiseScore(int player);
    void lowerScore(int player);
    int currentPlayer() const { return m_state.currentPlayer; }
    void giveTurnTo(int player);
    int round() const { return m_state.round; }
    int scoreToWin() const { return m_state.scoreToWin; }
    void setScoreToWin(int score);

    // ---- Countdown and sound
    int countdownLength() const { return m_countdownLength; }
    // What the countdown shows: the seconds left, or a length as the
    // configuration wrote it until the countdown first moves.
    QString countdownText() const;
    int secondsLeft() const { return m_secondsLeft; }
    bool countdownRunning() const;
    // One second of the countdown; its timer calls it, and tests may.
    void tick();
    // Restarts the countdown from its length for a new question.
    void checkTimer();
    // Holds a running countdown where it is (the host's pause, or while the
    // host changes settings); resuming goes on from the seconds on show.
    void pauseCountdown();
    void resumeCountdown();
    void togglePause();
    bool countdownPaused() const { return m_paused; }
    // Ten seconds more for a running or paused countdown, without restarting it.
    void addTenSeconds();
    void setCountdownLength(const CountdownLength &length);
    bool timerOn() const { return m_timerOn; }
    void setTimerOn(bool on);
    bool soundOn() const { return m_soundOn; }
    void setSoundOn(bool on);
    bool buzzer() const { return m_buzzer; }
    void setBuzzer(bool on);
    bool soundAlwaysOn() const { return m_soundAlwaysOn; }
    void setSoundAlwaysOn(bool on);
    void setVolume(int volume);

    // The five settings as the configuration window shows them, and applying
    // those it hands back.
    PlaySettings settings() const;
    void applySettings(const PlaySettings &settings);

Q_SIGNALS:
    void questionChanged(QuestionMode mode);
    void modeOnShowChanged(QuestionMode mode);
    void playerCountChanged(int count);
    void playerNameChanged(int player, const QString &name);
    void scoreChanged(int player, int score);
    void currentPlayerChanged(int player);
    void roundChanged(int round);
    void scoreToWinChanged(int score);
    void countdownChanged();
    void timerOnChanged(bool on);
    void soundOnChanged(bool on);
    void buzzerChanged(bool on);
    void soundAlwaysOnChanged(bool on);
    // A round was decided: the announcement is on show until the host has
    // answered it (decisionAnswered), before the game goes on or restarts.
    void decisionAnnounced(const Scoreboard::Decision &decision);
    void decisionAnswered();
    // A decided game reloads both modes; the title says so meanwhile.
    void reloadingChanged(bool reloading);
    // The mode's file was read: count questions beyond those a game can
    // number are left out (none: 0).
    void questionsLeftOut(QuestionMode mode, qsizetype count);

private:
    ModeState &modeState(QuestionMode mode) { return m_state.modes[size_t(mode)]; }
    const ModeState &modeState(QuestionMode mode) const { return m_state.modes[size_t(mode)]; }

    void startMode(const GameMode &mode);
    void nextInMode(const GameMode &mode);
    void previousInMode(const GameMode &mode);
    void goOnAfterTie(const GameMode &mode);
    void advancePlayer(bool forward);
    void restartAfterDecision();
    void resetTurnAndRound();
    void zeroScores();
    void setScore(int player, int score);
    void setCurrentPlayer(int player);
    void setRound(int round);
    void setReloading(bool reloading);
    void showSeconds(int seconds);
    void startTicking();
    void stopTicking();
    QStringList loadQuestions(const GameMode &mode);
    void readConfigFile();
    bool confirmStartOver(const QString &question);
    void tellOfFile(const QString &fileName, const QString &text, const QString &title);

    AppContext &m_context;
    Announcer m_announcer;
    Snapshot m_state;
    bool m_reloading = false;

    int m_countdownLength = 30;
    int m_secondsLeft = 30;
    QString m_lengthAsWritten;
    bool m_paused = false;
    bool m_timerOn = true;
    bool m_soundOn = false;
    bool m_buzzer = false;
    bool m_soundAlwaysOn = false;
    QTimer *m_ticker;
    std::unique_ptr<MediaPlayer> m_music;
    std::unique_ptr<MediaPlayer> m_buzzerSound;
};
