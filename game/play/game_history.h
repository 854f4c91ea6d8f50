#pragma once

#include "play/game.h"

#include <QObject>
#include <QUndoStack>

#include <functional>

class StateChange;

// The host's moves on a game, each one a step the host can take back and
// do again. A move is recorded as the game before and after it, and only
// when it changed the game; what it announced on the way (a decided round)
// is part of it, so taking back the Next that decided a game brings the
// scores, the round and the questions back.
class GameHistory : public QObject
{
    Q_OBJECT

public:
    explicit GameHistory(Game &game, QObject *parent = nullptr);
    ~GameHistory() override;

    QUndoStack &stack() { return m_stack; }

    void start(QuestionMode mode);
    void next(QuestionMode mode);
    void previous(QuestionMode mode);
    void showMode(QuestionMode mode);
    void raiseScore(int player);
    void lowerScore(int player);
    void giveTurnTo(int player);
    void setPlayerCount(int count);
    void setScoreToWin(int score);
    // Typing into one name box is one step, however many keys it took.
    void setPlayerName(int player, const QString &name);

    // Runs a move and records it under its text when it changed the game.
    void perform(const QString &text, const std::function<void()> &action);

private:
    friend class StateChange;

    void record(const std::function<void()> &action, const std::function<QString()> &describe, int namedPlayer = -1);
    void step(QuestionMode mode, bool forward);
    void restore(const Game::Snapshot &snapshot);
    QString playerText(int player) const;

    Game &m_game;
    QUndoStack m_stack;
    bool m_restoring = false;
    bool m_restarted = false;
};
