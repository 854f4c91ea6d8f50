#include "line_rules.h"

namespace LineRules {

namespace {

// ";" ends a question in the gathered text and "," separates the halves, so
// neither may come through from the file; tabs count as spaces.
constexpr QStringView kQuestionSeparators = u";,\t";

struct Replacement {
    QString from;
    QString to;
};

QString followedBy(QStringView blank, QChar after)
{
    return blank.toString() + after;
}

QString precededBy(QChar before, QStringView blank)
{
    return before + blank.toString();
}

bool isEmptyOrComment(const QString &text)
{
    return text.isEmpty() || text.startsWith(u'#');
}

} // namespace

JudgedLine judgeMatchLine(QStringView line)
{
    static const QString marker = QStringLiteral("BLANK");
    // A space before the word puts the comma there; a space after it puts
    // the comma after the blank. Glued to letters on both sides the word
    // yields no comma and the line no question.
    static const Replacement spaceBefore{QStringLiteral(" BLANK"), precededBy(kHalfSeparator, kMatchBlank)};
    static const Replacement spaceAfter{QStringLiteral("BLANK "), followedBy(kMatchBlank, kHalfSeparator)};

    const QString upper = trimSpaces(line).toString().toUpper();
    const bool markedOnce = upper.count(marker) == 1;
    JudgedLine judged{spacesCollapsed(upper, kQuestionSeparators), false};
    judged.text.replace(spaceBefore.from, spaceBefore.to);
    judged.text.replace(spaceAfter.from, spaceAfter.to);
    judged.mayAccept = markedOnce && !isEmptyOrComment(judged.text);
    return judged;
}

JudgedLine judgePhraseLine(QStringView line)
{
    static const QString markers[] = {QStringLiteral("BLANK"), QStringLiteral("Blank"), QStringLiteral("blank")};
    // The order matters: a marker with a space beside it keeps that space,
    // a marker glued to other characters gets one after its blank.
    static const Replacement replacements[] = {
        {QLatin1Char(' ') + markers[0], precededBy(u' ', kPhraseBlank)},
        {markers[0] + QLatin1Char(' '), followedBy(kPhraseBlank, u' ')},
        {QLatin1Char(' ') + markers[1], precededBy(u' ', kPhraseBlank)},
        {markers[1] + QLatin1Char(' '), followedBy(kPhraseBlank, u' ')},
        {QLatin1Char(' ') + markers[2], precededBy(u' ', kPhraseBlank)},
        {markers[2] + QLatin1Char(' '), followedBy(kPhraseBlank, u' ')},
        {markers[0], followedBy(kPhraseBlank, u' ')},
        {markers[1], followedBy(kPhraseBlank, u' ')},
        {markers[2], followedBy(kPhraseBlank, u' ')},
    };

    const QStringView trimmed = trimSpaces(line);
    bool marked = false;
    for (const QString &marker : markers)
        marked = marked || trimmed.contains(marker);
    JudgedLine judged{spacesCollapsed(trimmed, kQuestionSeparators), false};
    if (marked) {
        for (const Replacement &replacement : replacements)
            judged.text.replace(replacement.from, replacement.to);
    }
    judged.mayAccept = marked && !isEmptyOrComment(judged.text);
    return judged;
}

bool hasTwoHalves(QStringView matchQuestion)
{
    return matchQuestion.count(kHalfSeparator) == 1;
}

QStringView trimSpaces(QStringView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && line.at(begin) == u' ')
        ++begin;
    while (end > begin && line.at(end - 1) == u' ')
        --end;
    return line.sliced(begin, end - begin);
}

QString spacesCollapsed(QStringView line, QStringView separators)
{
    QString collapsed;
    collapsed.reserve(line.size());
    bool afterSpace = false;
    for (QChar c : line) {
        if (separators.contains(c))
            c = u' ';
        const bool space = c == u' ';
        if (!(space && afterSpace))
            collapsed.append(c);
        afterSpace = space;
    }
    return collapsed;
}

} // namespace LineRules
