#pragma once

#include "services/prompter.h"

#include <QString>
#include <QUrl>

class AppContext;
class DataDirectory;

// The question the Update button asks: "The current version of Zorbel
// software is 1.2.0", a blank line, "Would you like to check for a Zorbel
// software update?", with Yes, No and Cancel, titled "Check For Update?".
Prompt updatePrompt(const QString &exeName, const QString &versionText);

// The Update button's work: make sure BackUps exists and takes files (each
// failure shows its long report and ends here), ask the question, and on Yes
// back up the question files and open updatePage. A failed backup has shown
// its report; the page opens all the same. Returns whether the page opened.
bool offerUpdate(AppContext &context, DataDirectory &dataDirectory, const QUrl &updatePage);
