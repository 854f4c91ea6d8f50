#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Files in places that other users can write to as well, such as the shared
// temporary folder, and files named by someone else.
//
// Writing never follows a symbolic link in the final path component, and an
// existing file is only rewritten when it is a plain file of our own with no
// other name (no hard link planted by someone else): anything else is
// refused and left exactly as it was. The bytes replace the whole file.
namespace PrivateFile {

// True when the file now holds exactly these bytes.
bool write(const QString &path, const QByteArray &bytes);

// Makes sure that path is a folder of our own that nobody else can enter,
// creating it (mode 0700) when absent. A folder that is a link, belongs to
// someone else or lets others in is refused, not repaired: whatever was put
// into it before cannot be trusted.
bool makeFolder(const QString &path);

// Opens a file for reading only when it is a regular file (or one of the
// application's resources): a named pipe would wait for a writer and a
// device might never end, either of which would freeze the user interface.
// The check is made on the open file as well, so that nothing swapped in
// between slips through.
bool openRegular(QFile &file, const QString &path);

} // namespace PrivateFile
