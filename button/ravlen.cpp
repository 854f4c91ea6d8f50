#include "ravlen.h"

#include <QMouseEvent>
#include <QPainter>

Ravlen::Ravlen(QWidget *parent)
    : QWidget(parent)
{
    resize(81, 33);
}

Ravlen::~Ravlen() = default;

QString Ravlen::caption() const
{
    return m_caption;
}

void Ravlen::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void Ravlen::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, m_caption);
}

void Ravlen::mouseReleaseEvent(QMouseEvent *event)
{
    if (rect().contains(event->position().toPoint()))
        Q_EMIT Click();
}
