#include "play/phone/phone_room.h"

#include "play/game_history.h"
#include "play/phone/phone_message.h"

#include <QRandomGenerator>

namespace {

QString randomCode()
{
    QString code;
    for (int i = 0; i < PhoneMessage::kRoomCodeLength; ++i)
        code += QChar(u'A' + QRandomGenerator::system()->bounded(26));
    return code;
}

QString randomToken()
{
    QByteArray bytes(PhoneMessage::kTokenLength / 2, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    return QString::fromLatin1(bytes.toHex());
}

} // namespace

PhoneRoom::PhoneRoom(Game &game, GameHistory &history, QObject *parent)
    : QObject(parent)
    , m_game(game)
    , m_history(history)
{
    connect(&m_game, &Game::questionChanged, this, [this](QuestionMode mode) {
        if (mode == m_game.modeOnShow())
            clearPrompt();
    });
    connect(&m_game, &Game::modeOnShowChanged, this, &PhoneRoom::clearPrompt);
}

void PhoneRoom::open()
{
    m_code = randomCode();
    m_tokens.fill(QString());
    Q_EMIT seatsChanged();
    clearPrompt();
}

std::variant<PhoneRoom::Seat, QString> PhoneRoom::join(const QString &room, const QString &name, const QString &token)
{
    if (m_code.isEmpty() || room.compare(m_code, Qt::CaseInsensitive) != 0)
        return QStringLiteral("wrong room code");
    const QString shownName = name.simplified();
    if (shownName.isEmpty())
        return QStringLiteral("no name");
    int player = token.isEmpty() ? -1 : int(std::find(m_tokens.begin(), m_tokens.end(), token) - m_tokens.begin());
    if (player < 0 || player >= Game::kMaxPlayers)
        player = int(std::find(m_tokens.begin(), m_tokens.end(), QString()) - m_tokens.begin());
    if (player >= Game::kMaxPlayers)
        return QStringLiteral("the room is full");
    if (m_tokens[player].isEmpty())
        m_tokens[player] = randomToken();

    m_history.perform(QStringLiteral("Phone player %1 joins").arg(player + 1), [this, player, &shownName] {
        m_game.makeRoomForPlayers(player + 1);
        m_game.setPlayerName(player, shownName);
    });
    Q_EMIT seatsChanged();
    return Seat{player, m_tokens[player]};
}

bool PhoneRoom::takesAnswers() const
{
    return !m_revealed && m_game.modeOnShow() == QuestionMode::Match && m_game.onShow(QuestionMode::Match);
}

bool PhoneRoom::takesBuzzes() const
{
    return m_buzzed < 0 && m_game.modeOnShow() == QuestionMode::Phrase && m_game.onShow(QuestionMode::Phrase);
}

bool PhoneRoom::answer(int player, const QString &text)
{
    const QString trimmed = text.trimmed();
    if (!held(player) || !takesAnswers() || trimmed.isEmpty())
        return false;
    m_answers[player] = trimmed;
    Q_EMIT answersChanged();
    return true;
}

bool PhoneRoom::buzz(int player)
{
    if (!held(player) || !takesBuzzes() || player >= m_game.playerCount())
        return false;
    m_buzzed = player;
    m_history.giveTurnTo(player);
    Q_EMIT buzzChanged(player);
    return true;
}

void PhoneRoom::reveal()
{
    if (m_revealed || m_game.modeOnShow() != QuestionMode::Match)
        return;
    m_revealed = true;
    Q_EMIT revealedChanged(true);
}

// Once for each reveal: a second press would score the same answers again.
// A host who took the award back gets it again with redo.
void PhoneRoom::awardMatches()
{
    if (!m_revealed || std::exchange(m_awarded, true))
        return;
    QList<int> matched;
    for (const AnswerGroup &group : groups()) {
        if (group.players.size() > 1)
            matched << group.players;
    }
    if (matched.isEmpty())
        return;
    std::sort(matched.begin(), matched.end());
    m_history.perform(QStringLiteral("Award matches"), [this, &matched] {
        for (const int player : std::as_const(matched))
            m_game.raiseScore(player);
    });
}

void PhoneRoom::releaseBuzz()
{
    if (std::exchange(m_buzzed, -1) >= 0)
        Q_EMIT buzzChanged(-1);
}

QList<PhoneRoom::AnswerGroup> PhoneRoom::groups() const
{
    QList<AnswerGroup> groups;
    QStringList keys;
    for (int player = 0; player < Game::kMaxPlayers; ++player) {
        if (m_answers[player].isEmpty())
            continue;
        const QString key = normalised(m_answers[player]);
        const qsizetype found = keys.indexOf(key);
        if (found >= 0) {
            groups[found].players << player;
            continue;
        }
        keys << key;
        groups << AnswerGroup{m_answers[player], {player}};
    }
    return groups;
}

QString PhoneRoom::normalised(const QString &answer)
{
    QString folded;
    for (const QChar c : answer.toCaseFolded()) {
        if (!c.isPunct() && !c.isSymbol())
            folded += c;
    }
    return folded.simplified();
}

void PhoneRoom::clearPrompt()
{
    const bool hadAnswers = std::any_of(m_answers.begin(), m_answers.end(),
                                        [](const QString &a) { return !a.isEmpty(); });
    m_answers.fill(QString());
    m_awarded = false;
    if (std::exchange(m_revealed, false))
        Q_EMIT revealedChanged(false);
    if (hadAnswers)
        Q_EMIT answersChanged();
    releaseBuzz();
    Q_EMIT promptChanged();
}
