#pragma once

#include "play/game.h"

#include <QWidget>

#include <array>

class PhoneRoom;
class PhoneServer;
class QLabel;
class QPushButton;

// The host's view of phone play, beside the console while it is on: the
// address and room code, who holds which row and who has answered (never
// what, until the reveal), the buzz, and the host's controls over them.
// Names and answers are shown as plain text, whatever they hold.
class PhonePanel : public QWidget
{
    Q_OBJECT

public:
    PhonePanel(PhoneRoom &room, PhoneServer &server, QWidget *console);

    QString shownAnswers() const;
    QString shownPlayer(int player) const;
    QString shownBuzz() const;

Q_SIGNALS:
    void turnOffRequested();

private:
    void showAddress();
    void showPlayers();
    void showAnswers();
    void showBuzz();

    PhoneRoom &m_room;
    PhoneServer &m_server;
    QLabel *m_address;
    std::array<QLabel *, Game::kMaxPlayers> m_players{};
    QLabel *m_buzz;
    QLabel *m_answers;
    QPushButton *m_reveal;
    QPushButton *m_award;
    QPushButton *m_release;
};
