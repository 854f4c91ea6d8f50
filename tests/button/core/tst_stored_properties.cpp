#include "RavlenLib/property_bag.h"
#include "drawn_face.h"
#include "property_samples.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

class TestStoredProperties : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void throughAStoredLayout_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("empty");
        for (const PropertySample &sample : propertySamples()) {
            QTest::addRow("%s via JSON", sample.name) << QByteArray(sample.name) << false;
            QTest::addRow("%s from an empty layout", sample.name) << QByteArray(sample.name) << true;
        }
    }

    void throughAStoredLayout()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, empty);
        Ravlen first;
        applySamples(first);
        PropertyBag bag;
        if (!empty)
            first.writeProperties(bag);
        const QByteArray json = QJsonDocument(bag.toJson()).toJson();

        Ravlen second;
        Ravlen &reader = empty ? first : second;
        reader.readProperties(PropertyBag::fromJson(QJsonDocument::fromJson(json).object(), QString()));

        // A missing key reads as a new button's value, but for the caption
        // colour, whose stored default is the button text colour.
        const QVariant missing = name == "CaptionColor" ? QVariant(0x80000012u) : Ravlen().property(name);
        COMPARE_PROPERTY(reader, name, empty ? missing : first.property(name));
    }

    void newButtonWritesOnlyCaptionColourAndCursor()
    {
        Ravlen button;
        PropertyBag bag;
        button.writeProperties(bag);
        // A new button's white caption differs from the stored default; the hand
        // cursor is written because its written default is empty.
        QCOMPARE(bag.keys(), (QStringList{"CaptionColor", "MouseIcon"}));

        Ravlen restored;
        restored.readProperties(bag);
        QCOMPARE(restored.captionColor(), 0xFFFFFFu);
    }

    void readingStoresValuesAsTheyAre()
    {
        const QList<std::tuple<const char *, QVariant, QVariant>> cases{
            {"FadeDelay", 500.0f, 500}, // no clamping
            {"GradientNormal1", qint32(0x8000000F), 0x8000000Fu}, // no translation
            {"TintBright", 70000, 32767}, // 16 bits at most
            {"ButtonIcon", QStringLiteral("face.png"), QPixmap()}, // no picture from text
            {"Settings", 2, 2}, // the command is kept, not run
        };
        for (const auto &[key, stored, expected] : cases) {
            PropertyBag bag;
            bag.insert(QString::fromLatin1(key), stored);
            Ravlen button;
            button.readProperties(bag);
            COMPARE_PROPERTY(button, key, expected);
        }
    }

    void readingAnnouncesOnlyMouseIconAndDrawsOnShow()
    {
        Ravlen first;
        applySamples(first);
        PropertyBag bag;
        first.writeProperties(bag);

        Ravlen second;
        const FaceComposer &composer = RavlenPrivate::get(&second)->composer();
        const DrawnFace before = drawnFace(second);
        QSignalSpy spy(&second, &Ravlen::storedPropertyChanged);
        second.readProperties(bag);

        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("MouseIcon"));
        QVERIFY(drawnFace(second) == before);
        QCOMPARE(composer.drawnState(), 0); // the stored state is drawn once shown
        second.show();
        QCOMPARE(composer.drawnState(), 2);
    }
};

QTEST_MAIN(TestStoredProperties)
#include "tst_stored_properties.moc"
