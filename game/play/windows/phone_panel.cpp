#include "play/windows/phone_panel.h"

#include "play/phone/phone_room.h"
#include "play/phone/phone_server.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *plainLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

PhonePanel::PhonePanel(PhoneRoom &room, PhoneServer &server, QWidget *console)
    : QWidget(console, Qt::Tool)
    , m_room(room)
    , m_server(server)
    , m_address(plainLabel(this))
    , m_buzz(plainLabel(this))
    , m_answers(plainLabel(this))
    , m_reveal(new QPushButton(QStringLiteral("Reveal answers (F7)"), this))
    , m_award(new QPushButton(QStringLiteral("Award matches (F8)"), this))
    , m_release(new QPushButton(QStringLiteral("Release buzz (F9)"), this))
{
    setWindowTitle(QStringLiteral("Zorbel Phone Play"));
    auto *layout = new QVBoxLayout(this);
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_address);
    auto *players = new QGridLayout;
    for (int i = 0; i < int(m_players.size()); ++i) {
        m_players[i] = plainLabel(this);
        players->addWidget(m_players[i], i % 5, i / 5);
    }
    layout->addLayout(players);
    layout->addWidget(m_buzz);
    layout->addWidget(m_answers);
    auto *buttons = new QHBoxLayout;
    auto *off = new QPushButton(QStringLiteral("Turn off (F6)"), this);
    for (QPushButton *button : {m_reveal, m_award, m_release, off}) {
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);

    connect(m_reveal, &QPushButton::clicked, &m_room, &PhoneRoom::reveal);
    connect(m_award, &QPushButton::clicked, &m_room, &PhoneRoom::awardMatches);
    connect(m_release, &QPushButton::clicked, &m_room, &PhoneRoom::releaseBuzz);
    connect(off, &QPushButton::clicked, this, &PhonePanel::turnOffRequested);

    connect(&m_server, &PhoneServer::onChanged, this, &PhonePanel::showAddress);
    connect(&m_room, &PhoneRoom::seatsChanged, this, &PhonePanel::showPlayers);
    connect(&m_room, &PhoneRoom::answersChanged, this, &PhonePanel::showPlayers);
    connect(&m_room, &PhoneRoom::answersChanged, this, &PhonePanel::showAnswers);
    connect(&m_room, &PhoneRoom::revealedChanged, this, &PhonePanel::showAnswers);
    connect(&m_room, &PhoneRoom::buzzChanged, this, &PhonePanel::showBuzz);
    connect(&m_room.game(), &Game::playerNameChanged, this, &PhonePanel::showPlayers);
    connect(&m_room.game(), &Game::playerCountChanged, this, &PhonePanel::showPlayers);
    showAddress();
    showPlayers();
    showAnswers();
    showBuzz();
}

QString PhonePanel::shownAnswers() const
{
    return m_answers->text();
}

QString PhonePanel::shownPlayer(int player) const
{
    return m_players.at(player)->text();
}

QString PhonePanel::shownBuzz() const
{
    return m_buzz->text();
}

void PhonePanel::showAddress()
{
    m_address->setText(
        m_server.isOn()
            ? QStringLiteral("Phones join at %1\nRoom code: %2").arg(m_server.pageAddress().toString(), m_room.code())
            : QStringLiteral("Phone play is off"));
}

void PhonePanel::showPlayers()
{
    const Game &game = m_room.game();
    for (int i = 0; i < int(m_players.size()); ++i) {
        m_players[i]->setVisible(m_room.held(i));
        if (!m_room.held(i))
            continue;
        m_players[i]->setText(
            QStringLiteral("%1. %2%3")
                .arg(i + 1)
                .arg(game.playerName(i), m_room.answered(i) ? QStringLiteral(" - answered") : QString()));
    }
}

void PhonePanel::showAnswers()
{
    m_reveal->setEnabled(!m_room.revealed());
    m_award->setEnabled(m_room.revealed());
    if (!m_room.revealed()) {
        m_answers->clear();
        return;
    }
    QStringList lines;
    for (const PhoneRoom::AnswerGroup &group : m_room.groups()) {
        QStringList names;
        for (const int player : group.players)
            names << m_room.game().playerName(player);
        lines << QStringLiteral("%1: %2").arg(group.answer, names.join(QStringLiteral(", ")));
    }
    m_answers->setText(lines.join(u'\n'));
}

void PhonePanel::showBuzz()
{
    const int player = m_room.buzzedPlayer();
    m_release->setEnabled(player >= 0);
    m_buzz->setText(player >= 0 ? QStringLiteral("Buzzed first: %1").arg(m_room.game().playerName(player)) : QString());
}
