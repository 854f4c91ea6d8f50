#pragma once

#include <QString>
#include <QUrl>

#include <array>

// The web pages the game opens: the maker's donation page (which the update
// prompt opens too), contact page, how-to video and home page, and the help
// page for the media playback library. The addresses live in links.ini in
// the program directory so that a host can point them elsewhere; every
// address the file does not give, or gives as something other than an
// http(s) address, keeps its built-in value.
//
// links.ini:
//     [Links]
//     Donate=https://...
//     Contact=https://...
//     HowToVideo=https://...
//     Home=https://...
//     MediaHelp=https://...
// Keys are matched without regard to case; lines starting with ";" or "#"
// are comments.
class Links
{
public:
    enum class Page { Donate, Contact, HowToVideo, Home, MediaHelp };

    // The built-in addresses.
    Links();

    // The addresses of the file at path. A missing, unreadable, binary or
    // oversized file gives the built-in addresses; nothing is reported.
    static Links load(const QString &path);

    static QString fileName() { return QStringLiteral("links.ini"); }
    // The key of page in links.ini.
    static QString key(Page page);

    QUrl url(Page page) const { return m_urls[std::size_t(page)]; }

private:
    std::array<QUrl, 5> m_urls;
};
