#pragma once

#include "services/line_problem.h"

#include <QString>
#include <QStringList>

enum class QuestionMode {
    Match, // ZorbelLines.txt: two halves, one of them the blank
    Phrase, // ZorbelPhrases.txt: sentences with the blank inside
};

// A line of a question file that gives no question, and why. Empty lines
// and comments are the file's layout and no dropped lines.
struct DroppedLine {
    enum class Reason {
        OnlySpaces, // nothing but characters the rules read as spaces
        NoMarker,
        ManyMarkers, // match lines only
        NoTwoHalves, // match lines only: the marker has no space beside it
        Repeat, // occurs inside a question accepted before it
    };
    static constexpr int kReasons = 5;

    qsizetype line = 0; // counted from 1
    Reason reason = Reason::NoMarker;
};

// The questions of one file, in the order of the file.
struct QuestionLoad {
    QStringList questions; // at most the limit
    qsizetype found = 0; // questions the file holds, those beyond the limit too
    QList<DroppedLine> dropped; // in the order of the file
    bool capped() const { return found > questions.size(); }
};

// Turns the lines of a question file into questions: each line is judged by
// its mode's rules, a match line must split into exactly two halves, and a
// line is dropped when it occurs anywhere inside a question accepted before
// it (so a part of an earlier question counts as a repeat).
namespace QuestionLoader {

// The board numbers questions with 16-bit numbers that Next steps one past
// the count before wrapping, so 32,767 must stay free.
inline constexpr qsizetype kMaxQuestions = 32766;

QuestionLoad loadLines(const QStringList &lines, QuestionMode mode, qsizetype maxQuestions = kMaxQuestions);
QuestionLoad loadText(const QString &text, QuestionMode mode, qsizetype maxQuestions = kMaxQuestions);
// Reads the file as TextFile::read does; a file that cannot be read
// throws ZorbelError.
QuestionLoad loadFile(const QString &path, QuestionMode mode, qsizetype maxQuestions = kMaxQuestions);

// Names a list of questions in a few bytes: two lists with the same
// fingerprint hold the same questions in the same order.
QByteArray fingerprint(const QStringList &questions);

// The lines of text that loading it drops, each with the reason as the host
// reads it; a repeat names the line of the earlier question it occurs in.
QList<LineProblem> lineProblems(const QString &text, QuestionMode mode);
// The same for one mode, as the editors take it.
LineChecker lineChecker(QuestionMode mode);

} // namespace QuestionLoader

// The mode's file in the program directory.
QString questionFileName(QuestionMode mode);

// The log entry written when a file holds more questions than a game can number.
QString cappedLogEntry(const QString &displayPath, const QuestionLoad &load);

// The log entry written when lines were dropped: how many for each reason.
QString droppedLogEntry(const QString &displayPath, const QuestionLoad &load);
