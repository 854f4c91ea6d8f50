#pragma once

#include <QColor>
#include <QGradientStops>
#include <QImage>
#include <QPainterPath>
#include <QRectF>

#include <functional>

class QPainter;

// A rectangle with elliptical corners. Skins are stretched far more across
// than down, so insets take separate horizontal and vertical widths: a rim
// that is 4 pixels wide at the sides and 3 at the top keeps roughly the same
// thickness on a small button after both directions are scaled.
struct RoundShape {
    QRectF rect;
    qreal rx = 0;
    qreal ry = 0;

    QPainterPath path() const;
    RoundShape inset(qreal dx, qreal dy) const;
};

// Everything one glossy face is made of, painted back to front: body,
// style details, glow, gloss cap, rim, the light line inside the rim, and the
// shade of a pressed face. Colours carry their own alpha.
struct GelRecipe {
    QSize size;
    QPainterPath outline; // a pixel whose centre lies outside shows the background
    QPainterPath inner; // the face inside the rim
    QGradientStops body; // top to bottom over the whole picture
    QGradientStops rim; // top to bottom
    QColor innerLight = Qt::transparent;
    qreal innerLightWidth = 2;
    RoundShape gloss;
    QColor glossTop = Qt::transparent;
    QColor glossBottom = Qt::transparent;
    QRectF glow; // ellipse of light rising from the bottom
    QColor glowColour = Qt::transparent;
    qreal innerShadow = 0; // opacity of the shade at the top edge of a pressed face
    qreal innerShadowDepth = 0.45; // fraction of the height it reaches down
    std::function<void(QPainter &)> details; // drawn over the body, under the gloss
    std::function<void(QPainter &)> finish; // drawn last, over the rim
    std::function<QRgb(int x, int y)> background;
    QRgb maskColour = qRgb(0, 0, 0); // no face pixel may take this exact colour
};

// The finished skin picture, RGB32. Its edge is hard on purpose: the widget's
// mask keys out exactly the background colour, so a soft edge would leave a
// fringe of almost-background pixels around the button.
QImage paintGel(const GelRecipe &recipe);

// A colour stop list from top to bottom, evenly spread unless positions are
// given as pairs.
QGradientStops stops(std::initializer_list<QColor> colours);
QGradientStops stops(std::initializer_list<std::pair<qreal, QColor>> positionedColours);

// Fills the path with a vertical gradient spanning the given rows.
void fillVertical(QPainter &painter, const QPainterPath &path, qreal top, qreal bottom, const QGradientStops &gradient);

// The nearest colour that is not the mask colour: a face pixel that happened
// to hit it exactly would turn into a hole.
QRgb avoidMask(QRgb colour, QRgb maskColour);
