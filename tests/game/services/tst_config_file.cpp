#include "services/config_file.h"
#include "services/error_codes.h"
#include "services/text_file.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using Key = ConfigSetting::Key;

char *toString(const ConfigSetting &setting)
{
    static const char *const names[] = {"TimerTime", "SoundContinual", "Buzzer", "Sound", "Timer"};
    const QString text = setting.key == Key::TimerTime
        ? QStringLiteral("TimerTime %1 (%2)").arg(setting.valueText).arg(setting.seconds)
        : QStringLiteral("%1 %2").arg(QLatin1String(names[int(setting.key)]),
                                      setting.on ? QStringLiteral("on") : QStringLiteral("off"));
    return qstrdup(text.toUtf8().constData());
}

namespace {

ConfigSetting timerTime(const QString &text, qint16 seconds)
{
    ConfigSetting setting;
    setting.key = Key::TimerTime;
    setting.valueText = text;
    setting.seconds = seconds;
    return setting;
}

ConfigSetting onOff(Key key, bool on)
{
    ConfigSetting setting;
    setting.key = key;
    setting.on = on;
    return setting;
}

QList<ConfigSetting> readAll(QStringView text)
{
    QList<ConfigSetting> settings;
    ConfigFile::readText(text, [&](const ConfigSetting &setting) { settings.append(setting); });
    return settings;
}

QList<ConfigSetting> readAllFromFile(const QString &path)
{
    QList<ConfigSetting> settings;
    ConfigFile::readFile(path, [&](const ConfigSetting &setting) { settings.append(setting); });
    return settings;
}

} // namespace

class TestConfigFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseLine_data();
    void parseLine();
    void overflowEndsReading_data();
    void overflowEndsReading();
    void readTextAppliesInFileOrder();
    void readFileToleratesAnyInput_data();
    void readFileToleratesAnyInput();
    void readFileOfFolderThrows();
    void savedBytes_data();
    void savedBytes();
    void savedFileReadsBack();
    void failedSaveLeavesOldFile();
};

void TestConfigFile::parseLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<std::optional<ConfigSetting>>("setting");
    const std::optional<ConfigSetting> none;

    // case and blanks
    QTest::newRow("lower case with blanks") << "sound : on" << std::optional(onOff(Key::Sound, true));
    QTest::newRow("blank inside key") << "timer time: 40" << std::optional(timerTime("40", 40));
    QTest::newRow("blank inside value") << "TimerTime: 4 0" << std::optional(timerTime("40", 40));
    QTest::newRow("mixed case") << "  tImEr: oFf  " << std::optional(onOff(Key::Timer, false));
    QTest::newRow("tab is no blank") << "Timer:\tOn" << none;

    // lines that are no setting
    QTest::newRow("two colons") << "Sound:ON:again" << none;
    QTest::newRow("no colon") << "Timer on" << none;
    QTest::newRow("comment") << "  # Sound: on" << none;
    QTest::newRow("empty") << "" << none;
    QTest::newRow("unknown key") << "Timers: on" << none;

    // the countdown: whole tens from 0 to 120
    QTest::newRow("45 ignored") << "TimerTime: 45" << none;
    QTest::newRow("130 ignored") << "TimerTime: 130" << none;
    QTest::newRow("0 accepted") << "TimerTime: 0" << std::optional(timerTime("0", 0));
    QTest::newRow("negative ignored") << "TimerTime: -10" << none;
    QTest::newRow("in range of 16 bits but too long") << "TimerTime: 32767" << none;
    QTest::newRow("lowest 16-bit value") << "TimerTime: -32768" << none;
    QTest::newRow("empty value") << "TimerTime:" << none;

    // fractions are rounded, halves to even; the box keeps the text
    QTest::newRow("40.4 shown as written") << "TimerTime: 40.4" << std::optional(timerTime("40.4", 40));
    QTest::newRow("39.6 rounds up") << "TimerTime: 39.6" << std::optional(timerTime("39.6", 40));
    QTest::newRow("120.5 to even 120") << "TimerTime: 120.5" << std::optional(timerTime("120.5", 120));
    QTest::newRow("9.5 to even 10") << "TimerTime: 9.5" << std::optional(timerTime("9.5", 10));
    QTest::newRow("44.5 to even 44") << "TimerTime: 44.5" << none;
    QTest::newRow("-0.4 rounds to 0") << "TimerTime: -0.4" << std::optional(timerTime("-0.4", 0));

    // written forms of numbers
    QTest::newRow("plus sign") << "TimerTime: +40" << std::optional(timerTime("+40", 40));
    QTest::newRow("minus zero") << "TimerTime: -0" << std::optional(timerTime("-0", 0));
    QTest::newRow("trailing point") << "TimerTime: 40." << std::optional(timerTime("40.", 40));
    QTest::newRow("leading point") << "TimerTime: .5e2" << std::optional(timerTime(".5E2", 50));
    QTest::newRow("exponent") << "TimerTime: 6e1" << std::optional(timerTime("6E1", 60));
    QTest::newRow("signed exponent") << "TimerTime: 7000e-2" << std::optional(timerTime("7000E-2", 70));
    QTest::newRow("underflow is zero") << "TimerTime: 1e-400" << std::optional(timerTime("1E-400", 0));
    QTest::newRow("leading zeros") << "TimerTime: 0080" << std::optional(timerTime("0080", 80));
    QTest::newRow("NaN skipped") << "TimerTime: NaN" << none;
    QTest::newRow("Infinity skipped") << "TimerTime: Infinity" << none;
    QTest::newRow("basic hex skipped") << "TimerTime: &H28" << none;
    QTest::newRow("c hex skipped") << "TimerTime: 0x28" << none;
    QTest::newRow("decimal comma skipped") << "TimerTime: 40,0" << none;
    QTest::newRow("thousands separator skipped") << "TimerTime: 1,000" << none;
    QTest::newRow("bare point") << "TimerTime: ." << none;
    QTest::newRow("exponent without digits") << "TimerTime: 4e" << none;
    QTest::newRow("arabic-indic digits") << QStringLiteral("TimerTime: \u0664\u0660") << none;

    // the switches
    QTest::newRow("continual yes") << "SoundContinual: Yes" << std::optional(onOff(Key::SoundContinual, true));
    QTest::newRow("continual no") << "SoundContinual: NO" << std::optional(onOff(Key::SoundContinual, false));
    QTest::newRow("continual on ignored") << "SoundContinual: on" << none;
    QTest::newRow("buzzer yes") << "Buzzer: yes" << std::optional(onOff(Key::Buzzer, true));
    QTest::newRow("buzzer off ignored") << "Buzzer: off" << none;
    QTest::newRow("sound yes") << "Sound: Yes" << std::optional(onOff(Key::Sound, true));
    QTest::newRow("sound off") << "Sound: off" << std::optional(onOff(Key::Sound, false));
    QTest::newRow("sound no") << "Sound: No" << std::optional(onOff(Key::Sound, false));
    QTest::newRow("sound maybe ignored") << "Sound: maybe" << none;
    QTest::newRow("timer yes") << "Timer: YES" << std::optional(onOff(Key::Timer, true));
    QTest::newRow("timer empty ignored") << "Timer: " << none;
}

void TestConfigFile::parseLine()
{
    QFETCH(QString, line);
    QFETCH(std::optional<ConfigSetting>, setting);
    const std::optional<ConfigSetting> parsed = ConfigFile::parseLine(line);
    QCOMPARE(parsed.has_value(), setting.has_value());
    if (setting) {
        QCOMPARE(parsed->key, setting->key);
        QCOMPARE(parsed->valueText, setting->valueText);
        QCOMPARE(parsed->seconds, setting->seconds);
        QCOMPARE(parsed->on, setting->on);
    }
}

void TestConfigFile::overflowEndsReading_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("1e300") << "1e300";
    QTest::newRow("beyond a double") << "1e400";
    QTest::newRow("huge digits") << QString(400, u'9');
    QTest::newRow("rounds past 32767") << "32767.5";
    QTest::newRow("below -32768") << "-32769";
    QTest::newRow("99999") << "99999";
}

void TestConfigFile::overflowEndsReading()
{
    QFETCH(QString, value);
    const QString text = QStringLiteral("Sound: on\r\nTimer: off\r\nTimerTime: ") + value
        + QStringLiteral("\r\nBuzzer: yes\r\n");
    QList<ConfigSetting> applied;
    try {
        ConfigFile::readText(text, [&](const ConfigSetting &setting) { applied.append(setting); });
        QFAIL("the overflow was not reported");
    } catch (const ZorbelError &error) {
        QCOMPARE(error.number(), ErrorNumber::Overflow);
    }
    QCOMPARE(applied, (QList<ConfigSetting>{onOff(Key::Sound, true), onOff(Key::Timer, false)}));
}

void TestConfigFile::readTextAppliesInFileOrder()
{
    const QString text = QStringLiteral("#Zorbel Configuration file\r\n\r\nTimerTime: 60\nSound: on\rTimer: yes\r\n"
                                        "Nonsense\r\nTimerTime: 45\r\nSound: off\r\nTimerTime: 20");
    QCOMPARE(readAll(text), (QList<ConfigSetting>{timerTime("60", 60), onOff(Key::Sound, true),
                                                  onOff(Key::Timer, true), onOff(Key::Sound, false),
                                                  timerTime("20", 20)}));

    QString manyKeys;
    for (int i = 0; i < 10000; ++i)
        manyKeys += QStringLiteral("Timer: %1\r\n").arg(i % 2 ? QStringLiteral("off") : QStringLiteral("on"));
    const QList<ConfigSetting> settings = readAll(manyKeys);
    QCOMPARE(settings.size(), 10000);
    QCOMPARE(settings.last(), onOff(Key::Timer, false));
}

void TestConfigFile::readFileToleratesAnyInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<ConfigSetting>>("settings");

    QTest::newRow("header only") << QByteArray("#Zorbel Configuration file\r\n\r\n") << QList<ConfigSetting>{};
    QTest::newRow("empty") << QByteArray() << QList<ConfigSetting>{};
    QTest::newRow("no final line end") << QByteArray("Buzzer: yes\r\nTimer: on")
                                       << QList<ConfigSetting>{onOff(Key::Buzzer, true), onOff(Key::Timer, true)};
    QTest::newRow("windows-1252 and nul bytes")
        << QByteArray("caf\xe9: on\r\n") + QByteArray(3, '\0') + QByteArray("\r\nSound: yes\r\n") << QList<ConfigSetting>{onOff(Key::Sound, true)};

    QByteArray binary(1 << 20, Qt::Uninitialized);
    QRandomGenerator random(20210303);
    for (char &c : binary)
        c = char(random.bounded(256));
    QTest::newRow("binary around a setting")
        << binary + QByteArray("\r\nTimerTime: 90\r\n") + binary
        << QList<ConfigSetting>{timerTime("90", 90)};

    QTest::newRow("overlong line skipped")
        << QByteArray("Sound:") + QByteArray(3 << 20, ' ') + QByteArray("on\r\nTimer: off\r\n")
        << QList<ConfigSetting>{onOff(Key::Timer, false)};

    // A hundred megabytes of lines that are no setting, read in bounded
    // memory, with the one setting at the very end.
    QByteArray junk;
    const QByteArray junkLine = QByteArray(98, 'x') + "\r\n";
    junk.reserve(100 << 20);
    while (junk.size() < (100 << 20))
        junk += junkLine;
    QTest::newRow("100 MB") << junk + "Sound: off" << QList<ConfigSetting>{onOff(Key::Sound, false)};
}

void TestConfigFile::readFileToleratesAnyInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<ConfigSetting>, settings);
    QTemporaryDir dir;
    const QString path = dir.filePath(ConfigFile::fileName());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    QCOMPARE(readAllFromFile(path), settings);
}

void TestConfigFile::readFileOfFolderThrows()
{
    QTemporaryDir dir;
    QCOMPARE(readAllFromFile(dir.filePath(QStringLiteral("missing.cfg"))), QList<ConfigSetting>{});
    try {
        readAllFromFile(dir.path());
        QFAIL("a folder was read as the configuration file");
    } catch (const ZorbelError &error) {
        QCOMPARE(error.number(), ErrorNumber::PathFileAccessError);
    }
}

void TestConfigFile::savedBytes_data()
{
    QTest::addColumn<ConfigChoices>("choices");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("countdown 60, continual no, buzzer yes, sound yes, timer no")
        << ConfigChoices{"60", false, true, true, false}
        << QByteArray("#Zorbel Configuration file\r\n\r\nTimerTime: 60\r\nSoundContinual: No\r\nBuzzer: Yes\r\n"
                      "Sound: Yes\r\nTimer: No\r\n");
    QTest::newRow("lists without a selection")
        << ConfigChoices{"", std::nullopt, std::nullopt, std::nullopt, std::nullopt}
        << QByteArray("#Zorbel Configuration file\r\n\r\nTimerTime: \r\nSoundContinual: \r\nBuzzer: \r\n"
                      "Sound: \r\nTimer: \r\n");
    QTest::newRow("line break in the countdown text")
        << ConfigChoices{"30\r\nSound: Yes", true, false, false, true}
        << QByteArray("#Zorbel Configuration file\r\n\r\nTimerTime: 30Sound: Yes\r\nSoundContinual: Yes\r\n"
                      "Buzzer: No\r\nSound: No\r\nTimer: Yes\r\n");
}

void TestConfigFile::savedBytes()
{
    QFETCH(ConfigChoices, choices);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(ConfigFile::fileName());
    ConfigFile::save(path, choices);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

void TestConfigFile::savedFileReadsBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(ConfigFile::fileName());
    ConfigFile::save(path, ConfigChoices{"110", true, false, true, false});
    QCOMPARE(readAllFromFile(path),
             (QList<ConfigSetting>{timerTime("110", 110), onOff(Key::SoundContinual, true), onOff(Key::Buzzer, false),
                                   onOff(Key::Sound, true), onOff(Key::Timer, false)}));
}

void TestConfigFile::failedSaveLeavesOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(ConfigFile::fileName());
    ConfigFile::save(path, ConfigChoices{"30", false, false, false, false});
    const QByteArray old = TextFile::read(path).toUtf8();
    QFile::setPermissions(path, QFile::ReadOwner);
    try {
        ConfigFile::save(path, ConfigChoices{"90", true, true, true, true});
        QFAIL("a read-only file was replaced");
    } catch (const ZorbelError &error) {
        QCOMPARE(error.number(), ErrorNumber::PermissionDenied);
    }
    QCOMPARE(TextFile::read(path).toUtf8(), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{ConfigFile::fileName()});
}

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_config_file.moc"
