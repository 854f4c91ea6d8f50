#include "tab_control.h"

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
