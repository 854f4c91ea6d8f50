#include "services/data_directory.h"
#include "services/update_prompt.h"
#include "test_context.h"

#include <QDir>
#include <QTest>

class TestUpdatePrompt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void questionText();
    void offerUpdate_data();
    void offerUpdate();
};

void TestUpdatePrompt::questionText()
{
    const Prompt prompt = updatePrompt(QStringLiteral("Zorbel"), QVersionNumber(1, 2, 0).toString());
    QCOMPARE(prompt.text, QStringLiteral("The current version of Zorbel software is 1.2.0\r\n\r\n"
                                         "Would you like to check for a Zorbel software update?"));
    QCOMPARE(prompt.title, QStringLiteral("Check For Update?"));
    QCOMPARE(prompt.buttons, Prompt::Buttons::YesNoCancel);
}

void TestUpdatePrompt::offerUpdate_data()
{
    QTest::addColumn<bool>("backUpsIsFile");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QStringList>("backups");
    QTest::addColumn<bool>("opened");

    QTest::newRow("yes") << false << PromptAnswer::Yes << 1
                         << QStringList{"ZorbelLines_3_3_2021_9_05_07_AM.txt"} << true;
    QTest::newRow("no") << false << PromptAnswer::No << 1 << QStringList{} << false;
    QTest::newRow("cancel") << false << PromptAnswer::Cancel << 1 << QStringList{} << false;
    QTest::newRow("BackUps is a file") << true << PromptAnswer::Yes << 0 << QStringList{} << false;
}

void TestUpdatePrompt::offerUpdate()
{
    QFETCH(bool, backUpsIsFile);
    QFETCH(PromptAnswer, answer);
    QFETCH(int, questions);
    QFETCH(QStringList, backups);
    QFETCH(bool, opened);

    TestContext test(QVersionNumber(1, 2, 0));
    test.writeFile(QStringLiteral("ZorbelLines.txt"), "Blank Pole\r\n");
    if (backUpsIsFile)
        test.writeFile(QStringLiteral("BackUps"), "in the way");
    test.prompter().queue(answer);
    DataDirectory data(test.context(), QLocale(QLocale::English, QLocale::UnitedStates));
    const QUrl page(QStringLiteral("https://party.test/update"));

    QCOMPARE(::offerUpdate(test.context(), data, page), opened);
    const QList<Prompt> &shown = test.prompter().shown();
    const auto asked = std::count_if(shown.begin(), shown.end(),
                                     [](const Prompt &prompt) { return prompt.title == u"Check For Update?"; });
    QCOMPARE(int(asked), questions);
    QCOMPARE(test.urlOpener().opened(), opened ? QList<QUrl>{page} : QList<QUrl>{});
    if (backUpsIsFile) {
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.first().text.startsWith(QLatin1String("Current SubRoutine is createDirs\r\n")));
    } else {
        // BackUps is there whatever the answer; the probe is gone.
        QCOMPARE(QDir(test.path(QStringLiteral("BackUps"))).entryList(QDir::Files), backups);
    }
}

QTEST_GUILESS_MAIN(TestUpdatePrompt)
#include "tst_update_prompt.moc"
