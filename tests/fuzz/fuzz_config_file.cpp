// Zorbel.cfg: the reader over text and over a file, checked against a plain
// reading of the rules (trim, skip, upper-case, squeeze, split at the one
// colon, compare the key, judge the value). Nothing but ZorbelError may come
// out of the reader: any other exception ends the run as a crash.

#include "fuzz_support.h"

#include "services/config_file.h"
#include "services/error_codes.h"
#include "services/text_file.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

namespace {

using Key = ConfigSetting::Key;

// What a read applied, one "key value seconds on" entry a setting, then
// "overflow" when it ended in one.
using Outcome = QStringList;

void add(Outcome &outcome, const ConfigSetting &setting)
{
    outcome << QStringLiteral("%1 %2 %3 %4").arg(int(setting.key)).arg(setting.valueText).arg(setting.seconds).arg(setting.on);
}

// The setting a line gives, if any; false when it ends the reading.
bool plainLine(QString line, Outcome &outcome)
{
    static const QRegularExpression numeric(QStringLiteral("^[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:E[+-]?[0-9]+)?$"));
    while (line.startsWith(u' '))
        line.remove(0, 1);
    while (line.endsWith(u' '))
        line.chop(1);
    const QStringList parts = line.toUpper().remove(u' ').split(u':');
    if (line.startsWith(u'#') || parts.size() != 2)
        return true;
    const QString &key = parts[0];
    const QString &value = parts[1];
    ConfigSetting setting;
    if (key == QLatin1String("TIMERTIME")) {
        if (!numeric.match(value).hasMatch())
            return true;
        const double whole = std::nearbyint(std::strtod(value.toLatin1().constData(), nullptr));
        if (!(whole >= -32768 && whole <= 32767)) {
            outcome << QStringLiteral("overflow");
            return false;
        }
        if (whole < 0 || whole > 120 || int(whole) % 10 != 0)
            return true;
        setting.valueText = value;
        setting.seconds = qint16(whole);
        add(outcome, setting);
        return true;
    }
    // SOUND and TIMER take ON and OFF beside YES and NO.
    static const QStringList keys{"TIMERTIME", "SOUNDCONTINUAL", "BUZZER", "SOUND", "TIMER"};
    const bool onOff = key == QLatin1String("SOUND") || key == QLatin1String("TIMER");
    const bool on = value == QLatin1String("YES") || (onOff && value == QLatin1String("ON"));
    const bool off = value == QLatin1String("NO") || (onOff && value == QLatin1String("OFF"));
    if (keys.contains(key) && (on || off)) {
        setting.key = Key(keys.indexOf(key));
        setting.on = on;
        add(outcome, setting);
    }
    return true;
}

Outcome plainRead(const QStringList &lines)
{
    Outcome outcome;
    for (const QString &line : lines)
        if (!plainLine(line, outcome))
            break;
    return outcome;
}

template <typename Read>
Outcome outcomeOf(Read &&read)
{
    Outcome outcome;
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
    const Outcome fromText = outcomeOf([&](const ConfigFile::ApplySetting &apply) { ConfigFile::readText(text, apply); });
    const Outcome expectedText = plainRead(TextFile::splitLines(text));
    FUZZ_CHECK(fromText == expectedText, QStringLiteral("text\nread:     %1\nexpected: %2").arg(shown(fromText), shown(expectedText)));

    // The file, read piece by piece and decoded line by line.
    const QString path = folder.filePath(QStringLiteral("Zorbel.cfg"));
    writeFuzzFile(path, bytes);
    const Outcome fromFile = outcomeOf([&](const ConfigFile::ApplySetting &apply) { ConfigFile::readFile(path, apply); });
    QStringList decodedLines;
    for (const QByteArray &line : plainLines(bytes))
        decodedLines.append(TextFile::decode(line));
    const Outcome expectedFile = plainRead(decodedLines);
    FUZZ_CHECK(fromFile == expectedFile, QStringLiteral("file\nread:     %1\nexpected: %2").arg(shown(fromFile), shown(expectedFile)));
    return 0;
}
