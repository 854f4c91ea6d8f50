#include "core/property_samples.h"
#include "drawn_face.h"

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
        row("FadeDelay not a number", "FadeDelay", std::numeric_limits<double>::quiet_NaN(), 0);
        // Every property with a range, at both ends: below it, its lowest, above it, its highest.
        const double huge = 1e30;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const QList<std::tuple<const char *, double, double, double, double>> ranges{
            {"TintBright", -300, -255, 300, 255}, {"FadeDelay", -1, 0, 250, 100},      {"ButtonIconSize", -huge, 0, huge, 1000},
            {"AlphaValue", -1, 0, 256, 255},      {"RoundWidth", -1, 0, 1000.5, 1000}, {"RoundHeight", -huge, 0, huge, 1000},
            {"ArrowSize", 0, 1, 1001, 1000},      {"TextureSize", 0, 1, 101, 100},     {"TextureAlpha", -0.6, 0, 255.6, 255},
            {"BorderSize", 0, 1, huge, 1000}};
        for (const auto &[property, below, lowest, above, highest] : ranges) {
            QTest::addRow("%s below range", property) << QByteArray(property) << QVariant(below) << QVariant(lowest);
            QTest::addRow("%s above range", property) << QByteArray(property) << QVariant(above) << QVariant(highest);
        }
        for (const char *property : {"ArrowSize", "TextureSize", "BorderSize"})
            QTest::addRow("%s not a number", property) << QByteArray(property) << QVariant(nan) << QVariant(1);
        row("ShadowSize has no range", "ShadowSize", 2.5, 2.5);
        row("ShadowSize not a number ignored", "ShadowSize", nan, 6);
        row("ButtonIconPos beyond 16 bits", "ButtonIconPos", 70000, 32767);
        // System colour references, translated by the palette set below, but
        // where the button keeps the reference.
        const uint buttonFace = 0x80000000u + 15;
        row("button face", "GradientOver2", buttonFace, 0x38220Cu);
        row("button text", "TintColor", 0x80000012u, 0x030201u);
        row("CaptionColor keeps the reference", "CaptionColor", buttonFace, buttonFace);
        row("MaskColor keeps the reference", "MaskColor", buttonFace, buttonFace);
        row("index beyond the table", "TintColor", 0x8000001Fu, 0x8000001Fu);
    }

    void settersRoundAndLimit()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        QFETCH(QVariant, expected);
        Ravlen button;
        QPalette palette = button.palette();
        palette.setColor(QPalette::Button, QColor(12, 34, 56));
        palette.setColor(QPalette::ButtonText, QColor(1, 2, 3));
        button.setPalette(palette);
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
        QTest::addColumn<bool>("redraws");

        const QSet<QByteArray> storedOnly = {"Enabled",      "UpMotion", "UserDrag",  "DoubleClickEnable", "SoundClick",
                                             "SoundIn",      "SoundOut", "SoundDown", "SoundUp",           "SoundCustom1",
                                             "SoundCustom2", "Sound",    "Settings",  "SettingsFile",      "MouseIcon"};
        for (const PropertySample &sample : propertySamples()) {
            const QByteArray name(sample.name);
            QString key = QString::fromLatin1(name);
            if (name.startsWith("pic"))
                key[0] = u'P';
            QStringList keys{key};
            if (name == "ButtonStyle")
                keys.prepend(QStringLiteral("MaskColor"));
            QTest::newRow(sample.name) << sample.value << keys << !storedOnly.contains(name);
        }
    }

    void settersAnnounceAndRedraw()
    {
        QFETCH(QVariant, value);
        QFETCH(QStringList, keys);
        QFETCH(bool, redraws);
        Ravlen button;
        QSignalSpy spy(&button, &Ravlen::storedPropertyChanged);
        const DrawnFace before = drawnFace(button);

        QVERIFY(button.setProperty(QTest::currentDataTag(), value));

        QStringList announced;
        for (const QList<QVariant> &arguments : spy)
            announced.append(arguments.at(0).toString());
        QCOMPARE(announced, keys);
        QCOMPARE(drawnFace(button) != before, redraws);
    }

    void buttonStyleSetsMaskColor()
    {
        Ravlen button;
        button.setButtonStyle(Ravlen::VistaTaskBar);
        QCOMPARE(button.maskColor(), 0xFFFFFFu);
        button.setButtonStyle(Ravlen::RavlenStyles(40)); // no named style
        QCOMPARE(button.maskColor(), 0u);
    }

    void resetMakesButtonNew()
    {
        QWidget container;
        const QFont containerFont(QStringLiteral("DejaVu Sans"), 17);
        container.setFont(containerFont);
        Ravlen button(&container);
        applySamples(button);
        button.resize(200, 90);

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
        QCOMPARE(button.findChild<QTimer *>(QStringLiteral("tmrFade"))->interval(), 40);
    }

    void keyDownCarriesPlatformCodes()
    {
        // The key, the modifiers held, and the key code and Shift bits raised.
        const QList<std::tuple<Qt::Key, Qt::KeyboardModifiers, int, int>> cases{
            {Qt::Key_PageDown, Qt::ShiftModifier, 34, 1},
            {Qt::Key_Down, Qt::AltModifier | Qt::ControlModifier, 40, 6},
            {Qt::Key_5, Qt::KeypadModifier, 101, 0},
            {Qt::Key_Exclam, Qt::NoModifier, int('1'), 0}, // the shifted 1 is the 1 key
        };
        for (const auto &[key, modifiers, keyCode, shift] : cases) {
            Ravlen button;
            std::pair<int, int> last;
            // Modifier keys held first raise their own KeyDown.
            connect(&button, &Ravlen::KeyDown, this, [&last](int &code, int &bits) { last = {code, bits}; });
            QTest::keyPress(&button, key, modifiers);
            QCOMPARE(last, std::make_pair(keyCode, shift));
        }
    }
};

QTEST_MAIN(TestRavlen)
#include "tst_ravlen.moc"
