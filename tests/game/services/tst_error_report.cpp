#include "services/error_report.h"
#include "services/general_date.h"
#include "services/log_file.h"
#include "test_context.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

// A box that, while open, lets a failing procedure run again, as a timer
// firing under a modal box would.
class ReentrantPrompter final : public Prompter
{
public:
    std::function<void()> whileOpen;
    int boxes = 0;
    PromptAnswer ask(const Prompt &) override
    {
        ++boxes;
        whileOpen();
        return PromptAnswer::Ok;
    }
};

// The log's en_US stamps are below.
class TestErrorReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generalDateFollowsLocale()
    {
        const QDateTime moment(QDate(2021, 3, 3), QTime(9, 5, 7));
        QCOMPARE(generalDateText(moment, QLocale(QStringLiteral("en_GB"))), QStringLiteral("03/03/2021 09:05:07"));
        QCOMPARE(generalDateText(moment, QLocale(QStringLiteral("de_DE"))), QStringLiteral("03.03.2021 09:05:07"));
    }

    void logAppendsStampedEntries()
    {
        TestContext test;
        test.writeFile(QStringLiteral("LogInfo.txt"), "an entry of the last run\r\n");
        LogFile log(test.path(QStringLiteral("LogInfo.txt")), test.clock(), QLocale(QStringLiteral("en_US")));
        log.append(QStringLiteral("Loading Form frmZorbel")); // empties the last run's log
        test.clock().advance(1);
        log.append(QStringLiteral("Current SubRoutine is readInConfigFile\r\nError Number: 6\r\nLocation: frmZorbel\r\n"));
        log.append(QStringLiteral("next"));
        QCOMPARE(test.readFile(QStringLiteral("LogInfo.txt")),
                 QByteArray("3/3/2021 9:05:07 AM  Loading Form frmZorbel\r\n3/3/2021 9:05:08 AM  Current SubRoutine is "
                            "readInConfigFile\r\nError Number: 6\r\nLocation: frmZorbel\r\n\r\n3/3/2021 9:05:08 AM  next\r\n"));
    }

    void composeReportWithExtraLines()
    {
        const ReportExtras extras{{"before"}, {"", "middle"}, {"strAppPath  = ", "strArguments = "}};
        QCOMPARE(::composeReport(QStringLiteral("Timer1"), ProcedureKind::Function, 6, QStringLiteral("frmZorbel"), extras),
                 QStringLiteral("before\r\nCurrent Function is Timer1\r\n\r\nmiddle\r\nError Number: 6\r\nLocation: frmZorbel\r\n"
                                "strAppPath  = \r\nstrArguments = \r\n"));
    }

    void guardShowsLogsAndEndsProcedure()
    {
        TestContext test;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QApplication::setOverrideCursor(Qt::BusyCursor);
        QVERIFY(!test.context().guard(QStringLiteral("readInConfigFile"), [] { throw ZorbelError(ErrorNumber::Overflow); }));
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(test.prompter().shown().size(), 1);
        const Prompt &box = test.prompter().last();
        QVERIFY(box.title == QStringLiteral("Error") && box.icon == Prompt::Icon::Information && box.buttons == Prompt::Buttons::Ok);
        QCOMPARE(box.text, QStringLiteral("Current SubRoutine is readInConfigFile\r\nError Number: 6\r\nLocation: (none)\r\n"));
        QCOMPARE(test.logEntries(), QStringList{box.text});

        // Failures other than ours report as out of memory or internal errors.
        test.context().guard(QStringLiteral("a"), [] { throw std::bad_alloc(); });
        test.context().guard(QStringLiteral("b"), [] { throw std::runtime_error("x"); });
        QVERIFY(test.prompter().shown().at(1).text.contains(QLatin1String("Error Number: 7\r\n")));
        QVERIFY(test.prompter().shown().at(2).text.contains(QLatin1String("Error Number: 51\r\n")));
    }

    void reportNamesActiveWindow()
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

    void logFailureIsShownButNotLogged()
    {
        TestContext test;
        QVERIFY(QDir().mkdir(test.path(QStringLiteral("LogInfo.txt"))));
        // A report whose own log entry fails shows both boxes, and nothing more.
        test.context().guard(QStringLiteral("clkNext_Click"), [] { throw ZorbelError(ErrorNumber::Overflow); });
        QCOMPARE(test.prompter().shown().size(), 2);
        QVERIFY(test.prompter().shown().at(0).text.startsWith(QLatin1String("Current SubRoutine is writeLogInfo")));
        QVERIFY(test.prompter().shown().at(1).text.startsWith(QLatin1String("Current SubRoutine is clkNext_Click")));
    }

    void failureUnderOpenReportIsNotStacked()
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
};

QTEST_MAIN(TestErrorReport)
#include "tst_error_report.moc"
