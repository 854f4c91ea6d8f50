#include "play/line_rules.h"
#include "play/question_loader.h"

#include <QTest>

Q_DECLARE_METATYPE(QuestionMode)

namespace {

const QString kMatch = QStringLiteral("___________________");
const QString kPhrase = QStringLiteral("_________");

} // namespace

class TestLineRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judgedLine_data();
    void judgedLine();
};

void TestLineRules::judgedLine_data()
{
    QTest::addColumn<QuestionMode>("mode");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("judged");
    QTest::addColumn<bool>("question"); // whether the line on its own becomes a question

    auto match = [](const char *name) -> QTestData & {
        return QTest::addRow("match: %s", name) << QuestionMode::Match;
    };
    auto phrase = [](const char *name) -> QTestData & {
        return QTest::addRow("phrase: %s", name) << QuestionMode::Phrase;
    };

    match("blank first") << "Blank Pole" << kMatch + ",POLE" << true;
    match("lower case") << "blank pole" << kMatch + ",POLE" << true;
    match("mixed case marker") << "bLaNk pole" << kMatch + ",POLE" << true;
    match("spaces trimmed") << "   BLANK POLE  " << kMatch + ",POLE" << true;
    match("blank last") << "Christmas Blank" << "CHRISTMAS," + kMatch << true;
    match("blank inside") << "Snow Blank Man" << "SNOW," + kMatch + " MAN" << true;
    match("comma is a space") << "Red, Blank" << "RED," + kMatch << true;
    match("semicolon is a space") << "Red;Blank" << "RED," + kMatch << true;
    match("tabs and runs collapse") << "Snow\t\tBlank   Man" << "SNOW," + kMatch + " MAN" << true;
    match("glued before a space") << "Snowblank Man" << "SNOW" + kMatch + ",MAN" << true;
    match("leading tab kept as space") << "\tBlank Pole" << "," + kMatch + " POLE" << true;
    match("trailing tab kept as space") << "Blank Pole\t" << kMatch + ",POLE " << true;
    match("letters beyond ascii") << QStringLiteral("Café Blank") << QStringLiteral("CAFÉ,") + kMatch << true;
    match("marker alone") << "Blank" << "BLANK" << false;
    match("marker glued on both sides") << "Blanket Pole" << "BLANKET POLE" << false;
    match("no marker") << "Pole" << "POLE" << false;
    match("marker twice") << "Blank Blank" << "BLANK," + kMatch << false;
    match("marker twice glued") << "BlankBlank Pole" << "BLANK" + kMatch + ",POLE" << false;
    match("comment") << "# Blank Pole" << "#," + kMatch + " POLE" << false;
    match("comment after spaces") << "   #Blank Pole" << "#" + kMatch + ",POLE" << false;
    match("comment behind a tab is a line") << "\t# Blank" << " #," + kMatch << true;
    match("empty") << "" << "" << false;
    match("only spaces") << "     " << "" << false;
    match("only separators") << ";,\t" << " " << false;

    phrase("sentence") << "Even his Blank makes me laugh." << "Even his " + kPhrase + " makes me laugh." << true;
    phrase("comma dropped") << "Paul said, 'a Blank suit.'" << "Paul said 'a " + kPhrase + " suit.'" << true;
    phrase("glued both sides") << "(Blank)" << "(" + kPhrase + " )" << true;
    phrase("inside a word") << "It was a blanket." << "It was a " + kPhrase + "et." << true;
    phrase("all three spellings") << "BLANK and blank and Blank"
                                   << kPhrase + " and " + kPhrase + " and " + kPhrase << true;
    phrase("glued word and a spaced one") << "Blanket\tBlank" << kPhrase + " et " + kPhrase << true;
    phrase("neighbours share a space") << "  Blank  ;  Blank  " << kPhrase + " " + kPhrase << true;
    phrase("marker alone") << "Blank" << kPhrase + " " << true;
    phrase("leading tab kept as space") << "\tBlank" << " " + kPhrase << true;
    phrase("case kept") << "my BLANK Is loud" << "my " + kPhrase + " Is loud" << true;
    phrase("mixed spelling is no marker") << "It was a BLank." << "It was a BLank." << false;
    phrase("no marker") << "Nothing here; at all" << "Nothing here at all" << false;
    phrase("comment") << "# Blank phrases" << "# " + kPhrase + " phrases" << false;
    phrase("empty") << "" << "" << false;
    phrase("only spaces") << "    " << "" << false;
}

void TestLineRules::judgedLine()
{
    QFETCH(QuestionMode, mode);
    QFETCH(QString, line);
    QFETCH(QString, judged);
    QFETCH(bool, question);

    const bool match = mode == QuestionMode::Match;
    const LineRules::JudgedLine result = match ? LineRules::judgeMatchLine(line) : LineRules::judgePhraseLine(line);
    QCOMPARE(result.text, judged);
    QCOMPARE(result.mayAccept && (!match || LineRules::hasTwoHalves(result.text)), question);
}

QTEST_GUILESS_MAIN(TestLineRules)
#include "tst_line_rules.moc"
