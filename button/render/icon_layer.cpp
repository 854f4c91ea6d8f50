#include "icon_layer.h"

#include "core/rounding.h"
#include "render/face_surfaces.h"

namespace {

enum IconPosition { LeftIcon, TopIcon, RightIcon, BottomIcon, BackgroundIcon };

QRect roundedRect(double x, double y, double w, double h)
{
    return QRect(pixelCoordinate(x), pixelCoordinate(y), pixelCoordinate(w), pixelCoordinate(h));
}

} // namespace

bool placeIcon(IconGeometry &geometry, QSizeF target, QSize picture, qint16 position, double sizePercent,
               double motionOffset)
{
    const double w = target.width();
    const double h = target.height();
    const double m = motionOffset;
    IconGeometry g = geometry;
    g.aspect = picture.height() > 0 ? double(picture.width()) / picture.height() : 1;
    switch (position) {
    case LeftIcon:
        g.Hi = 0.9 * h;
        g.Wi = g.Hi * g.aspect;
        g.Xi = w / 20;
        g.Yi = h / 20 + m;
        break;
    case TopIcon:
        g.Wi = 0.9 * w;
        g.Hi = g.Wi / g.aspect;
        g.Xi = (w - g.Wi) / 2;
        g.Yi = h / 20 + m;
        break;
    case RightIcon:
        g.Hi = 0.9 * h;
        g.Wi = g.Hi * g.aspect;
        g.Xi = 0.95 * w - g.Wi;
        g.Yi = h / 20 + m;
        break;
    case BottomIcon:
        g.Wi = 0.9 * w;
        g.Hi = g.Wi / g.aspect;
        g.Xi = (w - g.Wi) / 2;
        g.Yi = 0.95 * h - g.Hi + m;
        break;
    case BackgroundIcon:
        g.Hi = 0.9 * h;
        g.Wi = 0.9 * w;
        g.Xi = w / 20;
        g.Yi = h / 20 + m;
        break;
    default:
        // Scaling again would shrink or grow the icon at every drawing.
        return false;
    }
    g.Cx = g.Xi + g.Wi / 2;
    g.Cy = g.Yi + g.Hi / 2;
    g.Wi = g.Wi * sizePercent / 100;
    g.Hi = g.Hi * sizePercent / 100;
    g.Xi = g.Cx - g.Wi / 2;
    g.Yi = g.Cy - g.Hi / 2;
    geometry = g;
    return true;
}

void drawIconLayer(FaceSurfaces &s, Surface &target, const IconLook &icon)
{
    if (!icon.show || icon.icon.isNull())
        return;
    placeIcon(s.icon, QSizeF(target.size()), icon.icon.size(), icon.position, limitedSize(icon.size, 0, 1000),
              s.motionOffset);
    const IconGeometry &g = s.icon;
    const QRect place = roundedRect(g.Xi, g.Yi, g.Wi, g.Hi);
    if (!icon.allPic) {
        target.drawPicture(place, icon.icon);
        return;
    }
    s.picIcon.resize(icon.icon.size());
    s.picIcon.setBasePicture(icon.icon);
    const OleColor key = s.picIcon.pixel(0, 0);
    if (icon.shadow && !s.fadeRunning) {
        // The halo is the face under the icon with the icon keyed over it,
        // both stretched to picShadow's size, blended around the icon.
        Surface &halo = s.picShadow;
        if (s.pic.rect().contains(place)) {
            // Read without building it, from the face as it was before the
            // blends change it.
            s.haloFace.resize(place.size(), Surface::ResizeMode::KeepContent);
            s.haloFace.blockCopy(QPoint(0, 0), s.pic, place);
            for (int k = 1; k <= 4; ++k)
                target.blendLayered(place.adjusted(-k, -k, k, k), halo.size(), s.haloFace, s.picIcon, key,
                                    roundHalfEven(60.0 / k));
        } else {
            // Part of it comes from what picShadow held before.
            halo.stretchCopy(halo.rect(), s.pic, place);
            halo.keyedStretchCopy(halo.rect(), s.picIcon, s.picIcon.rect(), key);
            for (int k = 1; k <= 4; ++k)
                target.blend(place.adjusted(-k, -k, k, k), halo, halo.rect(), roundHalfEven(60.0 / k));
        }
    }
    target.keyedStretchCopy(place, s.picIcon, s.picIcon.rect(), key);
}
