#include "play/question_loader.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(QuestionMode)

namespace {

const QString kMatch = QStringLiteral("___________________");
const QString kPhrase = QStringLiteral("_________");

QByteArray randomLetters(qsizetype count, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray letters(count, Qt::Uninitialized);
    for (char &c : letters)
        c = char('a' + random.bounded(26));
    return letters;
}

} // namespace

class TestQuestionLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void questionsInFileOrder_data()
    {
        QTest::addColumn<QuestionMode>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("questions");
        auto match = [](const char *name) -> QTestData & { return QTest::addRow("match: %s", name) << QuestionMode::Match; };
        auto phrase = [](const char *name) -> QTestData & { return QTest::addRow("phrase: %s", name) << QuestionMode::Phrase; };

        match("mixed case marker, spaces trimmed") << "   bLaNk pole  " << QStringList{kMatch + ",POLE"};
        match("blank last, blank inside") << "Christmas Blank\nSnow\t\tBlank   Man"
                                          << QStringList{"CHRISTMAS," + kMatch, "SNOW," + kMatch + " MAN"};
        match("glued before a space") << "Snowblank Man" << QStringList{"SNOW" + kMatch + ",MAN"};
        match("comment behind a tab is a line") << "\t# Blank" << QStringList{" #," + kMatch};
        // Alone, glued on both sides, missing, twice, twice glued, comments, empty, blank, only separators.
        match("no two halves") << "Blank\nBlanket Pole\nPole\nBlank Blank\nBlankBlank Pole\n# Blank Pole\n   #Blank Pole\n"
                                  "\n     \n;,\t"
                               << QStringList{};
        // Comma and semicolon are spaces: these spell one question twice.
        match("one spelling kept") << "Blank Pole\nblank pole\nRed, Blank\nred;blank\nRed\tBLANK"
                                   << QStringList{kMatch + ",POLE", "RED," + kMatch};
        match("part of an earlier question dropped") << "Blank Poles\nBlank Pole" << QStringList{kMatch + ",POLES"};
        match("longer after shorter kept") << "Blank Pole\nBlank Poles" << QStringList{kMatch + ",POLE", kMatch + ",POLES"};

        phrase("sentence, comma dropped") << "Even his Blank makes me laugh.\nPaul said, 'a Blank suit.'"
                                          << QStringList{"Even his " + kPhrase + " makes me laugh.", "Paul said 'a " + kPhrase + " suit.'"};
        phrase("all three spellings") << "BLANK and blank and Blank" << QStringList{kPhrase + " and " + kPhrase + " and " + kPhrase};
        phrase("glued word and a spaced one") << "Blanket\tBlank" << QStringList{kPhrase + " et " + kPhrase};
        phrase("neighbours share a space") << "  Blank  ;  Blank  " << QStringList{kPhrase + " " + kPhrase};
        phrase("marker alone, leading tab kept as space") << "Blank\n\tBlank" << QStringList{kPhrase + " ", " " + kPhrase};
        // Mixed spelling, no marker, a comment, empty, blank.
        phrase("no question") << "It was a BLank.\nNothing here; at all\n# Blank phrases\n\n    " << QStringList{};
        // "Blank" alone becomes the blank and a space, which "(Blank)" holds.
        phrase("lone marker inside an earlier question") << "(Blank)\nBlank\nBlank!" << QStringList{"(" + kPhrase + " )", kPhrase + " !"};
        // Questions are kept apart: a line never matches across two of them.
        phrase("no match across questions") << "I saw a Blank\nhat on a Blank\na Blankhat"
                                            << QStringList{"I saw a " + kPhrase, "hat on a " + kPhrase, "a " + kPhrase + "hat"};
    }

    void questionsInFileOrder()
    {
        QFETCH(QuestionMode, mode);
        QFETCH(QString, text);
        QFETCH(QStringList, questions);
        const QuestionLoad load = QuestionLoader::loadText(text, mode);
        QCOMPARE(load.questions, questions);
        QCOMPARE(load.found, questions.size());
    }

    // The editor's check names exactly the lines that add no question to
    // the lines before them, empty lines and comments aside.
    void checkNamesEveryDroppedLine_data() { questionsInFileOrder_data(); }
    void checkNamesEveryDroppedLine()
    {
        QFETCH(QuestionMode, mode);
        QFETCH(QString, text);
        static const QRegularExpression layout(QStringLiteral("^ *(#|$)"));
        const QStringList lines = text.split(u'\n');
        QList<qsizetype> dropped;
        for (qsizetype n = 1, before = 0; n <= lines.size(); ++n) {
            const qsizetype questions = QuestionLoader::loadLines(lines.first(n), mode).questions.size();
            if (questions == before && !layout.match(lines.at(n - 1)).hasMatch())
                dropped.append(n);
            before = questions;
        }
        QList<qsizetype> named;
        for (const LineProblem &problem : QuestionLoader::lineProblems(text, mode))
            named.append(problem.line);
        QCOMPARE(named, dropped);
    }

    void checkGivesReasons_data()
    {
        QTest::addColumn<QuestionMode>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("match") << QuestionMode::Match << "Blank Pole\nPole\nblank pole\n\t;\nBlank Blank\nBlanket\n# x\nBlank Pol"
                               << QStringList{"2: no BLANK",
                                              "3: a repeat of line 1",
                                              "4: only spaces",
                                              "5: more than one BLANK",
                                              "6: BLANK does not split it in two",
                                              "8: part of line 1"};
        QTest::newRow("phrase") << QuestionMode::Phrase << "A Blank suit.\nThe Blank was blue.\nIt was a BLank.\nBlank was"
                                << QStringList{"3: no Blank, BLANK or blank", "4: part of line 2"};
    }

    void checkGivesReasons()
    {
        QFETCH(QuestionMode, mode);
        QFETCH(QString, text);
        QStringList problems;
        for (const LineProblem &problem : QuestionLoader::lineProblems(text, mode))
            problems.append(QStringLiteral("%1: %2").arg(problem.line).arg(problem.reason));
        QTEST(problems, "problems");
    }

    void badFilesGiveSensibleResults_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("questions");

        QTest::newRow("binary") << QByteArray::fromHex("00ff7f80fe0d0a1b00c3").repeated(5000) << QStringList{};
        QTest::newRow("windows-1252") << QByteArray("Caf\xe9 Blank\r\n\223Blank\x94 Pole\r\n")
                                      << QStringList{QStringLiteral("CAFÉ,") + kMatch};

        // Ten megabytes of letters with the marker in the middle, then lines
        // that occur inside it and one that does not.
        const QByteArray left = randomLetters(5'000'000, 7);
        const QByteArray right = randomLetters(5'000'000, 8);
        QTest::newRow("single 10 MB line") << left + " Blank " + right + "\r\n" + left.right(20) + " Blank " + right.left(40) + "\r\n"
                                                  + left.right(30) + " blank\r\nBlank Pole\r\n"
                                           << QStringList{QString::fromLatin1(left.toUpper() + ',') + kMatch + u' '
                                                              + QString::fromLatin1(right.toUpper()),
                                                          kMatch + ",POLE"};
    }

    void badFilesGiveSensibleResults()
    {
        QFETCH(QByteArray, bytes);
        QTEST(QuestionLoader::loadFile(writeFile(bytes), QuestionMode::Match).questions, "questions");
    }

    // "Blank W<n>" never occurs inside an earlier "Blank W<m>": every line is a question.
    void cappedAtLargestBoardNumber()
    {
        for (const int lines : {32767, 200000}) {
            QStringList text;
            for (int n = 1; n <= lines; ++n)
                text.append(QStringLiteral("Blank W%1").arg(n));
            const QuestionLoad load = QuestionLoader::loadLines(text, QuestionMode::Match);
            QCOMPARE(load.questions.size(), 32766);
            QCOMPARE(load.found, lines);
            QVERIFY(load.capped());
            QCOMPARE(load.questions.last(), kMatch + ",W32766");
            QCOMPARE(cappedLogEntry(QStringLiteral("/games/ZorbelLines.txt"), load),
                     QStringLiteral("File /games/ZorbelLines.txt holds %1 questions; only the first 32766 are used.").arg(lines));
        }
    }

    void defaultFilesKeepEveryLine()
    {
        for (const QuestionMode mode : {QuestionMode::Match, QuestionMode::Phrase}) {
            QFile file(QStringLiteral(ZORBEL_DEFAULTS_DIR "/") + questionFileName(mode));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            int questionLines = 0;
            for (const QByteArray &line : bytes.split('\n'))
                questionLines += !line.trimmed().isEmpty() && !line.trimmed().startsWith('#');
            QCOMPARE(QuestionLoader::loadFile(file.fileName(), mode).questions.size(), questionLines);
            QVERIFY2(questionLines >= 40, qPrintable(file.fileName()));
        }
    }

private:
    QTemporaryDir m_dir;
    QString writeFile(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("questions.txt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
};

QTEST_GUILESS_MAIN(TestQuestionLoader)
#include "tst_question_loader.moc"
