#include "error_of.h"
#include "services/files/config_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// "TimerTime <text>=<seconds>" or "<switch> on|off".
QString described(const ConfigSetting &setting)
{
    static const char *const names[] = {"TimerTime", "SoundContinual", "Buzzer", "Sound", "Timer"};
    return QLatin1String(names[int(setting.key)])
           + (setting.key == ConfigSetting::Key::TimerTime ? QStringLiteral(" %1=%2").arg(setting.valueText).arg(setting.seconds)
                                                           : QLatin1String(setting.on ? " on" : " off"));
}

// The settings a read applied, then "error <n>" when it failed.
template <typename Read>
QStringList applied(Read read)
{
    QStringList settings;
    const int error = errorOf([&] { read([&](const ConfigSetting &setting) { settings << described(setting); }); });
    if (error)
        settings << QStringLiteral("error %1").arg(error);
    return settings;
}

QStringList readText(const QString &text)
{
    return applied([&](const ConfigFile::ApplySetting &apply) { ConfigFile::readText(text, apply); });
}

QStringList readFile(const QString &path)
{
    return applied([&](const ConfigFile::ApplySetting &apply) { ConfigFile::readFile(path, apply); });
}

} // namespace

class TestConfigFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // clang-format off
    void parseLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("setting"); // empty: no setting

        QTest::newRow("case and blanks") << "  sound : oN  " << "Sound on";
        QTest::newRow("blanks inside key and value") << "timer time: 4 0" << "TimerTime 40=40";
        QTest::newRow("two colons") << "Sound:ON:again" << "";
        // the countdown: whole tens from 0 to 120, fractions rounded half to even
        QTest::newRow("45") << "TimerTime: 45" << "";
        QTest::newRow("130") << "TimerTime: 130" << "";
        QTest::newRow("40.4 shown as written") << "TimerTime: 40.4" << "TimerTime 40.4=40";
        QTest::newRow("120.5 to even") << "TimerTime: 120.5" << "TimerTime 120.5=120";
        QTest::newRow("NaN") << "TimerTime: NaN" << "";
        QTest::newRow("decimal comma") << "TimerTime: 40,0" << "";
        QTest::newRow("arabic-indic digits") << QStringLiteral("TimerTime: \u0664\u0660") << "";
        // the switches: ON and OFF only where a yes-no list would not do
        QTest::newRow("continual no") << "SoundContinual: NO" << "SoundContinual off";
        QTest::newRow("continual on") << "SoundContinual: on" << "";
        QTest::newRow("buzzer yes") << "Buzzer: yes" << "Buzzer on";
    }
    // clang-format on

    void parseLine()
    {
        QFETCH(QString, line);
        const std::optional<ConfigSetting> parsed = ConfigFile::parseLine(line);
        QTEST(parsed ? described(*parsed) : QString(), "setting");
    }

    void overflowEndsReading()
    {
        for (const char *value : {"1e400", "-32769"}) // beyond a double, below the 16-bit range
            QCOMPARE(readText("#Zorbel\r\n\nSound: on\rTimer: off\r\nNonsense\r\nTimerTime: 45\r\nTimerTime: " + QString::fromLatin1(value)
                              + "\r\nBuzzer: yes"),
                     (QStringList{"Sound on", "Timer off", "error 6"}));
    }

    void readFileToleratesAnyInput_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::addColumn<QStringList>("settings");
        QTest::newRow("no file") << QByteArray() << QStringList{};
        QTest::newRow("windows-1252, nul bytes, no final line end")
            << QByteArray("caf\xe9: on\r\n") + QByteArray(3, '\0') + QByteArray("\r\nSound: yes") << QStringList{"Sound on"};
        const QByteArray binary = QByteArray::fromHex("00019d7f80fe1aff0d").repeated(1 << 17);
        QTest::newRow("binary around a setting") << binary + "\r\nTimerTime: 90\r\n" + binary << QStringList{"TimerTime 90=90"};
        QTest::newRow("overlong line skipped") << "Sound:" + QByteArray(3 << 20, ' ') + "on\r\nTimer: off\r\n" << QStringList{"Timer off"};
        // A hundred megabytes of lines that are no setting, read in bounded
        // memory, with the one setting at the very end.
        QTest::newRow("100 MB") << QByteArray(98, 'x').append("\r\n").repeated(1 << 20) + "Sound: off" << QStringList{"Sound off"};
    }

    void readFileToleratesAnyInput()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(ConfigFile::fileName());
        if (!bytes.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        QTEST(readFile(path), "settings");
    }

    void savedBytes_data()
    {
        QTest::addColumn<PlaySettings>("settings");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("choices")
            << PlaySettings{CountdownLength{"60", 60}, false, true, true, false}
            << QByteArray(
                   "#Zorbel Configuration file\r\n\r\nTimerTime: 60\r\nSoundContinual: No\r\nBuzzer: Yes\r\nSound: Yes\r\nTimer: No\r\n");
        QTest::newRow("line break in the countdown text")
            << PlaySettings{CountdownLength{"30\r\nSound: Yes", 30}, true, false, false, true}
            << QByteArray("#Zorbel Configuration file\r\n\r\nTimerTime: 30Sound: Yes\r\nSoundContinual: Yes\r\nBuzzer: No\r\n"
                          "Sound: No\r\nTimer: Yes\r\n");
    }

    void savedBytes()
    {
        QFETCH(PlaySettings, settings);
        QTemporaryDir dir;
        ConfigFile::save(dir.filePath(ConfigFile::fileName()), settings);
        QFile file(dir.filePath(ConfigFile::fileName()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTEST(file.readAll(), "bytes");
    }

    void savedFileReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(ConfigFile::fileName());
        const PlaySettings saved{CountdownLength{"110", 110}, true, false, true, false};
        ConfigFile::save(path, saved);
        QCOMPARE(readFile(path), (QStringList{"TimerTime 110=110", "SoundContinual on", "Buzzer off", "Sound on", "Timer off"}));
        const ConfigFile::Reading reading = ConfigFile::read(path);
        QVERIFY(reading.settings == saved && !reading.failure);
        QCOMPARE(readFile(dir.path()), QStringList{"error 75"}); // a folder in the file's place
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_config_file.moc"
