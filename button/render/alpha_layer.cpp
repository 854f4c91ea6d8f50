#include "alpha_layer.h"

#include "core/rounding.h"
#include "render/face_surfaces.h"

void drawAlphaLayer(FaceSurfaces &s, const AlphaLook &alpha)
{
    if (!alpha.enabled || !s.fetchContainerBackground())
        return;
    s.pic.blend(s.pic.rect(), s.pic2, s.pic2.rect(), roundHalfEven(alpha.value, 0, 255));
}
