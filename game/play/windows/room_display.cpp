#include "play/windows/room_display.h"

#include "play/countdown.h"
#include "play/line_rules.h"
#include "play/phone/phone_room.h"
#include "play/phone/phone_server.h"
#include "play/phone/qr_code.h"

#include "services/forms/skin_colours.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>
#include <QtMath>

namespace {

const QColor kInk(24, 32, 48);
const QColor kBand(22, 36, 71);
const QColor kPanel(250, 250, 252);
const QColor kPlateLine(128, 138, 152);
const QColor kAlert(196, 30, 30);
const QColor kAlertGlow(255, 146, 40);
const QColor kVeil(22, 36, 71, 210);

// Each part's text size as a share of the window's height: drawn at the
// larger where it fits, never below the smaller unless nothing else fits.
struct Share {
    double least;
    double most;
};
constexpr std::array<Share, 9> kShares{{
    {0.08, 0.11}, // prompt
    {0.06, 0.06}, // round
    {0.06, 0.06}, // score to win
    {0.15, 0.16}, // countdown
    {0.05, 0.05}, // player name
    {0.06, 0.06}, // player score
    {0.08, 0.10}, // announcement
    {0.03, 0.04}, // phone play's address and room code
    {0.045, 0.07}, // revealed answers, buzz
}};

// One beat of the final seconds' pulse, and the beats left at zero before
// the countdown rests in the alert colour.
constexpr int kPulseMs = 900;
constexpr int kBeatsAtZero = 3;

int pixels(double share, int height)
{
    return qCeil(share * height);
}

QFont face(int pixelSize)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(std::max(1, pixelSize));
    return font;
}

QRect measured(const QString &text, const QRect &area, int flags, int pixelSize, const QWidget *device)
{
    return QFontMetrics(face(pixelSize), device).boundingRect(area, flags, text);
}

bool fits(const QRect &bounds, const QRect &area)
{
    return bounds.width() <= area.width() && bounds.height() <= area.height();
}

// The largest pixel size up to `largest` at which the text fits its area,
// wrapped first where its flags allow.
int fittingSize(const QString &text, const QRect &area, int flags, int largest, const QWidget *device)
{
    if (text.isEmpty() || fits(measured(text, area, flags, largest, device), area))
        return largest;
    int low = 1;
    int high = largest - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (fits(measured(text, area, flags, middle, device), area))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

// The board is painted, not built of widgets: a screen reader hears it
// through the window's description, read fresh at every question.
class RoomDisplayAccessible : public QAccessibleWidget
{
public:
    explicit RoomDisplayAccessible(RoomDisplay *display)
        : QAccessibleWidget(display, QAccessible::Window)
    {
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description)
            return static_cast<const RoomDisplay *>(widget())->spokenText();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *roomDisplayAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("RoomDisplay") && object && object->isWidgetType())
        return new RoomDisplayAccessible(static_cast<RoomDisplay *>(object));
    return nullptr;
}

unsigned bit(RoomDisplay::Part part)
{
    return 1u << unsigned(part);
}

QPainterPath rounded(const QRect &rect, double radius)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(rect), radius, radius);
    return path;
}

} // namespace

RoomDisplay::RoomDisplay(Game &game, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_game(game)
    , m_pulse(new QVariantAnimation(this))
{
    static const bool readable = (QAccessible::installFactory(roomDisplayAccessible), true);
    Q_UNUSED(readable);
    setWindowTitle(QStringLiteral("Zorbel Room Display"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 180);
    resize(1280, 720);

    m_pulse->setStartValue(0.0);
    m_pulse->setKeyValueAt(0.5, 1.0);
    m_pulse->setEndValue(0.0);
    m_pulse->setDuration(kPulseMs);
    connect(m_pulse, &QVariantAnimation::valueChanged, this, [this] { update(m_countdownPanel); });
    connect(m_pulse, &QVariantAnimation::finished, this, [this] { update(m_countdownPanel); });

    connect(&m_game, &Game::questionChanged, this, [this](QuestionMode mode) {
        if (mode == m_game.modeOnShow())
            showPrompt();
    });
    connect(&m_game, &Game::modeOnShowChanged, this, &RoomDisplay::showPrompt);
    connect(&m_game, &Game::playerCountChanged, this, &RoomDisplay::showPlayers);
    connect(&m_game, &Game::playerNameChanged, this, [this](int player, const QString &name) {
        m_names[player].text = name;
        fitRow(m_names, Part::PlayerName);
        update(m_players);
    });
    connect(&m_game, &Game::scoreChanged, this, [this](int player, int score) {
        m_scores[player].text = QString::number(score);
        const int before = m_scores[0].pixelSize;
        fitRow(m_scores, Part::PlayerScore);
        update(m_scores[0].pixelSize == before ? plate(player) : m_players);
    });
    connect(&m_game, &Game::currentPlayerChanged, this, &RoomDisplay::showTurn);
    connect(&m_game, &Game::roundChanged, this, [this](int round) {
        m_round.text = QStringLiteral("Round %1").arg(round);
        fitSingle(m_round, Part::Round);
        update(m_header);
    });
    connect(&m_game, &Game::scoreToWinChanged, this, [this](int score) {
        m_scoreToWin.text = QStringLiteral("To win: %1").arg(score);
        fitSingle(m_scoreToWin, Part::ScoreToWin);
        update(m_header);
    });
    connect(&m_game, &Game::countdownChanged, this, &RoomDisplay::showCountdown);
    connect(&m_game, &Game::decisionAnnounced, this,
            [this](const Scoreboard::Decision &decision) { showAnnouncement(decision.message); });
    connect(&m_game, &Game::decisionAnswered, this, [this] { showAnnouncement({}); });

    m_round.text = QStringLiteral("Round %1").arg(m_game.round());
    m_scoreToWin.text = QStringLiteral("To win: %1").arg(m_game.scoreToWin());
    m_countdown.text = m_game.countdownText();
    m_shownPlayers = m_game.playerCount();
    m_marked = m_game.currentPlayer();
    for (int i = 0; i < Game::kMaxPlayers; ++i) {
        m_names[i].text = m_game.playerName(i);
        m_scores[i].text = QString::number(m_game.score(i));
    }
    m_prompt.text = promptOnShow();
    layOut();
}

QString RoomDisplay::shownText(Part part, int player) const
{
    const TextBlock *text = block(part, player);
    return text ? text->text : QString();
}

int RoomDisplay::textPixelHeight(Part part) const
{
    const TextBlock *text = block(part, 0);
    return text ? text->pixelSize : 0;
}

QRect RoomDisplay::area(Part part, int player) const
{
    const TextBlock *text = block(part, player);
    return text ? text->area : QRect();
}

QRect RoomDisplay::textBounds(Part part, int player) const
{
    const TextBlock *text = block(part, player);
    return text ? text->bounds : QRect();
}

bool RoomDisplay::belowShare(Part part) const
{
    return m_belowShare & bit(part);
}

QColor RoomDisplay::countdownColour() const
{
    if (!countdownAlert())
        return kBand;
    if (m_pulse->state() != QAbstractAnimation::Running)
        return kAlert;
    const double glow = m_pulse->currentValue().toDouble();
    return QColor::fromRgbF(kAlert.redF() + glow * (kAlertGlow.redF() - kAlert.redF()),
                            kAlert.greenF() + glow * (kAlertGlow.greenF() - kAlert.greenF()),
                            kAlert.blueF() + glow * (kAlertGlow.blueF() - kAlert.blueF()));
}

bool RoomDisplay::countdownPulsing() const
{
    return m_pulse->state() == QAbstractAnimation::Running;
}

const RoomDisplay::TextBlock *RoomDisplay::block(Part part, int player) const
{
    const bool row = part == Part::PlayerName || part == Part::PlayerScore;
    if (row && (player < 0 || player >= m_shownPlayers))
        return nullptr;
    switch (part) {
    case Part::Prompt:
        return &m_prompt;
    case Part::Round:
        return &m_round;
    case Part::ScoreToWin:
        return &m_scoreToWin;
    case Part::Countdown:
        return &m_countdown;
    case Part::PlayerName:
        return &m_names[player];
    case Part::PlayerScore:
        return &m_scores[player];
    case Part::Announcement:
        return &m_announcement;
    case Part::PhoneJoin:
        return &m_phoneJoin;
    case Part::PhoneResult:
        return &m_phoneResult;
    }
    return nullptr;
}

QString RoomDisplay::spokenText() const
{
    QStringList lines{m_prompt.text.split(u'\n').join(u' '), m_round.text, m_scoreToWin.text,
                      QStringLiteral("Seconds left: ") + m_countdown.text
                          + (m_game.countdownPaused() ? QStringLiteral(", paused") : QString())};
    for (int i = 0; i < m_shownPlayers; ++i)
        lines << QStringLiteral("%1: %2%3")
                     .arg(m_names[i].text, m_scores[i].text,
                          i == m_marked ? QStringLiteral(", current player") : QString());
    for (const TextBlock *phone : {&m_phoneJoin, &m_phoneResult}) {
        if (!phone->text.isEmpty())
            lines << phone->text.split(u'\n').join(u' ');
    }
    if (m_announcing)
        lines << m_announcement.text.split(u'\n', Qt::SkipEmptyParts).join(u' ');
    return lines.join(u'\n');
}

QString RoomDisplay::promptOnShow() const
{
    const QuestionMode mode = m_game.modeOnShow();
    const QString question = m_game.question(mode);
    return mode == QuestionMode::Match ? question.split(LineRules::kHalfSeparator).join(u'\n') : question;
}

void RoomDisplay::showPrompt()
{
    m_prompt.text = promptOnShow();
    fitSingle(m_prompt, Part::Prompt);
    update(m_promptPanel);
}

void RoomDisplay::showPlayers()
{
    m_shownPlayers = m_game.playerCount();
    layOut();
    update();
}

void RoomDisplay::showTurn(int player)
{
    update(plate(m_marked));
    m_marked = player;
    update(plate(m_marked));
}

void RoomDisplay::showCountdown()
{
    m_countdown.text = m_game.countdownText();
    fitSingle(m_countdown, Part::Countdown);
    update(m_countdownPanel);

    // The pulse runs only while the final seconds run and for a few beats
    // at zero, so a display over a quiet game costs nothing.
    const bool running = m_game.countdownRunning();
    const bool pulsingOn = m_pulse->state() == QAbstractAnimation::Running && m_pulse->loopCount() < 0;
    if (running && countdownAlert()) {
        if (!pulsingOn) {
            m_pulse->setLoopCount(-1);
            m_pulse->start();
        }
    } else if (!running && m_game.secondsLeft() == 0) {
        if (pulsingOn) {
            m_pulse->stop();
            m_pulse->setLoopCount(kBeatsAtZero);
            m_pulse->start();
        }
    } else {
        m_pulse->stop();
    }
}

void RoomDisplay::showAnnouncement(const QString &message)
{
    m_announcing = !message.isEmpty();
    m_announcement.text = message;
    fitSingle(m_announcement, Part::Announcement);
    update();
}

bool RoomDisplay::countdownAlert() const
{
    const int seconds = m_game.secondsLeft();
    return Countdown::inFinalSeconds(seconds) && (m_game.countdownRunning() || seconds == 0);
}

void RoomDisplay::layOut()
{
    const int w = width();
    const int h = height();
    const int margin = qRound(0.025 * h);
    const int padding = qRound(0.03 * h);

    m_header = QRect(0, 0, w, qRound(0.13 * h));
    const int third = w / 3;
    m_round.area = m_header.adjusted(margin + padding, 0, -(w - third), 0);
    m_round.flags = Qt::AlignLeft | Qt::AlignVCenter;
    m_scoreToWin.area = m_header.adjusted(w - third, 0, -(margin + padding), 0);
    m_scoreToWin.flags = Qt::AlignRight | Qt::AlignVCenter;

    const int top = m_header.bottom() + 1 + margin;
    const int split = qRound(0.62 * w);
    const int countdownHeight = qRound(0.2 * h);
    m_countdownPanel = QRect(margin, h - margin - countdownHeight, split - margin - margin / 2, countdownHeight);
    m_promptPanel = QRect(margin, top, m_countdownPanel.width(), m_countdownPanel.top() - margin - top);
    m_prompt.area = m_promptPanel.adjusted(padding, margin, -padding, -margin);
    m_prompt.flags = Qt::AlignCenter | Qt::TextWordWrap;
    m_countdown.area = m_countdownPanel.adjusted(padding, 0, -padding, 0);
    m_countdown.flags = Qt::AlignCenter;

    m_players = QRect(split + margin / 2, top, w - margin - split - margin / 2, h - margin - top);
    m_phoneCard = {};
    if (!m_phoneCode.isNull()) {
        // The card takes the foot of the players' column; the rows close up above it.
        const int cardHeight = qRound(0.36 * h);
        m_phoneCard = QRect(m_players.left(), h - margin - cardHeight, m_players.width(), cardHeight);
        m_players.setBottom(m_phoneCard.top() - margin);
        const int side = cardHeight - 2 * padding / 2;
        m_phoneCodeArea = QRect(m_phoneCard.left() + padding / 2, m_phoneCard.top() + padding / 2, side, side);
        m_phoneJoin.area = m_phoneCard.adjusted(m_phoneCodeArea.width() + padding, padding / 2, -padding / 2,
                                                -padding / 2);
        m_phoneJoin.flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWrapAnywhere;
    }
    if (!m_phoneResult.text.isEmpty()) {
        // The prompt keeps the top of its panel, the answers or the buzz take the rest.
        const int promptHeight = m_prompt.area.height() * 2 / 5;
        m_phoneResult.area = m_prompt.area.adjusted(0, promptHeight, 0, 0);
        m_phoneResult.flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
        m_prompt.area.setHeight(promptHeight);
    }
    const int rows = std::max(1, m_shownPlayers);
    const int gap = qRound(0.01 * h);
    const int rowHeight = std::min(qRound(0.13 * h), (m_players.height() - (rows - 1) * gap) / rows);
    const int markerWidth = qRound(0.06 * h);
    const int scoreWidth = qRound(0.12 * h);
    const int inset = qRound(0.012 * h);
    for (int i = 0; i < Game::kMaxPlayers; ++i) {
        const QRect row(m_players.left(), m_players.top() + i * (rowHeight + gap), m_players.width(), rowHeight);
        m_scores[i].area = QRect(row.right() - inset - scoreWidth + 1, row.top(), scoreWidth, rowHeight);
        m_scores[i].flags = Qt::AlignCenter;
        m_names[i].area = QRect(row.left() + markerWidth, row.top(),
                                m_scores[i].area.left() - inset - row.left() - markerWidth, rowHeight);
        m_names[i].flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    }
    m_players.setHeight(rows * rowHeight + (rows - 1) * gap);

    m_card = rect().adjusted(qRound(0.08 * w), qRound(0.1 * h), -qRound(0.08 * w), -qRound(0.1 * h));
    m_announcement.area = m_card.adjusted(2 * padding, padding, -2 * padding, -padding);
    m_announcement.flags = Qt::AlignCenter | Qt::TextWordWrap;

    fitRow(m_names, Part::PlayerName);
    fitRow(m_scores, Part::PlayerScore);
    for (const auto &[text, part] :
         {std::pair(&m_prompt, Part::Prompt), std::pair(&m_round, Part::Round),
          std::pair(&m_scoreToWin, Part::ScoreToWin), std::pair(&m_countdown, Part::Countdown),
          std::pair(&m_announcement, Part::Announcement), std::pair(&m_phoneJoin, Part::PhoneJoin),
          std::pair(&m_phoneResult, Part::PhoneResult)})
        fitSingle(*text, part);
}

void RoomDisplay::fitSingle(TextBlock &text, Part part)
{
    const Share share = kShares[size_t(part)];
    text.pixelSize = fittingSize(text.text, text.area, text.flags, pixels(share.most, height()), this);
    text.bounds = measured(text.text, text.area, text.flags, text.pixelSize, this);
    const bool below = text.pixelSize < pixels(share.least, height());
    m_belowShare = below ? m_belowShare | bit(part) : m_belowShare & ~bit(part);
}

// The rows share one size, so that no player's name or score stands out.
void RoomDisplay::fitRow(std::array<TextBlock, Game::kMaxPlayers> &row, Part part)
{
    const Share share = kShares[size_t(part)];
    int size = pixels(share.most, height());
    for (int i = 0; i < m_shownPlayers; ++i)
        size = std::min(size, fittingSize(row[i].text, row[i].area, row[i].flags, size, this));
    for (TextBlock &text : row) {
        text.pixelSize = size;
        text.bounds = measured(text.text, text.area, text.flags, size, this);
    }
    const bool below = size < pixels(share.least, height());
    m_belowShare = below ? m_belowShare | bit(part) : m_belowShare & ~bit(part);
}

QRect RoomDisplay::plate(int player) const
{
    if (player < 0 || player >= m_shownPlayers)
        return {};
    const QRect &name = m_names[player].area;
    return QRect(m_players.left(), name.top(), m_players.width(), name.height());
}

void RoomDisplay::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, SkinColours::board);

    const auto drawText = [&painter](const TextBlock &text, const QColor &colour) {
        painter.setFont(face(text.pixelSize));
        painter.setPen(colour);
        painter.drawText(text.area, text.flags, text.text);
    };
    if (dirty.intersects(m_header))
        paintHeader(painter);
    if (dirty.intersects(m_promptPanel)) {
        painter.setPen(QPen(kBand, std::max(1.0, 0.004 * height())));
        painter.setBrush(kPanel);
        painter.drawPath(rounded(m_promptPanel, 0.03 * height()));
        drawText(m_prompt, kInk);
        if (!m_phoneResult.text.isEmpty())
            drawText(m_phoneResult, kBand);
    }
    if (dirty.intersects(m_phoneCard))
        paintPhoneCard(painter);
    for (int i = 0; i < m_shownPlayers; ++i) {
        if (dirty.intersects(plate(i)))
            paintPlate(painter, i);
    }
    if (dirty.intersects(m_countdownPanel))
        paintCountdown(painter);
    if (m_announcing)
        paintAnnouncement(painter);
}

void RoomDisplay::paintHeader(QPainter &painter) const
{
    painter.fillRect(m_header, kBand);
    const int accent = std::max(2, qRound(0.006 * height()));
    painter.fillRect(QRect(m_header.left(), m_header.bottom() - accent + 1, m_header.width(), accent),
                     SkinColours::turn);

    QFont title = face(pixels(kShares[size_t(Part::Round)].least, height()));
    title.setLetterSpacing(QFont::PercentageSpacing, 125);
    painter.setFont(title);
    painter.setPen(SkinColours::turn);
    painter.drawText(m_header, Qt::AlignCenter, QStringLiteral("ZORBEL"));
    for (const TextBlock *text : {&m_round, &m_scoreToWin}) {
        painter.setFont(face(text->pixelSize));
        painter.setPen(kPanel);
        painter.drawText(text->area, text->flags, text->text);
    }
}

// The current player's plate has the turn colour, a bold outline and the
// marker, so that the turn reads without telling colours apart.
void RoomDisplay::paintPlate(QPainter &painter, int player) const
{
    const QRect row = plate(player);
    const bool current = player == m_marked;
    const double h = height();
    painter.setPen(current ? QPen(kBand, std::max(2.0, 0.006 * h)) : QPen(kPlateLine, std::max(1.0, 0.002 * h)));
    painter.setBrush(current ? SkinColours::turn : SkinColours::board);
    painter.drawPath(rounded(row, 0.2 * row.height()));

    const TextBlock &name = m_names[player];
    if (current) {
        const QRectF zone(row.left(), row.top(), name.area.left() - row.left(), row.height());
        const double size = std::min(zone.width(), zone.height()) * 0.42;
        const QPointF centre = zone.center();
        const QPolygonF marker{centre + QPointF(-size * 0.45, -size * 0.55), centre + QPointF(size * 0.6, 0),
                               centre + QPointF(-size * 0.45, size * 0.55)};
        painter.setPen(Qt::NoPen);
        painter.setBrush(kBand);
        painter.drawPolygon(marker);
    }
    painter.setFont(face(name.pixelSize));
    painter.setPen(kInk);
    painter.drawText(name.area, name.flags, name.text);

    const TextBlock &score = m_scores[player];
    // Tight rows give the score's box their whole height, so that the
    // digits stay inside it.
    const int inset = std::clamp((row.height() - score.pixelSize) / 2, 0, qRound(0.012 * h));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBand);
    painter.drawPath(rounded(score.area.adjusted(0, inset, 0, -inset), 0.15 * row.height()));
    painter.setFont(face(score.pixelSize));
    painter.setPen(kPanel);
    painter.drawText(score.area, score.flags, score.text);
}

void RoomDisplay::paintCountdown(QPainter &painter) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(countdownColour());
    painter.drawPath(rounded(m_countdownPanel, 0.03 * height()));
    painter.setFont(face(m_countdown.pixelSize));
    painter.setPen(m_game.countdownPaused() ? kPlateLine : kPanel);
    painter.drawText(m_countdown.area, m_countdown.flags, m_countdown.text);
    if (!m_game.countdownPaused())
        return;
    // Held: the seconds grey out and the panel says why.
    painter.setFont(face(m_countdown.pixelSize / 3));
    painter.setPen(kPanel);
    const int margin = m_countdownPanel.height() / 4;
    painter.drawText(m_countdownPanel.adjusted(margin, 0, -margin, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("PAUSED"));
}

void RoomDisplay::paintAnnouncement(QPainter &painter) const
{
    painter.fillRect(rect(), kVeil);
    painter.setPen(QPen(kBand, std::max(2.0, 0.008 * height())));
    painter.setBrush(SkinColours::turn);
    painter.drawPath(rounded(m_card, 0.04 * height()));
    painter.setFont(face(m_announcement.pixelSize));
    painter.setPen(kInk);
    painter.drawText(m_announcement.area, m_announcement.flags, m_announcement.text);
}

void RoomDisplay::paintPhoneCard(QPainter &painter) const
{
    painter.setPen(QPen(kBand, std::max(1.0, 0.004 * height())));
    painter.setBrush(kPanel);
    painter.drawPath(rounded(m_phoneCard, 0.03 * height()));
    // Sharp modules read best: the code is scaled by whole pixels.
    const int scale = std::max(1, m_phoneCodeArea.width() / m_phoneCode.width());
    const int side = scale * m_phoneCode.width();
    const QRect code(m_phoneCodeArea.topLeft()
                         + QPoint((m_phoneCodeArea.width() - side) / 2, (m_phoneCodeArea.height() - side) / 2),
                     QSize(side, side));
    painter.drawImage(code, m_phoneCode);
    painter.setFont(face(m_phoneJoin.pixelSize));
    painter.setPen(kInk);
    painter.drawText(m_phoneJoin.area, m_phoneJoin.flags, m_phoneJoin.text);
}

void RoomDisplay::followPhonePlay(const PhoneRoom &room, const PhoneServer &server)
{
    m_phoneRoom = &room;
    m_phoneServer = &server;
    connect(&server, &PhoneServer::onChanged, this, &RoomDisplay::showPhoneJoin);
    connect(&room, &PhoneRoom::revealedChanged, this, &RoomDisplay::showPhoneResult);
    connect(&room, &PhoneRoom::answersChanged, this, &RoomDisplay::showPhoneResult);
    connect(&room, &PhoneRoom::buzzChanged, this, &RoomDisplay::showPhoneResult);
    connect(&room, &PhoneRoom::promptChanged, this, &RoomDisplay::showPhoneResult);
    showPhoneJoin();
    showPhoneResult();
}

void RoomDisplay::showPhoneJoin()
{
    const bool on = m_phoneServer->isOn();
    const QString address = m_phoneServer->pageAddress().toString();
    m_phoneCode = on ? qrCode(address) : QImage();
    m_phoneJoin.text = on ? QStringLiteral("Join on your phone:\n%1\nRoom code: %2")
                                .arg(address.section(u'?', 0, 0), m_phoneRoom->code())
                          : QString();
    layOut();
    update();
}

void RoomDisplay::showPhoneResult()
{
    QStringList lines;
    if (m_phoneRoom->revealed()) {
        for (const PhoneRoom::AnswerGroup &group : m_phoneRoom->groups()) {
            QStringList names;
            for (const int player : group.players)
                names << m_game.playerName(player);
            lines << QStringLiteral("%1: %2").arg(group.answer, names.join(QStringLiteral(", ")));
        }
    } else if (m_phoneRoom->buzzedPlayer() >= 0) {
        lines << QStringLiteral("%1 buzzed first!").arg(m_game.playerName(m_phoneRoom->buzzedPlayer()));
    }
    m_phoneResult.text = lines.join(u'\n');
    layOut();
    update();
}

void RoomDisplay::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void RoomDisplay::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F11) {
        isFullScreen() ? showNormal() : showFullScreen();
        return;
    }
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        showNormal();
        return;
    }
    QWidget::keyPressEvent(event);
}
