#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The rules of turns, rounds and winners, apart from the window that shows
// them.
namespace Scoreboard {

// Where the turn goes: forward with every Next, back with every Previous.
// A forward step from the last player ends the round.
struct Turn {
    int player = 0;
    bool roundOver = false;
};
Turn advance(int current, int playerCount, bool forward);

// One player's row as the board shows it.
struct Row {
    QString name;
    int score = 0;
    bool shown = true;
};

// The decision at the end of a round.
struct Decision {
    enum class Kind { None, Winner, Tie };
    Kind kind = Kind::None;
    int highScore = 0;
    QStringList names; // the winners in row order
    QString message; // what the winner window shows
};

// The highest score among the shown rows decides: at or above scoreToWin,
// one row holding it wins, several tie.
Decision decide(const QList<Row> &rows, int scoreToWin);

// The Up and Down buttons: one point more, never above cap; one point
// less, never below 0.
int raised(int score, int cap);
int lowered(int score);

} // namespace Scoreboard
