#pragma once

#include "play/game.h"

#include <QWidget>

#include <array>

class PhoneRoom;
class PhoneServer;
class QVariantAnimation;

// What the room sees on a television: the prompt on show, the players with
// their scores and whose turn it is, the round, the score to win, the
// countdown and, while the host answers it, the announcement of a decided
// round. It follows the game's signals and draws nothing else; every text
// is sized from the window's own height, so the board reads the same on
// any screen, and shrinks only where it would not fit otherwise.
class RoomDisplay : public QWidget
{
    Q_OBJECT

public:
    enum class Part {
        Prompt,
        Round,
        ScoreToWin,
        Countdown,
        PlayerName,
        PlayerScore,
        Announcement,
        PhoneJoin,
        PhoneResult
    };
    Q_ENUM(Part)

    explicit RoomDisplay(Game &game, QWidget *parent = nullptr);

    // While phone play is on, a card with the page's QR code, its address
    // and the room code, and in the prompt's panel the revealed answers or
    // who buzzed first.
    void followPhonePlay(const PhoneRoom &room, const PhoneServer &server);
    // The QR code as drawn, null while phone play is off.
    QImage phoneCode() const { return m_phoneCode; }

    // The text a part shows (empty when it shows nothing); a player's name
    // and score are asked for by row. A match prompt's halves are two lines.
    QString shownText(Part part, int player = -1) const;
    // Everything on show, a line per part and player, as a screen reader
    // reads the window (its accessible description).
    QString spokenText() const;
    // The font's pixel size the part is drawn in at the window's size.
    int textPixelHeight(Part part) const;
    // Where the part's text may go, and the rectangle it takes there.
    QRect area(Part part, int player = -1) const;
    QRect textBounds(Part part, int player = -1) const;
    // Whether the part had to go below its share of the height to fit.
    bool belowShare(Part part) const;
    // The row drawn with the turn marker and plate, -1 for none.
    int markedPlayer() const { return m_marked; }
    // The countdown panel's colour now, and whether it pulses.
    QColor countdownColour() const;
    bool countdownPulsing() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct TextBlock {
        QString text;
        QRect area;
        int flags = 0;
        int pixelSize = 0;
        QRect bounds;
    };

    const TextBlock *block(Part part, int player) const;
    QString promptOnShow() const;
    void showPrompt();
    void showPlayers();
    void showScores();
    void showTurn(int player);
    void showCountdown();
    void showAnnouncement(const QString &message);
    void showPhoneJoin();
    void showPhoneResult();
    void paintPhoneCard(QPainter &painter) const;
    void layOut();
    void fitSingle(TextBlock &text, Part part);
    void fitRow(std::array<TextBlock, Game::kMaxPlayers> &row, Part part);
    QRect plate(int player) const;
    bool countdownAlert() const;
    void paintHeader(QPainter &painter) const;
    void paintPlate(QPainter &painter, int player) const;
    void paintCountdown(QPainter &painter) const;
    void paintAnnouncement(QPainter &painter) const;

    Game &m_game;
    TextBlock m_prompt;
    TextBlock m_round;
    TextBlock m_scoreToWin;
    TextBlock m_countdown;
    TextBlock m_announcement;
    TextBlock m_phoneJoin;
    TextBlock m_phoneResult;
    QImage m_phoneCode;
    QRect m_phoneCard;
    QRect m_phoneCodeArea;
    const PhoneRoom *m_phoneRoom = nullptr;
    const PhoneServer *m_phoneServer = nullptr;
    std::array<TextBlock, Game::kMaxPlayers> m_names;
    std::array<TextBlock, Game::kMaxPlayers> m_scores;
    QRect m_header;
    QRect m_promptPanel;
    QRect m_countdownPanel;
    QRect m_players;
    QRect m_card;
    int m_shownPlayers = 0;
    int m_marked = -1;
    bool m_announcing = false;
    unsigned m_belowShare = 0;
    QVariantAnimation *m_pulse;
};
