// What saving the game in progress costs, with ten players and 32,766
// questions in each mode. Two figures:
//
// - one save: the game encoded (the processor's part), and written whole to
//   its file as the autosave writes it (encoded, written through QSaveFile,
//   flushed to the disk and renamed into place), next to the same bytes
//   written with a plain QFile over the old file, the reference. The flush
//   is what a flat battery needs, and its time is the disk's;
// - the host's thread: after each change of the game, the time until the
//   autosave has handed the game to its writer, which is all the host's
//   thread waits for (the writing runs on the writer's own thread).
//
// Prints the medians, the 99th percentiles and the worst case in
// milliseconds.
//
//   autosave [--saves N]

#include "play/auto_save.h"
#include "play/game.h"
#include "play/question_loader.h"
#include "play/saved_game.h"
#include "services/app_context.h"
#include "services/clock.h"
#include "services/prompter.h"
#include "services/url_opener.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

struct Figures {
    double p50 = 0;
    double p99 = 0;
    double max = 0;
};

Figures figuresOf(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return {times.at(times.size() / 2), times.at(times.size() * 99 / 100), times.last()};
}

// Milliseconds for each of n runs of work.
Figures timed(int n, const std::function<void(int)> &work)
{
    QList<double> times;
    QElapsedTimer clock;
    for (int i = 0; i < n; ++i) {
        clock.start();
        work(i);
        times << double(clock.nsecsElapsed()) / 1e6;
    }
    return figuresOf(times);
}

// Lines no other line holds a part of, so every one is a question.
bool writeQuestions(const QString &path, const char *pattern)
{
    QByteArray text;
    for (int i = 0; i < QuestionLoader::kMaxQuestions; ++i)
        text += QByteArray(pattern).replace("%", QByteArray::number(i).rightJustified(5, '0')) + "\r\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// A change of the host's kind: a score, or a step to the next question.
void change(Game &game, int n)
{
    const int player = n % Game::kMaxPlayers;
    if (n % 2 == 0)
        game.score(player) >= 2 ? game.lowerScore(player) : game.raiseScore(player);
    else
        game.next(QuestionMode::Match);
}

void print(const char *name, const Figures &figures)
{
    std::printf("%s_p50_ms: %.3f\n", name, figures.p50);
    std::printf("%s_p99_ms: %.3f\n", name, figures.p99);
    std::printf("%s_max_ms: %.3f\n", name, figures.max);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int saves = 500;
    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--saves")); at > 0 && at + 1 < arguments.size())
        saves = std::max(1, arguments.at(at + 1).toInt());

    QTemporaryDir dir;
    if (!dir.isValid() || !writeQuestions(dir.filePath(questionFileName(QuestionMode::Match)), "W% Blank")
        || !writeQuestions(dir.filePath(questionFileName(QuestionMode::Phrase)), "Phrase % has a Blank.")) {
        std::fprintf(stderr, "autosave: cannot prepare a program directory\n");
        return 1;
    }
    AppContext context({dir.path(), QStringLiteral("zorbel"), QVersionNumber(1, 0, 0), dir.path()},
                       std::make_unique<SystemClock>(), std::make_unique<MessageBoxPrompter>(),
                       std::make_unique<DesktopUrlOpener>());
    Game game(context);
    game.open();
    game.setPlayerCount(Game::kMaxPlayers);
    for (int i = 0; i < Game::kMaxPlayers; ++i)
        game.setPlayerName(i, QStringLiteral("Player number %1").arg(i + 1));
    if (game.questionCount(QuestionMode::Match) != QuestionLoader::kMaxQuestions
        || game.questionCount(QuestionMode::Phrase) != QuestionLoader::kMaxQuestions) {
        std::fprintf(stderr, "autosave: the question files did not load whole\n");
        return 1;
    }

    // Beside the autosave's own file, which must not hold a game to offer.
    const QString path = dir.filePath(QStringLiteral("timed.sav"));
    const auto savedGame = [&] {
        return SavedGame{QDateTime::currentDateTime(), false, game.snapshot(), game.settings()};
    };
    const Figures save = timed(saves, [&](int n) {
        change(game, n);
        SavedGameFile::write(path, savedGame());
    });
    const Figures encode = timed(saves, [&](int n) {
        change(game, n);
        savedGame().encode();
    });
    const QByteArray bytes = savedGame().encode();
    const Figures plain = timed(saves, [&](int) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    });

    AutoSave autoSave(game, context);
    autoSave.resumeOrStart();
    QCoreApplication::processEvents();
    autoSave.flush();
    QList<double> handOffs;
    QElapsedTimer clock;
    for (int n = 0; n < saves; ++n) {
        change(game, n);
        clock.start();
        QCoreApplication::processEvents();
        handOffs << double(clock.nsecsElapsed()) / 1e6;
    }
    const Figures host = figuresOf(handOffs);
    autoSave.flush();

    std::printf("autosave_saves: %d\n", saves);
    std::printf("autosave_file_bytes: %lld\n", static_cast<long long>(bytes.size()));
    print("autosave_encode", encode);
    print("autosave_write", save);
    print("plain_file_write", plain);
    std::printf("autosave_write_p99_vs_plain_file_write: %.2f\n", save.p99 / plain.p99);
    print("autosave_host_thread", host);
    return 0;
}
