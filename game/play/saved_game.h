#pragma once

#include "play/game.h"

#include "services/files/config_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <variant>

// A game in progress as the data folder keeps it, so that a game cut short
// (a closed lid, a flat battery, a crash) goes on where it stood. The
// questions are kept as the seed of their shuffle together with a
// fingerprint of each file's questions, which keeps a save a few hundred
// bytes however long the files are and tells when a file changed since.
struct SavedGame {
    // The layout of the bytes; a file of another format is not read.
    static constexpr quint32 kFormat = 1;

    QDateTime savedAt;
    bool finished = false; // the host ended the game: nothing to resume
    // The question lists themselves are not kept; their order is drawn
    // again from its seed.
    Game::Snapshot state;
    PlaySettings settings; // the countdown and sound options, every one given

    // Whether the game holds anything a host would miss: a name or a
    // player count set, a score, a round or a question played.
    bool worthResuming() const;

    // "Maya 3, Tom 5, round 2": the players in play and the round.
    QString summary() const;

    struct Resumption {
        Game::Snapshot state;
        QList<QuestionMode> afresh; // modes whose questions are no longer the ones saved
    };
    // The game to go on with over a freshly opened one: everything saved,
    // except that a mode whose file no longer holds the questions saved
    // keeps its fresh questions and position.
    Resumption resumedOver(const Game::Snapshot &fresh) const;

    QByteArray encode() const;
    // The game the bytes hold, or why they hold none: not a saved game,
    // another format, damaged or cut short, or values no game can have.
    static std::variant<SavedGame, QString> decode(QByteArrayView bytes);
};

// The saved game's file in the data folder, and the one a declined resume
// moves it to.
namespace SavedGameFile {

QString fileName();
QString previousFileName();

// Replaces the file as one step: a crash or a full disk leaves the old file
// whole. Returns what went wrong, or an empty text.
QString write(const QString &path, const SavedGame &game);

struct NoFile {
};
// The saved game, NoFile, or why the file there is not one.
std::variant<NoFile, SavedGame, QString> read(const QString &path);

} // namespace SavedGameFile
