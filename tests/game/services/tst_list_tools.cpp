#include "services/error_codes.h"
#include "services/list_tools.h"
#include "test_context.h"

#include <QFile>
#include <QTest>

class TestListTools : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void deDuplicated_data();
    void deDuplicated();
    void matchLinesFromWords_data();
    void matchLinesFromWords();
    void commandsWriteWholeFiles();
    void missingInputWritesNothing();
};

void TestListTools::deDuplicated_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("output");

    QTest::newRow("cleaned repeat, part of a kept line")
        << QStringList{"Shoe Blank", "shoe  blank", "Blank Pole", "Pole"} << "Shoe Blank\r\nBlank Pole\r\n";
    QTest::newRow("shorter after longer dropped") << QStringList{"Blank Poles", "Blank Pole"} << "Blank Poles\r\n";
    QTest::newRow("longer after shorter kept")
        << QStringList{"Blank Pole", "Blank Poles"} << "Blank Pole\r\nBlank Poles\r\n";
    QTest::newRow("case as read, first one wins")
        << QStringList{"blank POLE", "Blank Pole"} << "blank POLE\r\n";
    QTest::newRow("comments are lines too")
        << QStringList{"# Zorbel Match Lines ", "", "Blank Winter", "# Zorbel"}
        << "# Zorbel Match Lines\r\nBlank Winter\r\n";
    QTest::newRow("leading tab keeps a space")
        << QStringList{"\tBlank  Pole\t", "Blank Pole"} << " Blank Pole \r\n";
    QTest::newRow("blank lines skipped") << QStringList{"", "   ", "Blank Pole", "  "} << "Blank Pole\r\n";
    QTest::newRow("not across lines") << QStringList{"Snow Blank", "Man", "BlankMan"}
                                      << "Snow Blank\r\nMan\r\nBlankMan\r\n";
    QTest::newRow("nothing") << QStringList{} << "";
}

void TestListTools::deDuplicated()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, output);
    QCOMPARE(ListTools::deDuplicated(lines), output);
}

void TestListTools::matchLinesFromWords_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("output");

    QTest::newRow("two words")
        << QStringList{"Pole", "Winter"} << "Pole Blank\r\nWinter Blank\r\nBlank Pole\r\nBlank Winter\r\n";
    QTest::newRow("first word only") << QStringList{"  Pole   vault "} << "Pole Blank\r\nBlank Pole\r\n";
    QTest::newRow("tab gives an empty word") << QStringList{"\tPole"} << " Blank\r\nBlank \r\n";
    QTest::newRow("empty lines skipped, repeats kept")
        << QStringList{"", "Shoe", "  ", "Shoe"} << "Shoe Blank\r\nShoe Blank\r\nBlank Shoe\r\nBlank Shoe\r\n";
}

void TestListTools::matchLinesFromWords()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, output);
    QCOMPARE(ListTools::matchLinesFromWords(lines), output);
}

void TestListTools::commandsWriteWholeFiles()
{
    TestContext test;
    const QByteArray lines = "Shoe Blank\nshoe\tblank\rCaf\xe9 Blank\r\n";
    test.writeFile(QStringLiteral("ZorbelLines.txt"), lines);
    test.writeFile(QStringLiteral("temp.txt"), "Pole vault\nWinter");
    test.writeFile(QStringLiteral("Chunk.txt"), "an older, longer output that must go entirely\r\n");

    ListTools::deDuplicateFile(test.path(QStringLiteral("ZorbelLines.txt")),
                               test.path(QStringLiteral("ZorbelLinesDeDupped.txt")));
    ListTools::matchLinesFromWordFile(test.path(QStringLiteral("temp.txt")), test.path(QStringLiteral("Chunk.txt")));

    QCOMPARE(test.readFile(QStringLiteral("ZorbelLinesDeDupped.txt")), QByteArray("Shoe Blank\r\nCaf\xc3\xa9 Blank\r\n"));
    QCOMPARE(test.readFile(QStringLiteral("Chunk.txt")),
             QByteArray("Pole Blank\r\nWinter Blank\r\nBlank Pole\r\nBlank Winter\r\n"));
    QCOMPARE(test.readFile(QStringLiteral("ZorbelLines.txt")), lines);
}

void TestListTools::missingInputWritesNothing()
{
    TestContext test;
    test.writeFile(QStringLiteral("Chunk.txt"), "kept\r\n");
    QVERIFY_THROWS_EXCEPTION(ZorbelError, ListTools::deDuplicateFile(test.path(QStringLiteral("ZorbelLines.txt")),
                                                                     test.path(QStringLiteral("ZorbelLinesDeDupped.txt"))));
    QVERIFY_THROWS_EXCEPTION(ZorbelError, ListTools::matchLinesFromWordFile(test.path(QStringLiteral("temp.txt")),
                                                                            test.path(QStringLiteral("Chunk.txt"))));
    QVERIFY(!QFile::exists(test.path(QStringLiteral("ZorbelLinesDeDupped.txt"))));
    QCOMPARE(test.readFile(QStringLiteral("Chunk.txt")), QByteArray("kept\r\n"));
}

QTEST_GUILESS_MAIN(TestListTools)
#include "tst_list_tools.moc"
