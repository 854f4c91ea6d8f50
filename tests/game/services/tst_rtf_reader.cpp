#include "services/error_codes.h"
#include "services/rtf_reader.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextCursor>
#include <QTextDocument>

using Status = RtfReader::Status;

namespace {

// The document's characters with a line end between paragraphs; a line
// break inside a paragraph stays U+2028.
QString textOf(const QTextDocument &document)
{
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

QTextCharFormat formatAt(QTextDocument &document, const QString &probe)
{
    const qsizetype at = textOf(document).indexOf(probe);
    if (at < 0)
        return {};
    QTextCursor cursor(&document);
    cursor.setPosition(int(at) + 1);
    return cursor.charFormat();
}

QTextBlockFormat blockAt(QTextDocument &document, const QString &probe)
{
    const qsizetype at = textOf(document).indexOf(probe);
    return document.findBlock(int(std::max<qsizetype>(at, 0))).blockFormat();
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void text_data();
    void text();
    void characterFormat_data();
    void characterFormat();
    void paragraphFormat_data();
    void paragraphFormat();
    void bulletTextLinesUpWithWrappedLines();
    void status_data();
    void status();
    void deepNestingWithoutRecursion();
    void binaryInputEnds_data();
    void binaryInputEnds();
    void readReplacesEarlierContent();
    void readFileFailures();
    void rulesDocumentReads();
};

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    // characters
    QTest::newRow("hex escape as windows-1252") << QByteArray("{\\rtf1 caf\\'e9 \\'80\\'96\\'93}") << "café €–\u201C";
    QTest::newRow("raw high byte as windows-1252") << QByteArray("{\\rtf1 caf\xe9}") << "café";
    QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1 \\u8364?5}") << "€5";
    QTest::newRow("unicode fallback is a hex escape") << QByteArray("{\\rtf1 \\u8364\\'80!}") << "€!";
    QTest::newRow("uc2 skips two") << QByteArray("{\\rtf1\\uc2 \\u8364 EUR}") << "€R";
    QTest::newRow("uc0 skips none") << QByteArray("{\\rtf1\\uc0 \\u8364 EUR}") << "€EUR";
    QTest::newRow("uc is kept per group") << QByteArray("{\\rtf1 {\\uc0 x}\\u233 ab}") << "xéb";
    QTest::newRow("negative unicode, surrogate pair")
        << QByteArray("{\\rtf1 \\u-10179?\\u-8694?}") << QString::fromUtf8("\xF0\x9F\x98\x8A");
    QTest::newRow("fallback ends at a group") << QByteArray("{\\rtf1\\uc3 \\u233{}ab}") << "éab";
    QTest::newRow("escaped braces and backslash") << QByteArray("{\\rtf1 \\{a\\}\\\\}") << "{a}\\";
    QTest::newRow("named symbols")
        << QByteArray("{\\rtf1 \\bullet\\endash\\emdash\\lquote\\rquote\\ldblquote\\rdblquote\\~}")
        << QStringLiteral("\u2022\u2013\u2014\u2018\u2019\u201C\u201D\u00A0");

    // breaks
    QTest::newRow("par") << QByteArray("{\\rtf1 one\\par two}") << "one\ntwo";
    QTest::newRow("backslash line end is par") << QByteArray("{\\rtf1 one\\\ntwo}") << "one\ntwo";
    QTest::newRow("line") << QByteArray("{\\rtf1 one\\line two}") << QStringLiteral("one\u2028two");
    QTest::newRow("tab word and tab byte") << QByteArray("{\\rtf1 a\\tab b\tc}") << "a\tb\tc";
    QTest::newRow("line ends in the source are no text") << QByteArray("{\\rtf1 a\r\nb\rc\nd}") << "abcd";
    QTest::newRow("one blank ends a word") << QByteArray("{\\rtf1 \\b  two}") << " two";
    QTest::newRow("numeric parameter ends a word") << QByteArray("{\\rtf1 \\fs20x\\li-360y}") << "xy";
    QTest::newRow("unknown words vanish") << QByteArray("{\\rtf1 \\zorbel42 \\viewkind4 a}") << "a";
    QTest::newRow("list text shows")
        << QByteArray("{\\rtf1 {\\listtext\\bullet\\tab}Item\\par{\\pntext 1.\\tab}Next}")
        << QStringLiteral("\u2022\tItem\n1.\tNext");

    // skipped destinations
    QTest::newRow("ignorable destination") << QByteArray("{\\rtf1 {\\*\\generator Writer 1.0;}a{\\*\\zorbelnote b}}")
                                           << "a";
    QTest::newRow("info and stylesheet")
        << QByteArray("{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}text}") << "text";
    QTest::newRow("picture") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e470d0a}b}") << "ab";
    QTest::newRow("binary picture data") << QByteArray("{\\rtf1 a{\\pict\\bin6 {}\\}x}}b}") << "ab";
    QTest::newRow("header and footer") << QByteArray("{\\rtf1{\\header H}{\\footer F}body}") << "body";
    QTest::newRow("field shows its result")
        << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"https://x\"}{\\fldrslt link}}}") << "link";
    QTest::newRow("tables are no text") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}x}")
                                        << "x";
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QTextDocument document;
    QCOMPARE(RtfReader::read(rtf, document), Status::Complete);
    QCOMPARE(textOf(document), text);
}

void TestRtfReader::characterFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<double>("points");
    QTest::addColumn<QColor>("colour"); // invalid: the default colour
    QTest::addColumn<QString>("family"); // empty: the default family

    const QColor none;
    const QByteArray onOff("{\\rtf1 a\\b B\\b0 c\\i I\\i0 d\\ul U\\ulnone e\\ul V\\ul0 f}");
    QTest::newRow("b") << onOff << "B" << true << false << false << 12.0 << none << "";
    QTest::newRow("b0") << onOff << "c" << false << false << false << 12.0 << none << "";
    QTest::newRow("i") << onOff << "I" << false << true << false << 12.0 << none << "";
    QTest::newRow("i0") << onOff << "d" << false << false << false << 12.0 << none << "";
    QTest::newRow("ul") << onOff << "U" << false << false << true << 12.0 << none << "";
    QTest::newRow("ulnone") << onOff << "e" << false << false << false << 12.0 << none << "";
    QTest::newRow("ul0") << onOff << "f" << false << false << false << 12.0 << none << "";

    const QByteArray sizes("{\\rtf1 a\\fs40 big\\fs17 odd\\fs small\\fs-8 neg}");
    QTest::newRow("fs default") << sizes << "a" << false << false << false << 12.0 << none << "";
    QTest::newRow("fs40") << sizes << "big" << false << false << false << 20.0 << none << "";
    QTest::newRow("fs17 half point") << sizes << "odd" << false << false << false << 8.5 << none << "";
    QTest::newRow("fs without value") << sizes << "small" << false << false << false << 12.0 << none << "";
    QTest::newRow("negative fs") << sizes << "neg" << false << false << false << 12.0 << none << "";

    const QByteArray colours("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                             "\\cf2 blue\\cf0 auto\\cf1 red\\cf9 beyond}");
    QTest::newRow("cf2") << colours << "blue" << false << false << false << 12.0 << QColor(0, 0, 255) << "";
    QTest::newRow("cf0 auto") << colours << "auto" << false << false << false << 12.0 << none << "";
    QTest::newRow("cf1") << colours << "red" << false << false << false << 12.0 << QColor(255, 0, 0) << "";
    QTest::newRow("cf beyond the table") << colours << "beyond" << false << false << false << 12.0 << none << "";

    const QByteArray nested("{\\rtf1 a{\\b b{\\i\\fs30 c}d}e}");
    QTest::newRow("outer group") << nested << "a" << false << false << false << 12.0 << none << "";
    QTest::newRow("inner group adds") << nested << "c" << true << true << false << 15.0 << none << "";
    QTest::newRow("inner group restores") << nested << "d" << true << false << false << 12.0 << none << "";
    QTest::newRow("outer group restores") << nested << "e" << false << false << false << 12.0 << none << "";
    QTest::newRow("plain resets")
        << QByteArray("{\\rtf1 \\b\\i\\ul\\fs40 x\\plain y}") << "y" << false << false << false << 12.0 << none << "";

    const QByteArray fonts("{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                           "{\\f1\\froman{\\*\\panose 02020603050405020304}Times New Roman;}{\\f2 Courier New}}"
                           "x\\f0 y\\f2 z}");
    QTest::newRow("default font") << fonts << "x" << false << false << false << 12.0 << none << "Times New Roman";
    QTest::newRow("f0") << fonts << "y" << false << false << false << 12.0 << none << "Arial";
    QTest::newRow("entry without semicolon") << fonts << "z" << false << false << false << 12.0 << none
                                             << "Courier New";
}

void TestRtfReader::characterFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, probe);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(double, points);
    QFETCH(QColor, colour);
    QFETCH(QString, family);

    QTextDocument document;
    QCOMPARE(RtfReader::read(rtf, document), Status::Complete);
    QVERIFY2(textOf(document).contains(probe), qPrintable(textOf(document)));
    const QTextCharFormat format = formatAt(document, probe);
    QCOMPARE(format.fontWeight() == QFont::Bold, bold);
    QCOMPARE(format.fontItalic(), italic);
    QCOMPARE(format.fontUnderline(), underline);
    QCOMPARE(format.fontPointSize(), points);
    QCOMPARE(format.hasProperty(QTextFormat::ForegroundBrush), colour.isValid());
    if (colour.isValid())
        QCOMPARE(format.foreground().color(), colour);
    if (!family.isEmpty())
        QCOMPARE(format.fontFamilies().toStringList(), QStringList{family});
}

void TestRtfReader::paragraphFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("indent");

    const QByteArray rtf("{\\rtf1\\qc Title\\par\\pard Body\\par\\qr Right\\par"
                         "\\pard\\fi-360\\li720 \\bullet\\tab Item\\par{\\qc Inner\\par}After}");
    QTest::newRow("qc") << rtf << "Title" << int(Qt::AlignHCenter) << 0.0 << 0.0;
    QTest::newRow("pard resets") << rtf << "Body" << int(Qt::AlignLeft) << 0.0 << 0.0;
    QTest::newRow("qr") << rtf << "Right" << int(Qt::AlignRight) << 0.0 << 0.0;
    QTest::newRow("hanging indent") << rtf << "Item" << int(Qt::AlignLeft) << 48.0 << -24.0;
    QTest::newRow("group keeps indent") << rtf << "Inner" << int(Qt::AlignHCenter) << 48.0 << -24.0;
    QTest::newRow("group end restores") << rtf << "After" << int(Qt::AlignLeft) << 48.0 << -24.0;
}

void TestRtfReader::paragraphFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, probe);
    QFETCH(int, alignment);
    QFETCH(double, left);
    QFETCH(double, indent);

    QTextDocument document;
    QCOMPARE(RtfReader::read(rtf, document), Status::Complete);
    const QTextBlockFormat format = blockAt(document, probe);
    QCOMPARE(int(format.alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(format.leftMargin(), left);
    QCOMPARE(format.textIndent(), indent);
}

void TestRtfReader::bulletTextLinesUpWithWrappedLines()
{
    QTextDocument document;
    RtfReader::read("{\\rtf1\\pard\\fi-360\\li720 \\bullet\\tab Item text long enough to wrap onto a second "
                    "line and a third one in a narrow page\\par}",
                    document);
    document.setTextWidth(200);
    document.documentLayout(); // lays the document out
    const QTextBlock item = document.firstBlock();
    const QTextLayout *layout = item.layout();
    QVERIFY(layout->lineCount() >= 2);
    const QTextLine first = layout->lineAt(0);
    const int afterTab = int(item.text().indexOf(u'\t')) + 1;
    const qreal textStart = first.cursorToX(afterTab);
    const qreal bulletStart = first.cursorToX(0);
    QCOMPARE_LT(bulletStart, textStart);
    QVERIFY2(qAbs(textStart - layout->lineAt(1).x()) < 1.0,
             qPrintable(QStringLiteral("%1 against %2").arg(textStart).arg(layout->lineAt(1).x())));
}

void TestRtfReader::status_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");

    QTest::newRow("closed") << QByteArray("{\\rtf1 abc}") << int(Status::Complete) << "abc";
    QTest::newRow("text after the end is ignored") << QByteArray("{\\rtf1 abc}def{") << int(Status::Complete) << "abc";
    QTest::newRow("byte-order mark and blanks first") << QByteArray("\xEF\xBB\xBF \r\n{\\rtf1 x}")
                                                      << int(Status::Complete) << "x";
    QTest::newRow("cut in the text") << QByteArray("{\\rtf1 abc") << int(Status::Truncated) << "abc";
    QTest::newRow("cut in a group") << QByteArray("{\\rtf1 a{\\b b") << int(Status::Truncated) << "ab";
    QTest::newRow("cut after a backslash") << QByteArray("{\\rtf1 a\\") << int(Status::Truncated) << "a";
    QTest::newRow("cut in a hex escape") << QByteArray("{\\rtf1 a\\'e") << int(Status::Truncated) << "a";
    QTest::newRow("cut in a word") << QByteArray("{\\rtf1 a\\par b\\pa") << int(Status::Truncated) << "a\nb";
    QTest::newRow("cut in binary data") << QByteArray("{\\rtf1 a{\\pict\\bin99999 xy") << int(Status::Truncated)
                                        << "a";
    QTest::newRow("only the header") << QByteArray("{\\rtf") << int(Status::Truncated) << "";
    QTest::newRow("plain text") << QByteArray("How to play Zorbel") << int(Status::NotRtf) << "";
    QTest::newRow("empty") << QByteArray() << int(Status::NotRtf) << "";
    QTest::newRow("header cut short") << QByteArray("{\\rt") << int(Status::NotRtf) << "";
    QTest::newRow("html") << QByteArray("<html><body>{\\rtf1 x}</body></html>") << int(Status::NotRtf) << "";
    QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << int(Status::NotRtf) << "";
}

void TestRtfReader::status()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, status);
    QFETCH(QString, text);
    QTextDocument document;
    QCOMPARE(int(RtfReader::read(rtf, document)), status);
    QCOMPARE(textOf(document), text);
}

void TestRtfReader::deepNestingWithoutRecursion()
{
    const int depth = 100000;
    QTextDocument document;
    const QByteArray closed = "{\\rtf1 a" + QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " after}";
    QCOMPARE(RtfReader::read(closed, document), Status::Complete);
    QCOMPARE(textOf(document), QStringLiteral("adeep after"));
    QVERIFY(formatAt(document, QStringLiteral("deep")).fontWeight() == QFont::Bold);
    QVERIFY(formatAt(document, QStringLiteral("after")).fontWeight() != QFont::Bold);

    const QByteArray open = "{\\rtf1 x" + QByteArray(depth, '{') + "y";
    QCOMPARE(RtfReader::read(open, document), Status::Truncated);
    QCOMPARE(textOf(document), QStringLiteral("xy"));
}

void TestRtfReader::binaryInputEnds_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("random bytes") << "{\\rtf1 " + randomBytes(8 << 20, 1);
    // Without a closing brace the reader has to go through all 50 MB; without
    // backslashes too, every byte of text must reach the document.
    QTest::newRow("50 MB never closed") << "{\\rtf1 " + randomBytes(50 << 20, 3).replace('}', ' ');
    QTest::newRow("50 MB of text and open groups")
        << "{\\rtf1 " + randomBytes(50 << 20, 4).replace('}', ' ').replace('\\', ' ');
    QTest::newRow("random bytes in a skipped group") << "{\\rtf1 {\\*\\x " + randomBytes(8 << 20, 2) + "}}";
    QByteArray words;
    while (words.size() < (8 << 20))
        words += "\\b\\'\\u-\\bin\\uc9\\fs99999999999999{\\*}}{\\'zz\\li-99999999999";
    QTest::newRow("control words only") << "{\\rtf1 " + words;
}

void TestRtfReader::binaryInputEnds()
{
    QFETCH(QByteArray, rtf);
    QTextDocument document;
    const Status status = RtfReader::read(rtf, document);
    QVERIFY(status == Status::Complete || status == Status::Truncated);
    if (!rtf.contains('}') && rtf.count('\\') == 1)
        QVERIFY(document.characterCount() > rtf.size() / 2);
}

void TestRtfReader::readReplacesEarlierContent()
{
    QTextDocument document;
    RtfReader::read("{\\rtf1 first\\par page}", document);
    QCOMPARE(RtfReader::read("{\\rtf1 second}", document), Status::Complete);
    QCOMPARE(textOf(document), QStringLiteral("second"));
    QCOMPARE(RtfReader::read("not rich text", document), Status::NotRtf);
    QVERIFY(document.isEmpty());
}

void TestRtfReader::readFileFailures()
{
    QTemporaryDir dir;
    QTextDocument document;
    RtfReader::read("{\\rtf1 kept}", document);
    const auto failure = [&](const QString &path) {
        try {
            RtfReader::readFile(path, document);
        } catch (const ZorbelError &error) {
            return error.number();
        }
        return ErrorNumber::InternalError;
    };
    QCOMPARE(failure(dir.filePath(QStringLiteral("HowToPlayZorbel.rtf"))), ErrorNumber::FileNotFound);
    QCOMPARE(failure(dir.path()), ErrorNumber::PathFileAccessError);

    QFile big(dir.filePath(QStringLiteral("big.rtf")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(RtfReader::maxFileSize() + 1));
    big.close();
    QCOMPARE(failure(big.fileName()), ErrorNumber::OutOfMemory);
    QCOMPARE(textOf(document), QStringLiteral("kept"));
}

void TestRtfReader::rulesDocumentReads()
{
    QTextDocument document;
    QCOMPARE(RtfReader::readFile(QStringLiteral(RULES_DOCUMENT), document), Status::Complete);
    const QString text = textOf(document);

    const QTextBlock title = document.firstBlock();
    QCOMPARE(title.text(), QStringLiteral("How to Play Zorbel"));
    QCOMPARE(int(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignHCenter));
    const QTextCharFormat titleFormat = formatAt(document, QStringLiteral("How to Play"));
    QVERIFY(titleFormat.fontWeight() == QFont::Bold);
    QVERIFY(titleFormat.fontPointSize() > 20);
    QVERIFY(titleFormat.hasProperty(QTextFormat::ForegroundBrush));

    for (const char *heading : {"Getting Ready", "The Two Games", "Taking Turns", "Keeping Score",
                                "Rounds, Winning and Ties", "The Timer and the Sound", "Config and Edit"}) {
        QVERIFY2(text.contains(QLatin1String("\n") + QLatin1String(heading) + QLatin1String("\n")), heading);
        QVERIFY(formatAt(document, QLatin1String(heading)).fontWeight() == QFont::Bold);
    }
    for (const char *topic : {"Number Of Players", "Match Phrase", "right arrow", "left arrow", "PageDown", "PageUp",
                              "Play another round?", "Timer On", "Sound On", "Config", "Edit Zorbels"})
        QVERIFY2(text.contains(QLatin1String(topic)), topic);
    QVERIFY(text.contains(QStringLiteral("\u2022\tPick how many")));
    QVERIFY(text.contains(QStringLiteral("player\u2019s name")));
    QVERIFY(formatAt(document, QStringLiteral("Play another round?")).fontItalic());
    QVERIFY(!text.contains(u'\\') && !text.contains(u'{'));
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtf_reader.moc"
