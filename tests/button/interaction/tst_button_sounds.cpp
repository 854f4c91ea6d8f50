#include "core/button_sounds.h"
#include "core/sound_resources.h"
#include "interaction_fakes.h"

#include <QTemporaryDir>
#include <QTest>

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
        m_player.reset(); // before the next one installs itself
        m_temp = std::make_unique<QTemporaryDir>();
        m_player = std::make_unique<RecordingSoundPlayer>();
    }

    void playsOnlyWithTheSwitchOn()
    {
        const QString mine = m_temp->filePath(QStringLiteral("mine.wav"));
        writeFile(mine, embeddedSound(109));
        SoundLook sound{.click = 3, .in = 2147483647, .out = 10, .down = 98, .up = 99, .custom1 = mine, .custom2 = {}};
        ButtonSounds::play(sound, Moment::Click, m_temp->path()); // the switch is off
        sound.sound = true;
        for (const Moment moment : {Moment::Out, Moment::Down, Moment::Up, Moment::In})
            ButtonSounds::play(sound, moment, m_temp->path());

        // Custom 2 is empty and the largest value names no sound: both play nothing.
        QCOMPARE(m_player->played, (QStringList{m_temp->filePath(QStringLiteral("soundOut.wav")), mine}));
        QCOMPARE(m_player->bytes, (QList<QByteArray>{embeddedSound(110), embeddedSound(109)}));
        // Only a built-in sound is unpacked, and only when it plays.
        QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files | QDir::System), (QStringList{"mine.wav", "soundOut.wav"}));
    }

    void unpackReplacesTheWholeFile()
    {
        ButtonSounds::play(look(7), Moment::Click, m_temp->path()); // the longest built-in sound
        ButtonSounds::play(look(3), Moment::Click, m_temp->path());
        ButtonSounds::play(look(98, m_temp->filePath(QStringLiteral("missing.wav"))), Moment::Click, m_temp->path());

        // Played bytes are read back from the file: a tail left behind would show.
        QCOMPARE(m_player->bytes, QList<QByteArray>({embeddedSound(107), embeddedSound(103)}));
        const QFileInfo unpacked(m_temp->filePath(QStringLiteral("soundClick.wav")));
        QCOMPARE(unpacked.permissions() & (QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
    }

    void unpackRefusesPlantedFiles_data()
    {
        QTest::addColumn<QString>("planted");
        for (const char *planted : {"symlink", "dangling", "hardlink", "fifo"})
            QTest::newRow(planted) << QString::fromLatin1(planted);
    }

    void unpackRefusesPlantedFiles()
    {
        QFETCH(QString, planted);
        const QByteArray path = QFile::encodeName(m_temp->filePath(QStringLiteral("soundClick.wav")));
        QFile precious(m_temp->filePath(QStringLiteral("precious.txt")));
        writeFile(precious.fileName(), "keep me");
        const QByteArray dangling = QFile::encodeName(m_temp->filePath(QStringLiteral("made-through-link")));
        const QByteArray linked = planted == u"dangling" ? dangling : QFile::encodeName(precious.fileName());
        const int made = planted == u"fifo"       ? ::mkfifo(path.constData(), 0600)
                         : planted == u"hardlink" ? ::link(linked.constData(), path.constData())
                                                  : ::symlink(linked.constData(), path.constData());
        QCOMPARE(made, 0);

        ButtonSounds::play(look(3), Moment::Click, m_temp->path()); // a pipe must not hang here

        QCOMPARE(m_player->played, QStringList());
        QVERIFY(precious.open(QIODevice::ReadOnly));
        QCOMPARE(precious.readAll(), QByteArray("keep me"));
        QVERIFY(!QFile::exists(QFile::decodeName(dangling)));
    }

private:
    static SoundLook look(qint32 click, const QString &custom1 = {})
    {
        return SoundLook{.sound = true, .click = click, .custom1 = custom1, .custom2 = {}};
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<RecordingSoundPlayer> m_player;
};

QTEST_MAIN(TestButtonSounds)
#include "tst_button_sounds.moc"
