#include "pointer_probe.h"

#include <QApplication>
#include <QCursor>

namespace {

class RealPointer final : public PointerProbe
{
public:
    QPoint position() const override { return QCursor::pos(); }
    QWidget *widgetAt(const QPoint &globalPosition) const override { return QApplication::widgetAt(globalPosition); }
};

PointerProbe *installed = nullptr;

} // namespace

PointerProbe::~PointerProbe() = default;

PointerProbe &PointerProbe::instance()
{
    static RealPointer real;
    return installed ? *installed : real;
}

void PointerProbe::setInstance(PointerProbe *probe) { installed = probe; }
