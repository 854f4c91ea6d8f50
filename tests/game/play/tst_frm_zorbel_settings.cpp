#include "zorbel_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QString kConfig = QStringLiteral("Zorbel.cfg");
const char *const kLists[] = {"cmbTimerTime", "cmbSoundOption", "cmbNoBuzzer", "cmbSound", "cmbTimer"};

QByteArray savedFile(const QStringList &v)
{
    return QStringLiteral("#Zorbel Configuration file\r\n\r\nTimerTime: %1\r\nSoundContinual: %2\r\nBuzzer: %3\r\n"
                          "Sound: %4\r\nTimer: %5\r\n")
        .arg(v[0], v[1], v[2], v[3], v[4])
        .toUtf8();
}

// The board's five settings, "box/seconds timer sound buzzer continual",
// then each error report shown as "! procedure number".
QString outcome(ZorbelFixture &game)
{
    auto on = [&game](const char *group) { return game.get<QRadioButton>(group, 0)->isChecked() ? "on" : "off"; };
    auto yes = [&game](const char *box) { return game.get<QCheckBox>(box)->isChecked() ? "yes" : "no"; };
    QString text = QStringLiteral("%1/%2 %3 %4 %5 %6")
                       .arg(game.box("txtTimer")->text())
                       .arg(game.window().intTimerSeconds)
                       .arg(on("OptTimer"), on("optSound"), yes("chkBuzzer"), yes("chkSoundAlwaysOn"));
    static const QRegularExpression report(QStringLiteral("^Current SubRoutine is (\\S+)\r\nError Number: (\\d+)"));
    for (const Prompt &prompt : game.test().prompter().shown())
        if (const QRegularExpressionMatch match = report.match(prompt.text); match.hasMatch())
            text += QStringLiteral(" ! %1 %2").arg(match.captured(1), match.captured(2));
    return text;
}

// The settings file; no bytes: a folder in its place.
void placeConfig(ZorbelFixture &game, const QByteArray &file)
{
    if (file.isEmpty())
        QVERIFY(QDir(game.test().dir()).mkdir(kConfig));
    else
        game.test().writeFile(kConfig, file);
}

// Selects the texts in the five lists; an empty text clears the selection.
void choose(Form &config, const QStringList &texts)
{
    for (int i = 0; i < 5; ++i) {
        auto *list = config.controls().get<QComboBox>(QLatin1String(kLists[i]));
        list->setCurrentIndex(list->findText(texts[i]));
    }
    ZorbelFixture::clickOn(config, QStringLiteral("clkSave"));
}

// The configuration window is modal: body runs inside its loop, then Exit.
void withConfigWindow(ZorbelFixture &game, const std::function<void(Form &)> &body)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        const QList<Form *> open = ZorbelFixture::openForms(QStringLiteral("frmConfig"));
        if (open.size() != 1)
            return;
        ran = true;
        body(*open.first());
        ZorbelFixture::clickOn(*open.first(), QStringLiteral("clkExit"));
    });
    game.click(QStringLiteral("clkConfig"));
    QVERIFY2(ran, "the configuration window did not open");
}

} // namespace

class TestFrmZorbelSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void configFileAppliesAtStart_data();
    void configFileAppliesAtStart();
    void configWindowShowsTheBoard_data();
    void configWindowShowsTheBoard();
    void saveAppliesAndWrites_data();
    void saveAppliesAndWrites();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void editButtonOpensOneChooser();
};

void TestFrmZorbelSettings::configFileAppliesAtStart_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: a folder of that name
    QTest::addColumn<QString>("expected"); // the board without question files: "Timer On", "Sound Off"
    QTest::newRow("lower case, blanks") << QByteArray("sound : on\r\ntimer time: 40\r\n") << "40/40 on on no no";
    QTest::newRow("0") << QByteArray("TimerTime: 0\r\n") << "0/0 on off no no";
    QTest::newRow("40.4") << QByteArray("TimerTime: 40.4") << "40.4/40 on off no no";
    QTest::newRow("as saved") << savedFile({"110", "Yes", "Yes", "Yes", "No"}) << "110/110 off on yes yes";
    // Reading ends at the overflow, with an error report.
    QTest::newRow("beyond 16 bits") << QByteArray("Buzzer: Yes\r\nTimerTime: 40000\r\nSoundContinual: Yes\r\n")
                                    << "30/30 on off yes no ! readInConfigFile 6";
    QTest::newRow("folder") << QByteArray() << "30/30 on off no no ! readInConfigFile 75";
}

void TestFrmZorbelSettings::configFileAppliesAtStart()
{
    QFETCH(QByteArray, file);
    ZorbelFixture game;
    placeConfig(game, file);
    game.open();
    QTEST(outcome(game), "expected");
}

void TestFrmZorbelSettings::configWindowShowsTheBoard_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QStringList>("lists");
    // Loaded questions leave "Timer Off" and "Sound Off" unless the file says otherwise.
    QTest::newRow("no file") << QByteArray() << 0 << "30" << QStringList{"30", "No", "No", "No", "No"};
    QTest::newRow("every setting") << savedFile({"90", "Yes", "Yes", "Yes", "Yes"}) << 1 << "90"
                                   << QStringList{"90", "Yes", "Yes", "Yes", "Yes"};
    QTest::newRow("40.4 runs 40") << QByteArray("TimerTime: 40.4") << 1 << "40"
                                  << QStringList{"40", "No", "No", "No", "No"};
}

void TestFrmZorbelSettings::configWindowShowsTheBoard()
{
    QFETCH(QByteArray, file);
    QFETCH(int, tab);
    ZorbelFixture game;
    if (!file.isEmpty())
        game.test().writeFile(kConfig, file);
    FrmZorbel &window = game.open({"Blank Pole", "Shoe Blank"}, {"A Blank suit."});
    game.showTab(tab);
    window.Timer1().start();
    const QString before = outcome(game);

    QStringList lists;
    QString tag;
    withConfigWindow(game, [&](Form &config) {
        for (const char *name : kLists)
            lists << config.controls().get<QComboBox>(QLatin1String(name))->currentText();
        tag = window.tag();
        QVERIFY(!window.Timer1().isActive());
        QVERIFY(config.isModal());
    });
    QTEST(lists, "lists");
    QTEST(tag, "tag");
    QCOMPARE(window.tag(), QString());
    QCOMPARE(window.focusWidget(), game.button(tab == 0 ? "clkNext" : "clkNextPhrase"));
    QCOMPARE(outcome(game), before); // looking changes nothing
    QCOMPARE(game.test().readFile(kConfig), file); // and writes nothing
    QCOMPARE(game.test().logEntries().mid(1), QStringList({"Loading Form frmConfig", "Unloading Form frmConfig"}));
}

void TestFrmZorbelSettings::saveAppliesAndWrites_data()
{
    QTest::addColumn<QByteArray>("startFile");
    QTest::addColumn<QStringList>("chosen"); // an empty text: no selection
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("music");
    QTest::newRow("60 No Yes Yes No") << QByteArray() << QStringList{"60", "No", "Yes", "Yes", "No"}
                                      << "60/60 off on yes no" << QStringList{"play", "loop on"};
    QTest::newRow("timer on, sound off") << savedFile({"30", "Yes", "No", "Yes", "No"})
                                         << QStringList{"120", "Yes", "No", "No", "Yes"} << "120/120 on off no yes"
                                         << QStringList{"stop"};
    QTest::newRow("no selection keeps") << QByteArray("TimerTime: 50\r\nBuzzer: Yes\r\n")
                                        << QStringList{"", "No", "", "No", ""} << "50/50 off off yes no"
                                        << QStringList{"stop"};
}

void TestFrmZorbelSettings::saveAppliesAndWrites()
{
    QFETCH(QByteArray, startFile);
    QFETCH(QStringList, chosen);
    QFETCH(QString, expected);
    ZorbelFixture game;
    if (!startFile.isEmpty())
        game.test().writeFile(kConfig, startFile);
    FrmZorbel &window = game.open({"Blank Pole", "Shoe Blank"});
    game.music().clear();

    QByteArray written;
    withConfigWindow(game, [&](Form &config) {
        choose(config, chosen);
        QVERIFY(config.isVisible());
        written = game.test().readFile(kConfig);
    });
    QCOMPARE(written, savedFile(chosen));
    QVERIFY(game.test().prompter().shown().isEmpty()); // no confirmation
    QCOMPARE(outcome(game), expected);
    QTEST(game.music(), "music");
    // "Timer On" counts down the question on show.
    QCOMPARE(window.Timer1().isActive(), expected.section(u' ', 1, 1) == QLatin1String("on"));
}

void TestFrmZorbelSettings::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("error");
    QTest::newRow("read-only file") << false << "70";
    QTest::newRow("folder in its place") << true << "75";
}

void TestFrmZorbelSettings::failedSaveKeepsTheOldFile()
{
    QFETCH(bool, folder);
    QFETCH(QString, error);
    ZorbelFixture game;
    const QString path = game.test().path(kConfig);
    const QByteArray old = folder ? QByteArray() : savedFile({"20", "No", "No", "No", "No"});
    placeConfig(game, old);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ExeOwner);
    game.open();
    game.test().prompter().clear();
    const QStringList files = QDir(game.test().dir()).entryList(QDir::AllEntries | QDir::Hidden);

    withConfigWindow(game, [](Form &config) { choose(config, {"80", "Yes", "Yes", "Yes", "Yes"}); });
    QCOMPARE(game.test().readFile(kConfig), old);
    QCOMPARE(QDir(game.test().dir()).entryList(QDir::AllEntries | QDir::Hidden), files); // no temporary left
    // The board took the settings all the same.
    QCOMPARE(outcome(game), QStringLiteral("80/80 on on yes yes ! clkSave_Click ") + error);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestFrmZorbelSettings::editButtonOpensOneChooser()
{
    ZorbelFixture game;
    game.open();
    game.click(QStringLiteral("clkEdit"));
    game.click(QStringLiteral("clkEdit"));
    QCOMPARE(ZorbelFixture::openForms(QStringLiteral("frmEdit")).size(), 1);
    Form *chooser = ZorbelFixture::openForms(QStringLiteral("frmEdit")).first();
    QVERIFY(!chooser->isModal());

    game.test().prompter().queue(PromptAnswer::No); // no sample for the missing file
    ZorbelFixture::clickOn(*chooser, QStringLiteral("clkEditMatches"));
    const QList<Form *> editor = ZorbelFixture::openForms(QStringLiteral("frmEditMatches"));
    QCOMPARE(editor.size(), 1);

    // A new chooser after the old one closed still finds the open editor.
    chooser->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    game.click(QStringLiteral("clkEdit"));
    ZorbelFixture::clickOn(*ZorbelFixture::openForms(QStringLiteral("frmEdit")).first(), QStringLiteral("clkEditMatches"));
    QCOMPARE(ZorbelFixture::openForms(QStringLiteral("frmEditMatches")), editor);
    QCOMPARE(game.test().prompter().shown().size(), 1); // loaded once
}

QTEST_MAIN(TestFrmZorbelSettings)
#include "tst_frm_zorbel_settings.moc"
