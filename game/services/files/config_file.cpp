#include "services/files/config_file.h"

#include "services/error_codes.h"
#include "services/files/text_file.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr qsizetype kLongestLine = 1024 * 1024;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Only the space character is a blank here, as in the question files: a tab
// inside a line is part of its text.
QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

// Which side of the double range a number lies on that from_chars could not
// represent: the decimal exponent of its first significant digit tells
// overflow (positive) from underflow (negative).
bool beyondDoubleRange(QStringView mantissa, long long exponent)
{
    long long lead = 0;
    bool seenPoint = false;
    bool significant = false;
    for (const QChar c : mantissa) {
        if (c == u'.') {
            seenPoint = true;
        } else if (!significant && c == u'0') {
            if (seenPoint)
                --lead;
        } else if (!significant) {
            significant = true;
            if (seenPoint)
                --lead;
        } else if (!seenPoint) {
            ++lead;
        }
    }
    return significant && lead + exponent > 0;
}

std::optional<bool> yesNo(QStringView value)
{
    if (value == u"YES")
        return true;
    if (value == u"NO")
        return false;
    return std::nullopt;
}

std::optional<bool> onOff(QStringView value)
{
    if (value == u"ON" || value == u"YES")
        return true;
    if (value == u"OFF" || value == u"NO")
        return false;
    return std::nullopt;
}

std::optional<ConfigSetting> timerTime(const QString &value)
{
    const std::optional<CountdownLength> length = ConfigFile::countdownLength(value);
    if (!length)
        return std::nullopt;
    ConfigSetting setting;
    setting.key = ConfigSetting::Key::TimerTime;
    setting.valueText = length->text;
    setting.seconds = length->seconds;
    return setting;
}

std::optional<ConfigSetting> switchSetting(ConfigSetting::Key key, std::optional<bool> on)
{
    if (!on)
        return std::nullopt;
    ConfigSetting setting;
    setting.key = key;
    setting.on = *on;
    return setting;
}

QString yesNoText(std::optional<bool> value)
{
    if (!value)
        return {};
    return *value ? QStringLiteral("Yes") : QStringLiteral("No");
}

// The lists never hold a line break; one typed into the countdown text
// would start a line of its own that the reader would take for a setting.
QString singleLine(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

QString decodeLine(const QByteArray &bytes)
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uchar>(c) < 0x80; });
    return ascii ? QString::fromLatin1(bytes) : TextFile::decode(bytes);
}

} // namespace

void PlaySettings::apply(const ConfigSetting &setting)
{
    using Key = ConfigSetting::Key;
    switch (setting.key) {
    case Key::TimerTime:
        timerTime = CountdownLength{setting.valueText, setting.seconds};
        break;
    case Key::SoundContinual:
        soundContinual = setting.on;
        break;
    case Key::Buzzer:
        buzzer = setting.on;
        break;
    case Key::Sound:
        sound = setting.on;
        break;
    case Key::Timer:
        timer = setting.on;
        break;
    }
}

namespace ConfigFile {

QString fileName()
{
    return QStringLiteral("Zorbel.cfg");
}

std::optional<double> numericValue(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    const qsizetype mantissaStart = i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    const QStringView mantissa = text.sliced(mantissaStart, i - mantissaStart);

    long long exponent = 0;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            negativeExponent = text[i] == u'-';
            ++i;
        }
        qsizetype exponentDigits = 0;
        while (i < n && isDigit(text[i])) {
            // Saturates far beyond any double's exponent, so that a thousand
            // digits cannot wrap around into a small number.
            exponent = std::min(exponent * 10 + (text[i].unicode() - u'0'), 1'000'000'000LL);
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != n)
        return std::nullopt;

    // Everything left is ASCII; from_chars reads it in the C locale.
    const QByteArray ascii = text.sliced(mantissaStart).toLatin1();
    double value = 0.0;
    const auto result = std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = beyondDoubleRange(mantissa, exponent) ? std::numeric_limits<double>::infinity() : 0.0;
    else if (result.ec != std::errc() || result.ptr != ascii.constData() + ascii.size())
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<CountdownLength> countdownLength(const QString &value)
{
    const std::optional<double> number = numericValue(value);
    if (!number)
        return std::nullopt;
    // nearbyint rounds halves to the even neighbour in the default mode.
    const double whole = std::nearbyint(*number);
    if (!(whole >= std::numeric_limits<qint16>::min() && whole <= std::numeric_limits<qint16>::max()))
        throw ZorbelError(ErrorNumber::Overflow, QStringLiteral("TimerTime %1 is out of range").arg(value.left(40)));
    const auto seconds = static_cast<qint16>(whole);
    if (seconds < 0 || seconds > 120 || seconds % 10 != 0)
        return std::nullopt;
    return CountdownLength{value, seconds};
}

std::optional<ConfigSetting> parseLine(QStringView line)
{
    const QStringView trimmed = trimBlanks(line);
    if (trimmed.isEmpty() || trimmed.front() == u'#' || !trimmed.contains(u':'))
        return std::nullopt;

    QString squeezed = trimmed.toString().toUpper();
    squeezed.remove(u' ');
    const qsizetype colon = squeezed.indexOf(u':');
    if (colon < 0 || squeezed.indexOf(u':', colon + 1) >= 0)
        return std::nullopt;
    const QStringView key = QStringView(squeezed).left(colon);
    const QString value = squeezed.mid(colon + 1);

    using Key = ConfigSetting::Key;
    if (key == u"TIMERTIME")
        return timerTime(value);
    if (key == u"SOUNDCONTINUAL")
        return switchSetting(Key::SoundContinual, yesNo(value));
    if (key == u"BUZZER")
        return switchSetting(Key::Buzzer, yesNo(value));
    if (key == u"SOUND")
        return switchSetting(Key::Sound, onOff(value));
    if (key == u"TIMER")
        return switchSetting(Key::Timer, onOff(value));
    return std::nullopt;
}

void readText(QStringView text, const ApplySetting &apply)
{
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start <= n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        if (end == n && start == n)
            break;
        if (const auto setting = parseLine(text.sliced(start, end - start)))
            apply(*setting);
        if (end + 1 < n && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

void readFile(const QString &path, const ApplySetting &apply)
{
    const QFileInfo info(path);
    if (!info.exists())
        return;
    if (info.isDir())
        throw ZorbelError(ErrorNumber::PathFileAccessError, path + QStringLiteral(" is a folder"));
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw ZorbelError::forFile(path, file.errorString(), errno);

    QByteArray line;
    bool overlong = false;
    bool afterCr = false;
    const auto endLine = [&] {
        if (!overlong) {
            if (const auto setting = parseLine(decodeLine(line)))
                apply(*setting);
        }
        line.clear();
        overlong = false;
    };

    std::array<char, 64 * 1024> chunk;
    for (;;) {
        errno = 0;
        const qint64 got = file.read(chunk.data(), qint64(chunk.size()));
        if (got < 0)
            throw ZorbelError::forFile(path, file.errorString(), errno);
        if (got == 0)
            break;
        const char *p = chunk.data();
        const char *const end = p + got;
        while (p < end) {
            if (afterCr && *p == '\n') {
                afterCr = false;
                ++p;
                continue;
            }
            afterCr = false;
            const char *stop = std::find_if(p, end, [](char c) { return c == '\r' || c == '\n'; });
            if (!overlong) {
                if (line.size() + (stop - p) > kLongestLine) {
                    overlong = true;
                    line.clear();
                } else {
                    line.append(p, stop - p);
                }
            }
            p = stop;
            if (p < end) {
                afterCr = *p == '\r';
                ++p;
                endLine();
            }
        }
    }
    if (!line.isEmpty() || overlong)
        endLine();
}

Reading read(const QString &path)
{
    Reading reading;
    try {
        readFile(path, [&reading](const ConfigSetting &setting) { reading.settings.apply(setting); });
    } catch (const ZorbelError &error) {
        reading.failure = error;
    }
    return reading;
}

QByteArray fileBytes(const PlaySettings &settings)
{
    const QString crLf = QStringLiteral("\r\n");
    const QString text = QStringLiteral("#Zorbel Configuration file") + crLf + crLf + QStringLiteral("TimerTime: ")
                         + singleLine(settings.timerTime ? settings.timerTime->text : QString()) + crLf
                         + QStringLiteral("SoundContinual: ") + yesNoText(settings.soundContinual) + crLf
                         + QStringLiteral("Buzzer: ") + yesNoText(settings.buzzer) + crLf + QStringLiteral("Sound: ")
                         + yesNoText(settings.sound) + crLf + QStringLiteral("Timer: ") + yesNoText(settings.timer)
                         + crLf;
    return text.toUtf8();
}

void save(const QString &path, const PlaySettings &settings)
{
    TextFile::replaceBytes(path, fileBytes(settings));
}

} // namespace ConfigFile
