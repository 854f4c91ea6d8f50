#include "play/frm_zorbel.h"
#include "services/app_context.h"
#include "services/clock.h"
#include "services/command_line.h"
#include "services/prompter.h"
#include "services/url_opener.h"
#include "zorbel_version.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QVersionNumber version(ZorbelVersion::major, ZorbelVersion::minor, ZorbelVersion::revision);
    QApplication::setApplicationVersion(version.toString());

    auto facts = programFactsFromCommandLine(QApplication::arguments(), QApplication::applicationFilePath(), version);
    if (const QString *problem = std::get_if<QString>(&facts)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QApplication::applicationName()), qPrintable(*problem));
        return 2;
    }

    AppContext context(std::get<AppFacts>(std::move(facts)), std::make_unique<SystemClock>(),
                       std::make_unique<MessageBoxPrompter>(), std::make_unique<DesktopUrlOpener>());
    FrmZorbel window(context);
    window.Form_Load();
    window.show();
    return app.exec();
}
