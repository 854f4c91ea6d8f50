#include "core/button_sounds.h"
#include "core/sound_resources.h"
#include "core/sound_sources.h"
#include "interaction_fakes.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using ButtonSounds::Moment;

// Which file each sound value plays, and how built-in sounds are unpacked to
// a folder of the user's own without writing through anything planted there.
class TestButtonSounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Rows that want a session runtime folder set one up themselves.
    void initTestCase() { qunsetenv("XDG_RUNTIME_DIR"); }

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
        QCOMPARE(m_player->played, (QStringList{unpacked(QStringLiteral("soundOut.wav")), mine}));
        QCOMPARE(m_player->bytes, (QList<QByteArray>{embeddedSound(110), embeddedSound(109)}));
        // Only a built-in sound is unpacked, and only when it plays.
        QCOMPARE(QDir(unpacked({})).entryList(QDir::Files | QDir::System), QStringList{"soundOut.wav"});
    }

    void unpackReplacesTheWholeFile()
    {
        ButtonSounds::play(look(7), Moment::Click, m_temp->path()); // the longest built-in sound
        ButtonSounds::play(look(3), Moment::Click, m_temp->path());
        ButtonSounds::play(look(98, m_temp->filePath(QStringLiteral("missing.wav"))), Moment::Click, m_temp->path());

        // Played bytes are read back from the file: a tail left behind would show.
        QCOMPARE(m_player->bytes, QList<QByteArray>({embeddedSound(107), embeddedSound(103)}));
    }

    void unpacksIntoTheUsersOwnFolder_data()
    {
        QTest::addColumn<bool>("runtime");
        QTest::addColumn<bool>("foreignAtOldName");
        QTest::newRow("temporary folder") << false << false;
        QTest::newRow("session runtime folder") << true << false;
        QTest::newRow("another user's file at the shared name") << false << true;
    }

    void unpacksIntoTheUsersOwnFolder()
    {
        QFETCH(bool, runtime);
        QFETCH(bool, foreignAtOldName);
        QTemporaryDir session;
        if (runtime)
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(session.path()));
        const auto noSession = qScopeGuard([] { qunsetenv("XDG_RUNTIME_DIR"); });
        // Where every account used to unpack the click sound.
        const QString shared = m_temp->filePath(QStringLiteral("soundClick.wav"));
        if (foreignAtOldName) {
            if (::geteuid() != 0)
                QSKIP("only root can leave a file of another user behind");
            writeFile(shared, "not ours");
            QCOMPARE(::chown(QFile::encodeName(shared).constData(), 65534, 65534), 0);
        }

        ButtonSounds::play(look(3), Moment::Click, m_temp->path());

        const QString folder = runtime ? session.filePath(QStringLiteral("ravlenlib")) : unpacked({});
        QCOMPARE(m_player->played, QStringList{folder + QStringLiteral("/soundClick.wav")});
        QCOMPARE(m_player->bytes, QList<QByteArray>{embeddedSound(103)});
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther
                                          | QFile::ExeOther;
        QCOMPARE(QFileInfo(folder).permissions() & others, QFile::Permissions());
        QCOMPARE(QFileInfo::exists(shared), foreignAtOldName);
    }

    void unpackRefusesPlantedFiles_data()
    {
        QTest::addColumn<QString>("planted");
        for (const char *planted : {"symlink", "dangling", "hardlink", "fifo", "linked folder", "open folder", "foreign folder"})
            QTest::newRow(planted) << QString::fromLatin1(planted);
    }

    // A file planted in the user's folder, or a folder planted in its place.
    void unpackRefusesPlantedFiles()
    {
        QFETCH(QString, planted);
        const bool asFolder = planted.endsWith(QLatin1String("folder"));
        if (planted == u"foreign folder" && ::geteuid() != 0)
            QSKIP("only root can leave a folder of another user behind");
        const QByteArray folder = QFile::encodeName(unpacked({}));
        if (!asFolder)
            QCOMPARE(::mkdir(folder.constData(), 0700), 0);
        const QByteArray path = asFolder ? folder : QFile::encodeName(unpacked(QStringLiteral("soundClick.wav")));
        QFile precious(m_temp->filePath(QStringLiteral("precious.txt")));
        writeFile(precious.fileName(), "keep me");
        const QByteArray elsewhere = QFile::encodeName(m_temp->filePath(QStringLiteral("elsewhere")));
        QCOMPARE(::mkdir(elsewhere.constData(), 0700), 0);
        const QByteArray dangling = QFile::encodeName(m_temp->filePath(QStringLiteral("made-through-link")));
        const QByteArray linked = planted == u"dangling"        ? dangling
                                  : planted == u"linked folder" ? elsewhere
                                                                : QFile::encodeName(precious.fileName());
        const int made = planted == u"fifo"             ? ::mkfifo(path.constData(), 0600)
                         : planted == u"hardlink"       ? ::link(linked.constData(), path.constData())
                         : planted == u"open folder"    ? ::mkdir(path.constData(), 0700) + ::chmod(path.constData(), 0777)
                         : planted == u"foreign folder" ? ::mkdir(path.constData(), 0700) + ::chown(path.constData(), 65534, 65534)
                                                        : ::symlink(linked.constData(), path.constData());
        QCOMPARE(made, 0);

        ButtonSounds::play(look(3), Moment::Click, m_temp->path()); // a pipe must not hang here

        QCOMPARE(m_player->played, QStringList());
        QVERIFY(precious.open(QIODevice::ReadOnly));
        QCOMPARE(precious.readAll(), QByteArray("keep me"));
        QVERIFY(!QFile::exists(QFile::decodeName(dangling)));
        QVERIFY(QDir(QFile::decodeName(elsewhere)).isEmpty());
        if (asFolder && planted != u"linked folder")
            QVERIFY(QDir(QFile::decodeName(folder)).isEmpty());
    }

    // Up to three sounds a click: a custom file is read again only when its
    // size or time says it changed, or when it changed too recently for its
    // time to tell.
    void soundFilesAreReadOncePerVersion()
    {
        const QString path = m_temp->filePath(QStringLiteral("custom.wav"));
        const auto put = [&](int resource, const QDateTime &modified) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(file.write(embeddedSound(resource)) > 0 && file.flush());
            QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
        };
        const QDateTime old(QDate(2020, 5, 1), QTime(12, 0), Qt::UTC);
        SoundSources sources;
        put(101, old);
        const QUrl first = sources.urlFor(path);
        QCOMPARE(first.toLocalFile(), path);
        put(102, old); // as long as 101, and kept at the same time: not read
        QCOMPARE(sources.urlFor(path), first);
        put(102, old.addSecs(1));
        const QUrl second = sources.urlFor(path);
        QVERIFY(second != first);
        put(103, old.addSecs(1)); // shorter
        QVERIFY(sources.urlFor(path) != second);

        const QDateTime now = QDateTime::currentDateTimeUtc();
        put(101, now);
        const QUrl fresh = sources.urlFor(path);
        put(102, now);
        QVERIFY(sources.urlFor(path) != fresh);

        writeFile(path, "RIFF....AVI LIST");
        QCOMPARE(sources.urlFor(path), QUrl());
    }

private:
    static SoundLook look(qint32 click, const QString &custom1 = {})
    {
        return SoundLook{.sound = true, .click = click, .custom1 = custom1, .custom2 = {}};
    }
    // The folder built-in sounds are unpacked to, or a file in it.
    QString unpacked(const QString &name) const
    {
        const QString folder = m_temp->filePath(QStringLiteral("ravlenlib-%1").arg(::geteuid()));
        return name.isEmpty() ? folder : folder + u'/' + name;
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
