#include "play/frm_zorbel.h"
#include "services/frm_splash.h"
#include "services/skinner.h"
#include "test_context.h"

#include "ravlen.h"

#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Loads a library from the program directory when a file of that name lies
// there, through the system's search otherwise; counts every load.
ComponentCheck::LibraryLoader countingLoader(const QString &dir, int &loads)
{
    return [dir, &loads](const QString &fileName) {
        ++loads;
        const QString local = dir + QLatin1Char('/') + fileName;
        return ComponentCheck::loadLibraryByName(QFileInfo::exists(local) ? local : fileName);
    };
}

void click(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(control->width() / 2, control->height() / 2));
}

QList<FrmSplash *> shownSplashes(const QObject *owner)
{
    QList<FrmSplash *> shown;
    for (FrmSplash *splash : owner->findChildren<FrmSplash *>())
        if (splash->isVisible())
            shown.append(splash);
    return shown;
}

} // namespace

class TestFrmSplash : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUpLog_data();
    void startUpLog();
    void versionLabel_data();
    void versionLabel();
    void timerOpensMainWindowAndUnloads();
    void failedMainWindowKeepsSplash_data();
    void failedMainWindowKeepsSplash();
    void closedEarlyOpensNothing();
    void aboutBoxNeverChecksTwice();
    void homePageLabels_data();
    void homePageLabels();
    void cardColoursStayOnTheCard();
};

void TestFrmSplash::startUpLog_data()
{
    QTest::addColumn<bool>("libraryFilesPresent");
    QTest::newRow("every library beside the program") << true;
    QTest::newRow("no library beside the program") << false;
}

void TestFrmSplash::startUpLog()
{
    QFETCH(bool, libraryFilesPresent);
    TestContext test;
    QStringList expected{QStringLiteral("Application Name Zorbel Software Version 1.0.0"),
                         QStringLiteral("Loading frmSplash"), QStringLiteral("Checking For Needed Registry Files")};
    for (const NeededComponent &component : ComponentCheck::firstList()) {
        const QString &name = component.fileName;
        if (libraryFilesPresent) {
            QVERIFY(QFile::copy(QStringLiteral(FAKE_COMPONENT), test.path(name)));
            expected << QStringLiteral("File ") + name + QStringLiteral(" Exists...")
                     << QStringLiteral("File ") + name + QStringLiteral(" is registered...");
        } else {
            expected << QStringLiteral("File ") + name + QStringLiteral(" Does Not Exist...");
        }
    }
    for (const NeededComponent &component : ComponentCheck::secondList())
        expected << QStringLiteral("File ") + component.fileName + QStringLiteral(" is registered...");
    expected << QStringLiteral("Loading Skinner...");

    int loads = 0;
    FrmSplash splash(test.context(), {}, countingLoader(test.dir(), loads));
    QVERIFY(splash.load());
    QCOMPARE(test.logEntries(), expected);
    QVERIFY(test.prompter().shown().isEmpty());
    QVERIFY(splash.Timer1().isActive());
    QCOMPARE(splash.Timer1().interval(), 1000);
    QVERIFY(splash.Timer1().isSingleShot());
    QVERIFY(splash.controls().get<Ravlen>(QStringLiteral("clkClose"))->isHidden());
}

void TestFrmSplash::versionLabel_data()
{
    QTest::addColumn<QVersionNumber>("version");
    QTest::addColumn<QString>("label");
    QTest::newRow("1.2.0") << QVersionNumber(1, 2, 0) << "Zorbel Software Version 1.2.0";
    QTest::newRow("two-digit parts") << QVersionNumber(10, 0, 12) << "Zorbel Software Version 10.0.12";
}

void TestFrmSplash::versionLabel()
{
    QFETCH(QVersionNumber, version);
    QFETCH(QString, label);
    TestContext test(version);
    FrmSplash splash(test.context(), {}, [](const QString &) { return true; });
    QVERIFY(splash.load());
    QCOMPARE(splash.controls().get<QLabel>(QStringLiteral("lblVersion"))->text(), label);
    QCOMPARE(test.logEntries().constFirst(),
             QStringLiteral("Application Name Zorbel Software Version ") + label.section(u' ', -1));
}

void TestFrmSplash::timerOpensMainWindowAndUnloads()
{
    TestContext test;
    FrmSplash splash(test.context(), [&test] { return std::make_unique<FrmZorbel>(test.context()); },
                     [](const QString &) { return true; });
    QVERIFY(splash.load());
    splash.show();

    splash.Timer1_Timer();
    QVERIFY(!splash.Timer1().isActive());
    QVERIFY(!splash.isVisible());
    auto *board = qobject_cast<FrmZorbel *>(splash.mainWindow());
    QVERIFY(board);
    QVERIFY(board->isVisible());
    // The main window loads after the skin, and the card unloads last.
    const QStringList entries = test.logEntries();
    QVERIFY(entries.indexOf(QStringLiteral("Loading Form frmZorbel"))
            > entries.indexOf(QStringLiteral("Loading Skinner...")));
    QCOMPARE(entries.constLast(), QStringLiteral("Unloading Form frmSplash"));
    QVERIFY(test.prompter().shown().isEmpty());
    board->blnExitConfirmed = true;
    board->close();
}

void TestFrmSplash::failedMainWindowKeepsSplash_data()
{
    QTest::addColumn<bool>("creationFails"); // else the created window's load fails
    QTest::addColumn<QStringList>("reportsBefore"); // first lines of the reports shown before the splash's
    QTest::addColumn<int>("errorNumber");

    QTest::newRow("a library the window needs is missing") << true << QStringList{} << 429;
    QTest::newRow("the window's own load fails")
        << false << QStringList{"Current SubRoutine is Form_Load frmNoSuchWindow"} << 53;
}

void TestFrmSplash::failedMainWindowKeepsSplash()
{
    QFETCH(bool, creationFails);
    QFETCH(QStringList, reportsBefore);
    QFETCH(int, errorNumber);
    TestContext test;
    test.writeFile(QStringLiteral("links.ini"), "[Links]\r\nMediaHelp=https://media.test/get\r\n");
    const auto open = [&test, creationFails]() -> std::unique_ptr<Form> {
        if (creationFails)
            throw ZorbelError(ErrorNumber::ComponentMissing, QStringLiteral("no media library"));
        return std::make_unique<Form>(test.context(), Form::Names{QStringLiteral("frmNoSuchWindow"),
                                                                  QStringLiteral("Form_Load frmNoSuchWindow"),
                                                                  QStringLiteral("Form_Unload frmNoSuchWindow")});
    };
    FrmSplash splash(test.context(), open, [](const QString &) { return true; });
    QVERIFY(splash.load());
    splash.show();

    splash.Timer1_Timer();
    QVERIFY(splash.isVisible());
    QVERIFY(!splash.mainWindow());
    QVERIFY(!splash.Timer1().isActive());
    QVERIFY(splash.controls().get<Ravlen>(QStringLiteral("clkClose"))->isVisible());

    const QList<Prompt> &shown = test.prompter().shown();
    QCOMPARE(shown.size(), reportsBefore.size() + 1);
    for (qsizetype i = 0; i < reportsBefore.size(); ++i)
        QVERIFY2(shown[i].text.startsWith(reportsBefore[i] + kCrLf), qPrintable(shown[i].text));
    const QString expectedStart =
        QStringList{"The main form appears to be having problems loading...",
                    "There may be a problem with trying to access the Qt Multimedia library 'libQt6Multimedia.so.6'",
                    "Please ensure you have the latest version of Qt Multimedia and its GStreamer plugins installed...",
                    "Latest version of Qt Multimedia can be found at :", "https://media.test/get", "",
                    "Current SubRoutine is Timer1_Timer", QStringLiteral("Error Number: %1").arg(errorNumber), ""}
            .join(kCrLf);
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
    }, [](const QString &) { return true; });
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
    FrmSplash splash(test.context(), [&test] { return std::make_unique<FrmZorbel>(test.context()); },
                     countingLoader(test.dir(), loads));
    QVERIFY(splash.load());
    splash.Timer1_Timer();
    auto *board = qobject_cast<FrmZorbel *>(splash.mainWindow());
    QVERIFY(board);
    const int loadsAtStart = loads;
    Ravlen *about = board->controls().get<Ravlen>(QStringLiteral("clkAbout"));

    click(about);
    click(about); // while it is open: brought to the front, not loaded again
    QList<FrmSplash *> shown = shownSplashes(board);
    QCOMPARE(shown.size(), 1);
    QVERIFY(!shown.first()->Timer1().isActive());
    click(shown.first()->controls().get<Ravlen>(QStringLiteral("clkClose")));
    QVERIFY(shownSplashes(board).isEmpty());

    click(about);
    shown = shownSplashes(board);
    QCOMPARE(shown.size(), 1);
    Ravlen *closeButton = shown.first()->controls().get<Ravlen>(QStringLiteral("clkClose"));
    QVERIFY(closeButton->isVisible());
    QVERIFY(board->isVisible());

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
    QFETCH(QString, shown);
    TestContext test;
    if (!links.isEmpty())
        test.writeFile(QStringLiteral("links.ini"), links);
    FrmSplash splash(test.context(), {}, [](const QString &) { return true; });
    QVERIFY(splash.load());
    splash.showAsAbout();

    QCOMPARE(splash.controls().get<QLabel>(QStringLiteral("lbl1"), 1)->text(), shown);
    click(splash.controls().get<QLabel>(QStringLiteral("lbl1"), index));
    QCOMPARE(test.urlOpener().opened(), QList<QUrl>{QUrl(address)});
}

void TestFrmSplash::cardColoursStayOnTheCard()
{
    TestContext test;
    FrmSplash splash(test.context(), {}, [](const QString &) { return true; });
    QVERIFY(splash.load());
    splash.showAsAbout();
    // A message box asked from the About box is the card's child.
    QDialog box(&splash);
    auto *text = new QLabel(QStringLiteral("The current version of Zorbel software is 1.0.0"), &box);
    box.show();

    QCOMPARE(text->palette().color(QPalette::WindowText), Skinner::palette().color(QPalette::WindowText));
    QCOMPARE(splash.controls().get<QLabel>(QStringLiteral("Label1"))->palette().color(QPalette::WindowText),
             QColor(0xdb, 0xe6, 0xf3));
}

QTEST_MAIN(TestFrmSplash)
#include "tst_frm_splash.moc"
