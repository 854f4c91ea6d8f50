#include "skin_glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace SkinGlyphs {

namespace {

// The slate of the skin's text and the muted grey of its disabled controls.
const QColor kArrow(0x2c, 0x3e, 0x55);
const QColor kArrowDisabled(0x9a, 0xa6, 0xb4);

QImage canvas()
{
    QImage image(kCanvas, kCanvas, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage checkMark()
{
    QImage image = canvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath tick;
    tick.moveTo(7.5, 16.5);
    tick.lineTo(13.5, 22.5);
    tick.lineTo(24.5, 9.5);
    // A faint dark edge keeps the tick readable on the lighter hover fill.
    painter.setPen(QPen(QColor(0, 0, 0, 60), 6.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick.translated(0, 0.8));
    painter.setPen(QPen(Qt::white, 4.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    return image;
}

QImage arrow(int degrees, const QColor &colour)
{
    QImage image = canvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(kCanvas / 2.0, kCanvas / 2.0);
    painter.rotate(degrees);
    // Pointing right before the rotation; the rounded joins soften the tips
    // the way the button arrows are softened.
    QPainterPath triangle;
    triangle.moveTo(5.5, 0);
    triangle.lineTo(-4.5, -9);
    triangle.lineTo(-4.5, 9);
    triangle.closeSubpath();
    painter.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(colour);
    painter.drawPath(triangle);
    return image;
}

QList<Glyph> all()
{
    QList<Glyph> glyphs{{QStringLiteral("check.png"), checkMark()}};
    const struct {
        const char *name;
        int degrees;
    } directions[] = {{"right", 0}, {"down", 90}, {"left", 180}, {"up", 270}};
    for (const auto &direction : directions) {
        const QString name = QStringLiteral("arrow-") + QLatin1String(direction.name);
        glyphs.append({name + QStringLiteral(".png"), arrow(direction.degrees, kArrow)});
        glyphs.append({name + QStringLiteral("-disabled.png"), arrow(direction.degrees, kArrowDisabled)});
    }
    return glyphs;
}

} // namespace SkinGlyphs
