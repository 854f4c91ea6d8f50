#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The game's text files on disk. Files are read as UTF-8 when their bytes
// are valid UTF-8 and otherwise as Windows-1252, the code page of question
// files made on older systems; CR LF, LF and a lone CR all end a line.
// Files are written as UTF-8 without a byte-order mark, every line ending in
// CR LF, and replaced whole: a failed write leaves the old file as it was.
//
// Every failure is thrown as a ZorbelError that names the path.
namespace TextFile {

QString decode(const QByteArray &bytes);

// Text with every line end (CR LF, LF or CR) made CR LF, as UTF-8 bytes.
QByteArray encode(const QString &text);

// The lines of text; a final line end does not start another line.
QStringList splitLines(const QString &text);

// The largest file read whole: far beyond any question list, and small
// enough that a file dropped in by mistake cannot exhaust the memory.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

// The whole file as text. A folder, a missing, an unreadable or a too large
// file throws.
QString read(const QString &path);

// The whole file as bytes, as read() throws; a file of more than maxSize
// bytes throws ErrorNumber::OutOfMemory without being read.
QByteArray readBytes(const QString &path, qint64 maxSize = kLargestFile);

// Replaces the file with text in one step (a temporary file renamed over
// the old one).
void replace(const QString &path, const QString &text);

// Replaces the file with these exact bytes in one step.
void replaceBytes(const QString &path, const QByteArray &bytes);

} // namespace TextFile
