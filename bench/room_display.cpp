// How long the room display takes from a change of the game to its finished
// repaint. A game over a fresh program directory with four named players is
// changed 1,000 times in a fixed mix (a score up or down, a step to the next
// match, a countdown second), and after each change events are processed
// until the window has painted. The same mix is then timed on a plain grid
// of QLabels that follows the same signals, the reference. Offscreen, at
// 1920 x 1080; prints the medians and 99th percentiles in milliseconds.
//
//   room_display [--changes N]

#include "play/windows/room_display.h"
#include "play/game.h"
#include "play/question_loader.h"
#include "services/app_context.h"
#include "services/clock.h"
#include "services/prompter.h"
#include "services/url_opener.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr QSize kScreen(1920, 1080);
constexpr int kPlayers = 4;

// Counts the paint events of one window's widgets.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(const QWidget &window)
        : m_window(window)
    {
        qApp->installEventFilter(this);
    }
    int paints() const { return m_paints; }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && object->isWidgetType()
            && static_cast<QWidget *>(object)->window() == &m_window)
            ++m_paints;
        return false;
    }

private:
    const QWidget &m_window;
    int m_paints = 0;
};

// The reference: the same texts in labels with pixel-sized fonts, laid out
// by a grid and updated by the same signals.
class LabelGrid : public QWidget
{
public:
    explicit LabelGrid(Game &game)
    {
        auto *grid = new QGridLayout(this);
        // The window keeps its size whatever the labels hold.
        grid->setSizeConstraint(QLayout::SetNoConstraint);
        const auto label = [this, grid](int row, int column, int pixels, int rowSpan = 1, int columnSpan = 1) {
            auto *text = new QLabel(this);
            QFont font = text->font();
            font.setPixelSize(pixels);
            font.setBold(true);
            text->setFont(font);
            text->setWordWrap(true);
            grid->addWidget(text, row, column, rowSpan, columnSpan);
            return text;
        };
        const int h = kScreen.height();
        QLabel *round = label(0, 0, h * 6 / 100);
        QLabel *prompt = label(1, 0, h * 8 / 100, Game::kMaxPlayers - 1);
        QLabel *countdown = label(Game::kMaxPlayers, 0, h * 15 / 100);
        QList<QLabel *> names;
        QList<QLabel *> scores;
        for (int i = 0; i < Game::kMaxPlayers; ++i) {
            names << label(i + 1, 1, h * 5 / 100);
            scores << label(i + 1, 2, h * 6 / 100);
        }
        const auto showPrompt = [&game, prompt] { prompt->setText(game.question(game.modeOnShow())); };
        connect(&game, &Game::questionChanged, this, showPrompt);
        connect(&game, &Game::roundChanged, this,
                [round](int number) { round->setText(QStringLiteral("Round %1").arg(number)); });
        connect(&game, &Game::countdownChanged, this, [&game, countdown] { countdown->setText(game.countdownText()); });
        connect(&game, &Game::scoreChanged, this,
                [scores](int player, int score) { scores[player]->setText(QString::number(score)); });
        connect(&game, &Game::currentPlayerChanged, this, [names](int player) {
            for (int i = 0; i < names.size(); ++i)
                names[i]->setStyleSheet(i == player ? QStringLiteral("background: rgb(255, 224, 192)") : QString());
        });
        for (int i = 0; i < Game::kMaxPlayers; ++i) {
            names[i]->setText(game.playerName(i));
            scores[i]->setText(QString::number(game.score(i)));
            names[i]->setVisible(i < game.playerCount());
            scores[i]->setVisible(i < game.playerCount());
        }
        showPrompt();
        round->setText(QStringLiteral("Round %1").arg(game.round()));
        countdown->setText(game.countdownText());
    }
};

// One change of the mix: scores stay low so that no round is decided.
void change(Game &game, int n)
{
    const int player = n % game.playerCount();
    switch (n % 3) {
    case 0:
        game.score(player) >= 2 ? game.lowerScore(player) : game.raiseScore(player);
        break;
    case 1:
        game.next(QuestionMode::Match);
        break;
    default:
        game.tick();
        break;
    }
}

struct Percentiles {
    double p50 = 0;
    double p99 = 0;
};

// Milliseconds from each change to the window's finished repaint.
Percentiles timeRepaints(Game &game, QWidget &window, int changes)
{
    window.resize(kScreen);
    window.show();
    QCoreApplication::processEvents();
    const PaintCounter counter(window);
    QList<double> times;
    QElapsedTimer clock;
    for (int n = 0; n < changes; ++n) {
        const int before = counter.paints();
        clock.start();
        change(game, n);
        while (counter.paints() == before)
            QCoreApplication::processEvents();
        times << double(clock.nsecsElapsed()) / 1e6;
    }
    window.hide();
    std::sort(times.begin(), times.end());
    return {times.at(times.size() / 2), times.at(times.size() * 99 / 100)};
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int changes = 1000;
    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--changes")); at > 0 && at + 1 < arguments.size())
        changes = std::max(1, arguments.at(at + 1).toInt());

    QTemporaryDir programDir;
    QFile matches(programDir.filePath(questionFileName(QuestionMode::Match)));
    if (!programDir.isValid() || !matches.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "room_display: cannot prepare a program directory\n");
        return 1;
    }
    for (const char *line : {"Blank Pole", "Christmas Blank", "Snow Blank Man", "Blank Ball", "Fire Blank"})
        matches.write(QByteArray(line) + "\r\n");
    matches.close();

    AppContext context({programDir.path(), QStringLiteral("zorbel"), QVersionNumber(1, 0, 0), programDir.path()},
                       std::make_unique<SystemClock>(), std::make_unique<MessageBoxPrompter>(),
                       std::make_unique<DesktopUrlOpener>());
    Game game(context);
    game.open();
    game.setPlayerCount(kPlayers);
    for (const auto &[player, name] :
         {std::pair(0, "Maya"), std::pair(1, "Theo"), std::pair(2, "Priya"), std::pair(3, "Jonas")})
        game.setPlayerName(player, QString::fromLatin1(name));

    // One window at a time follows the game, so that each is timed alone.
    Percentiles ours;
    Percentiles reference;
    {
        RoomDisplay display(game);
        ours = timeRepaints(game, display, changes);
    }
    {
        LabelGrid grid(game);
        reference = timeRepaints(game, grid, changes);
    }

    std::printf("room_display_changes: %d\n", changes);
    std::printf("room_display_p50_ms: %.3f\n", ours.p50);
    std::printf("room_display_p99_ms: %.3f\n", ours.p99);
    std::printf("label_grid_p50_ms: %.3f\n", reference.p50);
    std::printf("label_grid_p99_ms: %.3f\n", reference.p99);
    std::printf("room_display_p99_vs_label_grid: %.2f\n", ours.p99 / reference.p99);
    return 0;
}
