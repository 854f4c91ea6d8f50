#include "gradient_layer.h"

#include "core/rounding.h"
#include "render/face_surfaces.h"

#include <algorithm>

namespace {

// Channel c1 + step * (c2 - c1) / extent, rounded and limited to 0..255.
int channelAt(int c1, int c2, int step, double extent)
{
    const double increment = (c2 - c1) / extent;
    return roundHalfEven(c1 + step * increment, 0, 255);
}

OleColor colourAt(const FaceSurfaces &s, int step, double extent)
{
    return oleRgb(channelAt(s.R1, s.R2, step, extent), channelAt(s.G1, s.G2, step, extent),
                  channelAt(s.B1, s.B2, step, extent));
}

} // namespace

void drawGradientLayer(FaceSurfaces &s, const GradientLook &gradient)
{
    Surface &pic = s.pic;
    const int w = pic.width();
    const int h = pic.height();
    switch (gradient.style) {
    case 0: // Horizontal
        if (w == 0)
            return;
        for (int x = 0; x <= w; ++x)
            pic.drawLine(QPoint(x, 0), QPoint(x, h), colourAt(s, x, w));
        break;
    case 1: // Vertical
        if (h == 0)
            return;
        for (int y = 0; y <= h; ++y)
            pic.drawLine(QPoint(0, y), QPoint(w, y), colourAt(s, y, h));
        break;
    case 2: { // Radial
        const int extent = std::max(w, h);
        if (extent == 0)
            return;
        pic.setLineWidth(2);
        const QPointF centre(w / 2.0, h / 2.0);
        for (int r = 0; r <= extent; ++r)
            pic.drawCircle(centre, r, colourAt(s, r, extent));
        break;
    }
    default:
        break;
    }
}
