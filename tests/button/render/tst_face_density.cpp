#include "RavlenLib/ravlen.h"
#include "every_layer.h"
#include "ravlen_p.h"
#include "render/face_composer.h"
#include "render/skin_library.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <QWindow>

#include <cstdlib>
#include <functional>
#include <memory>

// The faces at the density of the screen a button is on: unchanged to the
// pixel on a plain screen, drawn at full resolution on a dense one, and
// redrawn when the button moves between them. Runs on two screens: "plain"
// at ratio 1 and "dense" at ratio 2.

namespace {

using Setup = std::function<void(Ravlen &)>;

// A button in a grey window on the named screen, with its look set up and
// drawn in the given state; no fade, no hover effect.
struct Placed {
    QWidget window;
    Ravlen button{&window};

    Placed(const char *screenName, QSize size, const Setup &setup, int state = Ravlen::rl_Normal)
    {
        for (QScreen *screen : QGuiApplication::screens()) {
            if (screen->name() == QLatin1String(screenName))
                window.setScreen(screen);
        }
        window.resize(size + QSize(40, 40));
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(128, 128, 128));
        window.setPalette(palette);
        window.setAutoFillBackground(true);
        button.setGeometry(QRect(QPoint(20, 20), size));
        button.setFade(false);
        button.setEnableEffects(false);
        setup(button);
        button.DrawIt(state);
    }

    const QImage &output() { return RavlenPrivate::get(&button)->composer().output(); }
};

// FNV-1a over the visible pixels and the window shape: a change of either
// changes the sum.
quint64 faceChecksum(Ravlen &button, const QImage &face)
{
    quint64 sum = 0xcbf29ce484222325ull;
    const auto add = [&sum](const void *data, size_t bytes) {
        for (size_t i = 0; i < bytes; ++i) {
            sum ^= static_cast<const uchar *>(data)[i];
            sum *= 0x100000001b3ull;
        }
    };
    for (int y = 0; y < face.height(); ++y)
        add(face.constScanLine(y), size_t(face.width()) * 4);
    for (const QRect &r : button.mask()) {
        const int corners[] = {r.left(), r.top(), r.right(), r.bottom()};
        add(corners, sizeof corners);
    }
    return sum;
}

// A flat white face with a black caption of upright stems.
void stemsCaption(Ravlen &b)
{
    b.setButtonStyle(Ravlen::Gradient);
    for (const char *colour : {"GradientNormal1", "GradientNormal2"})
        b.setProperty(colour, 0xFFFFFFu);
    b.setCaptionColor(0);
    b.setCaption(QStringLiteral("HHH"));
    QFont font = b.font();
    font.setPixelSize(18);
    b.setFont(font);
}

// Along the rows through the middle fifth of the face: the pixels between
// light and dark, per edge between them.
double greysPerEdge(const QImage &face)
{
    int greys = 0;
    int edges = 0;
    for (int y = face.height() * 2 / 5; y < face.height() * 3 / 5; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(face.constScanLine(y));
        int last = -1; // 0 light, 1 dark
        for (int x = 0; x < face.width(); ++x) {
            const int level = qGray(row[x]);
            if (level > 40 && level < 215) {
                ++greys;
                continue;
            }
            const int kind = level <= 40 ? 1 : 0;
            if (last >= 0 && kind != last)
                ++edges;
            last = kind;
        }
    }
    return edges > 0 ? double(greys) / edges : 1e9;
}

// The first opaque pixel of every row of a face with transparent outside.
QList<int> leftOutline(const QImage &face)
{
    QList<int> edge;
    for (int y = 0; y < face.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(face.constScanLine(y));
        int x = 0;
        while (x < face.width() && qAlpha(row[x]) == 0)
            ++x;
        edge.append(x);
    }
    return edge;
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestFaceDensity : public QObject
{
    Q_OBJECT

private slots:
    void plainScreenFacesUnchanged_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<int>("state");
        QTest::addColumn<quint64>("checksum");

        QTest::newRow("vista caption") << QSize(105, 33) << Setup([](Ravlen &b) {
            b.setButtonStyle(Ravlen::Vista);
            b.setCaption(QStringLiteral("&Next"));
        }) << 0 << 0x94a5d43adf005188ull;
        QTest::newRow("every layer") << QSize(300, 60) << Setup(switchEveryLayerOn) << 0 << 0xf1f92a3fb0bae024ull;
        QTest::newRow("every layer, small, pressed") << QSize(105, 33) << Setup(switchEveryLayerOn) << 2 << 0x361b5226b3f3415aull;
        QTest::newRow("gradient round, arrow left split, hover") << QSize(150, 40) << Setup([](Ravlen &b) {
            b.setButtonStyle(Ravlen::Gradient);
            b.setRoundBorder(true);
            b.setCaption(QStringLiteral("Menu"));
            b.setCaptionShadow(true);
            b.setArrowShow(true);
            b.setArrowPosition(Ravlen::PositionLeft);
            b.setArrowDirection(Ravlen::ArrowRight);
            b.setArrowSplit(true);
            b.setUpMotion(true);
        }) << 1 << 0xe01c9647e4ddbebdull;
        QTest::newRow("aqua metal tint, box border, screen texture") << QSize(120, 36) << Setup([](Ravlen &b) {
            b.setButtonStyle(Ravlen::Aqua);
            b.setTint(true);
            b.setTintType(Ravlen::TintMetal);
            b.setTintColor(0x2080F0);
            b.setBorderStyle(Ravlen::Border_SimpleBox);
            b.setBorderColor(0x8000000F);
            b.setTexture(true);
            b.setTextureType(Ravlen::TextureScreen);
            b.setTextureImage(QPixmap::fromImage(SkinLibrary::picture(QStringLiteral("OOZ1"))));
            b.setCaption(QStringLiteral("Aqua"));
            b.setCaptionAntiAliased(false);
        }) << 0 << 0x7e518afd7975262full;
        QTest::newRow("office, two lines top left, icon left") << QSize(160, 64) << Setup([](Ravlen &b) {
            b.setButtonStyle(Ravlen::Office2007);
            b.setCaption(QStringLiteral("First line\nsecond"));
            b.setCaptionAutoAlign(false);
            b.setCaptionAlignment(Ravlen::AlignTopLeft);
            b.setButtonIcon(QPixmap::fromImage(iconPicture()));
            b.setButtonIconShow(true);
            b.setButtonIconPos(Ravlen::LeftIcon);
        }) << 0 << 0x7acfde8506eff7f6ull;
        QTest::newRow("cherry round shadow, arrow bottom") << QSize(140, 50) << Setup([](Ravlen &b) {
            b.setButtonStyle(Ravlen::Cherry);
            b.setRoundBorder(true);
            b.setShadow(true);
            b.setShadowStyle(Ravlen::Shadow_Round);
            b.setArrowShow(true);
            b.setArrowPosition(Ravlen::PositionBottom);
            b.setCaption(QStringLiteral("Cherry"));
        }) << 0 << 0x2af2a6d18f52926full;
        QTest::newRow("vista taskbar, glass shadow, icon top") << QSize(90, 70) << Setup([](Ravlen &b) {
            b.setButtonStyle(Ravlen::VistaTaskBar);
            b.setShadow(true);
            b.setShadowStyle(Ravlen::Shadow_Glass);
            b.setButtonIcon(QPixmap::fromImage(iconPicture()));
            b.setButtonIconShow(true);
            b.setButtonIconPos(Ravlen::TopIcon);
            b.setCaption(QStringLiteral("Task"));
        }) << 0 << 0x8deb7067434b371eull;
    }

    void plainScreenFacesUnchanged()
    {
        QFETCH(QSize, size);
        QFETCH(Setup, setup);
        QFETCH(int, state);
        QFETCH(quint64, checksum);
        Placed placed("plain", size, setup, state);
        QCOMPARE(placed.button.devicePixelRatioF(), 1.0);
        QCOMPARE(placed.output().size(), size);
        QCOMPARE(faceChecksum(placed.button, placed.output()), checksum);
    }

    void denseScreenDrawsAtFullResolution()
    {
        Placed plain("plain", QSize(120, 40), stemsCaption);
        Placed dense("dense", QSize(120, 40), stemsCaption);
        QCOMPARE(dense.button.devicePixelRatioF(), 2.0);
        QCOMPARE(dense.output().size(), QSize(240, 80));
        QCOMPARE(dense.output().devicePixelRatio(), 2.0);
        QCOMPARE(dense.button.size(), QSize(120, 40));
        // A stem's edge is about as wide in device pixels as on the plain
        // screen (the glyphs sit at fractions of a pixel there, not snapped
        // to whole ones); an enlarged plain face would have twice the greys.
        const double plainGreys = greysPerEdge(plain.output());
        const double denseGreys = greysPerEdge(dense.output());
        QVERIFY2(plainGreys < 3, qPrintable(QString::number(plainGreys)));
        QVERIFY2(denseGreys < 1.5 * plainGreys, qPrintable(QStringLiteral("%1, %2").arg(denseGreys).arg(plainGreys)));
    }

    void denseSkinOutlineHasNoSteps()
    {
        const Setup aqua = [](Ravlen &b) {
            b.setButtonStyle(Ravlen::Aqua);
            b.setCaption(QString());
        };
        Placed dense("dense", QSize(105, 33), aqua);
        const QImage &face = dense.output();
        const QList<int> edge = leftOutline(face);
        // Over the steep middle half of the rounded end the outline moves at
        // most one device pixel a row; an enlarged plain outline moves two at
        // a time, every other row.
        int moved = 0;
        for (int y = face.height() / 4; y < face.height() * 3 / 4; ++y) {
            QVERIFY2(std::abs(edge[y + 1] - edge[y]) <= 1, qPrintable(QStringLiteral("row %1").arg(y)));
            moved += std::abs(edge[y + 1] - edge[y]);
        }
        QVERIFY(moved > 0); // it is a curve
        // Outside the outline the container shows through; the window shape
        // stays in logical pixels.
        QCOMPARE(qAlpha(face.pixel(0, 0)), 0);
        QCOMPARE(dense.button.mask().boundingRect(), QRect(0, 0, 105, 33));
    }

    void movingToAnotherScreenRedraws()
    {
        Placed placed("plain", QSize(120, 40), stemsCaption);
        placed.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&placed.window));
        QCOMPARE(placed.output().size(), QSize(120, 40));
        for (QScreen *screen : QGuiApplication::screens()) {
            if (screen->name() == QLatin1String("dense"))
                placed.window.windowHandle()->setScreen(screen);
        }
        QCOMPARE(placed.output().size(), QSize(240, 80));
        QCOMPARE(placed.button.size(), QSize(120, 40));
    }
};

QTEST_MAIN(TestFaceDensity)
#include "tst_face_density.moc"
