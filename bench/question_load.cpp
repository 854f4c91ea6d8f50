// Loads a match file of 32,766 lines with our loader and with a plain one
// that searches the gathered text for every line, checks that both keep the
// same questions in the same order, and prints the times in milliseconds.

#include "play/line_rules.h"
#include "play/question_loader.h"
#include "play/shuffle_array.h"
#include "services/files/text_file.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int kLines = int(QuestionLoader::kMaxQuestions);

QString randomWord(QRandomGenerator &random, int length)
{
    QString word;
    for (int i = 0; i < length; ++i)
        word += QChar(u'a' + random.bounded(26));
    word[0] = word[0].toUpper();
    return word;
}

// "Xxxxx Nnnnn Blank Yyyyyy": all lines the same length and the middle word
// numbered, so that no line occurs inside another and every one is kept.
QStringList distinctLines(QRandomGenerator &random)
{
    QStringList lines;
    for (int n = 0; n < kLines; ++n) {
        QString number;
        for (int value = n, digit = 0; digit < 4; ++digit, value /= 26)
            number += QChar(u'a' + value % 26);
        lines.append(randomWord(random, 5) + u' ' + randomWord(random, 1) + number + QStringLiteral(" Blank ")
                     + randomWord(random, 6));
    }
    return lines;
}

// Every fifth line replaced by an earlier one in other letters, or by a part
// of an earlier one that still has two halves.
QStringList withRepeats(const QStringList &lines, QRandomGenerator &random)
{
    QStringList mixed = lines;
    for (int n = 4; n < kLines; n += 5) {
        int earlier = random.bounded(n);
        earlier -= earlier % 5 == 4 ? 1 : 0;
        const QStringList words = lines.at(earlier).split(u' ');
        switch (n % 3) {
        case 0:
            mixed[n] = lines.at(earlier).toLower();
            break;
        case 1:
            mixed[n] = words.mid(1).join(u' ');
            break;
        default:
            mixed[n] = words.mid(0, 3).join(u' ');
            break;
        }
    }
    return mixed;
}

QString writeLines(const QTemporaryDir &dir, const QString &name, const QStringList &lines)
{
    const QString path = dir.filePath(name);
    TextFile::replace(path, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    return path;
}

// The loader as the rules first describe it: every judged line searched for
// in the text of all accepted questions joined by ";".
QStringList plainLoad(const QString &path)
{
    QString gathered;
    for (const QString &line : TextFile::splitLines(TextFile::read(path))) {
        const LineRules::JudgedLine judged = LineRules::judgeMatchLine(line);
        if (!judged.mayAccept() || gathered.contains(judged.text) || !LineRules::hasTwoHalves(judged.text))
            continue;
        gathered += judged.text + u';';
    }
    gathered.chop(1);
    return gathered.isEmpty() ? QStringList() : gathered.split(u';');
}

double bestOf(int runs, const std::function<void()> &work)
{
    double best = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        best = run == 0 ? ms : std::min(best, ms);
    }
    return best;
}

void print(const char *name, double value)
{
    std::printf("%s: %.1f\n", name, value);
    std::fflush(stdout);
}

// Times both loaders on one file; false when they keep different questions.
bool compare(const char *label, const QString &path, double *oursMs, double *plainMs)
{
    QStringList ours;
    QStringList plain;
    *oursMs = bestOf(5, [&] { ours = QuestionLoader::loadFile(path, QuestionMode::Match).questions; });
    *plainMs = bestOf(1, [&] { plain = plainLoad(path); });
    std::printf("question_load_%s_questions: %lld\n", label, qlonglong(ours.size()));
    print(qPrintable(QStringLiteral("question_load_%1_ours_ms").arg(QLatin1String(label))), *oursMs);
    print(qPrintable(QStringLiteral("question_load_%1_plain_ms").arg(QLatin1String(label))), *plainMs);
    if (ours == plain)
        return true;
    std::fprintf(stderr, "%s: the loaders kept different questions (%lld and %lld)\n", label, qlonglong(ours.size()),
                 qlonglong(plain.size()));
    return false;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    QRandomGenerator random(2021);
    const QStringList lines = distinctLines(random);
    const QString distinctPath = writeLines(dir, QStringLiteral("distinct.txt"), lines);
    const QString repeatsPath = writeLines(dir, QStringLiteral("repeats.txt"), withRepeats(lines, random));
    std::printf("question_load_lines: %d\n", kLines);

    // Read, rules, repeat test and shuffle: what a press of Start costs.
    const double fullMs = bestOf(5, [&] {
        const QStringList questions = QuestionLoader::loadFile(distinctPath, QuestionMode::Match).questions;
        const QStringList shuffled = ShuffleArray(questions, quint32(random.generate()));
        Q_UNUSED(shuffled);
    });
    print("question_load_full_ms", fullMs);
    const QStringList questions = QuestionLoader::loadFile(distinctPath, QuestionMode::Match).questions;
    print("question_load_shuffle_ms", bestOf(5, [&] { ShuffleArray(questions, quint32(random.generate())); }));

    double repeatsOurs = 0;
    double repeatsPlain = 0;
    double distinctOurs = 0;
    double distinctPlain = 0;
    const bool same = compare("repeats", repeatsPath, &repeatsOurs, &repeatsPlain)
                      & compare("distinct", distinctPath, &distinctOurs, &distinctPlain);
    print("question_load_speedup", distinctPlain / distinctOurs);
    return same ? 0 : 1;
}
