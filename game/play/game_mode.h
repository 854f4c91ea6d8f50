#pragma once

#include "play/question_loader.h"

#include <QString>

// What sets one game mode apart from the other: its file and line rules,
// its texts, its tab, and the few places where the two modes have always
// taken their steps in a different order. Everything else about a mode is
// the same code for both.
struct GameMode {
    QuestionMode mode;
    int tab; // of the board's tab control
    // The procedures as the error report names them.
    QString startReport;
    QString nextReport;
    QString previousReport;
    QString startOverQuestion;
    QString statusPattern; // %1 the number on show, %2 the count

    // The match start resets the turn, the round and the countdown before
    // it looks for the file or asks to start over, so a declined start
    // still shows round 1; the phrase start resets them only once it goes
    // ahead, and starts the countdown only after a successful load.
    bool resetsFirst;
    // The match Next steps to its next question before the turn passes, so
    // a new game started on the way shows its first question; the phrase
    // Next passes the turn first.
    bool stepsBeforeTurn;
    // After a decided game restarted both modes, the phrase Next that
    // follows passes the turn but keeps the first phrase on show.
    bool holdsFirstAfterRestart;
    // Going on after a tie runs the other mode's Next once; the phrase Next
    // keeps the tie flag set meanwhile, so the other mode runs this one's
    // Next once more.
    bool keepsTieWhileOtherSteps;

    QString fileName() const { return questionFileName(mode); }
    QString statusText(int number, qsizetype count) const { return statusPattern.arg(number).arg(count); }

    static constexpr QuestionMode kModes[] = {QuestionMode::Match, QuestionMode::Phrase};

    static const GameMode &of(QuestionMode mode);
    // The mode whose questions a tab shows.
    static QuestionMode onTab(int tab)
    {
        return of(QuestionMode::Phrase).tab == tab ? QuestionMode::Phrase : QuestionMode::Match;
    }
    static QuestionMode other(QuestionMode mode)
    {
        return mode == QuestionMode::Match ? QuestionMode::Phrase : QuestionMode::Match;
    }
};
