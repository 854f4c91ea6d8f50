// The text decoder and encoder: bytes decode as UTF-8 or Windows-1252, lines
// split at CR LF, LF and a lone CR, and text written then read back is the
// same text with every line end made CR LF.

#include "fuzz_support.h"

#include "services/text_file.h"

#include <QStringDecoder>

namespace {

QString withCrLf(const QString &text)
{
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    unified.replace(u'\r', u'\n');
    unified.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return unified;
}

QStringList plainLines(const QString &text)
{
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    unified.replace(u'\r', u'\n');
    QStringList lines = unified.split(u'\n');
    if (unified.endsWith(u'\n') || unified.isEmpty())
        lines.removeLast();
    return lines;
}

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // decode() only describes the work; the conversion does it.
    const QString text = utf8.decode(bytes);
    return !utf8.hasError();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString text = TextFile::decode(bytes);

    // Valid UTF-8 reads as itself, less a leading byte-order mark; anything
    // else reads one character per byte.
    if (isUtf8(bytes)) {
        // fromUtf8 would drop a leading mark itself; a letter in front
        // keeps every character for the comparison.
        QString expected = QString::fromUtf8("x" + bytes).mid(1);
        if (expected.startsWith(QChar::ByteOrderMark))
            expected.remove(0, 1);
        FUZZ_CHECK(text == expected, shown(text));
    } else {
        FUZZ_CHECK(text.size() == bytes.size(), shown(text));
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const auto byte = uchar(bytes[i]);
            if (byte < 0x80 || byte >= 0xA0)
                FUZZ_CHECK(text[i].unicode() == byte, shown(text));
        }
    }

    FUZZ_CHECK(TextFile::splitLines(text) == plainLines(text), shown(text));

    const QByteArray written = TextFile::encode(text);
    FUZZ_CHECK(isUtf8(written), shown(written));
    const QString reread = TextFile::decode(written);
    FUZZ_CHECK(reread == withCrLf(text), QStringLiteral("%1\nread back as\n%2").arg(shown(text), shown(reread)));
    FUZZ_CHECK(TextFile::splitLines(reread) == plainLines(text), shown(reread));
    return 0;
}
