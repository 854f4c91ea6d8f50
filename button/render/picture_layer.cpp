#include "picture_layer.h"

#include "render/face_surfaces.h"
#include "render/smooth_stretch.h"
#include "render/tint_layer.h"

#include <algorithm>

namespace {

bool sameTint(const TintLook &a, const TintLook &b)
{
    if (!a.enabled || !b.enabled)
        return a.enabled == b.enabled;
    return a.color == b.color && a.bright == b.bright && a.type == b.type;
}

FaceSurfaces::PictureFace *finishedFace(FaceSurfaces &s, const QImage &statePicture, const TintLook &tint,
                                        OleColor maskKey)
{
    for (FaceSurfaces::PictureFace &face : s.pictureFaces) {
        if (face.picture == statePicture.cacheKey() && face.face.size() == s.pic.size() && sameTint(face.tint, tint)
            && face.maskKey == maskKey)
            return &face;
    }
    return nullptr;
}

void keepFinishedFace(FaceSurfaces &s, const QImage &statePicture, const TintLook &tint, OleColor maskKey)
{
    auto &faces = s.pictureFaces;
    FaceSurfaces::PictureFace &slot = *std::min_element(
        faces.begin(), faces.end(), [](const auto &a, const auto &b) { return a.lastUse < b.lastUse; });
    slot.picture = statePicture.cacheKey();
    slot.tint = tint;
    slot.maskKey = maskKey;
    slot.lastUse = ++s.pictureFaceUses;
    slot.face.resize(s.pic.size(), Surface::ResizeMode::KeepContent);
    slot.face.blockCopy(QPoint(0, 0), s.pic, s.pic.rect());
}

} // namespace

void drawPictureFace(FaceSurfaces &s, const QImage &statePicture, const TintLook &tint, const RoundLook &round,
                     OleColor maskKey)
{
    if (statePicture.isNull())
        return;
    maskKey &= 0xFFFFFF;
    if (FaceSurfaces::PictureFace *finished = finishedFace(s, statePicture, tint, maskKey)) {
        finished->lastUse = ++s.pictureFaceUses;
        s.pic.blockCopy(QPoint(0, 0), finished->face, finished->face.rect());
    } else {
        s.pic.setBasePicture(statePicture);
        drawTintStep(s, tint);
        const QImage &base = s.pic.basePicture();
        if (wantsSmoothStretch(base.size(), s.pic.size()))
            s.pic.stretchPicture(s.pic.rect(), smoothStretch(base, s.pic.size(), oleToPixel(maskKey)));
        else
            s.pic.stretchPicture(s.pic.rect(), base);
        keepFinishedFace(s, statePicture, tint, maskKey);
    }
    if (!round.enabled)
        s.picTemp.blockCopy(QPoint(0, 0), s.pic, s.pic.rect());
}
