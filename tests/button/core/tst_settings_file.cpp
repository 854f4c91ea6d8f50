#include "core/settings_file.h"
#include "property_samples.h"
#include "ravlen.h"
#include "ravlen_p.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

// The properties a settings file carries; the font is checked on its own.
const QSet<QByteArray> kCarried = {
    "Alpha", "AlphaValue", "ArrowColor", "ArrowDirection", "ArrowPosition", "ArrowShow", "ArrowSize", "ArrowSplit",
    "AutoSize", "BorderColor", "BorderSize", "BorderStyle", "ButtonIconPos", "ButtonIconShow", "ButtonIconSize",
    "ButtonStyle", "CaptionAlignment", "CaptionAutoAlign", "CaptionShadow", "CaptionShadowColor", "CustomPic",
    "DoubleClickEnable", "Effects", "EnableEffects", "Fade", "FadeDelay", "GradientDown1", "GradientDown2",
    "GradientNormal1", "GradientNormal2", "GradientOver1", "GradientOver2", "GradientStyle", "RoundBorder",
    "RoundHeight", "RoundSizeAuto", "RoundWidth", "Settings", "SettingsFile", "Shadow", "ShadowColor", "ShadowSize",
    "ShadowStyle", "Sound", "SoundClick", "SoundCustom1", "SoundCustom2", "SoundDown", "SoundIn", "SoundOut",
    "SoundUp", "Texture", "TextureAlpha", "TextureSize", "TextureType", "Tint", "TintBright", "TintColor",
    "TintType", "UpMotion", "UserDrag", "CaptionColor", "MaskColor"};

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
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
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
    void formatWritesEveryLine_data();
    void formatWritesEveryLine();
    void singles_data();
    void singles();
    void leadingNumber_data();
    void leadingNumber();
    void booleans_data();
    void booleans();
    void roundTripOnAnotherButton_data();
    void roundTripOnAnotherButton();
    void fileNames_data();
    void fileNames();
    void lineValuesGoStraightIntoFields_data();
    void lineValuesGoStraightIntoFields();
    void shortFilesChangeOnlyTheirLines_data();
    void shortFilesChangeOnlyTheirLines();
    void unusableFilesChangeNothingButRedraw_data();
    void unusableFilesChangeNothingButRedraw();
    void hugeLines();
    void savingNowhereWritesNothing_data();
    void savingNowhereWritesNothing();
    void settingsCommandsUseSettingsFile();
};

void TestSettingsFile::formatWritesEveryLine_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("Alpha") << 1 << QByteArray("True");
    QTest::newRow("AlphaValue") << 2 << QByteArray(" 99 ");
    QTest::newRow("ButtonIconPos") << 13 << QByteArray(" 3 ");
    QTest::newRow("ButtonStyle") << 16 << QByteArray(" 7 ");
    QTest::newRow("FadeDelay") << 26 << QByteArray(" 40 ");
    QTest::newRow("Settings") << 38 << QByteArray(" 0 ");
    QTest::newRow("SettingsFile") << 39 << QStringLiteral("Knöpfe/blau €.rls").toUtf8();
    QTest::newRow("ShadowSize") << 42 << QByteArray(" 2.5 ");
    QTest::newRow("SoundCustom1") << 46 << QStringLiteral("/tmp/Klänge/click one.wav").toUtf8();
    QTest::newRow("TintBright") << 57 << QByteArray("-120 ");
    QTest::newRow("UserDrag") << 61 << QByteArray("True");
    QTest::newRow("CaptionColor system reference") << 62 << QByteArray("-2147483630 ");
    QTest::newRow("font family") << 63 << QByteArray("DejaVu Serif");
    QTest::newRow("font size") << 64 << QByteArray(" 15.25 ");
    QTest::newRow("font bold") << 65 << QByteArray("True");
    QTest::newRow("MaskColor") << 66 << QByteArray(" 16711935 ");
}

void TestSettingsFile::formatWritesEveryLine()
{
    QFETCH(int, line);
    QFETCH(QByteArray, text);
    Ravlen button;
    applySamples(button);
    button.setCaptionColor(0x80000012);

    const QByteArray bytes = SettingsFile::format(RavlenPrivate::get(&button)->look, button.font());

    QCOMPARE(bytes.count("\r\n"), 66);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), 66); // no bare line feeds
    QCOMPARE(fileLines(bytes).at(line - 1), text);
}

void TestSettingsFile::singles_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 75.0f << QStringLiteral(" 75 ");
    QTest::newRow("half") << 1.5f << QStringLiteral(" 1.5 ");
    QTest::newRow("negative") << -2.25f << QStringLiteral("-2.25 ");
    QTest::newRow("shortest form") << 0.1f << QStringLiteral(" 0.1 ");
    QTest::newRow("zero") << 0.0f << QStringLiteral(" 0 ");
    QTest::newRow("negative zero") << -0.0f << QStringLiteral(" 0 ");
    QTest::newRow("seven digits") << 1234567.0f << QStringLiteral(" 1234567 ");
    QTest::newRow("huge") << 1e20f << QStringLiteral(" 1e+20 ");
}

void TestSettingsFile::singles()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(SettingsFile::formatSingle(value), text);
    QCOMPARE(float(SettingsFile::leadingNumber(text)), value);
}

void TestSettingsFile::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    const double infinity = std::numeric_limits<double>::infinity();
    QTest::newRow("written form") << QStringLiteral(" 75 ") << 75.0;
    QTest::newRow("negative colour") << QStringLiteral("-2147483630 ") << -2147483630.0;
    QTest::newRow("rest ignored") << QStringLiteral("1.5abc") << 1.5;
    QTest::newRow("no number") << QStringLiteral("abc") << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("only a point") << QStringLiteral(".") << 0.0;
    QTest::newRow("sign apart from digits") << QStringLiteral("- 5") << 0.0;
    QTest::newRow("leading point") << QStringLiteral("  -.5") << -0.5;
    QTest::newRow("exponent") << QStringLiteral("1e3x") << 1000.0;
    QTest::newRow("D exponent") << QStringLiteral("2D2") << 200.0;
    QTest::newRow("exponent without digits") << QStringLiteral("1e") << 1.0;
    QTest::newRow("second point") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("beyond a double") << QStringLiteral("1e400") << infinity;
    QTest::newRow("too small") << QStringLiteral("1e-400") << 0.0;
    QTest::newRow("400 digits") << QString(400, u'9') << infinity;
    QTest::newRow("Arabic digits") << QStringLiteral("\u0664\u0662") << 0.0;
}

void TestSettingsFile::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(SettingsFile::leadingNumber(text), number);
}

void TestSettingsFile::booleans_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -1: not a Boolean
    QTest::newRow("True") << QStringLiteral("True") << 1;
    QTest::newRow("upper case") << QStringLiteral("FALSE") << 0;
    QTest::newRow("mixed case with blanks") << QStringLiteral(" tRuE ") << 1;
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("minus one") << QStringLiteral(" -1 ") << 1;
    QTest::newRow("fraction") << QStringLiteral("0.5") << 1;
    QTest::newRow("word") << QStringLiteral("yes") << -1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("number with rest") << QStringLiteral("1abc") << -1;
}

void TestSettingsFile::booleans()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    const std::optional<bool> parsed = SettingsFile::booleanValue(text);
    QCOMPARE(parsed.has_value(), value >= 0);
    if (parsed)
        QCOMPARE(int(*parsed), value);
}

void TestSettingsFile::roundTripOnAnotherButton_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("carried");
    for (const PropertySample &sample : propertySamples()) {
        if (qstrcmp(sample.name, "Font") != 0)
            QTest::newRow(sample.name) << sample.value << kCarried.contains(sample.name);
    }
}

void TestSettingsFile::roundTripOnAnotherButton()
{
    QFETCH(QVariant, value);
    QFETCH(bool, carried);
    const char *name = QTest::currentDataTag();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("look.rls"));
    Ravlen first;
    applySamples(first);
    first.SaveButtonSettings(path);

    Ravlen second;
    const QVariant before = second.property(name);
    second.LoadButtonSettings(path);

    COMPARE_PROPERTY(second, name, carried ? value : before);
}

void TestSettingsFile::fileNames_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain") << QStringLiteral("Ravlen.rls");
    QTest::newRow("accents and euro") << QStringLiteral("Knöpfe €/blau ü.rls");
    QTest::newRow("blanks") << QStringLiteral("my looks/big button.rls");
    QTest::newRow("no extension") << QStringLiteral("look");
}

void TestSettingsFile::fileNames()
{
    QFETCH(QString, fileName);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QVERIFY(QFileInfo(path).dir().mkpath(QStringLiteral(".")));
    Ravlen first;
    applySamples(first);
    first.SaveButtonSettings(path);
    QVERIFY(QFile::exists(path));

    Ravlen second;
    second.LoadButtonSettings(path);

    QCOMPARE(second.font().family(), first.font().family());
    QCOMPARE(second.font().pointSizeF(), first.font().pointSizeF());
    QCOMPARE(second.font().bold(), first.font().bold());
    QCOMPARE(second.soundCustom1(), first.soundCustom1());
    QCOMPARE(second.settingsFile(), first.settingsFile());
    QCOMPARE(second.shadowSize(), 2.5f);
}

void TestSettingsFile::lineValuesGoStraightIntoFields_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");

    const auto row = [](const char *tag, int line, const char *text, const char *property, const QVariant &expected) {
        QTest::newRow(tag) << line << QByteArray(text) << QByteArray(property) << expected;
    };
    row("FadeDelay not limited", 26, " 250 ", "FadeDelay", 250);
    row("FadeDelay not made whole", 26, "12.5", "FadeDelay", 12.5);
    row("whole number half down", 16, " 12.5 ", "ButtonStyle", 12);
    row("whole number half up", 16, " 13.5 ", "ButtonStyle", 14);
    row("32-bit beyond range", 16, "1e12", "ButtonStyle", 2147483647);
    row("32-bit below range", 16, "-1e12", "ButtonStyle", -2147483647 - 1);
    row("16-bit beyond range", 13, "70000", "ButtonIconPos", 32767);
    row("16-bit below range", 57, "-70000", "TintBright", -32768);
    row("colour kept untranslated", 3, "-2147483630", "ArrowColor", 0x80000012u);
    row("colour beyond 32 bits", 3, "99999999999", "ArrowColor", 0xFFFFFFFFu);
    row("Single beyond its range", 2, "1e300", "AlphaValue", double(std::numeric_limits<float>::max()));
    row("no number gives 0", 11, "junk", "BorderSize", 0);
    row("Boolean word any case", 1, "tRuE", "Alpha", true);
    row("Boolean neither word nor number", 1, "yes", "Alpha", false);
    row("text taken whole", 39, "  spaced name.rls ", "SettingsFile", QStringLiteral("  spaced name.rls "));
    row("Windows code page text", 46, "C:\\Kl\xe4nge\\\x80.wav", "SoundCustom1", QStringLiteral("C:\\Klänge\\€.wav"));
    row("caption colour", 62, "255", "CaptionColor", 255u);
    row("mask colour", 66, "16777215", "MaskColor", 0xFFFFFFu);
}

void TestSettingsFile::lineValuesGoStraightIntoFields()
{
    QFETCH(int, line);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("look.rls"));
    Ravlen button;
    button.SaveButtonSettings(path);
    QByteArrayList lines = fileLines(readAll(path));
    lines[line - 1] = text;
    writeBytes(path, joinLines(lines));

    button.LoadButtonSettings(path);

    COMPARE_PROPERTY(button, property, expected);
}

void TestSettingsFile::shortFilesChangeOnlyTheirLines_data()
{
    QTest::addColumn<int>("kept");
    QTest::newRow("cut after line 61") << 61;
    QTest::newRow("cut after line 63") << 63;
    QTest::newRow("ten lines") << 10;
    QTest::newRow("empty") << 0;
}

void TestSettingsFile::shortFilesChangeOnlyTheirLines()
{
    QFETCH(int, kept);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("look.rls"));
    Ravlen first;
    applySamples(first);
    first.SaveButtonSettings(path);
    writeBytes(path, joinLines(fileLines(readAll(path)).mid(0, kept)));

    Ravlen second;
    second.setCaptionColor(0x00AA00);
    second.setMaskColor(0x0000AA);
    const QFont fontBefore = second.font();
    second.LoadButtonSettings(path);

    QCOMPARE(second.alpha(), kept >= 1);                // line 1
    QCOMPARE(second.borderSize(), kept >= 11 ? 3.0f : 1.0f); // line 11
    QCOMPARE(second.userDrag(), kept >= 61);            // line 61
    QCOMPARE(second.captionColor(), kept >= 62 ? 0x123456u : 0x00AA00u);
    QCOMPARE(second.font().family(), kept >= 63 ? first.font().family() : fontBefore.family());
    QCOMPARE(second.font().pointSizeF(), fontBefore.pointSizeF());
    QCOMPARE(second.maskColor(), 0x0000AAu);
}

void TestSettingsFile::unusableFilesChangeNothingButRedraw_data()
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

void TestSettingsFile::unusableFilesChangeNothingButRedraw()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("look.rls"));
    if (!bytes.isEmpty())
        writeBytes(path, bytes);
    Ravlen button;
    applySamples(button);
    QTemporaryDir expectedDir;
    const QString expected = expectedDir.filePath(QStringLiteral("expected.rls"));
    button.SaveButtonSettings(expected);
    const int draws = drawCalls(button);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^could not read the settings file")));
    button.LoadButtonSettings(path);

    QCOMPARE(drawCalls(button), draws + 1);
    button.SaveButtonSettings(path);
    QCOMPARE(readAll(path), readAll(expected));
}

void TestSettingsFile::hugeLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("look.rls"));
    Ravlen button;
    button.setSettingsFile(QStringLiteral("kept.rls"));
    button.SaveButtonSettings(path);
    QByteArrayList lines = fileLines(readAll(path));
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

void TestSettingsFile::savingNowhereWritesNothing_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("warns");
    QTest::newRow("empty name") << QString() << false;
    QTest::newRow("missing folder") << QStringLiteral("no/such/folder/look.rls") << true;
    QTest::newRow("a folder") << QStringLiteral("folder") << true;
}

void TestSettingsFile::savingNowhereWritesNothing()
{
    QFETCH(QString, fileName);
    QFETCH(bool, warns);
    QTemporaryDir dir;
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

void TestSettingsFile::settingsCommandsUseSettingsFile()
{
    QTemporaryDir dir;
    Ravlen first;
    first.setSettingsFile(dir.filePath(QStringLiteral("shared.rls")));
    first.setFadeDelay(40);
    first.setButtonStyle(Ravlen::Silver);
    first.setSettings(Ravlen::SettingsSave);

    Ravlen second;
    second.setSettingsFile(first.settingsFile());
    second.setSettings(Ravlen::SettingsLoad);

    QCOMPARE(second.fadeDelay(), 40.0f);
    QCOMPARE(second.buttonStyle(), Ravlen::Silver);
    QCOMPARE(second.settings(), Ravlen::SettingsNone);
}

QTEST_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
