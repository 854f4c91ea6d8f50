#include "core/property_bag.h"
#include "ravlen.h"
#include "ravlen_p.h"
#include "render/skin_library.h"
#include "surface_fixtures.h"

#include <QApplication>
#include <QPalette>
#include <QResizeEvent>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <stdexcept>

// The button's drawing as a whole: which face it shows when, the fade, its
// window mask, skins, resizing, hover effects and failing layers.

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

RavlenPrivate *dOf(Ravlen &button)
{
    return RavlenPrivate::get(&button);
}

OleColor shownAt(Ravlen &button, QPoint at = QPoint(20, 20))
{
    return pixelToOle(dOf(button)->output.pixel(at));
}

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

using StateList = QList<int>;
using PointList = QList<QPoint>;
using Change = std::function<void(Ravlen &)>;
Q_DECLARE_METATYPE(Change)

class TestPipeline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fadeOrAtOnce_data()
    {
        QTest::addColumn<bool>("fade");
        QTest::addColumn<bool>("firstDrawing");
        QTest::addColumn<StateList>("states");
        QTest::addColumn<bool>("fading");
        QTest::addColumn<OleColor>("shown");
        // Red is on show; the normal picture is yellow from now on.
        QTest::newRow("first normal drawing, at once") << true << true << StateList{0} << false << Yellow;
        QTest::newRow("first hover drawing fades") << true << true << StateList{1} << true << Red;
        QTest::newRow("hover twice stops the fade") << true << false << StateList{1, 1} << false << Blue;
        QTest::newRow("press during a fade restarts it") << true << false << StateList{1, 2} << true << Red;
        QTest::newRow("fade off") << false << false << StateList{1} << false << Blue;
    }

    void fadeOrAtOnce()
    {
        QFETCH(bool, fade);
        QFETCH(bool, firstDrawing);
        QFETCH(StateList, states);
        QFETCH(bool, fading);
        QFETCH(OleColor, shown);
        auto button = plainButton();
        button->setFade(fade);
        RavlenPrivate *d = dOf(*button);
        d->look.skin.picNormal = solidPicture(QSize(30, 12), Yellow);
        if (firstDrawing)
            d->lastDrawnState.reset();
        for (int state : states)
            button->DrawIt(state);
        QCOMPARE(d->tmrFade->isActive(), fading);
        if (fading)
            QCOMPARE(d->fadeLevel, 0);
        COMPARE_COLOUR(shownAt(*button), shown);
        QCOMPARE(d->lastDrawnStateOrNormal(), states.last());
    }

    void fadeSteps()
    {
        // A stored layout may hold any delay, unlike the setter.
        const struct {
            float delay;
            bool stored;
            int step;
            int ticks;
        } cases[] = {{75, false, 26, 10}, {100, false, 1, 255}, {500, true, 1, 255}};
        for (const auto &c : cases) {
            auto button = plainButton();
            RavlenPrivate *d = dOf(*button);
            if (c.stored)
                d->look.motion.fadeDelay = c.delay;
            else
                button->setFadeDelay(c.delay);
            button->DrawIt(Ravlen::rl_Over);
            d->fadeTick();
            QCOMPARE(d->fadeLevel, c.step);
            // Red (the last face) blended towards blue by the level.
            COMPARE_COLOUR(shownAt(*button), oleRgb(255 - c.step, 0, c.step));
            int count = 1;
            for (; d->tmrFade->isActive() && count < 1000; ++count)
                d->fadeTick();
            QCOMPARE(count, c.ticks);
            QCOMPARE(d->fadeLevel, 255);
            COMPARE_COLOUR(shownAt(*button), Blue);
        }
    }

    void gradientAndMotionFollowState_data()
    {
        QTest::addColumn<StateList>("states");
        QTest::addColumn<double>("offset");
        QTest::addColumn<OleColor>("start");
        QTest::addColumn<OleColor>("end");
        QTest::newRow("normal rests") << StateList{2, 0} << 0.0 << OleColor(0x0000FF) << OleColor(0x00FFFF);
        QTest::newRow("hover lifts") << StateList{1} << -1.4 << OleColor(0xFF0000) << OleColor(0x0000FF);
        QTest::newRow("press lowers") << StateList{2} << 1.4 << OleColor(0x00FF00) << OleColor(0x00FFFF);
        QTest::newRow("unknown keeps the last") << StateList{1, 9} << -1.4 << OleColor(0xFF0000) << OleColor(0x0000FF);
    }

    void gradientAndMotionFollowState()
    {
        QFETCH(StateList, states);
        QFETCH(double, offset);
        QFETCH(OleColor, start);
        QFETCH(OleColor, end);
        auto button = plainButton();
        button->setCustomPic(false);
        button->setButtonStyle(Ravlen::Gradient);
        button->setUpMotion(true);
        for (int state : states)
            button->DrawIt(state);
        const FaceSurfaces &s = dOf(*button)->faces;
        QCOMPARE(s.motionOffset + 10, offset + 10);
        COMPARE_COLOUR(oleRgb(s.R1, s.G1, s.B1), start);
        COMPARE_COLOUR(oleRgb(s.R2, s.G2, s.B2), end);
        COMPARE_COLOUR(s.pic.pixel(0, 20), start); // a horizontal gradient starts at the left edge

        // A system colour, as a stored layout may hold it, is looked up.
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, QColor(12, 34, 56));
        button->setPalette(palette);
        dOf(*button)->look.gradient.normal1 = 0x8000000F;
        button->DrawIt(Ravlen::rl_Normal);
        COMPARE_COLOUR(s.pic.pixel(0, 20), oleRgb(12, 34, 56));
    }

    void widgetMask_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("round");
        QTest::addColumn<uint>("maskColor");
        QTest::addColumn<PointList>("cut");
        QTest::addColumn<PointList>("kept");
        const int gradient = Ravlen::Gradient;
        QTest::newRow("round outline, automatic 15 x 15 corners")
            << gradient << true << 0u << PointList{{0, 0}, {1, 1}, {148, 1}, {1, 28}, {148, 28}}
            << PointList{{60, 15}, {5, 3}, {144, 26}, {1, 15}};
        QTest::newRow("gradient square is opaque") << gradient << false << 0u << PointList{}
                                                   << PointList{{0, 0}, {149, 0}, {0, 29}, {149, 29}};
        QTest::newRow("skin cuts its black corners") << int(Ravlen::Aqua) << false << 0u << PointList{{0, 0}, {149, 29}}
                                                     << PointList{{75, 15}, {10, 15}};
        QTest::newRow("Longhorn's white corners stay") << int(Ravlen::Longhorn) << false << 0u << PointList{}
                                                       << PointList{{0, 0}, {149, 29}, {75, 15}};
        // Button face, black in the palette below.
        QTest::newRow("system mask colour is looked up")
            << int(Ravlen::Aqua) << false << 0x8000000Fu << PointList{{0, 0}} << PointList{{75, 15}};
    }

    void widgetMask()
    {
        QFETCH(int, style);
        QFETCH(bool, round);
        QFETCH(uint, maskColor);
        QFETCH(PointList, cut);
        QFETCH(PointList, kept);
        Ravlen button;
        QPalette palette = button.palette();
        palette.setColor(QPalette::Button, Qt::black);
        button.setPalette(palette);
        button.resize(150, 30);
        button.setButtonStyle(Ravlen::RavlenStyles(style));
        button.setRoundBorder(round);
        button.setMaskColor(maskColor);
        button.DrawIt(Ravlen::rl_Down); // the mask follows the shape, not the state
        const QRegion mask = button.mask().isEmpty() ? QRegion(button.rect()) : button.mask();
        for (const QPoint &at : cut)
            QVERIFY2(!mask.contains(at), qPrintable(QStringLiteral("(%1, %2)").arg(at.x()).arg(at.y())));
        for (const QPoint &at : kept)
            QVERIFY2(mask.contains(at), qPrintable(QStringLiteral("(%1, %2)").arg(at.x()).arg(at.y())));
    }

    void skinLoading_data()
    {
        QTest::addColumn<bool>("custom");
        QTest::addColumn<StateList>("styles");
        QTest::addColumn<QString>("skin");
        QTest::addColumn<QString>("face"); // empty: not checked
        QTest::newRow("custom pictures keep face and skin")
            << true << StateList{Ravlen::Aqua, Ravlen::Ice} << QStringLiteral("AQUA0") << QString();
        QTest::newRow("gradient loads nothing")
            << false << StateList{Ravlen::Ice, Ravlen::Gradient} << QStringLiteral("ICE0") << QString();
        QTest::newRow("back from gradient loads afresh") << false << StateList{Ravlen::Ice, Ravlen::Gradient, Ravlen::Aqua}
                                                         << QStringLiteral("AQUA0") << QStringLiteral("AQUA0");
        QTest::newRow("unknown style keeps the pictures")
            << false << StateList{Ravlen::Ice, 40} << QStringLiteral("ICE0") << QStringLiteral("ICE0");
    }

    void skinLoading()
    {
        QFETCH(bool, custom);
        QFETCH(StateList, styles);
        QFETCH(QString, skin);
        QFETCH(QString, face);
        auto button = plainButton(QSize(120, 40));
        button->setCustomPic(false);
        button->setButtonStyle(Ravlen::RavlenStyles(styles.first()));
        button->setCustomPic(custom);
        for (int style : styles.mid(1))
            button->setButtonStyle(Ravlen::RavlenStyles(style));
        RavlenPrivate *d = dOf(*button);
        QCOMPARE(d->skinPictures.normal, SkinLibrary::picture(skin));
        if (custom)
            COMPARE_COLOUR(d->faces.pic.pixel(60, 20), Red);
        if (!face.isEmpty()) {
            Surface expected(QSize(120, 40));
            expected.stretchPicture(expected.rect(), SkinLibrary::picture(face));
            QCOMPARE(d->faces.pic.image(), expected.image());
        }
    }

    void resizing_data()
    {
        QTest::addColumn<float>("borderSize");
        QTest::addColumn<bool>("autoSize");
        QTest::addColumn<QSize>("finalSize");
        QTest::addColumn<int>("draws");
        QTest::newRow("border size 0 sizes without drawing") << 0.f << false << QSize(140, 44) << 0;
        QTest::newRow("sizes and draws") << 1.f << false << QSize(140, 44) << 1;
        QTest::newRow("auto size takes the picture's pixels") << 1.f << true << QSize(300, 60) << 1;
    }

    void resizing()
    {
        QFETCH(float, borderSize);
        QFETCH(bool, autoSize);
        QFETCH(QSize, finalSize);
        QFETCH(int, draws);
        Ravlen button;
        button.setButtonStyle(Ravlen::Aqua);
        PropertyBag bag;
        bag.insert(QStringLiteral("BorderSize"), borderSize);
        bag.insert(QStringLiteral("AutoSize"), autoSize);
        button.readProperties(bag);
        RavlenPrivate *d = dOf(button);
        d->hoverExit = true;
        const int before = d->drawCalls;

        const QSize oldSize = button.size();
        button.resize(140, 44); // and the event the window system sends a shown button
        QResizeEvent event(QSize(140, 44), oldSize);
        QApplication::sendEvent(&button, &event);

        QCOMPARE(button.size(), finalSize);
        for (const Surface *surface : {&d->faces.pic, &d->faces.pic2, &d->faces.picTemp})
            QCOMPARE(surface->size(), finalSize);
        QCOMPARE(d->drawCalls - before, draws);
        QVERIFY(!d->hoverExit);
    }

    void effectRunsOnHoverOnly()
    {
        const struct {
            bool enabled;
            int state;
            int frames;
        } cases[] = {{true, 1, 11}, {true, 2, 0}, {false, 1, 0}};
        for (const auto &c : cases) {
            QWidget container;
            container.resize(200, 100);
            auto button = plainButton(QSize(100, 40), &container);
            button->setFade(false);
            button->setEffects(Ravlen::Fx_Blink);
            button->setEnableEffects(c.enabled);
            container.show();
            QVERIFY(QTest::qWaitForWindowExposed(&container));
            PaintCounter counter;
            button->installEventFilter(&counter);
            button->DrawIt(c.state);
            // Every frame is painted before the next one is composed; the face
            // shown at once is only scheduled.
            QCOMPARE(counter.paints, c.frames);
        }
    }

    void containerShowsThrough_data()
    {
        QTest::addColumn<bool>("inContainer");
        QTest::addColumn<float>("alpha");
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<OleColor>("shown");
        QTest::newRow("all container") << true << 255.f << false << OleColor(0x00AA00);
        QTest::newRow("mixed") << true << 150.f << false << oleRgb(105, 100, 0);
        QTest::newRow("no container keeps the face") << false << 255.f << false << Red;
        QTest::newRow("container that cannot be read") << true << 255.f << true << Red;
    }

    void containerShowsThrough()
    {
        QFETCH(bool, inContainer);
        QFETCH(float, alpha);
        QFETCH(bool, unreadable);
        QFETCH(OleColor, shown);
        QWidget container; // green all over, to be seen through the button
        QPalette palette = container.palette();
        palette.setColor(QPalette::Window, QColor(0, 0xAA, 0));
        container.setPalette(palette);
        container.resize(300, 120);
        auto button = plainButton(QSize(100, 40), inContainer ? &container : nullptr);
        button->move(30, 20);
        button->setFade(false);
        if (unreadable)
            dOf(*button)->faces.containerBackground = []() -> QImage { throw std::runtime_error("no container"); };
        button->setAlphaValue(alpha);
        button->setAlpha(true);
        COMPARE_COLOUR(shownAt(*button), shown);
    }

    void focusRingOnScreenOnly()
    {
        QWidget container;
        container.resize(200, 100);
        auto button = plainButton(QSize(100, 40), &container);
        button->setFade(false);
        container.show();
        QApplication::setActiveWindow(&container);
        QVERIFY(QTest::qWaitForWindowActive(&container));
        for (const bool focused : {true, false}) {
            if (focused)
                button->setFocus();
            else
                button->clearFocus();
            QCOMPARE(button->hasFocus(), focused);
            const QImage onScreen = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QImage face = dOf(*button)->faces.pic.image();
            QCOMPARE(dOf(*button)->output, face);
            QCOMPARE(onScreen.pixel(50, 20), face.pixel(50, 20));
            QCOMPARE(onScreen != face, focused);
        }
    }

    void changedLookIsRedrawn_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("tint colour") << Change([](Ravlen &b) { b.setTintColor(0x2080F0); });
        QTest::newRow("tint brightness") << Change([](Ravlen &b) { b.setTintBright(-60); });
        QTest::newRow("another style") << Change([](Ravlen &b) { b.setButtonStyle(Ravlen::Cream); });
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
        const auto configure = [](Ravlen &b) {
            b.setCaption(QString());
            b.setFade(false);
            b.setEnableEffects(false);
            b.resize(120, 40);
            b.setButtonStyle(Ravlen::Silver);
            b.setTint(true);
        };
        Ravlen used;
        configure(used);
        for (int state : {0, 1, 2, 1, 0, 1})
            used.DrawIt(state);
        change(used);
        used.DrawIt(Ravlen::rl_Over);

        Ravlen fresh;
        configure(fresh);
        change(fresh);
        fresh.DrawIt(Ravlen::rl_Over);
        QCOMPARE(dOf(used)->faces.pic.image(), dOf(fresh)->faces.pic.image());
        QCOMPARE(dOf(used)->faces.picTemp.image(), dOf(fresh)->faces.picTemp.image());
    }

};

QTEST_MAIN(TestPipeline)
#include "tst_pipeline.moc"
