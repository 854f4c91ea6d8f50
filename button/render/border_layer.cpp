#include "border_layer.h"

#include "core/rounding.h"
#include "render/face_surfaces.h"

#include <algorithm>

void drawBorderLayer(FaceSurfaces &s, const BorderLook &border)
{
    Surface &pic = s.pic;
    const int size = roundHalfEven(border.size, 1, 1000);
    pic.setLineWidth(size);
    const auto box = [&pic](int inset, OleColor colour) {
        pic.drawBox(QPoint(inset, inset), QPoint(pic.width() - 1 - inset, pic.height() - 1 - inset), colour);
    };
    switch (border.style) {
    case 1: // Border_SimpleBox
        box(0, border.color);
        break;
    case 2: // Border_Shaded3D
        for (int i = size; i >= 0; --i) {
            // Each logical pixel of the border is 10 darker than the one inside it.
            const int darker = roundHalfEven(10 * (i - size) / s.scale);
            box(i, oleRgb(std::clamp(oleRed(border.color) + darker, 0, 255),
                          std::clamp(oleGreen(border.color) + darker, 0, 255),
                          std::clamp(oleBlue(border.color) + darker, 0, 255)));
        }
        break;
    default:
        break;
    }
}
