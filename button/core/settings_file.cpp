#include "settings_file.h"

#include "field_values.h"
#include "private_file.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>
#include <charconv>
#include <cmath>

namespace SettingsFile {

namespace {

struct Number {
    double value = 0;
    qsizetype end = 0; // index just past the number; 0 when there is none
};

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

qsizetype skipDigits(QStringView text, qsizetype i)
{
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80)
        ++i;
    return i;
}

Number parseLeadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype intStart = i;
    i = skipDigits(text, i);
    qsizetype digits = i - intStart;
    if (i < text.size() && text[i] == u'.') {
        const qsizetype fracStart = i + 1;
        const qsizetype fracEnd = skipDigits(text, fracStart);
        digits += fracEnd - fracStart;
        i = fracEnd;
    }
    if (digits == 0)
        return {};
    QString number = text.mid(start, i - start).toString();
    if (i < text.size() && QStringView(u"eEdD").contains(text[i])) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        const qsizetype expEnd = skipDigits(text, j);
        if (expEnd > j) {
            number += u'e' + text.mid(i + 1, expEnd - i - 1).toString();
            i = expEnd;
        }
    }
    // Beyond a double's range this gives an infinity (limited later to the
    // field) or zero, which is what such a number stands for.
    return {number.toDouble(), i};
}

QString withBlanks(const QString &digits, bool negative)
{
    return (negative ? QString() : QStringLiteral(" ")) + digits + u' ';
}

QString formatted(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }
QString formatted(qint32 value) { return withBlanks(QString::number(value), value < 0); }
QString formatted(qint16 value) { return formatted(qint32(value)); }
QString formatted(OleColor value) { return formatted(qint32(value)); } // as the signed 32-bit number
QString formatted(float value) { return formatSingle(value); }
QString formatted(const QString &value) { return value; }

void parsed(const Line &line, bool &field)
{
    if (!line.complete)
        return;
    if (const auto value = booleanValue(line.text))
        field = *value;
}

void parsed(const Line &line, qint32 &field) { field = FieldValues::toInt32(leadingNumber(line.text)); }
void parsed(const Line &line, qint16 &field) { field = FieldValues::toInt16(leadingNumber(line.text)); }
void parsed(const Line &line, OleColor &field) { field = FieldValues::toColor(leadingNumber(line.text)); }
void parsed(const Line &line, float &field) { field = FieldValues::toSingle(leadingNumber(line.text)); }

void parsed(const Line &line, QString &field)
{
    if (line.complete)
        field = line.text;
}

struct LookLine {
    QString (*format)(const RavlenLook &look);
    void (*parse)(const Line &line, RavlenLook &look);
};

#define RAVLEN_LINE(member)                                                                                            \
    LookLine                                                                                                           \
    {                                                                                                                  \
        [](const RavlenLook &l) { return formatted(l.member); },                                                       \
            [](const Line &s, RavlenLook &l) { parsed(s, l.member); }                                                  \
    }

const std::array<LookLine, LookLineCount> kLookLines = {{
    RAVLEN_LINE(alpha.enabled), // Alpha
    RAVLEN_LINE(alpha.value), // AlphaValue
    RAVLEN_LINE(arrow.color), // ArrowColor
    RAVLEN_LINE(arrow.direction), // ArrowDirection
    RAVLEN_LINE(arrow.position), // ArrowPosition
    RAVLEN_LINE(arrow.show), // ArrowShow
    RAVLEN_LINE(arrow.size), // ArrowSize
    RAVLEN_LINE(arrow.split), // ArrowSplit
    RAVLEN_LINE(behaviour.autoSize), // AutoSize
    RAVLEN_LINE(border.color), // BorderColor
    RAVLEN_LINE(border.size), // BorderSize
    RAVLEN_LINE(border.style), // BorderStyle
    RAVLEN_LINE(icon.position), // ButtonIconPos
    RAVLEN_LINE(icon.show), // ButtonIconShow
    RAVLEN_LINE(icon.size), // ButtonIconSize
    RAVLEN_LINE(skin.buttonStyle), // ButtonStyle
    RAVLEN_LINE(caption.alignment), // CaptionAlignment
    RAVLEN_LINE(caption.autoAlign), // CaptionAutoAlign
    RAVLEN_LINE(caption.shadow), // CaptionShadow
    RAVLEN_LINE(caption.shadowColor), // CaptionShadowColor
    RAVLEN_LINE(skin.customPic), // CustomPic
    RAVLEN_LINE(behaviour.doubleClickEnable), // DoubleClickEnable
    RAVLEN_LINE(motion.effects), // Effects
    RAVLEN_LINE(motion.effectsEnabled), // EnableEffects
    RAVLEN_LINE(motion.fade), // Fade
    RAVLEN_LINE(motion.fadeDelay), // FadeDelay
    RAVLEN_LINE(gradient.down1), // GradientDown1
    RAVLEN_LINE(gradient.down2), // GradientDown2
    RAVLEN_LINE(gradient.normal1), // GradientNormal1
    RAVLEN_LINE(gradient.normal2), // GradientNormal2
    RAVLEN_LINE(gradient.over1), // GradientOver1
    RAVLEN_LINE(gradient.over2), // GradientOver2
    RAVLEN_LINE(gradient.style), // GradientStyle
    RAVLEN_LINE(round.enabled), // RoundBorder
    RAVLEN_LINE(round.height), // RoundHeight
    RAVLEN_LINE(round.sizeAuto), // RoundSizeAuto
    RAVLEN_LINE(round.width), // RoundWidth
    RAVLEN_LINE(behaviour.settings), // Settings
    RAVLEN_LINE(behaviour.settingsFile), // SettingsFile
    RAVLEN_LINE(shadow.enabled), // Shadow
    RAVLEN_LINE(shadow.color), // ShadowColor
    RAVLEN_LINE(shadow.size), // ShadowSize
    RAVLEN_LINE(shadow.style), // ShadowStyle
    RAVLEN_LINE(sound.sound), // Sound
    RAVLEN_LINE(sound.click), // SoundClick
    RAVLEN_LINE(sound.custom1), // SoundCustom1
    RAVLEN_LINE(sound.custom2), // SoundCustom2
    RAVLEN_LINE(sound.down), // SoundDown
    RAVLEN_LINE(sound.in), // SoundIn
    RAVLEN_LINE(sound.out), // SoundOut
    RAVLEN_LINE(sound.up), // SoundUp
    RAVLEN_LINE(texture.enabled), // Texture
    RAVLEN_LINE(texture.alpha), // TextureAlpha
    RAVLEN_LINE(texture.size), // TextureSize
    RAVLEN_LINE(texture.type), // TextureType
    RAVLEN_LINE(tint.enabled), // Tint
    RAVLEN_LINE(tint.bright), // TintBright
    RAVLEN_LINE(tint.color), // TintColor
    RAVLEN_LINE(tint.type), // TintType
    RAVLEN_LINE(motion.upMotion), // UpMotion
    RAVLEN_LINE(behaviour.userDrag), // UserDrag
}};

#undef RAVLEN_LINE

double pointSize(const QFont &font)
{
    return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
}

// Files from older systems were written in the Windows code page.
QString decodeLine(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? windows.decode(bytes) : QString::fromLatin1(bytes);
}

} // namespace

QByteArray format(const RavlenLook &look, const QFont &font)
{
    QStringList lines;
    lines.reserve(LineCount);
    for (const LookLine &line : kLookLines)
        lines.append(line.format(look));
    lines.append(formatted(look.caption.color));
    lines.append(font.family());
    lines.append(formatFontSize(pointSize(font)));
    lines.append(formatted(font.bold()));
    lines.append(formatted(look.skin.maskColor));
    QString text = lines.join(QLatin1String("\r\n"));
    text += QLatin1String("\r\n");
    return text.toUtf8();
}

std::optional<QList<Line>> readLines(QIODevice &device)
{
    QList<QByteArray> raw;
    QList<bool> complete;
    QByteArray current;
    bool overflow = false;
    bool afterCr = false;
    const auto endLine = [&] {
        raw.append(current);
        complete.append(!overflow);
        current.clear();
        overflow = false;
    };

    std::array<char, 64 * 1024> buffer;
    qint64 total = 0;
    while (raw.size() < LineCount && total < MaxReadBytes) {
        const qint64 count = device.read(buffer.data(), qMin<qint64>(buffer.size(), MaxReadBytes - total));
        if (count <= 0)
            break;
        total += count;
        for (qint64 i = 0; i < count && raw.size() < LineCount; ++i) {
            const char c = buffer[size_t(i)];
            if (c == '\0')
                return std::nullopt;
            if (afterCr) {
                afterCr = false;
                if (c == '\n')
                    continue;
            }
            if (c == '\r' || c == '\n') {
                afterCr = c == '\r';
                endLine();
            } else if (current.size() < MaxLineLength) {
                current.append(c);
            } else {
                overflow = true;
            }
        }
    }
    if ((!current.isEmpty() || overflow) && raw.size() < LineCount)
        endLine();

    QList<Line> lines;
    lines.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i)
        lines.append({decodeLine(raw[i]), complete[i]});
    if (!lines.isEmpty() && lines.first().text.startsWith(QChar::ByteOrderMark))
        lines.first().text.remove(0, 1);
    return lines;
}

Tail apply(const QList<Line> &lines, RavlenLook &look)
{
    const qsizetype lookLines = qMin<qsizetype>(lines.size(), LookLineCount);
    for (qsizetype i = 0; i < lookLines; ++i)
        kLookLines[size_t(i)].parse(lines[i], look);

    Tail tail;
    const auto line = [&](int number) -> const Line * { return number <= lines.size() ? &lines[number - 1] : nullptr; };
    if (const Line *colour = line(62))
        tail.captionColor = FieldValues::toColor(leadingNumber(colour->text));
    if (const Line *family = line(63); family && family->complete && !family->text.isEmpty())
        tail.fontFamily = family->text;
    if (const Line *size = line(64)) {
        // A size the file cannot write back (it keeps four decimal places) or
        // one no screen can show would leave the font unusable, and would not
        // survive the next save; the font keeps the size it has.
        const double points = leadingNumber(size->text);
        if (points >= kSmallestFontSize && points <= kLargestFontSize)
            tail.fontPointSize = points;
    }
    if (const Line *bold = line(65); bold && bold->complete)
        tail.fontBold = booleanValue(bold->text);
    if (const Line *mask = line(66))
        tail.maskColor = FieldValues::toColor(leadingNumber(mask->text));
    return tail;
}

bool save(const QString &path, const RavlenLook &look, const QFont &font)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = format(look, font);
    // The buffer is flushed here because commit() ignores a failed flush
    // and would put a cut-off file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QList<Line>> load(const QString &path)
{
    QFile file;
    if (!PrivateFile::openRegular(file, path))
        return std::nullopt;
    return readLines(file);
}

double leadingNumber(QStringView text) { return parseLeadingNumber(text).value; }

std::optional<bool> booleanValue(QStringView text)
{
    const QStringView word = text.trimmed();
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const Number number = parseLeadingNumber(word);
    if (number.end == 0 || number.end != word.size())
        return std::nullopt;
    return number.value != 0;
}

QString formatSingle(float value)
{
    if (value == 0)
        return withBlanks(QStringLiteral("0"), false);
    // The shortest text that reads back as the same Single; plain decimals
    // for everyday sizes, an exponent only for the extremes.
    std::array<char, 64> text;
    const float magnitude = std::fabs(value);
    const auto style = (magnitude >= 1e-4f && magnitude < 1e15f) ? std::chars_format::fixed
                                                                 : std::chars_format::scientific;
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value, style);
    return withBlanks(QString::fromLatin1(text.data(), result.ptr - text.data()), value < 0);
}

QString formatFontSize(double points)
{
    QString text = QString::number(points, 'f', 4);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return withBlanks(text, text.startsWith(u'-'));
}

} // namespace SettingsFile
