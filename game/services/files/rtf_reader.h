#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// A small Rich Text Format reader for the rules window: Qt reads no RTF.
//
// It understands what a word processor writes into an ordinary document:
// groups, paragraphs (\par, \pard, \ql \qc \qr \qj, \li \ri \fi \sb \sa),
// line breaks and tabs, bold, italics, underline and strike-through, font
// sizes (\fs), fonts (\fonttbl with \f), colours (\colortbl with \cf and
// \highlight), bullets and list text (\bullet, \listtext, \pntext), typographic
// quotes and dashes, \'hh characters (read as Windows-1252) and \uN
// characters with their \ucN fallback. Everything else is passed over:
// ignorable destinations (\*\...), pictures, document information, style
// sheets, headers, footers and field instructions.
//
// It reads in one pass over the bytes, without recursion: nesting depth,
// binary bytes and size cost nothing but linear time.
class RtfReader
{
public:
    enum class Status {
        Complete, // the document's outer group was closed
        Truncated, // the input ended inside the document: shown as far as read
        NotRtf, // the input does not begin with "{\rtf": nothing is shown
    };

    // Replaces the content of document with the text and formatting of rtf.
    static Status read(const QByteArray &rtf, QTextDocument &document);

    // read over the file at path. A file that cannot be read, or one beyond
    // maxFileSize() bytes, throws ZorbelError and leaves document unchanged.
    static Status readFile(const QString &path, QTextDocument &document);

    static qint64 maxFileSize() { return 64 * 1024 * 1024; }
};
