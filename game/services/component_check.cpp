#include "services/component_check.h"

#include "services/app_context.h"

#include <QFileInfo>
#include <QLibrary>

namespace {

// The log's lines on how to mend a component that does not load.
QStringList repairAdvice(const NeededComponent &component)
{
    const QString &name = component.fileName;
    if (component.package.isEmpty())
        return {
            QStringLiteral("File ") + name
            + QStringLiteral(" comes with Zorbel: reinstall Zorbel, or rebuild it from its source, to put it back")};
    // Reinstalling mends a damaged copy as well as a missing one. Removing
    // the package is never advised: the desktop itself may need it.
    return {QStringLiteral("Try to Register file ") + name
                + QStringLiteral(" Manually via a terminal with administrator privileges"),
            QStringLiteral("Terminal command to manually Register this file is: 'sudo apt-get install --reinstall ")
                + component.package + QLatin1Char('\''),
            QStringLiteral("Terminal command to check the installed package is: 'dpkg --verify ") + component.package
                + QLatin1Char('\'')};
}

} // namespace

ComponentCheck::ComponentCheck(AppContext &context, LibraryLoader loader)
    : m_context(context)
    , m_loader(std::move(loader))
{
}

QList<NeededComponent> ComponentCheck::firstList()
{
    return {
        {QStringLiteral("libRavlenLib.so.1"), QString()},
        {QStringLiteral("libQt6Widgets.so.6"), QStringLiteral("libqt6widgets6")},
        {QStringLiteral("libQt6Gui.so.6"), QStringLiteral("libqt6gui6")},
        {QStringLiteral("libQt6Multimedia.so.6"), QStringLiteral("libqt6multimedia6"), true},
    };
}

QList<NeededComponent> ComponentCheck::secondList()
{
    return {{QStringLiteral("libQt6Widgets.so.6"), QStringLiteral("libqt6widgets6")}};
}

bool ComponentCheck::loadLibraryByName(const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    QLibrary library(fileName);
    if (!library.load())
        return false;
    library.unload();
    return true;
}

bool ComponentCheck::IsDLLAvailable(const QString &fileName)
{
    bool available = false;
    GuardOptions options;
    options.kind = ProcedureKind::Function;
    m_context.guard(
        QStringLiteral("IsDLLAvailable"), [&] { available = m_loader(fileName); }, options);
    return available;
}

void ComponentCheck::registerNeededFiles()
{
    GuardOptions options;
    // No registration request is ever made here, so the request's command
    // and arguments on the report's last two lines stay empty.
    options.extras = [] {
        return ReportExtras{{}, {}, {QStringLiteral("strAppPath  = "), QStringLiteral("strArguments = ")}};
    };
    m_context.guard(
        QStringLiteral("registerNeededFiles"),
        [&] {
            for (const NeededComponent &component : firstList()) {
                const QString &name = component.fileName;
                if (!QFileInfo::exists(m_context.executableFile(name))) {
                    m_context.writeLogInfo(QStringLiteral("File ") + name + QStringLiteral(" Does Not Exist..."));
                    continue;
                }
                m_context.writeLogInfo(QStringLiteral("File ") + name + QStringLiteral(" Exists..."));
                checkLoads(component, true);
            }
            for (const NeededComponent &component : secondList())
                checkLoads(component, false);
        },
        options);
}

void ComponentCheck::checkLoads(const NeededComponent &component, bool firstList)
{
    const QString &name = component.fileName;
    if (IsDLLAvailable(name)) {
        m_context.writeLogInfo(QStringLiteral("File ") + name + QStringLiteral(" is registered..."));
        return;
    }
    m_context.writeLogInfo(QStringLiteral("File ") + name + QStringLiteral("is NOT registered..."));
    m_context.writeLogInfo(QStringLiteral("Attempting to register file ") + name + QStringLiteral(" as admin user..."));
    if (IsDLLAvailable(name))
        return;
    m_context.writeLogInfo(QStringLiteral("Registering file ") + name
                           + QStringLiteral(" appeared to not be successful..."));
    for (const QString &line : repairAdvice(component))
        m_context.writeLogInfo(line);
    if (firstList && component.mediaPlayback) {
        m_context.writeLogInfo(QStringLiteral("Qt Multimedia '") + name
                               + QStringLiteral("' file appears to not be installed..."));
        m_context.writeLogInfo(QStringLiteral("The easy solution: download and install latest version of ")
                               + component.package + QStringLiteral(" and gstreamer1.0-plugins-good...'"));
    }
}

bool ComponentCheck::checkOncePerRun()
{
    if (!m_context.firstTimeThisRun(QStringLiteral("registerNeededFiles")))
        return false;
    m_context.writeLogInfo(QStringLiteral("Checking For Needed Registry Files"));
    registerNeededFiles();
    return true;
}

QString GetShortName(const QString &path)
{
    return path;
}
