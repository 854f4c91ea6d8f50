#include "services/error_report.h"

#include "services/log_file.h"
#include "services/prompter.h"

#include <QApplication>
#include <QWidget>

#include <new>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

void appendLines(QString &text, const QStringList &lines)
{
    for (const QString &line : lines)
        text += line + kCrLf;
}

void resetMousePointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

} // namespace

QString composeReport(const QString &reportName, ProcedureKind kind, int errorNumber, const QString &location,
                      const ReportExtras &extras)
{
    QString text;
    appendLines(text, extras.leading);
    text += (kind == ProcedureKind::Function ? QStringLiteral("Current Function is ")
                                             : QStringLiteral("Current SubRoutine is "))
            + reportName + kCrLf;
    appendLines(text, extras.afterName);
    text += QStringLiteral("Error Number: ") + QString::number(errorNumber) + kCrLf;
    text += QStringLiteral("Location: ") + location + kCrLf;
    appendLines(text, extras.trailing);
    return text;
}

QString activeWindowName()
{
    const QWidget *active = QApplication::activeWindow();
    if (!active || active->objectName().isEmpty())
        return QStringLiteral("(none)");
    return active->objectName();
}

ErrorReporter::ErrorReporter(LogFile &log, Prompter &prompter, std::function<QString()> locationName)
    : m_log(log)
    , m_prompter(prompter)
    , m_locationName(std::move(locationName))
{
}

void ErrorReporter::writeLogInfo(const QString &text)
{
    try {
        m_log.append(text);
    } catch (const ZorbelError &error) {
        // Logging the log's own failure would fail again: the report is only
        // shown, and the entry is lost.
        showReport(composeReport(QStringLiteral("writeLogInfo"), ProcedureKind::SubRoutine, int(error.number()),
                                 m_locationName()));
    }
}

bool ErrorReporter::guard(const QString &reportName, const std::function<void()> &body, const GuardOptions &options)
{
    try {
        body();
        return true;
    } catch (const ZorbelError &error) {
        report(reportName, error.number(), options);
    } catch (const std::bad_alloc &) {
        report(reportName, ErrorNumber::OutOfMemory, options);
    } catch (const std::exception &) {
        report(reportName, ErrorNumber::InternalError, options);
    }
    return false;
}

void ErrorReporter::report(const QString &reportName, ErrorNumber number, const GuardOptions &options)
{
    resetMousePointer();
    ReportExtras extras;
    if (options.extras)
        extras = options.extras();
    const QString text = composeReport(reportName, options.kind, int(number), m_locationName(), extras);
    writeLogInfo(text);
    showReport(text);
}

void ErrorReporter::showReport(const QString &text)
{
    // A failure while a report is on screen (a timer that keeps failing under
    // the modal box, say) is logged but not shown in a second box: boxes
    // stacking up one per second would never let the host get back.
    if (m_showing) {
        qWarning("%s", qPrintable(text));
        return;
    }
    m_showing = true;
    try {
        m_prompter.ask({text, QStringLiteral("Error"), Prompt::Buttons::Ok, Prompt::Icon::Information});
    } catch (...) {
        qWarning("the error report could not be shown:\n%s", qPrintable(text));
    }
    m_showing = false;
}
