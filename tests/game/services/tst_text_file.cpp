#include "services/error_codes.h"
#include "services/text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class TestTextFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decode_data();
    void decode();
    void splitLines_data();
    void splitLines();
    void encodeMakesEveryLineEndCrLf();
    void textBeginningWithZeroWidthSpaceReadsBack();
    void replaceWritesUtf8WithCrLf();
    void readOfMissingFolderOrUnreadableFileThrows();
    void failedReplaceLeavesOldFile_data();
    void failedReplaceLeavesOldFile();
};

void TestTextFile::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii") << QByteArray("Blank Pole") << QStringLiteral("Blank Pole");
    QTest::newRow("utf-8 accents") << QByteArray("caf\xc3\xa9 \xe2\x82\xac") << QStringLiteral("café €");
    QTest::newRow("utf-8 bom dropped") << QByteArray("\xef\xbb\xbfHi") << QStringLiteral("Hi");
    QTest::newRow("only the first of two marks dropped")
        << QByteArray("\xef\xbb\xbf\xef\xbb\xbfHi") << QStringLiteral("\uFEFFHi");
    QTest::newRow("mark inside the text kept") << QByteArray("a\xef\xbb\xbf") << QStringLiteral("a\uFEFF");
    QTest::newRow("cp1252 accent") << QByteArray("caf\xe9") << QStringLiteral("café");
    QTest::newRow("cp1252 euro and quotes")
        << QByteArray("\x80 \x93q\x94 \x85") << QStringLiteral("€ \u201cq\u201d \u2026");
    QTest::newRow("cp1252 undefined byte") << QByteArray("a\x81z") << QStringLiteral("a\u0081z");
    QTest::newRow("truncated utf-8 is cp1252") << QByteArray("\xc3") << QStringLiteral("\u00c3");
    QTest::newRow("nul bytes survive") << QByteArray("a\0b", 3) << QString(QStringLiteral("a")) + QChar(0) + u'b';
}

void TestTextFile::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TextFile::decode(bytes), text);
}

void TestTextFile::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("crlf") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lf") << QStringLiteral("a\nb") << QStringList{"a", "b"};
    QTest::newRow("lone cr") << QStringLiteral("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("mixed with empty lines")
        << QStringLiteral("a\r\n\r\nb\n\nc\r\rd") << QStringList{"a", "", "b", "", "c", "", "d"};
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("only a line end") << QStringLiteral("\r\n") << QStringList{""};
    QTest::newRow("blanks kept") << QStringLiteral("  a \t\r\n") << QStringList{"  a \t"};
}

void TestTextFile::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(TextFile::splitLines(text), lines);
}

void TestTextFile::encodeMakesEveryLineEndCrLf()
{
    QCOMPARE(TextFile::encode(QStringLiteral("a\nb\rc\r\nd")), QByteArray("a\r\nb\r\nc\r\nd"));
    QCOMPARE(TextFile::encode(QStringLiteral("\r\n\r\n")), QByteArray("\r\n\r\n"));
    QCOMPARE(TextFile::encode(QStringLiteral("€")), QByteArray("\xe2\x82\xac"));
}

void TestTextFile::textBeginningWithZeroWidthSpaceReadsBack()
{
    // U+FEFF as the text's first character is written behind a
    // byte-order mark, so the read that drops the mark keeps the character.
    const QString text = QStringLiteral("\uFEFFBlank Pole\r\n");
    QCOMPARE(TextFile::encode(text), QByteArray("\xef\xbb\xbf\xef\xbb\xbf" "Blank Pole\r\n"));
    QCOMPARE(TextFile::decode(TextFile::encode(text)), text);
    QCOMPARE(TextFile::encode(QStringLiteral("Blank Pole")), QByteArray("Blank Pole"));
}

void TestTextFile::replaceWritesUtf8WithCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    TextFile::replace(path, QStringLiteral("# header \nSnow Blank Man\n"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("# header \r\nSnow Blank Man\r\n"));
    QCOMPARE(TextFile::read(path), QStringLiteral("# header \r\nSnow Blank Man\r\n"));
}

void TestTextFile::readOfMissingFolderOrUnreadableFileThrows()
{
    QTemporaryDir dir;
    try {
        TextFile::read(dir.filePath(QStringLiteral("missing.txt")));
        QFAIL("a missing file was read");
    } catch (const ZorbelError &error) {
        QCOMPARE(error.number(), ErrorNumber::FileNotFound);
    }
    try {
        TextFile::read(dir.path());
        QFAIL("a folder was read as a file");
    } catch (const ZorbelError &error) {
        QCOMPARE(error.number(), ErrorNumber::PathFileAccessError);
    }
}

void TestTextFile::failedReplaceLeavesOldFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<ErrorNumber>("number");
    QTest::newRow("read-only file") << "readonly" << ErrorNumber::PermissionDenied;
    QTest::newRow("read-only folder") << "readonly-dir" << ErrorNumber::PermissionDenied;
    QTest::newRow("target is a folder") << "folder" << ErrorNumber::PathFileAccessError;
    QTest::newRow("folder removed") << "no-dir" << ErrorNumber::PathNotFound;
}

void TestTextFile::failedReplaceLeavesOldFile()
{
    QFETCH(QString, fault);
    QFETCH(ErrorNumber, number);
    if (fault == QLatin1String("readonly-dir") && geteuid() == 0)
        QSKIP("root writes through read-only permissions");

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Zorbel.cfg"));
    TextFile::replace(path, QStringLiteral("old\n"));
    if (fault == QLatin1String("readonly"))
        QFile::setPermissions(path, QFile::ReadOwner);
    if (fault == QLatin1String("readonly-dir"))
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    if (fault == QLatin1String("folder"))
        path = dir.path();
    if (fault == QLatin1String("no-dir"))
        path = dir.filePath(QStringLiteral("gone/Zorbel.cfg"));

    try {
        TextFile::replace(path, QStringLiteral("new\n"));
        QFAIL("the write did not fail");
    } catch (const ZorbelError &error) {
        QCOMPARE(error.number(), number);
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(TextFile::read(dir.filePath(QStringLiteral("Zorbel.cfg"))), QStringLiteral("old\r\n"));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
