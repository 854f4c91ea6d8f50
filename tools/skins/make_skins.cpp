// Draws the button library's skin pictures and its hand cursor.
//
//   make_skins <button/resources> [--sheet review.png]
//
// Writes skins/<name><state>.png and cursor101.png below the given folder;
// --sheet also renders every picture onto one review picture.

#include "contact_sheet.h"
#include "hand_cursor.h"
#include "skin_styles.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

bool savePng(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG", 0) || !file.commit()) {
        std::fprintf(stderr, "make_skins: cannot write %s\n", qPrintable(QDir::toNativeSeparators(path)));
        return false;
    }
    std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // Painting needs no screen; fonts for the review sheet still need a GUI app.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the button skins and cursor."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("resources"), QStringLiteral("The button/resources folder."));
    const QCommandLineOption sheetOption(
        QStringLiteral("sheet"), QStringLiteral("Also write a review sheet of every picture."), QStringLiteral("file"));
    parser.addOption(sheetOption);
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    const QDir resources(parser.positionalArguments().constFirst());
    if (!resources.mkpath(QStringLiteral("skins"))) {
        std::fprintf(stderr, "make_skins: cannot create the skins folder\n");
        return 1;
    }

    bool ok = true;
    QList<QList<QImage>> pictures;
    for (int style = 0; style < skinStyleCount; ++style) {
        const QString base = skinStyle(style).name.toLower();
        QList<QImage> states;
        for (int state = 0; state < skinStateCount; ++state) {
            states.append(paintSkin(style, state));
            ok &= savePng(states.last(), resources.filePath(QStringLiteral("skins/%1%2.png").arg(base).arg(state)));
        }
        pictures.append(states);
    }
    const QImage cursor = paintHandCursor();
    ok &= savePng(cursor, resources.filePath(QStringLiteral("cursor101.png")));

    if (parser.isSet(sheetOption))
        ok &= savePng(paintContactSheet(pictures, cursor), parser.value(sheetOption));
    return ok ? 0 : 1;
}
