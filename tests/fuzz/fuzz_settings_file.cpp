// Button settings files (*.rls): any bytes through the line reader and into
// a look, the look written and read back unchanged, and the same file loaded
// into a real button that then draws all three of its states.

#include "fuzz_support.h"

#include "core/settings_file.h"
#include "ravlen.h"
#include "ravlen_p.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
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
    const float singles[] = {look.alpha.value, look.arrow.size,      look.border.size,  look.icon.size,
                             look.motion.fadeDelay, look.round.height, look.round.width, look.shadow.size,
                             look.texture.alpha, look.texture.size};
    for (const float value : singles)
        FUZZ_CHECK(std::isfinite(value), shown(value));
}

QFont withTail(QFont font, const SettingsFile::Tail &tail)
{
    if (tail.fontFamily)
        font.setFamily(*tail.fontFamily);
    if (tail.fontPointSize)
        font.setPointSizeF(*tail.fontPointSize);
    if (tail.fontBold)
        font.setBold(*tail.fontBold);
    return font;
}

std::optional<QList<SettingsFile::Line>> linesOf(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return SettingsFile::readLines(buffer);
}

// The file the look and font give, and the look and font it reads back as.
struct Written {
    QByteArray bytes;
    RavlenLook look;
    QFont font;
};

Written readBack(const RavlenLook &look, const QFont &font)
{
    Written written{SettingsFile::format(look, font), RavlenLook{}, QFont()};
    const auto lines = linesOf(written.bytes);
    FUZZ_CHECK(lines && lines->size() == SettingsFile::LineCount, shown(written.bytes));
    const SettingsFile::Tail tail = SettingsFile::apply(*lines, written.look);
    written.font = withTail(QFont(), tail);
    written.look.caption.color = tail.captionColor.value_or(written.look.caption.color);
    written.look.skin.maskColor = tail.maskColor.value_or(written.look.skin.maskColor);
    return written;
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
    const SettingsFile::Tail tail = SettingsFile::apply(*lines, look);
    checkSingles(look);
    if (tail.fontPointSize)
        FUZZ_CHECK(std::isfinite(*tail.fontPointSize) && *tail.fontPointSize > 0, shown(*tail.fontPointSize));
    look.caption.color = tail.captionColor.value_or(look.caption.color);
    look.skin.maskColor = tail.maskColor.value_or(look.skin.maskColor);

    // Whatever a file held, once read it is written so that it reads back
    // as itself.
    const Written first = readBack(look, withTail(QFont(), tail));
    const Written second = readBack(first.look, first.font);
    FUZZ_CHECK(first.bytes == second.bytes,
               QStringLiteral("%1\nread back as\n%2").arg(shown(first.bytes), shown(second.bytes)));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fuzzFailure(__FILE__, __LINE__, "the button saved no file", path);
    return file.readAll();
}

void checkButton(const QByteArray &bytes)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fuzz.rls"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();

    Ravlen button(&container());
    button.LoadButtonSettings(path);
    checkSingles(RavlenPrivate::get(&button)->look);
    for (const int state : {Ravlen::rl_Over, Ravlen::rl_Down, Ravlen::rl_Normal})
        button.DrawIt(state);
    // What a button saves, another button loads and saves unchanged.
    const QString saved = folder.filePath(QStringLiteral("saved.rls"));
    button.SaveButtonSettings(saved);
    Ravlen copy(&container());
    copy.LoadButtonSettings(saved);
    const QString savedAgain = folder.filePath(QStringLiteral("saved-again.rls"));
    copy.SaveButtonSettings(savedAgain);
    const QByteArray first = contents(saved);
    const QByteArray second = contents(savedAgain);
    FUZZ_CHECK(first == second, QStringLiteral("%1\nsaved again as\n%2").arg(shown(first), shown(second)));
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
