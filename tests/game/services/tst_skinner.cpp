#include "play/frm_zorbel.h"
#include "services/skinner.h"
#include "test_context.h"

#include "ravlen.h"

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

namespace {

const QColor kCurrentPlayer(255, 224, 192);
const QColor kBoard(201, 207, 214);
const QColor kTextBoxFrame(0x87, 0x96, 0xa8);

// The button as its window shows it, over a background of the window's own.
QImage paintedButton()
{
    QWidget window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::magenta);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    window.resize(170, 53);
    auto *button = new Ravlen(&window);
    button->setCaption(QStringLiteral("&Next"));
    button->setGeometry(10, 10, 150, 33);
    return window.grab().toImage();
}

} // namespace

class TestSkinner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void buttonsDrawThemselves();
    void gameColoursSurviveTheSkin_data();
    void gameColoursSurviveTheSkin();
    void skinReachesWindowsOpenedLater();
};

void TestSkinner::init()
{
    // A sheet Qt cannot parse is dropped with only a warning.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("style ?sheet"), QRegularExpression::CaseInsensitiveOption));
}

void TestSkinner::buttonsDrawThemselves()
{
    QVERIFY(!Skinner::isAttached(*qApp));
    const QImage plain = paintedButton();
    QVERIFY(Skinner::attach(*qApp, 1.0));
    QCOMPARE(paintedButton(), plain);
}

void TestSkinner::gameColoursSurviveTheSkin_data()
{
    QTest::addColumn<int>("turnsPassed");
    QTest::addColumn<QString>("control"); // empty: the window itself
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("old player's box after a turn") << 1 << "txtPlayer" << 0 << kBoard;
    QTest::newRow("new player's score box after a turn") << 1 << "txtCounter" << 1 << kCurrentPlayer;
    QTest::newRow("window background") << 0 << "" << -1 << kBoard;
}

void TestSkinner::gameColoursSurviveTheSkin()
{
    QFETCH(int, turnsPassed);
    QFETCH(QString, control);
    QFETCH(int, index);
    Skinner::attach(*qApp, 1.0);
    TestContext test;
    test.writeFile(QStringLiteral("ZorbelLines.txt"), "Blank Pole\r\nSnow Blank\r\nBlank Man\r\n");
    FrmZorbel window(test.context());
    QVERIFY(window.load());
    window.show();
    for (int turn = 0; turn < turnsPassed; ++turn)
        window.clkNext_Click();

    // Inside a box's frame, clear of the text; for the window, beside the
    // hidden rows of players 3 to 10.
    const QLineEdit *box = control.isEmpty() ? nullptr : window.controls().get<QLineEdit>(control, index);
    const QPoint probe = box ? box->mapTo(&window, QPoint(box->width() - 5, box->height() / 2)) : QPoint(733, 200);
    QTEST(window.grab().toImage().pixelColor(probe), "colour");
    window.blnExitConfirmed = true;
}

void TestSkinner::skinReachesWindowsOpenedLater()
{
    Skinner::attach(*qApp, 1.0);
    const QStyle *style = QApplication::style();
    QVERIFY(!Skinner::attach(*qApp, 2.0));
    QCOMPARE(QApplication::style(), style);

    QWidget window;
    window.resize(200, 60);
    auto *box = new QLineEdit(QStringLiteral("late"), &window);
    box->setGeometry(10, 10, 150, 30);
    window.show();
    const QImage image = window.grab().toImage();
    // Rounded: the corner shows the window, the side the skin's frame.
    QCOMPARE(image.pixelColor(10, 10), kBoard);
    QCOMPARE(image.pixelColor(10, 25), kTextBoxFrame);
}

QTEST_MAIN(TestSkinner)
#include "tst_skinner.moc"
