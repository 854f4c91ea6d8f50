#include "core/button_sounds.h"
#include "core/sound_resources.h"
#include "interaction_fakes.h"

#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using ButtonSounds::Moment;

// Which file each sound value plays, and how built-in sounds are unpacked to
// the temporary folder without writing through anything planted there.
class TestButtonSounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_temp = std::make_unique<QTemporaryDir>();
        m_player = std::make_unique<RecordingSoundPlayer>();
    }

    void cleanup()
    {
        m_player.reset();
        m_temp.reset();
    }

    void playsOnlyWithTheSwitchOn_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("moment");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("played"); // the file played, in the temporary folder; empty: nothing
        QTest::addColumn<int>("resource"); // the sound expected in it

        QTest::newRow("switch off") << false << int(Moment::Click) << 3 << "" << 0;
        QTest::newRow("click, sound 3") << true << int(Moment::Click) << 3 << "soundClick.wav" << 103;
        QTest::newRow("out, sound 10") << true << int(Moment::Out) << 10 << "soundOut.wav" << 110;
        QTest::newRow("down, custom 1") << true << int(Moment::Down) << 98 << "mine.wav" << 109;
        QTest::newRow("up, custom 2 empty") << true << int(Moment::Up) << 99 << "" << 0;
        QTest::newRow("largest 32-bit value") << true << int(Moment::In) << 2147483647 << "" << 0;
    }

    void playsOnlyWithTheSwitchOn()
    {
        QFETCH(bool, on);
        QFETCH(int, moment);
        QFETCH(int, value);
        QFETCH(QString, played);
        QFETCH(int, resource);
        const QString custom = m_temp->filePath(QStringLiteral("mine.wav"));
        QFile wave(custom);
        QVERIFY(wave.open(QIODevice::WriteOnly));
        wave.write(embeddedSound(109));
        wave.close();
        SoundLook sound = look(value, custom);
        sound.sound = on;

        ButtonSounds::play(sound, Moment(moment), m_temp->path());

        QCOMPARE(m_player->played, played.isEmpty() ? QStringList() : QStringList{m_temp->filePath(played)});
        if (!played.isEmpty())
            QCOMPARE(m_player->bytes.first(), embeddedSound(resource));
        // Only a built-in sound is unpacked, and only when it plays.
        QStringList unpacked{"mine.wav"};
        if (!played.isEmpty() && played != u"mine.wav")
            unpacked.append(played);
        QCOMPARE(files(), unpacked);
    }

    void unpackReplacesTheWholeFile()
    {
        ButtonSounds::play(look(7), Moment::Click, m_temp->path()); // the longest built-in sound
        ButtonSounds::play(look(3), Moment::Click, m_temp->path());
        QFile file(m_temp->filePath(QStringLiteral("soundClick.wav")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate)); // someone changes it
        file.write("junk");
        file.close();
        ButtonSounds::play(look(3), Moment::Click, m_temp->path());
        // A custom file that is missing or no file at all plays nothing.
        ButtonSounds::play(look(98, m_temp->filePath(QStringLiteral("missing.wav"))), Moment::Click, m_temp->path());
        ButtonSounds::play(look(98, m_temp->path()), Moment::Click, m_temp->path());

        QCOMPARE(m_player->bytes, QList<QByteArray>({embeddedSound(107), embeddedSound(103), embeddedSound(103)}));
        QCOMPARE(QFileInfo(file).size(), 1676); // no tail of the longer sound left behind
        QCOMPARE(QFileInfo(file).permissions() & (QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
    }

    void unpackRefusesPlantedFiles_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow("symbolic link") << "symlink";
        QTest::newRow("dangling symbolic link") << "dangling";
        QTest::newRow("hard link") << "hardlink";
        QTest::newRow("named pipe") << "fifo";
    }

    void unpackRefusesPlantedFiles()
    {
        QFETCH(QString, planted);
        const QByteArray path = QFile::encodeName(m_temp->filePath(QStringLiteral("soundClick.wav")));
        const QString target = m_temp->filePath(QStringLiteral("precious.txt"));
        QFile precious(target);
        QVERIFY(precious.open(QIODevice::WriteOnly));
        precious.write("keep me");
        precious.close();
        const QByteArray dangling = QFile::encodeName(m_temp->filePath(QStringLiteral("made-through-link")));
        const QByteArray linked = planted == u"dangling" ? dangling : QFile::encodeName(target);
        if (planted == u"fifo")
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else if (planted == u"hardlink")
            QCOMPARE(::link(linked.constData(), path.constData()), 0);
        else
            QCOMPARE(::symlink(linked.constData(), path.constData()), 0);

        ButtonSounds::play(look(3), Moment::Click, m_temp->path()); // a pipe must not hang here

        QCOMPARE(m_player->played, QStringList());
        QVERIFY(precious.open(QIODevice::ReadOnly));
        QCOMPARE(precious.readAll(), QByteArray("keep me"));
        QVERIFY(!QFile::exists(QFile::decodeName(dangling)));
    }

private:
    SoundLook look(qint32 value, const QString &custom1 = {}) const
    {
        SoundLook sound;
        sound.sound = true;
        sound.click = sound.in = sound.out = sound.down = sound.up = value;
        sound.custom1 = custom1;
        return sound;
    }
    QStringList files() const { return QDir(m_temp->path()).entryList(QDir::Files | QDir::System); }

    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<RecordingSoundPlayer> m_player;
};

QTEST_MAIN(TestButtonSounds)
#include "tst_button_sounds.moc"
