#include "play/question_loader.h"
#include "services/error_codes.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

Q_DECLARE_METATYPE(QuestionMode)

namespace {

const QString kMatch = QStringLiteral("___________________");
const QString kPhrase = QStringLiteral("_________");

// Match lines that are all kept: "Blank W<n>" never occurs inside an
// earlier "Blank W<m>" because the earlier number is the smaller one.
QByteArray numberedMatchLines(int count)
{
    QByteArray text;
    for (int n = 1; n <= count; ++n)
        text += "Blank W" + QByteArray::number(n) + "\r\n";
    return text;
}

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
    void questionsInFileOrder_data();
    void questionsInFileOrder();
    void badFilesGiveSensibleResults_data();
    void badFilesGiveSensibleResults();
    void cappedAtLargestBoardNumber_data();
    void cappedAtLargestBoardNumber();
    void unreadableFileThrows_data();
    void unreadableFileThrows();
    void defaultFilesKeepEveryLine_data();
    void defaultFilesKeepEveryLine();

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

void TestQuestionLoader::questionsInFileOrder_data()
{
    QTest::addColumn<QuestionMode>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("questions");

    const auto match = QuestionMode::Match;
    const auto phrase = QuestionMode::Phrase;
    QTest::newRow("one spelling kept") << match << "Blank Pole\nblank pole\nBLANK POLE"
                                       << QStringList{kMatch + ",POLE"};
    QTest::newRow("part of an earlier question dropped")
        << match << "Blank Poles\nBlank Pole" << QStringList{kMatch + ",POLES"};
    QTest::newRow("longer after shorter kept")
        << match << "Blank Pole\nBlank Poles" << QStringList{kMatch + ",POLE", kMatch + ",POLES"};
    QTest::newRow("lines without two halves dropped")
        << match << "Blank\nPole\nBlank Blank\nBlankBlank Pole\nBlanket Pole\n# Blank Pole\nSnowblank Man"
        << QStringList{"SNOW" + kMatch + ",MAN"};
    QTest::newRow("tab before the marker")
        << match << "\tBlank Pole" << QStringList{"," + kMatch + " POLE"};
    QTest::newRow("same halves after separators")
        << match << "Red, Blank\nred;blank\nRed\tBLANK\nChristmas Blank"
        << QStringList{"RED," + kMatch, "CHRISTMAS," + kMatch};
    QTest::newRow("only comments and empty lines") << match << "# header\n\n   \n#Blank Pole\n" << QStringList{};
    QTest::newRow("phrase in the middle of an earlier one dropped")
        << phrase << "It was a blanket. Really.\nIt was a blanket.\nBLank here"
        << QStringList{"It was a " + kPhrase + "et. Really."};
    // "Blank" alone becomes the blank and a space, which "(Blank)" holds.
    QTest::newRow("lone marker inside an earlier question")
        << phrase << "(Blank)\nBlank\nBlank!" << QStringList{"(" + kPhrase + " )", kPhrase + " !"};
    // Questions are kept apart: a line never matches across two of them.
    QTest::newRow("no match across questions")
        << phrase << "I saw a Blank\nhat on a Blank\na Blankhat"
        << QStringList{"I saw a " + kPhrase, "hat on a " + kPhrase, "a " + kPhrase + "hat"};
}

void TestQuestionLoader::questionsInFileOrder()
{
    QFETCH(QuestionMode, mode);
    QFETCH(QString, text);
    QFETCH(QStringList, questions);

    const QuestionLoad load = QuestionLoader::loadText(text, mode);
    QCOMPARE(load.questions, questions);
    QCOMPARE(load.found, questions.size());
    QVERIFY(!load.capped());
}

void TestQuestionLoader::badFilesGiveSensibleResults_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("questions");

    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("binary") << QByteArray::fromHex("00ff7f80fe0d0a1b00c3").repeated(5000) << QStringList{};
    QTest::newRow("nul bytes between lines")
        << QByteArray("\0\0\0\r\nBlank Pole\r\n\0", 17) << QStringList{kMatch + ",POLE"};
    QTest::newRow("windows-1252") << QByteArray("Caf\xe9 Blank\r\n\x93" "Blank\x94 Pole\r\n")
                                  << QStringList{QStringLiteral("CAFÉ,") + kMatch};
    QTest::newRow("utf-8 with byte-order mark") << QByteArray("\xef\xbb\xbf# header\r\nBlank Pole")
                                                << QStringList{kMatch + ",POLE"};
    QTest::newRow("lone carriage returns") << QByteArray("Blank Pole\rChristmas Blank\r\rSnow Blank Man")
                                           << QStringList{kMatch + ",POLE", "CHRISTMAS," + kMatch,
                                                          "SNOW," + kMatch + " MAN"};
    QTest::newRow("no line end at all") << QByteArray(200000, ' ') + "Blank Pole" << QStringList{kMatch + ",POLE"};

    // Ten megabytes of letters with the marker in the middle, then lines
    // that occur inside it and one that does not.
    const QByteArray left = randomLetters(5'000'000, 7);
    const QByteArray right = randomLetters(5'000'000, 8);
    QTest::newRow("single 10 MB line")
        << left + " Blank " + right + "\r\n" + left.right(20) + " Blank " + right.left(40) + "\r\n" + left.right(30)
            + " blank\r\nBlank Pole\r\n"
        << QStringList{QString::fromLatin1(left.toUpper() + ',') + kMatch + u' ' + QString::fromLatin1(right.toUpper()),
                       kMatch + ",POLE"};
}

void TestQuestionLoader::badFilesGiveSensibleResults()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, questions);
    QCOMPARE(QuestionLoader::loadFile(writeFile(bytes), QuestionMode::Match).questions, questions);
}

void TestQuestionLoader::cappedAtLargestBoardNumber_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("kept");

    QTest::newRow("at the limit") << 32766 << 32766;
    QTest::newRow("one past") << 32767 << 32766;
    QTest::newRow("200,000 lines") << 200000 << 32766;
}

void TestQuestionLoader::cappedAtLargestBoardNumber()
{
    QFETCH(int, lines);
    QFETCH(int, kept);

    const QString path = writeFile(numberedMatchLines(lines));
    const QuestionLoad load = QuestionLoader::loadFile(path, QuestionMode::Match);
    QCOMPARE(load.questions.size(), kept);
    QCOMPARE(load.found, lines);
    QCOMPARE(load.capped(), lines > kept);
    QCOMPARE(load.questions.first(), kMatch + ",W1");
    QCOMPARE(load.questions.last(), kMatch + ",W" + QString::number(kept));
    if (load.capped()) {
        QCOMPARE(cappedLogEntry(QStringLiteral("/games/ZorbelLines.txt"), load),
                 QStringLiteral("File /games/ZorbelLines.txt holds %1 questions; only the first 32766 are used.")
                     .arg(lines));
    }
}

void TestQuestionLoader::unreadableFileThrows_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("number");

    QTest::newRow("folder") << "folder" << int(ErrorNumber::PathFileAccessError);
    QTest::newRow("missing") << "missing" << int(ErrorNumber::FileNotFound);
    QTest::newRow("no read permission") << "unreadable" << int(ErrorNumber::PermissionDenied);
}

void TestQuestionLoader::unreadableFileThrows()
{
    QFETCH(QString, kind);
    QFETCH(int, number);

    QString path = m_dir.filePath(kind);
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(m_dir.path()).mkpath(kind));
    } else if (kind == QLatin1String("unreadable")) {
        if (geteuid() == 0)
            QSKIP("root reads any file");
        path = writeFile("Blank Pole\r\n");
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    }
    try {
        QuestionLoader::loadFile(path, QuestionMode::Phrase);
        QFAIL("no failure reported");
    } catch (const ZorbelError &error) {
        QCOMPARE(int(error.number()), number);
    }
}

void TestQuestionLoader::defaultFilesKeepEveryLine_data()
{
    QTest::addColumn<QuestionMode>("mode");
    QTest::addColumn<int>("atLeast");

    QTest::newRow("ZorbelLines.txt") << QuestionMode::Match << 150;
    QTest::newRow("ZorbelPhrases.txt") << QuestionMode::Phrase << 40;
}

void TestQuestionLoader::defaultFilesKeepEveryLine()
{
    QFETCH(QuestionMode, mode);
    QFETCH(int, atLeast);

    const QString name = questionFileName(mode);
    QCOMPARE(name, QString::fromLatin1(QTest::currentDataTag()));
    QFile file(QStringLiteral(ZORBEL_DEFAULTS_DIR "/") + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();

    QVERIFY(bytes.startsWith('#'));
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    for (const char c : bytes)
        QVERIFY2((c >= ' ' && c <= '~') || c == '\r' || c == '\n', "plain printable ASCII");

    int questionLines = 0;
    for (const QByteArray &line : bytes.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        questionLines += !trimmed.isEmpty() && !trimmed.startsWith('#');
    }
    const QuestionLoad load = QuestionLoader::loadFile(file.fileName(), mode);
    QCOMPARE(load.questions.size(), questionLines);
    QVERIFY2(questionLines >= atLeast, qPrintable(QString::number(questionLines)));
}

QTEST_GUILESS_MAIN(TestQuestionLoader)
#include "tst_question_loader.moc"
