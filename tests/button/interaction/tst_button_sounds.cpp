#include "core/button_sounds.h"
#include "core/property_bag.h"
#include "core/sound_resources.h"
#include "interaction_fakes.h"
#include "ravlen.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using ButtonSounds::Moment;

// Which file each sound value plays, how built-in sounds are unpacked to the
// temporary folder, and that nothing planted there is ever written through.
class TestButtonSounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void playsOnlyWithTheSwitchOn_data();
    void playsOnlyWithTheSwitchOn();
    void unpackReplacesTheWholeFile();
    void unpackRefusesPlantedFiles_data();
    void unpackRefusesPlantedFiles();
    void buttonUnpacksToItsTemporaryFolder_data();
    void buttonUnpacksToItsTemporaryFolder();

private:
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<RecordingSoundPlayer> m_player;
    QString m_customWave;
};

void TestButtonSounds::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    m_player = std::make_unique<RecordingSoundPlayer>();
    m_customWave = m_temp->filePath(QStringLiteral("custom/fanfare.wav"));
    QDir().mkpath(QFileInfo(m_customWave).path());
    QFile wave(m_customWave);
    QVERIFY(wave.open(QIODevice::WriteOnly));
    wave.write(embeddedSound(109));
}

void TestButtonSounds::cleanup()
{
    m_player.reset();
    m_temp.reset();
}

void TestButtonSounds::playsOnlyWithTheSwitchOn_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("moment");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("custom1"); // "wave": the custom file made in init()
    QTest::addColumn<QString>("played"); // relative to the temporary folder; empty: nothing
    QTest::addColumn<int>("resource"); // the bytes expected in it; 0: the custom file's

    const int click = int(Moment::Click);
    QTest::newRow("switch off") << false << click << 3 << "" << "" << 0;
    QTest::newRow("click, sound 3") << true << click << 3 << "" << "soundClick.wav" << 103;
    QTest::newRow("in, sound 1") << true << int(Moment::In) << 1 << "" << "soundIn.wav" << 101;
    QTest::newRow("out, sound 10") << true << int(Moment::Out) << 10 << "" << "soundOut.wav" << 110;
    QTest::newRow("down, custom 1") << true << int(Moment::Down) << 98 << "wave" << "custom/fanfare.wav" << 0;
    QTest::newRow("custom 1, switch off") << false << int(Moment::Down) << 98 << "wave" << "" << 0;
    QTest::newRow("up, custom 2 empty") << true << int(Moment::Up) << 99 << "wave" << "" << 0;
    QTest::newRow("custom 1 missing") << true << click << 98 << "missing.wav" << "" << 0;
    QTest::newRow("custom 1 a folder") << true << click << 98 << "custom" << "" << 0;
    QTest::newRow("none") << true << click << 0 << "" << "" << 0;
    QTest::newRow("beyond the built-in sounds") << true << click << 11 << "" << "" << 0;
    QTest::newRow("negative") << true << click << -99 << "" << "" << 0;
    QTest::newRow("largest 32-bit value") << true << click << 2147483647 << "" << "" << 0;
}

void TestButtonSounds::playsOnlyWithTheSwitchOn()
{
    QFETCH(bool, on);
    QFETCH(int, moment);
    QFETCH(int, value);
    QFETCH(QString, custom1);
    QFETCH(QString, played);
    QFETCH(int, resource);
    SoundLook look;
    look.sound = on;
    look.click = look.in = look.out = look.down = look.up = value;
    look.custom1 = custom1 == u"wave" ? m_customWave : custom1.isEmpty() ? QString() : m_temp->filePath(custom1);
    const QStringList before = QDir(m_temp->path()).entryList(QDir::Files);

    ButtonSounds::play(look, Moment(moment), m_temp->path());

    if (played.isEmpty()) {
        QCOMPARE(m_player->played, QStringList());
        QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files), before);
        return;
    }
    QCOMPARE(m_player->played, QStringList{m_temp->filePath(played)});
    QCOMPARE(m_player->bytes.first(), embeddedSound(resource == 0 ? 109 : resource));
    if (resource == 0)
        QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files), before); // nothing unpacked
}

void TestButtonSounds::unpackReplacesTheWholeFile()
{
    SoundLook look;
    look.sound = true;
    look.click = 7; // the longest built-in sound
    ButtonSounds::play(look, Moment::Click, m_temp->path());
    look.click = 3;
    ButtonSounds::play(look, Moment::Click, m_temp->path());
    // Played again with the same sound after someone changed the file.
    QFile tampered(m_temp->filePath(QStringLiteral("soundClick.wav")));
    QVERIFY(tampered.open(QIODevice::WriteOnly | QIODevice::Truncate));
    tampered.write("junk");
    tampered.close();
    ButtonSounds::play(look, Moment::Click, m_temp->path());

    QCOMPARE(m_player->bytes, QList<QByteArray>({embeddedSound(107), embeddedSound(103), embeddedSound(103)}));
    QFile file(m_temp->filePath(QStringLiteral("soundClick.wav")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.size(), 1676); // no tail of the longer sound left behind
    QCOMPARE(QFileInfo(file).permissions() & (QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
}

void TestButtonSounds::unpackRefusesPlantedFiles_data()
{
    QTest::addColumn<QString>("planted");
    QTest::newRow("symbolic link") << "symlink";
    QTest::newRow("dangling symbolic link") << "dangling";
    QTest::newRow("hard link") << "hardlink";
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("folder") << "folder";
}

void TestButtonSounds::unpackRefusesPlantedFiles()
{
    QFETCH(QString, planted);
    const QString path = m_temp->filePath(QStringLiteral("soundClick.wav"));
    const QString target = m_temp->filePath(QStringLiteral("precious.txt"));
    const QByteArray precious = "do not overwrite";
    {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(precious);
    }
    const QByteArray native = QFile::encodeName(path);
    if (planted == u"symlink")
        QVERIFY(QFile::link(target, path));
    else if (planted == u"dangling")
        QVERIFY(QFile::link(m_temp->filePath(QStringLiteral("created-through-link.wav")), path));
    else if (planted == u"hardlink")
        QCOMPARE(::link(QFile::encodeName(target).constData(), native.constData()), 0);
    else if (planted == u"fifo")
        QCOMPARE(::mkfifo(native.constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(path));
    SoundLook look;
    look.sound = true;
    look.click = 3;

    ButtonSounds::play(look, Moment::Click, m_temp->path()); // a pipe must not hang here

    QCOMPARE(m_player->played, QStringList());
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), precious);
    QVERIFY(!QFile::exists(m_temp->filePath(QStringLiteral("created-through-link.wav"))));
}

void TestButtonSounds::buttonUnpacksToItsTemporaryFolder_data()
{
    QTest::addColumn<QByteArray>("tmp");
    QTest::addColumn<QByteArray>("temp");
    QTest::addColumn<QString>("folder"); // "tmp" or "temp": which of the two folders gets the sound

    QTest::newRow("TMP") << QByteArray("tmp") << QByteArray("temp") << "tmp";
    QTest::newRow("TEMP when TMP is empty") << QByteArray() << QByteArray("temp") << "temp";
}

void TestButtonSounds::buttonUnpacksToItsTemporaryFolder()
{
    QFETCH(QByteArray, tmp);
    QFETCH(QByteArray, temp);
    QFETCH(QString, folder);
    QVERIFY(QDir(m_temp->path()).mkpath(QStringLiteral("tmp")));
    QVERIFY(QDir(m_temp->path()).mkpath(QStringLiteral("temp")));
    const auto env = [this](const QByteArray &name) {
        return name.isEmpty() ? QByteArray() : QFile::encodeName(m_temp->filePath(QString::fromLatin1(name)));
    };
    qputenv("TMP", env(tmp));
    qputenv("TEMP", env(temp));
    FakePointer pointer; // keeps the hover poll off the real pointer
    // One button never read from a stored layout, one read from one.
    Ravlen fresh;
    Ravlen stored;
    stored.readProperties(PropertyBag());
    for (Ravlen *button : {&fresh, &stored}) {
        button->setSound(true);
        button->setSoundClick(Ravlen::Sound_2);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    }
    qunsetenv("TMP");
    qunsetenv("TEMP");

    const QString expected = m_temp->filePath(folder + QStringLiteral("/soundClick.wav"));
    QCOMPARE(m_player->played, QStringList({expected, expected}));
}

QTEST_MAIN(TestButtonSounds)
#include "tst_button_sounds.moc"
