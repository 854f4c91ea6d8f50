// Button settings files (*.rls): any bytes through the line reader and into
// a look, and the look written and read back unchanged; all without a
// widget. What a button does with such a file is fuzz_button_draw's.

#include "fuzz_look.h"

#include "core/settings_file.h"

#include <QBuffer>
#include <QGuiApplication>

namespace {

std::optional<QList<SettingsFile::Line>> linesOf(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return SettingsFile::readLines(buffer);
}

// A fresh look and font from the lines.
QFont applied(const QList<SettingsFile::Line> &lines, RavlenLook &look)
{
    look = RavlenLook{};
    const SettingsFile::Tail tail = SettingsFile::apply(lines, look);
    look.caption.color = tail.captionColor.value_or(look.caption.color);
    look.skin.maskColor = tail.maskColor.value_or(look.skin.maskColor);
    QFont font;
    if (tail.fontFamily)
        font.setFamily(*tail.fontFamily);
    if (tail.fontPointSize) {
        FUZZ_CHECK(std::isfinite(*tail.fontPointSize) && *tail.fontPointSize > 0, shown(*tail.fontPointSize));
        font.setPointSizeF(*tail.fontPointSize);
    }
    font.setBold(tail.fontBold.value_or(font.bold()));
    checkSingles(look);
    return font;
}

// The file a look and font give, read back into that look and font.
QByteArray writtenAndReadBack(RavlenLook &look, QFont &font)
{
    const QByteArray bytes = SettingsFile::format(look, font);
    const auto lines = linesOf(bytes);
    FUZZ_CHECK(lines && lines->size() == SettingsFile::LineCount, shown(bytes));
    font = applied(*lines, look);
    return bytes;
}

} // namespace

// The fonts the files name need an application, though nothing is drawn.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startApplication<QGuiApplication>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const auto lines = linesOf(bytes);
    FUZZ_CHECK(lines || bytes.contains('\0'), QStringLiteral("a file without NUL bytes was refused"));
    if (lines) {
        FUZZ_CHECK(lines->size() <= SettingsFile::LineCount, shown(lines->size()));
        for (const SettingsFile::Line &line : *lines)
            FUZZ_CHECK(line.text.size() <= SettingsFile::MaxLineLength, shown(line.text.size()));
        RavlenLook look;
        QFont font = applied(*lines, look);
        // Whatever a file held, once read it is written so that it reads back
        // as itself. Bytes equal to the first file's would read back as they
        // did, so the second is only written.
        const QByteArray first = writtenAndReadBack(look, font), second = SettingsFile::format(look, font);
        FUZZ_CHECK(first == second, QStringLiteral("%1\nread back as\n%2").arg(shown(first), shown(second)));
    }
    return 0;
}
