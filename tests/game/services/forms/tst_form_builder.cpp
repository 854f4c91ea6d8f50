#include "services/app_context.h"
#include "services/forms/form.h"
#include "services/forms/form_builder.h"
#include "services/forms/screen_fit.h"
#include "test_context.h"

#include "RavlenLib/ravlen.h"

#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

namespace {

// Two containers, a button with a font of its own, a display font and a
// control that takes its container's font.
const QByteArray kLayout = R"({"name": "frmTest", "width": 6000, "height": 3000,
    "font": {"family": "Arial", "size": 9.75, "bold": true},
    "controls": [
    {"kind": "TabControl", "name": "SSTab1", "left": 120, "top": 120, "width": 3000, "height": 2500,
     "items": ["One", "Two"], "font": {"size": 12, "bold": true}},
    {"kind": "Ravlen", "name": "clkNext", "parent": "SSTab1", "tab": 0, "left": 120, "top": 600, "width": 1500, "height": 495},
    {"kind": "Label", "name": "lblName", "parent": "SSTab1", "tab": 1, "left": 120, "top": 1200, "width": 2000,
     "height": 500, "caption": "x", "font": {"family": "Wide Latin", "size": 24}},
    {"kind": "Frame", "name": "fraTimer", "left": 3300, "top": 1500, "width": 2500, "height": 1200},
    {"kind": "TextBox", "name": "txtTimer", "parent": "fraTimer", "left": 240, "top": 360, "width": 1455, "height": 660},
    {"kind": "Ravlen", "name": "clkStatus", "left": 3300, "top": 120, "width": 2500, "height": 495,
     "bag": {"Caption": "Hi", "Font": {"family": "Arial", "size": 15, "bold": true}}}
    ]})";

// Each control as "name x,y w×h family points", its place within its container.
QStringList placed(const FormLayout &layout, const FormControls &controls)
{
    QStringList shown;
    for (const ControlDesign &design : layout.controls) {
        const QWidget *control = controls.find(design.name, design.index);
        const QRect r = control->geometry();
        shown << QStringLiteral("%1 %2,%3 %4x%5 %6 %7")
                     .arg(control->objectName())
                     .arg(r.x())
                     .arg(r.y())
                     .arg(r.width())
                     .arg(r.height())
                     .arg(control->font().family())
                     .arg(control->font().pointSizeF());
    }
    return shown;
}

} // namespace

class TestFormBuilder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rescaledAsIfBuiltAtTheScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("smaller") << 0.75;
        QTest::newRow("larger") << 1.6;
        QTest::newRow("twice") << 2.0;
    }

    // Laid out anew, every control has the place and font the design has at
    // the new scale; laid out at the first scale again, every one is back.
    void rescaledAsIfBuiltAtTheScale()
    {
        QFETCH(double, scale);
        const FormLayout layout = parseFormLayout(kLayout);
        QWidget atScale;
        const FormControls built = FormBuilder(atScale, scale).build(layout);

        QWidget form;
        FormBuilder first(form, 1.0);
        const FormControls controls = first.build(layout);
        const QStringList original = placed(layout, controls);
        FormBuilder again(form, scale);
        again.fixSize(layout);
        again.arrange(layout, controls);
        QCOMPARE(form.size(), atScale.size());
        QCOMPARE(placed(layout, controls), placed(layout, built));
        QCOMPARE(controls.get<Ravlen>(QStringLiteral("clkStatus"))->font().pointSizeF(), 15 * scale);

        first.fixSize(layout);
        first.arrange(layout, controls);
        QCOMPARE(placed(layout, controls), original);
    }

    // In a window larger than the design the design sits in the middle.
    void centredInALargerWindow()
    {
        const FormLayout layout = parseFormLayout(kLayout);
        QWidget form;
        FormBuilder builder(form, 1.0);
        const FormControls controls = builder.build(layout);
        const QRect tabs = controls.find(QStringLiteral("SSTab1"))->geometry();
        const QRect box = controls.find(QStringLiteral("txtTimer"))->geometry();
        form.setMinimumSize(0, 0);
        form.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        form.resize(form.width() + 100, form.height() + 61);
        builder.arrange(layout, controls);
        QCOMPARE(controls.find(QStringLiteral("SSTab1"))->geometry(), tabs.translated(50, 30));
        QCOMPARE(controls.find(QStringLiteral("txtTimer"))->geometry(), box); // within its frame
    }

    // Moved to a screen of another size the window takes the scale the
    // design has there; maximised it fills the screen, centred.
    void followsItsScreen()
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        if (screens.size() < 2)
            QSKIP("two screens are needed");
        TestContext test;
        Form form(test.context(), {QStringLiteral("frmZorbel"), {}, {}, false, false});
        QVERIFY(form.load());
        form.show();
        const ScreenFit fit(form, test.context().formScale());
        QSignalSpy rescaled(&fit, &ScreenFit::rescaled);
        QWidget *tabs = form.controls().find(QStringLiteral("SSTab1"));
        auto expect = [&](double scale, QPoint origin) {
            const FormBuilder builder(form, scale);
            QCOMPARE(fit.scale(), scale);
            QCOMPARE(tabs->geometry(), builder.toPixels(120, 480, 9855, 6135).translated(origin));
        };
        QScreen *home = form.screen();
        for (QScreen *screen : {screens.at(screens.at(0) == home ? 1 : 0), home}) {
            form.windowHandle()->setScreen(screen);
            const double scale = FormBuilder::scaleToFill(screen->availableSize(), form.designSize());
            const FormBuilder builder(form, scale);
            QCOMPARE(form.size(), QSize(builder.toPixels(14160), builder.toPixels(7695)));
            expect(scale, {});
        }
        QCOMPARE(rescaled.size(), 2);

        const QSize normal = form.size();
        form.showMaximized();
        QTRY_VERIFY(form.width() > normal.width()); // the screen less the window's frame
        const QSize area = form.size();
        const double scale = FormBuilder::scaleToFill(area, form.designSize(), 1.0);
        const FormBuilder builder(form, scale);
        expect(scale, {(area.width() - builder.toPixels(14160)) / 2, (area.height() - builder.toPixels(7695)) / 2});
    }
};

QTEST_MAIN(TestFormBuilder)
#include "tst_form_builder.moc"
