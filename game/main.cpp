#include "play/windows/frm_zorbel.h"
#include "services/app_context.h"
#include "services/clock.h"
#include "services/command_line.h"
#include "services/files/data_directory.h"
#include "services/files/user_data_folder.h"
#include "services/forms/display_fonts.h"
#include "services/forms/form_builder.h"
#include "services/prompter.h"
#include "services/single_instance.h"
#include "services/url_opener.h"
#include "services/windows/frm_splash.h"
#include "zorbel_version.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Debian's Qt 6.4 ships its FFmpeg media back end as a preview that
    // crashes where no audio device exists; GStreamer plays, or stays silent.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    QApplication app(argc, argv);
    const QVersionNumber version(ZorbelVersion::major, ZorbelVersion::minor, ZorbelVersion::revision);
    QApplication::setApplicationVersion(version.toString());
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/zorbel.png").arg(size));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.zorbel.Zorbel"));

    auto facts = programFactsFromCommandLine(QApplication::arguments(), QApplication::applicationFilePath(), version);
    if (const QString *problem = std::get_if<QString>(&facts)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QApplication::applicationName()), qPrintable(*problem));
        return 2;
    }
    // An installed copy, in a folder the host cannot write, keeps the
    // host's files in the host's own data folder.
    AppFacts &programFacts = std::get<AppFacts>(facts);
    QStringList folderEntries;
    if (programFacts.programDir == programFacts.executableDir && !DataDirectory::takesFiles(programFacts.programDir)) {
        if (const QString defaults = UserDataFolder::defaultsBeside(programFacts.executableDir); !defaults.isEmpty()) {
            programFacts.programDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
            folderEntries = UserDataFolder::prepare(programFacts.programDir, defaults);
        }
    }

    // Before the log's first entry: a folder that takes no files would
    // otherwise show one error report for every entry the log loses.
    auto prompter = std::make_unique<MessageBoxPrompter>();
    if (!DataDirectory::checkWritable(programFacts.programDir, *prompter))
        return 1;
    AppContext context(std::move(programFacts), std::make_unique<SystemClock>(), std::move(prompter),
                       std::make_unique<DesktopUrlOpener>());

    // A second copy goes before it writes anything: its first log entry
    // would empty the log of the copy that is running.
    SingleInstance instance(context.programDir());
    if (!instance.claim()) {
        context.prompter().ask(SingleInstance::refusal(context.exeName()));
        return 0;
    }
    for (const QString &entry : folderEntries)
        context.writeLogInfo(entry);

    DisplayFonts::install();
    try {
        const FormLayout board = readFormLayout(Form::layoutPath(QStringLiteral("frmZorbel")));
        context.setFormScale(
            FormBuilder::scaleToFill(QApplication::primaryScreen()->availableSize(), QSize(board.width, board.height)));
    } catch (const ZorbelError &) {
        // The window's own load reports the unreadable layout.
    }

    // The splash card checks the components, attaches the skin and a second
    // later opens the main window, which it keeps for the rest of the run.
    FrmSplash splash(context, [&context] { return std::make_unique<FrmZorbel>(context); });
    if (splash.load()) {
        splash.show();
    } else {
        // A card that could not be built (its report has been shown) opens
        // the game at once; with no window at all there is nothing to run.
        splash.Timer1_Timer();
        if (!splash.mainWindow())
            return 1;
    }
    return app.exec();
}
