// Zorbel.cfg: the reader over text and over a file, checked against a plain
// reading of the rules (trim, skip, upper-case, squeeze, split at the one
// colon, compare the key, judge the value). Nothing but ZorbelError may come
// out of the reader: any other exception ends the run as a crash.

#include "fuzz_support.h"

#include "services/config_file.h"
#include "services/error_codes.h"
#include "services/text_file.h"

#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

// What a read applied, and whether it ended in an overflow.
struct Outcome {
    QList<ConfigSetting> settings;
    bool overflow = false;

    friend bool operator==(const Outcome &, const Outcome &) = default;
};

QString described(const Outcome &outcome)
{
    QString text;
    for (const ConfigSetting &setting : outcome.settings)
        text += QStringLiteral("[%1 %2 %3 %4] ")
                    .arg(int(setting.key))
                    .arg(setting.valueText)
                    .arg(setting.seconds)
                    .arg(setting.on);
    return text + (outcome.overflow ? QStringLiteral("overflow") : QString());
}

std::optional<bool> plainSwitch(const QString &value, bool onOff)
{
    if (value == QLatin1String("YES") || (onOff && value == QLatin1String("ON")))
        return true;
    if (value == QLatin1String("NO") || (onOff && value == QLatin1String("OFF")))
        return false;
    return std::nullopt;
}

// False when the line ends the reading with an overflow.
bool plainLine(QString line, Outcome &outcome)
{
    static const QRegularExpression numeric(QStringLiteral("^[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:E[+-]?[0-9]+)?$"));
    while (line.startsWith(u' '))
        line.remove(0, 1);
    while (line.endsWith(u' '))
        line.chop(1);
    if (line.isEmpty() || line.startsWith(u'#') || !line.contains(u':'))
        return true;
    line = line.toUpper();
    line.remove(u' ');
    const QStringList parts = line.split(u':');
    if (parts.size() != 2)
        return true;
    const QString &key = parts[0];
    const QString &value = parts[1];

    ConfigSetting setting;
    using Key = ConfigSetting::Key;
    if (key == QLatin1String("TIMERTIME")) {
        if (!numeric.match(value).hasMatch())
            return true;
        const double number = std::strtod(value.toLatin1().constData(), nullptr);
        const double whole = std::nearbyint(number);
        if (!(whole >= -32768 && whole <= 32767)) {
            outcome.overflow = true;
            return false;
        }
        const int seconds = int(whole);
        if (seconds < 0 || seconds > 120 || seconds % 10 != 0)
            return true;
        setting.key = Key::TimerTime;
        setting.valueText = value;
        setting.seconds = qint16(seconds);
    } else {
        const struct {
            const char *name;
            Key key;
            bool onOff;
        } switches[] = {
            {"SOUNDCONTINUAL", Key::SoundContinual, false},
            {"BUZZER", Key::Buzzer, false},
            {"SOUND", Key::Sound, true},
            {"TIMER", Key::Timer, true},
        };
        const auto found = std::find_if(std::begin(switches), std::end(switches),
                                        [&](const auto &entry) { return key == QLatin1String(entry.name); });
        if (found == std::end(switches))
            return true;
        const std::optional<bool> on = plainSwitch(value, found->onOff);
        if (!on)
            return true;
        setting.key = found->key;
        setting.on = *on;
    }
    outcome.settings.append(setting);
    return true;
}

Outcome plainRead(const QStringList &lines)
{
    Outcome outcome;
    for (const QString &line : lines) {
        if (!plainLine(line, outcome))
            break;
    }
    return outcome;
}

template <typename Read>
Outcome outcomeOf(Read &&read)
{
    Outcome outcome;
    try {
        read([&](const ConfigSetting &setting) { outcome.settings.append(setting); });
    } catch (const ZorbelError &error) {
        FUZZ_CHECK(error.number() == ErrorNumber::Overflow, error.detail());
        outcome.overflow = true;
    }
    return outcome;
}

QList<QByteArray> byteLines(const QByteArray &bytes)
{
    QByteArray unified = bytes;
    unified.replace("\r\n", "\n");
    unified.replace('\r', '\n');
    QList<QByteArray> lines = unified.split('\n');
    if (unified.endsWith('\n') || unified.isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const QByteArray bytes = fuzzBytes(data, size);

    // The text as a whole, decoded once.
    const QString text = TextFile::decode(bytes);
    const Outcome fromText = outcomeOf([&](const ConfigFile::ApplySetting &apply) { ConfigFile::readText(text, apply); });
    const Outcome expectedText = plainRead(TextFile::splitLines(text));
    FUZZ_CHECK(fromText == expectedText,
               QStringLiteral("text\nread:     %1\nexpected: %2").arg(described(fromText), described(expectedText)));

    // The file, read piece by piece and decoded line by line.
    const QString path = folder.filePath(QStringLiteral("Zorbel.cfg"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();
    const Outcome fromFile = outcomeOf([&](const ConfigFile::ApplySetting &apply) { ConfigFile::readFile(path, apply); });
    QStringList decodedLines;
    for (const QByteArray &line : byteLines(bytes))
        decodedLines.append(TextFile::decode(line));
    const Outcome expectedFile = plainRead(decodedLines);
    FUZZ_CHECK(fromFile == expectedFile,
               QStringLiteral("file\nread:     %1\nexpected: %2").arg(described(fromFile), described(expectedFile)));
    return 0;
}
