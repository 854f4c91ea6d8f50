#pragma once

// Shared by the fuzz targets: the input as Qt bytes, a check that stops the
// run with a readable message, plain readings of line ends, and the
// application object the widget and text-layout targets need.

#include <QByteArray>
#include <QDebug>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The input without a copy; valid for the duration of one run.
inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

// assert() is compiled out of these optimised builds; a broken property must
// stop the run all the same, so that libFuzzer keeps the input.
[[noreturn]] inline void fuzzFailure(const char *file, int line, const char *condition, const QString &detail)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n%s\n", file, line, condition, qUtf8Printable(detail));
    std::abort();
}

#define FUZZ_CHECK(condition, detail)                                                                                                      \
    do {                                                                                                                                   \
        if (!(condition))                                                                                                                  \
            fuzzFailure(__FILE__, __LINE__, #condition, (detail));                                                                         \
    } while (false)

// Text for a failure message: the value with its escapes, cut to a readable size.
template <typename T>
QString shown(const T &value)
{
    QString text;
    QDebug(&text) << value;
    return text.size() > 2000 ? text.left(2000) + QStringLiteral("...") : text;
}

inline void writeFuzzFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

// The line without its leading and trailing spaces (tabs stay).
inline QString trimmedOfSpaces(QString line)
{
    while (line.startsWith(u' '))
        line.remove(0, 1);
    while (line.endsWith(u' '))
        line.chop(1);
    return line;
}

// Every line end made LF: CR LF and a lone CR end a line as LF does.
template <typename Text>
Text withLf(Text text)
{
    return text.replace("\r\n", "\n").replace('\r', '\n');
}

// The lines of a text; a last line end starts no new line.
template <typename Text>
auto plainLines(const Text &text)
{
    const Text unified = withLf(text);
    auto lines = unified.split('\n');
    if (unified.endsWith('\n') || unified.isEmpty())
        lines.removeLast();
    return lines;
}

// A QApplication (or QGuiApplication) on the offscreen platform, made once
// per process from LLVMFuzzerInitialize. Qt's warnings about the odd values
// the inputs hold would drown libFuzzer's own output, so they are silenced.
template <typename Application>
void startApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.warning=false;*.info=false");
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    new Application(argc, argv); // lives as long as the process
}
