#include "play/line_rules.h"

#include <algorithm>

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

// Emptiness and comments are judged first: a file's layout is no fault.
Verdict verdictOf(const QString &text, bool marked, Verdict unmarked)
{
    if (text.isEmpty() || text.startsWith(u'#'))
        return Verdict::Skipped;
    if (marked)
        return Verdict::MayAccept;
    return text == QLatin1Char(' ') ? Verdict::OnlySpaces : unmarked;
}

// Full Unicode upper-casing costs far more than the rest of the rules; most
// lines are plain ASCII and need none of it.
QString upperCased(QStringView text)
{
    QString upper = text.toString();
    QChar *units = upper.data();
    for (qsizetype i = 0; i < upper.size(); ++i) {
        const char16_t unit = units[i].unicode();
        if (unit >= 0x80)
            return std::move(upper).toUpper();
        if (unit >= u'a' && unit <= u'z')
            units[i] = QChar(unit - (u'a' - u'A'));
    }
    return upper;
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

    // Collapsing spaces leaves every letter as it was, so the marker is
    // counted after it; a whole file is judged line by line at every start.
    QString text = spacesCollapsed(upperCased(trimSpaces(line)), kQuestionSeparators);
    const qsizetype at = text.indexOf(marker);
    const bool markedOnce = at >= 0 && text.indexOf(marker, at + marker.size()) < 0;
    if (!markedOnce) {
        text.replace(spaceBefore.from, spaceBefore.to);
        text.replace(spaceAfter.from, spaceAfter.to);
    } else if (at > 0 && text.at(at - 1) == u' ') {
        text.replace(at - 1, spaceBefore.from.size(), spaceBefore.to);
    } else if (at + marker.size() < text.size() && text.at(at + marker.size()) == u' ') {
        text.replace(at, spaceAfter.from.size(), spaceAfter.to);
    }
    const Verdict verdict = verdictOf(text, markedOnce, at < 0 ? Verdict::NoMarker : Verdict::ManyMarkers);
    return {std::move(text), verdict};
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
    QString text = spacesCollapsed(trimmed.toString(), kQuestionSeparators);
    if (marked) {
        for (const Replacement &replacement : replacements)
            text.replace(replacement.from, replacement.to);
    }
    const Verdict verdict = verdictOf(text, marked, Verdict::NoMarker);
    return {std::move(text), verdict};
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

QString spacesCollapsed(QString line, QStringView separators)
{
    // Collapsing only ever shortens the line, so it is done in place.
    QChar *units = line.data();
    qsizetype kept = 0;
    bool afterSpace = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        QChar c = units[i];
        if (std::find(separators.begin(), separators.end(), c) != separators.end())
            c = u' ';
        const bool space = c == u' ';
        if (!(space && afterSpace))
            units[kept++] = c;
        afterSpace = space;
    }
    line.truncate(kept);
    return line;
}

} // namespace LineRules
