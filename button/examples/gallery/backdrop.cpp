#include "backdrop.h"

#include <QLinearGradient>
#include <QPainter>

Backdrop::Backdrop(QWidget *parent)
    : QWidget(parent)
{
}

void Backdrop::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient sky(rect().topLeft(), rect().bottomRight());
    sky.setColorAt(0, QColor(0xF6, 0xB1, 0x3C));
    sky.setColorAt(0.5, QColor(0xE0, 0x4F, 0x7A));
    sky.setColorAt(1, QColor(0x4B, 0x3F, 0xA8));
    painter.fillRect(rect(), sky);
    // Diagonal bands: a see-through face shows them running through it.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 70), 6));
    for (int x = -height(); x < width(); x += 22)
        painter.drawLine(x, height(), x + height(), 0);
}
