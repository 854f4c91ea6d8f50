#include "play/question_loader.h"

#include "play/line_rules.h"
#include "play/repeat_finder.h"
#include "services/files/text_file.h"

#include <QCryptographicHash>

namespace QuestionLoader {

QuestionLoad loadLines(const QStringList &lines, QuestionMode mode, qsizetype maxQuestions)
{
    QStringList candidates;
    for (const QString &line : lines) {
        const bool match = mode == QuestionMode::Match;
        LineRules::JudgedLine judged = match ? LineRules::judgeMatchLine(line) : LineRules::judgePhraseLine(line);
        if (judged.mayAccept && (!match || LineRules::hasTwoHalves(judged.text)))
            candidates.append(std::move(judged.text));
    }
    // The file's rules gather the accepted questions in one text, each
    // followed by ";", and search it for every line. A judged line never
    // holds ";", so it occurs in that text exactly when it occurs inside
    // one of the questions.
    const QList<bool> repeats = findRepeats(candidates);
    QuestionLoad load;
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        if (repeats.at(i))
            continue;
        ++load.found;
        if (load.questions.size() < maxQuestions)
            load.questions.append(candidates.at(i));
    }
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
