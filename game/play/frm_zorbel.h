#pragma once

#include "play/question_loader.h"
#include "services/forms/form.h"

#include <QPointer>
#include <QStringList>

#include <memory>

class FrmEdit;
class FrmHowTo;
class FrmSplash;
class Links;
class MediaPlayer;
class QuestionEditors;
struct ConfigSetting;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTimer;
class Ravlen;
class TurnMarker;

// The host's console and the board the room watches: both game modes on a
// tab control, the players' rows and settings on the right, the countdown
// and sound below, the service buttons along the bottom.
//
// The procedures keep the names and the order of steps the game has always
// had; each runs inside the standard error report under its own name.
class FrmZorbel : public Form
{
    Q_OBJECT

public:
    explicit FrmZorbel(AppContext &context, QWidget *parent = nullptr);
    ~FrmZorbel() override;

    // Questions and turns (the game state lives as long as the window).
    QStringList strMatches;
    QStringList strPhrases;
    int intMatchNumber = 0;
    int intPhraseNumber = 0;
    int intCurrentPlayer = 0;
    int intRound = 1;
    int intTimerSeconds = 30;
    bool blnMatchGameOn = false;
    bool blnPhraseGameOn = false;
    bool blnReloadMatches = false;
    bool blnReloadPhrases = false;
    bool blnTieContinue = false;
    bool blnSkipNextPhrase = false;
    bool blnExitConfirmed = false;
    bool blnGameLoadedAtStart = false;

    MediaPlayer &wmp1() const { return *m_wmp1; }
    MediaPlayer &wmp2() const { return *m_wmp2; }
    QTimer &Timer1() const { return *m_timer1; }

    // Selecting an option raises its Click, also when it was selected
    // already; the configuration reads and sets the options through these.
    void selectOption(const QString &group, int index);
    bool optionSelected(const QString &group, int index) const;

public Q_SLOTS:
    void clkStart_Click();
    void clkStartPhrase_Click();
    void clkNext_Click();
    void clkPrev_Click();
    void clkNextPhrase_Click();
    void clkPrevPhrase_Click();
    void PageUpDown(int keyCode);
    void AdvancePlayer(const QString &direction);
    void clkUp_Click(int index);
    void clkDown_Click(int index);
    void cmbNumPlayers_Click();
    void txtPlayer_DblClick(int index);
    void CheckTimer();
    void Timer1_Timer();
    void OptTimer_Click();
    void optSound_Click();
    void hsc1_Change();
    void SSTab1_Click();
    void cmdUpdateButton_Click();
    void cmdEndProgram_Click();

    // Settings and question files.
    void clkConfig_Click();
    void clkEdit_Click();
    // Services: rules, About, web pages, update and the hidden maintenance
    // commands (reached by Ctrl+Alt+Shift+D, P and E).
    void clkHowToPlay_Click();
    void clkVideo_Click();
    void clkAbout_Click();
    void clkUpdate_Click();
    void clkDonate_Click();
    void clkContact_Click();
    void cmdDeDup_Click();
    void cmdParse_Click();

protected:
    void Form_Load() override;
    void Form_Unload(bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectControls();
    void describeControls();
    void nameScoreButtons(int row);
    void watchKeys(QWidget *control, const QString &reportName);
    QStringList loadQuestions(QuestionMode mode);
    QStringList shuffled(const QStringList &questions);
    void reportMissingFile(const QString &fileName);
    void reportNoQuestions(const QString &fileName);
    bool confirmStartOver(const QString &question);
    void showRows(int count);
    void colourRows(int rows, int current);
    void highlightRow(int row);
    void colourAllRows();
    static QString questionAt(const QStringList &questions, int number);
    void showMatch();
    void showPhrase();
    bool matchOnShow() const;
    bool phraseOnShow() const;
    int playerCount() const;
    int questionCap() const;
    void announce(const QString &message, bool tie);
    bool closeOtherWindows();
    void connectSettingsButtons();
    void readInConfigFile();
    void applyConfigSetting(const ConfigSetting &setting);

    Ravlen *button(const QString &name, int index = -1) const;
    QLabel *label(const QString &name, int index = -1) const;
    QLineEdit *textBox(const QString &name, int index = -1) const;
    QComboBox *comboBox(const QString &name) const;
    QTabWidget *SSTab1() const;

    std::unique_ptr<MediaPlayer> m_wmp1;
    std::unique_ptr<MediaPlayer> m_wmp2;
    QTimer *m_timer1;
    std::unique_ptr<TurnMarker> m_turnMarker;

    QPointer<FrmEdit> m_frmEdit;
    std::unique_ptr<QuestionEditors> m_questionEditors;
    // Services
    void connectServices();
    Links links() const;
    QPointer<FrmHowTo> m_howTo;
    QPointer<FrmSplash> m_about;
};
