#include "url_opener.h"

#include <QDesktopServices>

void DesktopUrlOpener::open(const QUrl &url)
{
    // The result is not checked: a missing browser is the desktop's business.
    QDesktopServices::openUrl(url);
}
