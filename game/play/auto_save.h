#pragma once

#include "play/saved_game.h"

#include <QMutex>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <optional>

class AppContext;
class Game;

// Keeps the game in progress in the data folder, so that closing the lid,
// a flat battery or a crash costs nothing: after every change of the game
// the whole game is written again, off the host's thread and one step at a
// time, so the file on disk is always a whole game, the latest or the one
// before. At start-up an unfinished game found there is offered to the
// host.
class AutoSave : public QObject
{
    Q_OBJECT

public:
    AutoSave(Game &game, AppContext &context, QObject *parent = nullptr);
    ~AutoSave() override;

    // Once the game has opened: an unfinished game in the data folder is
    // offered to the host, and then either taken up or kept aside as the
    // previous game; a file that is no saved game is left with a line in
    // the log. From then on every change is saved.
    void resumeOrStart();

    // The host ended the game: the file says so and nothing more is saved.
    void finish();

    // Waits until every save asked for so far is on disk.
    void flush();

private:
    void offer(const SavedGame &saved);
    void resume(const SavedGame &saved);
    void putAside();
    void watch();
    void saveSoon();
    void saveNow(bool finished = false);
    void post(SavedGame game);
    void writePending();
    void reportWrite(const QString &error);

    Game &m_game;
    AppContext &m_context;
    const QString m_path;
    QTimer m_saveTimer;
    bool m_saving = false;
    bool m_failing = false;
    std::optional<SavedGame> m_lastPosted;

    // Shared with the writer's thread.
    QMutex m_mutex;
    std::optional<SavedGame> m_pending;
    bool m_writeQueued = false;
    QThreadPool m_writer;
};
