#include "play/list_tools.h"

#include "play/line_rules.h"
#include "play/repeat_finder.h"
#include "services/files/text_file.h"

namespace ListTools {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QStringList cleanedLines(const QStringList &lines)
{
    QStringList cleaned;
    cleaned.reserve(lines.size());
    for (const QString &line : lines) {
        QString clean = cleanLine(line);
        if (!clean.isEmpty())
            cleaned.append(std::move(clean));
    }
    return cleaned;
}

} // namespace

QString cleanLine(QStringView line)
{
    return LineRules::spacesCollapsed(LineRules::trimSpaces(line).toString(), u"\t");
}

QString deDuplicated(const QStringList &lines)
{
    const QStringList cleaned = cleanedLines(lines);
    // The rule searches the kept lines upper-cased and joined, each followed
    // by CR LF; a line never holds a line end, so it occurs in that text
    // exactly when it occurs inside one of the kept lines.
    QStringList upper;
    upper.reserve(cleaned.size());
    for (const QString &line : cleaned)
        upper.append(line.toUpper());
    const QList<bool> repeats = findRepeats(upper);
    QString output;
    for (qsizetype i = 0; i < cleaned.size(); ++i) {
        if (!repeats.at(i))
            output += cleaned.at(i) + kCrLf;
    }
    return output;
}

QString matchLinesFromWords(const QStringList &lines)
{
    QStringList words;
    for (const QString &line : cleanedLines(lines))
        words.append(line.section(u' ', 0, 0));
    QString output;
    for (const QString &word : std::as_const(words))
        output += word + QStringLiteral(" Blank") + kCrLf;
    for (const QString &word : std::as_const(words))
        output += QStringLiteral("Blank ") + word + kCrLf;
    return output;
}

void deDuplicateFile(const QString &inputPath, const QString &outputPath)
{
    TextFile::replace(outputPath, deDuplicated(TextFile::splitLines(TextFile::read(inputPath))));
}

void matchLinesFromWordFile(const QString &inputPath, const QString &outputPath)
{
    TextFile::replace(outputPath, matchLinesFromWords(TextFile::splitLines(TextFile::read(inputPath))));
}

} // namespace ListTools
