// Synthesizes the game's background music and its buzzer.
//
//   make_music <game/resources/defaults> [--keep-wav DIR]
//
// Writes Buzzer.wav, and MatchMusic.mp3 encoded with the `lame` program
// (it must be on PATH; it is needed only here, never to build the game).

#include "buzzer.h"
#include "game_tune.h"
#include "wave_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int musicRate = 44100;
constexpr int buzzerRate = 22050;

bool encodeMp3(const QString &wavePath, const QString &mp3Path)
{
    // Joint stereo at 112 kbit/s: small enough to ship, clean enough for a band.
    QProcess lame;
    lame.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    lame.start(QStringLiteral("lame"),
               {QStringLiteral("--quiet"), QStringLiteral("-m"), QStringLiteral("j"), QStringLiteral("-b"),
                QStringLiteral("112"), QStringLiteral("-q"), QStringLiteral("2"), QStringLiteral("--add-id3v2"),
                QStringLiteral("--tt"), QStringLiteral("Match Music"), QStringLiteral("--ta"), QStringLiteral("Zorbel"),
                wavePath, mp3Path});
    if (!lame.waitForStarted()) {
        std::fprintf(stderr, "make_music: cannot run lame (apt-get install lame)\n");
        return false;
    }
    lame.waitForFinished(-1);
    if (lame.exitStatus() != QProcess::NormalExit || lame.exitCode() != 0) {
        std::fprintf(stderr, "make_music: lame failed\n");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Synthesizes the game's music and buzzer."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("defaults"), QStringLiteral("The game/resources/defaults folder."));
    const QCommandLineOption keepWave(QStringLiteral("keep-wav"),
                                      QStringLiteral("Also keep the music's WAV file in this folder."),
                                      QStringLiteral("dir"));
    parser.addOption(keepWave);
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    const QDir defaults(parser.positionalArguments().constFirst());
    if (!defaults.exists()) {
        std::fprintf(stderr, "make_music: no folder %s\n", qPrintable(QDir::toNativeSeparators(defaults.path())));
        return 1;
    }

    bool ok = wave::save(wave::pcm16(renderBuzzer(buzzerRate), buzzerRate),
                         defaults.filePath(QStringLiteral("Buzzer.wav")));

    const StereoTrack tune = renderGameTune(musicRate);
    std::printf("tune: %.2f s\n", tune.seconds());
    QTemporaryDir work;
    const QString wavePath = parser.isSet(keepWave)
                                 ? QDir(parser.value(keepWave)).filePath(QStringLiteral("MatchMusic.wav"))
                                 : work.filePath(QStringLiteral("MatchMusic.wav"));
    ok &= wave::save(wave::pcm16(tune.left, musicRate, &tune.right), wavePath);

    // lame writes beside the target first; the finished file replaces the old one whole.
    const QString encoded = work.filePath(QStringLiteral("MatchMusic.mp3"));
    if (ok && encodeMp3(wavePath, encoded)) {
        QFile result(encoded);
        ok &= result.open(QIODevice::ReadOnly)
              && wave::save(result.readAll(), defaults.filePath(QStringLiteral("MatchMusic.mp3")));
    } else {
        ok = false;
    }
    return ok ? 0 : 1;
}
