#include "property_samples.h"
#include "ravlen.h"
#include "ravlen_p.h"

#include <QApplication>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <limits>

class TestRavlen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaults_data();
    void defaults();
    void propertiesAreTheInterfaceInOrder();
    void newButtonTakesContainerFontAndSize();
    void newButtonShowsHandCursor();
    void settersRoundAndLimit_data();
    void settersRoundAndLimit();
    void fadeDelaySetsTimerInterval_data();
    void fadeDelaySetsTimerInterval();
    void settersAnnounceAndRedraw_data();
    void settersAnnounceAndRedraw();
    void buttonStyleSetsMaskColor_data();
    void buttonStyleSetsMaskColor();
    void colourTranslation_data();
    void colourTranslation();
    void buttonStateDrawsAtOnce_data();
    void buttonStateDrawsAtOnce();
    void settingsCommandReadsBackNone_data();
    void settingsCommandReadsBackNone();
    void resetMakesButtonNew();
    void leftClickRaisesClick_data();
    void leftClickRaisesClick();
    void handlerMayDeleteButton();
    void keyDownCarriesPlatformCodes_data();
    void keyDownCarriesPlatformCodes();
};

void TestRavlen::defaults_data()
{
    QTest::addColumn<QVariant>("expected");

    const QVariant empty = QPixmap();
    const QList<std::pair<const char *, QVariant>> rows = {
        {"Enabled", true}, {"Font", QApplication::font()}, {"BorderStyle", 0}, {"CaptionColor", 0xFFFFFFu},
        {"Tint", false}, {"TintColor", 1500000u}, {"TintBright", 0}, {"picNormal", empty}, {"picOver", empty},
        {"picDown", empty}, {"CustomPic", false}, {"ButtonIcon", empty}, {"ButtonIconShow", false},
        {"MaskColor", 0u}, {"ButtonIconPos", 0}, {"GradientNormal1", 255u}, {"GradientNormal2", 65535u},
        {"GradientOver1", 0xFF0000u}, {"GradientOver2", 255u}, {"GradientDown1", 65280u},
        {"GradientDown2", 65535u}, {"GradientStyle", 0}, {"UpMotion", false}, {"UserDrag", false},
        {"Fade", true}, {"FadeDelay", 75.0}, {"CaptionShadow", false}, {"CaptionShadowColor", 0x404040u},
        {"AutoSize", false}, {"Effects", 0}, {"EnableEffects", true}, {"ButtonIconSize", 80.0},
        {"ButtonStyle", 0}, {"Alpha", false}, {"AlphaValue", 150.0}, {"RoundBorder", false},
        {"RoundWidth", 5.0}, {"RoundHeight", 5.0}, {"RoundSizeAuto", true}, {"TintType", 0},
        {"ArrowShow", false}, {"ArrowDirection", 0}, {"ArrowColor", 0xFFFFFFu}, {"ArrowPosition", 0},
        {"ArrowSize", 5.0}, {"CaptionAutoAlign", true}, {"CaptionAlignment", 0}, {"ArrowSplit", true},
        {"DoubleClickEnable", false}, {"Texture", false}, {"TextureImage", empty}, {"TextureSize", 1.0},
        {"TextureAlpha", 100.0}, {"TextureType", 0}, {"SoundClick", 0}, {"SoundIn", 0}, {"SoundOut", 0},
        {"SoundDown", 0}, {"SoundUp", 0}, {"SoundCustom1", QString()}, {"SoundCustom2", QString()},
        {"Sound", false}, {"Settings", 0}, {"SettingsFile", QStringLiteral("Ravlen.rls")}, {"BorderSize", 1.0},
        {"BorderColor", 0u}, {"MouseIcon", QPixmap::fromImage(RavlenPrivate::defaultMouseIcon())},
        {"Shadow", false}, {"ShadowColor", 0u}, {"ShadowSize", 6.0}, {"ShadowStyle", 0},
        {"ButtonIconShadow", true}, {"Caption", QStringLiteral("Ravlen")}, {"Animate", true},
        {"ButtonIconAllPic", true}, {"CaptionAntiAliased", false}, {"ButtonState", 0},
    };
    for (const auto &[name, expected] : rows)
        QTest::newRow(name) << expected;
}

void TestRavlen::defaults()
{
    QFETCH(QVariant, expected);
    Ravlen button;
    COMPARE_PROPERTY(button, QTest::currentDataTag(), expected);
}

void TestRavlen::propertiesAreTheInterfaceInOrder()
{
    QStringList expected;
    for (const PropertySample &sample : propertySamples())
        expected.append(QLatin1String(sample.name));
    QCOMPARE(expected.size(), 77);

    QStringList actual;
    const QMetaObject &meta = Ravlen::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        actual.append(QLatin1String(meta.property(i).name()));
    QCOMPARE(actual, expected);
}

void TestRavlen::newButtonTakesContainerFontAndSize()
{
    QWidget container;
    QFont containerFont(QStringLiteral("DejaVu Sans Mono"));
    containerFont.setPointSizeF(13.5);
    container.setFont(containerFont);
    Ravlen button(&container);
    QCOMPARE(button.font(), containerFont);
    QCOMPARE(button.size(), QSize(81, 33));
}

void TestRavlen::newButtonShowsHandCursor()
{
    Ravlen button;
    const QImage own = RavlenPrivate::defaultMouseIcon();
    if (own.isNull()) {
        QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
        return;
    }
    QCOMPARE(own.size(), QSize(32, 32));
    QCOMPARE(button.cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(button.cursor().hotSpot(), QPoint(6, 0));
}

void TestRavlen::settersRoundAndLimit_data()
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
    row("FadeDelay below range", "FadeDelay", -3, 0);
    row("FadeDelay not a number", "FadeDelay", std::numeric_limits<double>::quiet_NaN(), 0);
    row("TintBright above range", "TintBright", 300, 255);
    row("TintBright below range", "TintBright", -300, -255);
    row("ArrowSize zero", "ArrowSize", 0, 1);
    row("ArrowSize half", "ArrowSize", 2.5, 2);
    row("ArrowSize above range", "ArrowSize", 1000.5, 1000);
    row("BorderSize zero", "BorderSize", 0, 1);
    row("BorderSize half", "BorderSize", 3.5, 4);
    row("BorderSize above range", "BorderSize", 5000, 1000);
    row("TextureSize zero", "TextureSize", 0, 1);
    row("TextureSize above range", "TextureSize", 101, 100);
    row("TextureAlpha above range", "TextureAlpha", 256, 255);
    row("AlphaValue above range", "AlphaValue", 300, 255);
    row("AlphaValue half", "AlphaValue", 127.5, 128);
    row("ButtonIconSize below range", "ButtonIconSize", -5, 0);
    row("ButtonIconSize half", "ButtonIconSize", 80.5, 80);
    row("ButtonIconSize above range", "ButtonIconSize", 1000.4, 1000);
    row("RoundWidth half", "RoundWidth", 2.5, 2);
    row("RoundHeight half", "RoundHeight", 3.5, 4);
    row("ShadowSize kept fractional", "ShadowSize", 2.5, 2.5);
    row("ShadowSize kept negative", "ShadowSize", -7.25, -7.25);
    row("ShadowSize not a number ignored", "ShadowSize", std::numeric_limits<double>::quiet_NaN(), 6);
    row("ButtonIconPos beyond 16 bits", "ButtonIconPos", 70000, 32767);
    row("ButtonIconPos below 16 bits", "ButtonIconPos", -70000, -32768);
    row("ButtonIconPos unnamed value", "ButtonIconPos", 9, 9);
    row("ButtonStyle unnamed value", "ButtonStyle", 99, 99);
    row("SoundClick any 32-bit value", "SoundClick", 2000000000, 2000000000);
    row("ButtonState unnamed value", "ButtonState", 7, 7);
}

void TestRavlen::settersRoundAndLimit()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    Ravlen button;
    QVERIFY(button.setProperty(property, value));
    COMPARE_PROPERTY(button, property, expected);
}

void TestRavlen::fadeDelaySetsTimerInterval_data()
{
    QTest::addColumn<double>("delay");
    QTest::addColumn<int>("interval");
    QTest::newRow("12.5") << 12.5 << 12;
    QTest::newRow("13.5") << 13.5 << 14;
    QTest::newRow("250") << 250.0 << 100;
    QTest::newRow("0") << 0.0 << 0;
}

void TestRavlen::fadeDelaySetsTimerInterval()
{
    QFETCH(double, delay);
    QFETCH(int, interval);
    Ravlen button;
    auto *timer = button.findChild<QTimer *>(QStringLiteral("tmrFade"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 1);
    button.setFadeDelay(float(delay));
    QCOMPARE(timer->interval(), interval);
    QVERIFY(!timer->isActive());
}

void TestRavlen::settersAnnounceAndRedraw_data()
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

void TestRavlen::settersAnnounceAndRedraw()
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

void TestRavlen::buttonStyleSetsMaskColor_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<uint>("mask");
    QTest::newRow("VistaTaskBar") << int(Ravlen::VistaTaskBar) << 0xFFFFFFu;
    QTest::newRow("Aqua") << int(Ravlen::Aqua) << 0u;
    QTest::newRow("Vista") << int(Ravlen::Vista) << 0u;
    QTest::newRow("WinXP") << int(Ravlen::WinXP) << 0u;
    QTest::newRow("Gradient") << int(Ravlen::Gradient) << 0u;
    QTest::newRow("unnamed") << 40 << 0u;
}

void TestRavlen::buttonStyleSetsMaskColor()
{
    QFETCH(int, style);
    QFETCH(uint, mask);
    Ravlen button;
    button.setMaskColor(0x123456);
    button.setButtonStyle(Ravlen::RavlenStyles(style));
    QCOMPARE(button.maskColor(), mask);
    QCOMPARE(int(button.buttonStyle()), style);
}

void TestRavlen::colourTranslation_data()
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
    QTest::newRow("index 0") << QByteArray("TintColor") << 0x80000000u << faceRgb;
    QTest::newRow("undefined index 25") << QByteArray("TintColor") << 0x80000019u << 0x80000019u;
    QTest::newRow("index beyond the table") << QByteArray("TintColor") << 0x8000001Fu << 0x8000001Fu;
    QTest::newRow("plain colour") << QByteArray("TintColor") << 0x00ABCDEFu << 0x00ABCDEFu;
}

void TestRavlen::colourTranslation()
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

void TestRavlen::buttonStateDrawsAtOnce_data()
{
    QTest::addColumn<int>("state");
    QTest::newRow("normal") << 0;
    QTest::newRow("hover") << 1;
    QTest::newRow("pressed") << 2;
    QTest::newRow("unnamed") << 7;
}

void TestRavlen::buttonStateDrawsAtOnce()
{
    QFETCH(int, state);
    Ravlen button;
    button.setButtonState(Ravlen::ButtonStateRL(state));
    const RavlenPrivate *d = RavlenPrivate::get(&button);
    QCOMPARE(d->currentState, state);
    QCOMPARE(d->lastDrawnStateOrNormal(), state);
}

void TestRavlen::settingsCommandReadsBackNone_data()
{
    QTest::addColumn<int>("action");
    QTest::newRow("none") << 0;
    QTest::newRow("load") << 1;
    QTest::newRow("save") << 2;
    QTest::newRow("reset") << 3;
    QTest::newRow("unnamed") << 7;
}

void TestRavlen::settingsCommandReadsBackNone()
{
    QFETCH(int, action);
    QTemporaryDir dir;
    Ravlen button;
    button.setSettingsFile(dir.filePath(QStringLiteral("look.rls")));
    QSignalSpy spy(&button, &Ravlen::storedPropertyChanged);

    button.setSettings(Ravlen::SettingsRL(action));

    QCOMPARE(int(button.settings()), 0);
    QVERIFY(!spy.isEmpty());
    QCOMPARE(spy.last().at(0).toString(), QStringLiteral("Settings"));
    QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("look.rls"))), action == 2);
}

void TestRavlen::resetMakesButtonNew()
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

void TestRavlen::leftClickRaisesClick_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");
    QTest::newRow("left inside") << Qt::LeftButton << QPoint(40, 16) << 1;
    QTest::newRow("left released outside") << Qt::LeftButton << QPoint(140, 16) << 0;
    QTest::newRow("right inside") << Qt::RightButton << QPoint(40, 16) << 0;
}

void TestRavlen::leftClickRaisesClick()
{
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);
    Ravlen button;
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy spy(&button, &Ravlen::Click);
    int downButton = 0;
    connect(&button, &Ravlen::MouseDown, this, [&](int &b, int &, float &, float &) { downButton = b; });

    QTest::mousePress(&button, mouseButton, {}, QPoint(40, 16));
    QTest::mouseRelease(&button, mouseButton, {}, releaseAt);

    QCOMPARE(spy.count(), clicks);
    QCOMPARE(downButton, mouseButton == Qt::LeftButton ? 1 : 2);
}

void TestRavlen::handlerMayDeleteButton()
{
    auto *button = new Ravlen;
    button->show();
    QVERIFY(QTest::qWaitForWindowExposed(button));
    QPointer<Ravlen> guard(button);
    int clicks = 0;
    connect(button, &Ravlen::Click, this, [&] { ++clicks; });
    connect(button, &Ravlen::MouseUp, this, [&](int &, int &, float &, float &) { delete guard.data(); });

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));

    QVERIFY(guard.isNull());
    QCOMPARE(clicks, 0);
}

void TestRavlen::keyDownCarriesPlatformCodes_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("shift");
    QTest::newRow("PageUp") << Qt::Key_PageUp << Qt::KeyboardModifiers() << 33 << 0;
    QTest::newRow("PageDown with Shift") << Qt::Key_PageDown << Qt::KeyboardModifiers(Qt::ShiftModifier) << 34 << 1;
    QTest::newRow("Left with Ctrl") << Qt::Key_Left << Qt::KeyboardModifiers(Qt::ControlModifier) << 37 << 2;
    QTest::newRow("Down with Alt and Ctrl")
        << Qt::Key_Down << Qt::KeyboardModifiers(Qt::AltModifier | Qt::ControlModifier) << 40 << 6;
    QTest::newRow("letter") << Qt::Key_Q << Qt::KeyboardModifiers() << int('Q') << 0;
    QTest::newRow("digit") << Qt::Key_7 << Qt::KeyboardModifiers() << int('7') << 0;
    QTest::newRow("F1") << Qt::Key_F1 << Qt::KeyboardModifiers() << 112 << 0;
    QTest::newRow("keypad 5") << Qt::Key_5 << Qt::KeyboardModifiers(Qt::KeypadModifier) << 101 << 0;
    QTest::newRow("shifted 1 is the 1 key") << Qt::Key_Exclam << Qt::KeyboardModifiers() << int('1') << 0;
    QTest::newRow("question mark key") << Qt::Key_Question << Qt::KeyboardModifiers() << 191 << 0;
    QTest::newRow("key without a code") << Qt::Key_VolumeUp << Qt::KeyboardModifiers() << 0 << 0;
}

void TestRavlen::keyDownCarriesPlatformCodes()
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

QTEST_MAIN(TestRavlen)
#include "tst_ravlen.moc"
