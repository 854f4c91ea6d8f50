// The saved-game reader: any bytes are either refused with a reason or read
// as a game that writes back to the same game. The input is tried as it
// stands and as the body of a file with a correct header and checksum, so
// that the fuzzer reaches the fields behind the checksum.

#include "fuzz_support.h"

#include "play/saved_game.h"
#include "play/shuffle_order.h"

#include <QCryptographicHash>

namespace {

QByteArray signedFile(const QByteArray &body)
{
    QByteArray file = QByteArrayLiteral("ZORBELSG\0\0\0\1") + body;
    return file + QCryptographicHash::hash(file, QCryptographicHash::Sha1);
}

// A fresh game over four questions in each mode, as a start-up opens it.
Game::Snapshot freshGame()
{
    const QStringList file{"A,___", "B,___", "C,___", "D,___"};
    Game::Snapshot fresh;
    for (Game::ModeState &mode : fresh.modes) {
        mode.order = {3, 1, 0, 2};
        mode.questions = inOrder(file, mode.order);
        mode.source = QuestionLoader::fingerprint(file);
        mode.number = 1;
    }
    return fresh;
}

void check(const QByteArray &bytes)
{
    const std::variant<SavedGame, QString> decoded = SavedGame::decode(bytes);
    if (const QString *problem = std::get_if<QString>(&decoded)) {
        FUZZ_CHECK(!problem->isEmpty(), shown(bytes));
        return;
    }
    const SavedGame &game = std::get<SavedGame>(decoded);
    const std::variant<SavedGame, QString> again = SavedGame::decode(game.encode());
    FUZZ_CHECK(std::holds_alternative<SavedGame>(again), std::get<QString>(again));
    const SavedGame &back = std::get<SavedGame>(again);
    FUZZ_CHECK(back.state == game.state && back.settings == game.settings && back.savedAt == game.savedAt && back.finished == game.finished,
               shown(bytes));
    const SavedGame::Resumption resumption = game.resumedOver(freshGame());
    for (const Game::ModeState &mode : resumption.state.modes)
        FUZZ_CHECK(mode.questions.size() == mode.order.size() && mode.number <= mode.questions.size(), shown(bytes));
    FUZZ_CHECK(!game.summary().isEmpty(), shown(bytes));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    check(bytes);
    check(signedFile(bytes));
    return 0;
}
