#include "services/windows/splash_art.h"

#include "services/forms/skin_colours.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace SplashArt {

namespace {

// The Aqua blues run from a light top through the skin's accent to a deep
// edge; the bubble from the turn colour to a ripe orange.
const QColor kAquaLight(0x8c, 0xc2, 0xf7);
const QColor kAquaDeep(0x1b, 0x4f, 0x91);
const QColor kOutline(0x14, 0x3a, 0x68);
const QColor kTurnDeep(0xf2, 0x9b, 0x4c);

void paintTile(QPainter &painter, const QRectF &tile)
{
    const qreal radius = tile.width() * 0.22;
    QLinearGradient body(tile.topLeft(), tile.bottomLeft());
    body.setColorAt(0.0, kAquaLight);
    body.setColorAt(0.55, SkinColours::accent);
    body.setColorAt(1.0, kAquaDeep);
    painter.setPen(QPen(kOutline, tile.width() * 0.025));
    painter.setBrush(body);
    painter.drawRoundedRect(tile, radius, radius);

    // The gloss over the upper half, as on the buttons.
    const QRectF gloss = tile.adjusted(tile.width() * 0.06, tile.height() * 0.04, -tile.width() * 0.06,
                                       -tile.height() * 0.5);
    QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
    shine.setColorAt(0.0, QColor(255, 255, 255, 170));
    shine.setColorAt(1.0, QColor(255, 255, 255, 18));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawRoundedRect(gloss, radius * 0.8, radius * 0.8);
}

void paintLetter(QPainter &painter, const QRectF &tile)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setWeight(QFont::Black);
    font.setPixelSize(int(tile.height() * 0.62));
    QPainterPath letter;
    letter.addText(0, 0, font, QStringLiteral("Z"));
    const QRectF bounds = letter.boundingRect();
    // Slightly left of centre and high, leaving the lower right to the bubble.
    const QPointF at(tile.center().x() - bounds.center().x() - tile.width() * 0.05,
                     tile.center().y() - bounds.center().y() - tile.height() * 0.04);
    letter.translate(at);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(8, 30, 60, 110));
    painter.drawPath(letter.translated(tile.width() * 0.018, tile.height() * 0.03));
    painter.setBrush(Qt::white);
    painter.drawPath(letter);
}

void paintBubble(QPainter &painter, const QRectF &tile)
{
    const qreal w = tile.width();
    const QRectF body(tile.left() + w * 0.52, tile.top() + w * 0.60, w * 0.46, w * 0.30);
    QPainterPath bubble;
    bubble.addRoundedRect(body, body.height() * 0.45, body.height() * 0.45);
    QPainterPath tail;
    tail.moveTo(body.left() + body.width() * 0.22, body.bottom() - body.height() * 0.2);
    tail.lineTo(body.left() + body.width() * 0.05, body.bottom() + body.height() * 0.38);
    tail.lineTo(body.left() + body.width() * 0.48, body.bottom() - body.height() * 0.1);
    tail.closeSubpath();
    bubble = bubble.united(tail);

    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0.0, SkinColours::turn);
    fill.setColorAt(1.0, kTurnDeep);
    painter.setPen(QPen(QColor(0x9a, 0x4f, 0x12), w * 0.02));
    painter.setBrush(fill);
    painter.drawPath(bubble);

    // The blank waiting to be filled in.
    const qreal y = body.center().y() + body.height() * 0.14;
    painter.setPen(QPen(QColor(0x5a, 0x2c, 0x08), w * 0.035, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(body.left() + body.width() * 0.24, y), QPointF(body.right() - body.width() * 0.24, y));
}

} // namespace

QPixmap badge(const QSize &size, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    if (size.isEmpty())
        return pixmap;
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(size.width(), size.height());
    const QRectF square((size.width() - side) / 2.0, (size.height() - side) / 2.0, side, side);
    // Room for the outline and for the bubble's tail below the tile.
    const QRectF tile = square.adjusted(side * 0.03, side * 0.03, -side * 0.08, -side * 0.08);
    paintTile(painter, tile);
    paintLetter(painter, tile);
    paintBubble(painter, tile);
    return pixmap;
}

void paintCard(QPainter &painter, const QRectF &rect, qreal ruleY)
{
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(rect.topLeft(), rect.bottomLeft());
    face.setColorAt(0.0, QColor(0x3a, 0x7b, 0xc6));
    face.setColorAt(0.55, QColor(0x24, 0x57, 0x94));
    face.setColorAt(1.0, QColor(0x15, 0x33, 0x5a));
    painter.fillRect(rect, face);

    QRadialGradient glow(rect.left() + rect.width() * 0.16, rect.top() + rect.height() * 0.22, rect.width() * 0.34);
    glow.setColorAt(0.0, QColor(255, 255, 255, 70));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(rect, glow);

    // A wide, faint band of light across the card.
    QPainterPath band;
    band.moveTo(rect.left() + rect.width() * 0.45, rect.top());
    band.lineTo(rect.left() + rect.width() * 0.72, rect.top());
    band.lineTo(rect.left() + rect.width() * 0.42, rect.bottom());
    band.lineTo(rect.left() + rect.width() * 0.15, rect.bottom());
    band.closeSubpath();
    painter.fillPath(band, QColor(255, 255, 255, 12));

    QLinearGradient rule(rect.left(), 0, rect.right(), 0);
    rule.setColorAt(0.0, QColor(255, 255, 255, 0));
    rule.setColorAt(0.5, QColor(255, 255, 255, 110));
    rule.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(QRectF(rect.left() + rect.width() * 0.05, ruleY, rect.width() * 0.9, 1.0), rule);

    painter.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setPen(QPen(QColor(8, 24, 44), 1.0));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

} // namespace SplashArt
