#pragma once

#include "services/url_opener.h"

#include <QList>

// Records the addresses the program asked to open; opens nothing.
class RecordingUrlOpener final : public UrlOpener
{
public:
    void open(const QUrl &url) override { m_opened.append(url); }
    const QList<QUrl> &opened() const { return m_opened; }

private:
    QList<QUrl> m_opened;
};
