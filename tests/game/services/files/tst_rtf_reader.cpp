#include "error_of.h"
#include "services/files/rtf_reader.h"

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
// "b", "i", "u", the size, the colour, the font; "center", the
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
    if (block.leftMargin() || block.textIndent())
        parts << QStringLiteral("%1/%2").arg(block.leftMargin()).arg(block.textIndent());
    return parts.join(u' ');
}

// Nesting this deep would overflow the stack of a recursive reader.
constexpr int kDepth = 100000;

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Status>("status");
        const Status ok = Status::Complete;
        QTest::newRow("hex escape as windows-1252") << QByteArray("{\\rtf1 caf\\'e9 \\'80\\'96\\'93}") << "café €–\u201C" << ok;
        QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1 \\u8364?5\\u8364\\'80!}") << "€5€!" << ok;
        QTest::newRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8694?}") << QString::fromUtf8("\xF0\x9F\x98\x8A") << ok;
        QTest::newRow("fallback ends at a group") << QByteArray("{\\rtf1\\uc3 \\u233{}ab}") << "éab" << ok;
        QTest::newRow("escaped braces and backslash") << QByteArray("{\\rtf1 \\{a\\}\\\\}") << "{a}\\" << ok;
        QTest::newRow("par, line, tab") << QByteArray("{\\rtf1 a\\par b\\\nc\\line d\\tab e\tf}") << "a\nb\nc\u2028d\te\tf" << ok;
        QTest::newRow("skipped destinations") << QByteArray(
            "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s0 N;}}"
            "{\\info{\\title T}}{\\header H}{\\*\\generator W;}a{\\*\\zorbelnote b}}")
                                              << "a" << ok;
        QTest::newRow("pictures") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e}b{\\pict\\bin6 {}\\}x}}c}") << "abc" << ok;
        QTest::newRow("text after the end ignored") << QByteArray("{\\rtf1 abc}def{") << "abc" << ok;
        QTest::newRow("mark and blanks first") << QByteArray("\xEF\xBB\xBF \r\n{\\rtf1 x}") << "x" << ok;
        QTest::newRow("cut in a group") << QByteArray("{\\rtf1 a{\\b b") << "ab" << Status::Truncated;
        QTest::newRow("cut in binary data") << QByteArray("{\\rtf1 a{\\pict\\bin99999 xy") << "a" << Status::Truncated;
        QTest::newRow("not rtf") << QByteArray("<html><body>{\\rtf1 x}</body></html>") << "" << Status::NotRtf;
        QTest::newRow("deep nesting, cut") << "{\\rtf1 x" + QByteArray(kDepth, '{') + "y"
                                           << "xy" << Status::Truncated;
    }

    void read()
    {
        QFETCH(QByteArray, rtf);
        QTextDocument document;
        document.setPlainText(QStringLiteral("left from before"));
        QTEST(RtfReader::read(rtf, document), "status");
        QTEST(textOf(document), "text");
    }

    // clang-format off
    void format_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("probe");
        QTest::addColumn<QString>("format");
        const QByteArray sizes("{\\rtf1 a\\fs40 big\\fs17 odd\\fs small\\fs-8 neg}");
        QTest::newRow("fs17 half point") << sizes << "odd" << "8.5pt";
        QTest::newRow("negative fs") << sizes << "neg" << "";
        const QByteArray colours("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\cf2 blue\\cf0 auto\\cf1 red\\cf9 beyond}");
        QTest::newRow("cf2") << colours << "blue" << "#0000ff";
        QTest::newRow("cf beyond the table") << colours << "beyond" << "";
        const QByteArray nested("{\\rtf1 a{\\b b{\\i\\ul\\fs30 c}d}e\\b\\i\\ul x\\b0\\i0\\ulnone y}");
        QTest::newRow("inner group adds") << nested << "c" << "b i u 15pt";
        QTest::newRow("outer group restores") << nested << "e" << "";
        QTest::newRow("switched off") << nested << "y" << "";
        const QByteArray deep = "{\\rtf1 a" + QByteArray(kDepth, '{') + "\\b deep" + QByteArray(kDepth, '}') + " after}";
        QTest::newRow("deep group") << deep << "deep" << "b";
        const QByteArray fonts("{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman{\\*\\panose 0202}Times New Roman;}"
                               "{\\f2 Courier New}}x\\f0 y\\f2 z}");
        QTest::newRow("entry without semicolon") << fonts << "z" << "Courier New";
        const QByteArray paragraphs("{\\rtf1\\qc Title\\par\\pard\\fi-360\\li720 \\bullet\\tab Item\\par{\\qc Inner\\par}After}");
        QTest::newRow("pard resets, hanging indent") << paragraphs << "Item" << "48/-24";
        QTest::newRow("group end restores") << paragraphs << "After" << "48/-24";
    }
    // clang-format on

    void format()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, probe);
        QTextDocument document;
        QCOMPARE(RtfReader::read(rtf, document), Status::Complete);
        QVERIFY2(textOf(document).contains(probe), qPrintable(textOf(document)));
        QTEST(formatAt(document, probe), "format");
    }

    void binaryInputEnds()
    {
        QTextDocument document;
        // Without a closing brace or a backslash every byte must reach the document.
        const QByteArray text = QByteArray::fromHex("7b00ff41e92080930d0a09").repeated(5 << 20);
        QCOMPARE(RtfReader::read("{\\rtf1 " + text, document), Status::Truncated);
        QVERIFY(document.characterCount() > text.size() / 2);
        // Control words with broken or overflowing parameters.
        const QByteArray words = QByteArray("\\b\\'\\u-\\bin\\uc9\\fs99999999999999{\\*}}{\\'zz\\li-99999999999").repeated(150000);
        const Status status = RtfReader::read("{\\rtf1 " + words, document);
        QVERIFY(status == Status::Complete || status == Status::Truncated);
    }

    // Missing files and folders fail in TextFile as everywhere else.
    void tooLargeFileKeepsEarlierContent()
    {
        QTemporaryDir dir;
        QFile big(dir.filePath(QStringLiteral("big.rtf")));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(RtfReader::maxFileSize() + 1));
        QTextDocument document;
        RtfReader::read("{\\rtf1 kept}", document);
        QCOMPARE(errorOf([&] { RtfReader::readFile(big.fileName(), document); }), 7);
        QCOMPARE(textOf(document), QStringLiteral("kept"));
    }

    void rulesDocumentReads()
    {
        QTextDocument document;
        QCOMPARE(RtfReader::readFile(QStringLiteral(RULES_DOCUMENT), document), Status::Complete);
        const QString text = textOf(document);
        QCOMPARE(document.firstBlock().text(), QStringLiteral("How to Play Zorbel"));
        const QString title = formatAt(document, QStringLiteral("How to Play"));
        QVERIFY2(QRegularExpression(QStringLiteral("^b [2-9]\\d(\\.\\d+)?pt #.* center$")).match(title).hasMatch(), qPrintable(title));
        QVERIFY(text.contains(QLatin1String("\nKeeping Score\n")) && formatAt(document, QStringLiteral("Keeping Score")).startsWith(u'b'));
        QVERIFY(text.contains(QStringLiteral("\u2022\tPick how many")) && text.contains(QStringLiteral("player\u2019s name")));
        QVERIFY(!text.contains(u'\\') && !text.contains(u'{'));
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtf_reader.moc"
