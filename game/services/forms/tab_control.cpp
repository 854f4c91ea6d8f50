#include "services/forms/tab_control.h"

#include <QEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

QPoint TabControl::pageOrigin()
{
    ensurePolished();
    tabBar()->ensurePolished();
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this).topLeft();
}

void TabControl::changeEvent(QEvent *event)
{
    QTabWidget::changeEvent(event);
    // Under an application style sheet a font set on a widget no longer
    // reaches the children it has already; the pages exist before the
    // designed font is set, and the controls placed on them take theirs.
    if (event->type() == QEvent::FontChange) {
        for (int i = 0; i < count(); ++i)
            widget(i)->setFont(font());
    }
}
