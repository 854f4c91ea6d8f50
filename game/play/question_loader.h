#pragma once

#include "substring_index.h"

#include <QString>
#include <QStringList>

enum class QuestionMode {
    Match, // ZorbelLines.txt: two halves, one of them the blank
    Phrase, // ZorbelPhrases.txt: sentences with the blank inside
};

// The questions of one file, in the order of the file.
struct QuestionLoad {
    QStringList questions; // at most the loader's limit
    qsizetype found = 0; // questions the file holds, those beyond the limit too
    bool capped() const { return found > questions.size(); }
};

// Turns the lines of a question file into questions: each line is judged by
// its mode's rules and dropped when it occurs anywhere inside a question
// accepted before it (so a part of an earlier question counts as a repeat);
// a match line must also split into exactly two halves.
class QuestionLoader
{
public:
    // The board numbers questions with 16-bit numbers that Next steps one
    // past the count before wrapping, so 32,767 must stay free.
    static constexpr qsizetype kMaxQuestions = 32766;

    explicit QuestionLoader(QuestionMode mode, qsizetype maxQuestions = kMaxQuestions);

    // Judges the next line of the file; true when it is a new question,
    // whether or not it fits under the limit.
    bool addLine(QStringView line);
    const QuestionLoad &load() const { return m_load; }

    static QuestionLoad loadText(const QString &text, QuestionMode mode, qsizetype maxQuestions = kMaxQuestions);
    // Reads the file as TextFile::read does; a file that cannot be read
    // throws ZorbelError.
    static QuestionLoad loadFile(const QString &path, QuestionMode mode, qsizetype maxQuestions = kMaxQuestions);

private:
    QuestionMode m_mode;
    qsizetype m_maxQuestions;
    // Every question accepted so far. The file's rules gather them in one
    // text, each followed by ";"; a judged line never holds ";", so it occurs
    // in that text exactly when it occurs inside one of the questions.
    SubstringIndex m_accepted;
    QuestionLoad m_load;
};

// The mode's file in the program directory.
QString questionFileName(QuestionMode mode);

// The log entry written when a file holds more questions than a game can number.
QString cappedLogEntry(const QString &displayPath, const QuestionLoad &load);
