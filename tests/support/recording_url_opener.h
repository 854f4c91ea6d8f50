#pragma once

#include "services/url_opener.h"

#include <QList>

// Records the addresses the program asked to open; opens nothing. It
// reports success unless told that there is no browser.
class RecordingUrlOpener final : public UrlOpener
{
public:
    bool open(const QUrl &url) override
    {
        m_opened.append(url);
        return m_hasBrowser;
    }
    const QList<QUrl> &opened() const { return m_opened; }
    void setHasBrowser(bool hasBrowser) { m_hasBrowser = hasBrowser; }

private:
    QList<QUrl> m_opened;
    bool m_hasBrowser = true;
};
