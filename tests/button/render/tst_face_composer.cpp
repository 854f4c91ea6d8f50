#include "RavlenLib/property_bag.h"
#include "RavlenLib/ravlen.h"
#include "drawn_face.h"
#include "render/face_composer.h"
#include "render/skin_library.h"
#include "surface_fixtures.h"

#include <QApplication>
#include <QPalette>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>

// The button's drawing as a whole, through the widget that hosts it: which
// face it shows when, the fade, its window mask, skins, resizing, the
// container seen through and failing layers.

namespace {

constexpr OleColor Red = 0x0000FF;
constexpr OleColor Blue = 0xFF0000;
constexpr OleColor Green = 0x00FF00;
constexpr OleColor Yellow = 0x00FFFF;

QPixmap solid(OleColor colour)
{
    return QPixmap::fromImage(solidPicture(QSize(30, 12), colour));
}

// A button without caption whose state pictures are plain red (normal),
// blue (hover) and green (pressed): any pixel tells which face is on show.
// It has drawn its normal face once, and plays no hover effect.
std::unique_ptr<Ravlen> plainButton(QSize size = QSize(100, 40), QWidget *container = nullptr)
{
    auto button = std::make_unique<Ravlen>(container);
    button->setCaption(QString());
    button->setPicNormal(solid(Red));
    button->setPicOver(solid(Blue));
    button->setPicDown(solid(Green));
    button->setCustomPic(true);
    button->setEnableEffects(false);
    button->resize(size);
    button->DrawIt(Ravlen::rl_Normal);
    return button;
}

FaceComposer &composerOf(Ravlen &button)
{
    return RavlenPrivate::get(&button)->composer();
}

QTimer &fadeTimerOf(Ravlen &button)
{
    return *button.findChild<QTimer *>(QStringLiteral("tmrFade"));
}

// Gives the button a property as a stored layout may hold it, beyond the
// setters' reach, without drawing; its other properties stay as they are.
void storeProperty(Ravlen &button, const char *key, const QVariant &value)
{
    PropertyBag bag;
    button.writeProperties(bag);
    bag.insert(QString::fromLatin1(key), value);
    button.readProperties(bag);
}

// Stands in for the widget: a 100 x 40 control in a grey container.
class StandInHost final : public FaceHost
{
public:
    QSize faceSize() const override { return QSize(100, 40); }
    qreal devicePixelRatio() const override { return 1; }
    QPalette palette() const override { return QApplication::palette(); }
    QFont font() const override { return QApplication::font(); }
    QSize logicalDpi() const override { return QSize(96, 96); }
    void renderContainer(QImage &pixels) override { container(pixels); }
    void present(Presentation) override {}
    void setShape(const QRegion &) override {}
    void resizeTo(QSize) override {}
    QTimer &fadeTimer() override { return m_timer; }

    std::function<void(QImage &)> container = [](QImage &pixels) {
        pixels = QImage(QSize(100, 40), QImage::Format_RGB32);
        pixels.fill(QColor(128, 128, 128));
    };

private:
    QTimer m_timer;
};

// The look of plainButton() composed on a stand-in host, for looks that no
// setter nor stored layout gives.
struct Composition {
    RavlenLook look;
    StandInHost host;
    FaceComposer composer{look, host};

    Composition()
    {
        look.caption.text.clear();
        look.skin.picNormal = solidPicture(QSize(30, 12), Red);
        look.skin.picOver = solidPicture(QSize(30, 12), Blue);
        look.skin.picDown = solidPicture(QSize(30, 12), Green);
        look.skin.customPic = true;
        look.motion.effectsEnabled = false;
    }
};

// A window of one colour, for a button to be seen through to.
std::unique_ptr<QWidget> containerOf(const QColor &colour, QSize size)
{
    auto container = std::make_unique<QWidget>();
    QPalette palette = container->palette();
    palette.setColor(QPalette::Window, colour);
    container->setPalette(palette);
    container->resize(size);
    return container;
}

OleColor shownAt(Ravlen &button, QPoint at = QPoint(20, 20))
{
    return pixelToOle(composerOf(button).output().pixel(at));
}

} // namespace

using StateList = QList<int>;
using PointList = QList<QPoint>;
using Change = std::function<void(Ravlen &)>;
Q_DECLARE_METATYPE(Change)
using SizeField = float *(*)(RavlenLook &);
Q_DECLARE_METATYPE(SizeField)

class TestFaceComposer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fadeOrAtOnce_data()
    {
        QTest::addColumn<StateList>("states");
        QTest::addColumn<bool>("fading");
        QTest::addColumn<OleColor>("shown");
        // Red is on show; the normal picture is yellow from now on. A button
        // draws its normal face once it is made, so its first drawing of
        // its own is never a change of state.
        QTest::newRow("normal again, at once") << StateList{0} << false << Yellow;
        QTest::newRow("hover fades") << StateList{1} << true << Red;
        QTest::newRow("hover twice stops the fade") << StateList{1, 1} << false << Blue;
        QTest::newRow("press during a fade restarts it") << StateList{1, 2} << true << Red;
    }

    void fadeOrAtOnce()
    {
        QFETCH(StateList, states);
        QFETCH(bool, fading);
        QFETCH(OleColor, shown);
        auto button = plainButton();
        storeProperty(*button, "PicNormal", solidPicture(QSize(30, 12), Yellow));
        for (int state : states)
            button->DrawIt(state);
        QCOMPARE(fadeTimerOf(*button).isActive(), fading);
        COMPARE_COLOUR(shownAt(*button), shown);
    }

    void fadeSteps()
    {
        // A stored layout may hold any delay, unlike the setter.
        for (const auto &[delay, stored, step, ticks] : {std::tuple(75, false, 26, 10), std::tuple(500, true, 1, 255)}) {
            auto button = plainButton();
            FaceComposer &composer = composerOf(*button);
            if (stored)
                storeProperty(*button, "FadeDelay", float(delay));
            else
                button->setFadeDelay(delay);
            button->DrawIt(Ravlen::rl_Over);
            composer.fadeTick();
            // Red (the last face) blended towards blue by the level.
            COMPARE_COLOUR(shownAt(*button), oleRgb(255 - step, 0, step));
            int count = 1;
            for (; fadeTimerOf(*button).isActive() && count < 1000; ++count)
                composer.fadeTick();
            QCOMPARE(count, ticks);
            COMPARE_COLOUR(shownAt(*button), Blue);
        }
    }

    void gradientAndMotionFollowState()
    {
        auto button = plainButton();
        button->setCustomPic(false);
        button->setButtonStyle(Ravlen::Gradient);
        button->setUpMotion(true);
        const FaceSurfaces &s = composerOf(*button).faces();
        // Hover lifts, pressing lowers, an unknown state keeps the last look;
        // a horizontal gradient starts at the left edge.
        for (const auto &[state, offset, start] :
             {std::tuple(1, -1.4, Blue), std::tuple(2, 1.4, Green), std::tuple(9, 1.4, Green), std::tuple(0, 0.0, Red)}) {
            button->DrawIt(state);
            QCOMPARE(s.motionOffset + 10, offset + 10);
            COMPARE_COLOUR(s.pic.pixel(0, 20), start);
        }

        // A system colour, as a stored layout may hold it, is looked up.
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, QColor(12, 34, 56));
        button->setPalette(palette);
        storeProperty(*button, "GradientNormal1", qint32(0x8000000F));
        button->DrawIt(Ravlen::rl_Normal);
        COMPARE_COLOUR(s.pic.pixel(0, 20), oleRgb(12, 34, 56));
    }

    void widgetMask_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<uint>("maskColor");
        QTest::addColumn<PointList>("cut");
        QTest::addColumn<PointList>("kept");
        // The gradient face has a round outline here, with automatic 15 x 15 corners.
        QTest::newRow("round outline") << int(Ravlen::Gradient) << 0u << PointList{{0, 0}, {1, 1}, {148, 1}, {1, 28}, {148, 28}}
                                       << PointList{{60, 15}, {5, 3}, {144, 26}, {1, 15}};
        QTest::newRow("skin cuts its black corners")
            << int(Ravlen::Aqua) << 0u << PointList{{0, 0}, {149, 29}} << PointList{{75, 15}, {10, 15}};
        // Button face, black in the palette below.
        QTest::newRow("system mask colour is looked up") << int(Ravlen::Aqua) << 0x8000000Fu << PointList{{0, 0}} << PointList{{75, 15}};
    }

    void widgetMask()
    {
        QFETCH(int, style);
        QFETCH(uint, maskColor);
        QFETCH(PointList, cut);
        QFETCH(PointList, kept);
        Ravlen button;
        QPalette palette = button.palette();
        palette.setColor(QPalette::Button, Qt::black);
        button.setPalette(palette);
        button.resize(150, 30);
        button.setButtonStyle(Ravlen::RavlenStyles(style));
        button.setRoundBorder(style == Ravlen::Gradient);
        button.setMaskColor(maskColor);
        button.DrawIt(Ravlen::rl_Down); // the mask follows the shape, not the state
        const QRegion mask = button.mask().isEmpty() ? QRegion(button.rect()) : button.mask();
        for (const QPoint &at : cut + kept)
            QVERIFY2(mask.contains(at) == kept.contains(at), qPrintable(QStringLiteral("(%1, %2)").arg(at.x()).arg(at.y())));
    }

    void skinLoading_data()
    {
        QTest::addColumn<bool>("custom");
        QTest::addColumn<StateList>("styles");
        QTest::addColumn<QString>("skin");
        QTest::newRow("custom pictures keep face and skin") << true << StateList{Ravlen::Aqua, Ravlen::Ice} << QStringLiteral("AQUA0");
        QTest::newRow("back from gradient loads afresh")
            << false << StateList{Ravlen::Ice, Ravlen::Gradient, Ravlen::Aqua} << QStringLiteral("AQUA0");
        QTest::newRow("unknown style keeps the pictures") << false << StateList{Ravlen::Ice, 40} << QStringLiteral("ICE0");
    }

    void skinLoading()
    {
        QFETCH(bool, custom);
        QFETCH(StateList, styles);
        QFETCH(QString, skin);
        auto button = plainButton(QSize(120, 40));
        button->setCustomPic(false);
        button->setButtonStyle(Ravlen::RavlenStyles(styles.first()));
        button->setCustomPic(custom);
        for (int style : styles.mid(1))
            button->setButtonStyle(Ravlen::RavlenStyles(style));
        const FaceComposer &composer = composerOf(*button);
        QCOMPARE(composer.skinPictures().normal, SkinLibrary::picture(skin));
        Surface expected(QSize(120, 40), Red);
        if (!custom)
            expected.stretchPicture(expected.rect(), SkinLibrary::picture(skin));
        QCOMPARE(composer.faces().pic.image(), expected.image());
    }

    void resizing()
    {
        // Auto size takes the picture's pixels.
        for (const auto &[autoSize, finalSize] : {std::pair(false, QSize(140, 44)), std::pair(true, QSize(300, 60))}) {
            Ravlen button;
            button.setButtonStyle(Ravlen::Aqua);
            PropertyBag bag;
            bag.insert(QStringLiteral("AutoSize"), autoSize);
            button.readProperties(bag);
            const DrawnFace before = drawnFace(button);

            QResizeEvent event(QSize(140, 44), button.size());
            button.resize(140, 44); // and the event the window system sends a shown button
            QApplication::sendEvent(&button, &event);
            QCOMPARE(button.size(), finalSize);
            QVERIFY(drawnFace(button) != before);
        }
    }

    void systemColoursFollowThePalette()
    {
        auto button = plainButton();
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, QColor(230, 230, 230));
        button->setPalette(palette);
        button->setBorderStyle(Ravlen::Border_SimpleBox);
        // A stored layout keeps the reference to the button face colour.
        storeProperty(*button, "BorderColor", 0x8000000Fu);
        button->DrawIt(Ravlen::rl_Normal);
        QCOMPARE(shownAt(*button, QPoint(0, 0)), OleColor(0xE6E6E6));

        palette.setColor(QPalette::Button, QColor(40, 40, 48));
        button->setPalette(palette);
        QCOMPARE(shownAt(*button, QPoint(0, 0)), OleColor(0x302828));
    }

    void containerShowsThrough_data()
    {
        QTest::addColumn<bool>("inContainer");
        QTest::addColumn<OleColor>("shown");
        QTest::newRow("all container") << true << OleColor(0x00AA00);
        QTest::newRow("no container keeps the face") << false << Red;
    }

    void containerShowsThrough()
    {
        QFETCH(bool, inContainer);
        QFETCH(OleColor, shown);
        const auto container = containerOf(QColor(0, 0xAA, 0), QSize(300, 120));
        auto button = plainButton(QSize(100, 40), inContainer ? container.get() : nullptr);
        button->setFade(false);
        button->setAlphaValue(255);
        button->setAlpha(true);
        COMPARE_COLOUR(shownAt(*button), shown);
    }

    void unreadableContainerKeepsTheFace()
    {
        Composition c;
        bool asked = false;
        c.host.container = [&asked](QImage &) {
            asked = true;
            throw std::runtime_error("no container");
        };
        c.look.motion.fade = false;
        c.look.alpha = AlphaLook{.enabled = true, .value = 255};
        c.composer.draw(Ravlen::rl_Normal);
        QVERIFY(asked);
        COMPARE_COLOUR(pixelToOle(c.composer.output().pixel(20, 20)), Red);
    }

    void changedLookIsRedrawn_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("tint colour") << Change([](Ravlen &b) { b.setTintColor(0x2080F0); });
        QTest::newRow("new size") << Change([](Ravlen &b) { b.resize(90, 30); });
        QTest::newRow("custom pictures") << Change([](Ravlen &b) {
            b.setPicOver(solid(Green));
            b.setCustomPic(true);
        });
    }

    // A button that has drawn every state and is then changed shows what a
    // button made that way from the start shows.
    void changedLookIsRedrawn()
    {
        QFETCH(Change, change);
        Ravlen used;
        Ravlen fresh;
        for (Ravlen *b : {&used, &fresh}) {
            b->setCaption(QString());
            b->setFade(false);
            b->setEnableEffects(false);
            b->resize(120, 40);
            b->setButtonStyle(Ravlen::Silver);
            b->setTint(true);
        }
        for (int state : {0, 1, 2, 1, 0, 1})
            used.DrawIt(state);
        for (Ravlen *b : {&used, &fresh}) {
            change(*b);
            b->DrawIt(Ravlen::rl_Over);
        }
        QCOMPARE(composerOf(used).faces().pic.image(), composerOf(fresh).faces().pic.image());
        QCOMPARE(composerOf(used).faces().picTemp.image(), composerOf(fresh).faces().picTemp.image());
    }

    // What a button draws once a setter has limited an out-of-range size;
    // a grey 100 x 40 face in a blue container.
    void limitedSizesDraw_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<Probes>("probes");
        const OleColor face = grey(64);
        const OleColor white = 0xFFFFFF;
        QTest::newRow("border size 0 draws 1 pixel") << Change([](Ravlen &b) {
            b.setBorderStyle(Ravlen::Border_SimpleBox);
            b.setBorderColor(Red);
            b.setBorderSize(0);
        }) << Probes{{{0, 20}, Red}, {{1, 20}, face}};
        QTest::newRow("arrow size 0 draws size 1") << Change([](Ravlen &b) {
            b.setArrowSplit(false);
            b.setArrowShow(true);
            b.setArrowSize(0);
        }) << Probes{{{98, 21}, white}, {{97, 20}, white}, {{97, 21}, face}, {{98, 23}, face}};
        QTest::newRow("texture size 0 stretches once") << Change([](Ravlen &b) {
            QImage stripes(2, 1, QImage::Format_RGB32);
            stripes.setPixel(0, 0, oleToPixel(Red));
            stripes.setPixel(1, 0, oleToPixel(Green));
            b.setTextureImage(QPixmap::fromImage(stripes));
            b.setTextureType(Ravlen::TextureScreen);
            b.setTextureAlpha(255);
            b.setTexture(true);
            b.setTextureSize(0);
        }) << Probes{{{25, 20}, Red}, {{75, 20}, Green}};
        QTest::newRow("texture alpha 300 shows all texture") << Change([](Ravlen &b) {
            b.setTextureImage(solid(Yellow));
            b.setTextureType(Ravlen::TextureScreen);
            b.setTexture(true);
            b.setTextureAlpha(300);
        }) << Probes{{{50, 20}, Yellow}};
        QTest::newRow("alpha value 300 shows all container") << Change([](Ravlen &b) {
            b.setAlpha(true);
            b.setAlphaValue(300);
        }) << Probes{{{50, 20}, Blue}};
        QTest::newRow("icon size 1e30 is 1000 percent") << Change([](Ravlen &b) {
            b.setButtonIconAllPic(false);
            b.setButtonIcon(solid(Yellow));
            b.setButtonIconShow(true);
            b.setButtonIconSize(1e30f);
        }) << Probes{{{1, 1}, Yellow}, {{98, 38}, Yellow}};
        QTest::newRow("icon size below 0 is none") << Change([](Ravlen &b) {
            b.setButtonIcon(solid(Yellow));
            b.setButtonIconShow(true);
            b.setButtonIconSize(-5);
        }) << Probes{{{23, 20}, face}};
        // On the mask: black is cut away, white kept.
        QTest::newRow("round corners beyond 1000 round the whole face") << Change([](Ravlen &b) {
            b.setRoundSizeAuto(false);
            b.setRoundBorder(true);
            b.setRoundWidth(5000);
            b.setRoundHeight(5000);
        }) << Probes{{{0x10000 + 8, 3}, 0}, {{0x10000 + 50, 3}, white}};
        QTest::newRow("round corners below 0 are square") << Change([](Ravlen &b) {
            b.setRoundSizeAuto(false);
            b.setRoundBorder(true);
            b.setRoundWidth(-5);
            b.setRoundHeight(-5);
        }) << Probes{{{0x10000 + 1, 1}, white}};
    }

    void limitedSizesDraw()
    {
        QFETCH(Change, change);
        QFETCH(Probes, probes);
        const auto container = containerOf(QColor(0, 0, 255), QSize(200, 100));
        auto button = plainButton(QSize(100, 40), container.get());
        button->setFade(false);
        button->setCustomPic(false);
        button->setButtonStyle(Ravlen::Gradient);
        button->setGradientNormal1(grey(64));
        button->setGradientNormal2(grey(64));
        change(*button);
        button->DrawIt(Ravlen::rl_Normal);
        // Probes from 0x10000 on read the mask surface.
        const FaceComposer &composer = composerOf(*button);
        for (const Probe &probe : probes) {
            const bool onMask = probe.at.x() >= 0x10000;
            const QPoint at = onMask ? probe.at - QPoint(0x10000, 0) : probe.at;
            const OleColor shown = onMask ? composer.faces().picTemp.pixel(at.x(), at.y()) : pixelToOle(composer.output().pixel(at));
            QCOMPARE(QStringLiteral("(%1, %2) %3").arg(at.x()).arg(at.y()).arg(shown, 0, 16),
                     QStringLiteral("(%1, %2) %3").arg(at.x()).arg(at.y()).arg(probe.colour, 0, 16));
        }
    }

    // All layers at once keep their order: texture over the tinted face,
    // the shadow and the container's see-through over that, then the icon
    // and on top of everything the caption.
    void layersComposeInOrder()
    {
        const auto container = containerOf(QColor(0, 0, 255), QSize(300, 100));
        QImage shown[2];
        for (const bool tinted : {false, true}) {
            auto button = plainButton(QSize(120, 50), container.get());
            button->setFade(false);
            button->setTintColor(Yellow);
            button->setTintBright(100);
            button->setTint(tinted);
            button->setTextureImage(solid(Green));
            button->setTextureType(Ravlen::TextureScreen);
            button->setTextureAlpha(255);
            button->setTexture(true);
            button->setShadowStyle(Ravlen::Shadow_Box);
            button->setShadowSize(3);
            button->setShadow(true);
            button->setAlphaValue(128);
            button->setAlpha(true);
            button->setButtonIconAllPic(false);
            button->setButtonIcon(QPixmap::fromImage(solidPicture(QSize(16, 16), Yellow)));
            button->setButtonIconSize(50);
            button->setButtonIconShow(true);
            QFont font(QStringLiteral("DejaVu Sans"), 20);
            font.setBold(true);
            button->setFont(font);
            button->setCaptionColor(0xFFFFFF);
            button->setCaption(QStringLiteral("MM"));
            button->DrawIt(Ravlen::rl_Normal);
            shown[tinted] = composerOf(*button).output();
        }
        // Beside the caption, inside the shadow's inset: the texture, half
        // seen through, whatever the tint below it.
        const QRgb face = shown[0].pixel(116, 44);
        QCOMPARE(shown[1].pixel(116, 44), face);
        QVERIFY(qGreen(face) > 100 && qBlue(face) > 100 && qRed(face) == 0);
        // The icon (22 x 22 around (28, 25)) is drawn over the see-through face.
        COMPARE_COLOUR(pixelToOle(shown[1].pixel(28, 25)), Yellow);
        // The caption is drawn last: pure white, not mixed with anything.
        int white = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = 40; x < 120; ++x)
                white += shown[1].pixel(x, y) == qRgb(255, 255, 255);
        QVERIFY2(white > 30, qPrintable(QString::number(white)));
    }

    // A system-colour reference gives one colour wherever it is used: the
    // caption in it and a border in it (set, or as a stored layout keeps it)
    // show the same RGB, that of the button's own palette.
    void systemColourIsOneColour_data()
    {
        QTest::addColumn<uint>("colour");
        QTest::addColumn<bool>("stored");
        for (const uint index : {5u, 8u, 15u, 18u}) {
            QTest::addRow("index %u set", index) << (0x80000000u | index) << false;
            QTest::addRow("index %u stored", index) << (0x80000000u | index) << true;
        }
    }

    void systemColourIsOneColour()
    {
        QFETCH(uint, colour);
        QFETCH(bool, stored);
        auto button = plainButton(QSize(120, 50));
        button->setFade(false);
        QPalette palette;
        for (int group = 0; group < QPalette::NColorGroups; ++group)
            for (int role = 0; role < QPalette::NColorRoles; ++role)
                palette.setColor(QPalette::ColorGroup(group), QPalette::ColorRole(role),
                                 QColor(10 + 9 * role, 200 - 7 * role, 40 + 50 * group));
        button->setPalette(palette);
        QFont font(QStringLiteral("DejaVu Sans"), 24);
        font.setBold(true);
        button->setFont(font);
        button->setCaption(QStringLiteral("MM"));
        button->setCaptionColor(colour);
        button->setBorderStyle(Ravlen::Border_SimpleBox);
        if (stored)
            storeProperty(*button, "BorderColor", qint32(colour));
        else
            button->setBorderColor(colour);
        button->DrawIt(Ravlen::rl_Normal);

        const QImage &shown = composerOf(*button).output();
        const QRgb border = shown.pixel(0, 25);
        QVERIFY(border != shown.pixel(60, 2)); // the face around the caption
        int inCaption = 0;
        for (int y = 2; y < shown.height() - 2; ++y)
            for (int x = 2; x < shown.width() - 2; ++x)
                inCaption += shown.pixel(x, y) == border;
        QVERIFY2(inCaption > 50, qPrintable(QString::number(inCaption)));
    }

    // A stored layout keeps sizes as it read them, far beyond the setters'
    // ranges or no number at all: the button draws them as the nearest size
    // in range (no number as 0), with every layer that reads one on show.
    void extremeStoredSizes_data()
    {
        QTest::addColumn<SizeField>("field");
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("drawnAs");
        struct Field {
            const char *name;
            SizeField field;
            float low;
            float high;
        };
        // Shadow sizes have no range; a million pixels is as far as anything
        // is drawn.
        const float farAway = float(1 << 20);
        const QList<Field> fields{
            {"icon size", [](RavlenLook &l) { return &l.icon.size; }, 0, 1000},
            {"arrow size", [](RavlenLook &l) { return &l.arrow.size; }, 1, 1000},
            {"border size", [](RavlenLook &l) { return &l.border.size; }, 1, 1000},
            {"texture size", [](RavlenLook &l) { return &l.texture.size; }, 1, 100},
            {"texture alpha", [](RavlenLook &l) { return &l.texture.alpha; }, 0, 255},
            {"shadow size", [](RavlenLook &l) { return &l.shadow.size; }, -farAway, farAway},
            {"round width", [](RavlenLook &l) { return &l.round.width; }, 0, 1000},
            {"round height", [](RavlenLook &l) { return &l.round.height; }, 0, 1000},
            {"alpha value", [](RavlenLook &l) { return &l.alpha.value; }, 0, 255},
        };
        const float intMax = float(std::numeric_limits<int>::max());
        for (const Field &f : fields) {
            const auto row = [&f](const char *value) -> QTestData & { return QTest::addRow("%s %s", f.name, value) << f.field; };
            row("1e30") << 1e30f << f.high;
            row("-1e30") << -1e30f << f.low;
            row("INT_MAX") << intMax << f.high;
            row("-INT_MAX") << -intMax << f.low;
            row("infinity") << std::numeric_limits<float>::infinity() << f.high;
            row("NaN") << std::numeric_limits<float>::quiet_NaN() << std::clamp(0.0f, f.low, f.high);
        }
    }

    void extremeStoredSizes()
    {
        QFETCH(SizeField, field);
        QFETCH(float, value);
        QFETCH(float, drawnAs);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("failed")));
        Composition compositions[2];
        for (Composition &c : compositions) {
            RavlenLook &look = c.look;
            look.caption.text = QStringLiteral("Go");
            look.motion.fade = false;
            look.caption.shadow = true;
            look.icon = IconLook{.icon = solidPicture(QSize(16, 16), Blue), .show = true};
            look.arrow.show = true;
            look.border.style = 2;
            look.texture = TextureLook{.enabled = true, .image = solidPicture(QSize(4, 4), Yellow), .type = 2};
            look.shadow = ShadowLook{.enabled = true, .style = 3};
            look.round = RoundLook{.enabled = true, .sizeAuto = false};
            look.alpha.enabled = true;
        }
        *field(compositions[0].look) = value;
        *field(compositions[1].look) = drawnAs;
        for (qint16 position = 0; position <= 4; ++position) {
            for (int state : {0, 1, 2}) {
                for (Composition &c : compositions) {
                    c.look.icon.position = position;
                    c.composer.draw(state);
                }
                QCOMPARE(compositions[0].composer.output(), compositions[1].composer.output());
            }
        }
    }
};

QTEST_MAIN(TestFaceComposer)
#include "tst_face_composer.moc"
