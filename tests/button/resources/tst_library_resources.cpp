#include "ravlen.h"

#include <QFile>
#include <QImage>
#include <QTest>

// Links only the shared RavlenLib, as the game does: its compiled-in
// pictures and sounds must be there without any set-up by the program.
class TestLibraryResources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyResource()
    {
        Ravlen button; // using the library's widget keeps the linker from dropping the library
        QStringList pictures{QStringLiteral(":/ravlen/cursor101.png")};
        for (const char *skin : {"aqua", "cherry", "cream", "crystal", "ice", "longhorn", "mac", "office2007", "ooz",
                                 "silver", "vista", "vistataskbar", "winxp"}) {
            for (int state = 0; state < 3; ++state)
                pictures.append(QStringLiteral(":/ravlen/skins/%1%2.png").arg(QLatin1String(skin)).arg(state));
        }
        for (const QString &path : pictures)
            QVERIFY2(!QImage(path).isNull(), qPrintable(path));
        for (int id = 101; id <= 110; ++id) {
            QFile file(QStringLiteral(":/ravlen/sounds/sound%1.wav").arg(id));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            QVERIFY(file.readAll().startsWith("RIFF"));
        }
    }
};

QTEST_MAIN(TestLibraryResources)
#include "tst_library_resources.moc"
