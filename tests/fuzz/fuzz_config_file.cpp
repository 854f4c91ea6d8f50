// Zorbel.cfg: the reader over text and over a file, checked against a plain
// reading of the rules (trim, skip, upper-case, squeeze, split at the one
// colon, compare the key, judge the value). Nothing but ZorbelError may come
// out of the reader: any other exception ends the run as a crash.

#include "fuzz_support.h"

#include "services/error_codes.h"
#include "services/files/config_file.h"
#include "services/files/text_file.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

namespace {

// What a read applied, one "key value seconds on" entry a setting, then
// "overflow" when it ended in one.
void add(QStringList &outcome, const ConfigSetting &setting)
{
    outcome << QStringLiteral("%1 %2 %3 %4").arg(int(setting.key)).arg(setting.valueText).arg(setting.seconds).arg(setting.on);
}

QStringList plainRead(const QStringList &lines)
{
    static const QRegularExpression numeric(QStringLiteral("^[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:E[+-]?[0-9]+)?$"));
    static const QStringList keys{"TIMERTIME", "SOUNDCONTINUAL", "BUZZER", "SOUND", "TIMER"};
    QStringList outcome;
    for (const QString &line : lines) {
        const QString trimmed = trimmedOfSpaces(line);
        const QStringList parts = trimmed.toUpper().remove(u' ').split(u':');
        if (trimmed.startsWith(u'#') || parts.size() != 2 || !keys.contains(parts[0]))
            continue;
        ConfigSetting setting;
        setting.key = ConfigSetting::Key(keys.indexOf(parts[0]));
        if (setting.key == ConfigSetting::Key::TimerTime) {
            if (!numeric.match(parts[1]).hasMatch())
                continue;
            const double whole = std::nearbyint(std::strtod(parts[1].toLatin1().constData(), nullptr));
            if (!(whole >= -32768 && whole <= 32767))
                return outcome << QStringLiteral("overflow");
            setting.valueText = parts[1];
            setting.seconds = qint16(whole);
            if (whole >= 0 && whole <= 120 && int(whole) % 10 == 0)
                add(outcome, setting);
            continue;
        }
        // SOUND and TIMER take ON and OFF beside YES and NO.
        const bool onOff = setting.key == ConfigSetting::Key::Sound || setting.key == ConfigSetting::Key::Timer;
        setting.on = parts[1] == QLatin1String("YES") || (onOff && parts[1] == QLatin1String("ON"));
        if (setting.on || parts[1] == QLatin1String("NO") || (onOff && parts[1] == QLatin1String("OFF")))
            add(outcome, setting);
    }
    return outcome;
}

template <typename Read>
QStringList outcomeOf(Read &&read)
{
    QStringList outcome;
    try {
        read([&](const ConfigSetting &setting) { add(outcome, setting); });
    } catch (const ZorbelError &error) {
        FUZZ_CHECK(error.number() == ErrorNumber::Overflow, error.detail());
        outcome << QStringLiteral("overflow");
    }
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const QByteArray bytes = fuzzBytes(data, size);
    // The text as a whole, decoded once.
    const QString text = TextFile::decode(bytes);
    const QStringList fromText = outcomeOf([&](const ConfigFile::ApplySetting &apply) { ConfigFile::readText(text, apply); });
    const QStringList expectedText = plainRead(TextFile::splitLines(text));
    FUZZ_CHECK(fromText == expectedText, QStringLiteral("text\nread:     %1\nexpected: %2").arg(shown(fromText), shown(expectedText)));
    // The file, read piece by piece and decoded line by line.
    const QString path = folder.filePath(QStringLiteral("Zorbel.cfg"));
    writeFuzzFile(path, bytes);
    const QStringList fromFile = outcomeOf([&](const ConfigFile::ApplySetting &apply) { ConfigFile::readFile(path, apply); });
    QStringList decodedLines;
    for (const QByteArray &line : plainLines(bytes))
        decodedLines.append(TextFile::decode(line));
    const QStringList expectedFile = plainRead(decodedLines);
    FUZZ_CHECK(fromFile == expectedFile, QStringLiteral("file\nread:     %1\nexpected: %2").arg(shown(fromFile), shown(expectedFile)));
    return 0;
}
