// The rules document's RTF reader: any bytes read into a QTextDocument and
// laid out, and the same bytes written as an RTF document of plain text
// (escaped braces and backslashes, \'hh for the high bytes, \par for line
// feeds) reading back as exactly that text.

#include "fuzz_support.h"

#include "services/rtf_reader.h"
#include "services/text_file.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

namespace {

const char *statusName(RtfReader::Status status)
{
    switch (status) {
    case RtfReader::Status::Complete:
        return "complete";
    case RtfReader::Status::Truncated:
        return "truncated";
    case RtfReader::Status::NotRtf:
        return "not RTF";
    }
    return "?";
}

bool startsAsRtf(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.mid(i).startsWith("{\\rtf");
}

void checkAnyBytes(const QByteArray &bytes)
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("left from before"));
    const RtfReader::Status status = RtfReader::read(bytes, document);
    FUZZ_CHECK((status == RtfReader::Status::NotRtf) == !startsAsRtf(bytes), QString::fromLatin1(statusName(status)));
    if (status == RtfReader::Status::NotRtf)
        FUZZ_CHECK(document.isEmpty(), shown(document.toRawText()));
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
        const auto byte = uchar(c);
        if (c == '\n') {
            rtf += "\\par ";
            expected += QChar::ParagraphSeparator;
        } else if (c == '\\' || c == '{' || c == '}') {
            rtf += '\\';
            rtf += c;
            expected += QLatin1Char(c);
        } else if (byte >= 0x80) {
            rtf += "\\'" + QByteArray::number(byte, 16);
            expected += TextFile::decode(QByteArray(1, c));
        } else if (byte >= 0x20 || c == '\t') {
            rtf += c;
            expected += QLatin1Char(c);
        }
    }
    rtf += '}';
    QTextDocument document;
    const RtfReader::Status status = RtfReader::read(rtf, document);
    FUZZ_CHECK(status == RtfReader::Status::Complete, QString::fromLatin1(statusName(status)));
    FUZZ_CHECK(document.toRawText() == expected,
               QStringLiteral("%1\nread as\n%2").arg(shown(expected), shown(document.toRawText())));
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
