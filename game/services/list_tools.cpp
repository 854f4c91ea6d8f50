#include "list_tools.h"

#include "play/line_rules.h"
#include "play/substring_index.h"
#include "text_file.h"

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
    return LineRules::spacesCollapsed(LineRules::trimSpaces(line), u"\t");
}

QString deDuplicated(const QStringList &lines)
{
    QString output;
    // The kept lines upper-cased. The rule searches them joined, each
    // followed by CR LF; a line never holds a line end, so it occurs in that
    // text exactly when it occurs inside one of the lines.
    SubstringIndex kept;
    for (const QString &line : cleanedLines(lines)) {
        const QString upper = line.toUpper();
        if (kept.contains(upper))
            continue;
        kept.add(upper);
        output += line + kCrLf;
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
