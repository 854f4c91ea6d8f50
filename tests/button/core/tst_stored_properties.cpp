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

namespace {

PropertyBag throughJson(const PropertyBag &bag)
{
    const QByteArray text = QJsonDocument(bag.toJson()).toJson();
    return PropertyBag::fromJson(QJsonDocument::fromJson(text).object(), QString());
}

enum Route { Bag, Json, EmptyLayout };

} // namespace

class TestStoredProperties : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysAreTheLayoutOrder()
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

    void throughAStoredLayout_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("route");
        for (const PropertySample &sample : propertySamples()) {
            QTest::addRow("%s", sample.name) << QByteArray(sample.name) << int(Bag);
            QTest::addRow("%s via JSON", sample.name) << QByteArray(sample.name) << int(Json);
            QTest::addRow("%s from an empty layout", sample.name) << QByteArray(sample.name) << int(EmptyLayout);
        }
    }

    void throughAStoredLayout()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, route);
        Ravlen first;
        applySamples(first);
        const QVariant written = first.property(name);
        PropertyBag bag;
        if (route != EmptyLayout)
            first.writeProperties(bag);

        Ravlen second;
        Ravlen &reader = route == EmptyLayout ? first : second;
        reader.readProperties(route == Json ? throughJson(bag) : bag);

        // A missing key reads as a new button's value, but for the caption
        // colour, whose stored default is the button text colour.
        const QVariant missing = name == "CaptionColor" ? QVariant(0x80000012u) : Ravlen().property(name);
        COMPARE_PROPERTY(reader, name, route == EmptyLayout ? missing : written);
    }

    void newButtonWritesOnlyCaptionColourAndCursor()
    {
        Ravlen button;
        PropertyBag bag;
        button.writeProperties(bag);
        // A new button's white caption differs from the stored default; the hand
        // cursor is written because its written default is empty.
        QStringList expected{QStringLiteral("CaptionColor")};
        if (!RavlenPrivate::defaultMouseIcon().isNull())
            expected.append(QStringLiteral("MouseIcon"));
        QCOMPARE(bag.keys(), expected);

        Ravlen restored;
        restored.readProperties(bag);
        QCOMPARE(restored.captionColor(), 0xFFFFFFu);
    }

    void readingStoresValuesAsTheyAre_data()
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
        row("no translation", "GradientNormal1", qint32(0x8000000F), "GradientNormal1", 0x8000000Fu);
        row("16-bit too large", "TintBright", 70000, "TintBright", 32767);
        row("32-bit too large", "ButtonStyle", qint64(1) << 40, "ButtonStyle", 2147483647);
        row("32-bit from a picture", "ButtonStyle", QImage(2, 2, QImage::Format_RGB32), "ButtonStyle", 0);
        row("Single from words", "FadeDelay", QStringLiteral("fast"), "FadeDelay", 75);
        row("text from a number", "Caption", 42, "Caption", QStringLiteral("42"));
        row("Boolean from a font", "Fade", QFont(), "Fade", true);
        row("picture from text", "PicNormal", QStringLiteral("face.png"), "picNormal", QPixmap());
        row("font from a number", "Font", 12, "Font", QApplication::font());
        row("settings command not run", "Settings", 2, "Settings", 2);
    }

    void readingStoresValuesAsTheyAre()
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

    void readingAnnouncesOnlyMouseIconAndNeverDraws()
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

    void soundFolderFromEnvironment()
    {
        const QByteArray oldTmp = qgetenv("TMP");
        const QByteArray oldTemp = qgetenv("TEMP");
        const auto restore = qScopeGuard([&] {
            qputenv("TMP", oldTmp); // an empty value counts as unset
            qputenv("TEMP", oldTemp);
        });
        qputenv("TMP", QByteArray());
        // TEMP when TMP is empty, the system's folder when both are.
        for (const QString &temp : {QStringLiteral("/data/temp"), QString()}) {
            qputenv("TEMP", temp.toLocal8Bit());
            Ravlen button;
            QVERIFY(RavlenPrivate::get(&button)->tempDir.isEmpty());
            button.readProperties(PropertyBag());
            QCOMPARE(RavlenPrivate::get(&button)->tempDir, temp.isEmpty() ? QDir::tempPath() : temp);
        }
    }

    void showingDrawsTheStoredState()
    {
        PropertyBag bag;
        bag.insert(QStringLiteral("ButtonState"), 1);
        Ravlen button;
        button.readProperties(bag);
        QCOMPARE(RavlenPrivate::get(&button)->currentState, 0);
        button.show();
        QCOMPARE(RavlenPrivate::get(&button)->currentState, 1);
    }
};

QTEST_MAIN(TestStoredProperties)
#include "tst_stored_properties.moc"
