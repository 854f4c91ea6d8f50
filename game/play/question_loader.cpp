#include "play/question_loader.h"

#include "play/line_rules.h"
#include "play/repeat_finder.h"
#include "services/files/text_file.h"

#include <QCryptographicHash>

#include <algorithm>

namespace {

using Reason = DroppedLine::Reason;

// A file's lines sorted by the rules and the repeat test.
struct SortedLines {
    QStringList candidates; // may become questions unless they repeat one
    QList<qsizetype> candidateLines;
    QList<bool> repeats; // by candidate
    QList<DroppedLine> droppedByRules;
};

Reason reasonOf(LineRules::Verdict verdict)
{
    switch (verdict) {
    case LineRules::Verdict::OnlySpaces:
        return Reason::OnlySpaces;
    case LineRules::Verdict::NoMarker:
        return Reason::NoMarker;
    case LineRules::Verdict::ManyMarkers:
        return Reason::ManyMarkers;
    default:
        return Reason::NoTwoHalves;
    }
}

SortedLines sortLines(const QStringList &lines, QuestionMode mode)
{
    const bool match = mode == QuestionMode::Match;
    SortedLines sorted;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        LineRules::JudgedLine judged = match ? LineRules::judgeMatchLine(line) : LineRules::judgePhraseLine(line);
        if (judged.verdict == LineRules::Verdict::Skipped)
            continue;
        if (judged.mayAccept() && (!match || LineRules::hasTwoHalves(judged.text))) {
            sorted.candidates.append(std::move(judged.text));
            sorted.candidateLines.append(i + 1);
        } else {
            sorted.droppedByRules.append({i + 1, reasonOf(judged.verdict)});
        }
    }
    // The file's rules gather the accepted questions in one text, each
    // followed by ";", and search it for every line. A judged line never
    // holds ";", so it occurs in that text exactly when it occurs inside
    // one of the questions.
    sorted.repeats = findRepeats(sorted.candidates);
    return sorted;
}

QList<DroppedLine> droppedLines(const SortedLines &sorted)
{
    QList<DroppedLine> dropped = sorted.droppedByRules;
    const qsizetype byRules = dropped.size();
    for (qsizetype i = 0; i < sorted.candidates.size(); ++i) {
        if (sorted.repeats.at(i))
            dropped.append({sorted.candidateLines.at(i), Reason::Repeat});
    }
    std::inplace_merge(dropped.begin(), dropped.begin() + byRules, dropped.end(),
                       [](const DroppedLine &a, const DroppedLine &b) { return a.line < b.line; });
    return dropped;
}

// A reason the rules give a line on its own, as the host reads it.
QString ruleText(Reason reason, QuestionMode mode)
{
    switch (reason) {
    case Reason::OnlySpaces:
        return QStringLiteral("only spaces");
    case Reason::NoMarker:
        return mode == QuestionMode::Match ? QStringLiteral("no BLANK") : QStringLiteral("no Blank, BLANK or blank");
    case Reason::ManyMarkers:
        return QStringLiteral("more than one BLANK");
    default:
        return QStringLiteral("BLANK does not split it in two");
    }
}

} // namespace

namespace QuestionLoader {

QuestionLoad loadLines(const QStringList &lines, QuestionMode mode, qsizetype maxQuestions)
{
    const SortedLines sorted = sortLines(lines, mode);
    QuestionLoad load;
    for (qsizetype i = 0; i < sorted.candidates.size(); ++i) {
        if (sorted.repeats.at(i))
            continue;
        ++load.found;
        if (load.questions.size() < maxQuestions)
            load.questions.append(sorted.candidates.at(i));
    }
    load.dropped = droppedLines(sorted);
    return load;
}

QuestionLoad loadText(const QString &text, QuestionMode mode, qsizetype maxQuestions)
{
    return loadLines(TextFile::splitLines(text), mode, maxQuestions);
}

QuestionLoad loadFile(const QString &path, QuestionMode mode, qsizetype maxQuestions)
{
    return loadText(TextFile::read(path), mode, maxQuestions);
}

QByteArray fingerprint(const QStringList &questions)
{
    // A judged line never holds a line break, so it separates them.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &question : questions) {
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(question.utf16()), question.size() * 2));
        hash.addData("\n");
    }
    return hash.result();
}

QList<LineProblem> lineProblems(const QString &text, QuestionMode mode)
{
    const SortedLines sorted = sortLines(TextFile::splitLines(text), mode);
    // The accepted questions gathered as the file's rules gather them: the
    // first place a repeat occurs in lies in the question that dropped it.
    QString gathered;
    QList<qsizetype> starts;
    QList<qsizetype> acceptedCandidates;
    for (qsizetype i = 0; i < sorted.candidates.size(); ++i) {
        if (!sorted.repeats.at(i)) {
            starts.append(gathered.size());
            gathered += sorted.candidates.at(i) + u';';
            acceptedCandidates.append(i);
        }
    }
    QList<LineProblem> problems;
    for (const DroppedLine &dropped : droppedLines(sorted)) {
        if (dropped.reason != Reason::Repeat) {
            problems.append({dropped.line, ruleText(dropped.reason, mode)});
            continue;
        }
        const QList<qsizetype> &lines = sorted.candidateLines;
        const qsizetype candidate = std::lower_bound(lines.begin(), lines.end(), dropped.line) - lines.begin();
        const QString &question = sorted.candidates.at(candidate);
        const qsizetype at = gathered.indexOf(question);
        const qsizetype holder = acceptedCandidates.at(std::upper_bound(starts.begin(), starts.end(), at)
                                                       - starts.begin() - 1);
        const QString reason = question == sorted.candidates.at(holder) ? QStringLiteral("a repeat of line %1")
                                                                        : QStringLiteral("part of line %1");
        problems.append({dropped.line, reason.arg(sorted.candidateLines.at(holder))});
    }
    return problems;
}

LineChecker lineChecker(QuestionMode mode)
{
    return [mode](const QString &text) { return lineProblems(text, mode); };
}

} // namespace QuestionLoader

QString questionFileName(QuestionMode mode)
{
    return mode == QuestionMode::Match ? QStringLiteral("ZorbelLines.txt") : QStringLiteral("ZorbelPhrases.txt");
}

QString cappedLogEntry(const QString &displayPath, const QuestionLoad &load)
{
    return QStringLiteral("File %1 holds %2 questions; only the first %3 are used.")
        .arg(displayPath)
        .arg(load.found)
        .arg(load.questions.size());
}

QString droppedLogEntry(const QString &displayPath, const QuestionLoad &load)
{
    static const char *const reasons[DroppedLine::kReasons] = {"with only spaces", "without BLANK",
                                                               "with more than one BLANK", "not split in two by BLANK",
                                                               "repeating an earlier question"};
    qsizetype counts[DroppedLine::kReasons] = {};
    for (const DroppedLine &dropped : load.dropped)
        ++counts[int(dropped.reason)];
    QStringList parts;
    for (int reason = 0; reason < DroppedLine::kReasons; ++reason) {
        if (counts[reason] > 0)
            parts.append(QStringLiteral("%1 %2").arg(counts[reason]).arg(QLatin1String(reasons[reason])));
    }
    const QLatin1String lines(load.dropped.size() == 1 ? "line" : "lines");
    return QStringLiteral("File %1: %2 %3 dropped: %4")
        .arg(displayPath, QString::number(load.dropped.size()), lines, parts.join(QLatin1String(", ")));
}
