#include "play/windows/frm_zorbel.h"
#include "services/forms/skinner.h"
#include "test_context.h"

#include "RavlenLib/ravlen.h"

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

namespace {

const QColor kBoard(201, 207, 214);

// The button as its window shows it, over a background of the window's own.
QImage paintedButton()
{
    QWidget window;
    window.setPalette(QPalette(Qt::magenta));
    window.setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    window.setAutoFillBackground(true);
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
    void init()
    {
        // A sheet Qt cannot parse is dropped with only a warning.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("style ?sheet"), QRegularExpression::CaseInsensitiveOption));
    }

    void buttonsDrawThemselves()
    {
        const QImage plain = paintedButton();
        QVERIFY(Skinner::attach(*qApp, 1.0));
        QCOMPARE(paintedButton(), plain);
    }

    void skinAndGameColoursReachTheBoard()
    {
        Skinner::attach(*qApp, 1.0);
        TestContext test;
        test.writeFile(QStringLiteral("ZorbelLines.txt"), "Blank Pole\r\nSnow Blank\r\nBlank Man\r\n");
        FrmZorbel window(test.context());
        QVERIFY(window.load());
        window.show();
        window.game().next(QuestionMode::Match);
        // Inside the new player's score box, clear of the text. The box is
        // rounded: its corner shows the window, its side the skin's frame.
        const QLineEdit *box = window.controls().get<QLineEdit>(QStringLiteral("txtCounter"), 1);
        const QImage image = window.grab().toImage();
        const auto at = [&](int x, int y) { return image.pixelColor(box->mapTo(&window, QPoint(x, y))); };
        QCOMPARE(at(box->width() - 5, box->height() / 2), QColor(255, 224, 192)); // the current player
        QCOMPARE(at(0, 0), kBoard);
        QCOMPARE(at(0, box->height() / 2), QColor(0x87, 0x96, 0xa8));
        window.cmdEndProgram_Click();
    }
};

QTEST_MAIN(TestSkinner)
#include "tst_skinner.moc"
