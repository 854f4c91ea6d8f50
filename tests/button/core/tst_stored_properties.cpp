#include "core/property_bag.h"
#include "core/stored_properties.h"
#include "property_samples.h"
#include "ravlen.h"
#include "ravlen_p.h"

#include <QApplication>
#include <QDir>
#include <QJsonDocument>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <limits>

namespace {

// The value a property reads after a stored layout without its key.
QVariant readDefault(const char *name, const Ravlen &fresh)
{
    if (qstrcmp(name, "CaptionColor") == 0)
        return 0x80000012u;
    return fresh.property(name);
}

PropertyBag throughJson(const PropertyBag &bag)
{
    const QByteArray text = QJsonDocument(bag.toJson()).toJson();
    return PropertyBag::fromJson(QJsonDocument::fromJson(text).object(), QString());
}

} // namespace

class TestStoredProperties : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysAreTheLayoutOrder();
    void emptyBagGivesReadDefaults_data();
    void emptyBagGivesReadDefaults();
    void roundTripThroughAnotherButton_data();
    void roundTripThroughAnotherButton();
    void buttonAtStoredDefaultsWritesOnlyMouseIcon();
    void newButtonKeepsItsWhiteCaption();
    void readingStoresValuesAsTheyAre_data();
    void readingStoresValuesAsTheyAre();
    void readingAnnouncesOnlyMouseIconAndNeverDraws();
    void soundFolderFromEnvironment_data();
    void soundFolderFromEnvironment();
    void showingDrawsTheStoredState();
};

void TestStoredProperties::keysAreTheLayoutOrder()
{
    QStringList expected;
    for (const PropertySample &sample : propertySamples()) {
        QString key = QLatin1String(sample.name);
        if (key.startsWith(QLatin1String("pic")))
            key[0] = u'P';
        expected.append(key);
    }
    // The stored order differs from the interface order in one place.
    expected.move(expected.indexOf(QStringLiteral("BorderStyle")), expected.indexOf(QStringLiteral("BorderSize")));
    QCOMPARE(StoredProperties::keys(), expected);
}

void TestStoredProperties::emptyBagGivesReadDefaults_data()
{
    QTest::addColumn<QVariant>("unused");
    for (const PropertySample &sample : propertySamples())
        QTest::newRow(sample.name) << QVariant();
}

void TestStoredProperties::emptyBagGivesReadDefaults()
{
    const char *name = QTest::currentDataTag();
    Ravlen fresh;
    Ravlen button;
    applySamples(button);

    button.readProperties(PropertyBag());

    COMPARE_PROPERTY(button, name, readDefault(name, fresh));
}

void TestStoredProperties::roundTripThroughAnotherButton_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("viaJson");
    for (const PropertySample &sample : propertySamples()) {
        QTest::addRow("%s", sample.name) << QByteArray(sample.name) << false;
        QTest::addRow("%s via JSON", sample.name) << QByteArray(sample.name) << true;
    }
}

void TestStoredProperties::roundTripThroughAnotherButton()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, viaJson);
    Ravlen first;
    applySamples(first);
    PropertyBag bag;
    first.writeProperties(bag);

    Ravlen second;
    second.readProperties(viaJson ? throughJson(bag) : bag);

    COMPARE_PROPERTY(second, name, first.property(name));
}

void TestStoredProperties::buttonAtStoredDefaultsWritesOnlyMouseIcon()
{
    Ravlen button;
    button.readProperties(PropertyBag());
    PropertyBag bag;
    button.writeProperties(bag);

    // The hand cursor is written because its written default is empty.
    const bool hasCursor = !RavlenPrivate::defaultMouseIcon().isNull();
    QCOMPARE(bag.keys(), hasCursor ? QStringList{QStringLiteral("MouseIcon")} : QStringList());
}

void TestStoredProperties::newButtonKeepsItsWhiteCaption()
{
    Ravlen button;
    PropertyBag bag;
    button.writeProperties(bag);
    QVERIFY(bag.contains(QStringLiteral("CaptionColor")));
    QVERIFY(!bag.contains(QStringLiteral("Caption")));
    QVERIFY(!bag.contains(QStringLiteral("Font")));

    Ravlen restored;
    restored.readProperties(bag);
    QCOMPARE(restored.captionColor(), 0xFFFFFFu);
}

void TestStoredProperties::readingStoresValuesAsTheyAre_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");

    const auto row = [](const char *tag, const char *key, const QVariant &stored, const char *property,
                        const QVariant &expected) {
        QTest::newRow(tag) << QString::fromLatin1(key) << stored << QByteArray(property) << expected;
    };
    row("no clamping", "FadeDelay", 500.0f, "FadeDelay", 500);
    row("no rounding", "ArrowSize", 2.5f, "ArrowSize", 2.5);
    row("no translation", "GradientNormal1", qint32(0x8000000F), "GradientNormal1", 0x8000000Fu);
    row("colour as unsigned", "GradientNormal1", 4278190080.0, "GradientNormal1", 0xFF000000u);
    row("colour beyond 32 bits", "GradientNormal1", 1e20, "GradientNormal1", 0xFFFFFFFFu);
    row("16-bit too large", "TintBright", 70000, "TintBright", 32767);
    row("16-bit too small", "TintBright", -1e9, "TintBright", -32768);
    row("16-bit from text", "TintBright", QStringLiteral(" 12 "), "TintBright", 12);
    row("16-bit from words", "TintBright", QStringLiteral("bright"), "TintBright", 0);
    row("32-bit too large", "ButtonStyle", qint64(1) << 40, "ButtonStyle", 2147483647);
    row("32-bit from a picture", "ButtonStyle", QImage(2, 2, QImage::Format_RGB32), "ButtonStyle", 0);
    row("Single from words", "FadeDelay", QStringLiteral("fast"), "FadeDelay", 75);
    row("Single beyond its range", "FadeDelay", 1e300, "FadeDelay", double(std::numeric_limits<float>::max()));
    row("text from a number", "Caption", 42, "Caption", QStringLiteral("42"));
    row("text from a picture", "Caption", QImage(2, 2, QImage::Format_RGB32), "Caption", QStringLiteral("Ravlen"));
    row("Boolean from a word", "Fade", QStringLiteral("FALSE"), "Fade", false);
    row("Boolean from a number", "Fade", 0, "Fade", false);
    row("Boolean from a font", "Fade", QFont(), "Fade", true);
    row("Enabled from a word", "Enabled", QStringLiteral("False"), "Enabled", false);
    row("picture from text", "PicNormal", QStringLiteral("face.png"), "picNormal", QPixmap());
    row("font from a number", "Font", 12, "Font", QApplication::font());
    row("settings command not run", "Settings", 2, "Settings", 2);
}

void TestStoredProperties::readingStoresValuesAsTheyAre()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);
    PropertyBag bag;
    bag.insert(key, stored);
    Ravlen button;

    button.readProperties(bag);

    COMPARE_PROPERTY(button, property, expected);
}

void TestStoredProperties::readingAnnouncesOnlyMouseIconAndNeverDraws()
{
    Ravlen first;
    applySamples(first);
    first.setFadeDelay(20);
    PropertyBag bag;
    first.writeProperties(bag);

    Ravlen second;
    auto *fadeTimer = second.findChild<QTimer *>(QStringLiteral("tmrFade"));
    const int interval = fadeTimer->interval();
    const int draws = RavlenPrivate::get(&second)->drawCalls;
    QSignalSpy spy(&second, &Ravlen::storedPropertyChanged);

    second.readProperties(bag);

    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("MouseIcon"));
    QCOMPARE(RavlenPrivate::get(&second)->drawCalls, draws);
    QCOMPARE(second.fadeDelay(), 20.0f);
    QCOMPARE(fadeTimer->interval(), interval);
}

void TestStoredProperties::soundFolderFromEnvironment_data()
{
    QTest::addColumn<QByteArray>("tmp");
    QTest::addColumn<QByteArray>("temp");
    QTest::addColumn<QString>("folder");
    QTest::newRow("TMP first") << QByteArray("/data/tmp") << QByteArray("/data/temp") << QStringLiteral("/data/tmp");
    QTest::newRow("TEMP when TMP is empty") << QByteArray() << QByteArray("/data/temp") << QStringLiteral("/data/temp");
    QTest::newRow("system folder when both are empty") << QByteArray() << QByteArray() << QString();
}

void TestStoredProperties::soundFolderFromEnvironment()
{
    QFETCH(QByteArray, tmp);
    QFETCH(QByteArray, temp);
    QFETCH(QString, folder);
    const QByteArray oldTmp = qgetenv("TMP");
    const QByteArray oldTemp = qgetenv("TEMP");
    const auto restore = qScopeGuard([&] {
        qputenv("TMP", oldTmp); // an empty value counts as unset
        qputenv("TEMP", oldTemp);
    });
    qputenv("TMP", tmp);
    qputenv("TEMP", temp);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    Ravlen button;
    QVERIFY(RavlenPrivate::get(&button)->tempDir.isEmpty());

    button.readProperties(PropertyBag());

    QCOMPARE(RavlenPrivate::get(&button)->tempDir, folder);
}

void TestStoredProperties::showingDrawsTheStoredState()
{
    PropertyBag bag;
    bag.insert(QStringLiteral("ButtonState"), 1);
    Ravlen button;
    button.readProperties(bag);
    QCOMPARE(RavlenPrivate::get(&button)->currentState, 0);

    button.show();

    QCOMPARE(RavlenPrivate::get(&button)->currentState, 1);
}

QTEST_MAIN(TestStoredProperties)
#include "tst_stored_properties.moc"
