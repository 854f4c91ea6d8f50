#include "core/settings_file.h"
#include "property_samples.h"
#include "ravlen.h"
#include "ravlen_p.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

// The properties a settings file leaves alone: pictures, the caption and its drawing.
const QSet<QByteArray> kNotCarried = {"Enabled", "picNormal", "picOver", "picDown", "ButtonIcon", "TextureImage",
                                      "MouseIcon", "ButtonIconShadow", "Caption", "Animate", "ButtonIconAllPic",
                                      "CaptionAntiAliased", "ButtonState"};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArrayList fileLines(const QByteArray &bytes)
{
    QByteArrayList lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines)
        line.chop(1); // the CR
    return lines;
}

QByteArray joinLines(const QByteArrayList &lines)
{
    return lines.isEmpty() ? QByteArray() : lines.join("\r\n") + "\r\n";
}

// Saves the button to `path` and gives back the file's lines.
QByteArrayList savedLines(Ravlen &button, const QString &path)
{
    button.SaveButtonSettings(path);
    return fileLines(readAll(path));
}

int drawCalls(Ravlen &button)
{
    return RavlenPrivate::get(&button)->drawCalls;
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
        const QByteArray bytes = SettingsFile::format(RavlenPrivate::get(&button)->look, button.font());
        QCOMPARE(bytes.count("\r\n"), 66);
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\n'), 66); // no bare line feeds
        const QMap<int, QByteArray> expected{
            {1, "True"}, {13, " 3 "}, {39, QStringLiteral("Knöpfe/blau €.rls").toUtf8()}, {42, " 2.5 "},
            {57, "-120 "}, {61, "True"}, {62, "-2147483630 "}, {63, "DejaVu Serif"}, {64, " 15.25 "}, {66, " 16711935 "}};
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(fileLines(bytes).at(it.key() - 1), it.value());
    }

    void singles()
    {
        const QList<std::pair<float, QString>> singles{{75.0f, " 75 "}, {-2.25f, "-2.25 "}, {0.1f, " 0.1 "},
                                                       {-0.0f, " 0 "}, {1234567.0f, " 1234567 "}, {1e20f, " 1e+20 "}};
        for (const auto &[value, text] : singles) {
            QCOMPARE(SettingsFile::formatSingle(value), text);
            QCOMPARE(float(SettingsFile::leadingNumber(text)), value);
        }
    }

    void numbersAndBooleans_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<int>("boolean"); // -1: not a Boolean
        const double infinity = std::numeric_limits<double>::infinity();
        QTest::newRow("no number") << QStringLiteral("yes") << 0.0 << -1;
        QTest::newRow("leading point") << QStringLiteral("  -.5") << -0.5 << 1;
        QTest::newRow("D exponent") << QStringLiteral("2D2") << 200.0 << 1;
        QTest::newRow("second point") << QStringLiteral("1.2.3") << 1.2 << -1;
        QTest::newRow("beyond a double") << QStringLiteral("1e400") << infinity << 1;
        QTest::newRow("Arabic digits") << QStringLiteral("\u0664\u0662") << 0.0 << -1;
        QTest::newRow("mixed case with blanks") << QStringLiteral(" fAlSe ") << 0.0 << 0;
    }

    void numbersAndBooleans()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(int, boolean);
        QCOMPARE(SettingsFile::leadingNumber(text), number);
        const std::optional<bool> parsed = SettingsFile::booleanValue(text);
        QCOMPARE(parsed.has_value(), boolean >= 0);
        if (parsed)
            QCOMPARE(int(*parsed), boolean);
    }

    void roundTripOnAnotherButton_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("carried");
        for (const PropertySample &sample : propertySamples())
            QTest::newRow(sample.name) << sample.value << !kNotCarried.contains(sample.name);
    }

    void roundTripOnAnotherButton()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, carried);
        const char *name = QTest::currentDataTag();
        const QString path = m_dir->filePath(QStringLiteral("Knöpfe €/blau ü"));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Knöpfe €")));
        Ravlen first;
        applySamples(first);
        first.SaveButtonSettings(path);

        Ravlen second;
        const QVariant before = second.property(name);
        second.LoadButtonSettings(path);

        if (qstrcmp(name, "Font") == 0) { // family, size and weight only
            const QFont font = value.value<QFont>();
            QCOMPARE(second.font().family(), font.family());
            QCOMPARE(second.font().pointSizeF(), font.pointSizeF());
            QCOMPARE(second.font().bold(), font.bold());
        } else {
            COMPARE_PROPERTY(second, name, carried ? value : before);
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
        row("FadeDelay not limited", 26, " 250 ", "FadeDelay", 250);
        row("whole number half down", 16, " 12.5 ", "ButtonStyle", 12);
        row("16-bit below range", 57, "-70000", "TintBright", -32768);
        row("colour kept untranslated", 3, "-2147483630", "ArrowColor", 0x80000012u);
        row("colour beyond 32 bits", 3, "99999999999", "ArrowColor", 0xFFFFFFFFu);
        row("Single beyond its range", 2, "1e300", "AlphaValue", double(std::numeric_limits<float>::max()));
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
        writeBytes(path, joinLines(lines));

        button.LoadButtonSettings(path);

        COMPARE_PROPERTY(button, property, expected);
    }

    void shortFilesChangeOnlyTheirLines()
    {
        const QString path = m_dir->filePath(QStringLiteral("look.rls"));
        Ravlen first;
        applySamples(first);
        const QByteArrayList lines = savedLines(first, path);
        // Cut after line 61 (before the caption colour and font), or empty.
        for (const int kept : {61, 0}) {
            writeBytes(path, joinLines(lines.mid(0, kept)));
            Ravlen second;
            second.setCaptionColor(0x00AA00);
            second.setMaskColor(0x0000AA);
            const QFont fontBefore = second.font();
            second.LoadButtonSettings(path);
            QCOMPARE(second.alpha(), kept >= 1);                     // line 1
            QCOMPARE(second.borderSize(), kept >= 11 ? 3.0f : 1.0f); // line 11
            QCOMPARE(second.userDrag(), kept >= 61);                 // line 61
            QCOMPARE(second.captionColor(), 0x00AA00u);
            QCOMPARE(second.font(), fontBefore);
            QCOMPARE(second.maskColor(), 0x0000AAu);
        }
    }

    void unusableFilesChangeNothingButRedraw_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QByteArray binary(4096, '\0');
        QRandomGenerator generator(7);
        for (char &byte : binary)
            byte = char(generator.bounded(256));
        binary[100] = '\0';
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("binary") << binary;
        QTest::newRow("PNG header") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    }

    void unusableFilesChangeNothingButRedraw()
    {
        QFETCH(QByteArray, bytes);
        const QString path = m_dir->filePath(QStringLiteral("look.rls"));
        if (!bytes.isEmpty())
            writeBytes(path, bytes);
        Ravlen button;
        applySamples(button);
        const QString expected = m_dir->filePath(QStringLiteral("expected.rls"));
        button.SaveButtonSettings(expected);
        const int draws = drawCalls(button);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^could not read the settings file")));
        button.LoadButtonSettings(path);

        QCOMPARE(drawCalls(button), draws + 1);
        button.SaveButtonSettings(path);
        QCOMPARE(readAll(path), readAll(expected));
    }

    void hugeLines()
    {
        const QString path = m_dir->filePath(QStringLiteral("look.rls"));
        Ravlen button;
        button.setSettingsFile(QStringLiteral("kept.rls"));
        QByteArrayList lines = savedLines(button, path);
        lines[0] = QByteArray(3 * 1024 * 1024, 'T'); // no Boolean once cut
        lines[25] = " 42 " + QByteArray(3 * 1024 * 1024, 'x'); // FadeDelay: the number leads
        lines[38] = QByteArray(3 * 1024 * 1024, 'a'); // SettingsFile: a cut text is no value
        lines[55] = "True";
        writeBytes(path, joinLines(lines));

        button.LoadButtonSettings(path);

        QCOMPARE(button.alpha(), false);
        QCOMPARE(button.fadeDelay(), 42.0f);
        QCOMPARE(button.settingsFile(), QStringLiteral("kept.rls"));
        QCOMPARE(button.tint(), true); // line 56, after the long lines

        // A file that is one endless line: read as far as the limit, no further.
        writeBytes(path, QByteArray(SettingsFile::MaxReadBytes + 4096, '7'));
        button.LoadButtonSettings(path);
        QCOMPARE(button.alpha(), false);
    }

    void savingNowhereWritesNothing_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("warns");
        QTest::newRow("empty name") << QString() << false;
        QTest::newRow("missing folder") << QStringLiteral("no/such/folder/look.rls") << true;
        QTest::newRow("a folder") << QStringLiteral("folder") << true;
    }

    void savingNowhereWritesNothing()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, warns);
        const QTemporaryDir &dir = *m_dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        Ravlen button;
        if (warns)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^could not write the settings file")));

        button.SaveButtonSettings(fileName);
        const int draws = drawCalls(button);
        button.LoadButtonSettings(fileName.isEmpty() ? QString() : QStringLiteral("never.rls"));

        QDir::setCurrent(current);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("folder")});
        QCOMPARE(QDir(dir.filePath(QStringLiteral("folder"))).isEmpty(), true);
        if (fileName.isEmpty())
            QCOMPARE(drawCalls(button), draws);
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
        QSignalSpy spy(&second, &Ravlen::storedPropertyChanged);
        second.setSettings(Ravlen::SettingsLoad);

        QCOMPARE(second.fadeDelay(), 40.0f);
        QCOMPARE(second.settings(), Ravlen::SettingsNone);
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("Settings"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir; // a fresh one for every test
};

QTEST_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
