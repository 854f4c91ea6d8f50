#pragma once

#include <QTabWidget>

// The tab control of a designed window. Its pages' controls are designed
// relative to the tab control itself, tab strip included; pageOrigin() tells
// where a page starts within the control, as the current style will lay it
// out, even before the window is first shown.
class TabControl : public QTabWidget
{
    Q_OBJECT

public:
    using QTabWidget::QTabWidget;

    QPoint pageOrigin();

protected:
    void changeEvent(QEvent *event) override;
};
