#include "play/windows/frm_zorbel.h"
#include "services/windows/frm_splash.h"
#include "test_context.h"

#include "RavlenLib/ravlen.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

const auto everyLibraryLoads = [](const QString &) { return true; };

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
    void startUpOpensMainWindowAndUnloads()
    {
        TestContext test(QVersionNumber(10, 0, 12));
        FrmSplash splash(
            test.context(), [&test] { return std::make_unique<FrmZorbel>(test.context()); }, everyLibraryLoads);
        QVERIFY(splash.load());
        splash.show();
        QCOMPARE(splash.controls().get<QLabel>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Zorbel Software Version 10.0.12"));
        QVERIFY(splash.Timer1().isActive() && splash.Timer1().interval() == 1000 && closeButton(splash)->isHidden());
        splash.Timer1_Timer();
        auto *board = qobject_cast<FrmZorbel *>(splash.mainWindow());
        QVERIFY(board && board->isVisible() && !splash.isVisible() && !splash.Timer1().isActive());
        // The component check's own lines come between; the main window loads
        // after the skin, and the card unloads last.
        const QStringList log = test.logEntries();
        QCOMPARE(log.mid(0, 3), (QStringList{"Application Name Zorbel Software Version 10.0.12", "Loading frmSplash",
                                             "Checking For Needed Registry Files"}));
        QCOMPARE(log.mid(log.size() - 3), (QStringList{"Loading Skinner...", "Loading Form frmZorbel", "Unloading Form frmSplash"}));
        board->cmdEndProgram_Click();
    }

    // The window's own report comes first, then the card's advice.
    void failedMainWindowKeepsSplash()
    {
        TestContext test;
        test.writeFile(QStringLiteral("links.ini"), "[Links]\r\nMediaHelp=https://media.test/get\r\n");
        const Form::Names names{"frmNoSuchWindow", "Form_Load frmNoSuchWindow", "Form_Unload frmNoSuchWindow"};
        FrmSplash splash(
            test.context(), [&] { return std::make_unique<Form>(test.context(), names); }, everyLibraryLoads);
        QVERIFY(splash.load());
        splash.show();
        splash.Timer1_Timer();
        QVERIFY(splash.isVisible() && !splash.mainWindow() && !splash.Timer1().isActive() && closeButton(splash)->isVisible());
        QCOMPARE(test.prompter().shown().size(), 2);
        QVERIFY(test.prompter().shown().first().text.startsWith(QLatin1String("Current SubRoutine is Form_Load frmNoSuchWindow\r\n")));
        const QString expectedStart =
            QStringList{"The main form appears to be having problems loading...",
                        "There may be a problem with trying to access the Qt Multimedia library 'libQt6Multimedia.so.6'",
                        "Please ensure you have the latest version of Qt Multimedia and its GStreamer plugins installed...",
                        "Latest version of Qt Multimedia can be found at :",
                        "https://media.test/get",
                        "",
                        "Current SubRoutine is Timer1_Timer",
                        "Error Number: 53",
                        ""}
                .join(QStringLiteral("\r\n"));
        QVERIFY2(test.prompter().last().text.startsWith(expectedStart), qPrintable(test.prompter().last().text));
    }

    void closedEarlyOpensNothing()
    {
        TestContext test;
        int opened = 0;
        const auto open = [&opened] {
            ++opened;
            return std::unique_ptr<Form>();
        };
        FrmSplash splash(test.context(), open, everyLibraryLoads);
        QVERIFY(splash.load());
        splash.show();
        splash.close();
        QVERIFY(!splash.Timer1().isActive());
        QCOMPARE(opened, 0);
        QCOMPARE(test.logEntries().constLast(), QStringLiteral("Unloading Form frmSplash"));
    }

    void aboutBoxNeverChecksTwice()
    {
        TestContext test;
        FrmSplash splash(
            test.context(), [&test] { return std::make_unique<FrmZorbel>(test.context()); }, everyLibraryLoads);
        QVERIFY(splash.load());
        splash.Timer1_Timer();
        auto *board = qobject_cast<FrmZorbel *>(splash.mainWindow());
        Ravlen *about = board->controls().get<Ravlen>(QStringLiteral("clkAbout"));
        click(about);
        click(about); // while it is open: brought to the front, not loaded again
        click(closeButton(*shownSplashes(board).first()));
        click(about);
        QCOMPARE(shownSplashes(board).size(), 1);
        FrmSplash *card = shownSplashes(board).first();
        QVERIFY(closeButton(*card)->isVisible() && !card->Timer1().isActive() && board->isVisible());
        QCOMPARE(test.logEntries().count(QStringLiteral("Checking For Needed Registry Files")), 1);
        QCOMPARE(test.logEntries().count(QStringLiteral("Loading frmSplash")), 3);
        board->cmdEndProgram_Click();
    }

    void homePageLabelOpensTheLinkedPage()
    {
        TestContext test;
        test.writeFile(QStringLiteral("links.ini"), "[Links]\r\nHome=https://maker.test/games/\r\n");
        FrmSplash splash(test.context(), {}, everyLibraryLoads);
        QVERIFY(splash.load());
        splash.showAsAbout();
        QCOMPARE(splash.controls().get<QLabel>(QStringLiteral("lbl1"), 1)->text(), QStringLiteral("maker.test/games/"));
        click(splash.controls().get<QLabel>(QStringLiteral("lbl1"), 0));
        QCOMPARE(test.urlOpener().opened(), QList<QUrl>{QUrl(QStringLiteral("https://maker.test/games/"))});
    }
};

QTEST_MAIN(TestFrmSplash)
#include "tst_frm_splash.moc"
