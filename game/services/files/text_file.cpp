#include "services/files/text_file.h"

#include "services/error_codes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five bytes that
// code page leaves undefined keep their Latin-1 control characters.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(kWindows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

} // namespace

namespace TextFile {

QString decode(const QByteArray &bytes)
{
    // Qt's decoder would drop a leading mark by itself; it is kept here so
    // that exactly one is dropped, and a text that itself begins with the
    // character U+FEFF (written after a mark, see encode) keeps it.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return decodeWindows1252(bytes);
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    return text;
}

QByteArray encode(const QString &text)
{
    QString crlf;
    crlf.reserve(text.size() + text.size() / 16);
    // A text beginning with U+FEFF would begin with the bytes of a
    // byte-order mark and lose that character when read back; a mark in
    // front of it keeps it.
    if (text.startsWith(QChar::ByteOrderMark))
        crlf += QChar::ByteOrderMark;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            crlf += QLatin1String("\r\n");
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            crlf += QLatin1String("\r\n");
        } else {
            crlf += c;
        }
    }
    return crlf.toUtf8();
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QByteArray readBytes(const QString &path, qint64 maxSize)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw ZorbelError(ErrorNumber::PathFileAccessError, path + QStringLiteral(" is a folder"));
    // The size comes first: reading a huge file only to refuse it would
    // already have taken the memory the limit protects.
    if (info.size() > maxSize)
        throw ZorbelError(ErrorNumber::OutOfMemory, path + QStringLiteral(" is too large"));
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw ZorbelError::forFile(path, file.errorString(), errno);
    errno = 0;
    // A file that grows while it is read stops at the limit all the same.
    const QByteArray bytes = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw ZorbelError::forFile(path, file.errorString(), errno);
    if (bytes.size() > maxSize)
        throw ZorbelError(ErrorNumber::OutOfMemory, path + QStringLiteral(" is too large"));
    return bytes;
}

QString read(const QString &path)
{
    return decode(readBytes(path));
}

void replace(const QString &path, const QString &text)
{
    replaceBytes(path, encode(text));
}

void replaceBytes(const QString &path, const QByteArray &bytes)
{
    const QFileInfo target(path);
    if (target.isDir())
        throw ZorbelError(ErrorNumber::PathFileAccessError, path + QStringLiteral(" is a folder"));
    // The rename would replace a read-only file too, and so would any write
    // by root; its owner cleared the write bit so that it is not overwritten.
    if (target.exists() && (!target.isWritable() || !target.permission(QFile::WriteOwner)))
        throw ZorbelError(ErrorNumber::PermissionDenied, path + QStringLiteral(" is read-only"));
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw ZorbelError::forFile(path, file.errorString(), errno);
    // The buffer is flushed here because QSaveFile's commit ignores a failed
    // flush and would put a cut-off file in place of the old one.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const int error = errno;
        const QString reason = file.errorString();
        file.cancelWriting();
        throw ZorbelError::forFile(path, reason, error);
    }
    errno = 0;
    if (!file.commit())
        throw ZorbelError::forFile(path, file.errorString(), errno);
}

} // namespace TextFile
