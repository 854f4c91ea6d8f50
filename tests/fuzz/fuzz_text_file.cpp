// The text decoder and encoder: bytes decode as UTF-8 or Windows-1252, lines
// split at CR LF, LF and a lone CR, and text written then read back is the
// same text with every line end made CR LF.

#include "fuzz_support.h"

#include "services/files/text_file.h"

#include <QStringDecoder>

namespace {

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes); // decode() only describes the work; the conversion does it
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
        // fromUtf8 would drop a leading mark itself; a letter in front keeps
        // every character for the comparison.
        QString expected = QString::fromUtf8("x" + bytes).mid(1);
        if (expected.startsWith(QChar::ByteOrderMark))
            expected.remove(0, 1);
        FUZZ_CHECK(text == expected, shown(text));
    } else {
        FUZZ_CHECK(text.size() == bytes.size(), shown(text));
        for (qsizetype i = 0; i < bytes.size(); ++i)
            FUZZ_CHECK((uchar(bytes[i]) >= 0x80 && uchar(bytes[i]) < 0xA0) || text[i].unicode() == uchar(bytes[i]), shown(text));
    }
    FUZZ_CHECK(TextFile::splitLines(text) == plainLines(text), shown(text));

    const QByteArray written = TextFile::encode(text);
    FUZZ_CHECK(isUtf8(written), shown(written));
    const QString reread = TextFile::decode(written);
    FUZZ_CHECK(reread == withLf(text).replace("\n", "\r\n"), QStringLiteral("%1\nread back as\n%2").arg(shown(text), shown(reread)));
    FUZZ_CHECK(TextFile::splitLines(reread) == plainLines(text), shown(reread));
    return 0;
}
