#include "services/forms/skin_style.h"

#include "services/forms/skin_colours.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionFrame>

SkinStyle::SkinStyle(double scale)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    , m_radius(5.0 * (scale > 0 ? scale : 1.0))
{
}

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
    // A frameless box (the editor inside a combo box) keeps the plain fill.
    const bool framed = frame && frame->lineWidth > 0;
    if (element == PE_PanelLineEdit && framed) {
        drawTextBoxFrame(option, painter, true);
        return;
    }
    if (element == PE_FrameLineEdit) {
        drawTextBoxFrame(option, painter, false);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int SkinStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                         QStyleHintReturn *returnData) const
{
    // White captions on the blue buttons of a message box read best alone.
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void SkinStyle::drawTextBoxFrame(const QStyleOption *option, QPainter *painter, bool fill) const
{
    const bool enabled = option->state & State_Enabled;
    const bool focused = enabled && (option->state & State_HasFocus);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(!enabled  ? SkinColours::disabledFrame
                         : focused ? SkinColours::accent
                                   : SkinColours::frame,
                         1.0));
    painter->setBrush(fill ? option->palette.brush(QPalette::Base) : QBrush(Qt::NoBrush));
    const QRectF box = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min({m_radius, box.width() / 2, box.height() / 2});
    painter->drawRoundedRect(box, radius, radius);
    if (focused) {
        // A soft inner ring shows the focus without taking any room.
        QColor ring = SkinColours::accent;
        ring.setAlpha(70);
        painter->setPen(QPen(ring, 1.0));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(box.adjusted(1, 1, -1, -1), std::max<qreal>(0, radius - 1),
                                 std::max<qreal>(0, radius - 1));
    }
    painter->restore();
}
