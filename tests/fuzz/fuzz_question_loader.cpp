// Question files: every line through the match and the phrase rules, the
// repeat search and the loader, checked against a plain reading of the rules
// that gathers the accepted questions in one text, each followed by ";", and
// drops a line whenever QString::contains finds it in that text.

#include "fuzz_support.h"

#include "play/line_rules.h"
#include "play/question_loader.h"
#include "play/repeat_finder.h"
#include "services/text_file.h"

#include <QStringList>

#include <algorithm>

namespace {

QString collapsedSpaces(QString line)
{
    line.replace(u';', u' ');
    line.replace(u',', u' ');
    line.replace(u'\t', u' ');
    while (line.contains(QLatin1String("  ")))
        line.replace(QLatin1String("  "), QLatin1String(" "));
    return line;
}

QString withoutOuterSpaces(QString line)
{
    while (line.startsWith(u' '))
        line.remove(0, 1);
    while (line.endsWith(u' '))
        line.chop(1);
    return line;
}

class Gathered
{
public:
    // Steps 6 to 8 of the match rules, 5 to 7 of the phrase rules.
    void offer(const QString &line, bool rejected, bool twoHalvesNeeded)
    {
        if (line.isEmpty() || line.startsWith(u'#') || rejected || m_text.contains(line))
            return;
        if (twoHalvesNeeded && line.split(u',').size() != 2)
            return;
        m_text += line + u';';
        m_questions.append(line);
    }
    const QStringList &questions() const { return m_questions; }

private:
    QString m_text;
    QStringList m_questions;
};

QStringList plainMatchQuestions(const QStringList &lines)
{
    const QString blank(19, u'_');
    Gathered gathered;
    for (const QString &raw : lines) {
        QString line = withoutOuterSpaces(raw).toUpper();
        const bool rejected = line.count(QLatin1String("BLANK")) != 1;
        line = collapsedSpaces(line);
        line.replace(QLatin1String(" BLANK"), u',' + blank);
        line.replace(QLatin1String("BLANK "), blank + u',');
        gathered.offer(line, rejected, true);
    }
    return gathered.questions();
}

QStringList plainPhraseQuestions(const QStringList &lines)
{
    const QString blank(9, u'_');
    const QString markers[] = {QStringLiteral("BLANK"), QStringLiteral("Blank"), QStringLiteral("blank")};
    Gathered gathered;
    for (const QString &raw : lines) {
        QString line = withoutOuterSpaces(raw);
        bool marked = false;
        for (const QString &marker : markers)
            marked = marked || line.contains(marker);
        line = collapsedSpaces(line);
        for (const QString &marker : markers) {
            line.replace(u' ' + marker, u' ' + blank);
            line.replace(marker + u' ', blank + u' ');
        }
        for (const QString &marker : markers)
            line.replace(marker, blank + u' ');
        gathered.offer(line, !marked, false);
    }
    return gathered.questions();
}

// CR LF, LF and a lone CR end a line; a last line end starts no new line.
QStringList plainLines(const QString &text)
{
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    unified.replace(u'\r', u'\n');
    QStringList lines = unified.split(u'\n');
    if (unified.endsWith(u'\n') || unified.isEmpty())
        lines.removeLast();
    return lines;
}

QList<bool> plainRepeats(const QStringList &texts)
{
    QList<bool> repeats;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        bool inside = false;
        for (qsizetype j = 0; j < i && !inside; ++j)
            inside = texts.at(j).contains(texts.at(i));
        repeats.append(inside);
    }
    return repeats;
}

void checkMode(const QString &text, const QStringList &lines, QuestionMode mode)
{
    const QStringList expected = mode == QuestionMode::Match ? plainMatchQuestions(lines) : plainPhraseQuestions(lines);
    const QuestionLoad load = QuestionLoader::loadText(text, mode);
    FUZZ_CHECK(load.questions == expected,
               QStringLiteral("%1 mode\nloaded:   %2\nexpected: %3")
                   .arg(mode == QuestionMode::Match ? "match" : "phrase", shown(load.questions), shown(expected)));
    FUZZ_CHECK(load.found == load.questions.size(), shown(load.found));

    // A limit below the count keeps the first questions and counts them all.
    if (!expected.isEmpty()) {
        const qsizetype limit = expected.size() / 2;
        const QuestionLoad capped = QuestionLoader::loadText(text, mode, limit);
        FUZZ_CHECK(capped.questions == expected.first(limit) && capped.found == expected.size(),
                   shown(capped.questions));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = TextFile::decode(fuzzBytes(data, size));
    const QStringList lines = plainLines(text);
    FUZZ_CHECK(TextFile::splitLines(text) == lines, shown(text));

    checkMode(text, lines, QuestionMode::Match);
    checkMode(text, lines, QuestionMode::Phrase);

    // The raw lines, ";" and all, stress each way of searching for repeats;
    // the plain search is quadratic, so it looks at the first lines only.
    const QStringList first = lines.first(std::min<qsizetype>(lines.size(), 400));
    const QList<bool> expected = plainRepeats(first);
    for (const RepeatSearch search : {RepeatSearch::Automatic, RepeatSearch::Fingerprints, RepeatSearch::Automaton}) {
        const QList<bool> repeats = findRepeats(first, search);
        FUZZ_CHECK(repeats == expected,
                   QStringLiteral("search %1: %2 instead of %3").arg(int(search)).arg(shown(repeats), shown(expected)));
    }
    return 0;
}
