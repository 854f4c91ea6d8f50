// Question files: every line through the match and the phrase rules, the
// repeat search and the loader, checked against a plain reading of the rules
// that gathers the accepted questions in one text, each followed by ";", and
// drops a line whenever QString::contains finds it in that text.

#include "fuzz_support.h"

#include "play/line_rules.h"
#include "play/question_loader.h"
#include "play/repeat_finder.h"
#include "services/files/text_file.h"

#include <algorithm>

namespace {

QString collapsedSpaces(QString line)
{
    line.replace(u';', u' ').replace(u',', u' ').replace(u'\t', u' ');
    while (line.contains(QLatin1String("  ")))
        line.replace(QLatin1String("  "), QLatin1String(" "));
    return line;
}

// Steps 6 to 8 of the match rules, 5 to 7 of the phrase rules.
void offer(const QString &line, bool rejected, bool twoHalvesNeeded, QString &gathered, QStringList &questions)
{
    if (line.isEmpty() || line.startsWith(u'#') || rejected || gathered.contains(line))
        return;
    if (twoHalvesNeeded && line.count(u',') != 1)
        return;
    gathered.append(line).append(u';');
    questions.append(line);
}

using Replacements = QList<std::pair<QString, QString>>;

// The blanks a line's markers become, in the order the rules apply them;
// made once rather than for every line.
const Replacements &matchBlanks()
{
    static const Replacements pairs = [] {
        const QString blank(19, u'_');
        return Replacements{{QStringLiteral(" BLANK"), u',' + blank}, {QStringLiteral("BLANK "), blank + u','}};
    }();
    return pairs;
}

const QStringList &phraseMarkers()
{
    static const QStringList markers{"BLANK", "Blank", "blank"};
    return markers;
}

const Replacements &phraseBlanks()
{
    static const Replacements pairs = [] {
        const QString blank(9, u'_');
        Replacements list;
        for (const QString &marker : phraseMarkers())
            list += {{u' ' + marker, u' ' + blank}, {marker + u' ', blank + u' '}};
        for (const QString &marker : phraseMarkers())
            list += {marker, blank + u' '};
        return list;
    }();
    return pairs;
}

QString &replaced(QString &line, const Replacements &replacements)
{
    for (const auto &[from, to] : replacements)
        line.replace(from, to);
    return line;
}

QStringList plainQuestions(const QStringList &lines, QuestionMode mode)
{
    QString gathered;
    QStringList questions;
    for (const QString &raw : lines) {
        QString line = trimmedOfSpaces(raw);
        if (mode == QuestionMode::Match) {
            line = line.toUpper();
            const bool rejected = line.count(QLatin1String("BLANK")) != 1;
            line = collapsedSpaces(line);
            offer(replaced(line, matchBlanks()), rejected, true, gathered, questions);
            continue;
        }
        const QStringList &markers = phraseMarkers();
        const bool marked = std::any_of(markers.begin(), markers.end(), [&](const QString &m) { return line.contains(m); });
        line = collapsedSpaces(line);
        offer(replaced(line, phraseBlanks()), !marked, false, gathered, questions);
    }
    return questions;
}

void checkMode(const QString &text, const QStringList &lines, QuestionMode mode)
{
    const QStringList expected = plainQuestions(lines, mode);
    const QuestionLoad load = QuestionLoader::loadText(text, mode);
    FUZZ_CHECK(load.questions == expected && load.found == expected.size(),
               QStringLiteral("mode %1\nloaded:   %2\nexpected: %3").arg(int(mode)).arg(shown(load.questions), shown(expected)));
    // A limit below the count keeps the first questions and counts them all.
    // The lines are the loader's own (checked before), so they need no
    // splitting again.
    if (expected.isEmpty())
        return;
    const qsizetype limit = expected.size() / 2;
    const QuestionLoad capped = QuestionLoader::loadLines(lines, mode, limit);
    FUZZ_CHECK(capped.questions == expected.first(limit) && capped.found == expected.size(), shown(capped.questions));
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
    QList<bool> expected;
    for (qsizetype i = 0; i < first.size(); ++i)
        expected.append(std::any_of(first.begin(), first.begin() + i, [&](const QString &earlier) { return earlier.contains(first[i]); }));
    for (const RepeatSearch search : {RepeatSearch::Automatic, RepeatSearch::Fingerprints, RepeatSearch::Automaton}) {
        const QList<bool> repeats = findRepeats(first, search);
        FUZZ_CHECK(repeats == expected,
                   QStringLiteral("search %1: %2 instead of %3").arg(int(search)).arg(shown(repeats), shown(expected)));
    }
    return 0;
}
