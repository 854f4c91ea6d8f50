#include "question_loader.h"

#include "line_rules.h"
#include "services/text_file.h"

QuestionLoader::QuestionLoader(QuestionMode mode, qsizetype maxQuestions)
    : m_mode(mode)
    , m_maxQuestions(maxQuestions)
{
}

bool QuestionLoader::addLine(QStringView line)
{
    const LineRules::JudgedLine judged =
        m_mode == QuestionMode::Match ? LineRules::judgeMatchLine(line) : LineRules::judgePhraseLine(line);
    if (!judged.mayAccept || m_accepted.contains(judged.text))
        return false;
    if (m_mode == QuestionMode::Match && !LineRules::hasTwoHalves(judged.text))
        return false;
    m_accepted.add(judged.text);
    ++m_load.found;
    if (m_load.questions.size() < m_maxQuestions)
        m_load.questions.append(judged.text);
    return true;
}

QuestionLoad QuestionLoader::loadText(const QString &text, QuestionMode mode, qsizetype maxQuestions)
{
    QuestionLoader loader(mode, maxQuestions);
    for (const QString &line : TextFile::splitLines(text))
        loader.addLine(line);
    return loader.m_load;
}

QuestionLoad QuestionLoader::loadFile(const QString &path, QuestionMode mode, qsizetype maxQuestions)
{
    return loadText(TextFile::read(path), mode, maxQuestions);
}

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
