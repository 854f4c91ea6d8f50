#include "zorbel_fixture.h"

#include "ravlen.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QStringList kMatches{"Blank Pole", "Christmas Blank", "Snow Blank Man"};
const QStringList kPhrases{"Even his Blank makes me laugh.", "A Blank suit."};
const QString kConfig = QStringLiteral("Zorbel.cfg");

// The main window's five settings as the host sees them.
struct Settings {
    QString timerText;
    int seconds = 30;
    int timerOption = 0; // the selected element of OptTimer
    int soundOption = 1; // the selected element of optSound
    bool buzzer = false;
    bool continual = false;

    friend bool operator==(const Settings &, const Settings &) = default;
};

char *toString(const Settings &s)
{
    return qstrdup(QStringLiteral("text %1, %2 s, OptTimer %3, optSound %4, buzzer %5, continual %6")
                       .arg(s.timerText)
                       .arg(s.seconds)
                       .arg(s.timerOption)
                       .arg(s.soundOption)
                       .arg(s.buzzer)
                       .arg(s.continual)
                       .toUtf8()
                       .constData());
}

int selectedElement(const FrmZorbel &window, const QString &group)
{
    for (int i = 0; i < 2; ++i)
        if (window.controls().get<QRadioButton>(group, i)->isChecked())
            return i;
    return -1;
}

Settings settingsOf(ZorbelFixture &game)
{
    FrmZorbel &window = game.window();
    return {game.box("txtTimer")->text(),
            window.intTimerSeconds,
            selectedElement(window, QStringLiteral("OptTimer")),
            selectedElement(window, QStringLiteral("optSound")),
            window.controls().get<QCheckBox>(QStringLiteral("chkBuzzer"))->isChecked(),
            window.controls().get<QCheckBox>(QStringLiteral("chkSoundAlwaysOn"))->isChecked()};
}

QStringList reportsShown(ZorbelFixture &game)
{
    QStringList reports;
    for (const Prompt &prompt : game.test().prompter().shown())
        if (prompt.title == QLatin1String("Error"))
            reports.append(prompt.text.section(QLatin1String("\r\n"), 0, 1));
    return reports;
}

Form *openWindow(const QString &name)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == name && window->isVisible())
            return qobject_cast<Form *>(window);
    return nullptr;
}

QList<Form *> openWindows(const QString &name)
{
    QList<Form *> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == name && window->isVisible())
            windows.append(qobject_cast<Form *>(window));
    return windows;
}

void clickOn(Form &window, const QString &buttonName)
{
    Ravlen *target = window.controls().get<Ravlen>(buttonName);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(target->width() / 2, target->height() / 2));
}

QStringList listTexts(Form &config)
{
    QStringList texts;
    for (const char *name : {"cmbTimerTime", "cmbSoundOption", "cmbNoBuzzer", "cmbSound", "cmbTimer"})
        texts.append(config.controls().get<QComboBox>(QLatin1String(name))->currentText());
    return texts;
}

void choose(Form &config, const QStringList &texts)
{
    const char *const names[] = {"cmbTimerTime", "cmbSoundOption", "cmbNoBuzzer", "cmbSound", "cmbTimer"};
    for (int i = 0; i < 5; ++i)
        config.controls().get<QComboBox>(QLatin1String(names[i]))->setCurrentText(texts.at(i));
}

// The configuration window is modal: body runs inside its loop, then the
// window is closed with its Exit button unless body closed it.
void withConfigWindow(ZorbelFixture &game, const std::function<void(Form &)> &body)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        Form *config = openWindow(QStringLiteral("frmConfig"));
        if (!config)
            return;
        ran = true;
        body(*config);
        if (config->isVisible())
            clickOn(*config, QStringLiteral("clkExit"));
    });
    game.click(QStringLiteral("clkConfig"));
    QVERIFY2(ran, "the configuration window did not open");
}

QByteArray savedFile(const QString &timerTime, const QString &continual, const QString &buzzer, const QString &sound,
                     const QString &timer)
{
    return QStringLiteral("#Zorbel Configuration file\r\n\r\nTimerTime: %1\r\nSoundContinual: %2\r\nBuzzer: %3\r\n"
                          "Sound: %4\r\nTimer: %5\r\n")
        .arg(timerTime, continual, buzzer, sound, timer)
        .toUtf8();
}

} // namespace

Q_DECLARE_METATYPE(Settings)

class TestFrmZorbelSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void configLinesApplyAtStart_data();
    void configLinesApplyAtStart();
    void soundOnStartsTheMusic();
    void manyAndHugeConfigFiles_data();
    void manyAndHugeConfigFiles();

    void configWindowShowsTheBoard_data();
    void configWindowShowsTheBoard();
    void focusGoesBackToTheVisibleTab_data();
    void focusGoesBackToTheVisibleTab();
    void saveAppliesAndWritesTheFile_data();
    void saveAppliesAndWritesTheFile();
    void listWithoutSelectionKeepsItsSetting();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();

    void editButtonOpensOneChooser();
};

void TestFrmZorbelSettings::configLinesApplyAtStart_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Settings>("expected");
    QTest::addColumn<QStringList>("reports");
    // Without question files the board opens with "Timer On" and "Sound Off".
    const Settings start{"30", 30, 0, 1, false, false};
    auto with = [&start](const std::function<void(Settings &)> &change) {
        Settings s = start;
        change(s);
        return s;
    };
    const QStringList none;

    QTest::newRow("header, blank and comment lines") << QByteArray("#Zorbel Configuration file\r\n\r\n   \r\n# Timer: Off\r\n")
                                                    << start << none;
    QTest::newRow("lower case with blanks") << QByteArray("sound : on\r\ntimer time: 40\r\n")
                                           << with([](Settings &s) { s.timerText = "40", s.seconds = 40, s.soundOption = 0; })
                                           << none;
    QTest::newRow("two colons ignored") << QByteArray("Sound:ON:again\r\nTimer: Off: now\r\n") << start << none;
    QTest::newRow("45 and 130 ignored") << QByteArray("TimerTime: 45\r\nTimerTime: 130\r\n") << start << none;
    QTest::newRow("0 accepted") << QByteArray("TimerTime: 0\r\n")
                                << with([](Settings &s) { s.timerText = "0", s.seconds = 0; }) << none;
    QTest::newRow("40.4 kept as text") << QByteArray("TimerTime: 40.4\r\n")
                                       << with([](Settings &s) { s.timerText = "40.4", s.seconds = 40; }) << none;
    QTest::newRow("later line wins") << QByteArray("Buzzer: Yes\r\nTimer: Off\r\nBuzzer: No\r\nTimer: Yes\r\nTimerTime: 20\r\nTimerTime: 70")
                                     << with([](Settings &s) { s.timerText = "70", s.seconds = 70; }) << none;
    QTest::newRow("Sound: maybe ignored") << QByteArray("Sound: maybe\r\nSoundContinual: Yes\r\nBuzzer: perhaps\r\n")
                                          << with([](Settings &s) { s.continual = true; }) << none;
    QTest::newRow("as saved") << savedFile("110", "Yes", "Yes", "Yes", "No")
                              << Settings{"110", 110, 1, 0, true, true} << none;
    QTest::newRow("LF and lone CR line ends") << QByteArray("Timer: Off\rBuzzer: Yes\nSound: No\r")
                                              << with([](Settings &s) { s.timerOption = 1, s.buzzer = true; }) << none;
    QTest::newRow("Windows-1252 bytes beside settings") << QByteArray("# caf\xe9\r\nBuzzer: Yes\r\n\xe9t\xe9: \xff\r\n")
                                                        << with([](Settings &s) { s.buzzer = true; }) << none;
    QTest::newRow("NaN ignored") << QByteArray("TimerTime: NaN\r\nTimerTime: Infinity\r\nTimerTime: 1,000\r\n")
                                 << start << none;
    QTest::newRow("beyond 16 bits ends reading") << QByteArray("Buzzer: Yes\r\nTimerTime: 40000\r\nSoundContinual: Yes\r\n")
                                                 << with([](Settings &s) { s.buzzer = true; })
                                                 << QStringList{"Current SubRoutine is readInConfigFile\r\nError Number: 6"};
    QTest::newRow("1e300 ends reading") << QByteArray("TimerTime: 1e300\r\nTimer: Off\r\n") << start
                                        << QStringList{"Current SubRoutine is readInConfigFile\r\nError Number: 6"};
}

void TestFrmZorbelSettings::configLinesApplyAtStart()
{
    QFETCH(QByteArray, file);
    ZorbelFixture game;
    game.test().writeFile(kConfig, file);
    game.open();
    QTEST(settingsOf(game), "expected");
    QTEST(reportsShown(game), "reports");
}

void TestFrmZorbelSettings::soundOnStartsTheMusic()
{
    // Loaded questions switch the sound off first; the file turns it on.
    ZorbelFixture game;
    game.writeMatches(kMatches);
    game.test().writeFile(kConfig, savedFile("30", "No", "No", "Yes", "No"));
    FrmZorbel &window = game.open();
    QCOMPARE(selectedElement(window, QStringLiteral("optSound")), 0);
    QCOMPARE(game.music().last(), QStringLiteral("play"));
    QVERIFY(game.music().contains(QStringLiteral("loop on")));
}

void TestFrmZorbelSettings::manyAndHugeConfigFiles_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<Settings>("expected");
    QTest::newRow("10,000 keys") << "keys" << Settings{"40", 40, 1, 1, true, false};
    QTest::newRow("100 MB of comments, then a setting") << "comments" << Settings{"30", 30, 0, 1, true, false};
    QTest::newRow("100 MB without a line end") << "zeros" << Settings{"30", 30, 0, 1, false, false};
    QTest::newRow("binary") << "binary" << Settings{"30", 30, 0, 1, false, false};
}

void TestFrmZorbelSettings::manyAndHugeConfigFiles()
{
    QFETCH(QString, content);
    ZorbelFixture game;
    QFile file(game.test().path(kConfig));
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (content == QLatin1String("keys")) {
        for (int i = 0; i < 2500; ++i)
            file.write(QStringLiteral("Buzzer: %1\r\nTimer: %2\r\nTimerTime: %3\r\nSound Continual: No\r\n")
                           .arg(i % 2 ? "Yes" : "No", i % 2 ? "Off" : "On")
                           .arg(10 * (i % 12 + 1))
                           .toUtf8());
    } else if (content == QLatin1String("comments")) {
        const QByteArray block = QByteArray("# ").append(QByteArray(1022, 'x')).append("\r\n").repeated(1024);
        for (int i = 0; i < 100; ++i)
            file.write(block);
        file.write("Buzzer: Yes\r\n");
    } else if (content == QLatin1String("zeros")) {
        QVERIFY(file.resize(100LL * 1024 * 1024));
    } else {
        QByteArray bytes;
        for (int i = 0; i < 65536; ++i)
            bytes.append(char((i * 7919 + i / 256) & 0xFF));
        file.write(bytes);
    }
    file.close();

    game.open();
    QTEST(settingsOf(game), "expected");
    QCOMPARE(reportsShown(game), QStringList());
}

void TestFrmZorbelSettings::configWindowShowsTheBoard_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QStringList>("lists");
    // Loaded questions leave the board with "Timer Off" and "Sound Off".
    QTest::newRow("no file") << QByteArray() << "30" << QStringList{"30", "No", "No", "No", "No"};
    QTest::newRow("every setting") << savedFile("90", "Yes", "Yes", "Yes", "Yes") << "90"
                                   << QStringList{"90", "Yes", "Yes", "Yes", "Yes"};
    QTest::newRow("0 is no item: 30 shown") << QByteArray("TimerTime: 0") << "0"
                                            << QStringList{"30", "No", "No", "No", "No"};
    QTest::newRow("40.4 runs 40") << QByteArray("TimerTime: 40.4") << "40" << QStringList{"40", "No", "No", "No", "No"};
}

void TestFrmZorbelSettings::configWindowShowsTheBoard()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, tag);
    ZorbelFixture game;
    if (!file.isEmpty())
        game.test().writeFile(kConfig, file);
    game.writeMatches(kMatches);
    FrmZorbel &window = game.open();
    window.Timer1().start();
    const Settings before = settingsOf(game);

    QStringList lists;
    QString tagWhileOpen;
    bool timerStopped = false;
    withConfigWindow(game, [&](Form &config) {
        lists = listTexts(config);
        tagWhileOpen = window.tag();
        timerStopped = !window.Timer1().isActive();
        QCOMPARE(config.windowTitle(), QStringLiteral("Zorbel Configure Options"));
        QVERIFY(config.isModal());
    });
    QTEST(lists, "lists");
    QCOMPARE(tagWhileOpen, tag);
    QVERIFY(timerStopped);
    QCOMPARE(window.tag(), QString());
    QCOMPARE(settingsOf(game), before); // looking changes nothing
    QCOMPARE(game.test().readFile(kConfig), file); // nor writes anything
    QCOMPARE(game.test().logEntries().mid(1), QStringList({"Loading Form frmConfig", "Unloading Form frmConfig"}));
}

void TestFrmZorbelSettings::focusGoesBackToTheVisibleTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("focus");
    QTest::newRow("match tab") << 0 << "clkNext";
    QTest::newRow("phrase tab") << 1 << "clkNextPhrase";
}

void TestFrmZorbelSettings::focusGoesBackToTheVisibleTab()
{
    QFETCH(int, tab);
    QFETCH(QString, focus);
    ZorbelFixture game;
    game.writeMatches(kMatches);
    game.writePhrases(kPhrases);
    FrmZorbel &window = game.open();
    game.tabs()->setCurrentIndex(tab);
    game.box("txtPlayer", 0)->setFocus();
    withConfigWindow(game, [](Form &) {});
    QCOMPARE(window.focusWidget(), game.button(focus));
}

void TestFrmZorbelSettings::saveAppliesAndWritesTheFile_data()
{
    QTest::addColumn<QByteArray>("startFile");
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<Settings>("expected");
    QTest::addColumn<bool>("counting");
    QTest::addColumn<QStringList>("music");
    QTest::newRow("60, buzzer, sound on, timer off")
        << QByteArray() << QStringList{"60", "No", "Yes", "Yes", "No"} << Settings{"60", 60, 1, 0, true, false}
        << false << QStringList{"play", "loop on"};
    QTest::newRow("timer on, sound off") << savedFile("30", "Yes", "No", "Yes", "No")
                                         << QStringList{"120", "Yes", "No", "No", "Yes"}
                                         << Settings{"120", 120, 0, 1, false, true} << true << QStringList{"stop"};
}

void TestFrmZorbelSettings::saveAppliesAndWritesTheFile()
{
    QFETCH(QByteArray, startFile);
    QFETCH(QStringList, chosen);
    ZorbelFixture game;
    game.writeMatches(kMatches);
    if (!startFile.isEmpty())
        game.test().writeFile(kConfig, startFile);
    FrmZorbel &window = game.open();
    game.test().prompter().clear();
    game.music().clear();

    bool stillOpen = false;
    QByteArray written;
    withConfigWindow(game, [&](Form &config) {
        choose(config, chosen);
        clickOn(config, QStringLiteral("clkSave"));
        stillOpen = config.isVisible();
        written = game.test().readFile(kConfig);
    });
    QVERIFY(stillOpen);
    QCOMPARE(written, savedFile(chosen[0], chosen[1], chosen[2], chosen[3], chosen[4]));
    QVERIFY(game.test().prompter().shown().isEmpty()); // no confirmation
    QTEST(settingsOf(game), "expected");
    QTEST(window.Timer1().isActive(), "counting");
    QTEST(game.music(), "music");

    // The next start reads back what was saved.
    ZorbelFixture next;
    next.writeMatches(kMatches);
    next.test().writeFile(kConfig, written);
    next.open();
    QTEST(settingsOf(next), "expected");
}

void TestFrmZorbelSettings::listWithoutSelectionKeepsItsSetting()
{
    ZorbelFixture game;
    game.test().writeFile(kConfig, QByteArray("TimerTime: 50\r\nBuzzer: Yes\r\n"));
    game.open();
    withConfigWindow(game, [&](Form &config) {
        config.controls().get<QComboBox>(QStringLiteral("cmbTimerTime"))->setCurrentIndex(-1);
        config.controls().get<QComboBox>(QStringLiteral("cmbNoBuzzer"))->setCurrentIndex(-1);
        config.controls().get<QComboBox>(QStringLiteral("cmbTimer"))->setCurrentText(QStringLiteral("No"));
        clickOn(config, QStringLiteral("clkSave"));
    });
    QCOMPARE(game.test().readFile(kConfig), savedFile("", "No", "", "No", "No"));
    QCOMPARE(settingsOf(game), (Settings{"50", 50, 1, 1, true, false}));
}

void TestFrmZorbelSettings::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("error");
    QTest::newRow("read-only file") << false << "Error Number: 70";
    QTest::newRow("folder in its place") << true << "Error Number: 75";
}

void TestFrmZorbelSettings::failedSaveKeepsTheOldFile()
{
    QFETCH(bool, folder);
    QFETCH(QString, error);
    ZorbelFixture game;
    const QString path = game.test().path(kConfig);
    const QByteArray old = savedFile("20", "No", "No", "No", "No");
    if (folder) {
        QVERIFY(QDir(game.test().dir()).mkdir(kConfig));
    } else {
        game.test().writeFile(kConfig, old);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    }
    game.open();
    // A folder cannot be read either: the start-up already says so.
    QCOMPARE(reportsShown(game).size(), folder ? 1 : 0);
    game.test().prompter().clear();
    const QStringList filesBefore = QDir(game.test().dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    withConfigWindow(game, [](Form &config) {
        choose(config, {"80", "Yes", "Yes", "No", "No"});
        clickOn(config, QStringLiteral("clkSave"));
    });
    QCOMPARE(reportsShown(game), QStringList{"Current SubRoutine is clkSave_Click\r\n" + error});
    QCOMPARE(game.test().prompter().last().title, QStringLiteral("Error"));
    if (folder)
        QVERIFY(QFileInfo(path).isDir());
    else
        QCOMPARE(game.test().readFile(kConfig), old);
    QCOMPARE(QDir(game.test().dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), filesBefore);
    // The board took the new settings all the same.
    QCOMPARE(settingsOf(game), (Settings{"80", 80, 1, 1, true, true}));
    const QStringList log = game.test().logEntries();
    QVERIFY(std::any_of(log.begin(), log.end(), [&error](const QString &entry) {
        return entry.startsWith(QStringLiteral("Current SubRoutine is clkSave_Click\r\n") + error + QStringLiteral("\r\n"));
    }));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

void TestFrmZorbelSettings::editButtonOpensOneChooser()
{
    ZorbelFixture game;
    game.open();
    game.click(QStringLiteral("clkEdit"));
    game.click(QStringLiteral("clkEdit"));
    QCOMPARE(openWindows(QStringLiteral("frmEdit")).size(), 1);
    Form *chooser = openWindow(QStringLiteral("frmEdit"));
    QCOMPARE(chooser->windowTitle(), QStringLiteral("Edit Zorbels And Match Phrases"));
    QVERIFY(!chooser->isModal());

    game.test().prompter().queue(PromptAnswer::No); // no sample for the missing file
    clickOn(*chooser, QStringLiteral("clkEditMatches"));
    Form *editor = openWindow(QStringLiteral("frmEditMatches"));
    QVERIFY(editor);
    QVERIFY(chooser->isVisible()); // the chooser stays open

    // A new chooser after the old one closed still finds the open editor.
    clickOn(*chooser, QStringLiteral("clkEditMatches"));
    chooser->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    game.click(QStringLiteral("clkEdit"));
    clickOn(*openWindow(QStringLiteral("frmEdit")), QStringLiteral("clkEditMatches"));
    QCOMPARE(openWindows(QStringLiteral("frmEditMatches")), QList<Form *>{editor});
    QCOMPARE(game.test().prompter().shown().size(), 1); // loaded once
    QCOMPARE(game.test().logEntries().mid(1),
             QStringList({"Loading Form frmEdit", "Loading Form frmEditMatches", "Unloading Form frmEdit",
                          "Loading Form frmEdit"}));
}

QTEST_MAIN(TestFrmZorbelSettings)
#include "tst_frm_zorbel_settings.moc"
