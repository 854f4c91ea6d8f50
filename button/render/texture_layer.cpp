#include "texture_layer.h"

#include "core/rounding.h"
#include "render/face_surfaces.h"

namespace {

void layTexture(Surface &target, const QImage &image, int tiles)
{
    if (image.isNull())
        return;
    const int w = target.width();
    const int h = target.height();
    for (int row = 0; row < tiles; ++row) {
        const int top = row * h / tiles;
        const int bottom = (row + 1) * h / tiles;
        for (int column = 0; column < tiles; ++column) {
            const int left = column * w / tiles;
            const int right = (column + 1) * w / tiles;
            target.stretchPicture(QRect(left, top, right - left, bottom - top), image);
        }
    }
}

} // namespace

void drawTextureLayer(FaceSurfaces &s, const TextureLook &texture)
{
    if (!texture.enabled)
        return;
    layTexture(s.pic2, texture.image, roundHalfEven(texture.size, 1, 100));
    const int ta = roundHalfEven(texture.alpha, 0, 255);
    const QRect whole = s.pic.rect();
    switch (texture.type) {
    case 0: // TextureGlass
        s.pic2.blend(whole, s.pic, whole, 255 - ta);
        s.pic.blend(whole, s.pic2, whole, ta);
        break;
    case 1: // TextureScreen
        s.pic.blend(whole, s.pic2, whole, ta);
        break;
    case 2: // TextureShine
    case 3: // TextureBump
        s.pic2.blend(whole, s.pic, whole, ta);
        s.pic.blend(whole, s.pic2, whole, ta);
        break;
    default:
        break;
    }
}
