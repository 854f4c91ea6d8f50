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

// Buttons sit in a window, as in the game; a button without a parent would
// start at a top-level window's size.
QWidget &container()
{
    static QWidget window;
    return window;
}

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

// Applies the lines to the look and returns the font they give.
QFont applied(const QList<SettingsFile::Line> &lines, RavlenLook &look)
{
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
    if (tail.fontBold)
        font.setBold(*tail.fontBold);
    return font;
}

// The file a look and font give, read back into that look and font.
QByteArray writtenAndReadBack(RavlenLook &look, QFont &font)
{
    const QByteArray bytes = SettingsFile::format(look, font);
    const auto lines = linesOf(bytes);
    FUZZ_CHECK(lines && lines->size() == SettingsFile::LineCount, shown(bytes));
    look = RavlenLook{};
    font = applied(*lines, look);
    return bytes;
}

void checkReader(const QByteArray &bytes)
{
    const auto lines = linesOf(bytes);
    if (!lines) {
        FUZZ_CHECK(bytes.contains('\0'), QStringLiteral("a file without NUL bytes was refused"));
        return;
    }
    FUZZ_CHECK(lines->size() <= SettingsFile::LineCount, shown(lines->size()));
    for (const SettingsFile::Line &line : *lines)
        FUZZ_CHECK(line.text.size() <= SettingsFile::MaxLineLength, shown(line.text.size()));
    RavlenLook look;
    QFont font = applied(*lines, look);
    checkSingles(look);
    // Whatever a file held, once read it is written so that it reads back as itself.
    const QByteArray first = writtenAndReadBack(look, font);
    const QByteArray second = writtenAndReadBack(look, font);
    FUZZ_CHECK(first == second,
               QStringLiteral("%1\nread back as\n%2").arg(shown(first), shown(second)));
}

void checkButton(const QByteArray &bytes)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fuzz.rls"));
    writeFuzzFile(path, bytes);
    Ravlen button(&container());
    button.LoadButtonSettings(path);
    checkSingles(RavlenPrivate::get(&button)->look);
    for (const int state : {Ravlen::rl_Over, Ravlen::rl_Down, Ravlen::rl_Normal})
        button.DrawIt(state);
    // What a button saves, another button loads and saves unchanged.
    button.SaveButtonSettings(folder.filePath(QStringLiteral("saved.rls")));
    Ravlen copy(&container());
    copy.LoadButtonSettings(folder.filePath(QStringLiteral("saved.rls")));
    copy.SaveButtonSettings(folder.filePath(QStringLiteral("saved-again.rls")));
    QFile first(folder.filePath(QStringLiteral("saved.rls"))), second(folder.filePath(QStringLiteral("saved-again.rls")));
    FUZZ_CHECK(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly), QStringLiteral("the button saved no file"));
    const QByteArray saved = first.readAll(), savedAgain = second.readAll();
    FUZZ_CHECK(saved == savedAgain, QStringLiteral("%1\nsaved again as\n%2").arg(shown(saved), shown(savedAgain)));
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
    checkReader(bytes);
    checkButton(bytes);
    return 0;
}
