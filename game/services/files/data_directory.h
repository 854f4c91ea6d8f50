#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

class AppContext;
class Prompter;

// Upkeep of the program directory that holds the game's data files: making
// sure a subdirectory exists and takes files, and backing up the question
// files before an update. Each routine reports its own failure through the
// context's error report.
class DataDirectory
{
public:
    // locale writes the backup stamps; the log's time stamps use the
    // system's locale too.
    explicit DataDirectory(AppContext &context, QLocale locale = QLocale::system());

    // Creates programDir/dirName (one level) unless it is a folder already.
    // On failure shows the long report that explains how to fix the
    // permissions and returns false.
    bool createDirs(const QString &dirName);

    // Writes "This is a test..." to programDir/dirName/Test.txt and deletes
    // it again, read-only or not. A link of that name is never written
    // through: it is removed and reported. On failure shows the long report
    // and returns false.
    bool testFileWrite(const QString &dirName);

    // Copies ZorbelLines.txt and ZorbelPhrases.txt, where present, to
    // BackUps/ZorbelLines_<stamp>.txt and BackUps/ZorbelPhrases_<stamp>.txt,
    // replacing files of those names. A failure ends it with the report
    // "saveOldFiles"; backups already copied stay. Returns whether every
    // present file was backed up.
    bool saveOldFiles();

    // The general date text of moment with every blank, ":" and "/" made
    // "_": 3 March 2021 9:05:07 AM in a month/day/year locale gives
    // "3_3_2021_9_05_07_AM".
    static QString backupStamp(const QDateTime &moment, const QLocale &locale = QLocale::system());

    static QString backupDirName() { return QStringLiteral("BackUps"); }

    // The start-up look, before the log's first entry: whether the folder
    // takes files, and an existing log its entries. Where it does not, the
    // host sees one box that names the folder and the ways out (instead of
    // one error report for every entry the log would lose) and the program
    // should end.
    static bool checkWritable(const QString &folder, Prompter &prompter);
    // The same look without the box.
    static bool takesFiles(const QString &folder);

private:
    AppContext &m_context;
    QLocale m_locale;
};
