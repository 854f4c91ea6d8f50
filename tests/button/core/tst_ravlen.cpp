#include "property_samples.h"
#include "ravlen.h"
#include "ravlen_p.h"

#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <limits>

class TestRavlen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settersRoundAndLimit_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("expected");

        const auto row = [](const char *tag, const char *property, const QVariant &value, const QVariant &expected) {
            QTest::newRow(tag) << QByteArray(property) << value << expected;
        };
        row("FadeDelay half down to even", "FadeDelay", 12.5, 12);
        row("FadeDelay half up to even", "FadeDelay", 13.5, 14);
        row("FadeDelay above range", "FadeDelay", 250, 100);
        row("FadeDelay not a number", "FadeDelay", std::numeric_limits<double>::quiet_NaN(), 0);
        row("TintBright below range", "TintBright", -300, -255);
        row("ArrowSize zero", "ArrowSize", 0, 1);
        row("BorderSize above range", "BorderSize", 5000, 1000);
        row("TextureAlpha above range", "TextureAlpha", 256, 255);
        row("AlphaValue half", "AlphaValue", 127.5, 128);
        row("ButtonIconSize below range", "ButtonIconSize", -5, 0);
        row("ShadowSize kept fractional and negative", "ShadowSize", -7.25, -7.25);
        row("ShadowSize not a number ignored", "ShadowSize", std::numeric_limits<double>::quiet_NaN(), 6);
        row("ButtonIconPos beyond 16 bits", "ButtonIconPos", 70000, 32767);
        row("ButtonStyle unnamed value", "ButtonStyle", 99, 99);
        row("SoundClick any 32-bit value", "SoundClick", 2000000000, 2000000000);
    }

    void settersRoundAndLimit()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        QFETCH(QVariant, expected);
        Ravlen button;
        auto *timer = button.findChild<QTimer *>(QStringLiteral("tmrFade"));
        QVERIFY(button.setProperty(property, value));
        COMPARE_PROPERTY(button, property, expected);
        // The fade runs at the delay as kept, and only once a fade starts.
        QCOMPARE(timer->interval(), property == "FadeDelay" ? expected.toInt() : 1);
        QVERIFY(!timer->isActive());
    }

    void settersAnnounceAndRedraw_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("draws");

        const QSet<QByteArray> storedOnly = {"Enabled", "UpMotion", "UserDrag", "DoubleClickEnable", "SoundClick",
                                             "SoundIn", "SoundOut", "SoundDown", "SoundUp", "SoundCustom1",
                                             "SoundCustom2", "Sound", "Settings", "SettingsFile", "MouseIcon"};
        for (const PropertySample &sample : propertySamples()) {
            const QByteArray name(sample.name);
            QString key = QString::fromLatin1(name);
            if (name.startsWith("pic"))
                key[0] = u'P';
            QStringList keys{key};
            int draws = storedOnly.contains(name) ? 0 : 1;
            if (name == "ButtonStyle") {
                keys.prepend(QStringLiteral("MaskColor"));
                draws = 2;
            }
            QTest::newRow(sample.name) << sample.value << keys << draws;
        }
    }

    void settersAnnounceAndRedraw()
    {
        QFETCH(QVariant, value);
        QFETCH(QStringList, keys);
        QFETCH(int, draws);
        Ravlen button;
        QSignalSpy spy(&button, &Ravlen::storedPropertyChanged);
        const int drawsBefore = RavlenPrivate::get(&button)->drawCalls;

        QVERIFY(button.setProperty(QTest::currentDataTag(), value));

        QStringList announced;
        for (const QList<QVariant> &arguments : spy)
            announced.append(arguments.at(0).toString());
        QCOMPARE(announced, keys);
        QCOMPARE(RavlenPrivate::get(&button)->drawCalls - drawsBefore, draws);
    }

    void buttonStyleSetsMaskColor()
    {
        Ravlen button;
        for (const int style : {int(Ravlen::VistaTaskBar), int(Ravlen::Aqua), 40}) {
            button.setMaskColor(0x123456);
            button.setButtonStyle(Ravlen::RavlenStyles(style));
            QCOMPARE(button.maskColor(), style == Ravlen::VistaTaskBar ? 0xFFFFFFu : 0u);
            QCOMPARE(int(button.buttonStyle()), style);
        }
    }

    void colourTranslation_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<uint>("value");
        QTest::addColumn<uint>("expected");

        const uint buttonFace = 0x80000000u + 15;
        const uint faceRgb = 0x38220C; // RGB(12, 34, 56), see the palette below
        for (const char *property : {"TintColor", "GradientNormal1", "GradientNormal2", "GradientOver1", "GradientOver2",
                                     "GradientDown1", "GradientDown2", "CaptionShadowColor", "ArrowColor",
                                     "BorderColor", "ShadowColor"})
            QTest::newRow(property) << QByteArray(property) << buttonFace << faceRgb;
        QTest::newRow("CaptionColor keeps the reference") << QByteArray("CaptionColor") << buttonFace << buttonFace;
        QTest::newRow("MaskColor keeps the reference") << QByteArray("MaskColor") << buttonFace << buttonFace;
        QTest::newRow("button text") << QByteArray("TintColor") << 0x80000012u << 0x030201u;
        QTest::newRow("undefined index 25") << QByteArray("TintColor") << 0x80000019u << 0x80000019u;
        QTest::newRow("index beyond the table") << QByteArray("TintColor") << 0x8000001Fu << 0x8000001Fu;
    }

    void colourTranslation()
    {
        QFETCH(QByteArray, property);
        QFETCH(uint, value);
        QFETCH(uint, expected);
        Ravlen button;
        QPalette palette = button.palette();
        palette.setColor(QPalette::Button, QColor(12, 34, 56));
        palette.setColor(QPalette::ButtonText, QColor(1, 2, 3));
        button.setPalette(palette);

        QVERIFY(button.setProperty(property, value));
        QCOMPARE(button.property(property).toUInt(), expected);
    }

    void buttonStateDrawsAtOnce()
    {
        Ravlen button;
        const RavlenPrivate *d = RavlenPrivate::get(&button);
        for (const int state : {2, 7, 0}) {
            button.setButtonState(Ravlen::ButtonStateRL(state));
            QCOMPARE(d->currentState, state);
            QCOMPARE(d->lastDrawnStateOrNormal(), state);
        }
    }

    void resetMakesButtonNew()
    {
        QWidget container;
        QFont containerFont(QStringLiteral("DejaVu Sans"));
        containerFont.setPointSize(17);
        container.setFont(containerFont);
        Ravlen button(&container);
        applySamples(button);
        button.resize(200, 90);
        button.setFadeDelay(30);

        button.setSettings(Ravlen::SettingsReset);

        Ravlen fresh(&container);
        const QMetaObject &meta = Ravlen::staticMetaObject;
        for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
            const char *name = meta.property(i).name();
            QVERIFY2(comparable(button.property(name)) == comparable(fresh.property(name)), name);
        }
        QCOMPARE(button.size(), QSize(81, 33));
        QCOMPARE(button.font(), containerFont);
        // The fade timer keeps the interval last set; only the field is reset.
        QCOMPARE(button.findChild<QTimer *>(QStringLiteral("tmrFade"))->interval(), 30);
    }

    void keyDownCarriesPlatformCodes_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("shift");
        QTest::newRow("PageDown with Shift") << Qt::Key_PageDown << Qt::KeyboardModifiers(Qt::ShiftModifier) << 34 << 1;
        QTest::newRow("Down with Alt and Ctrl")
            << Qt::Key_Down << Qt::KeyboardModifiers(Qt::AltModifier | Qt::ControlModifier) << 40 << 6;
        QTest::newRow("keypad 5") << Qt::Key_5 << Qt::KeyboardModifiers(Qt::KeypadModifier) << 101 << 0;
        QTest::newRow("shifted 1 is the 1 key") << Qt::Key_Exclam << Qt::KeyboardModifiers() << int('1') << 0;
        QTest::newRow("question mark key") << Qt::Key_Question << Qt::KeyboardModifiers() << 191 << 0;
        QTest::newRow("key without a code") << Qt::Key_VolumeUp << Qt::KeyboardModifiers() << 0 << 0;
    }

    void keyDownCarriesPlatformCodes()
    {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, keyCode);
        QFETCH(int, shift);
        Ravlen button;
        QList<std::pair<int, int>> downs;
        connect(&button, &Ravlen::KeyDown, this, [&](int &code, int &bits) { downs.append({code, bits}); });

        QTest::keyPress(&button, key, modifiers);

        // Modifier keys held first raise their own KeyDown.
        QVERIFY(!downs.isEmpty());
        QCOMPARE(downs.last(), std::make_pair(keyCode, shift));
    }
};

QTEST_MAIN(TestRavlen)
#include "tst_ravlen.moc"
