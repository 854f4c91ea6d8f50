#include "play/game_history.h"

#include <QScopedValueRollback>
#include <QUndoCommand>

#include <utility>

namespace {

constexpr int kNameEdit = 1;

QString modeText(QuestionMode mode)
{
    return mode == QuestionMode::Match ? QStringLiteral("match") : QStringLiteral("phrase");
}

} // namespace

// One move: the game before and after it. Pushing it does not run it again,
// the move has been made already.
class StateChange : public QUndoCommand
{
public:
    StateChange(GameHistory &history, const QString &text, Game::Snapshot before, Game::Snapshot after, int namedPlayer)
        : QUndoCommand(text)
        , m_history(history)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_namedPlayer(namedPlayer)
    {
    }

    int id() const override { return m_namedPlayer < 0 ? -1 : kNameEdit; }

    bool mergeWith(const QUndoCommand *command) override
    {
        const auto *other = static_cast<const StateChange *>(command);
        if (other->m_namedPlayer != m_namedPlayer)
            return false;
        m_after = other->m_after;
        setText(other->text());
        // A name typed back to what it was leaves nothing to take back.
        setObsolete(m_after == m_before);
        return true;
    }

    void undo() override { m_history.restore(m_before); }

    void redo() override
    {
        if (!std::exchange(m_made, false))
            m_history.restore(m_after);
    }

private:
    GameHistory &m_history;
    Game::Snapshot m_before;
    Game::Snapshot m_after;
    int m_namedPlayer;
    bool m_made = true;
};

GameHistory::GameHistory(Game &game, QObject *parent)
    : QObject(parent)
    , m_game(game)
{
    connect(&m_game, &Game::reloadingChanged, this, [this](bool reloading) {
        if (reloading)
            m_restarted = true;
    });
}

GameHistory::~GameHistory() = default;

void GameHistory::perform(const QString &text, const std::function<void()> &action)
{
    record(action, [&text] { return text; });
}

void GameHistory::record(const std::function<void()> &action, const std::function<QString()> &describe, int namedPlayer)
{
    // A view that follows a step being taken back reports what it shows as
    // a move of its own; that changes nothing and is no step.
    if (m_restoring) {
        action();
        return;
    }
    Game::Snapshot before = m_game.snapshot();
    m_restarted = false;
    action();
    Game::Snapshot after = m_game.snapshot();
    if (after != before)
        m_stack.push(new StateChange(*this, describe(), std::move(before), std::move(after), namedPlayer));
}

void GameHistory::restore(const Game::Snapshot &snapshot)
{
    const QScopedValueRollback restoring(m_restoring, true);
    m_game.restore(snapshot);
}

QString GameHistory::playerText(int player) const
{
    const QString name = m_game.playerName(player).trimmed();
    return name.isEmpty() ? QStringLiteral("Player %1").arg(player + 1) : name;
}

void GameHistory::start(QuestionMode mode)
{
    perform(QStringLiteral("New game"), [this, mode] { m_game.start(mode); });
}

void GameHistory::next(QuestionMode mode)
{
    step(mode, true);
}

void GameHistory::previous(QuestionMode mode)
{
    step(mode, false);
}

// A step that ends a round is told by the round it begins, one that
// decides the game by the new game it starts.
void GameHistory::step(QuestionMode mode, bool forward)
{
    const int round = m_game.round();
    record(
        [this, mode, forward] {
            if (forward)
                m_game.next(mode);
            else
                m_game.previous(mode);
        },
        [this, mode, forward, round] {
            if (m_restarted)
                return QStringLiteral("New game");
            if (m_game.round() != round)
                return QStringLiteral("Round %1").arg(m_game.round());
            return (forward ? QStringLiteral("Next ") : QStringLiteral("Previous ")) + modeText(mode);
        });
}

void GameHistory::showMode(QuestionMode mode)
{
    perform(QStringLiteral("Show ") + modeText(mode) + QLatin1Char('s'), [this, mode] { m_game.showMode(mode); });
}

void GameHistory::raiseScore(int player)
{
    perform(playerText(player) + QStringLiteral(" +1"), [this, player] { m_game.raiseScore(player); });
}

void GameHistory::lowerScore(int player)
{
    perform(playerText(player) + QStringLiteral(" \u22121"), [this, player] { m_game.lowerScore(player); });
}

void GameHistory::giveTurnTo(int player)
{
    perform(QStringLiteral("Turn to ") + playerText(player), [this, player] { m_game.giveTurnTo(player); });
}

void GameHistory::setPlayerCount(int count)
{
    perform(QStringLiteral("%1 players").arg(count), [this, count] { m_game.setPlayerCount(count); });
}

void GameHistory::setScoreToWin(int score)
{
    perform(QStringLiteral("Score to win %1").arg(score), [this, score] { m_game.setScoreToWin(score); });
}

void GameHistory::setPlayerName(int player, const QString &name)
{
    record([this, player, &name] { m_game.setPlayerName(player, name); },
           [this, player] { return QStringLiteral("Name ") + playerText(player); }, player);
}
