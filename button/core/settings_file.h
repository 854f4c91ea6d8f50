#pragma once

#include "ravlen_look.h"

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QString>

#include <optional>

class QIODevice;

// A button's look in a settings file (customarily *.rls): 66 lines of plain
// text, one value per line, each ended by CR LF, no keys: a value's meaning
// is its line number. Lines 1 to 61 are the look's fields in alphabetical
// order of their property names, then the caption colour, the font's family,
// point size and bold flag, and the mask colour.
//
// Written as UTF-8 so that font names and paths keep every character; a line
// that is not valid UTF-8 is read as Windows-1252, as older files were made.
// Numbers are written with "." as the decimal point, a blank in front unless
// negative and a blank after (" 75 ", " 1.5 ", "-2147483630 "); Booleans as
// True or False.
namespace SettingsFile {

inline constexpr int LineCount = 66;
inline constexpr int LookLineCount = 61;

// A longer line keeps only this many characters; see Line::complete.
inline constexpr qsizetype MaxLineLength = 64 * 1024;
// Reading stops after this many bytes, as if the file ended there.
inline constexpr qint64 MaxReadBytes = 16 * 1024 * 1024;
// The font sizes, in points, that a file may set: the smallest it can write
// back and the largest a caption can sensibly be drawn at.
inline constexpr double kSmallestFontSize = 0.0001;
inline constexpr double kLargestFontSize = 4096;

struct Line {
    QString text;
    // False when the line was longer than MaxLineLength. A number is still
    // read from its start, but a cut text or word is no value: such a line
    // leaves its field as it was.
    bool complete = true;
};

// The values after the look's own lines. The button passes them through its
// setters (caption and mask colour) and its font; each is absent when its
// line is missing or unreadable.
struct Tail {
    std::optional<OleColor> captionColor;
    std::optional<QString> fontFamily;
    std::optional<double> fontPointSize;
    std::optional<bool> fontBold;
    std::optional<OleColor> maskColor;
};

QByteArray format(const RavlenLook &look, const QFont &font);

// Up to LineCount lines ended by CR LF, LF or a lone CR. A file holding a
// NUL byte is no settings file at all and gives nothing.
std::optional<QList<Line>> readLines(QIODevice &device);

// Puts lines 1 to 61 into the look's fields as they are (no range is enforced
// and no colour translated; whole numbers are rounded, halves to even, and
// limited to what their field holds) and hands back lines 62 to 66. Missing
// lines and unreadable Booleans leave their fields alone.
Tail apply(const QList<Line> &lines, RavlenLook &look);

// Replaces the file in one step; false when it cannot be written, in which
// case an existing file is left as it was.
bool save(const QString &path, const RavlenLook &look, const QFont &font);

// The file's lines, or nothing when it cannot be read, is binary or is no
// regular file (see PrivateFile::openRegular).
std::optional<QList<Line>> load(const QString &path);

// The number a line starts with: blanks skipped, then an optional sign,
// digits, an optional "." with digits and an optional exponent; the rest is
// ignored. No number gives 0.
double leadingNumber(QStringView text);

// True or False in any letter case, or a number (0 is False); a line that is
// neither gives nothing.
std::optional<bool> booleanValue(QStringView text);

QString formatSingle(float value);
QString formatFontSize(double points);

} // namespace SettingsFile
