// Draws the pictures of the game's window skin.
//
//   make_glyphs <game/resources/skin>
//
// Writes check.png and arrow-<direction>[-disabled].png into the folder.

#include "skin_glyphs.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the window skin's check mark and arrows."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("The game/resources/skin folder."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    const QDir folder(parser.positionalArguments().constFirst());
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make_glyphs: cannot create %s\n", qPrintable(QDir::toNativeSeparators(folder.path())));
        return 1;
    }
    int failures = 0;
    for (const SkinGlyphs::Glyph &glyph : SkinGlyphs::all()) {
        const QString path = folder.filePath(glyph.fileName);
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !glyph.image.save(&file, "PNG", 0) || !file.commit()) {
            std::fprintf(stderr, "make_glyphs: cannot write %s\n", qPrintable(QDir::toNativeSeparators(path)));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
    }
    return failures == 0 ? 0 : 1;
}
