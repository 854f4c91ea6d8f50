#include "play/auto_save.h"

#include "play/game.h"

#include "services/app_context.h"
#include "services/clock.h"
#include "services/prompter.h"

#include <QFile>
#include <QLocale>

AutoSave::AutoSave(Game &game, AppContext &context, QObject *parent)
    : QObject(parent)
    , m_game(game)
    , m_context(context)
    , m_path(context.programFile(SavedGameFile::fileName()))
{
    // One move of the host changes many parts of the game; they are saved
    // together once the move is over.
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(0);
    connect(&m_saveTimer, &QTimer::timeout, this, [this] { saveNow(); });
    // One writer: saves reach the disk in the order they were made. It
    // stays for the whole game, so no save waits for a thread to start.
    m_writer.setMaxThreadCount(1);
    m_writer.setExpiryTimeout(-1);
}

AutoSave::~AutoSave()
{
    flush();
}

void AutoSave::resumeOrStart()
{
    const std::variant<SavedGameFile::NoFile, SavedGame, QString> found = SavedGameFile::read(m_path);
    if (const QString *problem = std::get_if<QString>(&found)) {
        m_context.writeLogInfo(QStringLiteral("Saved game %1 ignored: %2.")
                                   .arg(m_context.displayPath(SavedGameFile::fileName()), *problem));
    } else if (const SavedGame *saved = std::get_if<SavedGame>(&found)) {
        if (!saved->finished && saved->worthResuming())
            offer(*saved);
    }
    watch();
}

void AutoSave::offer(const SavedGame &saved)
{
    const QString when = QLocale::system().toString(saved.savedAt, QLocale::ShortFormat);
    const PromptAnswer answer = m_context.prompter().ask(
        {QStringLiteral("Resume the game from %1? %2").arg(when, saved.summary()), QStringLiteral("Resume Game"),
         Prompt::Buttons::YesNo, Prompt::Icon::Question});
    if (answer == PromptAnswer::Yes)
        resume(saved);
    else
        putAside();
}

void AutoSave::resume(const SavedGame &saved)
{
    const SavedGame::Resumption resumption = saved.resumedOver(m_game.snapshot());
    m_game.applySettings(saved.settings);
    m_game.restore(resumption.state);
    for (const QuestionMode mode : resumption.afresh) {
        const QString file = m_context.displayPath(GameMode::of(mode).fileName());
        m_context.prompter().ask({QStringLiteral("%1 has changed since the game was saved: the names and scores are "
                                                 "back, and its questions start afresh.")
                                      .arg(file),
                                  QStringLiteral("Resume Game"), Prompt::Buttons::Ok, Prompt::Icon::Information});
    }
}

// The game the host declined stays at hand, in place of the one before it.
void AutoSave::putAside()
{
    const QString previous = m_context.programFile(SavedGameFile::previousFileName());
    QFile::remove(previous);
    if (!QFile::rename(m_path, previous))
        m_context.writeLogInfo(QStringLiteral("Saved game %1 could not be kept as %2.")
                                   .arg(m_context.displayPath(SavedGameFile::fileName()),
                                        m_context.displayPath(SavedGameFile::previousFileName())));
}

void AutoSave::watch()
{
    m_saving = true;
    const auto soon = [this] { saveSoon(); };
    connect(&m_game, &Game::questionChanged, this, soon);
    connect(&m_game, &Game::modeOnShowChanged, this, soon);
    connect(&m_game, &Game::playerCountChanged, this, soon);
    connect(&m_game, &Game::playerNameChanged, this, soon);
    connect(&m_game, &Game::scoreChanged, this, soon);
    connect(&m_game, &Game::currentPlayerChanged, this, soon);
    connect(&m_game, &Game::roundChanged, this, soon);
    connect(&m_game, &Game::scoreToWinChanged, this, soon);
    // The countdown's length and the options; a tick saves nothing, as the
    // game it would save is the one saved already.
    connect(&m_game, &Game::countdownChanged, this, soon);
    connect(&m_game, &Game::timerOnChanged, this, soon);
    connect(&m_game, &Game::soundOnChanged, this, soon);
    connect(&m_game, &Game::buzzerChanged, this, soon);
    connect(&m_game, &Game::soundAlwaysOnChanged, this, soon);
    saveSoon();
}

void AutoSave::saveSoon()
{
    m_saveTimer.start();
}

void AutoSave::finish()
{
    if (!std::exchange(m_saving, false))
        return;
    m_saveTimer.stop();
    disconnect(&m_game, nullptr, this, nullptr);
    saveNow(true);
    flush();
}

void AutoSave::flush()
{
    m_writer.waitForDone();
}

void AutoSave::saveNow(bool finished)
{
    SavedGame game{m_context.clock().now(), finished, m_game.snapshot(), m_game.settings()};
    // Copies of the game share its question lists, so the comparison is cheap.
    if (m_lastPosted && m_lastPosted->finished == finished && m_lastPosted->state == game.state
        && m_lastPosted->settings == game.settings)
        return;
    m_lastPosted = game;
    post(std::move(game));
}

// Only the latest game waiting is written: one the writer has not reached
// yet is out of date once a newer one arrives.
void AutoSave::post(SavedGame game)
{
    QMutexLocker lock(&m_mutex);
    m_pending = std::move(game);
    if (!std::exchange(m_writeQueued, true))
        m_writer.start([this] { writePending(); });
}

// On the writer's thread.
void AutoSave::writePending()
{
    for (;;) {
        std::optional<SavedGame> game;
        {
            QMutexLocker lock(&m_mutex);
            if (!m_pending) {
                m_writeQueued = false;
                return;
            }
            game = std::exchange(m_pending, std::nullopt);
        }
        const QString error = SavedGameFile::write(m_path, *game);
        QMetaObject::invokeMethod(
            this, [this, error] { reportWrite(error); }, Qt::QueuedConnection);
    }
}

// A disk that stays full is logged once, not at every move.
void AutoSave::reportWrite(const QString &error)
{
    if (error.isEmpty()) {
        m_failing = false;
    } else if (!std::exchange(m_failing, true)) {
        m_context.writeLogInfo(QStringLiteral("The game in progress could not be saved to %1: %2")
                                   .arg(m_context.displayPath(SavedGameFile::fileName()), error));
    }
}
