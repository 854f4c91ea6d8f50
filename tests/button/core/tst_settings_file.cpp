#include "core/settings_file.h"
#include "drawn_face.h"
#include "property_samples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <limits>

#include <sys/stat.h>

namespace {

// The properties a settings file leaves alone: pictures, the caption and its drawing.
const QSet<QByteArray> kNotCarried = {"Enabled",          "picNormal",          "picOver",          "picDown", "ButtonIcon",
                                      "TextureImage",     "MouseIcon",          "ButtonIconShadow", "Caption", "Animate",
                                      "ButtonIconAllPic", "CaptionAntiAliased", "ButtonState"};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lines as savedLines() gives them, each with its CR; a line given without
// one ends with a bare line feed, which reads just as well.
void writeLines(const QString &path, const QByteArrayList &lines)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lines.join('\n'));
}

// Saves the button to `path` and gives back the file's lines; the last,
// after the final line feed, is empty.
QByteArrayList savedLines(Ravlen &button, const QString &path)
{
    button.SaveButtonSettings(path);
    return readAll(path).split('\n');
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void formatWritesEveryLine()
    {
        Ravlen button;
        applySamples(button);
        button.setCaptionColor(0x80000012);
        const QString path = m_dir->filePath(QStringLiteral("format.rls"));
        button.SaveButtonSettings(path);
        const QByteArray bytes = readAll(path);
        QCOMPARE(bytes.count("\r\n"), 66);
        QCOMPARE(bytes.count('\n'), 66); // no bare line feeds
        const QByteArrayList lines = bytes.split('\n');
        QCOMPARE(lines.at(38), QStringLiteral("Knöpfe/blau €.rls\r").toUtf8());
        QCOMPARE((QByteArrayList{lines.at(56), lines.at(61), lines.at(63)}), (QByteArrayList{"-120 \r", "-2147483630 \r", " 15.25 \r"}));
    }

    void roundTripOnAnotherButton()
    {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Knöpfe €")));
        const QString path = m_dir->filePath(QStringLiteral("Knöpfe €/blau ü"));
        Ravlen first;
        applySamples(first);
        first.SaveButtonSettings(path);

        Ravlen second;
        second.LoadButtonSettings(path);

        // The font carries family, size and weight, all the sample sets.
        const Ravlen fresh;
        for (const PropertySample &sample : propertySamples()) {
            const QVariant expected = kNotCarried.contains(sample.name) ? fresh.property(sample.name) : sample.value;
            QVERIFY2(comparable(second.property(sample.name)) == comparable(expected), sample.name);
        }
    }

    void lineValuesGoStraightIntoFields_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("expected");

        const auto row = [](const char *tag, int line, const char *text, const char *property, const QVariant &expected) {
            QTest::newRow(tag) << line << QByteArray(text) << QByteArray(property) << expected;
        };
        row("not limited, D exponent", 26, " 2D2 ", "FadeDelay", 200);
        row("whole number half down", 16, " 12.5 ", "ButtonStyle", 12);
        row("16-bit below range", 57, "-70000", "TintBright", -32768);
        row("colour beyond 32 bits", 3, "99999999999", "ArrowColor", 0xFFFFFFFFu);
        row("Single beyond a double", 2, "1e400", "AlphaValue", double(std::numeric_limits<float>::max()));
        row("Boolean neither word nor number", 1, "yes", "Alpha", false);
        row("text taken whole", 39, "  spaced name.rls ", "SettingsFile", QStringLiteral("  spaced name.rls "));
        row("Windows code page text", 46, "C:\\Kl\xe4nge\\\x80.wav", "SoundCustom1", QStringLiteral("C:\\Klänge\\€.wav"));
    }

    void lineValuesGoStraightIntoFields()
    {
        QFETCH(int, line);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, property);
        QFETCH(QVariant, expected);
        const QString path = m_dir->filePath(QStringLiteral("look.rls"));
        Ravlen button;
        QByteArrayList lines = savedLines(button, path);
        lines[line - 1] = text;
        writeLines(path, lines);

        button.LoadButtonSettings(path);

        COMPARE_PROPERTY(button, property, expected);
    }

    // A size the file cannot write back, or no screen can show, keeps the
    // font as it was, so that a loaded file saves as it loaded.
    void fontSizesOnlyWhereTheyLast_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("smallest written") << QByteArray(" 0.0001 ") << 0.0001;
        QTest::newRow("rounds to nothing") << QByteArray(" 1e-45 ") << 11.0;
        QTest::newRow("zero") << QByteArray(" 0 ") << 11.0;
        QTest::newRow("negative") << QByteArray("-12 ") << 11.0;
        QTest::newRow("largest") << QByteArray(" 4096 ") << 4096.0;
        QTest::newRow("beyond any screen") << QByteArray(" 1e30 ") << 11.0;
    }

    void fontSizesOnlyWhereTheyLast()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, expected);
        const QString path = m_dir->filePath(QStringLiteral("look.rls"));
        Ravlen button;
        QFont font = button.font();
        font.setPointSizeF(11);
        button.setFont(font);
        QByteArrayList lines = savedLines(button, path);
        lines[63] = text;
        writeLines(path, lines);

        button.LoadButtonSettings(path);
        QCOMPARE(button.font().pointSizeF(), expected);
        const QByteArray loaded = savedLines(button, path).at(63);
        button.LoadButtonSettings(path);
        QCOMPARE(savedLines(button, path).at(63), loaded);
    }

    void shortFilesChangeOnlyTheirLines()
    {
        const QString path = m_dir->filePath(QStringLiteral("look.rls"));
        Ravlen first;
        applySamples(first);
        const QByteArrayList lines = savedLines(first, path);
        // Cut after line 61 (before the caption colour and font), or empty.
        for (const int kept : {61, 0}) {
            writeLines(path, lines.mid(0, kept));
            Ravlen second;
            second.setCaptionColor(0x00AA00);
            second.LoadButtonSettings(path);
            QCOMPARE(second.alpha(), kept >= 1); // line 1
            QCOMPARE(second.userDrag(), kept >= 61); // line 61
            QCOMPARE(second.captionColor(), 0x00AA00u); // line 62
        }
    }

    void unusableFilesChangeNothingButRedraw()
    {
        const QString path = m_dir->filePath(QStringLiteral("look.rls"));
        Ravlen button;
        applySamples(button);
        const QString expected = m_dir->filePath(QStringLiteral("expected.rls"));
        button.SaveButtonSettings(expected);
        // None at all, one with a NUL byte (a picture), and a named pipe
        // that nobody writes to, which must not hold the load.
        const std::function<void()> files[] = {
            [] {},
            [&] { writeLines(path, {QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)}); },
            [&] { QVERIFY(QFile::remove(path) && ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0); },
        };
        for (const auto &makeFile : files) {
            makeFile();
            const DrawnFace before = drawnFace(button);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^could not read the settings file")));
            button.LoadButtonSettings(path);
            QVERIFY(drawnFace(button) != before); // drawn even so
        }
        QVERIFY(QFile::remove(path));
        button.SaveButtonSettings(path);
        QCOMPARE(readAll(path), readAll(expected));
    }

    void hugeLines()
    {
        const QString path = m_dir->filePath(QStringLiteral("look.rls"));
        Ravlen button;
        button.setSettingsFile(QStringLiteral("kept.rls"));
        QByteArrayList lines = savedLines(button, path);
        lines[25] = " 42 " + QByteArray(3 * 1024 * 1024, 'x'); // FadeDelay: the number leads
        lines[38] = QByteArray(3 * 1024 * 1024, 'a'); // SettingsFile: a cut text is no value
        lines[55] = "True";
        writeLines(path, lines);

        button.LoadButtonSettings(path);

        QCOMPARE(button.fadeDelay(), 42.0f);
        QCOMPARE(button.settingsFile(), QStringLiteral("kept.rls"));
        QCOMPARE(button.tint(), true); // line 56, after the long lines

        // A file that is one endless line: read as far as the limit, no further.
        writeLines(path, {QByteArray(SettingsFile::MaxReadBytes + 4096, '7')});
        button.LoadButtonSettings(path);
        QCOMPARE(button.alpha(), false); // a cut word is no Boolean
    }

    void savingNowhereWritesNothing()
    {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        Ravlen button;
        button.SaveButtonSettings(QString());
        for (const QString &fileName : {QStringLiteral("no/such/folder/look.rls"), QStringLiteral("folder")}) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^could not write the settings file")));
            button.SaveButtonSettings(fileName);
        }
        QDir::setCurrent(current);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("folder")});
        QVERIFY(QDir(m_dir->filePath(QStringLiteral("folder"))).isEmpty());
    }

    void settingsCommandsUseSettingsFile()
    {
        Ravlen first;
        first.setSettingsFile(m_dir->filePath(QStringLiteral("shared.rls")));
        first.setFadeDelay(40);
        first.setSettings(Ravlen::SettingsRL(7)); // no command: writes nothing
        QVERIFY(QDir(m_dir->path()).isEmpty());
        first.setSettings(Ravlen::SettingsSave);

        Ravlen second;
        second.setSettingsFile(first.settingsFile());
        second.setSettings(Ravlen::SettingsLoad);

        QCOMPARE(second.fadeDelay(), 40.0f);
        QCOMPARE(second.settings(), Ravlen::SettingsNone);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir; // a fresh one for every test
};

QTEST_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
