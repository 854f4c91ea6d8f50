// The rules document's RTF reader: any bytes read into a QTextDocument and
// laid out, and the same bytes written as an RTF document of plain text
// (escaped braces and backslashes, \'hh for the high bytes, \par for line
// feeds) reading back as exactly that text.

#include "fuzz_support.h"

#include "services/rtf_reader.h"
#include "services/text_file.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextDocument>

using Status = RtfReader::Status;

namespace {

void checkAnyBytes(const QByteArray &bytes)
{
    static const QRegularExpression rtfStart(QStringLiteral("^(\\x{EF}\\x{BB}\\x{BF})?[ \\t\\r\\n]*\\{\\\\rtf"));
    QTextDocument document;
    document.setPlainText(QStringLiteral("left from before"));
    const Status status = RtfReader::read(bytes, document);
    FUZZ_CHECK((status == Status::NotRtf) == !rtfStart.match(QString::fromLatin1(bytes)).hasMatch(), shown(int(status)));
    FUZZ_CHECK(status != Status::NotRtf || document.isEmpty(), shown(document.toRawText()));
    FUZZ_CHECK(!document.isUndoAvailable(), QStringLiteral("reading left an undo step"));
    // Laying the document out reads every format the reader set.
    document.setTextWidth(600);
    (void)document.size();
}

void checkPlainText(const QByteArray &bytes)
{
    QByteArray rtf = "{\\rtf1\\ansi ";
    QString expected;
    for (const char c : bytes) {
        if (c == '\n') {
            rtf += "\\par ";
            expected += QChar::ParagraphSeparator;
        } else if (uchar(c) >= 0x80) {
            rtf += "\\'" + QByteArray::number(uchar(c), 16);
            expected += TextFile::decode(QByteArray(1, c));
        } else if (uchar(c) >= 0x20 || c == '\t') {
            rtf += QByteArray(c == '\\' || c == '{' || c == '}' ? "\\" : "") + c;
            expected += QLatin1Char(c);
        }
    }
    QTextDocument document;
    const Status status = RtfReader::read(rtf + '}', document);
    FUZZ_CHECK(status == Status::Complete, shown(int(status)));
    FUZZ_CHECK(document.toRawText() == expected, QStringLiteral("%1\nread as\n%2").arg(shown(expected), shown(document.toRawText())));
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
