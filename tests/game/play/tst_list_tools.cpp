#include "error_of.h"
#include "play/list_tools.h"
#include "test_context.h"

#include <QFile>
#include <QTest>

class TestListTools : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lists_data()
    {
        QTest::addColumn<bool>("words"); // matchLinesFromWords, else deDuplicated
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("output");
        QTest::newRow("cleaned repeat, part of a kept line")
            << false << QStringList{"Shoe Blank", "shoe  blank", "Blank Pole", "Pole"} << "Shoe Blank\r\nBlank Pole\r\n";
        QTest::newRow("longer after shorter kept") << false << QStringList{"Blank Pole", "Blank Poles"} << "Blank Pole\r\nBlank Poles\r\n";
        QTest::newRow("case as read, first wins") << false << QStringList{"blank POLE", "Blank Pole"} << "blank POLE\r\n";
        QTest::newRow("comments are lines too")
            << false << QStringList{"# Zorbel Match Lines ", "", "Blank Winter", "# Zorbel"} << "# Zorbel Match Lines\r\nBlank Winter\r\n";
        QTest::newRow("leading tab keeps a space") << false << QStringList{"\tBlank  Pole\t", "Blank Pole", "   "} << " Blank Pole \r\n";
        QTest::newRow("not across lines") << false << QStringList{"Snow Blank", "Man", "BlankMan"} << "Snow Blank\r\nMan\r\nBlankMan\r\n";
        QTest::newRow("two words") << true << QStringList{"Pole", "Winter"}
                                   << "Pole Blank\r\nWinter Blank\r\nBlank Pole\r\nBlank Winter\r\n";
        QTest::newRow("first word only") << true << QStringList{"  Pole   vault "} << "Pole Blank\r\nBlank Pole\r\n";
        QTest::newRow("tab gives an empty word") << true << QStringList{"\tPole"} << " Blank\r\nBlank \r\n";
        QTest::newRow("empty lines skipped, repeats kept")
            << true << QStringList{"", "Shoe", "  ", "Shoe"} << "Shoe Blank\r\nShoe Blank\r\nBlank Shoe\r\nBlank Shoe\r\n";
    }

    void lists()
    {
        QFETCH(bool, words);
        QFETCH(QStringList, lines);
        QTEST(words ? ListTools::matchLinesFromWords(lines) : ListTools::deDuplicated(lines), "output");
    }

    void commandsWriteWholeFiles()
    {
        TestContext test;
        const QByteArray lines = "Shoe Blank\nshoe\tblank\rCaf\xe9 Blank\r\n";
        test.writeFile(QStringLiteral("ZorbelLines.txt"), lines);
        test.writeFile(QStringLiteral("temp.txt"), "Pole vault\nWinter");
        test.writeFile(QStringLiteral("Chunk.txt"), "an older, longer output that must go entirely\r\n");
        ListTools::deDuplicateFile(test.path(QStringLiteral("ZorbelLines.txt")), test.path(QStringLiteral("ZorbelLinesDeDupped.txt")));
        ListTools::matchLinesFromWordFile(test.path(QStringLiteral("temp.txt")), test.path(QStringLiteral("Chunk.txt")));
        QCOMPARE(test.readFile(QStringLiteral("ZorbelLinesDeDupped.txt")), QByteArray("Shoe Blank\r\nCaf\xc3\xa9 Blank\r\n"));
        QCOMPARE(test.readFile(QStringLiteral("Chunk.txt")), QByteArray("Pole Blank\r\nWinter Blank\r\nBlank Pole\r\nBlank Winter\r\n"));
        QCOMPARE(test.readFile(QStringLiteral("ZorbelLines.txt")), lines);

        // A missing input writes nothing.
        QVERIFY(QFile::remove(test.path(QStringLiteral("temp.txt"))));
        QVERIFY(errorOf(
            [&] { ListTools::matchLinesFromWordFile(test.path(QStringLiteral("temp.txt")), test.path(QStringLiteral("Chunk.txt"))); }));
        QVERIFY(errorOf([&] { ListTools::deDuplicateFile(test.path(QStringLiteral("no.txt")), test.path(QStringLiteral("out.txt"))); }));
        QVERIFY(!QFile::exists(test.path(QStringLiteral("out.txt"))));
        QCOMPARE(test.readFile(QStringLiteral("Chunk.txt")), QByteArray("Pole Blank\r\nWinter Blank\r\nBlank Pole\r\nBlank Winter\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestListTools)
#include "tst_list_tools.moc"
