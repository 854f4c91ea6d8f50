#include "sample_pictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace SamplePictures {

namespace {

QPainterPath starPath(QPointF centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double r = i % 2 ? inner : outer;
        const QPointF p(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

QPainterPath heartPath()
{
    QPainterPath path(QPointF(24, 42));
    path.cubicTo(4, 28, 4, 8, 16, 8);
    path.cubicTo(21, 8, 24, 13, 24, 15);
    path.cubicTo(24, 13, 27, 8, 32, 8);
    path.cubicTo(44, 8, 44, 28, 24, 42);
    return path;
}

QBrush glossy(QColor colour)
{
    QRadialGradient gradient(QPointF(18, 14), 34);
    gradient.setColorAt(0, colour.lighter(160));
    gradient.setColorAt(0.6, colour);
    gradient.setColorAt(1, colour.darker(140));
    return gradient;
}

} // namespace

QPixmap icon(Icon kind)
{
    QImage image(kind == Icon::Ribbon ? QSize(64, 28) : QSize(48, 48), QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    // No smoothing: blended edge pixels would not match the key colour and
    // would show as a magenta fringe.
    painter.setRenderHint(QPainter::Antialiasing, false);
    switch (kind) {
    case Icon::Play: {
        painter.setPen(QPen(QColor(20, 60, 20), 2));
        painter.setBrush(glossy(QColor(60, 180, 70)));
        painter.drawEllipse(QRectF(3, 3, 42, 42));
        QPainterPath triangle(QPointF(19, 13));
        triangle.lineTo(35, 24);
        triangle.lineTo(19, 35);
        triangle.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(250, 250, 240));
        painter.drawPath(triangle);
        break;
    }
    case Icon::Star:
        painter.setPen(QPen(QColor(120, 70, 0), 2));
        painter.setBrush(glossy(QColor(250, 190, 30)));
        painter.drawPath(starPath(QPointF(24, 25), 22, 9));
        break;
    case Icon::Heart:
        painter.setPen(QPen(QColor(110, 10, 30), 2));
        painter.setBrush(glossy(QColor(220, 40, 70)));
        painter.drawPath(heartPath());
        break;
    case Icon::Check: {
        painter.setPen(QPen(QColor(10, 50, 110), 2));
        painter.setBrush(glossy(QColor(40, 120, 220)));
        painter.drawRoundedRect(QRectF(4, 4, 40, 40), 9, 9);
        painter.setPen(QPen(QColor(255, 255, 255), 6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawPolyline(QPolygonF({QPointF(13, 24), QPointF(21, 32), QPointF(35, 15)}));
        break;
    }
    case Icon::Ribbon: {
        painter.setPen(QPen(QColor(20, 80, 30), 2));
        painter.setBrush(glossy(QColor(70, 170, 80)));
        painter.drawRoundedRect(QRectF(2, 3, 60, 22), 11, 11);
        painter.setPen(QPen(QColor(255, 255, 255), 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawPolyline(QPolygonF({QPointF(24, 14), QPointF(30, 19), QPointF(40, 8)}));
        break;
    }
    case Icon::Globe:
        painter.setPen(QPen(QColor(0, 70, 90), 2));
        painter.setBrush(glossy(QColor(30, 170, 190)));
        painter.drawEllipse(QRectF(3, 3, 42, 42));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(220, 250, 250), 2));
        painter.drawEllipse(QRectF(15, 4, 18, 40));
        painter.drawLine(4, 24, 44, 24);
        painter.drawLine(8, 13, 40, 13);
        painter.drawLine(8, 35, 40, 35);
        break;
    }
    return QPixmap::fromImage(image);
}

QPixmap texture()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QPainter painter(&image);
    for (int i = 0; i < 32; i += 8) {
        painter.fillRect(i, 0, 4, 32, QColor(200, 200, 200));
        painter.fillRect(0, i + 4, 32, 2, QColor(60, 60, 60));
    }
    painter.fillRect(0, 0, 32, 1, QColor(230, 230, 230));
    return QPixmap::fromImage(image);
}

} // namespace SamplePictures
