#pragma once

#include <QUrl>

// Opens a web address in the host's default browser without waiting for it.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // Whether a browser took the address; false when none could be started.
    virtual bool open(const QUrl &url) = 0;
};

class DesktopUrlOpener final : public UrlOpener
{
public:
    bool open(const QUrl &url) override;
};
