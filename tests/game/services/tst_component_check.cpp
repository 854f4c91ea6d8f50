#include "services/component_check.h"
#include "test_context.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

// Late: not loadable at the first look, loadable at the second.
enum class Copy { Absent, Loadable, Broken, Late };

const QByteArray kLate("installed while we looked");

QStringList failureLines(const QString &file, const QString &package)
{
    const QStringList first{"File " + file + "is NOT registered...", "Attempting to register file " + file + " as admin user...",
                            "Registering file " + file + " appeared to not be successful..."};
    if (package.isEmpty())
        return first + QStringList{"File " + file + " comes with Zorbel: reinstall Zorbel, or rebuild it from its source, to put it back"};
    return first
           + QStringList{"Try to Register file " + file + " Manually via a terminal with administrator privileges",
                         "Terminal command to manually Register this file is: 'sudo apt-get install --reinstall " + package + "'",
                         "Terminal command to check the installed package is: 'dpkg --verify " + package + "'"};
}

} // namespace

class TestComponentCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void logLines_data()
    {
        QTest::addColumn<QList<Copy>>("copies"); // the first list's files, in order
        QTest::addColumn<QStringList>("entries");
        const QString ravlen("libRavlenLib.so.1"), widgets("libQt6Widgets.so.6"), gui("libQt6Gui.so.6"), media("libQt6Multimedia.so.6");
        const auto exists = [](const QString &file) { return "File " + file + " Exists..."; };
        const auto registered = [](const QString &file) { return "File " + file + " is registered..."; };
        const auto absent = [](const QString &file) { return "File " + file + " Does Not Exist..."; };
        const QString checking("Checking For Needed Registry Files");
        const Copy a = Copy::Absent, l = Copy::Loadable, b = Copy::Broken;

        QTest::newRow("loadable, absent, broken media library")
            << QList<Copy>{l, a, a, b}
            << QStringList{checking, exists(ravlen), registered(ravlen), absent(widgets), absent(gui), exists(media)}
                   + failureLines(media, "libqt6multimedia6")
                   + QStringList{"Qt Multimedia 'libQt6Multimedia.so.6' file appears to not be installed...",
                                 "The easy solution: download and install latest version of libqt6multimedia6 and "
                                 "gstreamer1.0-plugins-good...'",
                                 registered(widgets)};
        QTest::newRow("broken button library") << QList<Copy>{b, a, a, a}
                                               << QStringList{checking, exists(ravlen)} + failureLines(ravlen, QString())
                                                      + QStringList{absent(widgets), absent(gui), absent(media), registered(widgets)};
        QTest::newRow("registered at the second look") << QList<Copy>{Copy::Late, a, a, a} << QStringList{checking,
                                                                                                          exists(ravlen),
                                                                                                          failureLines(ravlen, {}).at(0),
                                                                                                          failureLines(ravlen, {}).at(1),
                                                                                                          absent(widgets),
                                                                                                          absent(gui),
                                                                                                          absent(media),
                                                                                                          registered(widgets)};
    }

    void logLines()
    {
        QFETCH(QList<Copy>, copies);
        TestContext test;
        const QList<NeededComponent> first = ComponentCheck::firstList();
        QCOMPARE(first.size(), copies.size());
        for (qsizetype i = 0; i < copies.size(); ++i) {
            if (copies[i] == Copy::Loadable)
                QVERIFY(QFile::copy(QStringLiteral(FAKE_COMPONENT), test.path(first[i].fileName)));
            if (copies[i] != Copy::Absent && copies[i] != Copy::Loadable)
                test.writeFile(first[i].fileName, copies[i] == Copy::Late ? kLate : "\177ELF but not really a library");
        }
        // Loads from the program directory when a file of that name lies there.
        int lateLooks = 0;
        ComponentCheck check(test.context(), [&](const QString &fileName) {
            if (test.readFile(fileName) == kLate)
                return ++lateLooks > 1;
            return ComponentCheck::loadLibraryByName(QFileInfo::exists(test.path(fileName)) ? test.path(fileName) : fileName);
        });
        QVERIFY(check.checkOncePerRun());
        QTEST(test.logEntries(), "entries");
        QVERIFY(test.prompter().shown().isEmpty());
    }

    void realLoaderUsesSystemSearch()
    {
        TestContext test;
        ComponentCheck check(test.context());
        QVERIFY(check.IsDLLAvailable(QStringLiteral("libQt6Multimedia.so.6")));
        QVERIFY(!check.IsDLLAvailable(QStringLiteral("libZorbelNoSuchComponent.so.9")));
        QVERIFY(!check.IsDLLAvailable(QString::fromUtf8(__FILE__))); // a text file
    }
};

QTEST_GUILESS_MAIN(TestComponentCheck)
#include "tst_component_check.moc"
