#include "error_of.h"
#include "services/rtf_reader.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using Status = RtfReader::Status;

namespace {

// The document's characters with a line end between paragraphs; a line
// break inside a paragraph stays U+2028.
QString textOf(const QTextDocument &document)
{
    return document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

// The formats at the probe's first character that differ from plain text:
// "b", "i", "u", the size, the colour, the font; "center", "right", the
// left margin and the first-line indent.
QString formatAt(QTextDocument &document, const QString &probe)
{
    QTextCursor cursor(&document);
    cursor.setPosition(int(textOf(document).indexOf(probe)) + 1);
    const QTextCharFormat text = cursor.charFormat();
    const QTextBlockFormat block = cursor.blockFormat();
    QStringList parts;
    if (text.fontWeight() == QFont::Bold)
        parts << "b";
    if (text.fontItalic())
        parts << "i";
    if (text.fontUnderline())
        parts << "u";
    if (text.fontPointSize() != 12)
        parts << QString::number(text.fontPointSize()) + "pt";
    if (text.hasProperty(QTextFormat::ForegroundBrush))
        parts << text.foreground().color().name();
    if (text.hasProperty(QTextFormat::FontFamilies))
        parts << text.fontFamilies().toStringList().join(u',');
    if (block.alignment() & Qt::AlignHCenter)
        parts << "center";
    if (block.alignment() & Qt::AlignRight)
        parts << "right";
    if (block.leftMargin() || block.textIndent())
        parts << QStringLiteral("%1/%2").arg(block.leftMargin()).arg(block.textIndent());
    return parts.join(u' ');
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void text_data();
    void text();
    void format_data();
    void format();
    void status_data();
    void status();
    void deepNestingWithoutRecursion();
    void binaryInputEnds_data();
    void binaryInputEnds();
    void failuresKeepEarlierContent();
    void rulesDocumentReads();
};

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("hex escape as windows-1252") << QByteArray("{\\rtf1 caf\\'e9 \\'80\\'96\\'93}") << "café €–\u201C";
    QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1 \\u8364?5\\u8364\\'80!}") << "€5€!";
    QTest::newRow("uc2 skips two, uc0 none, per group") << QByteArray("{\\rtf1\\uc2 \\u8364 EUR{\\uc0 \\u8364 EUR}\\u233 abc}")
                                                      << "€R€EURéc";
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8694?}") << QString::fromUtf8("\xF0\x9F\x98\x8A");
    QTest::newRow("fallback ends at a group") << QByteArray("{\\rtf1\\uc3 \\u233{}ab}") << "éab";
    QTest::newRow("escaped braces and backslash") << QByteArray("{\\rtf1 \\{a\\}\\\\}") << "{a}\\";
    QTest::newRow("named symbols") << QByteArray("{\\rtf1 \\bullet\\endash\\emdash\\lquote\\rquote\\ldblquote\\rdblquote\\~}")
                                   << QStringLiteral("\u2022\u2013\u2014\u2018\u2019\u201C\u201D\u00A0");
    QTest::newRow("par, line, tab") << QByteArray("{\\rtf1 a\\par b\\\nc\\line d\\tab e\tf}") << "a\nb\nc\u2028d\te\tf";
    QTest::newRow("source line ends are no text") << QByteArray("{\\rtf1 a\r\nb\rc\nd}") << "abcd";
    QTest::newRow("one blank or a parameter ends a word") << QByteArray("{\\rtf1 \\b  two\\fs20x\\li-360y\\zorbel42 z}") << " twoxyz";
    QTest::newRow("list text shows") << QByteArray("{\\rtf1 {\\listtext\\bullet\\tab}Item\\par{\\pntext 1.\\tab}Next}")
                                     << "\u2022\tItem\n1.\tNext";
    QTest::newRow("skipped destinations") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s0 N;}}"
                                                    "{\\info{\\title T}}{\\header H}{\\*\\generator W;}a{\\*\\zorbelnote b}}") << "a";
    QTest::newRow("pictures") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e}b{\\pict\\bin6 {}\\}x}}c}") << "abc";
    QTest::newRow("field result") << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"https://x\"}{\\fldrslt link}}}") << "link";
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QTextDocument document;
    QCOMPARE(RtfReader::read(rtf, document), Status::Complete);
    QTEST(textOf(document), "text");
}

void TestRtfReader::format_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("format");
    const QByteArray onOff("{\\rtf1 a\\b B\\b0 c\\i I\\i0 d\\ul U\\ulnone e\\ul V\\ul0 f}");
    QTest::newRow("b") << onOff << "B" << "b";
    QTest::newRow("i") << onOff << "I" << "i";
    QTest::newRow("ul") << onOff << "U" << "u";
    for (const char *off : {"c", "d", "e", "f"})
        QTest::addRow("off before %s", off) << onOff << off << "";
    const QByteArray sizes("{\\rtf1 a\\fs40 big\\fs17 odd\\fs small\\fs-8 neg}");
    QTest::newRow("fs40") << sizes << "big" << "20pt";
    QTest::newRow("fs17 half point") << sizes << "odd" << "8.5pt";
    QTest::newRow("negative fs") << sizes << "neg" << "";
    const QByteArray colours("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\cf2 blue\\cf0 auto\\cf1 red\\cf9 beyond}");
    QTest::newRow("cf2") << colours << "blue" << "#0000ff";
    QTest::newRow("cf0 auto") << colours << "auto" << "";
    QTest::newRow("cf beyond the table") << colours << "beyond" << "";
    const QByteArray nested("{\\rtf1 a{\\b b{\\i\\fs30 c}d}e\\b\\i\\ul\\fs40 x\\plain y}");
    QTest::newRow("inner group adds") << nested << "c" << "b i 15pt";
    QTest::newRow("outer group restores") << nested << "e" << "";
    QTest::newRow("plain resets") << nested << "y" << "";
    const QByteArray fonts("{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman{\\*\\panose 0202}Times New Roman;}"
                           "{\\f2 Courier New}}x\\f0 y\\f2 z}");
    QTest::newRow("default font") << fonts << "x" << "Times New Roman";
    QTest::newRow("f0") << fonts << "y" << "Arial";
    QTest::newRow("entry without semicolon") << fonts << "z" << "Courier New";
    const QByteArray paragraphs("{\\rtf1\\qc Title\\par\\pard Body\\par\\qr Right\\par\\pard\\fi-360\\li720 \\bullet\\tab Item\\par"
                                "{\\qc Inner\\par}After}");
    QTest::newRow("pard resets") << paragraphs << "Body" << "";
    QTest::newRow("qr") << paragraphs << "Right" << "right";
    QTest::newRow("hanging indent") << paragraphs << "Item" << "48/-24";
    QTest::newRow("group keeps indent, adds qc") << paragraphs << "Inner" << "center 48/-24";
    QTest::newRow("group end restores") << paragraphs << "After" << "48/-24";
}

void TestRtfReader::format()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, probe);
    QTextDocument document;
    QCOMPARE(RtfReader::read(rtf, document), Status::Complete);
    QVERIFY2(textOf(document).contains(probe), qPrintable(textOf(document)));
    QTEST(formatAt(document, probe), "format");
}

void TestRtfReader::status_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QString>("text");
    QTest::newRow("text after the end ignored") << QByteArray("{\\rtf1 abc}def{") << Status::Complete << "abc";
    QTest::newRow("mark and blanks first") << QByteArray("\xEF\xBB\xBF \r\n{\\rtf1 x}") << Status::Complete << "x";
    QTest::newRow("cut in a group") << QByteArray("{\\rtf1 a{\\b b") << Status::Truncated << "ab";
    QTest::newRow("cut in a hex escape") << QByteArray("{\\rtf1 a\\'e") << Status::Truncated << "a";
    QTest::newRow("cut in binary data") << QByteArray("{\\rtf1 a{\\pict\\bin99999 xy") << Status::Truncated << "a";
    QTest::newRow("only the header") << QByteArray("{\\rtf") << Status::Truncated << "";
    QTest::newRow("empty") << QByteArray() << Status::NotRtf << "";
    QTest::newRow("html") << QByteArray("<html><body>{\\rtf1 x}</body></html>") << Status::NotRtf << "";
}

void TestRtfReader::status()
{
    QFETCH(QByteArray, rtf);
    QTextDocument document;
    document.setPlainText(QStringLiteral("left from before"));
    QTEST(RtfReader::read(rtf, document), "status");
    QTEST(textOf(document), "text");
}

void TestRtfReader::deepNestingWithoutRecursion()
{
    const int depth = 100000;
    QTextDocument document;
    const QByteArray closed = "{\\rtf1 a" + QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " after}";
    QCOMPARE(RtfReader::read(closed, document), Status::Complete);
    QCOMPARE(textOf(document), QStringLiteral("adeep after"));
    QCOMPARE(formatAt(document, QStringLiteral("deep")), QStringLiteral("b"));
    QCOMPARE(formatAt(document, QStringLiteral("after")), QString());
    QCOMPARE(RtfReader::read("{\\rtf1 x" + QByteArray(depth, '{') + "y", document), Status::Truncated);
    QCOMPARE(textOf(document), QStringLiteral("xy"));
}

void TestRtfReader::binaryInputEnds_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("random bytes") << "{\\rtf1 " + randomBytes(8 << 20, 1);
    // Without a closing brace or a backslash every byte of the 50 MB must
    // reach the document.
    QTest::newRow("50 MB of text and open groups") << "{\\rtf1 " + randomBytes(50 << 20, 4).replace('}', ' ').replace('\\', ' ');
    QTest::newRow("control words only")
        << "{\\rtf1 " + QByteArray("\\b\\'\\u-\\bin\\uc9\\fs99999999999999{\\*}}{\\'zz\\li-99999999999").repeated(150000);
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

void TestRtfReader::failuresKeepEarlierContent()
{
    QTemporaryDir dir;
    QTextDocument document;
    RtfReader::read("{\\rtf1 kept}", document);
    const auto failure = [&](const QString &path) { return errorOf([&] { RtfReader::readFile(path, document); }); };
    QCOMPARE(failure(dir.filePath(QStringLiteral("HowToPlayZorbel.rtf"))), 53);
    QCOMPARE(failure(dir.path()), 75);
    QFile big(dir.filePath(QStringLiteral("big.rtf")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(RtfReader::maxFileSize() + 1));
    QCOMPARE(failure(big.fileName()), 7);
    QCOMPARE(textOf(document), QStringLiteral("kept"));
}

void TestRtfReader::rulesDocumentReads()
{
    QTextDocument document;
    QCOMPARE(RtfReader::readFile(QStringLiteral(RULES_DOCUMENT), document), Status::Complete);
    const QString text = textOf(document);
    QCOMPARE(document.firstBlock().text(), QStringLiteral("How to Play Zorbel"));
    const QString title = formatAt(document, QStringLiteral("How to Play"));
    QVERIFY2(QRegularExpression(QStringLiteral("^b [2-9]\\d(\\.\\d+)?pt #.* center$")).match(title).hasMatch(), qPrintable(title));
    for (const char *heading : {"Getting Ready", "The Two Games", "Taking Turns", "Keeping Score", "Rounds, Winning and Ties",
                                "The Timer and the Sound", "Config and Edit"}) {
        QVERIFY2(text.contains(QLatin1String("\n") + QLatin1String(heading) + QLatin1String("\n")), heading);
        QVERIFY(formatAt(document, QLatin1String(heading)).startsWith(u'b'));
    }
    for (const char *topic : {"Number Of Players", "Match Phrase", "right arrow", "left arrow", "PageDown", "PageUp",
                              "Timer On", "Sound On", "Edit Zorbels", "\u2022\tPick how many", "player\u2019s name"})
        QVERIFY2(text.contains(QString::fromUtf8(topic)), topic);
    QVERIFY(formatAt(document, QStringLiteral("Play another round?")).contains(u'i'));
    QVERIFY(!text.contains(u'\\') && !text.contains(u'{'));
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtf_reader.moc"
