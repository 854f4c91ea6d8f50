#include "play/scoreboard.h"

namespace Scoreboard {

Turn advance(int current, int playerCount, bool forward)
{
    const int last = playerCount - 1;
    if (forward)
        return current != last ? Turn{current + 1, false} : Turn{0, true};
    return Turn{current == 0 ? last : current - 1, false};
}

Decision decide(const QList<Row> &rows, int scoreToWin)
{
    Decision decision;
    for (const Row &row : rows)
        if (row.shown)
            decision.highScore = std::max(decision.highScore, row.score);
    if (decision.highScore < scoreToWin)
        return decision;

    // The winners are kept as a list, not joined into one text and split
    // again: a name with a comma or a semicolon stays one name.
    for (const Row &row : rows) {
        if (row.shown && row.score == decision.highScore)
            decision.names.append(row.name);
    }
    if (decision.names.size() == 1) {
        decision.kind = Decision::Kind::Winner;
        decision.message = QStringLiteral("Congratulations...\n\n") + decision.names.first()
                           + QStringLiteral(" has won the game with a score of ") + QString::number(decision.highScore)
                           + QStringLiteral("\n\nNicely Done!");
        return decision;
    }
    decision.kind = Decision::Kind::Tie;
    QString message = QStringLiteral("Congratulations...\n\nPlayers:\n\n");
    for (const QString &name : std::as_const(decision.names))
        message += name + QStringLiteral("  ");
    while (message.endsWith(u' '))
        message.chop(1);
    decision.message = message + QStringLiteral("\n\nHave tied with a score of ") + QString::number(decision.highScore)
                       + QStringLiteral("\n\nPlay another round?");
    return decision;
}

int raised(int score, int cap)
{
    return score + 1 <= cap ? score + 1 : score;
}

int lowered(int score)
{
    return score - 1 >= 0 ? score - 1 : score;
}

} // namespace Scoreboard
