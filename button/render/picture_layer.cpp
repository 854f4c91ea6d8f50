#include "picture_layer.h"

#include "render/face_surfaces.h"
#include "render/tint_layer.h"

#include <algorithm>

namespace {

bool sameTint(const TintLook &a, const TintLook &b)
{
    if (!a.enabled || !b.enabled)
        return a.enabled == b.enabled;
    return a.color == b.color && a.bright == b.bright && a.type == b.type;
}

FaceSurfaces::PictureFace *finishedFace(FaceSurfaces &s, const QImage &statePicture, const TintLook &tint)
{
    for (FaceSurfaces::PictureFace &face : s.pictureFaces) {
        if (face.picture == statePicture.cacheKey() && face.face.size() == s.pic.size() && sameTint(face.tint, tint))
            return &face;
    }
    return nullptr;
}

void keepFinishedFace(FaceSurfaces &s, const QImage &statePicture, const TintLook &tint)
{
    auto &faces = s.pictureFaces;
    FaceSurfaces::PictureFace &slot = *std::min_element(
        faces.begin(), faces.end(), [](const auto &a, const auto &b) { return a.lastUse < b.lastUse; });
    slot.picture = statePicture.cacheKey();
    slot.tint = tint;
    slot.lastUse = ++s.pictureFaceUses;
    slot.face.resize(s.pic.size(), Surface::ResizeMode::KeepContent);
    slot.face.blockCopy(QPoint(0, 0), s.pic, s.pic.rect());
}

} // namespace

void drawPictureFace(FaceSurfaces &s, const QImage &statePicture, const TintLook &tint, const RoundLook &round)
{
    if (statePicture.isNull())
        return;
    if (FaceSurfaces::PictureFace *finished = finishedFace(s, statePicture, tint)) {
        finished->lastUse = ++s.pictureFaceUses;
        s.pic.blockCopy(QPoint(0, 0), finished->face, finished->face.rect());
    } else {
        s.pic.setBasePicture(statePicture);
        drawTintStep(s, tint);
        s.pic.stretchPicture(s.pic.rect(), s.pic.basePicture());
        keepFinishedFace(s, statePicture, tint);
    }
    if (!round.enabled)
        s.picTemp.blockCopy(QPoint(0, 0), s.pic, s.pic.rect());
}
