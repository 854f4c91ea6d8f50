#include "error_of.h"
#include "services/files/text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac") << QStringLiteral("café €");
        QTest::newRow("mark dropped") << QByteArray("\xef\xbb\xbfHi") << QStringLiteral("Hi");
        QTest::newRow("cp1252") << QByteArray("caf\xe9 \x80 \x93q\x94 \x85") << QStringLiteral("café € \u201cq\u201d \u2026");
        QTest::newRow("cp1252 undefined byte") << QByteArray("a\x81z") << QStringLiteral("a\u0081z");
        QTest::newRow("truncated utf-8") << QByteArray("\xc3") << QStringLiteral("\u00c3");
        QTest::newRow("nul bytes") << QByteArray("a\0b", 3) << QStringLiteral("a") + QChar(0) + u'b';
    }

    void decode()
    {
        QFETCH(QByteArray, bytes);
        QTEST(TextFile::decode(bytes), "text");
    }

    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("mixed empty lines") << QStringLiteral("a\r\n\r\nb\n\nc\r\rd") << QStringList{"a", "", "b", "", "c", "", "d"};
        QTest::newRow("empty") << QString() << QStringList{};
        QTest::newRow("only a line end") << QStringLiteral("\r\n") << QStringList{""};
        QTest::newRow("blanks kept") << QStringLiteral("  a \t\r\n") << QStringList{"  a \t"};
    }

    void splitLines()
    {
        QFETCH(QString, text);
        QTEST(TextFile::splitLines(text), "lines");
    }

    void writesUtf8WithCrLf()
    {
        QCOMPARE(TextFile::encode(QStringLiteral("a\nb\rc\r\nd\r\n\r\n€")), QByteArray("a\r\nb\r\nc\r\nd\r\n\r\n\xe2\x82\xac"));
        // A leading U+FEFF goes behind a byte-order mark, so the read that drops
        // the mark keeps the character.
        const QString text = QStringLiteral("\uFEFFBlank Pole\r\n");
        QCOMPARE(TextFile::encode(text), QByteArray("\357\273\277\357\273\277Blank Pole\r\n"));
        QCOMPARE(TextFile::decode(TextFile::encode(text)), text);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.txt"));
        TextFile::replace(path, QStringLiteral("# header \nSnow Blank Man\n"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("# header \r\nSnow Blank Man\r\n"));
    }

    void failuresLeaveOldFile_data()
    {
        QTest::addColumn<QString>("name"); // in the folder that holds the old file
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("number");
        QTest::newRow("read a missing file") << "missing.txt" << false << 53;
        QTest::newRow("read a folder") << "" << false << 75;
        QTest::newRow("write into a missing folder") << "gone/Zorbel.cfg" << true << 76;
        QTest::newRow("read a file over the size limit") << "huge.txt" << false << 7;
    }

    void failuresLeaveOldFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, write);
        QTemporaryDir dir;
        const QString old = dir.filePath(QStringLiteral("Zorbel.cfg"));
        TextFile::replace(old, QStringLiteral("old\n"));
        const QString path = name.isEmpty() ? dir.path() : dir.filePath(name);
        if (name == QLatin1String("huge.txt")) {
            QFile huge(path); // sparse: takes no room on the disk
            QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(TextFile::kLargestFile + 1));
        }
        QTEST(errorOf([&] { write ? TextFile::replace(path, QStringLiteral("new\n")) : void(TextFile::read(path)); }), "number");
        QCOMPARE(TextFile::read(old), QStringLiteral("old\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
