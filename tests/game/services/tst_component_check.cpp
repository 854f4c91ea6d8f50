#include "services/component_check.h"
#include "test_context.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

enum class Copy { Absent, Loadable, Broken };

QString line(const char *before, const QString &file, const char *after)
{
    return QLatin1String(before) + file + QLatin1String(after);
}

QStringList failureLines(const QString &file, const QString &package)
{
    return {line("File ", file, "is NOT registered..."), line("Attempting to register file ", file, " as admin user..."),
            line("Registering file ", file, " appeared to not be successful..."),
            line("Try to Register file ", file, " Manually via a terminal with administrator privileges"),
            line("Terminal command to manually Register this file is: 'sudo apt-get install ", package, "'"),
            line("Terminal command to manually Unregister this file is: 'sudo apt-get remove ", package, "'")};
}

} // namespace

class TestComponentCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void logLines_data();
    void logLines();
    void secondLookThatSucceedsEndsTheAdvice();
    void failingLoaderIsReported();
    void realLoaderUsesSystemSearch_data();
    void realLoaderUsesSystemSearch();
};

void TestComponentCheck::logLines_data()
{
    QTest::addColumn<QList<Copy>>("copies"); // the first list's files, in order
    QTest::addColumn<QStringList>("entries");
    const QString ravlen("libRavlenLib.so.1"), widgets("libQt6Widgets.so.6"), gui("libQt6Gui.so.6"), media("libQt6Multimedia.so.6");
    const auto exists = [](const QString &file) { return line("File ", file, " Exists..."); };
    const auto registered = [](const QString &file) { return line("File ", file, " is registered..."); };
    const auto absent = [](const QString &file) { return line("File ", file, " Does Not Exist..."); };
    const QString checking("Checking For Needed Registry Files");
    const Copy a = Copy::Absent, l = Copy::Loadable, b = Copy::Broken;

    QTest::newRow("all present") << QList<Copy>{l, l, l, l}
                                 << QStringList{checking, exists(ravlen), registered(ravlen), exists(widgets), registered(widgets),
                                                exists(gui), registered(gui), exists(media), registered(media), registered(widgets)};
    QTest::newRow("only the button library") << QList<Copy>{l, a, a, a}
                                             << QStringList{checking, exists(ravlen), registered(ravlen), absent(widgets),
                                                            absent(gui), absent(media), registered(widgets)};
    QTest::newRow("broken button library")
        << QList<Copy>{b, a, a, a}
        << QStringList{checking, exists(ravlen)} + failureLines(ravlen, "zorbel")
               + QStringList{absent(widgets), absent(gui), absent(media), registered(widgets)};
    QTest::newRow("broken media library")
        << QList<Copy>{a, a, a, b}
        << QStringList{checking, absent(ravlen), absent(widgets), absent(gui), exists(media)} + failureLines(media, "libqt6multimedia6")
               + QStringList{"Qt Multimedia 'libQt6Multimedia.so.6' file appears to not be installed...",
                             "The easy solution: download and install latest version of libqt6multimedia6 and "
                             "gstreamer1.0-plugins-good...'",
                             registered(widgets)};
    // The tab control's library is looked for in both lists; the second
    // look has no existence line and no media advice.
    QTest::newRow("broken widgets library")
        << QList<Copy>{a, b, a, a}
        << QStringList{checking, absent(ravlen), exists(widgets)} + failureLines(widgets, "libqt6widgets6")
               + QStringList{absent(gui), absent(media)} + failureLines(widgets, "libqt6widgets6");
}

void TestComponentCheck::logLines()
{
    QFETCH(QList<Copy>, copies);
    TestContext test;
    const QList<NeededComponent> first = ComponentCheck::firstList();
    QCOMPARE(first.size(), copies.size());
    for (qsizetype i = 0; i < copies.size(); ++i) {
        if (copies[i] == Copy::Loadable)
            QVERIFY(QFile::copy(QStringLiteral(FAKE_COMPONENT), test.path(first[i].fileName)));
        if (copies[i] == Copy::Broken)
            test.writeFile(first[i].fileName, "\x7f" "ELF but not really a library");
    }
    // Loads from the program directory when a file of that name lies there.
    ComponentCheck check(test.context(), [&test](const QString &fileName) {
        return ComponentCheck::loadLibraryByName(QFileInfo::exists(test.path(fileName)) ? test.path(fileName) : fileName);
    });
    QVERIFY(check.checkOncePerRun());
    QTEST(test.logEntries(), "entries");
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

void TestComponentCheck::failingLoaderIsReported()
{
    TestContext test;
    ComponentCheck failing(test.context(), [](const QString &) -> bool { throw std::bad_alloc(); });
    QVERIFY(!failing.IsDLLAvailable(QStringLiteral("libQt6Gui.so.6")));
    QCOMPARE(test.prompter().last().text, QStringLiteral("Current Function is IsDLLAvailable\r\nError Number: 7\r\nLocation: (none)\r\n"));
}

void TestComponentCheck::realLoaderUsesSystemSearch_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("available");
    QTest::newRow("installed Qt library") << "libQt6Multimedia.so.6" << true;
    QTest::newRow("missing library") << "libZorbelNoSuchComponent.so.9" << false;
    QTest::newRow("a text file") << QString::fromUtf8(__FILE__) << false;
}

void TestComponentCheck::realLoaderUsesSystemSearch()
{
    QFETCH(QString, fileName);
    TestContext test;
    QTEST(ComponentCheck(test.context()).IsDLLAvailable(fileName), "available");
    QVERIFY(test.prompter().shown().isEmpty());
}

QTEST_GUILESS_MAIN(TestComponentCheck)
#include "tst_component_check.moc"
