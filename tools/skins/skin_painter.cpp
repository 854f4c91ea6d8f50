#include "skin_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

QPainterPath RoundShape::path() const
{
    QPainterPath result;
    result.addRoundedRect(rect, rx, ry);
    return result;
}

RoundShape RoundShape::inset(qreal dx, qreal dy) const
{
    return {rect.adjusted(dx, dy, -dx, -dy), std::max<qreal>(0, rx - dx), std::max<qreal>(0, ry - dy)};
}

QGradientStops stops(std::initializer_list<QColor> colours)
{
    QGradientStops result;
    const qreal last = std::max<qsizetype>(1, qsizetype(colours.size()) - 1);
    qreal index = 0;
    for (const QColor &colour : colours)
        result.append({index++ / last, colour});
    return result;
}

QGradientStops stops(std::initializer_list<std::pair<qreal, QColor>> positionedColours)
{
    QGradientStops result;
    for (const auto &[position, colour] : positionedColours)
        result.append({position, colour});
    return result;
}

void fillVertical(QPainter &painter, const QPainterPath &path, qreal top, qreal bottom, const QGradientStops &gradient)
{
    QLinearGradient linear(0, top, 0, bottom);
    linear.setStops(gradient);
    painter.fillPath(path, linear);
}

QRgb avoidMask(QRgb colour, QRgb maskColour)
{
    if ((colour & 0xFFFFFF) != (maskColour & 0xFFFFFF))
        return colour;
    // Step one level towards the middle in every channel.
    const int step = qRed(maskColour) >= 128 ? -1 : 1;
    return qRgb(qRed(colour) + step, qGreen(colour) + step, qBlue(colour) + step);
}

namespace {

void paintFace(QPainter &painter, const GelRecipe &recipe)
{
    const QRectF whole(QPointF(0, 0), QSizeF(recipe.size));
    QPainterPath everything;
    everything.addRect(whole.adjusted(-2, -2, 2, 2));

    fillVertical(painter, everything, 0, recipe.size.height(), recipe.body);

    painter.save();
    painter.setClipPath(recipe.inner);
    if (recipe.details)
        recipe.details(painter);
    if (recipe.glowColour.alpha() > 0 && !recipe.glow.isEmpty()) {
        QRadialGradient glow(recipe.glow.center(), recipe.glow.width() / 2);
        glow.setColorAt(0, recipe.glowColour);
        QColor clear = recipe.glowColour;
        clear.setAlpha(0);
        glow.setColorAt(1, clear);
        // A radial gradient is round; squash it into the glow's ellipse.
        painter.save();
        painter.translate(recipe.glow.center());
        painter.scale(1, recipe.glow.height() / recipe.glow.width());
        painter.translate(-recipe.glow.center());
        painter.fillRect(QRectF(recipe.glow.center().x() - recipe.glow.width() / 2,
                                recipe.glow.center().y() - recipe.glow.width() / 2, recipe.glow.width(),
                                recipe.glow.width()),
                         glow);
        painter.restore();
    }
    if (recipe.glossTop.alpha() > 0 || recipe.glossBottom.alpha() > 0) {
        fillVertical(painter, recipe.gloss.path(), recipe.gloss.rect.top(), recipe.gloss.rect.bottom(),
                     stops({recipe.glossTop, recipe.glossBottom}));
    }
    if (recipe.innerShadow > 0) {
        const qreal depth = recipe.size.height() * recipe.innerShadowDepth;
        const QRectF band = recipe.inner.boundingRect();
        fillVertical(painter, recipe.inner, band.top(), band.top() + depth,
                     stops({QColor(0, 0, 0, int(255 * recipe.innerShadow)), QColor(0, 0, 0, 0)}));
    }
    painter.restore();

    if (recipe.innerLight.alpha() > 0) {
        painter.save();
        painter.setClipPath(recipe.inner);
        painter.setPen(QPen(recipe.innerLight, recipe.innerLightWidth * 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(recipe.inner);
        painter.restore();
    }

    // Everything outside the inner face is rim; the hard outline cut later
    // gives it a crisp outer edge while its inner edge stays smooth.
    fillVertical(painter, everything.subtracted(recipe.inner), 0, recipe.size.height(), recipe.rim);

    if (recipe.finish)
        recipe.finish(painter);
}

} // namespace

QImage paintGel(const GelRecipe &recipe)
{
    QImage face(recipe.size, QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    {
        QPainter painter(&face);
        painter.setRenderHint(QPainter::Antialiasing);
        paintFace(painter, recipe);
    }

    QImage result(recipe.size, QImage::Format_RGB32);
    for (int y = 0; y < recipe.size.height(); ++y) {
        const QRgb *faceLine = reinterpret_cast<const QRgb *>(face.constScanLine(y));
        QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < recipe.size.width(); ++x) {
            if (recipe.outline.contains(QPointF(x + 0.5, y + 0.5))) {
                const QRgb pixel = faceLine[x];
                line[x] = avoidMask(qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)), recipe.maskColour);
            } else {
                line[x] = recipe.background ? recipe.background(x, y) : recipe.maskColour;
            }
        }
    }
    return result;
}
