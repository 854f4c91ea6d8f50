#include "arrow_layer.h"

#include "core/rounding.h"
#include "render/face_surfaces.h"

namespace {

enum ArrowPosition { PositionRight, PositionLeft, PositionBottom, PositionTop, PositionMiddle };
enum ArrowDirection { ArrowDown, ArrowUp, ArrowRight, ArrowLeft };

// Two split lines from `at` along `direction`, each in the face colour read
// just before it is drawn.
void drawSplit(Surface &pic, QPoint at, QPoint along)
{
    const QPoint next = along.x() ? QPoint(0, 1) : QPoint(1, 0);
    const QPoint readPoints[2] = {
        QPoint(roundHalfEven(pic.width() / 2.0), roundHalfEven(pic.height() / 2.0)),
        QPoint(roundHalfEven(pic.width() / 4.0), roundHalfEven(pic.height() / 4.0)),
    };
    for (int line = 0; line < 2; ++line) {
        const OleColor colour = pic.pixel(readPoints[line].x(), readPoints[line].y());
        const QPoint from = at + line * next;
        pic.drawLine(from, from + along, colour);
    }
}

} // namespace

void drawArrowLayer(FaceSurfaces &s, const ArrowLook &arrow)
{
    if (!arrow.show)
        return;
    Surface &pic = s.pic;
    const int w = pic.width();
    const int h = pic.height();
    const int a = roundHalfEven(arrow.size, 1, 1000);
    // The gap to the edge is kept at the face's density.
    const int gap = roundHalfEven(5 * s.scale);
    const QPoint down(0, h);
    const QPoint across(w, 0);
    switch (arrow.position) {
    case PositionRight:
        s.arrowAnchor = QPointF(w - 2 * a, h / 2);
        if (arrow.split) {
            drawSplit(pic, QPoint(w - 4 * a, 0), down);
            s.splitCoordinate = w - 4 * a;
        }
        break;
    case PositionLeft:
        s.arrowAnchor = QPointF(2 * a, h / 2);
        if (arrow.split) {
            drawSplit(pic, QPoint(4 * a, 0), down);
            s.splitCoordinate = 4 * a;
        }
        break;
    case PositionBottom:
        s.arrowAnchor = QPointF(w / 2, h - a - gap);
        if (arrow.split) {
            drawSplit(pic, QPoint(0, h - a - 2 * gap), across);
            s.splitCoordinate = h - a - 2 * gap;
        }
        break;
    case PositionTop:
        s.arrowAnchor = QPointF(w / 2, a + gap);
        if (arrow.split) {
            drawSplit(pic, QPoint(0, a + 2 * gap), across);
            s.splitCoordinate = a + 2 * gap;
        }
        break;
    case PositionMiddle:
        s.arrowAnchor = QPointF(w / 2, h / 2);
        break;
    default:
        break;
    }

    const int x = roundHalfEven(s.arrowAnchor.x());
    const int y = roundHalfEven(s.arrowAnchor.y());
    for (int i = 0; i <= a; ++i) {
        switch (arrow.direction) {
        case ArrowDown:
            pic.drawLine(QPoint(x - i, y + a - i), QPoint(x + i, y + a - i), arrow.color);
            break;
        case ArrowUp:
            pic.drawLine(QPoint(x - i, y - a + i), QPoint(x + i, y - a + i), arrow.color);
            break;
        case ArrowRight:
            pic.drawLine(QPoint(x + a - i, y - i), QPoint(x + a - i, y + i), arrow.color);
            break;
        case ArrowLeft:
            pic.drawLine(QPoint(x - a + i, y - i), QPoint(x - a + i, y + i), arrow.color);
            break;
        default:
            return;
        }
    }
}
