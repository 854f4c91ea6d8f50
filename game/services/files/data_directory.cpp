#include "services/files/data_directory.h"

#include "services/app_context.h"
#include "services/clock.h"
#include "services/error_codes.h"
#include "services/files/text_file.h"
#include "services/general_date.h"
#include "services/log_file.h"
#include "services/prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>

namespace {

// A path as a shell reads it back whole: plain paths as they are, anything
// else in single quotes.
QString shellQuoted(const QString &path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+,:@%=-]+$"));
    if (plain.match(path).hasMatch())
        return path;
    QString quoted = path;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

void makeFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        return;
    errno = 0;
    if (QDir().mkdir(path))
        return;
    const int error = errno;
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        throw ZorbelError(ErrorNumber::PathFileAccessError, path + QStringLiteral(" is a file, not a folder"));
    throw ZorbelError::forFile(path, QStringLiteral("the folder cannot be created"), error);
}

void removeProbe(const QString &path)
{
    // Unlinking needs only the folder's write permission: a read-only probe
    // left behind by an earlier run goes all the same, and a link goes
    // without its target being touched.
    errno = 0;
    QFile file(path);
    if (!file.remove())
        throw ZorbelError::forFile(path, file.errorString(), errno);
}

void writeProbe(const QString &path)
{
    const QFileInfo existing(path);
    // Anyone who can write the folder can plant a link under the probe's
    // name; writing through it would change the file it points at. The link
    // is taken away and the probe reports, so the next try finds a clean
    // folder.
    if (existing.isSymLink()) {
        removeProbe(path);
        throw ZorbelError(ErrorNumber::PathFileAccessError, path + QStringLiteral(" is a link: removed, not followed"));
    }
    if (existing.exists())
        removeProbe(path);
    // NewOnly creates the file or fails: a link planted since the look above
    // is not followed either.
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw ZorbelError::forFile(path, file.errorString(), errno);
    const QByteArray text("This is a test...");
    errno = 0;
    if (file.write(text) != text.size() || !file.flush()) {
        const int error = errno;
        const QString reason = file.errorString();
        file.close();
        QFile::remove(path);
        throw ZorbelError::forFile(path, reason, error);
    }
    file.close();
    removeProbe(path);
}

// The lines a failed createDirs or testFileWrite adds to its report: what
// was tried, which permission it needs, and how to get it on this system.
ReportExtras permissionAdvice(const AppContext &context, const QString &tried, const QString &permission,
                              const QString &folder)
{
    const QString quoted = shellQuoted(folder);
    return ReportExtras{
        {},
        {
            QString(),
            tried,
            permission,
            QString(),
            QStringLiteral("Running the ") + context.exeName()
                + QStringLiteral(" app from a folder you own may also fix the problem."),
            QString(),
            QStringLiteral("To fix the permissions, run: chmod u+rwx ") + quoted,
            QStringLiteral("If the directory belongs to another user, run: sudo chown \"$USER\" ") + quoted,
            QString(),
        },
        {},
    };
}

} // namespace

DataDirectory::DataDirectory(AppContext &context, QLocale locale)
    : m_context(context)
    , m_locale(std::move(locale))
{
}

bool DataDirectory::createDirs(const QString &dirName)
{
    const QString programDir = QDir::toNativeSeparators(m_context.programDir());
    GuardOptions options;
    options.extras = [&] {
        return permissionAdvice(m_context, QStringLiteral("Trying to create ") + m_context.displayPath(dirName),
                                QStringLiteral("Ensure you have read, write permission for directory ") + programDir
                                    + QStringLiteral(" and any child directorys."),
                                programDir);
    };
    return m_context.guard(
        QStringLiteral("createDirs"), [&] { makeFolder(m_context.programFile(dirName)); }, options);
}

bool DataDirectory::testFileWrite(const QString &dirName)
{
    const QString folder = m_context.displayPath(dirName);
    GuardOptions options;
    options.extras = [&] {
        return permissionAdvice(m_context, QStringLiteral("Trying to write a file in ") + folder,
                                QStringLiteral("Ensure you have read, write permission for directory ") + folder,
                                folder);
    };
    return m_context.guard(
        QStringLiteral("testFileWrite"),
        [&] { writeProbe(QDir(m_context.programFile(dirName)).filePath(QStringLiteral("Test.txt"))); }, options);
}

bool DataDirectory::saveOldFiles()
{
    return m_context.guard(QStringLiteral("saveOldFiles"), [&] {
        const QString stamp = backupStamp(m_context.clock().now(), m_locale);
        const QDir backups(m_context.programFile(backupDirName()));
        makeFolder(backups.path());
        const QStringList questionFiles{QStringLiteral("ZorbelLines"), QStringLiteral("ZorbelPhrases")};
        for (const QString &baseName : questionFiles) {
            const QString source = m_context.programFile(baseName + QStringLiteral(".txt"));
            if (!QFileInfo::exists(source))
                continue;
            TextFile::replaceBytes(backups.filePath(baseName + QLatin1Char('_') + stamp + QStringLiteral(".txt")),
                                   TextFile::readBytes(source));
        }
    });
}

bool DataDirectory::takesFiles(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("zorbel-probe-XXXXXX")));
    QFile log(QDir(folder).filePath(LogFile::fileName()));
    // Append leaves an existing log as it is; a missing one is not made here.
    return probe.open() && (!log.exists() || log.open(QIODevice::WriteOnly | QIODevice::Append));
}

bool DataDirectory::checkWritable(const QString &folder, Prompter &prompter)
{
    if (takesFiles(folder))
        return true;
    const QString shown = QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath());
    prompter.ask({QStringLiteral("Zorbel cannot write to its data folder %1. Make the folder writable, or start Zorbel "
                                 "with --data-dir and a folder you can write.")
                      .arg(shown),
                  kGameName, Prompt::Buttons::Ok, Prompt::Icon::Information});
    return false;
}

QString DataDirectory::backupStamp(const QDateTime &moment, const QLocale &locale)
{
    QString stamp = generalDateText(moment, locale);
    // Any blank counts: some locales write the time with a narrow no-break
    // space before AM/PM, which has no place in a file name either.
    for (QChar &c : stamp) {
        if (c.isSpace() || c == u':' || c == u'/')
            c = u'_';
    }
    return stamp;
}
