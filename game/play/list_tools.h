#pragma once

#include <QString>
#include <QStringList>

// The maintenance commands for question lists. Both clean each line the
// same way: spaces trimmed from the ends first, then tabs made spaces, then
// runs of spaces made one, so a line that began with a tab keeps one
// leading space. Empty lines are skipped. Output texts end every line with
// CR LF.
namespace ListTools {

QString cleanLine(QStringView line);

// The lines without repeats: a line is dropped when, upper-cased, it occurs
// anywhere within the upper-cased lines kept before it (so a part of an
// earlier line is a repeat too). Kept lines are written as cleaned, in
// their own case. Comment lines are lines like any other here.
QString deDuplicated(const QStringList &lines);

// Match lines from a word list: the first word W of each line, first all as
// "W Blank", then all as "Blank W". Further words on a line are ignored.
QString matchLinesFromWords(const QStringList &lines);

// The commands on files: read input whole, write output whole. A missing or
// unreadable input throws ZorbelError before anything is written; a failed
// write leaves the old output as it was and throws.
void deDuplicateFile(const QString &inputPath, const QString &outputPath);
void matchLinesFromWordFile(const QString &inputPath, const QString &outputPath);

} // namespace ListTools
