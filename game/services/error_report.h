#pragma once

#include "services/error_codes.h"

#include <QString>
#include <QStringList>

#include <functional>

class LogFile;
class Prompter;

// How a procedure is named on the first line of its report.
enum class ProcedureKind {
    SubRoutine, // "Current SubRoutine is " + name
    Function, // "Current Function is " + name
};

// Lines that some procedures add to their report, at the three places a
// report can hold them.
struct ReportExtras {
    QStringList leading; // before the first line
    QStringList afterName; // between the first line and "Error Number: "
    QStringList trailing; // after "Location: "
};

struct GuardOptions {
    ProcedureKind kind = ProcedureKind::SubRoutine;
    // Built when the failure happens, so the lines can show the state the
    // procedure had reached.
    std::function<ReportExtras()> extras;
};

// The report text: every line, the last one too, ends with CR LF.
QString composeReport(const QString &reportName, ProcedureKind kind, int errorNumber, const QString &location,
                      const ReportExtras &extras = {});

// The name of the program's window that the host is using now, for the
// "Location: " line; "(none)" when no window of the program is active.
QString activeWindowName();

// The program's uniform handling of failures: the log writer and the
// standard error report.
class ErrorReporter
{
public:
    ErrorReporter(LogFile &log, Prompter &prompter, std::function<QString()> locationName = activeWindowName);

    // Appends one entry to the log. A failure shows the report for
    // "writeLogInfo" without logging it; the caller carries on.
    void writeLogInfo(const QString &text);

    // Runs body; a failure inside it ends it with the standard report:
    // the mouse pointer reset, the report logged and shown in a modal box
    // titled "Error". Returns whether body ran to its end.
    bool guard(const QString &reportName, const std::function<void()> &body, const GuardOptions &options = {});

    void report(const QString &reportName, ErrorNumber number, const GuardOptions &options = {});

private:
    void showReport(const QString &text);

    LogFile &m_log;
    Prompter &m_prompter;
    std::function<QString()> m_locationName;
    bool m_showing = false;
};
