#pragma once

#include <QPoint>

class QWidget;

// Where the pointer is and which widget lies under it: the two questions the
// button's hover poll asks on every tick. The process-wide probe answers them
// from the real pointer; tests install one of their own so that they can
// move a pretend pointer without touching the real one.
class PointerProbe
{
public:
    virtual ~PointerProbe();

    // The pointer's position in global (screen) pixels.
    virtual QPoint position() const = 0;
    // The innermost widget under a global point, or null over no window of
    // this application.
    virtual QWidget *widgetAt(const QPoint &globalPosition) const = 0;

    static PointerProbe &instance();
    // Installs a probe (not owned); null brings back the real pointer.
    static void setInstance(PointerProbe *probe);
};
