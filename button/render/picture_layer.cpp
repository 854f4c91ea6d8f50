#include "picture_layer.h"

#include "render/face_surfaces.h"
#include "render/tint_layer.h"

void drawPictureFace(FaceSurfaces &s, const QImage &statePicture, const TintLook &tint, const RoundLook &round)
{
    if (statePicture.isNull())
        return;
    s.pic.setBasePicture(statePicture);
    drawTintStep(s, tint);
    s.pic.stretchPicture(s.pic.rect(), s.pic.basePicture());
    if (!round.enabled)
        s.picTemp.stretchPicture(s.picTemp.rect(), s.pic.basePicture());
}
