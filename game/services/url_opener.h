#pragma once

#include <QUrl>

// Opens a web address in the host's default browser without waiting for it.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl &url) = 0;
};

class DesktopUrlOpener final : public UrlOpener
{
public:
    void open(const QUrl &url) override;
};
