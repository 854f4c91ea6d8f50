#include "tint_layer.h"

#include "fast_drawing.h"
#include "render/face_surfaces.h"

#include <algorithm>

void drawTintStep(FaceSurfaces &s, const TintLook &tint)
{
    Surface &pic = s.pic;
    if (!tint.enabled || !pic.hasBasePicture())
        return;
    const QSize face = pic.size();
    pic.resize(pic.basePicture().size(), Surface::ResizeMode::Redraw);
    const auto bright = qint16(std::clamp<int>(tint.bright, -255, 255));
    FastDrawing::instance().tint(pic, pic, tint.color, bright, tint.type);
    pic.setBasePicture(pic.image());
    pic.resize(face, Surface::ResizeMode::Redraw);
}
