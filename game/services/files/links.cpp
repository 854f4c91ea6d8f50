#include "services/files/links.h"

#include "services/files/text_file.h"

#include <QFileInfo>

namespace {

constexpr Links::Page kPages[] = {Links::Page::Donate, Links::Page::Contact, Links::Page::HowToVideo, Links::Page::Home,
                                  Links::Page::MediaHelp};

// A links file is a handful of lines; anything far bigger is not one.
constexpr qint64 kLargestFile = 64 * 1024;

QUrl builtIn(Links::Page page)
{
    switch (page) {
    case Links::Page::Donate:
        return QUrl(QStringLiteral("https://zorbel.example.org/donate"));
    case Links::Page::Contact:
        return QUrl(QStringLiteral("https://zorbel.example.org/contact"));
    case Links::Page::HowToVideo:
        return QUrl(QStringLiteral("https://zorbel.example.org/how-to-play-video"));
    case Links::Page::Home:
        return QUrl(QStringLiteral("https://zorbel.example.org/"));
    case Links::Page::MediaHelp:
        return QUrl(QStringLiteral("https://packages.debian.org/bookworm/libqt6multimedia6"));
    }
    return {};
}

// Only a web page may be opened from the file: a host's typo must not turn
// the Donate button into a command or a local file.
QUrl webAddress(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return {};
    if (url.scheme() != QLatin1String("https") && url.scheme() != QLatin1String("http"))
        return {};
    return url;
}

} // namespace

Links::Links()
{
    for (const Page page : kPages)
        m_urls[std::size_t(page)] = builtIn(page);
}

QString Links::key(Page page)
{
    switch (page) {
    case Page::Donate:
        return QStringLiteral("Donate");
    case Page::Contact:
        return QStringLiteral("Contact");
    case Page::HowToVideo:
        return QStringLiteral("HowToVideo");
    case Page::Home:
        return QStringLiteral("Home");
    case Page::MediaHelp:
        return QStringLiteral("MediaHelp");
    }
    return {};
}

Links Links::load(const QString &path)
{
    Links links;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kLargestFile)
        return links;
    QString text;
    try {
        text = TextFile::read(path);
    } catch (const std::exception &) {
        return links;
    }
    for (const QString &rawLine : TextFile::splitLines(text)) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#') || line.startsWith(u'['))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString name = line.left(equals).trimmed();
        for (const Page page : kPages) {
            if (name.compare(key(page), Qt::CaseInsensitive) != 0)
                continue;
            if (const QUrl url = webAddress(line.mid(equals + 1).trimmed()); url.isValid())
                links.m_urls[std::size_t(page)] = url;
        }
    }
    return links;
}
