#pragma once

#include <QString>
#include <QStringView>

// How one line of a question file becomes a question. The rules judge each
// line on its own; whether it repeats an earlier question, and (match lines)
// whether it splits into two halves, is the loader's business.
namespace LineRules {

// The run of underscores that stands for the marker word on the board.
inline constexpr QStringView kMatchBlank = u"___________________"; // 19
inline constexpr QStringView kPhraseBlank = u"_________"; // 9
// Separates the two halves of a stored match question.
inline constexpr QChar kHalfSeparator = u',';

// What the rules make of a line, in the order they find it.
enum class Verdict {
    MayAccept, // the marker rule holds and the line is neither empty nor a comment
    Skipped, // empty or a comment: the file's layout, no question meant
    OnlySpaces, // nothing but tabs, ";" and ",", which count as spaces
    NoMarker,
    ManyMarkers, // match lines only
};

struct JudgedLine {
    QString text; // the line after the rules: the question it would become
    Verdict verdict = Verdict::Skipped;
    bool mayAccept() const { return verdict == Verdict::MayAccept; }
};

// A line of the match file: upper-cased, exactly one BLANK, the blank's
// neighbouring space turned into the comma between the halves.
JudgedLine judgeMatchLine(QStringView line);

// A line of the phrase file: case kept, at least one Blank, BLANK or blank,
// every one of them shown as underscores.
JudgedLine judgePhraseLine(QStringView line);

// Whether a judged match line splits at the comma into exactly two halves.
bool hasTwoHalves(QStringView matchQuestion);

// Without leading and trailing spaces; tabs and other blanks stay.
QStringView trimSpaces(QStringView line);

// Every character of separators replaced by a space, then every run of
// spaces made one space.
QString spacesCollapsed(QString line, QStringView separators);

} // namespace LineRules
