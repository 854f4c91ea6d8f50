#include "services/error_report.h"
#include "services/log_file.h"
#include "test_context.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

class TestErrorReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void composeReport_data();
    void composeReport();
    void guardShowsLogsAndEndsProcedure();
    void guardPassesThroughSuccess();
    void reportNamesActiveWindow();
    void mousePointerIsReset();
    void logFailureIsShownButNotLogged();
    void failureUnderOpenReportIsNotStacked();
    void unexpectedExceptionsAreReported();
};

void TestErrorReport::composeReport_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ProcedureKind>("kind");
    QTest::addColumn<ReportExtras>("extras");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << "readInConfigFile" << ProcedureKind::SubRoutine << ReportExtras{}
                           << "Current SubRoutine is readInConfigFile\r\nError Number: 6\r\nLocation: frmZorbel\r\n";
    QTest::newRow("function") << "ShuffleArray" << ProcedureKind::Function << ReportExtras{}
                              << "Current Function is ShuffleArray\r\nError Number: 6\r\nLocation: frmZorbel\r\n";
    QTest::newRow("lines at every place")
        << "registerNeededFiles" << ProcedureKind::SubRoutine
        << ReportExtras{{"before"}, {"", "middle"}, {"strAppPath  = ", "strArguments = "}}
        << "before\r\nCurrent SubRoutine is registerNeededFiles\r\n\r\nmiddle\r\nError Number: 6\r\n"
           "Location: frmZorbel\r\nstrAppPath  = \r\nstrArguments = \r\n";
}

void TestErrorReport::composeReport()
{
    QFETCH(QString, name);
    QFETCH(ProcedureKind, kind);
    QFETCH(ReportExtras, extras);
    QFETCH(QString, text);
    QCOMPARE(::composeReport(name, kind, 6, QStringLiteral("frmZorbel"), extras), text);
}

void TestErrorReport::guardShowsLogsAndEndsProcedure()
{
    TestContext test;
    bool rest = false;
    const bool ran = test.context().guard(QStringLiteral("readInConfigFile"), [&] {
        throw ZorbelError(ErrorNumber::Overflow);
        rest = true;
    });
    QVERIFY(!ran);
    QVERIFY(!rest);

    QCOMPARE(test.prompter().shown().size(), 1);
    const Prompt &box = test.prompter().last();
    QCOMPARE(box.title, QStringLiteral("Error"));
    QCOMPARE(box.icon, Prompt::Icon::Information);
    QCOMPARE(box.buttons, Prompt::Buttons::Ok);
    QCOMPARE(box.text, QStringLiteral("Current SubRoutine is readInConfigFile\r\nError Number: 6\r\nLocation: (none)\r\n"));
    QCOMPARE(test.logEntries(), QStringList{box.text});
    QVERIFY(test.readFile(QStringLiteral("LogInfo.txt")).endsWith("Location: (none)\r\n\r\n"));
}

void TestErrorReport::guardPassesThroughSuccess()
{
    TestContext test;
    int runs = 0;
    QVERIFY(test.context().guard(QStringLiteral("CheckTimer"), [&] { ++runs; }));
    QCOMPARE(runs, 1);
    QVERIFY(test.prompter().shown().isEmpty());
    QVERIFY(!QFile::exists(test.path(QStringLiteral("LogInfo.txt"))));
}

void TestErrorReport::reportNamesActiveWindow()
{
    TestContext test;
    QWidget window;
    window.setObjectName(QStringLiteral("frmConfig"));
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    test.context().guard(QStringLiteral("clkSave_Click"), [] { throw ZorbelError(ErrorNumber::PermissionDenied); });
    QVERIFY(test.prompter().last().text.endsWith(QLatin1String("Error Number: 70\r\nLocation: frmConfig\r\n")));
}

void TestErrorReport::mousePointerIsReset()
{
    TestContext test;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    test.context().guard(QStringLiteral("clkStart_Click"), [] { throw ZorbelError(ErrorNumber::FileNotFound); });
    QVERIFY(!QApplication::overrideCursor());
}

void TestErrorReport::logFailureIsShownButNotLogged()
{
    TestContext test;
    QVERIFY(QDir().mkdir(test.path(QStringLiteral("LogInfo.txt"))));

    test.context().writeLogInfo(QStringLiteral("Loading Form frmZorbel"));
    QCOMPARE(test.prompter().shown().size(), 1);
    QCOMPARE(test.prompter().last().title, QStringLiteral("Error"));
    QVERIFY(test.prompter().last().text.startsWith(
        QLatin1String("Current SubRoutine is writeLogInfo\r\nError Number: 75\r\n")));

    // A report whose own log entry fails shows both boxes, and nothing more.
    test.prompter().clear();
    test.context().guard(QStringLiteral("clkNext_Click"), [] { throw ZorbelError(ErrorNumber::Overflow); });
    QCOMPARE(test.prompter().shown().size(), 2);
    QVERIFY(test.prompter().shown().at(0).text.startsWith(QLatin1String("Current SubRoutine is writeLogInfo")));
    QVERIFY(test.prompter().shown().at(1).text.startsWith(QLatin1String("Current SubRoutine is clkNext_Click")));
}

// A prompter whose box, while open, lets a failing procedure run again, as a
// timer firing under a modal box would.
class ReentrantPrompter final : public Prompter
{
public:
    std::function<void()> whileOpen;
    int boxes = 0;
    PromptAnswer ask(const Prompt &) override
    {
        ++boxes;
        if (whileOpen)
            whileOpen();
        return PromptAnswer::Ok;
    }
};

void TestErrorReport::failureUnderOpenReportIsNotStacked()
{
    TestContext test;
    ReentrantPrompter prompter;
    ErrorReporter reporter(test.context().log(), prompter, [] { return QStringLiteral("frmZorbel"); });
    int failures = 0;
    const auto tick = [&] {
        reporter.guard(QStringLiteral("Timer1_Timer"), [&] {
            ++failures;
            throw ZorbelError(ErrorNumber::TypeMismatch);
        });
    };
    prompter.whileOpen = [&] {
        if (failures < 5)
            tick();
    };
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Timer1_Timer")));
    tick();
    QCOMPARE(failures, 2);
    QCOMPARE(prompter.boxes, 1);
    QCOMPARE(test.logEntries().size(), 2);
}

void TestErrorReport::unexpectedExceptionsAreReported()
{
    TestContext test;
    test.context().guard(QStringLiteral("a"), [] { throw std::bad_alloc(); });
    test.context().guard(QStringLiteral("b"), [] { throw std::runtime_error("x"); });
    QVERIFY(test.prompter().shown().at(0).text.contains(QLatin1String("Error Number: 7\r\n")));
    QVERIFY(test.prompter().shown().at(1).text.contains(QLatin1String("Error Number: 51\r\n")));
}

QTEST_MAIN(TestErrorReport)
#include "tst_error_report.moc"
