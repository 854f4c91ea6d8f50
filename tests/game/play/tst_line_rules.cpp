#include "play/line_rules.h"

#include <QTest>

namespace {

const QString kMatch = QStringLiteral("___________________");
const QString kPhrase = QStringLiteral("_________");

} // namespace

class TestLineRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchLine_data();
    void matchLine();
    void phraseLine_data();
    void phraseLine();
};

void TestLineRules::matchLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("judged");
    QTest::addColumn<bool>("mayAccept");
    QTest::addColumn<bool>("twoHalves");

    QTest::newRow("blank first") << "Blank Pole" << kMatch + ",POLE" << true << true;
    QTest::newRow("lower case") << "blank pole" << kMatch + ",POLE" << true << true;
    QTest::newRow("mixed case marker") << "bLaNk pole" << kMatch + ",POLE" << true << true;
    QTest::newRow("spaces trimmed") << "   BLANK POLE  " << kMatch + ",POLE" << true << true;
    QTest::newRow("blank last") << "Christmas Blank" << "CHRISTMAS," + kMatch << true << true;
    QTest::newRow("blank inside") << "Snow Blank Man" << "SNOW," + kMatch + " MAN" << true << true;
    QTest::newRow("comma is a space") << "Red, Blank" << "RED," + kMatch << true << true;
    QTest::newRow("semicolon is a space") << "Red;Blank" << "RED," + kMatch << true << true;
    QTest::newRow("tabs and runs collapse") << "Snow\t\tBlank   Man" << "SNOW," + kMatch + " MAN" << true << true;
    QTest::newRow("glued before a space") << "Snowblank Man" << "SNOW" + kMatch + ",MAN" << true << true;
    QTest::newRow("leading tab kept as space") << "\tBlank Pole" << "," + kMatch + " POLE" << true << true;
    QTest::newRow("trailing tab kept as space") << "Blank Pole\t" << kMatch + ",POLE " << true << true;
    QTest::newRow("windows-1252 letters") << QStringLiteral("Café Blank") << QStringLiteral("CAFÉ,") + kMatch
                                           << true << true;
    QTest::newRow("marker alone") << "Blank" << "BLANK" << true << false;
    QTest::newRow("marker glued on both sides") << "Blanket Pole" << "BLANKET POLE" << true << false;
    QTest::newRow("no marker") << "Pole" << "POLE" << false << false;
    QTest::newRow("marker twice") << "Blank Blank" << "BLANK," + kMatch << false << true;
    QTest::newRow("marker twice glued") << "BlankBlank Pole" << "BLANK" + kMatch + ",POLE" << false << true;
    QTest::newRow("comment") << "# Blank Pole" << "#," + kMatch + " POLE" << false << true;
    QTest::newRow("comment after spaces") << "   #Blank Pole" << "#" + kMatch + ",POLE" << false << true;
    QTest::newRow("comment behind a tab is a line") << "\t# Blank" << " #," + kMatch << true << true;
    QTest::newRow("empty") << "" << "" << false << false;
    QTest::newRow("only spaces") << "     " << "" << false << false;
    QTest::newRow("only separators") << ";,\t" << " " << false << false;
}

void TestLineRules::matchLine()
{
    QFETCH(QString, line);
    QFETCH(QString, judged);
    QFETCH(bool, mayAccept);
    QFETCH(bool, twoHalves);

    const LineRules::JudgedLine result = LineRules::judgeMatchLine(line);
    QCOMPARE(result.text, judged);
    QCOMPARE(result.mayAccept, mayAccept);
    QCOMPARE(LineRules::hasTwoHalves(result.text), twoHalves);
}

void TestLineRules::phraseLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("judged");
    QTest::addColumn<bool>("mayAccept");

    QTest::newRow("sentence") << "Even his Blank makes me laugh." << "Even his " + kPhrase + " makes me laugh."
                              << true;
    QTest::newRow("comma dropped") << "Paul said, 'a Blank suit.'" << "Paul said 'a " + kPhrase + " suit.'" << true;
    QTest::newRow("glued both sides") << "(Blank)" << "(" + kPhrase + " )" << true;
    QTest::newRow("inside a word") << "It was a blanket." << "It was a " + kPhrase + "et." << true;
    QTest::newRow("all three spellings") << "BLANK and blank and Blank"
                                         << kPhrase + " and " + kPhrase + " and " + kPhrase << true;
    QTest::newRow("glued word and a spaced one") << "Blanket\tBlank" << kPhrase + " et " + kPhrase << true;
    QTest::newRow("neighbours share a space")
        << "  Blank  ;  Blank  " << kPhrase + " " + kPhrase << true;
    QTest::newRow("marker alone") << "Blank" << kPhrase + " " << true;
    QTest::newRow("leading tab kept as space") << "\tBlank" << " " + kPhrase << true;
    QTest::newRow("case kept") << "my BLANK Is loud" << "my " + kPhrase + " Is loud" << true;
    QTest::newRow("mixed spelling is no marker") << "It was a BLank." << "It was a BLank." << false;
    QTest::newRow("no marker") << "Nothing here; at all" << "Nothing here at all" << false;
    QTest::newRow("comment") << "# Blank phrases" << "# " + kPhrase + " phrases" << false;
    QTest::newRow("empty") << "" << "" << false;
    QTest::newRow("only spaces") << "    " << "" << false;
}

void TestLineRules::phraseLine()
{
    QFETCH(QString, line);
    QFETCH(QString, judged);
    QFETCH(bool, mayAccept);

    const LineRules::JudgedLine result = LineRules::judgePhraseLine(line);
    QCOMPARE(result.text, judged);
    QCOMPARE(result.mayAccept, mayAccept);
}

QTEST_GUILESS_MAIN(TestLineRules)
#include "tst_line_rules.moc"
