#pragma once

#include "play/game.h"

#include <QObject>

#include <array>
#include <variant>

class GameHistory;

// The players on their phones: who holds which player row, what each has
// answered to the match prompt on show, and who buzzed first at a phrase.
// A phone changes nothing but its own row's name, its answer and its buzz;
// the host reveals the answers and awards the matches, both through the
// game's history so that the host can take them back.
class PhoneRoom : public QObject
{
    Q_OBJECT

public:
    struct Seat {
        int player = -1;
        QString token;
    };
    struct AnswerGroup {
        QString answer; // as the first of its players typed it
        QList<int> players; // in row order
    };

    PhoneRoom(Game &game, GameHistory &history, QObject *parent = nullptr);

    const Game &game() const { return m_game; }

    // A new four-letter code and every seat free: phone play starts afresh.
    void open();
    QString code() const { return m_code; }

    // A phone takes the free row with the lowest number under the name it
    // gives, or its old row again when it brings that row's token. Refused
    // with the reason when the code is wrong or every row is held.
    std::variant<Seat, QString> join(const QString &room, const QString &name, const QString &token);
    bool held(int player) const { return !m_tokens.at(player).isEmpty(); }

    // A player's answer to the match prompt on show; a later one replaces
    // it until the host reveals. False when no match prompt takes answers.
    bool answer(int player, const QString &text);
    bool answered(int player) const { return !m_answers.at(player).isEmpty(); }
    QString answerOf(int player) const { return m_answers.at(player); }
    // The first buzz at a phrase prompt locks the others out and gives
    // that player the turn. False when it came too late or out of place.
    bool buzz(int player);
    int buzzedPlayer() const { return m_buzzed; }

    bool takesAnswers() const;
    bool takesBuzzes() const;
    bool revealed() const { return m_revealed; }
    void reveal();
    // One point to every player whose answer matches another player's.
    void awardMatches();
    void releaseBuzz();
    QList<AnswerGroup> groups() const;

    // The answer as matching compares it: case, surrounding spaces and
    // punctuation folded.
    static QString normalised(const QString &answer);

Q_SIGNALS:
    void seatsChanged();
    void answersChanged();
    void revealedChanged(bool revealed);
    void buzzChanged(int player);
    // Another prompt is on show: the answers and the buzz are gone.
    void promptChanged();

private:
    void clearPrompt();

    Game &m_game;
    GameHistory &m_history;
    QString m_code;
    std::array<QString, Game::kMaxPlayers> m_tokens;
    std::array<QString, Game::kMaxPlayers> m_answers;
    bool m_revealed = false;
    bool m_awarded = false;
    int m_buzzed = -1;
};
