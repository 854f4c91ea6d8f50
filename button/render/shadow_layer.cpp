#include "shadow_layer.h"

#include "core/rounding.h"
#include "fast_drawing.h"
#include "render/face_surfaces.h"
#include "render/mask_layer.h"

#include <algorithm>
#include <cmath>

namespace {

// After this many Shadow_Glass steps every pixel has settled: each step
// blends with alpha 185 or more, which leaves less than a channel step of
// what was there before within a handful of steps.
constexpr int GlassSettledSteps = 64;

// One ring per logical pixel of the shadow's size, so a dense face has the
// rings of a plain one, each as far in as there.
void drawNormalRings(FaceSurfaces &s, int steps)
{
    const int w = s.pic.width();
    const int h = s.pic.height();
    // Rings past the middle of the face are empty.
    steps = std::min(steps, std::max(w, h) / 2 + 1);
    for (int i = 1; i <= steps; ++i) {
        const int inset = roundHalfEven(i * s.scale);
        const QRect ring(inset, inset, w - 2 * inset, h - 2 * inset);
        s.pic.keyedStretchCopy(ring, s.picShadow, s.picShadow.rect(), FaceSurfaces::ShadowKey);
        s.pic.blend(ring, s.pic2, ring, normalShadowRingAlpha(i));
    }
}

void drawGlass(FaceSurfaces &s, int steps)
{
    const QRect whole = s.pic.rect();
    for (int i = std::max(1, steps - GlassSettledSteps + 1); i <= steps; ++i) {
        s.pic.keyedStretchCopy(whole, s.picShadow, s.picShadow.rect(), FaceSurfaces::ShadowKey);
        s.pic.blend(whole, s.pic2, whole, glassShadowAlpha(i));
    }
}

// The parked face's silhouette on picShadow: every pixel that is neither the
// mask colour nor the shadow key becomes the shadow colour, the rest the key.
// It is made at the face's own size and then stretched: the same pixels as
// stretching the face first, for a fraction of the work.
void buildSilhouette(FaceSurfaces &s, OleColor shadowColour, OleColor maskColor)
{
    Surface &silhouette = s.silhouette;
    silhouette.setBackgroundColor(FaceSurfaces::ShadowKey);
    silhouette.resize(s.picTemp.size(), Surface::ResizeMode::KeepContent);
    silhouette.clear();
    silhouette.keyedStretchCopy(silhouette.rect(), s.picTemp, s.picTemp.rect(), maskColor);
    FastDrawing::instance().silhouette(silhouette, silhouette, FaceSurfaces::ShadowKey, shadowColour);
    if (silhouette.isNull())
        s.picShadow.clear();
    else
        s.picShadow.stretchCopy(s.picShadow.rect(), silhouette, silhouette.rect());
}

} // namespace

int normalShadowRingAlpha(int ring) { return std::max(0, 255 - ring * ring); }

int glassShadowAlpha(int step) { return roundHalfEven(255 - 10 * std::pow(7.0, 1.0 / step), 0, 255); }

void drawShadowLayer(FaceSurfaces &s, const ShadowLook &shadow, const RoundLook &round, OleColor maskColor)
{
    if (!shadow.enabled)
        return;
    Surface &pic = s.pic;
    const int w = pic.width();
    const int h = pic.height();
    // Shadow sizes are kept as set, without a range of their own.
    const double size = limitedSize(shadow.size, -PixelLimit, PixelLimit);
    const double logicalSize = size / s.scale;
    const int steps = logicalSize >= 1 ? int(std::floor(logicalSize)) : 0;

    s.picTemp.setBasePicture(pic.image());
    buildSilhouette(s, shadow.color, maskColor);

    if (!s.fetchContainerBackground())
        return;
    pic.blend(pic.rect(), s.pic2, s.pic2.rect(), 250);

    const QPoint shadowCorner(pixelCoordinate(2 * size), pixelCoordinate(2 * size));
    switch (shadow.style) {
    case 0: // Shadow_Normal
        drawNormalRings(s, steps);
        break;
    case 1: // Shadow_Glass
        drawGlass(s, steps);
        break;
    case 2: // Shadow_Box
        pic.fillBox(shadowCorner, QPoint(w, h), shadow.color);
        break;
    case 3: // Shadow_Round
        pic.setFillStyle(Surface::FillStyle::Solid);
        pic.setFillColor(shadow.color);
        pic.setPenColor(shadow.color);
        pic.drawRoundedRect(shadowCorner, QPoint(w, h), roundCornerWidth(round, pic.size()),
                            roundCornerHeight(round, pic.size()));
        pic.setFillStyle(Surface::FillStyle::Transparent);
        break;
    default:
        break;
    }

    const int inset = pixelCoordinate(size);
    pic.keyedStretchCopy(QRect(inset, inset, w - 2 * inset, h - 2 * inset), s.picTemp, s.picTemp.rect(), maskColor);
    s.pic2.setBasePicture(pic.image());
}
