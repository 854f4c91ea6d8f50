#include "hand_cursor.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QPainterPath roundedRect(qreal x, qreal y, qreal w, qreal h, qreal r)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

QPainterPath handOutline()
{
    // The index finger is centred on the hot spot column, its top edge on
    // the picture's first row.
    QPainterPath hand = roundedRect(3.5, 0.5, 6, 19, 3);
    hand = hand.united(roundedRect(9.5, 9.5, 5.5, 11, 2.75)); // folded middle finger
    hand = hand.united(roundedRect(15, 10.5, 5.5, 10, 2.75)); // ring finger
    hand = hand.united(roundedRect(20.5, 12, 5, 9, 2.5)); // little finger
    hand = hand.united(roundedRect(3.5, 15, 22, 12.5, 5)); // palm

    QPainterPath thumb;
    thumb.moveTo(4, 15.5);
    thumb.lineTo(1.5, 17.5);
    thumb.quadTo(0.2, 19.5, 1.8, 21.5);
    thumb.lineTo(6.5, 26);
    thumb.lineTo(8, 20);
    thumb.closeSubpath();
    hand = hand.united(thumb);

    hand = hand.united(roundedRect(7.5, 25, 15, 6.5, 1.5)); // cuff
    return hand.simplified();
}

} // namespace

QImage paintHandCursor()
{
    QImage cursor(32, 32, QImage::Format_ARGB32);
    cursor.fill(Qt::transparent);
    QPainter painter(&cursor);
    painter.setRenderHint(QPainter::Antialiasing);

    const QPainterPath hand = handOutline();

    // A soft shadow down and to the right lifts the hand off light backgrounds.
    painter.save();
    painter.translate(1.2, 1.2);
    painter.fillPath(hand, QColor(0, 0, 0, 70));
    painter.restore();

    painter.fillPath(hand, Qt::white);
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(hand);

    // Creases between the folded fingers and the cuff seam.
    painter.drawLine(QPointF(14.5, 12.5), QPointF(14.5, 16.5));
    painter.drawLine(QPointF(20.5, 13.5), QPointF(20.5, 17));
    painter.drawLine(QPointF(9.5, 12), QPointF(9.5, 17));
    painter.drawLine(QPointF(7.5, 25.5), QPointF(22.5, 25.5));
    painter.end();

    // The hot spot must land on the finger, never on a see-through pixel.
    if (qAlpha(cursor.pixel(handCursorHotSpot)) < 255)
        cursor.setPixel(handCursorHotSpot, qRgba(0, 0, 0, 255));
    return cursor;
}
