#include "play/frm_zorbel.h"
#include "services/frm_splash.h"
#include "services/skinner.h"
#include "test_context.h"

#include "ravlen.h"

#include <QDialog>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

bool everyLibraryLoads(const QString &)
{
    return true;
}

void click(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

Ravlen *closeButton(FrmSplash &splash)
{
    return splash.controls().get<Ravlen>(QStringLiteral("clkClose"));
}

QList<FrmSplash *> shownSplashes(const QObject *owner)
{
    QList<FrmSplash *> shown = owner->findChildren<FrmSplash *>();
    shown.removeIf([](const FrmSplash *splash) { return !splash->isVisible(); });
    return shown;
}

} // namespace

class TestFrmSplash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUpOpensMainWindowAndUnloads();
    void failedMainWindowKeepsSplash_data();
    void failedMainWindowKeepsSplash();
    void closedEarlyOpensNothing();
    void aboutBoxNeverChecksTwice();
    void homePageLabels_data();
    void homePageLabels();
    void cardColoursStayOnTheCard();
};

void TestFrmSplash::startUpOpensMainWindowAndUnloads()
{
    TestContext test(QVersionNumber(10, 0, 12));
    FrmSplash splash(test.context(), [&test] { return std::make_unique<FrmZorbel>(test.context()); }, everyLibraryLoads);
    QVERIFY(splash.load());
    splash.show();
    // The component check's own lines come between.
    QCOMPARE(test.logEntries().mid(0, 3), (QStringList{"Application Name Zorbel Software Version 10.0.12", "Loading frmSplash",
                                                       "Checking For Needed Registry Files"}));
    QCOMPARE(test.logEntries().constLast(), QStringLiteral("Loading Skinner..."));
    QCOMPARE(splash.controls().get<QLabel>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Zorbel Software Version 10.0.12"));
    QVERIFY(splash.Timer1().isActive() && splash.Timer1().isSingleShot() && splash.Timer1().interval() == 1000);
    QVERIFY(closeButton(splash)->isHidden());

    splash.Timer1_Timer();
    QVERIFY(!splash.Timer1().isActive() && !splash.isVisible());
    auto *board = qobject_cast<FrmZorbel *>(splash.mainWindow());
    QVERIFY(board && board->isVisible());
    // The main window loads after the skin, and the card unloads last.
    QCOMPARE(test.logEntries().mid(test.logEntries().indexOf(QStringLiteral("Loading Skinner...")) + 1, 1),
             QStringList{"Loading Form frmZorbel"});
    QCOMPARE(test.logEntries().constLast(), QStringLiteral("Unloading Form frmSplash"));
    QVERIFY(test.prompter().shown().isEmpty());
    board->blnExitConfirmed = true;
    board->close();
}

void TestFrmSplash::failedMainWindowKeepsSplash_data()
{
    QTest::addColumn<bool>("creationFails"); // else the created window's load fails
    QTest::addColumn<QString>("reportBefore"); // first line of a report shown before the splash's
    QTest::addColumn<int>("errorNumber");
    QTest::newRow("a library the window needs is missing") << true << QString() << 429;
    QTest::newRow("the window's own load fails") << false << "Current SubRoutine is Form_Load frmNoSuchWindow" << 53;
}

void TestFrmSplash::failedMainWindowKeepsSplash()
{
    QFETCH(bool, creationFails);
    QFETCH(QString, reportBefore);
    QFETCH(int, errorNumber);
    TestContext test;
    test.writeFile(QStringLiteral("links.ini"), "[Links]\r\nMediaHelp=https://media.test/get\r\n");
    const auto open = [&test, creationFails]() -> std::unique_ptr<Form> {
        if (creationFails)
            throw ZorbelError(ErrorNumber::ComponentMissing, QStringLiteral("no media library"));
        return std::make_unique<Form>(test.context(), Form::Names{"frmNoSuchWindow", "Form_Load frmNoSuchWindow",
                                                                  "Form_Unload frmNoSuchWindow"});
    };
    FrmSplash splash(test.context(), open, everyLibraryLoads);
    QVERIFY(splash.load());
    splash.show();
    splash.Timer1_Timer();
    QVERIFY(splash.isVisible() && !splash.mainWindow() && !splash.Timer1().isActive() && closeButton(splash)->isVisible());

    const QList<Prompt> &shown = test.prompter().shown();
    QCOMPARE(shown.size(), reportBefore.isEmpty() ? 1 : 2);
    QVERIFY(reportBefore.isEmpty() || shown.first().text.startsWith(reportBefore + "\r\n"));
    const QString expectedStart =
        QStringList{"The main form appears to be having problems loading...",
                    "There may be a problem with trying to access the Qt Multimedia library 'libQt6Multimedia.so.6'",
                    "Please ensure you have the latest version of Qt Multimedia and its GStreamer plugins installed...",
                    "Latest version of Qt Multimedia can be found at :", "https://media.test/get", "",
                    "Current SubRoutine is Timer1_Timer", QStringLiteral("Error Number: %1").arg(errorNumber), ""}
            .join(QStringLiteral("\r\n"));
    QVERIFY2(shown.last().text.startsWith(expectedStart), qPrintable(shown.last().text));
    QCOMPARE(shown.last().title, QStringLiteral("Error"));
    QVERIFY(test.logEntries().contains(shown.last().text));
}

void TestFrmSplash::closedEarlyOpensNothing()
{
    TestContext test;
    int opened = 0;
    FrmSplash splash(test.context(), [&]() -> std::unique_ptr<Form> {
        ++opened;
        return nullptr;
    }, everyLibraryLoads);
    QVERIFY(splash.load());
    splash.show();
    splash.close();
    QVERIFY(!splash.Timer1().isActive());
    QCOMPARE(opened, 0);
    QCOMPARE(test.logEntries().constLast(), QStringLiteral("Unloading Form frmSplash"));
}

void TestFrmSplash::aboutBoxNeverChecksTwice()
{
    TestContext test;
    int loads = 0;
    const auto countingLoader = [&loads](const QString &) { return ++loads > 0; };
    FrmSplash splash(test.context(), [&test] { return std::make_unique<FrmZorbel>(test.context()); }, countingLoader);
    QVERIFY(splash.load());
    splash.Timer1_Timer();
    auto *board = qobject_cast<FrmZorbel *>(splash.mainWindow());
    const int loadsAtStart = loads;
    Ravlen *about = board->controls().get<Ravlen>(QStringLiteral("clkAbout"));

    click(about);
    click(about); // while it is open: brought to the front, not loaded again
    QCOMPARE(shownSplashes(board).size(), 1);
    QVERIFY(!shownSplashes(board).first()->Timer1().isActive());
    click(closeButton(*shownSplashes(board).first()));
    QVERIFY(shownSplashes(board).isEmpty());
    click(about);
    QCOMPARE(shownSplashes(board).size(), 1);
    QVERIFY(closeButton(*shownSplashes(board).first())->isVisible() && board->isVisible());

    const QStringList entries = test.logEntries();
    QCOMPARE(entries.count(QStringLiteral("Checking For Needed Registry Files")), 1);
    QCOMPARE(entries.count(QStringLiteral("Loading frmSplash")), 3);
    QCOMPARE(entries.count(QStringLiteral("Unloading Form frmSplash")), 2);
    QCOMPARE(loads, loadsAtStart);
    QVERIFY(test.prompter().shown().isEmpty());
    board->blnExitConfirmed = true;
    board->close();
}

void TestFrmSplash::homePageLabels_data()
{
    QTest::addColumn<QByteArray>("links");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("shown");
    const QByteArray home = "[Links]\r\nHome=https://maker.test/games/\r\n";
    QTest::newRow("maker's name") << home << 0 << "https://maker.test/games/" << "maker.test/games/";
    QTest::newRow("address") << home << 1 << "https://maker.test/games/" << "maker.test/games/";
    QTest::newRow("no links file") << QByteArray() << 1 << "https://zorbel.example.org/" << "zorbel.example.org";
}

void TestFrmSplash::homePageLabels()
{
    QFETCH(QByteArray, links);
    QFETCH(int, index);
    QFETCH(QString, address);
    TestContext test;
    if (!links.isEmpty())
        test.writeFile(QStringLiteral("links.ini"), links);
    FrmSplash splash(test.context(), {}, everyLibraryLoads);
    QVERIFY(splash.load());
    splash.showAsAbout();
    QTEST(splash.controls().get<QLabel>(QStringLiteral("lbl1"), 1)->text(), "shown");
    click(splash.controls().get<QLabel>(QStringLiteral("lbl1"), index));
    QCOMPARE(test.urlOpener().opened(), QList<QUrl>{QUrl(address)});
}

void TestFrmSplash::cardColoursStayOnTheCard()
{
    TestContext test;
    FrmSplash splash(test.context(), {}, everyLibraryLoads);
    QVERIFY(splash.load());
    splash.showAsAbout();
    // A message box asked from the About box is the card's child.
    QDialog box(&splash);
    auto *text = new QLabel(QStringLiteral("The current version of Zorbel software is 1.0.0"), &box);
    box.show();
    QCOMPARE(text->palette().color(QPalette::WindowText), Skinner::palette().color(QPalette::WindowText));
    QCOMPARE(splash.controls().get<QLabel>(QStringLiteral("Label1"))->palette().color(QPalette::WindowText), QColor(0xdb, 0xe6, 0xf3));
}

QTEST_MAIN(TestFrmSplash)
#include "tst_frm_splash.moc"
