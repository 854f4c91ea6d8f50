#pragma once

#include "play/game.h"
#include "play/game_history.h"

#include "services/forms/form.h"

#include <array>
#include <memory>

class AutoSave;
class PhonePanel;
class PhoneRoom;
class PhoneServer;
class ConsoleServices;
class RoomDisplayControl;
class CountdownAlert;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class Ravlen;
class TurnMarker;

// The host's console and the board the room watches: both game modes on a
// tab control, the players' rows and settings on the right, the countdown
// and sound below, the service buttons along the bottom.
//
// The window is a view of its Game: the host's actions go to the game, and
// the controls follow the game's signals. Each control is looked up once,
// when the window loads.
class FrmZorbel : public Form
{
    Q_OBJECT

public:
    explicit FrmZorbel(AppContext &context, QWidget *parent = nullptr);
    ~FrmZorbel() override;

    Game &game() const { return *m_game; }
    GameHistory &history() const { return *m_history; }
    PhoneRoom &phoneRoom() const { return *m_phoneRoom; }
    PhoneServer &phoneServer() const { return *m_phoneServer; }
    // The host's view of phone play, null until it is first turned on.
    PhonePanel *phonePanel() const { return m_phonePanel; }

public Q_SLOTS:
    void PageUpDown(int keyCode);
    void clkConfig_Click();
    // Opens the room display, or closes it when it is open (F5).
    void clkRoomDisplay_Click();
    // Turns phone play on, or off when it is on (F6).
    void clkPhonePlay_Click();
    void cmdEndProgram_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct ModeControls {
        Ravlen *status = nullptr;
        Ravlen *start = nullptr;
        Ravlen *previous = nullptr;
        Ravlen *next = nullptr;
        Ravlen *exit = nullptr;
    };
    struct PlayerRow {
        QLineEdit *name = nullptr;
        QLineEdit *score = nullptr;
        Ravlen *up = nullptr;
        Ravlen *down = nullptr;
    };

    void resolveControls();
    void fillLists();
    void connectHostActions();
    void connectGame();
    void connectHistory();
    void watchPageKeys();
    void watchKeys(QWidget *control, const QString &reportName);
    void describeControls();
    void nameScoreButtons(int row);

    void step(QuestionMode mode, bool forward);
    ModeControls &modeControls(QuestionMode mode) { return m_modes[size_t(mode)]; }

    void showGame();
    void showQuestion(QuestionMode mode);
    void showModeOnShow(QuestionMode mode);
    void showPlayerCount(int count);
    void showTurn(int player);
    void showCountdown();
    void showOptions();
    void followScreen();
    void connectRoomDisplay();
    void connectPhonePlay();
    bool announce(const Scoreboard::Decision &decision);
    bool closeOtherWindows();

    Game *m_game;
    GameHistory *m_history;
    AutoSave *m_autoSave;
    PhoneRoom *m_phoneRoom;
    PhoneServer *m_phoneServer;
    PhonePanel *m_phonePanel = nullptr;
    ConsoleServices *m_services = nullptr;
    RoomDisplayControl *m_roomDisplay = nullptr;
    std::unique_ptr<TurnMarker> m_turnMarker;
    CountdownAlert *m_countdownAlert = nullptr;
    bool m_exitConfirmed = false;

    QTabWidget *m_tabs = nullptr;
    std::array<ModeControls, 2> m_modes;
    std::array<qsizetype, 2> m_leftOut{}; // questions each file holds beyond those a game numbers
    std::array<QLabel *, 2> m_matchHalves{};
    QLabel *m_phrase = nullptr;
    Ravlen *m_round = nullptr;
    std::array<PlayerRow, Game::kMaxPlayers> m_rows;
    QComboBox *m_playerCount = nullptr;
    QComboBox *m_scoreToWin = nullptr;
    QLineEdit *m_countdown = nullptr;
    std::array<QRadioButton *, 2> m_timerOptions{};
    std::array<QRadioButton *, 2> m_soundOptions{};
    QCheckBox *m_buzzer = nullptr;
    QCheckBox *m_soundAlwaysOn = nullptr;
    QScrollBar *m_volume = nullptr;
};
