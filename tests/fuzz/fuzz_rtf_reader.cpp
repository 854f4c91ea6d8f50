// The rules document's RTF reader: any bytes read into a QTextDocument and
// laid out, and the same bytes written as an RTF document of plain text
// (escaped braces and backslashes, \'hh for the high bytes, \par for line
// feeds) reading back as exactly that text.

#include "fuzz_support.h"

#include "services/files/rtf_reader.h"
#include "services/files/text_file.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextDocument>

#include <array>

using Status = RtfReader::Status;

namespace {

const QString kLeftFromBefore = QStringLiteral("left from before");

// One document for every run, so that its layout is made once.
// Its width is set once: setting a width lays the whole document out again.
// Each run leaves it holding a line for the next run's read to replace.
QTextDocument &laidOutDocument()
{
    static QTextDocument document;
    if (document.textWidth() != 600) {
        document.setTextWidth(600);
        document.setPlainText(kLeftFromBefore);
    }
    return document;
}

void checkAnyBytes(const QByteArray &bytes)
{
    static const QRegularExpression rtfStart(QStringLiteral("^(\\x{EF}\\x{BB}\\x{BF})?[ \\t\\r\\n]*\\{\\\\rtf"));
    QTextDocument &document = laidOutDocument();
    const Status status = RtfReader::read(bytes, document);
    FUZZ_CHECK((status == Status::NotRtf) == !rtfStart.match(QString::fromLatin1(bytes)).hasMatch(), shown(int(status)));
    FUZZ_CHECK(status != Status::NotRtf || document.isEmpty(), shown(document.toRawText()));
    FUZZ_CHECK(!document.isUndoAvailable(), QStringLiteral("reading left an undo step"));
    // Laying the document out reads every format the reader set.
    (void)document.size();
    // Not left holding the input: a long input would count as more
    // allocations than frees, and libFuzzer runs such an input a second
    // time to look for a leak.
    document.setPlainText(kLeftFromBefore);
}

// What a lone high byte decodes to, the way the reader's text files do.
const std::array<QString, 128> &highBytes()
{
    static const std::array<QString, 128> decoded = [] {
        std::array<QString, 128> table;
        for (int byte = 0x80; byte <= 0xFF; ++byte)
            table[byte - 0x80] = TextFile::decode(QByteArray(1, char(byte)));
        return table;
    }();
    return decoded;
}

void checkPlainText(const QByteArray &bytes)
{
    QByteArray rtf = "{\\rtf1\\ansi ";
    rtf.reserve(rtf.size() + 5 * bytes.size() + 1);
    QString expected;
    expected.reserve(bytes.size());
    for (const char c : bytes) {
        if (c == '\n') {
            rtf += "\\par ";
            expected += QChar::ParagraphSeparator;
        } else if (uchar(c) >= 0x80) {
            rtf += "\\'";
            rtf += "0123456789abcdef"[uchar(c) >> 4];
            rtf += "0123456789abcdef"[uchar(c) & 0xF];
            expected += highBytes()[uchar(c) - 0x80];
        } else if (uchar(c) >= 0x20 || c == '\t') {
            if (c == '\\' || c == '{' || c == '}')
                rtf += '\\';
            rtf += c;
            expected += QLatin1Char(c);
        }
    }
    rtf += '}';
    static QTextDocument document;
    const Status status = RtfReader::read(rtf, document);
    FUZZ_CHECK(status == Status::Complete, shown(int(status)));
    FUZZ_CHECK(document.toRawText() == expected, QStringLiteral("%1\nread as\n%2").arg(shown(expected), shown(document.toRawText())));
    document.clear(); // as above
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startApplication<QGuiApplication>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    checkAnyBytes(bytes);
    checkPlainText(bytes);
    return 0;
}
