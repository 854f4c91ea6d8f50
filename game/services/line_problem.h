#pragma once

#include <QList>
#include <QString>

#include <functional>

// A line of a question file that the game would not turn into a question.
struct LineProblem {
    qsizetype line = 0; // counted from 1
    QString reason; // as the host reads it: "no BLANK", "a repeat of line 4"
};

// Every line of a question file's text that the game would drop, in the
// order of the file.
using LineChecker = std::function<QList<LineProblem>(const QString &text)>;
