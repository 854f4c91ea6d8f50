#include "services/windows/update_prompt.h"

#include "services/app_context.h"
#include "services/files/data_directory.h"

Prompt updatePrompt(const QString &exeName, const QString &versionText)
{
    Prompt prompt;
    prompt.text = QStringLiteral("The current version of ") + exeName + QStringLiteral(" software is ") + versionText
                  + QStringLiteral("\r\n\r\nWould you like to check for a ") + exeName
                  + QStringLiteral(" software update?");
    prompt.title = QStringLiteral("Check For Update?");
    prompt.buttons = Prompt::Buttons::YesNoCancel;
    return prompt;
}

bool offerUpdate(AppContext &context, DataDirectory &dataDirectory, const QUrl &updatePage)
{
    const QString backups = DataDirectory::backupDirName();
    if (!dataDirectory.createDirs(backups) || !dataDirectory.testFileWrite(backups))
        return false;
    if (context.prompter().ask(updatePrompt(context.exeName(), context.versionText())) != PromptAnswer::Yes)
        return false;
    dataDirectory.saveOldFiles();
    context.openWebPage(updatePage);
    return true;
}
