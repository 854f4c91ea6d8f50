// Button settings files (*.rls): any bytes through the line reader and into
// a look, the look written and read back unchanged, and the same file loaded
// into a real button that then draws all three of its states.

#include "fuzz_support.h"

#include "core/settings_file.h"
#include "ravlen.h"
#include "ravlen_p.h"

#include <QApplication>
#include <QBuffer>
#include <QTemporaryDir>
#include <QWidget>

#include <cmath>

namespace {

// Every Single of the look is a finite number: the reader limits what it
// takes to the largest Single, and a face is never drawn from infinity.
void checkSingles(const RavlenLook &look)
{
    for (const float value : {look.alpha.value, look.arrow.size, look.border.size, look.icon.size, look.motion.fadeDelay,
                              look.round.height, look.round.width, look.shadow.size, look.texture.alpha, look.texture.size})
        FUZZ_CHECK(std::isfinite(value), shown(value));
}

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

// What a button given the file saves: a button in a window, as in the game
// (without a parent it would start at a top-level window's size).
QByteArray savedByButton(const QString &loaded, const QString &saved)
{
    static QWidget window;
    Ravlen button(&window);
    button.LoadButtonSettings(loaded);
    checkSingles(RavlenPrivate::get(&button)->look);
    for (const int state : {Ravlen::rl_Over, Ravlen::rl_Down, Ravlen::rl_Normal})
        button.DrawIt(state);
    button.SaveButtonSettings(saved);
    QFile file(saved);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly), QStringLiteral("the button saved no file"));
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startApplication<QApplication>();
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
        // Whatever a file held, once read it is written so that it reads back as itself.
        const QByteArray first = writtenAndReadBack(look, font), second = writtenAndReadBack(look, font);
        FUZZ_CHECK(first == second, QStringLiteral("%1\nread back as\n%2").arg(shown(first), shown(second)));
    }
    // What a button saves, another button loads and saves unchanged.
    static QTemporaryDir folder;
    writeFuzzFile(folder.filePath(QStringLiteral("fuzz.rls")), bytes);
    const QByteArray saved = savedByButton(folder.filePath(QStringLiteral("fuzz.rls")), folder.filePath(QStringLiteral("saved.rls")));
    const QByteArray again = savedByButton(folder.filePath(QStringLiteral("saved.rls")), folder.filePath(QStringLiteral("again.rls")));
    FUZZ_CHECK(saved == again, QStringLiteral("%1\nsaved again as\n%2").arg(shown(saved), shown(again)));
    return 0;
}
