#include "play/game_mode.h"

const GameMode &GameMode::of(QuestionMode mode)
{
    static const GameMode match{QuestionMode::Match,
                                0,
                                QStringLiteral("clkStart_Click"),
                                QStringLiteral("clkNext_Click"),
                                QStringLiteral("clkPrev_Click"),
                                QStringLiteral("A Zorbel Game is already in Progress, Start Over?"),
                                QStringLiteral("Viewing Match %1 of %2 Matches..."),
                                true,
                                true,
                                false,
                                false};
    static const GameMode phrase{QuestionMode::Phrase,
                                 1,
                                 QStringLiteral("clkStartPhrase_Click"),
                                 QStringLiteral("clkNextPhrase_Click"),
                                 QStringLiteral("clkPrevPhrase_Click"),
                                 QStringLiteral("A Match Phrase Game is already in Progress, Start Over?"),
                                 QStringLiteral("Viewing Phrase %1 of %2 Phrases..."),
                                 false,
                                 false,
                                 true,
                                 true};
    return mode == QuestionMode::Match ? match : phrase;
}
