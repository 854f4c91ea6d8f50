#include "services/component_check.h"
#include "test_context.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

enum class Copy { Absent, Loadable, Broken };

// Loads a library from the program directory when a file of that name lies
// there, through the system's search otherwise.
ComponentCheck::LibraryLoader programDirFirst(const QString &dir)
{
    return [dir](const QString &fileName) {
        const QString local = dir + QLatin1Char('/') + fileName;
        return ComponentCheck::loadLibraryByName(QFileInfo::exists(local) ? local : fileName);
    };
}

QStringList failureLines(const QString &file, const QString &package)
{
    return {
        QStringLiteral("File ") + file + QStringLiteral("is NOT registered..."),
        QStringLiteral("Attempting to register file ") + file + QStringLiteral(" as admin user..."),
        QStringLiteral("Registering file ") + file + QStringLiteral(" appeared to not be successful..."),
        QStringLiteral("Try to Register file ") + file + QStringLiteral(" Manually via a terminal with administrator privileges"),
        QStringLiteral("Terminal command to manually Register this file is: 'sudo apt-get install ") + package + "'",
        QStringLiteral("Terminal command to manually Unregister this file is: 'sudo apt-get remove ") + package + "'",
    };
}

} // namespace

class TestComponentCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void logLines_data();
    void logLines();
    void secondLookThatSucceedsEndsTheAdvice();
    void checkRunsOncePerRun();
    void realLoaderUsesSystemSearch_data();
    void realLoaderUsesSystemSearch();
    void failingLoaderReportsAsFunction();
};

void TestComponentCheck::logLines_data()
{
    QTest::addColumn<QList<Copy>>("copies"); // the first list's files, in order
    QTest::addColumn<QStringList>("entries");

    const QString ravlen = QStringLiteral("libRavlenLib.so.1");
    const QString widgets = QStringLiteral("libQt6Widgets.so.6");
    const QString gui = QStringLiteral("libQt6Gui.so.6");
    const QString media = QStringLiteral("libQt6Multimedia.so.6");
    const auto exists = [](const QString &file) { return QStringLiteral("File ") + file + QStringLiteral(" Exists..."); };
    const auto registered = [](const QString &file) {
        return QStringLiteral("File ") + file + QStringLiteral(" is registered...");
    };
    const auto absent = [](const QString &file) {
        return QStringLiteral("File ") + file + QStringLiteral(" Does Not Exist...");
    };
    const QString checking = QStringLiteral("Checking For Needed Registry Files");

    QTest::newRow("all present")
        << QList<Copy>{Copy::Loadable, Copy::Loadable, Copy::Loadable, Copy::Loadable}
        << QStringList{checking,      exists(ravlen), registered(ravlen), exists(widgets),    registered(widgets),
                       exists(gui),   registered(gui), exists(media),     registered(media), registered(widgets)};
    QTest::newRow("only the button library in the program directory")
        << QList<Copy>{Copy::Loadable, Copy::Absent, Copy::Absent, Copy::Absent}
        << QStringList{checking,    exists(ravlen), registered(ravlen), absent(widgets),
                       absent(gui), absent(media),  registered(widgets)};
    QTest::newRow("broken button library")
        << QList<Copy>{Copy::Broken, Copy::Absent, Copy::Absent, Copy::Absent}
        << (QStringList{checking, exists(ravlen)} + failureLines(ravlen, QStringLiteral("zorbel"))
            + QStringList{absent(widgets), absent(gui), absent(media), registered(widgets)});
    QTest::newRow("broken media library")
        << QList<Copy>{Copy::Absent, Copy::Absent, Copy::Absent, Copy::Broken}
        << (QStringList{checking, absent(ravlen), absent(widgets), absent(gui), exists(media)}
            + failureLines(media, QStringLiteral("libqt6multimedia6"))
            + QStringList{QStringLiteral("Qt Multimedia 'libQt6Multimedia.so.6' file appears to not be installed..."),
                          QStringLiteral("The easy solution: download and install latest version of libqt6multimedia6 "
                                         "and gstreamer1.0-plugins-good...'"),
                          registered(widgets)});
    // The tab control's library is looked for in both lists; the second
    // look has no existence line and no media advice.
    QTest::newRow("broken widgets library")
        << QList<Copy>{Copy::Absent, Copy::Broken, Copy::Absent, Copy::Absent}
        << (QStringList{checking, absent(ravlen), exists(widgets)}
            + failureLines(widgets, QStringLiteral("libqt6widgets6")) + QStringList{absent(gui), absent(media)}
            + failureLines(widgets, QStringLiteral("libqt6widgets6")));
}

void TestComponentCheck::logLines()
{
    QFETCH(QList<Copy>, copies);
    QFETCH(QStringList, entries);
    TestContext test;
    const QList<NeededComponent> first = ComponentCheck::firstList();
    QCOMPARE(first.size(), copies.size());
    for (qsizetype i = 0; i < copies.size(); ++i) {
        if (copies[i] == Copy::Loadable)
            QVERIFY(QFile::copy(QStringLiteral(FAKE_COMPONENT), test.path(first[i].fileName)));
        if (copies[i] == Copy::Broken)
            test.writeFile(first[i].fileName, "\x7f" "ELF but not really a library");
    }

    ComponentCheck check(test.context(), programDirFirst(test.dir()));
    QVERIFY(check.checkOncePerRun());
    QCOMPARE(test.logEntries(), entries);
    QVERIFY(test.prompter().shown().isEmpty());
}

void TestComponentCheck::secondLookThatSucceedsEndsTheAdvice()
{
    TestContext test;
    test.writeFile(QStringLiteral("libRavlenLib.so.1"), "installed while we looked");
    QStringList asked;
    ComponentCheck check(test.context(), [&](const QString &fileName) {
        asked.append(fileName);
        return fileName != QLatin1String("libRavlenLib.so.1") || asked.size() > 1;
    });
    check.registerNeededFiles();
    QCOMPARE(asked.mid(0, 2), (QStringList{"libRavlenLib.so.1", "libRavlenLib.so.1"}));
    QCOMPARE(test.logEntries().mid(0, 4),
             (QStringList{"File libRavlenLib.so.1 Exists...", "File libRavlenLib.so.1is NOT registered...",
                          "Attempting to register file libRavlenLib.so.1 as admin user...",
                          "File libQt6Widgets.so.6 Does Not Exist..."}));
}

void TestComponentCheck::checkRunsOncePerRun()
{
    TestContext test;
    int loads = 0;
    const auto loader = [&](const QString &) {
        ++loads;
        return true;
    };
    QVERIFY(ComponentCheck(test.context(), loader).checkOncePerRun());
    const QStringList afterFirst = test.logEntries();
    // The About box builds a new splash window and its own check.
    QVERIFY(!ComponentCheck(test.context(), loader).checkOncePerRun());
    QCOMPARE(test.logEntries(), afterFirst);
    QCOMPARE(loads, 1);
}

void TestComponentCheck::realLoaderUsesSystemSearch_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("available");
    QTest::newRow("installed Qt library") << "libQt6Widgets.so.6" << true;
    QTest::newRow("media library") << "libQt6Multimedia.so.6" << true;
    QTest::newRow("missing library") << "libZorbelNoSuchComponent.so.9" << false;
    QTest::newRow("empty name") << "" << false;
    QTest::newRow("a text file") << QString::fromUtf8(__FILE__) << false;
}

void TestComponentCheck::realLoaderUsesSystemSearch()
{
    QFETCH(QString, fileName);
    QFETCH(bool, available);
    TestContext test;
    ComponentCheck check(test.context());
    QCOMPARE(check.IsDLLAvailable(fileName), available);
    QVERIFY(test.prompter().shown().isEmpty());
}

void TestComponentCheck::failingLoaderReportsAsFunction()
{
    TestContext test;
    ComponentCheck check(test.context(), [](const QString &) -> bool { throw std::bad_alloc(); });
    QVERIFY(!check.IsDLLAvailable(QStringLiteral("libQt6Gui.so.6")));
    QCOMPARE(test.prompter().last().text,
             QStringLiteral("Current Function is IsDLLAvailable\r\nError Number: 7\r\nLocation: (none)\r\n"));
}

QTEST_GUILESS_MAIN(TestComponentCheck)
#include "tst_component_check.moc"
