#include "play/saved_game.h"

#include "play/question_loader.h"
#include "play/shuffle_order.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

constexpr QByteArrayView kMagic = "ZORBELSG";
constexpr auto kCheck = QCryptographicHash::Sha1;
constexpr qsizetype kCheckSize = 20;
// Two full question files and ten long names stay far below it.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;
constexpr int kMaxTextLength = 32767; // a line edit's longest text
constexpr int kMaxSourceSize = 64;

class ByteWriter
{
public:
    template <typename T>
    void put(T value)
    {
        const T big = qToBigEndian(value);
        m_bytes.append(reinterpret_cast<const char *>(&big), sizeof big);
    }
    void putBool(bool value) { put<quint8>(value ? 1 : 0); }
    void putBytes(QByteArrayView bytes)
    {
        put<quint32>(quint32(bytes.size()));
        m_bytes.append(bytes);
    }
    void putText(const QString &text) { putBytes(text.toUtf8()); }
    QByteArray &bytes() { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Reads what ByteWriter wrote; any read past the end, or a value out of its
// range, leaves it failed and every later read gives nothing.
class ByteReader
{
public:
    explicit ByteReader(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_position == m_bytes.size(); }

    template <typename T>
    T get()
    {
        if (!take(sizeof(T)))
            return T();
        return qFromBigEndian<T>(m_bytes.data() + m_position - qsizetype(sizeof(T)));
    }
    template <typename T>
    T getIn(T low, T high)
    {
        const T value = get<T>();
        return check(value >= low && value <= high) ? value : low;
    }
    bool getBool() { return getIn<quint8>(0, 1) == 1; }
    QByteArray getBytes(qsizetype maxSize)
    {
        const auto size = get<quint32>();
        if (!check(size <= maxSize) || !take(size))
            return {};
        return m_bytes.sliced(m_position - size, size).toByteArray();
    }
    QString getText()
    {
        const QString text = QString::fromUtf8(getBytes(kMaxTextLength * 4));
        return check(text.size() <= kMaxTextLength) ? text : QString();
    }
    bool check(bool condition)
    {
        m_ok = m_ok && condition;
        return m_ok;
    }

private:
    bool take(qsizetype size)
    {
        if (!check(size <= m_bytes.size() - m_position))
            return false;
        m_position += size;
        return true;
    }

    QByteArrayView m_bytes;
    qsizetype m_position = 0;
    bool m_ok = true;
};

void putMode(ByteWriter &out, const Game::ModeState &mode)
{
    out.putBool(mode.gameOn);
    out.putBool(mode.reload);
    out.putBool(mode.holdFirst);
    out.put<qint32>(mode.number);
    out.putBytes(mode.source);
    out.put<quint32>(mode.seed);
    out.put<quint32>(quint32(mode.order.size()));
}

Game::ModeState getMode(ByteReader &in)
{
    Game::ModeState mode;
    mode.gameOn = in.getBool();
    mode.reload = in.getBool();
    mode.holdFirst = in.getBool();
    mode.number = in.get<qint32>();
    mode.source = in.getBytes(kMaxSourceSize);
    mode.seed = in.get<quint32>();
    const auto count = in.getIn<quint32>(0, QuestionLoader::kMaxQuestions);
    const bool numberFits = count == 0 ? mode.number == 0 : mode.number >= 1 && mode.number <= int(count);
    if (in.check(numberFits))
        mode.order = shuffledOrder(count, mode.seed);
    return mode;
}

void putSettings(ByteWriter &out, const PlaySettings &settings)
{
    const CountdownLength length = settings.timerTime.value_or(CountdownLength{});
    out.putText(length.text);
    out.put<qint16>(length.seconds);
    for (const std::optional<bool> &option : {settings.soundContinual, settings.buzzer, settings.sound, settings.timer})
        out.putBool(option.value_or(false));
}

PlaySettings getSettings(ByteReader &in)
{
    PlaySettings settings;
    CountdownLength length;
    length.text = in.getText();
    length.seconds = in.get<qint16>();
    settings.timerTime = length;
    settings.soundContinual = in.getBool();
    settings.buzzer = in.getBool();
    settings.sound = in.getBool();
    settings.timer = in.getBool();
    return settings;
}

} // namespace

bool SavedGame::worthResuming() const
{
    const Game::Snapshot opening;
    const auto played = [](const Game::ModeState &mode) { return mode.number > 1; };
    return state.players != opening.players || state.playerCount != opening.playerCount || state.round != opening.round
           || std::any_of(state.modes.cbegin(), state.modes.cend(), played);
}

QString SavedGame::summary() const
{
    QStringList players;
    for (int i = 0; i < state.playerCount; ++i)
        players.append(QStringLiteral("%1 %2").arg(state.players[i].name).arg(state.players[i].score));
    return QStringLiteral("%1, round %2").arg(players.join(QStringLiteral(", "))).arg(state.round);
}

SavedGame::Resumption SavedGame::resumedOver(const Game::Snapshot &fresh) const
{
    Resumption resumption{state, {}};
    for (const QuestionMode mode : GameMode::kModes) {
        const Game::ModeState &now = fresh.modes[size_t(mode)];
        Game::ModeState &saved = resumption.state.modes[size_t(mode)];
        if (saved.source == now.source && saved.order.size() == now.questions.size()) {
            // The file's own order, from the fresh game's shuffle of it.
            QStringList fileOrder(now.questions.size());
            for (qsizetype i = 0; i < now.order.size(); ++i)
                fileOrder[now.order.at(i)] = now.questions.at(i);
            saved.questions = inOrder(fileOrder, saved.order);
        } else {
            saved = now;
            resumption.afresh.append(mode);
        }
    }
    return resumption;
}

QByteArray SavedGame::encode() const
{
    ByteWriter out;
    out.bytes().append(kMagic);
    out.put<quint32>(kFormat);
    out.put<qint64>(savedAt.toMSecsSinceEpoch());
    out.putBool(finished);
    out.put<quint8>(quint8(state.modeOnShow));
    out.put<quint8>(quint8(state.playerCount));
    out.put<quint8>(quint8(state.currentPlayer));
    out.put<qint32>(state.round);
    out.put<qint32>(state.scoreToWin);
    out.putBool(state.tieContinue);
    for (const Game::Player &player : state.players) {
        out.putText(player.name);
        out.put<qint32>(player.score);
    }
    for (const Game::ModeState &mode : state.modes)
        putMode(out, mode);
    putSettings(out, settings);
    out.bytes().append(QCryptographicHash::hash(out.bytes(), kCheck));
    return std::move(out.bytes());
}

std::variant<SavedGame, QString> SavedGame::decode(QByteArrayView bytes)
{
    if (!bytes.startsWith(kMagic))
        return QStringLiteral("not a saved game");
    ByteReader header(bytes.sliced(kMagic.size()));
    const auto format = header.get<quint32>();
    if (!header.ok())
        return QStringLiteral("cut short");
    if (format != kFormat)
        return QStringLiteral("written in format %1, this version reads format %2").arg(format).arg(kFormat);
    if (bytes.size() < kMagic.size() + 4 + kCheckSize)
        return QStringLiteral("cut short");
    const QByteArrayView checked = bytes.first(bytes.size() - kCheckSize);
    if (QCryptographicHash::hash(checked, kCheck) != bytes.last(kCheckSize))
        return QStringLiteral("damaged or cut short");

    ByteReader in(checked.sliced(kMagic.size() + 4));
    SavedGame game;
    game.savedAt = QDateTime::fromMSecsSinceEpoch(in.get<qint64>());
    in.check(game.savedAt.isValid());
    game.finished = in.getBool();
    Game::Snapshot &state = game.state;
    state.modeOnShow = QuestionMode(in.getIn<quint8>(0, 1));
    state.playerCount = in.getIn<quint8>(1, Game::kMaxPlayers);
    state.currentPlayer = in.getIn<quint8>(0, quint8(state.playerCount - 1));
    state.round = in.getIn<qint32>(1, std::numeric_limits<qint32>::max());
    state.scoreToWin = in.getIn<qint32>(1, std::numeric_limits<qint32>::max());
    state.tieContinue = in.getBool();
    for (Game::Player &player : state.players) {
        player.name = in.getText();
        player.score = in.getIn<qint32>(0, 2 * QuestionLoader::kMaxQuestions);
    }
    for (Game::ModeState &mode : state.modes)
        mode = getMode(in);
    game.settings = getSettings(in);
    if (!in.ok() || !in.atEnd())
        return QStringLiteral("holds values no game can have");
    return game;
}

namespace SavedGameFile {

QString fileName()
{
    return QStringLiteral("ZorbelGame.sav");
}

QString previousFileName()
{
    return QStringLiteral("ZorbelGame-previous.sav");
}

QString write(const QString &path, const SavedGame &game)
{
    QSaveFile file(path);
    const QByteArray bytes = game.encode();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

std::variant<NoFile, SavedGame, QString> read(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return NoFile{};
    // Reading a pipe or a device could wait for ever.
    if (!info.isFile())
        return QStringLiteral("not a file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize)
        return QStringLiteral("larger than any saved game");
    std::variant<SavedGame, QString> decoded = SavedGame::decode(bytes);
    if (QString *problem = std::get_if<QString>(&decoded))
        return *problem;
    return std::get<SavedGame>(std::move(decoded));
}

} // namespace SavedGameFile
