#pragma once

#include <QByteArray>
#include <QString>

// Writing a file in a directory that other users can write to as well, such
// as the shared temporary folder. The final path component is never
// followed when it is a symbolic link, and an existing file is only
// rewritten when it is a plain file of our own with no other name (no hard
// link planted by someone else): anything else is refused and left exactly
// as it was. The bytes replace the whole file.
namespace PrivateFile {

// True when the file now holds exactly these bytes.
bool write(const QString &path, const QByteArray &bytes);

} // namespace PrivateFile
